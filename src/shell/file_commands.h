// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>

namespace tonolog {

class MainForm;
struct LoadReport;

// The three most recently used files, the newest first; an empty path is no entry.
struct RecentFiles {
    QString historyPath1;
    QString historyPath2;
    QString historyPath3;
};

// The file a command line names: one leading and one trailing double quote dropped, a relative
// path taken from the current directory. Empty when it names none.
QString commandLinePath(const QString& commandLine);

// The File menu's commands, the history and the document's life on disk.
class FileCommands : public QObject {
    Q_OBJECT
public:
    explicit FileCommands(MainForm& form);

    // An empty untitled diary.
    void resetDocument();
    void updateHistory();
    void showHistoryMenu();
    void updatePageTitles();
    // "Tonolog", or "Tonolog [<file name>]" for a named diary.
    QString caption() const;
    // Where the file dialogs start: the diary's folder, or the user's documents for an untitled one.
    QString dialogFolder() const;
    // Writes the table to the backup after a commit; a failure is reported once for each run of
    // failures.
    void backUpCommit();
    // Writes the empty backup; a failure is reported, since changes would then not be kept safe.
    void writeEmptyBackupOrWarn();
    // Reads a file into the document under the wait pointer, then shows the diary read: the pages,
    // the caption and the history of a named one, and what went wrong.
    void readIntoDocument(const std::function<LoadReport()>& read);
    // Reads the named diary at path (the backup is left as it is).
    void readNamedFile(const QString& path);

    // The questions before leaving the document; false when the user stays with it.
    bool leaveDocumentChecks();
    void newDocument();
    void openDocument();
    void closeDocument();
    void save();
    void saveAs();
    // Whether the last Save or Save as did not complete (the name was missing, the dialog
    // cancelled, the write failed).
    bool saveIncomplete() const { return saveIncomplete_; }
    void printPage();
    // Opens history entry 1, 2 or 3.
    void openHistoryEntry(int entry);
    // Opens a file (an absolute path) that a later start of the program handed over, as File >
    // Open opens a chosen file, with the same questions first. Never at once: the files wait, in
    // the order they came, until the window is free (no dialog, message box or menu open, no
    // mouse button held, no work in progress), so the questions never run inside another
    // command or inside the handler that received the path.
    void openHandedOverFile(const QString& path);

private:
    static QString cannotOpenText(const QString& path, const QString& reason);
    static QString whyNotAFile(const QString& path);
    // The name Save as proposes: the diary's own file's, or the owner's name with ".tnl".
    QString proposedFileName() const;
    // Deletes the backup and writes the empty one, as a new document starts.
    void startEmptyBackup();
    // Opens the named document at path: a fresh backup, then the file.
    void openNamedDocument(const QString& path);
    bool askForName();
    // Writes the diary to the file at path (its own, or one chosen with Save as); a failure is
    // reported and changes nothing.
    bool writeNamedFile(const QString& path);
    void openWaitingFiles();
    void openFileAt(const QString& path);

    MainForm& form_;
    QString lastOpenedFileName_;
    bool backupFailureShown_ = false;
    bool saveIncomplete_ = false;
    QStringList waitingFiles_;
    QTimer waitingFilesTimer_;
    bool openingWaitingFiles_ = false;
};

} // namespace tonolog
