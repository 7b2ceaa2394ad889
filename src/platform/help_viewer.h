#pragma once

#include <QString>

namespace tonolog {

// Shows the program's help file on its contents (command 15) or its keyword index (command 261).
// It runs by itself: show() returns at once and nothing waits for the viewer or closes it.
class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    virtual void show(const QString& helpFile, int command) = 0;
};

} // namespace tonolog
