// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/main_tab.h"
#include "canvas/focus_ring.h"
#include "platform/words.h"
#include "shell/main_tab_accessible.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QShortcut>

namespace tonolog {

TabPage::TabPage(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    setMouseTracking(true);
}

void TabPage::setBackgroundColor(const QColor& color) {
    QPalette p = palette();
    p.setColor(QPalette::Window, color);
    setPalette(p);
}

QColor TabPage::backgroundColor() const {
    return palette().color(QPalette::Window);
}

void TabPage::mousePressEvent(QMouseEvent* event) {
    event->accept();
    Q_EMIT clicked();
}

void TabPage::mouseMoveEvent(QMouseEvent* event) {
    QWidget::mouseMoveEvent(event);
    Q_EMIT mouseMoved();
}

MainTab::MainTab(QWidget* parent)
    : QWidget(parent), captions_{Tonolog::tr("Diary"), Tonolog::tr("List"), Tonolog::tr("Trend")},
      frontColor_(palette().color(QPalette::Button)), backgroundColor_(palette().color(QPalette::Window)),
      captionFont_(font()) {
    tabColors_.fill(palette().color(QPalette::Button));
    installAccessibleTabs();
    strip_ = new TabStrip(this);
    strip_->setObjectName(QStringLiteral("MainTabStrip"));
    static const char* const names[pageCount] = {"MainTabDiary", "MainTabList", "MainTabTrend"};
    for (int i = 0; i < pageCount; ++i) {
        auto* page = new TabPage(this);
        page->setObjectName(QString::fromLatin1(names[i]));
        page->setVisible(i == 0);
        // The layout places the pages after the tab control itself: the strip follows them.
        page->installEventFilter(this);
        pages_[static_cast<std::size_t>(i)] = page;
    }
    auto* next = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
    next->setObjectName(QStringLiteral("NextPageKey"));
    connect(next, &QShortcut::activated, this, [this] { clickNeighbourTab(1); });
    // Shift+Tab arrives as Backtab on some keyboards.
    auto* previous = new QShortcut(this);
    previous->setObjectName(QStringLiteral("PreviousPageKey"));
    previous->setKeys({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
                       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab)});
    connect(previous, &QShortcut::activated, this, [this] { clickNeighbourTab(-1); });
    strip_->setToolTip(Tonolog::tr("Ctrl+Tab: next page; Ctrl+Shift+Tab: previous page"));
    strip_->setAccessibleName(Tonolog::tr("Pages"));
    describeStrip();
}

void MainTab::describeStrip() {
    strip_->setAccessibleDescription(
        Tonolog::tr("The %1 page is in front. Left and Right, Ctrl+Tab and Ctrl+Shift+Tab change the page")
            .arg(captions_.value(current_)));
}

void MainTab::setCurrentPage(int index) {
    if (index < 0 || index >= pageCount)
        return;
    const int before = current_;
    current_ = index;
    for (int i = 0; i < pageCount; ++i)
        pages_[static_cast<std::size_t>(i)]->setVisible(i == index);
    placeStrip();
    strip_->update();
    update();
    describeStrip();
    if (before != index)
        announceFrontTab(strip_, before, index);
    Q_EMIT currentPageChanged(index);
}

void MainTab::switchByUser(int index) {
    setCurrentPage(index);
    Q_EMIT tabStripClicked();
}

void MainTab::clickNeighbourTab(int step) {
    // As a click on a tab: the strip takes the focus, then the page switches.
    takeFocusForSwitch(Qt::ShortcutFocusReason);
    switchByUser(((current_ + step) % pageCount + pageCount) % pageCount);
}

void MainTab::takeFocusForSwitch(Qt::FocusReason reason) {
    switching_ = true;
    strip_->setFocus(reason);
    switching_ = false;
}

void MainTab::setTabColor(int index, const QColor& color) {
    if (index < 0 || index >= pageCount)
        return;
    tabColors_[static_cast<std::size_t>(index)] = color;
    strip_->update();
    update();
}

void MainTab::setFrontColor(const QColor& color) {
    frontColor_ = color;
    strip_->update();
    update();
}

void MainTab::setBackgroundColor(const QColor& color) {
    backgroundColor_ = color;
    strip_->update();
    update();
}

void MainTab::setCaptionFontName(const QString& family) {
    captionFont_.setFamily(family);
    strip_->update();
}

void MainTab::takeFocus() {
    strip_->setFocus(Qt::OtherFocusReason);
}

void MainTab::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), backgroundColor_);
    // The frame around the shown page takes the colour of its tab, joining the two.
    const QRect pageRect = pages_[static_cast<std::size_t>(current_)]->geometry();
    const QRect frame =
        pageRect.adjusted(-3, -3, 3, 3).intersected(rect().adjusted(0, strip_->height(), 0, 0));
    QColor face = tabColors_[static_cast<std::size_t>(current_)];
    if (!face.isValid())
        face = frontColor_;
    painter.fillRect(frame, face);
    painter.setPen(face.darker(160));
    painter.drawRect(frame.adjusted(0, -1, -1, -1));
}

void MainTab::resizeEvent(QResizeEvent*) {
    placeStrip();
}

bool MainTab::eventFilter(QObject* watched, QEvent* event) {
    if ((event->type() == QEvent::Move || event->type() == QEvent::Resize) &&
        watched == pages_[static_cast<std::size_t>(current_)])
        placeStrip();
    return QWidget::eventFilter(watched, event);
}

void MainTab::placeStrip() {
    const int pageTop = pages_[static_cast<std::size_t>(current_)]->y();
    strip_->setGeometry(0, 0, width(), pageTop > 3 ? pageTop - 1 : 29);
}

TabStrip::TabStrip(MainTab* owner) : QWidget(owner), owner_(owner) {
    // A click gives the focus in mousePressEvent, after it knows whether the click switches the page.
    setFocusPolicy(Qt::TabFocus);
}

QRect TabStrip::tabRect(int index) const {
    const int w = width() / MainTab::pageCount;
    const int left = index * w;
    const int right = index == MainTab::pageCount - 1 ? width() : left + w;
    const int top = index == owner_->currentPage() ? 0 : 3;
    return QRect(left, top, right - left, height() - top + 1);
}

void TabStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), owner_->backgroundColor());
    QFont font = owner_->captionFont();
    font.setPixelSize(qMax(8, height() * 2 / 5));
    painter.setFont(font);
    // The front tab is drawn last so that it overlaps its neighbours.
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 0; i < MainTab::pageCount; ++i) {
            const bool front = i == owner_->currentPage();
            if (front != (pass == 1))
                continue;
            QColor face = owner_->tabColor(i);
            if (!face.isValid())
                face = owner_->frontColor();
            const QRectF r = QRectF(tabRect(i)).adjusted(1.5, 0.5, -1.5, 2);
            QPainterPath path;
            path.addRoundedRect(r, 5, 5);
            painter.fillPath(path, face);
            painter.setPen(QPen(face.darker(front ? 170 : 140), 1));
            painter.drawPath(path);
            painter.setPen(Qt::black);
            QFont captionFont = font;
            captionFont.setBold(front);
            painter.setFont(captionFont);
            painter.drawText(r, Qt::AlignCenter, owner_->caption(i));
            if (front && hasFocus())
                drawFocusRing(painter, r.adjusted(4, 3, -4, -3));
        }
}

void TabStrip::mousePressEvent(QMouseEvent* event) {
    event->accept();
    for (int i = 0; i < MainTab::pageCount; ++i)
        if (tabRect(i).contains(event->position().toPoint())) {
            owner_->takeFocusForSwitch(Qt::MouseFocusReason);
            owner_->switchByUser(i);
            return;
        }
    setFocus(Qt::MouseFocusReason);
}

void TabStrip::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    // A screen reader hears of the tab in front, not of the strip as a whole.
    if (QAccessible::isActive()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(owner_->currentPage());
        QAccessible::updateAccessibility(&focus);
    }
}

void TabStrip::keyPressEvent(QKeyEvent* event) {
    const int current = owner_->currentPage();
    if (event->key() == Qt::Key_Left && current > 0)
        owner_->switchByUser(current - 1);
    else if (event->key() == Qt::Key_Right && current < MainTab::pageCount - 1)
        owner_->switchByUser(current + 1);
    else
        QWidget::keyPressEvent(event);
}

} // namespace tonolog
