// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/clock.h"

#include <QElapsedTimer>

namespace tonolog {

namespace {

// One monotonic timer for the whole run, started at its first use.
const QElapsedTimer& runTimer() {
    static const QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return timer;
}

} // namespace

QDateTime SystemClock::now() const {
    return QDateTime::currentDateTime();
}

qint64 SystemClock::elapsedMs() const {
    return runTimer().elapsed();
}

} // namespace tonolog
