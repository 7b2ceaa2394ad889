// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/trend_graph.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

using namespace tonolog;

namespace {

Date day(int y, int m, int d) {
    return dateFromCivil(y, m, d);
}

// A table with one reading on each of the given days of April 2004: reading k, SYS, DIA, PUL.
struct Reading {
    int dayOfMonth;
    int k;
    const char* sys;
    const char* dia;
    const char* pul;
};
ReadingTable aprilTable(std::initializer_list<Reading> readings) {
    ReadingTable table;
    for (const Reading& r : readings) {
        DayRecord rec;
        rec.date = day(2004, 4, r.dayOfMonth);
        rec.sys[static_cast<std::size_t>(r.k)] = r.sys;
        rec.dia[static_cast<std::size_t>(r.k)] = r.dia;
        rec.pul[static_cast<std::size_t>(r.k)] = r.pul;
        addRowFromRecord(table, rec, table.count() + 1, formatDayKey(rec.date));
    }
    return table;
}

std::vector<TrendMark> aprilMarks(std::initializer_list<Reading> readings) {
    const ReadingTable table = aprilTable(readings);
    return planTrendMarks(collectTrendSeries(table, day(2004, 4, 1), day(2004, 4, 30)), 9375, 5535);
}

long countOf(const std::vector<TrendMark>& marks, TrendMark::Kind kind, TrendMark::Colour colour) {
    return std::count_if(marks.begin(), marks.end(),
                         [&](const TrendMark& m) { return m.kind == kind && m.colour == colour; });
}

} // namespace

// Window 1-30 April on a canvas 9375 x 5535.
TEST(TrendGraph, AprilOnTheDesignCanvas) {
    ASSERT_EQ(trendDayCount(day(2004, 4, 1), day(2004, 4, 30)), 30);
    const double w = dayWidth(9375, 30);
    EXPECT_DOUBLE_EQ(w, 312.5);
    EXPECT_EQ(trendReadingX(w, 0, 0), 31);
    EXPECT_EQ(trendReadingX(w, 0, 1), 135);
    EXPECT_EQ(trendReadingX(w, 0, 2), 240);
    EXPECT_EQ(trendReadingX(w, 1, 0), 344);
    const int values[] = {120, 80, 200, 150, 100, 50, 140, 90};
    const int ys[] = {2878, 3764, 1107, 2214, 3321, 4428, 2435, 3542};
    for (std::size_t i = 0; i < std::size(values); ++i)
        EXPECT_EQ(trendValueY(5535, values[i]), ys[i]) << values[i];
    EXPECT_DOUBLE_EQ(trendAxisLabelTop(1440, 5535, 50, 255), 5740.5);
    EXPECT_FALSE(trendDayCount(day(2004, 4, 1), day(2004, 5, 2)));
}

TEST(TrendGraph, DayLabels) {
    const TrendDayLabels january =
        trendDayLabels(day(2004, 1, 16), day(2004, 2, 15), 1080, dayWidth(9375, 31));
    EXPECT_EQ(january.text, (std::array<std::string, 7>{"16", "21", "26", "31", "5", "10", "15"}));
    const TrendDayLabels february =
        trendDayLabels(day(2005, 2, 1), day(2005, 2, 28), 1080, dayWidth(9375, 28));
    EXPECT_EQ(february.text, (std::array<std::string, 7>{"1", "6", "11", "16", "21", "26", "28"}));
    EXPECT_NEAR(february.left[1], 2754.1, 0.01);
    EXPECT_NEAR(february.left[5], 9450.5, 0.05);
}

TEST(TrendGraph, LegendOfTheDesignLayout) {
    const TrendLegend l = trendLegend({120, 0, 375, 255}, {120, 240, 375, 255}, {120, 480, 375, 255});
    EXPECT_EQ(l.xl, 622);
    EXPECT_EQ(l.xm, 692);
    EXPECT_EQ(l.xr, 762);
    EXPECT_EQ(l.ySys, 85);
    EXPECT_EQ(l.yDia, 325);
    EXPECT_EQ(l.yPul, 565);
}

TEST(TrendGraph, CollectsEachDaysReadings) {
    const ReadingTable table = aprilTable({{3, 0, "120", "80", "66"}, {9, 2, "130", "", ""}});
    const TrendSeries s = collectTrendSeries(table, day(2004, 4, 1), day(2004, 4, 30));
    EXPECT_EQ(s.days, 30);
    EXPECT_EQ(s.sys[6], 120);
    EXPECT_EQ(s.dia[6], 80);
    EXPECT_EQ(s.pul[6], 66);
    EXPECT_EQ(s.sys[26], 130);
    EXPECT_EQ(s.dia[26], -1);
    EXPECT_EQ(std::count(s.sys.begin(), s.sys.end(), -1), 93 - 2);
}

TEST(TrendGraph, MarksOfTheWindow) {
    // One reading: the DIA-to-SYS line and a dot for each series, no other line.
    const auto one = aprilMarks({{1, 0, "120", "80", ""}});
    ASSERT_EQ(one.size(), 3u);
    EXPECT_EQ(one[0].kind, TrendMark::line);
    EXPECT_EQ(one[0].colour, TrendMark::black);
    EXPECT_EQ((std::array{one[0].x1, one[0].y1, one[0].x2, one[0].y2}), (std::array{31, 3764, 31, 2878}));
    EXPECT_EQ(countOf(one, TrendMark::dot, TrendMark::red), 1);
    EXPECT_EQ(countOf(one, TrendMark::dot, TrendMark::blue), 1);

    // The 3rd and the 9th: one segment per series bridges the days between.
    const auto two = aprilMarks({{3, 0, "120", "80", ""}, {9, 2, "130", "85", ""}});
    EXPECT_EQ(countOf(two, TrendMark::line, TrendMark::red), 1);
    EXPECT_EQ(countOf(two, TrendMark::line, TrendMark::blue), 1);
    EXPECT_EQ(countOf(two, TrendMark::dot, TrendMark::red), 0);
    const auto red =
        *std::find_if(two.begin(), two.end(), [](const TrendMark& m) { return m.colour == TrendMark::red; });
    EXPECT_EQ(red.x1, trendReadingX(312.5, 2, 0));
    EXPECT_EQ(red.x2, trendReadingX(312.5, 8, 2));
    EXPECT_EQ(red.penWidth, 2);

    const auto sysOnly = aprilMarks({{3, 0, "120", "", ""}, {4, 0, "125", "", ""}});
    EXPECT_EQ(countOf(sysOnly, TrendMark::line, TrendMark::black), 0);
    EXPECT_EQ(countOf(sysOnly, TrendMark::line, TrendMark::red), 1);

    const auto pulseOnly = aprilMarks({{3, 1, "", "", "70"}});
    ASSERT_EQ(pulseOnly.size(), 1u);
    EXPECT_EQ(pulseOnly[0].kind, TrendMark::pulseDot);

    // Above the scale: the point lies above the top edge.
    const auto high = aprilMarks({{3, 0, "280", "", ""}});
    EXPECT_LT(high.back().y1, 0);
    EXPECT_TRUE(aprilMarks({}).empty());
}

TEST(TrendGraph, HalfMonthSteps) {
    DateTime first = DateTime::atMidnight(day(2004, 12, 1));
    const DateTime last = DateTime::atMidnight(day(2005, 1, 1));
    auto moved = shiftedTrendWindow(day(2004, 12, 16), first, last, true);
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->start, day(2005, 1, 1));
    EXPECT_EQ(moved->end, day(2005, 1, 31));
    first = DateTime::atMidnight(day(2005, 1, 15));
    moved = shiftedTrendWindow(moved->start, first, last, false);
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->start, day(2004, 12, 16));
    EXPECT_EQ(moved->end, day(2005, 1, 15));

    // An empty diary reset on 10 March 2004 at 14:00.
    const DateTime reset{day(2004, 3, 10), 14 * 3600};
    EXPECT_FALSE(shiftedTrendWindow(day(2004, 3, 1), reset, reset, true));
    moved = shiftedTrendWindow(day(2004, 3, 1), reset, reset, false);
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->start, day(2004, 2, 16));
    EXPECT_EQ(moved->end, day(2004, 3, 15));
    EXPECT_FALSE(shiftedTrendWindow(moved->start, reset, reset, false));
}

TEST(TrendGraph, DayUnderThePointer) {
    const Date start = day(2004, 4, 1);
    const Date end = day(2004, 4, 30);
    EXPECT_EQ(trendDayUnderPointer(start, end, 9375, 3000), day(2004, 4, 10));
    EXPECT_EQ(trendDayUnderPointer(start, end, 9375, 0), day(2004, 4, 1));
    EXPECT_EQ(trendDayUnderPointer(start, end, 9375, 9375), day(2004, 4, 30));
}

struct FiguresCase {
    std::vector<Reading> readings;
    const char* words;
};

class TrendWindowWords : public ::testing::TestWithParam<FiguresCase> {};

// The graph's description: April 2004, how many readings, SYS and DIA as mean, lowest and
// highest, the mean pulse; means to the nearest whole number, halves to the even one.
TEST_P(TrendWindowWords, TheWindowAndItsFigures) {
    std::map<int, DayRecord> days;
    for (const Reading& r : GetParam().readings) {
        DayRecord& rec = days[r.dayOfMonth];
        rec.date = day(2004, 4, r.dayOfMonth);
        rec.sys[static_cast<std::size_t>(r.k)] = r.sys;
        rec.dia[static_cast<std::size_t>(r.k)] = r.dia;
        rec.pul[static_cast<std::size_t>(r.k)] = r.pul;
    }
    ReadingTable table;
    for (const auto& [dayOfMonth, rec] : days)
        addRowFromRecord(table, rec, table.count() + 1, formatDayKey(rec.date));
    const TrendSeries series = collectTrendSeries(table, day(2004, 4, 1), day(2004, 4, 30));
    EXPECT_EQ(describeTrendWindow(day(2004, 4, 1), day(2004, 4, 30), series), GetParam().words);
}

INSTANTIATE_TEST_SUITE_P(
    April, TrendWindowWords,
    ::testing::Values(
        FiguresCase{{}, "Apr. 1 to Apr. 30, 2004: no readings"},
        FiguresCase{{{3, 0, "121", "80", "66"}},
                    "Apr. 1 to Apr. 30, 2004: 1 reading; SYS mean 121, lowest 121, highest 121; "
                    "DIA mean 80, lowest 80, highest 80; mean pulse 66"},
        // SYS 241 / 2 = 120.5 goes to 120, DIA 163 / 2 = 81.5 to 82, the pulse 141 / 2 to 70.
        FiguresCase{{{3, 0, "121", "80", "71"}, {3, 2, "120", "83", ""}, {20, 1, "", "", "70"}},
                    "Apr. 1 to Apr. 30, 2004: 3 readings; SYS mean 120, lowest 120, highest 121; "
                    "DIA mean 82, lowest 80, highest 83; mean pulse 70"},
        FiguresCase{{{9, 1, "", "", "72"}}, "Apr. 1 to Apr. 30, 2004: 1 reading; mean pulse 72"}));

TEST(TrendGraph, WindowWordsAndTheCursorsDay) {
    EXPECT_EQ(trendWindowWords(day(2026, 11, 1), day(2026, 11, 30)), "Nov. 1 to Nov. 30, 2026");
    EXPECT_EQ(trendWindowWords(day(2026, 12, 16), day(2027, 1, 15)), "Dec. 16, 2026 to Jan. 15, 2027");
    const ReadingTable table = aprilTable({{3, 0, "120", "80", "66"}, {9, 2, "130", "", ""}});
    const TrendSeries series = collectTrendSeries(table, day(2004, 4, 1), day(2004, 4, 30));
    EXPECT_EQ(trendCursorStart(series), 8);
    EXPECT_EQ(trendCursorStart(collectTrendSeries(table, day(2004, 4, 16), day(2004, 5, 15))), 0);
    EXPECT_EQ(describeTrendDay(table, day(2004, 4, 3)), "Apr./03/2004: 120 over 80, pulse 66");
    EXPECT_EQ(describeTrendDay(table, day(2004, 4, 4)), "Apr./04/2004: no readings");
}
