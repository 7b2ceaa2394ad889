// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "import_readings.h"
#include "reading_table.h"

#include <string>
#include <vector>

// Readings read from another program's file, put into the diary: a reading already in the diary
// is never changed or moved; new readings take the free slots of their day, earliest first.
namespace tonolog {

class Document;

// What an import will do (and, applied, did).
struct ImportPlan {
    std::vector<DayRecord> days; // the days as they will be, in date order
    int imported = 0;            // readings put into a slot
    int daysAdded = 0;           // days the diary had no row for
    int duplicates = 0;          // readings the day already holds
    int notesAdded = 0;
    int notesLeftOut = 0;                   // the day's note had grown too long to take more
    std::vector<ImportedReading> didNotFit; // the day's three slots were taken
    int refused = 0;                        // from the file, with their reasons in ReadingsRead
    int notBloodPressure = 0;
    bool tooManyDays = false; // the diary would hold more than 32,767 days: nothing is imported
    bool changesNothing() const { return days.empty() || tooManyDays; }
};

// What importing the readings into the table would do; the table is not changed.
ImportPlan planImport(const ReadingTable& table, const ReadingsRead& read);

// Puts the plan's days into the document as one change (it is then unsaved). False, and nothing
// changed, when the plan is refused for the number of days.
bool applyImport(Document& document, const ImportPlan& plan, DateTime now);

// The summary of the plan for the message after the import, in plain words: readings imported,
// days added, duplicates skipped, readings refused and why, readings that did not fit.
std::string importSummary(const ImportPlan& plan, const ReadingsRead& read);

// A reading as the summary lists it: "2025-01-12 8:12am 114/74 47".
std::string readingText(const ImportedReading& reading);

} // namespace tonolog
