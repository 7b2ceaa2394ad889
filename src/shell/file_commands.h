#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

namespace tonolog {

class MainForm;
struct FileDialogResult;

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

    // An empty untitled diary whose path is the backup.
    void resetDocument();
    void updateHistory();
    void showHistoryMenu();
    void updatePageTitles();
    // Writes the table to the backup after a commit (the document stays as it is); a failure is
    // reported once for each run of failures.
    void backUpCommit();
    // Writes the empty backup; a failure is reported, since changes would then not be kept safe.
    void writeEmptyBackupOrWarn();

    // The questions before leaving the document; false when the user stays with it.
    bool leaveDocumentChecks();
    void newDocument();
    void openDocument();
    void closeDocument();
    void save();
    void saveAs();
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
    // Deletes the backup and writes the empty one, as a new document starts.
    void startEmptyBackup();
    // Opens the named document set in docPath: a fresh backup, then the file.
    void openNamedDocument();
    bool askForName();
    void setDocumentPath(const FileDialogResult& chosen);
    // Writes the named document; a failure is reported and changes nothing.
    bool writeNamedFile();
    void openWaitingFiles();
    void openFileAt(const QString& path);

    MainForm& form_;
    QString lastOpenedFileName_;
    bool backupFailureShown_ = false;
    QStringList waitingFiles_;
    QTimer waitingFilesTimer_;
    bool openingWaitingFiles_ = false;
};

} // namespace tonolog
