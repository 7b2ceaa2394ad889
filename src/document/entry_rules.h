// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

// The rules of a day's entry that need no window: which texts are faults, the message that lists
// them, and how stored texts are shown.
namespace tonolog {

// What is wrong with the values of one reading: a text that is no whole number, or one beyond
// 0 to 250.
struct ReadingFaults {
    bool badSys = false;
    bool badDia = false;
    bool badPul = false;
    bool sysRange = false;
    bool diaRange = false;
    bool pulRange = false;
    bool operator==(const ReadingFaults&) const = default;
};

// What is wrong with a day's entry: the date, and each reading.
struct EntryFaults {
    bool badDate = false;
    std::array<ReadingFaults, 3> readings{};
    bool any() const { return *this != EntryFaults{}; }
    bool operator==(const EntryFaults&) const = default;
};

struct EntryTexts {
    std::string date;
    std::array<std::string, 3> sys;
    std::array<std::string, 3> dia;
    std::array<std::string, 3> pul;
};

// A blank box is valid; a value must be a whole number from 0 to 250. Times, the note and the
// name are not checked.
EntryFaults checkEntry(const EntryTexts& entry);

// One line per kind of fault, in a fixed order, each ended by a line break.
std::string entryErrorMessage(const EntryFaults& faults);

// A box of the entry that holds a fault, and what is wrong with it, in the words of the message.
struct BoxFault {
    enum Box { date, sys, dia, pul };
    Box box = date;
    int reading = 0; // 0..2; 0 for the date
    std::string text;
};
// The faulty boxes in the order the focus meets them: the date, then each reading's SYS, DIA and
// PUL.
std::vector<BoxFault> boxFaults(const EntryFaults& faults);

// A stored reading as the Diary page shows it: a number without leading zeros or blanks (075
// shows 75); a text that is not a number is shown as it is stored.
std::string displayedReading(std::string_view stored);
// A stored time in the 12-hour form (13:05 shows 1:05pm); a text that is not a time is shown as
// it is stored.
std::string displayedTime(std::string_view stored);

} // namespace tonolog
