#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

namespace tonolog {

// A drawing canvas whose drawing is retained: what is drawn stays until it is drawn over or the
// canvas is cleared, through hiding, covering and repainting. Coordinates are in twips from the
// top-left corner of the drawing area. Other controls may sit on it as children.
class Canvas : public QWidget {
    Q_OBJECT
public:
    explicit Canvas(QWidget* parent = nullptr);

    void setBackgroundColor(const QColor& color);
    QColor backgroundColor() const { return background_; }

    // The retained picture, in device pixels; the drawing primitives paint into it.
    QImage& picture() { return picture_; }
    const QImage& picture() const { return picture_; }
    void clear();

    // The canvas's current size in twips, as the drawing code reads it.
    int widthTwips() const;
    int heightTwips() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QColor background_;
    QImage picture_;
};

} // namespace tonolog
