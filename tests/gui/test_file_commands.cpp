// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/controls.h"
#include "document/dates.h"
#include "listpage/list_page.h"
#include "shell/main_form.h"
#include "shell/main_tab.h"
#include "support/diary_actions.h"
#include "support/form_harness.h"
#include "trend/trend_page.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QtTest>

using namespace tonolog;
using namespace tonolog::diary;

namespace {

const QByteArray emptyBackup = ",,,,,,,,,,,,,,\r\n";
const QString dataChanged = QStringLiteral("Data is changed.\nSave data and continue process?");
const QString saveUntitled = QStringLiteral("File is not saved.\nWould you like to save the file?\n\n"
                                            "All the data will be lost if file is not saved.");
const QString saveNamed = QStringLiteral("File is not saved.\nWould you like to overwrite the file?\n\n"
                                         "New entries will be lost if the file is not saved.");

void menu(QAction* item) {
    item->trigger();
}

// Commits one reading for today through the Diary page, so the document has unsaved changes.
void enterReading(MainForm& form, const QString& sys = QStringLiteral("128")) {
    typeInto(form.ui.diary.InputSys[0], sys);
    clickLabel(form.ui.diary.LblSys);
}

QStringList history(const MainForm& form) {
    return {form.history.historyPath1, form.history.historyPath2, form.history.historyPath3};
}

} // namespace

class FileCommandsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pendingEntryQuestion_data() {
        QTest::addColumn<MessageResult>("answer");
        QTest::addColumn<QString>("sys");
        QTest::addColumn<bool>("documentReset");
        QTest::addColumn<bool>("committed");
        QTest::newRow("yes, valid") << MessageResult::Yes << "128" << true << true;
        QTest::newRow("yes, invalid") << MessageResult::Yes << "300" << false << false;
        QTest::newRow("no") << MessageResult::No << "128" << true << false;
        QTest::newRow("cancel") << MessageResult::Cancel << "128" << false << false;
    }

    // New while the page holds an edit that was not committed yet (the box still has the focus).
    void pendingEntryQuestion() {
        QFETCH(MessageResult, answer);
        QFETCH(QString, sys);
        QFETCH(bool, documentReset);
        QFETCH(bool, committed);
        FormHarness h;
        MainForm& form = h.start();
        typeInto(form.ui.diary.InputName, QStringLiteral("Ann"));
        pressTab(form);
        typeInto(form.ui.diary.InputSys[0], sys);
        h.messages.forget();
        h.messages.queueAnswer(answer);
        // After a committed reading the untitled diary asks to be saved: No.
        h.messages.queueAnswer(MessageResult::No);
        menu(form.ui.menu.actNew);
        QCOMPARE(h.messages.asked().front().text, dataChanged);
        QCOMPARE(h.messages.asked().front().buttons, MessageButtons::YesNoCancel);
        QCOMPARE(h.messages.asked().front().icon, MessageIcon::Question);
        if (sys == QStringLiteral("300"))
            QCOMPARE(h.messages.last().text, QStringLiteral("Range of SYS is 0 to 250.\n"));
        if (committed)
            QCOMPARE(h.messages.last().text, saveUntitled);
        QCOMPARE(form.document.userName().empty(), documentReset);
        QCOMPARE(form.ui.diary.InputSys[0]->text().isEmpty(), documentReset);
        if (documentReset)
            QCOMPARE(FormHarness::readFile(h.backupPath()), emptyBackup);
    }

    void untitledDiaryQuestion() {
        FormHarness h;
        MainForm& form = h.start();
        typeInto(form.ui.diary.InputName, QStringLiteral("Ann"));
        enterReading(form);
        h.messages.forget();
        // Cancel: nothing happens.
        h.messages.queueAnswer(MessageResult::Cancel);
        menu(form.ui.menu.actClose);
        QCOMPARE(h.messages.last().text, saveUntitled);
        QCOMPARE(form.document.table().count(), 1);
        // Yes, then the file dialog is cancelled: the command stops.
        h.messages.queueAnswer(MessageResult::Yes);
        h.dialogs.queueFileCancel();
        menu(form.ui.menu.actClose);
        QCOMPARE(form.document.table().count(), 1);
        QVERIFY(form.files().saveIncomplete());
        // Yes and a file name: saved, then the new document starts.
        const QString path = h.file(QStringLiteral("ann.tnl"));
        h.messages.queueAnswer(MessageResult::Yes);
        h.dialogs.queueChosenFile(path);
        menu(form.ui.menu.actClose);
        QCOMPARE(FormHarness::readFile(path), QByteArray("Ann,\r\nJan./20/2004,128,,,,,,,,,,,,,\r\n"));
        QCOMPARE(form.document.table().count(), 0);
        QVERIFY(form.document.isUntitled());
        QCOMPARE(form.history.historyPath1, path);
        QCOMPARE(FormHarness::readFile(h.backupPath()), emptyBackup);
    }

    void namedDiaryQuestion() {
        FormHarness h;
        const QString path = h.file(QStringLiteral("ann.tnl"));
        FormHarness::writeFile(path, "Ann,\r\n");
        MainForm& form = h.start(path);
        enterReading(form);
        QCOMPARE(form.windowTitle(), QStringLiteral("Tonolog [ann.tnl]"));
        h.messages.queueAnswer(MessageResult::Cancel);
        menu(form.ui.menu.actNew);
        QCOMPARE(h.messages.last().text, saveNamed);
        QCOMPARE(form.document.table().count(), 1);
        h.messages.queueAnswer(MessageResult::Yes);
        menu(form.ui.menu.actNew);
        QCOMPARE(FormHarness::readFile(path), QByteArray("Ann,\r\nJan./20/2004,128,,,,,,,,,,,,,\r\n"));
        QCOMPARE(form.windowTitle(), QStringLiteral("Tonolog"));
        QCOMPARE(form.document.table().count(), 0);
    }

    // A later start's file that is not there is said before anything is asked, and the diary stays.
    void aHandedOverFileThatIsMissingAsksNothing() {
        FormHarness h;
        const QString path = h.file(QStringLiteral("ann.tnl"));
        FormHarness::writeFile(path, "Ann,\r\n");
        MainForm& form = h.start(path);
        enterReading(form);
        h.messages.forget();
        const QString missing = h.file(QStringLiteral("gone.tnl"));
        form.files().openHandedOverFile(missing);
        QCOMPARE(h.messages.count(), 0); // not from inside the caller
        QTRY_COMPARE(h.messages.count(), 1);
        QCOMPARE(h.messages.last().text,
                 QStringLiteral("Data file cannot be opened.\n") + missing + "\nNo such file or directory");
        QCOMPARE(form.windowTitle(), QStringLiteral("Tonolog [ann.tnl]"));
        QVERIFY(form.document.isDirty());
        QCOMPARE(form.document.table().count(), 1);
    }

    void newOnANamedDiaryAnsweredNoLosesTheChanges() {
        FormHarness h;
        const QString path = h.file(QStringLiteral("ann.tnl"));
        FormHarness::writeFile(path, "Ann,\r\n");
        MainForm& form = h.start(path);
        enterReading(form);
        QVERIFY(FormHarness::readFile(h.backupPath()).contains("128"));
        h.messages.queueAnswer(MessageResult::No);
        menu(form.ui.menu.actNew);
        QCOMPARE(FormHarness::readFile(path), QByteArray("Ann,\r\n"));
        QCOMPARE(FormHarness::readFile(h.backupPath()), emptyBackup);
        QCOMPARE(form.windowTitle(), QStringLiteral("Tonolog"));
        QVERIFY(!form.document.isDirty());
        QCOMPARE(form.ui.diary.InputName->text(), QString());
        QCOMPARE(form.ui.list.LblListTitle->text(), QStringLiteral("(New) 's data list"));
    }

    void saveNeedsAName() {
        FormHarness h;
        const QString path = h.file(QStringLiteral("ann.tnl"));
        FormHarness::writeFile(path, ",\r\n");
        MainForm& form = h.start(path);
        enterReading(form);
        for (QAction* item : {form.ui.menu.actSave, form.ui.menu.actSaveAs}) {
            form.ui.mainTab->takeFocus();
            h.messages.forget();
            menu(item);
            QCOMPARE(h.messages.count(), 1);
            QCOMPARE(h.messages.last().text, QStringLiteral("Input your name."));
            QCOMPARE(h.messages.last().buttons, MessageButtons::Ok);
            QCOMPARE(h.messages.last().icon, MessageIcon::Question);
            QCOMPARE(QApplication::focusWidget(), form.ui.diary.InputName);
            QCOMPARE(h.dialogs.fileDialogCount(), 0);
            QCOMPARE(FormHarness::readFile(path), QByteArray(",\r\n"));
            QVERIFY(form.files().saveIncomplete());
        }
    }

    void saveOnUntitledRunsSaveAs() {
        FormHarness h;
        MainForm& form = h.start();
        typeInto(form.ui.diary.InputName, QStringLiteral("Ann"));
        enterReading(form);
        const QString path = h.file(QStringLiteral("new.tnl"));
        h.dialogs.queueChosenFile(path);
        menu(form.ui.menu.actSave);
        QCOMPARE(h.dialogs.fileDialogCount(), 1);
        const FileDialogRequest& asked = h.dialogs.lastFileDialog().request;
        QCOMPARE(h.dialogs.lastFileDialog().kind, FakeDialogService::FileDialogKind::Save);
        QCOMPARE(asked.title, QStringLiteral("Save as"));
        QCOMPARE(asked.initialDir, h.locations.documentsDir);
        QCOMPARE(asked.initialFileName, QStringLiteral("Ann.tnl"));
        QCOMPARE(asked.defaultSuffix, QStringLiteral("tnl"));
        QCOMPARE(asked.filter, QStringLiteral("TNL Files (*.tnl)|*.tnl|All Files (*.*)|*.*"));
        QCOMPARE(asked.filterIndex, 1);
        QVERIFY(asked.askBeforeOverwrite);
        QVERIFY(!asked.fileMustExist);
        QCOMPARE(FormHarness::readFile(path), QByteArray("Ann,\r\nJan./20/2004,128,,,,,,,,,,,,,\r\n"));
        QCOMPARE(form.windowTitle(), QStringLiteral("Tonolog [new.tnl]"));
        QVERIFY(!form.document.isDirty());
        QVERIFY(!form.files().saveIncomplete());
        QVERIFY(!QFile::exists(h.backupPath()));
        QCOMPARE(form.history.historyPath1, path);
        QVERIFY(form.ui.menu.actHistory[0]->isVisible());
        // The next commit writes the backup again; Save then writes the named file and deletes it.
        enterReading(form, QStringLiteral("130"));
        QVERIFY(FormHarness::readFile(h.backupPath()).contains("130"));
        menu(form.ui.menu.actSave);
        QCOMPARE(h.dialogs.fileDialogCount(), 1);
        QVERIFY(FormHarness::readFile(path).contains("130"));
        QVERIFY(!QFile::exists(h.backupPath()));
    }

    void failedSaveChangesNothing() {
        FormHarness h;
        MainForm& form = h.start();
        typeInto(form.ui.diary.InputName, QStringLiteral("Ann"));
        enterReading(form);
        const QString path = h.file(QStringLiteral("missing-directory/ann.tnl"));
        h.dialogs.queueChosenFile(path);
        menu(form.ui.menu.actSaveAs);
        QCOMPARE(h.messages.count(), 1);
        QVERIFY(
            h.messages.last().text.startsWith(QStringLiteral("Data file cannot be saved.\n") + path + "\n"));
        QVERIFY(h.messages.last().text.size() >
                QStringLiteral("Data file cannot be saved.\n").size() + path.size() + 3);
        QCOMPARE(h.messages.last().buttons, MessageButtons::Ok);
        QCOMPARE(h.messages.last().icon, MessageIcon::Stop);
        QVERIFY(form.files().saveIncomplete());
        QVERIFY(form.document.isDirty());
        QVERIFY(form.document.isUntitled());
        QCOMPARE(form.windowTitle(), QStringLiteral("Tonolog"));
        QVERIFY(form.history.historyPath1.isEmpty());
        QVERIFY(FormHarness::readFile(h.backupPath()).contains("128"));
        // And the close that asked for the save stays open.
        h.messages.queueAnswer(MessageResult::Yes);
        h.dialogs.queueChosenFile(path);
        QVERIFY(!form.close());
        QVERIFY(QFile::exists(h.backupPath()));
    }

    void openLoadsAndEmptiesTheBackup() {
        FormHarness h;
        const QString path = h.file(QStringLiteral("bea.tnl"));
        FormHarness::writeFile(path, "Bea,\r\nJan./05/2004,120,80,60,8:00am,,,,,,,,,,\r\n");
        MainForm& form = h.start();
        typeInto(form.ui.diary.InputName, QStringLiteral("Ann"));
        enterReading(form);
        h.messages.queueAnswer(MessageResult::No);
        h.dialogs.queueChosenFile(path);
        menu(form.ui.menu.actOpen);
        const FileDialogRequest& asked = h.dialogs.lastFileDialog().request;
        QCOMPARE(h.dialogs.lastFileDialog().kind, FakeDialogService::FileDialogKind::Open);
        QCOMPARE(asked.title, QStringLiteral("Open"));
        QVERIFY(asked.fileMustExist);
        QCOMPARE(asked.initialDir, h.locations.documentsDir);
        QCOMPARE(form.document.userName(), std::string("Bea"));
        QCOMPARE(form.windowTitle(), QStringLiteral("Tonolog [bea.tnl]"));
        QCOMPARE(form.document.folder(), toStd(h.dir.path() + QLatin1Char('/')));
        QVERIFY(!form.document.isDirty());
        QCOMPARE(FormHarness::readFile(h.backupPath()), emptyBackup);
        QCOMPARE(form.history.historyPath1, path);
        // A cancelled dialog changes nothing; the next dialog starts in the file's directory.
        h.dialogs.queueFileCancel();
        menu(form.ui.menu.actOpen);
        QCOMPARE(h.dialogs.lastFileDialog().request.initialDir, h.dir.path() + QLatin1Char('/'));
        QCOMPARE(h.dialogs.lastFileDialog().request.initialFileName, QStringLiteral("bea.tnl"));
        QCOMPARE(form.document.userName(), std::string("Bea"));
    }

    void updateHistoryKeepsThreeDistinctPaths_data() {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("after");
        const QString a = QStringLiteral("/d/A.tnl"), b = QStringLiteral("/d/B.tnl"),
                      c = QStringLiteral("/d/C.tnl"), d = QStringLiteral("/d/D.tnl");
        QTest::newRow("new file") << QStringList{a, b, c} << d << QStringList{d, a, b};
        QTest::newRow("second") << QStringList{a, b, c} << b << QStringList{b, a, c};
        QTest::newRow("third") << QStringList{a, b, c} << c << QStringList{c, a, b};
        QTest::newRow("first") << QStringList{a, b, c} << a << QStringList{a, b, c};
        QTest::newRow("only entry") << QStringList{a, {}, {}} << a << QStringList{a, {}, {}};
        QTest::newRow("empty") << QStringList{{}, {}, {}} << a << QStringList{a, {}, {}};
        QTest::newRow("two") << QStringList{a, b, {}} << c << QStringList{c, a, b};
        QTest::newRow("case matters") << QStringList{a, {}, {}} << QStringLiteral("/d/a.tnl")
                                      << QStringList{QStringLiteral("/d/a.tnl"), a, {}};
    }

    void updateHistoryKeepsThreeDistinctPaths() {
        QFETCH(QStringList, before);
        QFETCH(QString, file);
        QFETCH(QStringList, after);
        FormHarness h;
        h.settings.preset(QStringLiteral("History"), QStringLiteral("Path1"), before[0]);
        h.settings.preset(QStringLiteral("History"), QStringLiteral("Path2"), before[1]);
        h.settings.preset(QStringLiteral("History"), QStringLiteral("Path3"), before[2]);
        MainForm& form = h.start();
        form.document.open(toStd(file), Date{});
        form.files().updateHistory();
        QCOMPARE(history(form), after);
        const auto& items = form.ui.menu.actHistory;
        QCOMPARE(form.ui.menu.historySeparator->isVisible(), !after[0].isEmpty());
        for (int k = 0; k < 3; ++k) {
            QCOMPARE(items[static_cast<std::size_t>(k)]->isVisible(), !after[k].isEmpty());
            if (!after[k].isEmpty())
                QCOMPARE(items[static_cast<std::size_t>(k)]->text(),
                         QStringLiteral("&%1 ").arg(k + 1) + after[k]);
        }
    }

    void historyEntriesOpenTheirFiles() {
        FormHarness h;
        const QString there = h.file(QStringLiteral("there.tnl"));
        FormHarness::writeFile(there, "Cy,\r\n");
        h.settings.preset(QStringLiteral("History"), QStringLiteral("Path1"),
                          h.file(QStringLiteral("gone.tnl")));
        h.settings.preset(QStringLiteral("History"), QStringLiteral("Path2"), there);
        MainForm& form = h.start();
        menu(form.ui.menu.actHistory[0]);
        QCOMPARE(h.messages.last().text, QStringLiteral("Data file cannot be opened.\n") +
                                             h.file(QStringLiteral("gone.tnl")) +
                                             "\nNo such file or directory");
        QCOMPARE(h.messages.last().icon, MessageIcon::Information);
        QCOMPARE(form.history.historyPath1, h.file(QStringLiteral("gone.tnl")));
        menu(form.ui.menu.actHistory[1]);
        QCOMPARE(form.document.userName(), std::string("Cy"));
        QCOMPARE(form.windowTitle(), QStringLiteral("Tonolog [there.tnl]"));
        QCOMPARE(history(form), (QStringList{there, h.file(QStringLiteral("gone.tnl")), QString()}));
        QCOMPARE(FormHarness::readFile(h.backupPath()), emptyBackup);
    }

    // The entry chosen opens, though the save it asked for first moved the history.
    void aHistoryEntryOpensAfterTheSaveItAskedFor() {
        FormHarness h;
        const QString a = h.file(QStringLiteral("a.tnl"));
        const QString b = h.file(QStringLiteral("b.tnl"));
        FormHarness::writeFile(a, "Al,\r\n");
        FormHarness::writeFile(b, "Bo,\r\n");
        h.settings.preset(QStringLiteral("History"), QStringLiteral("Path1"), a);
        h.settings.preset(QStringLiteral("History"), QStringLiteral("Path2"), b);
        MainForm& form = h.start();
        typeInto(form.ui.diary.InputName, QStringLiteral("Ann"));
        enterReading(form);
        h.messages.queueAnswer(MessageResult::Yes);
        h.dialogs.queueChosenFile(h.file(QStringLiteral("new.tnl")));
        menu(form.ui.menu.actHistory[1]);
        QCOMPARE(h.messages.last().text, saveUntitled);
        QVERIFY(FormHarness::readFile(h.file(QStringLiteral("new.tnl"))).startsWith("Ann,"));
        QCOMPARE(form.windowTitle(), QStringLiteral("Tonolog [b.tnl]"));
        QCOMPARE(form.document.userName(), std::string("Bo"));
    }

    // A diary named like the backup is a named diary all the same; the wait pointer is gone while
    // a file that cannot be read is said.
    void theFileNameMakesNoDiaryUntitled() {
        FormHarness h;
        MainForm& form = h.start();
        typeInto(form.ui.diary.InputName, QStringLiteral("Ann"));
        enterReading(form);
        h.dialogs.queueChosenFile(h.file(QStringLiteral("TL_Backup")));
        menu(form.ui.menu.actSaveAs);
        QCOMPARE(form.windowTitle(), QStringLiteral("Tonolog [TL_Backup]"));
        QVERIFY(!form.document.isUntitled());
        const QString picture = h.file(QStringLiteral("picture.tnl"));
        FormHarness::writeFile(picture, QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
        bool busyWhenAsked = true;
        h.messages.whenAsked = [&](const MessageRequest&) {
            busyWhenAsked = QApplication::overrideCursor() != nullptr;
        };
        h.dialogs.queueChosenFile(picture);
        menu(form.ui.menu.actOpen);
        QVERIFY(h.messages.last().text.startsWith(QStringLiteral("Data file cannot be opened.")));
        QVERIFY(!busyWhenAsked);
    }

    // A diary of more days than the table holds opens untitled: the caption says so, and Save as
    // starts where an untitled diary's does, not in the backup's folder.
    void aDiaryOfTooManyDaysOpensUntitled() {
        FormHarness h;
        const QString named = h.file(QStringLiteral("named.tnl"));
        FormHarness::writeFile(named, "Ann,\r\n");
        QByteArray many = "Bo,\r\n";
        for (int i = 0; i < 32768; ++i)
            many += QByteArray::fromStdString(
                        formatDayKey(addDays(dateFromCivil(1900, 1, 1), i, DayStep::forward))) +
                    ",120,,,,,,,,,,,,,\r\n";
        const QString big = h.file(QStringLiteral("big.tnl"));
        FormHarness::writeFile(big, many);
        MainForm& form = h.start(named);
        h.dialogs.queueChosenFile(big);
        menu(form.ui.menu.actOpen);
        QVERIFY(h.messages.last().text.startsWith(QStringLiteral("This diary holds more than 32767 days")));
        QCOMPARE(form.windowTitle(), QStringLiteral("Tonolog"));
        menu(form.ui.menu.actSaveAs);
        QCOMPARE(h.dialogs.lastFileDialog().request.initialDir, h.locations.documentsDir);
    }

    // The menu shows a "&" of the path as it is, and the entry opens the path it stands for.
    void anAmpersandInAHistoryPathIsShownAndOpened() {
        FormHarness h;
        const QString path = h.file(QStringLiteral("Tom & Ann.tnl"));
        FormHarness::writeFile(path, "Tom,\r\n");
        h.settings.preset(QStringLiteral("History"), QStringLiteral("Path1"), path);
        MainForm& form = h.start();
        QAction* item = form.ui.menu.actHistory[0];
        QCOMPARE(item->text(),
                 QStringLiteral("&1 ") + QString(path).replace(QStringLiteral("&"), QStringLiteral("&&")));
        menu(form.ui.menu.actHistory[0]);
        QCOMPARE(h.messages.count(), 0);
        QCOMPARE(form.document.path(), toStd(path));
        QCOMPARE(form.document.userName(), std::string("Tom"));
    }

    // A new diary starts every page afresh: no pending edit, no held button, the arrow pointer.
    void newResetsEveryPage() {
        FormHarness h;
        MainForm& form = h.start();
        h.clock.setNow(QDateTime(QDate(2004, 2, 3), QTime(9, 0)));
        typeInto(form.ui.diary.InputSys[0], QStringLiteral("999"));
        form.diary().dayButtonState = HoldState::repeating;
        form.list().listButtonState = HoldState::pressed;
        form.trend().trendButtonState = HoldState::repeating;
        form.pointer.showHand();
        h.messages.queueAnswer(MessageResult::No);
        menu(form.ui.menu.actNew);
        QVERIFY(!form.diary().entryChanged);
        QVERIFY(!form.diary().entryHasErrors);
        QCOMPARE(form.diary().dayButtonState, HoldState::idle);
        QCOMPARE(form.list().listButtonState, HoldState::idle);
        QCOMPARE(form.trend().trendButtonState, HoldState::idle);
        QCOMPARE(form.pointer.labelPointerState, LabelPointer::untouched);
        QCOMPARE(form.ui.diary.InputDate->text(), QStringLiteral("Feb./03/2004"));
        QCOMPARE(form.ui.diary.InputSys[0]->text(), QString());
    }

    void printIsOffOnTheDiaryPage() {
        FormHarness h;
        MainForm& form = h.start();
        QMenu* file = form.ui.menu.mnuFile;
        QAction* print = form.ui.menu.actPrint;
        Q_EMIT file->aboutToShow();
        QVERIFY(!print->isEnabled());
        MainTab* tab = form.ui.mainTab;
        QTest::mouseClick(tab->strip(), Qt::LeftButton, {}, tab->strip()->tabRect(1).center());
        Q_EMIT file->aboutToShow();
        QVERIFY(print->isEnabled());
    }

    void exitClosesLikeTheCloseBox() {
        FormHarness h;
        MainForm& form = h.start();
        enterReading(form);
        h.messages.queueAnswer(MessageResult::Cancel);
        menu(form.ui.menu.actExit);
        QVERIFY(form.isVisible());
        QCOMPARE(h.messages.last().text, saveUntitled);
        h.messages.queueAnswer(MessageResult::No);
        menu(form.ui.menu.actExit);
        QVERIFY(!form.isVisible());
        QVERIFY(!QFile::exists(h.backupPath()));
    }
};

QTEST_MAIN(FileCommandsTest)
#include "test_file_commands.moc"
