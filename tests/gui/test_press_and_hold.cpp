// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/press_and_hold.h"
#include "platform/clock.h"
#include "support/manual_clock.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QList>
#include <QTimer>
#include <QtTest>

#include <cstdint>
#include <memory>

using namespace tonolog;

namespace {

// A real, steadily running clock of its own, for the tests of the timer path.
class SteadyClock : public Clock {
public:
    SteadyClock() { timer_.start(); }
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    qint64 elapsedMs() const override { return timer_.elapsed(); }

private:
    QElapsedTimer timer_;
};

// Records the clock time of every step, and the state the step saw.
struct StepLog {
    const Clock* clock = nullptr;
    const HoldState* state = nullptr;
    QList<qint64> times;
    QList<int> states;

    void record() {
        times.append(clock->elapsedMs());
        states.append(static_cast<int>(*state));
    }
};

// A controller on a manual clock with a log of its steps.
struct Rig {
    ManualClock clock;
    HoldState state = HoldState::idle;
    PressAndHold controller{clock, state};
    StepLog log{&clock, &state, {}, {}};

    std::tuple<ManualClock&, HoldState&, PressAndHold&, StepLog&> parts() {
        return {clock, state, controller, log};
    }
};

// The step times of a hold that began at 0, for a controller woken up every millisecond: 500 ms of
// waiting, then 0.1 s spacing; the step at 2600 is the first more than 2 s after the repetition began
// at 500, so 0.05 s spacing starts after the step at 2700; the step at 5550 is the first more than
// 5 s after 500, so 0.02 s spacing starts after the step at 5600.
QList<qint64> expectedHoldSteps(qint64 until) {
    QList<qint64> times;
    for (qint64 t = 500; t <= 2700 && t <= until; t += 100)
        times.append(t);
    for (qint64 t = 2750; t <= 5600 && t <= until; t += 50)
        times.append(t);
    for (qint64 t = 5620; t <= until; t += 20)
        times.append(t);
    return times;
}

// Moves the clock on one millisecond at a time, waking the controller at each.
void holdFor(ManualClock& clock, PressAndHold& controller, qint64 ms) {
    for (qint64 i = 0; i < ms; ++i) {
        clock.advance(1);
        controller.poll();
    }
}

} // namespace

class TestPressAndHold : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void shortClickStepsOnceAtRelease();
    void clickJustUnderHalfSecondStillSingleStep();
    void holdRepeatsAtThreeSpeeds();
    void holdForThreeSecondsSpeedsUpOnce();
    void lateWakeUpTakesOneStepAndCountsFromIt();
    void releaseWhileRepeatingStopsWithoutExtraStep();
    void releaseAtTheFirstRepeatedStepTakesNoExtraStep();
    void stepClearingStateStopsRepetition();
    void releaseInsideModalStepStopsRepetition();
    void nestedPollDoesNotRecurse();
    void scheduleResumesFromWhenTheStepReturned();
    void pressDuringStepStartsItsOwnHold();
    void clickDuringStepStepsAfterItNotInside();
    void stateClearedDuringWaitStepsAtRelease();
    void cancelTakesNoStep();
    void cancelWhileRepeatingStops();
    void destroyedInsideStepIsSafe();
    void timerWaitsForTheClock();
    void realClockTakesFirstStepAfterHalfSecond();
};

void TestPressAndHold::shortClickStepsOnceAtRelease() {
    Rig rig;
    auto [clock, state, controller, log] = rig.parts();

    controller.press([&] { log.record(); });
    QCOMPARE(state, HoldState::pressed);
    QVERIFY(controller.isWaiting());
    holdFor(clock, controller, 200);
    QVERIFY(log.times.isEmpty());
    QCOMPARE(state, HoldState::pressed);

    controller.release();
    QCOMPARE(log.times, QList<qint64>{200});
    QCOMPARE(log.states, QList<int>{0});
    QCOMPARE(state, HoldState::idle);
    QVERIFY(!controller.isWaiting());

    holdFor(clock, controller, 2000);
    QCOMPARE(log.times.size(), 1);
    QCOMPARE(state, HoldState::idle);
}

void TestPressAndHold::clickJustUnderHalfSecondStillSingleStep() {
    Rig rig;
    auto [clock, state, controller, log] = rig.parts();

    controller.press([&] { log.record(); });
    holdFor(clock, controller, 499);
    QVERIFY(log.times.isEmpty());
    QCOMPARE(state, HoldState::pressed);
    controller.release();
    QCOMPARE(log.times, QList<qint64>{499});
    QCOMPARE(state, HoldState::idle);
}

void TestPressAndHold::holdRepeatsAtThreeSpeeds() {
    Rig rig;
    auto [clock, state, controller, log] = rig.parts();

    controller.press([&] { log.record(); });
    holdFor(clock, controller, 499);
    QVERIFY(log.times.isEmpty());
    QCOMPARE(state, HoldState::pressed);
    holdFor(clock, controller, 1);
    QCOMPARE(log.times, QList<qint64>{500});
    QCOMPARE(state, HoldState::repeating);

    holdFor(clock, controller, 5500);
    QCOMPARE(log.times, expectedHoldSteps(6000));
    for (int seen : log.states)
        QCOMPARE(seen, 2);

    // Spot checks of the spacings in the three speeds.
    QCOMPARE(log.times.at(1) - log.times.at(0), qint64(100));
    QVERIFY(log.times.contains(2700) && log.times.contains(2750) && !log.times.contains(2650));
    QVERIFY(log.times.contains(5600) && log.times.contains(5620) && !log.times.contains(5610));
    QCOMPARE(log.times.last(), qint64(6000));

    const qsizetype steps = log.times.size();
    controller.release();
    QCOMPARE(state, HoldState::idle);
    QCOMPARE(log.times.size(), steps);
    QVERIFY(!controller.isWaiting());
    holdFor(clock, controller, 1000);
    QCOMPARE(log.times.size(), steps);
}

void TestPressAndHold::holdForThreeSecondsSpeedsUpOnce() {
    Rig rig;
    auto [clock, state, controller, log] = rig.parts();

    controller.press([&] { log.record(); });
    holdFor(clock, controller, 3000);
    controller.release();
    // 500, 600, ..., 2700 at 0.1 s (23 steps), then 2750, ..., 3000 at 0.05 s (6 steps).
    QCOMPARE(log.times, expectedHoldSteps(3000));
    QCOMPARE(log.times.size(), 29);
    QCOMPARE(state, HoldState::idle);
}

void TestPressAndHold::lateWakeUpTakesOneStepAndCountsFromIt() {
    Rig rig;
    auto [clock, state, controller, log] = rig.parts();

    controller.press([&] { log.record(); });
    clock.advance(1000);
    controller.poll();
    controller.poll();
    QCOMPARE(log.times, QList<qint64>{1000});
    QCOMPARE(state, HoldState::repeating);
    holdFor(clock, controller, 99);
    QCOMPARE(log.times.size(), 1);
    holdFor(clock, controller, 1);
    QCOMPARE(log.times, (QList<qint64>{1000, 1100}));
}

void TestPressAndHold::releaseWhileRepeatingStopsWithoutExtraStep() {
    Rig rig;
    auto [clock, state, controller, log] = rig.parts();

    controller.press([&] { log.record(); });
    holdFor(clock, controller, 750);
    QCOMPARE(log.times, (QList<qint64>{500, 600, 700}));
    controller.release();
    QCOMPARE(log.times.size(), 3);
    QCOMPARE(state, HoldState::idle);
    QVERIFY(!controller.isWaiting());
    holdFor(clock, controller, 2000);
    QCOMPARE(log.times.size(), 3);
}

void TestPressAndHold::releaseAtTheFirstRepeatedStepTakesNoExtraStep() {
    Rig rig;
    auto [clock, state, controller, log] = rig.parts();

    controller.press([&] { log.record(); });
    holdFor(clock, controller, 500);
    QCOMPARE(state, HoldState::repeating);
    controller.release();
    QCOMPARE(log.times, QList<qint64>{500});
    QCOMPARE(state, HoldState::idle);
}

void TestPressAndHold::stepClearingStateStopsRepetition() {
    Rig rig;
    auto [clock, state, controller, log] = rig.parts();

    controller.press([&] {
        log.record();
        if (log.times.size() == 3)
            state = HoldState::idle;
    });
    holdFor(clock, controller, 3000);
    QCOMPARE(log.times, (QList<qint64>{500, 600, 700}));
    QCOMPARE(state, HoldState::idle);
    QVERIFY(!controller.isWaiting());
}

void TestPressAndHold::releaseInsideModalStepStopsRepetition() {
    Rig rig;
    auto [clock, state, controller, log] = rig.parts();

    // The second step shows a "modal box": a nested event loop in which the mouse-up is delivered.
    controller.press([&] {
        log.record();
        if (log.times.size() != 2)
            return;
        QEventLoop modal;
        QTimer::singleShot(0, &controller, [&] {
            controller.release();
            modal.quit();
        });
        modal.exec();
    });
    holdFor(clock, controller, 3000);
    QCOMPARE(log.times, (QList<qint64>{500, 600}));
    QCOMPARE(state, HoldState::idle);
    QVERIFY(!controller.isWaiting());
}

void TestPressAndHold::nestedPollDoesNotRecurse() {
    Rig rig;
    auto [clock, state, controller, log] = rig.parts();
    int depth = 0;
    int deepest = 0;

    // Each step processes events in which the controller is woken up, long after its next step
    // would have been due.
    controller.press([&] {
        ++depth;
        deepest = std::max(deepest, depth);
        log.record();
        clock.advance(1000);
        controller.poll();
        controller.poll();
        --depth;
    });
    holdFor(clock, controller, 500);
    QCOMPARE(deepest, 1);
    QCOMPARE(log.times, QList<qint64>{500});
    QCOMPARE(state, HoldState::repeating);
    QVERIFY(controller.isWaiting());

    controller.poll();
    QCOMPARE(deepest, 1);
    QCOMPARE(log.times.size(), 1);
    holdFor(clock, controller, 100);
    QCOMPARE(deepest, 1);
    QCOMPARE(log.times, (QList<qint64>{500, 1600}));
    controller.release();
    QCOMPARE(log.times.size(), 2);
}

void TestPressAndHold::scheduleResumesFromWhenTheStepReturned() {
    Rig rig;
    auto [clock, state, controller, log] = rig.parts();

    // The first step keeps a message box up for 0.25 s; the next step is due 0.1 s after it closed.
    controller.press([&] {
        log.record();
        if (log.times.size() == 1)
            clock.advance(250);
    });
    holdFor(clock, controller, 500);
    QCOMPARE(log.times, QList<qint64>{500});
    QCOMPARE(clock.elapsedMs(), qint64(750));
    holdFor(clock, controller, 99);
    QCOMPARE(log.times.size(), 1);
    holdFor(clock, controller, 1);
    QCOMPARE(log.times, (QList<qint64>{500, 850}));
    controller.release();
}

void TestPressAndHold::pressDuringStepStartsItsOwnHold() {
    ManualClock clock;
    HoldState state = HoldState::idle;
    PressAndHold controller(clock, state);
    StepLog first{&clock, &state, {}, {}};
    StepLog second{&clock, &state, {}, {}};

    // The first repeated step lets a release and a new press through (a nested event loop).
    controller.press([&] {
        first.record();
        controller.release();
        controller.press([&] { second.record(); });
    });
    holdFor(clock, controller, 500);
    QCOMPARE(first.times, QList<qint64>{500});
    QVERIFY(second.times.isEmpty());
    QCOMPARE(state, HoldState::pressed);
    QVERIFY(controller.isWaiting());

    holdFor(clock, controller, 499);
    QCOMPARE(first.times.size(), 1);
    QVERIFY(second.times.isEmpty());
    holdFor(clock, controller, 1);
    QCOMPARE(second.times, QList<qint64>{1000});
    QCOMPARE(state, HoldState::repeating);
    controller.release();
    QCOMPARE(first.times.size(), 1);
    QCOMPARE(second.times.size(), 1);
}

void TestPressAndHold::clickDuringStepStepsAfterItNotInside() {
    ManualClock clock;
    HoldState state = HoldState::idle;
    PressAndHold controller(clock, state);
    StepLog first{&clock, &state, {}, {}};
    int clicks = 0;
    int clicksSeenInsideStep = -1;
    bool insideFirst = false;
    bool clickNested = false;

    controller.press([&] {
        insideFirst = true;
        first.record();
        controller.release();
        controller.press([&] {
            ++clicks;
            clickNested = insideFirst;
        });
        controller.release();
        clicksSeenInsideStep = clicks;
        insideFirst = false;
    });
    holdFor(clock, controller, 500);
    QCOMPARE(first.times, QList<qint64>{500});
    QCOMPARE(clicksSeenInsideStep, 0);
    QCOMPARE(clicks, 1);
    QVERIFY(!clickNested);
    QCOMPARE(state, HoldState::idle);
    QVERIFY(!controller.isWaiting());

    holdFor(clock, controller, 2000);
    QCOMPARE(first.times.size(), 1);
    QCOMPARE(clicks, 1);
}

void TestPressAndHold::stateClearedDuringWaitStepsAtRelease() {
    Rig rig;
    auto [clock, state, controller, log] = rig.parts();

    // A document load clears the state while the button is held.
    controller.press([&] { log.record(); });
    holdFor(clock, controller, 200);
    state = HoldState::idle;
    holdFor(clock, controller, 1000);
    QVERIFY(log.times.isEmpty());
    QVERIFY(!controller.isWaiting());
    controller.release();
    QCOMPARE(log.times, QList<qint64>{1200});
    QCOMPARE(state, HoldState::idle);
}

void TestPressAndHold::cancelTakesNoStep() {
    Rig rig;
    auto [clock, state, controller, log] = rig.parts();

    controller.press([&] { log.record(); });
    holdFor(clock, controller, 300);
    controller.cancel();
    QCOMPARE(state, HoldState::idle);
    QVERIFY(!controller.isWaiting());
    holdFor(clock, controller, 1000);
    controller.release();
    QVERIFY(log.times.isEmpty());
    QCOMPARE(state, HoldState::idle);
}

void TestPressAndHold::cancelWhileRepeatingStops() {
    Rig rig;
    auto [clock, state, controller, log] = rig.parts();

    controller.press([&] { log.record(); });
    holdFor(clock, controller, 650);
    QCOMPARE(log.times, (QList<qint64>{500, 600}));
    controller.cancel();
    QCOMPARE(state, HoldState::idle);
    holdFor(clock, controller, 1000);
    controller.release();
    QCOMPARE(log.times.size(), 2);
}

void TestPressAndHold::destroyedInsideStepIsSafe() {
    ManualClock clock;
    HoldState state = HoldState::idle;
    auto controller = std::make_unique<PressAndHold>(clock, state);
    int steps = 0;

    // The window, and the controller with it, goes away inside a step.
    controller->press([&] {
        ++steps;
        controller.reset();
    });
    for (int i = 0; i < 500 && controller; ++i) {
        clock.advance(1);
        controller->poll();
    }
    QCOMPARE(steps, 1);
    QVERIFY(!controller);
    QCOMPARE(state, HoldState::repeating);
}

void TestPressAndHold::timerWaitsForTheClock() {
    Rig rig;
    auto [clock, state, controller, log] = rig.parts();

    controller.press([&] { log.record(); });
    // Real time passes and the timer fires, but the clock has not moved: no step is due.
    QTest::qWait(700);
    QVERIFY(log.times.isEmpty());
    QCOMPARE(state, HoldState::pressed);
    QVERIFY(controller.isWaiting());

    clock.advance(500);
    QTRY_COMPARE_WITH_TIMEOUT(log.times.size(), 1, 5000);
    QCOMPARE(log.times.first(), qint64(500));
    QCOMPARE(state, HoldState::repeating);

    clock.advance(100);
    QTRY_COMPARE_WITH_TIMEOUT(log.times.size(), 2, 5000);
    QCOMPARE(log.times.at(1), qint64(600));

    controller.release();
    QCOMPARE(state, HoldState::idle);
    clock.advance(1000);
    QTest::qWait(300);
    QCOMPARE(log.times.size(), 2);
}

void TestPressAndHold::realClockTakesFirstStepAfterHalfSecond() {
    SteadyClock clock;
    HoldState state = HoldState::idle;
    PressAndHold controller(clock, state);
    StepLog log{&clock, &state, {}, {}};

    const qint64 pressedAt = clock.elapsedMs();
    controller.press([&] { log.record(); });
    QTRY_VERIFY_WITH_TIMEOUT(log.times.size() >= 2, 5000);
    QVERIFY2(log.times.at(0) - pressedAt >= 500, qPrintable(QString::number(log.times.at(0) - pressedAt)));
    QVERIFY(log.times.at(1) - log.times.at(0) >= 100);
    QCOMPARE(log.states.at(0), 2);

    controller.release();
    QCOMPARE(state, HoldState::idle);
    const qsizetype steps = log.times.size();
    QTest::qWait(300);
    QCOMPARE(log.times.size(), steps);
}

QTEST_MAIN(TestPressAndHold)
#include "test_press_and_hold.moc"
