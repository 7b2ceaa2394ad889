// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/canvas.h"
#include "canvas/controls.h"
#include "canvas/twips.h"
#include "shell/main_form.h"
#include "shell/main_tab.h"
#include "support/diary_actions.h"
#include "support/form_harness.h"

#include <QAccessible>
#include <QAction>
#include <QCalendarWidget>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QtTest>

#include <sys/stat.h>

using namespace tonolog;
using tonolog::diary::setClientSize;

namespace {

QRect px(QRect twipsRect) {
    return twips::toPixels(twipsRect);
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { QStandardPaths::setTestModeEnabled(true); }

    // Every control of the design table stands at its rectangle scaled by the client area: at the
    // design size and at another. (The scale labels and day labels of the charts are placed by the
    // pages' drawing.)
    void everyControlFollowsTheDesignTable() {
        FormHarness h;
        MainForm& form = h.start();
        const ElasticLayout& table = form.layout();
        QVERIFY(table.items().size() > 200);
        for (const QSize client : {MainForm::designClientPixels(), QSize(1100, 830)}) {
            setClientSize(form, client);
            const double sx = twips::fromPixels(client.width()) / table.designClient().width();
            const double sy = twips::fromPixels(client.height()) / table.designClient().height();
            for (const ElasticLayout::Item& item : table.items()) {
                const QString name = item.widget->objectName();
                static const QRegularExpression placedByThePages(
                    QStringLiteral("^(LblTrendDay\\(\\d\\)|LblList\\d+|LblTrend(Bp|Pul)\\d+)$"));
                if (placedByThePages.match(name).hasMatch())
                    continue;
                QCOMPARE(item.widget->geometry(), twips::scaledToPixels(item.design, sx, sy));
            }
        }
        QCOMPARE(form.ui.diary.InputName->parentWidget(), form.ui.mainTab->page(0));
    }

    void captionsTooltipsFontsAndAlignment() {
        FormHarness h;
        MainForm& form = h.start();
        setClientSize(form, MainForm::designClientPixels());
        const DiaryControls& d = form.ui.diary;
        QCOMPARE(d.InputName->toolTip(), QStringLiteral("Input your name"));
        QCOMPARE(d.InputDate->toolTip(), QStringLiteral("Input date or click right button"));
        QCOMPARE(d.InputTime[2]->toolTip(), QStringLiteral("Input time or click right button"));
        QCOMPARE(d.ImgInputTime[1]->toolTip(), QStringLiteral("Input current time"));
        QCOMPARE(d.ImgDiaryUp->toolTip(), QStringLiteral("See previous day (PgUp, Alt+Up)"));
        QCOMPARE(d.LblName->text(), QStringLiteral("'s Tonolog"));
        QVERIFY(d.InputSys[0]->alignment() & Qt::AlignRight);
        QVERIFY(d.LblDate->alignment() & Qt::AlignRight);
        QCOMPARE(d.InputSys[0]->font().pointSizeF(), 15.75);
        QCOMPARE(d.LblSys->font().pointSizeF(), 14.25);
        QCOMPARE(d.InputSys[0]->font().family(), QStringLiteral("Tahoma"));
        QCOMPARE(form.ui.list.LblComment->text(), QStringLiteral("S:Systolic D:Diastolic P:Pulse"));
        QCOMPARE(form.ui.list.LblComment->font().pointSizeF(), 9.75);
        QCOMPARE(form.ui.list.ImgListUp->toolTip(), QStringLiteral("See previous data (PgUp, Alt+Up)"));
        QCOMPARE(form.ui.trend.LblTrendDateTop->font().pointSizeF(), 10.5);
        QCOMPARE(form.ui.mainTab->captionFont().family(), QStringLiteral("Arial"));
        QCOMPARE(form.ui.mainTab->caption(0), QStringLiteral("Diary"));
        QCOMPARE(form.ui.mainTab->caption(2), QStringLiteral("Trend"));
        QCOMPARE(form.ui.MonthView->size(), QSize(201, 168));
        QVERIFY(!form.ui.MonthView->isVisible());
        // The note canvas of the List page is moved out of view at start-up.
        QCOMPARE(form.ui.list.PicNoteArea->y(), form.ui.mainTab->page(1)->height());
        QCOMPARE(form.ui.list.PicViewArea->backgroundColor(), QColor(196, 225, 255));
    }

    void tabOrderRunsDownEachReading() {
        FormHarness h;
        MainForm& form = h.start();
        const DiaryControls& d = form.ui.diary;
        QList<QWidget*> expected{d.InputName, d.InputDate};
        for (std::size_t i = 0; i < 3; ++i)
            expected << d.InputSys[i] << d.InputDia[i] << d.InputPul[i] << d.InputTime[i];
        expected << d.InputNote;
        for (int k = 0; k + 1 < expected.size(); ++k) {
            QWidget* next = expected[k]->nextInFocusChain();
            while (!(next->focusPolicy() & Qt::TabFocus))
                next = next->nextInFocusChain();
            QCOMPARE(next, expected[k + 1]);
        }
    }

    // A screen reader hears the tabs as page tabs, the one in front selected, and the menus by
    // their captions without the bracketed access key.
    void screenReadersHearTabsAndMenusByName() {
        FormHarness h;
        MainForm& form = h.start();
        QAccessibleInterface* strip = QAccessible::queryAccessibleInterface(form.ui.mainTab->strip());
        QCOMPARE(strip->role(), QAccessible::PageTabList);
        QStringList tabs;
        for (int i = 0; i < strip->childCount(); ++i) {
            QCOMPARE(strip->child(i)->role(), QAccessible::PageTab);
            tabs << strip->child(i)->text(QAccessible::Name) +
                        (strip->child(i)->state().selected ? QStringLiteral("*") : QString());
        }
        QCOMPARE(tabs, (QStringList{"Diary*", "List", "Trend"}));
        strip->child(2)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(form.ui.mainTab->currentPage(), 2);
        QVERIFY(strip->child(2)->state().selected && !strip->child(0)->state().selected);

        auto names = [](QWidget* widget) {
            QStringList out;
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
            for (int i = 0; i < iface->childCount(); ++i)
                if (iface->child(i)->role() != QAccessible::Separator)
                    out << iface->child(i)->text(QAccessible::Name);
            return out;
        };
        QCOMPARE(names(form.menuBar()), (QStringList{"File", "Readings", "Help"}));
        const QStringList file = names(form.ui.menu.mnuFile);
        QCOMPARE(file.mid(0, 5), (QStringList{"New", "Open...", "Close", "Save", "Save as..."}));
        QCOMPARE(names(form.ui.menu.mnuReadings).first(), QStringLiteral("Import readings..."));
    }

    void menusHaveTheirItemsAndShortcuts() {
        FormHarness h;
        MainForm& form = h.start();
        const MenuControls& m = form.ui.menu;
        QCOMPARE(m.mnuFile->title(), QStringLiteral("File(&F)"));
        QCOMPARE(m.mnuHelp->title(), QStringLiteral("Help(&H)"));
        // The items in their order, separators as empty texts.
        const auto captions = [](const QMenu* menu) {
            QStringList texts;
            for (const QAction* action : menu->actions())
                texts << action->text();
            return texts;
        };
        QCOMPARE(captions(m.mnuFile),
                 (QStringList{"New(&N)", "Open(&O)...", "Close(&C)", "", "Save(&S)", "Save as(&A)...", "",
                              "Print(&P)...", "", "", "", "", "", "Exit(&X)"}));
        QCOMPARE(m.actNew->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
        QCOMPARE(m.actOpen->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
        QCOMPARE(m.actSave->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
        QCOMPARE(m.actPrint->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
        QVERIFY(!m.historySeparator->isVisible());
        for (const QAction* entry : m.actHistory)
            QVERIFY(!entry->isVisible());
        QCOMPARE(captions(m.mnuHelp), (QStringList{"Contents(&C)...", "Topics(&S)...", "", "About(&A)..."}));
        QCOMPARE(form.findChild<QAction*>(QStringLiteral("actExit")), m.actExit);
    }

    void rescalingKeepsTheRowArrangement() {
        FormHarness h;
        MainForm& form = h.start();
        const QSize bigger(1100, 830);
        setClientSize(form, bigger);
        const double sx = bigger.width() * 15.0 / 11880;
        const double sy = bigger.height() * 15.0 / 8310;
        const ListControls& l = form.ui.list;
        const QPoint first = l.ShapeSys[0]->pos();
        for (int r = 0; r < 4; ++r)
            for (int k = 0; k < 3; ++k) {
                const QPoint p = l.ShapeSys[static_cast<std::size_t>(3 * r + k)]->pos();
                QVERIFY(qAbs(p.x() - first.x() - 1800 * k * sx / 15) <= 1.0);
                QVERIFY(qAbs(p.y() - first.y() - 1560 * r * sy / 15) <= 1.0);
            }
        // Canvases and fonts grow with the window.
        QVERIFY(qAbs(l.PicViewArea->width() - 7335 * sx / 15) <= 1.0);
        QVERIFY(qAbs(l.PicViewArea->widthTwips() - 7335 * sx) <= 15.0);
        QVERIFY(form.ui.diary.InputSys[0]->font().pointSizeF() > 15.75 * 1.3);
        // and come back to their design rectangles.
        setClientSize(form, MainForm::designClientPixels());
        QCOMPARE(l.ShapeSys[11]->geometry(), px({1680 + 3600, 240 + 4680, 1815, 1095}));
        QCOMPARE(form.ui.diary.InputSys[0]->font().pointSizeF(), 15.75);
    }

    // The tab strip ends where the pages begin at every size: smaller, larger and back.
    void theTabStripFollowsTheWindow() {
        FormHarness h;
        MainForm& form = h.start();
        MainTab* tab = form.ui.mainTab;
        const auto stripFits = [tab] { return tab->strip()->geometry().bottom() + 2 == tab->page(0)->y(); };
        QVERIFY(stripFits());
        for (const QSize client : {QSize(560, 420), QSize(1400, 1000), MainForm::designClientPixels()}) {
            setClientSize(form, client);
            QVERIFY2(stripFits(),
                     qPrintable(QStringLiteral("%1x%2").arg(client.width()).arg(client.height())));
        }
    }

    void tabStripClickSwitchesPagesAndColoursTheTabs() {
        FormHarness h;
        MainForm& form = h.start();
        MainTab* tab = form.ui.mainTab;
        const PagePalette c;
        QCOMPARE(tab->currentPage(), 0);
        QCOMPARE(tab->tabColor(0), c.paletteDiaryPage);
        QCOMPARE(tab->tabColor(1), c.paletteListTab);
        QCOMPARE(tab->tabColor(2), c.paletteTrendTab);
        QCOMPARE(tab->frontColor(), c.paletteDiaryPage);
        QCOMPARE(tab->page(0)->backgroundColor(), c.paletteDiaryPage);
        QCOMPARE(tab->page(1)->backgroundColor(), c.paletteListPage);
        QCOMPARE(tab->page(2)->backgroundColor(), c.paletteTrendPage);

        QTest::mouseClick(tab->strip(), Qt::LeftButton, {}, tab->strip()->tabRect(1).center());
        QCOMPARE(tab->currentPage(), 1);
        QVERIFY(tab->page(1)->isVisible());
        QVERIFY(!tab->page(0)->isVisible());
        QCOMPARE(form.diary().lastTab, std::int16_t(1));
        QCOMPARE(tab->tabColor(0), c.paletteDiaryTab);
        QCOMPARE(tab->tabColor(1), c.paletteListPage);
        QCOMPARE(tab->tabColor(2), c.paletteTrendTab);

        // The faces really show their colours: sample each tab's face beside its caption.
        const QImage strip = tab->strip()->grab().toImage();
        for (int i = 0; i < 3; ++i) {
            const QRect r = tab->strip()->tabRect(i);
            const QColor face = strip.pixelColor(r.left() + 12, r.center().y());
            QCOMPARE(face, tab->tabColor(i));
        }

        // Writing the page shows it but is not a click.
        form.diary().lastTab = 7;
        tab->setCurrentPage(2);
        QCOMPARE(form.diary().lastTab, std::int16_t(7));
        QVERIFY(tab->page(2)->isVisible());
    }

    void firstStartUsesTheDefaults() {
        FormHarness h;
        MainForm& form = h.start();
        QCOMPARE(form.windowTop, 600);
        QCOMPARE(form.windowLeft, 600);
        QCOMPARE(form.pos(), QPoint(40, 40));
        QCOMPARE(form.size(), QSize(800, 600));
        QCOMPARE(form.ui.mainTab->currentPage(), 0);
        QCOMPARE(form.windowTitle(), QStringLiteral("Tonolog"));
        QCOMPARE(h.messages.count(), 0);
        QCOMPARE(FormHarness::readFile(h.backupPath()), QByteArray(",,,,,,,,,,,,,,\r\n"));
        QVERIFY(form.document.isUntitled());
        QCOMPARE(form.ui.list.LblListTitle->text(), QStringLiteral("(New) 's data list"));
        QCOMPARE(form.ui.trend.LblTrendTitle->text(), QStringLiteral("(New) 's BP Trend"));
        QCOMPARE(form.windowIcon().isNull(), false);
        QTRY_VERIFY(form.windowActivated);
    }

    // Nothing the window does at start-up or close should hold up a frame on an empty diary.
    void startUpAndCloseAreQuick() {
        FormHarness h;
        QElapsedTimer timer;
        timer.start();
        MainForm& form = h.start(QString(), false);
        const qint64 startUs = timer.nsecsElapsed() / 1000;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        timer.restart();
        QVERIFY(h.close());
        const qint64 closeUs = timer.nsecsElapsed() / 1000;
        qInfo("empty diary: window built and loaded in %lld us, closed in %lld us", startUs, closeUs);
        QVERIFY2(startUs < 2000 * 1000 && closeUs < 2000 * 1000, "start-up or close took seconds");
    }

    void settingsRoundTrip() {
        FormHarness h;
        MainForm& form = h.start();
        QTRY_VERIFY(form.windowActivated);
        form.move(100, 120);
        QTRY_COMPARE(form.pos(), QPoint(100, 120));
        QVERIFY(h.close());
        QCOMPARE(h.settings.read(QStringLiteral("FormSize"), QStringLiteral("Top"), {}),
                 QStringLiteral("1800"));
        QCOMPARE(h.settings.read(QStringLiteral("FormSize"), QStringLiteral("Left"), {}),
                 QStringLiteral("1500"));
        QVERIFY(!QFile::exists(h.backupPath()));
        MainForm& again = h.start();
        QCOMPARE(again.pos(), QPoint(100, 120));
        QCOMPARE(h.messages.count(), 0); // a normal close leaves no backup to recall
    }

    void badOrOffScreenPositionFallsBack() {
        FormHarness h;
        h.settings.preset(QStringLiteral("FormSize"), QStringLiteral("Top"), QStringLiteral("abc"));
        h.settings.preset(QStringLiteral("FormSize"), QStringLiteral("Left"), QStringLiteral("900"));
        QCOMPARE(h.start().pos(), QPoint(40, 40));
        QVERIFY(h.close());
        h.settings.preset(QStringLiteral("FormSize"), QStringLiteral("Top"), QStringLiteral("900000"));
        h.settings.preset(QStringLiteral("FormSize"), QStringLiteral("Left"), QStringLiteral("900000"));
        QCOMPARE(h.start().pos(), QPoint(40, 40));
    }

    void historyMenuComesFromTheSettings() {
        FormHarness h;
        h.settings.preset(QStringLiteral("History"), QStringLiteral("Path1"),
                          QStringLiteral("/home/ann/a.tnl"));
        h.settings.preset(QStringLiteral("History"), QStringLiteral("Path2"),
                          QStringLiteral("/home/ann/b.tnl"));
        MainForm& form = h.start();
        const auto& items = form.ui.menu.actHistory;
        QVERIFY(form.ui.menu.historySeparator->isVisible());
        QVERIFY(items[0]->isVisible());
        QVERIFY(items[1]->isVisible());
        QVERIFY(!items[2]->isVisible());
        QCOMPARE(items[0]->text(), QStringLiteral("&1 /home/ann/a.tnl"));
        QCOMPARE(items[1]->text(), QStringLiteral("&2 /home/ann/b.tnl"));
        QVERIFY(h.close());
        QCOMPARE(h.settings.read(QStringLiteral("History"), QStringLiteral("Path2"), {}),
                 QStringLiteral("/home/ann/b.tnl"));
        QCOMPARE(h.settings.read(QStringLiteral("History"), QStringLiteral("Path3"), QStringLiteral("x")),
                 QString());
    }

    void commandLineFileOpensWithoutABackup() {
        FormHarness h;
        const QString path = h.file(QStringLiteral("ann.tnl"));
        FormHarness::writeFile(path, "Ann,\r\nJan./05/2004,128,84,66,7:05am,,,,,,,,,,\r\n");
        MainForm& form = h.start(QLatin1Char('"') + path + QLatin1Char('"'));
        QCOMPARE(h.messages.count(), 0);
        QCOMPARE(form.windowTitle(), QStringLiteral("Tonolog [ann.tnl]"));
        QCOMPARE(form.document.userName(), std::string("Ann"));
        QCOMPARE(form.document.table().count(), 1);
        QCOMPARE(form.ui.diary.InputName->text(), QStringLiteral("Ann"));
        QCOMPARE(form.history.historyPath1, path);
        QVERIFY(!form.document.isDirty());
        QCOMPARE(FormHarness::readFile(h.backupPath()), QByteArray(",,,,,,,,,,,,,,\r\n"));
        QCOMPARE(form.ui.list.LblListTitle->text(), QStringLiteral("Ann 's data list"));
    }

    void relativeCommandLinePathIsTakenFromTheCurrentDirectory() {
        FormHarness h;
        FormHarness::writeFile(h.file(QStringLiteral("rel.tnl")), "Bea,\r\n");
        const QString before = QDir::currentPath();
        QDir::setCurrent(h.dir.path());
        MainForm& form = h.start(QStringLiteral("rel.tnl"));
        QDir::setCurrent(before);
        QCOMPARE(form.windowTitle(), QStringLiteral("Tonolog [rel.tnl]"));
        QCOMPARE(form.document.path(), toStd(h.file(QStringLiteral("rel.tnl"))));
        QCOMPARE(form.document.userName(), std::string("Bea"));
    }

    // A path with ".." names the diary by its plain path, once in the history.
    void aCommandLinePathIsCleaned() {
        FormHarness h;
        QDir(h.dir.path()).mkdir(QStringLiteral("sub"));
        FormHarness::writeFile(h.file(QStringLiteral("bea.tnl")), "Bea,\r\n");
        h.settings.preset(QStringLiteral("History"), QStringLiteral("Path1"),
                          h.file(QStringLiteral("bea.tnl")));
        MainForm& form = h.start(h.file(QStringLiteral("sub/../bea.tnl")));
        QCOMPARE(form.document.path(), toStd(h.file(QStringLiteral("bea.tnl"))));
        QCOMPARE(form.history.historyPath2, QString());
    }

    void missingCommandLineFileIsReportedAndNamed() {
        FormHarness h;
        MainForm& form = h.start(h.file(QStringLiteral("gone.tnl")));
        QCOMPARE(h.messages.count(), 1);
        QCOMPARE(h.messages.last().text, QStringLiteral("Data file cannot be opened.\n") +
                                             h.file(QStringLiteral("gone.tnl")) +
                                             "\nNo such file or directory");
        QCOMPARE(h.messages.last().icon, MessageIcon::Question);
        QCOMPARE(form.windowTitle(), QStringLiteral("Tonolog [gone.tnl]"));
        QCOMPARE(form.document.table().count(), 0);
    }

    // Settings that cannot be written are mentioned once, and the window closes all the same.
    void unwritableSettingsAreToldOnceAtClose() {
        FormHarness h;
        h.start();
        h.settings.setFailWrites(true);
        QVERIFY(h.close());
        QCOMPARE(h.messages.count(), 1);
        QVERIFY(
            h.messages.last().text.startsWith(QStringLiteral("The window position and the recent files")));
    }

    // Copies of the diary that interrupted writes left in the backup's directory go at start-up;
    // only the program's own temporaries, only those older than the run.
    void staleTemporariesGoAtStartUp() {
        FormHarness h;
        const QString stale = h.locations.backupDir + QStringLiteral(".TL_Backup.Ab12Cd");
        const QString other = h.locations.backupDir + QStringLiteral("notes.txt");
        FormHarness::writeFile(stale, "Ann,\r\n");
        FormHarness::writeFile(other, "x");
        QFile old(stale);
        QVERIFY(old.open(QIODevice::ReadWrite));
        QVERIFY(
            old.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
        old.close();
        h.start();
        QVERIFY(!QFile::exists(stale));
        QVERIFY(QFile::exists(other));
    }

    // A FIFO is no diary: refused at once, instead of a start that waits for a writer.
    void aFifoOnTheCommandLineIsRefusedAtOnce() {
        FormHarness h;
        const QString fifo = h.file(QStringLiteral("pipe.tnl"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        h.start(fifo);
        QCOMPARE(h.messages.last().text,
                 QStringLiteral("Data file cannot be opened.\n") + fifo + "\nIt is not a regular file.");
    }

    void backupQuestionYesRecallsAndIgnoresTheCommandLine() {
        FormHarness h;
        FormHarness::writeFile(h.backupPath(), "Cid,\r\nJan./06/2004,120,80,60,8:00am,,,,,,,,,,\r\n");
        const QString path = h.file(QStringLiteral("ann.tnl"));
        FormHarness::writeFile(path, "Ann,\r\n");
        h.messages.queueAnswer(MessageResult::Yes);
        MainForm& form = h.start(path);
        QCOMPARE(h.messages.count(), 1);
        QCOMPARE(h.messages.last().text, QStringLiteral("Backup data was kept from the last time.\n"
                                                        "Would you like to recall data from the backup?\n\n"
                                                        "If not, it is kept as a file in\n") +
                                             h.locations.backupDir);
        QCOMPARE(h.messages.last().buttons, MessageButtons::YesNo);
        QCOMPARE(h.messages.last().icon, MessageIcon::Question);
        QCOMPARE(form.document.userName(), std::string("Cid"));
        QCOMPARE(form.document.table().count(), 1);
        QVERIFY(form.document.isDirty());
        QVERIFY(form.document.isUntitled());
        QCOMPARE(form.windowTitle(), QStringLiteral("Tonolog"));
        QVERIFY(form.history.historyPath1.isEmpty());
        // The recalled backup stays until the diary is saved or the window closes.
        QVERIFY(FormHarness::readFile(h.backupPath()).startsWith("Cid,"));
    }

    void backupQuestionNoEmptiesTheBackupThenOpensTheCommandLine() {
        FormHarness h;
        FormHarness::writeFile(h.backupPath(), "Cid,\r\nJan./06/2004,120,80,60,8:00am,,,,,,,,,,\r\n");
        const QString path = h.file(QStringLiteral("ann.tnl"));
        FormHarness::writeFile(path, "Ann,\r\n");
        // Ten backups declined before: the oldest goes, as only ten are kept.
        const QDir backups(h.locations.backupDir);
        for (int i = 0; i < 10; ++i) {
            QFile old(backups.filePath(
                QStringLiteral("TL_Backup (not recalled 2003-01-%1 08.00).tnl").arg(i + 10)));
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.setFileTime(QDateTime::currentDateTime().addDays(i - 20), QFileDevice::FileModificationTime);
        }
        h.messages.queueAnswer(MessageResult::No);
        MainForm& form = h.start(path);
        QCOMPARE(h.messages.count(), 1);
        QCOMPARE(FormHarness::readFile(h.backupPath()), QByteArray(",,,,,,,,,,,,,,\r\n"));
        // The declined backup is kept whole, private to the user.
        const QString kept =
            backups.filePath(QStringLiteral("TL_Backup (not recalled 2004-01-20 14.07).tnl"));
        QCOMPARE(FormHarness::readFile(kept),
                 QByteArray("Cid,\r\nJan./06/2004,120,80,60,8:00am,,,,,,,,,,\r\n"));
        struct stat keptStatus {};
        QCOMPARE(::stat(QFile::encodeName(kept).constData(), &keptStatus), 0);
        QCOMPARE(keptStatus.st_mode & 0777, mode_t(0600));
        const QStringList declined = backups.entryList({QStringLiteral("TL_Backup (not recalled *")});
        QCOMPARE(declined.size(), 10);
        QVERIFY(!declined.contains(QStringLiteral("TL_Backup (not recalled 2003-01-10 08.00).tnl")));
        QCOMPARE(form.document.userName(), std::string("Ann"));
        QCOMPARE(form.windowTitle(), QStringLiteral("Tonolog [ann.tnl]"));
        QVERIFY(!form.document.isDirty());
    }

    void closeAsksAndCancelKeepsTheWindow_data() {
        QTest::addColumn<bool>("pendingEntry");
        QTest::addColumn<bool>("named");
        QTest::addColumn<QString>("question");
        QTest::newRow("pending entry")
            << true << false << QStringLiteral("Data is changed.\nSave data and continue process?");
        QTest::newRow("untitled") << false << false
                                  << QStringLiteral("File is not saved.\nWould you like to save the file?\n\n"
                                                    "All the data will be lost if file is not saved.");
        QTest::newRow("named") << false << true
                               << QStringLiteral(
                                      "File is not saved.\nWould you like to overwrite the file?\n\n"
                                      "New entries will be lost if the file is not saved.");
    }

    void closeAsksAndCancelKeepsTheWindow() {
        QFETCH(bool, pendingEntry);
        QFETCH(bool, named);
        QFETCH(QString, question);
        FormHarness h;
        const QString path = h.file(QStringLiteral("ann.tnl"));
        FormHarness::writeFile(path, "Ann,\r\n");
        MainForm& form = h.start(named ? path : QString());
        if (pendingEntry)
            form.diary().entryChanged = true;
        else
            form.document.putDay(DayRecord{}, true, {}); // a commit of an empty day: unsaved
        h.messages.queueAnswer(MessageResult::Cancel);
        QVERIFY(!form.close());
        QCOMPARE(h.messages.last().text, question);
        QCOMPARE(h.messages.last().buttons, MessageButtons::YesNoCancel);
        QVERIFY(form.isVisible());
        QVERIFY(QFile::exists(h.backupPath()));
        QVERIFY(!h.settings.contains(QStringLiteral("FormSize"), QStringLiteral("Top")));

        // A save that does not complete also keeps the window open: the file dialog is
        // cancelled, or there is no owner name to save under.
        if (!pendingEntry) {
            h.dialogs.queueFileCancel();
            if (named)
                form.document.setUserName({});
            h.messages.queueAnswer(MessageResult::Yes);
            QVERIFY(!form.close());
            QVERIFY(QFile::exists(h.backupPath()));
            QVERIFY(form.files().saveIncomplete());
        }
        // No lets it close: the settings are written and the backup deleted.
        h.messages.queueAnswer(MessageResult::No);
        QVERIFY(h.close());
        QVERIFY(h.settings.contains(QStringLiteral("FormSize"), QStringLiteral("Top")));
        QVERIFY(!QFile::exists(h.backupPath()));
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
