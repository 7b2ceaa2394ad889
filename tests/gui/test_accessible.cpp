// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/canvas.h"
#include "canvas/controls.h"
#include "shell/main_form.h"
#include "shell/main_tab.h"
#include "support/diary_actions.h"
#include "support/form_harness.h"

#include <QAccessible>
#include <QLineEdit>
#include <QtTest>

using namespace tonolog;

namespace {

QString name(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

QString description(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Description);
}

// Six days from Jan. 5 2004 with one reading each (SYS 120 + day), Jan. 7 with a second one
// (SYS only) and Jan. 8 with a pulse alone; today is Jan. 20 2004.
MainForm& startWithSixDays(FormHarness& h) {
    QByteArray text = "Ann,\r\n";
    for (int i = 0; i < 6; ++i) {
        const std::string key = formatDayKey(dateFromCivil(2004, 1, 5 + i));
        QByteArray first = QByteArray::number(120 + i) + ",80,66,7:05am";
        if (i == 3)
            first = ",,70,";
        const QByteArray second = i == 2 ? "131,,,9:00pm" : ",,,";
        text += QByteArray::fromStdString(key) + ',' + first + ',' + second + ",,,,,,\r\n";
    }
    const QString path = h.file(QStringLiteral("ann.tnl"));
    FormHarness::writeFile(path, text);
    return h.start(path);
}

} // namespace

// What a screen reader reads out, through Qt's accessibility interface.
class AccessibleTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Every box, image button and drawing of the pages has a name and a description; the reading
    // boxes are named by their reading and row.
    void everyControlIsNamedAndDescribed() {
        FormHarness h;
        MainForm& form = startWithSixDays(h);
        QStringList boxNames;
        for (int p = 0; p < MainTab::pageCount; ++p) {
            QWidget* page = form.ui.mainTab->page(p);
            QList<QWidget*> controls;
            for (QLineEdit* box : page->findChildren<QLineEdit*>())
                controls << box;
            for (ImageButton* button : page->findChildren<ImageButton*>())
                controls << button;
            for (Canvas* canvas : page->findChildren<Canvas*>())
                controls << canvas;
            for (QWidget* w : controls) {
                QVERIFY2(!name(w).isEmpty(), qPrintable(w->objectName()));
                QVERIFY2(!description(w).isEmpty(), qPrintable(w->objectName()));
            }
            for (QLineEdit* box : page->findChildren<QLineEdit*>())
                boxNames << name(box);
        }
        QCOMPARE(boxNames.size(), 15);
        QCOMPARE(QSet<QString>(boxNames.begin(), boxNames.end()).size(), 15);
        QCOMPARE(name(form.ui.diary.InputDia[1]), QStringLiteral("Reading 2, DIA"));
        QCOMPARE(name(form.ui.diary.InputTime[2]), QStringLiteral("Reading 3, TIME"));

        auto role = [](QWidget* w) { return QAccessible::queryAccessibleInterface(w)->role(); };
        QCOMPARE(role(form.ui.list.ImgListDown), QAccessible::Button);
        QCOMPARE(role(form.ui.list.ImgListLogo), QAccessible::Graphic);
        QCOMPARE(role(form.ui.trend.PicTrendArea), QAccessible::Graphic);
    }

    // The chart names the four days shown and their readings, the graph its window and how many
    // readings it holds with their figures; both follow every redraw, a step of the page or a new
    // reading.
    void drawingsDescribeWhatTheyShow() {
        FormHarness h;
        MainForm& form = startWithSixDays(h);
        QCOMPARE(description(form.ui.list.PicGraphArea),
                 QStringLiteral("Bars from DIA to SYS on a scale of 0 to 250 mmHg. "
                                "Jan./07/2004: 122 over 80, pulse 66, at 7:05am; SYS 131, at 9:00pm. "
                                "Jan./08/2004: pulse 70. "
                                "Jan./09/2004: 124 over 80, pulse 66, at 7:05am. "
                                "Jan./10/2004: 125 over 80, pulse 66, at 7:05am."));
        QCOMPARE(description(form.ui.list.PicViewArea), QStringLiteral("Days 3 to 6 of 6"));
        QCOMPARE(description(form.ui.trend.PicTrendArea),
                 QStringLiteral("Jan. 1 to Jan. 31, 2004: 7 readings; SYS mean 124, lowest 120, highest 131; "
                                "DIA mean 80, lowest 80, highest 80; mean pulse 67. "
                                "Left and Right choose a day, Enter opens it."));

        // Pressed through the screen reader's action, as a click.
        QAccessibleInterface* up = QAccessible::queryAccessibleInterface(form.ui.list.ImgListUp);
        up->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(description(form.ui.list.PicGraphArea)
                    .contains(QLatin1String(" mmHg. Jan./06/2004: 121 over 80")));
        // The Diary page is in front: Page Up steps the day, not the list.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp);
        QCOMPARE(form.ui.diary.InputDate->text(), QStringLiteral("Jan./19/2004"));
        QCOMPARE(description(form.ui.list.PicViewArea), QStringLiteral("Days 2 to 5 of 6"));

        diary::typeInto(form.ui.diary.InputSys[0], QStringLiteral("140"));
        diary::typeInto(form.ui.diary.InputDia[0], QStringLiteral("90"));
        QVERIFY(description(form.ui.trend.PicTrendArea)
                    .startsWith(QLatin1String("Jan. 1 to Jan. 31, 2004: 8 readings; SYS mean 126,")));

        MainTab* tab = form.ui.mainTab;
        QVERIFY(description(tab->strip()).startsWith(QLatin1String("The Diary page is in front")));
        QTest::mouseClick(tab->strip(), Qt::LeftButton, {}, tab->strip()->tabRect(2).center());
        QVERIFY(description(tab->strip()).startsWith(QLatin1String("The Trend page is in front")));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp);
        QVERIFY(description(form.ui.trend.PicTrendArea)
                    .startsWith(QLatin1String("Dec. 16, 2003 to Jan. 15, 2004: 7 readings;")));
    }
};

QTEST_MAIN(AccessibleTest)
#include "test_accessible.moc"
