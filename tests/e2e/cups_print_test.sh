#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tonolog developers
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end test of printing to a real printer: a private CUPS scheduler whose default printer is
# a cups-pdf queue; the real program on a private X server prints the List page and then the Trend
# page through the printer dialog (Ctrl+P, Enter). Each page becomes a job titled after the program
# and the page, which cups-pdf turns into a one-page PDF. The printer dialog check of test_platform
# then runs against the same scheduler.
#
# Usage: cups_print_test.sh PATH_TO_TONOLOG PATH_TO_TEST_PLATFORM PATH_TO_DIARY
# Needs root (the cups-pdf backend runs as root only), cupsd, cups-pdf, ipptool and a private mount
# namespace, in which cups-pdf reads a configuration of the test's own instead of the system's;
# without one of them it says why and exits 77, which CTest counts as skipped. Nothing outside its
# temporary directories is written.
set -euo pipefail

skip() {
    echo "skipped: $*"
    exit 77
}
[[ $(id -u) == 0 ]] || skip "cupsd and the cups-pdf backend run as root only"
PATH=$PATH:/usr/sbin
for tool in cupsd lpadmin ipptool unshare; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (Debian packages: cups cups-client cups-ipp-utils)"
done
cups_pdf_ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
[[ -x /usr/lib/cups/backend/cups-pdf && -f $cups_pdf_ppd && -f /etc/cups/cups-pdf.conf ]] ||
    skip "the cups-pdf backend is not installed (Debian package printer-driver-cups-pdf)"
unshare --mount true 2>/dev/null || skip "no private mount namespace for cups-pdf's configuration"

dialog_test=$(readlink -f -- "${2:-}")
diary_source=$(readlink -f -- "${3:-}")
set -- "$1"
source "$(dirname "$0")/x_session.sh"
for tool in pdfinfo pdftotext; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (Debian package poppler-utils)"
done
[[ -x $dialog_test ]] || fail "no test_platform executable"
[[ -f $diary_source ]] || fail "no diary file to open"
diary="$tmp/example.tnl"
cp -- "$diary_source" "$diary"

# The scheduler's own directory: its filters run as lp, which must reach the spool inside.
cups=$(mktemp -d "${TMPDIR:-/tmp}/tonolog-cups.XXXXXX")
chmod 0755 "$cups"
mkdir "$cups"/{spool,cache,state,log,pdf,cups-pdf}
cupsd_pid=""
finish() {
    local rc=$?
    set +e
    if [[ -n $cupsd_pid ]]; then
        kill "$cupsd_pid" 2>/dev/null
        wait "$cupsd_pid" 2>/dev/null
    fi
    if [[ $rc -eq 0 ]]; then rm -rf -- "$cups"; fi
    (exit "$rc")
    cleanup
}
trap finish EXIT

diagnose_more() {
    log "jobs (id, state, name):"
    jobs_csv 2>&1 | sed 's/^/  /' || true
    log "scheduler errors and warnings:"
    grep -a '^[EW]' "$cups/log/error_log" 2>/dev/null | tail -n 30 | sed 's/^/  /' || true
    log "CUPS files kept in $cups"
}

step "start a private CUPS scheduler with a cups-pdf queue as its default printer"
cat >"$cups/cups-files.conf" <<EOF
ServerRoot $cups
RequestRoot $cups/spool
CacheDir $cups/cache
StateDir $cups/state
ServerBin /usr/lib/cups
DataDir /usr/share/cups
ErrorLog $cups/log/error_log
AccessLog $cups/log/access_log
PageLog $cups/log/page_log
Printcap $cups/printcap
EOF
# A location, so that root is let in through the socket's peer credentials; a policy that shows
# every job's title to whoever asks, as the test reads them back.
cat >"$cups/cupsd.conf" <<EOF
Listen $cups/cups.sock
Browsing No
WebInterface No
LogLevel info
PreserveJobFiles Yes
DefaultPolicy open
<Location />
</Location>
<Policy open>
JobPrivateAccess all
JobPrivateValues none
SubscriptionPrivateAccess all
SubscriptionPrivateValues none
<Limit All>
Order deny,allow
</Limit>
</Policy>
EOF
# Label 2: each PDF's name ends in "-job_<id>".
cat >"$cups/cups-pdf.conf" <<EOF
Out $cups/pdf
Spool $cups/cups-pdf
GSTmp $cups/cups-pdf
Log $cups/log
Label 2
EOF
# shellcheck disable=SC2016
unshare --mount sh -c 'mount --bind "$1/cups-pdf.conf" /etc/cups/cups-pdf.conf &&
    exec cupsd -f -c "$1/cupsd.conf" -s "$1/cups-files.conf"' sh "$cups" >"$cups/log/cupsd.out" 2>&1 &
cupsd_pid=$!
export CUPS_SERVER="$cups/cups.sock"
cups_listens() {
    kill -0 "$cupsd_pid" 2>/dev/null || fail "cupsd ended: $(cat "$cups/log/cupsd.out")"
    [[ -S $CUPS_SERVER ]]
}
wait_for "$timeout_s" "cupsd's socket" cups_listens
lpadmin -p TonologTest -E -v cups-pdf:/ -P "$cups_pdf_ppd" 2>"$cups/log/lpadmin.err" ||
    fail "lpadmin: $(cat "$cups/log/lpadmin.err")"
lpadmin -d TonologTest
log "    $(lpstat -d)"

cat >"$cups/get-jobs.test" <<'EOF'
{
    OPERATION Get-Jobs
    GROUP operation-attributes-tag
    ATTR charset attributes-charset utf-8
    ATTR naturalLanguage attributes-natural-language en
    ATTR uri printer-uri $uri
    ATTR name requesting-user-name $user
    ATTR keyword which-jobs all
    ATTR keyword requested-attributes job-id,job-state,job-name
    STATUS successful-ok
    DISPLAY job-id
    DISPLAY job-state
    DISPLAY job-name
}
EOF
# The queue's jobs as "id,state,name" lines, the socket's path percent-encoded as the URI's host.
jobs_csv() { ipptool -c "ipp://${CUPS_SERVER//\//%2F}/printers/TonologTest" "$cups/get-jobs.test" | tail -n +2; }

step "start a private X server"
start_x_server

step "start the program with the example diary"
"$app" "$diary" >"$tmp/run1.out" 2>"$tmp/run1.err" &
app_pid=$!
wait_for "$timeout_s" "the main window" exactly_one main_windows
main=$found

# Ctrl+Tab to the next page, Ctrl+P, and Enter in the printer dialog on its default printer.
print_next_page() {
    focus_window "$main"
    press ctrl+Tab ctrl+p
    wait_for "$timeout_s" "the \"Print\" dialog" exactly_one visible_windows_named "Print"
    focus_window "$found"
    press Return
    no_print_dialog() { [[ -z $(visible_windows_named "Print") ]]; }
    wait_for "$timeout_s" "the \"Print\" dialog to close" no_print_dialog
}

step "print the List page, then the Trend page, on TonologTest"
print_next_page
print_next_page

step "both jobs complete, each a PDF of one page"
jobs=""
two_jobs_completed() {
    jobs=$(jobs_csv) || return 1
    if grep -q -E '^[0-9]+,(aborted|canceled|stopped),' <<<"$jobs"; then fail "a job did not print"; fi
    [[ $(grep -c '^[0-9]*,completed,' <<<"$jobs") -eq 2 ]]
}
wait_for 60 "two completed jobs" two_jobs_completed
# The document the program sent, kept in the spool, tells the pages apart: cups-pdf's PDF has no text.
for job in "1 's data list" "2 's BP Trend"; do
    read -r id text <<<"$job"
    grep -q -F "$text" <(pdftotext "$cups/spool/d0000$id-001" -) || fail "job $id does not show \"$text\""
    pdf=$(find "$cups/pdf" -name "*-job_$id.pdf")
    [[ -n $pdf ]] || fail "cups-pdf made no PDF of job $id"
    pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
    [[ $pages == 1 ]] || fail "the PDF of job $id has $pages pages, not one"
done

step "the jobs are titled \"Tonolog – \" and the page"
# The title as the job was submitted, from the job's control file in the spool (an IPP message),
# which the scheduler writes a moment after the job: its answers leave the title out now and then
# for a job just completed.
job_title() {
    python3 - "$cups/spool/c0000$1" <<'PY'
import os, sys
if not os.path.exists(sys.argv[1]):
    sys.exit(0)
data = open(sys.argv[1], "rb").read()
at = data.find(b"\x42\x00\x08job-name")
if at >= 0:
    at += 11
    size = int.from_bytes(data[at:at + 2], "big")
    sys.stdout.write(data[at + 2:at + 2 + size].decode("utf-8"))
PY
}
titles_written() { [[ -n $(job_title 1) && -n $(job_title 2) ]]; }
wait_for 30 "the jobs' control files" titles_written
for id in 1 2; do
    name=$(job_title "$id")
    log "    job $id: \"$name\""
    expected="trend"
    [[ $id != 1 ]] || expected="data list"
    [[ $name == "Tonolog – "* && ${name,,} == *"$expected"* ]] ||
        fail "job $id is titled \"$name\", not \"Tonolog – …$expected…\""
done

step "the printer dialog offscreen offers no page range"
QT_QPA_PLATFORM=offscreen "$dialog_test" printerDialogOffersAFileButNoRangeOrSelection >"$tmp/dialog_test.out" 2>&1 ||
    fail "test_platform printerDialogOffersAFileButNoRangeOrSelection: $(tail -n 20 "$tmp/dialog_test.out")"

step "File > Exit ends the program with code 0"
focus_window "$main"
press alt+f
wait_for "$timeout_s" "the File menu" popup_menu_shown
press x
wait_for_exit_code_0
no_sanitizer_reports "$tmp"/run*.err

log "PASS: the List and Trend pages print on a CUPS queue as one-page jobs titled after the page ($step_number steps)"
