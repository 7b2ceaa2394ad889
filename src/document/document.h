#pragma once

#include "dates.h"
#include "reading_table.h"

#include <cstdint>
#include <string>

namespace tonolog {

// The file name of the backup, which is also the name of an untitled document.
inline constexpr const char* backupFileName = "TL_Backup";

// The diary in memory and the variables that the reader, the commit and the pages maintain
// beside it, together with where the document lives on disk.
struct Document {
    ReadingTable table;
    std::string userName;

    // Earliest and latest day included since the last reset.
    DateTime firstDay;
    DateTime lastDay;
    // The one-month window the Trend page shows: the 1st or the 16th, to windowEndFor of it.
    Date trendWindowStart;
    Date trendWindowEnd;
    // The first row shown on the List page (at least 1).
    std::int16_t listTopIndex = 1;

    std::string appDir; // the program's directory, ending in "/"
    std::string docDir; // ending in "/"
    std::string docName;
    std::string docPath;
    std::string backupDir;
    std::string backupName;
    std::string backupPath;

    std::int16_t isDirty = 0;
    std::int16_t saveIncomplete = 0;

    bool isUntitled() const { return docName == backupFileName; }
};

// Widens firstDay / lastDay so that they include the date.
void widenDayRange(Document& document, Date date);

// Sets the trend window to the calendar month of the date.
void setTrendWindowToMonthOf(Document& document, Date date);

} // namespace tonolog
