#include "listpage/list_page.h"

#include "canvas/controls.h"

namespace tonolog {

ListPage::ListPage(ListControls& controls, const Document& document, QObject* parent)
    : QObject(parent), ui_(controls), document_(document) {
    for (int r = 0; r < ListControls::rows; ++r) {
        const auto row = static_cast<std::size_t>(r);
        for (Label* label : {ui_.LblNumData[row], ui_.LblDateData[row]}) {
            connect(label, &Label::doubleClicked, this, [this, r] { Q_EMIT dayLabelDoubleClicked(r); });
            connect(label, &Label::mouseMoved, this, &ListPage::dayLabelHovered);
        }
    }
}

void ListPage::reset() {
    listButtonState = 0;
}

QString ListPage::dateCaption(int row) const {
    return ui_.LblDateData[static_cast<std::size_t>(row)]->text();
}

void ListPage::drawListBackground() {}

void ListPage::DspListTab() {}

} // namespace tonolog
