// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

#include <array>

namespace tonolog {

// The program's twelve fixed colours and the tab colours made from them.
struct PagePalette {
    QColor paletteListPage{230, 230, 255};
    QColor paletteListTab{210, 210, 255};
    QColor paletteBlue{0, 0, 234};
    QColor paletteDiaryPage{218, 237, 229};
    QColor paletteDiaryTab{201, 228, 216};
    QColor paletteGreen{75, 156, 122};
    QColor paletteTrendPage{255, 223, 223};
    QColor paletteTrendTab{255, 206, 206};
    QColor paletteRed{159, 0, 0};
    QColor paletteBlack{0, 0, 0};
    QColor paletteWhite{255, 255, 255};
    QColor paletteGrey{128, 128, 128};
    // The ground of the List page's rows, on the screen and on paper.
    QColor paletteListRows{196, 225, 255};

    // Index 0 Diary, 1 List, 2 Trend: a tab's colour while its page is shown, and while another is.
    std::array<QColor, 3> tabFrontColor{paletteDiaryPage, paletteListPage, paletteTrendPage};
    std::array<QColor, 3> tabBackColor{paletteDiaryTab, paletteListTab, paletteTrendTab};
};

// The colours of the chart zones below 90, from 90 to 140 and above 140.
inline const QColor zoneLow{210, 255, 210};
inline const QColor zoneMiddle{255, 255, 200};
inline const QColor zoneHigh{255, 233, 200};

} // namespace tonolog
