// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProxyStyle>
#include <QRectF>

class QPainter;

namespace tonolog {

// The ring that shows which control has the keyboard's focus: two pixels of black inside one of
// white, so that it stands out on light and dark faces alike, at every screen scale (at least two
// device pixels wide). Drawn just inside `area`, and only on the screen, never on paper.
void drawFocusRing(QPainter& painter, const QRectF& area);

// The window's style with the same clear ring on the standard controls that have the focus
// (boxes, buttons, lists, check boxes), in place of the style's thin line.
class FocusRingStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
};

// Puts the ring style over the application's style, once.
void useFocusRingStyle();

} // namespace tonolog
