// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "conversions.h"
#include "dates.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Readings from files that other programs write: which program wrote a file (told by its content,
// never by its name), and its readings as the diary will store them. Nothing here changes a diary.
namespace tonolog {

enum class ImportSource {
    tonologCsv,
    omronConnect,
    withings,
    bpMonitorFl,
    microlife,
    medisana,
    appleHealth,
    genericCsv
};

// The source's name as the import dialog shows it ("OMRON connect CSV").
std::string sourceName(ImportSource source);

// A local calendar day and time of day.
struct LocalDateTime {
    Date date;
    int secondOfDay = 0;
};
// The machine's local time of an instant given in seconds since 1970-01-01 00:00 UTC.
using ToLocalTime = std::function<LocalDateTime(std::int64_t utcSeconds)>;

// A reading as it will be stored: values are whole numbers 0..250 as text or empty, the time is
// "h:nnam"/"h:nnpm" or empty.
struct ImportedReading {
    Date date;
    int minute = -1; // minute of the day; -1 without a clock time
    std::string time;
    std::string sys, dia, pul;
    std::string note;
    int slot = 0; // 1..3: the slot Tonolog's own CSV names; 0: the first free one
    int line = 0; // where it stood in the file (a line, or the record's number)
};

// A reading that is not imported, with what it was and why, for the summary.
struct RefusedReading {
    int line = 0;
    std::string text; // as the file holds it
    std::string why;  // in plain words
};

// A day's note without a reading (Tonolog's own CSV).
struct ImportedDayNote {
    Date date;
    std::string note;
};

// What a file holds.
struct ReadingsRead {
    ImportSource source = ImportSource::genericCsv;
    std::vector<ImportedReading> readings; // in file order
    std::vector<ImportedDayNote> dayNotes;
    std::vector<RefusedReading> refused;
    int notBloodPressure = 0; // rows with neither SYS nor DIA (a heart rate alone)
};

// The rules every reading passes, whatever its source: a value is empty ("", "-", "null") or a
// whole number 0..250 after rounding half to even; anything else refuses the reading; a reading
// with neither SYS nor DIA is no blood-pressure reading. Seconds of a time are dropped.
class ReadingRules {
public:
    explicit ReadingRules(ImportSource source);

    // A reading at a local day and time (nullopt: no clock time).
    // A day outside the years a diary can hold (100 to 9999) refuses the reading. `keptTime` is a
    // time text stored as it stands where there is no clock time (Tonolog's own file).
    void add(int line, std::string_view text, Date date, std::optional<TimeOfDay> time, std::string_view sys,
             std::string_view dia, std::string_view pul, std::string_view note, int slot = 0,
             std::string_view keptTime = {});
    // A reading that cannot be taken, and why (a date that is none, say).
    void refuse(int line, std::string_view text, std::string why);
    void addDayNote(Date date, std::string_view note);

    const ReadingsRead& read() const { return read_; }
    ReadingsRead take() { return std::move(read_); }

private:
    ReadingsRead read_;
};

// One value of a reading: nullopt for "no value"; a value that is no whole number 0..250 after
// rounding half to even is an error (the text "refused").
struct ValueRead {
    bool ok = true;
    std::string value; // "" for no value
};
ValueRead readValue(std::string_view text);

// An instant written with a UTC offset, "2019-01-01 08:00:00 +0100" (Apple Health), or in UTC
// ("...Z"): seconds since 1970-01-01 UTC.
std::optional<std::int64_t> parseOffsetDateTime(std::string_view text);
// The seconds since 1970-01-01 UTC of a UTC day and second.
std::int64_t unixSeconds(Date date, int secondOfDay);
// The UTC day and second of seconds since 1970-01-01 UTC (the local time where UTC is local).
LocalDateTime utcDateTime(std::int64_t utcSeconds);

// ---- CSV files ----

// A file of separated values as rows of fields (RFC 4180 quoting), with the line each row starts
// on. The separator is ',' or ';' (or a tab), whichever the header line holds most of.
struct CsvRows {
    char separator = ',';
    std::vector<std::vector<std::string>> rows;
    std::vector<int> lineOf;
    bool tooLarge = false; // more fields than a file of readings holds: read no further
};
// Bytes of a text file (UTF-8 with or without a mark, UTF-16, or Windows-1252) as rows.
CsvRows readCsvRows(std::string_view bytes);

// The day, month and year order of dates written with slashes or dots where the file leaves it open.
enum class DateOrder { dayMonthYear, monthDayYear };

// Which column holds which field (-1: none).
struct ImportColumns {
    int date = -1;
    int time = -1; // or a date-time column as `date` and no time
    int sys = -1;
    int dia = -1;
    int pul = -1;
    int note = -1;
    int slot = -1; // Tonolog's own CSV
    bool operator==(const ImportColumns&) const = default;
};

// How a CSV file is read: its source, the header row, the columns and the date order.
struct CsvLayout {
    ImportSource source = ImportSource::genericCsv;
    int headerRow = 0; // the readings follow it; -1 for a file without a header
    ImportColumns columns;
    DateOrder dateOrder = DateOrder::dayMonthYear;
    bool dateOrderOpen = false;   // every slashed date of the file could be read either way
    bool utcMilliseconds = false; // the date column holds Unix milliseconds (UTC)
};

// The layout of the file, recognised by its content; nullopt with the reason in plain words when
// the file is no known source and names no date and blood-pressure columns.
std::optional<CsvLayout> recogniseCsv(const CsvRows& rows, std::string* why = nullptr);

// The readings of the rows as the layout reads them. Dates given in UTC are made local by toLocal.
ReadingsRead readCsvReadings(const CsvRows& rows, const CsvLayout& layout, const ToLocalTime& toLocal);

// The header's names of the columns, for the dialog's column choice.
std::vector<std::string> csvColumnNames(const CsvRows& rows, const CsvLayout& layout);

} // namespace tonolog
