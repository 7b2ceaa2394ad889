#include "reading_table.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace tonolog {

namespace {
constexpr std::int64_t notANumber = std::numeric_limits<std::int64_t>::min();
}

DayRow::DayRow(std::string_view key, const std::array<std::string_view, subColumnCount>& columns) {
    std::size_t size = key.size();
    for (const auto& c : columns)
        size += c.size();
    text_.reserve(size);
    text_.append(key);
    ends_[0] = static_cast<std::uint32_t>(text_.size());
    for (std::size_t i = 0; i < columns.size(); ++i) {
        text_.append(columns[i]);
        ends_[i + 1] = static_cast<std::uint32_t>(text_.size());
    }
}

void DayRow::setPiece(int index, std::string_view text) {
    const auto i = static_cast<std::size_t>(index);
    const std::uint32_t begin = i == 0 ? 0 : ends_[i - 1];
    const std::uint32_t oldLength = ends_[i] - begin;
    text_.replace(begin, oldLength, text);
    const auto newLength = static_cast<std::uint32_t>(text.size());
    for (std::size_t k = i; k < ends_.size(); ++k)
        ends_[k] = ends_[k] - oldLength + newLength;
}

std::int64_t ReadingTable::orderOf(std::string_view dayNumber) {
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
        if (rows_[static_cast<std::size_t>(position - 1)].row.key() == key)
            return position;
    return 0;
}

int ReadingTable::findByKeyOfDay(std::string_view key, std::int64_t dayNumber, int start) const {
    const auto from = rows_.begin() + std::clamp(start - 1, 0, count());
    auto at = std::lower_bound(from, rows_.end(), dayNumber,
                               [](const Entry& entry, std::int64_t day) { return entry.order < day; });
    for (; at != rows_.end() && at->order == dayNumber; ++at)
        if (at->row.key() == key)
            return static_cast<int>(at - rows_.begin()) + 1;
    return 0;
}

int ReadingTable::placeRow(std::size_t index) {
    const std::int64_t order = rows_[index].order;
    const bool afterPrevious = index == 0 || rows_[index - 1].order <= order;
    const bool beforeNext = index + 1 == rows_.size() || order <= rows_[index + 1].order;
    if (afterPrevious && beforeNext)
        return static_cast<int>(index) + 1;
    Entry entry = std::move(rows_[index]);
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
    const auto at = std::upper_bound(rows_.begin(), rows_.end(), order,
                                     [](std::int64_t o, const Entry& e) { return o < e.order; });
    const auto inserted = rows_.insert(at, std::move(entry));
    return static_cast<int>(inserted - rows_.begin()) + 1;
}

int ReadingTable::add(int position, std::string_view key) {
    if (isFull() || position < 1 || position > count() + 1)
        return 0;
    Entry entry;
    entry.row.setKey(key);
    entry.order = notANumber;
    const auto index = static_cast<std::size_t>(position - 1);
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(index), std::move(entry));
    return placeRow(index);
}

int ReadingTable::setSubColumn(int position, int subColumn, std::string_view text) {
    const auto index = static_cast<std::size_t>(position - 1);
    Entry& entry = rows_[index];
    entry.row.setColumn(subColumn, text);
    if (subColumn != dayNumberColumn)
        return position;
    entry.order = orderOf(entry.row.column(dayNumberColumn));
    return placeRow(index);
}

void ReadingTable::setKey(int position, std::string_view key) {
    rows_[static_cast<std::size_t>(position - 1)].row.setKey(key);
}

void ReadingTable::remove(int position) {
    rows_.erase(rows_.begin() + position - 1);
}

int ReadingTable::insertOrdered(DayRow row) {
    if (isFull())
        return 0;
    const std::int64_t order = orderOf(row.column(dayNumberColumn));
    const auto at = std::upper_bound(rows_.begin(), rows_.end(), order,
                                     [](std::int64_t o, const Entry& e) { return o < e.order; });
    const auto inserted = rows_.insert(at, Entry{std::move(row), order});
    return static_cast<int>(inserted - rows_.begin()) + 1;
}

bool ReadingTable::appendUnordered(DayRow row) {
    if (isFull())
        return false;
    const std::int64_t order = orderOf(row.column(dayNumberColumn));
    rows_.push_back(Entry{std::move(row), order});
    return true;
}

void ReadingTable::restoreOrder() {
    if (std::is_sorted(rows_.begin(), rows_.end(),
                       [](const Entry& a, const Entry& b) { return a.order < b.order; }))
        return;
    std::stable_sort(rows_.begin(), rows_.end(),
                     [](const Entry& a, const Entry& b) { return a.order < b.order; });
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

DayRow rowFromRecord(const DayRecord& record, std::string_view key) {
    const std::string dayNumber = formatDayNumber(record.date);
    std::array<std::string_view, subColumnCount> columns;
    for (std::size_t i = 0; i < 3; ++i) {
        columns[4 * i + 0] = record.sys[i];
        columns[4 * i + 1] = record.dia[i];
        columns[4 * i + 2] = record.pul[i];
        columns[4 * i + 3] = record.time[i];
    }
    columns[noteColumn - 1] = record.note;
    columns[dayNumberColumn - 1] = dayNumber;
    return DayRow(key, columns);
}

int addRowFromRecord(ReadingTable& table, const DayRecord& record, int position, std::string_view key) {
    if (position < 1 || position > table.count() + 1)
        return 0;
    return table.insertOrdered(rowFromRecord(record, key));
}

} // namespace tonolog
