#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Tonolog developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the GUI-free core and its GoogleTest tests for Windows with MinGW-w64, and runs them under
# Wine. Skipped (exit 77) where the cross compiler or Wine is not installed.
#
# Usage: core_under_wine.sh SOURCE_DIR BUILD_DIR
set -eu
source_dir=$1
build_dir=$2
compiler=x86_64-w64-mingw32-g++-posix
wine=$(command -v wine64 || command -v wine || ls /usr/lib/wine/wine64 2>/dev/null || true)
if ! command -v "$compiler" >/dev/null || [ -z "$wine" ]; then
    echo "SKIP: needs $compiler and Wine (Debian packages g++-mingw-w64-x86-64-posix and wine64)"
    exit 77
fi
cmake -S "$source_dir/tests/windows" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/mingw-w64.cmake" >/dev/null
cmake --build "$build_dir"
# A Wine prefix of the build's own, no window, no noise.
export WINEPREFIX="$build_dir/wineprefix" WINEDEBUG=-all DISPLAY=
exec "$wine" "$build_dir/document_tests.exe" --gtest_brief=1
