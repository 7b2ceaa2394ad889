#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tonolog developers
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end test of the backup file and its recall, with the real program on a private X server,
# driven through the keyboard as a user would.
#
#   Run 1  type a name and a reading, then kill -9 the program: the backup keeps the reading.
#   Run 2  the next start asks to recall the backup; Yes brings the diary back untitled; the
#          close question can be cancelled; Save as writes the recalled diary and drops the backup.
#   Run 3  File > Exit with nothing unsaved ends the program with code 0 and leaves no backup.
#   Run 4  the next start asks nothing; the time to the first frame is reported; Exit ends it.
#   Run 5  a reading typed but not yet taken in, then SIGTERM: the program ends with code 0 and the
#          backup holds the reading.
#   Run 6  the next start asks to recall it; No keeps the declined backup as a file of its own.
#   Last   no run's error output holds a sanitizer report (for the sanitizer build).
#
# Usage: recovery_test.sh PATH_TO_TONOLOG
# Needs Xvfb, xauth, xdotool, xwininfo and xprop; ImageMagick's `import` is used for a screenshot on
# failure when present. TONOLOG_E2E_TIMEOUT (seconds, default 30) bounds every wait.
set -euo pipefail

source "$(dirname "$0")/x_session.sh"

diagnose_more() {
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
}

backup="$XDG_DATA_HOME/Tonolog/Tonolog/TL_Backup"
settings_file="$XDG_CONFIG_HOME/Tonolog/Tonolog.conf"
saved="$tmp/recalled.tnl"
empty_backup=$(printf ',,,,,,,,,,,,,,\r\n' | od -An -c)

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

step "start a private X server"
start_x_server

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

# --- Run 5: the end of a session with an entry still in its box ------------------------------------
step "run 5: type the name Ann and SYS 131, staying in the box; then SIGTERM"
start_app run5 env
wait_for "$timeout_s" "the main window" exactly_one main_windows
main=$found
wait_for "$timeout_s" "the empty backup file" backup_is_empty_backup
focus_window "$main"
type_text Ann
press Tab Tab      # the date box, then SYS of reading 1
type_text 131
kill -TERM "$app_pid"
wait_for_exit_code_0
holds_diary "$backup" "131," || fail "the backup does not hold the reading that was still in its box"

# --- Run 6: the recall declined -----------------------------------------------------------------
step "run 6: the next start asks to recall; No keeps the backup as a file of its own"
start_app run6 env
wait_for "$timeout_s" "the recall question" exactly_one message_boxes
focus_window "$found"
press n
wait_for "$timeout_s" "the main window" exactly_one main_windows
main=$found
wait_for "$timeout_s" "the empty backup file" backup_is_empty_backup
declined=$(find "$(dirname "$backup")" -name 'TL_Backup (not recalled *).tnl')
[[ $(one_line "$declined") -eq 1 && -n $declined ]] || fail "no single declined backup was kept: $declined"
holds_diary "$declined" "131," || fail "the declined backup does not hold the reading"
[[ $(stat -c %a "$declined") == 600 ]] || fail "the declined backup is not private to the user"
focus_window "$main"
press alt+f
wait_for "$timeout_s" "the File menu" popup_menu_shown
press x
wait_for_exit_code_0

step "no run reported a sanitizer error"
no_sanitizer_reports "$tmp"/run*.err

log "PASS: backup, recall and close behave as expected ($step_number steps)"
