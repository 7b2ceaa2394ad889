#!/usr/bin/env bash
# End-to-end test of the backup file and its recall, with the real program on a private X server,
# driven through the keyboard as a user would.
#
#   Run 1  type a name and a reading, then kill -9 the program: the backup keeps the reading.
#   Run 2  the next start asks to recall the backup; Yes brings the diary back untitled; the
#          close question can be cancelled; Save as writes the recalled diary and drops the backup.
#   Run 3  File > Exit with nothing unsaved ends the program with code 0 and leaves no backup.
#   Run 4  the next start asks nothing; the time to the first frame is reported; Exit ends it.
#   Last   no run's error output holds a sanitizer report (for the sanitizer build).
#
# Usage: recovery_test.sh PATH_TO_TONOLOG
# Needs Xvfb, xauth, xdotool, xwininfo and xprop; ImageMagick's `import` is used for a screenshot on
# failure when present. TONOLOG_E2E_TIMEOUT (seconds, default 30) bounds every wait.
set -euo pipefail

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

backup="$XDG_DATA_HOME/Tonolog/Tonolog/TL_Backup"
settings_file="$XDG_CONFIG_HOME/Tonolog/Tonolog.conf"
saved="$tmp/recalled.tnl"
empty_backup=$(printf ',,,,,,,,,,,,,,\r\n' | od -An -c)

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
    if [[ -f $backup ]]; then
        log "backup file $backup:"
        od -c "$backup" | sed 's/^/  /'
    else
        log "backup file $backup: absent"
    fi
    if [[ -f $saved ]]; then
        log "saved file $saved:"
        od -c "$saved" | sed 's/^/  /'
    fi
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

backup_is_empty_backup() { [[ -f $backup && $(od -An -c "$backup") == "$empty_backup" ]]; }
no_backup() { [[ ! -e $backup ]]; }

# The day key of today in the diary's form, for example Dec./07/2026.
day_key() { LC_ALL=C date +%b./%d/%Y; }

# Succeeds when file $1 holds the name line "Ann," and today's line starting with $2 (the
# fields after the key); CR LF line ends.
holds_diary() {
    local file=$1 fields=$2
    [[ -f $file ]] || return 1
    [[ $(head -n 1 "$file") == $'Ann,\r' ]] || return 1
    grep -q -F -- "$day_before,$fields" "$file" || grep -q -F -- "$(day_key),$fields" "$file"
}

# --- X server --------------------------------------------------------------------------------------
step "start a private X server"
export XAUTHORITY="$tmp/Xauthority"
cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
# The server reads every cookie in its file, whatever display the entry names.
xauth -q -f "$tmp/Xserverauth" add :0 . "$cookie" 2>/dev/null
: >"$tmp/xvfb.display"
# -noreset: by default the server resets when its last client leaves, and a program that connects
# during the reset is turned away. -r: no key auto-repeat, which would add letters to a key held
# down by a slow xdotool on a busy machine.
Xvfb -displayfd 3 -nolisten tcp -noreset -r -auth "$tmp/Xserverauth" -screen 0 1280x1024x24 \
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

# --- Run 1: a reading, then the program is killed -------------------------------------------------
day_before=$(day_key)
step "run 1: start the program with no backup present"
no_backup || fail "a backup is present before the first start"
start_app run1 env
wait_for "$timeout_s" "a visible window named \"Tonolog\"" exactly_one main_windows
main=$found
[[ $(xdotool getwindowname "$main") == Tonolog ]] ||
    fail "the caption is \"$(xdotool getwindowname "$main")\", not \"Tonolog\""
[[ -z $(message_boxes) ]] || fail "a question was asked at the first start"

step "run 1: the first start writes the empty backup at $backup"
wait_for "$timeout_s" "the empty backup file" backup_is_empty_backup
other=$(find "$tmp" -name TL_Backup ! -path "$backup")
[[ -z $other ]] || fail "a backup file was written elsewhere: $other"

step "run 1: type the name Ann and SYS 128 of reading 1"
focus_window "$main"
type_text Ann
press Tab          # to the date box, which holds today
press Tab          # to SYS of reading 1
type_text 128
press Tab          # leaving the box commits the day
wait_for "$timeout_s" "the backup to hold Ann and today's SYS 128" holds_diary "$backup" "128,"
log "    backup: $(tr -d '\r' <"$backup" | paste -sd '|')"

step "run 1: kill -9 the program"
kill -9 "$app_pid"
{ wait "$app_pid"; } 2>/dev/null || true
app_pid=""
[[ -f $backup ]] || fail "the backup disappeared with the killed program"

# --- Run 2: recall, the close question, Save as ---------------------------------------------------
step "run 2: start again; the recall question comes first"
start_app run2 env
wait_for "$timeout_s" "the recall question (a message box titled \"Tonolog\")" exactly_one message_boxes
question=$found
[[ -z $(main_windows) ]] || fail "the main window is shown before the recall question is answered"

step "run 2: answer Yes (Return on the default button)"
focus_window "$question"
press Return
no_message_box() { [[ -z $(message_boxes) ]]; }
wait_for "$timeout_s" "the recall question to close" no_message_box
wait_for "$timeout_s" "the main window" exactly_one main_windows
main=$found
caption=$(xdotool getwindowname "$main")
[[ $caption == Tonolog ]] || fail "the recalled diary's caption is \"$caption\", not \"Tonolog\""
holds_diary "$backup" "128," || fail "the backup changed at the recall"

step "run 2: the recalled day is on the Diary page: add DIA 84 to reading 1"
# Focus starts in the name box. If the page did not show the recalled SYS, this commit of the
# page would drop it.
focus_window "$main"
press Tab Tab Tab  # the date box, SYS, DIA of reading 1
type_text 84
press Tab
wait_for "$timeout_s" "the backup to hold today's SYS 128 and DIA 84" holds_diary "$backup" "128,84,"
log "    backup: $(tr -d '\r' <"$backup" | paste -sd '|')"

step "run 2: File > Exit asks about the unsaved diary; Cancel keeps the program running"
focus_window "$main"
press alt+f
wait_for "$timeout_s" "the File menu" popup_menu_shown
press x
wait_for "$timeout_s" "the question at close" exactly_one message_boxes
question=$found
[[ $question != "$main" ]] || fail "the question box is the main window"
[[ $(visible_windows_named Tonolog | wc -l) -eq 2 ]] ||
    fail "expected two windows named \"Tonolog\" (the main window and the question)"
focus_window "$question"
press Escape
wait_for "$timeout_s" "the question to close" no_message_box
app_running || fail "the program ended although the close was cancelled"
[[ $(main_windows) == "$main" ]] || fail "the main window is gone after the cancelled close"
holds_diary "$backup" "128,84," || fail "the backup changed or vanished at the cancelled close"

step "run 2: Save (ctrl+s) on the untitled diary opens Save as; save to $saved"
focus_window "$main"
press ctrl+s
wait_for "$timeout_s" "the \"Save as\" dialog" exactly_one visible_windows_named "Save as"
dialog=$found
focus_window "$dialog"
type_text "$saved"
press Return
wait_for "$timeout_s" "$saved to hold the recalled diary" holds_diary "$saved" "128,84,"
log "    saved: $(tr -d '\r' <"$saved" | paste -sd '|')"
caption_is_saved() { [[ $(xdotool getwindowname "$main" 2>/dev/null) == "Tonolog [recalled.tnl]" ]]; }
wait_for "$timeout_s" "the caption \"Tonolog [recalled.tnl]\"" caption_is_saved
wait_for "$timeout_s" "the backup to be deleted after the save" no_backup
[[ -z $(visible_windows_named "Save as") ]] || fail "the Save as dialog is still open"

# --- Run 3: a normal close -----------------------------------------------------------------------
step "run 3: File > Exit with nothing unsaved ends the program with code 0"
focus_window "$main"
press alt+f
wait_for "$timeout_s" "the File menu" popup_menu_shown
press x
wait_for_exit_code_0
no_backup || fail "a backup file remains after a normal close"
[[ -f $settings_file ]] || fail "no settings were written to $settings_file"
grep -q -F "Path1=$saved" "$settings_file" || fail "the saved file is not first in the history"

# --- Run 4: a clean start ------------------------------------------------------------------------
step "run 4: start again; no question is asked"
start_ms=$(now_ms)
start_app run4 env TONOLOG_REPORT_FIRST_FRAME=1
wait_for "$timeout_s" "the main window" exactly_one main_windows
main=$found
first_frame_reported() { grep -q '^first frame at [0-9]* ms$' "$tmp/run4.err"; }
wait_for "$timeout_s" "the first frame report on stderr" first_frame_reported
first_frame_ms=$(sed -n 's/^first frame at \([0-9]*\) ms$/\1/p' "$tmp/run4.err" | head -n 1)
app_running || fail "the program is not running"
[[ $(xdotool getwindowname "$main") == Tonolog ]] || fail "the caption is not \"Tonolog\""
named=$(visible_windows_named Tonolog)
[[ $named == "$main" ]] || fail "expected the main window as the only window named \"Tonolog\", found: $named"
wait_for "$timeout_s" "the empty backup file" backup_is_empty_backup
log "    startup to first frame: $((first_frame_ms - start_ms)) ms"

step "run 4: File > Exit ends the program at once with code 0"
focus_window "$main"
press alt+f
wait_for "$timeout_s" "the File menu" popup_menu_shown
press x
wait_for_exit_code_0
no_backup || fail "a backup file remains after a normal close"

step "no run reported a sanitizer error"
reports=$(grep -l -E 'ERROR: (Address|Leak)Sanitizer|runtime error:' "$tmp"/run*.err || true)
[[ -z $reports ]] || fail "sanitizer reports in: $reports"

log "PASS: backup, recall and close behave as expected ($step_number steps)"
