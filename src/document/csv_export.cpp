// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "csv_export.h"

#include "conversions.h"

#include <cstdio>

namespace tonolog {

namespace {

// A time that does not read as one (a hand-edited file) is written as it is stored.
std::string time24(std::string_view stored) {
    const auto t = parseTimeOfDay(stored);
    if (!t)
        return csvField(stored);
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", t->hour, t->minute);
    return text;
}

} // namespace

std::string csvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string csvOfReadings(const ReadingTable& table, Date from, Date to) {
    std::string out = "date,time,reading,sys,dia,pul,note\r\n";
    for (int position = 1; position <= table.count(); ++position) {
        const DayRow& row = table.rowAt(position);
        const auto date = parseDate(row.key());
        if (!date || *date < from || *date > to)
            continue;
        const std::string note = csvField(row.column(noteColumn));
        bool anyReading = false;
        for (int k = 0; k < 3; ++k) {
            const std::string_view sys = row.column(4 * k + 1);
            const std::string_view dia = row.column(4 * k + 2);
            const std::string_view pul = row.column(4 * k + 3);
            const std::string_view time = row.column(4 * k + 4);
            if (sys.empty() && dia.empty() && pul.empty() && time.empty())
                continue;
            anyReading = true;
            out += formatIsoDate(*date) + "," + time24(time) + "," + std::to_string(k + 1) + "," +
                   csvField(sys) + "," + csvField(dia) + "," + csvField(pul) + "," + note + "\r\n";
        }
        if (!anyReading)
            out += formatIsoDate(*date) + ",,,,,," + note + "\r\n";
    }
    return out;
}

} // namespace tonolog
