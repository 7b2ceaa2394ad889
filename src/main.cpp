// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/message_box.h"
#include "canvas/resources.h"
#include "platform/clock.h"
#include "platform/end_requests.h"
#include "platform/message_box_service.h"
#include "platform/platform.h"
#include "platform/qt_dialog_service.h"
#include "platform/qt_settings_store.h"
#include "platform/single_instance.h"
#include "platform/words.h"
#include "shell/about_form.h"
#include "shell/file_commands.h"
#include "shell/fonts.h"
#include "shell/help_window.h"
#include "shell/main_form.h"

#include <QApplication>
#include <QDateTime>
#include <QEvent>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSessionManager>
#include <QThread>
#include <QTimer>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <optional>

using tonolog::Tonolog;

namespace {

// With TONOLOG_REPORT_FIRST_FRAME set, prints the wall-clock time of the first painted frame, so
// the time from the process start to a visible window can be measured from outside.
class FirstFrameReporter : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !reported_) {
            reported_ = true;
            QTimer::singleShot(0, [] {
                std::fprintf(stderr, "first frame at %lld ms\n",
                             static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
            });
        }
        return false;
    }

private:
    bool reported_ = false;
};

// The user's language, where a translation of Tonolog's texts is installed, and of the buttons of
// Qt's own dialogs. The translators live as long as the program.
void installTranslations(QTranslator& qtTexts, QTranslator& ownTexts) {
    if (qtTexts.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);
    if (ownTexts.load(QLocale(), QStringLiteral("tonolog"), QStringLiteral("_"), QStringLiteral(":/i18n")))
        QCoreApplication::installTranslator(&ownTexts);
    tonolog::translateCoreTexts();
}

// Says why this start goes no further, on the terminal and in a message box; the exit code.
int refuse(const QString& why) {
    std::fprintf(stderr, "%s\n",
                 qUtf8Printable(QString(why).replace(QStringLiteral("\n"), QStringLiteral(" "))));
    tonolog::QtMessageBoxService messages;
    tonolog::showMessage(messages, why, tonolog::MessageButtons::Ok, tonolog::MessageIcon::Exclamation);
    return 1;
}

// One instance per user, whatever the session: the lock lives beside the backup it guards. A second
// start in the same session brings the first window to the front and hands it its file, if any.
// Gives the exit code when this start ends here.
std::optional<int> endsHere(tonolog::SingleInstance& instance, const QString& commandLine) {
    switch (instance.start(tonolog::commandLinePath(commandLine))) {
    case tonolog::SingleInstance::StartOutcome::primary:
        return std::nullopt;
    case tonolog::SingleInstance::StartOutcome::handedOver:
        return 0;
    case tonolog::SingleInstance::StartOutcome::otherSession:
        return refuse(
            Tonolog::tr("Tonolog is already running in another session of this user (another login, a remote "
                        "session, or another computer that shares this home folder), and it keeps its backup "
                        "there.\nClose Tonolog in that session first, then start it here.\n"
                        "If Tonolog no longer runs there (that computer was switched off while it ran), "
                        "delete\n%1\nand start Tonolog again.")
                .arg(instance.lockPath()));
    case tonolog::SingleInstance::StartOutcome::noAnswer:
        // A running instance holds the lock but does not answer: said rather than ending silently.
        return refuse(
            Tonolog::tr("Tonolog is already running but does not answer, so it cannot be started again.\n"
                        "Close the running Tonolog, or end it, and start it again."));
    }
    return 1;
}

// The end of a session or a signal to end: a valid entry not yet taken in is kept, and nothing is
// asked.
void endWithTheSession(QApplication& app, tonolog::MainForm& form, tonolog::SingleInstance& instance,
                       tonolog::EndRequests& endRequests, const bool& mainLoopRunning) {
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &form,
                     [&form](QSessionManager&) { form.commitSessionData(); });
    QObject::connect(&endRequests, &tonolog::EndRequests::endRequested, &form,
                     [&form, &instance, &mainLoopRunning] {
                         form.endSession();
                         // Inside a dialog, a message box or a held button, ending the event loops would let
                         // the code behind them go on with answers nobody gave. Everything is on disk by now.
                         if (!mainLoopRunning || QThread::currentThread()->loopLevel() > 1) {
                             instance.release();
                             std::fflush(nullptr);
                             std::_Exit(0);
                         }
                         form.close();
                         QCoreApplication::quit();
                     });
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Tonolog"));
    QCoreApplication::setApplicationName(QStringLiteral("Tonolog"));
    QCoreApplication::setApplicationVersion(
        tonolog::versionNumber(tonolog::programVersionMajor, tonolog::programVersionMinor));
    // The desktop entry's name, by which the window system finds the program's icon and entry.
    QGuiApplication::setDesktopFileName(QStringLiteral(TONOLOG_APP_ID));
    QTranslator qtTexts;
    QTranslator ownTexts;
    installTranslations(qtTexts, ownTexts);
    // One optional data file path; a path with blanks may arrive split into several arguments.
    const QString commandLine = QCoreApplication::arguments().mid(1).join(QLatin1Char(' '));
    const tonolog::Locations locations = tonolog::Locations::forThisUser();
    tonolog::SingleInstance instance(QStringLiteral("tonolog"), locations.backupDir);
    if (const std::optional<int> exitCode = endsHere(instance, commandLine))
        return *exitCode;

    tonolog::installFontSubstitutes();
    tonolog::initResources();
    tonolog::QtMessageBoxService messages;
    tonolog::HelpWindowViewer helpViewer(messages);
    tonolog::QtDialogService dialogs(&helpViewer);
    tonolog::SystemClock clock;
    tonolog::QtSettingsStore settings;
    tonolog::Platform platform{messages, dialogs, clock, settings};

    tonolog::MainForm form(platform, locations);
    QObject::connect(&instance, &tonolog::SingleInstance::activationRequested, &form,
                     &tonolog::MainForm::bringToFront);
    QObject::connect(&instance, &tonolog::SingleInstance::openRequested, &form.files(),
                     &tonolog::FileCommands::openHandedOverFile);
    tonolog::EndRequests endRequests;
    bool mainLoopRunning = false;
    endWithTheSession(app, form, instance, endRequests, mainLoopRunning);
    form.initialise();
    form.loadWindow(commandLine);
    FirstFrameReporter reporter;
    if (qEnvironmentVariableIsSet("TONOLOG_REPORT_FIRST_FRAME"))
        form.installEventFilter(&reporter);
    form.show();
    QTimer::singleShot(0, &form, [&mainLoopRunning] { mainLoopRunning = true; });
    return QApplication::exec();
}
