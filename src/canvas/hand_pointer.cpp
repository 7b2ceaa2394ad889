#include "canvas/hand_pointer.h"

#include "canvas/resources.h"

#include <QWidget>

namespace tonolog {

void HandPointer::showHand() {
    if (labelPointerState == 2)
        return;
    window_.setCursor(cursorResource(101, window_.devicePixelRatioF()));
    labelPointerState = 2;
}

void HandPointer::restoreDefault() {
    window_.unsetCursor();
    labelPointerState = 1;
}

} // namespace tonolog
