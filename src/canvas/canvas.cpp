// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/canvas.h"

#include "canvas/accessible_controls.h"
#include "canvas/device_pixels.h"
#include "canvas/twips.h"

#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>

#include <algorithm>

namespace tonolog {

namespace {

// A painter on the picture that draws every pixel in its exact colour.
class ExactPainter : public QPainter {
public:
    explicit ExactPainter(QImage& image) : QPainter(&image) { setRenderHint(QPainter::Antialiasing, false); }
};

} // namespace

Canvas::Canvas(QWidget* parent) : QWidget(parent), background_(palette().color(QPalette::Base)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    installAccessibleControls();
}

double Canvas::ratio() const {
    return pictureRatio_ > 0 ? pictureRatio_ : devicePixelRatioF();
}

void Canvas::setPictureRatio(double ratio) {
    pictureRatio_ = ratio;
    clear();
}

QImage Canvas::image() const {
    QImage copy = picture_;
    copy.setDevicePixelRatio(ratio());
    return copy;
}

QSize Canvas::devicePictureSize() const {
    const double r = ratio();
    return QSize(std::max(1, roundToInt(width() * r)), std::max(1, roundToInt(height() * r)));
}

int Canvas::devicePen() const {
    return devicepixels::penWidth(penWidth_, ratio());
}

QPoint Canvas::toDevice(int x, int y) const {
    const double r = ratio();
    return QPoint(twips::toDevicePixels(x, r), twips::toDevicePixels(y, r));
}

void Canvas::setBackgroundColor(const QColor& color) {
    background_ = color;
    clear();
}

void Canvas::clear() {
    picture_ = QImage(devicePictureSize(), QImage::Format_RGB32);
    picture_.fill(background_);
    strokes_.clear();
    update();
}

void Canvas::record(Stroke stroke) {
    stroke.pen = penWidth_;
    stroke.dotted = lineStyle_ == LineStyle::dotted;
    strokes_.push_back(stroke);
}

bool Canvas::fitPicture() {
    if (picture_.size() == devicePictureSize())
        return false;
    clear();
    return true;
}

void Canvas::drawLine(int x1, int y1, int x2, int y2, const QColor& color) {
    fitPicture();
    record({Stroke::line, {x1, y1}, {x2, y2}, 0, color, {}});
    ExactPainter painter(picture_);
    QPen pen(color, devicePen(), lineStyle_ == LineStyle::dotted ? Qt::DotLine : Qt::SolidLine,
             Qt::SquareCap);
    painter.setPen(pen);
    painter.drawLine(toDevice(x1, y1), toDevice(x2, y2));
    update();
}

void Canvas::drawBox(int x1, int y1, int x2, int y2, const QColor& color, bool filled) {
    fitPicture();
    record({filled ? Stroke::filledBox : Stroke::box,
            {std::min(x1, x2), std::min(y1, y2)},
            {std::max(x1, x2), std::max(y1, y2)},
            0,
            color,
            {}});
    const QPoint a = toDevice(std::min(x1, x2), std::min(y1, y2));
    const QPoint b = toDevice(std::max(x1, x2), std::max(y1, y2));
    ExactPainter painter(picture_);
    if (filled) {
        // The outline is centred on the rectangle's edges, so a thick pen widens it on every side.
        const int pen = devicePen();
        const int before = pen / 2;
        const int after = pen - 1 - before;
        painter.fillRect(QRect(QPoint(a.x() - before, a.y() - before), QPoint(b.x() + after, b.y() + after)),
                         color);
    } else {
        QPen pen(color, devicePen(), lineStyle_ == LineStyle::dotted ? Qt::DotLine : Qt::SolidLine,
                 Qt::SquareCap, Qt::MiterJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(a, b).adjusted(0, 0, -1, -1));
    }
    update();
}

void Canvas::drawCircle(int x, int y, int radius, const QColor& color) {
    fitPicture();
    record({Stroke::circle,
            {x, y},
            {},
            radius,
            color,
            fillStyle_ == FillStyle::solid ? fillColor_ : QColor(Qt::transparent)});
    const QPoint centre = toDevice(x, y);
    const int r = twips::toDevicePixels(radius, ratio());
    ExactPainter painter(picture_);
    painter.setPen(QPen(color, devicePen()));
    if (fillStyle_ == FillStyle::solid)
        painter.setBrush(fillColor_);
    else
        painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, r, r);
    update();
}

void Canvas::drawPoint(int x, int y, const QColor& color) {
    fitPicture();
    record({Stroke::point, {x, y}, {}, 0, color, {}});
    const QPoint c = toDevice(x, y);
    const int pen = devicePen();
    // A dot of `pen` pixels across: the pixels whose centres lie within half the pen of the
    // dot's centre, which is the centre of pixel c for an odd pen and its top-left corner for an
    // even one.
    const int before = pen / 2;
    const double centre = pen % 2 == 1 ? 0.5 : 0.0;
    const double limit = (pen / 2.0) * (pen / 2.0);
    ExactPainter painter(picture_);
    for (int dy = -before; dy < pen - before; ++dy)
        for (int dx = -before; dx < pen - before; ++dx) {
            const double ex = dx + 0.5 - centre;
            const double ey = dy + 0.5 - centre;
            if (ex * ex + ey * ey <= limit)
                painter.fillRect(QRect(c.x() + dx, c.y() + dy, 1, 1), color);
        }
    update();
}

int Canvas::widthTwips() const {
    return twips::wholeTwips(width());
}
int Canvas::heightTwips() const {
    return twips::wholeTwips(height());
}

namespace {

// A printer or a PDF file, which take lines and shapes at their own resolution.
bool isVectorDevice(const QPainter& painter) {
    const QPaintEngine* engine = painter.paintEngine();
    if (engine == nullptr)
        return false;
    switch (engine->type()) {
    case QPaintEngine::Pdf:
    case QPaintEngine::Picture:
    case QPaintEngine::Windows:
    case QPaintEngine::MacPrinter:
        return true;
    default:
        return false;
    }
}

} // namespace

void Canvas::paintStrokes(QPainter& painter) const {
    painter.save();
    painter.fillRect(rect(), background_);
    painter.setClipRect(rect(), Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing, true);
    // The painter's unit becomes the twip.
    painter.scale(1.0 / twips::perPixel, 1.0 / twips::perPixel);
    for (const Stroke& s : strokes_) {
        const double pen = s.pen * twips::perPixel;
        QPen outline(s.color, pen, s.dotted ? Qt::DotLine : Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
        switch (s.kind) {
        case Stroke::line:
            painter.setPen(outline);
            painter.drawLine(s.a, s.b);
            break;
        case Stroke::box:
            painter.setPen(outline);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(QRectF(s.a, s.b));
            break;
        case Stroke::filledBox:
            // As thick as the pen beyond its edges, as on the screen.
            painter.fillRect(QRectF(s.a, s.b).adjusted(-pen / 2, -pen / 2, pen / 2, pen / 2), s.color);
            break;
        case Stroke::circle:
            painter.setPen(QPen(s.color, pen));
            painter.setBrush(s.fill.alpha() == 0 ? QBrush(Qt::NoBrush) : QBrush(s.fill));
            painter.drawEllipse(QPointF(s.a), s.radius, s.radius);
            break;
        case Stroke::point:
            painter.setPen(Qt::NoPen);
            painter.setBrush(s.color);
            painter.drawEllipse(QPointF(s.a), pen / 2, pen / 2);
            break;
        }
    }
    painter.restore();
}

void Canvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (isVectorDevice(painter)) {
        paintStrokes(painter);
        return;
    }
    const std::optional<QPoint> origin = devicepixels::origin(painter, ratio());
    // Scaled by the painter where the picture is not in the surface's pixels (a printer); on a
    // screen, beneath the exact copy only where an edge of the canvas falls between two pixels.
    if (!origin || !devicepixels::coversExactly(painter, rect(), *origin, picture_.size()))
        painter.drawImage(QRectF(rect()), picture_);
    if (origin)
        devicepixels::drawUnscaled(painter, *origin, picture_);
}

void Canvas::resizeEvent(QResizeEvent*) {
    // A new size starts a new picture, which the pages then redraw; the same size (the first
    // show of a page drawn while hidden) keeps the drawing.
    fitPicture();
}

void Canvas::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    const QPointF p = event->position();
    Q_EMIT mouseMoved(QPoint(twips::wholeTwips(p.x()), twips::wholeTwips(p.y())));
}

void Canvas::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    Q_EMIT doubleClicked();
}

} // namespace tonolog
