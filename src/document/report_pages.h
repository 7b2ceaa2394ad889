// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dates.h"
#include "list_rows.h" // the chart's scale, as on the pages of the program

#include <vector>

// The arithmetic of the report's pages: which table lines go on which page, and where a reading
// stands in the period's chart. Lengths are twips.
namespace tonolog {

struct PageLines {
    int first = 0; // index of the page's first line
    int end = 0;   // one past its last
};

// Splits lines of the given heights into pages without cutting one: the first page has room for
// firstRoom, every later page for laterRoom. A line taller than a whole page gets a page of its
// own. Without lines there is the one first page.
std::vector<PageLines> paginate(const std::vector<int>& lineHeights, int firstRoom, int laterRoom);

struct ChartFrame {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// A reading's x: the day's share of the period's width, at its time of day (noon without one).
double reportChartX(const ChartFrame& frame, Date from, Date to, Date date, int minuteOfDay);
// A value's y: 0 at the bottom, 250 at the top; values beyond stop at the frame.
double reportChartY(const ChartFrame& frame, double value);

} // namespace tonolog
