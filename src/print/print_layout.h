#pragma once

#include <QWidget>

#include <array>

namespace tonolog {

class Canvas;
class Label;
class ShapeFrame;

// The print layout "Now printing...": a form that is never shown, the design of the printed list
// page. Its labels hold texts and positions, its shapes give the lines, and its canvases the
// pictures that the list print replays onto the printer. Positions are twips as designed; the
// form is never resized, so they hold.
class PrintDlg : public QWidget {
    Q_OBJECT
public:
    static constexpr int rows = 7;
    static constexpr int slots = 3 * rows;

    PrintDlg();

    Canvas* PicFormBack = nullptr;
    Canvas* PicViewArea = nullptr;  // canvas 4
    Canvas* PicGraphArea = nullptr; // canvas 5
    Label* LblListTitle = nullptr;
    Label* LblComment = nullptr;
    Label* LblListUnit = nullptr;
    Label* LblList100 = nullptr;
    Label* LblList200 = nullptr;
    Label* LblList50 = nullptr;
    Label* LblList150 = nullptr;
    std::array<Label*, rows> LblNumData{};
    std::array<Label*, rows> LblDateData{};
    std::array<Label*, rows> LblNoteTitle{};
    std::array<Label*, rows> LblNoteData{};
    std::array<ShapeFrame*, rows> ShapeNote{};
    std::array<Label*, slots> LblSysTitle{};
    std::array<Label*, slots> LblSysData{};
    std::array<Label*, slots> LblDiaTitle{};
    std::array<Label*, slots> LblDiaData{};
    std::array<Label*, slots> LblPulTitle{};
    std::array<Label*, slots> LblPulData{};
    std::array<Label*, slots> LblTimeData{};
    std::array<Label*, slots> LblAmpmData{};
    std::array<ShapeFrame*, slots> ShapeSys{};
};

// A control's rectangle in twips within its container.
QRect twipsRect(const QWidget* widget);
// Moves a control's left edge to this many twips, kept exactly for twipsRect.
void placeLeft(QWidget* widget, int leftTwips);

} // namespace tonolog
