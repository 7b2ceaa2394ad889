// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/dates.h"

#include <gtest/gtest.h>

using namespace tonolog;

TEST(Dates, DayNumbersCountFromTheZeroDate) {
    EXPECT_EQ(dateFromCivil(1899, 12, 30).serial, 0);
    EXPECT_EQ(dateFromCivil(2004, 1, 5).serial, 37991);
    EXPECT_EQ(dateFromCivil(1927, 5, 18).serial, 10000);
    EXPECT_EQ(dateFromCivil(1900, 3, 1).serial, 61);
    EXPECT_EQ(formatDayNumber(dateFromCivil(2004, 1, 5)), "37991");
    EXPECT_EQ(formatDayKey(dateFromCivil(2004, 1, 5)), "Jan./05/2004");
    EXPECT_EQ(formatFirstOfMonthKey(dateFromCivil(2004, 2, 29)), "Feb./01/2004");
}

TEST(Dates, EveryDayFrom1900To2199ReadsBackInAllThreeForms) {
    const Date first = dateFromCivil(1900, 1, 1);
    const Date last = dateFromCivil(2199, 12, 31);
    int previousSerial = first.serial - 1;
    for (int serial = first.serial; serial <= last.serial; ++serial) {
        const Date d{serial};
        const CivilDate c = civilFromDate(d);
        ASSERT_EQ(dateFromCivil(c.year, c.month, c.day), d);
        ASSERT_EQ(parseDate(formatDayKey(d)), d) << formatDayKey(d);
        ASSERT_EQ(parseDate(formatYmd(c.year, c.month, c.day)), d) << formatYmd(c.year, c.month, c.day);
        ASSERT_EQ(parseDate(formatFirstOfMonthKey(d)), firstDayOfMonth(d));
        ASSERT_EQ(serial, previousSerial + 1);
        previousSerial = serial;
    }
}

TEST(Dates, AcceptedAndRefusedTexts) {
    const Date jan5 = dateFromCivil(2004, 1, 5);
    EXPECT_EQ(parseDate("jan./05/2004"), jan5);
    EXPECT_EQ(parseDate("JAN./5/2004"), jan5);
    EXPECT_EQ(parseDate(" Jan/05/2004 "), jan5);
    EXPECT_EQ(parseDate("2004-01-05"), jan5);
    EXPECT_EQ(parseDate("2004/1/5"), jan5);
    EXPECT_EQ(parseDate("2004/01/05"), jan5);
    EXPECT_EQ(parseDate("Feb./29/2004"), dateFromCivil(2004, 2, 29));
    for (const char* bad : {"", "Feb./29/2005", "Feb./30/2004", "01/02/2004", "1/2/04", "Jan./05/04",
                            "Janu./05/2004", "2004-1-5", "2004-13-01", "Jan./05/2004/1", "xyz",
                            "Jan./032/2004", "2004/0/1", "0099/1/1", "Jan./05/20O4"})
        EXPECT_FALSE(parseDate(bad)) << bad;
}

TEST(Dates, LastDayOfMonth) {
    EXPECT_EQ(lastDayOfMonth(2004, 4), 30);
    EXPECT_EQ(lastDayOfMonth(2000, 2), 29);
    EXPECT_EQ(lastDayOfMonth(1900, 2), 28);
    EXPECT_EQ(lastDayOfMonth(2004, 2), 29);
    EXPECT_EQ(lastDayOfMonth(2100, 2), 28);
    EXPECT_EQ(lastDayOfMonth(2004, 12), 31);
}

TEST(Dates, WindowEndFor) {
    EXPECT_EQ(windowEndFor(dateFromCivil(2004, 2, 1)), dateFromCivil(2004, 2, 29));
    EXPECT_EQ(windowEndFor(dateFromCivil(2005, 2, 1)), dateFromCivil(2005, 2, 28));
    EXPECT_EQ(windowEndFor(dateFromCivil(2004, 12, 16)), dateFromCivil(2005, 1, 15));
    EXPECT_EQ(windowEndFor(dateFromCivil(2004, 1, 16)), dateFromCivil(2004, 2, 15));
    EXPECT_EQ(windowEndFor(dateFromCivil(2004, 3, 10)), dateFromCivil(2004, 3, 10));
}

TEST(Dates, AddDaysAndFirstDayOfMonth) {
    EXPECT_EQ(addDays(dateFromCivil(2004, 3, 1), 1, DayStep::backward), dateFromCivil(2004, 2, 29));
    EXPECT_EQ(addDays(dateFromCivil(2004, 2, 28), 1, DayStep::forward), dateFromCivil(2004, 2, 29));
    EXPECT_EQ(addDays(dateFromCivil(2004, 12, 31), 1, DayStep::forward), dateFromCivil(2005, 1, 1));
    EXPECT_EQ(firstDayOfMonth(dateFromCivil(2004, 3, 31)), dateFromCivil(2004, 3, 1));
}
