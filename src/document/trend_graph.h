// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dates.h"
#include "document.h"
#include "reading_table.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The arithmetic of the trend graph: one window of up to 31 days on a canvas, a column of
// dayWidth per day, the three readings of a day at a tenth of the column and a third further
// each, values from 0 at the bottom edge to 250 at the top. Coordinates are twips; every
// fraction goes to the nearest whole number with halves to the even neighbour. Also what the
// graph says to a screen reader: the window's figures and the chosen day in words.
namespace tonolog {

inline constexpr int trendMaxDays = 31;

// end - start + 1; nothing for a window that cannot be drawn (no day, or more than 31).
std::optional<int> trendDayCount(Date start, Date end);

inline double dayWidth(double canvasWidth, int dayCount) {
    return canvasWidth / dayCount;
}

// The x of reading k (0..2) of day d.
int trendReadingX(double dayWidth, int day, int reading);

// The y of a value on a canvas of this height; a value above 250 lies above the top edge.
int trendValueY(double height, int value);

// The day labels under the graph: label j (0..5) shows the day of the month of start + 5j and,
// for j >= 1, stands at firstLeft + 5 * dayWidth * j; label 6 shows the window's last day and
// keeps its place.
struct TrendDayLabels {
    std::array<std::string, 7> text;
    std::array<double, 6> left{};
};
TrendDayLabels trendDayLabels(Date start, Date end, double firstLeft, double dayWidth);

// The top of an axis label centred on the grid line of its value.
double trendAxisLabelTop(double canvasTop, double canvasHeight, int value, double labelHeight);

// The readings of a window, indexed 3d + k; -1 where a value is absent.
struct TrendSeries {
    int days = 0;
    std::array<std::int16_t, 3 * trendMaxDays> sys{};
    std::array<std::int16_t, 3 * trendMaxDays> dia{};
    std::array<std::int16_t, 3 * trendMaxDays> pul{};
};
// Each day's row is looked for from the position of the last one found. A text that is not a
// number (a hand-edited file) counts as absent.
TrendSeries collectTrendSeries(const ReadingTable& table, Date start, Date end);
// The readings of the series that have a value at all (SYS, DIA or PUL).
int countTrendReadings(const TrendSeries& series);

// One mark of the graph, in the order it is drawn.
struct TrendMark {
    enum Kind { line, pulseDot, dot };
    enum Colour { black, red, blue };
    Kind kind = line;
    Colour colour = black;
    int penWidth = 1;
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
};
// Per reading: the black DIA-to-SYS line, the SYS and DIA segments from the latest earlier value
// of their series (bridging absent readings and days), the pulse dot; at the end a dot for a
// series with exactly one value.
std::vector<TrendMark> planTrendMarks(const TrendSeries& series, double width, double height);

inline constexpr int pulseDotRadius = 40;

// The legend's marks on its canvas, from the three captions inside it.
struct TrendLegend {
    int xl = 0;
    int xm = 0;
    int xr = 0;
    int ySys = 0;
    int yDia = 0;
    int yPul = 0;
};
struct CaptionBox {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};
TrendLegend trendLegend(const CaptionBox& sys, const CaptionBox& dia, const CaptionBox& pul);

// The window half a month after (forward) or before the one that starts at `start`, or nothing when
// the move would leave the diary's data: forward may not start after lastDay, back may not end
// before firstDay.
struct TrendWindow {
    Date start;
    Date end;
};
std::optional<TrendWindow> shiftedTrendWindow(Date start, DateTime firstDay, DateTime lastDay, bool forward);

// The day of the window whose column holds the pointer's x.
std::optional<Date> trendDayUnderPointer(Date start, Date end, double canvasWidth, int pointerX);

// One series of a window: how many values it has, their mean (halves to the even neighbour),
// the lowest and the highest; all 0 without a value.
struct TrendFigures {
    int count = 0;
    int mean = 0;
    int lowest = 0;
    int highest = 0;
};
struct TrendStats {
    int readings = 0; // the readings with any value (countTrendReadings)
    TrendFigures sys;
    TrendFigures dia;
    TrendFigures pul;
};
TrendStats trendStats(const TrendSeries& series);

// The window in words: "Nov. 1 to Nov. 30, 2026", "Dec. 16, 2026 to Jan. 15, 2027".
std::string trendWindowWords(Date start, Date end);

// The window and its figures, as the graph describes itself: "Nov. 1 to Nov. 30, 2026: 47
// readings; SYS mean 128, lowest 112, highest 145; DIA mean 82, lowest 70, highest 95; mean
// pulse 72". A series without values is left out; "no readings" for an empty window.
std::string describeTrendWindow(Date start, Date end, const TrendSeries& series);

// The day (0 for the window's first) the graph's day cursor starts on: the latest day with a
// reading, or the first day of a window without any.
int trendCursorStart(const TrendSeries& series);

// A day in words as its row on the List page says it, readings and note:
// "Nov./19/2026: 129 over 83, pulse 74, at 7:28am; note: after a walk"; a day the diary has no
// row for has no readings.
std::string describeTrendDay(const ReadingTable& table, Date day);

} // namespace tonolog
