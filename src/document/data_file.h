#pragma once

#include "document.h"
#include "file_io.h"

#include <string>
#include <string_view>

namespace tonolog {

// What the main window does around reading and writing a data file: the pointer, the caption,
// the history, the pages and the messages. The document core itself shows nothing.
class DocumentEvents {
public:
    virtual ~DocumentEvents() = default;
    virtual void setBusyPointer(bool /*busy*/) {}
    virtual void setCaption(const std::string& /*caption*/) {}
    virtual void updateHistory() {}
    // The end of a scan: the name field, the button states, today on the Diary page, the pages.
    virtual void showLoadedDiary() {}
    // The file could not be read, for the reason given in plain words.
    virtual void reportCannotOpen(const std::string& /*reason*/) {}
    // Only the first 32767 days were read; keptCopy names the file that keeps the whole backup
    // when a recalled backup was that long, and copyFailed says that it could not be made.
    virtual void reportTooManyDays(const std::string& /*keptCopy*/, bool /*copyFailed*/) {}
    // Lines of the file could not be taken as days: the document's linesNotRead.
    virtual void reportLinesNotRead() {}
};

// The whole file as written: the name line, then a line per day, CR LF line ends.
std::string formatDiary(const std::string& userName, const ReadingTable& table);
// The same text given to `put` in pieces of some tens of kilobytes; false when put refused one.
bool formatDiaryInPieces(const std::string& userName, const ReadingTable& table, const PieceSink& put);

// Appends the line of the row at the position, with its CR LF, as the file holds it.
void appendDayLine(std::string& out, const ReadingTable& table, int position);

// The content of an empty backup: a name line with an empty name and no days.
inline constexpr std::string_view emptyBackupLine = ",,,,,,,,,,,,,,\r\n";

// NotText: the bytes hold NUL bytes and no byte-order mark of a wide form: no diary.
enum class LoadStatus { Loaded, CannotOpen, TooManyDays, NotText };

// Fills the document from the text of a data file (already read into memory), as the scan of
// the file does: the table is replaced, the name taken from the first line, each day line
// checked, the trend window and the List page's first row set. `today` places the trend window
// when no day was accepted.
LoadStatus readDiaryText(Document& document, std::string_view bytes, Date today);

// Reads docPath into the document. Named documents get their caption and history entry, also
// when the file cannot be opened. The file's identity is kept, and the lines the reader could not
// take are kept in the document and reported. A file of more than 32767 days is read up to that many and
// the document becomes untitled, so a save never overwrites the file with the shortened diary.
LoadStatus loadFile(Document& document, DocumentEvents& events, Date today);

struct WriteResult {
    bool ok = true;
    std::string reason; // in plain words when not ok
};

// Writes the table to docPath. For a named document a completed write also clears isDirty,
// deletes the backup, sets the caption and moves the file to the top of the history; a failed
// write changes nothing.
WriteResult writeFile(Document& document, DocumentEvents& events, const FileOps& ops = FileOps::system());

// Replaces the backup with the single empty line.
WriteResult writeEmptyBackup(const Document& document, const FileOps& ops = FileOps::system());

// Writes the whole backup, as read, to a new file beside it ("TL_Backup (complete).tnl"); its
// path, or empty when it could not be written.
std::string keepCompleteBackup(const Document& document, std::string_view bytes);

// A file beside the file at path, named after it: "<folder>/<name> (<what>)<extension>", the name
// without its extension, numbered from 2 where such a file is there already.
std::string besideFile(const std::string& path, const std::string& what, const std::string& extension);

// Where the lines not read of the document are kept: "<name> (lines not read).txt" beside the file
// they came from.
std::string linesNotReadFile(const Document& document);

// Writes the lines not read to linesNotReadFile, private to the user, and forgets them; `keptIn`
// receives the path. Nothing to do without such lines.
WriteResult keepLinesNotRead(Document& document, std::string* keptIn = nullptr);

// Keeps the backup that the user chose not to recall: copied, private to the user, to
// "TL_Backup (not recalled <stamp>).tnl" beside it, of which only the ten newest stay. A backup
// that holds nothing (the empty backup) is not kept. `keptIn` receives the copy's path.
WriteResult keepDeclinedBackup(const Document& document, const std::string& stamp, std::string* keptIn);
inline constexpr int declinedBackupsKept = 10;

// The caption of the main window for a named document.
std::string captionFor(const Document& document);

} // namespace tonolog
