// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/import_dialog.h"

#include "platform/words.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tonolog {

namespace {

QString fromStd(const std::string& text) {
    return QString::fromStdString(text);
}

int* columnOf(ImportColumns& columns, int field) {
    switch (field) {
    case ImportDialog::dateField:
        return &columns.date;
    case ImportDialog::timeField:
        return &columns.time;
    case ImportDialog::sysField:
        return &columns.sys;
    case ImportDialog::diaField:
        return &columns.dia;
    case ImportDialog::pulField:
        return &columns.pul;
    default:
        return &columns.note;
    }
}

} // namespace

ImportDialog::ImportDialog(ImportCommands& commands, ImportFile file, QWidget* parent)
    : QDialog(parent), commands_(commands), file_(std::move(file)) {
    setObjectName(QStringLiteral("ImportDialog"));
    setWindowTitle(Tonolog::tr("Import readings"));
    sourceLabel =
        new QLabel(Tonolog::tr("%1\nRecognised as: %2")
                       .arg(QFileInfo(file_.path).fileName(), fromStd(sourceName(file_.read.source))),
                   this);
    sourceLabel->setObjectName(QStringLiteral("sourceLabel"));

    preview = new QTableWidget(0, 6, this);
    preview->setObjectName(QStringLiteral("preview"));
    preview->setAccessibleName(Tonolog::tr("The readings as they will be stored"));
    preview->setHorizontalHeaderLabels({Tonolog::tr("Date"), Tonolog::tr("Time"), QStringLiteral("SYS"),
                                        QStringLiteral("DIA"), QStringLiteral("PUL"), Tonolog::tr("Note")});
    preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    preview->verticalHeader()->hide();
    preview->horizontalHeader()->setStretchLastSection(true);
    preview->setMinimumSize(520, 220);

    summary = new QLabel(this);
    summary->setObjectName(QStringLiteral("summary"));
    summary->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    importButton = buttons->addButton(Tonolog::tr("Import"), QDialogButtonBox::AcceptRole);
    importButton->setObjectName(QStringLiteral("importButton"));
    importButton->setDefault(true);
    importButton->setAutoDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sourceLabel);
    if (file_.layout && file_.layout->source == ImportSource::genericCsv) {
        buildColumnChoice();
        layout->addWidget(columnsBox);
    }
    layout->addWidget(preview, 1);
    layout->addWidget(summary);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &ImportDialog::importReadings);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    showReadings();
    importButton->setFocus();
}

void ImportDialog::buildColumnChoice() {
    columnsBox = new QGroupBox(Tonolog::tr("Columns"), this);
    auto* form = new QFormLayout(columnsBox);
    const std::vector<std::string> names = csvColumnNames(file_.rows, *file_.layout);
    const std::array<QString, fieldCount> labels{Tonolog::tr("Date (or date and time):"),
                                                 Tonolog::tr("Time:"),
                                                 Tonolog::tr("SYS:"),
                                                 Tonolog::tr("DIA:"),
                                                 Tonolog::tr("PUL:"),
                                                 Tonolog::tr("Note:")};
    static constexpr std::array<const char*, fieldCount> objectNames{
        "dateColumn", "timeColumn", "sysColumn", "diaColumn", "pulColumn", "noteColumn"};
    for (int field = 0; field < fieldCount; ++field) {
        auto* box = new QComboBox(columnsBox);
        box->setObjectName(QLatin1String(objectNames[static_cast<std::size_t>(field)]));
        box->addItem(Tonolog::tr("(none)"), -1);
        for (std::size_t i = 0; i < names.size(); ++i)
            box->addItem(Tonolog::tr("Column %1: %2").arg(i + 1).arg(fromStd(names[i])), static_cast<int>(i));
        box->setCurrentIndex(box->findData(*columnOf(file_.layout->columns, field)));
        columnChoice[static_cast<std::size_t>(field)] = box;
        form->addRow(labels[static_cast<std::size_t>(field)], box);
        connect(box, &QComboBox::currentIndexChanged, this, &ImportDialog::readAgain);
    }
    dateOrder = new QComboBox(columnsBox);
    dateOrder->setObjectName(QStringLiteral("dateOrder"));
    dateOrder->addItem(Tonolog::tr("Day, month, year (31/12/2025)"),
                       static_cast<int>(DateOrder::dayMonthYear));
    dateOrder->addItem(Tonolog::tr("Month, day, year (12/31/2025)"),
                       static_cast<int>(DateOrder::monthDayYear));
    dateOrder->setCurrentIndex(dateOrder->findData(static_cast<int>(file_.layout->dateOrder)));
    // Only a file whose every slashed date reads both ways leaves the order to the user.
    dateOrder->setEnabled(file_.layout->dateOrderOpen);
    form->addRow(Tonolog::tr("Date order:"), dateOrder);
    connect(dateOrder, &QComboBox::currentIndexChanged, this, &ImportDialog::readAgain);
}

void ImportDialog::readAgain() {
    for (int field = 0; field < fieldCount; ++field)
        *columnOf(file_.layout->columns, field) =
            columnChoice[static_cast<std::size_t>(field)]->currentData().toInt();
    file_.layout->dateOrder = static_cast<DateOrder>(dateOrder->currentData().toInt());
    file_.read = readCsvReadings(file_.rows, *file_.layout, machineLocalTime);
    showReadings();
}

void ImportDialog::showReadings() {
    const std::vector<ImportedReading>& readings = file_.read.readings;
    const int shown = static_cast<int>(std::min<std::size_t>(readings.size(), previewRows));
    preview->setRowCount(shown);
    for (int row = 0; row < shown; ++row) {
        const ImportedReading& r = readings[static_cast<std::size_t>(row)];
        const std::array<std::string, 6> cells{formatDayKey(r.date), r.time, r.sys, r.dia, r.pul, r.note};
        for (int column = 0; column < 6; ++column)
            preview->setItem(row, column,
                             new QTableWidgetItem(fromStd(cells[static_cast<std::size_t>(column)])));
    }
    const ImportPlan plan = commands_.plan(file_.read);
    QString text;
    if (plan.tooManyDays) {
        text = Tonolog::tr("Nothing can be imported: the diary would then hold more than 32,767 days.");
    } else {
        text = Tonolog::tr("The file holds %1 readings. %2 will be imported (%3 days new in the diary); "
                           "%4 are already in the diary; %5 do not fit (the day's three places are taken); "
                           "%6 are refused; %7 rows hold no blood pressure.")
                   .arg(readings.size())
                   .arg(plan.imported)
                   .arg(plan.daysAdded)
                   .arg(plan.duplicates)
                   .arg(plan.didNotFit.size())
                   .arg(plan.refused)
                   .arg(plan.notBloodPressure);
    }
    summary->setText(text);
}

void ImportDialog::importReadings() {
    commands_.importNow(file_.read);
    accept();
}

} // namespace tonolog
