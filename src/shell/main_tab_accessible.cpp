// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/main_tab_accessible.h"

#include "shell/main_tab.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QWindow>

#include <array>

namespace tonolog {

namespace {

MainTab* ownerOf(TabStrip* strip) {
    return static_cast<MainTab*>(strip->parentWidget());
}

// One tab of the strip: it has no widget of its own.
class AccessibleTab : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    AccessibleTab(TabStrip* strip, int index) : strip_(strip), index_(index) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }
    bool isValid() const override { return !strip_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return strip_->window()->windowHandle(); }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(strip_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name)
            return ownerOf(strip_)->caption(index_);
        return QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        const QRect r = strip_->tabRect(index_);
        return QRect(strip_->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override { return QAccessible::PageTab; }
    QAccessible::State state() const override {
        QAccessible::State s;
        const bool front = ownerOf(strip_)->currentPage() == index_;
        s.selectable = true;
        s.selected = front;
        s.focusable = true;
        s.focused = front && strip_->hasFocus();
        s.invisible = !strip_->isVisible();
        return s;
    }

    QStringList actionNames() const override { return {pressAction(), setFocusAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction() || name == setFocusAction()) {
            MainTab* tab = ownerOf(strip_);
            if (tab->currentPage() != index_)
                tab->clickNeighbourTab(index_ - tab->currentPage());
        }
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<TabStrip> strip_;
    int index_;
};

class AccessibleTabStrip : public QAccessibleWidget {
public:
    explicit AccessibleTabStrip(TabStrip* strip) : QAccessibleWidget(strip, QAccessible::PageTabList) {}
    ~AccessibleTabStrip() override {
        for (const QAccessible::Id id : tabs_)
            if (id != 0)
                QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return MainTab::pageCount; }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= MainTab::pageCount)
            return nullptr;
        QAccessible::Id& id = tabs_[static_cast<std::size_t>(index)];
        if (id == 0)
            id = QAccessible::registerAccessibleInterface(new AccessibleTab(strip(), index));
        return QAccessible::accessibleInterface(id);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int i = 0; i < MainTab::pageCount; ++i)
            if (tabs_[static_cast<std::size_t>(i)] != 0 &&
                QAccessible::accessibleInterface(tabs_[static_cast<std::size_t>(i)]) == child)
                return i;
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (int i = 0; i < MainTab::pageCount; ++i)
            if (child(i)->rect().contains(x, y))
                return child(i);
        return nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        return strip()->hasFocus() ? child(ownerOf(strip())->currentPage()) : nullptr;
    }

private:
    TabStrip* strip() const { return static_cast<TabStrip*>(widget()); }
    mutable std::array<QAccessible::Id, MainTab::pageCount> tabs_{};
};

QAccessibleInterface* tabInterface(const QString& className, QObject* object) {
    if (className == QLatin1String("tonolog::TabStrip"))
        return new AccessibleTabStrip(static_cast<TabStrip*>(object));
    return nullptr;
}

} // namespace

void installAccessibleTabs() {
    static const bool installed = [] {
        QAccessible::installFactory(tabInterface);
        return true;
    }();
    Q_UNUSED(installed);
}

void announceFrontTab(TabStrip* strip, int before, int now) {
    if (!QAccessible::isActive())
        return;
    QAccessible::State selected;
    selected.selected = true;
    for (const int index : {before, now}) {
        QAccessibleStateChangeEvent change(strip, selected);
        change.setChild(index);
        QAccessible::updateAccessibility(&change);
    }
    if (strip->hasFocus()) {
        QAccessibleEvent focus(strip, QAccessible::Focus);
        focus.setChild(now);
        QAccessible::updateAccessibility(&focus);
    }
}

} // namespace tonolog
