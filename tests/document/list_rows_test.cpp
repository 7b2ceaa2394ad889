// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/list_rows.h"

#include <gtest/gtest.h>

using namespace tonolog;

namespace {

// The design layout: a chart 2055 twips wide, rows 1560 apart, reading labels 375 high at 240.
const ListChart designChart{2055, readingPitch(240, 1800)};

struct Reading {
    const char* sys;
    const char* dia;
    const char* pul;
    const char* time;
};

ListRow rowOf(const Reading& second, int slotTop = 240) {
    DayRecord day;
    day.date = dateFromCivil(2004, 1, 5);
    day.sys[1] = second.sys;
    day.dia[1] = second.dia;
    day.pul[1] = second.pul;
    day.time[1] = second.time;
    day.note = "a long note, complete";
    ReadingTable table;
    addRowFromRecord(table, day, 1, formatDayKey(day.date));
    ListRow row;
    EXPECT_TRUE(fillListRow(table, 1, designChart, slotTop, 375, row));
    return row;
}

} // namespace

TEST(ListRows, DesignGeometry) {
    EXPECT_EQ(designChart.readingPitch, 520);
    EXPECT_EQ(listMarkY(240, 375, 520, 0), 385);
    EXPECT_EQ(listMarkY(240, 375, 520, 1), 905);
    EXPECT_EQ(listMarkY(240 + 1560, 375, 520, 2), 1560 + 1425);
    EXPECT_EQ(chartX(2055, 80), 658);
    EXPECT_EQ(chartX(2055, 120), 986);
    EXPECT_EQ(chartX(2055, 250), 2055);
    EXPECT_EQ(chartX(2500, 0), 0);
}

struct MarkCase {
    Reading reading;
    ListMark::Kind kind;
    int x1;
    int x2;
    const char* shownSys;
};

class ListMarks : public ::testing::TestWithParam<MarkCase> {};

TEST_P(ListMarks, ReadingGivesItsMark) {
    const MarkCase& c = GetParam();
    const ListRow row = rowOf(c.reading);
    const ListSlot& slot = row.slots[1];
    EXPECT_EQ(slot.sys, c.shownSys);
    EXPECT_EQ(slot.mark.kind, c.kind);
    if (c.kind != ListMark::none) {
        EXPECT_EQ(slot.mark.x1, c.x1);
        EXPECT_EQ(slot.mark.x2, c.x2);
        EXPECT_EQ(slot.mark.y, 905);
    }
    EXPECT_EQ(row.slots[0].mark.kind, ListMark::none);
}

INSTANTIATE_TEST_SUITE_P(
    Readings, ListMarks,
    ::testing::Values(MarkCase{{"120", "80", "", ""}, ListMark::bar, 658, 986, "120"},
                      MarkCase{{"130", "", "", ""}, ListMark::dot, 1069, 1069, "130"},
                      MarkCase{{"", "90", "", ""}, ListMark::dot, 740, 740, ""},
                      // Above the scale: the label keeps the value, the bar stops at the edge.
                      MarkCase{{"300", "80", "", ""}, ListMark::bar, 658, 2055, "300"},
                      MarkCase{{"100", "150", "", ""}, ListMark::bar, 822, 1233, "100"},
                      MarkCase{{"", "", "66", "7:05am"}, ListMark::none, 0, 0, ""},
                      MarkCase{{"080", "60", "", ""}, ListMark::bar, 493, 658, "80"},
                      // A hand-edited text that is no number is shown as it is and not charted.
                      MarkCase{{"high", "80", "", ""}, ListMark::dot, 658, 658, "high"}));

struct TimeCase {
    const char* stored;
    const char* time;
    const char* ampm;
};

class ListTimes : public ::testing::TestWithParam<TimeCase> {};

TEST_P(ListTimes, SplitIntoTimeAndAmPm) {
    const SplitTime t = splitTime12(GetParam().stored);
    EXPECT_EQ(t.time, GetParam().time);
    EXPECT_EQ(t.ampm, GetParam().ampm);
}

INSTANTIATE_TEST_SUITE_P(Times, ListTimes,
                         ::testing::Values(TimeCase{"0:15", "12:15", "am"}, TimeCase{"13:05", "1:05", "pm"},
                                           TimeCase{"12:00pm", "12:00", "pm"},
                                           TimeCase{"7:05am", "7:05", "am"},
                                           TimeCase{"12:30am", "12:30", "am"}, TimeCase{"", "", ""},
                                           TimeCase{"soon", "", ""}));

TEST(ListRows, TextsOfARow) {
    const ListRow row = rowOf({"120", "80", "066", "13:05"}, 240);
    EXPECT_EQ(row.number, "1");
    EXPECT_EQ(row.dateCaption, " Jan./05/\r\n  2004");
    EXPECT_EQ(row.slots[1].pul, "66");
    EXPECT_EQ(row.slots[1].time, "1:05");
    EXPECT_EQ(row.slots[1].ampm, "pm");
    EXPECT_EQ(row.note, "a long note, complete");
    ReadingTable empty;
    ListRow hidden;
    EXPECT_FALSE(fillListRow(empty, 1, designChart, 240, 375, hidden));
}

struct WordsCase {
    std::array<Reading, 3> readings;
    const char* note;
    const char* words;
};

class ListRowWords : public ::testing::TestWithParam<WordsCase> {};

// What a screen reader hears of a row: the date, each reading with what it has, the note.
TEST_P(ListRowWords, SayTheDayAndWhatEachReadingHas) {
    const WordsCase& c = GetParam();
    DayRecord day;
    day.date = dateFromCivil(2026, 11, 19);
    for (std::size_t k = 0; k < 3; ++k) {
        day.sys[k] = c.readings[k].sys;
        day.dia[k] = c.readings[k].dia;
        day.pul[k] = c.readings[k].pul;
        day.time[k] = c.readings[k].time;
    }
    day.note = c.note;
    ReadingTable table;
    addRowFromRecord(table, day, 1, formatDayKey(day.date));
    ListRow row;
    ASSERT_TRUE(fillListRow(table, 1, designChart, 240, 375, row));
    EXPECT_EQ(describeListRow(row), c.words);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ListRowWords,
    ::testing::Values(
        WordsCase{
            {{{"129", "83", "74", "7:28am"}, {"131", "85", "", "21:00"}, {"", "", "", ""}}},
            "after a walk",
            "Nov./19/2026: 129 over 83, pulse 74, at 7:28am; 131 over 85, at 9:00pm; note: after a walk"},
        WordsCase{{{{"", "", "70", ""}, {"131", "", "", ""}, {"", "090", "", "6:00"}}},
                  "",
                  "Nov./19/2026: pulse 70; SYS 131; DIA 90, at 6:00am"},
        WordsCase{
            {{{"", "", "", ""}, {"", "", "", "7:05am"}, {"", "", "", ""}}}, "", "Nov./19/2026: at 7:05am"},
        WordsCase{{{{"", "", "", ""}, {"", "", "", ""}, {"", "", "", ""}}},
                  "x",
                  "Nov./19/2026: no readings; note: x"}));

TEST(ListRows, PagingBounds) {
    EXPECT_EQ(listTopAfterStepDown(7, 10), 7);
    EXPECT_EQ(listTopAfterStepDown(6, 10), 7);
    EXPECT_EQ(listTopAfterStepUp(7), 6);
    EXPECT_EQ(listTopAfterStepUp(1), 1);
    for (int count : {0, 1, 4})
        EXPECT_EQ(listTopAfterStepDown(1, count), 1) << count;
}

// The titles of prints hold no "/", so a printed file can be named after them.
TEST(PrintTitles, NameThePageItsOwnerAndItsDays) {
    const auto day = [](int y, int m, int d) { return dateFromCivil(y, m, d); };
    EXPECT_EQ(daySpanText(day(2026, 11, 19), day(2026, 11, 19)), "Nov. 19, 2026");
    EXPECT_EQ(daySpanText(day(2026, 11, 19), day(2026, 11, 25)), "Nov. 19\u201325, 2026");
    EXPECT_EQ(daySpanText(day(2026, 11, 29), day(2026, 12, 5)), "Nov. 29 \u2013 Dec. 5, 2026");
    EXPECT_EQ(daySpanText(day(2026, 12, 29), day(2027, 1, 4)), "Dec. 29, 2026 \u2013 Jan. 4, 2027");
    EXPECT_EQ(listPrintTitle("Hanna Berg", day(2026, 11, 19), day(2026, 11, 25)),
              "Tonolog \u2013 Hanna Berg \u2013 data list Nov. 19\u201325, 2026");
    EXPECT_EQ(listPrintTitle("", std::nullopt, std::nullopt), "Tonolog \u2013 data list");
    EXPECT_EQ(trendPrintTitle("Hanna Berg", day(2026, 11, 1)),
              "Tonolog \u2013 Hanna Berg \u2013 trend Nov. 2026");
}
