#include "canvas/message_box.h"
#include "platform/message_box_service.h"
#include "support/scripted_message_box.h"

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
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("press");
        QTest::addColumn<QStringList>("expectedButtons");
        QTest::addColumn<int>("expectedIcon");
        QTest::addColumn<int>("expectedResult");
        QTest::newRow("ok, stop") << 0 << 0 << int(QMessageBox::Ok) << QStringList{"OK"}
                                  << int(QMessageBox::Critical) << 1;
        QTest::newRow("ok cancel, question")
            << 1 << 1 << int(QMessageBox::Cancel) << QStringList{"Cancel", "OK"} << int(QMessageBox::Question)
            << 2;
        QTest::newRow("abort retry ignore, exclamation")
            << 2 << 2 << int(QMessageBox::Ignore) << QStringList{"Abort", "Ignore", "Retry"}
            << int(QMessageBox::Warning) << 5;
        QTest::newRow("yes no cancel, information")
            << 3 << 3 << int(QMessageBox::No) << QStringList{"Cancel", "No", "Yes"}
            << int(QMessageBox::Information) << 7;
        QTest::newRow("yes no") << 4 << 1 << int(QMessageBox::Yes) << QStringList{"No", "Yes"}
                                << int(QMessageBox::Question) << 6;
        QTest::newRow("retry cancel") << 5 << 1 << int(QMessageBox::Retry) << QStringList{"Cancel", "Retry"}
                                      << int(QMessageBox::Question) << 4;
        QTest::newRow("unknown codes: ok, no icon")
            << 7 << 9 << int(QMessageBox::Ok) << QStringList{"OK"} << int(QMessageBox::NoIcon) << 1;
    }

    void realBoxShowsButtonsIconAndTitle() {
        QFETCH(int, buttons);
        QFETCH(int, icon);
        QFETCH(int, press);
        QFETCH(QStringList, expectedButtons);
        QFETCH(int, expectedIcon);
        QFETCH(int, expectedResult);
        QtMessageBoxService service;
        Seen seen;
        pressWhenShown(static_cast<QMessageBox::StandardButton>(press), &seen);
        const int result = showMessage(
            service, QStringLiteral("Invalid SYS.\r\nRange of DIA is 0 to 250.\r\n"), buttons, icon);
        QCOMPARE(result, expectedResult);
        QCOMPARE(seen.title, QStringLiteral("Tonolog"));
        QCOMPARE(seen.text, QStringLiteral("Invalid SYS.\nRange of DIA is 0 to 250."));
        QCOMPARE(seen.buttons, expectedButtons);
        QCOMPARE(int(seen.icon), expectedIcon);
    }

    void scriptedBoxRecordsAndAnswers() {
        ScriptedMessageBox box;
        box.queueAnswer(ResultNo);
        QCOMPARE(showMessage(box, QStringLiteral("Backup?"), 4, 1), std::int16_t(7));
        QCOMPARE(box.last().text, QStringLiteral("Backup?"));
        QCOMPARE(box.last().title, QStringLiteral("Tonolog"));
        QCOMPARE(box.last().buttons, MessageButtons::YesNo);
        QCOMPARE(box.last().icon, MessageIcon::Question);
        // Nothing queued: the first button of the set.
        QCOMPARE(showMessage(box, QStringLiteral("x"), 3, 0), std::int16_t(6));
        QCOMPARE(box.last().icon, MessageIcon::Stop);
        QCOMPARE(showMessage(box, QStringLiteral("y"), 0, 3), std::int16_t(1));
        QCOMPARE(box.last().icon, MessageIcon::Information);
        QCOMPARE(box.count(), 3);
    }
};

QTEST_MAIN(MessageBoxTest)
#include "test_message_box.moc"
