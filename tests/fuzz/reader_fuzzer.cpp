// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the data file reader with the writer behind it: whatever loads must write back to
// itself. Built with clang's libFuzzer on the core only (scripts/fuzz.sh).
#include "data_file.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace tonolog;

namespace {

const Date today = dateFromCivil(2026, 12, 8);

[[noreturn]] void fault(const char* what) {
    std::fprintf(stderr, "round trip fault: %s\n", what);
    std::abort();
}

bool sameTable(const ReadingTable& a, const ReadingTable& b) {
    if (a.count() != b.count())
        return false;
    for (int p = 1; p <= a.count(); ++p) {
        if (a.rowAt(p).key() != b.rowAt(p).key())
            return false;
        for (int c = 1; c <= subColumnCount; ++c)
            if (a.rowAt(p).column(c) != b.rowAt(p).column(c))
                return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    Document first;
    readDiaryText(first, input, today);
    const std::string written = formatDiary(first.userName(), first.table());
    Document second;
    readDiaryText(second, written, today);
    if (second.userName() != first.userName())
        fault("name");
    if (!sameTable(first.table(), second.table()))
        fault("rows");
    if (second.trendWindowStart() != first.trendWindowStart() ||
        second.trendWindowEnd() != first.trendWindowEnd())
        fault("trend window");
    if (second.listTopIndex() != first.listTopIndex())
        fault("list top");
    if (second.firstDay() != first.firstDay() || second.lastDay() != first.lastDay())
        fault("day range");
    if (formatDiary(second.userName(), second.table()) != written)
        fault("second write");
    return 0;
}
