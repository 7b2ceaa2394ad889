#pragma once

#include <cstdint>

class QWidget;

namespace tonolog {

// The window's mouse pointer over the List page: the hand over a day label, the arrow again once
// the mouse has moved on. The state is 0 after start-up, 2 while the hand is shown and 1 once
// the arrow has been restored, so each change happens once per entry and exit.
class HandPointer {
public:
    explicit HandPointer(QWidget& window) : window_(window) {}

    // The hand, unless it is shown already.
    void showHand();
    // The arrow, whatever was shown.
    void restoreDefault();
    void reset() { labelPointerState = 0; }

    std::int16_t labelPointerState = 0;

private:
    QWidget& window_;
};

} // namespace tonolog
