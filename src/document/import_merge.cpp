// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "import_merge.h"

#include "document.h"
#include "words.h"

#include <algorithm>
#include <map>

namespace tonolog {

namespace {

// How many refused and unfitted readings the summary names one by one.
constexpr std::size_t listedAtMost = 15;

bool slotIsFree(const DayRecord& day, std::size_t slot) {
    return day.sys[slot].empty() && day.dia[slot].empty() && day.pul[slot].empty() && day.time[slot].empty();
}

// Two stored values are the same when both are empty, or both read as the same number, or the
// same text.
bool sameValue(std::string_view a, std::string_view b) {
    if (trimBlanks(a).empty() || trimBlanks(b).empty())
        return trimBlanks(a).empty() && trimBlanks(b).empty();
    const auto x = parseInt16(a), y = parseInt16(b);
    return x && y ? *x == *y : a == b;
}

bool sameTime(std::string_view stored, const ImportedReading& reading) {
    if (reading.minute < 0)
        return trimBlanks(stored) == trimBlanks(reading.time);
    if (trimBlanks(stored).empty())
        return false;
    const auto t = parseTimeOfDay(stored);
    return t ? t->hour * 60 + t->minute == reading.minute : stored == reading.time;
}

bool holdsReading(const DayRecord& day, std::size_t slot, const ImportedReading& reading) {
    return !slotIsFree(day, slot) && sameValue(day.sys[slot], reading.sys) &&
           sameValue(day.dia[slot], reading.dia) && sameValue(day.pul[slot], reading.pul) &&
           sameTime(day.time[slot], reading);
}

// A day's note takes imported notes up to this length; a file of thousands of notes for one day
// would otherwise make every further note a longer search.
constexpr std::size_t longestImportedNote = 64 * 1024;

bool addNote(std::string& dayNote, const std::string& note, ImportPlan& plan) {
    if (note.empty() || dayNote.find(note) != std::string::npos)
        return false;
    if (dayNote.size() + note.size() > longestImportedNote) {
        ++plan.notesLeftOut;
        return false;
    }
    dayNote += dayNote.empty() ? note : "; " + note;
    ++plan.notesAdded;
    return true;
}

struct DayImport {
    std::vector<const ImportedReading*> readings;
    std::vector<const std::string*> notes;
};

// The day's new readings in the order they take the free slots: those with a time by their time,
// then those without one, each in file order.
void orderForSlots(std::vector<const ImportedReading*>& readings) {
    std::stable_sort(readings.begin(), readings.end(),
                     [](const ImportedReading* a, const ImportedReading* b) {
                         const int ka = a->minute < 0 ? 24 * 60 : a->minute;
                         const int kb = b->minute < 0 ? 24 * 60 : b->minute;
                         return ka < kb;
                     });
}

} // namespace

ImportPlan planImport(const ReadingTable& table, const ReadingsRead& read) {
    ImportPlan plan;
    plan.refused = static_cast<int>(read.refused.size());
    plan.notBloodPressure = read.notBloodPressure;
    std::map<std::int32_t, DayImport> byDay;
    for (const ImportedReading& reading : read.readings)
        byDay[reading.date.serial].readings.push_back(&reading);
    for (const ImportedDayNote& note : read.dayNotes)
        byDay[note.date.serial].notes.push_back(&note.note);

    for (auto& [serial, incoming] : byDay) {
        const Date date{serial};
        DayRecord day = dayRecordOf(table, date);
        const bool isNew = table.findByKey(formatDayKey(date)) == 0;
        bool changed = false;
        orderForSlots(incoming.readings);
        // A reading placed, or counted as a duplicate or as not fitting.
        auto place = [&](const ImportedReading& reading, bool ownSlotOnly) {
            for (std::size_t s = 0; s < 3; ++s)
                if (holdsReading(day, s, reading)) {
                    ++plan.duplicates;
                    return true;
                }
            std::size_t slot = 3;
            if (reading.slot >= 1 && reading.slot <= 3 &&
                slotIsFree(day, static_cast<std::size_t>(reading.slot - 1)))
                slot = static_cast<std::size_t>(reading.slot - 1);
            else if (ownSlotOnly)
                return false;
            for (std::size_t s = 0; s < 3 && slot == 3; ++s)
                if (slotIsFree(day, s))
                    slot = s;
            if (slot == 3) {
                plan.didNotFit.push_back(reading);
                return true;
            }
            day.sys[slot] = reading.sys;
            day.dia[slot] = reading.dia;
            day.pul[slot] = reading.pul;
            day.time[slot] = reading.time;
            ++plan.imported;
            changed = true;
            addNote(day.note, reading.note, plan);
            return true;
        };
        // Readings that name their slot (Tonolog's own file) take it first, while it is free.
        std::vector<const ImportedReading*> rest;
        for (const ImportedReading* reading : incoming.readings)
            if (reading->slot == 0 || !place(*reading, true))
                rest.push_back(reading);
        for (const ImportedReading* reading : rest)
            place(*reading, false);
        for (const std::string* note : incoming.notes)
            changed = addNote(day.note, *note, plan) || changed;
        if (!changed)
            continue;
        plan.daysAdded += isNew ? 1 : 0;
        plan.days.push_back(std::move(day));
    }
    plan.tooManyDays = table.count() + plan.daysAdded > ReadingTable::maxRows;
    return plan;
}

bool applyImport(Document& document, const ImportPlan& plan, DateTime now) {
    if (plan.tooManyDays)
        return false;
    for (const DayRecord& day : plan.days)
        document.putDay(day, false, now);
    return true;
}

std::string readingText(const ImportedReading& reading) {
    std::string text = formatIsoDate(reading.date);
    text += ' ';
    text += reading.time.empty() ? translated(QT_TRANSLATE_NOOP("Tonolog", "(no time)")) : reading.time;
    text += ' ';
    text += (reading.sys.empty() ? "-" : reading.sys) + "/" + (reading.dia.empty() ? "-" : reading.dia);
    if (!reading.pul.empty())
        text += ' ' + reading.pul;
    return text;
}

std::string importSummary(const ImportPlan& plan, const ReadingsRead& read) {
    auto count = [](const char* text, int n) { return translatedWith(text, {std::to_string(n)}) + "\n"; };
    if (plan.tooManyDays)
        return translated(QT_TRANSLATE_NOOP("Tonolog", "Nothing was imported: the diary would then hold more "
                                                       "than 32,767 days, more than it can keep.")) +
               "\n";
    std::string out;
    out += count(QT_TRANSLATE_NOOP("Tonolog", "Readings imported: %1"), plan.imported);
    out += count(QT_TRANSLATE_NOOP("Tonolog", "Days added: %1"), plan.daysAdded);
    out += count(QT_TRANSLATE_NOOP("Tonolog", "Duplicates skipped: %1"), plan.duplicates);
    if (plan.notBloodPressure > 0)
        out += count(QT_TRANSLATE_NOOP("Tonolog", "Rows without a blood pressure skipped: %1"),
                     plan.notBloodPressure);
    if (plan.notesLeftOut > 0)
        out += count(QT_TRANSLATE_NOOP("Tonolog", "Notes left out (the day's note is already very long): %1"),
                     plan.notesLeftOut);
    out += count(QT_TRANSLATE_NOOP("Tonolog", "Readings refused: %1"), plan.refused);
    for (std::size_t i = 0; i < read.refused.size() && i < listedAtMost; ++i)
        out += "    " +
               translatedWith(QT_TRANSLATE_NOOP("Tonolog", "Line %1: %2"),
                              {std::to_string(read.refused[i].line), read.refused[i].why}) +
               "\n";
    if (read.refused.size() > listedAtMost)
        out += "    " + count(QT_TRANSLATE_NOOP("Tonolog", "and %1 more"),
                              static_cast<int>(read.refused.size() - listedAtMost));
    out += count(
        QT_TRANSLATE_NOOP("Tonolog", "Readings that did not fit (the day's three places were taken): %1"),
        static_cast<int>(plan.didNotFit.size()));
    for (std::size_t i = 0; i < plan.didNotFit.size() && i < listedAtMost; ++i)
        out += "    " + readingText(plan.didNotFit[i]) + "\n";
    if (plan.didNotFit.size() > listedAtMost)
        out += "    " + count(QT_TRANSLATE_NOOP("Tonolog", "and %1 more"),
                              static_cast<int>(plan.didNotFit.size() - listedAtMost));
    return out;
}

} // namespace tonolog
