// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/about_form.h"

#include "canvas/message_box.h"
#include "canvas/resources.h"
#include "canvas/twips.h"
#include "platform/words.h"

#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>

#include <algorithm>
#include <utility>

namespace tonolog {

namespace {

// The box's design, in twips.
constexpr int clientWidth = 5730;
constexpr int bottomMargin = 240;
const QRect picIconRect(240, 240, 480, 480);
const QRect lblTitleRect(1080, 240, 3885, 240);
const QRect lblVersionRect(1050, 600, 3885, 225);
const QRect lblDescriptionRect(1080, 960, 3885, 210);
const QRect cmdOKRect(4125, 1545, 1500, 345);
const QRect cmdSysInfoRect(4140, 1995, 1500, 345);
// The notice fills the column left of the buttons, below the rule.
constexpr int disclaimerLeft = 240;
constexpr int disclaimerTop = 1545;
constexpr int disclaimerWidth = 3720;
// The etched rule: a white line with a grey line one pixel above it.
constexpr int ruleRight = 5654;
constexpr int whiteLeft = 105;
constexpr int whiteY = 1380;
constexpr int greyLeft = 90;
constexpr int greyY = 1365;

QLabel* label(QWidget* parent, const char* name, const QString& text, const QRect& design) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(twips::toPixels(design));
    return l;
}

QFrame* rule(QWidget* parent, const char* name, int left, int y, const QColor& color) {
    auto* line = new QFrame(parent);
    line->setObjectName(QString::fromLatin1(name));
    line->setFrameShape(QFrame::NoFrame);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, color);
    line->setPalette(palette);
    line->setGeometry(twips::toPixels(left), twips::toPixels(y), twips::toPixels(ruleRight - left), 1);
    return line;
}

// Where a substitute font is wider than the one the box was designed for, a caption is made a
// little smaller rather than cut off.
void fitCaption(QPushButton* button) {
    QFont font = button->font();
    while (button->sizeHint().width() > button->width() && font.pointSizeF() > 7) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
        button->setFont(font);
    }
}

} // namespace

QString versionNumber(int major, int minor) {
    return QStringLiteral("%1.%2").arg(major).arg(minor, 2, 10, QLatin1Char('0'));
}

QString versionText(int major, int minor) {
    return Tonolog::tr("Version ") + versionNumber(major, minor);
}

SystemInfoTools SystemInfoTools::standard() {
    SystemInfoTools tools;
    tools.candidates = {
        {QStringLiteral("hardinfo2"), {}},
        {QStringLiteral("hardinfo"), {}},
        {QStringLiteral("kinfocenter"), {}},
        {QStringLiteral("gnome-control-center"), {QStringLiteral("info-overview")}},
        {QStringLiteral("cinnamon-settings"), {QStringLiteral("info")}},
        {QStringLiteral("xfce4-about"), {}},
    };
    QString path = qEnvironmentVariable("PATH");
    if (path.isEmpty())
        path = QStringLiteral("/usr/local/bin:/usr/bin:/bin");
    tools.searchPath = path.split(QDir::listSeparator(), Qt::SkipEmptyParts);
    return tools;
}

std::optional<SystemInfoTool> SystemInfoTools::find() const {
    // An empty list would make the look-up fall back on PATH: none means none here.
    if (searchPath.isEmpty())
        return std::nullopt;
    for (const SystemInfoTool& candidate : candidates) {
        if (candidate.program.isEmpty())
            continue;
        const QString found = QStandardPaths::findExecutable(candidate.program, searchPath);
        if (!found.isEmpty())
            return SystemInfoTool{found, candidate.arguments};
    }
    return std::nullopt;
}

AboutForm::AboutForm(MessageBoxService& messages, SystemInfoTools tools, QWidget* parent)
    : QDialog(parent), messages_(messages), tools_(std::move(tools)) {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(Tonolog::tr("Version info."));
    setWindowIcon(iconResource(101));
    QFont base(QStringLiteral("Tahoma"));
    base.setPointSizeF(9);
    setFont(base);

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setGeometry(twips::toPixels(picIconRect));
    picIcon->setPixmap(iconResource(101).pixmap(picIcon->size()));

    lblTitle = label(this, "lblTitle", QStringLiteral("Tonolog"), lblTitleRect);
    QFont bold = lblTitle->font();
    bold.setBold(true);
    lblTitle->setFont(bold);
    lblVersion = label(this, "lblVersion", Tonolog::tr("Version"), lblVersionRect);
    lblDescription =
        label(this, "lblDescription", Tonolog::tr("A home blood-pressure diary."), lblDescriptionRect);

    Line1[1] = rule(this, "Line1(1)", greyLeft, greyY, QColor(128, 128, 128));
    Line1[0] = rule(this, "Line1(0)", whiteLeft, whiteY, QColor(255, 255, 255));

    lblDisclaimer =
        new QLabel(Tonolog::tr("Tonolog keeps a diary of the blood pressure and pulse readings you take "
                               "yourself, for your own records. It is not a medical device: it does not "
                               "measure, diagnose, treat or advise, and it does not judge whether a reading "
                               "is normal; its coloured zones are only a visual aid. The readings you enter "
                               "and any use you make of them are your own responsibility; ask a doctor about "
                               "your health. This program comes without warranty of any kind."),
                   this);
    lblDisclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
    lblDisclaimer->setWordWrap(true);
    const int noticeWidth = twips::toPixels(disclaimerWidth);
    lblDisclaimer->setGeometry(twips::toPixels(disclaimerLeft), twips::toPixels(disclaimerTop), noticeWidth,
                               lblDisclaimer->heightForWidth(noticeWidth));

    cmdOK = new QPushButton(Tonolog::tr("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(twips::toPixels(cmdOKRect));
    cmdOK->setDefault(true);
    cmdSysInfo = new QPushButton(Tonolog::tr("System info.(&S)..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setGeometry(twips::toPixels(cmdSysInfoRect));
    cmdSysInfo->setAutoDefault(false);
    fitCaption(cmdSysInfo);

    // OK closes; so does Escape, which a dialog takes as its cancel button.
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo, &QPushButton::clicked, this, &AboutForm::StartSysInfo);

    // The box grows downwards as far as the notice needs.
    const int bottom = std::max(lblDisclaimer->geometry().bottom() + 1, cmdSysInfo->geometry().bottom() + 1);
    setFixedSize(twips::toPixels(clientWidth), bottom + twips::toPixels(bottomMargin));

    // Load: the version of this program.
    lblVersion->setText(versionText(programVersionMajor, programVersionMinor));
    cmdOK->setFocus();
}

void AboutForm::StartSysInfo() {
    const std::optional<SystemInfoTool> tool = tools_.find();
    if (tool && QProcess::startDetached(tool->program, tool->arguments))
        return;
    showMessage(messages_, Tonolog::tr("現時点ではｼｽﾃﾑ情報を使用できません"), MessageButtons::Ok,
                MessageIcon::None);
}

} // namespace tonolog
