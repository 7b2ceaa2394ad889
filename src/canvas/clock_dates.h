// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/dates.h"
#include "platform/clock.h"

namespace tonolog {

// Today's date and the current date and time from the clock, as the document core counts them.
inline Date todayFrom(const Clock& clock) {
    const QDate d = clock.now().date();
    return dateFromCivil(d.year(), d.month(), d.day());
}
inline DateTime nowFrom(const Clock& clock) {
    const QDateTime n = clock.now();
    return DateTime{todayFrom(clock), n.time().msecsSinceStartOfDay() / 1000};
}

} // namespace tonolog
