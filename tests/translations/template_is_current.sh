#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Tonolog developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when the translation template in the repository is not what lupdate finds in the sources
# now: a text added, changed or gone without the template written anew (cmake --build build
# --target tonolog_lupdate writes it).
#
# Usage: template_is_current.sh LUPDATE SOURCE_DIR TEMPLATE.ts
set -eu
lupdate=$1
sources=$2
template=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
"$lupdate" -silent -locations none -no-obsolete "$sources" -ts "$scratch/now.ts"
grep '<source>' "$template" | sort >"$scratch/kept"
grep '<source>' "$scratch/now.ts" | sort >"$scratch/found"
if ! diff -u "$scratch/kept" "$scratch/found"; then
    echo "The translation template is out of date: write it anew with the target tonolog_lupdate."
    exit 1
fi
echo "$(wc -l <"$scratch/found") texts, all in the template"
