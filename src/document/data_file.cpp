// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "data_file.h"

#include "diary_lines.h"
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

} // namespace

void appendDayLine(std::string& out, const ReadingTable& table, int position) {
    // A plain row is kept as its line.
    if (const std::string_view line = table.fileLineAt(position); !line.empty()) {
        out.append(line);
    } else {
        const DayRow& row = table.rowAt(position);
        appendField(out, row.key(), false);
        for (int column = 1; column < noteColumn; ++column)
            appendField(out, row.column(column), false);
        appendField(out, row.column(noteColumn), true);
    }
    out += "\r\n";
}

namespace {

// Formats the diary into out; after each line, handOn(out) may pass it on and empty it, and stops
// the formatting when it returns false.
template <class HandOn>
bool formatLines(std::string& out, const std::string& userName, const ReadingTable& table, HandOn&& handOn) {
    appendField(out, userName, true);
    out += "\r\n";
    for (int position = 1; position <= table.count(); ++position) {
        appendDayLine(out, table, position);
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

// Reads the lines of a text of whole lines: as they are when the text is UTF-8, as the usual
// diary is, or else each line that is not read as Windows-1252.
bool readTextLines(LineReader& reader, std::string_view lines) {
    if (isValidUtf8(lines))
        return reader.readLines(lines);
    return reader.readLines(linesToUtf8(lines));
}

// A file without a single LF ends its lines with a CR alone, as old Macintosh programs write.
std::string_view loneCarriageReturnsSplit(std::string_view text, std::string& room) {
    if (text.find('\n') != std::string_view::npos || text.find('\r') == std::string_view::npos)
        return text;
    room.assign(text);
    std::replace(room.begin(), room.end(), '\r', '\n');
    return room;
}

std::string_view withoutUtf8Marks(std::string_view text) {
    // Every byte-order mark at the start goes: one left behind would become part of the name.
    while (text.substr(0, utf8ByteOrderMark.size()) == utf8ByteOrderMark)
        text.remove_prefix(utf8ByteOrderMark.size());
    return text;
}

// Reads the file into the document as it comes, a piece at a time: Loaded, TooManyDays or NotText,
// or nullopt (nothing read) when it is of a wide form and has to be read whole and converted.
// CannotOpen with the reason when the file cannot be read.
std::optional<LoadStatus> readDiaryFileInPieces(Document& document, const std::string& path, Date today,
                                                std::string* reason, FileIdentity* identity) {
    std::optional<LineReader> reader;
    std::size_t size = 0;
    // The start of the file while it may still be a byte-order mark, then a line that goes on in
    // the next piece.
    std::string pending;
    bool atStart = true;
    bool wide = false;
    bool notText = false;
    bool full = false;
    bool newlineSeen = false;
    const auto readLines = [&](std::string_view lines) {
        if (!full && !readTextLines(*reader, lines))
            full = true;
    };
    // The complete lines of a piece, after the line that pending holds from the pieces before;
    // what follows the piece's last LF waits in pending.
    const auto takeLines = [&](std::string_view piece) {
        auto last = piece.rfind('\n');
        if (last == std::string_view::npos) {
            pending.append(piece);
            return;
        }
        newlineSeen = true;
        if (!pending.empty()) {
            const auto first = piece.find('\n');
            pending.append(piece.substr(0, first + 1));
            readLines(pending);
            pending.clear();
            if (first == last) {
                pending.assign(piece.substr(first + 1));
                return;
            }
            piece.remove_prefix(first + 1);
            last -= first + 1;
        }
        readLines(piece.substr(0, last + 1));
        pending.assign(piece.substr(last + 1));
    };
    const auto take = [&](std::string_view piece) {
        if (!reader)
            reader.emplace(document, size);
        if (!atStart) {
            notText = piece.find('\0') != std::string_view::npos;
            if (!notText)
                takeLines(piece);
            return !notText;
        }
        pending.append(piece);
        if (pending.size() < 4 && pending.size() < size)
            return true; // perhaps the start of a mark
        if (wideByteOrderMark(pending).form != WideForm::none) {
            wide = true;
            return false;
        }
        const std::string_view text = withoutUtf8Marks(pending);
        if (text.size() < utf8ByteOrderMark.size() && utf8ByteOrderMark.substr(0, text.size()) == text)
            return true; // perhaps the start of another mark
        atStart = false;
        const std::string first(text);
        pending.clear();
        notText = first.find('\0') != std::string::npos;
        if (!notText)
            takeLines(first);
        return !notText;
    };
    if (!readFileInPieces(path, take, reason, &size, identity))
        return LoadStatus::CannotOpen;
    if (!reader)
        reader.emplace(document, size);
    if (atStart) {
        // A file of a few bytes, or of byte-order marks only.
        wide = wide || wideByteOrderMark(pending).form != WideForm::none;
        if (!wide) {
            pending = std::string(withoutUtf8Marks(pending));
            notText = pending.find('\0') != std::string::npos;
        }
    }
    if (wide)
        return std::nullopt;
    if (notText) {
        reader.emplace(document, 0);
        reader->finish(today);
        return LoadStatus::NotText;
    }
    if (!pending.empty()) {
        // The last line, without a LF; or the whole of a file whose lines end in CRs alone.
        std::string room;
        readLines(newlineSeen ? std::string_view(pending) : loneCarriageReturnsSplit(pending, room));
    }
    return reader->finish(today);
}

} // namespace

LoadStatus readDiaryText(Document& document, std::string_view bytes, Date today) {
    std::string converted;
    if (const WideMark mark = wideByteOrderMark(bytes); mark.form != WideForm::none) {
        converted = wideToUtf8(bytes.substr(mark.length), mark.form);
        bytes = converted;
    }
    bytes = withoutUtf8Marks(bytes);
    if (bytes.find('\0') != std::string_view::npos) {
        LineReader(document, 0).finish(today);
        return LoadStatus::NotText;
    }
    std::string split;
    bytes = loneCarriageReturnsSplit(bytes, split);
    LineReader reader(document, bytes.size());
    readTextLines(reader, bytes);
    return reader.finish(today);
}

LoadStatus readDiaryFile(Document& document, const std::string& path, Date today, std::string* reason,
                         FileIdentity* identity) {
    // Read as it comes, without a copy of the whole file; a file of a wide form is read whole and
    // converted.
    if (const auto read = readDiaryFileInPieces(document, path, today, reason, identity))
        return *read;
    if (const auto bytes = readWholeFile(path, reason, identity))
        return readDiaryText(document, *bytes, today);
    return LoadStatus::CannotOpen;
}

std::string besideFile(const std::string& path, const std::string& what, const std::string& extension) {
    const auto slash = path.rfind('/');
    const std::string dir = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    std::string stem = path.substr(dir.size());
    if (const auto dot = stem.rfind('.'); dot != std::string::npos && dot > 0)
        stem.resize(dot);
    for (int n = 1;; ++n) {
        const std::string candidate =
            dir + stem + " (" + what + (n > 1 ? " " + std::to_string(n) : "") + ")" + extension;
        if (!fileExists(candidate) || n >= 1000)
            return candidate;
    }
}

} // namespace tonolog
