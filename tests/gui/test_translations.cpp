// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/words.h"
#include "support/diary_actions.h"
#include "support/form_harness.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QTabBar>
#include <QTranslator>
#include <QtTest>

using namespace tonolog;

namespace {

// A text that must have gone through the translation: anything with a letter in it, except the
// program's name, which is the same in every language, and a date, which is written as the diary
// file writes it ("Jan./20/2004").
bool needsTranslation(const QString& text) {
    static const QRegularExpression letter(QStringLiteral("\\p{L}"));
    static const QRegularExpression date(QStringLiteral("^[A-Z][a-z]{2}\\./\\d{2}/\\d{4}$"));
    const QString plain = QString(text).remove(QLatin1Char('&')).trimmed();
    return plain.contains(letter) && plain != QStringLiteral("Tonolog") && !date.match(plain).hasMatch();
}

bool translated(const QString& text) {
    return text.trimmed().startsWith(QChar(0x27e6));
}

// Every text of the window and its menus that a translation missed, named by where it is.
QStringList untranslatedTexts(QWidget& window) {
    QStringList missed;
    const auto check = [&missed](const QString& text, const QString& where) {
        if (needsTranslation(text) && !translated(text))
            missed << where + QStringLiteral(": ") + text;
    };
    QList<QWidget*> widgets = window.findChildren<QWidget*>();
    widgets.prepend(&window);
    for (QWidget* w : widgets) {
        // The month calendar names its months and days in the language of the locale, by Qt.
        if (w->objectName().startsWith(QStringLiteral("qt_calendar")))
            continue;
        const QString name =
            QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(' ') + w->objectName();
        check(w->toolTip(), name + QStringLiteral(" tool tip"));
        check(w->accessibleName(), name + QStringLiteral(" accessible name"));
        check(w->accessibleDescription(), name + QStringLiteral(" accessible description"));
        if (auto* label = qobject_cast<QLabel*>(w))
            check(label->text(), name);
        // Qt's own translations name the standard buttons of a dialog.
        const auto* box = qobject_cast<QDialogButtonBox*>(w->parent());
        if (auto* button = qobject_cast<QAbstractButton*>(w);
            button != nullptr &&
            (box == nullptr || box->standardButton(button) == QDialogButtonBox::NoButton))
            check(button->text(), name);
        if (auto* group = qobject_cast<QGroupBox*>(w))
            check(group->title(), name);
        if (auto* menu = qobject_cast<QMenu*>(w))
            check(menu->title(), name);
        if (auto* choice = qobject_cast<QComboBox*>(w)) {
            for (int i = 0; i < choice->count(); ++i)
                check(choice->itemText(i), name + QStringLiteral(" choice"));
        }
        if (auto* tabs = qobject_cast<QTabBar*>(w)) {
            for (int i = 0; i < tabs->count(); ++i)
                check(tabs->tabText(i), name + QStringLiteral(" tab"));
        }
    }
    for (QAction* action : window.findChildren<QAction*>()) {
        bool calendars = false;
        for (QObject* o = action->parent(); o != nullptr; o = o->parent())
            calendars = calendars || qobject_cast<QCalendarWidget*>(o) != nullptr;
        if (action->isVisible() && !action->isSeparator() && !calendars) {
            check(action->text(), QStringLiteral("action ") + action->objectName());
            check(action->toolTip() == QString(action->text()).remove(QLatin1Char('&')) ? QString()
                                                                                        : action->toolTip(),
                  QStringLiteral("action tool tip ") + action->objectName());
        }
    }
    return missed;
}

} // namespace

class TestTranslations : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        QVERIFY2(pseudo.load(QStringLiteral(TONOLOG_PSEUDO_QM)), TONOLOG_PSEUDO_QM);
        QCoreApplication::installTranslator(&pseudo);
        translateCoreTexts();
    }

    // Under a translation where every text is marked, the window, its menus, the pages and the
    // report's dialog show no text that did not go through it.
    void everyTextOfTheWindowIsTranslated() {
        FormHarness harness;
        MainForm& form = harness.start();
        form.ui.menu.actReport->trigger();
        const QStringList missed = untranslatedTexts(form);
        QVERIFY2(missed.isEmpty(), qPrintable(missed.join(QLatin1Char('\n'))));
    }

    // The core's texts go through it too: a value out of range is refused in the translated words.
    void aMessageOfTheCoreIsTranslated() {
        FormHarness harness;
        MainForm& form = harness.start();
        diary::typeInto(form.ui.diary.InputSys[0], QStringLiteral("300"));
        diary::pressEnter(form);
        QVERIFY(harness.messages.count() > 0);
        const MessageRequest& asked = harness.messages.last();
        QVERIFY2(translated(asked.text), qPrintable(asked.text));
        QVERIFY2(!asked.text.contains(QStringLiteral("%1")), qPrintable(asked.text));
    }

private:
    QTranslator pseudo;
};

QTEST_MAIN(TestTranslations)
#include "test_translations.moc"
