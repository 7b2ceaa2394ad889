// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "diary_lines.h"

#include "conversions.h"
#include "words.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tonolog {

namespace {

// The fields of one line, split at commas; an empty text after the last comma counts as a field.
class LineFields {
public:
    void split(std::string_view line) {
        fields_.clear();
        std::size_t start = 0;
        for (;;) {
            const auto comma = line.find(',', start);
            if (comma == std::string_view::npos) {
                fields_.push_back(line.substr(start));
                return;
            }
            fields_.push_back(line.substr(start, comma - start));
            start = comma + 1;
        }
    }
    int count() const { return static_cast<int>(fields_.size()); }
    // Field numbers start at 1; a number beyond the count gives an empty text.
    std::string_view field(int number) const {
        return number >= 1 && number <= count() ? fields_[static_cast<std::size_t>(number - 1)]
                                                : std::string_view{};
    }

private:
    std::vector<std::string_view> fields_;
};

bool isAcceptedReadingText(std::string_view text) {
    const auto value = parseInt16(text);
    return value && *value >= 0 && *value <= 250;
}

// A reading is empty or a whole number from 0 to 250. The usual one to three digits are read
// here; any other text goes through the general conversion.
inline bool isAcceptedReading(std::string_view text) {
    const auto digit = [&](std::size_t i) { return static_cast<unsigned char>(text[i] - '0') < 10; };
    switch (text.size()) {
    case 0:
        return true;
    case 1:
        if (digit(0))
            return true;
        break;
    case 2:
        if (digit(0) && digit(1))
            return true;
        break;
    case 3:
        if (digit(0) && digit(1) && digit(2))
            return (text[0] - '0') * 100 + (text[1] - '0') * 10 + (text[2] - '0') <= 250;
        break;
    default:
        break;
    }
    return isAcceptedReadingText(text);
}

// What the reader fills: the document's diary.
struct Target {
    ReadingTable& table;
    std::string& userName;
    DateTime& firstDay;
    DateTime& lastDay;
    Date& windowStart;
    Date& windowEnd;
};

void readNameLine(std::string& userName, const LineFields& fields) {
    userName.assign(fields.field(1));
    for (int i = 2; i <= fields.count(); ++i) {
        const auto piece = fields.field(i);
        if (!piece.empty()) {
            userName += ',';
            userName += piece;
        }
    }
}

enum class DayLine { Accepted, BadValue, BadDate, TableFull };

constexpr std::size_t maxCommas = LineReader::maxCommas;
using Commas = LineReader::Commas;

// Where the line that starts at `start` ends (its LF, or the end of the text), the positions of
// its first commas from its start, and how many CRs it holds. Sixteen bytes are compared at once
// where the processor can.
struct LineScan {
    std::size_t end = 0;
    std::size_t commas = 0;
    std::size_t returns = 0;
};

LineScan scanLine(std::string_view text, std::size_t start, Commas& commas) {
    LineScan scan;
    std::size_t i = start;
#if defined(__SSE2__)
    const auto matches = [](__m128i bytes, char c) {
        return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(c))));
    };
    for (; i + 16 <= text.size(); i += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
        const unsigned newlines = matches(bytes, '\n');
        // Only the bytes before the first LF belong to the line.
        const unsigned inLine = newlines == 0 ? 0xFFFFu : (newlines & (0u - newlines)) - 1;
        for (unsigned hits = matches(bytes, '\r') & inLine; hits != 0; hits &= hits - 1)
            ++scan.returns;
        for (unsigned hits = matches(bytes, ',') & inLine; hits != 0 && scan.commas < maxCommas;
             hits &= hits - 1)
            commas[scan.commas++] = i - start + static_cast<std::size_t>(std::countr_zero(hits));
        if (newlines != 0) {
            scan.end = i + static_cast<std::size_t>(std::countr_zero(newlines));
            return scan;
        }
    }
#endif
    for (; i < text.size() && text[i] != '\n'; ++i) {
        if (text[i] == ',' && scan.commas < maxCommas)
            commas[scan.commas++] = i - start;
        if (text[i] == '\r')
            ++scan.returns;
    }
    scan.end = i;
    return scan;
}

// Reads one day line, given the positions of its first commas (found of them). `joined` is room
// for the lines that are not in the usual form, kept from line to line.
DayLine readDayLine(const Target& document, std::string_view line, const Commas& commas, std::size_t found,
                    LineReader::KeyDates& dates, std::string& joined, std::string& rekeyed, Date& read) {
    // Field numbers start at 1; a field the line does not have is empty.
    const auto field = [&](std::size_t number) {
        if (number > found + 1)
            return std::string_view();
        const std::size_t begin = number == 1 ? 0 : commas[number - 2] + 1;
        const std::size_t end = number <= found ? commas[number - 1] : line.size();
        return line.substr(begin, end - begin);
    };

    static constexpr std::size_t readingFields[] = {2, 3, 4, 6, 7, 8, 10, 11, 12};
    if (found >= 12) {
        // Every reading field is there, between two commas.
        for (const std::size_t i : readingFields)
            if (!isAcceptedReading(line.substr(commas[i - 2] + 1, commas[i - 1] - commas[i - 2] - 1)))
                return DayLine::BadValue;
    } else {
        for (const std::size_t i : readingFields)
            if (!isAcceptedReading(field(i)))
                return DayLine::BadValue;
    }
    const auto date = dates.parse(field(1));
    if (!date)
        return DayLine::BadDate;
    if (document.table.isFull())
        return DayLine::TableFull;
    const DateTime day = DateTime::atMidnight(*date);
    document.firstDay = std::min(document.firstDay, day);
    document.lastDay = std::max(document.lastDay, day);

    // The key, the readings and the note joined by commas: usually the line itself.
    constexpr std::size_t noteFieldEnd = noteColumn; // the comma after the note
    std::string_view pieces = line;
    if (found == noteFieldEnd + 1 && commas[noteFieldEnd] == line.size() - 1) {
        pieces.remove_suffix(1); // the comma after the note
    } else if (found < noteFieldEnd) {
        // Missing fields are empty.
        joined.assign(line);
        joined.append(noteFieldEnd - found, ',');
        pieces = joined;
    } else if (found > noteFieldEnd) {
        // A note that held commas continues over the following fields, and the empty ones among
        // them are dropped: usually there is none but perhaps the last.
        std::string_view rest = line.substr(commas[noteFieldEnd] + 1);
        if (rest.front() != ',' && rest.find(",,") == std::string_view::npos) {
            if (line.back() == ',')
                pieces.remove_suffix(1);
        } else {
            joined.assign(line.substr(0, commas[noteFieldEnd]));
            for (;;) {
                const auto comma = rest.find(',');
                const auto piece = rest.substr(0, comma);
                if (!piece.empty()) {
                    joined += ',';
                    joined += piece;
                }
                if (comma == std::string_view::npos)
                    break;
                rest.remove_prefix(comma + 1);
            }
            pieces = joined;
        }
    }
    // A key written another way ("2004-02-05", "feb./05/2004") is stored as the program writes
    // it, so that the day is one day everywhere.
    if (!dates.canonical()) {
        rekeyed = formatDayKey(*date);
        rekeyed.append(pieces.substr(field(1).size()));
        pieces = rekeyed;
    }
    read = *date;
    document.table.appendJoined(pieces, date->serial);
    // The window is the calendar month of the latest day; a day inside it changes nothing.
    if (*date > document.windowStart && *date > document.windowEnd) {
        document.windowStart = firstDayOfMonth(*date);
        document.windowEnd = windowEndFor(document.windowStart);
    }
    return DayLine::Accepted;
}

// A line of nothing but commas and blanks holds nothing to keep.
bool holdsSomething(std::string_view line) {
    return line.find_first_not_of(", \t") != std::string_view::npos;
}

} // namespace

std::optional<Date> LineReader::KeyDates::parse(std::string_view key) {
    const bool keyForm = key.size() == 12 && key[3] == '.' && key[4] == '/' && key[7] == '/';
    if (keyForm && known_ && key.substr(0, 3) == std::string_view(month_, 3) &&
        key.substr(8) == std::string_view(year_, 4)) {
        const auto tens = static_cast<unsigned>(key[5] - '0');
        const auto ones = static_cast<unsigned>(key[6] - '0');
        if (tens < 10 && ones < 10) {
            const auto day = static_cast<int>(tens * 10 + ones);
            if (day < 1 || day > daysInMonth_)
                return std::nullopt;
            canonical_ = knownCanonical_;
            return Date{first_.serial + day - 1};
        }
    }
    const auto date = parseDate(key);
    canonical_ = date && keyForm && key == formatDayKey(*date);
    if (keyForm && date) {
        known_ = true;
        knownCanonical_ = canonical_;
        std::memcpy(month_, key.data(), 3);
        std::memcpy(year_, key.data() + 8, 4);
        first_ = firstDayOfMonth(*date);
        const CivilDate c = civilFromDate(*date);
        daysInMonth_ = lastDayOfMonth(c.year, c.month);
    }
    return date;
}

LineReader::LineReader(Document& document, std::size_t fileSize) : document_(document) {
    document.table_.clear();
    document.linesNotRead_.clear();
    document.trendWindowStart_ = zeroDate;
    document.trendWindowEnd_ = zeroDate;
    // A day line of the usual form takes at least 24 bytes, and its row a few more bytes.
    document.table_.reserve(
        static_cast<int>(std::min<std::size_t>(fileSize / 24 + 1, ReadingTable::maxRows)));
    document.table_.reserveText(fileSize + fileSize / 8 + 64);
}

bool LineReader::readLines(std::string_view text) {
    const Target target{document_.table_,   document_.userName_,         document_.firstDay_,
                        document_.lastDay_, document_.trendWindowStart_, document_.trendWindowEnd_};
    std::size_t position = 0;
    while (position < text.size()) {
        LineScan scan = scanLine(text, position, commas_);
        std::string_view line = text.substr(position, scan.end - position);
        position = scan.end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
            --scan.returns;
        }
        // A CR inside a line is read as the blank that the writer would make of it, so that
        // what is read writes back to itself.
        std::string blanked;
        if (scan.returns > 0) {
            blanked.assign(line);
            std::replace(blanked.begin(), blanked.end(), '\r', ' ');
            line = blanked;
            scan = scanLine(line, 0, commas_);
        }
        ++lineNumber_;
        if (!nameLineRead_) {
            LineFields fields;
            fields.split(line);
            readNameLine(document_.userName_, fields);
            nameLineRead_ = true;
            continue;
        }
        Date day;
        const DayLine read = readDayLine(target, line, commas_, scan.commas, dates_, joined_, rekeyed_, day);
        if (read == DayLine::Accepted) {
            if (day.serial <= latestDay_)
                revisits_.emplace_back(day.serial, lineNumber_);
            latestDay_ = std::max(latestDay_, day.serial);
        }
        if (read == DayLine::TableFull) {
            status_ = LoadStatus::TooManyDays;
            return false;
        }
        if (read != DayLine::Accepted && holdsSomething(line))
            document_.linesNotRead_.push_back(
                {lineNumber_,
                 read == DayLine::BadValue
                     ? translated(QT_TRANSLATE_NOOP("Tonolog", "a value is not a whole number from 0 to 250"))
                     : translated(QT_TRANSLATE_NOOP("Tonolog", "its date cannot be read")),
                 std::string(line)});
    }
    return true;
}

namespace {

constexpr int slotCount = 3;
constexpr int slotWidth = 4; // SYS, DIA, PUL, TIME

using DayColumns = std::array<std::string, noteColumn>; // sub-columns 1..13

DayColumns columnsOf(const ReadingTable& table, int position) {
    const DayRow row = table.rowAt(position);
    DayColumns columns;
    for (int c = 1; c <= noteColumn; ++c)
        columns[static_cast<std::size_t>(c - 1)] = std::string(row.column(c));
    return columns;
}

bool slotIsEmpty(const DayColumns& columns, int slot) {
    for (int k = 0; k < slotWidth; ++k)
        if (!columns[static_cast<std::size_t>(slot * slotWidth + k)].empty())
            return false;
    return true;
}

bool sameSlot(const DayColumns& a, int slotA, const DayColumns& b, int slotB) {
    for (int k = 0; k < slotWidth; ++k)
        if (a[static_cast<std::size_t>(slotA * slotWidth + k)] !=
            b[static_cast<std::size_t>(slotB * slotWidth + k)])
            return false;
    return true;
}

void copySlot(DayColumns& to, int slotTo, const DayColumns& from, int slotFrom) {
    for (int k = 0; k < slotWidth; ++k)
        to[static_cast<std::size_t>(slotTo * slotWidth + k)] =
            from[static_cast<std::size_t>(slotFrom * slotWidth + k)];
}

// Takes the readings and the note of a later line of the day into `held`; what finds no place is
// left in `surplus` (empty when everything found one).
void takeInto(DayColumns& held, const DayColumns& later, DayColumns& surplus) {
    int surplusSlots = 0;
    for (int s = 0; s < slotCount; ++s) {
        if (slotIsEmpty(later, s))
            continue;
        bool placed = false;
        for (int h = 0; h < slotCount && !placed; ++h)
            placed = sameSlot(held, h, later, s);
        for (int h = 0; h < slotCount && !placed; ++h) {
            if (slotIsEmpty(held, h)) {
                copySlot(held, h, later, s);
                placed = true;
            }
        }
        if (!placed)
            copySlot(surplus, surplusSlots++, later, s);
    }
    std::string& note = held[noteColumn - 1];
    const std::string& laterNote = later[noteColumn - 1];
    if (!laterNote.empty() && laterNote != note)
        note = note.empty() ? laterNote : note + " / " + laterNote;
}

} // namespace

void LineReader::mergeSameDays() {
    ReadingTable& table = document_.table_;
    std::stable_sort(revisits_.begin(), revisits_.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto run = revisits_.begin(); run != revisits_.end();) {
        const std::int32_t day = run->first;
        const auto runEnd =
            std::find_if(run, revisits_.end(), [day](const auto& r) { return r.first != day; });
        const int first = table.firstPositionOfDay(Date{day});
        int rows = 1;
        while (first + rows <= table.count() && table.dayOf(first + rows) == Date{day})
            ++rows;
        if (first == 0 || rows == 1) {
            run = runEnd;
            continue;
        }
        // The later rows of the day are the last lines of the run, in the order of the file.
        const auto lines = runEnd - (rows - 1);
        DayColumns held = columnsOf(table, first);
        for (int k = 1; k < rows; ++k) {
            DayColumns surplus;
            takeInto(held, columnsOf(table, first + k), surplus);
            if (slotIsEmpty(surplus, 0))
                continue;
            std::string text(table.rowAt(first).key());
            for (std::size_t c = 0; c < noteColumn; ++c)
                text += "," + surplus[c];
            text += ",";
            document_.linesNotRead_.push_back(
                {(lines + (k - 1))->second,
                 translated(QT_TRANSLATE_NOOP("Tonolog", "its day already holds three other readings")),
                 text});
        }
        for (int k = rows - 1; k >= 1; --k)
            table.remove(first + k);
        for (int c = 1; c <= noteColumn; ++c)
            table.setSubColumn(first, c, held[static_cast<std::size_t>(c - 1)]);
        run = runEnd;
    }
    std::sort(document_.linesNotRead_.begin(), document_.linesNotRead_.end(),
              [](const LineNotRead& a, const LineNotRead& b) { return a.lineNumber < b.lineNumber; });
}

LoadStatus LineReader::finish(Date today) {
    document_.table_.restoreOrder();
    if (!revisits_.empty())
        mergeSameDays();
    document_.listTopIndex_ = static_cast<std::int16_t>(std::max(1, document_.table_.count() - 3));
    if (document_.trendWindowStart_ == zeroDate)
        document_.setTrendWindowToMonthOf(today);
    return status_;
}

} // namespace tonolog
