#include "canvas/canvas.h"

#include "canvas/twips.h"

#include <QPainter>

namespace tonolog {

Canvas::Canvas(QWidget* parent) : QWidget(parent), background_(palette().color(QPalette::Base)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Canvas::setBackgroundColor(const QColor& color) {
    background_ = color;
    clear();
}

void Canvas::clear() {
    picture_ = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    picture_.fill(background_);
    update();
}

int Canvas::widthTwips() const {
    return twips::wholeTwips(width());
}
int Canvas::heightTwips() const {
    return twips::wholeTwips(height());
}

void Canvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}

void Canvas::resizeEvent(QResizeEvent*) {
    // A new size starts a new picture; the pages redraw after every resize.
    clear();
}

} // namespace tonolog
