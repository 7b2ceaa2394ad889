// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tonolog {

// What the help viewer opens on, by the help call's own numbers.
enum HelpCommand : int {
    helpContents = 15, // the table of contents
    helpIndex = 261    // the keyword index, nothing typed yet
};

// Shows the program's help file on its contents (command 15) or its keyword index (command 261).
// It runs by itself: show() returns at once and nothing waits for the viewer or closes it.
class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    virtual void show(const QString& helpFile, int command) = 0;
};

} // namespace tonolog
