// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dates.h"
#include "reading_table.h"

#include <string>
#include <string_view>

namespace tonolog {

// One field of a CSV line as RFC 4180 wants it: quoted, with its quotes doubled, when it holds a
// comma, a quote or a line break.
std::string csvField(std::string_view text);

// The readings of the days from `from` to `to` as CSV (UTF-8, CR LF line ends): the header
// "date,time,reading,sys,dia,pul,note", then a line per reading with the ISO date, the time on
// the 24-hour clock (empty when there is none), the reading's number 1..3, the three values as
// stored and the day's note; a day with only a note has one line with empty values.
std::string csvOfReadings(const ReadingTable& table, Date from, Date to);

} // namespace tonolog
