// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/accessible_controls.h"

#include <QAccessible>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QRegularExpression>
#include <QStyle>
#include <QWindow>

namespace tonolog {

QString accessibleMenuText(const QString& caption) {
    static const QRegularExpression accessKey(QStringLiteral("\\s*\\(&[^)]\\)"));
    QString text = caption;
    text.remove(accessKey);
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('&'))
                plain += text[++i];
            continue;
        }
        plain += text[i];
    }
    return plain;
}

namespace {

// A menu's item or a menu bar's menu as a screen reader hears it. Qt's own item reads the caption
// with its bracketed access key ("New N" for "New(&N)"); this one drops it, and works alike.
class AccessibleMenuItem : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    AccessibleMenuItem(QWidget* owner, QAction* action) : owner_(owner), action_(action) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }
    bool isValid() const override { return !owner_.isNull() && !action_.isNull(); }
    QObject* object() const override { return action_; }
    QWindow* window() const override { return owner_->window()->windowHandle(); }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(owner_); }
    int childCount() const override { return action_->menu() != nullptr ? 1 : 0; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 && action_->menu() != nullptr
                   ? QAccessible::queryAccessibleInterface(action_->menu())
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child != nullptr && action_->menu() != nullptr && child->object() == action_->menu() ? 0 : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        QAccessibleInterface* menu = child(0);
        return menu != nullptr && menu->rect().contains(x, y) ? menu : nullptr;
    }
    QAccessibleInterface* focusChild() const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name)
            return accessibleMenuText(action_->text());
        if (t == QAccessible::Accelerator)
            return action_->shortcut().toString(QKeySequence::NativeText);
        return QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        QRect r;
        if (auto* bar = qobject_cast<QMenuBar*>(owner_))
            r = bar->actionGeometry(action_);
        else if (auto* menu = qobject_cast<QMenu*>(owner_))
            r = menu->actionGeometry(action_);
        return r.translated(owner_->mapToGlobal(QPoint(0, 0)));
    }
    QAccessible::Role role() const override {
        return action_->isSeparator() ? QAccessible::Separator : QAccessible::MenuItem;
    }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.invisible = !owner_->isVisible() || !action_->isVisible();
        QAction* active = nullptr;
        if (auto* bar = qobject_cast<QMenuBar*>(owner_))
            active = bar->activeAction();
        else if (auto* menu = qobject_cast<QMenu*>(owner_))
            active = menu->activeAction();
        s.focused = active == action_;
        s.focusable = !action_->isSeparator();
        s.disabled = action_->isSeparator() || !action_->isEnabled();
        s.checkable = action_->isCheckable();
        s.checked = action_->isChecked();
        s.hasPopup = action_->menu() != nullptr;
        return s;
    }

    QStringList actionNames() const override {
        if (action_->isSeparator())
            return {};
        return {action_->menu() != nullptr ? showMenuAction() : pressAction()};
    }
    void doAction(const QString& name) override {
        if (!action_->isEnabled())
            return;
        if (name == pressAction()) {
            action_->trigger();
        } else if (name == showMenuAction()) {
            if (action_->menu() != nullptr && action_->menu()->isVisible())
                action_->menu()->hide();
            else if (auto* bar = qobject_cast<QMenuBar*>(owner_))
                bar->setActiveAction(action_);
            else if (auto* menu = qobject_cast<QMenu*>(owner_))
                menu->setActiveAction(action_);
        }
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<QWidget> owner_;
    QPointer<QAction> action_;
};

QAccessibleInterface* menuItemInterface(const QString& className, QObject* object) {
    if (className != QLatin1String("QAction"))
        return nullptr;
    auto* action = static_cast<QAction*>(object);
    for (QObject* holder : action->associatedObjects())
        if (qobject_cast<QMenu*>(holder) != nullptr || qobject_cast<QMenuBar*>(holder) != nullptr)
            return new AccessibleMenuItem(static_cast<QWidget*>(holder), action);
    return nullptr;
}

} // namespace

void installAccessibleMenus() {
    static const bool installed = [] {
        QAccessible::installFactory(menuItemInterface);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace tonolog
