// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "diary/diary_controls.h"
#include "listpage/list_controls.h"
#include "shell/main_controls.h"
#include "trend/trend_controls.h"

#include <QSize>

class QCalendarWidget;
class QMainWindow;
class QWidget;

namespace tonolog {

class ElasticLayout;
class MainTab;

// The design size of the main window's client area, in twips.
inline constexpr QSize designClientTwips{11880, 8310};
// The size of the window at start-up, in twips.
inline constexpr QSize windowSizeTwips{12000, 9000};

struct MainLayout {
    MainTab* mainTab = nullptr;
    QCalendarWidget* MonthView = nullptr;
    DiaryControls diary;
    ListControls list;
    TrendControls trend;
    MenuControls menu;
};

// Creates every control of the main window at its design position in the client widget, with
// its caption, tooltip, alignment and font, registers it with the elastic layout, builds the
// menus and sets the tab order of the Diary page's boxes.
MainLayout buildMainLayout(QMainWindow& window, QWidget& client, ElasticLayout& elastic);

} // namespace tonolog
