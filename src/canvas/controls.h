// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QLabel>
#include <QWidget>

namespace tonolog {

// A picture that acts as a button: any mouse button presses it. It shows its pressed picture
// while held (when it has one) and reports press, release and click. The pictures are the
// program's bitmaps by number, drawn in the screen's own pixels at whatever size the button has.
class ImageButton : public QWidget {
    Q_OBJECT
public:
    explicit ImageButton(QWidget* parent = nullptr);

    // Bitmap numbers; 0 for no picture.
    void setPictures(int released, int pressed = 0);
    void showPressedPicture(bool pressed);
    // Forgets a press whose release can no longer arrive (a modal window took the mouse).
    void abandonPress();
    bool isShowingPressed() const { return showingPressed_; }
    // A press and a release, as a screen reader's "press" gives them; nothing while the mouse
    // holds the button.
    void click();
    // A picture that only adorns the page (a logo): screen readers hear of a picture, not of a
    // button.
    void setDecorative(bool decorative);
    bool isDecorative() const { return decorative_; }

Q_SIGNALS:
    void pressed();
    void released();
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // The picture shown now, as `deviceSize` pixels.
    const QImage& pictureAt(QSize deviceSize);

    int released_ = 0;
    int pressed_ = 0;
    bool showingPressed_ = false;
    bool held_ = false;
    bool decorative_ = false;
    // The last picture made, and what it was made for.
    QImage picture_;
    int pictureId_ = 0;
};

// The frame of a slot: a thin outline with nothing inside.
class ShapeFrame : public QWidget {
    Q_OBJECT
public:
    explicit ShapeFrame(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A label with a transparent background that reports clicks, double-clicks and mouse movement.
class Label : public QLabel {
    Q_OBJECT
public:
    explicit Label(const QString& text = QString(), QWidget* parent = nullptr);

Q_SIGNALS:
    // A press of any mouse button (the label's click), and its release.
    void clicked();
    void released();
    void doubleClicked();
    void mouseMoved();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
};

} // namespace tonolog
