#pragma once

#include <array>

class QAction;
class QMenu;

namespace tonolog {

// The File and Help menus and their items, by position.
struct MenuControls {
    QMenu* mnuFile = nullptr;
    QMenu* mnuReport = nullptr;
    QMenu* mnuHelp = nullptr;
    std::array<QAction*, 14> mnuFileItem{};
    // "Report for the doctor..." and "Export readings as CSV...".
    std::array<QAction*, 2> mnuReportItem{};
    std::array<QAction*, 4> mnuHelpItem{};
};

} // namespace tonolog
