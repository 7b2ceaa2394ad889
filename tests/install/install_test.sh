#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tonolog developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary prefix and checks the installed tree: every file in its
# standard place, the icons at their sizes, the desktop entry, the MIME type and the AppStream
# data passing their validators, and the desktop entry taking the diary files.
#
# Usage: install_test.sh CMAKE BUILD_DIR APP_ID
# Needs desktop-file-utils, appstream, libxml2-utils and shared-mime-info.
set -euo pipefail
cmake=$1 build=$2 id=$3
source "$(dirname "$0")/installed_files.sh"

tmp=$(mktemp -d "${TMPDIR:-/tmp}/tonolog-install.XXXXXX")
trap 'rm -rf -- "$tmp"' EXIT
prefix=$tmp/prefix
fail() { echo "FAIL: $*"; exit 1; }

"$cmake" --install "$build" --prefix "$prefix" >"$tmp/install.log" || { cat "$tmp/install.log"; fail "cmake --install"; }
same_files "the installed tree" "$(cd "$prefix" && find . -type f | sed 's|^\./||')"
[[ -x $prefix/bin/tonolog ]] || fail "bin/tonolog is not executable"
echo "installed tree: $(expected_files | wc -l) files in their places"

# A PNG's width and height are the two 32-bit numbers after its header's "IHDR".
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $3 * 256 + $4, $7 * 256 + $8 }'; }
for size in $icon_sizes; do
    icon=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
    [[ $(png_size "$icon") == "${size}x${size}" ]] || fail "$icon is $(png_size "$icon"), not ${size}x${size}"
done
xmllint --noout "$prefix/share/icons/hicolor/scalable/apps/$id.svg" || fail "the SVG icon is not well-formed XML"

# The validators: errors and warnings fail, hints are shown.
desktop=$prefix/share/applications/$id.desktop
out=$(desktop-file-validate "$desktop" 2>&1) || { echo "$out"; fail "desktop-file-validate"; }
if grep -E ': (error|warning):' <<<"$out"; then fail "desktop-file-validate reports the above"; fi
echo "desktop-file-validate: passed${out:+ with hints:}"
[[ -z $out ]] || echo "$out"

# Infos fail too; only the pedantic notes (not even listed without --pedantic) are let pass.
metainfo=$prefix/share/metainfo/$id.metainfo.xml
out=$(appstreamcli validate --no-net "$metainfo" 2>&1) || { echo "$out"; fail "appstreamcli validate"; }
if grep -E '^[EWI]:' <<<"$out"; then fail "appstreamcli validate reports the above"; fi
echo "appstreamcli validate --no-net: $(tail -n 1 <<<"$out")"

mime=$prefix/share/mime/packages/$id.xml
xmllint --noout "$mime" || fail "xmllint $mime"
# Anything it says on its error output (a bad file, an unknown element) fails; the prefix is on
# the search path, so that it does not note its absence.
out=$(XDG_DATA_DIRS=$prefix/share update-mime-database "$prefix/share/mime" 2>&1 >/dev/null) ||
    { echo "$out"; fail "update-mime-database"; }
[[ -z $out ]] || { echo "$out"; fail "update-mime-database reports the above"; }
grep -q -x -F '50:application/x-tonolog:*.tnl' "$prefix/share/mime/globs2" || fail "*.tnl does not map to application/x-tonolog"
grep -q -x -F 'application/x-tonolog text/plain' "$prefix/share/mime/subclasses" ||
    fail "application/x-tonolog is not a sub-class of text/plain"
echo "update-mime-database: *.tnl is application/x-tonolog, a sub-class of text/plain"

# The desktop entry opens the diary files, and everything names the same id.
out=$(XDG_DATA_DIRS=$prefix/share update-desktop-database "$prefix/share/applications" 2>&1) || { echo "$out"; fail "update-desktop-database"; }
[[ -z $out ]] || { echo "$out"; fail "update-desktop-database reports the above"; }
grep -q -x -F "application/x-tonolog=$id.desktop;" "$prefix/share/applications/mimeinfo.cache" ||
    fail "the desktop entry is not listed for application/x-tonolog"
entry() { sed -n "s/^$1=//p" "$desktop"; }
[[ $(entry Exec) == "tonolog %f" ]] || fail "Exec is \"$(entry Exec)\""
[[ $(entry Icon) == "$id" ]] || fail "Icon is \"$(entry Icon)\""
[[ $(xmllint --xpath 'string(/component/id)' "$metainfo") == "$id" ]] || fail "the AppStream id is not $id"
[[ $(xmllint --xpath 'string(/component/launchable[@type="desktop-id"])' "$metainfo") == "$id.desktop" ]] ||
    fail "the AppStream data does not launch $id.desktop"
[[ $(xmllint --xpath 'string(/component/provides/mediatype)' "$metainfo") == application/x-tonolog ]] ||
    fail "the AppStream data does not provide application/x-tonolog"
echo "PASS: the desktop entry $id.desktop opens application/x-tonolog (*.tnl)"
