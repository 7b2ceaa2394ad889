// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "listpage/list_page.h"

#include "canvas/canvas.h"
#include "canvas/canvas_set.h"
#include "canvas/controls.h"
#include "canvas/hand_pointer.h"
#include "canvas/page_palette.h"
#include "canvas/press_and_hold.h"
#include "canvas/text.h"
#include "canvas/twips.h"
#include "document/document.h"
#include "document/list_rows.h"
#include "listpage/chart_scale.h"
#include "platform/words.h"

#include <algorithm>

namespace tonolog {

namespace {

const QColor black(0, 0, 0);

int topTwips(const QWidget* w) {
    return twips::geometryOf(w).y();
}

// Keeps the chart off the screen while it is drawn, so that a half-drawn chart is never seen.
// (Hiding the canvas would do the same at the cost of a repaint of the whole window.)
class ChartHidden {
public:
    explicit ChartHidden(QWidget* chart) : chart_(chart) { chart_->setUpdatesEnabled(false); }
    ~ChartHidden() { chart_->setUpdatesEnabled(true); }
    ChartHidden(const ChartHidden&) = delete;
    ChartHidden& operator=(const ChartHidden&) = delete;

private:
    QWidget* chart_;
};

} // namespace

ListPage::ListPage(ListControls& controls, Document& document, const CanvasSet& canvases, const Clock& clock,
                   HandPointer& pointer, QObject* parent)
    : QObject(parent), ui_(controls), document_(document), canvases_(canvases), pointer_(pointer) {
    listButtons = new PressAndHold(clock, listButtonState, this);
    connectControls();
}

ListPage::~ListPage() = default;

void ListPage::connectControls() {
    for (int r = 0; r < ListControls::rows; ++r) {
        const auto row = static_cast<std::size_t>(r);
        for (Label* label : {ui_.LblNumData[row], ui_.LblDateData[row]}) {
            connect(label, &Label::doubleClicked, this, [this, r] {
                const int position = document_.listTopIndex() + r;
                if (position >= 1 && position <= document_.table().count())
                    if (const auto day = document_.table().dayOf(position))
                        Q_EMIT dayOpenRequested(*day);
            });
            connect(label, &Label::mouseMoved, this, &ListPage::dayLabelHovered);
        }
    }
    connect(ui_.PicViewArea, &Canvas::mouseMoved, this, &ListPage::pointerMovedOverPage);
    connect(ui_.PicGraphArea, &Canvas::mouseMoved, this, &ListPage::pointerMovedOverPage);

    // Previous data / Next data: a click steps once at the release; holding repeats.
    connectHeldButton(ui_.ImgListUp, listButtons, [this] { stepListUp(); });
    connectHeldButton(ui_.ImgListDown, listButtons, [this] { stepListDown(); });
    addStepKeys(ui_.ImgListUp, stepBackKeys(), [this] { stepListUp(); });
    addStepKeys(ui_.ImgListDown, stepOnKeys(), [this] { stepListDown(); });
}

void ListPage::reset() {
    listButtonState = HoldState::idle;
}

void ListPage::abandonHold() {
    listButtons->cancel();
}

void ListPage::drawListBackground() {
    Canvas* chart = ui_.PicGraphArea;
    const ChartHidden hidden(chart);
    drawChartScale(canvases_, CanvasSet::listChart, *chart,
                   {ui_.LblList100, ui_.LblList200, ui_.LblList50, ui_.LblList150},
                   [](Label* label, int left) { label->move(twips::toPixels(left), label->y()); });
}

int ListPage::DspListTab() {
    Canvas* chart = ui_.PicGraphArea;
    const ChartHidden hidden(chart);
    const ListChart geometry{static_cast<double>(chart->widthTwips()),
                             readingPitch(topTwips(ui_.LblSysTitle[0]), topTwips(ui_.LblSysTitle[3]))};
    chart->setLineStyle(Canvas::LineStyle::solid);
    const int chartNumber = CanvasSet::listChart;
    ListRow row;
    QStringList days;
    for (int r = 0; r < ListControls::rows; ++r) {
        const auto rr = static_cast<std::size_t>(r);
        const Label* firstSlot = ui_.LblSysTitle[3 * rr];
        if (!fillListRow(document_.table(), document_.listTopIndex() + r, geometry, topTwips(firstSlot),
                         twips::geometryOf(firstSlot).height(), row)) {
            showListRow(false, r);
            continue;
        }
        showListRow(true, r);
        days << fromStd(describeListRow(row));
        Label* number = ui_.LblNumData[rr];
        number->setText(fromStd(row.number));
        // The label is laid out for one digit; a longer position must not be cut to its first.
        number->resize(std::max(number->width(), number->sizeHint().width()), number->height());
        ui_.LblDateData[rr]->setText(fromStd(row.dateCaption));
        for (std::size_t k = 0; k < 3; ++k) {
            const std::size_t i = 3 * rr + k;
            const ListSlot& slot = row.slots[k];
            ui_.LblSysData[i]->setText(fromStd(slot.sys));
            ui_.LblDiaData[i]->setText(fromStd(slot.dia));
            ui_.LblPulData[i]->setText(fromStd(slot.pul));
            ui_.LblTimeData[i]->setText(fromStd(slot.time));
            ui_.LblAmpmData[i]->setText(fromStd(slot.ampm));
            if (slot.mark.kind == ListMark::bar) {
                chart->setPenWidth(4);
                canvases_.drawLine(chartNumber, slot.mark.x1, slot.mark.y, slot.mark.x2, slot.mark.y, black,
                                   CanvasSet::Shape::filledBox);
            } else if (slot.mark.kind == ListMark::dot) {
                chart->setPenWidth(5);
                canvases_.drawPoint(chartNumber, slot.mark.x1, slot.mark.y, black);
            }
        }
        const QString note = fromStd(row.note);
        ui_.LblNoteData[rr]->setText(note);
        ui_.LblNoteData[rr]->setToolTip(note);
        ui_.LblNoteTitle[rr]->setToolTip(note);
    }
    describeForScreenReaders(days);
    return 0;
}

void ListPage::describeForScreenReaders(const QStringList& days) {
    const int count = document_.table().count();
    const int first = document_.listTopIndex();
    ui_.PicViewArea->setAccessibleDescription(
        days.isEmpty()
            ? Tonolog::tr("No days")
            : Tonolog::tr("Days %1 to %2 of %3").arg(first).arg(first + days.size() - 1).arg(count));
    ui_.PicGraphArea->setAccessibleDescription(
        days.isEmpty() ? Tonolog::tr("No days")
                       : Tonolog::tr("Bars from DIA to SYS on a scale of 0 to 250 mmHg. ") +
                             days.join(QStringLiteral(". ")) + QLatin1Char('.'));
}

void ListPage::showListRow(bool visible, int row) {
    setRowVisible(ui_, row, visible);
}

void ListPage::stepListUp() {
    document_.setListTopIndex(listTopAfterStepUp(document_.listTopIndex()));
    drawListBackground();
    DspListTab();
}

void ListPage::stepListDown() {
    document_.setListTopIndex(listTopAfterStepDown(document_.listTopIndex(), document_.table().count()));
    drawListBackground();
    DspListTab();
}

void ListPage::pointerMovedOverPage() {
    if (pointer_.labelPointerState != LabelPointer::arrow)
        pointer_.restoreDefault();
}

} // namespace tonolog
