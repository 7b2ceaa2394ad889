// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/focus_ring.h"

#include <QApplication>
#include <QPaintEngine>
#include <QPainter>
#include <QStyleOption>

namespace tonolog {

void drawFocusRing(QPainter& painter, const QRectF& area) {
    // Only the screen shows the focus: a window printed (recorded as a picture first) does not.
    const QPaintEngine* engine = painter.paintEngine();
    if (engine != nullptr && (engine->type() == QPaintEngine::Picture || engine->type() == QPaintEngine::Pdf))
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawRect(area.adjusted(1, 1, -1, -1));
    painter.setPen(QPen(Qt::white, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawRect(area.adjusted(2.5, 2.5, -2.5, -2.5));
    painter.restore();
}

void FocusRingStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                   const QWidget* widget) const {
    if (element == PE_FrameFocusRect) {
        drawFocusRing(*painter, QRectF(option->rect).adjusted(-2, -2, 2, 2));
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    const bool focused = (option->state & State_HasFocus) != 0;
    if (focused && (element == PE_PanelLineEdit || element == PE_PanelButtonCommand))
        drawFocusRing(*painter, option->rect);
}

void FocusRingStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                        QPainter* painter, const QWidget* widget) const {
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    if ((control == CC_ComboBox || control == CC_SpinBox) && (option->state & State_HasFocus) != 0)
        drawFocusRing(*painter, option->rect);
}

void useFocusRingStyle() {
    if (dynamic_cast<FocusRingStyle*>(QApplication::style()) != nullptr)
        return;
    // The proxy takes the application's style as its base.
    QApplication::setStyle(new FocusRingStyle(QApplication::style()->name()));
}

} // namespace tonolog
