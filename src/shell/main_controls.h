#pragma once

#include <array>

class QAction;
class QCalendarWidget;
class QLineEdit;
class QMenu;

namespace tonolog {

class Canvas;
class ImageButton;
class Label;
class MainTab;
class ShapeFrame;

// The controls of the Diary page. Member names are the controls' own names; arrays are indexed
// by reading (0..2).
struct DiaryControls {
    QLineEdit* InputName = nullptr;
    Label* LblName = nullptr;
    Label* LblDate = nullptr;
    QLineEdit* InputDate = nullptr;
    ImageButton* ImgInputDate = nullptr;
    ImageButton* ImgDiaryLogo = nullptr;
    Label* LblDiaryUp = nullptr;
    ImageButton* ImgDiaryUp = nullptr;
    ImageButton* ImgDiaryDown = nullptr;
    Label* LblDiaryDown = nullptr;
    std::array<Label*, 3> LblNum{};
    Label* LblSys = nullptr;
    Label* LblDia = nullptr;
    Label* LblPul = nullptr;
    Label* LblTime = nullptr;
    Label* LblNote = nullptr;
    std::array<QLineEdit*, 3> InputSys{};
    std::array<QLineEdit*, 3> InputDia{};
    std::array<QLineEdit*, 3> InputPul{};
    std::array<QLineEdit*, 3> InputTime{};
    std::array<ImageButton*, 3> ImgInputTime{};
    QLineEdit* InputNote = nullptr;
};

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

struct MenuControls {
    QMenu* mnuFile = nullptr;
    QMenu* mnuHelp = nullptr;
    std::array<QAction*, 14> mnuFileItem{};
    std::array<QAction*, 4> mnuHelpItem{};
};

} // namespace tonolog
