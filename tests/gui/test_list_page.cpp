// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/canvas.h"
#include "canvas/controls.h"
#include "canvas/press_and_hold.h"
#include "canvas/twips.h"
#include "listpage/list_page.h"
#include "shell/main_form.h"
#include "shell/main_tab.h"
#include "support/diary_actions.h"
#include "support/form_harness.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QtTest>

using namespace tonolog;
using namespace tonolog::diary;

namespace {

const QColor black(0, 0, 0);
const QColor green(210, 255, 210);
const QColor yellow(255, 255, 200);
const QColor orange(255, 233, 200);

// A diary whose one day holds this second reading (SYS, DIA, PUL, time).
QByteArray oneDay(const char* second) {
    return QByteArray("Ann,\r\nJan./05/2004,,,,,") + second + ",,,,,a note,\r\n";
}

// n consecutive days from Jan 1 2004, each with one reading.
QByteArray days(int n) {
    QByteArray text = "Ann,\r\n";
    for (int i = 0; i < n; ++i)
        text +=
            QByteArray::fromStdString(formatDayKey(addDays(dateFromCivil(2004, 1, 1), i, DayStep::forward))) +
            ",120,80,66,7:05am,,,,,,,,,,\r\n";
    return text;
}

MainForm& startWith(FormHarness& h, const QByteArray& diary, bool show = true) {
    const QString path = h.file(QStringLiteral("ann.tnl"));
    FormHarness::writeFile(path, diary);
    MainForm& form = h.start(path, show);
    if (show)
        setClientSize(form, MainForm::designClientPixels());
    return form;
}

void openListTab(MainForm& form) {
    MainTab* tab = form.ui.mainTab;
    QTest::mouseClick(tab->strip(), Qt::LeftButton, {}, tab->strip()->tabRect(1).center());
}

QColor chartPixel(MainForm& form, int x, int y) {
    return form.ui.list.PicGraphArea->picture().pixelColor(x, y);
}

int px(int twipsValue) {
    return twips::toPixels(twipsValue);
}

// The chart's black pixels outside the four dotted grid columns.
int blackOffTheGrid(MainForm& form) {
    const QImage& picture = form.ui.list.PicGraphArea->picture();
    const int grid[] = {px(411), px(822), px(1233), px(1644)};
    int count = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (std::find(std::begin(grid), std::end(grid), x) == std::end(grid) &&
                picture.pixelColor(x, y) == black)
                ++count;
    return count;
}

void moveOver(QWidget* widget) {
    QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), widget->mapToGlobal(QPointF(3, 3)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

} // namespace

class ListPageTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void zonesAndDottedGrid() {
        FormHarness h;
        MainForm& form = startWith(h, "Ann,\r\n");
        QCOMPARE(chartPixel(form, 45, 200), green);
        QCOMPARE(chartPixel(form, px(740) + 1, 200), yellow);
        QCOMPARE(chartPixel(form, px(1151) - 1, 200), yellow);
        QCOMPARE(chartPixel(form, px(1151) + 1, 200), orange);
        int dots = 0;
        int gaps = 0;
        const int height = form.ui.list.PicGraphArea->picture().height();
        for (int y = 0; y < height; ++y)
            (chartPixel(form, px(822), y) == black ? dots : gaps) += 1;
        QVERIFY(dots > height / 5);
        QVERIFY(gaps > height / 5);
        // An empty diary: no rows, nothing on the chart but zones and grid.
        QCOMPARE(blackOffTheGrid(form), 0);
        for (int r = 0; r < ListControls::rows; ++r)
            QVERIFY(form.ui.list.LblDateData[static_cast<std::size_t>(r)]->isHidden());
    }

    void marks_data() {
        QTest::addColumn<QByteArray>("reading");
        QTest::addColumn<int>("from"); // twips; -1 no mark
        QTest::addColumn<int>("to");   // equal to from: a dot
        QTest::newRow("bar") << QByteArray("120,80,66,7:05am") << 658 << 986;
        QTest::newRow("SYS only: dot") << QByteArray("130,,,") << 1069 << 1069;
        // A file cannot hold 300 (the reader refuses the line); the table is given it below.
        QTest::newRow("SYS above the scale") << QByteArray("300,80,,") << 658 << 2055;
        QTest::newRow("DIA above SYS") << QByteArray("100,150,,") << 822 << 1233;
        QTest::newRow("PUL only: no mark") << QByteArray(",,66,7:05am") << -1 << -1;
    }

    // Reading 2 of row 0 stands at y 905 twips in the design layout.
    void marks() {
        QFETCH(QByteArray, reading);
        QFETCH(int, from);
        QFETCH(int, to);
        FormHarness h;
        const bool aboveScale = reading.startsWith("300");
        MainForm& form = startWith(h, oneDay(aboveScale ? "120,80,," : reading.constData()));
        if (aboveScale) {
            storeValue(form, 1, 5, "300");
            form.redrawPages();
        }
        const int y = px(905);
        if (from < 0) {
            QCOMPARE(blackOffTheGrid(form), 0);
        } else if (from == to) {
            const int x = px(from);
            for (const QPoint d : {QPoint(0, 0), QPoint(-2, 0), QPoint(2, 0), QPoint(0, -2), QPoint(0, 2)})
                QCOMPARE(chartPixel(form, x + d.x(), y + d.y()), black);
            QVERIFY(chartPixel(form, x - 2, y - 2) != black); // round, not square
            QVERIFY(chartPixel(form, x + 3, y) != black);
        } else {
            const int right = std::min(px(to), form.ui.list.PicGraphArea->picture().width() - 1);
            for (int x = px(from); x <= right; ++x)
                for (int row = y - 2; row <= y + 1; ++row)
                    QCOMPARE(chartPixel(form, x, row), black);
            const int middle = px(from) + 3;
            QVERIFY(chartPixel(form, middle, y - 3) != black);
            QVERIFY(chartPixel(form, middle, y + 2) != black);
        }
        QCOMPARE(form.ui.list.LblSysData[1]->text(), QString::fromLatin1(reading.split(',').value(0)));
    }

    void rowTexts() {
        FormHarness h;
        const QString note =
            QStringLiteral("a note far longer than the little label beside the row can show");
        MainForm& form = startWith(h, "Ann,\r\nJan./05/2004,080,60,066,0:15,,,,13:05,,,,12:00pm," +
                                          note.toUtf8() + ",\r\nJan./06/2004,,,,,,,,,,,,,x,\r\n");
        const ListControls& l = form.ui.list;
        QCOMPARE(l.LblNumData[0]->text(), QStringLiteral("1"));
        QCOMPARE(l.LblDateData[0]->text(), QStringLiteral(" Jan./05/\r\n  2004"));
        QCOMPARE(l.LblSysData[0]->text(), QStringLiteral("80"));
        QCOMPARE(l.LblPulData[0]->text(), QStringLiteral("66"));
        QCOMPARE(l.LblTimeData[0]->text(), QStringLiteral("12:15"));
        QCOMPARE(l.LblAmpmData[0]->text(), QStringLiteral("am"));
        QCOMPARE(l.LblTimeData[1]->text(), QStringLiteral("1:05"));
        QCOMPARE(l.LblAmpmData[1]->text(), QStringLiteral("pm"));
        QCOMPARE(l.LblTimeData[2]->text(), QStringLiteral("12:00"));
        QCOMPARE(l.LblAmpmData[2]->text(), QStringLiteral("pm"));
        QCOMPARE(l.LblNoteData[0]->text(), note);
        QCOMPARE(l.LblNoteData[0]->toolTip(), note);
        QCOMPARE(l.LblNoteTitle[0]->toolTip(), note);
        // Two days: rows 2 and 3 are hidden.
        QVERIFY(!l.LblDateData[1]->isHidden());
        QVERIFY(!l.LblSysData[5]->isHidden());
        QVERIFY(l.LblDateData[2]->isHidden() && l.ShapeNote[3]->isHidden() && l.LblAmpmData[6]->isHidden());
    }

    // The marks follow the rescaled rows: y is read from the controls at every drawing.
    void enlargedWindowKeepsBarsOnTheirRows() {
        FormHarness h;
        MainForm& form = startWith(h, oneDay("120,80,,"));
        const QSize design = MainForm::designClientPixels();
        setClientSize(form, QSize(design.width() * 3 / 2, design.height() * 3 / 2));
        const double scale = 1.5;
        const int y = qRound(905 * scale / 15);
        const int x = qRound(900 * scale / 15);
        QCOMPARE(chartPixel(form, x, y), black);
        QVERIFY(chartPixel(form, x, y - 4) != black);
        QVERIFY(chartPixel(form, x, y + 3) != black);
        QVERIFY(chartPixel(form, qRound(2000 * scale / 15), y) != black);
    }

    // The chart is drawn at load, while its page is hidden, and is there when the page is first
    // shown, whether or not the window was ever activated.
    void aHiddenPageIsDrawnBeforeItIsFirstShown() {
        FormHarness h;
        MainForm& form = startWith(h, oneDay("120,80,,"), false);
        form.show();
        QVERIFY(!form.windowActivated);
        Canvas* chart = form.ui.list.PicGraphArea;
        QCOMPARE(chart->picture().size(), chart->size());
        openListTab(form);
        QCOMPARE(chart->picture().size(), chart->size());
        QCOMPARE(chartPixel(form, 5, 5), green);
        QVERIFY(blackOffTheGrid(form) > 50); // the bar
    }

    void pagingBounds() {
        FormHarness h;
        MainForm& form = startWith(h, days(10));
        openListTab(form);
        QCOMPARE(form.document.listTopIndex(), std::int16_t(7));
        ImageButton* up = form.ui.list.ImgListUp;
        ImageButton* down = form.ui.list.ImgListDown;
        QTest::mouseClick(down, Qt::LeftButton);
        QCOMPARE(form.document.listTopIndex(), std::int16_t(7));
        QTest::mousePress(up, Qt::LeftButton);
        QVERIFY(up->isShowingPressed());
        QCOMPARE(form.document.listTopIndex(), std::int16_t(7)); // a click steps at the release
        QTest::mouseRelease(up, Qt::LeftButton);
        QVERIFY(!up->isShowingPressed());
        QCOMPARE(form.document.listTopIndex(), std::int16_t(6));
        QCOMPARE(form.ui.list.LblNumData[0]->text(), QStringLiteral("6"));
        // Two digits are shown whole, although the label is laid out for one.
        Label* last = form.ui.list.LblNumData[3];
        QCOMPARE(last->text(), QStringLiteral("9"));
        QTest::mouseClick(down, Qt::LeftButton);
        QCOMPARE(last->text(), QStringLiteral("10"));
        QVERIFY(last->width() >= last->sizeHint().width());
        QCOMPARE(form.list().listButtonState, HoldState::idle);

        FormHarness few;
        MainForm& four = startWith(few, days(4));
        QTest::mouseClick(four.ui.list.ImgListDown, Qt::LeftButton);
        QTest::mouseClick(four.ui.list.ImgListUp, Qt::LeftButton);
        QCOMPARE(four.document.listTopIndex(), std::int16_t(1));
    }

    // Holding Next data for 3 s: a step at 0.5 s, every 0.1 s, every 0.05 s after 2 s of
    // repeating; none at the release.
    void holdingRepeatsFasterAndFaster() {
        FormHarness h;
        MainForm& form = startWith(h, days(100));
        form.document.setListTopIndex(1);
        ImageButton* down = form.ui.list.ImgListDown;
        QTest::mousePress(down, Qt::LeftButton);
        QList<int> steps;
        for (int ms = 1; ms <= 3000; ++ms) {
            const std::int16_t before = form.document.listTopIndex();
            h.clock.advance(1);
            form.list().listButtons->poll();
            if (form.document.listTopIndex() != before)
                steps << ms;
        }
        QList<int> expected;
        // The step after 2 s of repeating (at 2.6 s) still waits 0.1 s; the faster pace follows.
        for (int t = 500; t <= 2700; t += 100)
            expected << t;
        for (int t = 2750; t <= 3000; t += 50)
            expected << t;
        QCOMPARE(steps, expected);
        QTest::mouseRelease(down, Qt::LeftButton);
        QCOMPARE(form.document.listTopIndex(), std::int16_t(1 + expected.size()));
        QCOMPARE(form.ui.list.LblNumData[0]->text(), QString::number(1 + expected.size()));
    }

    void pointerIsResetOnceOffTheDayLabels() {
        FormHarness h;
        MainForm& form = startWith(h, days(3));
        openListTab(form);
        moveOver(form.ui.list.LblDateData[0]);
        QCOMPARE(form.pointer.labelPointerState, LabelPointer::hand);
        QCOMPARE(form.cursor().shape(), Qt::BitmapCursor);
        moveOver(form.ui.list.PicGraphArea);
        QCOMPARE(form.pointer.labelPointerState, LabelPointer::arrow);
        QCOMPARE(form.cursor().shape(), Qt::ArrowCursor);
        form.setCursor(Qt::CrossCursor);
        moveOver(form.ui.list.PicViewArea);
        moveOver(form.ui.mainTab->page(1));
        QCOMPARE(form.cursor().shape(), Qt::CrossCursor); // further movement leaves it alone
    }

    void doubleClickOnADrawnDateOpensTheDay() {
        FormHarness h;
        MainForm& form = startWith(h, days(3));
        openListTab(form);
        QTest::mouseDClick(form.ui.list.LblDateData[1], Qt::LeftButton);
        QCOMPARE(form.ui.mainTab->currentPage(), 0);
        QCOMPARE(form.ui.diary.InputDate->text(), QStringLiteral("Jan./02/2004"));
        QCOMPARE(form.ui.diary.InputSys[0]->text(), QStringLiteral("120"));
    }

    // By keyboard alone: Tab reaches the first day row, which a screen reader hears as one list
    // item in words, without its labels; Down moves to the next row, Enter opens its day.
    void keyboardReachesARowAndOpensItsDay() {
        FormHarness h;
        MainForm& form =
            startWith(h, "Ann,\r\nJan./05/2004,129,83,74,7:28am,131,85,,21:00,,,,,after a walk,\r\n"
                         "Jan./06/2004,,,70,,,,,,,,,,,\r\n");
        openListTab(form);
        ListDayRow* first = form.ui.list.DayRow[0];
        for (int i = 0; i < 10 && QApplication::focusWidget() != first; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), first);
        QAccessibleInterface* row = QAccessible::queryAccessibleInterface(first);
        QCOMPARE(row->role(), QAccessible::ListItem);
        QCOMPARE(row->parent()->role(), QAccessible::List);
        QCOMPARE(row->text(QAccessible::Name),
                 QStringLiteral("Jan./05/2004: 129 over 83, pulse 74, at 7:28am; 131 over 85, at 9:00pm; "
                                "note: after a walk"));
        QCOMPARE(row->childCount(), 0);
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(form.ui.list.PicViewArea);
        QCOMPARE(list->childCount(), ListControls::rows);
        QCOMPARE(list->child(1)->text(QAccessible::Name), QStringLiteral("Jan./06/2004: pulse 70"));

        QTest::keyClick(first, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), form.ui.list.DayRow[1]);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(form.ui.mainTab->currentPage(), 0);
        QCOMPARE(form.ui.diary.InputDate->text(), QStringLiteral("Jan./06/2004"));
        QCOMPARE(form.ui.diary.InputPul[0]->text(), QStringLiteral("70"));
    }

    // A commit redraws the chart at once.
    void aCommitRedrawsTheChart() {
        FormHarness h;
        MainForm& form = startWith(h, "Ann,\r\n");
        QCOMPARE(blackOffTheGrid(form), 0);
        typeInto(form.ui.diary.InputSys[0], QStringLiteral("120"));
        typeInto(form.ui.diary.InputDia[0], QStringLiteral("80"));
        clickLabel(form.ui.diary.LblSys);
        QCOMPARE(chartPixel(form, px(900), px(385)), black);
        QCOMPARE(form.ui.list.LblSysData[0]->text(), QStringLiteral("120"));
    }
};

QTEST_MAIN(ListPageTest)
#include "test_list_page.moc"
