// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/elastic_layout.h"

#include "canvas/twips.h"

#include <QWidget>

#include <algorithm>

namespace tonolog {

void ElasticLayout::add(QWidget* widget, const QRect& designTwips, double fontPointSize) {
    items_.push_back(Item{widget, designTwips, fontPointSize});
    widget->setGeometry(twips::scaledToPixels(designTwips, sx_, sy_));
    if (fontPointSize > 0) {
        QFont font = widget->font();
        font.setPointSizeF(fontPointSize * std::min(sx_, sy_));
        widget->setFont(font);
    }
}

void ElasticLayout::setDesignRect(QWidget* widget, const QRect& designTwips) {
    for (Item& item : items_)
        if (item.widget == widget) {
            item.design = designTwips;
            widget->setGeometry(twips::scaledToPixels(designTwips, sx_, sy_));
            return;
        }
}

QRect ElasticLayout::designRect(const QWidget* widget) const {
    for (const Item& item : items_)
        if (item.widget == widget)
            return item.design;
    return {};
}

void ElasticLayout::rescale(QSize clientPixels) {
    sx_ = twips::fromPixels(clientPixels.width()) / designClient_.width();
    sy_ = twips::fromPixels(clientPixels.height()) / designClient_.height();
    const double fontScale = std::min(sx_, sy_);
    for (const Item& item : items_) {
        if (item.widget.isNull())
            continue;
        item.widget->setGeometry(twips::scaledToPixels(item.design, sx_, sy_));
        if (item.fontPointSize > 0) {
            QFont font = item.widget->font();
            font.setPointSizeF(item.fontPointSize * fontScale);
            item.widget->setFont(font);
        }
    }
}

} // namespace tonolog
