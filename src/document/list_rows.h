// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reading_table.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The arithmetic and texts of the day rows beside a bar chart on a 0 to 250 scale, as the List
// page shows four of them and the list print seven. Coordinates are twips; every fraction goes to
// the nearest whole number with halves to the even neighbour.
namespace tonolog {

inline constexpr int chartScaleTop = 250;

// The titles of the List and Trend pages (and of the printed list) for the diary's owner:
// "Ann 's data list", "Ann 's BP Trend", "(New)" for a diary without a name yet.
std::string listPageTitle(std::string_view owner);
std::string trendPageTitle(std::string_view owner);

// The title of a print, which print queues show and a printed file is named after; it holds no
// "/", so it can be a file's name: "Tonolog – Hanna Berg – data list Nov. 19–25, 2026",
// "Tonolog – Hanna Berg – trend Nov. 2026". Without an owner's name the name and its dash are
// left out; a list without days has no dates.
std::string listPrintTitle(std::string_view owner, std::optional<Date> first, std::optional<Date> last);
std::string trendPrintTitle(std::string_view owner, Date windowStart);
std::string reportPrintTitle(std::string_view owner, Date from, Date to);
// "Nov." of a date: the month as the program writes it in a key.
std::string shortMonthOf(Date date);
// "Nov. 19, 2026", "Nov. 19–25, 2026", "Nov. 29 – Dec. 5, 2026", "Dec. 29, 2026 – Jan. 4, 2027".
std::string daySpanText(Date first, Date last);

// The x of a value on a chart of this width: (width / 250) * value. A result outside the 16-bit
// range stops at its end.
int chartX(double chartWidth, int value);

// The row's date on two lines, " Jan./05/" CR LF "  2004". A key that is not a date is shown
// as it is.
std::string listDateCaption(std::string_view key);

// A stored time split into the 12-hour time and "am" / "pm": 0:15 gives "12:15" and "am",
// 13:05 "1:05" and "pm". A text that is not a time (an empty one too) gives two empty texts.
struct SplitTime {
    std::string time;
    std::string ampm;
};
SplitTime splitTime12(std::string_view stored);

// The chart's width and the spacing of the readings within a row, read from the controls'
// current geometry at each drawing.
struct ListChart {
    double width = 0;
    int readingPitch = 0;
};

// One third of the row pitch, from the tops of the first reading labels of two neighbouring rows.
int readingPitch(int firstRowTop, int secondRowTop);

// The y on the chart of reading k (0..2) of a row whose first reading label has this top and
// height.
int listMarkY(int slotTop, int slotHeight, int readingPitch, int reading);

// A reading's mark on the chart: a bar from x1 to x2 (x1 <= x2) or a dot at x1, at height y.
struct ListMark {
    enum Kind { none, bar, dot };
    Kind kind = none;
    int x1 = 0;
    int x2 = 0;
    int y = 0;
};

// What one reading of a row shows.
struct ListSlot {
    std::string sys;
    std::string dia;
    std::string pul;
    std::string time;
    std::string ampm;
    ListMark mark;
};

// Everything one row shows: its position, the date caption, three readings and the note.
struct ListRow {
    int position = 0;
    std::string number;
    std::string dateCaption;
    std::array<ListSlot, 3> slots;
    std::string note;
};

// The row in words, for a screen reader: its date and each reading that has anything, with what
// it has, "Nov./19/2026: 129 over 83, pulse 74, at 7:28am; SYS 131, at 9:00pm; pulse 70"
// ("no readings" for none).
std::string describeListReadings(const ListRow& row);
// The same with the day's note after the readings: "...; note: after a walk".
std::string describeListRow(const ListRow& row);

// The row showing the table's position, whose first reading label has this top and height;
// false when the position is beyond the table, so the row is hidden.
bool fillListRow(const ReadingTable& table, int position, const ListChart& chart, int slotTop, int slotHeight,
                 ListRow& out);

// The first row shown after a step up or down: up stops at 1, down at the last four rows (and
// at 1 for a table of four days or fewer).
std::int16_t listTopAfterStepUp(std::int16_t listTopIndex);
std::int16_t listTopAfterStepDown(std::int16_t listTopIndex, int count);

} // namespace tonolog
