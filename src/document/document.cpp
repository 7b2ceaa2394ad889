// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document.h"

#include "data_file.h"
#include "messages.h"

#include <algorithm>

namespace tonolog {

namespace {

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Keeps a recalled backup of more than 32767 days whole under another name, before the next commit
// rewrites the backup with the first 32767; its path, or empty when it could not be written.
std::string keepCompleteBackup(const std::string& backupPath) {
    const auto bytes = readWholeFile(backupPath);
    if (!bytes)
        return {};
    for (int n = 1; n < 1000; ++n) {
        const std::string path = backupPath + " (complete" + (n > 1 ? " " + std::to_string(n) : "") + ").tnl";
        if (fileExists(path))
            continue;
        if (writeFileAtomically(path, *bytes))
            return {};
        return path;
    }
    return {};
}

} // namespace

Document::Document(std::string backupPath) : backupPath_(std::move(backupPath)) {}

std::string Document::fileName() const {
    return path_.substr(folderOf(path_).size());
}

std::string Document::folder() const {
    return folderOf(path_);
}

std::string Document::backupFolder() const {
    return folderOf(backupPath_);
}

void Document::setTrendWindow(Date start) {
    trendWindowStart_ = start;
    trendWindowEnd_ = windowEndFor(start);
}

void Document::widenDayRange(Date date) {
    const DateTime day = DateTime::atMidnight(date);
    if (day < firstDay_)
        firstDay_ = day;
    if (day > lastDay_)
        lastDay_ = day;
}

void Document::reset(DateTime now) {
    table_.clear();
    userName_.clear();
    firstDay_ = lastDay_ = now;
    listTopIndex_ = 1;
    setTrendWindowToMonthOf(now.date);
    path_.clear();
    dirty_ = false;
    markInStepWithFile({});
    linesNotRead_.clear();
    linesNotReadFrom_.clear();
}

DayRecord Document::dayRecord(Date day) const {
    return dayRecordOf(table_, day);
}

PutResult Document::putDay(const DayRecord& day, bool holdsNothing, DateTime now) {
    const std::string key = formatDayKey(day.date);
    noteDayChangedHere(day.date);
    dirty_ = true;
    const int position = table_.findByKey(key);
    widenDayRange(day.date);
    if (position != 0 && !holdsNothing) {
        table_.setKey(position, key);
        for (std::size_t i = 0; i < 3; ++i) {
            const int base = static_cast<int>(4 * i);
            table_.setSubColumn(position, base + 1, day.sys[i]);
            table_.setSubColumn(position, base + 2, day.dia[i]);
            table_.setSubColumn(position, base + 3, day.pul[i]);
            table_.setSubColumn(position, base + 4, day.time[i]);
        }
        table_.setSubColumn(position, noteColumn, day.note);
        table_.setSubColumn(position, dayNumberColumn, formatDayNumber(day.date));
        return PutResult::put;
    }
    if (position != 0) {
        removeDayRow(position, day.date, now);
        return PutResult::removed;
    }
    if (holdsNothing)
        return PutResult::put;
    return addRowFromRecord(table_, day, table_.count() + 1, key) == 0 ? PutResult::full : PutResult::put;
}

// A day with no value has no row. The earliest or latest day going narrows the range of days, and
// the Trend and List pages stay on the data.
void Document::removeDayRow(int position, Date date, DateTime now) {
    const DateTime day = DateTime::atMidnight(date);
    if (day != firstDay_ && day != lastDay_) {
        table_.remove(position);
        return;
    }
    bool firstChanged = false;
    bool lastChanged = false;
    if (table_.count() == 1) {
        firstDay_ = lastDay_ = now;
        firstChanged = lastChanged = true;
    } else if (day == firstDay_) {
        // The earliest day goes: the next row becomes the first.
        const int next = position == 1 ? 2 : 1;
        firstDay_ = DateTime::atMidnight(parseDate(table_.rowAt(next).key()).value_or(date));
        firstChanged = true;
    } else {
        const int previous = position > 1 ? position - 1 : 2;
        lastDay_ = DateTime::atMidnight(parseDate(table_.rowAt(previous).key()).value_or(date));
        lastChanged = true;
    }
    if (firstChanged && firstDay_.date > trendWindowEnd_)
        setTrendWindowToMonthOf(firstDay_.date);
    else if (lastChanged && lastDay_.date < trendWindowStart_)
        setTrendWindowToMonthOf(lastDay_.date);
    if (position <= listTopIndex_ + 3)
        listTopIndex_ = static_cast<std::int16_t>(std::max(1, listTopIndex_ - 1));
    table_.remove(position);
}

std::string dayLinesOf(const ReadingTable& table, Date day) {
    std::string lines;
    const int first = table.firstPositionOfDay(day);
    for (int position = first; position != 0 && position <= table.count(); ++position) {
        if (table.dayOf(position) != day)
            break;
        appendDayLine(lines, table, position);
    }
    return lines;
}

void Document::noteDayChangedHere(Date day) {
    if (!isUntitled())
        changesHere_.daysAsInFile.try_emplace(day.serial, dayLinesOf(table_, day));
}

void Document::markInStepWithFile(const FileIdentity& identity) {
    diskIdentity_ = identity;
    nameInFile_ = userName_;
    changesHere_ = {};
}

LoadReport Document::read(Date today) {
    const std::string source = isUntitled() ? backupPath_ : path_;
    LoadReport report;
    FileIdentity identity;
    report.status = readDiaryFile(*this, source, today, &report.reason, &identity);
    if (report.status == LoadStatus::NotText) {
        report.status = LoadStatus::CannotOpen;
        report.reason = translated(text::notText);
    }
    if (report.status == LoadStatus::CannotOpen) {
        // Emptied as a scan would start, so the previous diary never shows under this file's name.
        readDiaryText(*this, {}, today);
        userName_.clear();
        identity = {};
    }
    linesNotReadFrom_ = source;
    markInStepWithFile(identity);
    return report;
}

LoadReport Document::open(const std::string& path, Date today) {
    path_ = path;
    dirty_ = false;
    LoadReport report = read(today);
    if (report.status == LoadStatus::TooManyDays)
        path_.clear();
    return report;
}

LoadReport Document::recallBackup(Date today) {
    path_.clear();
    dirty_ = true;
    LoadReport report = read(today);
    // The next commit rewrites the backup with what was read: the whole of it is kept first.
    if (report.status == LoadStatus::TooManyDays) {
        report.keptCopy = keepCompleteBackup(backupPath_);
        report.copyFailed = report.keptCopy.empty();
    }
    return report;
}

WriteResult Document::writeTo(const std::string& path, const FileOps& ops, FileIdentity* written) const {
    const auto content = [this](const PieceSink& put) { return formatDiaryInPieces(userName_, table_, put); };
    if (const auto failure = writeFileAtomicallyFrom(path, content, ops, Permissions::keepExisting, written))
        return WriteResult{false, *failure};
    return {};
}

WriteResult Document::save(const FileOps& ops) {
    return saveAs(path_, ops);
}

WriteResult Document::saveAs(const std::string& path, const FileOps& ops) {
    if (path.empty())
        return WriteResult{false, translated(QT_TRANSLATE_NOOP("Tonolog", "The diary has no file name."))};
    FileIdentity written;
    if (WriteResult result = writeTo(path, ops, &written); !result.ok)
        return result;
    path_ = path;
    // Copies that interrupted saves of this diary left beside it go.
    removeStaleTemporaries(path_, processStartTime());
    markInStepWithFile(written);
    dirty_ = false;
    deleteBackup();
    return {};
}

WriteResult Document::writeBackup(const FileOps& ops) const {
    return writeTo(backupPath_, ops, nullptr);
}

WriteResult Document::writeEmptyBackup(const FileOps& ops) const {
    if (const auto failure = writeFileAtomically(backupPath_, emptyBackupLine, ops))
        return WriteResult{false, *failure};
    return {};
}

void Document::deleteBackup() const {
    deleteFileQuietly(backupPath_);
}

WriteResult Document::keepDeclinedBackup(const std::string& stamp, std::string* keptIn) const {
    std::string reason;
    const auto bytes = readWholeFile(backupPath_, &reason);
    if (!bytes)
        return WriteResult{false, reason};
    if (*bytes == emptyBackupLine || bytes->empty())
        return {};
    const std::string path = besideFile(backupPath_, "not recalled " + stamp, ".tnl");
    if (const auto failure = writeFileAtomically(path, *bytes, FileOps::system(), Permissions::ownerOnly))
        return WriteResult{false, *failure};
    if (keptIn != nullptr)
        *keptIn = path;
    const std::string name = backupPath_.substr(backupFolder().size());
    const std::vector<std::string> kept = filesNamedLike(backupFolder(), name + " (not recalled ", ").tnl");
    for (std::size_t i = declinedBackupsKept; i < kept.size(); ++i)
        if (kept[i] != path)
            deleteFileQuietly(kept[i]);
    return {};
}

void Document::takeMerged(const std::string& mergedText, const FileIdentity& fileNow,
                          const std::string& nameInFile, ChangesHere changesHere, Date today) {
    // The pages stay where they were; the lines not read are the document's, not the text's.
    const std::int16_t listTop = listTopIndex_;
    const Date windowStart = trendWindowStart_;
    std::vector<LineNotRead> notRead = std::move(linesNotRead_);
    readDiaryText(*this, mergedText, today);
    linesNotRead_ = std::move(notRead);
    listTopIndex_ = static_cast<std::int16_t>(std::clamp<int>(listTop, 1, std::max(1, table_.count() - 3)));
    setTrendWindow(windowStart);
    diskIdentity_ = fileNow;
    nameInFile_ = nameInFile;
    changesHere_ = std::move(changesHere);
    dirty_ = true;
}

void Document::addLinesNotRead(const std::vector<LineNotRead>& lines, const std::string& from) {
    if (from != linesNotReadFrom_)
        linesNotRead_.clear();
    linesNotReadFrom_ = from;
    // Each line once.
    for (const LineNotRead& line : lines)
        if (std::none_of(linesNotRead_.begin(), linesNotRead_.end(),
                         [&](const LineNotRead& l) { return l.text == line.text; }))
            linesNotRead_.push_back(line);
}

std::string Document::linesNotReadFile() const {
    return besideFile(linesNotReadFrom_, "lines not read", ".txt");
}

WriteResult Document::keepLinesNotRead(std::string* keptIn) {
    if (linesNotRead_.empty())
        return {};
    std::string text;
    for (const LineNotRead& line : linesNotRead_) {
        text += line.text;
        text += "\r\n";
    }
    const std::string path = linesNotReadFile();
    if (const auto failure = writeFileAtomically(path, text, FileOps::system(), Permissions::ownerOnly))
        return WriteResult{false, *failure};
    linesNotRead_.clear();
    if (keptIn != nullptr)
        *keptIn = path;
    return {};
}

} // namespace tonolog
