// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>

namespace tonolog {

class Clock;

// The press-and-hold behaviour of the navigation buttons (previous/next day, list row, trend window).
//
// A click shorter than half a second takes exactly one step, at the release. A longer hold takes a
// step 0.5 s after the press, then one every 0.1 s, every 0.05 s once it has repeated for more than
// 2 s and every 0.02 s once it has repeated for more than 5 s. A new interval applies from the step
// after the one at which it was chosen.
//
// The state of a group of buttons (0 idle, 1 pressed and waiting, 2 repeating) belongs to the main
// window; the controller reads and writes it through the reference it is given, and re-reads it
// after every step, so a step or any other code that sets it to 0 ends the repetition.
//
// Rather than a nested event loop, a single-shot timer wakes the controller up; the injected clock
// decides whether a step is due, and the timer is re-armed with the time left to the next deadline.
// A step may re-enter the event loop (a modal message box): a wake-up that arrives while a step
// runs does nothing, and the schedule goes on from the time the step returned.
// Where a group of press-and-hold buttons stands: not held, held and waiting for the first
// repetition, repeating.
enum class HoldState : std::int16_t { idle, pressed, repeating };

class PressAndHold : public QObject {
    Q_OBJECT

public:
    static constexpr qint64 holdDelayMs = 500;
    static constexpr qint64 slowIntervalMs = 100;
    static constexpr qint64 mediumIntervalMs = 50;
    static constexpr qint64 fastIntervalMs = 20;
    // Repeating for longer than these (from the first repeated step) speeds the repetition up.
    static constexpr qint64 mediumAfterMs = 2000;
    static constexpr qint64 fastAfterMs = 5000;

    PressAndHold(const Clock& clock, HoldState& state, QObject* parent = nullptr);
    ~PressAndHold() override;

    PressAndHold(const PressAndHold&) = delete;
    PressAndHold& operator=(const PressAndHold&) = delete;

    // Mouse-down: the state becomes pressed and the half-second wait starts now. `step` is taken by the
    // repetition and by the release.
    void press(std::function<void()> step);

    // Mouse-up: a repetition just stops, without a further step. Otherwise (pressed, or idle when
    // something cleared it during the hold) the state becomes idle and one step is taken now.
    // When another step of this controller is still running (a release that arrives inside its
    // modal box), that one step is taken as soon as the running step returns, never nested in it.
    void release();

    // Abandons the press (the window lost the mouse): the state becomes idle and no step is taken,
    // neither now nor at a later release.
    void cancel();

    // What a wake-up of the timer does: if the clock says a step is due, takes it and schedules the
    // next one; otherwise waits for the time that is left. Does nothing while a step runs.
    void poll();

    // Whether the timer is armed for a wake-up.
    bool isWaiting() const { return timer_.isActive(); }

private:
    void repeatStep();
    // Runs the step, and the click of a release that came in meanwhile. False if the controller was
    // destroyed by them.
    bool runStep(std::function<void()> step);
    void rearm();
    void wakeAt(qint64 deadlineMs);

    const Clock& clock_;
    HoldState& state_;
    QTimer timer_;

    std::function<void()> step_;
    std::function<void()> pendingClick_;
    bool stepping_ = false;

    qint64 holdDeadlineMs_ = 0;
    qint64 repeatStartMs_ = 0;
    qint64 nextDeadlineMs_ = 0;
    qint64 intervalMs_ = slowIntervalMs;
    int phase_ = 0;
};

class ImageButton;

// Wires an image button to the controller: the pressed picture while held, a press that starts
// the hold with `step`, a release that ends it.
void connectHeldButton(ImageButton* button, PressAndHold* hold, std::function<void()> step);

// The keys of the held buttons, which none of the page's boxes uses: Page Up or Alt+Up for the
// button that steps back, Page Down or Alt+Down for the one that steps on.
QList<QKeySequence> stepBackKeys();
QList<QKeySequence> stepOnKeys();

// Keys that take one step of a held button, as a short click on it does, while the page the
// button sits on is in front; the button's tooltip names them.
void addStepKeys(ImageButton* button, const QList<QKeySequence>& keys, std::function<void()> step);

} // namespace tonolog
