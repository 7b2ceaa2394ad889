#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tonolog developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Crash soak of the real program on a private X server: each cycle starts the program (recalling
# the backup after the first), types a reading on a day of its own and waits until the backup
# holds it, then kills the program with SIGKILL at a random moment: idle, while the next reading
# is typed, or (watched with inotify) just as the backup is being written. After every kill the
# backup must read as a diary and hold every reading committed so far, and after every start no
# temporary copy of the diary may be left. At the end the diary is saved under a name and must
# hold them all too.
#
# Usage: soak_test.sh PATH_TO_TONOLOG
# TONOLOG_SOAK_CYCLES (default 20) and TONOLOG_SOAK_SEED (default 20261208) choose the run.
# Needs Xvfb, xauth, xdotool, xwininfo, xprop and inotifywait (inotify-tools).
set -euo pipefail

source "$(dirname "$0")/x_session.sh"
command -v inotifywait >/dev/null || fail "inotifywait is not installed (Debian package: inotify-tools)"

cycles=${TONOLOG_SOAK_CYCLES:-20}
RANDOM=${TONOLOG_SOAK_SEED:-20261208}
backup_dir="$XDG_DATA_HOME/Tonolog/Tonolog"
backup="$backup_dir/TL_Backup"
saved="$tmp/soaked.tnl"
committed=()   # "key,value" of every reading the backup was seen to hold
watcher=""

diagnose_more() {
    if [[ -f $backup ]]; then
        log "backup file $backup (first lines):"
        head -n 5 "$backup" | od -c | head -n 20 | sed 's/^/  /'
    fi
    log "committed so far: ${#committed[@]}"
}

# The date of cycle i, in the date box's ISO form and in the diary's key form.
iso_of() { date -u -d "2004-01-01 + $1 days" +%Y-%m-%d; }
key_of() { LC_ALL=C date -u -d "2004-01-01 + $1 days" +%b./%d/%Y; }
value_of() { echo $((100 + ($1 * 7) % 120)); }

holds_all() {
    local file=$1 entry
    [[ -f $file ]] || return 1
    for entry in "${committed[@]}"; do
        grep -q -F -- "$entry," "$file" || return 1
    done
}

# A backup read after a kill: the name line first, every line whole.
reads_as_diary() {
    local file=$1
    [[ -f $file ]] || return 1
    [[ $(head -c 5 "$file") == "Ann,"$'\r' ]] || return 1
    [[ -z $(tail -c 2 "$file" | tr -d '\r\n') ]]
}

stale_temporaries() { find "$backup_dir" -maxdepth 1 -name '.TL_Backup.*' | wc -l; }

start_and_recall() {
    start_app "run$1" env
    if [[ $1 -gt 1 ]]; then
        wait_for "$timeout_s" "the recall question" exactly_one message_boxes
        focus_window "$found"
        press Return
        no_message_box() { [[ -z $(message_boxes) ]]; }
        wait_for "$timeout_s" "the recall question to close" no_message_box
    fi
    wait_for "$timeout_s" "the main window" exactly_one main_windows
    main=$found
    focus_window "$main"
}

# From the name box (where typing starts): the date of cycle $1 and its SYS of reading 1, then
# Tab, which commits it.
type_reading() {
    press Tab
    press ctrl+a
    type_text "$(iso_of "$1")"
    press Tab
    type_text "$(value_of "$1")"
    press Tab
}

kill_app() {
    kill -9 "$app_pid" 2>/dev/null || true
    { wait "$app_pid"; } 2>/dev/null || true
    app_pid=""
    if [[ -n $watcher ]]; then
        kill "$watcher" 2>/dev/null || true
        wait "$watcher" 2>/dev/null || true
        watcher=""
    fi
}

step "start a private X server"
start_x_server
killed_mid_write=0

for ((cycle = 1; cycle <= cycles; cycle++)); do
    step "cycle $cycle: start$([[ $cycle -gt 1 ]] && echo ', recall the backup')"
    start_and_recall "$cycle"
    if [[ $cycle -eq 1 ]]; then
        type_text Ann
    fi
    wait_for "$timeout_s" "the start-up to clean the backup's directory" test "$(stale_temporaries)" -eq 0

    type_reading "$cycle"
    entry="$(key_of "$cycle"),$(value_of "$cycle")"
    holds_entry() { grep -q -F -- "$entry," "$backup" 2>/dev/null; }
    wait_for "$timeout_s" "the backup to hold $entry" holds_entry
    committed+=("$entry")

    mode=$((RANDOM % 3))
    case $mode in
    0) sleep "0.$((RANDOM % 10))" ;;
    1) type_text 8 ;; # into DIA of reading 1, where the commit left the focus; not committed
    2)
        # The next commit's backup write: killed as soon as its temporary file appears.
        inotifywait -q -e create --format '%f' "$backup_dir" >"$tmp/created" 2>/dev/null &
        watcher=$!
        sleep 0.2
        type_text 9 # DIA of reading 1; leaving the box commits it
        press Tab
        for _ in $(seq 1 50); do
            kill -0 "$watcher" 2>/dev/null || break
            sleep 0.02
        done
        grep -q '^\.TL_Backup\.' "$tmp/created" 2>/dev/null && killed_mid_write=$((killed_mid_write + 1))
        ;;
    esac
    kill_app
    reads_as_diary "$backup" || fail "after the kill the backup does not read as a diary"
    holds_all "$backup" || fail "after the kill the backup lost a committed reading"
done

step "last start: recall, save the diary under a name, exit"
start_and_recall $((cycles + 1))
wait_for "$timeout_s" "the start-up to clean the backup's directory" test "$(stale_temporaries)" -eq 0
press ctrl+s
wait_for "$timeout_s" "the \"Save as\" dialog" exactly_one visible_windows_named "Save as"
focus_window "$found"
type_text "$saved"
press Return
wait_for "$timeout_s" "$saved to hold every committed reading" holds_all "$saved"
focus_window "$main"
press alt+f
wait_for "$timeout_s" "the File menu" popup_menu_shown
press x
wait_for_exit_code_0

step "no run reported a sanitizer error"
no_sanitizer_reports "$tmp"/run*.err

log "PASS: $cycles cycles, ${#committed[@]} readings committed, 0 lost, $killed_mid_write kills during a backup write, 0 temporaries left"
