#pragma once

#include "dates.h"
#include "file_io.h"
#include "reading_table.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tonolog {

// The file name of the backup, which is also the name of an untitled document.
inline constexpr const char* backupFileName = "TL_Backup";

// A line of a file that the reader could not take as a day: kept, so that a save never drops it
// unsaid.
struct LineNotRead {
    int lineNumber = 0; // in the file, the name line being line 1
    std::string why;    // in plain words
    std::string text;   // the line as read (in UTF-8)
};

// What this window changed since the diary's file was last read or written: for each day changed
// here, that day's lines as they were in the file (empty when the day had none). A day not
// listed is the same here as in the file, so a save that finds the file changed on disk can tell
// for each day which side changed it.
struct ChangesHere {
    std::map<std::int32_t, std::string> daysAsInFile;
};

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

    // The file of a named diary as last read or written, and the owner's name it held.
    FileIdentity diskIdentity;
    std::string nameInFile;
    ChangesHere changesHere;
    // The lines of the file at linesNotReadFrom that the reader could not take, until they are
    // kept in a file beside it.
    std::vector<LineNotRead> linesNotRead;
    std::string linesNotReadFrom;

    bool isUntitled() const { return docName == backupFileName; }
};

// Widens firstDay / lastDay so that they include the date.
void widenDayRange(Document& document, Date date);

// Sets the trend window to the calendar month of the date.
void setTrendWindowToMonthOf(Document& document, Date date);

// The lines of the day in the table, in table order, each ended by CR LF, as the file holds them.
std::string dayLinesOf(const ReadingTable& table, Date day);

// To be called before the table's rows of the day change: remembers how the file has the day.
void noteDayChangedHere(Document& document, Date day);

// The file now holds what the window holds: nothing is changed here any more.
void markInStepWithFile(Document& document, const FileIdentity& identity);

} // namespace tonolog
