// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QRect>
#include <QSize>
#include <QVector>

class QWidget;

namespace tonolog {

// The one table of the window's design: every control's rectangle in twips and its font size, as
// the layout places them; it keeps every control at its design rectangle scaled by the ratio of the
// current client area to the design client area, fonts scaled with it.
class ElasticLayout {
public:
    explicit ElasticLayout(QSize designClient) : designClient_(designClient) {}

    // The control's rectangle in twips, relative to its parent, and its design font size.
    void add(QWidget* widget, const QRect& designTwips, double fontPointSize = 0);
    // Moves a control's design rectangle (for controls the program places at run time).
    void setDesignRect(QWidget* widget, const QRect& designTwips);
    QRect designRect(const QWidget* widget) const;

    // Rescales every control for a client area of this many pixels.
    void rescale(QSize clientPixels);

    struct Item {
        QPointer<QWidget> widget;
        QRect design;
        double fontPointSize = 0;
    };
    const QVector<Item>& items() const { return items_; }
    QSize designClient() const { return designClient_; }

private:
    QSize designClient_;
    QVector<Item> items_;
    double sx_ = 1.0;
    double sy_ = 1.0;
};

} // namespace tonolog
