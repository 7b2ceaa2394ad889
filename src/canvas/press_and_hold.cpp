// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/press_and_hold.h"

#include "canvas/controls.h"

#include "platform/clock.h"

#include <QPointer>
#include <QShortcut>
#include <QStringList>

#include <algorithm>
#include <limits>
#include <utility>

namespace tonolog {

PressAndHold::PressAndHold(const Clock& clock, HoldState& state, QObject* parent)
    : QObject(parent), clock_(clock), state_(state) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &PressAndHold::poll);
}

PressAndHold::~PressAndHold() = default;

void PressAndHold::press(std::function<void()> step) {
    step_ = std::move(step);
    pendingClick_ = nullptr;
    state_ = HoldState::pressed;
    holdDeadlineMs_ = clock_.elapsedMs() + holdDelayMs;
    wakeAt(holdDeadlineMs_);
}

void PressAndHold::release() {
    timer_.stop();
    if (state_ == HoldState::repeating) {
        state_ = HoldState::idle;
        return;
    }
    state_ = HoldState::idle;
    if (!step_)
        return;
    if (stepping_) {
        pendingClick_ = step_;
        return;
    }
    if (runStep(step_))
        rearm();
}

void PressAndHold::cancel() {
    timer_.stop();
    state_ = HoldState::idle;
    step_ = nullptr;
    pendingClick_ = nullptr;
}

void PressAndHold::poll() {
    // The caller of the running step carries on with the schedule when the step returns.
    if (stepping_)
        return;
    const qint64 now = clock_.elapsedMs();
    if (state_ == HoldState::pressed) {
        if (now < holdDeadlineMs_) {
            wakeAt(holdDeadlineMs_);
            return;
        }
        state_ = HoldState::repeating;
        repeatStartMs_ = now;
        intervalMs_ = slowIntervalMs;
        phase_ = 0;
    } else if (state_ == HoldState::repeating) {
        if (now < nextDeadlineMs_) {
            wakeAt(nextDeadlineMs_);
            return;
        }
    } else {
        timer_.stop();
        return;
    }
    timer_.stop(); // no wake-ups while the step runs
    repeatStep();
}

void PressAndHold::repeatStep() {
    if (!runStep(step_))
        return;
    // A step that cleared the state ended the hold; a release and a new press during the step have
    // begun a hold of their own, which waits for its own half second.
    if (state_ != HoldState::repeating) {
        rearm();
        return;
    }
    const qint64 now = clock_.elapsedMs();
    nextDeadlineMs_ = now + intervalMs_;
    if (phase_ == 0 && now > repeatStartMs_ + mediumAfterMs) {
        intervalMs_ = mediumIntervalMs;
        phase_ = 1;
    } else if (phase_ == 1 && now > repeatStartMs_ + fastAfterMs) {
        intervalMs_ = fastIntervalMs;
        phase_ = 2;
    }
    rearm();
}

bool PressAndHold::runStep(std::function<void()> step) {
    const QPointer<PressAndHold> alive(this);
    while (step) {
        stepping_ = true;
        // The step owns its own copy: it may replace step_ by a press of its own.
        step();
        if (alive.isNull())
            return false;
        stepping_ = false;
        step = std::exchange(pendingClick_, nullptr);
    }
    return true;
}

void PressAndHold::rearm() {
    if (state_ == HoldState::pressed)
        wakeAt(holdDeadlineMs_);
    else if (state_ == HoldState::repeating)
        wakeAt(nextDeadlineMs_);
    else
        timer_.stop();
}

void PressAndHold::wakeAt(qint64 deadlineMs) {
    const qint64 left =
        std::clamp<qint64>(deadlineMs - clock_.elapsedMs(), 0, std::numeric_limits<int>::max());
    timer_.start(static_cast<int>(left));
}

void connectHeldButton(ImageButton* button, PressAndHold* hold, std::function<void()> step) {
    QObject::connect(button, &ImageButton::pressed, hold, [button, hold, step = std::move(step)] {
        button->showPressedPicture(true);
        hold->press(step);
    });
    QObject::connect(button, &ImageButton::released, hold, [button, hold] {
        button->showPressedPicture(false);
        hold->release();
    });
}

QList<QKeySequence> stepBackKeys() {
    return {QKeySequence(Qt::Key_PageUp), QKeySequence(Qt::ALT | Qt::Key_Up)};
}

QList<QKeySequence> stepOnKeys() {
    return {QKeySequence(Qt::Key_PageDown), QKeySequence(Qt::ALT | Qt::Key_Down)};
}

void addStepKeys(ImageButton* button, const QList<QKeySequence>& keys, std::function<void()> step) {
    // A shortcut of a hidden page does not answer, so each page's keys work only while it is in
    // front, and the pages can share them.
    auto* shortcut = new QShortcut(button->parentWidget());
    shortcut->setObjectName(button->objectName() + QStringLiteral("Key"));
    shortcut->setKeys(keys);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, button, std::move(step));
    QStringList names;
    for (const QKeySequence& key : keys)
        names << key.toString(QKeySequence::NativeText);
    button->setToolTip(button->toolTip() + QStringLiteral(" (") + names.join(QStringLiteral(", ")) +
                       QLatin1Char(')'));
}

} // namespace tonolog
