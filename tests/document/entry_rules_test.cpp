// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/entry_rules.h"

#include <gtest/gtest.h>

using namespace tonolog;

namespace {

EntryTexts valid() {
    EntryTexts e;
    e.date = "Jan./05/2004";
    return e;
}

std::string messageFor(const EntryTexts& e) {
    return entryErrorMessage(checkEntry(e));
}

} // namespace

TEST(EntryRules, ValuesAtTheEdgesAndFaults) {
    struct Case {
        const char* sys;
        const char* message;
    };
    for (const Case& c :
         {Case{"0", ""}, Case{"250", ""}, Case{"", ""}, Case{"12.7", ""}, Case{" 80 ", ""},
          Case{"251", "Range of SYS is 0 to 250.\n"}, Case{"-1", "Range of SYS is 0 to 250.\n"},
          Case{"abc", "Invalid SYS.\n"}, Case{"40000", "Invalid SYS.\n"}, Case{"   ", "Invalid SYS.\n"},
          Case{"250.6", "Range of SYS is 0 to 250.\n"}}) {
        EntryTexts e = valid();
        e.sys[1] = c.sys;
        EXPECT_EQ(messageFor(e), c.message) << c.sys;
    }
}

TEST(EntryRules, OneLinePerKindInTheFixedOrder) {
    EntryTexts e = valid();
    e.sys[0] = "x";
    e.sys[2] = "y";
    e.dia[1] = "300";
    EXPECT_EQ(messageFor(e), "Invalid SYS.\nRange of DIA is 0 to 250.\n");

    e = valid();
    e.date = "";
    EXPECT_EQ(messageFor(e), "Invalid date.\n");
    e.date = "Feb./30/2004";
    e.pul[0] = "999";
    e.dia[2] = "d";
    e.pul[1] = "p";
    e.sys[0] = "-5";
    e.dia[0] = "251";
    EXPECT_EQ(messageFor(e), "Invalid date.\nInvalid DIA.\nInvalid PUL.\nRange of SYS is 0 to 250.\n"
                             "Range of DIA is 0 to 250.\nRange of PUL is 0 to 250.\n");
}

TEST(EntryRules, FaultsByReading) {
    EntryTexts e = valid();
    e.date = "bad";
    e.sys[0] = "x";
    e.dia[0] = "300";
    e.pul[2] = "-1";
    EntryFaults expected;
    expected.badDate = true;
    expected.readings[0].badSys = true;
    expected.readings[0].diaRange = true;
    expected.readings[2].pulRange = true;
    EXPECT_EQ(checkEntry(e), expected);
    EXPECT_FALSE(checkEntry(valid()).any());
}

TEST(EntryRules, StoredTextsAsShown) {
    EXPECT_EQ(displayedReading("075"), "75");
    EXPECT_EQ(displayedReading("12.7"), "13");
    EXPECT_EQ(displayedReading(""), "");
    EXPECT_EQ(displayedReading("12x"), "12x");
    EXPECT_EQ(displayedTime("00:10"), "12:10am");
    EXPECT_EQ(displayedTime("12:00"), "12:00pm");
    EXPECT_EQ(displayedTime("13:05"), "1:05pm");
    EXPECT_EQ(displayedTime("09:30"), "9:30am");
    EXPECT_EQ(displayedTime("7:05am"), "7:05am");
    EXPECT_EQ(displayedTime("whenever"), "whenever");
}
