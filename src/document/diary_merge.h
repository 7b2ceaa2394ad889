// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tonolog {

// A diary as its lines: the owner's name, and each day's lines as the file holds them.
struct DiaryDays {
    std::string name;
    std::map<std::int32_t, std::string> days; // day number: the day's lines, each ended by CR LF
    std::vector<LineNotRead> linesNotRead;    // of a diary read from a text
    // Of a diary read from a text: whether the text was a whole diary. A text with no name line
    // at all (an empty file, one cut off at its start) is none, nor is one that is no text or
    // holds more days than a diary can.
    bool whole = true;
};

DiaryDays daysOf(const std::string& userName, const ReadingTable& table);
// The diary a file's bytes hold, as the reader takes it.
DiaryDays daysOfText(std::string_view bytes);
// The file's text of the diary: the name line, then the days in order.
std::string formatDays(const DiaryDays& diary);

// What changed from one diary to another, as the window's ChangesHere keeps it.
ChangesHere changesBetween(const DiaryDays& before, const DiaryDays& after);

// Three ways, day by day: the diary here (`mine`, with what changed here since the file was read
// or written: `nameInFile` and `here`) and the file as it is now (`theirs`). A day changed only in
// the file is taken from it; a day changed only here is kept; a day changed on both sides the
// same way is one day; a day changed differently on both sides keeps this window's version, and
// the file's version goes to `otherVersions`. The owner's name likewise.
struct MergeResult {
    DiaryDays merged;
    // The file's versions of what both sides changed differently, as a diary file (their name
    // line, then those days); empty when there are none.
    std::string otherVersions;
    int takenFromFile = 0; // days added or changed only in the file
    int removedInFile = 0; // days removed only in the file
    int keptFromHere = 0;  // days changed only here
    int changedOnBoth = 0; // days changed differently on both sides
    bool nameTakenFromFile = false;
    bool nameChangedOnBoth = false;

    // Whether the file holds anything this window does not know of.
    bool fileChanged() const {
        return takenFromFile > 0 || removedInFile > 0 || changedOnBoth > 0 || nameTakenFromFile ||
               nameChangedOnBoth;
    }
};

MergeResult mergeDiaries(const DiaryDays& mine, const std::string& nameInFile, const ChangesHere& here,
                         const DiaryDays& theirs);

// What the file of a named document holds now, beside what the document knows of it.
struct FileCheck {
    // same: nothing to take in (`read`, when it is known, is the file's identity now); gone: not
    // there or not readable, a save writes it anew or says why not; notWhole: it can no longer be
    // read as a whole diary; changed: another program wrote it, `merge` says what taking it in does.
    enum class Found { same, gone, notWhole, changed };
    Found found = Found::same;
    FileIdentity read;
    DiaryDays theirs;
    MergeResult merge;
};
// Only the file's status is looked at while it tells nothing changed; the file is read only when
// it does. Without `withChangesHere` the document counts as unchanged since the file was read.
FileCheck checkFileOf(const Document& document, bool withChangesHere = true);

} // namespace tonolog
