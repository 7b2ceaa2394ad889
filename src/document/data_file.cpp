#include "data_file.h"

#include "diary_lines.h"
#include "messages.h"
#include "text_encoding.h"

#include <algorithm>
#include <optional>

namespace tonolog {

namespace {

constexpr std::string_view utf8ByteOrderMark = "\xEF\xBB\xBF";

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

// Formats the diary into out; after each line, handOn(out) may pass it on and empty it, and stops
// the formatting when it returns false.
template <class HandOn>
bool formatLines(std::string& out, const std::string& userName, const ReadingTable& table, HandOn&& handOn) {
    appendField(out, userName, true);
    out += "\r\n";
    for (int position = 1; position <= table.count(); ++position) {
        // A plain row is kept as its line.
        if (const std::string_view line = table.fileLineAt(position); !line.empty()) {
            out.append(line);
            out += "\r\n";
        } else {
            const DayRow& row = table.rowAt(position);
            appendField(out, row.key(), false);
            for (int column = 1; column < noteColumn; ++column)
                appendField(out, row.column(column), false);
            appendField(out, row.column(noteColumn), true);
            out += "\r\n";
        }
        if (!handOn(out))
            return false;
    }
    return true;
}

} // namespace

std::string formatDiary(const std::string& userName, const ReadingTable& table) {
    std::string out;
    // A row's line is never longer than the text the table keeps for it.
    out.reserve(table.textSize() + 2 * static_cast<std::size_t>(table.count()) + userName.size() + 3);
    formatLines(out, userName, table, [](const std::string&) { return true; });
    return out;
}

bool formatDiaryInPieces(const std::string& userName, const ReadingTable& table, const PieceSink& put) {
    // As few writes as can be, each a system call; yet small enough (under the 128 KB from which
    // the C library maps fresh memory) to be taken again from the memory the last write gave back,
    // so that a write of the whole diary at every commit touches no fresh pages.
    constexpr std::size_t pieceSize = 120 * 1024;
    std::string piece;
    piece.reserve(pieceSize + 256);
    const auto handOn = [&](std::string& text) {
        if (text.size() < pieceSize)
            return true;
        const bool written = put(text);
        text.clear();
        return written;
    };
    return formatLines(piece, userName, table, handOn) && (piece.empty() || put(piece));
}

namespace {

// Reads the complete lines of a piece of the file, after the line that `pending` holds from the
// pieces before; what follows the piece's last LF waits in pending. The file must be UTF-8 as a
// whole: false (stop reading) at the first line that is not, with utf8 false. Once the table is
// full (full true), the rest is only looked at for that.
bool readPiece(LineReader& reader, std::string& pending, std::string_view piece, bool& utf8, bool& full) {
    const auto read = [&](std::string_view lines) {
        if (!isValidUtf8(lines)) {
            utf8 = false;
            return false;
        }
        if (!full && !reader.readLines(lines))
            full = true;
        return true;
    };
    if (!pending.empty()) {
        const auto newline = piece.find('\n');
        if (newline == std::string_view::npos) {
            pending.append(piece);
            return true;
        }
        pending.append(piece.substr(0, newline + 1));
        piece.remove_prefix(newline + 1);
        if (!read(pending))
            return false;
        pending.clear();
    }
    const auto last = piece.rfind('\n');
    const std::size_t complete = last == std::string_view::npos ? 0 : last + 1;
    if (!read(piece.substr(0, complete)))
        return false;
    pending.assign(piece.substr(complete));
    return true;
}

// Reads the file into the document as it comes, a piece at a time, for as long as it is UTF-8:
// Loaded or TooManyDays, or nullopt (the document half read) when it is not UTF-8 and has to be
// read whole and converted. CannotOpen with the reason when the file cannot be read.
std::optional<LoadStatus> readUtf8DiaryFile(Document& document, Date today, std::string* reason) {
    std::optional<LineReader> reader;
    std::size_t size = 0;
    std::string pending; // the start of the file while it may still be a byte-order mark, then a
                         // line that goes on in the next piece
    bool atStart = true;
    bool utf8 = true;
    bool full = false;
    const auto take = [&](std::string_view piece) {
        if (!reader)
            reader.emplace(document, size);
        if (atStart) {
            // Every byte-order mark at the start goes: one left behind would become part of the name.
            pending.append(piece);
            std::string_view text = pending;
            while (text.substr(0, utf8ByteOrderMark.size()) == utf8ByteOrderMark)
                text.remove_prefix(utf8ByteOrderMark.size());
            if (utf8ByteOrderMark.substr(0, text.size()) == text)
                return true; // perhaps the start of another mark
            atStart = false;
            const std::string rest(text);
            pending.clear();
            piece = rest;
            return readPiece(*reader, pending, piece, utf8, full);
        }
        return readPiece(*reader, pending, piece, utf8, full);
    };
    if (!readFileInPieces(document.docPath, take, reason, &size))
        return LoadStatus::CannotOpen;
    if (!reader)
        reader.emplace(document, size);
    if (utf8 && !pending.empty()) {
        // The last line, without a LF; or the start of a file that holds byte-order marks only.
        std::string_view text = pending;
        while (atStart && text.substr(0, utf8ByteOrderMark.size()) == utf8ByteOrderMark)
            text.remove_prefix(utf8ByteOrderMark.size());
        utf8 = isValidUtf8(text);
        if (utf8 && !full)
            reader->readLines(text);
    }
    if (!utf8)
        return std::nullopt;
    return reader->finish(today);
}

} // namespace

LoadStatus readDiaryText(Document& document, std::string_view bytes, Date today) {
    // Every byte-order mark at the start goes: one left behind would become part of the name.
    while (bytes.substr(0, utf8ByteOrderMark.size()) == utf8ByteOrderMark)
        bytes.remove_prefix(utf8ByteOrderMark.size());
    std::string converted;
    if (!isValidUtf8(bytes)) {
        converted = windows1252ToUtf8(bytes);
        bytes = converted;
    }
    LineReader reader(document, bytes.size());
    reader.readLines(bytes);
    return reader.finish(today);
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
    // Read as it comes, without a copy of the whole file; a file that is not UTF-8 is read whole
    // and converted.
    std::optional<LoadStatus> read = readUtf8DiaryFile(document, today, &reason);
    if (!read) {
        if (const auto bytes = readWholeFile(document.docPath, &reason))
            read = readDiaryText(document, *bytes, today);
        else
            read = LoadStatus::CannotOpen;
    }
    if (*read != LoadStatus::CannotOpen) {
        status = *read;
        // A recalled backup of more than 32767 days would lose the rest at the next commit, which
        // rewrites the backup: the whole of it is kept under another name first.
        if (status == LoadStatus::TooManyDays && document.docPath == document.backupPath) {
            const auto bytes = readWholeFile(document.docPath);
            keptCopy = bytes ? keepCompleteBackup(document, *bytes) : std::string();
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
    const auto content = [&document](const PieceSink& put) {
        return formatDiaryInPieces(document.userName, document.table, put);
    };
    if (const auto failure = writeFileAtomicallyFrom(document.docPath, content, ops))
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
