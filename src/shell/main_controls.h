// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

class QAction;
class QMenu;

namespace tonolog {

// The menus and their items, each by name.
struct MenuControls {
    QMenu* mnuFile = nullptr;
    QMenu* mnuReadings = nullptr;
    QMenu* mnuHelp = nullptr;

    QAction* actNew = nullptr;
    QAction* actOpen = nullptr;
    QAction* actClose = nullptr;
    QAction* actSave = nullptr;
    QAction* actSaveAs = nullptr;
    QAction* actPrint = nullptr;
    // The three most recently used files and the separator above them, shown only with entries.
    QAction* historySeparator = nullptr;
    std::array<QAction*, 3> actHistory{};
    QAction* actExit = nullptr;

    QAction* actImport = nullptr;
    QAction* actReport = nullptr;
    QAction* actExportCsv = nullptr;

    QAction* actHelpContents = nullptr;
    QAction* actHelpTopics = nullptr;
    QAction* actAbout = nullptr;
};

} // namespace tonolog
