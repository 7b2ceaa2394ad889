// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/controls.h"
#include "canvas/press_and_hold.h"
#include "shell/main_form.h"
#include "support/diary_actions.h"
#include "support/form_harness.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCalendarWidget>
#include <QMessageBox>
#include <QtTest>

using namespace tonolog;
using namespace tonolog::diary;

namespace {

// When the real message box is up: do what the user's hand does meanwhile, then press OK.
void whenTheBoxShows(QStringList* seen, std::function<void()> meanwhile = {}) {
    QTimer::singleShot(0, [seen, meanwhile] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            whenTheBoxShows(seen, meanwhile);
            return;
        }
        *seen << box->text();
        if (meanwhile)
            meanwhile();
        box->button(QMessageBox::Ok)->click();
    });
}

// When the real message box is up: note its text, do what happens meanwhile, then press the button.
void answerWhenShown(QStringList* seen, QMessageBox::StandardButton button,
                     std::function<void()> meanwhile = {}) {
    QTimer::singleShot(0, [seen, button, meanwhile] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            answerWhenShown(seen, button, meanwhile);
            return;
        }
        *seen << box->text();
        if (meanwhile)
            meanwhile();
        box->button(button)->click();
    });
}

int countShownBoxes() {
    int shown = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        shown += qobject_cast<QMessageBox*>(widget) != nullptr && widget->isVisible() ? 1 : 0;
    return shown;
}

QPoint centreInWindow(QWidget* widget) {
    return widget->mapTo(widget->window(), widget->rect().center());
}

} // namespace

// What happens around a real, modal message box: it takes the mouse and the focus.
class ModalMessagesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aHeldDayButtonStopsAtTheValidationMessage() {
        FormHarness h(true);
        MainForm& form = h.start();
        typeInto(form.ui.diary.InputSys[0], QStringLiteral("abc"));
        ImageButton* down = form.ui.diary.ImgDiaryDown;
        QWindow* window = form.windowHandle();
        QTest::mousePress(window, Qt::LeftButton, {}, centreInWindow(down));
        QCOMPARE(form.diary().dayButtonState, HoldState::pressed);
        QStringList seen;
        // The user lets go while the message is up; the box takes that release.
        whenTheBoxShows(
            &seen, [window, down] { QTest::mouseRelease(window, Qt::LeftButton, {}, centreInWindow(down)); });
        h.clock.advance(500);
        form.diary().dayButtons->poll();
        QCOMPARE(seen, QStringList{QStringLiteral("Invalid SYS.")});
        QCOMPARE(form.diary().dayButtonState, HoldState::idle);
        // Correcting the value does not set the days running.
        typeInto(form.ui.diary.InputSys[0], QStringLiteral("1"));
        for (int ms = 0; ms < 1000; ++ms) {
            h.clock.advance(1);
            form.diary().dayButtons->poll();
        }
        QCOMPARE(form.ui.diary.InputDate->text(), QStringLiteral("Jan./20/2004"));
        QVERIFY(!down->isShowingPressed());
        // And the button answers the next click: one step.
        QTest::mouseClick(window, Qt::LeftButton, {}, centreInWindow(down));
        QCOMPARE(form.ui.diary.InputDate->text(), QStringLiteral("Jan./21/2004"));
        QCOMPARE(seen.size(), 1);
    }

    void theCalendarStaysOpenThroughTheMessageOfTheBoxItLeft() {
        FormHarness h(true);
        MainForm& form = h.start();
        typeInto(form.ui.diary.InputSys[0], QStringLiteral("300"));
        QStringList seen;
        whenTheBoxShows(&seen);
        QTest::mouseClick(form.ui.diary.ImgInputDate, Qt::LeftButton);
        QTRY_COMPARE(seen, QStringList{QStringLiteral("Range of SYS is 0 to 250.")});
        QVERIFY(form.ui.MonthView->isVisible());
        // A click elsewhere in the window still dismisses it (once the window is active again,
        // as a window manager makes it when the box closes).
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        clickLabel(form.ui.diary.LblNote);
        QVERIFY(!form.ui.MonthView->isVisible());
    }

    // A file handed over by a later start while a question is up waits until it is answered, then
    // asks its own question; it never opens a second box over the first.
    void aHandedOverFileWaitsForTheQuestionThatIsUp() {
        FormHarness h(true);
        const QString ann = h.file(QStringLiteral("ann.tnl"));
        const QString bob = h.file(QStringLiteral("bob.tnl"));
        FormHarness::writeFile(ann, "Ann,\r\n");
        FormHarness::writeFile(bob, "Bob,\r\n");
        MainForm& form = h.start(ann);
        typeInto(form.ui.diary.InputSys[0], QStringLiteral("128"));
        clickLabel(form.ui.diary.LblSys);

        QStringList seen;
        int boxesMeanwhile = 0;
        QString captionMeanwhile;
        answerWhenShown(&seen, QMessageBox::Cancel, [&] {
            form.files().openHandedOverFile(bob);
            // A second box, which must not come, is counted and closed rather than left to block.
            QTimer::singleShot(300, [&] {
                boxesMeanwhile = countShownBoxes();
                captionMeanwhile = form.windowTitle();
                if (auto* extra = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                    boxesMeanwhile > 1 && extra != nullptr)
                    extra->reject();
            });
            QTest::qWait(400);
        });
        form.ui.menu.actNew->trigger(); // File > New asks first: Cancel
        QCOMPARE(boxesMeanwhile, 1);
        QCOMPARE(captionMeanwhile, QStringLiteral("Tonolog [ann.tnl]"));
        QCOMPARE(form.windowTitle(), QStringLiteral("Tonolog [ann.tnl]"));

        answerWhenShown(&seen, QMessageBox::No);
        QTRY_COMPARE(form.windowTitle(), QStringLiteral("Tonolog [bob.tnl]"));
        const QString overwrite =
            QStringLiteral("File is not saved.\nWould you like to overwrite the file?\n\n"
                           "New entries will be lost if the file is not saved.");
        QCOMPARE(seen, (QStringList{overwrite, overwrite}));
        QCOMPARE(FormHarness::readFile(ann), QByteArray("Ann,\r\n"));
        QCOMPARE(form.ui.diary.InputName->text(), QStringLiteral("Bob"));
    }
};

QTEST_MAIN(ModalMessagesTest)
#include "test_modal_messages.moc"
