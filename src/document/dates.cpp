// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "dates.h"

#include "conversions.h"

#include <array>
#include <cstdio>

namespace tonolog {

namespace {

constexpr std::array<std::string_view, 12> monthAbbreviations = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Days from 1970-01-01 to the civil date (proleptic Gregorian calendar).
constexpr std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

// 1899-12-30 counted from 1970-01-01.
constexpr std::int64_t serialEpoch = daysFromCivil(1899, 12, 30);

bool isLeapYear(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(int y, int m) {
    static constexpr std::array<int, 12> days = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeapYear(y) ? 29 : days[static_cast<std::size_t>(m - 1)];
}

std::string twoDigits(int v) {
    std::string s = std::to_string(v);
    return s.size() < 2 ? "0" + s : s;
}

std::string fourDigits(int v) {
    std::string s = std::to_string(v);
    while (s.size() < 4)
        s.insert(s.begin(), '0');
    return s;
}

bool allDigits(std::string_view s) {
    if (s.empty())
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// A number of digits only (allDigits), short enough for an int.
int toNumber(std::string_view s) {
    int v = 0;
    for (const char c : s)
        v = v * 10 + (c - '0');
    return v;
}

std::optional<Date> fromParts(int year, int month, int day) {
    if (year < minYear || year > maxYear || !isValidCivil(year, month, day))
        return std::nullopt;
    return dateFromCivil(year, month, day);
}

// The three characters, one byte each, with the bit set that makes a capital letter small. It
// equals a month name's number exactly when the characters are that name's letters in any letter
// case: only a capital letter becomes a small letter by that bit.
constexpr std::uint32_t packedLower(std::string_view name) {
    std::uint32_t packed = 0;
    for (const char c : name)
        packed = packed << 8 | (static_cast<unsigned char>(c) | 0x20u);
    return packed;
}

constexpr std::array<std::uint32_t, 12> packedMonths = [] {
    std::array<std::uint32_t, 12> packed{};
    for (std::size_t i = 0; i < packed.size(); ++i)
        packed[i] = packedLower(monthAbbreviations[i]);
    return packed;
}();

std::optional<int> monthFromName(std::string_view name) {
    if (name.size() != 3)
        return std::nullopt;
    const std::uint32_t packed = packedLower(name);
    for (std::size_t i = 0; i < packedMonths.size(); ++i)
        if (packed == packedMonths[i])
            return static_cast<int>(i) + 1;
    return std::nullopt;
}

} // namespace

bool isValidCivil(int year, int month, int day) {
    return month >= 1 && month <= 12 && day >= 1 && day <= daysInMonth(year, month);
}

Date dateFromCivil(int year, int month, int day) {
    return Date{static_cast<std::int32_t>(
        daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - serialEpoch)};
}

CivilDate civilFromDate(Date date) {
    const std::int64_t z0 = date.serial + serialEpoch + 719468;
    const std::int64_t era = (z0 >= 0 ? z0 : z0 - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z0 - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return CivilDate{static_cast<int>(y + (m <= 2 ? 1 : 0)), static_cast<int>(m), static_cast<int>(d)};
}

std::string formatDayKey(Date date) {
    const CivilDate c = civilFromDate(date);
    return std::string(monthAbbreviations[static_cast<std::size_t>(c.month - 1)]) + "./" + twoDigits(c.day) +
           "/" + fourDigits(c.year);
}

std::string formatFirstOfMonthKey(Date date) {
    const CivilDate c = civilFromDate(date);
    return std::string(monthAbbreviations[static_cast<std::size_t>(c.month - 1)]) + "./01/" +
           fourDigits(c.year);
}

std::string formatYmd(int year, int month, int day) {
    return std::to_string(year) + "/" + std::to_string(month) + "/" + std::to_string(day);
}

std::string formatDayNumber(Date date) {
    return std::to_string(date.serial);
}

std::optional<Date> parseDate(std::string_view text) {
    // The key form as the program writes it, which every day line of a file starts with, at once.
    if (text.size() == 12 && text[3] == '.' && text[4] == '/' && text[7] == '/') {
        const auto day = text.substr(5, 2);
        const auto year = text.substr(8, 4);
        if (const auto month = monthFromName(text.substr(0, 3)); month && allDigits(day) && allDigits(year))
            return fromParts(toNumber(year), *month, toNumber(day));
    }

    const std::string_view t = trimBlanks(text);

    // ISO: yyyy-mm-dd, exactly.
    if (t.size() == 10 && t[4] == '-' && t[7] == '-') {
        const auto y = t.substr(0, 4), m = t.substr(5, 2), d = t.substr(8, 2);
        if (allDigits(y) && allDigits(m) && allDigits(d))
            return fromParts(toNumber(y), toNumber(m), toNumber(d));
        return std::nullopt;
    }

    const auto slash1 = t.find('/');
    if (slash1 == std::string_view::npos)
        return std::nullopt;
    const auto slash2 = t.find('/', slash1 + 1);
    if (slash2 == std::string_view::npos || t.find('/', slash2 + 1) != std::string_view::npos)
        return std::nullopt;
    std::string_view first = t.substr(0, slash1);
    const std::string_view middle = t.substr(slash1 + 1, slash2 - slash1 - 1);
    const std::string_view last = t.substr(slash2 + 1);

    // The key form: month name, an optional full stop, day, four-digit year.
    if (!first.empty() && first.back() == '.')
        first.remove_suffix(1);
    if (const auto month = monthFromName(first)) {
        if (middle.size() > 2 || !allDigits(middle) || last.size() != 4 || !allDigits(last))
            return std::nullopt;
        return fromParts(toNumber(last), *month, toNumber(middle));
    }

    // Year first: y/m/d with a year of three or four digits.
    if (first.size() >= 3 && first.size() <= 4 && allDigits(first) && middle.size() <= 2 &&
        allDigits(middle) && last.size() <= 2 && allDigits(last))
        return fromParts(toNumber(first), toNumber(middle), toNumber(last));
    return std::nullopt;
}

// These give the same days as building the texts and reading them back, which a test checks
// for every day; the arithmetic keeps loading a long diary fast.
int lastDayOfMonth(int year, int month) {
    return month >= 1 && month <= 12 ? daysInMonth(year, month) : 28;
}

Date firstDayOfMonth(Date date) {
    return Date{date.serial - (civilFromDate(date).day - 1)};
}

Date windowEndFor(Date start) {
    const CivilDate c = civilFromDate(start);
    if (c.day == 1)
        return dateFromCivil(c.year, c.month, lastDayOfMonth(c.year, c.month));
    if (c.day == 16) {
        const int month = c.month == 12 ? 1 : c.month + 1;
        const int year = c.month == 12 ? c.year + 1 : c.year;
        return dateFromCivil(year, month, 15);
    }
    return start;
}

Date addDays(Date date, int count, DayStep step) {
    return Date{date.serial + (step == DayStep::forward ? count : -count)};
}

std::string formatIsoDate(Date date) {
    const CivilDate c = civilFromDate(date);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", c.year, c.month, c.day);
    return text;
}

std::optional<Date> stepDayWithinYears(Date date, int direction) {
    const Date next = addDays(date, 1, direction < 0 ? DayStep::backward : DayStep::forward);
    const int year = civilFromDate(next).year;
    if (year < minYear || year > maxYear)
        return std::nullopt;
    return next;
}

} // namespace tonolog
