#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Tonolog developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian 12 packages Tonolog needs to build, test and run, if any are missing.
set -eu

packages="cmake ninja-build g++ pkg-config python3 qt6-base-dev qt6-tools-dev qt6-l10n-tools libgl-dev libgtest-dev libgmock-dev libbenchmark-dev libxxhash-dev libzip-dev
fonts-dejavu-core fonts-liberation2 fonts-ipafont-gothic util-linux
xvfb xauth xdotool x11-utils x11-apps netpbm poppler-utils clang-14 libclang-rt-14-dev inotify-tools
dbus at-spi2-core python3-pyatspi
desktop-file-utils appstream libxml2-utils shared-mime-info dpkg-dev file
cups-daemon cups-client cups-ipp-utils printer-driver-cups-pdf
g++-mingw-w64-x86-64-posix wine64"

missing=""
for p in $packages; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" = 0 ]; then sudo=""; else sudo="sudo"; fi
echo "Installing:$missing"
$sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
# shellcheck disable=SC2086
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
