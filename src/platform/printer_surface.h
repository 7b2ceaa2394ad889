// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPoint>
#include <QString>

class QWidget;

namespace tonolog {

// What the printing draws with: one page, coordinates and sizes in twips from the printer's
// logical origin, pen widths in the printer's device pixels. A failing operation does nothing;
// only the orientation, the end of the document and the window print report it.
class PrinterSurface {
public:
    static constexpr int portrait = 1;
    static constexpr int landscape = 2;

    virtual ~PrinterSurface() = default;

    virtual bool setOrientation(int orientation) = 0;
    virtual QPoint logicalOrigin() const = 0;
    virtual void setPenWidth(int devicePixels) = 0;
    virtual void setFontName(const QString& family) = 0;
    virtual void setFontSize(int points) = 0;
    // The text with its top-left corner at the position.
    virtual void printText(int x, int y, const QString& text) = 0;
    virtual void drawLine(int x1, int y1, int x2, int y2, const QColor& color) = 0;
    // A rectangle's outline, or filled and outlined in the same colour.
    virtual void drawBox(int x1, int y1, int x2, int y2, const QColor& color, bool filled) = 0;
    // Lines and outlines dotted from now on, or solid again.
    virtual void setDotted(bool dotted) = 0;
    // The text with its top-left corner at the position, cut at `width` twips to its right.
    virtual void printTextWithin(int x, int y, int width, const QString& text) = 0;
    // A filled round dot of this diameter, centred on the position.
    virtual void drawDot(int x, int y, int diameter, const QColor& color) = 0;
    // Hands the page to the printer.
    virtual bool endDocument() = 0;
    // After a print that failed: why, in plain words, where that is known.
    virtual QString failureReason() const { return {}; }
    // The widget as drawn now, as the one page.
    virtual bool printWindow(QWidget& clientArea) = 0;
};

} // namespace tonolog
