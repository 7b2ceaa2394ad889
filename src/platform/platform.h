// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tonolog {

class Clock;
class DialogService;
class MessageBoxService;
class SettingsStore;

// Everything through which the program reaches the person and the machine: message boxes,
// dialogs, the clock and the settings store. Tests replace them with scripted doubles.
struct Platform {
    MessageBoxService& messages;
    DialogService& dialogs;
    Clock& clock;
    SettingsStore& settings;
};

// Where the program finds its own files and keeps the user's.
struct Locations {
    QString appDir;       // the program's directory, ending in "/"
    QString backupDir;    // the per-user data directory that holds the backup, ending in "/"
    QString documentsDir; // where file dialogs start for an untitled diary, ending in "/"

    // The real places: the executable's directory, the per-user application data directory
    // (created with access for the user only) and the user's documents directory (or home).
    static Locations forThisUser();
};

} // namespace tonolog
