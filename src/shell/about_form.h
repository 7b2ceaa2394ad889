// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

class QFrame;
class QLabel;
class QPushButton;

namespace tonolog {

class MessageBoxService;

// The program's version, as the About box shows it.
inline constexpr int programVersionMajor = TONOLOG_VERSION_MAJOR;
inline constexpr int programVersionMinor = TONOLOG_VERSION_MINOR;

// The version as a number with at least two minor digits: 0, 7 gives "0.07".
QString versionNumber(int major, int minor);

// "Version " + major + "." + minor with at least two digits: 0, 7 gives "Version 0.07".
QString versionText(int major, int minor);

// A system information program and the arguments that open it on its overview.
struct SystemInfoTool {
    QString program;
    QStringList arguments;
};

// Where the About box looks for a system information program: the first of the candidates that
// is an executable file in one of the directories of the search path.
struct SystemInfoTools {
    QList<SystemInfoTool> candidates;
    QStringList searchPath; // directories; none means nothing is found

    // The well-known tools of Linux desktops, searched in the directories of PATH:
    // hardinfo2 and hardinfo (system profilers), kinfocenter (KDE's Info Center), then the
    // About pages of the desktops' own settings: GNOME's "info-overview" panel, Cinnamon's
    // "info" module and xfce4-about.
    static SystemInfoTools standard();

    // The first candidate found, with its program made the full path; none when nothing is found.
    std::optional<SystemInfoTool> find() const;
};

// The About box: the program's name, version and icon, a short description, a legal notice, OK
// and a button that starts the system information program.
class AboutForm : public QDialog {
    Q_OBJECT
public:
    explicit AboutForm(MessageBoxService& messages, SystemInfoTools tools = SystemInfoTools::standard(),
                       QWidget* parent = nullptr);

    // Starts the system information program on its own and returns at once; when there is none, or
    // it cannot be started, says so. The box stays open either way.
    void StartSysInfo();

    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* picIcon = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;
    // The etched rule under the description: 0 the white line, 1 the grey line above it.
    std::array<QFrame*, 2> Line1{};

private:
    MessageBoxService& messages_;
    SystemInfoTools tools_;
};

} // namespace tonolog
