#include "support/recording_surface.h"

#include <QWidget>

namespace tonolog {

namespace {

QString colourName(const QColor& c) {
    return c.name(QColor::HexRgb);
}

QString imageText(const QImage& image) {
    quint32 sum = 2166136261u; // FNV-1a over the pixels
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            sum ^= image.pixel(x, y) & 0xffffffu;
            sum *= 16777619u;
        }
    const QSizeF natural = image.deviceIndependentSize() * 15;
    return QStringLiteral("%1x%2 %3")
        .arg(qRound(natural.width()))
        .arg(qRound(natural.height()))
        .arg(sum, 8, 16, QLatin1Char('0'));
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
void RecordingSurface::drawImage(int x, int y, const QImage& image) {
    lines << QStringLiteral("image %1 %2 %3").arg(x).arg(y).arg(imageText(image));
}
void RecordingSurface::drawImagePart(int x, int y, int width, const QImage& image, int sourceX, int sourceY) {
    lines << QStringLiteral("image part %1 %2 width %3 from %4 %5 of %6")
                 .arg(x)
                 .arg(y)
                 .arg(width)
                 .arg(sourceX)
                 .arg(sourceY)
                 .arg(imageText(image));
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
