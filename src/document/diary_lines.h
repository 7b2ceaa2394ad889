// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data_file.h"

#include <array>
#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tonolog {

// Reads a diary's lines one after another as they come: the name line, then the day lines, each
// in one pass over its commas. The data file reader's own part.
class LineReader {
public:
    // Empties the table and the trend window, as a scan starts; room for the rows of a file of
    // that many bytes is reserved (room never used costs no memory).
    LineReader(Document& document, std::size_t fileSize);

    // Reads the lines of the text, each ended by a LF but perhaps the last; false, and the status
    // TooManyDays, once the table is full. A day line that cannot be taken goes to the document's
    // linesNotRead, unless it holds nothing but commas and blanks.
    bool readLines(std::string_view text);

    // Puts the rows in order and sets the List page's first row and, when no day was read, the
    // trend window.
    LoadStatus finish(Date today);

    // The first fifteen commas of a line end its fields 1..15: the key, twelve readings, the note,
    // and in the usual form the empty field after the note's comma.
    static constexpr std::size_t maxCommas = 15;
    using Commas = std::array<std::size_t, maxCommas>;

    // Reads the key form "Jan./05/2004" of one line after another without taking apart the month
    // and year again while they stay those of the line before: the same answers as parseDate.
    class KeyDates {
    public:
        std::optional<Date> parse(std::string_view key);
        // Whether the key last parsed is written as the program writes it ("Feb./05/2004").
        bool canonical() const { return canonical_; }

    private:
        bool known_ = false;
        bool knownCanonical_ = false;
        bool canonical_ = false;
        char month_[3] = {};
        char year_[4] = {};
        Date first_;
        int daysInMonth_ = 0;
    };

private:
    // Lines of one day become one row: the readings of the later lines go into the free places
    // of the first (the same reading twice is one), their notes are joined, and readings that
    // find no place are kept as a line not read.
    void mergeSameDays();

    Document& document_;
    LoadStatus status_ = LoadStatus::Loaded;
    bool nameLineRead_ = false;
    int lineNumber_ = 0;
    KeyDates dates_;
    Commas commas_; // only as many as a scan found are set
    std::string joined_;
    std::string rekeyed_;
    // The day lines that came after a later day or the same one (day number, line number): only
    // these can share a day with another line.
    std::vector<std::pair<std::int32_t, int>> revisits_;
    std::int32_t latestDay_ = std::numeric_limits<std::int32_t>::min();
};

} // namespace tonolog
