// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/printer_surface.h"

#include <QFont>
#include <QPainter>

#include <memory>

class QPrinter;

namespace tonolog {

// A printer that prints to a file (Print to File, a PDF) has the file made private to the user
// before the printing writes anything to it: a new file is created readable and writable by its
// owner only, a file it replaces is made so. Nothing for a real printer. False when the file
// cannot be made private (another user's file, say): then nothing is to be printed into it.
bool makePrintFilePrivate(QPrinter& printer);
// The same, with the reason when it cannot: an empty text when the file can take the print. A
// device or a pipe is no file to print into, and its permissions are never changed.
QString preparePrintFile(QPrinter& printer);
// After the printing: why the printed file is not a whole PDF (a full disk, say), or an empty text.
QString checkPrintedFile(const QPrinter& printer);

// The printer surface on a QPrinter: a QPainter whose unit is the twip, mapped to the printer's
// own resolution, so that text and lines are as sharp as the printer can make them. The painter
// starts with the first drawing, after the orientation is set.
class QtPrinterSurface : public PrinterSurface {
public:
    explicit QtPrinterSurface(QPrinter& printer);
    ~QtPrinterSurface() override;

    bool setOrientation(int orientation) override;
    QPoint logicalOrigin() const override { return QPoint(0, 0); }
    void setPenWidth(int devicePixels) override { penWidth_ = devicePixels; }
    void setFontName(const QString& family) override { font_.setFamily(family); }
    void setFontSize(int points) override;
    void printText(int x, int y, const QString& text) override;
    void drawLine(int x1, int y1, int x2, int y2, const QColor& color) override;
    void drawBox(int x1, int y1, int x2, int y2, const QColor& color, bool filled) override;
    void setDotted(bool dotted) override { dotted_ = dotted; }
    void printTextWithin(int x, int y, int width, const QString& text) override;
    void drawDot(int x, int y, int diameter, const QColor& color) override;
    bool endDocument() override;
    QString failureReason() const override { return failureReason_; }
    bool printWindow(QWidget& clientArea) override;

private:
    QPainter* painter();
    QPen pen(const QColor& color) const;

    QPrinter& printer_;
    std::unique_ptr<QPainter> painter_;
    QFont font_;
    int penWidth_ = 1;
    bool dotted_ = false;
    bool failed_ = false;
    QString failureReason_;
};

} // namespace tonolog
