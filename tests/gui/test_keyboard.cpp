// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/controls.h"
#include "document/document.h"
#include "print/page_printing.h"
#include "shell/main_form.h"
#include "shell/main_tab.h"
#include "support/diary_actions.h"
#include "support/form_harness.h"
#include "support/recording_surface.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QMenu>
#include <QtTest>

using namespace tonolog;
using namespace tonolog::diary;

namespace {

// What is on the page before the key or the click.
enum Setup {
    nothing,
    pendingEdit,   // 131 typed into SYS of reading 1, the box not left
    invalidEntry,  // 300 typed there
    menuOnTheDiary // the File menu was opened on the Diary page before the page was switched
};

// Forty days from Jan. 1 2004, one reading each; today is Jan. 20 2004.
QByteArray fortyDays() {
    QByteArray text = "Ann,\r\n";
    for (int i = 0; i < 40; ++i)
        text +=
            QByteArray::fromStdString(formatDayKey(addDays(dateFromCivil(2004, 1, 1), i, DayStep::forward))) +
            ",120,80,66,7:05am,,,,,,,,,,\r\n";
    return text;
}

// The window on `page`, the list at its third day and the graph on January, so that every step
// can move; printing records onto `printed`, the printer dialog answered OK.
MainForm& start(FormHarness& h, int page, Setup setup, std::shared_ptr<Recording> printed) {
    const QString path = h.file(QStringLiteral("ann.tnl"));
    FormHarness::writeFile(path, fortyDays());
    MainForm& form = h.start(path);
    form.document.setListTopIndex(3);
    form.document.setTrendWindowToMonthOf(dateFromCivil(2004, 1, 1));
    form.redrawPages();
    form.printing().setSurfaceFactory(
        [printed](QPrinter&) { return std::unique_ptr<PrinterSurface>(new RecordingSurface(*printed)); });
    h.dialogs.queuePrinterAnswer(true);
    if (setup == menuOnTheDiary)
        Q_EMIT form.ui.menu.mnuFile->aboutToShow();
    MainTab* tab = form.ui.mainTab;
    if (page != 0)
        QTest::mouseClick(tab->strip(), Qt::LeftButton, {}, tab->strip()->tabRect(page).center());
    if (setup == pendingEdit)
        typeInto(form.ui.diary.InputSys[0], QStringLiteral("131"));
    if (setup == invalidEntry)
        typeInto(form.ui.diary.InputSys[0], QStringLiteral("300"));
    return form;
}

// What the user sees and what was asked of them.
QStringList outcome(FormHarness& h, MainForm& form, const Recording& printed) {
    MainTab* tab = form.ui.mainTab;
    return {QString::number(tab->currentPage()),
            tab->tabColor(0).name() + tab->tabColor(1).name() + tab->tabColor(2).name(),
            form.ui.diary.InputDate->text(),
            form.ui.diary.InputSys[0]->text(),
            rowOf(form, 2004, 1, 20).join(QLatin1Char(',')),
            form.ui.list.LblDateData[0]->text(),
            form.ui.trend.LblTrendDateTop->text(),
            QString::number(h.messages.count()),
            h.messages.count() > 0 ? h.messages.last().text : QString(),
            QString::number(h.dialogs.printerDialogCount()),
            printed.lines.join(QLatin1Char('\n'))};
}

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void keyDoesWhatItsButtonDoes_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("setup");
        QTest::addColumn<QKeySequence>("key");
        QTest::addColumn<QString>("button"); // the image button it matches, or "tab N"
        const QKeySequence pageUp(Qt::Key_PageUp);
        const QKeySequence pageDown(Qt::Key_PageDown);
        const QKeySequence altUp(Qt::ALT | Qt::Key_Up);
        const QKeySequence altDown(Qt::ALT | Qt::Key_Down);
        const QKeySequence ctrlTab(Qt::CTRL | Qt::Key_Tab);
        const QKeySequence ctrlShiftTab(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab);
        const QKeySequence ctrlP(Qt::CTRL | Qt::Key_P);
        QTest::newRow("Diary, Page Up") << 0 << int(nothing) << pageUp << "ImgDiaryUp";
        QTest::newRow("Diary, Alt+Up") << 0 << int(nothing) << altUp << "ImgDiaryUp";
        QTest::newRow("Diary, Page Down") << 0 << int(nothing) << pageDown << "ImgDiaryDown";
        QTest::newRow("Diary, Alt+Down") << 0 << int(nothing) << altDown << "ImgDiaryDown";
        QTest::newRow("Diary, Page Down commits the edit first")
            << 0 << int(pendingEdit) << pageDown << "ImgDiaryDown";
        QTest::newRow("Diary, Page Down on an invalid entry: the message, no step")
            << 0 << int(invalidEntry) << pageDown << "ImgDiaryDown";
        QTest::newRow("List, Page Up") << 1 << int(nothing) << pageUp << "ImgListUp";
        QTest::newRow("List, Alt+Up") << 1 << int(nothing) << altUp << "ImgListUp";
        QTest::newRow("List, Page Down") << 1 << int(nothing) << pageDown << "ImgListDown";
        QTest::newRow("List, Alt+Down") << 1 << int(nothing) << altDown << "ImgListDown";
        QTest::newRow("Trend, Page Up") << 2 << int(nothing) << pageUp << "ImgTrendLeft";
        QTest::newRow("Trend, Alt+Up") << 2 << int(nothing) << altUp << "ImgTrendLeft";
        QTest::newRow("Trend, Alt+Left")
            << 2 << int(nothing) << QKeySequence(Qt::ALT | Qt::Key_Left) << "ImgTrendLeft";
        QTest::newRow("Trend, Page Down") << 2 << int(nothing) << pageDown << "ImgTrendRight";
        QTest::newRow("Trend, Alt+Down") << 2 << int(nothing) << altDown << "ImgTrendRight";
        QTest::newRow("Trend, Alt+Right")
            << 2 << int(nothing) << QKeySequence(Qt::ALT | Qt::Key_Right) << "ImgTrendRight";
        QTest::newRow("Diary, Ctrl+Tab") << 0 << int(nothing) << ctrlTab << "tab 1";
        QTest::newRow("Diary, Ctrl+Tab commits the edit first")
            << 0 << int(pendingEdit) << ctrlTab << "tab 1";
        QTest::newRow("Diary, Ctrl+Tab on an invalid entry") << 0 << int(invalidEntry) << ctrlTab << "tab 1";
        QTest::newRow("Diary, Ctrl+Shift+Tab") << 0 << int(nothing) << ctrlShiftTab << "tab 2";
        QTest::newRow("List, Ctrl+Tab") << 1 << int(nothing) << ctrlTab << "tab 2";
        QTest::newRow("List, Ctrl+Shift+Tab") << 1 << int(nothing) << ctrlShiftTab << "tab 0";
        QTest::newRow("Trend, Ctrl+Tab") << 2 << int(nothing) << ctrlTab << "tab 0";
        QTest::newRow("List, Ctrl+P") << 1 << int(nothing) << ctrlP << "ImgListPrint";
        QTest::newRow("List, Ctrl+P after the menu was seen on the Diary page")
            << 1 << int(menuOnTheDiary) << ctrlP << "ImgListPrint";
        QTest::newRow("Trend, Ctrl+P") << 2 << int(nothing) << ctrlP << "ImgTrendPrint";
    }

    // The same window twice: one gets the key, the other a click on the button or the tab.
    void keyDoesWhatItsButtonDoes() {
        QFETCH(int, page);
        QFETCH(int, setup);
        QFETCH(QKeySequence, key);
        QFETCH(QString, button);

        auto printedByKey = std::make_shared<Recording>();
        FormHarness byKey;
        MainForm& keyed = start(byKey, page, Setup(setup), printedByKey);
        const QStringList before = outcome(byKey, keyed, *printedByKey);
        QWidget* focused = QApplication::focusWidget();
        QTest::keySequence(focused != nullptr ? focused : &keyed, key);
        const QStringList afterKey = outcome(byKey, keyed, *printedByKey);
        QVERIFY(afterKey != before);

        auto printedByClick = std::make_shared<Recording>();
        FormHarness byClick;
        MainForm& clicked = start(byClick, page, Setup(setup), printedByClick);
        if (button.startsWith(QLatin1String("tab "))) {
            TabStrip* strip = clicked.ui.mainTab->strip();
            QTest::mouseClick(strip, Qt::LeftButton, {}, strip->tabRect(button.mid(4).toInt()).center());
        } else {
            auto* image = clicked.findChild<ImageButton*>(button);
            QVERIFY(image != nullptr);
            QTest::mouseClick(image, Qt::LeftButton);
        }
        QCOMPARE(afterKey, outcome(byClick, clicked, *printedByClick));
    }

    // The keys of one page do nothing on another, Ctrl+P nothing on the Diary page, and Page Up
    // and Page Down in the open calendar turn its month.
    void keysBelongToTheirPage() {
        auto printed = std::make_shared<Recording>();
        FormHarness h;
        MainForm& form = start(h, 0, nothing, printed);
        const QStringList before = outcome(h, form, *printed);
        QTest::keySequence(&form, QKeySequence(Qt::CTRL | Qt::Key_P));
        QTest::keySequence(&form, QKeySequence(Qt::ALT | Qt::Key_Left));
        QCOMPARE(outcome(h, form, *printed), before);

        QTest::mouseClick(form.ui.diary.ImgInputDate, Qt::LeftButton);
        QCalendarWidget* calendar = form.ui.MonthView;
        QVERIFY(calendar->isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
        QCOMPARE(calendar->selectedDate(), QDate(2004, 2, 20));
        QVERIFY(calendar->isVisible());
        QCOMPARE(form.ui.diary.InputDate->text(), QStringLiteral("Jan./20/2004"));
    }

    // Every image button is reached by Tab and pressed by Space or Enter, as a short click is.
    void imageButtonsAreReachedByTabAndPressedBySpace() {
        FormHarness h;
        MainForm& form = h.start();
        form.ui.diary.InputDate->setFocus();
        const QString before = form.ui.diary.InputDate->text();
        for (int i = 0; i < 60 && QApplication::focusWidget() != form.ui.diary.ImgDiaryDown; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form.ui.diary.ImgDiaryDown);
        QTest::keyClick(form.ui.diary.ImgDiaryDown, Qt::Key_Space);
        QCOMPARE(form.ui.diary.InputDate->text(), QStringLiteral("Jan./21/2004"));
        QVERIFY(before != form.ui.diary.InputDate->text());
        // The logo is a picture, not a button: Tab passes it by.
        QCOMPARE(form.ui.diary.ImgDiaryLogo->focusPolicy(), Qt::NoFocus);
    }

    // Alt+Down or F4 in the date box opens the calendar; the arrows and Enter choose a day;
    // Escape closes it and leaves the date as it was.
    void theCalendarOpensFromTheDateBox() {
        FormHarness h;
        MainForm& form = h.start();
        QLineEdit* date = form.ui.diary.InputDate;
        date->setFocus();
        QTest::keyClick(date, Qt::Key_Down, Qt::AltModifier);
        QVERIFY(form.ui.MonthView->isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(!form.ui.MonthView->isVisible());
        QCOMPARE(date->text(), QStringLiteral("Jan./21/2004"));
        QTest::keyClick(date, Qt::Key_F4);
        QVERIFY(form.ui.MonthView->isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!form.ui.MonthView->isVisible());
        QCOMPARE(date->text(), QStringLiteral("Jan./21/2004"));
        QCOMPARE(QApplication::focusWidget(), date);
    }

    // The keys every desktop program has: F1 the help's contents, Ctrl+Shift+S Save as, Ctrl+W
    // Close, Ctrl+Q Exit.
    void theDesktopsKeys() {
        FormHarness h;
        MainForm& form = h.start();
        typeInto(form.ui.diary.InputName, QStringLiteral("Ann"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        QCOMPARE(h.dialogs.helpAsked().size(), std::size_t(1));
        QCOMPARE(h.dialogs.helpAsked().back().command, 15);
        QTest::keySequence(QApplication::focusWidget(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
        QCOMPARE(h.dialogs.fileDialogCount(), 1);
        QCOMPARE(h.dialogs.lastFileDialog().request.title, QStringLiteral("Save as"));
        h.messages.queueAnswer(MessageResult::No); // the name typed is not kept
        QTest::keySequence(QApplication::focusWidget(), QKeySequence(Qt::CTRL | Qt::Key_W));
        QVERIFY(h.messages.last().text.startsWith(QStringLiteral("File is not saved.")));
        QCOMPARE(form.document.userName(), std::string());
        QTest::keySequence(QApplication::focusWidget(), QKeySequence(Qt::CTRL | Qt::Key_Q));
        QTRY_VERIFY(!form.isVisible());
    }

    // Opening a menu from the keyboard does not leave the box: New then asks about the pending
    // entry, and an invalid one gives no message before the menu.
    void aMenuOpenedFromTheKeyboardLeavesTheEntryPending_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("valid") << "131";
        QTest::newRow("out of range") << "300";
    }
    void aMenuOpenedFromTheKeyboardLeavesTheEntryPending() {
        QFETCH(QString, typed);
        FormHarness h;
        MainForm& form = h.start();
        typeInto(form.ui.diary.InputSys[0], typed);
        h.messages.forget();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::AltModifier);
        QTRY_COMPARE(QApplication::activePopupWidget(), form.ui.menu.mnuFile);
        QCOMPARE(h.messages.count(), 0);
        QVERIFY(form.diary().entryChanged);
        h.messages.queueAnswer(MessageResult::Cancel);
        QTest::keyClick(form.ui.menu.mnuFile, Qt::Key_N);
        QCOMPARE(h.messages.count(), 1);
        QCOMPARE(h.messages.last().text, QStringLiteral("Data is changed.\nSave data and continue process?"));
        QCOMPARE(form.ui.diary.InputSys[0]->text(), typed);
    }
};

QTEST_MAIN(KeyboardTest)
#include "test_keyboard.moc"
