// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "reading_table.h"

#include <algorithm>
#include <cassert>
#include <charconv>
#include <cstring>
#include <limits>

namespace tonolog {

namespace {

constexpr std::int64_t notANumber = std::numeric_limits<std::int64_t>::min();

// The first byte of a record: a plain row's text follows at once; any other row's text follows
// the lengths of its pieces, seven bits a byte, the last byte of each without the high bit.
constexpr char plainMark = 'P';
constexpr char lengthsMark = 'L';

bool isPlain(const std::array<std::string_view, DayRow::pieceCount>& pieces) {
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const bool commaAllowed = i == noteColumn;
        for (const char c : pieces[i])
            if (c == '\r' || c == '\n' || (c == ',' && !commaAllowed))
                return false;
    }
    return true;
}

void appendLength(std::string& out, std::size_t length) {
    while (length >= 0x80) {
        out += static_cast<char>(0x80 | (length & 0x7F));
        length >>= 7;
    }
    out += static_cast<char>(length);
}

std::uint32_t readLength(const char*& p) {
    std::uint32_t length = 0;
    for (int shift = 0;; shift += 7) {
        const auto byte = static_cast<unsigned char>(*p++);
        length |= static_cast<std::uint32_t>(byte & 0x7F) << shift;
        if ((byte & 0x80) == 0)
            return length;
    }
}

} // namespace

DayRow::DayRow() : DayRow(std::string_view(), std::array<std::string_view, subColumnCount>{}) {}

DayRow::DayRow(std::string_view key, const std::array<std::string_view, subColumnCount>& columns) {
    std::array<std::string_view, pieceCount> all;
    all[0] = key;
    std::copy(columns.begin(), columns.end(), all.begin() + 1);
    appendRecord(own_, all);
    decode(own_.data(), own_.size());
}

void DayRow::appendRecord(std::string& out, const std::array<std::string_view, pieceCount>& pieces) {
    const bool plain = isPlain(pieces);
    out += plain ? plainMark : lengthsMark;
    if (!plain)
        for (const auto& piece : pieces)
            appendLength(out, piece.size());
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            out += ',';
        out.append(pieces[i]);
    }
}

void DayRow::decode(const char* record, std::size_t size) {
    recordSize_ = static_cast<std::uint32_t>(size);
    plain_ = record[0] == plainMark;
    if (!plain_) {
        const char* p = record + 1;
        std::uint32_t end = 0;
        for (std::size_t i = 0; i < ends_.size(); ++i) {
            end += (i == 0 ? 0 : 1) + readLength(p);
            ends_[i] = end;
        }
        textOffset_ = static_cast<std::uint32_t>(p - record);
        return;
    }
    // The first thirteen commas end the key and sub-columns 1..12; the last one ends the note,
    // which may hold commas of its own, and the day number holds none.
    textOffset_ = 1;
    const char* text = record + 1;
    const auto length = static_cast<std::uint32_t>(size - 1);
    std::size_t found = 0;
    for (std::uint32_t i = 0; found < noteColumn; ++i)
        if (text[i] == ',')
            ends_[found++] = i;
    ends_[noteColumn] = static_cast<std::uint32_t>(std::string_view(text, length).rfind(','));
    ends_[dayNumberColumn] = length;
}

std::string_view DayRow::keyOfRecord(const char* record, std::size_t size) {
    if (record[0] == plainMark) {
        const std::string_view text(record + 1, size - 1);
        return text.substr(0, text.find(','));
    }
    const char* p = record + 1;
    const std::uint32_t keyLength = readLength(p);
    for (int i = 1; i < pieceCount; ++i)
        readLength(p);
    return std::string_view(p, keyLength);
}

std::array<std::string_view, DayRow::pieceCount> DayRow::pieces() const {
    std::array<std::string_view, pieceCount> all;
    for (int i = 0; i < pieceCount; ++i)
        all[static_cast<std::size_t>(i)] = piece(i);
    return all;
}

void DayRow::setPiece(int index, std::string_view text) {
    auto all = pieces();
    all[static_cast<std::size_t>(index)] = text;
    std::string record;
    appendRecord(record, all);
    own_ = std::move(record);
    view_ = nullptr;
    decode(own_.data(), own_.size());
}

std::optional<Date> ReadingTable::dayOf(int position) const {
    if (position < 1 || position > count())
        return std::nullopt;
    const std::int64_t order = rows_[static_cast<std::size_t>(position - 1)].order;
    if (order < std::numeric_limits<std::int32_t>::min() || order > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return Date{static_cast<std::int32_t>(order)};
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

std::string_view ReadingTable::fileLineAt(int position) const {
    const Entry& e = rows_[static_cast<std::size_t>(position - 1)];
    if (text_[e.begin] != plainMark)
        return {};
    const std::string_view text(text_.data() + e.begin + 1, e.size - 1);
    return text.substr(0, text.rfind(',') + 1);
}

void ReadingTable::clear() {
    // The memory goes too: a long diary read before must not stay resident behind a short one.
    std::string().swap(text_);
    std::vector<Entry>().swap(rows_);
    unused_ = 0;
}

int ReadingTable::findByKey(std::string_view key, int start) const {
    const auto date = parseDate(key);
    if (!date) {
        for (int position = std::max(start, 1); position <= count(); ++position)
            if (keyAt(static_cast<std::size_t>(position - 1)) == key)
                return position;
        return 0;
    }
    auto index = static_cast<std::size_t>(std::clamp(start - 1, 0, count()));
    for (; index < rows_.size() && rows_[index].order == notANumber; ++index)
        if (keyAt(index) == key)
            return static_cast<int>(index) + 1;
    return findByKeyOfDay(key, date->serial, static_cast<int>(index) + 1);
}

int ReadingTable::firstPositionOfDay(Date day) const {
    const auto at = std::lower_bound(rows_.begin(), rows_.end(), std::int64_t{day.serial},
                                     [](const Entry& entry, std::int64_t d) { return entry.order < d; });
    return at != rows_.end() && at->order == day.serial ? static_cast<int>(at - rows_.begin()) + 1 : 0;
}

int ReadingTable::findByKeyOfDay(std::string_view key, std::int64_t dayNumber, int start) const {
    const auto from = rows_.begin() + std::clamp(start - 1, 0, count());
    auto at = std::lower_bound(from, rows_.end(), dayNumber,
                               [](const Entry& entry, std::int64_t day) { return entry.order < day; });
    for (; at != rows_.end() && at->order == dayNumber; ++at)
        if (keyAt(static_cast<std::size_t>(at - rows_.begin())) == key)
            return static_cast<int>(at - rows_.begin()) + 1;
    return 0;
}

ReadingTable::Entry ReadingTable::store(std::string_view record) {
    Entry entry;
    entry.begin = static_cast<std::uint32_t>(text_.size());
    entry.size = static_cast<std::uint32_t>(record.size());
    text_.append(record);
    return entry;
}

void ReadingTable::release(const Entry& entry) {
    unused_ += entry.size;
    if (unused_ < 65536 || unused_ < text_.size() / 2)
        return;
    std::string tidy;
    tidy.reserve(text_.size() - unused_);
    for (Entry& e : rows_) {
        const auto begin = static_cast<std::uint32_t>(tidy.size());
        tidy.append(text_, e.begin, e.size);
        e.begin = begin;
    }
    text_.swap(tidy);
    unused_ = 0;
}

int ReadingTable::placeRow(std::size_t index) {
    const std::int64_t order = rows_[index].order;
    const bool afterPrevious = index == 0 || rows_[index - 1].order <= order;
    const bool beforeNext = index + 1 == rows_.size() || order <= rows_[index + 1].order;
    if (afterPrevious && beforeNext)
        return static_cast<int>(index) + 1;
    const Entry entry = rows_[index];
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
    const auto at = std::upper_bound(rows_.begin(), rows_.end(), order,
                                     [](std::int64_t o, const Entry& e) { return o < e.order; });
    const auto inserted = rows_.insert(at, entry);
    return static_cast<int>(inserted - rows_.begin()) + 1;
}

int ReadingTable::add(int position, std::string_view key) {
    if (isFull() || position < 1 || position > count() + 1)
        return 0;
    std::array<std::string_view, DayRow::pieceCount> pieces;
    pieces[0] = key;
    scratch_.clear();
    DayRow::appendRecord(scratch_, pieces);
    Entry entry = store(scratch_);
    entry.order = notANumber;
    const auto index = static_cast<std::size_t>(position - 1);
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(index), entry);
    return placeRow(index);
}

void ReadingTable::setPiece(std::size_t index, int piece, std::string_view text) {
    Entry& entry = rows_[index];
    const DayRow row(text_.data() + entry.begin, entry.size);
    const std::string_view old = row.piece(piece);
    if (old == text)
        return;
    // A text of the same length takes the old one's place, when the row's form allows it there.
    const bool keepsForm =
        !row.plain_ ||
        (text.find_first_of(piece == noteColumn ? std::string_view("\r\n") : std::string_view("\r\n,")) ==
         std::string_view::npos);
    if (old.size() == text.size() && keepsForm) {
        const auto at = static_cast<std::size_t>(old.data() - text_.data());
        std::memmove(text_.data() + at, text.data(), text.size());
        return;
    }
    auto pieces = row.pieces();
    pieces[static_cast<std::size_t>(piece)] = text;
    scratch_.clear();
    DayRow::appendRecord(scratch_, pieces);
    const Entry previous = entry;
    const Entry written = store(scratch_);
    entry.begin = written.begin;
    entry.size = written.size;
    release(previous);
}

int ReadingTable::setSubColumn(int position, int subColumn, std::string_view text) {
    const auto index = static_cast<std::size_t>(position - 1);
    setPiece(index, subColumn, text);
    if (subColumn != dayNumberColumn)
        return position;
    rows_[index].order = orderOf(text);
    return placeRow(index);
}

void ReadingTable::setKey(int position, std::string_view key) {
    setPiece(static_cast<std::size_t>(position - 1), 0, key);
}

void ReadingTable::remove(int position) {
    const Entry entry = rows_[static_cast<std::size_t>(position - 1)];
    rows_.erase(rows_.begin() + position - 1);
    release(entry);
}

int ReadingTable::insertOrdered(const DayRow& row) {
    if (isFull())
        return 0;
    const std::int64_t order = orderOf(row.column(dayNumberColumn));
    // The row may look into this table's text, which the append can move.
    scratch_.assign(row.record());
    Entry entry = store(scratch_);
    entry.order = order;
    const auto at = std::upper_bound(rows_.begin(), rows_.end(), order,
                                     [](std::int64_t o, const Entry& e) { return o < e.order; });
    const auto inserted = rows_.insert(at, entry);
    return static_cast<int>(inserted - rows_.begin()) + 1;
}

bool ReadingTable::appendUnordered(const DayRow& row) {
    if (isFull())
        return false;
    const std::int64_t order = orderOf(row.column(dayNumberColumn));
    scratch_.assign(row.record());
    Entry entry = store(scratch_);
    entry.order = order;
    rows_.push_back(entry);
    return true;
}

bool ReadingTable::appendJoined(std::string_view joined, std::int32_t dayNumber) {
    if (isFull())
        return false;
    assert(std::count(joined.begin(), joined.end(), ',') >= noteColumn - 1);
    assert(joined.find_first_of("\r\n") == std::string_view::npos);
    char number[16];
    const auto digits =
        static_cast<std::size_t>(std::to_chars(number, number + sizeof number, dayNumber).ptr - number);
    Entry entry;
    entry.begin = static_cast<std::uint32_t>(text_.size());
    entry.size = static_cast<std::uint32_t>(1 + joined.size() + 1 + digits);
    entry.order = dayNumber;
    // One step for the whole record: the rows of a long diary are read one after another.
    text_.resize(text_.size() + entry.size);
    char* at = text_.data() + entry.begin;
    *at++ = plainMark;
    std::memcpy(at, joined.data(), joined.size());
    at += joined.size();
    *at++ = ',';
    std::memcpy(at, number, digits);
    rows_.push_back(entry);
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

DayRecord dayRecordOf(const ReadingTable& table, Date day) {
    DayRecord record;
    record.date = day;
    const int position = table.findByKey(formatDayKey(day));
    if (position == 0)
        return record;
    const DayRow row = table.rowAt(position);
    record.date = parseDate(row.key()).value_or(day);
    for (std::size_t i = 0; i < 3; ++i) {
        const int base = static_cast<int>(4 * i);
        record.sys[i] = row.column(base + 1);
        record.dia[i] = row.column(base + 2);
        record.pul[i] = row.column(base + 3);
        record.time[i] = row.column(base + 4);
    }
    record.note = row.column(noteColumn);
    return record;
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
