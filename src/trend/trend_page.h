#pragma once

#include "canvas/page.h"
#include "trend/trend_controls.h"

#include <QObject>

#include <cstdint>

namespace tonolog {

struct Document;

// The Trend page: the readings of one window of about a month as a graph, scrolled by half
// months.
class TrendPage : public QObject, public Page {
    Q_OBJECT
public:
    TrendPage(TrendControls& controls, const Document& document, QObject* parent = nullptr);

    void drawBackground() override { drawTrendBackground(); }
    void drawContent() override { DspTrendTab(); }
    void reset() override;
    void abandonHold() override {}

    // The zones, the grid, the axes and the legend.
    void drawTrendBackground();
    // The window's readings.
    void DspTrendTab();

    std::int16_t trendButtonState = 0;

private:
    TrendControls& ui_;
    const Document& document_;
};

} // namespace tonolog
