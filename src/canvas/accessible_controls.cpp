// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/accessible_controls.h"

#include "canvas/canvas.h"
#include "canvas/controls.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace tonolog {

namespace {

class AccessibleImageButton : public QAccessibleWidget {
public:
    explicit AccessibleImageButton(ImageButton* button)
        : QAccessibleWidget(button, button->isDecorative() ? QAccessible::Graphic : QAccessible::Button) {}

    QStringList actionNames() const override {
        if (button()->isDecorative())
            return QAccessibleWidget::actionNames();
        return {pressAction()};
    }

    void doAction(const QString& actionName) override {
        if (actionName == pressAction() && !button()->isDecorative())
            button()->click();
        else
            QAccessibleWidget::doAction(actionName);
    }

private:
    ImageButton* button() const { return static_cast<ImageButton*>(widget()); }
};

class AccessibleCanvas : public QAccessibleWidget {
public:
    explicit AccessibleCanvas(Canvas* canvas) : QAccessibleWidget(canvas, QAccessible::Graphic) {}
    QAccessible::Role role() const override {
        return static_cast<Canvas*>(widget())->isHeardAsList() ? QAccessible::List : QAccessible::Graphic;
    }
};

QAccessibleInterface* controlInterface(const QString& className, QObject* object) {
    if (className == QLatin1String("tonolog::ImageButton"))
        return new AccessibleImageButton(static_cast<ImageButton*>(object));
    if (className == QLatin1String("tonolog::Canvas"))
        return new AccessibleCanvas(static_cast<Canvas*>(object));
    return nullptr;
}

} // namespace

void installAccessibleControls() {
    static const bool installed = [] {
        QAccessible::installFactory(controlInterface);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace tonolog
