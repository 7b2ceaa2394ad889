// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/conversions.h"

#include <QRect>
#include <QWidget>

// Every position and size of the window is designed in twips (1/1440 inch); the screen has
// 15 twips to a device-independent pixel. This is the one place that converts between them, and
// every fraction goes to the nearest whole number with halves to the even neighbour.
namespace tonolog::twips {

inline constexpr int perPixel = 15;

inline int toPixels(double twips) {
    return roundToInt(twips / perPixel);
}
// Twips in the device pixels of a screen with this device pixel ratio.
inline int toDevicePixels(double twips, double ratio) {
    return roundToInt(twips * ratio / perPixel);
}
inline double fromPixels(double pixels) {
    return pixels * perPixel;
}
// A length in pixels as whole twips.
inline int wholeTwips(double pixels) {
    return roundToInt(fromPixels(pixels));
}

inline QRect toPixels(const QRect& twipsRect) {
    return QRect(toPixels(twipsRect.x()), toPixels(twipsRect.y()), toPixels(twipsRect.width()),
                 toPixels(twipsRect.height()));
}

// A design rectangle scaled by the factors and converted to pixels.
inline QRect scaledToPixels(const QRect& twipsRect, double sx, double sy) {
    const int left = roundToInt(twipsRect.x() * sx / perPixel);
    const int top = roundToInt(twipsRect.y() * sy / perPixel);
    const int right = roundToInt((twipsRect.x() + twipsRect.width()) * sx / perPixel);
    const int bottom = roundToInt((twipsRect.y() + twipsRect.height()) * sy / perPixel);
    return QRect(left, top, right - left, bottom - top);
}

inline QRect fromPixels(const QRect& pixelRect) {
    return QRect(pixelRect.x() * perPixel, pixelRect.y() * perPixel, pixelRect.width() * perPixel,
                 pixelRect.height() * perPixel);
}

// A control's rectangle in its container, in twips.
inline QRect geometryOf(const QWidget* widget) {
    return fromPixels(widget->geometry());
}

} // namespace tonolog::twips
