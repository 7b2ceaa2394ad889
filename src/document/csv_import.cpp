// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "import_readings.h"
#include "text_encoding.h"
#include "words.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstdlib>

namespace tonolog {

namespace {

constexpr int headerSearchRows = 60;
// More fields than a file of readings can hold (the largest diary has 32,767 days of three
// readings, seven fields each): such a file is refused before it fills the memory.
constexpr std::size_t maxCsvFields = 4'000'000;

bool isNoNote(std::string_view text) {
    return text == "-" || text == "null" || text == "NULL";
}

std::string utf8Text(std::string_view bytes) {
    const WideMark mark = wideByteOrderMark(bytes);
    if (mark.form != WideForm::none)
        return wideToUtf8(bytes.substr(mark.length), mark.form);
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    return linesToUtf8(bytes);
}

// The separator the first lines hold most of: a tab, ';' or ','.
char guessSeparator(std::string_view text) {
    std::array<std::size_t, 3> counts{};
    int lines = 0;
    bool quoted = false;
    for (const char c : text) {
        if (c == '"')
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (c == '\t')
            ++counts[0];
        else if (c == ';')
            ++counts[1];
        else if (c == ',')
            ++counts[2];
        else if (c == '\n' && ++lines >= 20)
            break;
    }
    if (counts[0] > counts[1] && counts[0] > counts[2])
        return '\t';
    return counts[1] > 0 && counts[1] >= counts[2] ? ';' : ',';
}

std::string lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// A header's name as compared: in lower case, without what stands in brackets (a unit) and without
// anything but letters ("Systolic (mmHg)" -> "systolic", "Date/Time" -> "datetime").
std::string nameKey(std::string_view name) {
    std::string out;
    int depth = 0;
    for (const char c : name) {
        if (c == '(' || c == '[')
            ++depth;
        else if ((c == ')' || c == ']') && depth > 0)
            --depth;
        else if (depth == 0 && std::isalpha(static_cast<unsigned char>(c)))
            out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

bool isOneOf(const std::string& key, std::initializer_list<std::string_view> names) {
    return std::find(names.begin(), names.end(), key) != names.end();
}

enum class Field { none, date, time, dateTime, sys, dia, pul, note };

Field fieldOf(const std::string& key) {
    if (isOneOf(key, {"date", "datum", "day", "tag", "measurementdate", "messdatum"}))
        return Field::date;
    if (isOneOf(key, {"time", "uhrzeit", "zeit", "measurementtime", "messzeit", "clocktime"}))
        return Field::time;
    if (isOneOf(key, {"datetime", "dateandtime", "datumuhrzeit", "datumundzeit", "datumzeit", "timestamp",
                      "zeitstempel", "zeitpunkt", "measured", "measuredat", "recorded", "recordedat"}))
        return Field::dateTime;
    if (isOneOf(key, {"systolic", "sys", "systole", "systolisch", "syst", "upper", "systolicpressure",
                      "systolicbloodpressure", "bloodpressuresystolic", "systolischerdruck"}))
        return Field::sys;
    if (isOneOf(key, {"diastolic", "dia", "diastole", "diastolisch", "diast", "lower", "diastolicpressure",
                      "diastolicbloodpressure", "bloodpressurediastolic", "diastolischerdruck"}))
        return Field::dia;
    if (isOneOf(key, {"pulse", "pulserate", "puls", "pul", "heartrate", "hr", "pulsfrequenz", "herzfrequenz",
                      "bpm"}))
        return Field::pul;
    if (isOneOf(key, {"note", "notes", "comment", "comments", "bemerkung", "bemerkungen", "notiz", "notizen",
                      "kommentar", "remark", "remarks", "memo"}))
        return Field::note;
    return Field::none;
}

// The columns a header names; the first column of each kind counts.
ImportColumns columnsOf(const std::vector<std::string>& header) {
    ImportColumns columns;
    int dateTime = -1;
    for (std::size_t i = 0; i < header.size(); ++i) {
        const int at = static_cast<int>(i);
        auto take = [at](int& column) {
            if (column < 0)
                column = at;
        };
        switch (fieldOf(nameKey(header[i]))) {
        case Field::date:
            take(columns.date);
            break;
        case Field::time:
            take(columns.time);
            break;
        case Field::dateTime:
            take(dateTime);
            break;
        case Field::sys:
            take(columns.sys);
            break;
        case Field::dia:
            take(columns.dia);
            break;
        case Field::pul:
            take(columns.pul);
            break;
        case Field::note:
            take(columns.note);
            break;
        case Field::none:
            break;
        }
    }
    if (columns.date < 0)
        columns.date = dateTime;
    return columns;
}

bool hasKey(const std::vector<std::string>& header, std::string_view key) {
    return std::any_of(header.begin(), header.end(),
                       [&](const std::string& name) { return nameKey(name) == key; });
}

std::string_view fieldAt(const std::vector<std::string>& row, int column) {
    if (column < 0 || static_cast<std::size_t>(column) >= row.size())
        return {};
    return row[static_cast<std::size_t>(column)];
}

// ---- dates and times as other programs write them ----

struct Numbers {
    std::array<int, 3> value{};
    std::array<std::size_t, 3> width{};
    int count = 0;
    std::size_t end = 0; // where the date ends
};

// Up to three numbers joined by one kind of separator ("2020/5/8", "25.06.2015", "2025-01-12").
Numbers dateNumbers(std::string_view text, char* separator) {
    Numbers n;
    std::size_t at = 0;
    *separator = 0;
    while (n.count < 3) {
        std::size_t start = at;
        int value = 0;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9' && at - start < 5)
            value = value * 10 + (text[at++] - '0');
        if (at == start)
            break;
        n.value[static_cast<std::size_t>(n.count)] = value;
        n.width[static_cast<std::size_t>(n.count)] = at - start;
        ++n.count;
        n.end = at;
        if (n.count == 3 || at >= text.size())
            break;
        const char c = text[at];
        if ((c != '/' && c != '.' && c != '-') || (*separator != 0 && c != *separator))
            break;
        *separator = c;
        ++at;
    }
    return n;
}

int monthOfName(std::string_view word) {
    static constexpr std::array<std::string_view, 12> names{"jan", "feb", "mar", "apr", "may", "jun",
                                                            "jul", "aug", "sep", "oct", "nov", "dec"};
    if (word.size() < 3)
        return 0;
    const std::string key = lower(word.substr(0, 3));
    for (std::size_t i = 0; i < names.size(); ++i)
        if (key == names[i])
            return static_cast<int>(i) + 1;
    return 0;
}

// "Jan 12 2025", "12 Jan 2025", "Jan 12, 2025", "12-Jan-2025": English month names.
std::optional<Date> namedMonthDate(std::string_view text, std::size_t* end) {
    int month = 0, day = 0, year = 0;
    std::size_t at = 0;
    for (int part = 0; part < 3; ++part) {
        while (at < text.size() && (text[at] == ' ' || text[at] == ',' || text[at] == '-' || text[at] == '.'))
            ++at;
        const std::size_t start = at;
        if (at < text.size() && std::isalpha(static_cast<unsigned char>(text[at]))) {
            while (at < text.size() && std::isalpha(static_cast<unsigned char>(text[at])))
                ++at;
            if (month != 0 || (month = monthOfName(text.substr(start, at - start))) == 0)
                return std::nullopt;
        } else {
            int value = 0;
            while (at < text.size() && text[at] >= '0' && text[at] <= '9' && at - start < 4)
                value = value * 10 + (text[at++] - '0');
            if (at == start)
                return std::nullopt;
            if (at - start == 4)
                year = value;
            else if (day == 0)
                day = value;
            else
                return std::nullopt;
        }
    }
    if (month == 0 || year == 0 || !isValidCivil(year, month, day))
        return std::nullopt;
    *end = at;
    return dateFromCivil(year, month, day);
}

// A date as a CSV file writes it; `end` receives where it ends in the text.
std::optional<Date> parseImportDate(std::string_view text, DateOrder order, std::size_t* end) {
    char separator = 0;
    const Numbers n = dateNumbers(text, &separator);
    if (n.count < 3) {
        if (n.count <= 1 && !text.empty())
            return namedMonthDate(text, end);
        return std::nullopt;
    }
    int year = 0, month = 0, day = 0;
    if (n.width[0] == 4) {
        year = n.value[0];
        month = n.value[1];
        day = n.value[2];
    } else if (n.width[2] == 4) {
        year = n.value[2];
        const bool dayFirst = separator == '.' || order == DateOrder::dayMonthYear;
        day = dayFirst ? n.value[0] : n.value[1];
        month = dayFirst ? n.value[1] : n.value[0];
    } else {
        return std::nullopt;
    }
    if (!isValidCivil(year, month, day) || year < minYear)
        return std::nullopt;
    *end = n.end;
    return dateFromCivil(year, month, day);
}

// "08:12", "18:12:28", "9:56 AM", "7:6 AM" (a Microlife minute without its zero), "0:4".
std::optional<TimeOfDay> parseImportTime(std::string_view text) {
    text = trimBlanks(text);
    std::array<int, 3> parts{};
    int count = 0;
    std::size_t at = 0;
    while (count < 3) {
        const std::size_t start = at;
        int value = 0;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9' && at - start < 2)
            value = value * 10 + (text[at++] - '0');
        if (at == start)
            return std::nullopt;
        parts[static_cast<std::size_t>(count++)] = value;
        if (at < text.size() && text[at] == ':')
            ++at;
        else
            break;
    }
    while (at < text.size() && text[at] == '.' && count == 3) // fractions of a second
        while (++at < text.size() && text[at] >= '0' && text[at] <= '9') {
        }
    std::string rest = lower(trimBlanks(text.substr(at)));
    rest.erase(std::remove(rest.begin(), rest.end(), '.'), rest.end());
    int hour = parts[0];
    if (count < 2 && rest.empty())
        return std::nullopt;
    if (rest == "am" || rest == "pm") {
        if (hour < 1 || hour > 12)
            return std::nullopt;
        hour = hour % 12 + (rest == "pm" ? 12 : 0);
    } else if (!rest.empty() && rest != "z" && rest != "uhr" && rest != "h") {
        return std::nullopt;
    }
    if (hour > 23 || parts[1] > 59 || parts[2] > 59)
        return std::nullopt;
    return TimeOfDay{hour, parts[1], parts[2]};
}

// The date order of a file's slashed dates: day first when one names a day over 12 in front,
// month first when one does so behind; open when none tells.
void decideDateOrder(const CsvRows& rows, CsvLayout& layout) {
    bool dayFirst = false, monthFirst = false, slashed = false;
    for (std::size_t r = static_cast<std::size_t>(layout.headerRow + 1); r < rows.rows.size(); ++r) {
        char separator = 0;
        const Numbers n = dateNumbers(trimBlanks(fieldAt(rows.rows[r], layout.columns.date)), &separator);
        if (n.count < 3 || (separator != '/' && separator != '-') || n.width[0] == 4)
            continue;
        slashed = true;
        dayFirst = dayFirst || n.value[0] > 12;
        monthFirst = monthFirst || n.value[1] > 12;
    }
    layout.dateOrder = dayFirst && !monthFirst ? DateOrder::dayMonthYear : DateOrder::monthDayYear;
    layout.dateOrderOpen = slashed && dayFirst == monthFirst;
}

std::string rowText(const std::vector<std::string>& row, char separator) {
    std::string text;
    for (std::size_t i = 0; i < row.size(); ++i) {
        if (i > 0)
            text += separator;
        text += row[i];
    }
    return text;
}

bool isEmptyRow(const std::vector<std::string>& row) {
    return std::all_of(row.begin(), row.end(), [](const std::string& f) { return trimBlanks(f).empty(); });
}

// Medisana's VitaDock portal writes no header: "25.06.2015 - 19:14";"104 mmHg";"68 mmHg";"72 bpm";...
bool isMedisana(const CsvRows& rows) {
    if (rows.rows.empty() || rows.rows[0].size() < 4)
        return false;
    const std::vector<std::string>& first = rows.rows[0];
    std::size_t end = 0;
    auto endsWith = [](std::string_view text, std::string_view tail) {
        return text.size() > tail.size() && text.substr(text.size() - tail.size()) == tail;
    };
    return parseImportDate(first[0], DateOrder::dayMonthYear, &end) && endsWith(first[1], "mmHg") &&
           endsWith(first[2], "mmHg") && endsWith(first[3], "bpm");
}

} // namespace

namespace {

// The text split at the separator into rows of fields, RFC 4180's quotes honoured. A quote that is
// never closed (an export cut short) is left out, so that it does not swallow the lines after it.
CsvRows splitRows(const std::string& text, char separator) {
    CsvRows out;
    out.separator = separator;
    std::vector<std::string> row;
    std::string field;
    bool quoted = false, wasQuoted = false;
    int line = 1, rowLine = 1;
    std::size_t fields = 0;
    // Where the open quote stood, and the row as it was then, to go back to.
    std::size_t quoteAt = 0, literalQuote = std::string::npos;
    std::vector<std::string> rowAtQuote;
    int lineAtQuote = 1;
    auto endField = [&] {
        row.push_back(wasQuoted ? field : std::string(trimBlanks(field)));
        field.clear();
        wasQuoted = false;
        if (++fields > maxCsvFields)
            out.tooLarge = true;
    };
    auto endRow = [&] {
        endField();
        if (!(row.size() == 1 && row[0].empty())) {
            out.rows.push_back(std::move(row));
            out.lineOf.push_back(rowLine);
        }
        row.clear();
    };
    for (std::size_t i = 0; i < text.size() && !out.tooLarge; ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                if (c == '\n')
                    ++line;
                field += c;
            }
            if (quoted && i + 1 == text.size()) {
                // The quote was never closed: read on from it as an ordinary character.
                row = std::move(rowAtQuote);
                line = lineAtQuote;
                field.clear();
                quoted = wasQuoted = false;
                literalQuote = quoteAt;
                i = quoteAt - 1;
            }
        } else if (c == '"' && trimBlanks(field).empty() && !wasQuoted && i != literalQuote) {
            field.clear();
            quoted = wasQuoted = true;
            quoteAt = i;
            rowAtQuote = row;
            lineAtQuote = line;
        } else if (c == separator) {
            endField();
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            endRow();
            rowLine = ++line;
        } else if (!wasQuoted && i != literalQuote) {
            field += c;
        }
    }
    if (!field.empty() || !row.empty() || wasQuoted)
        endRow();
    return out;
}

} // namespace

CsvRows readCsvRows(std::string_view bytes) {
    const std::string text = utf8Text(bytes);
    const char guessed = guessSeparator(text);
    CsvRows rows = splitRows(text, guessed);
    // Notes full of one separator can outnumber the real one: the separator that gives a known
    // header wins.
    for (const char other : {',', ';', '\t'}) {
        if (other == guessed || rows.tooLarge || recogniseCsv(rows))
            break;
        CsvRows tried = splitRows(text, other);
        if (recogniseCsv(tried))
            return tried;
    }
    return rows;
}

std::optional<CsvLayout> recogniseCsv(const CsvRows& rows, std::string* why) {
    if (rows.tooLarge) {
        if (why != nullptr)
            *why = translated(
                QT_TRANSLATE_NOOP("Tonolog", "It holds far more values than a file of readings can."));
        return std::nullopt;
    }
    if (isMedisana(rows)) {
        CsvLayout layout;
        layout.source = ImportSource::medisana;
        layout.headerRow = -1;
        layout.columns = ImportColumns{0, -1, 1, 2, 3, -1, -1};
        return layout;
    }
    const std::size_t searched = std::min(rows.rows.size(), static_cast<std::size_t>(headerSearchRows));
    bool patientBlock = false;
    for (std::size_t r = 0; r < searched; ++r) {
        const std::vector<std::string>& header = rows.rows[r];
        const std::string first = header.empty() ? std::string() : nameKey(header[0]);
        patientBlock = patientBlock || first == "familyname" || first == "dateofbirth";
        CsvLayout layout;
        layout.headerRow = static_cast<int>(r);
        layout.columns = columnsOf(header);
        ImportColumns& c = layout.columns;
        if (first == "timestampunixms") {
            layout.source = ImportSource::bpMonitorFl;
            layout.utcMilliseconds = true;
            c.date = 0;
            c.time = -1;
            if (c.sys < 0 && c.dia < 0)
                break;
            return layout;
        }
        if (c.date < 0 || (c.sys < 0 && c.dia < 0))
            continue;
        std::vector<std::string> keys;
        for (const std::string& name : header)
            keys.push_back(lower(trimBlanks(name)));
        if (keys == std::vector<std::string>{"date", "time", "reading", "sys", "dia", "pul", "note"}) {
            layout.source = ImportSource::tonologCsv;
            c.slot = 2;
        } else if (hasKey(header, "truread") || hasKey(header, "symptoms") || hasKey(header, "consumed")) {
            layout.source = ImportSource::omronConnect;
        } else if (c.time < 0 && hasKey(header, "heartrate") && hasKey(header, "comments")) {
            layout.source = ImportSource::withings;
        } else if (patientBlock) {
            layout.source = ImportSource::microlife;
        }
        decideDateOrder(rows, layout);
        return layout;
    }
    if (why != nullptr)
        *why = rows.rows.empty()
                   ? translated(QT_TRANSLATE_NOOP("Tonolog", "The file holds no text."))
                   : translated(QT_TRANSLATE_NOOP(
                         "Tonolog", "It is no export this program knows, and no line of it names "
                                    "columns for the date and the blood pressure (SYS, DIA)."));
    return std::nullopt;
}

std::vector<std::string> csvColumnNames(const CsvRows& rows, const CsvLayout& layout) {
    if (static_cast<std::size_t>(layout.headerRow) >= rows.rows.size())
        return {};
    return rows.rows[static_cast<std::size_t>(layout.headerRow)];
}

ReadingsRead readCsvReadings(const CsvRows& rows, const CsvLayout& layout, const ToLocalTime& toLocal) {
    ReadingRules rules(layout.source);
    const ImportColumns& c = layout.columns;
    const bool ownFile = layout.source == ImportSource::tonologCsv;
    for (std::size_t r = static_cast<std::size_t>(layout.headerRow + 1); r < rows.rows.size(); ++r) {
        const std::vector<std::string>& row = rows.rows[r];
        if (isEmptyRow(row))
            continue;
        const int line = rows.lineOf[r];
        const std::string text = rowText(row, rows.separator);
        const std::string_view dateText = trimBlanks(fieldAt(row, c.date));
        std::optional<Date> date;
        std::optional<TimeOfDay> time;
        std::string_view timeText;
        if (layout.utcMilliseconds) {
            char* end = nullptr;
            const std::string digits(dateText);
            errno = 0;
            const long long ms = std::strtoll(digits.c_str(), &end, 10);
            // Beyond some 30,000 years from 1970 a number is no time of this world.
            constexpr long long farthest = 1'000'000'000'000'000LL;
            if (!digits.empty() && end != nullptr && *end == '\0' && errno == 0 && ms > -farthest &&
                ms < farthest) {
                const LocalDateTime local = toLocal(ms >= 0 ? ms / 1000 : (ms - 999) / 1000);
                date = local.date;
                time =
                    TimeOfDay{local.secondOfDay / 3600, local.secondOfDay / 60 % 60, local.secondOfDay % 60};
            }
        } else if (const auto instant = c.time < 0 ? parseOffsetDateTime(dateText) : std::nullopt) {
            // A date-time with its offset from UTC names an instant: the day is the local one.
            const LocalDateTime local = toLocal(*instant);
            date = local.date;
            time = TimeOfDay{local.secondOfDay / 3600, local.secondOfDay / 60 % 60, 0};
        } else {
            std::size_t end = 0;
            date = parseImportDate(dateText, layout.dateOrder, &end);
            if (date) {
                std::string_view rest = trimBlanks(dateText.substr(end));
                while (!rest.empty() && (rest.front() == 'T' || rest.front() == '-' || rest.front() == ','))
                    rest = trimBlanks(rest.substr(1));
                timeText = c.time >= 0 ? trimBlanks(fieldAt(row, c.time)) : rest;
                time = parseImportTime(timeText);
            }
        }
        // A time with figures that do not read as one ("25:70") refuses the reading, where words
        // ("m", "evening") only say that there is no clock time; Tonolog's own file keeps its text.
        if (date && !time && !ownFile &&
            std::any_of(timeText.begin(), timeText.end(), [](char ch) { return ch >= '0' && ch <= '9'; })) {
            rules.refuse(
                line, text,
                translatedWith(QT_TRANSLATE_NOOP("Tonolog", "\"%1\" is not a time of day."), {timeText}));
            continue;
        }
        if (!date) {
            rules.refuse(line, text,
                         translatedWith(QT_TRANSLATE_NOOP("Tonolog", "\"%1\" is not a date."), {dateText}));
            continue;
        }
        const std::string_view sys = fieldAt(row, c.sys), dia = fieldAt(row, c.dia),
                               pul = fieldAt(row, c.pul);
        const std::string_view note = fieldAt(row, c.note);
        if (ownFile) {
            rules.addDayNote(*date, note);
            if (trimBlanks(sys).empty() && trimBlanks(dia).empty() && trimBlanks(pul).empty() &&
                trimBlanks(fieldAt(row, c.time)).empty())
                continue;
            const std::string_view slotText = trimBlanks(fieldAt(row, c.slot));
            const int slot =
                slotText.size() == 1 && slotText[0] >= '1' && slotText[0] <= '3' ? slotText[0] - '0' : 0;
            rules.add(line, text, *date, time, sys, dia, pul, {}, slot, time ? std::string_view() : timeText);
        } else {
            rules.add(line, text, *date, time, sys, dia, pul, isNoNote(trimBlanks(note)) ? "" : note);
        }
    }
    return rules.take();
}

} // namespace tonolog
