// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/file_on_disk.h"

#include "canvas/clock_dates.h"
#include "canvas/message_box.h"
#include "canvas/text.h"
#include "diary/diary_page.h"
#include "document/data_file.h"
#include "document/diary_merge.h"
#include "document/messages.h"
#include "platform/words.h"
#include "shell/main_form.h"

#include <QApplication>
#include <QLineEdit>
#include <QTimer>

#include <algorithm>

namespace tonolog {

namespace {

// "1 day", "3 days", from the patterns "%1 day" and "%1 days".
QString counted(qsizetype n, const QString& one, const QString& many) {
    return (n == 1 ? one : many).arg(n);
}

// How many lines of those listed in a message, the rest only counted.
constexpr std::size_t linesListed = 5;

QString listOfLinesNotRead(const std::vector<LineNotRead>& lines) {
    QString text;
    for (std::size_t i = 0; i < lines.size() && i < linesListed; ++i)
        text += Tonolog::tr("line %1: %2\n").arg(lines[i].lineNumber).arg(fromStd(lines[i].why));
    if (lines.size() > linesListed)
        text += Tonolog::tr("and %1 more\n").arg(lines.size() - linesListed);
    return text;
}

bool windowIsFree() {
    return QApplication::activeModalWidget() == nullptr && QApplication::activePopupWidget() == nullptr &&
           QApplication::mouseButtons() == Qt::NoButton && QApplication::overrideCursor() == nullptr;
}

} // namespace

FileOnDisk::FileOnDisk(MainForm& form) : QObject(&form), form_(form) {}

QString FileOnDisk::stamp() const {
    return form_.platform().clock.now().toString(QStringLiteral("yyyy-MM-dd HH.mm"));
}

namespace {

// What a merge will do, in plain words, a line each.
QString whatTheMergeDoes(const MergeResult& merge, const DiaryDays& theirs, const QString& othersPath) {
    QString text;
    if (merge.takenFromFile > 0)
        text += counted(merge.takenFromFile, Tonolog::tr("%1 day"), Tonolog::tr("%1 days")) +
                Tonolog::tr(" added or changed there only will be taken into this diary.\n");
    if (merge.removedInFile > 0)
        text += counted(merge.removedInFile, Tonolog::tr("%1 day"), Tonolog::tr("%1 days")) +
                Tonolog::tr(" removed there only will be removed here too.\n");
    if (merge.nameTakenFromFile)
        text +=
            Tonolog::tr("The owner's name changed there will be taken: \"%1\".\n").arg(fromStd(theirs.name));
    if (merge.changedOnBoth > 0 || merge.nameChangedOnBoth) {
        text += merge.changedOnBoth > 0
                    ? counted(merge.changedOnBoth, Tonolog::tr("%1 day was"), Tonolog::tr("%1 days were")) +
                          Tonolog::tr(" changed both there and here")
                    : Tonolog::tr("The owner's name was changed both there and here");
        text += Tonolog::tr(": the version of this window is kept, and the other one is written to\n") +
                othersPath + QStringLiteral("\n");
    }
    return text;
}

} // namespace

FileOnDisk::SaveChoice FileOnDisk::checkBeforeSave() {
    Document& document = form_.document;
    // Looked at again whenever the file changes while the question is open.
    for (;;) {
        const FileCheck check = checkFileOf(document);
        switch (check.found) {
        case FileCheck::Found::gone:
            return SaveChoice::write; // written anew, or the write says what is wrong
        case FileCheck::Found::same:
            if (check.read.known)
                document.setDiskIdentity(check.read);
            return SaveChoice::write;
        case FileCheck::Found::notWhole:
            return askAboutFileNotWhole();
        case FileCheck::Found::changed:
            break;
        }
        const std::string othersPath =
            besideFile(document.path(), "changed elsewhere " + toStd(stamp()), ".tnl");
        const MessageResult answer =
            showMessage(form_.platform().messages, changedElsewhereQuestion(check, othersPath),
                        MessageButtons::YesNoCancel, MessageIcon::Question);
        if (answer == MessageResult::No)
            return SaveChoice::saveAsInstead;
        if (answer != MessageResult::Yes)
            return SaveChoice::cancel;
        const auto after = identityOf(document.path());
        if (!after || !after->sameStatus(check.read))
            continue; // changed again while the question was open
        return takeInChanges(check, othersPath);
    }
}

// An empty, cut-off or unreadable file may be all that is left of the diary elsewhere: it is never
// written over unasked.
FileOnDisk::SaveChoice FileOnDisk::askAboutFileNotWhole() {
    const QString text =
        Tonolog::tr("The diary file is not what Tonolog last read or saved, and it cannot be read as a "
                    "whole diary now (it is empty, is no text, or holds more days than a diary "
                    "can):\n") +
        fromStd(form_.document.path()) +
        Tonolog::tr("\n\nSo that nothing in it is lost, it is not overwritten. Save this diary "
                    "under another name instead?");
    return showMessage(form_.platform().messages, text, MessageButtons::YesNo, MessageIcon::Exclamation) ==
                   MessageResult::Yes
               ? SaveChoice::saveAsInstead
               : SaveChoice::cancel;
}

QString FileOnDisk::changedElsewhereQuestion(const FileCheck& check, const std::string& othersPath) const {
    const Document& document = form_.document;
    QString text =
        Tonolog::tr("The diary file was changed by another program since Tonolog last read or saved it:\n") +
        fromStd(document.path()) + QStringLiteral("\n\n") +
        whatTheMergeDoes(check.merge, check.theirs, fromStd(othersPath));
    if (!check.theirs.linesNotRead.empty())
        text += counted(static_cast<qsizetype>(check.theirs.linesNotRead.size()), Tonolog::tr("%1 line"),
                        Tonolog::tr("%1 lines")) +
                Tonolog::tr(" of the file cannot be read; they are kept in\n") +
                fromStd(besideFile(document.path(), "lines not read", ".txt")) + QStringLiteral("\n");
    text += Tonolog::tr("\nYes: take in the changes and save.\nNo: save under another name "
                        "instead.\nCancel: save nothing now.");
    return text;
}

// The user agreed: the other version of the days changed on both sides goes beside the file, the
// merged days become the diary's, and the pages show them.
FileOnDisk::SaveChoice FileOnDisk::takeInChanges(const FileCheck& check, const std::string& othersPath) {
    Document& document = form_.document;
    const MergeResult& merge = check.merge;
    if (!merge.otherVersions.empty()) {
        if (const auto failure = writeFileAtomically(othersPath, merge.otherVersions, FileOps::system(),
                                                     Permissions::ownerOnly)) {
            showMessage(form_.platform().messages,
                        Tonolog::tr(text::cannotSave) +
                            Tonolog::tr("\nThe other version of the days changed on both sides cannot be "
                                        "written to\n") +
                            fromStd(othersPath) + QLatin1Char('\n') + fromStd(*failure),
                        MessageButtons::Ok, MessageIcon::Stop);
            return SaveChoice::cancel;
        }
    }
    // Lines not read of another file are kept beside that file now, before those of this one
    // take their place.
    if (document.linesNotReadFrom() != document.path() &&
        !keepLinesNotReadBefore(document.linesNotReadFrom()))
        return SaveChoice::cancel;
    document.takeMerged(formatDays(merge.merged), check.read, check.theirs.name,
                        changesBetween(check.theirs, merge.merged), todayFrom(form_.platform().clock));
    document.addLinesNotRead(check.theirs.linesNotRead, document.path());
    form_.ui.diary.InputName->setText(fromStd(document.userName()));
    form_.files().updatePageTitles();
    DiaryPage& diary = form_.diary();
    diary.loadDay(diary.currentDay.date);
    form_.redrawPages();
    return SaveChoice::write;
}

bool FileOnDisk::keepLinesNotReadBefore(const std::string& target) {
    Document& document = form_.document;
    if (document.linesNotRead().empty() || document.linesNotReadFrom() != target)
        return true;
    const std::string path = document.linesNotReadFile();
    const WriteResult kept = document.keepLinesNotRead();
    if (!kept.ok)
        showMessage(form_.platform().messages,
                    Tonolog::tr(text::cannotSave) +
                        Tonolog::tr("\nThe lines of the file that could not be read cannot be kept in\n") +
                        fromStd(path) + QLatin1Char('\n') + fromStd(kept.reason),
                    MessageButtons::Ok, MessageIcon::Stop);
    return kept.ok;
}

void FileOnDisk::windowActivated() {
    // Looked at once the activation is over, never inside another command's dialog.
    if (checkPending_)
        return;
    checkPending_ = true;
    QTimer::singleShot(0, this, [this] {
        checkPending_ = false;
        if (windowIsFree())
            readAgain();
    });
}

void FileOnDisk::readAgain() {
    Document& document = form_.document;
    DiaryPage& diary = form_.diary();
    if (document.isUntitled() || document.isDirty() || diary.entryChanged || !document.diskIdentity().known)
        return;
    const auto now = identityOf(document.path());
    if (!now || (noticed_.known && noticed_.sameStatus(*now)))
        return;
    const FileCheck check = checkFileOf(document, false);
    if (check.found == FileCheck::Found::gone)
        return; // nothing to read: the diary shown stays as it is
    if (check.found == FileCheck::Found::same) {
        if (check.read.known)
            document.setDiskIdentity(check.read);
        return;
    }
    const QString path = fromStd(document.path());
    if (check.found == FileCheck::Found::notWhole || check.merge.removedInFile > 0) {
        // This window may hold the last whole copy of the diary: it is not given up unasked.
        noticed_ = check.read;
        showMessage(form_.platform().messages,
                    Tonolog::tr("The diary file was changed by another program:\n") + path +
                        (check.found == FileCheck::Found::changed
                             ? Tonolog::tr("\nIt no longer holds %1 that this window shows,")
                                   .arg(counted(check.merge.removedInFile, Tonolog::tr("%1 day"),
                                                Tonolog::tr("%1 days")))
                             : Tonolog::tr("\nIt cannot be read as a whole diary any more,")) +
                        Tonolog::tr(" so it is not read again here. File > Save asks what to do; File > Save "
                                    "as... keeps this window's diary under another name."),
                    MessageButtons::Ok, MessageIcon::Exclamation);
        return;
    }
    const Date shown = diary.currentDay.date;
    form_.files().readNamedFile(path);
    diary.loadDay(shown);
    showMessage(form_.platform().messages,
                Tonolog::tr("The diary file was changed by another program, so it has been read again:\n") +
                    path,
                MessageButtons::Ok, MessageIcon::Information);
}

void FileOnDisk::reportLinesNotRead() {
    Document& document = form_.document;
    const auto& lines = document.linesNotRead();
    QString text =
        counted(static_cast<qsizetype>(lines.size()), Tonolog::tr("%1 line"), Tonolog::tr("%1 lines")) +
        Tonolog::tr(" of this diary could not be read, so %1 not shown:\n")
            .arg(lines.size() == 1 ? Tonolog::tr("it is") : Tonolog::tr("they are")) +
        listOfLinesNotRead(lines) + QLatin1Char('\n');
    MessageIcon icon = MessageIcon::Information;
    if (document.linesNotReadFrom() == document.backupPath()) {
        // The next commit rewrites the backup: the lines are kept now.
        std::string keptIn;
        const WriteResult kept = document.keepLinesNotRead(&keptIn);
        if (kept.ok) {
            text += Tonolog::tr("They are kept in\n") + fromStd(keptIn);
        } else {
            text += Tonolog::tr("They could not be kept (") + fromStd(kept.reason) +
                    Tonolog::tr("): copy\n") + fromStd(document.backupPath()) +
                    Tonolog::tr("\nto a safe place before you change anything.");
            icon = MessageIcon::Exclamation;
        }
    } else {
        text += Tonolog::tr("They are not lost: before the diary is next saved over this file, they are "
                            "written to\n") +
                fromStd(document.linesNotReadFile());
    }
    showMessage(form_.platform().messages, text, MessageButtons::Ok, icon);
}

bool FileOnDisk::keepDeclinedBackup() {
    std::string keptIn;
    const WriteResult kept = form_.document.keepDeclinedBackup(toStd(stamp()), &keptIn);
    if (kept.ok)
        return true;
    showMessage(form_.platform().messages,
                Tonolog::tr("The backup could not be kept as a file of its own:\n") + fromStd(kept.reason) +
                    Tonolog::tr("\nSo that nothing is lost, it is recalled: save it under a name, or close "
                                "without saving if you do not need it."),
                MessageButtons::Ok, MessageIcon::Exclamation);
    return false;
}

} // namespace tonolog
