#pragma once

#include "data_file.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

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

    private:
        bool known_ = false;
        char month_[3] = {};
        char year_[4] = {};
        Date first_;
        int daysInMonth_ = 0;
    };

private:
    Document& document_;
    LoadStatus status_ = LoadStatus::Loaded;
    bool nameLineRead_ = false;
    int lineNumber_ = 0;
    KeyDates dates_;
    Commas commas_; // only as many as a scan found are set
    std::string joined_;
};

} // namespace tonolog
