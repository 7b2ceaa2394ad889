#include "document/data_file.h"
#include "document/messages.h"
#include "platform/clock.h"
#include "platform/dialog_service.h"
#include "shell/controls.h"
#include "shell/main_form.h"
#include "shell/main_tab.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>

namespace tonolog {

Date MainForm::today() const {
    const QDate d = platform_.clock.now().date();
    return dateFromCivil(d.year(), d.month(), d.day());
}

DateTime MainForm::now() const {
    const QDateTime n = platform_.clock.now();
    return DateTime{today(), n.time().msecsSinceStartOfDay() / 1000};
}

void MainForm::resetDocument() {
    document.appDir = toStd(locations_.appDir);
    document.backupDir = toStd(locations_.backupDir);
    document.backupName = backupFileName;
    document.backupPath = document.backupDir + document.backupName;
    // An untitled diary lives in the backup; its file dialogs start in the user's documents.
    document.docDir = toStd(locations_.documentsDir);
    document.docName = document.backupName;
    document.docPath = document.backupPath;
    document.isDirty = 0;
    setWindowTitle(QString::fromUtf8(text::programTitle));
    document.userName.clear();
    entryChanged = 0;
    currentDay.date = today();
    entryHasErrors = 0;
    lastEntryErrors = {};
    clearDayReadings(currentDay);
    ui.diary.InputName->setText(QString());
    updatePageTitles();
    entryChanged = 0;
    document.firstDay = document.lastDay = now();
    document.listTopIndex = 1;
    setTrendWindowToMonthOf(document, today());
    dayButtonState = listButtonState = trendButtonState = 0;
    document.saveIncomplete = 0;
    labelPointerState = 0;
    document.table.clear();
}

void MainForm::showHistoryMenu() {
    auto& items = ui.menu.mnuFileItem;
    for (int i = 8; i <= 11; ++i)
        items[static_cast<std::size_t>(i)]->setVisible(false);
    const QString* paths[3] = {&historyPath1, &historyPath2, &historyPath3};
    for (int k = 0; k < 3; ++k) {
        if (paths[k]->isEmpty())
            return;
        QAction* item = items[static_cast<std::size_t>(9 + k)];
        item->setText(QStringLiteral("&%1 ").arg(k + 1) + *paths[k]);
        item->setVisible(true);
        if (k == 0)
            items[8]->setVisible(true);
    }
}

void MainForm::updateHistory() {
    const QString path = fromStd(document.docPath);
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

void MainForm::updatePageTitles() {
    const QString owner = document.userName.empty() ? QStringLiteral("(New)") : fromStd(document.userName);
    ui.list.LblListTitle->setText(owner + QStringLiteral(" 's data list"));
    ui.trend.LblTrendTitle->setText(owner + QStringLiteral(" 's BP Trend"));
}

bool MainForm::writeBackup() {
    document.isDirty = 1;
    const std::string dir = document.docDir;
    const std::string name = document.docName;
    const std::string path = document.docPath;
    document.docDir = document.backupDir;
    document.docName = document.backupName;
    document.docPath = document.backupPath;
    const WriteResult result = writeFile(document, documentEvents());
    document.docDir = dir;
    document.docName = name;
    document.docPath = path;
    return result.ok;
}

namespace {

const QString fileFilter = QStringLiteral("TNL Files (*.tnl)|*.tnl|All Files (*.*)|*.*");

} // namespace

void MainForm::connectFileMenu() {
    for (int i = 0; i < static_cast<int>(ui.menu.mnuFileItem.size()); ++i)
        connect(ui.menu.mnuFileItem[static_cast<std::size_t>(i)], &QAction::triggered, this,
                [this, i] { onFileMenuItem(i); });
    // Printing needs a page that prints: not the Diary page.
    connect(ui.menu.mnuFile, &QMenu::aboutToShow, this, [this] {
        ui.menu.mnuFileItem[7]->setEnabled(true);
        if (ui.mainTab->currentPage() == 0)
            ui.menu.mnuFileItem[7]->setEnabled(false);
    });
}

void MainForm::onFileMenuItem(int index) {
    switch (index) {
    case 0:
        newDocument();
        break;
    case 1:
        openDocument();
        break;
    case 2:
        closeDocument();
        break;
    case 4:
        save();
        break;
    case 5:
        saveAs();
        break;
    case 7:
        printPage();
        break;
    case 9:
    case 10:
    case 11:
        openHistoryEntry(index);
        break;
    case 13:
        close();
        break;
    default:
        break;
    }
}

bool MainForm::leaveDocumentChecks() {
    if (entryChanged == 1) {
        const int answer =
            showMessage(QStringLiteral("Data is changed.\r\nSave data and continue process?"), 3, 1);
        if (answer == 2 || (answer == 6 && !commitPendingEntry()))
            return false;
    }
    if (document.isDirty == 1 && document.isUntitled()) {
        const int answer =
            showMessage(QStringLiteral("File is not saved.\r\nWould you like to save the file?\r\n\r\n"
                                       "All the data will be lost if file is not saved."),
                        3, 1);
        if (answer == 2)
            return false;
        if (answer == 6) {
            saveAs();
            if (document.saveIncomplete == 1)
                return false;
        }
    } else if (document.isDirty == 1) {
        const int answer =
            showMessage(QStringLiteral("File is not saved.\r\nWould you like to overwrite the file?\r\n\r\n"
                                       "New entries will be lost if the file is not saved."),
                        3, 1);
        if (answer == 2)
            return false;
        if (answer == 6) {
            save();
            if (document.saveIncomplete == 1)
                return false;
        }
    }
    return true;
}

void MainForm::startEmptyBackup() {
    deleteFileQuietly(document.backupPath);
    writeEmptyBackupOrWarn();
}

void MainForm::writeEmptyBackupOrWarn() {
    const WriteResult written = writeEmptyBackup(document);
    if (!written.ok)
        showMessage(QStringLiteral("The backup file cannot be written.\r\n") + fromStd(document.backupPath) +
                        QStringLiteral("\r\n") + fromStd(written.reason),
                    0, 2);
}

void MainForm::newDocument() {
    if (!leaveDocumentChecks())
        return;
    startEmptyBackup();
    resetDocument();
    drawListBackground();
    drawTrendBackground();
    showCurrentDay();
    DspListTab();
    DspTrendTab();
}

void MainForm::closeDocument() {
    newDocument();
}

void MainForm::openDocument() {
    if (!leaveDocumentChecks())
        return;
    FileDialogRequest request;
    request.title = QStringLiteral("Open");
    request.initialDir = fromStd(document.docDir);
    request.initialFileName = lastOpenedFileName_;
    request.filter = fileFilter;
    request.filterIndex = 1;
    request.fileMustExist = true;
    const FileDialogResult chosen = platform_.dialogs.showOpen(request);
    if (!chosen.accepted || chosen.fullPath.isEmpty() || chosen.fileName.isEmpty())
        return;
    lastOpenedFileName_ = chosen.fileName;
    setDocumentPath(chosen);
    openNamedDocument();
}

void MainForm::openNamedDocument() {
    startEmptyBackup();
    document.isDirty = 0;
    loadFile(document, documentEvents(), today());
}

void MainForm::setDocumentPath(const FileDialogResult& chosen) {
    document.docPath = toStd(chosen.fullPath);
    document.docName = toStd(chosen.fileName);
    document.docDir = document.docPath.substr(0, document.docPath.size() - document.docName.size());
}

void MainForm::openHistoryEntry(int menuIndex) {
    if (!leaveDocumentChecks())
        return;
    const QString path = ui.menu.mnuFileItem[static_cast<std::size_t>(menuIndex)]->text().mid(3);
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const QString dir = path.left(slash + 1);
    const QString name = path.mid(slash + 1);
    if (name.isEmpty() || !fileExists(toStd(path))) {
        showMessage(QString::fromUtf8(text::cannotOpen), 0, 3);
        return;
    }
    document.docDir = toStd(dir);
    document.docPath = toStd(path);
    document.docName = toStd(name);
    openNamedDocument();
}

bool MainForm::askForName() {
    if (!document.userName.empty())
        return true;
    showMessage(QStringLiteral("Input your name."), 0, 1);
    ui.diary.InputName->setFocus(Qt::OtherFocusReason);
    return false;
}

bool MainForm::commitPendingEntry() {
    if (entryChanged == 1) {
        commitEntry();
        if (entryHasErrors == 1)
            return false;
        entryChanged = 0;
    }
    return true;
}

bool MainForm::writeNamedFile() {
    const WriteResult result = writeFile(document, documentEvents());
    if (!result.ok)
        showMessage(QString::fromUtf8(text::cannotSave) + QStringLiteral("\r\n") + fromStd(document.docPath) +
                        QStringLiteral("\r\n") + fromStd(result.reason),
                    0, 0);
    return result.ok;
}

void MainForm::save() {
    document.saveIncomplete = 1;
    if (!askForName())
        return;
    if (document.isUntitled()) {
        saveAs();
        return;
    }
    if (!commitPendingEntry())
        return;
    if (writeNamedFile())
        document.saveIncomplete = 0;
}

void MainForm::saveAs() {
    document.saveIncomplete = 1;
    if (!askForName() || !commitPendingEntry())
        return;
    FileDialogRequest request;
    request.title = QStringLiteral("Save as");
    request.initialDir = fromStd(document.docDir);
    request.filter = fileFilter;
    request.filterIndex = 1;
    request.askBeforeOverwrite = true;
    const FileDialogResult chosen = platform_.dialogs.showSave(request);
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

void MainForm::printPage() {
    switch (ui.mainTab->currentPage()) {
    case 1:
        printListPage();
        break;
    case 2:
        printTrendPage();
        break;
    default:
        break;
    }
}

} // namespace tonolog
