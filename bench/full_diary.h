// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The diary the benchmarks measure: the most days the program holds, 32767 from 1 January 1930,
// with three readings every day (about 98,000 readings) and a note holding a comma on every
// seventh day.
#include "document/dates.h"
#include "document/reading_table.h"

#include <string>
#include <string_view>
#include <vector>

namespace tonolog::bench {

inline const Date fullDiaryFirstDay = dateFromCivil(1930, 1, 1);
inline const Date fullDiaryLastDay{fullDiaryFirstDay.serial + ReadingTable::maxRows - 1};

inline std::string fullDiaryText() {
    const auto n = [](int v) { return std::to_string(v); };
    std::string text = "Ann,\r\n";
    for (int i = 0; i < ReadingTable::maxRows; ++i) {
        text += formatDayKey(Date{fullDiaryFirstDay.serial + i});
        text += "," + n(110 + i % 40) + "," + n(70 + i % 20) + "," + n(60 + i % 25) + ",7:05am,";
        text += n(115 + i % 35) + "," + n(72 + i % 18) + "," + n(62 + i % 21) + ",1:30pm,";
        text += n(120 + i % 30) + "," + n(75 + i % 15) + "," + n(65 + i % 20) + ",9:40pm,";
        text += i % 7 == 0 ? "after a walk, felt fine," : ",";
        text += "\r\n";
    }
    return text;
}

// The floor of reading: the file's bytes split into lines, nothing more.
inline void splitLines(std::string_view rest, std::vector<std::string_view>& lines) {
    while (!rest.empty()) {
        const auto nl = rest.find('\n');
        lines.push_back(rest.substr(0, nl));
        rest.remove_prefix(nl == std::string_view::npos ? rest.size() : nl + 1);
    }
}

} // namespace tonolog::bench
