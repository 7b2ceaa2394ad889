// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "diary_merge.h"

#include "data_file.h"

namespace tonolog {

DiaryDays daysOf(const std::string& userName, const ReadingTable& table) {
    DiaryDays diary;
    diary.name = userName;
    for (int position = 1; position <= table.count(); ++position) {
        const auto day = table.dayOf(position);
        if (day)
            appendDayLine(diary.days[day->serial], table, position);
    }
    return diary;
}

DiaryDays daysOfText(std::string_view bytes) {
    Document read;
    const LoadStatus status = readDiaryText(read, bytes, zeroDate);
    DiaryDays diary = daysOf(read.userName(), read.table());
    diary.linesNotRead = read.linesNotRead();
    diary.whole =
        status == LoadStatus::Loaded && bytes.find_first_not_of("\xEF\xBB\xBF") != std::string_view::npos;
    return diary;
}

std::string formatDays(const DiaryDays& diary) {
    ReadingTable none;
    std::string text = formatDiary(diary.name, none);
    for (const auto& [day, lines] : diary.days)
        text += lines;
    return text;
}

ChangesHere changesBetween(const DiaryDays& before, const DiaryDays& after) {
    ChangesHere changes;
    const auto linesIn = [](const DiaryDays& diary, std::int32_t day) {
        const auto found = diary.days.find(day);
        return found == diary.days.end() ? std::string() : found->second;
    };
    for (const DiaryDays* side : {&before, &after})
        for (const auto& [day, lines] : side->days)
            if (linesIn(before, day) != linesIn(after, day))
                changes.daysAsInFile.try_emplace(day, linesIn(before, day));
    return changes;
}

namespace {

enum class Side { same, file, here, both };

// Which side changed a value, given how the file had it when this window last read or wrote it.
Side changedBy(const std::string& base, const std::string& mine, const std::string& theirs) {
    if (mine == theirs)
        return Side::same;
    if (base == mine)
        return Side::file;
    if (base == theirs)
        return Side::here;
    return Side::both;
}

} // namespace

MergeResult mergeDiaries(const DiaryDays& mine, const std::string& nameInFile, const ChangesHere& here,
                         const DiaryDays& theirs) {
    MergeResult result;
    result.merged.name = mine.name;
    std::string otherName = theirs.name;
    switch (changedBy(nameInFile, mine.name, theirs.name)) {
    case Side::file:
        result.merged.name = theirs.name;
        result.nameTakenFromFile = true;
        break;
    case Side::both:
        result.nameChangedOnBoth = true;
        break;
    default:
        break;
    }

    std::map<std::int32_t, bool> days;
    for (const auto& [day, lines] : mine.days)
        days[day] = true;
    for (const auto& [day, lines] : theirs.days)
        days[day] = true;
    for (const auto& [day, lines] : here.daysAsInFile)
        days[day] = true;
    const std::string none;
    std::string otherDays;
    for (const auto& [day, unused] : days) {
        const auto m = mine.days.find(day);
        const auto t = theirs.days.find(day);
        const auto b = here.daysAsInFile.find(day);
        const std::string& mineLines = m == mine.days.end() ? none : m->second;
        const std::string& theirLines = t == theirs.days.end() ? none : t->second;
        // A day not changed here is in the file as it is here.
        const std::string& base = b == here.daysAsInFile.end() ? mineLines : b->second;
        std::string kept = mineLines;
        switch (changedBy(base, mineLines, theirLines)) {
        case Side::same:
            break;
        case Side::file:
            kept = theirLines;
            ++(theirLines.empty() ? result.removedInFile : result.takenFromFile);
            break;
        case Side::here:
            ++result.keptFromHere;
            break;
        case Side::both:
            // A day removed there and changed here leaves nothing of the other side to keep.
            if (theirLines.empty()) {
                ++result.keptFromHere;
                break;
            }
            ++result.changedOnBoth;
            otherDays += theirLines;
            break;
        }
        if (!kept.empty())
            result.merged.days.emplace(day, std::move(kept));
    }
    if (result.changedOnBoth > 0 || result.nameChangedOnBoth)
        result.otherVersions = formatDays(DiaryDays{otherName, {}, {}}) + otherDays;
    return result;
}

FileCheck checkFileOf(const Document& document, bool withChangesHere) {
    FileCheck check;
    const auto now = identityOf(document.path());
    if (!now)
        check.found = FileCheck::Found::gone;
    if (!now || document.diskIdentity().sameStatus(*now))
        return check;
    const auto bytes = readWholeFile(document.path(), nullptr, &check.read);
    if (!bytes) {
        check.found = FileCheck::Found::gone;
        return check;
    }
    // Only its time changed (touched, or written again with the same bytes).
    if (document.diskIdentity().known && check.read.hash == document.diskIdentity().hash)
        return check;
    check.theirs = daysOfText(*bytes);
    if (!check.theirs.whole) {
        check.found = FileCheck::Found::notWhole;
        return check;
    }
    check.merge = mergeDiaries(daysOf(document.userName(), document.table()), document.nameInFile(),
                               withChangesHere ? document.changesHere() : ChangesHere{}, check.theirs);
    if (check.merge.fileChanged() || !check.theirs.linesNotRead.empty())
        check.found = FileCheck::Found::changed;
    return check;
}

} // namespace tonolog
