// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The text conversions of the whole program. None of them throws: a text that does not
// convert is reported by the result.
namespace tonolog {

// Drops leading and trailing blanks (spaces and tabs).
std::string_view trimBlanks(std::string_view text);

// A 16-bit whole number: surrounding blanks allowed, an optional sign, a fraction goes to the
// nearest whole number with halves to the even neighbour (2.5 -> 2, 3.5 -> 4). Anything else,
// an empty text or a result outside -32768..32767 fails.
std::optional<std::int16_t> parseInt16(std::string_view text);

// The program's one rounding: to the nearest whole number, a half going to the even neighbour
// (522.5 -> 522, 523.5 -> 524). Infinities and NaN come back as they are.
double roundHalfEven(double value);

// Rounds a real value to a 16-bit integer, halves to even; out of range fails.
std::optional<std::int16_t> roundToInt16(double value);

// Rounds a drawing coordinate the same way, stopping at the ends of the 16-bit range (a value far
// off the canvas is still drawn towards the right edge).
int roundClampedToInt16(double value);

// Rounds a screen coordinate or size the same way, to an int; a value beyond the int range
// stops at its end, NaN gives 0.
int roundToInt(double value);

struct TimeOfDay {
    int hour = 0; // 0..23
    int minute = 0;
    int second = 0;
};

// A time of day: "h:mm", "h:mm:ss" on the 24-hour clock, or the same (or a bare hour) followed
// by "am" or "pm" in any letter case, with or without a blank before it ("7:05am", "7:05 PM").
std::optional<TimeOfDay> parseTimeOfDay(std::string_view text);

// The 12-hour form "h:nnam" / "h:nnpm": 14:07 -> "2:07pm", 0:10 -> "12:10am", 12:00 -> "12:00pm".
std::string formatTime12(const TimeOfDay& time);

// A reading's time as the commit stores it: a text that reads as a time becomes "h:nnam",
// anything else (also an empty text) stays as typed.
std::string normaliseTimeText(std::string_view text);

} // namespace tonolog
