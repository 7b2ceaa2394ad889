// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QRadioButton;
class QPushButton;

namespace tonolog {

class ReportCommands;

// Asks whether the CSV export holds the whole diary or the report's period, then exports.
class ExportDialog : public QDialog {
    Q_OBJECT
public:
    ExportDialog(ReportCommands& commands, QWidget* parent = nullptr);

    QRadioButton* wholeDiary = nullptr;
    QRadioButton* reportPeriod = nullptr;
    QPushButton* exportButton = nullptr;

private:
    void exportReadings();

    ReportCommands& commands_;
};

} // namespace tonolog
