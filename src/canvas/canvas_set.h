// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPointer>

#include <array>

namespace tonolog {

class Canvas;

// The six drawing canvases by number, the one place that maps a number to a canvas:
// 1 PicViewArea, 2 PicGraphArea and 3 PicTrendArea of the main window, 4 PicViewArea and
// 5 PicGraphArea of the print layout, 6 PicExpArea of the main window. Drawing on a number that
// has no canvas (the print layout's before it exists, or any other number) does nothing.
class CanvasSet {
public:
    static constexpr int listRows = 1;
    static constexpr int listChart = 2;
    static constexpr int trendGraph = 3;
    static constexpr int printRows = 4;
    static constexpr int printChart = 5;
    static constexpr int trendLegend = 6;

    void setCanvas(int number, Canvas* canvas);
    Canvas* canvas(int number) const;

    enum class Shape { line, box, filledBox };
    void drawLine(int number, int x1, int y1, int x2, int y2, const QColor& color, Shape shape) const;
    // The outline, or filled with the fill colour, the canvas's own fill settings kept.
    enum class CircleStyle { outline, filled };
    void drawCircle(int number, int radius, int x, int y, const QColor& color, const QColor& fillColor,
                    CircleStyle style) const;
    // A round dot as wide as the canvas's pen.
    void drawPoint(int number, int x, int y, const QColor& color) const;

    // Gives every canvas a picture of its current size; true when any was replaced, so that what
    // was drawn on it must be drawn again.
    bool fitPictures() const;

private:
    std::array<QPointer<Canvas>, 6> canvases_{};
};

} // namespace tonolog
