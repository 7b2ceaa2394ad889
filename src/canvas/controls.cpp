#include "canvas/controls.h"

#include <QMouseEvent>
#include <QPainter>

namespace tonolog {

ImageButton::ImageButton(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
}

void ImageButton::setPictures(const QPixmap& released, const QPixmap& pressed) {
    released_ = released;
    pressed_ = pressed;
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

void ImageButton::paintEvent(QPaintEvent*) {
    const QPixmap& picture = showingPressed_ && !pressed_.isNull() ? pressed_ : released_;
    if (picture.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), picture);
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
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
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
