// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "canvas/text.h"
#include "diary/diary_page.h"
#include "platform/platform.h"
#include "shell/help_commands.h"
#include "shell/main_form.h"
#include "support/fake_dialog_service.h"
#include "support/manual_clock.h"
#include "support/memory_settings_store.h"
#include "support/scripted_message_box.h"

#include <QTemporaryDir>

#include <memory>

namespace tonolog {

// A main window on scripted doubles, with its program, backup and documents directories in a
// fresh temporary directory. The settings and the directory outlive the window, so a test can
// close it and start another as the next run of the program.
class FormHarness {
public:
    // With real message boxes the window shows true modal QMessageBoxes, for the tests of what
    // happens around them; otherwise the scripted box answers.
    explicit FormHarness(bool realMessageBoxes = false);
    ~FormHarness();

    // Creates the window and runs its start-up (settings, load); shows it unless told not to.
    MainForm& start(const QString& commandLine = QString(), bool show = true);
    // Closes the window as the user would; returns whether it closed.
    bool close();
    MainForm& form() { return *form_; }
    bool isRunning() const { return form_ != nullptr; }

    QString backupPath() const { return locations.backupDir + QStringLiteral("TL_Backup"); }
    QString file(const QString& name) const { return dir.filePath(name); }
    static void writeFile(const QString& path, const QByteArray& bytes);
    static QByteArray readFile(const QString& path);

    QTemporaryDir dir;
    Locations locations;
    bool realMessageBoxes_;
    QtMessageBoxService realMessages;
    ScriptedMessageBox messages;
    FakeDialogService dialogs;
    ManualClock clock{QDateTime(QDate(2004, 1, 20), QTime(14, 7))};
    MemorySettingsStore settings;
    Platform platform{realMessageBoxes_ ? static_cast<MessageBoxService&>(realMessages) : messages, dialogs,
                      clock, settings};

private:
    std::unique_ptr<MainForm> form_;
};

} // namespace tonolog
