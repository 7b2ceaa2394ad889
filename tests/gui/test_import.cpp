// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/import_dialog.h"
#include "shell/main_form.h"
#include "support/form_harness.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

using namespace tonolog;

namespace {

const QByteArray omronExport =
    "Date,Time,Systolic (mmHg),Diastolic (mmHg),Pulse (bpm),Symptoms,Consumed,TruRead,Notes\n"
    "Jan 12 2025,08:12,114,74,47,-,-,-,-\n"
    "Jan 10 2025,07:49,116,71,49,-,-,-,after coffee\n";

// A diary with an evening reading on Jan. 12, 2025 in its first slot.
MainForm& startWithOneDay(FormHarness& h) {
    const QString path = h.file(QStringLiteral("diary.tnl"));
    FormHarness::writeFile(path, "Ann,\r\nJan./12/2025,140,90,66,9:00pm,,,,,,,,,,\r\n");
    return h.start(path);
}

// Readings > Import readings... from the keyboard, the file chosen in the file dialog.
ImportDialog* importFrom(FormHarness& h, MainForm& form, const QString& file) {
    h.dialogs.queueChosenFile(file);
    QApplication::setActiveWindow(&form);
    QTest::keyClick(&form, Qt::Key_R, Qt::AltModifier);
    if (!QTest::qWaitFor([&] { return QApplication::activePopupWidget() == form.ui.menu.mnuReadings; }))
        return nullptr;
    QTest::keyClick(form.ui.menu.mnuReadings, Qt::Key_I);
    return form.findChild<ImportDialog*>();
}

QString cell(const ImportDialog* dialog, int row, int column) {
    const QTableWidgetItem* item = dialog->preview->item(row, column);
    return item != nullptr ? item->text() : QString();
}

} // namespace

class ImportTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theMenuHoldsImportExportAndReport() {
        FormHarness h;
        MainForm& form = h.start();
        QStringList texts;
        for (const QAction* action : form.ui.menu.mnuReadings->actions())
            texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
        QCOMPARE(texts, (QStringList{"Import readings...(&I)", "Export readings as CSV...(&E)", "-",
                                     "Report for the doctor...(&D)"}));
    }

    // The file's readings take the day's free slots; the evening reading stays in the first; the
    // import is one change, in the backup at once; the same file again adds nothing.
    void importPutsTheReadingsInAndTheSameFileAgainAddsNothing() {
        FormHarness h;
        MainForm& form = startWithOneDay(h);
        const QString file = h.file(QStringLiteral("omron.csv"));
        FormHarness::writeFile(file, omronExport);
        ImportDialog* dialog = importFrom(h, form, file);
        QVERIFY(dialog != nullptr && dialog->isVisible());
        QCOMPARE(h.dialogs.lastFileDialog().request.title, QStringLiteral("Import readings"));
        QVERIFY(dialog->sourceLabel->text().contains(QStringLiteral("OMRON connect CSV")));
        QCOMPARE(cell(dialog, 0, 0) + " " + cell(dialog, 0, 1) + " " + cell(dialog, 0, 2),
                 QStringLiteral("Jan./12/2025 8:12am 114"));
        QVERIFY(dialog->summary->text().contains(QStringLiteral("2 will be imported (1 days new")));
        QVERIFY(dialog->columnsBox == nullptr);

        QTest::keyClick(dialog, Qt::Key_Return);
        QTRY_VERIFY(form.findChild<ImportDialog*>() == nullptr);
        QCOMPARE(h.messages.count(), 1);
        QVERIFY2(h.messages.last().text.startsWith(
                     QStringLiteral("Readings imported: 2\nDays added: 1\nDuplicates skipped: 0\n")),
                 qPrintable(h.messages.last().text));
        const DayRecord day = form.document.dayRecord(dateFromCivil(2025, 1, 12));
        QCOMPARE(QString::fromStdString(day.time[0] + " " + day.time[1]), QStringLiteral("9:00pm 8:12am"));
        QVERIFY(form.document.isDirty());
        QVERIFY(FormHarness::readFile(h.backupPath()).contains("Jan./10/2025,116,71,49,7:49am,"));

        h.messages.forget();
        dialog = importFrom(h, form, file);
        QVERIFY(dialog != nullptr);
        dialog->importButton->click();
        QVERIFY2(h.messages.last().text.startsWith(
                     QStringLiteral("Readings imported: 0\nDays added: 0\nDuplicates skipped: 2\n")),
                 qPrintable(h.messages.last().text));
    }

    void cancelChangesNothing() {
        FormHarness h;
        MainForm& form = startWithOneDay(h);
        const QString file = h.file(QStringLiteral("omron.csv"));
        FormHarness::writeFile(file, omronExport);
        const QByteArray backup = FormHarness::readFile(h.backupPath());
        ImportDialog* dialog = importFrom(h, form, file);
        QVERIFY(dialog != nullptr);
        QTest::keyClick(dialog, Qt::Key_Escape);
        QTRY_VERIFY(form.findChild<ImportDialog*>() == nullptr);
        QCOMPARE(h.messages.count(), 0);
        QVERIFY(!form.document.isDirty());
        QCOMPARE(form.document.table().count(), 1);
        QCOMPARE(FormHarness::readFile(h.backupPath()), backup);
    }

    void aFileOfNoKnownFormIsSaidAndChangesNothing() {
        FormHarness h;
        MainForm& form = startWithOneDay(h);
        const QString file = h.file(QStringLiteral("weights.csv"));
        FormHarness::writeFile(file, "name,weight\nAnn,61\n");
        QVERIFY(importFrom(h, form, file) == nullptr);
        QCOMPARE(h.messages.count(), 1);
        QVERIFY(h.messages.last().text.startsWith(QStringLiteral("The readings cannot be imported.\n") +
                                                  file +
                                                  QStringLiteral("\nIt is no export this program knows")));
        QVERIFY(!form.document.isDirty());
    }

    // A file of no known source: the columns and the open date order are the user's to choose,
    // and the preview follows the choice.
    void theColumnsAndDateOrderOfAnUnknownFileCanBeChosen() {
        FormHarness h;
        MainForm& form = h.start();
        const QString file = h.file(QStringLiteral("sheet.csv"));
        FormHarness::writeFile(file,
                               "Date;Time;SYS;DIA;Pulse;Resting pulse\n03/04/2025;8:00 PM;120;80;70;55\n");
        ImportDialog* dialog = importFrom(h, form, file);
        QVERIFY(dialog != nullptr && dialog->columnsBox != nullptr);
        QVERIFY(dialog->dateOrder->isEnabled());
        QCOMPARE(cell(dialog, 0, 0), QStringLiteral("Mar./04/2025"));
        dialog->dateOrder->setCurrentIndex(
            dialog->dateOrder->findData(static_cast<int>(DateOrder::dayMonthYear)));
        QComboBox* pulse = dialog->columnChoice[ImportDialog::pulField];
        pulse->setCurrentIndex(pulse->findData(5));
        QCOMPARE(cell(dialog, 0, 0) + " " + cell(dialog, 0, 4), QStringLiteral("Apr./03/2025 55"));
        dialog->importButton->click();
        QCOMPARE(form.document.dayRecord(dateFromCivil(2025, 4, 3)).pul[0], std::string("55"));
    }
};

QTEST_MAIN(ImportTest)
#include "test_import.moc"
