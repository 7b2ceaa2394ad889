// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/report_commands.h"

#include "canvas/clock_dates.h"
#include "canvas/message_box.h"
#include "canvas/text.h"
#include "document/csv_export.h"
#include "document/document.h"
#include "document/file_io.h"
#include "document/list_rows.h"
#include "platform/dialog_service.h"
#include "platform/qt_printer_surface.h"
#include "platform/words.h"
#include "report/export_dialog.h"
#include "report/report_dialog.h"
#include "report/report_renderer.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QPdfWriter>
#include <QPrinter>
#include <QWidget>

#include <limits>

namespace tonolog {

namespace {

QString isoDate(Date date) {
    return fromStd(formatIsoDate(date));
}

} // namespace

ReportCommands::ReportCommands(const Document& document, DialogService& dialogs, MessageBoxService& messages,
                               const Clock& clock, QWidget& window, QString documentsDir, QObject* parent)
    : QObject(parent), document_(document), dialogs_(dialogs), messages_(messages), clock_(clock),
      window_(window), documentsDir_(std::move(documentsDir)) {}

ReportCommands::~ReportCommands() {
    delete reportDialog_.data();
    delete exportDialog_.data();
}

Period ReportCommands::quickPeriodOf(QuickPeriod choice) const {
    return quickPeriod(choice, document_.table(),
                       Period{document_.trendWindowStart(), document_.trendWindowEnd()}, todayFrom(clock_));
}

ReportOptions ReportCommands::defaultOptions() const {
    ReportOptions options;
    const Period last = quickPeriodOf(QuickPeriod::LastSevenDays);
    options.from = last.from;
    options.to = last.to;
    return options;
}

Period ReportCommands::reportPeriod() const {
    if (lastPeriod_)
        return *lastPeriod_;
    return quickPeriodOf(QuickPeriod::LastSevenDays);
}

Report ReportCommands::makeReportFor(const ReportOptions& options) const {
    return makeReport(document_.table(), document_.userName(), options, todayFrom(clock_));
}

const ReadingTable& ReportCommands::table() const {
    return document_.table();
}

// Each opening starts afresh from the diary as it is now; the dialog of the last opening is kept,
// hidden, until then.
ReportDialog* ReportCommands::openReportDialog() {
    delete reportDialog_.data();
    reportDialog_ = new ReportDialog(*this, &window_);
    reportDialog_->open();
    return reportDialog_;
}

ExportDialog* ReportCommands::openExportDialog() {
    delete exportDialog_.data();
    exportDialog_ = new ExportDialog(*this, &window_);
    exportDialog_->open();
    return exportDialog_;
}

bool ReportCommands::paintWithProgress(const Report& report, QPagedPaintDevice& device,
                                       const std::function<void()>& onCancel, bool* cancelled) {
    ReportRenderer renderer(report, document_.table());
    const int pages = renderer.layOut(device);
    const std::unique_ptr<ProgressMonitor> progress =
        dialogs_.showProgress(Tonolog::tr("Making the report (%1 pages)...").arg(pages), pages);
    *cancelled = false;
    return renderer.render(device, -1, [&](int page) {
        if (progress->advance(page))
            return true;
        *cancelled = true;
        if (onCancel)
            onCancel();
        return false;
    });
}

QString ReportCommands::askWhereToSave(const QString& title, const QString& name, const QString& suffix) {
    FileDialogRequest request;
    request.title = title;
    request.initialDir = document_.isUntitled() ? documentsDir_ : fromStd(document_.folder());
    request.initialFileName = name + QLatin1Char('.') + suffix;
    request.filter = Tonolog::tr("%1 Files (*.%2)|*.%2").arg(suffix.toUpper(), suffix);
    request.askBeforeOverwrite = true;
    const FileDialogResult chosen = dialogs_.showSave(request);
    if (!chosen.accepted)
        return QString();
    // A chosen name without the extension gets it.
    if (QFileInfo(chosen.fullPath).suffix().compare(suffix, Qt::CaseInsensitive) == 0)
        return chosen.fullPath;
    return chosen.fullPath + QLatin1Char('.') + suffix;
}

bool ReportCommands::saveReportAsPdf(const ReportOptions& options) {
    const QString path = askWhereToSave(
        Tonolog::tr("Save the report as PDF"),
        Tonolog::tr("Blood pressure report %1 to %2").arg(isoDate(options.from), isoDate(options.to)),
        QStringLiteral("pdf"));
    if (path.isEmpty())
        return false;

    // The whole PDF is made in memory first, so a cancelled or failed report leaves no file.
    rememberPeriod(Period{options.from, options.to});
    const Report report = makeReportFor(options);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    bool cancelled = false;
    bool painted = false;
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(Tonolog::tr("Home blood pressure report"));
        writer.setCreator(QStringLiteral("Tonolog"));
        setUpReportPage(writer);
        painted = paintWithProgress(report, writer, {}, &cancelled);
    }
    if (cancelled)
        return false;
    std::optional<std::string> failure;
    if (!painted)
        failure = Tonolog::tr("The PDF could not be made.").toStdString();
    else
        failure = writeFileAtomically(
            toStd(path),
            std::string_view(buffer.data().constData(), static_cast<std::size_t>(buffer.data().size())),
            FileOps::system(), Permissions::ownerOnly);
    if (failure) {
        showMessage(messages_,
                    Tonolog::tr("The report cannot be saved.\n%1\n%2").arg(path, fromStd(*failure)),
                    MessageButtons::Ok, MessageIcon::Stop);
        return false;
    }
    return true;
}

bool ReportCommands::printReport(const ReportOptions& options) {
    QPrinter printer(QPrinter::HighResolution);
    const QString title = fromStd(reportPrintTitle(document_.userName(), options.from, options.to));
    printer.setDocName(title);
    setUpReportPage(printer);
    if (!dialogs_.showPrinter(printer, documentsDir_ + QLatin1Char('/') + title + QStringLiteral(".pdf")))
        return false;
    rememberPeriod(Period{options.from, options.to});
    const Report report = makeReportFor(options);
    bool cancelled = false;
    const bool printed =
        makePrintFilePrivate(printer) && paintWithProgress(
                                             report, printer, [&] { printer.abort(); }, &cancelled);
    if (cancelled) {
        // Printed to a file, a cancelled report leaves none behind.
        if (!printer.outputFileName().isEmpty())
            QFile::remove(printer.outputFileName());
        return false;
    }
    if (!printed || printer.printerState() == QPrinter::Error) {
        QString text = Tonolog::tr("The report could not be printed.");
        if (!printer.outputFileName().isEmpty())
            text += QStringLiteral("\n") + printer.outputFileName();
        showMessage(messages_, text, MessageButtons::Ok, MessageIcon::Stop);
        return false;
    }
    return true;
}

bool ReportCommands::exportCsv(std::optional<Period> period) {
    const QString path = askWhereToSave(
        Tonolog::tr("Export readings as CSV"),
        period
            ? Tonolog::tr("Blood pressure readings %1 to %2").arg(isoDate(period->from), isoDate(period->to))
            : Tonolog::tr("Blood pressure readings"),
        QStringLiteral("csv"));
    if (path.isEmpty())
        return false;
    const Period range = period.value_or(Period{Date{std::numeric_limits<std::int32_t>::min()},
                                                Date{std::numeric_limits<std::int32_t>::max()}});
    const std::string csv = csvOfReadings(document_.table(), range.from, range.to);
    if (const auto failure =
            writeFileAtomically(toStd(path), csv, FileOps::system(), Permissions::ownerOnly)) {
        showMessage(messages_,
                    Tonolog::tr("The readings cannot be exported.\n%1\n%2").arg(path, fromStd(*failure)),
                    MessageButtons::Ok, MessageIcon::Stop);
        return false;
    }
    return true;
}

} // namespace tonolog
