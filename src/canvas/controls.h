#pragma once

#include <QLabel>
#include <QPixmap>
#include <QWidget>

namespace tonolog {

// A picture that acts as a button: any mouse button presses it. It shows its pressed picture
// while held (when it has one) and reports press, release and click.
class ImageButton : public QWidget {
    Q_OBJECT
public:
    explicit ImageButton(QWidget* parent = nullptr);

    void setPictures(const QPixmap& released, const QPixmap& pressed = QPixmap());
    void showPressedPicture(bool pressed);
    // Forgets a press whose release can no longer arrive (a modal window took the mouse).
    void abandonPress();
    bool isShowingPressed() const { return showingPressed_; }

Q_SIGNALS:
    void pressed();
    void released();
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QPixmap released_;
    QPixmap pressed_;
    bool showingPressed_ = false;
    bool held_ = false;
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
