// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

class QLineEdit;

namespace tonolog {

class ImageButton;
class Label;

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

} // namespace tonolog
