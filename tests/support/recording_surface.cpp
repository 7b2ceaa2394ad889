// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/recording_surface.h"

#include <QWidget>

namespace tonolog {

namespace {

QString colourName(const QColor& c) {
    return c.name(QColor::HexRgb);
}

} // namespace

bool RecordingSurface::setOrientation(int orientation) {
    lines << QStringLiteral("orientation %1").arg(orientation);
    return true;
}
void RecordingSurface::setPenWidth(int devicePixels) {
    lines << QStringLiteral("pen %1").arg(devicePixels);
}
void RecordingSurface::setFontName(const QString& family) {
    lines << QStringLiteral("font %1").arg(family);
}
void RecordingSurface::setFontSize(int points) {
    lines << QStringLiteral("size %1").arg(points);
}
void RecordingSurface::printText(int x, int y, const QString& text) {
    lines << QStringLiteral("text %1 %2 \"%3\"").arg(x).arg(y).arg(text);
}
void RecordingSurface::drawLine(int x1, int y1, int x2, int y2, const QColor& color) {
    lines << QStringLiteral("line %1 %2 %3 %4 %5").arg(x1).arg(y1).arg(x2).arg(y2).arg(colourName(color));
}
void RecordingSurface::drawBox(int x1, int y1, int x2, int y2, const QColor& color, bool filled) {
    lines << QStringLiteral("%1 %2 %3 %4 %5 %6")
                 .arg(filled ? QStringLiteral("filled") : QStringLiteral("box"))
                 .arg(x1)
                 .arg(y1)
                 .arg(x2)
                 .arg(y2)
                 .arg(colourName(color));
}
void RecordingSurface::setDotted(bool dotted) {
    lines << QStringLiteral("dotted %1").arg(dotted ? 1 : 0);
}
void RecordingSurface::printTextWithin(int x, int y, int width, const QString& text) {
    lines << QStringLiteral("text %1 %2 within %3 \"%4\"").arg(x).arg(y).arg(width).arg(text);
}
void RecordingSurface::drawDot(int x, int y, int diameter, const QColor& color) {
    lines << QStringLiteral("dot %1 %2 %3 %4").arg(x).arg(y).arg(diameter).arg(colourName(color));
}
bool RecordingSurface::endDocument() {
    lines << QStringLiteral("end");
    return true;
}
bool RecordingSurface::printWindow(QWidget& clientArea) {
    recording_.printedWindowSize = clientArea.window()->size();
    lines << QStringLiteral("window %1x%2").arg(clientArea.width()).arg(clientArea.height());
    if (recording_.onPrintWindow)
        recording_.onPrintWindow(clientArea);
    return true;
}

} // namespace tonolog
