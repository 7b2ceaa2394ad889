// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/controls.h"

#include "canvas/accessible_controls.h"
#include "canvas/device_pixels.h"
#include "canvas/focus_ring.h"
#include "canvas/resources.h"
#include "document/conversions.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace tonolog {

ImageButton::ImageButton(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    // Tab reaches the button, a click does not take the focus from the box being typed in.
    setFocusPolicy(Qt::TabFocus);
    installAccessibleControls();
}

void ImageButton::setDecorative(bool decorative) {
    decorative_ = decorative;
    setFocusPolicy(decorative ? Qt::NoFocus : Qt::TabFocus);
}

void ImageButton::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if ((key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) &&
        event->modifiers() == Qt::NoModifier) {
        // One press a key stroke, as a short click; a key held down does not repeat it.
        event->accept();
        if (!event->isAutoRepeat())
            click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ImageButton::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void ImageButton::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void ImageButton::click() {
    if (held_)
        return;
    Q_EMIT pressed();
    Q_EMIT released();
    Q_EMIT clicked();
}

void ImageButton::setPictures(int released, int pressed) {
    released_ = released;
    pressed_ = pressed;
    picture_ = QImage();
    update();
}

void ImageButton::showPressedPicture(bool pressedLook) {
    showingPressed_ = pressedLook;
    update();
}

void ImageButton::abandonPress() {
    held_ = false;
    showPressedPicture(false);
}

const QImage& ImageButton::pictureAt(QSize deviceSize) {
    const int id = showingPressed_ && pressed_ != 0 ? pressed_ : released_;
    if (id != pictureId_ || picture_.size() != deviceSize) {
        picture_ = bitmapAtSize(id, deviceSize);
        pictureId_ = id;
    }
    return picture_;
}

void ImageButton::paintEvent(QPaintEvent*) {
    if (released_ == 0)
        return;
    QPainter painter(this);
    const QRectF area = painter.deviceTransform().mapRect(QRectF(rect()));
    const QSize deviceSize(std::max(1, roundToInt(area.width())), std::max(1, roundToInt(area.height())));
    const QImage& picture = pictureAt(deviceSize);
    if (const std::optional<QPoint> origin = devicepixels::origin(painter, devicePixelRatioF())) {
        devicepixels::drawUnscaled(painter, *origin, picture);
    } else {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(rect()), picture);
    }
    if (hasFocus())
        drawFocusRing(painter, QRectF(rect()));
}

void ImageButton::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (held_)
        return;
    held_ = true;
    Q_EMIT pressed();
}

void ImageButton::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (!held_ || event->buttons() != Qt::NoButton)
        return;
    held_ = false;
    const bool inside = rect().contains(event->position().toPoint());
    Q_EMIT released();
    if (inside)
        Q_EMIT clicked();
}

void ImageButton::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    // A double-click is also a second press.
    mousePressEvent(event);
}

ShapeFrame::ShapeFrame(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Each side is a line of whole device pixels from the start of the frame's outermost pixel
    // column (or row). A neighbouring frame that overlaps by that pixel starts its own side at the
    // same place, so the two draw the same device pixels.
    const QTransform toDevice = painter.deviceTransform();
    const double scale = toDevice.type() <= QTransform::TxScale ? toDevice.m11() : devicePixelRatioF();
    const double t = devicepixels::frameLineWidth(scale) / scale;
    const QColor colour = palette().color(QPalette::WindowText);
    const double w = width();
    const double h = height();
    painter.fillRect(QRectF(0, 0, w, t), colour);
    painter.fillRect(QRectF(0, h - 1, w, t), colour);
    painter.fillRect(QRectF(0, 0, t, h), colour);
    painter.fillRect(QRectF(w - 1, 0, t, h), colour);
}

Label::Label(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setAutoFillBackground(false);
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
    setTextFormat(Qt::PlainText);
}

void Label::mousePressEvent(QMouseEvent* event) {
    event->accept();
    Q_EMIT clicked();
}

void Label::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    Q_EMIT doubleClicked();
}

void Label::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    Q_EMIT released();
}

void Label::mouseMoveEvent(QMouseEvent* event) {
    QLabel::mouseMoveEvent(event);
    // The movement is the label's own, not also the canvas's or the page's beneath it.
    event->accept();
    Q_EMIT mouseMoved();
}

} // namespace tonolog
