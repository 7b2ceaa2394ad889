// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "report_pages.h"

#include <algorithm>

namespace tonolog {

std::vector<PageLines> paginate(const std::vector<int>& lineHeights, int firstRoom, int laterRoom) {
    std::vector<PageLines> pages{PageLines{}};
    int room = firstRoom;
    int used = 0;
    for (int i = 0; i < static_cast<int>(lineHeights.size()); ++i) {
        const int height = lineHeights[static_cast<std::size_t>(i)];
        // A line that does not fit starts a new page; an empty page keeps it only when no later
        // page would hold it better (it is taller than a whole page).
        const bool pageHasLines = pages.back().end > pages.back().first;
        const bool keptOnEmptyPage = pages.size() > 1 || height > laterRoom;
        if (used + height > room && (pageHasLines || !keptOnEmptyPage)) {
            pages.push_back(PageLines{i, i});
            room = laterRoom;
            used = 0;
        }
        used += height;
        pages.back().end = i + 1;
    }
    return pages;
}

double reportChartX(const ChartFrame& frame, Date from, Date to, Date date, int minuteOfDay) {
    const double days = std::max(1, to.serial - from.serial + 1);
    const double minute = minuteOfDay < 0 ? 12 * 60 : minuteOfDay;
    const double offset = (date.serial - from.serial) + minute / (24 * 60);
    return frame.left + frame.width * offset / days;
}

double reportChartY(const ChartFrame& frame, double value) {
    const double clamped = std::clamp(value, 0.0, static_cast<double>(chartScaleTop));
    return frame.top + frame.height * (1 - clamped / chartScaleTop);
}

} // namespace tonolog
