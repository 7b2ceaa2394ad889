// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/conversions.h"
#include "document/data_file.h"

#include <gtest/gtest.h>

#include <random>

using namespace tonolog;

namespace {

const Date today = dateFromCivil(2026, 12, 7);

// What must hold after any load, whatever the file held.
void expectInvariants(const Document& doc) {
    const ReadingTable& table = doc.table();
    ASSERT_LE(table.count(), ReadingTable::maxRows);
    long long previous = std::numeric_limits<long long>::min();
    for (int p = 1; p <= table.count(); ++p) {
        const DayRow& row = table.rowAt(p);
        const auto date = parseDate(row.key());
        ASSERT_TRUE(date) << row.key();
        ASSERT_EQ(row.column(dayNumberColumn), formatDayNumber(*date));
        ASSERT_GE(date->serial, previous);
        previous = date->serial;
        for (int c : {1, 2, 3, 5, 6, 7, 9, 10, 11}) {
            const std::string_view v = row.column(c);
            if (!v.empty()) {
                const auto n = parseInt16(v);
                ASSERT_TRUE(n && *n >= 0 && *n <= 250) << v;
            }
        }
    }
    ASSERT_GE(doc.listTopIndex(), 1);
    ASSERT_EQ(doc.listTopIndex(), std::max(1, table.count() - 3));
    const CivilDate start = civilFromDate(doc.trendWindowStart());
    ASSERT_TRUE(start.day == 1);
    ASSERT_EQ(doc.trendWindowEnd(), windowEndFor(doc.trendWindowStart()));
}

std::string randomLine(std::mt19937& rng) {
    static const std::vector<std::string> pieces = {"Jan./05/2004",
                                                    "Feb./29/2004",
                                                    "Feb./30/2004",
                                                    "2004/1/7",
                                                    "2004-03-01",
                                                    "120",
                                                    "250",
                                                    "251",
                                                    "-1",
                                                    "12.5",
                                                    " 80 ",
                                                    "abc",
                                                    "",
                                                    "7:05am",
                                                    "note",
                                                    ",",
                                                    ",,,,",
                                                    "\r",
                                                    std::string("\0", 1),
                                                    "\xFF\xFE",
                                                    "\xE9",
                                                    "\xC3\xA9",
                                                    "Dec./31/9999",
                                                    "Jan./01/0100"};
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(0, 30);
    std::string line;
    const int n = length(rng);
    for (int i = 0; i < n; ++i) {
        line += pieces[pick(rng)];
        if (rng() % 2)
            line += ',';
    }
    return line;
}

} // namespace

TEST(BadInput, RandomFilesKeepTheTableConsistent) {
    std::mt19937 rng(20261207);
    for (int file = 0; file < 400; ++file) {
        std::string text;
        const int lines = static_cast<int>(rng() % 40);
        for (int i = 0; i < lines; ++i)
            text += randomLine(rng) + (rng() % 3 ? "\r\n" : "\n");
        // Some files are pure noise.
        if (file % 5 == 0)
            for (int i = 0; i < 300; ++i)
                text += static_cast<char>(rng() & 0xFF);
        Document doc;
        readDiaryText(doc, text, today);
        expectInvariants(doc);
        // What was read writes out and reads back to the same file, day for day.
        const std::string written = formatDiary(doc.userName(), doc.table());
        Document again;
        readDiaryText(again, written, today);
        ASSERT_EQ(again.table().count(), doc.table().count());
        ASSERT_EQ(formatDiary(again.userName(), again.table()), written);
    }
}

TEST(BadInput, HugeAndDegenerateFiles) {
    Document doc;
    readDiaryText(doc, std::string(50 * 1024 * 1024, 'x'), today);
    EXPECT_EQ(doc.userName().size(), 50u * 1024 * 1024);
    expectInvariants(doc);

    std::string commas =
        "Ann,\r\nJan./05/2004,120," + std::string(100000, ',') + "tail\r\nJan./06/2004,1,\r\n";
    readDiaryText(doc, commas, today);
    ASSERT_EQ(doc.table().count(), 2);
    EXPECT_EQ(doc.table().rowAt(1).column(noteColumn), ",tail");
    expectInvariants(doc);

    // NUL bytes without the mark of a wide form: no text, so no diary.
    const std::string nuls("Ann\0,\r\nJan./05/2004,120,,,\0,,,,,,,,,\0,\r\n", 40);
    EXPECT_EQ(readDiaryText(doc, nuls, today), LoadStatus::NotText);
    EXPECT_EQ(doc.table().count(), 0);
    expectInvariants(doc);

    readDiaryText(doc, "\n\n\n\n", today);
    EXPECT_EQ(doc.userName(), "");
    EXPECT_EQ(doc.table().count(), 0);
    expectInvariants(doc);
}
