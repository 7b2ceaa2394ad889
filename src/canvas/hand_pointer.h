// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

class QWidget;

namespace tonolog {

// The window's mouse pointer over the List page: the hand over a day label, the arrow again once
// the mouse has moved on, so each change happens once per entry and exit.
enum class LabelPointer : std::int16_t { untouched, arrow, hand };

class HandPointer {
public:
    explicit HandPointer(QWidget& window) : window_(window) {}

    // The hand, unless it is shown already.
    void showHand();
    // The arrow, whatever was shown.
    void restoreDefault();
    void reset() { labelPointerState = LabelPointer::untouched; }

    LabelPointer labelPointerState = LabelPointer::untouched;

private:
    QWidget& window_;
};

} // namespace tonolog
