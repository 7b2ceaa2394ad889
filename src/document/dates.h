// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tonolog {

// A calendar day as its serial number: whole days since 30 December 1899 (day 0).
struct Date {
    std::int32_t serial = 0;
    auto operator<=>(const Date&) const = default;
};

// A date with a time of day, as the range and "now" values carry it.
struct DateTime {
    Date date;
    std::int32_t secondOfDay = 0; // 0 .. 86399
    auto operator<=>(const DateTime&) const = default;
    static DateTime atMidnight(Date d) { return DateTime{d, 0}; }
};

struct CivilDate {
    int year = 1899;
    int month = 12;
    int day = 30;
};

// Years the date texts can carry; outside them a text is not a date.
inline constexpr int minYear = 100;
inline constexpr int maxYear = 9999;

Date dateFromCivil(int year, int month, int day);
CivilDate civilFromDate(Date date);
bool isValidCivil(int year, int month, int day);

// The zero date, 30 December 1899: any real day compares later.
inline constexpr Date zeroDate{0};

// "mmm./dd/yyyy", for example Jan./05/2004: the day key of the table.
std::string formatDayKey(Date date);
// "mmm./01/yyyy": the first day of the date's month.
std::string formatFirstOfMonthKey(Date date);
// Year, month and day joined by "/" without leading zeros, for example 2004/2/29.
std::string formatYmd(int year, int month, int day);
// ISO 8601, "yyyy-mm-dd".
std::string formatIsoDate(Date date);
// The day number as decimal text, the table's order column.
std::string formatDayNumber(Date date);

// Reads every date text the program writes ("mmm./dd/yyyy" in any letter case, "y/m/d") and
// ISO "yyyy-mm-dd". Surrounding blanks are allowed. Forms that could be read two ways
// (01/02/2004) are refused.
std::optional<Date> parseDate(std::string_view text);

int lastDayOfMonth(int year, int month);
Date firstDayOfMonth(Date date);
Date windowEndFor(Date start);

enum class DayStep { forward, backward };
// The date n days later (forward) or earlier.
Date addDays(Date date, int count, DayStep step);

// The day before (-1) or after (+1) the date; nullopt beyond Jan./01/0100 and Dec./31/9999, the
// days a date text can carry.
std::optional<Date> stepDayWithinYears(Date date, int direction);

} // namespace tonolog
