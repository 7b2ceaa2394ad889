// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "listpage/list_page.h"

#include "canvas/canvas.h"
#include "canvas/canvas_set.h"
#include "canvas/controls.h"
#include "canvas/focus_ring.h"
#include "canvas/hand_pointer.h"
#include "canvas/page_palette.h"
#include "canvas/press_and_hold.h"
#include "canvas/text.h"
#include "canvas/twips.h"
#include "document/document.h"
#include "document/list_rows.h"
#include "listpage/chart_scale.h"
#include "platform/words.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>
#include <vector>

namespace tonolog {

namespace {

const QColor black(0, 0, 0);

// The ring around a focused row lies in this many pixels around its labels, between the rows.
constexpr int ringMargin = 3;

// A day row as screen readers know it: one list item whose name is the row's words, without the
// labels inside it; its press opens the day.
class AccessibleDayRow : public QAccessibleWidget {
public:
    explicit AccessibleDayRow(ListDayRow* row) : QAccessibleWidget(row, QAccessible::ListItem) {}

    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    // The row's labels, not the whole list it lies over.
    QRect rect() const override {
        const QRect area = row()->area();
        return QRect(row()->mapToGlobal(area.topLeft()), area.size());
    }

    QStringList actionNames() const override {
        return QStringList{pressAction()} << QAccessibleWidget::actionNames();
    }

    void doAction(const QString& actionName) override {
        if (actionName == pressAction())
            row()->open();
        else
            QAccessibleWidget::doAction(actionName);
    }

private:
    ListDayRow* row() const { return static_cast<ListDayRow*>(widget()); }
};

QAccessibleInterface* dayRowInterface(const QString& className, QObject* object) {
    if (className == QLatin1String("tonolog::ListDayRow"))
        return new AccessibleDayRow(static_cast<ListDayRow*>(object));
    return nullptr;
}

// The controls of row r in the order the layout made them, which is the order they are drawn in.
std::vector<QWidget*> controlsOfRow(const ListControls& c, int row) {
    const auto r = static_cast<std::size_t>(row);
    std::vector<QWidget*> controls{c.LblNumData[r], c.LblDateData[r]};
    for (std::size_t i = 3 * r; i < 3 * r + 3; ++i)
        controls.insert(controls.end(),
                        {c.ShapeSys[i], c.LblSysTitle[i], c.LblDiaTitle[i], c.LblPulTitle[i], c.LblSysData[i],
                         c.LblDiaData[i], c.LblPulData[i], c.LblTimeData[i], c.LblAmpmData[i]});
    controls.insert(controls.end(), {c.ShapeNote[r], c.LblNoteTitle[r], c.LblNoteData[r]});
    return controls;
}

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

ListDayRow::ListDayRow(QWidget* list) : QWidget(list) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(dayRowInterface);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    setFocusPolicy(Qt::TabFocus);
}

void ListDayRow::fitToLabels() {
    setGeometry(parentWidget()->rect());
    QRect area;
    for (const QWidget* label : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        area |= label->geometry();
    area_ = area;
    setMask(QRegion(area.adjusted(-ringMargin, -ringMargin, ringMargin, ringMargin)));
}

void ListDayRow::paintEvent(QPaintEvent*) {
    if (!hasFocus())
        return;
    QPainter painter(this);
    drawFocusRing(painter, QRectF(area_.adjusted(-ringMargin, -ringMargin, ringMargin, ringMargin)));
}

void ListDayRow::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() != Qt::NoModifier && event->modifiers() != Qt::KeypadModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (!event->isAutoRepeat())
            open();
        break;
    case Qt::Key_Up:
        Q_EMIT stepRequested(-1);
        break;
    case Qt::Key_Down:
        Q_EMIT stepRequested(1);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void ListDayRow::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void ListDayRow::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

ListPage::ListPage(ListControls& controls, Document& document, const CanvasSet& canvases, const Clock& clock,
                   HandPointer& pointer, QObject* parent)
    : QObject(parent), ui_(controls), document_(document), canvases_(canvases), pointer_(pointer) {
    listButtons = new PressAndHold(clock, listButtonState, this);
    makeDayRows();
    connectControls();
}

ListPage::~ListPage() = default;

void ListPage::makeDayRows() {
    for (int r = 0; r < ListControls::rows; ++r) {
        auto* row = new ListDayRow(ui_.PicViewArea);
        row->setObjectName(QStringLiteral("DayRow(%1)").arg(r));
        row->setAccessibleDescription(
            Tonolog::tr("Enter opens the day on the Diary page; Up and Down move to the days around it"));
        for (QWidget* control : controlsOfRow(ui_, r)) {
            // A new parent hides a control: each keeps its own visibility.
            const bool hidden = control->isHidden();
            control->setParent(row);
            control->setVisible(!hidden);
        }
        row->fitToLabels();
        ui_.DayRow[static_cast<std::size_t>(r)] = row;
    }
    // Tab reaches the rows first, then the buttons beside them, as the page reads.
    QWidget* previous = ui_.DayRow.back();
    for (QWidget* button : {ui_.ImgListUp, ui_.ImgListPrint, ui_.ImgListDown}) {
        QWidget::setTabOrder(previous, button);
        previous = button;
    }
}

void ListPage::connectControls() {
    for (int r = 0; r < ListControls::rows; ++r) {
        const auto row = static_cast<std::size_t>(r);
        for (Label* label : {ui_.LblNumData[row], ui_.LblDateData[row]}) {
            connect(label, &Label::doubleClicked, this, [this, r] { openDayOfRow(r); });
            connect(label, &Label::mouseMoved, this, &ListPage::dayLabelHovered);
        }
        connect(ui_.DayRow[row], &ListDayRow::openRequested, this, [this, r] { openDayOfRow(r); });
        connect(ui_.DayRow[row], &ListDayRow::stepRequested, this,
                [this, r](int step) { stepFocusFrom(r, step); });
    }
    connect(ui_.PicViewArea, &Canvas::mouseMoved, this, &ListPage::pointerMovedOverPage);
    connect(ui_.PicGraphArea, &Canvas::mouseMoved, this, &ListPage::pointerMovedOverPage);

    // Previous data / Next data: a click steps once at the release; holding repeats.
    connectHeldButton(ui_.ImgListUp, listButtons, [this] { stepListUp(); });
    connectHeldButton(ui_.ImgListDown, listButtons, [this] { stepListDown(); });
    addStepKeys(ui_.ImgListUp, stepBackKeys(), [this] { stepListUp(); });
    addStepKeys(ui_.ImgListDown, stepOnKeys(), [this] { stepListDown(); });
}

void ListPage::openDayOfRow(int row) {
    const int position = document_.listTopIndex() + row;
    if (position >= 1 && position <= document_.table().count())
        if (const auto day = document_.table().dayOf(position))
            Q_EMIT dayOpenRequested(*day);
}

void ListPage::stepFocusFrom(int row, int step) {
    const int next = row + step;
    if (next >= 0 && next < ListControls::rows && !ui_.DayRow[static_cast<std::size_t>(next)]->isHidden()) {
        ui_.DayRow[static_cast<std::size_t>(next)]->setFocus(Qt::OtherFocusReason);
        return;
    }
    // The focus stays on the end row, which now shows the day beyond.
    if (step < 0)
        stepListUp();
    else
        stepListDown();
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
        days << fromStd(describeListReadings(row));
        // The row's name follows the day it shows; screen readers are told of the change.
        ui_.DayRow[rr]->setAccessibleName(fromStd(describeListRow(row)));
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
        ui_.DayRow[rr]->fitToLabels();
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
    ui_.DayRow[static_cast<std::size_t>(row)]->setVisible(visible);
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
