// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/diary_merge.h"

#include <gtest/gtest.h>

#include <cctype>

#include <string>
#include <vector>

using namespace tonolog;

namespace {

// A diary's text: the name line, then the days.
std::string diary(const std::string& name, const std::vector<std::string>& days) {
    std::string text = name + ",\r\n";
    for (const std::string& day : days)
        text += day + "\r\n";
    return text;
}

const std::string jan5 = "Jan./05/2004,120,80,60,7:05am,,,,,,,,,,";
const std::string jan5here = "Jan./05/2004,131,80,60,7:05am,,,,,,,,,,";
const std::string jan5there = "Jan./05/2004,120,80,60,7:05am,,,,,,,,,walk,";
const std::string jan6 = "Jan./06/2004,122,81,61,8:00am,,,,,,,,,,";

struct MergeRow {
    const char* what;
    std::string base;   // the file when this window read it
    std::string mine;   // the window now
    std::string theirs; // the file now
    std::string merged;
    std::string otherVersions;
};

class Merge : public testing::TestWithParam<MergeRow> {};

} // namespace

TEST_P(Merge, DayByDayThreeWays) {
    const MergeRow& row = GetParam();
    const DiaryDays base = daysOfText(row.base);
    const DiaryDays mine = daysOfText(row.mine);
    const MergeResult result =
        mergeDiaries(mine, base.name, changesBetween(base, mine), daysOfText(row.theirs));
    EXPECT_EQ(formatDays(result.merged), row.merged);
    EXPECT_EQ(result.otherVersions, row.otherVersions);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Merge,
    testing::Values(
        MergeRow{"a day added on disk is taken", diary("Ann", {jan5}), diary("Ann", {jan5here}),
                 diary("Ann", {jan5, jan6}), diary("Ann", {jan5here, jan6}), ""},
        MergeRow{"a day changed here only is kept", diary("Ann", {jan5, jan6}),
                 diary("Ann", {jan5here, jan6}), diary("Ann", {jan5, jan6}), diary("Ann", {jan5here, jan6}),
                 ""},
        MergeRow{"the same change on both sides is one day", diary("Ann", {jan5}), diary("Ann", {jan5, jan6}),
                 diary("Ann", {jan5, jan6}), diary("Ann", {jan5, jan6}), ""},
        MergeRow{"changed differently on both sides: this window's, the other beside", diary("Ann", {jan5}),
                 diary("Ann", {jan5here}), diary("Ann", {jan5there}), diary("Ann", {jan5here}),
                 diary("Ann", {jan5there})},
        MergeRow{"removed here, changed there: removed, the other beside", diary("Ann", {jan5, jan6}),
                 diary("Ann", {jan6}), diary("Ann", {jan5there, jan6}), diary("Ann", {jan6}),
                 diary("Ann", {jan5there})},
        MergeRow{"removed there only: removed", diary("Ann", {jan5, jan6}), diary("Ann", {jan5, jan6}),
                 diary("Ann", {jan6}), diary("Ann", {jan6}), ""},
        MergeRow{"removed there, changed here: kept", diary("Ann", {jan5}), diary("Ann", {jan5here}),
                 diary("Ann", {}), diary("Ann", {jan5here}), ""},
        MergeRow{"the name changed there only is taken", diary("Ann", {jan5}), diary("Ann", {jan5here}),
                 diary("Ann B.", {jan5}), diary("Ann B.", {jan5here}), ""},
        MergeRow{"the name changed on both sides: this window's, the other beside", diary("Ann", {}),
                 diary("Anna", {}), diary("Ann B.", {}), diary("Anna", {}), diary("Ann B.", {})}),
    [](const testing::TestParamInfo<MergeRow>& rowInfo) {
        std::string name = rowInfo.param.what;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    });
