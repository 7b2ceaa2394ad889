// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "listpage/chart_scale.h"

#include "canvas/canvas.h"
#include "canvas/canvas_set.h"
#include "canvas/controls.h"
#include "canvas/page_palette.h"
#include "canvas/twips.h"
#include "document/list_rows.h"

namespace tonolog {

void drawChartScale(const CanvasSet& canvases, int number, Canvas& chart, const ChartScaleLabels& labels,
                    const std::function<void(Label*, int)>& placeLeft) {
    const int h = chart.heightTwips();
    const double w = chart.widthTwips();
    const int x50 = chartX(w, 50);
    const int x90 = chartX(w, 90);
    const int x100 = chartX(w, 100);
    const int x140 = chartX(w, 140);
    const int x150 = chartX(w, 150);
    const int x200 = chartX(w, 200);
    chart.setPenWidth(1);
    chart.setLineStyle(Canvas::LineStyle::solid);
    canvases.drawLine(number, 0, 0, x90, h, zoneLow, CanvasSet::Shape::filledBox);
    canvases.drawLine(number, x90, 0, x140, h, zoneMiddle, CanvasSet::Shape::filledBox);
    canvases.drawLine(number, x140, 0, roundToInt(w), h, zoneHigh, CanvasSet::Shape::filledBox);
    chart.setLineStyle(Canvas::LineStyle::dotted);
    const QColor black(0, 0, 0);
    for (const int x : {x100, x200, x50, x150})
        canvases.drawLine(number, x, 0, x, h, black, CanvasSet::Shape::line);
    const std::pair<Label*, int> lines[] = {
        {labels.at100, x100}, {labels.at200, x200}, {labels.at50, x50}, {labels.at150, x150}};
    for (const auto& [label, x] : lines)
        placeLeft(label, x - twips::wholeTwips(label->width()));
}

} // namespace tonolog
