#include "document.h"

#include "data_file.h"

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

std::string dayLinesOf(const ReadingTable& table, Date day) {
    std::string lines;
    const int first = table.firstPositionOfDay(day);
    for (int position = first; position != 0 && position <= table.count(); ++position) {
        if (table.dayOf(position) != day)
            break;
        appendDayLine(lines, table, position);
    }
    return lines;
}

void noteDayChangedHere(Document& document, Date day) {
    if (document.isUntitled())
        return;
    document.changesHere.daysAsInFile.try_emplace(day.serial, dayLinesOf(document.table, day));
}

void markInStepWithFile(Document& document, const FileIdentity& identity) {
    document.diskIdentity = identity;
    document.nameInFile = document.userName;
    document.changesHere = {};
}

} // namespace tonolog
