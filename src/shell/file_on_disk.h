// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include "document/file_io.h"

#include <string>

namespace tonolog {

class MainForm;
struct FileCheck;

// What the window does about the diary's files as they are on disk, where other programs may
// change them too: the check of the file before a save, with the merge of what another program
// wrote; the reading again of a file changed while nothing here is unsaved; the lines the reader
// could not take; and the backup that a start was told not to recall.
class FileOnDisk : public QObject {
    Q_OBJECT
public:
    explicit FileOnDisk(MainForm& form);

    enum class SaveChoice { write, saveAsInstead, cancel };
    // Before Save writes the named diary over its file: when another program changed the file
    // since it was read or written, says what was found and, if the user agrees, takes its
    // changes in (the window's own version of a day changed on both sides is kept, the file's is
    // written beside it).
    SaveChoice checkBeforeSave();

    // Before a save over the file the lines not read came from: they are written beside it.
    // False (and said) when they could not be.
    bool keepLinesNotReadBefore(const std::string& target);

    // The window became active: a file changed on disk while nothing here is unsaved is read
    // again, keeping the day shown, and that is said once.
    void windowActivated();

    // The reader could not take some lines of the file just read: says which, and where they are
    // kept. Those of a recalled backup are kept at once, as the next commit rewrites the backup.
    void reportLinesNotRead();

    // The recall question's answer No: the backup is kept as a file of its own before it is
    // emptied. False when it could not be kept (said), so the caller recalls it instead.
    bool keepDeclinedBackup();

    // "2026-12-08 14.05", the clock's local time, for the names of kept files.
    QString stamp() const;

private:
    SaveChoice askAboutFileNotWhole();
    QString changedElsewhereQuestion(const FileCheck& check, const std::string& othersPath) const;
    SaveChoice takeInChanges(const FileCheck& check, const std::string& othersPath);
    void readAgain();

    MainForm& form_;
    bool checkPending_ = false;
    // A change of the file that was said and not read again, so that it is said once.
    FileIdentity noticed_;
};

} // namespace tonolog
