#include "canvas/message_box.h"
#include "canvas/resources.h"
#include "platform/clock.h"
#include "platform/message_box_service.h"
#include "platform/platform.h"
#include "platform/qt_dialog_service.h"
#include "platform/qt_settings_store.h"
#include "platform/single_instance.h"
#include "shell/about_form.h"
#include "shell/file_commands.h"
#include "shell/fonts.h"
#include "shell/help_window.h"
#include "shell/main_form.h"

#include <QApplication>
#include <QDateTime>
#include <QEvent>
#include <QGuiApplication>
#include <QTimer>

#include <cstdio>

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

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Tonolog"));
    QCoreApplication::setApplicationName(QStringLiteral("Tonolog"));
    QCoreApplication::setApplicationVersion(
        tonolog::versionNumber(tonolog::programVersionMajor, tonolog::programVersionMinor));
    // The desktop entry's name, by which the window system finds the program's icon and entry.
    QGuiApplication::setDesktopFileName(QStringLiteral(TONOLOG_APP_ID));
    // One optional data file path; a path with blanks may arrive split into several arguments.
    const QString commandLine = QCoreApplication::arguments().mid(1).join(QLatin1Char(' '));

    // A second start brings the first window to the front and hands it its file, if any.
    tonolog::SingleInstance instance;
    if (!instance.tryBecomePrimary()) {
        if (instance.notifyPrimary(tonolog::commandLinePath(commandLine)))
            return 0;
        // A running instance holds the lock but does not answer: say so rather than end silently.
        const QString why = QStringLiteral(
            "Tonolog is already running but does not answer, so it cannot be started again.\r\n"
            "Close the running Tonolog, or end it, and start it again.");
        std::fprintf(stderr, "%s\n",
                     qUtf8Printable(QString(why).replace(QStringLiteral("\r\n"), QStringLiteral(" "))));
        tonolog::QtMessageBoxService messages;
        tonolog::showMessage(messages, why, tonolog::box::ok, tonolog::box::exclamation);
        return 1;
    }

    tonolog::installFontSubstitutes();
    tonolog::initResources();
    tonolog::QtMessageBoxService messages;
    tonolog::HelpWindowViewer helpViewer(messages);
    tonolog::QtDialogService dialogs(&helpViewer);
    tonolog::SystemClock clock;
    tonolog::QtSettingsStore settings;
    tonolog::Platform platform{messages, dialogs, clock, settings};

    tonolog::MainForm form(platform, tonolog::Locations::forThisUser());
    QObject::connect(&instance, &tonolog::SingleInstance::activationRequested, &form,
                     &tonolog::MainForm::bringToFront);
    QObject::connect(&instance, &tonolog::SingleInstance::openRequested, &form.files(),
                     &tonolog::FileCommands::openHandedOverFile);
    form.initialise();
    form.loadWindow(commandLine);
    FirstFrameReporter reporter;
    if (qEnvironmentVariableIsSet("TONOLOG_REPORT_FIRST_FRAME"))
        form.installEventFilter(&reporter);
    form.show();
    return QApplication::exec();
}
