#pragma once

#include "dates.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tonolog {

// Sub-columns of a day row: 1..12 the three readings (SYS, DIA, PUL, time each), 13 the note,
// 14 the day number, on which the table keeps its order.
inline constexpr int noteColumn = 13;
inline constexpr int dayNumberColumn = 14;
inline constexpr int subColumnCount = 14;

// A day row: its key and fourteen sub-columns, kept together in one buffer so that a diary of
// tens of thousands of days costs one allocation a day.
class DayRow {
public:
    static constexpr int pieceCount = subColumnCount + 1; // the key, then sub-columns 1..14

    DayRow() { ends_.fill(0); }
    DayRow(std::string_view key, const std::array<std::string_view, subColumnCount>& columns);

    std::string_view key() const { return piece(0); }
    std::string_view column(int subColumn) const { return piece(subColumn); }
    void setKey(std::string_view text) { setPiece(0, text); }
    void setColumn(int subColumn, std::string_view text) { setPiece(subColumn, text); }

private:
    std::string_view piece(int index) const {
        const std::uint32_t begin = index == 0 ? 0 : ends_[static_cast<std::size_t>(index - 1)];
        return std::string_view(text_).substr(begin, ends_[static_cast<std::size_t>(index)] - begin);
    }
    void setPiece(int index, std::string_view text);

    std::string text_;
    std::array<std::uint32_t, pieceCount> ends_; // where each piece ends in text_
};

// The ordered table of day rows, one row per day with data, in ascending day number.
// Positions are 1-based. Day numbers are compared as numbers; a row whose day number is not
// a number yet (a row just added, before its columns are set) stands before all others.
class ReadingTable {
public:
    // Positions and counts are 16-bit throughout the program.
    static constexpr int maxRows = 32767;

    void clear() { rows_.clear(); }
    int count() const { return static_cast<int>(rows_.size()); }
    bool isFull() const { return count() >= maxRows; }

    // The row at a position 1..count.
    const DayRow& rowAt(int position) const { return rows_[static_cast<std::size_t>(position - 1)].row; }

    // The first position at or after start whose key equals the text; 0 when there is none.
    int findByKey(std::string_view key, int start = 1) const;
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
    int insertOrdered(DayRow row);

    // For the file reader: rows appended in file order, then put in order once.
    bool appendUnordered(DayRow row);
    void restoreOrder();
    void reserve(int rows) { rows_.reserve(static_cast<std::size_t>(std::min(rows, maxRows))); }

private:
    struct Entry {
        DayRow row;
        std::int64_t order = 0;
    };
    static std::int64_t orderOf(std::string_view dayNumber);
    int placeRow(std::size_t index);

    std::vector<Entry> rows_;
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

// Empties the twelve reading texts and the note; the date stays.
void clearDayReadings(DayRecord& record);

// Adds a row with the key at the position, filled from the record, its day number that of the
// record's date. Returns the row's position after ordering, or 0 when the table is full.
int addRowFromRecord(ReadingTable& table, const DayRecord& record, int position, std::string_view key);

// The day row made from a record.
DayRow rowFromRecord(const DayRecord& record, std::string_view key);

} // namespace tonolog
