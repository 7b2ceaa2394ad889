// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "conversions.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

namespace tonolog {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// Reads 1 or 2 digits at the front of text.
std::optional<int> takeNumber(std::string_view& text, std::size_t maxDigits) {
    std::size_t n = 0;
    int v = 0;
    while (n < text.size() && n < maxDigits && isDigit(text[n])) {
        v = v * 10 + (text[n] - '0');
        ++n;
    }
    if (n == 0 || (n < text.size() && isDigit(text[n])))
        return std::nullopt;
    text.remove_prefix(n);
    return v;
}

} // namespace

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::optional<std::int16_t> parseInt16(std::string_view text) {
    std::string_view t = trimBlanks(text);
    bool negative = false;
    if (!t.empty() && (t.front() == '+' || t.front() == '-')) {
        negative = t.front() == '-';
        t.remove_prefix(1);
    }
    // Whole part, capped well above the 16-bit range so long texts cannot overflow.
    constexpr std::int32_t cap = 100000;
    std::int32_t magnitude = 0;
    std::size_t digits = 0;
    std::size_t i = 0;
    for (; i < t.size() && isDigit(t[i]); ++i, ++digits)
        magnitude = std::min(cap, magnitude * 10 + (t[i] - '0'));
    bool roundUp = false;
    if (i < t.size() && t[i] == '.') {
        ++i;
        const std::size_t fractionStart = i;
        for (; i < t.size() && isDigit(t[i]); ++i)
            ++digits;
        const std::string_view fraction = t.substr(fractionStart, i - fractionStart);
        if (!fraction.empty()) {
            const char first = fraction.front();
            if (first > '5') {
                roundUp = true;
            } else if (first == '5') {
                bool moreThanHalf = false;
                for (char c : fraction.substr(1))
                    if (c != '0')
                        moreThanHalf = true;
                // Exactly one half goes to the even neighbour.
                roundUp = moreThanHalf || magnitude % 2 == 1;
            }
        }
    }
    if (digits == 0 || i != t.size())
        return std::nullopt;
    if (roundUp)
        magnitude = std::min(cap, magnitude + 1);
    const std::int32_t value = negative ? -magnitude : magnitude;
    if (value < -32768 || value > 32767)
        return std::nullopt;
    return static_cast<std::int16_t>(value);
}

double roundHalfEven(double value) {
    if (!std::isfinite(value))
        return value;
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction > 0.5)
        return below + 1.0;
    if (fraction < 0.5)
        return below;
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

std::optional<std::int16_t> roundToInt16(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = roundHalfEven(value);
    if (rounded < -32768.0 || rounded > 32767.0)
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

int roundClampedToInt16(double value) {
    return std::clamp(roundToInt(value), -32768, 32767);
}

int roundToInt(double value) {
    constexpr double lowest = std::numeric_limits<int>::min();
    constexpr double highest = std::numeric_limits<int>::max();
    if (std::isnan(value))
        return 0;
    return static_cast<int>(std::clamp(roundHalfEven(value), lowest, highest));
}

std::optional<TimeOfDay> parseTimeOfDay(std::string_view text) {
    std::string_view t = trimBlanks(text);
    int marker = 0; // 0 none, 1 am, 2 pm
    if (t.size() >= 2) {
        const std::string_view suffix = t.substr(t.size() - 2);
        if (equalsIgnoringCase(suffix, "am"))
            marker = 1;
        else if (equalsIgnoringCase(suffix, "pm"))
            marker = 2;
        if (marker != 0)
            t = trimBlanks(t.substr(0, t.size() - 2));
    }
    const auto hour = takeNumber(t, 2);
    if (!hour)
        return std::nullopt;
    TimeOfDay time{*hour, 0, 0};
    if (!t.empty()) {
        if (t.front() != ':')
            return std::nullopt;
        t.remove_prefix(1);
        const auto minute = takeNumber(t, 2);
        if (!minute || *minute > 59)
            return std::nullopt;
        time.minute = *minute;
        if (!t.empty()) {
            if (t.front() != ':')
                return std::nullopt;
            t.remove_prefix(1);
            const auto second = takeNumber(t, 2);
            if (!second || *second > 59 || !t.empty())
                return std::nullopt;
            time.second = *second;
        }
    } else if (marker == 0) {
        return std::nullopt; // a bare number is not a time
    }
    if (marker == 0) {
        if (time.hour > 23)
            return std::nullopt;
    } else {
        if (time.hour < 1 || time.hour > 12)
            return std::nullopt;
        if (marker == 1 && time.hour == 12)
            time.hour = 0;
        else if (marker == 2 && time.hour != 12)
            time.hour += 12;
    }
    return time;
}

std::string formatTime12(const TimeOfDay& time) {
    const bool pm = time.hour >= 12;
    int hour = time.hour;
    if (!pm && hour == 0)
        hour = 12;
    else if (pm && hour >= 13)
        hour -= 12;
    std::string minutes = std::to_string(time.minute);
    if (minutes.size() < 2)
        minutes.insert(minutes.begin(), '0');
    return std::to_string(hour) + ":" + minutes + (pm ? "pm" : "am");
}

std::string normaliseTimeText(std::string_view text) {
    if (const auto time = parseTimeOfDay(text))
        return formatTime12(*time);
    return std::string(text);
}

} // namespace tonolog
