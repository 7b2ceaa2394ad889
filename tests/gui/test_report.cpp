// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_dialog_service.h"
#include "report/export_dialog.h"
#include "report/report_commands.h"
#include "report/report_dialog.h"
#include "shell/main_form.h"
#include "support/form_harness.h"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QMenuBar>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QtTest>

#include <sys/stat.h>

using namespace tonolog;

namespace {

// 200 days from Jan. 1 2004, a morning and an evening reading each: 400 readings whose figures
// are known by heart (SYS 120 and 126, DIA 80 and 78, PUL 60 and 70).
QByteArray twoHundredDays() {
    QByteArray text = "Ann Example,\r\n";
    for (int i = 0; i < 200; ++i)
        text +=
            QByteArray::fromStdString(formatDayKey(addDays(dateFromCivil(2004, 1, 1), i, DayStep::forward))) +
            ",120,80,60,7:05am,126,78,70,8:30pm,,,,,,\r\n";
    return text;
}

MainForm& startWith(FormHarness& h, const QByteArray& diary) {
    const QString path = h.file(QStringLiteral("diary.tnl"));
    FormHarness::writeFile(path, diary);
    return h.start(path);
}

ReportDialog* openReport(MainForm& form) {
    form.ui.menu.actReport->trigger();
    auto* dialog = form.findChild<ReportDialog*>();
    if (dialog != nullptr)
        dialog->updatePreview();
    return dialog;
}

QString run(const QString& program, const QStringList& arguments, const QByteArray& input = {}) {
    QProcess p;
    p.start(program, arguments);
    p.write(input);
    p.closeWriteChannel();
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QStringLiteral("<%1 failed: %2>").arg(program, QString::fromUtf8(p.readAllStandardError()));
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The rows of the image whose pixels are mostly of a colour, drawn as dashes (many separate runs).
QList<int> dashedRows(const QImage& image, bool (*matches)(QRgb)) {
    QList<int> rows;
    for (int y = 0; y < image.height(); ++y) {
        int count = 0;
        int runs = 0;
        bool inRun = false;
        for (int x = 0; x < image.width(); ++x) {
            const bool hit = matches(image.pixel(x, y));
            count += hit;
            runs += hit && !inRun;
            inRun = hit;
        }
        if (count > image.width() / 4 && runs >= 20)
            rows << y;
    }
    return rows;
}

int modeOf(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? static_cast<int>(st.st_mode & 0777) : -1;
}

bool isSysRed(QRgb c) {
    return qRed(c) > 110 && qGreen(c) < 90 && qBlue(c) < 90;
}
bool isDiaBlue(QRgb c) {
    return qBlue(c) > 150 && qRed(c) < 90 && qGreen(c) < 90;
}

} // namespace

class ReportTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readingsMenuSitsBetweenFileAndHelp() {
        FormHarness h;
        MainForm& form = h.start();
        QStringList titles;
        for (QAction* action : form.menuBar()->actions())
            titles << action->text();
        QCOMPARE(titles, (QStringList{QStringLiteral("File(&F)"), QStringLiteral("Readings(&R)"),
                                      QStringLiteral("Help(&H)")}));
    }

    // The default period is the last 7 days of the diary; a quick choice redraws the preview.
    void aQuickPeriodUpdatesThePreview() {
        FormHarness h;
        MainForm& form = startWith(h, twoHundredDays());
        ReportDialog* dialog = openReport(form);
        QVERIFY(dialog != nullptr && dialog->isVisible());
        QCOMPARE(dialog->fromDate->date(), QDate(2004, 7, 12));
        QCOMPARE(dialog->toDate->date(), QDate(2004, 7, 18));
        QCOMPARE(dialog->preview->pageCount(), 1);

        dialog->quickChoice->setCurrentIndex(static_cast<int>(QuickPeriod::WholeDiary));
        QCOMPARE(dialog->fromDate->date(), QDate(2004, 1, 1));
        QTRY_VERIFY(dialog->preview->pageCount() > 1);
        QVERIFY(dialog->reportPages() >= dialog->preview->pageCount());
        // The pages are pictures; a screen reader hears the first page in words.
        const QString heard = dialog->preview->accessibleDescription();
        QVERIFY2(heard.startsWith(
                     QStringLiteral("Home blood pressure report. Ann Example. Period: Jan./01/2004 to "
                                    "Jul./18/2004. 400 readings on 200 days. Mean SYS 123.0")),
                 qPrintable(heard));
        // A combo box is heard by its choice; the label "Period:" names what it chooses.
        const auto labels =
            QAccessible::queryAccessibleInterface(dialog->quickChoice)->relations(QAccessible::Label);
        QVERIFY(!labels.isEmpty());
        QCOMPARE(labels.first().first->text(QAccessible::Name), QStringLiteral("Period:"));
    }

    // The PDF of 400 readings: header, summary, every reading exactly once, "Page k of n", and the
    // threshold's two dashed lines in the chart, SYS 135 above DIA 85.
    void savedPdfHoldsTheWholeReport() {
        FormHarness h;
        MainForm& form = startWith(h, twoHundredDays());
        ReportDialog* dialog = openReport(form);
        dialog->quickChoice->setCurrentIndex(static_cast<int>(QuickPeriod::WholeDiary));
        const QString pdf = h.file(QStringLiteral("report"));
        h.dialogs.queueChosenFile(pdf);
        dialog->savePdfButton->click();
        QCOMPARE(h.messages.count(), 0);
        QVERIFY(QFileInfo::exists(pdf + QStringLiteral(".pdf")));
        QCOMPARE(modeOf(pdf + QStringLiteral(".pdf")), 0600);

        const QString text = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf + ".pdf", "-"});
        for (const char* expected :
             {"Home blood pressure report", "Ann Example", "Period: Jan./01/2004 to Jul./18/2004 (200 days)",
              "Made on Jan./20/2004", "Days with readings: 200", "Readings counted: 400", "123.0 \u00b1 3.0",
              "120.0 \u00b1 0.0", "79.0 \u00b1 1.0", "65.0 \u00b1 5.0", "0 of 400 (0.0%)",
              "Lowest SYS 120 on Jan./01/2004", "The average is below the home threshold of 135/85 mmHg.",
              "it is not a diagnosis"})
            QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);

        const QStringList pages = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        const int n = static_cast<int>(pages.size());
        QVERIFY(n > 5);
        for (int k = 1; k <= n; ++k)
            QVERIFY2(pages[k - 1].contains(QStringLiteral("Page %1 of %2").arg(k).arg(n)),
                     qPrintable(pages[k - 1]));
        QHash<QString, int> seen;
        static const QRegularExpression reading(QStringLiteral(
            "^\\s*([A-Z][a-z]{2}\\./\\d\\d/\\d{4})\\s+(\\d+:\\d\\d[ap]m)\\s+(\\d+)\\s+(\\d+)\\s+(\\d+)"));
        for (const QString& line : text.split(QLatin1Char('\n'))) {
            const auto m = reading.match(line);
            if (m.hasMatch())
                ++seen[m.captured(1) + ' ' + m.captured(2) + ' ' + m.captured(3) + ' ' + m.captured(4) + ' ' +
                       m.captured(5)];
        }
        QCOMPARE(seen.size(), 400);
        for (int i = 0; i < 200; ++i) {
            const QString day =
                QString::fromStdString(formatDayKey(addDays(dateFromCivil(2004, 1, 1), i, DayStep::forward)));
            QCOMPARE(seen.value(day + QStringLiteral(" 7:05am 120 80 60")), 1);
            QCOMPARE(seen.value(day + QStringLiteral(" 8:30pm 126 78 70")), 1);
        }

        run(QStringLiteral("pdftoppm"),
            {"-r", "100", "-png", "-f", "1", "-l", "1", "-singlefile", pdf + ".pdf", pdf});
        const QImage page(pdf + QStringLiteral(".png"));
        QVERIFY(!page.isNull());
        const QList<int> sys = dashedRows(page, isSysRed);
        const QList<int> dia = dashedRows(page, isDiaBlue);
        QVERIFY2(!sys.isEmpty() && !dia.isEmpty(), "no threshold lines");
        // 50 mmHg apart on a chart of 250 mmHg in 2.5 inches: 50 pixels at 100 dpi.
        QVERIFY2(qAbs(dia.first() - sys.first() - 50) <= 2,
                 qPrintable(QStringLiteral("%1 %2").arg(sys.first()).arg(dia.first())));
    }

    void aFailedSaveSaysSoAndLeavesNoFile() {
        FormHarness h;
        MainForm& form = startWith(h, twoHundredDays());
        ReportDialog* dialog = openReport(form);
        const QString pdf = h.file(QStringLiteral("no such folder/report.pdf"));
        h.dialogs.queueChosenFile(pdf);
        dialog->savePdfButton->click();
        QCOMPARE(h.messages.count(), 1);
        QCOMPARE(h.messages.last().text,
                 QStringLiteral("The report cannot be saved.\n%1\nNo such file or directory").arg(pdf));
        QVERIFY(!QFileInfo::exists(pdf));
        QVERIFY(dialog->isVisible());
    }

    // A long report shows its progress; Cancel leaves no file, on disk or printed to a file.
    void aCancelledReportLeavesNoFile() {
        FormHarness h;
        MainForm& form = startWith(h, twoHundredDays());
        ReportDialog* dialog = openReport(form);
        dialog->quickChoice->setCurrentIndex(static_cast<int>(QuickPeriod::WholeDiary));
        const QString pdf = h.file(QStringLiteral("report.pdf"));
        h.dialogs.queueChosenFile(pdf);
        h.dialogs.cancelProgressAt(2);
        dialog->savePdfButton->click();
        QCOMPARE(h.dialogs.progressAsked().size(), std::size_t{1});
        QVERIFY(h.dialogs.progressAsked().back().total > 2);
        QCOMPARE(h.dialogs.progressAsked().back().reached, 2);
        QVERIFY(!QFileInfo::exists(pdf));

        const QString printed = h.file(QStringLiteral("printed.pdf"));
        h.dialogs.queuePrinterToFile(printed);
        h.dialogs.cancelProgressAt(1);
        dialog->printButton->click();
        QVERIFY(!QFileInfo::exists(printed));
        QCOMPARE(h.messages.count(), 0);

        h.dialogs.queuePrinterToFile(printed);
        dialog->printButton->click();
        QVERIFY(run(QStringLiteral("pdftotext"), {printed, "-"}).contains(QStringLiteral("Ann Example")));
        // A printed file is the user's alone, as every file Tonolog writes.
        QCOMPARE(modeOf(printed), 0600);
    }

    // The real progress dialog: Cancel there is what the next step hears.
    void theProgressDialogCancels() {
        QtDialogService dialogs;
        const std::unique_ptr<ProgressMonitor> progress = dialogs.showProgress(QStringLiteral("Making"), 10);
        QVERIFY(progress->advance(1));
        QProgressDialog* shown = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* p = qobject_cast<QProgressDialog*>(w))
                shown = p;
        QVERIFY(shown != nullptr);
        shown->cancel();
        QVERIFY(!progress->advance(2));
    }

    // A period without readings says so instead of figures.
    void anEmptyPeriodSaysSo() {
        FormHarness h;
        MainForm& form = h.start();
        ReportDialog* dialog = openReport(form);
        const QString pdf = h.file(QStringLiteral("empty.pdf"));
        h.dialogs.queueChosenFile(pdf);
        dialog->savePdfButton->click();
        const QString text = run(QStringLiteral("pdftotext"), {pdf, "-"});
        QVERIFY(text.contains(
            QStringLiteral("There are no readings in this period to compare with the home threshold.")));
        QVERIFY(text.contains(QStringLiteral("Page 1 of 1")));
    }

    // Every reading and note comes back exactly through Python's csv module, commas, quotes,
    // non-ASCII text and a note-only day included; the period choice limits the lines.
    void csvRoundTripsThroughAnIndependentReader() {
        FormHarness h;
        const QByteArray diary = "Ann,\r\n"
                                 "Mar./01/2004,120,80,66,7:05am,,,,,131,85,70,9:40pm,"
                                 "walk, then \"tea\" \xc3\xbc\xe6\x97\xa5,\r\n"
                                 "Mar./02/2004,,,,,,,,,,,,,only a note,\r\n"
                                 "Mar./09/2004,118,79,64,,,,,,,,,,,\r\n";
        MainForm& form = startWith(h, diary);
        form.ui.menu.actExportCsv->trigger();
        auto* dialog = form.findChild<ExportDialog*>();
        QVERIFY(dialog != nullptr && dialog->wholeDiary->isChecked());
        const QString csv = h.file(QStringLiteral("readings.csv"));
        h.dialogs.queueChosenFile(csv);
        dialog->exportButton->click();
        QVERIFY(!dialog->isVisible());
        QCOMPARE(modeOf(csv), 0600);
        const QString script =
            QStringLiteral("import csv, json, sys\n"
                           "with open(sys.argv[1], newline='', encoding='utf-8') as f:\n"
                           "    print(json.dumps(list(csv.DictReader(f)), ensure_ascii=False))\n");
        const QJsonArray rows =
            QJsonDocument::fromJson(run(QStringLiteral("python3"), {"-c", script, csv}).toUtf8()).array();
        const QString note = QString::fromUtf8("walk, then \"tea\" \xc3\xbc\xe6\x97\xa5");
        const QList<QStringList> expected = {{"2004-03-01", "07:05", "1", "120", "80", "66", note},
                                             {"2004-03-01", "21:40", "3", "131", "85", "70", note},
                                             {"2004-03-02", "", "", "", "", "", "only a note"},
                                             {"2004-03-09", "", "1", "118", "79", "64", ""}};
        QCOMPARE(rows.size(), expected.size());
        const QStringList keys = {"date", "time", "reading", "sys", "dia", "pul", "note"};
        for (qsizetype i = 0; i < rows.size(); ++i)
            for (qsizetype k = 0; k < keys.size(); ++k)
                QCOMPARE(rows[i].toObject().value(keys[k]).toString(), expected[i][k]);

        // The report's period: the last 7 days, Mar. 3 to 9.
        form.ui.menu.actExportCsv->trigger();
        dialog = form.findChild<ExportDialog*>();
        dialog->reportPeriod->setChecked(true);
        h.dialogs.queueChosenFile(csv);
        dialog->exportButton->click();
        QCOMPARE(FormHarness::readFile(csv),
                 QByteArray("date,time,reading,sys,dia,pul,note\r\n2004-03-09,,1,118,79,64,\r\n"));
    }
};

QTEST_MAIN(ReportTest)
#include "test_report.moc"
