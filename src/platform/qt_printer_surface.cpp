// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_printer_surface.h"

#include "platform/words.h"

#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPicture>
#include <QPrinter>
#include <QStorageInfo>
#include <QWidget>

#include <algorithm>

namespace tonolog {

namespace {

constexpr double twipsPerInch = 1440.0;
constexpr double twipsPerPixel = 15.0;

QRectF boxBetween(int x1, int y1, int x2, int y2) {
    return QRectF(QPointF(std::min(x1, x2), std::min(y1, y2)), QPointF(std::max(x1, x2), std::max(y1, y2)));
}

} // namespace

QString preparePrintFile(QPrinter& printer) {
    const QString path = printer.outputFileName();
    if (path.isEmpty())
        return {};
    constexpr QFile::Permissions ownerOnly = QFile::ReadOwner | QFile::WriteOwner;
    QFile file(path);
    // Created with its final permissions, so no other user can open it in between.
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly, ownerOnly)) {
        file.close();
        return {};
    }
    const QFileInfo info(path);
    if (!info.exists())
        return file.errorString();
    if (!info.isFile())
        return Tonolog::tr("It is not a regular file.");
    if (!QFile::setPermissions(path, ownerOnly))
        return Tonolog::tr("It belongs to someone else, so it cannot be made private.");
    return {};
}

bool makePrintFilePrivate(QPrinter& printer) {
    return preparePrintFile(printer).isEmpty();
}

QString checkPrintedFile(const QPrinter& printer) {
    const QString path = printer.outputFileName();
    if (path.isEmpty())
        return {};
    QFile file(path);
    const qint64 size = file.size();
    // A whole PDF ends with its end-of-file mark.
    if (size >= 8 && file.open(QIODevice::ReadOnly) && file.seek(std::max<qint64>(0, size - 32)) &&
        file.readAll().contains("%%EOF"))
        return {};
    const QStorageInfo disk(QFileInfo(path).absolutePath());
    if (disk.isValid() && disk.bytesAvailable() < 64 * 1024)
        return Tonolog::tr("There is no space left on the disk.");
    return Tonolog::tr("The file was not written completely.");
}

QtPrinterSurface::QtPrinterSurface(QPrinter& printer) : printer_(printer) {
    font_.setStyleStrategy(QFont::PreferAntialias);
}

QtPrinterSurface::~QtPrinterSurface() {
    if (painter_ != nullptr && painter_->isActive())
        painter_->end();
}

bool QtPrinterSurface::setOrientation(int orientation) {
    // The orientation belongs to the page, so it must be chosen before the first drawing.
    if (painter_ != nullptr || (orientation != portrait && orientation != landscape))
        return false;
    return printer_.setPageOrientation(orientation == portrait ? QPageLayout::Portrait
                                                               : QPageLayout::Landscape);
}

QPainter* QtPrinterSurface::painter() {
    if (painter_ == nullptr) {
        painter_ = std::make_unique<QPainter>();
        failureReason_ = preparePrintFile(printer_);
        if (!failureReason_.isEmpty() || !painter_->begin(&printer_)) {
            failed_ = true;
            return nullptr;
        }
        const double scale = printer_.resolution() / twipsPerInch;
        painter_->scale(scale, scale);
    }
    return painter_->isActive() ? painter_.get() : nullptr;
}

QPen QtPrinterSurface::pen(const QColor& color) const {
    // Widths are the printer's own pixels, whatever the scale.
    QPen p(color, std::max(1, penWidth_), dotted_ ? Qt::DotLine : Qt::SolidLine);
    p.setCosmetic(true);
    p.setCapStyle(Qt::SquareCap);
    p.setJoinStyle(Qt::MiterJoin);
    return p;
}

void QtPrinterSurface::setFontSize(int points) {
    // A point is 20 twips, and the painter's unit is the twip.
    font_.setPixelSize(std::max(1, points * 20));
}

void QtPrinterSurface::printText(int x, int y, const QString& text) {
    if (QPainter* p = painter()) {
        p->setFont(font_);
        p->setPen(Qt::black);
        p->drawText(QRectF(x, y, 1e6, 1e6), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
    }
}

void QtPrinterSurface::drawLine(int x1, int y1, int x2, int y2, const QColor& color) {
    if (QPainter* p = painter()) {
        p->setPen(pen(color));
        p->drawLine(QPointF(x1, y1), QPointF(x2, y2));
    }
}

void QtPrinterSurface::drawBox(int x1, int y1, int x2, int y2, const QColor& color, bool filled) {
    if (QPainter* p = painter()) {
        p->setPen(pen(color));
        p->setBrush(filled ? QBrush(color) : QBrush(Qt::NoBrush));
        p->drawRect(boxBetween(x1, y1, x2, y2));
        p->setBrush(Qt::NoBrush);
    }
}

void QtPrinterSurface::printTextWithin(int x, int y, int width, const QString& text) {
    if (QPainter* p = painter()) {
        p->save();
        p->setClipRect(QRectF(x, y, width, 1e6), Qt::IntersectClip);
        p->setFont(font_);
        p->setPen(Qt::black);
        p->drawText(QRectF(x, y, 1e6, 1e6), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
        p->restore();
    }
}

void QtPrinterSurface::drawDot(int x, int y, int diameter, const QColor& color) {
    if (QPainter* p = painter()) {
        p->setPen(Qt::NoPen);
        p->setBrush(color);
        p->drawEllipse(QPointF(x, y), diameter / 2.0, diameter / 2.0);
        p->setBrush(Qt::NoBrush);
    }
}

bool QtPrinterSurface::endDocument() {
    if (painter() == nullptr)
        return false;
    const bool ended = painter_->end();
    if (!failureReason_.isEmpty())
        return false;
    if (ended && !failed_ && printer_.printerState() != QPrinter::Error)
        failureReason_ = checkPrintedFile(printer_);
    return ended && !failed_ && printer_.printerState() != QPrinter::Error && failureReason_.isEmpty();
}

bool QtPrinterSurface::printWindow(QWidget& clientArea) {
    QPainter* p = painter();
    if (p == nullptr)
        return false;
    // The window at its size on the screen (15 twips to a pixel), smaller if the page is smaller;
    // rendered, not copied, so its text and lines take the printer's resolution.
    const QRectF page = printer_.pageLayout().paintRectPixels(printer_.resolution());
    const double toTwips = twipsPerInch / printer_.resolution();
    const QSizeF pageTwips = page.size() * toTwips;
    const QSizeF natural = QSizeF(clientArea.size()) * twipsPerPixel;
    const double fit =
        std::min({1.0, pageTwips.width() / natural.width(), pageTwips.height() / natural.height()});
    // Rendered straight onto a printer, a widget goes through a picture of pixels; recorded as a
    // QPicture first, its text, lines and shapes stay what they are (the canvases draw theirs).
    QPicture drawn;
    {
        QPainter recorder(&drawn);
        clientArea.render(&recorder, QPoint(0, 0), QRegion(),
                          QWidget::DrawChildren | QWidget::DrawWindowBackground);
    }
    p->save();
    p->scale(twipsPerPixel * fit, twipsPerPixel * fit);
    // A picture plays itself scaled from its own resolution to the device's: that is undone here,
    // as the scale above already makes the twips of the page.
    p->scale(double(drawn.logicalDpiX()) / printer_.logicalDpiX(),
             double(drawn.logicalDpiY()) / printer_.logicalDpiY());
    p->drawPicture(0, 0, drawn);
    p->restore();
    return endDocument();
}

} // namespace tonolog
