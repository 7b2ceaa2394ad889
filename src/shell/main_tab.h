// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QStringList>
#include <QWidget>

#include <array>

namespace tonolog {

// A page container of the tab control. A click on the page itself and mouse movement over it
// are reported.
class TabPage : public QWidget {
    Q_OBJECT
public:
    explicit TabPage(QWidget* parent = nullptr);
    void setBackgroundColor(const QColor& color);
    QColor backgroundColor() const;

Q_SIGNALS:
    void clicked();
    void mouseMoved();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
};

class TabStrip;

// The three pages "Diary", "List" and "Trend" behind a strip of tabs, each tab with a face colour
// of its own. Writing the current page shows it without raising the strip's click; a click (or
// the keyboard) on the strip switches the page and then raises tabStripClicked. Ctrl+Tab and
// Ctrl+Shift+Tab anywhere in the window do what a click on the next or previous tab does.
class MainTab : public QWidget {
    Q_OBJECT
public:
    static constexpr int pageCount = 3;

    explicit MainTab(QWidget* parent = nullptr);

    TabPage* page(int index) const { return pages_[static_cast<std::size_t>(index)]; }
    TabStrip* strip() const { return strip_; }

    int currentPage() const { return current_; }
    void setCurrentPage(int index);

    void setTabColor(int index, const QColor& color);
    QColor tabColor(int index) const { return tabColors_[static_cast<std::size_t>(index)]; }
    void setFrontColor(const QColor& color);
    QColor frontColor() const { return frontColor_; }
    void setBackgroundColor(const QColor& color);
    QColor backgroundColor() const { return backgroundColor_; }
    void setCaptionFontName(const QString& family);
    QFont captionFont() const { return captionFont_; }
    QString caption(int index) const { return captions_.value(index); }

    // The strip takes the focus, so the box that had it loses it.
    void takeFocus();
    // While a click on a tab or Ctrl+Tab moves the focus to the strip before the page switches.
    bool isSwitchingPage() const { return switching_; }
    // What a click on the tab `step` places further on (around the end) does.
    void clickNeighbourTab(int step);

Q_SIGNALS:
    void tabStripClicked();
    // The page in front changed, by a click or by writing the current page.
    void currentPageChanged(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class TabStrip;
    void switchByUser(int index);
    void takeFocusForSwitch(Qt::FocusReason reason);
    // The strip ends where the pages begin.
    void placeStrip();
    // Which page is in front and how to change it, for a screen reader.
    void describeStrip();

    TabStrip* strip_ = nullptr;
    std::array<TabPage*, pageCount> pages_{};
    std::array<QColor, pageCount> tabColors_;
    QStringList captions_;
    QColor frontColor_;
    QColor backgroundColor_;
    QFont captionFont_;
    int current_ = 0;
    bool switching_ = false;
};

// The strip of tabs along the top of MainTab.
class TabStrip : public QWidget {
    Q_OBJECT
public:
    explicit TabStrip(MainTab* owner);
    QRect tabRect(int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    MainTab* owner_;
};

} // namespace tonolog
