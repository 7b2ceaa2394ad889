// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/conversions.h"

#include <limits>

#include <gtest/gtest.h>

using namespace tonolog;

struct IntCase {
    const char* text;
    std::optional<std::int16_t> expected;
};

class ParseInt16 : public ::testing::TestWithParam<IntCase> {};

TEST_P(ParseInt16, ConvertsOrFails) {
    const auto& c = GetParam();
    EXPECT_EQ(parseInt16(c.text), c.expected) << "text: '" << c.text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ParseInt16,
    ::testing::Values(
        // halves go to the even neighbour
        IntCase{"0.5", 0}, IntCase{"1.5", 2}, IntCase{"2.5", 2}, IntCase{"3.5", 4}, IntCase{"-0.5", 0},
        IntCase{"-1.5", -2}, IntCase{"-2.5", -2}, IntCase{"522.5", 522}, IntCase{"523.5", 524},
        // just above or below a half is not a half
        IntCase{"2.5000001", 3}, IntCase{"2.4999999", 2}, IntCase{"2.50000", 2}, IntCase{"12.7", 13},
        IntCase{"12.2", 12}, IntCase{"128", 128}, IntCase{"075", 75}, IntCase{"+5", 5}, IntCase{"-1", -1},
        IntCase{".5", 0}, IntCase{".6", 1}, IntCase{"12.", 12},
        // blanks around the number only
        IntCase{" 128 ", 128}, IntCase{"\t7\t", 7}, IntCase{"1 28", std::nullopt}, IntCase{"", std::nullopt},
        IntCase{"   ", std::nullopt},
        // the 16-bit range
        IntCase{"32767", 32767}, IntCase{"32768", std::nullopt}, IntCase{"-32768", -32768},
        IntCase{"-32769", std::nullopt}, IntCase{"32767.5", std::nullopt}, IntCase{"32766.5", 32766},
        IntCase{"-32768.5", -32768}, IntCase{"40000", std::nullopt},
        IntCase{"99999999999999999999999", std::nullopt},
        // anything else
        IntCase{"abc", std::nullopt}, IntCase{"12x", std::nullopt}, IntCase{"1e2", std::nullopt},
        IntCase{".", std::nullopt}, IntCase{"-", std::nullopt}, IntCase{"1,000", std::nullopt},
        IntCase{"--1", std::nullopt}, IntCase{"1.2.3", std::nullopt}));

TEST(RoundToInt16, HalvesToEvenAndRange) {
    EXPECT_EQ(roundToInt16(522.5), 522);
    EXPECT_EQ(roundToInt16(523.5), 524);
    EXPECT_EQ(roundToInt16(-0.5), 0);
    EXPECT_EQ(roundToInt16(32767.4), 32767);
    EXPECT_EQ(roundToInt16(32767.5), std::nullopt);
    EXPECT_EQ(roundToInt16(-32768.5), -32768);
    EXPECT_EQ(roundToInt16(1.0 / 0.0), std::nullopt);
}

// Screen coordinates round the same way, without the 16-bit limit.
TEST(RoundToInt, HalvesToEvenBeyondSixteenBits) {
    EXPECT_EQ(roundToInt(522.5), 522);
    EXPECT_EQ(roundToInt(-2.5), -2);
    EXPECT_EQ(roundToInt(-3.5), -4);
    EXPECT_EQ(roundToInt(57600.5), 57600);
    EXPECT_EQ(roundToInt(1e300), std::numeric_limits<int>::max());
    EXPECT_EQ(roundClampedToInt16(522.5), 522);
    EXPECT_EQ(roundClampedToInt16(40000.2), 32767);
    EXPECT_EQ(roundClampedToInt16(-40000.2), -32768);
}

TEST(TimeOfDay, ReadsTwentyFourHourAndTwelveHourForms) {
    auto t = parseTimeOfDay("13:05");
    ASSERT_TRUE(t);
    EXPECT_EQ(t->hour, 13);
    EXPECT_EQ(t->minute, 5);
    t = parseTimeOfDay("12:30am");
    ASSERT_TRUE(t);
    EXPECT_EQ(t->hour, 0);
    t = parseTimeOfDay("12:30 PM");
    ASSERT_TRUE(t);
    EXPECT_EQ(t->hour, 12);
    t = parseTimeOfDay("7pm");
    ASSERT_TRUE(t);
    EXPECT_EQ(t->hour, 19);
    t = parseTimeOfDay(" 9:30:15 ");
    ASSERT_TRUE(t);
    EXPECT_EQ(t->second, 15);
    for (const char* bad :
         {"", "xyz", "24:00", "12:60", "7", "13:00pm", "0:10am", "7:5:", "7:05x", "1:2:3:4"})
        EXPECT_FALSE(parseTimeOfDay(bad)) << bad;
}

TEST(TimeOfDay, TwelveHourFormAndNormalisation) {
    EXPECT_EQ(formatTime12({14, 7, 0}), "2:07pm");
    EXPECT_EQ(formatTime12({0, 10, 0}), "12:10am");
    EXPECT_EQ(formatTime12({12, 0, 0}), "12:00pm");
    EXPECT_EQ(normaliseTimeText("13:05"), "1:05pm");
    EXPECT_EQ(normaliseTimeText("0:00"), "12:00am");
    EXPECT_EQ(normaliseTimeText("0:20"), "12:20am");
    EXPECT_EQ(normaliseTimeText("9:30"), "9:30am");
    EXPECT_EQ(normaliseTimeText("12:00"), "12:00pm");
    EXPECT_EQ(normaliseTimeText("xyz"), "xyz");
    EXPECT_EQ(normaliseTimeText(""), "");
}

TEST(TimeOfDay, EveryWrittenTimeReadsBack) {
    for (int h = 0; h < 24; ++h)
        for (int m = 0; m < 60; ++m) {
            const std::string text = formatTime12({h, m, 0});
            const auto back = parseTimeOfDay(text);
            ASSERT_TRUE(back) << text;
            EXPECT_EQ(back->hour, h) << text;
            EXPECT_EQ(back->minute, m) << text;
            EXPECT_EQ(normaliseTimeText(text), text);
        }
}
