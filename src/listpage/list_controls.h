#pragma once

#include <array>

namespace tonolog {

class Canvas;
class ImageButton;
class Label;
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
};

} // namespace tonolog
