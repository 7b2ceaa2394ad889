#include "entry_rules.h"

#include "conversions.h"
#include "dates.h"

namespace tonolog {

namespace {

std::int16_t checkValue(const std::string& text, std::int16_t invalidBit, std::int16_t rangeBit) {
    const auto value = parseInt16(text);
    if (value)
        return *value < 0 || *value > 250 ? rangeBit : std::int16_t{0};
    return text.empty() ? std::int16_t{0} : invalidBit;
}

} // namespace

EntryErrorWords checkEntry(const EntryTexts& entry) {
    EntryErrorWords words{};
    if (entry.date.empty() || !parseDate(entry.date))
        words[0] = entryError::badDate;
    for (std::size_t i = 0; i < 3; ++i) {
        std::int16_t word = 0;
        word = static_cast<std::int16_t>(word |
                                         checkValue(entry.sys[i], entryError::badSys, entryError::sysRange));
        word = static_cast<std::int16_t>(word |
                                         checkValue(entry.dia[i], entryError::badDia, entryError::diaRange));
        word = static_cast<std::int16_t>(word |
                                         checkValue(entry.pul[i], entryError::badPul, entryError::pulRange));
        words[i + 1] = word;
    }
    return words;
}

std::string formatErrorWords(const EntryErrorWords& words) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text;
    for (std::int16_t word : words) {
        const int value = word & 0xFF;
        text += value < 16 ? ' ' : digits[value >> 4];
        text += digits[value & 0xF];
    }
    return text;
}

EntryErrorWords readErrorWords(std::string_view text) {
    EntryErrorWords words{};
    for (std::size_t k = 0; k < 4 && 2 * k + 1 < text.size(); ++k) {
        int value = 0;
        for (char c : text.substr(2 * k, 2)) {
            if (c == ' ')
                continue;
            const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : 0;
            value = value * 16 + digit;
        }
        words[k] = static_cast<std::int16_t>(value);
    }
    return words;
}

std::string entryErrorMessage(const EntryErrorWords& words) {
    const auto anyReading = [&words](std::int16_t bit) {
        return (words[1] & bit) != 0 || (words[2] & bit) != 0 || (words[3] & bit) != 0;
    };
    std::string message;
    if (words[0] == entryError::badDate)
        message += "Invalid date.\n";
    struct Line {
        std::int16_t bit;
        const char* text;
    };
    static constexpr Line lines[] = {{entryError::badSys, "Invalid SYS."},
                                     {entryError::badDia, "Invalid DIA."},
                                     {entryError::badPul, "Invalid PUL."},
                                     {entryError::sysRange, "Range of SYS is 0 to 250."},
                                     {entryError::diaRange, "Range of DIA is 0 to 250."},
                                     {entryError::pulRange, "Range of PUL is 0 to 250."}};
    for (const Line& line : lines)
        if (anyReading(line.bit)) {
            message += line.text;
            message += "\n";
        }
    return message;
}

std::string displayedReading(std::string_view stored) {
    if (stored.empty())
        return {};
    if (const auto value = parseInt16(stored))
        return std::to_string(*value);
    return std::string(stored);
}

std::string displayedTime(std::string_view stored) {
    if (stored.empty())
        return {};
    if (const auto time = parseTimeOfDay(stored))
        return formatTime12(*time);
    return std::string(stored);
}

} // namespace tonolog
