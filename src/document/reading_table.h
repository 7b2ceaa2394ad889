#pragma once

#include "dates.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tonolog {

// Sub-columns of a day row: 1..12 the three readings (SYS, DIA, PUL, time each), 13 the note,
// 14 the day number, on which the table keeps its order.
inline constexpr int noteColumn = 13;
inline constexpr int dayNumberColumn = 14;
inline constexpr int subColumnCount = 14;

struct DayRow {
    std::string key;
    std::array<std::string, subColumnCount> columns; // index 0 holds sub-column 1

    const std::string& column(int subColumn) const { return columns[static_cast<std::size_t>(subColumn - 1)]; }
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
    const DayRow& rowAt(int position) const { return rows_[static_cast<std::size_t>(position - 1)]->row; }

    // The first position at or after start whose key equals the text; 0 when there is none.
    int findByKey(std::string_view key, int start = 1) const;

    // Adds a row with empty sub-columns at the position (1..count+1) and lets the order place it.
    // Returns the row's position, or 0 when the table is full or the position is out of range.
    int add(int position, std::string key);

    // Replaces a sub-column's text; setting the day number re-sorts the row. Returns the row's
    // new position.
    int setSubColumn(int position, int subColumn, std::string text);
    void setKey(int position, std::string key);

    // Deletes the row; later rows move up by one.
    void remove(int position);

    // Adds a complete row at its place in the order (after rows with the same day number).
    // Returns its position, or 0 when the table is full.
    int insertOrdered(DayRow row);

    // For the file reader: rows appended in file order, then put in order once.
    bool appendUnordered(DayRow row);
    void restoreOrder();

private:
    struct Entry {
        DayRow row;
        std::int64_t order = 0;
    };
    static std::int64_t orderOf(const std::string& dayNumber);
    int placeRow(std::size_t index);

    std::vector<std::unique_ptr<Entry>> rows_;
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
int addRowFromRecord(ReadingTable& table, const DayRecord& record, int position, std::string key);

// The day row as a record (the date read from its day number).
DayRow rowFromRecord(const DayRecord& record, std::string key);

} // namespace tonolog
