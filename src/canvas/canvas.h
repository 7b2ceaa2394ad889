// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

#include <vector>

class QPainter;

namespace tonolog {

// A drawing canvas whose drawing is retained: what is drawn stays until it is drawn over or the
// canvas is cleared, through hiding, covering and repainting. The picture is kept in device
// pixels, so it is sharp on a screen of any pixel ratio; the drawing is also kept as its lines and
// shapes, which a printer gets instead of the picture, sharp at any resolution. Coordinates are in twips from
// the top-left corner; pen widths in device-independent pixels. Nothing is antialiased, so every mark has
// exactly its colour. Other controls may sit on it as children.
class Canvas : public QWidget {
    Q_OBJECT
public:
    enum class LineStyle { solid, dotted };
    enum class FillStyle { solid, transparent };

    explicit Canvas(QWidget* parent = nullptr);

    void setBackgroundColor(const QColor& color);
    QColor backgroundColor() const { return background_; }

    // What a screen reader hears it as: a picture, or a list where it holds the List page's rows.
    void setHeardAsList(bool list) { heardAsList_ = list; }
    bool isHeardAsList() const { return heardAsList_; }

    void setPenWidth(int pixels) { penWidth_ = pixels; }
    int penWidth() const { return penWidth_; }
    void setLineStyle(LineStyle style) { lineStyle_ = style; }
    LineStyle lineStyle() const { return lineStyle_; }
    void setFillStyle(FillStyle style) { fillStyle_ = style; }
    FillStyle fillStyle() const { return fillStyle_; }
    void setFillColor(const QColor& color) { fillColor_ = color; }
    QColor fillColor() const { return fillColor_; }

    // A straight line, with the pen's width and style.
    void drawLine(int x1, int y1, int x2, int y2, const QColor& color);
    // A rectangle between two corners: its outline, or filled with the colour, outline included.
    // A filled one of no height is a bar as thick as the pen.
    void drawBox(int x1, int y1, int x2, int y2, const QColor& color, bool filled);
    // A circle outlined in the colour, filled as the fill style and colour say.
    void drawCircle(int x, int y, int radius, const QColor& color);
    // A round dot as wide as the pen.
    void drawPoint(int x, int y, const QColor& color);
    // Everything goes; the background colour remains.
    void clear();

    // The retained picture, in device pixels.
    const QImage& picture() const { return picture_; }
    // The picture that knows its pixel ratio, so that it has its natural size on any surface.
    QImage image() const;
    // A canvas that is never shown (the print layout's) keeps its picture at this many pixels to
    // a device-independent pixel instead of the screen's; 0 follows the screen.
    void setPictureRatio(double ratio);
    // Makes the picture the canvas's current size, blank, if it is not; true when it was replaced.
    bool fitPicture();
    // A point in twips as a pixel of the picture.
    QPoint toDevice(int x, int y) const;

    // The canvas's current size in twips, as the drawing code reads it.
    int widthTwips() const;
    int heightTwips() const;

Q_SIGNALS:
    // The pointer's position, in twips of the canvas.
    void mouseMoved(QPoint twipsPosition);
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool heardAsList_ = false;
    // One drawing operation, in twips, with the pen and fill it was drawn with.
    struct Stroke {
        enum Kind { line, box, filledBox, circle, point } kind = line;
        QPoint a;
        QPoint b;
        int radius = 0;
        QColor color;
        QColor fill; // a circle's, when it is filled
        int pen = 1;
        bool dotted = false;
    };
    void record(Stroke stroke);
    void paintStrokes(QPainter& painter) const;
    QSize devicePictureSize() const;
    double ratio() const;
    int devicePen() const;

    QColor background_;
    QImage picture_;
    int penWidth_ = 1;
    LineStyle lineStyle_ = LineStyle::solid;
    FillStyle fillStyle_ = FillStyle::transparent;
    QColor fillColor_{0, 0, 0};
    double pictureRatio_ = 0;
    std::vector<Stroke> strokes_;
};

} // namespace tonolog
