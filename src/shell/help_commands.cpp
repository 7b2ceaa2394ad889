// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/help_commands.h"

#include "platform/dialog_service.h"
#include "platform/help_viewer.h"
#include "shell/about_form.h"
#include "shell/main_form.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tonolog {

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

HelpCommands::HelpCommands(MainForm& form) : form_(form) {
    const MenuControls& menu = form.ui.menu;
    QObject::connect(menu.actHelpContents, &QAction::triggered, &form, [this] { showHelpContents(); });
    QObject::connect(menu.actHelpTopics, &QAction::triggered, &form, [this] { showHelpIndex(); });
    QObject::connect(menu.actAbout, &QAction::triggered, &form, [this] { showAbout(); });
}

QString HelpCommands::helpFilePath() const {
    return findHelpFile(form_.locations().appDir, installedHelpFiles(form_.locations().appDir));
}

void HelpCommands::showHelpContents() {
    form_.platform().dialogs.showHelp(helpFilePath(), helpContents);
}

void HelpCommands::showHelpIndex() {
    form_.platform().dialogs.showHelp(helpFilePath(), helpIndex);
}

// The About box is made afresh each time and shown modally, without an owner window; the command
// returns when it is closed.
void HelpCommands::showAbout() {
    AboutForm about(form_.platform().messages);
    if (!form_.windowIcon().isNull())
        about.setWindowIcon(form_.windowIcon());
    about.setWindowModality(Qt::ApplicationModal);
    about.exec();
}

} // namespace tonolog
