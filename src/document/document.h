// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dates.h"
#include "file_io.h"
#include "reading_table.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace tonolog {

// The file name of the backup.
inline constexpr const char* backupFileName = "TL_Backup";
// How many backups that were not recalled are kept.
inline constexpr int declinedBackupsKept = 10;

// A line of a file that the reader could not take as a day: kept, so that a save never drops it
// unsaid.
struct LineNotRead {
    int lineNumber = 0; // in the file, the name line being line 1
    std::string why;    // in plain words
    std::string text;   // the line as read (in UTF-8)
};

// What this document changed since its file was last read or written: for each day changed here,
// that day's lines as they were in the file (empty when the day had none). A day not listed is the
// same here as in the file, so a save that finds the file changed on disk can tell for each day
// which side changed it.
struct ChangesHere {
    std::map<std::int32_t, std::string> daysAsInFile;
};

// NotText: the bytes hold NUL bytes and no byte-order mark of a wide form: no diary.
enum class LoadStatus { Loaded, CannotOpen, TooManyDays, NotText };

// What reading a file into the document came to, for the window to show.
struct LoadReport {
    LoadStatus status = LoadStatus::Loaded; // Loaded, CannotOpen or TooManyDays
    std::string reason;                     // why it cannot be opened, in plain words
    // A recalled backup of more than 32767 days is first kept whole: where, or that it could not be.
    std::string keptCopy;
    bool copyFailed = false;
};

struct WriteResult {
    bool ok = true;
    std::string reason; // in plain words when not ok
};

// What a commit did with the day's row.
enum class PutResult { put, removed, full };

// The diary in memory, the variables that the reader, the commit and the pages keep beside it,
// and where it lives on disk: its own file (none while it is untitled) and the backup. Every
// change goes through its operations, which keep its rules: the order of the table, the range of
// days, the trend window and the first row of the List page on the data, what was changed since
// the file was read, and whether anything is unsaved.
class Document {
public:
    // The backup is the file at backupPath; the document starts empty and untitled.
    explicit Document(std::string backupPath = backupFileName);

    // The diary.
    const ReadingTable& table() const { return table_; }
    const std::string& userName() const { return userName_; }
    void setUserName(std::string name) { userName_ = std::move(name); }
    // Earliest and latest day included since the last reset.
    DateTime firstDay() const { return firstDay_; }
    DateTime lastDay() const { return lastDay_; }
    // The one-month window the Trend page shows: the 1st or the 16th, to windowEndFor of it.
    Date trendWindowStart() const { return trendWindowStart_; }
    Date trendWindowEnd() const { return trendWindowEnd_; }
    void setTrendWindow(Date start);
    void setTrendWindowToMonthOf(Date date) { setTrendWindow(firstDayOfMonth(date)); }
    // The first row shown on the List page (at least 1).
    std::int16_t listTopIndex() const { return listTopIndex_; }
    void setListTopIndex(std::int16_t position) { listTopIndex_ = position; }

    // The commit of a day: its row added, replaced or, when the day holds nothing, removed (the
    // range of days, the trend window and the List page kept on the data); the document is then
    // unsaved. `full` when a new day does not fit. `now` is the range of days of an emptied diary.
    PutResult putDay(const DayRecord& day, bool holdsNothing, DateTime now);
    // The day's record as the table holds it (empty readings for a day without a row).
    DayRecord dayRecord(Date day) const;

    // The empty untitled diary, today's month on the Trend page.
    void reset(DateTime now);

    // The file. An untitled document has none; its only copy on disk is the backup.
    bool isUntitled() const { return path_.empty(); }
    const std::string& path() const { return path_; }
    std::string fileName() const;
    std::string folder() const; // ending in "/"
    const std::string& backupPath() const { return backupPath_; }
    std::string backupFolder() const; // ending in "/"
    bool isDirty() const { return dirty_; }
    bool backupExists() const { return fileExists(backupPath_); }

    // Reads the named file (also when it cannot be: the document is then empty and still named
    // after it). A file of more than 32767 days is read that far and opened untitled, so that a save
    // never overwrites it with the shortened diary.
    LoadReport open(const std::string& path, Date today);
    // Reads the backup as the untitled, unsaved document.
    LoadReport recallBackup(Date today);
    // Writes the diary to its file or to another one, which becomes its file; the document is then
    // saved and the backup deleted. A failure changes nothing.
    WriteResult save(const FileOps& ops = FileOps::system());
    WriteResult saveAs(const std::string& path, const FileOps& ops = FileOps::system());
    // The backup after a commit: the whole diary, or the empty backup; and its deletion.
    WriteResult writeBackup(const FileOps& ops = FileOps::system()) const;
    WriteResult writeEmptyBackup(const FileOps& ops = FileOps::system()) const;
    void deleteBackup() const;
    // Keeps the backup that the user chose not to recall, private to the user, as
    // "TL_Backup (not recalled <stamp>).tnl" beside it, of which only the ten newest stay. A backup
    // that holds nothing is not kept. `keptIn` receives the copy's path.
    WriteResult keepDeclinedBackup(const std::string& stamp, std::string* keptIn) const;

    // The file as it was last read or written, and what was changed here since.
    const FileIdentity& diskIdentity() const { return diskIdentity_; }
    const std::string& nameInFile() const { return nameInFile_; }
    const ChangesHere& changesHere() const { return changesHere_; }
    // The file changed only in its time, or in nothing this document has to take in.
    void setDiskIdentity(const FileIdentity& identity) { diskIdentity_ = identity; }
    // Takes in a diary merged with what the file now holds (the pages keep their place): the file
    // as it is now becomes the base of what is changed here.
    void takeMerged(const std::string& mergedText, const FileIdentity& fileNow, const std::string& nameInFile,
                    ChangesHere changesHere, Date today);

    // The lines of the file at linesNotReadFrom that the reader could not take, until they are
    // kept in a file beside it.
    const std::vector<LineNotRead>& linesNotRead() const { return linesNotRead_; }
    const std::string& linesNotReadFrom() const { return linesNotReadFrom_; }
    void addLinesNotRead(const std::vector<LineNotRead>& lines, const std::string& from);
    // Where they are kept: "<name> (lines not read).txt" beside the file they came from.
    std::string linesNotReadFile() const;
    // Writes them there, private to the user, and forgets them; nothing to do without such lines.
    WriteResult keepLinesNotRead(std::string* keptIn = nullptr);

private:
    friend class LineReader;
    friend LoadStatus readDiaryText(Document& document, std::string_view bytes, Date today);

    LoadReport read(Date today);
    void widenDayRange(Date date);
    void noteDayChangedHere(Date day);
    void markInStepWithFile(const FileIdentity& identity);
    void removeDayRow(int position, Date day, DateTime now);
    WriteResult writeTo(const std::string& path, const FileOps& ops, FileIdentity* written) const;

    ReadingTable table_;
    std::string userName_;
    DateTime firstDay_;
    DateTime lastDay_;
    Date trendWindowStart_;
    Date trendWindowEnd_;
    std::int16_t listTopIndex_ = 1;

    std::string path_; // empty while untitled
    std::string backupPath_;
    bool dirty_ = false;

    FileIdentity diskIdentity_;
    std::string nameInFile_;
    ChangesHere changesHere_;
    std::vector<LineNotRead> linesNotRead_;
    std::string linesNotReadFrom_;
};

// The lines of the day in the table, in table order, each ended by CR LF, as the file holds them.
std::string dayLinesOf(const ReadingTable& table, Date day);

} // namespace tonolog
