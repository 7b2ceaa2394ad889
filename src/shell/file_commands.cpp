#include "shell/file_commands.h"

#include "canvas/clock_dates.h"
#include "canvas/controls.h"
#include "canvas/message_box.h"
#include "canvas/text.h"
#include "diary/diary_page.h"
#include "document/data_file.h"
#include "document/messages.h"
#include "platform/dialog_service.h"
#include "print/page_printing.h"
#include "shell/file_on_disk.h"
#include "shell/main_form.h"
#include "shell/main_tab.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>

namespace tonolog {

namespace {

const QString fileFilter = QStringLiteral("TNL Files (*.tnl)|*.tnl|All Files (*.*)|*.*");

// How often a handed-over file looks again whether the window has become free.
constexpr int waitingFileRetryMs = 100;

// Nothing else is going on that a file's questions could land in the middle of.
bool windowIsFree() {
    return QApplication::activeModalWidget() == nullptr && QApplication::activePopupWidget() == nullptr &&
           QApplication::mouseButtons() == Qt::NoButton && QApplication::overrideCursor() == nullptr;
}

} // namespace

QString commandLinePath(const QString& commandLine) {
    QString path = commandLine;
    if (path.startsWith(QLatin1Char('"')))
        path.remove(0, 1);
    if (path.endsWith(QLatin1Char('"')))
        path.chop(1);
    if (!path.isEmpty() && !path.startsWith(QLatin1Char('/')))
        path = QDir::current().absoluteFilePath(path);
    return path;
}

FileCommands::FileCommands(MainForm& form) : QObject(&form), form_(form) {
    const MenuControls& menu = form_.ui.menu;
    connect(menu.actNew, &QAction::triggered, this, &FileCommands::newDocument);
    connect(menu.actOpen, &QAction::triggered, this, &FileCommands::openDocument);
    connect(menu.actClose, &QAction::triggered, this, &FileCommands::closeDocument);
    connect(menu.actSave, &QAction::triggered, this, &FileCommands::save);
    connect(menu.actSaveAs, &QAction::triggered, this, &FileCommands::saveAs);
    connect(menu.actPrint, &QAction::triggered, this, &FileCommands::printPage);
    for (std::size_t i = 0; i < menu.actHistory.size(); ++i)
        connect(menu.actHistory[i], &QAction::triggered, this,
                [this, i] { openHistoryEntry(static_cast<int>(i) + 1); });
    connect(menu.actExit, &QAction::triggered, &form_, &QWidget::close);
    // Printing needs a page that prints: not the Diary page. The item follows the page in front,
    // so that its key Ctrl+P works on the List and Trend pages without the menu being opened.
    const auto followPageInFront = [this](int page) { form_.ui.menu.actPrint->setEnabled(page != 0); };
    followPageInFront(form_.ui.mainTab->currentPage());
    connect(form_.ui.mainTab, &MainTab::currentPageChanged, this, followPageInFront);
    waitingFilesTimer_.setSingleShot(true);
    connect(&waitingFilesTimer_, &QTimer::timeout, this, &FileCommands::openWaitingFiles);
}

void FileCommands::resetDocument() {
    Document& document = form_.document;
    const Locations& places = form_.locations();
    document.appDir = toStd(places.appDir);
    document.backupDir = toStd(places.backupDir);
    document.backupName = backupFileName;
    document.backupPath = document.backupDir + document.backupName;
    // An untitled diary lives in the backup; its file dialogs start in the user's documents.
    document.docDir = toStd(places.documentsDir);
    document.docName = document.backupName;
    document.docPath = document.backupPath;
    document.isDirty = 0;
    // An untitled diary has no file of its own yet (the file it came from keeps its unread lines).
    markInStepWithFile(document, FileIdentity{});
    document.linesNotRead.clear();
    form_.setWindowTitle(QString::fromUtf8(text::programTitle));
    document.userName.clear();
    form_.resetPages();
    updatePageTitles();
    const Clock& clock = form_.platform().clock;
    document.firstDay = document.lastDay = nowFrom(clock);
    document.listTopIndex = 1;
    setTrendWindowToMonthOf(document, todayFrom(clock));
    document.saveIncomplete = 0;
    form_.pointer.reset();
    document.table.clear();
}

void FileCommands::showHistoryMenu() {
    MenuControls& menu = form_.ui.menu;
    menu.historySeparator->setVisible(false);
    for (QAction* item : menu.actHistory)
        item->setVisible(false);
    const RecentFiles& h = form_.history;
    const QString* paths[3] = {&h.historyPath1, &h.historyPath2, &h.historyPath3};
    for (std::size_t k = 0; k < menu.actHistory.size(); ++k) {
        if (paths[k]->isEmpty())
            return;
        // A "&" in the path is shown as it is, not taken for a shortcut mark.
        QString shown = *paths[k];
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        menu.actHistory[k]->setText(QStringLiteral("&%1 ").arg(k + 1) + shown);
        menu.actHistory[k]->setVisible(true);
        menu.historySeparator->setVisible(true);
    }
}

void FileCommands::updateHistory() {
    const QString path = fromStd(form_.document.docPath);
    QString& historyPath1 = form_.history.historyPath1;
    QString& historyPath2 = form_.history.historyPath2;
    QString& historyPath3 = form_.history.historyPath3;
    if (historyPath1 == path)
        return;
    if (historyPath2 != path)
        historyPath3 = historyPath2;
    historyPath2 = historyPath1;
    historyPath1 = path;
    if (historyPath3 == historyPath1)
        historyPath3.clear();
    if (historyPath2 == historyPath1) {
        historyPath2 = historyPath3;
        historyPath3.clear();
    }
    if (historyPath3 == historyPath2)
        historyPath3.clear();
    showHistoryMenu();
}

void FileCommands::updatePageTitles() {
    const std::string& name = form_.document.userName;
    const QString owner = name.empty() ? QStringLiteral("(New)") : fromStd(name);
    form_.ui.list.LblListTitle->setText(owner + QStringLiteral(" 's data list"));
    form_.ui.trend.LblTrendTitle->setText(owner + QStringLiteral(" 's BP Trend"));
}

void FileCommands::backUpCommit() {
    Document& document = form_.document;
    document.isDirty = 1;
    const std::string dir = document.docDir;
    const std::string name = document.docName;
    const std::string path = document.docPath;
    document.docDir = document.backupDir;
    document.docName = document.backupName;
    document.docPath = document.backupPath;
    const WriteResult result = writeFile(document, form_.documentEvents());
    document.docDir = dir;
    document.docName = name;
    document.docPath = path;
    if (!result.ok && !backupFailureShown_ && !form_.isEnding())
        showMessage(form_.platform().messages,
                    QStringLiteral("The backup file cannot be written, so the latest changes are not yet "
                                   "safe on disk.\nSave the diary with File > Save as."),
                    MessageButtons::Ok, MessageIcon::Exclamation);
    backupFailureShown_ = !result.ok;
}

bool FileCommands::leaveDocumentChecks() {
    Document& document = form_.document;
    MessageBoxService& messages = form_.platform().messages;
    DiaryPage& diary = form_.diary();
    if (diary.entryChanged == 1) {
        const MessageResult answer =
            showMessage(messages, QStringLiteral("Data is changed.\nSave data and continue process?"),
                        MessageButtons::YesNoCancel, MessageIcon::Question);
        if (answer == MessageResult::Cancel || (answer == MessageResult::Yes && !diary.commitPendingEntry()))
            return false;
    }
    if (document.isDirty == 1 && document.isUntitled()) {
        const MessageResult answer =
            showMessage(messages,
                        QStringLiteral("File is not saved.\nWould you like to save the file?\n\n"
                                       "All the data will be lost if file is not saved."),
                        MessageButtons::YesNoCancel, MessageIcon::Question);
        if (answer == MessageResult::Cancel)
            return false;
        if (answer == MessageResult::Yes) {
            saveAs();
            if (document.saveIncomplete == 1)
                return false;
        }
    } else if (document.isDirty == 1) {
        const MessageResult answer =
            showMessage(messages,
                        QStringLiteral("File is not saved.\nWould you like to overwrite the file?\n\n"
                                       "New entries will be lost if the file is not saved."),
                        MessageButtons::YesNoCancel, MessageIcon::Question);
        if (answer == MessageResult::Cancel)
            return false;
        if (answer == MessageResult::Yes) {
            save();
            if (document.saveIncomplete == 1)
                return false;
        }
    }
    return true;
}

void FileCommands::startEmptyBackup() {
    deleteFileQuietly(form_.document.backupPath);
    writeEmptyBackupOrWarn();
}

void FileCommands::writeEmptyBackupOrWarn() {
    const Document& document = form_.document;
    const WriteResult written = writeEmptyBackup(document);
    if (!written.ok)
        showMessage(form_.platform().messages,
                    QStringLiteral("The backup file cannot be written.\n") + fromStd(document.backupPath) +
                        QStringLiteral("\n") + fromStd(written.reason),
                    MessageButtons::Ok, MessageIcon::Exclamation);
}

void FileCommands::newDocument() {
    if (!leaveDocumentChecks())
        return;
    startEmptyBackup();
    resetDocument();
    form_.drawAllPages();
}

void FileCommands::closeDocument() {
    newDocument();
}

void FileCommands::openDocument() {
    if (!leaveDocumentChecks())
        return;
    FileDialogRequest request;
    request.title = QStringLiteral("Open");
    request.initialDir = fromStd(form_.document.docDir);
    request.initialFileName = lastOpenedFileName_;
    request.filter = fileFilter;
    request.filterIndex = 1;
    request.fileMustExist = true;
    const FileDialogResult chosen = form_.platform().dialogs.showOpen(request);
    if (!chosen.accepted || chosen.fullPath.isEmpty() || chosen.fileName.isEmpty())
        return;
    lastOpenedFileName_ = chosen.fileName;
    setDocumentPath(chosen);
    openNamedDocument();
}

void FileCommands::openNamedDocument() {
    startEmptyBackup();
    form_.document.isDirty = 0;
    loadFile(form_.document, form_.documentEvents(), todayFrom(form_.platform().clock));
}

void FileCommands::setDocumentPath(const FileDialogResult& chosen) {
    Document& document = form_.document;
    document.docPath = toStd(chosen.fullPath);
    document.docName = toStd(chosen.fileName);
    document.docDir = document.docPath.substr(0, document.docPath.size() - document.docName.size());
}

void FileCommands::openHistoryEntry(int entry) {
    if (!leaveDocumentChecks())
        return;
    const RecentFiles& h = form_.history;
    const QString path = entry == 1 ? h.historyPath1 : entry == 2 ? h.historyPath2 : h.historyPath3;
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const QString dir = path.left(slash + 1);
    const QString name = path.mid(slash + 1);
    if (name.isEmpty() || !fileExists(toStd(path))) {
        showMessage(form_.platform().messages, QString::fromUtf8(text::cannotOpen), MessageButtons::Ok,
                    MessageIcon::Information);
        return;
    }
    Document& document = form_.document;
    document.docDir = toStd(dir);
    document.docPath = toStd(path);
    document.docName = toStd(name);
    openNamedDocument();
}

void FileCommands::openHandedOverFile(const QString& path) {
    waitingFiles_.append(path);
    if (!openingWaitingFiles_)
        waitingFilesTimer_.start(0);
}

void FileCommands::openWaitingFiles() {
    // A file that comes while another one's questions are open waits for this loop to take it.
    if (openingWaitingFiles_)
        return;
    if (!windowIsFree()) {
        waitingFilesTimer_.start(waitingFileRetryMs);
        return;
    }
    openingWaitingFiles_ = true;
    while (!waitingFiles_.isEmpty())
        openFileAt(waitingFiles_.takeFirst());
    openingWaitingFiles_ = false;
}

void FileCommands::openFileAt(const QString& path) {
    form_.bringToFront();
    const QFileInfo file(path);
    // As the Open dialog offers only existing files, a missing one is said before anything is asked.
    if (!file.isAbsolute() || !file.isFile()) {
        showMessage(form_.platform().messages,
                    QString::fromUtf8(text::cannotOpen) + QStringLiteral("\n") + path, MessageButtons::Ok,
                    MessageIcon::Information);
        return;
    }
    if (!leaveDocumentChecks())
        return;
    FileDialogResult chosen;
    chosen.accepted = true;
    chosen.fullPath = path;
    chosen.fileName = file.fileName();
    lastOpenedFileName_ = chosen.fileName;
    setDocumentPath(chosen);
    openNamedDocument();
}

bool FileCommands::askForName() {
    if (!form_.document.userName.empty())
        return true;
    showMessage(form_.platform().messages, QStringLiteral("Input your name."), MessageButtons::Ok, MessageIcon::Question);
    form_.ui.diary.InputName->setFocus(Qt::OtherFocusReason);
    return false;
}

bool FileCommands::writeNamedFile() {
    const Document& document = form_.document;
    if (!form_.disk().keepLinesNotReadBefore(document.docPath))
        return false;
    const WriteResult result = writeFile(form_.document, form_.documentEvents());
    if (!result.ok)
        showMessage(form_.platform().messages,
                    QString::fromUtf8(text::cannotSave) + QStringLiteral("\n") + fromStd(document.docPath) +
                        QStringLiteral("\n") + fromStd(result.reason),
                    MessageButtons::Ok, MessageIcon::Stop);
    return result.ok;
}

void FileCommands::save() {
    Document& document = form_.document;
    document.saveIncomplete = 1;
    if (!askForName())
        return;
    if (document.isUntitled()) {
        saveAs();
        return;
    }
    if (!form_.diary().commitPendingEntry())
        return;
    // Another program may have written the file since: its changes are taken in, not overwritten.
    switch (form_.disk().checkBeforeSave()) {
    case FileOnDisk::SaveChoice::write:
        break;
    case FileOnDisk::SaveChoice::saveAsInstead:
        saveAs();
        return;
    case FileOnDisk::SaveChoice::cancel:
        return;
    }
    if (writeNamedFile())
        document.saveIncomplete = 0;
}

void FileCommands::saveAs() {
    Document& document = form_.document;
    document.saveIncomplete = 1;
    if (!askForName() || !form_.diary().commitPendingEntry())
        return;
    FileDialogRequest request;
    request.title = QStringLiteral("Save as");
    request.initialDir = fromStd(document.docDir);
    request.filter = fileFilter;
    request.filterIndex = 1;
    request.askBeforeOverwrite = true;
    const FileDialogResult chosen = form_.platform().dialogs.showSave(request);
    if (!chosen.accepted || chosen.fullPath.isEmpty() || chosen.fileName.isEmpty())
        return;
    const std::string previousDir = document.docDir;
    const std::string previousName = document.docName;
    const std::string previousPath = document.docPath;
    setDocumentPath(chosen);
    if (!writeNamedFile()) {
        // The diary did not reach the new file, so the document stays what it was.
        document.docDir = previousDir;
        document.docName = previousName;
        document.docPath = previousPath;
        return;
    }
    document.saveIncomplete = 0;
}

void FileCommands::printPage() {
    form_.printing().printCurrentPage(form_.ui.mainTab->currentPage());
}

} // namespace tonolog
