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

#include <algorithm>

namespace tonolog {

namespace {

const QColor black(0, 0, 0);

int topTwips(const QWidget* w) {
    return twips::wholeTwips(w->y());
}
int heightTwips(const QWidget* w) {
    return twips::wholeTwips(w->height());
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

// Puts a scale label's right edge on its grid line.
void placeScaleLabel(Label* label, int lineX) {
    const int left = lineX - twips::wholeTwips(label->width());
    label->move(twips::toPixels(left), label->y());
}

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
            connect(label, &Label::doubleClicked, this, [this, r] { Q_EMIT dayLabelDoubleClicked(r); });
            connect(label, &Label::mouseMoved, this, &ListPage::dayLabelHovered);
        }
    }
    connect(ui_.PicViewArea, &Canvas::mouseMoved, this, &ListPage::pointerMovedOverPage);
    connect(ui_.PicGraphArea, &Canvas::mouseMoved, this, &ListPage::pointerMovedOverPage);

    // Previous data / Next data: a click steps once at the release; holding repeats.
    const std::pair<ImageButton*, void (ListPage::*)()> buttons[] = {
        {ui_.ImgListUp, &ListPage::stepListUp}, {ui_.ImgListDown, &ListPage::stepListDown}};
    for (const auto& [button, step] : buttons) {
        connect(button, &ImageButton::pressed, this, [this, button = button, step = step] {
            button->showPressedPicture(true);
            listButtons->press([this, step] { (this->*step)(); });
        });
        connect(button, &ImageButton::released, this, [this, button = button] {
            button->showPressedPicture(false);
            listButtons->release();
        });
    }
}

void ListPage::reset() {
    listButtonState = 0;
}

void ListPage::abandonHold() {
    listButtons->cancel();
}

QString ListPage::dateCaption(int row) const {
    return ui_.LblDateData[static_cast<std::size_t>(row)]->text();
}

void ListPage::drawListBackground() {
    Canvas* chart = ui_.PicGraphArea;
    const ChartHidden hidden(chart);
    const int h = chart->heightTwips();
    const double w = chart->widthTwips();
    const int x50 = chartX(w, 50);
    const int x90 = chartX(w, 90);
    const int x100 = chartX(w, 100);
    const int x140 = chartX(w, 140);
    const int x150 = chartX(w, 150);
    const int x200 = chartX(w, 200);
    const int right = roundToInt(w);
    chart->setPenWidth(1);
    chart->setLineStyle(Canvas::LineStyle::solid);
    const int number = CanvasSet::listChart;
    canvases_.drawLine(number, 0, 0, x90, h, zoneLow, 3);
    canvases_.drawLine(number, x90, 0, x140, h, zoneMiddle, 3);
    canvases_.drawLine(number, x140, 0, right, h, zoneHigh, 3);
    chart->setLineStyle(Canvas::LineStyle::dotted);
    for (const int x : {x100, x200, x50, x150})
        canvases_.drawLine(number, x, 0, x, h, black, 1);
    placeScaleLabel(ui_.LblList100, x100);
    placeScaleLabel(ui_.LblList200, x200);
    placeScaleLabel(ui_.LblList50, x50);
    placeScaleLabel(ui_.LblList150, x150);
}

int ListPage::DspListTab() {
    Canvas* chart = ui_.PicGraphArea;
    const ChartHidden hidden(chart);
    const ListChart geometry{static_cast<double>(chart->widthTwips()),
                             readingPitch(topTwips(ui_.LblSysTitle[0]), topTwips(ui_.LblSysTitle[3]))};
    chart->setLineStyle(Canvas::LineStyle::solid);
    const int chartNumber = CanvasSet::listChart;
    ListRow row;
    for (int r = 0; r < ListControls::rows; ++r) {
        const auto rr = static_cast<std::size_t>(r);
        const Label* firstSlot = ui_.LblSysTitle[3 * rr];
        if (!fillListRow(document_.table, document_.listTopIndex + r, geometry, topTwips(firstSlot),
                         heightTwips(firstSlot), row)) {
            showListRow(false, r);
            continue;
        }
        showListRow(true, r);
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
                                   3);
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
    return 0;
}

void ListPage::showListRow(bool visible, int row) {
    const auto r = static_cast<std::size_t>(row);
    ui_.LblNumData[r]->setVisible(visible);
    ui_.LblDateData[r]->setVisible(visible);
    for (std::size_t k = 0; k < 3; ++k) {
        const std::size_t i = 3 * r + k;
        for (QWidget* w :
             std::initializer_list<QWidget*>{ui_.LblSysTitle[i], ui_.LblSysData[i], ui_.LblDiaTitle[i],
                                             ui_.LblDiaData[i], ui_.LblPulTitle[i], ui_.LblPulData[i],
                                             ui_.LblTimeData[i], ui_.LblAmpmData[i], ui_.ShapeSys[i]})
            w->setVisible(visible);
    }
    ui_.LblNoteData[r]->setVisible(visible);
    ui_.LblNoteTitle[r]->setVisible(visible);
    ui_.ShapeNote[r]->setVisible(visible);
}

void ListPage::stepListUp() {
    document_.listTopIndex = listTopAfterStepUp(document_.listTopIndex);
    drawListBackground();
    DspListTab();
}

void ListPage::stepListDown() {
    document_.listTopIndex = listTopAfterStepDown(document_.listTopIndex, document_.table.count());
    drawListBackground();
    DspListTab();
}

void ListPage::pointerMovedOverPage() {
    if (pointer_.labelPointerState != 1)
        pointer_.restoreDefault();
}

} // namespace tonolog
