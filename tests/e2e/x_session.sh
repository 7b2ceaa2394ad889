#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tonolog developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The shared part of the end-to-end tests: a private user and X server for the real program,
# waiting, windows, keys and failure reports. Sourced by a test with the program's path as $1;
# a test may define diagnose_more to add its own findings to a failure report.

if [[ $# -ne 1 ]]; then
    echo "usage: $0 PATH_TO_TONOLOG" >&2
    exit 2
fi
app=$(readlink -f -- "$1")
if [[ ! -x $app ]]; then
    echo "FAIL: $1 is not an executable file" >&2
    exit 2
fi
for tool in Xvfb xauth xdotool xwininfo xprop; do
    if ! command -v "$tool" >/dev/null; then
        echo "FAIL: $tool is not installed (Debian packages: xvfb xauth xdotool x11-utils)" >&2
        exit 2
    fi
done

timeout_s=${TONOLOG_E2E_TIMEOUT:-30}
# Generous when the program was built with the sanitizers: its start and its exit are slower.
exit_timeout_s=$((timeout_s * 2))

tmp=$(mktemp -d "${TMPDIR:-/tmp}/tonolog-e2e.XXXXXX")
xvfb_pid=""
app_pid=""
step_text="setting up"
step_number=0
failed_once=0

# --- A private user: settings, backup, runtime directory and session bus are all in $tmp ---------
export HOME="$tmp/home"
export XDG_DATA_HOME="$HOME/.local/share"
export XDG_CONFIG_HOME="$HOME/.config"
export XDG_CACHE_HOME="$HOME/.cache"
export XDG_RUNTIME_DIR="$tmp/runtime"
mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 0700 "$XDG_RUNTIME_DIR"
# The program must run on the X server below, never offscreen.
unset QT_QPA_PLATFORM QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE WAYLAND_DISPLAY
# No session bus: a bus address that leads nowhere keeps the program from reaching (or starting)
# the real user's one.
export DBUS_SESSION_BUS_ADDRESS="unix:path=$tmp/no-session-bus"
export NO_AT_BRIDGE=1
export LC_ALL=C.UTF-8

log() { printf '%s\n' "$*"; }

step() {
    step_number=$((step_number + 1))
    step_text="$*"
    log "[$step_number] $*"
}

window_list() {
    local w
    for w in $(xdotool search --name . 2>/dev/null || true); do
        printf '  %s %s\n' "$w" "$(xdotool getwindowname "$w" 2>/dev/null || echo '?')"
    done
}

diagnose() {
    log "---- diagnostics ----"
    if declare -F diagnose_more >/dev/null; then diagnose_more; fi
    log "files under the private home:"
    (cd "$tmp" && find . -type f | sort | sed 's/^/  /')
    if [[ -n ${DISPLAY:-} ]]; then
        log "windows (id name):"
        window_list
        log "visible windows:"
        local w
        for w in $(xdotool search --onlyvisible --name . 2>/dev/null || true); do
            printf '  %s %s\n' "$w" "$(xdotool getwindowname "$w" 2>/dev/null || echo '?')"
        done
        if command -v import >/dev/null; then
            if import -window root "$tmp/fail.png" 2>/dev/null; then
                log "screenshot: $tmp/fail.png"
            fi
        fi
    fi
    local f
    for f in "$tmp"/run*.err; do
        [[ -s $f ]] || continue
        log "stderr of the program, $(basename "$f"):"
        tail -n 60 "$f" | sed 's/^/  /'
    done
    log "files kept in $tmp"
}

fail() {
    failed_once=1
    log "FAIL at step $step_number ($step_text): $*"
    diagnose
    exit 1
}

cleanup() {
    local rc=$?
    trap - EXIT
    if [[ $rc -ne 0 && $failed_once -eq 0 ]]; then
        log "FAIL at step $step_number ($step_text): a command failed (exit code $rc)"
        diagnose
    fi
    if [[ -n $app_pid ]] && kill -0 "$app_pid" 2>/dev/null; then
        kill -9 "$app_pid" 2>/dev/null || true
        { wait "$app_pid"; } 2>/dev/null || true
    fi
    if [[ -n $xvfb_pid ]]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    if [[ $rc -eq 0 ]]; then
        rm -rf -- "$tmp"
    fi
    exit "$rc"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

now_ms() { date +%s%3N; }

# wait_for SECONDS DESCRIPTION COMMAND...: polls COMMAND every 0.1 s until it succeeds.
wait_for() {
    local seconds=$1 what=$2
    shift 2
    local deadline=$(($(now_ms) + seconds * 1000))
    until "$@"; do
        if [[ -n $app_pid ]] && ! kill -0 "$app_pid" 2>/dev/null; then
            local rc=0
            { wait "$app_pid"; } 2>/dev/null || rc=$?
            app_pid=""
            fail "the program ended (exit code $rc) while waiting for $what"
        fi
        if (($(now_ms) > deadline)); then
            fail "timed out after ${seconds} s waiting for $what"
        fi
        sleep 0.1
    done
}

app_running() { [[ -n $app_pid ]] && kill -0 "$app_pid" 2>/dev/null; }

# Visible top-level windows whose name is exactly $1, one id a line. Pop-up menus (override
# redirect windows, which Qt names after the program too) are left out.
visible_windows_named() {
    local name=$1 w
    for w in $(xdotool search --onlyvisible --name . 2>/dev/null || true); do
        [[ $(xdotool getwindowname "$w" 2>/dev/null) == "$name" ]] || continue
        xwininfo -id "$w" 2>/dev/null | grep -q 'Override Redirect State: no' || continue
        echo "$w"
    done
}

is_modal_dialog() { xprop -id "$1" _NET_WM_STATE 2>/dev/null | grep -q _NET_WM_STATE_MODAL; }

# The visible message boxes titled "Tonolog", one id a line.
message_boxes() {
    local w
    for w in $(visible_windows_named Tonolog); do
        if is_modal_dialog "$w"; then echo "$w"; fi
    done
}

# The visible main window: a top-level window of the program that is not a dialog. Its name
# changes with the document, so it is looked up by its process and window type.
main_windows() {
    local w
    for w in $(xdotool search --onlyvisible --pid "$app_pid" --name . 2>/dev/null || true); do
        xwininfo -id "$w" 2>/dev/null | grep -q 'Override Redirect State: no' || continue
        xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q _NET_WM_WINDOW_TYPE_DIALOG && continue
        echo "$w"
    done
}

popup_menu_shown() {
    local w
    for w in $(xdotool search --onlyvisible --pid "$app_pid" --name . 2>/dev/null || true); do
        if xwininfo -id "$w" 2>/dev/null | grep -q 'Override Redirect State: yes'; then return 0; fi
    done
    return 1
}

# Gives the keyboard focus to window $1 (there is no window manager to do it) and waits until
# the server reports it.
focus_window() {
    local w=$1
    local deadline=$(($(now_ms) + timeout_s * 1000))
    while :; do
        xdotool windowfocus "$w" 2>/dev/null || true
        [[ $(xdotool getwindowfocus 2>/dev/null || true) == "$w" ]] && return 0
        if (($(now_ms) > deadline)); then
            fail "window $w did not take the keyboard focus"
        fi
        sleep 0.1
    done
}

type_text() { xdotool type --delay 20 -- "$1"; }
press() { xdotool key --delay 20 "$@"; }

one_line() { wc -l <<<"$1" | tr -d ' '; }

# Succeeds, setting $found, when the command given lists exactly one window.
found=""
exactly_one() {
    local list
    list=$("$@")
    [[ -n $list && $(one_line "$list") -eq 1 ]] || return 1
    found=$list
}

start_app() {
    local run=$1
    shift
    "$@" "$app" >"$tmp/$run.out" 2>"$tmp/$run.err" &
    app_pid=$!
}

# Waits for the program to end and checks its exit code. A message box that shows up instead
# fails the step at once.
wait_for_exit_code_0() {
    local deadline=$(($(now_ms) + exit_timeout_s * 1000))
    while app_running; do
        if [[ -n $(message_boxes) ]]; then
            fail "a question was asked instead of closing"
        fi
        if (($(now_ms) > deadline)); then
            fail "the program did not end within ${exit_timeout_s} s"
        fi
        sleep 0.1
    done
    local rc=0
    wait "$app_pid" || rc=$?
    app_pid=""
    [[ $rc -eq 0 ]] || fail "the program ended with exit code $rc"
}

# Fails when a run of the program reported an AddressSanitizer, LeakSanitizer or UBSan error in
# one of the files given (its standard error).
no_sanitizer_reports() {
    local reports
    reports=$(grep -l -E 'ERROR: (Address|Leak)Sanitizer|runtime error:' "$@" || true)
    [[ -z $reports ]] || fail "sanitizer reports in: $reports"
}

# --- X server --------------------------------------------------------------------------------------
start_x_server() {
    export XAUTHORITY="$tmp/Xauthority"
    cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
    # The server reads every cookie in its file, whatever display the entry names.
    xauth -q -f "$tmp/Xserverauth" add :0 . "$cookie" 2>/dev/null
    : >"$tmp/xvfb.display"
    # -noreset: by default the server resets when its last client leaves, and a program that connects
    # during the reset is turned away. -r: no key auto-repeat, which would add letters to a key held
    # down by a slow xdotool on a busy machine.
    # TONOLOG_E2E_SCREEN gives the screen another size (a window at a scale factor of 2 needs more).
    Xvfb -displayfd 3 -nolisten tcp -noreset -r -auth "$tmp/Xserverauth" -screen 0 "${TONOLOG_E2E_SCREEN:-1280x1024x24}" \
        3>"$tmp/xvfb.display" >"$tmp/xvfb.log" 2>&1 &
    xvfb_pid=$!
    display_known() { [[ $(wc -l <"$tmp/xvfb.display") -ge 1 ]] || { kill -0 "$xvfb_pid" || fail "Xvfb ended: $(cat "$tmp/xvfb.log")"; return 1; }; }
    wait_for "$timeout_s" "Xvfb to report its display" display_known
    display_number=$(head -n 1 "$tmp/xvfb.display")
    export DISPLAY=":$display_number"
    xauth -q add "$DISPLAY" . "$cookie" 2>/dev/null
    server_answers() { xwininfo -root >/dev/null 2>&1; }
    wait_for "$timeout_s" "the X server to accept clients" server_answers
    log "    X server on $DISPLAY (pid $xvfb_pid)"
}
