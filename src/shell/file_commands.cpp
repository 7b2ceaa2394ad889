#include "document/data_file.h"
#include "document/messages.h"
#include "platform/clock.h"
#include "shell/controls.h"
#include "shell/main_form.h"

#include <QAction>
#include <QLineEdit>

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

// Saving arrives with the file commands; until then a save never completes, so nothing that
// waits for one (the close) goes on as if the diary were safe.
void MainForm::save() {
    document.saveIncomplete = 1;
}

void MainForm::saveAs() {
    document.saveIncomplete = 1;
}

} // namespace tonolog
