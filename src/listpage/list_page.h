#pragma once

#include "canvas/page.h"
#include "listpage/list_controls.h"

#include <QObject>

#include <cstdint>

namespace tonolog {

struct Document;

// The List page: four consecutive days as rows of text beside a bar chart, paged through the
// diary.
class ListPage : public QObject, public Page {
    Q_OBJECT
public:
    ListPage(ListControls& controls, const Document& document, QObject* parent = nullptr);

    void drawBackground() override { drawListBackground(); }
    void drawContent() override { DspListTab(); }
    void reset() override;
    void abandonHold() override {}

    // The zones, the grid and the scale.
    void drawListBackground();
    // The four rows from listTopIndex.
    void DspListTab();
    // The caption of row 0..3's day label.
    QString dateCaption(int row) const;

    std::int16_t listButtonState = 0;

Q_SIGNALS:
    // A day label of the row was double-clicked.
    void dayLabelDoubleClicked(int row);
    // The mouse moved over a day label.
    void dayLabelHovered();

private:
    ListControls& ui_;
    const Document& document_;
};

} // namespace tonolog
