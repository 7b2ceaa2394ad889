// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/csv_export.h"
#include "document/report_pages.h"
#include "document/report_stats.h"

#include <gtest/gtest.h>

using namespace tonolog;

namespace {

Date day(int d) {
    return dateFromCivil(2004, 3, d);
}

// Days of March 2004; each reading as "SYS,DIA,PUL,time".
ReadingTable diaryOf(std::initializer_list<std::pair<int, std::vector<const char*>>> days,
                     const char* note = "") {
    ReadingTable table;
    for (const auto& [d, readings] : days) {
        DayRecord rec;
        rec.date = day(d);
        for (std::size_t k = 0; k < readings.size(); ++k) {
            const std::string r = readings.begin()[k];
            std::size_t a = r.find(','), b = r.find(',', a + 1), c = r.find(',', b + 1);
            rec.sys[k] = r.substr(0, a);
            rec.dia[k] = r.substr(a + 1, b - a - 1);
            rec.pul[k] = r.substr(b + 1, c - b - 1);
            rec.time[k] = r.substr(c + 1);
        }
        rec.note = note;
        addRowFromRecord(table, rec, table.count() + 1, formatDayKey(rec.date));
    }
    return table;
}

ReportOptions march(int from = 1, int to = 31) {
    ReportOptions o;
    o.from = day(from);
    o.to = day(to);
    return o;
}

} // namespace

// Seven days, a morning and an evening reading each, worked out by hand.
TEST(ReportStats, MorningAndEveningMeans) {
    const ReadingTable table = diaryOf({{1, {"130,80,70,7:00am", "140,90,60,8:00pm"}},
                                        {2, {"132,82,70,7:30am", "142,88,62,9:00pm"}},
                                        {3, {"128,78,68,6:45am", "138,86,64,10:15pm"}},
                                        {4, {"134,84,72,7:10am", "144,92,66,11:00pm"}},
                                        {5, {"126,76,66,5:00am", "136,84,60,1:30am"}},
                                        {6, {"130,80,70,8:00am", "140,90,62,7:00pm"}},
                                        {7, {"130,80,70,9:00am", "140,90,64,6:00pm"}}});
    const ReportOptions o = march();
    const ReportSummary s = summarise(readingsOfPeriod(table, o), o);
    EXPECT_EQ(s.daysWithReadings, 7);
    EXPECT_EQ(s.readingsCounted, 14);
    EXPECT_NEAR(s.morning.sys.mean, 130.0, 1e-9);
    EXPECT_NEAR(s.evening.sys.mean, 140.0, 1e-9);
    EXPECT_NEAR(s.morning.dia.mean, 80.0, 1e-9);
    EXPECT_NEAR(s.evening.dia.mean, 620.0 / 7, 1e-9); // 88.6
    EXPECT_NEAR(s.whole.sys.mean, 135.0, 1e-9);
    EXPECT_NEAR(s.morning.sys.standardDeviation, 2.5819888974716, 1e-9); // 130,132,128,134,126,130,130
    EXPECT_EQ(s.lowestSys->value, 126);
    EXPECT_EQ(s.lowestSys->date, day(5));
    EXPECT_EQ(s.highestDia->value, 92);
    EXPECT_EQ(s.highestDia->date, day(4));
    EXPECT_EQ(thresholdVerdict(s, o), "The average is at or above the home threshold of 135/85 mmHg.");
    EXPECT_EQ(formatMeanAndSpread(s.evening.dia), "88.6 \xc2\xb1 2.8");
    EXPECT_EQ(formatMeanAndSpread(s.whole.sys), "135.0 \xc2\xb1 5.8");
    EXPECT_EQ(formatThresholdShare(s), "7 of 14 (50.0%)");
}

TEST(ReportStats, TenthsAreExactWithHalvesToEven) {
    const std::pair<std::pair<long long, long long>, const char*> rows[] = {
        {{1, 4}, "0.2"},   {{3, 4}, "0.8"},       {{620, 7}, "88.6"}, {{500, 12}, "41.7"},
        {{-1, 4}, "-0.2"}, {{1882, 14}, "134.4"}, {{0, 3}, "0.0"},    {{5, 0}, "-"}};
    for (const auto& [fraction, text] : rows)
        EXPECT_EQ(formatTenths(fraction.first, fraction.second), text)
            << fraction.first << "/" << fraction.second;
    EXPECT_EQ(formatMeanAndSpread(MeanAndSpread{}), "-");
}

TEST(ReportStats, FirstDayRuleAndAnEmptyPeriod) {
    const ReadingTable table =
        diaryOf({{2, {"150,95,70,7:00am"}}, {3, {"120,80,70,7:00am"}}, {4, {"124,82,70,7:00am"}}});
    ReportOptions o = march();
    o.leaveOutFirstDay = true;
    const ReportSummary s = summarise(readingsOfPeriod(table, o), o);
    EXPECT_EQ(s.daysWithReadings, 2);
    EXPECT_NEAR(s.whole.sys.mean, 122.0, 1e-9);
    EXPECT_EQ(readingsOfPeriod(table, o).readings.front().use, ReadingUse::FirstDay);
    EXPECT_EQ(thresholdVerdict(s, o), "The average is below the home threshold of 135/85 mmHg.");

    const ReportOptions none = march(20, 27);
    const ReportSummary empty = summarise(readingsOfPeriod(table, none), none);
    EXPECT_EQ(empty.readingsCounted, 0);
    EXPECT_EQ(empty.whole.sys.mean, 0.0);
    EXPECT_EQ(empty.shareAtOrAboveThreshold, 0.0);
    EXPECT_EQ(formatMeanAndSpread(empty.whole.sys), "-");
    EXPECT_EQ(formatThresholdShare(empty), "0 of 0");
    EXPECT_EQ(thresholdVerdict(empty, none),
              "There are no readings in this period to compare with the home threshold.");
}

// Exactly at the threshold counts; a reading without a time counts in the whole period only; a
// value that is no whole number from 0 to 250 leaves its reading out.
TEST(ReportStats, ThresholdTimesAndLeftOut) {
    ReadingTable table = diaryOf({{1, {"135,70,60,7:00am", "120,85,60,", "134,84,60,8:00pm"}},
                                  {2, {"120,80,60,7:00am", ",,66,9:00am"}}});
    table.setSubColumn(2, 1, "300");
    const ReportOptions o = march();
    const PeriodReadings period = readingsOfPeriod(table, o);
    EXPECT_EQ(period.leftOut, 1);
    EXPECT_EQ(period.readings[3].use, ReadingUse::BadValue);
    const ReportSummary s = summarise(period, o);
    EXPECT_EQ(s.readingsCounted, 4);
    EXPECT_EQ(s.readingsLeftOut, 1);
    EXPECT_EQ(s.atOrAboveThreshold, 2);
    // Of the three readings with a pressure; the pulse alone does not count.
    EXPECT_NEAR(s.shareAtOrAboveThreshold, 2.0 / 3, 1e-9);
    EXPECT_EQ(s.whole.sys.count, 3);
    EXPECT_EQ(s.morning.sys.count, 1);
    EXPECT_EQ(s.evening.sys.count, 1);
}

TEST(ReportStats, QuickPeriodsEndOnTheLatestDay) {
    const ReadingTable table = diaryOf({{3, {"120,80,70,7:00am"}}, {20, {"120,80,70,7:00am"}}});
    const Period trend{day(16), day(31)};
    const Date today = dateFromCivil(2026, 12, 8);
    const std::pair<QuickPeriod, std::pair<Date, Date>> rows[] = {
        {QuickPeriod::LastSevenDays, {day(14), day(20)}},
        {QuickPeriod::LastThirtyDays, {dateFromCivil(2004, 2, 20), day(20)}},
        {QuickPeriod::TrendWindow, {day(16), day(31)}},
        {QuickPeriod::WholeDiary, {day(3), day(20)}}};
    for (const auto& [choice, expected] : rows) {
        const Period p = quickPeriod(choice, table, trend, today);
        EXPECT_EQ(p.from, expected.first);
        EXPECT_EQ(p.to, expected.second);
    }
    const Period empty = quickPeriod(QuickPeriod::LastSevenDays, ReadingTable{}, trend, today);
    EXPECT_EQ(empty.to, today);
    EXPECT_EQ(empty.from.serial, today.serial - 6);
}

// Lines never cut: a page takes lines while they fit; a line taller than a page stands alone.
TEST(ReportPages, Pagination) {
    using Pages = std::vector<std::pair<int, int>>;
    const auto pages = [](const std::vector<int>& heights, int first, int later) {
        Pages out;
        for (const PageLines& p : paginate(heights, first, later))
            out.emplace_back(p.first, p.end);
        return out;
    };
    EXPECT_EQ(pages({}, 100, 300), (Pages{{0, 0}}));
    EXPECT_EQ(pages({50, 50, 50}, 100, 300), (Pages{{0, 2}, {2, 3}}));
    EXPECT_EQ(pages({120, 50}, 100, 300), (Pages{{0, 0}, {0, 2}}));
    EXPECT_EQ(pages({50, 400, 50}, 100, 300), (Pages{{0, 1}, {1, 2}, {2, 3}}));
    EXPECT_EQ(pages({100, 100, 100, 100}, 100, 300), (Pages{{0, 1}, {1, 4}}));
}

TEST(ReportPages, ChartPositions) {
    const ChartFrame frame{1000, 2000, 7000, 2500};
    EXPECT_DOUBLE_EQ(reportChartX(frame, day(1), day(7), day(1), 0), 1000);
    EXPECT_DOUBLE_EQ(reportChartX(frame, day(1), day(7), day(4), 12 * 60), 4500); // mid-period
    EXPECT_DOUBLE_EQ(reportChartX(frame, day(1), day(7), day(2), -1), 2500);      // no time: noon
    EXPECT_DOUBLE_EQ(reportChartY(frame, 250), 2000);
    EXPECT_DOUBLE_EQ(reportChartY(frame, 135), 2000 + 2500 * 115.0 / 250);
    EXPECT_DOUBLE_EQ(reportChartY(frame, 300), 2000);
}

TEST(CsvExport, QuotingAndLines) {
    EXPECT_EQ(csvField("plain"), "plain");
    EXPECT_EQ(csvField("a, b"), "\"a, b\"");
    EXPECT_EQ(csvField("say \"hi\"\r\nbye"), "\"say \"\"hi\"\"\r\nbye\"");
    ReadingTable table =
        diaryOf({{5, {"120,80,66,1:05pm", ",,,", "121,81,67,25:00"}}}, "walk, then \"tea\" \xc3\xbc");
    DayRecord noteOnly;
    noteOnly.date = day(6);
    noteOnly.note = "rest";
    addRowFromRecord(table, noteOnly, table.count() + 1, formatDayKey(noteOnly.date));
    EXPECT_EQ(csvOfReadings(table, day(1), day(31)),
              "date,time,reading,sys,dia,pul,note\r\n"
              "2004-03-05,13:05,1,120,80,66,\"walk, then \"\"tea\"\" \xc3\xbc\"\r\n"
              "2004-03-05,25:00,3,121,81,67,\"walk, then \"\"tea\"\" \xc3\xbc\"\r\n"
              "2004-03-06,,,,,,rest\r\n");
    EXPECT_EQ(csvOfReadings(table, day(6), day(6)),
              "date,time,reading,sys,dia,pul,note\r\n2004-03-06,,,,,,rest\r\n");
}
