// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "import_readings.h"

#include "words.h"

#include <array>
#include <cmath>
#include <cstdlib>

namespace tonolog {

std::string sourceName(ImportSource source) {
    switch (source) {
    case ImportSource::tonologCsv:
        return translated(QT_TRANSLATE_NOOP("Tonolog", "Tonolog CSV"));
    case ImportSource::omronConnect:
        return translated(QT_TRANSLATE_NOOP("Tonolog", "OMRON connect CSV"));
    case ImportSource::withings:
        return translated(QT_TRANSLATE_NOOP("Tonolog", "Withings bp.csv"));
    case ImportSource::bpMonitorFl:
        return translated(QT_TRANSLATE_NOOP("Tonolog", "Blood Pressure Monitor app CSV"));
    case ImportSource::microlife:
        return translated(QT_TRANSLATE_NOOP("Tonolog", "Microlife PC export"));
    case ImportSource::medisana:
        return translated(QT_TRANSLATE_NOOP("Tonolog", "Medisana VitaDock CSV"));
    case ImportSource::appleHealth:
        return translated(QT_TRANSLATE_NOOP("Tonolog", "Apple Health export"));
    case ImportSource::genericCsv:
        break;
    }
    return translated(QT_TRANSLATE_NOOP("Tonolog", "CSV file"));
}

namespace {

bool isNoValue(std::string_view text) {
    return text.empty() || text == "-" || text == "null" || text == "NULL" || text == "--";
}

// A decimal number: an optional sign, digits, one '.' or ',' and digits; nothing else.
std::optional<double> parseDecimal(std::string_view text) {
    std::string plain;
    bool digits = false;
    bool point = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            digits = true;
            plain += c;
        } else if ((c == '.' || c == ',') && !point) {
            point = true;
            plain += '.';
        } else if ((c == '-' || c == '+') && i == 0) {
            plain += c;
        } else {
            return std::nullopt;
        }
    }
    if (!digits || plain.size() > 12)
        return std::nullopt;
    return std::strtod(plain.c_str(), nullptr);
}

std::string oneLine(std::string_view text) {
    std::string out(trimBlanks(text));
    for (char& c : out)
        if (c == '\r' || c == '\n' || c == '\t')
            c = ' ';
    return out;
}

} // namespace

ValueRead readValue(std::string_view text) {
    std::string_view trimmed = trimBlanks(text);
    // A unit after the number, as some exports write it ("104 mmHg", "72 bpm").
    for (const std::string_view unit : {"mmHg", "bpm", "P/min", "/min"})
        if (trimmed.size() > unit.size() && trimmed.substr(trimmed.size() - unit.size()) == unit) {
            trimmed = trimBlanks(trimmed.substr(0, trimmed.size() - unit.size()));
            break;
        }
    if (isNoValue(trimmed))
        return {};
    const auto number = parseDecimal(trimmed);
    if (!number)
        return {false, {}};
    const double rounded = roundHalfEven(*number);
    if (!(rounded >= 0 && rounded <= 250))
        return {false, {}};
    return {true, std::to_string(static_cast<int>(rounded))};
}

ReadingRules::ReadingRules(ImportSource source) {
    read_.source = source;
}

void ReadingRules::refuse(int line, std::string_view text, std::string why) {
    read_.refused.push_back({line, oneLine(text), std::move(why)});
}

void ReadingRules::addDayNote(Date date, std::string_view note) {
    const std::string text = oneLine(note);
    if (!text.empty())
        read_.dayNotes.push_back({date, text});
}

void ReadingRules::add(int line, std::string_view text, Date date, std::optional<TimeOfDay> time,
                       std::string_view sys, std::string_view dia, std::string_view pul,
                       std::string_view note, int slot, std::string_view keptTime) {
    static const Date first = dateFromCivil(minYear, 1, 1), last = dateFromCivil(maxYear, 12, 31);
    if (date < first || date > last) {
        refuse(line, text,
               translated(QT_TRANSLATE_NOOP("Tonolog", "Its date lies outside the years 100 to 9999.")));
        return;
    }
    const std::array<std::pair<const char*, std::string_view>, 3> values{
        {{"SYS", sys}, {"DIA", dia}, {"PUL", pul}}};
    std::array<std::string, 3> read;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const ValueRead value = readValue(values[i].second);
        if (!value.ok) {
            refuse(
                line, text,
                translatedWith(QT_TRANSLATE_NOOP("Tonolog", "%1 \"%2\" is not a whole number from 0 to 250."),
                               {values[i].first, trimBlanks(values[i].second)}));
            return;
        }
        read[i] = value.value;
    }
    // Tonolog's own file keeps every reading it holds; elsewhere a row without a pressure is a
    // heart rate alone.
    if (read[0].empty() && read[1].empty() && read_.source != ImportSource::tonologCsv) {
        ++read_.notBloodPressure;
        return;
    }
    ImportedReading reading;
    reading.date = date;
    if (time) {
        const TimeOfDay minuteOnly{time->hour, time->minute, 0};
        reading.minute = time->hour * 60 + time->minute;
        reading.time = formatTime12(minuteOnly);
    } else {
        reading.time = oneLine(keptTime);
    }
    // A reading of nothing at all is no reading.
    if (read[0].empty() && read[1].empty() && read[2].empty() && reading.time.empty())
        return;
    reading.sys = read[0];
    reading.dia = read[1];
    reading.pul = read[2];
    reading.note = oneLine(note);
    reading.slot = slot;
    reading.line = line;
    read_.readings.push_back(std::move(reading));
}

std::int64_t unixSeconds(Date date, int secondOfDay) {
    // Day 25569 is 1970-01-01.
    return (static_cast<std::int64_t>(date.serial) - 25569) * 86400 + secondOfDay;
}

LocalDateTime utcDateTime(std::int64_t utcSeconds) {
    std::int64_t days = utcSeconds / 86400;
    std::int64_t rest = utcSeconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    return {Date{static_cast<std::int32_t>(days + 25569)}, static_cast<int>(rest)};
}

std::optional<std::int64_t> parseOffsetDateTime(std::string_view text) {
    text = trimBlanks(text);
    // yyyy-mm-dd[ T]hh:mm[:ss] then an offset +hhmm, +hh:mm or Z.
    auto digitsAt = [&](std::size_t at, std::size_t count) -> std::optional<int> {
        if (at + count > text.size())
            return std::nullopt;
        int value = 0;
        for (std::size_t i = at; i < at + count; ++i) {
            if (text[i] < '0' || text[i] > '9')
                return std::nullopt;
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    const auto year = digitsAt(0, 4), month = digitsAt(5, 2), day = digitsAt(8, 2);
    const auto hour = digitsAt(11, 2), minute = digitsAt(14, 2);
    if (!year || !month || !day || !hour || !minute || text.size() < 16 || text[4] != '-' || text[7] != '-' ||
        (text[10] != ' ' && text[10] != 'T') || text[13] != ':' || !isValidCivil(*year, *month, *day) ||
        *hour > 23 || *minute > 59)
        return std::nullopt;
    std::size_t at = 16;
    int second = 0;
    if (at < text.size() && text[at] == ':') {
        const auto s = digitsAt(at + 1, 2);
        if (!s || *s > 59)
            return std::nullopt;
        second = *s;
        at += 3;
    }
    while (at < text.size() && text[at] == '.')
        while (++at < text.size() && text[at] >= '0' && text[at] <= '9') {
        }
    while (at < text.size() && text[at] == ' ')
        ++at;
    int offset = 0;
    if (at < text.size() && text[at] == 'Z') {
        ++at;
    } else if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        const int sign = text[at] == '-' ? -1 : 1;
        const auto oh = digitsAt(at + 1, 2);
        std::size_t m = at + 3;
        if (m < text.size() && text[m] == ':')
            ++m;
        const auto om = digitsAt(m, 2);
        if (!oh || !om || *oh > 18 || *om > 59)
            return std::nullopt;
        offset = sign * (*oh * 3600 + *om * 60);
        at = m + 2;
    } else {
        return std::nullopt;
    }
    if (at != text.size())
        return std::nullopt;
    return unixSeconds(dateFromCivil(*year, *month, *day), *hour * 3600 + *minute * 60 + second) - offset;
}

} // namespace tonolog
