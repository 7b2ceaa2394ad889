#include "shell/help_commands.h"

#include "platform/dialog_service.h"
#include "shell/about_form.h"
#include "shell/main_form.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tonolog {

namespace {

constexpr int helpContentsCommand = 15; // the help's table of contents
constexpr int helpIndexCommand = 261;   // the help's keyword index, nothing typed yet
const char* const connectedProperty = "tonologHelpMenuConnected";

} // namespace

QString helpFileIn(const QString& dir) {
    const QString name = QString::fromLatin1(helpFileName);
    if (dir.isEmpty() || dir.endsWith(QLatin1Char('/')))
        return dir + name;
    return dir + QLatin1Char('/') + name;
}

QStringList installedHelpFiles(const QString& appDir) {
    QStringList places;
    if (!appDir.isEmpty())
        places << QDir::cleanPath(appDir + QStringLiteral("/../share/tonolog/") +
                                  QLatin1String(helpFileName));
    for (const QString& dir : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        places << helpFileIn(dir + QStringLiteral("/tonolog"));
    for (const QString& dir : QStandardPaths::standardLocations(QStandardPaths::AppDataLocation))
        places << helpFileIn(dir);
    places.removeDuplicates();
    return places;
}

QString findHelpFile(const QString& appDir, const QStringList& otherPlaces) {
    const QString nextToProgram = helpFileIn(appDir);
    if (QFileInfo(nextToProgram).isFile())
        return nextToProgram;
    for (const QString& place : otherPlaces) {
        if (QFileInfo(place).isFile())
            return place;
    }
    return nextToProgram;
}

void connectHelpMenu(MainForm& form) {
    for (int i = 0; i < static_cast<int>(form.ui.menu.mnuHelpItem.size()); ++i) {
        QAction* item = form.ui.menu.mnuHelpItem[static_cast<std::size_t>(i)];
        if (item == nullptr || item->property(connectedProperty).toBool())
            continue;
        item->setProperty(connectedProperty, true);
        QObject::connect(item, &QAction::triggered, &form, [&form, i] { form.onHelpMenuItem(i); });
    }
}

QString MainForm::helpFilePath() const {
    return findHelpFile(locations_.appDir, installedHelpFiles(locations_.appDir));
}

void MainForm::onHelpMenuItem(int index) {
    switch (index) {
    case 0:
        showHelpContents();
        break;
    case 1:
        showHelpIndex();
        break;
    case 3:
        showAbout();
        break;
    default:
        break;
    }
}

void MainForm::showHelpContents() {
    platform_.dialogs.showHelp(helpFilePath(), helpContentsCommand);
}

void MainForm::showHelpIndex() {
    platform_.dialogs.showHelp(helpFilePath(), helpIndexCommand);
}

// The About box is made afresh each time and shown modally, without an owner window; the command
// returns when it is closed.
void MainForm::showAbout() {
    AboutForm about(platform_.messages);
    if (!windowIcon().isNull())
        about.setWindowIcon(windowIcon());
    about.setWindowModality(Qt::ApplicationModal);
    about.exec();
}

} // namespace tonolog
