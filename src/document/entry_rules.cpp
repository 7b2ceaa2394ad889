// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "entry_rules.h"

#include "conversions.h"
#include "dates.h"
#include "words.h"

#include <algorithm>

namespace tonolog {

namespace {

// A blank box is valid; otherwise a whole number, from 0 to 250.
void checkValue(const std::string& text, bool& bad, bool& outOfRange) {
    const auto value = parseInt16(text);
    if (value)
        outOfRange = *value < 0 || *value > 250;
    else
        bad = !text.empty();
}

} // namespace

EntryFaults checkEntry(const EntryTexts& entry) {
    EntryFaults faults;
    faults.badDate = entry.date.empty() || !parseDate(entry.date);
    for (std::size_t i = 0; i < 3; ++i) {
        ReadingFaults& f = faults.readings[i];
        checkValue(entry.sys[i], f.badSys, f.sysRange);
        checkValue(entry.dia[i], f.badDia, f.diaRange);
        checkValue(entry.pul[i], f.badPul, f.pulRange);
    }
    return faults;
}

std::string entryErrorMessage(const EntryFaults& faults) {
    std::string message;
    if (faults.badDate)
        message += translated(QT_TRANSLATE_NOOP("Tonolog", "Invalid date.")) + "\n";
    struct Line {
        bool ReadingFaults::*fault;
        const char* text;
    };
    static constexpr Line lines[] = {
        {&ReadingFaults::badSys, QT_TRANSLATE_NOOP("Tonolog", "Invalid SYS.")},
        {&ReadingFaults::badDia, QT_TRANSLATE_NOOP("Tonolog", "Invalid DIA.")},
        {&ReadingFaults::badPul, QT_TRANSLATE_NOOP("Tonolog", "Invalid PUL.")},
        {&ReadingFaults::sysRange, QT_TRANSLATE_NOOP("Tonolog", "Range of SYS is 0 to 250.")},
        {&ReadingFaults::diaRange, QT_TRANSLATE_NOOP("Tonolog", "Range of DIA is 0 to 250.")},
        {&ReadingFaults::pulRange, QT_TRANSLATE_NOOP("Tonolog", "Range of PUL is 0 to 250.")}};
    for (const Line& line : lines)
        if (std::any_of(faults.readings.begin(), faults.readings.end(),
                        [&](const ReadingFaults& r) { return r.*line.fault; })) {
            message += translated(line.text);
            message += "\n";
        }
    return message;
}

std::vector<BoxFault> boxFaults(const EntryFaults& faults) {
    std::vector<BoxFault> found;
    if (faults.badDate)
        found.push_back({BoxFault::date, 0, translated(QT_TRANSLATE_NOOP("Tonolog", "Invalid date."))});
    for (int i = 0; i < 3; ++i) {
        const ReadingFaults& r = faults.readings[static_cast<std::size_t>(i)];
        if (r.badSys || r.sysRange)
            found.push_back(
                {BoxFault::sys, i,
                 translated(r.badSys ? QT_TRANSLATE_NOOP("Tonolog", "Invalid SYS.")
                                     : QT_TRANSLATE_NOOP("Tonolog", "Range of SYS is 0 to 250."))});
        if (r.badDia || r.diaRange)
            found.push_back(
                {BoxFault::dia, i,
                 translated(r.badDia ? QT_TRANSLATE_NOOP("Tonolog", "Invalid DIA.")
                                     : QT_TRANSLATE_NOOP("Tonolog", "Range of DIA is 0 to 250."))});
        if (r.badPul || r.pulRange)
            found.push_back(
                {BoxFault::pul, i,
                 translated(r.badPul ? QT_TRANSLATE_NOOP("Tonolog", "Invalid PUL.")
                                     : QT_TRANSLATE_NOOP("Tonolog", "Range of PUL is 0 to 250."))});
    }
    return found;
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
