// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/report_dialog.h"

#include "platform/words.h"
#include "report/report_commands.h"
#include "report/report_renderer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

namespace tonolog {

namespace {

constexpr int choiceOfDates = 4;

QDate qDateOf(Date date) {
    const CivilDate c = civilFromDate(date);
    return QDate(c.year, c.month, c.day);
}

Date dateOf(const QDate& date) {
    return dateFromCivil(date.year(), date.month(), date.day());
}

QDateEdit* dateBox(QWidget* parent, const QString& name) {
    auto* box = new QDateEdit(parent);
    box->setObjectName(name);
    // The program's own date form, with English month names whatever the locale.
    box->setLocale(QLocale::c());
    box->setDisplayFormat(QStringLiteral("MMM./dd/yyyy"));
    box->setCalendarPopup(true);
    box->setDateRange(QDate(1900, 1, 1), QDate(9999, 12, 31));
    return box;
}

} // namespace

ReportDialog::ReportDialog(ReportCommands& commands, QWidget* parent)
    : QDialog(parent), commands_(commands), previewPrinter_(QPrinter::HighResolution) {
    setObjectName(QStringLiteral("ReportDialog"));
    setWindowTitle(Tonolog::tr("Report for the doctor"));
    setUpReportPage(previewPrinter_);

    quickChoice = new QComboBox(this);
    quickChoice->setObjectName(QStringLiteral("quickChoice"));
    quickChoice->addItems({Tonolog::tr("The last 7 days"), Tonolog::tr("The last 30 days"),
                           Tonolog::tr("The Trend page's window"), Tonolog::tr("The whole diary"),
                           Tonolog::tr("Dates of your choice")});
    fromDate = dateBox(this, QStringLiteral("fromDate"));
    toDate = dateBox(this, QStringLiteral("toDate"));
    threshold = new QComboBox(this);
    threshold->setObjectName(QStringLiteral("threshold"));
    threshold->addItems(
        {Tonolog::tr("135/85 mmHg (the European home threshold)"), Tonolog::tr("130/80 mmHg")});
    leaveOutFirstDay = new QCheckBox(Tonolog::tr("Leave out the first day"), this);
    leaveOutFirstDay->setObjectName(QStringLiteral("leaveOutFirstDay"));
    leaveOutFirstDay->setToolTip(Tonolog::tr(
        "The usual home protocol leaves out the first day of measuring, whose readings run high."));
    preview = new QPrintPreviewWidget(&previewPrinter_, this);
    preview->setObjectName(QStringLiteral("preview"));
    preview->setMinimumSize(480, 360);
    pagesNote = new QLabel(this);
    pagesNote->setObjectName(QStringLiteral("pagesNote"));

    quickChoice->setAccessibleName(Tonolog::tr("Period"));
    fromDate->setAccessibleName(Tonolog::tr("First day of the period"));
    toDate->setAccessibleName(Tonolog::tr("Last day of the period"));
    preview->setAccessibleName(Tonolog::tr("Preview of the report"));
    layOutControls();

    // Many changes in a row (a quick choice sets both dates) redraw the preview once.
    previewTimer_ = new QTimer(this);
    previewTimer_->setSingleShot(true);
    previewTimer_->setInterval(0);
    connect(previewTimer_, &QTimer::timeout, this, &ReportDialog::updatePreview);

    const Period period = commands_.reportPeriod();
    fromDate->setDate(qDateOf(period.from));
    toDate->setDate(qDateOf(period.to));
    const Period lastSeven = commands_.quickPeriodOf(QuickPeriod::LastSevenDays);
    quickChoice->setCurrentIndex(period.from == lastSeven.from && period.to == lastSeven.to ? 0
                                                                                            : choiceOfDates);

    connect(quickChoice, &QComboBox::currentIndexChanged, this, &ReportDialog::choosePeriod);
    connect(fromDate, &QDateEdit::dateChanged, this, &ReportDialog::datesEdited);
    connect(toDate, &QDateEdit::dateChanged, this, &ReportDialog::datesEdited);
    connect(threshold, &QComboBox::currentIndexChanged, this, &ReportDialog::schedulePreview);
    connect(leaveOutFirstDay, &QCheckBox::toggled, this, &ReportDialog::schedulePreview);
    connect(preview, &QPrintPreviewWidget::paintRequested, this, &ReportDialog::paintPreview);
    connect(savePdfButton, &QPushButton::clicked, this, [this] { commands_.saveReportAsPdf(options()); });
    connect(printButton, &QPushButton::clicked, this, [this] { commands_.printReport(options()); });
}

// The period and the choices above the preview, the pages' note and the buttons below it.
void ReportDialog::layOutControls() {
    auto* dates = new QHBoxLayout;
    dates->addWidget(quickChoice);
    dates->addSpacing(12);
    dates->addWidget(new QLabel(Tonolog::tr("From"), this));
    dates->addWidget(fromDate);
    dates->addWidget(new QLabel(Tonolog::tr("to"), this));
    dates->addWidget(toDate);
    dates->addStretch();
    auto* form = new QFormLayout;
    auto* periodLabel = new QLabel(Tonolog::tr("Period:"), this);
    periodLabel->setBuddy(quickChoice);
    form->addRow(periodLabel, dates);
    form->addRow(Tonolog::tr("Home threshold:"), threshold);
    form->addRow(QString(), leaveOutFirstDay);

    auto* buttons = new QDialogButtonBox(this);
    savePdfButton = buttons->addButton(Tonolog::tr("Save as PDF..."), QDialogButtonBox::ActionRole);
    savePdfButton->setObjectName(QStringLiteral("savePdfButton"));
    printButton = buttons->addButton(Tonolog::tr("Print..."), QDialogButtonBox::ActionRole);
    printButton->setObjectName(QStringLiteral("printButton"));
    buttons->addButton(QDialogButtonBox::Close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(preview, 1);
    layout->addWidget(pagesNote);
    layout->addWidget(buttons);
    resize(860, 760);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

ReportDialog::~ReportDialog() {
    // The preview paints on the dialog's printer: it goes first.
    delete preview;
}

ReportOptions ReportDialog::options() const {
    ReportOptions o;
    o.from = dateOf(fromDate->date());
    o.to = dateOf(toDate->date());
    if (threshold->currentIndex() == 1) {
        o.thresholdSys = 130;
        o.thresholdDia = 80;
    }
    o.leaveOutFirstDay = leaveOutFirstDay->isChecked();
    return o;
}

void ReportDialog::choosePeriod(int index) {
    if (index < 0 || index >= choiceOfDates)
        return;
    const Period period = commands_.quickPeriodOf(static_cast<QuickPeriod>(index));
    const QSignalBlocker blockFrom(fromDate);
    const QSignalBlocker blockTo(toDate);
    fromDate->setDate(qDateOf(period.from));
    toDate->setDate(qDateOf(period.to));
    schedulePreview();
}

void ReportDialog::datesEdited() {
    // The period never runs backwards: the other date follows.
    if (fromDate->date() > toDate->date()) {
        const QSignalBlocker blockFrom(fromDate);
        const QSignalBlocker blockTo(toDate);
        if (sender() == fromDate)
            toDate->setDate(fromDate->date());
        else
            fromDate->setDate(toDate->date());
    }
    const QSignalBlocker blockChoice(quickChoice);
    quickChoice->setCurrentIndex(choiceOfDates);
    schedulePreview();
}

void ReportDialog::schedulePreview() {
    previewTimer_->start();
}

void ReportDialog::updatePreview() {
    previewTimer_->stop();
    preview->updatePreview();
}

void ReportDialog::paintPreview(QPrinter* printer) {
    const ReportOptions o = options();
    commands_.rememberPeriod(Period{o.from, o.to});
    const Report report = commands_.makeReportFor(o);
    ReportRenderer renderer(report, commands_.table());
    reportPages_ = renderer.layOut(*printer);
    previewPages_ = std::min(reportPages_, previewPageLimit);
    renderer.render(*printer, previewPageLimit, {});
    // The pages are pictures: a screen reader hears the report's first page in words.
    preview->setAccessibleDescription(reportInWords(report));
    pagesNote->setText(
        reportPages_ > previewPages_
            ? Tonolog::tr("The preview shows the first %1 of %2 pages; the saved or printed report "
                          "has them all.")
                  .arg(previewPages_)
                  .arg(reportPages_)
            : (reportPages_ == 1 ? Tonolog::tr("%1 page") : Tonolog::tr("%1 pages")).arg(reportPages_));
}

} // namespace tonolog
