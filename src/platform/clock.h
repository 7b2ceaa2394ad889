// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>

namespace tonolog {

// The time of day, for "today", the current-time buttons and press-and-hold timing.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    // A steadily increasing time in milliseconds, for measuring how long a button is held.
    virtual qint64 elapsedMs() const = 0;
};

class SystemClock : public Clock {
public:
    QDateTime now() const override;
    qint64 elapsedMs() const override;
};

} // namespace tonolog
