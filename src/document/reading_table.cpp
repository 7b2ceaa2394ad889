#include "reading_table.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace tonolog {

namespace {
constexpr std::int64_t notANumber = std::numeric_limits<std::int64_t>::min();
}

std::int64_t ReadingTable::orderOf(const std::string& dayNumber) {
    std::int64_t value = 0;
    const char* begin = dayNumber.data();
    const char* end = begin + dayNumber.size();
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ec != std::errc() || ptr != end || begin == end)
        return notANumber;
    return value;
}

int ReadingTable::findByKey(std::string_view key, int start) const {
    for (int position = std::max(start, 1); position <= count(); ++position)
        if (rows_[static_cast<std::size_t>(position - 1)]->row.key == key)
            return position;
    return 0;
}

int ReadingTable::placeRow(std::size_t index) {
    const std::int64_t order = rows_[index]->order;
    const bool afterPrevious = index == 0 || rows_[index - 1]->order <= order;
    const bool beforeNext = index + 1 == rows_.size() || order <= rows_[index + 1]->order;
    if (afterPrevious && beforeNext)
        return static_cast<int>(index) + 1;
    auto entry = std::move(rows_[index]);
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
    const auto at = std::upper_bound(rows_.begin(), rows_.end(), order,
                                     [](std::int64_t o, const std::unique_ptr<Entry>& e) { return o < e->order; });
    const auto inserted = rows_.insert(at, std::move(entry));
    return static_cast<int>(inserted - rows_.begin()) + 1;
}

int ReadingTable::add(int position, std::string key) {
    if (isFull() || position < 1 || position > count() + 1)
        return 0;
    auto entry = std::make_unique<Entry>();
    entry->row.key = std::move(key);
    entry->order = notANumber;
    const auto index = static_cast<std::size_t>(position - 1);
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(index), std::move(entry));
    return placeRow(index);
}

int ReadingTable::setSubColumn(int position, int subColumn, std::string text) {
    const auto index = static_cast<std::size_t>(position - 1);
    Entry& entry = *rows_[index];
    entry.row.columns[static_cast<std::size_t>(subColumn - 1)] = std::move(text);
    if (subColumn != dayNumberColumn)
        return position;
    entry.order = orderOf(entry.row.column(dayNumberColumn));
    return placeRow(index);
}

void ReadingTable::setKey(int position, std::string key) {
    rows_[static_cast<std::size_t>(position - 1)]->row.key = std::move(key);
}

void ReadingTable::remove(int position) { rows_.erase(rows_.begin() + position - 1); }

int ReadingTable::insertOrdered(DayRow row) {
    if (isFull())
        return 0;
    auto entry = std::make_unique<Entry>();
    entry->order = orderOf(row.column(dayNumberColumn));
    entry->row = std::move(row);
    const std::int64_t order = entry->order;
    const auto at = std::upper_bound(rows_.begin(), rows_.end(), order,
                                     [](std::int64_t o, const std::unique_ptr<Entry>& e) { return o < e->order; });
    const auto inserted = rows_.insert(at, std::move(entry));
    return static_cast<int>(inserted - rows_.begin()) + 1;
}

bool ReadingTable::appendUnordered(DayRow row) {
    if (isFull())
        return false;
    auto entry = std::make_unique<Entry>();
    entry->order = orderOf(row.column(dayNumberColumn));
    entry->row = std::move(row);
    rows_.push_back(std::move(entry));
    return true;
}

void ReadingTable::restoreOrder() {
    std::stable_sort(rows_.begin(), rows_.end(),
                     [](const std::unique_ptr<Entry>& a, const std::unique_ptr<Entry>& b) { return a->order < b->order; });
}

void clearDayReadings(DayRecord& record) {
    for (std::size_t i = 0; i < 3; ++i) {
        record.sys[i].clear();
        record.dia[i].clear();
        record.pul[i].clear();
        record.time[i].clear();
    }
    record.note.clear();
}

DayRow rowFromRecord(const DayRecord& record, std::string key) {
    DayRow row;
    row.key = std::move(key);
    for (std::size_t i = 0; i < 3; ++i) {
        row.columns[4 * i + 0] = record.sys[i];
        row.columns[4 * i + 1] = record.dia[i];
        row.columns[4 * i + 2] = record.pul[i];
        row.columns[4 * i + 3] = record.time[i];
    }
    row.columns[noteColumn - 1] = record.note;
    row.columns[dayNumberColumn - 1] = formatDayNumber(record.date);
    return row;
}

int addRowFromRecord(ReadingTable& table, const DayRecord& record, int position, std::string key) {
    if (position < 1 || position > table.count() + 1)
        return 0;
    return table.insertOrdered(rowFromRecord(record, std::move(key)));
}

} // namespace tonolog
