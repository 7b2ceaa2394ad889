#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The rules of a day's entry that need no window: which texts are faults, the message that lists
// them, and how stored texts are shown.
namespace tonolog {

// Word 0 is the date, word i + 1 reading i.
using EntryErrorWords = std::array<std::int16_t, 4>;

namespace entryError {
inline constexpr std::int16_t badDate = 0x01;
inline constexpr std::int16_t badSys = 0x02;
inline constexpr std::int16_t badDia = 0x04;
inline constexpr std::int16_t badPul = 0x08;
inline constexpr std::int16_t sysRange = 0x20;
inline constexpr std::int16_t diaRange = 0x40;
inline constexpr std::int16_t pulRange = 0x80;
} // namespace entryError

struct EntryTexts {
    std::string date;
    std::array<std::string, 3> sys;
    std::array<std::string, 3> dia;
    std::array<std::string, 3> pul;
};

// A blank box is valid; a value must be a whole number from 0 to 250. Times, the note and the
// name are not checked.
EntryErrorWords checkEntry(const EntryTexts& entry);

// The four words as eight characters: each word's upper-case hex digits right-aligned in two
// characters ("  2200 1" style, a word below 16 as a blank and one digit).
std::string formatErrorWords(const EntryErrorWords& words);
EntryErrorWords readErrorWords(std::string_view text);

// One line per kind of fault, in a fixed order, each ended by CR LF.
std::string entryErrorMessage(const EntryErrorWords& words);

// A stored reading as the Diary page shows it: a number without leading zeros or blanks (075
// shows 75); a text that is not a number is shown as it is stored.
std::string displayedReading(std::string_view stored);
// A stored time in the 12-hour form (13:05 shows 1:05pm); a text that is not a time is shown as
// it is stored.
std::string displayedTime(std::string_view stored);

} // namespace tonolog
