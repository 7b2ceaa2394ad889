// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/hand_pointer.h"

#include "canvas/resources.h"

#include <QWidget>

namespace tonolog {

void HandPointer::showHand() {
    if (labelPointerState == LabelPointer::hand)
        return;
    window_.setCursor(cursorResource(101, window_.devicePixelRatioF()));
    labelPointerState = LabelPointer::hand;
}

void HandPointer::restoreDefault() {
    window_.unsetCursor();
    labelPointerState = LabelPointer::arrow;
}

} // namespace tonolog
