#include "document.h"

namespace tonolog {

void widenDayRange(Document& document, Date date) {
    const DateTime day = DateTime::atMidnight(date);
    if (day < document.firstDay)
        document.firstDay = day;
    if (day > document.lastDay)
        document.lastDay = day;
}

void setTrendWindowToMonthOf(Document& document, Date date) {
    document.trendWindowStart = firstDayOfMonth(date);
    document.trendWindowEnd = windowEndFor(document.trendWindowStart);
}

} // namespace tonolog
