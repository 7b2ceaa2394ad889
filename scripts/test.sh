#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Tonolog developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds every test and runs them through CTest, once in a plain build and once under
# AddressSanitizer and UndefinedBehaviorSanitizer. Any failure or sanitizer report fails.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
jobs=$(nproc 2>/dev/null || echo 2)

cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$root/build" -j "$jobs"
(cd "$root/build" && ctest --output-on-failure --timeout 600)

cmake -S "$root" -B "$root/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTONOLOG_SANITIZE=ON >/dev/null
cmake --build "$root/build-asan" -j "$jobs"
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
(cd "$root/build-asan" && ctest --output-on-failure --timeout 900)

# The reader under libFuzzer: the regression files, then a bounded fuzzing run.
"$root/scripts/fuzz.sh"
