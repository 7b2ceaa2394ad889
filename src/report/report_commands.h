// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Qt first: moc cannot read the C++20 library headers that the core's headers bring in unless
// Qt's own headers have brought them in before.
#include <QObject>
#include <QPointer>

#include "document/report_stats.h"

#include <functional>
#include <optional>

class QPagedPaintDevice;
class QWidget;

namespace tonolog {

class Clock;
class DialogService;
class ExportDialog;
class MessageBoxService;
class ReportDialog;
class Document;

// The Readings menu's report and export: the report for the doctor (previewed, saved as PDF or printed) and the
// readings as CSV. It reads the diary and never changes it.
class ReportCommands : public QObject {
    Q_OBJECT
public:
    // File dialogs start in the diary's folder, or in documentsDir for an untitled diary.
    ReportCommands(const Document& document, DialogService& dialogs, MessageBoxService& messages,
                   const Clock& clock, QWidget& window, QString documentsDir, QObject* parent = nullptr);
    ~ReportCommands() override;

    // Readings > Report for the doctor...: the report dialog over the window (it does not block).
    ReportDialog* openReportDialog();
    // Readings > Export readings as CSV...: asks whether the whole diary or the report's period.
    ExportDialog* openExportDialog();

    // The report's options as the dialog starts: the last 7 days that end on the latest day of the
    // diary, the European home threshold.
    ReportOptions defaultOptions() const;
    // The period of the last report made in this run, or the default one.
    Period reportPeriod() const;
    Period quickPeriodOf(QuickPeriod choice) const;
    Report makeReportFor(const ReportOptions& options) const;
    const ReadingTable& table() const;

    // The save dialog, then the report as a PDF file written whole or not at all. True when written.
    bool saveReportAsPdf(const ReportOptions& options);
    // The printer dialog, then the report on the printer. True when printed.
    bool printReport(const ReportOptions& options);
    // The save dialog, then the readings of the period (the whole diary without one) as CSV.
    bool exportCsv(std::optional<Period> period);

    // The report made most recently, to be remembered as the CSV export's period.
    void rememberPeriod(Period period) { lastPeriod_ = period; }

private:
    // The save dialog in the diary's folder; the chosen path with the extension, or empty.
    QString askWhereToSave(const QString& title, const QString& name, const QString& suffix);
    // Paints the report with a progress dialog that can cancel it; false when cancelled or failed.
    bool paintWithProgress(const Report& report, QPagedPaintDevice& device,
                           const std::function<void()>& onCancel, bool* cancelled);

    const Document& document_;
    DialogService& dialogs_;
    MessageBoxService& messages_;
    const Clock& clock_;
    QWidget& window_;
    QString documentsDir_;
    std::optional<Period> lastPeriod_;
    QPointer<ReportDialog> reportDialog_;
    QPointer<ExportDialog> exportDialog_;
};

} // namespace tonolog
