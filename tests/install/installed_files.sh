# SPDX-FileCopyrightText: 2026 The Tonolog developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The files an installation puts under its prefix, and a check of a tree against them. Sourced by
# install_test.sh and package_test.sh; needs $id, the application id.

icon_sizes="16 24 32 48 64 128 256"

# One path a line, relative to the prefix, sorted.
expected_files() {
    {
        echo bin/tonolog
        echo share/tonolog/Tonolog.hlp
        echo "share/applications/$id.desktop"
        echo "share/mime/packages/$id.xml"
        echo "share/metainfo/$id.metainfo.xml"
        local size
        for size in $icon_sizes; do
            echo "share/icons/hicolor/${size}x${size}/apps/$id.png"
        done
        echo "share/icons/hicolor/scalable/apps/$id.svg"
        echo share/doc/tonolog/copyright
        echo share/doc/tonolog/changelog.gz
    } | LC_ALL=C sort
}

# same_files WHAT ACTUAL_LIST: fails with both lists' differences when ACTUAL_LIST (one path a
# line) is not exactly the expected files.
same_files() {
    local what=$1 actual=$2
    local difference
    if ! difference=$(diff <(expected_files) <(printf '%s\n' "$actual" | LC_ALL=C sort)); then
        echo "FAIL: $what is not the expected set of files (< missing, > unexpected):"
        printf '%s\n' "$difference" | grep '^[<>]'
        return 1
    fi
}
