#include "trend/trend_page.h"

namespace tonolog {

TrendPage::TrendPage(TrendControls& controls, const Document& document, QObject* parent)
    : QObject(parent), ui_(controls), document_(document) {}

void TrendPage::reset() {
    trendButtonState = 0;
}

void TrendPage::drawTrendBackground() {}

void TrendPage::DspTrendTab() {}

} // namespace tonolog
