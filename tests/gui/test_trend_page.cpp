// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/canvas.h"
#include "canvas/canvas_set.h"
#include "canvas/controls.h"
#include "canvas/twips.h"
#include "shell/main_form.h"
#include "shell/main_tab.h"
#include "support/diary_actions.h"
#include "support/form_harness.h"
#include "trend/trend_page.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QtTest>

using namespace tonolog;
using namespace tonolog::diary;

namespace {

const QColor black(0, 0, 0);
const QColor red(159, 0, 0);
const QColor blue(0, 0, 234);
const QColor green(75, 156, 122);

// A diary of April 2004 from its day lines ("03,120,80,66,7:05am,..." after "Apr./").
MainForm& startInApril(FormHarness& h, const QByteArray& dayLines) {
    const QString path = h.file(QStringLiteral("april.tnl"));
    QByteArray text = "Ann,\r\n";
    for (const QByteArray& line : dayLines.split('|'))
        if (!line.isEmpty())
            text += "Apr./" + line + ",\r\n";
    if (dayLines.isEmpty())
        text += "Apr./30/2004,,,,,,,,,,,,,only a note,\r\n";
    FormHarness::writeFile(path, text);
    MainForm& form = h.start(path);
    setClientSize(form, MainForm::designClientPixels());
    return form;
}

// A reading's point on the 9375 x 5535 graph of April (30 columns of 312.5).
QPoint at(int day, int reading, int value) {
    const double w = 312.5;
    return QPoint(twips::toPixels(qRound(w * (day - 1) + w / 3 * reading + w / 10)),
                  twips::toPixels(qRound(5535 - 5535 / 250.0 * value)));
}

int count(MainForm& form, const QColor& colour) {
    const QImage& p = form.ui.trend.PicTrendArea->picture();
    int n = 0;
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x)
            n += p.pixelColor(x, y) == colour ? 1 : 0;
    return n;
}

QColor pixel(MainForm& form, QPoint p) {
    return form.ui.trend.PicTrendArea->picture().pixelColor(p);
}

// Whether the colour is at the point or next to it (a line of pen width 2 between two rounded
// ends may pass a pixel beside the rounded middle).
bool near(MainForm& form, QPoint p, const QColor& colour) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (pixel(form, p + QPoint(dx, dy)) == colour)
                return true;
    return false;
}

void pointAt(QWidget* widget, QPoint pos) {
    QMouseEvent move(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

} // namespace

class TrendPageTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // One reading: the black DIA-to-SYS line and a dark red and a blue dot, nothing else.
    void oneReading() {
        FormHarness h;
        MainForm& form = startInApril(h, "05/2004,120,80,,,,,,,,,,,");
        const QPoint sys = at(5, 0, 120);
        const QPoint dia = at(5, 0, 80);
        QCOMPARE(pixel(form, sys), red);
        QCOMPARE(pixel(form, dia), blue);
        QCOMPARE(pixel(form, (sys + dia) / 2), black);
        QCOMPARE(count(form, red), 9); // a dot of pen width 3
        QCOMPARE(count(form, blue), 9);
        QCOMPARE(count(form, green), 0);
    }

    // The 3rd (reading 1) and the 9th (reading 3): one segment per series across the days between.
    void absentDaysAreBridged() {
        FormHarness h;
        MainForm& form = startInApril(h, "03/2004,120,80,,,,,,,,,,,|09/2004,,,,,,,,,140,90,,,");
        const QPoint from = at(3, 0, 120);
        const QPoint to = at(9, 2, 140);
        QVERIFY(near(form, (from + to) / 2, red));
        QVERIFY(near(form, (at(3, 0, 80) + at(9, 2, 90)) / 2, blue));
    }

    void sysWithoutDiaAndPulseAlone() {
        FormHarness h;
        MainForm& form = startInApril(h, "03/2004,120,,,,,,70,,,,,,|04/2004,125,,,,,,,,,,,,");
        // No DIA: no black line below the SYS points; the SYS series still runs.
        QVERIFY(pixel(form, at(3, 0, 100)) != black);
        QVERIFY(near(form, (at(3, 0, 120) + at(4, 0, 125)) / 2, red));
        QCOMPARE(count(form, blue), 0);
        // PUL alone: the green dot with its black outline.
        const QPoint pulse = at(3, 1, 70);
        QCOMPARE(pixel(form, pulse), green);
        QCOMPARE(pixel(form, pulse + QPoint(0, twips::toPixels(40))), black);
    }

    // SYS 280 lies above the top edge: the segments towards it run off the top.
    void aboveTheScaleRunsOffTheTop() {
        FormHarness h;
        MainForm& form = startInApril(h, "03/2004,120,,,,,,,,,,,,|05/2004,120,,,,,,,,,,,,");
        storeValue(form, 2, 1, "280"); // a file cannot hold it
        form.redrawPages();
        const QImage& p = form.ui.trend.PicTrendArea->picture();
        int topRed = 0;
        for (int x = 0; x < p.width(); ++x)
            topRed += p.pixelColor(x, 0) == red ? 1 : 0;
        QVERIFY(topRed > 0);
    }

    // No rows in the window: zones, grid, labels and dates, no mark; and the legend.
    void emptyWindowAndLegend() {
        FormHarness h;
        MainForm& form = startInApril(h, "");
        const TrendControls& t = form.ui.trend;
        QCOMPARE(count(form, red) + count(form, blue) + count(form, green), 0);
        QCOMPARE(pixel(form, QPoint(10, twips::toPixels(1000))), QColor(255, 233, 200));
        QCOMPARE(pixel(form, QPoint(10, twips::toPixels(3000))), QColor(255, 255, 200));
        QCOMPARE(pixel(form, QPoint(10, twips::toPixels(5000))), QColor(210, 255, 210));
        QCOMPARE(t.LblTrendDateTop->text(), QStringLiteral("Apr./01/2004"));
        QCOMPARE(t.LblTrendDateLast->text(), QStringLiteral("Apr./30/2004"));
        QCOMPARE(t.LblTrendDay[5]->text(), QStringLiteral("26"));
        QCOMPARE(t.LblTrendDay[6]->text(), QStringLiteral("30"));
        QCOMPARE(t.LblTrendBpScale[3]->y(), twips::toPixels(5740)); // 50, centred on its line
        const QImage& legend = t.PicExpArea->picture();
        const auto lp = [](int x, int y) { return QPoint(twips::toPixels(x), twips::toPixels(y)); };
        QCOMPARE(legend.pixelColor(lp(692, 205)), black);
        QCOMPARE(legend.pixelColor(lp(700, 85)), red);
        QCOMPARE(legend.pixelColor(lp(700, 325)), blue);
        QCOMPARE(legend.pixelColor(lp(692, 565)), green);
        QVERIFY(legend.pixelColor(lp(622 - 30, 85)) != red);
    }

    void scrollingAndARefusedMove() {
        FormHarness h;
        MainForm& form = startInApril(h, "05/2004,120,80,,,,,,,,,,,");
        const TrendControls& t = form.ui.trend;
        QTest::mouseClick(t.ImgTrendLeft, Qt::LeftButton);
        QCOMPARE(t.LblTrendDateTop->text(), QStringLiteral("Mar./16/2004"));
        QCOMPARE(t.LblTrendDateLast->text(), QStringLiteral("Apr./15/2004"));
        QTest::mouseClick(t.ImgTrendRight, Qt::LeftButton);
        QCOMPARE(t.LblTrendDateTop->text(), QStringLiteral("Apr./01/2004"));
        // The diary ends on the 5th: a window from the 16th is refused, and the page is redrawn.
        form.canvases.drawLine(CanvasSet::trendGraph, 0, 0, 9375, 5535, red, CanvasSet::Shape::filledBox);
        QTest::mouseClick(t.ImgTrendRight, Qt::LeftButton);
        QCOMPARE(form.document.trendWindowStart(), dateFromCivil(2004, 4, 1));
        QCOMPARE(count(form, red), 9);
        QCOMPARE(form.trend().trendButtonState, HoldState::idle);
    }

    void doubleClickOpensTheDayUnderThePointer_data() {
        QTest::addColumn<int>("x"); // twips
        QTest::addColumn<QString>("date");
        QTest::newRow("3000: the 10th") << 3000 << QStringLiteral("Apr./10/2004");
        QTest::newRow("0: the 1st") << 0 << QStringLiteral("Apr./01/2004");
    }

    void doubleClickOpensTheDayUnderThePointer() {
        QFETCH(int, x);
        QFETCH(QString, date);
        FormHarness h;
        MainForm& form = startInApril(h, "10/2004,120,80,,,,,,,,,,,");
        MainTab* tab = form.ui.mainTab;
        QTest::mouseClick(tab->strip(), Qt::LeftButton, {}, tab->strip()->tabRect(2).center());
        Canvas* graph = form.ui.trend.PicTrendArea;
        pointAt(graph, QPoint(twips::toPixels(x), 50));
        QCOMPARE(form.trend().trendPointerX, std::int16_t(x));
        QTest::mouseDClick(graph, Qt::LeftButton, {}, QPoint(twips::toPixels(x), 50));
        QCOMPARE(tab->currentPage(), 0);
        QCOMPARE(form.ui.diary.InputDate->text(), date);
        QCOMPARE(form.ui.diary.InputSys[0]->text(), x == 3000 ? QStringLiteral("120") : QString());
        QCOMPARE(tab->tabColor(0), form.colors.paletteDiaryPage);
    }

    // By keyboard alone: Tab reaches the graph, which describes the month's figures to a screen
    // reader and names the day of its cursor; Left moves the cursor a day, Enter opens the day.
    void keyboardChoosesADayOnTheGraph() {
        FormHarness h;
        MainForm& form = startInApril(h, "10/2004,120,80,66,7:05am,,,,,,,,,|12/2004,131,85,70,,,,,,,,,,");
        MainTab* tab = form.ui.mainTab;
        QTest::mouseClick(tab->strip(), Qt::LeftButton, {}, tab->strip()->tabRect(2).center());
        Canvas* graph = form.ui.trend.PicTrendArea;
        for (int i = 0; i < 10 && QApplication::focusWidget() != graph; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), graph);
        QAccessibleInterface* said = QAccessible::queryAccessibleInterface(graph);
        // SYS 125.5 goes to the even 126, DIA 82.5 to 82.
        QCOMPARE(said->text(QAccessible::Description),
                 QStringLiteral("Apr. 1 to Apr. 30, 2004: 2 readings; SYS mean 126, lowest 120, highest 131; "
                                "DIA mean 82, lowest 80, highest 85; mean pulse 68. "
                                "Left and Right choose a day, Enter opens it."));
        QCOMPARE(said->text(QAccessible::Name), QStringLiteral("Apr./12/2004: 131 over 85, pulse 70"));
        QTest::keyClick(graph, Qt::Key_Left);
        QCOMPARE(said->text(QAccessible::Name), QStringLiteral("Apr./11/2004: no readings"));
        QTest::keyClick(graph, Qt::Key_Left);
        QCOMPARE(said->text(QAccessible::Name),
                 QStringLiteral("Apr./10/2004: 120 over 80, pulse 66, at 7:05am"));
        QTest::keyClick(graph, Qt::Key_Return);
        QCOMPARE(tab->currentPage(), 0);
        QCOMPARE(form.ui.diary.InputDate->text(), QStringLiteral("Apr./10/2004"));
        QCOMPARE(form.ui.diary.InputSys[0]->text(), QStringLiteral("120"));
    }
};

QTEST_MAIN(TrendPageTest)
#include "test_trend_page.moc"
