#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tonolog developers
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end test of what a screen reader gets: the real program on a private X server, with a
# private session bus and the desktop's accessibility bus (AT-SPI), read from the bus through
# pyatspi and driven with real key events. accessibility_check.py starts the program once for each
# point it checks and reports every point as PASS or FAIL with what the bus showed.
#
# Usage: accessibility_test.sh PATH_TO_TONOLOG
# Needs Xvfb, xauth, xdotool, xwininfo, xprop, dbus-daemon, dbus-send, at-spi-bus-launcher and a
# Python 3 with pyatspi (Debian packages: xvfb xauth xdotool x11-utils dbus dbus-bin at-spi2-core
# python3-pyatspi); without one of them it says which and exits 77, which CTest counts as skipped.
# xwd and xwdtopnm (x11-apps, netpbm) are used for the focus ring's pixels when present.
# TONOLOG_E2E_TIMEOUT (seconds, default 30) bounds every wait; TONOLOG_E2E_POINTS (for example
# "3,7") checks only the points named.
set -euo pipefail

skip() {
    echo "skipped: $*"
    exit 77
}
for tool in Xvfb:xvfb xauth:xauth xdotool:xdotool xwininfo:x11-utils xprop:x11-utils dbus-daemon:dbus dbus-send:dbus-bin; do
    command -v "${tool%:*}" >/dev/null || skip "${tool%:*} is not installed (Debian package ${tool#*:})"
done
launcher=""
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    if [[ -x $candidate ]]; then
        launcher=$candidate
        break
    fi
done
[[ -n $launcher ]] || skip "at-spi-bus-launcher is not installed (Debian package at-spi2-core)"
# pyatspi comes with the system's Python; a python3 earlier on PATH (a virtual environment, pyenv)
# may lack it.
python=""
for candidate in /usr/bin/python3 "$(command -v python3 || true)"; do
    if [[ -n $candidate && -x $candidate ]] && "$candidate" -c 'import pyatspi' 2>/dev/null; then
        python=$candidate
        break
    fi
done
[[ -n $python ]] || skip "no Python 3 with pyatspi (Debian package python3-pyatspi)"
checker="$(cd "$(dirname "$0")" && pwd)/accessibility_check.py"

source "$(dirname "$0")/x_session.sh"

session_bus_pid=""
launcher_pid=""
a11y_bus_pid=""
finish() {
    local rc=$?
    set +e
    # The program goes first (the checker ends its own runs), then the accessibility bus, whose end
    # the launcher (its parent) collects before it ends itself, then the session bus; the registry
    # daemon leaves with the session bus.
    if [[ -n $app_pid ]] && kill -0 "$app_pid" 2>/dev/null; then
        kill -9 "$app_pid" 2>/dev/null
        wait "$app_pid" 2>/dev/null
        app_pid=""
    fi
    if [[ -n $a11y_bus_pid && -n $launcher_pid ]]; then
        kill "$a11y_bus_pid" 2>/dev/null
        local deadline=$(($(now_ms) + 5000))
        while kill -0 "$launcher_pid" 2>/dev/null && (($(now_ms) < deadline)); do sleep 0.1; done
    fi
    if [[ -n $launcher_pid ]]; then
        kill "$launcher_pid" 2>/dev/null
        wait "$launcher_pid" 2>/dev/null
    fi
    if [[ -n $session_bus_pid ]]; then
        kill "$session_bus_pid" 2>/dev/null
        wait "$session_bus_pid" 2>/dev/null
    fi
    (exit "$rc")
    cleanup
}
trap finish EXIT

diagnose_more() {
    log "session bus: ${DBUS_SESSION_BUS_ADDRESS:-none}"
    local f
    for f in "$tmp/session-bus.log" "$tmp/launcher.log"; do
        [[ -s $f ]] || continue
        log "$(basename "$f"):"
        tail -n 20 "$f" | sed 's/^/  /'
    done
}

step "start a private X server"
start_x_server

step "start a private session bus"
export DBUS_SESSION_BUS_ADDRESS="unix:path=$tmp/session-bus"
: >"$tmp/session-bus.address"
dbus-daemon --session --nofork --nopidfile --address="$DBUS_SESSION_BUS_ADDRESS" --print-address=3 \
    3>"$tmp/session-bus.address" >"$tmp/session-bus.log" 2>&1 &
session_bus_pid=$!
bus_address_known() {
    [[ -s $tmp/session-bus.address ]] || { kill -0 "$session_bus_pid" || fail "dbus-daemon ended: $(cat "$tmp/session-bus.log")"; return 1; }
}
wait_for "$timeout_s" "the session bus to report its address" bus_address_known
log "    session bus $(head -n 1 "$tmp/session-bus.address") (pid $session_bus_pid)"

step "start the accessibility bus and switch accessibility on"
unset NO_AT_BRIDGE AT_SPI_BUS_ADDRESS
# The launcher reads the desktop's settings; from memory, it starts no dconf service.
GSETTINGS_BACKEND=memory "$launcher" --launch-immediately >"$tmp/launcher.log" 2>&1 &
launcher_pid=$!
# Asked before the launcher owns its name, the bus would start a second one from its service file.
launcher_owns_name() {
    kill -0 "$launcher_pid" 2>/dev/null || fail "at-spi-bus-launcher ended: $(cat "$tmp/launcher.log")"
    dbus-send --session --print-reply=literal --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q true
}
wait_for "$timeout_s" "at-spi-bus-launcher to own the name org.a11y.Bus" launcher_owns_name
a11y_address() {
    dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress 2>/dev/null
}
a11y_bus_answers() { [[ $(a11y_address) == *unix:* ]]; }
wait_for "$timeout_s" "the accessibility bus to give its address" a11y_bus_answers
a11y_bus_pid=$(dbus-send --bus="$(a11y_address | tr -d ' ')" --print-reply=literal --dest=org.freedesktop.DBus \
    /org/freedesktop/DBus org.freedesktop.DBus.GetConnectionUnixProcessID string:org.freedesktop.DBus |
    awk '{print $2}' || true)
log "    accessibility bus $(a11y_address | tr -d ' ') (pid $a11y_bus_pid, launcher pid $launcher_pid)"
# What a desktop's accessibility setting does; the program is also told so directly below.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.freedesktop.DBus.Properties.Set \
    string:org.a11y.Status string:IsEnabled variant:boolean:true >/dev/null
enabled() {
    dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
        org.freedesktop.DBus.Properties.Get string:org.a11y.Status string:IsEnabled 2>/dev/null | grep -q true
}
wait_for "$timeout_s" "org.a11y.Status IsEnabled to read true" enabled
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

step "check the points through the accessibility bus"
rc=0
"$python" "$checker" --app "$app" --dir "$tmp" --timeout "$timeout_s" --points "${TONOLOG_E2E_POINTS:-all}" || rc=$?
[[ $rc -eq 0 ]] || fail "the accessibility check reported failures (exit code $rc); see above"

step "no run reported a sanitizer error"
no_sanitizer_reports "$tmp"/run*.err

log "PASS: every point checked through the accessibility bus holds"
