// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace tonolog {

class Canvas;
class CanvasSet;
class Label;

// The scale labels of a bar chart: 100 and 200 along the top, 50 and 150 along the bottom.
struct ChartScaleLabels {
    Label* at100 = nullptr;
    Label* at200 = nullptr;
    Label* at50 = nullptr;
    Label* at150 = nullptr;
};

// The chart's background on canvas `number`: the three zones over the whole canvas, the dotted
// grid at 50, 100, 150 and 200, and each scale label's right edge put on its line by `placeLeft`
// (the label and its new left edge in twips).
void drawChartScale(const CanvasSet& canvases, int number, Canvas& chart, const ChartScaleLabels& labels,
                    const std::function<void(Label*, int)>& placeLeft);

} // namespace tonolog
