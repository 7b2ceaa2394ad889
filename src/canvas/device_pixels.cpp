// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/device_pixels.h"

#include "document/conversions.h"

#include <algorithm>
#include <cmath>

namespace tonolog::devicepixels {

namespace {

bool same(double a, double b) {
    return std::abs(a - b) < 1e-9;
}

} // namespace

std::optional<QPoint> origin(const QPainter& painter, double ratio) {
    const QTransform t = painter.deviceTransform();
    if (t.type() > QTransform::TxScale || !same(t.m11(), ratio) || !same(t.m22(), ratio))
        return std::nullopt;
    return QPoint(roundToInt(t.dx()), roundToInt(t.dy()));
}

void drawUnscaled(QPainter& painter, QPoint at, const QImage& image) {
    painter.save();
    // The world transform that, followed by the painter's own mapping to the device, moves by
    // whole device pixels and scales by nothing.
    const QTransform toDevice = painter.deviceTransform();
    painter.setWorldTransform(QTransform::fromTranslate(at.x(), at.y()) * toDevice.inverted() *
                              painter.worldTransform());
    painter.drawImage(QPoint(0, 0), image);
    painter.restore();
}

bool coversExactly(const QPainter& painter, const QRect& rect, QPoint at, QSize imageSize) {
    const QRectF area = painter.deviceTransform().mapRect(QRectF(rect));
    return same(area.x(), at.x()) && same(area.y(), at.y()) && same(area.width(), imageSize.width()) &&
           same(area.height(), imageSize.height());
}

int penWidth(int pixels, double ratio) {
    return std::max(1, roundToInt(pixels * ratio));
}

int frameLineWidth(double ratio) {
    return std::max(1, static_cast<int>(std::floor(ratio + 1e-9)));
}

} // namespace tonolog::devicepixels
