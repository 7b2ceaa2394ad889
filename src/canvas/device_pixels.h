// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPainter>

#include <optional>

// Painting in the device pixels of a screen. A widget's pixels are device-independent; on a screen
// of 1.5 or 2 device pixels to each of them, a picture kept in device pixels is sharp only if it is
// copied pixel for pixel, not scaled by the painter.
namespace tonolog::devicepixels {

// The device pixel on which a widget's top-left corner lies, when the painter maps the widget to
// its device by a plain scale of `ratio` (a screen or a grab); nothing for any other mapping (a
// printer). The corner's fraction goes to the nearest pixel, halves to the even one.
std::optional<QPoint> origin(const QPainter& painter, double ratio);

// The image copied pixel for pixel with its top-left corner on the device pixel `at`.
void drawUnscaled(QPainter& painter, QPoint at, const QImage& image);

// Whether the image copied to `at` covers exactly the device area of the widget's rectangle
// `rect`; where it does not (the widget's edges fall between device pixels), one pixel along an
// edge may be left to the painter's own rounding.
bool coversExactly(const QPainter& painter, const QRect& rect, QPoint at, QSize imageSize);

// The device pixels of a pen of `pixels` device-independent pixels, at least one.
int penWidth(int pixels, double ratio);

// The device pixels of a frame's line, which neighbouring frames that overlap by one pixel share:
// as many whole device pixels as fit in one pixel (1 at a ratio of 1.5, 2 at 2), so that the
// shared line stays one line as thick as the others.
int frameLineWidth(double ratio);

} // namespace tonolog::devicepixels
