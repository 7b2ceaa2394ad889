// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/canvas.h"
#include "canvas/controls.h"
#include "canvas/twips.h"
#include "print/page_printing.h"
#include "shell/file_commands.h"
#include "shell/main_form.h"
#include "shell/main_tab.h"
#include "support/diary_actions.h"
#include "support/form_harness.h"
#include "support/recording_surface.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QMenuBar>
#include <QPageLayout>
#include <QProcess>
#include <QtTest>

#include <algorithm>

using namespace tonolog;
using namespace tonolog::diary;

namespace {

const QColor black(0, 0, 0);

// Three days: every kind of reading, the time forms, a long note and an empty day. The 260 of
// the first day is put into the table afterwards: a file cannot hold it.
const QByteArray representative =
    "Hanna Berg,\r\n"
    "Jan./05/2004,120,80,66,0:05,250,90,70,13:30,,,,12:10,first day,\r\n"
    "Jan./06/2004,130,,,7:05am,,,72,12:10,,85,,,"
    "a note far longer than its box can hold on the printed page of the list,\r\n"
    "Jan./07/2004,,,,,,,,,,,,,,\r\n";

QByteArray days(int n) {
    QByteArray text = "Ann,\r\n";
    for (int i = 0; i < n; ++i)
        text +=
            QByteArray::fromStdString(formatDayKey(addDays(dateFromCivil(2004, 1, 1), i, DayStep::forward))) +
            ",120,80,66,7:05am,,,,,,,,,,\r\n";
    return text;
}

MainForm& startWith(FormHarness& h, const QByteArray& diary, int page) {
    const QString path = h.file(QStringLiteral("diary.tnl"));
    FormHarness::writeFile(path, diary);
    MainForm& form = h.start(path);
    if (diary.startsWith("Hanna")) {
        storeValue(form, 1, 5, "260");
        form.document.setListTopIndex(1);
        form.redrawPages();
    }
    MainTab* tab = form.ui.mainTab;
    QTest::mouseClick(tab->strip(), Qt::LeftButton, {}, tab->strip()->tabRect(page).center());
    return form;
}

// File > Print with the printer dialog answered by a PDF file.
QString printToPdf(FormHarness& h, MainForm& form, const QString& name) {
    QPrinter& printer = form.printing().printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(h.file(name));
    h.dialogs.queuePrinterAnswer(true);
    form.ui.menu.actPrint->trigger();
    return h.file(name);
}

// File > Print onto a recording surface.
Recording printRecorded(FormHarness& h, MainForm& form,
                        std::function<void(QWidget&)> duringWindowPrint = {}) {
    auto recording = std::make_shared<Recording>();
    recording->onPrintWindow = std::move(duringWindowPrint);
    form.printing().setSurfaceFactory(
        [recording](QPrinter&) { return std::unique_ptr<PrinterSurface>(new RecordingSurface(*recording)); });
    h.dialogs.queuePrinterAnswer(true);
    form.ui.menu.actPrint->trigger();
    return *recording;
}

QString run(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QStringLiteral("<%1 failed>").arg(program);
    return QString::fromUtf8(p.readAllStandardOutput());
}

QImage pdfPage(const QString& pdf, int dpi) {
    const QString out = pdf + QStringLiteral(".page");
    run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                                     QStringLiteral("-singlefile"), pdf, out});
    return QImage(out + QStringLiteral(".png"));
}

bool isDark(const QColor& c) {
    return c.red() < 110 && c.green() < 110 && c.blue() < 110;
}

QStringList textsOf(const QStringList& lines) {
    QStringList texts;
    for (const QString& line : lines)
        if (line.startsWith(QStringLiteral("text ")))
            texts << line.section(QLatin1Char('"'), 1, 1);
    return texts;
}

} // namespace

class PrintingTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The whole sequence of a list print, line by line against the golden file (written anew
    // only on purpose, with TONOLOG_UPDATE_GOLDEN set). A second print is the same page.
    void listPrintMatchesTheGoldenFile() {
        FormHarness h;
        MainForm& form = startWith(h, representative, 1);
        const QStringList lines = printRecorded(h, form).lines;
        const QString golden = QStringLiteral(TONOLOG_GOLDEN_DIR "/list_print.txt");
        if (qEnvironmentVariableIsSet("TONOLOG_UPDATE_GOLDEN")) {
            FormHarness::writeFile(golden, lines.join(QLatin1Char('\n')).toUtf8() + '\n');
            QSKIP("golden file written");
        }
        const QStringList expected =
            QString::fromUtf8(FormHarness::readFile(golden)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (int i = 0; i < std::min(lines.size(), expected.size()); ++i)
            QCOMPARE(lines[i], expected[i]);
        QCOMPARE(lines.size(), expected.size());
        QCOMPARE(printRecorded(h, form).lines, lines);
    }

    void textsOfTheReadings() {
        FormHarness h;
        MainForm& form = startWith(h, representative, 1);
        const QStringList texts = textsOf(printRecorded(h, form).lines);
        for (const char* text :
             {" S    120", " D     80", " S    260", " D     90", "   12:05", " am", "    1:30", " pm",
              "   12:10", " S    130", " D", " P", " 72", " Jan./05/", " 2004", " 50", "100"})
            QVERIFY2(texts.contains(QString::fromLatin1(text)), text);
        QVERIFY(texts.contains(QStringLiteral(" NOTES: first day")));
        QVERIFY(texts.contains(QStringLiteral(" NOTES: ")));
        QCOMPARE(texts.mid(0, 4), (QStringList{QStringLiteral("Hanna Berg 's data list"),
                                               QStringLiteral("S:Systolic D:Diastolic P:Pulse"),
                                               QStringLiteral("mmHg"), QStringLiteral("1")}));
    }

    // The chart from the diary, on the strip at 8280, 1080: 120/80 from x 658 to 986 as thick as a
    // pen of four pixels (60 twips), 260 clamped to the strip's edge, a SYS alone as a dot.
    void barsOnTheChart() {
        FormHarness h;
        MainForm& form = startWith(h, representative, 1);
        const QStringList lines = printRecorded(h, form).lines;
        for (const char* op : {"filled 8908 1435 9296 1495 #000000", "filled 8990 1955 10335 2015 #000000",
                               "dot 9349 3025 75 #000000", "line 9102 1080 9102 12375 #000000"})
            QVERIFY2(lines.contains(QString::fromLatin1(op)), op);
    }

    // listTopIndex 5 of 8 days: rows 4 to 6 stay empty; frames and the graph strip are printed.
    void sevenRowsFromTheTopRow() {
        FormHarness h;
        MainForm& form = startWith(h, days(8), 1);
        form.document.setListTopIndex(5);
        const QStringList lines = printRecorded(h, form).lines;
        const QStringList texts = textsOf(lines);
        for (const char* number : {"5", "6", "7", "8"})
            QVERIFY(texts.contains(QString::fromLatin1(number)));
        QVERIFY(!texts.contains(QStringLiteral("4")) && !texts.contains(QStringLiteral("9")));
        QCOMPARE(texts.count(QStringLiteral(" NOTES: ")), 4);
        QVERIFY(lines.contains(QStringLiteral("box 720 1080 8055 12375 #000000")));
        QVERIFY(lines.contains(QStringLiteral("box 8280 1080 10335 12375 #000000")));
        QCOMPARE(lines.last(), QStringLiteral("end"));
    }

    // An empty diary prints only the background, title, legend, unit, frames, strip and scale.
    void emptyDiary() {
        FormHarness h;
        MainForm& form = startWith(h, "Ann,\r\n", 1);
        const QStringList lines = printRecorded(h, form).lines;
        // The scale numbers stand at 447 and 1269 on the strip's top line and at 36 and 858 11040
        // lower, from the strip's origin at 8280, 1080.
        for (const char* scale : {"text 8727 1080 \"100\"", "text 9549 1080 \"200\"",
                                  "text 8316 12120 \" 50\"", "text 9138 12120 \"150\""})
            QVERIFY2(lines.contains(QString::fromLatin1(scale)), scale);
        const QStringList texts = textsOf(lines);
        QCOMPARE(texts, (QStringList{QStringLiteral("Ann 's data list"),
                                     QStringLiteral("S:Systolic D:Diastolic P:Pulse"), QStringLiteral("mmHg"),
                                     QStringLiteral(" 50"), QStringLiteral("100"), QStringLiteral("150"),
                                     QStringLiteral("200")}));
    }

    // Through the real surface: one portrait page of text, the bars as pixels, the long note cut
    // 20 twips right of its box.
    void listPrintAsPdf() {
        FormHarness h;
        MainForm& form = startWith(h, representative, 1);
        const QString pdf = printToPdf(h, form, QStringLiteral("list.pdf"));
        // The printed file is the user's alone, as every file Tonolog writes.
        QCOMPARE(QFile::permissions(pdf) & ~(QFile::ReadUser | QFile::WriteUser),
                 QFile::ReadOwner | QFile::WriteOwner);
        const QString text = run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QCOMPARE(text.count(QLatin1Char('\f')), 1);
        for (const char* piece :
             {"Hanna Berg 's data list", "Jan./05/", "Jan./07/", "mmHg", "NOTES: first day"})
            QVERIFY2(text.contains(QString::fromLatin1(piece)), piece);

        const int dpi = 144;
        const QImage page = pdfPage(pdf, dpi);
        QVERIFY(page.height() > page.width());
        const QPointF margin =
            form.printing().printer().pageLayout().paintRect(QPageLayout::Inch).topLeft() * dpi;
        const auto px = [&](int x, int y) {
            return QPoint(qRound(margin.x() + x * dpi / 1440.0), qRound(margin.y() + y * dpi / 1440.0));
        };
        // Row 0's first bar, 120 to 80, on the strip at 8280.
        QVERIFY(isDark(page.pixelColor(px(8280 + 820, 1080 + 385))));
        QVERIFY(!isDark(page.pixelColor(px(8280 + 1100, 1080 + 385))));
        // Row 1's note: written up to its box, nothing beyond 20 twips right of it.
        const int noteTop = 1080 + 240 + 1560 + 1080;
        int written = 0;
        int beyond = 0;
        for (int y = noteTop + 20; y < noteTop + 280; y += 10) {
            for (int x = 4000; x < 7000; x += 10)
                written += isDark(page.pixelColor(px(720 + x, y))) ? 1 : 0;
            // Up to the row canvas's frame at 7335.
            for (int x = 7115 + 40; x < 7300; x += 10)
                beyond += isDark(page.pixelColor(px(720 + x, y))) ? 1 : 0;
        }
        QVERIFY(written > 20);
        QCOMPARE(beyond, 0);
    }

    // A print whose output fails is said, with the file and why; the next print has a printer of
    // its own and prints whole. A device is no file to print into, and its mode stays as it is.
    void aFailedPrintIsSaidAndSpoilsNothing() {
        FormHarness h;
        MainForm& form = startWith(h, representative, 1);
        const QFile::Permissions device = QFile::permissions(QStringLiteral("/dev/full"));
        form.printing().printer().setOutputFileName(QStringLiteral("/dev/full"));
        form.printing().printer().setOutputFormat(QPrinter::PdfFormat);
        h.dialogs.queuePrinterAnswer(true);
        form.ui.menu.actPrint->trigger();
        QCOMPARE(h.messages.count(), 1);
        QCOMPARE(h.messages.last().text,
                 QStringLiteral("The page could not be printed.\n/dev/full\nIt is not a regular file."));
        QCOMPARE(QFile::permissions(QStringLiteral("/dev/full")), device);
        const QString pdf = printToPdf(h, form, QStringLiteral("list.pdf"));
        QCOMPARE(h.messages.count(), 1);
        QVERIFY(FormHarness::readFile(pdf).trimmed().endsWith("%%EOF"));
    }

    // Each print is titled after the page, its owner and its days, as print queues show it, and
    // printing to a file proposes that name in Documents.
    void printsAreTitledAfterThePage() {
        FormHarness h;
        MainForm& form = startWith(h, representative, 1);
        h.dialogs.queuePrinterAnswer(false);
        form.ui.menu.actPrint->trigger();
        const QString list = QStringLiteral("Tonolog \u2013 Hanna Berg \u2013 data list Jan. 5\u20137, 2004");
        QCOMPARE(h.dialogs.lastPrintTitle(), list);
        QCOMPARE(h.dialogs.lastProposedFile(), h.locations.documentsDir + "/" + list + ".pdf");
        MainTab* tab = form.ui.mainTab;
        QTest::mouseClick(tab->strip(), Qt::LeftButton, {}, tab->strip()->tabRect(2).center());
        h.dialogs.queuePrinterAnswer(false);
        form.ui.menu.actPrint->trigger();
        QCOMPARE(h.dialogs.lastPrintTitle(),
                 QStringLiteral("Tonolog \u2013 Hanna Berg \u2013 trend Jan. 2004"));
    }

    // The year and the pulse stand one layout title lower, whatever the window's size.
    void theSecondLinesDoNotFollowTheWindow() {
        FormHarness h;
        MainForm& form = startWith(h, representative, 1);
        form.resize(1600, 1200);
        QTRY_COMPARE(form.size(), QSize(1600, 1200));
        QVERIFY(printRecorded(h, form).lines.contains(QStringLiteral("text 960 2055 \" 2004\"")));
    }

    // The trend print takes the client area as it is: neither the window's size nor its state
    // changes, also for a maximised window, which keeps its normal size.
    void trendPrintLeavesTheWindowAsItIs() {
        FormHarness h;
        MainForm& form = startWith(h, representative, 2);
        form.resize(1000, 600);
        QTRY_COMPARE(form.size(), QSize(1000, 600));
        QColor background;
        const Recording r =
            printRecorded(h, form, [&](QWidget&) { background = form.palette().color(QPalette::Window); });
        QCOMPARE(r.printedWindowSize, QSize(1000, 600));
        QCOMPARE(r.lines,
                 (QStringList{QStringLiteral("orientation 2"),
                              QStringLiteral("window 1000x%1").arg(600 - form.menuBar()->height())}));
        QCOMPARE(background, QColor(255, 255, 255));
        QCOMPARE(form.palette().color(QPalette::Window), QColor(128, 128, 128));

        form.showMaximized();
        QTRY_VERIFY(form.isMaximized());
        const QSize maximised = form.size();
        QCOMPARE(printRecorded(h, form).printedWindowSize, maximised);
        QVERIFY(form.isMaximized());
        QCOMPARE(form.normalGeometry().size(), QSize(1000, 600));
    }

    // The trend page on paper is drawn, not a picture: small, and the graph's lines sharp.
    void trendPrintAsPdf() {
        FormHarness h;
        MainForm& form = startWith(h, representative, 2);
        const QString pdf = printToPdf(h, form, QStringLiteral("trend.pdf"));
        QVERIFY2(QFileInfo(pdf).size() <= 300 * 1024, qPrintable(QString::number(QFileInfo(pdf).size())));
        const QImage page = pdfPage(pdf, 72);
        QVERIFY(page.width() > page.height());
        int darkRed = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x) {
                const QColor c = page.pixelColor(x, y);
                darkRed += c.red() > 110 && c.green() < 60 && c.blue() < 60 ? 1 : 0;
            }
        QVERIFY(darkRed > 20);
    }

    // The caption acts as part of its button; a release anywhere asks for the printer; a cancel
    // prints nothing and shows the up picture.
    void printButtons() {
        FormHarness h;
        MainForm& form = startWith(h, representative, 1);
        auto recording = std::make_shared<Recording>();
        form.printing().setSurfaceFactory([recording](QPrinter&) {
            return std::unique_ptr<PrinterSurface>(new RecordingSurface(*recording));
        });
        ImageButton* listPrint = form.ui.list.ImgListPrint;
        QTest::mousePress(form.ui.list.LblListPrint, Qt::LeftButton);
        QVERIFY(listPrint->isShowingPressed());
        h.dialogs.queuePrinterAnswer(false);
        QTest::mouseRelease(form.ui.list.LblListPrint, Qt::LeftButton);
        QVERIFY(!listPrint->isShowingPressed());
        QCOMPARE(h.dialogs.printerDialogCount(), 1);
        QVERIFY(recording->lines.isEmpty());

        h.dialogs.queuePrinterAnswer(true);
        QTest::mousePress(listPrint, Qt::RightButton);
        QTest::mouseRelease(listPrint, Qt::RightButton, {}, QPoint(-40, -40));
        QCOMPARE(h.dialogs.printerDialogCount(), 2);
        QCOMPARE(recording->lines.last(), QStringLiteral("end"));

        MainTab* tab = form.ui.mainTab;
        QTest::mouseClick(tab->strip(), Qt::LeftButton, {}, tab->strip()->tabRect(0).center());
        form.files().printPage();
        QCOMPARE(h.dialogs.printerDialogCount(), 2);
    }
};

QTEST_MAIN(PrintingTest)
#include "test_printing.moc"
