// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

namespace tonolog {

class Canvas;
class ImageButton;
class Label;

// The controls of the Trend page.
struct TrendControls {
    Label* LblTrendTitle = nullptr;
    Label* LblTrendLeft = nullptr;
    ImageButton* ImgTrendLeft = nullptr;
    Label* LblTrendRight = nullptr;
    ImageButton* ImgTrendRight = nullptr;
    Canvas* PicExpArea = nullptr;
    Label* LblSysExp = nullptr;
    Label* LblDiaExp = nullptr;
    Label* LblPulExp = nullptr;
    ImageButton* ImgTrendLogo = nullptr;
    Label* LblTrendBp = nullptr;
    Label* LblTrendMmhg = nullptr;
    std::array<Label*, 4> LblTrendBpScale{}; // 200, 150, 100, 50
    Label* LblTrendPul = nullptr;
    Label* LblTrendMin = nullptr;
    std::array<Label*, 4> LblTrendPulScale{}; // 200, 150, 100, 50
    Canvas* PicTrendArea = nullptr;
    std::array<Label*, 7> LblTrendDay{};
    Label* LblTrendDateTop = nullptr;
    Label* LblTrendDateLast = nullptr;
    ImageButton* ImgTrendPrint = nullptr;
    Label* LblTrendPrint = nullptr;
};

} // namespace tonolog
