// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Qt first: moc cannot read the C++20 library headers that the core's headers bring in unless
// Qt's own headers have brought them in before.
#include <QDialog>
#include <QPrinter>

#include "document/report_stats.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QPrintPreviewWidget;
class QPushButton;
class QTimer;

namespace tonolog {

class ReportCommands;

// The report for the doctor: a period (quick choices or two dates), the home threshold, the
// first-day rule and a live preview of the pages, saved as PDF or printed from here.
class ReportDialog : public QDialog {
    Q_OBJECT
public:
    // The preview shows at most this many pages; a longer report is saved or printed whole.
    static constexpr int previewPageLimit = 12;

    ReportDialog(ReportCommands& commands, QWidget* parent = nullptr);
    ~ReportDialog() override;

    ReportOptions options() const;
    // The preview as now shown: its pages and the report's.
    int previewPages() const { return previewPages_; }
    int reportPages() const { return reportPages_; }

    QComboBox* quickChoice = nullptr;
    QDateEdit* fromDate = nullptr;
    QDateEdit* toDate = nullptr;
    QComboBox* threshold = nullptr;
    QCheckBox* leaveOutFirstDay = nullptr;
    QPrintPreviewWidget* preview = nullptr;
    QLabel* pagesNote = nullptr;
    QPushButton* savePdfButton = nullptr;
    QPushButton* printButton = nullptr;

public Q_SLOTS:
    // Redraws the preview now (it otherwise follows every change at the next turn of the loop).
    void updatePreview();

private:
    void layOutControls();
    void choosePeriod(int index);
    void datesEdited();
    void schedulePreview();
    void paintPreview(QPrinter* printer);

    ReportCommands& commands_;
    QPrinter previewPrinter_;
    QTimer* previewTimer_ = nullptr;
    int previewPages_ = 0;
    int reportPages_ = 0;
};

} // namespace tonolog
