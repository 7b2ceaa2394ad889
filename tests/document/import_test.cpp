// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/csv_export.h"
#include "document/document.h"
#include "document/import_merge.h"
#include "document/import_readings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

namespace tonolog {
namespace {

// A machine one hour east of UTC, whatever this one is.
LocalDateTime utcPlusOne(std::int64_t seconds) {
    return utcDateTime(seconds + 3600);
}

ReadingsRead readCsv(std::string_view text, CsvLayout* layoutOut = nullptr) {
    const CsvRows rows = readCsvRows(text);
    std::string why;
    const auto layout = recogniseCsv(rows, &why);
    EXPECT_TRUE(layout) << why;
    if (!layout)
        return {};
    if (layoutOut != nullptr)
        *layoutOut = *layout;
    return readCsvReadings(rows, *layout, utcPlusOne);
}

std::string describe(const ImportedReading& r) {
    return formatIsoDate(r.date) + " " + r.time + " " + r.sys + "/" + r.dia + " " + r.pul + " " + r.note;
}

struct FixtureRow {
    const char* name;
    const char* text;
    ImportSource source;
    const char* first; // the first reading as it will be stored
    int readings;
    int refused;
    int notBloodPressure;
};

class Fixtures : public testing::TestWithParam<FixtureRow> {};

TEST_P(Fixtures, AreReadAsTheyWillBeStored) {
    const FixtureRow& row = GetParam();
    CsvLayout layout;
    const ReadingsRead read = readCsv(row.text, &layout);
    EXPECT_EQ(layout.source, row.source);
    ASSERT_EQ(static_cast<int>(read.readings.size()), row.readings);
    EXPECT_EQ(describe(read.readings.front()), row.first);
    EXPECT_EQ(static_cast<int>(read.refused.size()), row.refused);
    EXPECT_EQ(read.notBloodPressure, row.notBloodPressure);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Fixtures,
    testing::Values(
        FixtureRow{"Own", "date,time,reading,sys,dia,pul,note\r\n2026-11-19,07:05,2,132,84,71,\"a, b\"\r\n",
                   ImportSource::tonologCsv, "2026-11-19 7:05am 132/84 71 ", 1, 0, 0},
        FixtureRow{"OmronDayFirst",
                   "Date,Time,Systolic (mmHg),Diastolic (mmHg),Pulse (bpm),Symptoms,Consumed,TruRead,Notes\n"
                   "12 Jan 2025,20:12,114,74,47,-,-,-,after walk\n13 Jan 2025,08:00,251,74,47,-,-,-,-\n",
                   ImportSource::omronConnect, "2025-01-12 8:12pm 114/74 47 after walk", 1, 1, 0},
        FixtureRow{"Withings",
                   "Date,\"Heart rate\",Systolic,Diastolic,Comments\n\"2026-07-26 09:11:39\",69,116.5,75,\n"
                   "\"2026-07-06 14:17:00\",76,,,\n",
                   ImportSource::withings, "2026-07-26 9:11am 116/75 69 ", 1, 0, 1},
        // Unix milliseconds in UTC: 23:30 UTC is the next day one hour east.
        FixtureRow{"BpMonitorUtc",
                   "timestampUnixMs;systolic;diastolic;pulse;notes\n1735687800000;null;45;null;x\n",
                   ImportSource::bpMonitorFl, "2025-01-01 12:30am /45  x", 1, 0, 0},
        FixtureRow{"Microlife",
                   "ID,1,\r\nFamily Name,Doe,\r\n\r\ndate,time,sys(mmHg),dia(mmHg),pulse(P/min),map,\r\n"
                   "2020/5/9,7:6 PM,130,86,69,100,\r\n",
                   ImportSource::microlife, "2020-05-09 7:06pm 130/86 69 ", 1, 0, 0},
        FixtureRow{"GermanSemicolons",
                   "Datum;Uhrzeit;Systole;Diastole;Puls;Bemerkung\n03.04.2025;7:30:59;132,0;E1;70;\n"
                   "04.04.2025;19:45;128;80;-;müde\n",
                   ImportSource::genericCsv, "2025-04-04 7:45pm 128/80  müde", 1, 1, 0},
        // A date-time in UTC is made local; one without an offset is local already.
        FixtureRow{
            "OneDateTimeColumn",
            "Timestamp,SYS,DIA\n2025-04-03T23:30:59Z,120,80\n2025-04-03T06:05,1,1\n2025-13-01T06:05,1,1\n",
            ImportSource::genericCsv, "2025-04-04 12:30am 120/80  ", 2, 1, 0},
        // A quote never closed takes nothing after its line; figures that are no time, and a year
        // a diary cannot hold, refuse their readings.
        FixtureRow{"UnclosedQuote", "Date,SYS,DIA,Note\n2024-01-01,120,80,\"dizzy\n2024-01-02,121,81,ok\n",
                   ImportSource::genericCsv, "2024-01-01  120/80  dizzy", 2, 0, 0},
        FixtureRow{
            "NoTimeNoYear",
            "Date,Time,SYS,DIA\n2024-01-01,25:70,120,80\nJan 12 0050,8:00,1,2\n2024-01-02,8:00,121,81\n",
            ImportSource::genericCsv, "2024-01-02 8:00am 121/81  ", 1, 2, 0},
        FixtureRow{"MorningAndEvening", "date,time,upper,lower,pulse\n2024-05-15,m,146,83,71\n",
                   ImportSource::genericCsv, "2024-05-15  146/83 71 ", 1, 0, 0}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Import, ValuesRoundHalfToEvenAndAreRefusedBeyondTheirRange) {
    EXPECT_EQ(readValue("132.0").value, "132");
    EXPECT_EQ(readValue("132.5").value, "132");
    EXPECT_EQ(readValue(" 133.5 ").value, "134");
    EXPECT_EQ(readValue("250.5").value, "250");
    EXPECT_FALSE(readValue("250.6").ok);
    EXPECT_FALSE(readValue("-1").ok);
    EXPECT_FALSE(readValue("12a").ok);
    EXPECT_TRUE(readValue("null").ok && readValue("null").value.empty());
    EXPECT_EQ(parseOffsetDateTime("2019-01-01 08:00:00 +0100"), parseOffsetDateTime("2019-01-01T07:00:00Z"));
}

TEST(Import, SlashedDatesTakeTheOrderTheFileTells) {
    CsvLayout layout;
    readCsv("Date,Time,SYS,DIA\n03/04/2025,8:00 AM,120,80\n", &layout);
    EXPECT_TRUE(layout.dateOrderOpen);
    const ReadingsRead read =
        readCsv("Date,Time,SYS,DIA\n03/04/2025,8:00 AM,120,80\n25/04/2025,8:00,1,2\n", &layout);
    EXPECT_FALSE(layout.dateOrderOpen);
    EXPECT_EQ(formatIsoDate(read.readings.front().date), "2025-04-03");
}

TEST(Import, AFileOfNoKnownFormIsRefusedWithAReason) {
    std::string why;
    EXPECT_FALSE(recogniseCsv(readCsvRows("name,weight\nAnna,61\n"), &why));
    EXPECT_NE(why.find("SYS"), std::string::npos);
}

// ---- the merge ----

DayRecord dayOf(Document& document, const char* iso) {
    return document.dayRecord(*parseDate(iso));
}

TEST(Import, ExistingReadingsStayAndNewOnesTakeTheFreeSlotsEarliestFirst) {
    Document document("/nonexistent/backup");
    DayRecord day;
    day.date = *parseDate("2025-01-12");
    day.sys[1] = "140";
    day.dia[1] = "90";
    day.time[1] = "9:00pm";
    day.note = "cold";
    document.putDay(day, false, {});
    const ReadingsRead read = readCsv("Date,Time,SYS,DIA,Note\n2025-01-12,21:00,140,90,cold\n"
                                      "2025-01-12,,120,80,\n2025-01-12,19:00,130,85,late\n"
                                      "2025-01-12,07:00,125,82,cold\n2025-01-13,08:00,1,2,\n");
    const ImportPlan plan = planImport(document.table(), read);
    EXPECT_EQ(plan.duplicates, 1);
    EXPECT_EQ(plan.imported, 3);
    EXPECT_EQ(plan.daysAdded, 1);
    ASSERT_EQ(plan.didNotFit.size(), 1U);
    EXPECT_EQ(readingText(plan.didNotFit[0]), "2025-01-12 (no time) 120/80");
    ASSERT_TRUE(applyImport(document, plan, {}));
    const DayRecord after = dayOf(document, "2025-01-12");
    EXPECT_EQ(after.sys, (std::array<std::string, 3>{"125", "140", "130"}));
    EXPECT_EQ(after.time, (std::array<std::string, 3>{"7:00am", "9:00pm", "7:00pm"}));
    EXPECT_EQ(after.note, "cold; late");
    EXPECT_TRUE(document.isDirty());
    // The same file again adds nothing.
    EXPECT_TRUE(planImport(document.table(), read).changesNothing());
}

TEST(Import, OwnReadingsTakeTheirSlotFirst) {
    Document document("/nonexistent/backup");
    DayRecord day;
    day.date = *parseDate("2025-01-12");
    day.sys[1] = "140";
    document.putDay(day, false, {});
    const ReadingsRead read = readCsv("date,time,reading,sys,dia,pul,note\n2025-01-12,09:00,1,120,,,\n"
                                      "2025-01-12,08:00,2,130,,,\n");
    ASSERT_TRUE(applyImport(document, planImport(document.table(), read), {}));
    EXPECT_EQ(dayOf(document, "2025-01-12").sys, (std::array<std::string, 3>{"120", "140", "130"}));
}

TEST(Import, NothingIsImportedBeyondTheLargestDiary) {
    Document document("/nonexistent/backup");
    std::string csv = "date,sys,dia\n";
    for (int i = 0; i <= ReadingTable::maxRows; ++i)
        csv += formatIsoDate(Date{40000 + i}) + ",120,80\n";
    const ImportPlan plan = planImport(document.table(), readCsv(csv));
    EXPECT_TRUE(plan.tooManyDays);
    EXPECT_FALSE(applyImport(document, plan, {}));
    EXPECT_EQ(document.table().count(), 0);
}

TEST(Import, TheOwnExportImportsBackToTheSameDayLines) {
    Document original("/nonexistent/backup");
    DayRecord day;
    day.date = *parseDate("2026-11-19");
    day.sys = {"", "132", ""};
    day.dia = {"", "84", "70"};
    day.pul = {"", "71", "60"};
    day.time = {"", "7:05am", "10:30pm"};
    // Semicolons outnumber the commas: the header still tells the separator.
    day.note = "salt, \"much\"; a; b; c; d; e; f; g";
    original.putDay(day, false, {});
    DayRecord noteOnly;
    noteOnly.date = *parseDate("2026-11-20");
    noteOnly.note = "no cuff";
    original.putDay(noteOnly, false, {});
    const std::string csv = csvOfReadings(original.table(), Date{0}, Date{3000000});

    Document copy("/nonexistent/backup");
    ASSERT_TRUE(applyImport(copy, planImport(copy.table(), readCsv(csv)), {}));
    for (const char* iso : {"2026-11-19", "2026-11-20"})
        EXPECT_EQ(dayLinesOf(copy.table(), *parseDate(iso)), dayLinesOf(original.table(), *parseDate(iso)))
            << iso;
}

// ---- files other programs wrote ----

const std::filesystem::path samples = TONOLOG_IMPORT_SAMPLES;

struct SampleRow {
    const char* file;
    ImportSource source;
    int readings;
    int days;
    int mostOnADay;
    int notBloodPressure;
    int refused = 0; // values beyond 0..250
};

class Samples : public testing::TestWithParam<SampleRow> {};

TEST_P(Samples, GiveTheirMeasuredCounts) {
    if (!std::filesystem::is_directory(samples))
        GTEST_SKIP() << "the folder of other programs' exports is absent: " << samples;
    const SampleRow& row = GetParam();
    std::ifstream in(samples / row.file, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    CsvLayout layout;
    const ReadingsRead read = readCsv(bytes, &layout);
    EXPECT_EQ(layout.source, row.source);
    EXPECT_EQ(static_cast<int>(read.readings.size()), row.readings);
    EXPECT_EQ(read.notBloodPressure, row.notBloodPressure);
    EXPECT_EQ(static_cast<int>(read.refused.size()), row.refused);
    std::map<std::int32_t, int> perDay;
    for (const ImportedReading& r : read.readings)
        ++perDay[r.date.serial];
    EXPECT_EQ(static_cast<int>(perDay.size()), row.days);
    int most = 0;
    for (const auto& [serial, n] : perDay)
        most = std::max(most, n);
    EXPECT_EQ(most, row.mostOnADay);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Samples,
    testing::Values(
        SampleRow{"spreadsheet/jscrane-bp-omron-2019-2025.csv", ImportSource::genericCsv, 3241, 1666, 4, 0},
        SampleRow{"spreadsheet/drBosse-bp-morning-evening.csv", ImportSource::genericCsv, 120, 38, 5, 0},
        SampleRow{"microlife/bpa-windows-export.csv", ImportSource::microlife, 40, 34, 4, 0},
        SampleRow{"withings/bp.csv", ImportSource::withings, 29, 27, 3, 6},
        SampleRow{"omron-connect/Your Requested OMRON Report from Jan 01 2025 to Jan 22 2025.csv",
                  ImportSource::omronConnect, 3, 3, 1, 0},
        SampleRow{"bp-monitor-fl/v1.0.csv", ImportSource::bpMonitorFl, 1, 1, 1, 0, 1},
        SampleRow{"bp-monitor-fl/v1.1.0", ImportSource::bpMonitorFl, 1, 1, 1, 0, 3},
        SampleRow{"bp-monitor-fl/v1.4.0.CSV", ImportSource::bpMonitorFl, 183, 138, 2, 0, 3},
        SampleRow{"bp-monitor-fl/v1.5.7.csv", ImportSource::bpMonitorFl, 182, 137, 2, 0, 3},
        SampleRow{"bp-monitor-fl/v1.5.8-first200lines.csv", ImportSource::bpMonitorFl, 199, 152, 2, 0},
        SampleRow{"bp-monitor-fl/empty_notes.csv", ImportSource::bpMonitorFl, 1, 1, 1, 2},
        SampleRow{"bp-monitor-fl/incomplete_export.csv", ImportSource::bpMonitorFl, 2, 1, 2, 1},
        SampleRow{"medisana-vitadock/issue-33-lines-last-quote-missing.csv", ImportSource::medisana, 3, 1, 3,
                  0}));

// A time column of its own name and no pressure pair, or a database, is nothing to import.
TEST(Import, FilesWithoutReadingsAreRefused) {
    if (!std::filesystem::is_directory(samples))
        GTEST_SKIP() << "the folder of other programs' exports is absent: " << samples;
    for (const char* file : {"bp-monitor-fl/formatted_times.csv", "microlife/DBMLBPA6.sqlite"}) {
        std::ifstream in(samples / file, std::ios::binary);
        EXPECT_FALSE(recogniseCsv(readCsvRows(std::string{std::istreambuf_iterator<char>(in), {}}))) << file;
    }
}

} // namespace
} // namespace tonolog
