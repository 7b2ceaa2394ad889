// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "trend/trend_page.h"

#include "canvas/canvas.h"
#include "canvas/canvas_set.h"
#include "canvas/controls.h"
#include "canvas/focus_ring.h"
#include "canvas/page_palette.h"
#include "canvas/press_and_hold.h"
#include "canvas/text.h"
#include "canvas/twips.h"
#include "document/document.h"
#include "document/trend_graph.h"
#include "platform/words.h"

#include <QKeyEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>

namespace tonolog {

namespace {

CaptionBox boxOf(const QWidget* w) {
    const QRect r = twips::geometryOf(w);
    return CaptionBox{static_cast<double>(r.x()), static_cast<double>(r.y()), static_cast<double>(r.width()),
                      static_cast<double>(r.height())};
}

void moveTop(QWidget* w, double topTwips) {
    w->move(w->x(), twips::toPixels(topTwips));
}

void moveLeft(QWidget* w, double leftTwips) {
    w->move(twips::toPixels(leftTwips), w->y());
}

} // namespace

TrendPage::TrendPage(TrendControls& controls, Document& document, const CanvasSet& canvases,
                     const PagePalette& palette, const Clock& clock, QObject* parent)
    : QObject(parent), ui_(controls), document_(document), canvases_(canvases), palette_(palette) {
    trendButtons = new PressAndHold(clock, trendButtonState, this);
    graphName_ = ui_.PicTrendArea->accessibleName();
    ui_.PicTrendArea->setFocusPolicy(Qt::TabFocus);
    ui_.PicTrendArea->installEventFilter(this);
    connectControls();
}

TrendPage::~TrendPage() = default;

void TrendPage::connectControls() {
    connect(ui_.PicTrendArea, &Canvas::mouseMoved, this, [this](QPoint at) {
        trendPointerX = static_cast<std::int16_t>(std::clamp(at.x(), -32768, 32767));
    });
    connect(ui_.PicTrendArea, &Canvas::doubleClicked, this, &TrendPage::openDayUnderPointer);

    // Previous data / Next data: a click steps once at the release; holding repeats.
    connectHeldButton(ui_.ImgTrendLeft, trendButtons, [this] { stepTrendBack(); });
    connectHeldButton(ui_.ImgTrendRight, trendButtons, [this] { stepTrendForward(); });
    // The buttons point left and right: Alt+Left and Alt+Right as well.
    addStepKeys(ui_.ImgTrendLeft, stepBackKeys() << QKeySequence(Qt::ALT | Qt::Key_Left),
                [this] { stepTrendBack(); });
    addStepKeys(ui_.ImgTrendRight, stepOnKeys() << QKeySequence(Qt::ALT | Qt::Key_Right),
                [this] { stepTrendForward(); });
}

void TrendPage::reset() {
    trendButtonState = HoldState::idle;
}

void TrendPage::abandonHold() {
    trendButtons->cancel();
}

void TrendPage::drawTrendBackground() {
    Canvas* graph = ui_.PicTrendArea;
    const int w = graph->widthTwips();
    const double h = graph->heightTwips();
    const int y50 = trendValueY(h, 50);
    const int y90 = trendValueY(h, 90);
    const int y100 = trendValueY(h, 100);
    const int y140 = trendValueY(h, 140);
    const int y150 = trendValueY(h, 150);
    const int y200 = trendValueY(h, 200);
    graph->setPenWidth(1);
    graph->setLineStyle(Canvas::LineStyle::solid);
    const int number = CanvasSet::trendGraph;
    canvases_.drawLine(number, 0, 0, w, y140, zoneHigh, CanvasSet::Shape::filledBox);
    canvases_.drawLine(number, 0, y140, w, y90, zoneMiddle, CanvasSet::Shape::filledBox);
    canvases_.drawLine(number, 0, y90, w, roundToInt(h), zoneLow, CanvasSet::Shape::filledBox);
    graph->setLineStyle(Canvas::LineStyle::dotted);
    for (const int y : {y100, y200, y50, y150})
        canvases_.drawLine(number, 0, y, w, y, palette_.paletteBlack, CanvasSet::Shape::line);

    // The axis labels centred on their grid lines; the pulse scale beside the pressure scale.
    const double top = twips::geometryOf(graph).y();
    const int values[] = {200, 150, 100, 50};
    for (std::size_t i = 0; i < ui_.LblTrendBpScale.size(); ++i) {
        Label* left = ui_.LblTrendBpScale[i];
        const double labelTop = trendAxisLabelTop(top, h, values[i], twips::geometryOf(left).height());
        moveTop(left, labelTop);
        moveTop(ui_.LblTrendPulScale[i], labelTop);
    }
    drawLegend();
}

void TrendPage::drawLegend() {
    Canvas* legendArea = ui_.PicExpArea;
    const TrendLegend l = trendLegend(boxOf(ui_.LblSysExp), boxOf(ui_.LblDiaExp), boxOf(ui_.LblPulExp));
    const int number = CanvasSet::trendLegend;
    legendArea->clear();
    legendArea->setLineStyle(Canvas::LineStyle::solid);
    legendArea->setPenWidth(1);
    canvases_.drawLine(number, l.xm, l.ySys, l.xm, l.yDia, palette_.paletteBlack, CanvasSet::Shape::line);
    legendArea->setPenWidth(2);
    canvases_.drawLine(number, l.xl, l.ySys, l.xr, l.ySys, palette_.paletteRed, CanvasSet::Shape::line);
    canvases_.drawLine(number, l.xl, l.yDia, l.xr, l.yDia, palette_.paletteBlue, CanvasSet::Shape::line);
    legendArea->setPenWidth(1);
    canvases_.drawCircle(number, pulseDotRadius, l.xm, l.yPul, palette_.paletteBlack, palette_.paletteGreen,
                         CanvasSet::CircleStyle::filled);
}

int TrendPage::DspTrendTab() {
    const Date start = document_.trendWindowStart();
    const Date end = document_.trendWindowEnd();
    const auto n = trendDayCount(start, end);
    windowDays_ = n.value_or(0);
    if (!n)
        return 0;
    Canvas* graph = ui_.PicTrendArea;
    graph->setLineStyle(Canvas::LineStyle::solid);
    const double width = graph->widthTwips();
    const double w = dayWidth(width, *n);

    const TrendDayLabels labels = trendDayLabels(start, end, twips::geometryOf(ui_.LblTrendDay[0]).x(), w);
    for (std::size_t j = 0; j < ui_.LblTrendDay.size(); ++j)
        ui_.LblTrendDay[j]->setText(fromStd(labels.text[j]));
    for (std::size_t j = 1; j < labels.left.size(); ++j)
        moveLeft(ui_.LblTrendDay[j], labels.left[j]);
    ui_.LblTrendDateTop->setText(fromStd(formatDayKey(start)));
    ui_.LblTrendDateLast->setText(fromStd(formatDayKey(end)));

    const TrendSeries series = collectTrendSeries(document_.table(), start, end);
    graph->setAccessibleDescription(fromStd(describeTrendWindow(start, end, series)) + QStringLiteral(". ") +
                                    Tonolog::tr("Left and Right choose a day, Enter opens it."));
    // A new window puts the cursor on its latest day with readings; the same one keeps it.
    if (start != cursorWindow_) {
        cursorWindow_ = start;
        cursorDay_ = trendCursorStart(series);
    }
    moveCursor(cursorDay_);
    const int number = CanvasSet::trendGraph;
    for (const TrendMark& mark : planTrendMarks(series, width, graph->heightTwips())) {
        const QColor colour = mark.colour == TrendMark::red    ? palette_.paletteRed
                              : mark.colour == TrendMark::blue ? palette_.paletteBlue
                                                               : palette_.paletteBlack;
        graph->setPenWidth(mark.penWidth);
        switch (mark.kind) {
        case TrendMark::line:
            canvases_.drawLine(number, mark.x1, mark.y1, mark.x2, mark.y2, colour, CanvasSet::Shape::line);
            break;
        case TrendMark::pulseDot:
            canvases_.drawCircle(number, pulseDotRadius, mark.x1, mark.y1, colour, palette_.paletteGreen,
                                 CanvasSet::CircleStyle::filled);
            break;
        case TrendMark::dot:
            canvases_.drawPoint(number, mark.x1, mark.y1, colour);
            break;
        }
    }
    return 0;
}

void TrendPage::shiftTrendWindow(std::int16_t direction) {
    if (const auto moved = shiftedTrendWindow(document_.trendWindowStart(), document_.firstDay(),
                                              document_.lastDay(), direction == 1)) {
        document_.setTrendWindow(moved->start);
    }
}

void TrendPage::stepTrendBack() {
    shiftTrendWindow(0);
    drawTrendBackground();
    DspTrendTab();
}

void TrendPage::stepTrendForward() {
    shiftTrendWindow(1);
    drawTrendBackground();
    DspTrendTab();
}

void TrendPage::openDayUnderPointer() {
    const auto day = trendDayUnderPointer(document_.trendWindowStart(), document_.trendWindowEnd(),
                                          ui_.PicTrendArea->widthTwips(), trendPointerX);
    if (day)
        Q_EMIT dayOpenRequested(*day);
}

std::optional<Date> TrendPage::cursorDay() const {
    if (windowDays_ < 1)
        return std::nullopt;
    return Date{cursorWindow_.serial + cursorDay_};
}

void TrendPage::moveCursor(int day) {
    cursorDay_ = std::clamp(day, 0, std::max(windowDays_ - 1, 0));
    if (ui_.PicTrendArea->hasFocus()) {
        nameGraph();
        ui_.PicTrendArea->update();
    }
}

void TrendPage::nameGraph() {
    const auto day = cursorDay();
    // A new name is announced: screen readers read out the day the cursor moved to.
    ui_.PicTrendArea->setAccessibleName(ui_.PicTrendArea->hasFocus() && day
                                            ? fromStd(describeTrendDay(document_.table(), *day))
                                            : graphName_);
}

bool TrendPage::eventFilter(QObject* watched, QEvent* event) {
    Canvas* graph = ui_.PicTrendArea;
    if (watched != graph)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Paint:
        if (!graph->hasFocus())
            break;
        // The canvas paints its picture first; the cursor and the ring go over it, never into it
        // (nor into a print).
        static_cast<QObject*>(graph)->event(event);
        paintCursor();
        return true;
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        nameGraph();
        graph->update();
        break;
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() != Qt::NoModifier && key->modifiers() != Qt::KeypadModifier)
            break;
        switch (key->key()) {
        case Qt::Key_Left:
            moveCursor(cursorDay_ - 1);
            return true;
        case Qt::Key_Right:
            moveCursor(cursorDay_ + 1);
            return true;
        case Qt::Key_Home:
            moveCursor(0);
            return true;
        case Qt::Key_End:
            moveCursor(windowDays_ - 1);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            if (const auto day = cursorDay(); day && !key->isAutoRepeat())
                Q_EMIT dayOpenRequested(*day);
            return true;
        default:
            break;
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void TrendPage::paintCursor() {
    Canvas* graph = ui_.PicTrendArea;
    QPainter painter(graph);
    // Only on the screen: a print records the window as a picture, without the keyboard's marks.
    if (const QPaintEngine* engine = painter.paintEngine();
        engine != nullptr && (engine->type() == QPaintEngine::Picture || engine->type() == QPaintEngine::Pdf))
        return;
    if (windowDays_ > 0) {
        // The chosen day's column shaded, a black wedge pointing into it at the top and at the
        // bottom: clear on every zone, and no line that could be taken for a reading's.
        const double column = static_cast<double>(graph->width()) / windowDays_;
        const QRectF day(column * cursorDay_, 0, column, graph->height());
        painter.fillRect(day, QColor(0, 0, 0, 48));
        const double half = std::min(column * 0.4, 8.0);
        const double x = day.center().x();
        const double depth = 1.5 * half;
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        painter.drawPolygon(QPolygonF{{x - half, 0}, {x + half, 0}, {x, depth}});
        painter.drawPolygon(
            QPolygonF{{x - half, day.bottom()}, {x + half, day.bottom()}, {x, day.bottom() - depth}});
    }
    drawFocusRing(painter, QRectF(graph->rect()));
}

} // namespace tonolog
