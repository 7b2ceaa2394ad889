// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dates.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tonolog {

// Sub-columns of a day row: 1..12 the three readings (SYS, DIA, PUL, time each), 13 the note,
// 14 the day number, on which the table keeps its order.
inline constexpr int noteColumn = 13;
inline constexpr int dayNumberColumn = 14;
inline constexpr int subColumnCount = 14;

// A day row: its key and fourteen sub-columns. A row of the table (rowAt) looks into the table's
// text and is valid until the table changes; a row made on its own keeps its own text.
//
// The text of a row is its pieces (the key, then sub-columns 1..14) joined by commas. A row whose
// pieces hold no line break and, except the note, no comma, is kept as exactly that, marked
// "plain": up to the comma after the note it is the row's line in the file. Any other row carries
// the lengths of its pieces in front of the text.
class DayRow {
public:
    static constexpr int pieceCount = subColumnCount + 1; // the key, then sub-columns 1..14

    DayRow();
    DayRow(std::string_view key, const std::array<std::string_view, subColumnCount>& columns);

    std::string_view key() const { return piece(0); }
    std::string_view column(int subColumn) const { return piece(subColumn); }
    void setKey(std::string_view text) { setPiece(0, text); }
    void setColumn(int subColumn, std::string_view text) { setPiece(subColumn, text); }

private:
    friend class ReadingTable;
    // A view of a record kept elsewhere.
    DayRow(const char* record, std::size_t size) : view_(record) { decode(record, size); }

    const char* text() const { return (view_ != nullptr ? view_ : own_.data()) + textOffset_; }
    std::string_view piece(int index) const {
        const auto i = static_cast<std::size_t>(index);
        const std::uint32_t begin = i == 0 ? 0 : ends_[i - 1] + 1;
        return std::string_view(text() + begin, ends_[i] - begin);
    }
    void setPiece(int index, std::string_view text);
    void decode(const char* record, std::size_t size);
    std::array<std::string_view, pieceCount> pieces() const;
    std::string_view record() const {
        return view_ != nullptr ? std::string_view(view_, recordSize_) : std::string_view(own_);
    }
    // The stored form of a row of these pieces, appended to out.
    static void appendRecord(std::string& out, const std::array<std::string_view, pieceCount>& pieces);
    // The key of a stored record, read without taking the rest apart.
    static std::string_view keyOfRecord(const char* record, std::size_t size);

    std::string own_;              // the record of a row made on its own
    const char* view_ = nullptr;   // or the record of a row elsewhere
    std::uint32_t textOffset_ = 0; // where the text starts in the record
    std::uint32_t recordSize_ = 0;
    bool plain_ = true;
    std::array<std::uint32_t, pieceCount> ends_{}; // where each piece ends in the text
};

// The ordered table of day rows, one row per day with data, in ascending day number.
// Positions are 1-based. Day numbers are compared as numbers; a row whose day number is not
// a number yet (a row just added, before its columns are set) stands before all others.
//
// The rows' texts lie one after another in one buffer; a changed row that no longer fits its
// place is written anew at the end, and the buffer is tidied when more of it is old than in use.
class ReadingTable {
public:
    // Positions and counts are 16-bit throughout the program.
    static constexpr int maxRows = 32767;

    void clear();
    int count() const { return static_cast<int>(rows_.size()); }
    bool isFull() const { return count() >= maxRows; }

    // The row at a position 1..count.
    DayRow rowAt(int position) const {
        const Entry& e = rows_[static_cast<std::size_t>(position - 1)];
        return DayRow(text_.data() + e.begin, e.size);
    }
    // The key, sub-columns 1..12 and the note of the row at the position, each followed by a
    // comma, as its line in the file holds them; empty when the row is not plain (the writer has
    // to change something).
    std::string_view fileLineAt(int position) const;
    // The bytes the rows' texts take.
    std::size_t textSize() const { return text_.size() - unused_; }

    // The day of the row at a position by its day number, which the reader and the commit set
    // from the key; nullopt for a row without one, and for a position with no row.
    std::optional<Date> dayOf(int position) const;

    // The first position at or after start whose key equals the text; 0 when there is none. A
    // key that is a date is looked for by bisection among the rows of its day number (and the
    // rows without one yet), which are the only rows that can carry it; any other key, which
    // only a file edited by hand holds, is looked for row by row.
    int findByKey(std::string_view key, int start = 1) const;
    // The first position of the rows of the day; 0 when the table has none of it.
    int firstPositionOfDay(Date day) const;
    // The same search among the rows of one day number only, found by bisection: the same answer
    // for a key whose rows carry that day number, as every key read or committed does.
    int findByKeyOfDay(std::string_view key, std::int64_t dayNumber, int start = 1) const;

    // Adds a row with empty sub-columns at the position (1..count+1) and lets the order place it.
    // Returns the row's position, or 0 when the table is full or the position is out of range.
    int add(int position, std::string_view key);

    // Replaces a sub-column's text; setting the day number re-sorts the row. Returns the row's
    // new position.
    int setSubColumn(int position, int subColumn, std::string_view text);
    void setKey(int position, std::string_view key);

    // Deletes the row; later rows move up by one.
    void remove(int position);

    // Adds a complete row at its place in the order (after rows with the same day number).
    // Returns its position, or 0 when the table is full.
    int insertOrdered(const DayRow& row);

    // For the file reader: rows appended in file order, then put in order once.
    bool appendUnordered(const DayRow& row);
    // The same for a row read from a file: `joined` is its key, sub-columns 1..12 and the note
    // joined by commas, as the file's line holds them; no piece holds a line break, and none but
    // the note a comma.
    bool appendJoined(std::string_view joined, std::int32_t dayNumber);
    void restoreOrder();
    void reserve(int rows) { rows_.reserve(static_cast<std::size_t>(std::min(rows, maxRows))); }
    void reserveText(std::size_t bytes) { text_.reserve(bytes); }

private:
    struct Entry {
        std::uint32_t begin = 0; // the record in text_
        std::uint32_t size = 0;
        std::int64_t order = 0;
    };
    static std::int64_t orderOf(std::string_view dayNumber);
    int placeRow(std::size_t index);
    std::string_view keyAt(std::size_t index) const {
        return DayRow::keyOfRecord(text_.data() + rows_[index].begin, rows_[index].size);
    }
    // Appends the record to the text; the entry that finds it there.
    Entry store(std::string_view record);
    void setPiece(std::size_t index, int piece, std::string_view text);
    // The entry's record is no longer used; the text is tidied when most of it is unused.
    void release(const Entry& entry);

    std::string text_;
    std::vector<Entry> rows_;
    std::size_t unused_ = 0; // bytes of text_ no row uses any more
    std::string scratch_;
};

// One day as the Diary page and the table pass it between them.
struct DayRecord {
    Date date;
    std::array<std::string, 3> sys;
    std::array<std::string, 3> dia;
    std::array<std::string, 3> pul;
    std::array<std::string, 3> time;
    std::string note;
};

// The day as the table holds it (empty readings for a day without a row).
DayRecord dayRecordOf(const ReadingTable& table, Date day);

// Empties the twelve reading texts and the note; the date stays.
void clearDayReadings(DayRecord& record);

// Adds a row with the key at the position, filled from the record, its day number that of the
// record's date. Returns the row's position after ordering, or 0 when the table is full.
int addRowFromRecord(ReadingTable& table, const DayRecord& record, int position, std::string_view key);

// The day row made from a record.
DayRow rowFromRecord(const DayRecord& record, std::string_view key);

} // namespace tonolog
