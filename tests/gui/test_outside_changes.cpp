// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What other programs, odd files and the limits of the boxes do to a diary: nothing of it is lost.
#include "canvas/controls.h"
#include "diary/diary_page.h"
#include "document/dates.h"
#include "shell/main_form.h"
#include "support/diary_actions.h"
#include "support/form_harness.h"

#include <QAction>
#include <QLineEdit>
#include <QtTest>

#include <cstdio>

#include <sys/stat.h>

using namespace tonolog;
using namespace tonolog::diary;

namespace {

const QByteArray jan5 = "Jan./05/2004,120,80,60,7:05am,,,,,,,,,,\r\n";
const QByteArray jan6 = "Jan./06/2004,122,81,61,8:00am,,,,,,,,,,\r\n";
const QString changedOnDisk =
    QStringLiteral("The diary file was changed by another program since Tonolog last read or saved it:\n");

void save(MainForm& form) {
    form.ui.menu.actSave->trigger();
}

// Today on the harness's clock (Jan./20/2004), SYS of reading 1, taken in by leaving the box.
void enterReading(MainForm& form, const QString& sys) {
    typeInto(form.ui.diary.InputSys[0], sys);
    clickLabel(form.ui.diary.LblSys);
}

// Another program writes the file: a copy renamed over it, as sync clients and editors do.
void replaceElsewhere(const QString& path, const QByteArray& bytes) {
    FormHarness::writeFile(path + QStringLiteral(".new"), bytes);
    QCOMPARE(std::rename(QFile::encodeName(path + QStringLiteral(".new")).constData(),
                         QFile::encodeName(path).constData()),
             0);
}

// The diary d.tnl with these bytes, opened as from the command line.
MainForm& openDiary(FormHarness& h, const QByteArray& bytes) {
    FormHarness::writeFile(h.file(QStringLiteral("d.tnl")), bytes);
    return h.start(h.file(QStringLiteral("d.tnl")));
}

mode_t modeOf(const QString& path) {
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st.st_mode & 0777;
}

} // namespace

class OutsideChangesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A day another program added while this window has an unsaved reading: Save takes both.
    void saveTakesInADayAddedElsewhere() {
        FormHarness h;
        const QString path = h.file(QStringLiteral("d.tnl"));
        MainForm& form = openDiary(h, "Ann,\r\n" + jan5);
        enterReading(form, QStringLiteral("128"));
        replaceElsewhere(path, "Ann,\r\n" + jan5 + jan6);
        h.messages.forget();
        h.messages.queueAnswer(MessageResult::Yes);
        save(form);
        QCOMPARE(h.messages.count(), 1);
        QVERIFY(h.messages.last().text.startsWith(changedOnDisk + path));
        QVERIFY(h.messages.last().text.contains(
            QStringLiteral("1 day added or changed there only will be taken into this diary.")));
        const QByteArray saved = FormHarness::readFile(path);
        QVERIFY(saved.contains(jan5) && saved.contains(jan6) && saved.contains("Jan./20/2004,128,"));
        QVERIFY(!form.document.isDirty());
        QCOMPARE(rowOf(form, 2004, 1, 6).value(1), QStringLiteral("122"));
    }

    // A day changed here and, differently, in place by another program: No offers Save as instead;
    // Yes keeps this window's day and writes the other version beside the diary.
    void aDayChangedOnBothSidesIsKeptAndTheOtherWrittenBeside() {
        FormHarness h;
        const QString path = h.file(QStringLiteral("d.tnl"));
        MainForm& form = openDiary(h, "Ann,\r\nJan./20/2004,120,,,,,,,,,,,,,\r\n");
        enterReading(form, QStringLiteral("128"));
        // Written in place with the same size: only its time tells, which the system keeps to the
        // tick of its clock.
        QTest::qWait(30);
        QFile inPlace(path);
        QVERIFY(inPlace.open(QIODevice::WriteOnly | QIODevice::Truncate));
        inPlace.write("Ann,\r\nJan./20/2004,140,,,,,,,,,,,,,\r\n");
        inPlace.close();
        const QString beside = h.file(QStringLiteral("d (changed elsewhere 2004-01-20 14.07).tnl"));

        h.messages.queueAnswer(MessageResult::No);
        h.dialogs.queueFileCancel();
        save(form);
        QCOMPARE(h.dialogs.lastFileDialog().request.title, QStringLiteral("Save as"));
        QVERIFY(h.messages.last().text.contains(
            QStringLiteral(
                "1 day was changed both there and here: the version of this window is kept, and the "
                "other one is written to\n") +
            beside));
        QCOMPARE(FormHarness::readFile(path), QByteArray("Ann,\r\nJan./20/2004,140,,,,,,,,,,,,,\r\n"));
        QVERIFY(!QFileInfo::exists(beside));

        h.messages.queueAnswer(MessageResult::Yes);
        save(form);
        QCOMPARE(FormHarness::readFile(path), QByteArray("Ann,\r\nJan./20/2004,128,,,,,,,,,,,,,\r\n"));
        QCOMPARE(FormHarness::readFile(beside), QByteArray("Ann,\r\nJan./20/2004,140,,,,,,,,,,,,,\r\n"));
        QCOMPARE(modeOf(beside), mode_t(0600));
    }

    // With nothing unsaved, a file changed elsewhere is read again when the window comes back,
    // the day shown stays, and that is said once.
    void anUnchangedDiaryIsReadAgainWhenTheWindowComesBack() {
        FormHarness h;
        const QString path = h.file(QStringLiteral("d.tnl"));
        MainForm& form = openDiary(h, "Ann,\r\n" + jan5);
        form.diary().loadDay(dateFromCivil(2004, 1, 5));
        replaceElsewhere(path, "Ann,\r\n" + jan5 + jan6);
        h.messages.forget();
        for (int i = 0; i < 2; ++i) {
            QEvent activate(QEvent::WindowActivate);
            QApplication::sendEvent(&form, &activate);
            QCoreApplication::processEvents();
        }
        QCOMPARE(h.messages.count(), 1);
        QCOMPARE(
            h.messages.last().text,
            QStringLiteral("The diary file was changed by another program, so it has been read again:\n") +
                path);
        QCOMPARE(form.document.table().count(), 2);
        QCOMPARE(form.ui.diary.InputDate->text(), QStringLiteral("Jan./05/2004"));

        // A file that lost days is not read again: this window may hold their last copy.
        replaceElsewhere(path, "Ann,\r\n" + jan5);
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&form, &activate);
        QCoreApplication::processEvents();
        QVERIFY(h.messages.last().text.contains(
            QStringLiteral("It no longer holds 1 day that this window shows")));
        QCOMPARE(form.document.table().count(), 2);
    }

    // A line the reader cannot take is said when the file opens, and written beside the file
    // before the first save over it.
    void linesNotReadAreSaidAndKeptBeforeTheSave() {
        FormHarness h;
        const QString path = h.file(QStringLiteral("d.tnl"));
        MainForm& form = openDiary(h, "Ann,\r\n" + jan5 + "Jan./06/2004,251,80,,,,,,,,,,,,\r\n");
        const QString kept = h.file(QStringLiteral("d (lines not read).txt"));
        QCOMPARE(h.messages.last().text,
                 QStringLiteral("1 line of this diary could not be read, so it is not shown:\n"
                                "line 3: a value is not a whole number from 0 to 250\n\n"
                                "They are not lost: before the diary is next saved over this file, they are "
                                "written to\n") +
                     kept);
        enterReading(form, QStringLiteral("128"));
        save(form);
        QCOMPARE(FormHarness::readFile(kept), QByteArray("Jan./06/2004,251,80,,,,,,,,,,,,\r\n"));
        QCOMPARE(modeOf(kept), mode_t(0600));
        QVERIFY(!FormHarness::readFile(path).contains("251"));
    }

    // A note longer than a box holds by default is kept whole when its day is edited.
    void aLongNoteIsKeptWhole() {
        FormHarness h;
        const QByteArray note(40000, 'n');
        MainForm& form = openDiary(h, "Ann,\r\nJan./20/2004,120,,,,,,,,,,,," + note + ",\r\n");
        enterReading(form, QStringLiteral("128"));
        QCOMPARE(rowOf(form, 2004, 1, 20).value(13).size(), note.size());
    }

    // The day buttons stop at the first and last day a date can be.
    void dayStepsStopAtTheYearsADateCarries() {
        FormHarness h;
        MainForm& form = h.start();
        form.diary().loadDay(dateFromCivil(9999, 12, 31));
        form.diary().stepDay(+1);
        QCOMPARE(form.ui.diary.InputDate->text(), QStringLiteral("Dec./31/9999"));
        form.diary().loadDay(dateFromCivil(100, 1, 1));
        form.diary().stepDay(-1);
        QCOMPARE(form.ui.diary.InputDate->text(), QStringLiteral("Jan./01/0100"));
    }

    // A file emptied or spoilt elsewhere may be all that is left of the diary there: Save does not
    // write over it unasked.
    void aFileThatIsNoWholeDiaryIsNotSavedOver() {
        FormHarness h;
        const QString path = h.file(QStringLiteral("d.tnl"));
        MainForm& form = openDiary(h, "Ann,\r\n" + jan5);
        enterReading(form, QStringLiteral("128"));
        replaceElsewhere(path, QByteArray("Ann,\r\n\0\0\0", 9));
        h.messages.queueAnswer(MessageResult::No);
        save(form);
        QVERIFY(h.messages.last().text.contains(
            QStringLiteral("So that nothing in it is lost, it is not overwritten.")));
        QCOMPARE(FormHarness::readFile(path), QByteArray("Ann,\r\n\0\0\0", 9));
        QVERIFY(form.document.isDirty());
    }
};

QTEST_MAIN(OutsideChangesTest)
#include "test_outside_changes.moc"
