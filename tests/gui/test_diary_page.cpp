// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/controls.h"
#include "canvas/press_and_hold.h"
#include "document/data_file.h"
#include "shell/main_form.h"
#include "shell/main_tab.h"
#include "support/diary_actions.h"
#include "support/form_harness.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QLineEdit>
#include <QTableView>
#include <QtTest>

using namespace tonolog;
using namespace tonolog::diary;

namespace {

// A diary of three days: Jan 5, 6 and 9 2004.
const QByteArray threeDays = "Ann,\r\n"
                             "Jan./05/2004,128,84,066,07:05,,,,,,,,,first,\r\n"
                             "Jan./06/2004,130,85,70,00:10,,,,,135,88,70,13:05,middle,\r\n"
                             "Jan./09/2004,140,90,72,9:00am,,,,,,,,,last,\r\n";

MainForm& startWith(FormHarness& h, const QByteArray& diary) {
    const QString path = h.file(QStringLiteral("ann.tnl"));
    FormHarness::writeFile(path, diary);
    return h.start(path);
}

void showDay(MainForm& form, int y, int m, int d) {
    form.diary().currentDay.date = dateFromCivil(y, m, d);
    form.diary().loadDay(form.diary().currentDay.date);
}

} // namespace

class DiaryPageTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void typicalEditFromKeyToDisk() {
        FormHarness h;
        MainForm& form = h.start();
        const DiaryControls& d = form.ui.diary;
        QCOMPARE(d.InputDate->text(), QStringLiteral("Jan./20/2004"));
        typeInto(d.InputSys[0], QStringLiteral("128"));
        QVERIFY(form.diary().entryChanged);
        pressEnter(form);
        QCOMPARE(QApplication::focusWidget(), d.InputDia[0]);
        QCOMPARE(rowOf(form, 2004, 1, 20).value(1), QStringLiteral("128"));
        QVERIFY(!form.diary().entryChanged);
        QVERIFY(form.document.isDirty());
        QCOMPARE(FormHarness::readFile(h.backupPath()), QByteArray(",\r\nJan./20/2004,128,,,,,,,,,,,,,\r\n"));
        QCOMPARE(h.messages.count(), 0);
    }

    void storedTextsAreShownInTheProgramsForms() {
        FormHarness h;
        MainForm& form = startWith(h, threeDays);
        showDay(form, 2004, 1, 5);
        const DiaryControls& d = form.ui.diary;
        QCOMPARE(d.InputDate->text(), QStringLiteral("Jan./05/2004"));
        QCOMPARE(d.InputPul[0]->text(), QStringLiteral("66"));
        QCOMPARE(d.InputTime[0]->text(), QStringLiteral("7:05am"));
        QCOMPARE(d.InputNote->text(), QStringLiteral("first"));
        QVERIFY(!form.diary().entryChanged);
        showDay(form, 2004, 1, 6);
        QCOMPARE(d.InputTime[0]->text(), QStringLiteral("12:10am"));
        QCOMPARE(d.InputTime[2]->text(), QStringLiteral("1:05pm"));
        QCOMPARE(d.InputSys[1]->text(), QString());
        // A day without a row is blank but for its date, also after a trip to another page.
        showDay(form, 2004, 1, 7);
        QCOMPARE(d.InputSys[0]->text(), QString());
        QCOMPARE(d.InputNote->text(), QString());
        QTest::mouseClick(form.ui.mainTab->strip(), Qt::LeftButton, {},
                          form.ui.mainTab->strip()->tabRect(1).center());
        QTest::mouseClick(form.ui.mainTab->strip(), Qt::LeftButton, {},
                          form.ui.mainTab->strip()->tabRect(0).center());
        QCOMPARE(d.InputDate->text(), QStringLiteral("Jan./07/2004"));
        QCOMPARE(d.InputSys[0]->text(), QString());
    }

    void validationMessages_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("SYS 251") << "InputSys(0)"
                                 << "251"
                                 << "Range of SYS is 0 to 250.\n";
        QTest::newRow("SYS -1") << "InputSys(1)"
                                << "-1"
                                << "Range of SYS is 0 to 250.\n";
        QTest::newRow("SYS abc") << "InputSys(2)"
                                 << "abc"
                                 << "Invalid SYS.\n";
        QTest::newRow("SYS 40000") << "InputSys(0)"
                                   << "40000"
                                   << "Invalid SYS.\n";
        QTest::newRow("SYS blanks") << "InputSys(0)"
                                    << "   "
                                    << "Invalid SYS.\n";
        QTest::newRow("DIA x") << "InputDia(1)"
                               << "x"
                               << "Invalid DIA.\n";
        QTest::newRow("DIA 300") << "InputDia(2)"
                                 << "300"
                                 << "Range of DIA is 0 to 250.\n";
        QTest::newRow("PUL 7x") << "InputPul(0)"
                                << "7x"
                                << "Invalid PUL.\n";
        QTest::newRow("PUL 251") << "InputPul(1)"
                                 << "251"
                                 << "Range of PUL is 0 to 250.\n";
        QTest::newRow("empty date") << "InputDate"
                                    << ""
                                    << "Invalid date.\n";
    }

    void validationMessages() {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, message);
        FormHarness h;
        MainForm& form = h.start();
        auto* edit = form.findChild<QLineEdit*>(box);
        typeInto(edit, text);
        // Leave through a reading box, so the date rule does not hide the fault.
        if (edit == form.ui.diary.InputDate)
            typeInto(form.ui.diary.InputSys[0], QStringLiteral("120"));
        clickLabel(form.ui.diary.LblSys);
        QCOMPARE(h.messages.count(), 1);
        QCOMPARE(h.messages.last().text, message);
        QCOMPARE(h.messages.last().buttons, MessageButtons::Ok);
        QCOMPARE(h.messages.last().icon, MessageIcon::Question);
        QVERIFY(form.diary().entryHasErrors);
        QVERIFY(form.diary().entryChanged);
        QCOMPARE(edit->text(), text); // the input stays for correction
        QCOMPARE(form.document.table().count(), 0);
        QCOMPARE(FormHarness::readFile(h.backupPath()), QByteArray(",,,,,,,,,,,,,,\r\n"));
    }

    void combinedFaultsAndRepeatedFaults() {
        FormHarness h;
        MainForm& form = h.start();
        const DiaryControls& d = form.ui.diary;
        typeInto(d.InputSys[0], QStringLiteral("x"));
        typeInto(d.InputDia[1], QStringLiteral("300"));
        typeInto(d.InputSys[2], QStringLiteral("y"));
        // Leaving the first box already reported "Invalid SYS."; then the DIA fault joined it.
        QCOMPARE(h.messages.count(), 2);
        QCOMPARE(h.messages.asked()[0].text, QStringLiteral("Invalid SYS.\n"));
        QCOMPARE(h.messages.asked()[1].text, QStringLiteral("Invalid SYS.\nRange of DIA is 0 to 250.\n"));
        // The third reading's fault changes the words, though not the text: a new message.
        pressTab(form);
        QCOMPARE(h.messages.count(), 3);
        QCOMPARE(h.messages.last().text, QStringLiteral("Invalid SYS.\nRange of DIA is 0 to 250.\n"));
        // Leaving boxes again with the same faults stays silent.
        pressTab(form);
        pressTab(form);
        clickLabel(d.LblPul);
        QCOMPARE(h.messages.count(), 3);
        // A corrected fault and a remaining one: a new message.
        typeInto(d.InputSys[0], QStringLiteral("120"));
        clickLabel(d.LblPul);
        QCOMPARE(h.messages.count(), 4);
        // All corrected: accepted, and the next fault is reported again.
        typeInto(d.InputDia[1], QStringLiteral("80"));
        typeInto(d.InputSys[2], QStringLiteral("121"));
        clickLabel(d.LblPul);
        QCOMPARE(h.messages.count(), 5);
        QCOMPARE(h.messages.last().text, QStringLiteral("Invalid SYS.\n"));
        clickLabel(d.LblPul);
        typeInto(d.InputSys[2], QStringLiteral("122"));
        clickLabel(d.LblPul);
        QVERIFY(!form.diary().entryHasErrors);
        QVERIFY(!form.diary().lastEntryErrors.any());
        QCOMPARE(rowOf(form, 2004, 1, 20).value(9), QStringLiteral("122"));
        typeInto(d.InputSys[2], QStringLiteral("bad"));
        clickLabel(d.LblPul);
        QCOMPARE(h.messages.count(), 6);
    }

    void timesAreNormalisedNumbersStoredAsTyped() {
        FormHarness h;
        MainForm& form = h.start();
        const DiaryControls& d = form.ui.diary;
        typeInto(d.InputTime[0], QStringLiteral("13:05"));
        typeInto(d.InputTime[1], QStringLiteral("0:00"));
        typeInto(d.InputTime[2], QStringLiteral("xyz"));
        typeInto(d.InputSys[0], QStringLiteral("12.7"));
        clickLabel(d.LblTime);
        const QStringList row = rowOf(form, 2004, 1, 20);
        QCOMPARE(row.value(4), QStringLiteral("1:05pm"));
        QCOMPARE(row.value(8), QStringLiteral("12:00am"));
        QCOMPARE(row.value(12), QStringLiteral("xyz"));
        QCOMPARE(row.value(1), QStringLiteral("12.7"));
        form.diary().loadDay(form.diary().currentDay.date);
        QCOMPARE(d.InputSys[0]->text(), QStringLiteral("13"));
    }

    void blankDayHasNoRowButCounts() {
        FormHarness h;
        MainForm& form = startWith(h, threeDays);
        showDay(form, 2004, 1, 7);
        typeInto(form.ui.diary.InputNote, QStringLiteral("x"));
        typeInto(form.ui.diary.InputNote, QString());
        clickLabel(form.ui.diary.LblNote);
        QCOMPARE(form.document.table().count(), 3);
        QVERIFY(rowOf(form, 2004, 1, 7).isEmpty());
        QVERIFY(form.document.isDirty());
        QCOMPARE(FormHarness::readFile(h.backupPath()), threeDays);
    }

    void removingDays() {
        FormHarness h;
        MainForm& form = startWith(h, threeDays);
        const DiaryControls& d = form.ui.diary;
        auto clearPage = [&] {
            for (std::size_t i = 0; i < 3; ++i)
                for (QLineEdit* box : {d.InputSys[i], d.InputDia[i], d.InputPul[i], d.InputTime[i]})
                    if (!box->text().isEmpty())
                        typeInto(box, QString());
            typeInto(d.InputNote, QString());
            clickLabel(d.LblNote);
        };
        QCOMPARE(form.document.firstDay().date, dateFromCivil(2004, 1, 5));
        QCOMPARE(form.document.listTopIndex(), std::int16_t(1));
        // The middle day.
        showDay(form, 2004, 1, 6);
        clearPage();
        QCOMPARE(form.document.table().count(), 2);
        QVERIFY(rowOf(form, 2004, 1, 6).isEmpty());
        QCOMPARE(form.document.listTopIndex(), std::int16_t(1));
        // The first day: the next row becomes the first.
        showDay(form, 2004, 1, 5);
        clearPage();
        QCOMPARE(form.document.table().count(), 1);
        QCOMPARE(form.document.firstDay(), DateTime::atMidnight(dateFromCivil(2004, 1, 9)));
        // The only day: the range becomes now.
        showDay(form, 2004, 1, 9);
        clearPage();
        QCOMPARE(form.document.table().count(), 0);
        QCOMPARE(form.document.firstDay(), (DateTime{dateFromCivil(2004, 1, 20), 14 * 3600 + 7 * 60}));
        QCOMPARE(form.document.lastDay(), form.document.firstDay());
        QCOMPARE(FormHarness::readFile(h.backupPath()), QByteArray("Ann,\r\n"));
    }

    void removingTheLastDayMovesTheWindowsBack() {
        FormHarness h;
        MainForm& form = startWith(h, "Ann,\r\n"
                                      "Dec./30/2003,120,,,,,,,,,,,,,\r\n"
                                      "Dec./31/2003,120,,,,,,,,,,,,,\r\n"
                                      "Jan./02/2004,120,,,,,,,,,,,,,\r\n"
                                      "Jan./03/2004,120,,,,,,,,,,,,,\r\n"
                                      "Feb./10/2004,120,,,,,,,,,,,,,\r\n");
        QCOMPARE(form.document.trendWindowStart(), dateFromCivil(2004, 2, 1));
        QCOMPARE(form.document.listTopIndex(), std::int16_t(2));
        QCOMPARE(form.document.lastDay(), DateTime::atMidnight(dateFromCivil(2004, 2, 10)));
        // The last day goes: the row before it becomes the last, and the Trend window and the
        // List page follow the data back.
        showDay(form, 2004, 2, 10);
        typeInto(form.ui.diary.InputSys[0], QString());
        clickLabel(form.ui.diary.LblSys);
        QCOMPARE(form.document.table().count(), 4);
        QCOMPARE(form.document.lastDay(), DateTime::atMidnight(dateFromCivil(2004, 1, 3)));
        QCOMPARE(form.document.trendWindowStart(), dateFromCivil(2004, 1, 1));
        QCOMPARE(form.document.trendWindowEnd(), dateFromCivil(2004, 1, 31));
        QCOMPARE(form.document.listTopIndex(), std::int16_t(1));
        // A day inside the range goes alone: nothing else moves.
        showDay(form, 2004, 1, 2);
        typeInto(form.ui.diary.InputSys[0], QString());
        clickLabel(form.ui.diary.LblSys);
        QCOMPARE(form.document.table().count(), 3);
        QCOMPARE(form.document.lastDay(), DateTime::atMidnight(dateFromCivil(2004, 1, 3)));
        QCOMPARE(form.document.firstDay(), DateTime::atMidnight(dateFromCivil(2003, 12, 30)));
        QCOMPARE(form.document.trendWindowStart(), dateFromCivil(2004, 1, 1));
    }

    void dateRuleOpensTheTypedDay() {
        FormHarness h;
        MainForm& form = startWith(h, threeDays);
        const DiaryControls& d = form.ui.diary;
        typeInto(d.InputDate, QStringLiteral("2004-01-09"));
        pressTab(form);
        QCOMPARE(d.InputDate->text(), QStringLiteral("Jan./09/2004"));
        QCOMPARE(d.InputSys[0]->text(), QStringLiteral("140"));
        QVERIFY(!form.diary().entryChanged);
        QCOMPARE(h.messages.count(), 0);
        // A text that is not a date stays as typed; the next commit reports it.
        typeInto(d.InputDate, QStringLiteral("01/02/2004"));
        pressTab(form);
        QCOMPARE(d.InputDate->text(), QStringLiteral("01/02/2004"));
        QCOMPARE(d.InputSys[0]->text(), QStringLiteral("140"));
        pressTab(form);
        QCOMPARE(h.messages.last().text, QStringLiteral("Invalid date.\n"));
        // Any letter case of the month.
        typeInto(d.InputDate, QStringLiteral("JAN./5/2004"));
        pressTab(form);
        QCOMPARE(d.InputDate->text(), QStringLiteral("Jan./05/2004"));
        QCOMPARE(d.InputNote->text(), QStringLiteral("first"));
    }

    void leapDayTypedAndEnter() {
        FormHarness h;
        MainForm& form = h.start();
        const DiaryControls& d = form.ui.diary;
        typeInto(d.InputDate, QStringLiteral("Feb./29/2004"));
        pressEnter(form);
        QCOMPARE(QApplication::focusWidget(), d.InputSys[0]);
        QCOMPARE(form.diary().currentDay.date, dateFromCivil(2004, 2, 29));
        QCOMPARE(d.InputDate->text(), QStringLiteral("Feb./29/2004"));
        QCOMPARE(d.InputSys[0]->text(), QString());
    }

    void enterWalksThroughTheBoxes() {
        FormHarness h;
        MainForm& form = h.start();
        const DiaryControls& d = form.ui.diary;
        QList<QWidget*> order{d.InputSys[0], d.InputDia[0],  d.InputPul[0],  d.InputTime[0], d.InputSys[1],
                              d.InputDia[1], d.InputPul[1],  d.InputTime[1], d.InputSys[2],  d.InputDia[2],
                              d.InputPul[2], d.InputTime[2], d.InputNote};
        d.InputDate->setFocus();
        for (QWidget* next : order) {
            pressEnter(form);
            QCOMPARE(QApplication::focusWidget(), next);
        }
        pressEnter(form);
        QCOMPARE(QApplication::focusWidget(), d.InputNote);
        // The name box has no Enter handling either.
        d.InputName->setFocus();
        pressEnter(form);
        QCOMPARE(QApplication::focusWidget(), d.InputName);
    }

    void calendarOpensPicksAndDismisses() {
        FormHarness h;
        MainForm& form = startWith(h, threeDays);
        const DiaryControls& d = form.ui.diary;
        typeInto(d.InputSys[0], QStringLiteral("111"));
        QTest::mouseClick(d.ImgInputDate, Qt::LeftButton);
        // Opening it left the reading box, which committed the edit.
        QCOMPARE(rowOf(form, 2004, 1, 20).value(1), QStringLiteral("111"));
        QCalendarWidget* calendar = form.ui.MonthView;
        QVERIFY(calendar->isVisible());
        QCOMPARE(calendar->selectedDate(), QDate(2004, 1, 20));
        QCOMPARE(calendar->pos(), d.InputDate->mapTo(form.centralWidget(), QPoint(0, d.InputDate->height())));
        // Pick the 21st with the keyboard: one day right, then Enter.
        QWidget* inner = QApplication::focusWidget();
        QVERIFY(calendar->isAncestorOf(inner));
        QTest::keyClick(inner, Qt::Key_Right);
        QTest::keyClick(inner, Qt::Key_Return);
        QVERIFY(!calendar->isVisible());
        QCOMPARE(d.InputDate->text(), QStringLiteral("Jan./21/2004"));
        QCOMPARE(form.diary().currentDay.date, dateFromCivil(2004, 1, 21));
        QCOMPARE(QApplication::focusWidget(), d.InputDate);

        // With an empty date box it proposes today; a click elsewhere dismisses it unchanged.
        typeInto(d.InputDate, QString());
        QTest::mouseClick(d.ImgInputDate, Qt::LeftButton);
        QCOMPARE(calendar->selectedDate(), QDate(2004, 1, 20));
        clickLabel(d.LblNote);
        QVERIFY(!calendar->isVisible());
        QCOMPARE(d.InputDate->text(), QString());
    }

    // The calendar's weekday names fit their columns, at the designed size and in a larger window,
    // where the calendar grows with the date box.
    void theCalendarIsLegibleAtEverySize() {
        FormHarness h;
        MainForm& form = h.start();
        QCalendarWidget* calendar = form.ui.MonthView;
        const auto namesFit = [calendar] {
            auto* view = calendar->findChild<QTableView*>(QStringLiteral("qt_calendar_calendarview"));
            const QFontMetrics metrics(view->font());
            for (int c = 0; c < view->model()->columnCount(); ++c) {
                const QString name = view->model()->index(0, c).data().toString();
                if (metrics.horizontalAdvance(name) > view->columnWidth(c) - 2)
                    return false;
            }
            return true;
        };
        QTest::mouseClick(form.ui.diary.ImgInputDate, Qt::LeftButton);
        QVERIFY(calendar->isVisible());
        QVERIFY(namesFit());
        const int designed = calendar->width();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        setClientSize(form, MainForm::designClientPixels() * 3 / 2);
        QTest::mouseClick(form.ui.diary.ImgInputDate, Qt::LeftButton);
        QVERIFY(calendar->width() >= designed * 14 / 10);
        QVERIFY(namesFit());
    }

    void currentTimeButton() {
        FormHarness h;
        MainForm& form = h.start();
        ImageButton* button = form.ui.diary.ImgInputTime[1];
        form.ui.mainTab->takeFocus();
        QTest::mousePress(button, Qt::LeftButton);
        QVERIFY(button->isShowingPressed());
        QTest::mouseRelease(button, Qt::LeftButton);
        QVERIFY(!button->isShowingPressed());
        QCOMPARE(form.ui.diary.InputTime[1]->text(), QStringLiteral("2:07pm"));
        QCOMPARE(QApplication::focusWidget(), form.ui.diary.InputTime[1]);
        QVERIFY(form.diary().entryChanged);
    }

    void dayButtonsClickAndHold() {
        FormHarness h;
        MainForm& form = startWith(h, threeDays);
        ImageButton* down = form.ui.diary.ImgDiaryDown;
        ImageButton* up = form.ui.diary.ImgDiaryUp;
        // A short click: one step, at the release.
        QTest::mousePress(down, Qt::LeftButton);
        QCOMPARE(form.diary().dayButtonState, HoldState::pressed);
        h.clock.advance(300);
        form.diary().dayButtons->poll();
        QCOMPARE(form.diary().currentDay.date, dateFromCivil(2004, 1, 20));
        QTest::mouseRelease(down, Qt::LeftButton);
        QCOMPARE(form.diary().currentDay.date, dateFromCivil(2004, 1, 21));
        QCOMPARE(form.diary().dayButtonState, HoldState::idle);
        QCOMPARE(QApplication::focusWidget(), form.ui.diary.InputSys[0]);
        // Holding Previous day for one second: a step at 0.5 s and then every 0.1 s.
        QTest::mousePress(up, Qt::RightButton);
        for (int ms = 0; ms < 1000; ++ms) {
            h.clock.advance(1);
            form.diary().dayButtons->poll();
        }
        QCOMPARE(form.diary().dayButtonState, HoldState::repeating);
        QCOMPARE(form.diary().currentDay.date, dateFromCivil(2004, 1, 15)); // 500, 600, ..., 1000 ms
        QTest::mouseRelease(up, Qt::RightButton);
        QCOMPARE(form.diary().currentDay.date, dateFromCivil(2004, 1, 15)); // no extra step at the release
        QCOMPARE(form.diary().dayButtonState, HoldState::idle);
        QCOMPARE(form.ui.diary.InputDate->text(), QStringLiteral("Jan./15/2004"));
    }

    void invalidInputStopsTheDayButtonsWithOneMessage() {
        FormHarness h;
        MainForm& form = h.start();
        typeInto(form.ui.diary.InputSys[0], QStringLiteral("abc"));
        ImageButton* down = form.ui.diary.ImgDiaryDown;
        QTest::mousePress(down, Qt::LeftButton);
        for (int ms = 0; ms < 1500; ++ms) {
            h.clock.advance(1);
            form.diary().dayButtons->poll();
        }
        QTest::mouseRelease(down, Qt::LeftButton);
        QCOMPARE(h.messages.count(), 1);
        QCOMPARE(h.messages.last().text, QStringLiteral("Invalid SYS.\n"));
        QCOMPARE(form.diary().currentDay.date, dateFromCivil(2004, 1, 20));
        QCOMPARE(form.ui.diary.InputSys[0]->text(), QStringLiteral("abc"));
        // A short click too is refused, and says why again.
        QTest::mouseClick(down, Qt::LeftButton);
        QCOMPARE(h.messages.count(), 2);
        QCOMPARE(form.ui.diary.InputDate->text(), QStringLiteral("Jan./20/2004"));
    }

    // After the message the focus is back in the faulty box, which is framed in red and says what
    // is wrong until it is corrected.
    void theFaultyBoxIsShown() {
        FormHarness h;
        MainForm& form = h.start();
        QLineEdit* sys = form.ui.diary.InputSys[0];
        const auto framedInRed = [sys] {
            const QImage image = sys->grab().toImage();
            const QColor edge = image.pixelColor(image.width() / 2, 0);
            return edge.red() > 150 && edge.green() < 60 && edge.blue() < 60;
        };
        QVERIFY(!framedInRed());
        const QString description = sys->accessibleDescription();
        typeInto(sys, QStringLiteral("300"));
        pressEnter(form);
        QCOMPARE(h.messages.count(), 1);
        QTRY_COMPARE(QApplication::focusWidget(), sys);
        QVERIFY(framedInRed());
        QCOMPARE(sys->toolTip(), QStringLiteral("Range of SYS is 0 to 250."));
        QCOMPARE(sys->accessibleDescription(), QStringLiteral("Range of SYS is 0 to 250."));
        typeInto(sys, QStringLiteral("120"));
        QVERIFY(!framedInRed());
        QCOMPARE(sys->toolTip(), QString());
        QCOMPARE(sys->accessibleDescription(), description);
    }

    // The faults are forgotten when the page is filled anew: the same fault typed again is said.
    // A step or a page switch refused because of a fault says it every time.
    void aFaultTypedAgainAfterTheRefillIsSaid() {
        FormHarness h;
        MainForm& form = h.start();
        MainTab* tab = form.ui.mainTab;
        const auto clickTab = [tab](int page) {
            QTest::mouseClick(tab->strip(), Qt::LeftButton, {}, tab->strip()->tabRect(page).center());
        };
        typeInto(form.ui.diary.InputSys[0], QStringLiteral("300"));
        pressEnter(form);
        QCOMPARE(h.messages.count(), 1);
        clickTab(1);
        QCOMPARE(h.messages.count(), 2);
        clickTab(0);
        typeInto(form.ui.diary.InputSys[0], QStringLiteral("300"));
        pressEnter(form);
        QCOMPARE(h.messages.count(), 3);
        QTest::mouseClick(form.ui.diary.ImgDiaryDown, Qt::LeftButton);
        QCOMPARE(h.messages.count(), 4);
        QCOMPARE(form.ui.diary.InputDate->text(), QStringLiteral("Jan./20/2004"));
        // Leaving one box for another still says the same faults once.
        pressTab(form);
        QCOMPARE(h.messages.count(), 4);
    }

    void typedDateAndNextDayStoresUnderTheTypedDate() {
        FormHarness h;
        MainForm& form = startWith(h, threeDays);
        const DiaryControls& d = form.ui.diary;
        showDay(form, 2004, 1, 5);
        typeInto(d.InputDate, QStringLiteral("Jan./09/2004"));
        // The day button does not take the focus: the date box is not left.
        QTest::mouseClick(d.ImgDiaryDown, Qt::LeftButton);
        QCOMPARE(rowOf(form, 2004, 1, 9).value(1), QStringLiteral("128"));
        QCOMPARE(rowOf(form, 2004, 1, 9).value(13), QStringLiteral("first"));
        QCOMPARE(d.InputDate->text(), QStringLiteral("Jan./10/2004"));
    }

    void switchingPagesWithInvalidInput() {
        FormHarness h;
        MainForm& form = startWith(h, threeDays);
        showDay(form, 2004, 1, 5);
        MainTab* tab = form.ui.mainTab;
        typeInto(form.ui.diary.InputSys[0], QStringLiteral("999"));
        // The page switches first; the message is said over the page the user went to.
        int pageWhenAsked = -1;
        h.messages.whenAsked = [&](const MessageRequest&) { pageWhenAsked = tab->currentPage(); };
        QTest::mouseClick(tab->strip(), Qt::LeftButton, {}, tab->strip()->tabRect(2).center());
        QCOMPARE(pageWhenAsked, 2);
        h.messages.whenAsked = nullptr;
        QCOMPARE(h.messages.count(), 1);
        QCOMPARE(h.messages.last().text, QStringLiteral("Range of SYS is 0 to 250.\n"));
        QCOMPARE(tab->currentPage(), 2);
        const PagePalette c;
        QCOMPARE(tab->tabColor(2), c.paletteTrendPage);
        QCOMPARE(tab->tabColor(0), c.paletteDiaryTab);
        QVERIFY(!form.diary().entryChanged);
        QTest::mouseClick(tab->strip(), Qt::LeftButton, {}, tab->strip()->tabRect(0).center());
        QCOMPARE(form.ui.diary.InputSys[0]->text(), QStringLiteral("128"));
        QCOMPARE(rowOf(form, 2004, 1, 5).value(1), QStringLiteral("128"));
        QCOMPARE(tab->tabColor(0), c.paletteDiaryPage);
    }

    void doubleClickOnAListDayOpensIt() {
        FormHarness h;
        MainForm& form = startWith(h, threeDays);
        MainTab* tab = form.ui.mainTab;
        QTest::mouseClick(tab->strip(), Qt::LeftButton, {}, tab->strip()->tabRect(1).center());
        Label* dateLabel = form.ui.list.LblDateData[0];
        QTest::mouseMove(dateLabel);
        QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), dateLabel->mapToGlobal(QPointF(5, 5)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(dateLabel, &move);
        QCOMPARE(form.pointer.labelPointerState, LabelPointer::hand);
        QCOMPARE(form.cursor().shape(), Qt::BitmapCursor);
        QTest::mouseDClick(dateLabel, Qt::LeftButton);
        QCOMPARE(tab->currentPage(), 0);
        QCOMPARE(form.ui.diary.InputDate->text(), QStringLiteral("Jan./05/2004"));
        QCOMPARE(form.ui.diary.InputNote->text(), QStringLiteral("first"));
        const PagePalette c;
        QCOMPARE(tab->tabColor(0), c.paletteDiaryPage);
        QCOMPARE(tab->tabColor(1), c.paletteListTab);
        QCOMPARE(tab->tabColor(2), c.paletteTrendTab);
        QCOMPARE(form.cursor().shape(), Qt::ArrowCursor);
    }

    void aRecalledBackupShowsTodaysReadings() {
        FormHarness h;
        FormHarness::writeFile(h.backupPath(), "Ann,\r\nJan./20/2004,128,84,66,7:05am,,,,,,,,,walk,\r\n");
        h.messages.queueAnswer(MessageResult::Yes);
        MainForm& form = h.start();
        QCOMPARE(form.windowTitle(), QStringLiteral("Tonolog"));
        QCOMPARE(form.ui.diary.InputDate->text(), QStringLiteral("Jan./20/2004"));
        QCOMPARE(form.ui.diary.InputSys[0]->text(), QStringLiteral("128"));
        QCOMPARE(form.ui.diary.InputNote->text(), QStringLiteral("walk"));
        QCOMPARE(form.ui.diary.InputName->text(), QStringLiteral("Ann"));
        QVERIFY(!form.diary().entryChanged);
        h.messages.queueAnswer(MessageResult::Cancel);
        QVERIFY(!form.close());
        QCOMPARE(h.messages.last().text,
                 QStringLiteral("File is not saved.\nWould you like to save the file?\n\n"
                                "All the data will be lost if file is not saved."));
    }

    void nameBoxChangesTitlesAndCommits() {
        FormHarness h;
        MainForm& form = h.start();
        typeInto(form.ui.diary.InputName, QStringLiteral("Bo"));
        QCOMPARE(form.ui.list.LblListTitle->text(), QStringLiteral("Bo 's data list"));
        QCOMPARE(form.ui.trend.LblTrendTitle->text(), QStringLiteral("Bo 's BP Trend"));
        QCOMPARE(form.document.userName(), std::string("Bo"));
        QVERIFY(form.diary().entryChanged);
        pressTab(form);
        QVERIFY(!form.diary().entryChanged);
        QVERIFY(FormHarness::readFile(h.backupPath()).startsWith("Bo,\r\n"));
    }
};

QTEST_MAIN(DiaryPageTest)
#include "test_diary_page.moc"
