// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/document.h"
#include "document/reading_table.h"

#include <gtest/gtest.h>

using namespace tonolog;

namespace {

DayRecord recordFor(int y, int m, int d, const char* sys = "120") {
    DayRecord r;
    r.date = dateFromCivil(y, m, d);
    r.sys[0] = sys;
    r.note = "n";
    return r;
}

int addDay(ReadingTable& table, int y, int m, int d) {
    const DayRecord r = recordFor(y, m, d);
    return addRowFromRecord(table, r, table.count() + 1, formatDayKey(r.date));
}

} // namespace

TEST(ReadingTable, DaysAddedOutOfOrderStandInDateOrder) {
    ReadingTable table;
    addDay(table, 2004, 1, 5);
    addDay(table, 2004, 1, 3);
    EXPECT_EQ(addDay(table, 2004, 1, 4), 2);
    ASSERT_EQ(table.count(), 3);
    EXPECT_EQ(table.rowAt(1).key(), "Jan./03/2004");
    EXPECT_EQ(table.rowAt(2).key(), "Jan./04/2004");
    EXPECT_EQ(table.rowAt(3).key(), "Jan./05/2004");
    // A position with no row has no day.
    EXPECT_EQ(table.dayOf(3), dateFromCivil(2004, 1, 5));
    EXPECT_FALSE(table.dayOf(0));
    EXPECT_FALSE(table.dayOf(4));
}

TEST(ReadingTable, OrdersByDayNumberAsNumberAcrossDigitCounts) {
    ReadingTable table;
    addDay(table, 2004, 1, 5);  // 37991
    addDay(table, 1927, 5, 17); // 9999
    addDay(table, 1900, 1, 1);  // 2
    EXPECT_EQ(table.rowAt(1).key(), "Jan./01/1900");
    EXPECT_EQ(table.rowAt(2).key(), "May./17/1927");
    EXPECT_EQ(table.rowAt(3).key(), "Jan./05/2004");
}

TEST(ReadingTable, AddThenSetDayNumberReorders) {
    ReadingTable table;
    addDay(table, 2004, 1, 3);
    addDay(table, 2004, 1, 5);
    int position = table.add(table.count() + 1, "Jan./04/2004");
    ASSERT_NE(position, 0);
    position = table.setSubColumn(position, 1, "130");
    position = table.setSubColumn(position, dayNumberColumn, formatDayNumber(dateFromCivil(2004, 1, 4)));
    EXPECT_EQ(position, 2);
    EXPECT_EQ(table.rowAt(2).column(1), "130");
    // Moving a day by changing its day number takes it to its new place.
    position = table.setSubColumn(1, dayNumberColumn, formatDayNumber(dateFromCivil(2004, 1, 9)));
    EXPECT_EQ(position, 3);
    EXPECT_EQ(table.rowAt(3).key(), "Jan./03/2004");
}

TEST(ReadingTable, FindByKeyFromAStartPosition) {
    ReadingTable table;
    addDay(table, 2004, 1, 3);
    addDay(table, 2004, 1, 4);
    addDay(table, 2004, 1, 5);
    EXPECT_EQ(table.findByKey("Jan./04/2004"), 2);
    EXPECT_EQ(table.findByKey("Jan./04/2004", 2), 2);
    EXPECT_EQ(table.findByKey("Jan./04/2004", 3), 0);
    EXPECT_EQ(table.findByKey("Jan./06/2004"), 0);
    EXPECT_EQ(table.findByKey("jan./04/2004"), 0); // an equality search on the text
}

TEST(ReadingTable, RemoveMovesLaterRowsUp) {
    ReadingTable table;
    addDay(table, 2004, 1, 3);
    addDay(table, 2004, 1, 4);
    addDay(table, 2004, 1, 5);
    table.remove(2);
    ASSERT_EQ(table.count(), 2);
    EXPECT_EQ(table.rowAt(2).key(), "Jan./05/2004");
    table.remove(1);
    table.remove(1);
    EXPECT_EQ(table.count(), 0);
}

TEST(ReadingTable, OneRowIsBothFirstAndLast) {
    ReadingTable table;
    EXPECT_EQ(addDay(table, 2004, 1, 3), 1);
    EXPECT_EQ(table.findByKey("Jan./03/2004"), 1);
    EXPECT_EQ(table.count(), 1);
}

TEST(ReadingTable, AddRowFromRecordFillsEveryColumn) {
    DayRecord r;
    r.date = dateFromCivil(2004, 1, 5);
    for (int i = 0; i < 3; ++i) {
        r.sys[static_cast<std::size_t>(i)] = "s" + std::to_string(i);
        r.dia[static_cast<std::size_t>(i)] = "d" + std::to_string(i);
        r.pul[static_cast<std::size_t>(i)] = "p" + std::to_string(i);
        r.time[static_cast<std::size_t>(i)] = "t" + std::to_string(i);
    }
    r.note = "a, b";
    ReadingTable table;
    ASSERT_EQ(addRowFromRecord(table, r, 1, "Jan./05/2004"), 1);
    const DayRow& row = table.rowAt(1);
    EXPECT_EQ(row.column(1), "s0");
    EXPECT_EQ(row.column(6), "d1");
    EXPECT_EQ(row.column(11), "p2");
    EXPECT_EQ(row.column(12), "t2");
    EXPECT_EQ(row.column(13), "a, b");
    EXPECT_EQ(row.column(14), "37991");
    clearDayReadings(r);
    EXPECT_EQ(r.date, dateFromCivil(2004, 1, 5));
    EXPECT_TRUE(r.sys[0].empty() && r.time[2].empty() && r.note.empty());
}

TEST(ReadingTable, HoldsAtMost32767Rows) {
    ReadingTable table;
    for (int i = 0; i < ReadingTable::maxRows; ++i) {
        DayRow row;
        row.setKey("k");
        row.setColumn(dayNumberColumn, std::to_string(i));
        ASSERT_TRUE(table.appendUnordered(std::move(row)));
    }
    EXPECT_TRUE(table.isFull());
    EXPECT_EQ(table.add(1, "x"), 0);
    EXPECT_EQ(addDay(table, 2004, 1, 1), 0);
    EXPECT_EQ(table.count(), 32767);
}

// A commit widens the range of days, never narrows it, while it adds or changes a day.
TEST(DocumentRange, ACommitOnlyWidensTheRange) {
    Document doc;
    doc.reset(DateTime{dateFromCivil(2004, 1, 10), 3600});
    const auto commit = [&](int day) {
        DayRecord record;
        record.date = dateFromCivil(2004, 1, day);
        record.sys[0] = "120";
        doc.putDay(record, false, DateTime{});
    };
    commit(12);
    EXPECT_EQ(doc.lastDay(), DateTime::atMidnight(dateFromCivil(2004, 1, 12)));
    EXPECT_EQ(doc.firstDay(), (DateTime{dateFromCivil(2004, 1, 10), 3600}));
    commit(10);
    EXPECT_EQ(doc.firstDay(), DateTime::atMidnight(dateFromCivil(2004, 1, 10)));
    commit(11);
    EXPECT_EQ(doc.firstDay().date, dateFromCivil(2004, 1, 10));
    EXPECT_EQ(doc.lastDay().date, dateFromCivil(2004, 1, 12));
}

// A key that is no date, which only a file edited by hand holds, is looked for row by row; a row
// just added, before its day number is set, is found too.
TEST(ReadingTable, FindsKeysThatAreNoDatesAndRowsWithoutADayNumberYet) {
    ReadingTable table;
    addDay(table, 2004, 1, 3);
    DayRow odd;
    odd.setKey("not a date");
    odd.setColumn(dayNumberColumn, formatDayNumber(dateFromCivil(2004, 1, 7)));
    EXPECT_EQ(table.insertOrdered(odd), 2);
    addDay(table, 2004, 1, 9);
    EXPECT_EQ(table.add(table.count() + 1, "Jan./08/2004"), 1); // stands first until it has a day number
    EXPECT_EQ(table.findByKey("not a date"), 3);
    EXPECT_EQ(table.findByKey("Jan./08/2004"), 1);
    EXPECT_EQ(table.findByKey("Jan./09/2004"), 4);
    EXPECT_EQ(table.findByKey("Jan./09/2004", 5), 0);
}

// Texts of every length written over and over, some of them a comma in a reading or a line
// break: every row reads back its last texts, also after the table has tidied its text.
TEST(ReadingTable, RowsKeepTheirLastTextsThroughManyEdits) {
    ReadingTable table;
    std::vector<std::array<std::string, noteColumn>> expected(100);
    for (int day = 0; day < 100; ++day) {
        DayRecord r;
        r.date = Date{38000 + day};
        addRowFromRecord(table, r, day + 1, formatDayKey(r.date));
    }
    const std::string texts[] = {"", "7", "120", "a note of a few more words", "1,2", "a\nb", "c\r"};
    std::uint32_t seed = 7;
    const auto next = [&seed] { return (seed = seed * 1103515245 + 12345) >> 8; };
    for (int edit = 0; edit < 20000; ++edit) {
        const auto row = next() % 100;
        const auto column = next() % noteColumn;
        const std::string text = texts[next() % std::size(texts)] + std::string(next() % 3, 'x');
        table.setSubColumn(static_cast<int>(row) + 1, static_cast<int>(column) + 1, text);
        expected[row][column] = text;
    }
    for (int p = 1; p <= 100; ++p) {
        EXPECT_EQ(table.rowAt(p).key(), formatDayKey(Date{38000 + p - 1}));
        for (int c = 1; c <= noteColumn; ++c)
            ASSERT_EQ(table.rowAt(p).column(c),
                      expected[static_cast<std::size_t>(p - 1)][static_cast<std::size_t>(c - 1)]);
    }
}
