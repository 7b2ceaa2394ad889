// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/form_harness.h"

#include "canvas/resources.h"
#include "shell/fonts.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace tonolog {

namespace {
// The offscreen platform warns about every window it cannot size by hints; that says nothing.
QtMessageHandler previousHandler = nullptr;
void quietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("propagateSizeHints")))
        return;
    if (previousHandler != nullptr)
        previousHandler(type, context, message);
}
} // namespace

FormHarness::FormHarness(bool realMessageBoxes) : realMessageBoxes_(realMessageBoxes) {
    static const bool installed = [] {
        previousHandler = qInstallMessageHandler(quietMessages);
        return true;
    }();
    Q_UNUSED(installed);
    const QString root = dir.path() + QLatin1Char('/');
    QDir().mkpath(root + QStringLiteral("program"));
    QDir().mkpath(root + QStringLiteral("data"));
    QDir().mkpath(root + QStringLiteral("documents"));
    locations.appDir = root + QStringLiteral("program/");
    locations.backupDir = root + QStringLiteral("data/");
    locations.documentsDir = root + QStringLiteral("documents/");
    installFontSubstitutes();
    initResources();
}

FormHarness::~FormHarness() {
    if (form_ != nullptr)
        form_->hide();
}

MainForm& FormHarness::start(const QString& commandLine, bool show) {
    form_ = std::make_unique<MainForm>(platform, locations);
    form_->initialise();
    form_->loadWindow(commandLine);
    if (show) {
        form_->show();
        if (!QTest::qWaitForWindowExposed(form_.get()))
            qWarning("the main window was not exposed");
        form_->activateWindow();
        if (!QTest::qWaitForWindowActive(form_.get()))
            qWarning("the main window did not become active");
        QTest::qWait(1);
    }
    return *form_;
}

bool FormHarness::close() {
    if (!form_->close())
        return false;
    form_.reset();
    return true;
}

void FormHarness::writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

QByteArray FormHarness::readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace tonolog
