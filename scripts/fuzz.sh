#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Tonolog developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Fuzzes the data file reader (with the writer behind it) using clang's libFuzzer on the core
# only: first replays every regression file, then fuzzes for TONOLOG_FUZZ_SECONDS seconds
# (default 60) from the seed corpus. Any crash, sanitizer report or round-trip fault fails.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${TONOLOG_FUZZ_SECONDS:-60}
out="$root/build-fuzz"
mkdir -p "$out/corpus"
compiler=$(command -v clang++-14 || command -v clang++)

"$compiler" -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    -I"$root/src/document" $(ls "$root"/src/document/*.cpp | grep -v _windows.cpp) "$root/tests/fuzz/reader_fuzzer.cpp" \
    -o "$out/reader_fuzzer"

echo "Replaying the regression files"
"$out/reader_fuzzer" "$root"/tests/fuzz/regressions/* >"$out/replay.log" 2>&1 || { cat "$out/replay.log"; exit 1; }

echo "Fuzzing the reader for $seconds s"
cd "$out"
if ! ./reader_fuzzer -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
    corpus "$root/tests/fuzz/seeds" >"$out/fuzz.log" 2>&1; then
    tail -n 40 "$out/fuzz.log"
    echo "The fuzzer found a fault; the input is in $out (crash-*)."
    exit 1
fi
grep -E '^stat::number_of_executed_units|DONE' "$out/fuzz.log" | tail -n 2
