// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

namespace tonolog {

class Canvas;
class ImageButton;
class Label;
class ListDayRow;
class ShapeFrame;

// The controls of the List page: four day rows r = 0..3, three reading slots a row, slot
// index i = 3r + k.
struct ListControls {
    static constexpr int rows = 4;
    static constexpr int slots = 12;
    Label* LblListTitle = nullptr;
    Label* LblComment = nullptr;
    Label* LblListUnit = nullptr;
    Canvas* PicViewArea = nullptr;
    Canvas* PicGraphArea = nullptr;
    Canvas* PicNoteArea = nullptr;
    ImageButton* ImgListLogo = nullptr;
    Label* LblListUp = nullptr;
    ImageButton* ImgListUp = nullptr;
    ImageButton* ImgListPrint = nullptr;
    Label* LblListPrint = nullptr;
    ImageButton* ImgListDown = nullptr;
    Label* LblListDown = nullptr;
    std::array<Label*, rows> LblNumData{};
    std::array<Label*, rows> LblDateData{};
    std::array<ShapeFrame*, slots> ShapeSys{};
    std::array<Label*, slots> LblSysTitle{};
    std::array<Label*, slots> LblDiaTitle{};
    std::array<Label*, slots> LblPulTitle{};
    std::array<Label*, slots> LblSysData{};
    std::array<Label*, slots> LblDiaData{};
    std::array<Label*, slots> LblPulData{};
    std::array<Label*, slots> LblTimeData{};
    std::array<Label*, slots> LblAmpmData{};
    std::array<ShapeFrame*, rows> ShapeNote{};
    std::array<Label*, rows> LblNoteTitle{};
    std::array<Label*, rows> LblNoteData{};
    Label* LblList100 = nullptr;
    Label* LblList200 = nullptr;
    Label* LblList50 = nullptr;
    Label* LblList150 = nullptr;
    // Made by the List page: each row's controls gathered in one control for the keyboard and
    // screen readers.
    std::array<ListDayRow*, rows> DayRow{};
};

// Every control of row r shown or hidden: the day's number and date, each reading's labels and
// frame, the note. For the List page's rows and the print layout's alike.
template <class Rows> void setRowVisible(Rows& c, int row, bool visible) {
    const auto r = static_cast<std::size_t>(row);
    c.LblNumData[r]->setVisible(visible);
    c.LblDateData[r]->setVisible(visible);
    for (std::size_t k = 3 * r; k < 3 * r + 3; ++k) {
        c.LblSysTitle[k]->setVisible(visible);
        c.LblSysData[k]->setVisible(visible);
        c.LblDiaTitle[k]->setVisible(visible);
        c.LblDiaData[k]->setVisible(visible);
        c.LblPulTitle[k]->setVisible(visible);
        c.LblPulData[k]->setVisible(visible);
        c.LblTimeData[k]->setVisible(visible);
        c.LblAmpmData[k]->setVisible(visible);
        c.ShapeSys[k]->setVisible(visible);
    }
    c.LblNoteData[r]->setVisible(visible);
    c.LblNoteTitle[r]->setVisible(visible);
    c.ShapeNote[r]->setVisible(visible);
}

} // namespace tonolog
