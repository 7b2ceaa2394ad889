#pragma once

#include <array>

class QAction;
class QMenu;

namespace tonolog {

// The File and Help menus and their items, by position.
struct MenuControls {
    QMenu* mnuFile = nullptr;
    QMenu* mnuHelp = nullptr;
    std::array<QAction*, 14> mnuFileItem{};
    std::array<QAction*, 4> mnuHelpItem{};
};

} // namespace tonolog
