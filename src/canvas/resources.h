// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>

namespace tonolog {

// Registers the program's compiled-in pictures. Call once after the application object exists
// and before the first look-up below.
void initResources();

// Button bitmaps 1001 to 1018 (released and pressed pairs) and the page logos 1101 to 1103, at
// their designed size. A null pixmap for any other number.
QPixmap bitmapResource(int id);
// The same picture drawn at twice its designed size, for screens of twice the pixel density.
QPixmap bitmapResource2x(int id);
// The picture as exactly `deviceSize` pixels: the designed drawing where it is that size, else the
// drawing of twice the size (or the designed one where there is none) scaled smoothly.
QImage bitmapAtSize(int id, QSize deviceSize);

// The window icon 101, in several sizes. A null icon for any other number.
QIcon iconResource(int id);

// The hand pointer 101, with its hot spot at the tip of the index finger, as large in device
// pixels as its design takes on a screen of `ratio` device pixels to a pixel (from the drawing
// of twice the size above 1). The arrow pointer for any other number.
QCursor cursorResource(int id, double ratio = 1.0);

} // namespace tonolog
