#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tonolog developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the Debian package with CPack in a scratch directory and inspects it with dpkg-deb: its
# name, version and architecture, a maintainer, dependencies on the Qt 6 libraries that
# dpkg-shlibdeps found, and exactly the installed files under /usr with their permissions.
#
# Usage: package_test.sh CPACK BUILD_DIR APP_ID VERSION
# Needs dpkg-dev (dpkg-shlibdeps).
set -euo pipefail
cpack=$1 build=$2 id=$3 version=$4
source "$(dirname "$0")/installed_files.sh"

tmp=$(mktemp -d "${TMPDIR:-/tmp}/tonolog-package.XXXXXX")
trap 'rm -rf -- "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

(cd "$tmp" && "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/out") >"$tmp/cpack.log" 2>&1 ||
    { cat "$tmp/cpack.log"; fail "cpack -G DEB"; }
shopt -s nullglob
debs=("$tmp"/out/tonolog_*.deb)
[[ ${#debs[@]} -eq 1 ]] || { cat "$tmp/cpack.log"; fail "expected one tonolog_*.deb, found ${#debs[@]}"; }
deb=${debs[0]}
echo "package: $(basename "$deb")"

field() { dpkg-deb --field "$deb" "$1"; }
[[ $(field Package) == tonolog ]] || fail "Package is \"$(field Package)\""
[[ $(field Version) == "$version" ]] || fail "Version is \"$(field Version)\", not $version"
[[ $(field Architecture) == "$(dpkg --print-architecture)" ]] || fail "Architecture is \"$(field Architecture)\""
[[ $(field Maintainer) == *@* ]] || fail "Maintainer is \"$(field Maintainer)\""
depends=$(field Depends)
echo "Depends: $depends"
# The package names alone, one a line.
names=$(sed 's/, */\n/g' <<<"$depends" | awk '{ print $1 }')
for library in libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 libqt6printsupport6 libc6 libstdc++6; do
    grep -q -x -F "$library" <<<"$names" || fail "Depends does not name $library"
done

# Regular files of the data part, as "mode owner path" (dpkg-deb lists "./usr/bin/tonolog").
contents=$(dpkg-deb --contents "$deb")
files=$(awk '$1 ~ /^-/ { print $1, $2, $6 }' <<<"$contents")
same_files "the package" "$(awk '{ sub(/^\.\/usr\//, "", $3); print $3 }' <<<"$files")"
while read -r mode owner path; do
    expected=-rw-r--r--
    [[ $path == ./usr/bin/* ]] && expected=-rwxr-xr-x
    [[ $mode == "$expected" && $owner == root/root ]] || fail "$path is $mode $owner, not $expected root/root"
done <<<"$files"
if awk '$1 ~ /^d/ && $1 != "drwxr-xr-x" { found = 1; print } END { exit !found }' <<<"$contents"; then
    fail "the directories above are not drwxr-xr-x"
fi
# The licence in Debian's machine-readable form, and the changelog of this version.
dpkg-deb --extract "$deb" "$tmp/root"
head -n 1 "$tmp/root/usr/share/doc/tonolog/copyright" |
    grep -q -x -F "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ||
    fail "the copyright file is not in the machine-readable format"
grep -q -x "License: GPL-3.0-or-later" "$tmp/root/usr/share/doc/tonolog/copyright" ||
    fail "the copyright file does not name GPL-3.0-or-later"
changelog_version=$(gzip -d -c "$tmp/root/usr/share/doc/tonolog/changelog.gz" |
                    dpkg-parsechangelog -l - --show-field Version)
[[ $changelog_version == "$version" ]] || fail "the changelog is of version $changelog_version, not $version"
echo "PASS: $(wc -l <<<"$files") files under /usr, Depends names the Qt 6 libraries, licence and changelog in place"
