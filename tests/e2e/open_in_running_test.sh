#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tonolog developers
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end test of a second start with a file while the program runs, with real processes on a
# private X server, driven through the keyboard as a user would.
#
#   1  The first start shows the untitled diary; a second start with bob.tnl ends at once and the
#      first window shows bob.tnl, asking nothing (nothing was changed).
#   2  A reading is typed, so bob.tnl has unsaved changes. A start with cid.tnl (a relative path)
#      makes the first window ask whether to overwrite bob.tnl; a start with ann.tnl while that
#      question is up ends too, and no second question opens on top of it.
#   3  Cancel: nothing changes (caption, bob.tnl on disk); then ann.tnl's own question follows.
#   4  Yes: bob.tnl is written with the reading and the window shows ann.tnl.
#   5  A start without a file only ends; File > Exit ends the first with code 0.
#   Last  no run's error output holds a sanitizer report (for the sanitizer build).
#
# Usage: open_in_running_test.sh PATH_TO_TONOLOG
# Needs Xvfb, xauth, xdotool, xwininfo and xprop. TONOLOG_E2E_TIMEOUT (seconds, default 30) bounds
# every wait.
set -euo pipefail

source "$(dirname "$0")/x_session.sh"

diagnose_more() {
    local f
    for f in "$tmp"/*.tnl; do
        log "$(basename "$f"): $(tr -d '\r' <"$f" | paste -sd '|')"
    done
    for f in "$tmp"/later*.err; do
        [[ -s $f ]] || continue
        log "stderr of $(basename "$f" .err):"
        sed 's/^/  /' "$f"
    done
}

printf 'Ann,\r\n' >"$tmp/ann.tnl"
printf 'Bob,\r\n' >"$tmp/bob.tnl"
printf 'Cid,\r\n' >"$tmp/cid.tnl"
bob_before=$(od -An -c "$tmp/bob.tnl")
cid_before=$(od -An -c "$tmp/cid.tnl")

later_count=0
# later_start [ARGUMENT]: starts the program again, in $tmp, and checks that it ends at once with
# code 0, showing no window of its own.
later_start() {
    later_count=$((later_count + 1))
    local run="later$later_count" rc=0
    (cd "$tmp" && timeout "$exit_timeout_s" "$app" "$@" >"$tmp/$run.out" 2>"$tmp/$run.err") || rc=$?
    [[ $rc -eq 0 ]] || fail "the start with \"$*\" ended with exit code $rc"
}

caption() { xdotool getwindowname "$main" 2>/dev/null || true; }
caption_is() { [[ $(caption) == "$1" ]]; }
no_message_box() { [[ -z $(message_boxes) ]]; }

step "start a private X server"
start_x_server

step "1: the first start shows the untitled diary"
start_app run1 env
wait_for "$timeout_s" "the main window" exactly_one main_windows
main=$found
wait_for "$timeout_s" "the caption \"Tonolog\"" caption_is Tonolog

step "1: a start with $tmp/bob.tnl ends, and the first window shows bob.tnl without a question"
later_start "$tmp/bob.tnl"
wait_for "$timeout_s" "the caption \"Tonolog [bob.tnl]\"" caption_is "Tonolog [bob.tnl]"
[[ -z $(message_boxes) ]] || fail "a question was asked although nothing was changed"
[[ $(main_windows) == "$main" ]] || fail "the main window is not the only window of the program"

step "2: type SYS 128 of reading 1, so bob.tnl has unsaved changes"
focus_window "$main"
press Tab          # from the name box to the date box
press Tab          # to SYS of reading 1
type_text 128
press Tab          # leaving the box commits the day
backup="$XDG_DATA_HOME/Tonolog/Tonolog/TL_Backup"
backup_holds_reading() { grep -q -F ',128,' "$backup" 2>/dev/null; }
wait_for "$timeout_s" "the backup to hold SYS 128" backup_holds_reading

step "2: a start with the relative path cid.tnl: the first window asks about bob.tnl"
later_start cid.tnl
wait_for "$timeout_s" "the question about the unsaved file" exactly_one message_boxes
question=$found

step "2: a start with ann.tnl while the question is up ends, and no second question opens"
later_start "$tmp/ann.tnl"
sleep 1
[[ $(message_boxes) == "$question" ]] || fail "expected only the first question, found: $(message_boxes)"
caption_is "Tonolog [bob.tnl]" || fail "the caption changed to \"$(caption)\" while the question is up"

step "3: Cancel: nothing changes, and ann.tnl's question follows"
focus_window "$question"
press Escape
question_replaced() { exactly_one message_boxes && [[ $found != "$question" ]]; }
wait_for "$timeout_s" "the question for ann.tnl" question_replaced
question=$found
caption_is "Tonolog [bob.tnl]" || fail "the caption is \"$(caption)\" after Cancel"
[[ $(od -An -c "$tmp/bob.tnl") == "$bob_before" ]] || fail "bob.tnl changed on disk after Cancel"

step "4: Yes (Return on the default button): bob.tnl is written, the window shows ann.tnl"
focus_window "$question"
press Return
wait_for "$timeout_s" "the question to close" no_message_box
wait_for "$timeout_s" "the caption \"Tonolog [ann.tnl]\"" caption_is "Tonolog [ann.tnl]"
bob_holds_reading() { head -n 1 "$tmp/bob.tnl" | grep -q -x -F $'Bob,\r' && grep -q -F ',128,' "$tmp/bob.tnl"; }
bob_holds_reading || fail "bob.tnl does not hold the name and SYS 128"
log "    bob.tnl: $(tr -d '\r' <"$tmp/bob.tnl" | paste -sd '|')"
[[ $(od -An -c "$tmp/cid.tnl") == "$cid_before" ]] || fail "cid.tnl changed"

step "5: a start without a file only ends; the window and its diary stay as they are"
later_start
sleep 0.5
caption_is "Tonolog [ann.tnl]" || fail "the caption changed to \"$(caption)\""
[[ -z $(message_boxes) ]] || fail "a question was asked"

step "5: File > Exit ends the first start with code 0"
focus_window "$main"
press alt+f
wait_for "$timeout_s" "the File menu" popup_menu_shown
press x
wait_for_exit_code_0

step "no run reported a sanitizer error"
no_sanitizer_reports "$tmp"/*.err

log "PASS: a file handed over by a later start opens in the running window ($step_number steps)"
