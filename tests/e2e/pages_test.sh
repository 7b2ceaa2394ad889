#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tonolog developers
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end test of the List and Trend pages: the real program on a private X server without a
# window manager opens the example diary; a click on the List tab shows the chart, drawn while its
# page was hidden (the three zones and the bars of the latest days); a click on the Trend tab
# shows the graph (zones, dark red and blue series, green pulse dots). Back on the List page,
# File > Print opens the real printer dialog, whose Print to File writes a one-page PDF of the
# list.
#
# Usage: pages_test.sh PATH_TO_TONOLOG PATH_TO_DIARY
# Needs Xvfb, xauth, xdotool, xwininfo, xprop, xwd, netpbm and poppler-utils. TONOLOG_E2E_SCREENSHOTS names a
# directory that receives the screenshots of the three pages as PNG. Run with QT_SCALE_FACTOR=2 (and
# TONOLOG_E2E_SCREEN=2000x1500x24, so that the window fits) it checks the same at twice the size.
set -euo pipefail

diary_source=$(readlink -f -- "${2:-}")
set -- "$1"
source "$(dirname "$0")/x_session.sh"
for tool in xwd xwdtopnm pnmnoraw pnmtopng pdftotext pdfinfo; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (Debian packages: x11-apps netpbm poppler-utils)"
done
[[ -f $diary_source ]] || fail "no diary file to open"
diary="$tmp/example.tnl"
cp -- "$diary_source" "$diary"

# The window's pixels as plain PPM numbers.
screenshot() { xwd -silent -id "$1" | xwdtopnm 2>/dev/null | pnmnoraw; }

# Reads a plain PPM and prints: the centres of the List and Trend tabs' faces (lavender and pink,
# in the top rows), the counts of the three zone colours, the rows of the chart that hold a black
# bar (a horizontal run of at least 8 black pixels inside the zones' bounding box), and the counts
# of the trend's dark red, blue and green.
analyse() {
    awk '
        { for (i = 1; i <= NF; i++) v[n++] = $i }
        END {
            w = v[1]; h = v[2]; k = 4
            minx = w; miny = h; maxx = -1; maxy = -1
            for (y = 0; y < h; y++) for (x = 0; x < w; x++) {
                r = v[k]; g = v[k + 1]; b = v[k + 2]; k += 3
                p[y, x] = r "," g "," b
                if (p[y, x] == "210,210,255" && y < 80) { tx += x; ty += y; tn++ }
                if (p[y, x] == "255,206,206" && y < 80) { rx += x; ry += y; rn++ }
                if (p[y, x] == "159,0,0") sysColour++
                if (p[y, x] == "0,0,234") diaColour++
                if (p[y, x] == "75,156,122") pulColour++
                z = (p[y, x] == "210,255,210") ? "green" : (p[y, x] == "255,255,200") ? "yellow" : (p[y, x] == "255,233,200") ? "orange" : ""
                if (z != "") {
                    zone[z]++
                    if (x < minx) minx = x; if (x > maxx) maxx = x
                    if (y < miny) miny = y; if (y > maxy) maxy = y
                }
            }
            printf "tab %d %d\n", (tn ? tx / tn : -1), (tn ? ty / tn : -1)
            printf "trendtab %d %d\n", (rn ? rx / rn : -1), (rn ? ry / rn : -1)
            printf "series %d %d %d\n", sysColour, diaColour, pulColour
            printf "zones %d %d %d\n", zone["green"], zone["yellow"], zone["orange"]
            bars = 0
            for (y = miny; y <= maxy; y++) {
                run = 0; best = 0
                for (x = minx; x <= maxx; x++) {
                    if (p[y, x] == "0,0,0") { run++; if (run > best) best = run } else run = 0
                }
                if (best >= 8) bars++
            }
            printf "barrows %d\n", bars
        }'
}

step "start a private X server"
start_x_server

step "start the program with the example diary"
"$app" "$diary" >"$tmp/run1.out" 2>"$tmp/run1.err" &
app_pid=$!
wait_for "$timeout_s" "the main window" exactly_one main_windows
main=$found
caption_names_diary() { [[ $(xdotool getwindowname "$main" 2>/dev/null) == "Tonolog [example.tnl]" ]]; }
wait_for "$timeout_s" "the caption \"Tonolog [example.tnl]\"" caption_names_diary
keep_screenshot() {
    if [[ -n ${TONOLOG_E2E_SCREENSHOTS:-} ]]; then
        xwd -silent -id "$main" | xwdtopnm 2>/dev/null | pnmtopng >"$TONOLOG_E2E_SCREENSHOTS/$1.png"
    fi
}
keep_screenshot diary

step "click the List tab"
read -r _ list_x list_y < <(screenshot "$main" | analyse | grep '^tab ')
((list_x >= 0)) || fail "the List tab's face was not found on the window"
xdotool mousemove --window "$main" "$list_x" "$list_y" click 1

step "the chart shows its zones and the bars of the latest days"
shown=""
list_page_drawn() {
    shown=$(screenshot "$main" | analyse)
    read -r _ green yellow orange < <(grep '^zones ' <<<"$shown")
    read -r _ bar_rows < <(grep '^barrows ' <<<"$shown")
    ((green > 1000 && yellow > 1000 && orange > 1000 && bar_rows >= 8))
}
wait_for "$timeout_s" "the List page's chart with bars" list_page_drawn
log "    $(tr '\n' ' ' <<<"$shown")"
keep_screenshot list

step "click the Trend tab"
read -r _ tab_x tab_y < <(grep '^trendtab ' <<<"$shown")
((tab_x >= 0)) || fail "the Trend tab's face was not found on the window"
xdotool mousemove --window "$main" "$tab_x" "$tab_y" click 1

step "the graph shows its zones, both series and the pulse dots"
trend_page_drawn() {
    shown=$(screenshot "$main" | analyse)
    read -r _ green yellow orange < <(grep '^zones ' <<<"$shown")
    read -r _ sys_colour dia_colour pul_colour < <(grep '^series ' <<<"$shown")
    ((green > 1000 && yellow > 1000 && orange > 1000 && sys_colour > 200 && dia_colour > 200 && pul_colour > 100))
}
wait_for "$timeout_s" "the Trend page's graph" trend_page_drawn
log "    $(tr '\n' ' ' <<<"$shown")"
keep_screenshot trend

step "back on the List page, File > Print opens the printer dialog"
xdotool mousemove --window "$main" "$list_x" "$list_y" click 1
focus_window "$main"
press alt+f
wait_for "$timeout_s" "the File menu" popup_menu_shown
press p
wait_for "$timeout_s" "the \"Print\" dialog" exactly_one visible_windows_named "Print"
dialog=$found

step "print to a PDF file, the dialog's choice where no printer is installed"
focus_window "$dialog"
press Return
pdf_written() {
    pdf=$(find "$tmp" -name '*.pdf' -size +1k | head -n 1)
    [[ -n $pdf ]] && pdfinfo "$pdf" >/dev/null 2>&1
}
wait_for "$timeout_s" "the PDF file" pdf_written
pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
[[ $pages == 1 ]] || fail "the PDF has $pages pages, not one"
text=$(pdftotext "$pdf" -)
for piece in "Hanna Berg 's data list" "mmHg" 32 33 34 35 "Nov./22/"; do
    grep -q -F -- "$piece" <<<"$text" || fail "the printed list does not show \"$piece\""
done
log "    $pdf: one page, $(pdfinfo "$pdf" | sed -n 's/^Page size: *//p')"
if [[ -n ${TONOLOG_E2E_SCREENSHOTS:-} ]]; then cp -- "$pdf" "$TONOLOG_E2E_SCREENSHOTS/list.pdf"; fi

step "File > Exit ends the program with code 0"
focus_window "$main"
press alt+f
wait_for "$timeout_s" "the File menu" popup_menu_shown
press x
wait_for_exit_code_0

step "the run reported no sanitizer error"
no_sanitizer_reports "$tmp"/run*.err

log "PASS: the List and Trend pages show their drawings the first time they are opened, and the list prints ($step_number steps)"
