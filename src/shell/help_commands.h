// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace tonolog {

class MainForm;

// The help file's name, next to the program and in the data directories.
inline constexpr const char* helpFileName = "Tonolog.hlp";

// The help file in this directory; one "/" between the two, whether or not the directory ends in
// one ("/opt/tonolog/" and "/opt/tonolog" both give "/opt/tonolog/Tonolog.hlp").
QString helpFileIn(const QString& dir);

// Where an installed program keeps its help file when it is not next to the executable: the
// share directory beside the executable's ("<prefix>/share/tonolog/" for "<prefix>/bin/"), the
// data directories ("tonolog/" under each XDG data directory) and the program's own data
// directories.
QStringList installedHelpFiles(const QString& appDir);

// The help file next to the program if it is there, else the first of the other places that
// holds it, else the one next to the program (so that a message can name it).
QString findHelpFile(const QString& appDir, const QStringList& otherPlaces);

// The Help menu: the help file on its contents or its index, and the About box.
class HelpCommands {
public:
    // Connects the Help menu's items.
    explicit HelpCommands(MainForm& form);

    // The help file next to the program, or where an installed program keeps it.
    QString helpFilePath() const;
    void showHelpContents();
    void showHelpIndex();
    void showAbout();

private:
    MainForm& form_;
};

} // namespace tonolog
