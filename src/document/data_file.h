// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document.h"
#include "file_io.h"

#include <string>
#include <string_view>

namespace tonolog {

// The whole file as written: the name line, then a line per day, CR LF line ends.
std::string formatDiary(const std::string& userName, const ReadingTable& table);
// The same text given to `put` in pieces of some tens of kilobytes; false when put refused one.
bool formatDiaryInPieces(const std::string& userName, const ReadingTable& table, const PieceSink& put);

// Appends the line of the row at the position, with its CR LF, as the file holds it.
void appendDayLine(std::string& out, const ReadingTable& table, int position);

// The content of an empty backup: a name line with an empty name and no days.
inline constexpr std::string_view emptyBackupLine = ",,,,,,,,,,,,,,\r\n";

// Fills the document from the text of a data file (already read into memory), as the scan of
// the file does: the table is replaced, the name taken from the first line, each day line
// checked, the trend window and the List page's first row set. `today` places the trend window
// when no day was accepted.
LoadStatus readDiaryText(Document& document, std::string_view bytes, Date today);

// Reads the file at path into the document as readDiaryText does, a piece at a time where it can
// (it need not be in memory whole); CannotOpen, with the reason in plain words, when it cannot be
// read. `identity` receives the file's identity, with the hash of its bytes.
LoadStatus readDiaryFile(Document& document, const std::string& path, Date today, std::string* reason,
                         FileIdentity* identity);

// A file beside the file at path, named after it: "<folder>/<name> (<what>)<extension>", the name
// without its extension, numbered from 2 where such a file is there already.
std::string besideFile(const std::string& path, const std::string& what, const std::string& extension);

} // namespace tonolog
