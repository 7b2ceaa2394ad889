// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/file_commands.h"

#include "canvas/busy_pointer.h"
#include "canvas/clock_dates.h"
#include "canvas/controls.h"
#include "canvas/message_box.h"
#include "canvas/text.h"
#include "diary/diary_page.h"
#include "document/data_file.h"
#include "document/list_rows.h"
#include "document/messages.h"
#include "platform/dialog_service.h"
#include "platform/words.h"
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

const QString fileFilter = Tonolog::tr("TNL Files (*.tnl)|*.tnl|All Files (*.*)|*.*");

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
    if (!path.isEmpty() && QDir::isRelativePath(path))
        path = QDir::current().absoluteFilePath(path);
    // "a/../b.tnl" is "b.tnl": one diary has one path, in the history too.
    return path.isEmpty() ? path : QDir::cleanPath(path);
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
    document.reset(nowFrom(form_.platform().clock));
    form_.setWindowTitle(caption());
    form_.resetPages();
    updatePageTitles();
    saveIncomplete_ = false;
    form_.pointer.reset();
}

// "Data file cannot be opened.", the file and why, as far as they are known.
QString FileCommands::cannotOpenText(const QString& path, const QString& reason) {
    QString text = Tonolog::tr(text::cannotOpen);
    if (!path.isEmpty())
        text += QLatin1Char('\n') + path;
    if (!reason.isEmpty())
        text += QLatin1Char('\n') + reason;
    return text;
}

// Why a path that is no regular file cannot be read, in the reader's words.
QString FileCommands::whyNotAFile(const QString& path) {
    std::string reason;
    readFileInPieces(
        toStd(path), [](std::string_view) { return false; }, &reason);
    return fromStd(reason);
}

QString FileCommands::caption() const {
    const Document& document = form_.document;
    const QString title = QString::fromUtf8(text::programTitle);
    return document.isUntitled()
               ? title
               : title + QStringLiteral(" [") + fromStd(document.fileName()) + QLatin1Char(']');
}

QString FileCommands::dialogFolder() const {
    const Document& document = form_.document;
    return document.isUntitled() ? form_.locations().documentsDir : fromStd(document.folder());
}

void FileCommands::readIntoDocument(const std::function<LoadReport()>& read) {
    Document& document = form_.document;
    LoadReport report;
    {
        const BusyPointer busy;
        report = read();
    }
    // The end of a read: the name field, the button states, today on the Diary page, the pages.
    form_.resetPages();
    updatePageTitles();
    form_.diary().loadDay(form_.diary().currentDay.date);
    form_.redrawPages();
    MessageBoxService& messages = form_.platform().messages;
    if (report.status == LoadStatus::CannotOpen) {
        showMessage(messages, cannotOpenText(fromStd(document.path()), fromStd(report.reason)),
                    MessageButtons::Ok, MessageIcon::Question);
    } else if (report.status == LoadStatus::TooManyDays) {
        QString text = Tonolog::tr(text::tooManyDays);
        if (!report.keptCopy.empty())
            text += Tonolog::tr("\nThe whole backup is kept in ") + fromStd(report.keptCopy);
        if (report.copyFailed)
            text += Tonolog::tr("\nThe whole backup could not be copied: copy ") +
                    fromStd(document.backupPath()) +
                    Tonolog::tr(" to a safe place before you change anything, or the days after the first "
                                "32767 are lost.");
        showMessage(messages, text, MessageButtons::Ok, MessageIcon::Exclamation);
    }
    if (!document.linesNotRead().empty())
        form_.disk().reportLinesNotRead();
    form_.setWindowTitle(caption());
    if (!document.isUntitled())
        updateHistory();
}

void FileCommands::readNamedFile(const QString& path) {
    const Date today = todayFrom(form_.platform().clock);
    readIntoDocument([this, &path, today] { return form_.document.open(toStd(path), today); });
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
    const QString path = fromStd(form_.document.path());
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
    const std::string& name = form_.document.userName();
    form_.ui.list.LblListTitle->setText(fromStd(listPageTitle(name)));
    form_.ui.trend.LblTrendTitle->setText(fromStd(trendPageTitle(name)));
}

void FileCommands::backUpCommit() {
    const WriteResult result = form_.document.writeBackup();
    if (!result.ok && !backupFailureShown_ && !form_.isEnding())
        showMessage(form_.platform().messages,
                    Tonolog::tr("The backup file cannot be written, so the latest changes are not yet "
                                "safe on disk.\nSave the diary with File > Save as."),
                    MessageButtons::Ok, MessageIcon::Exclamation);
    backupFailureShown_ = !result.ok;
}

bool FileCommands::leaveDocumentChecks() {
    Document& document = form_.document;
    MessageBoxService& messages = form_.platform().messages;
    DiaryPage& diary = form_.diary();
    if (diary.entryChanged) {
        const MessageResult answer =
            showMessage(messages, Tonolog::tr("Data is changed.\nSave data and continue process?"),
                        MessageButtons::YesNoCancel, MessageIcon::Question);
        if (answer == MessageResult::Cancel || (answer == MessageResult::Yes && !diary.commitPendingEntry()))
            return false;
    }
    if (document.isDirty() && document.isUntitled()) {
        const MessageResult answer =
            showMessage(messages,
                        Tonolog::tr("File is not saved.\nWould you like to save the file?\n\n"
                                    "All the data will be lost if file is not saved."),
                        MessageButtons::YesNoCancel, MessageIcon::Question);
        if (answer == MessageResult::Cancel)
            return false;
        if (answer == MessageResult::Yes) {
            saveAs();
            if (saveIncomplete_)
                return false;
        }
    } else if (document.isDirty()) {
        const MessageResult answer =
            showMessage(messages,
                        Tonolog::tr("File is not saved.\nWould you like to overwrite the file?\n\n"
                                    "New entries will be lost if the file is not saved."),
                        MessageButtons::YesNoCancel, MessageIcon::Question);
        if (answer == MessageResult::Cancel)
            return false;
        if (answer == MessageResult::Yes) {
            save();
            if (saveIncomplete_)
                return false;
        }
    }
    return true;
}

void FileCommands::startEmptyBackup() {
    form_.document.deleteBackup();
    writeEmptyBackupOrWarn();
}

void FileCommands::writeEmptyBackupOrWarn() {
    const Document& document = form_.document;
    const WriteResult written = document.writeEmptyBackup();
    if (!written.ok)
        showMessage(form_.platform().messages,
                    Tonolog::tr("The backup file cannot be written.\n") + fromStd(document.backupPath()) +
                        QLatin1Char('\n') + fromStd(written.reason),
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
    request.title = Tonolog::tr("Open");
    request.initialDir = dialogFolder();
    request.initialFileName = lastOpenedFileName_;
    request.filter = fileFilter;
    request.filterIndex = 1;
    request.fileMustExist = true;
    const FileDialogResult chosen = form_.platform().dialogs.showOpen(request);
    if (!chosen.accepted || chosen.fullPath.isEmpty() || chosen.fileName.isEmpty())
        return;
    lastOpenedFileName_ = chosen.fileName;
    openNamedDocument(chosen.fullPath);
}

void FileCommands::openNamedDocument(const QString& path) {
    startEmptyBackup();
    readNamedFile(path);
}

void FileCommands::openHistoryEntry(int entry) {
    // The entry the user chose, read before the questions: a save they ask for moves the history.
    const RecentFiles& h = form_.history;
    const QString path = entry == 1 ? h.historyPath1 : entry == 2 ? h.historyPath2 : h.historyPath3;
    if (!leaveDocumentChecks())
        return;
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    if (name.isEmpty() || !fileExists(toStd(path))) {
        showMessage(form_.platform().messages, cannotOpenText(path, whyNotAFile(path)), MessageButtons::Ok,
                    MessageIcon::Information);
        return;
    }
    openNamedDocument(path);
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
        showMessage(form_.platform().messages, cannotOpenText(path, whyNotAFile(path)), MessageButtons::Ok,
                    MessageIcon::Information);
        return;
    }
    if (!leaveDocumentChecks())
        return;
    lastOpenedFileName_ = file.fileName();
    openNamedDocument(path);
}

bool FileCommands::askForName() {
    if (!form_.document.userName().empty())
        return true;
    showMessage(form_.platform().messages, Tonolog::tr("Input your name."), MessageButtons::Ok,
                MessageIcon::Question);
    form_.ui.diary.InputName->setFocus(Qt::OtherFocusReason);
    return false;
}

bool FileCommands::writeNamedFile(const QString& path) {
    Document& document = form_.document;
    if (!form_.disk().keepLinesNotReadBefore(toStd(path)))
        return false;
    const WriteResult result = document.saveAs(toStd(path));
    if (!result.ok) {
        showMessage(form_.platform().messages,
                    Tonolog::tr(text::cannotSave) + QLatin1Char('\n') + path + QLatin1Char('\n') +
                        fromStd(result.reason),
                    MessageButtons::Ok, MessageIcon::Stop);
        return false;
    }
    form_.setWindowTitle(caption());
    updateHistory();
    return true;
}

void FileCommands::save() {
    Document& document = form_.document;
    saveIncomplete_ = true;
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
    if (writeNamedFile(fromStd(document.path())))
        saveIncomplete_ = false;
}

void FileCommands::saveAs() {
    saveIncomplete_ = true;
    if (!askForName() || !form_.diary().commitPendingEntry())
        return;
    FileDialogRequest request;
    request.title = Tonolog::tr("Save as");
    request.initialDir = dialogFolder();
    request.initialFileName = proposedFileName();
    request.defaultSuffix = QStringLiteral("tnl");
    request.filter = fileFilter;
    request.filterIndex = 1;
    request.askBeforeOverwrite = true;
    const FileDialogResult chosen = form_.platform().dialogs.showSave(request);
    if (!chosen.accepted || chosen.fullPath.isEmpty() || chosen.fileName.isEmpty())
        return;
    // The diary becomes the new file's only when it reached it.
    if (writeNamedFile(chosen.fullPath))
        saveIncomplete_ = false;
}

QString FileCommands::proposedFileName() const {
    const Document& document = form_.document;
    if (!document.isUntitled())
        return fromStd(document.fileName());
    // The owner's name, without what a file name cannot hold.
    QString name = fromStd(document.userName());
    name.replace(QLatin1Char('/'), QLatin1Char('-'));
    name.remove(QChar(0));
    name = name.trimmed();
    while (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    if (name.isEmpty())
        name = Tonolog::tr("Blood pressure diary");
    return name + QStringLiteral(".tnl");
}

void FileCommands::printPage() {
    form_.printing().printCurrentPage(form_.ui.mainTab->currentPage());
}

} // namespace tonolog
