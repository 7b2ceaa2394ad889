// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/printer_surface.h"

#include <QSize>
#include <QStringList>

#include <functional>

namespace tonolog {

// What a recording surface writes down; it outlives the surface, which lives for one print.
struct Recording {
    QStringList lines;
    QSize printedWindowSize;
    // Called while the window is being printed, to look at it as it is then.
    std::function<void(QWidget&)> onPrintWindow;
};

// A printer surface that writes down every operation as a line of text, for comparing a whole
// print with a golden file.
class RecordingSurface : public PrinterSurface {
public:
    explicit RecordingSurface(Recording& recording) : recording_(recording), lines(recording.lines) {}

    bool setOrientation(int orientation) override;
    QPoint logicalOrigin() const override { return QPoint(0, 0); }
    void setPenWidth(int devicePixels) override;
    void setFontName(const QString& family) override;
    void setFontSize(int points) override;
    void printText(int x, int y, const QString& text) override;
    void drawLine(int x1, int y1, int x2, int y2, const QColor& color) override;
    void drawBox(int x1, int y1, int x2, int y2, const QColor& color, bool filled) override;
    void setDotted(bool dotted) override;
    void printTextWithin(int x, int y, int width, const QString& text) override;
    void drawDot(int x, int y, int diameter, const QColor& color) override;
    bool endDocument() override;
    bool printWindow(QWidget& clientArea) override;

private:
    Recording& recording_;
    QStringList& lines;
};

} // namespace tonolog
