#include "data_file.h"

#include "conversions.h"
#include "messages.h"
#include "text_encoding.h"

#include <algorithm>
#include <array>
#include <vector>

namespace tonolog {

namespace {

constexpr std::string_view utf8ByteOrderMark = "\xEF\xBB\xBF";

// The fields of one line, split at commas; an empty text after the last comma counts as a field.
class LineFields {
public:
    void split(std::string_view line) {
        fields_.clear();
        std::size_t start = 0;
        for (;;) {
            const auto comma = line.find(',', start);
            if (comma == std::string_view::npos) {
                fields_.push_back(line.substr(start));
                return;
            }
            fields_.push_back(line.substr(start, comma - start));
            start = comma + 1;
        }
    }
    int count() const { return static_cast<int>(fields_.size()); }
    // Field numbers start at 1; a number beyond the count gives an empty text.
    std::string_view field(int number) const {
        return number >= 1 && number <= count() ? fields_[static_cast<std::size_t>(number - 1)]
                                                : std::string_view{};
    }

private:
    std::vector<std::string_view> fields_;
};

bool isAcceptedReading(std::string_view text) {
    if (text.empty())
        return true;
    const auto value = parseInt16(text);
    return value && *value >= 0 && *value <= 250;
}

void readNameLine(Document& document, const LineFields& fields) {
    document.userName.assign(fields.field(1));
    for (int i = 2; i <= fields.count(); ++i) {
        const auto piece = fields.field(i);
        if (!piece.empty()) {
            document.userName += ',';
            document.userName += piece;
        }
    }
}

enum class DayLine { Accepted, Ignored, TableFull };

DayLine readDayLine(Document& document, const LineFields& fields) {
    static constexpr int readingFields[] = {2, 3, 4, 6, 7, 8, 10, 11, 12};
    for (int i : readingFields)
        if (!isAcceptedReading(fields.field(i)))
            return DayLine::Ignored;
    const auto date = parseDate(fields.field(1));
    if (!date)
        return DayLine::Ignored;
    if (document.table.isFull())
        return DayLine::TableFull;

    widenDayRange(document, *date);
    std::array<std::string_view, subColumnCount> columns;
    for (int i = 2; i <= std::min(fields.count(), subColumnCount); ++i)
        columns[static_cast<std::size_t>(i - 2)] = fields.field(i);
    // A note that held commas continues over the following fields.
    std::string note;
    if (fields.count() > subColumnCount) {
        note.assign(columns[noteColumn - 1]);
        for (int i = subColumnCount + 1; i <= fields.count(); ++i) {
            const auto piece = fields.field(i);
            if (!piece.empty()) {
                note += ',';
                note += piece;
            }
        }
        columns[noteColumn - 1] = note;
    }
    const std::string dayNumber = formatDayNumber(*date);
    columns[dayNumberColumn - 1] = dayNumber;
    document.table.appendUnordered(DayRow(fields.field(1), columns));
    // The window is the calendar month of the latest day; a day inside it changes nothing.
    if (*date > document.trendWindowStart && *date > document.trendWindowEnd)
        setTrendWindowToMonthOf(document, *date);
    return DayLine::Accepted;
}

// A field of the format cannot hold a line break, and only the note (the last field) may hold
// a comma: anything else would move the following fields.
void appendField(std::string& out, std::string_view text, bool commasAllowed) {
    const std::string_view breaking = commasAllowed ? std::string_view("\r\n") : std::string_view("\r\n,");
    std::size_t start = 0;
    for (;;) {
        const auto at = text.find_first_of(breaking, start);
        if (at == std::string_view::npos) {
            out.append(text.substr(start));
            break;
        }
        out.append(text.substr(start, at - start));
        out += ' ';
        start = at + 1;
    }
    out += ',';
}

} // namespace

std::string formatDiary(const std::string& userName, const ReadingTable& table) {
    std::string out;
    out.reserve(static_cast<std::size_t>(table.count()) * 64 + userName.size() + 3);
    appendField(out, userName, true);
    out += "\r\n";
    for (int position = 1; position <= table.count(); ++position) {
        const DayRow& row = table.rowAt(position);
        appendField(out, row.key(), false);
        for (int column = 1; column < noteColumn; ++column)
            appendField(out, row.column(column), false);
        appendField(out, row.column(noteColumn), true);
        out += "\r\n";
    }
    return out;
}

LoadStatus readDiaryText(Document& document, std::string_view bytes, Date today) {
    document.table.clear();
    document.trendWindowStart = zeroDate;
    document.trendWindowEnd = zeroDate;

    // Every byte-order mark at the start goes: one left behind would become part of the name.
    while (bytes.substr(0, utf8ByteOrderMark.size()) == utf8ByteOrderMark)
        bytes.remove_prefix(utf8ByteOrderMark.size());
    std::string converted;
    if (!isValidUtf8(bytes)) {
        converted = windows1252ToUtf8(bytes);
        bytes = converted;
    }

    document.table.reserve(static_cast<int>(
        std::min<std::ptrdiff_t>(std::count(bytes.begin(), bytes.end(), '\n'), ReadingTable::maxRows)));
    LoadStatus status = LoadStatus::Loaded;
    LineFields fields;
    bool nameLineRead = false;
    std::size_t position = 0;
    while (position < bytes.size()) {
        const auto newline = bytes.find('\n', position);
        const std::size_t end = newline == std::string_view::npos ? bytes.size() : newline;
        std::string_view line = bytes.substr(position, end - position);
        position = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        // A CR inside a line is read as the blank that the writer would make of it, so that what
        // is read writes back to itself.
        std::string blanked;
        if (line.find('\r') != std::string_view::npos) {
            blanked.assign(line);
            std::replace(blanked.begin(), blanked.end(), '\r', ' ');
            line = blanked;
        }
        fields.split(line);
        if (!nameLineRead) {
            readNameLine(document, fields);
            nameLineRead = true;
        } else if (readDayLine(document, fields) == DayLine::TableFull) {
            status = LoadStatus::TooManyDays;
            break;
        }
    }
    document.table.restoreOrder();

    document.listTopIndex = static_cast<std::int16_t>(std::max(1, document.table.count() - 3));
    if (document.trendWindowStart == zeroDate)
        setTrendWindowToMonthOf(document, today);
    return status;
}

std::string keepCompleteBackup(const Document& document, std::string_view bytes) {
    for (int n = 1; n < 1000; ++n) {
        const std::string path = document.backupDir + document.backupName + " (complete" +
                                 (n > 1 ? " " + std::to_string(n) : "") + ").tnl";
        if (fileExists(path))
            continue;
        if (writeFileAtomically(path, bytes))
            return {};
        return path;
    }
    return {};
}

LoadStatus loadFile(Document& document, DocumentEvents& events, Date today) {
    events.setBusyPointer(true);
    LoadStatus status = LoadStatus::CannotOpen;
    std::string reason;
    std::string keptCopy;
    bool copyFailed = false;
    if (const auto bytes = readWholeFile(document.docPath, &reason)) {
        status = readDiaryText(document, *bytes, today);
        // A recalled backup of more than 32767 days would lose the rest at the next commit, which
        // rewrites the backup: the whole of it is kept under another name first.
        if (status == LoadStatus::TooManyDays && document.docPath == document.backupPath) {
            keptCopy = keepCompleteBackup(document, *bytes);
            copyFailed = keptCopy.empty();
        }
    } else {
        // Emptied as a scan would start, so the previous diary never shows under this file's name.
        readDiaryText(document, {}, today);
        document.userName.clear();
    }
    if (status == LoadStatus::TooManyDays) {
        document.docDir = document.backupDir;
        document.docName = document.backupName;
        document.docPath = document.backupPath;
    }
    events.showLoadedDiary();
    if (status == LoadStatus::CannotOpen)
        events.reportCannotOpen(reason);
    else if (status == LoadStatus::TooManyDays)
        events.reportTooManyDays(keptCopy, copyFailed);
    events.setBusyPointer(false);
    if (!document.isUntitled()) {
        events.setCaption(captionFor(document));
        events.updateHistory();
    }
    return status;
}

WriteResult writeFile(Document& document, DocumentEvents& events, const FileOps& ops) {
    if (const auto failure =
            writeFileAtomically(document.docPath, formatDiary(document.userName, document.table), ops))
        return WriteResult{false, *failure};
    if (document.isUntitled())
        return {};
    // Copies that interrupted saves of this diary left beside it go.
    removeStaleTemporaries(document.docPath, processStartTime());
    document.isDirty = 0;
    deleteFileQuietly(document.backupPath);
    events.setCaption(captionFor(document));
    events.updateHistory();
    return {};
}

WriteResult writeEmptyBackup(const Document& document, const FileOps& ops) {
    if (const auto failure = writeFileAtomically(document.backupPath, emptyBackupLine, ops))
        return WriteResult{false, *failure};
    return {};
}

std::string captionFor(const Document& document) {
    if (document.isUntitled())
        return text::programTitle;
    return std::string(text::programTitle) + " [" + document.docName + "]";
}

} // namespace tonolog
