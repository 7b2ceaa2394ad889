// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/message_box.h"
#include "platform/message_box_service.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

using namespace tonolog;

// Drives the real message box: when it appears, records what it shows and presses a button.
class MessageBoxTest : public QObject {
    Q_OBJECT

    struct Seen {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QStringList buttons;
    };

    static void pressWhenShown(QMessageBox::StandardButton press, Seen* seen) {
        QTimer::singleShot(0, [press, seen] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) {
                pressWhenShown(press, seen);
                return;
            }
            seen->title = box->windowTitle();
            seen->text = box->text();
            seen->icon = box->icon();
            for (QAbstractButton* b : box->buttons())
                seen->buttons << b->text().remove(QLatin1Char('&'));
            seen->buttons.sort();
            box->button(press)->click();
        });
    }

private Q_SLOTS:
    void realBoxShowsButtonsIconAndTitle_data() {
        QTest::addColumn<MessageButtons>("buttons");
        QTest::addColumn<MessageIcon>("icon");
        QTest::addColumn<int>("press");
        QTest::addColumn<QStringList>("expectedButtons");
        QTest::addColumn<int>("expectedIcon");
        QTest::addColumn<MessageResult>("expectedResult");
        QTest::newRow("ok, stop") << MessageButtons::Ok << MessageIcon::Stop << int(QMessageBox::Ok)
                                  << QStringList{"OK"} << int(QMessageBox::Critical) << MessageResult::Ok;
        QTest::newRow("ok cancel, question")
            << MessageButtons::OkCancel << MessageIcon::Question << int(QMessageBox::Cancel)
            << QStringList{"Cancel", "OK"} << int(QMessageBox::Question) << MessageResult::Cancel;
        QTest::newRow("abort retry ignore, exclamation")
            << MessageButtons::AbortRetryIgnore << MessageIcon::Exclamation << int(QMessageBox::Ignore)
            << QStringList{"Abort", "Ignore", "Retry"} << int(QMessageBox::Warning) << MessageResult::Ignore;
        QTest::newRow("yes no cancel, information")
            << MessageButtons::YesNoCancel << MessageIcon::Information << int(QMessageBox::No)
            << QStringList{"Cancel", "No", "Yes"} << int(QMessageBox::Information) << MessageResult::No;
        QTest::newRow("yes no") << MessageButtons::YesNo << MessageIcon::Question << int(QMessageBox::Yes)
                                << QStringList{"No", "Yes"} << int(QMessageBox::Question)
                                << MessageResult::Yes;
        QTest::newRow("retry cancel, no icon")
            << MessageButtons::RetryCancel << MessageIcon::None << int(QMessageBox::Retry)
            << QStringList{"Cancel", "Retry"} << int(QMessageBox::NoIcon) << MessageResult::Retry;
    }

    void realBoxShowsButtonsIconAndTitle() {
        QFETCH(MessageButtons, buttons);
        QFETCH(MessageIcon, icon);
        QFETCH(int, press);
        QFETCH(QStringList, expectedButtons);
        QFETCH(int, expectedIcon);
        QFETCH(MessageResult, expectedResult);
        QtMessageBoxService service;
        Seen seen;
        pressWhenShown(static_cast<QMessageBox::StandardButton>(press), &seen);
        const MessageResult result =
            showMessage(service, QStringLiteral("Invalid SYS.\nRange of DIA is 0 to 250.\n"), buttons, icon);
        QCOMPARE(result, expectedResult);
        QCOMPARE(seen.title, QStringLiteral("Tonolog"));
        QCOMPARE(seen.text, QStringLiteral("Invalid SYS.\nRange of DIA is 0 to 250."));
        QCOMPARE(seen.buttons, expectedButtons);
        QCOMPARE(int(seen.icon), expectedIcon);
    }
};

QTEST_MAIN(MessageBoxTest)
#include "test_message_box.moc"
