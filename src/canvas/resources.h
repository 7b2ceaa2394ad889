#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>

namespace tonolog {

// Registers the program's compiled-in pictures. Call once after the application object exists
// and before the first look-up below.
void initResources();

// Button bitmaps 1001 to 1018 (released and pressed pairs) and the page logos 1101 to 1103.
// A null pixmap for any other number.
QPixmap bitmapResource(int id);

// The window icon 101, in several sizes. A null icon for any other number.
QIcon iconResource(int id);

// The hand pointer 101, with its hot spot at the tip of the index finger. The arrow pointer for
// any other number.
QCursor cursorResource(int id);

} // namespace tonolog
