// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/export_dialog.h"

#include "platform/words.h"
#include "report/report_commands.h"
#include "report/report_renderer.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tonolog {

ExportDialog::ExportDialog(ReportCommands& commands, QWidget* parent) : QDialog(parent), commands_(commands) {
    setObjectName(QStringLiteral("ExportDialog"));
    setWindowTitle(Tonolog::tr("Export readings as CSV"));
    const Period period = commands_.reportPeriod();
    wholeDiary = new QRadioButton(Tonolog::tr("The whole diary"), this);
    wholeDiary->setObjectName(QStringLiteral("wholeDiary"));
    reportPeriod = new QRadioButton(
        Tonolog::tr("The report's period: %1").arg(periodText(period.from, period.to)), this);
    reportPeriod->setObjectName(QStringLiteral("reportPeriod"));
    wholeDiary->setChecked(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    exportButton = buttons->addButton(Tonolog::tr("Export..."), QDialogButtonBox::AcceptRole);
    exportButton->setObjectName(QStringLiteral("exportButton"));
    exportButton->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(Tonolog::tr("Which readings go into the CSV file?"), this));
    layout->addWidget(wholeDiary);
    layout->addWidget(reportPeriod);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &ExportDialog::exportReadings);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void ExportDialog::exportReadings() {
    const std::optional<Period> period =
        reportPeriod->isChecked() ? std::optional<Period>(commands_.reportPeriod()) : std::nullopt;
    // A failed or cancelled export leaves the question open for another try.
    if (commands_.exportCsv(period))
        accept();
}

} // namespace tonolog
