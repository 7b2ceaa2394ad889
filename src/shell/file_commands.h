#pragma once

#include <QObject>
#include <QString>

namespace tonolog {

class MainForm;
struct FileDialogResult;

// The three most recently used files, the newest first; an empty path is no entry.
struct RecentFiles {
    QString historyPath1;
    QString historyPath2;
    QString historyPath3;
};

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
    void onFileMenuItem(int index);

private:
    // Deletes the backup and writes the empty one, as a new document starts.
    void startEmptyBackup();
    // Opens the named document set in docPath: a fresh backup, then the file.
    void openNamedDocument();
    bool askForName();
    void setDocumentPath(const FileDialogResult& chosen);
    // Writes the named document; a failure is reported and changes nothing.
    bool writeNamedFile();

    MainForm& form_;
    QString lastOpenedFileName_;
    bool backupFailureShown_ = false;
};

} // namespace tonolog
