// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/canvas_set.h"

#include "canvas/canvas.h"

namespace tonolog {

void CanvasSet::setCanvas(int number, Canvas* canvas) {
    if (number >= 1 && number <= static_cast<int>(canvases_.size()))
        canvases_[static_cast<std::size_t>(number - 1)] = canvas;
}

Canvas* CanvasSet::canvas(int number) const {
    if (number < 1 || number > static_cast<int>(canvases_.size()))
        return nullptr;
    return canvases_[static_cast<std::size_t>(number - 1)].data();
}

void CanvasSet::drawLine(int number, int x1, int y1, int x2, int y2, const QColor& color, Shape shape) const {
    Canvas* c = canvas(number);
    if (c == nullptr)
        return;
    switch (shape) {
    case Shape::line:
        c->drawLine(x1, y1, x2, y2, color);
        break;
    case Shape::box:
    case Shape::filledBox:
        c->drawBox(x1, y1, x2, y2, color, shape == Shape::filledBox);
        break;
    }
}

void CanvasSet::drawCircle(int number, int radius, int x, int y, const QColor& color, const QColor& fillColor,
                           CircleStyle style) const {
    Canvas* c = canvas(number);
    if (c == nullptr)
        return;
    if (style == CircleStyle::outline) {
        c->drawCircle(x, y, radius, color);
    } else {
        const Canvas::FillStyle keptStyle = c->fillStyle();
        const QColor keptColor = c->fillColor();
        c->setFillStyle(Canvas::FillStyle::solid);
        c->setFillColor(fillColor);
        c->drawCircle(x, y, radius, color);
        c->setFillStyle(keptStyle);
        c->setFillColor(keptColor);
    }
}

void CanvasSet::drawPoint(int number, int x, int y, const QColor& color) const {
    if (Canvas* c = canvas(number))
        c->drawPoint(x, y, color);
}

bool CanvasSet::fitPictures() const {
    bool replaced = false;
    for (const QPointer<Canvas>& c : canvases_)
        if (!c.isNull() && c->fitPicture())
            replaced = true;
    return replaced;
}

} // namespace tonolog
