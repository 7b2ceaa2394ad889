// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/clock.h"

namespace tonolog {

// A clock that stands still until a test moves it. advance() moves the time of day and the
// elapsed milliseconds together; setNow() changes only the time of day.
class ManualClock : public Clock {
public:
    explicit ManualClock(const QDateTime& start = QDateTime(QDate(2024, 3, 15), QTime(9, 30)))
        : now_(start) {}

    QDateTime now() const override { return now_; }
    qint64 elapsedMs() const override { return elapsedMs_; }

    void setNow(const QDateTime& now) { now_ = now; }
    void advance(qint64 ms) {
        now_ = now_.addMSecs(ms);
        elapsedMs_ += ms;
    }

private:
    QDateTime now_;
    qint64 elapsedMs_ = 0;
};

} // namespace tonolog
