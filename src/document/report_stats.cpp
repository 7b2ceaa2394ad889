// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "report_stats.h"

#include "words.h"

#include "conversions.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tonolog {

namespace {

inline bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A stored value: -1 when empty, -2 when it is no whole number from 0 to 250.
int valueOf(std::string_view text) {
    // The form the program stores, one to three digits, read directly.
    if (!text.empty() && text.size() <= 3) {
        int value = 0;
        std::size_t i = 0;
        for (; i < text.size() && isDigit(text[i]); ++i)
            value = value * 10 + (text[i] - '0');
        if (i == text.size())
            return value <= 250 ? value : -2;
    }
    if (trimBlanks(text).empty())
        return -1;
    const auto value = parseInt16(text);
    if (!value || *value < 0 || *value > 250 || trimBlanks(text).find('.') != std::string_view::npos)
        return -2;
    return *value;
}

// Sums of whole values, kept exactly: the variance comes from whole numbers before its one division.
struct Accumulator {
    std::int64_t count = 0;
    std::int64_t sum = 0;
    std::int64_t sumOfSquares = 0;
    void add(int v) {
        ++count;
        sum += v;
        sumOfSquares += std::int64_t{v} * v;
    }
    MeanAndSpread figures() const {
        MeanAndSpread f;
        f.count = static_cast<int>(count);
        f.sum = sum;
        if (count == 0)
            return f;
        f.mean = static_cast<double>(sum) / static_cast<double>(count);
        if (count > 1) {
            const std::int64_t spread = count * sumOfSquares - sum * sum; // n^2 times the population variance
            f.standardDeviation =
                std::sqrt(static_cast<double>(spread) / static_cast<double>(count * (count - 1)));
        }
        return f;
    }
};

struct SeriesAccumulator {
    int readings = 0;
    Accumulator sys;
    Accumulator dia;
    Accumulator pul;
    void add(const PeriodReading& r) {
        ++readings;
        if (r.sys >= 0)
            sys.add(r.sys);
        if (r.dia >= 0)
            dia.add(r.dia);
        if (r.pul >= 0)
            pul.add(r.pul);
    }
    SeriesFigures figures() const { return {readings, sys.figures(), dia.figures(), pul.figures()}; }
};

// The minute of the day of a stored time, -1 when it reads as none. The stored form "h:nnam" is
// read directly, any other through the general reading of times.
int minuteOfDay(std::string_view text) {
    const std::size_t n = text.size();
    if ((n == 6 || n == 7) && text[n - 1] == 'm' && (text[n - 2] == 'a' || text[n - 2] == 'p') &&
        text[n - 5] == ':' && isDigit(text[0]) && isDigit(text[n - 4]) && isDigit(text[n - 3]) &&
        (n == 6 || isDigit(text[1]))) {
        const int hour = n == 7 ? (text[0] - '0') * 10 + (text[1] - '0') : text[0] - '0';
        const int minute = (text[n - 4] - '0') * 10 + (text[n - 3] - '0');
        if (hour >= 1 && hour <= 12 && minute < 60)
            return (hour % 12 + (text[n - 2] == 'p' ? 12 : 0)) * 60 + minute;
    }
    const auto t = parseTimeOfDay(text);
    return t ? t->hour * 60 + t->minute : -1;
}

void keepExtreme(std::optional<Extreme>& kept, int value, Date date, bool lower) {
    if (value < 0)
        return;
    if (!kept || (lower ? value < kept->value : value > kept->value))
        kept = Extreme{value, date};
}

} // namespace

bool isMorning(int minuteOfDay) {
    return minuteOfDay >= 4 * 60 && minuteOfDay < 12 * 60;
}

bool isEvening(int minuteOfDay) {
    return minuteOfDay >= 18 * 60 || (minuteOfDay >= 0 && minuteOfDay < 4 * 60);
}

PeriodReadings readingsOfPeriod(const ReadingTable& table, const ReportOptions& options) {
    PeriodReadings period;
    period.readings.reserve(3 * static_cast<std::size_t>(table.count()));
    bool firstDaySeen = !options.leaveOutFirstDay;
    for (int position = 1; position <= table.count(); ++position) {
        // A row without a day number (a hand-edited file) is dated by its key.
        std::optional<Date> date = table.dayOf(position);
        if (!date)
            date = parseDate(table.rowAt(position).key());
        if (!date || *date < options.from || *date > options.to)
            continue;
        const DayRow& row = table.rowAt(position);
        const std::size_t dayBegins = period.readings.size();
        for (int k = 0; k < 3; ++k) {
            PeriodReading r;
            r.date = *date;
            r.position = position;
            r.reading = k + 1;
            r.sys = valueOf(row.column(4 * k + 1));
            r.dia = valueOf(row.column(4 * k + 2));
            r.pul = valueOf(row.column(4 * k + 3));
            if (r.sys == -1 && r.dia == -1 && r.pul == -1)
                continue;
            if (r.sys == -2 || r.dia == -2 || r.pul == -2)
                r.use = ReadingUse::BadValue;
            r.minuteOfDay = minuteOfDay(row.column(4 * k + 4));
            period.readings.push_back(r);
        }
        if (period.readings.size() == dayBegins) {
            if (!trimBlanks(row.column(noteColumn)).empty())
                period.readings.push_back(
                    PeriodReading{*date, position, 0, -1, -1, -1, -1, ReadingUse::NoteOnly});
            continue;
        }
        for (std::size_t i = dayBegins; i < period.readings.size(); ++i) {
            PeriodReading& r = period.readings[i];
            if (!firstDaySeen)
                r.use = ReadingUse::FirstDay;
            else if (r.use == ReadingUse::BadValue)
                ++period.leftOut;
        }
        firstDaySeen = true;
    }
    return period;
}

Period quickPeriod(QuickPeriod choice, const ReadingTable& table, Period trendWindow, Date today) {
    if (choice == QuickPeriod::TrendWindow)
        return trendWindow;
    // The table is in day order; a key that is no date (a hand-edited file) is passed over.
    std::optional<Date> first;
    std::optional<Date> last;
    for (int position = 1; position <= table.count() && !first; ++position)
        first = parseDate(table.rowAt(position).key());
    for (int position = table.count(); position >= 1 && !last; --position)
        last = parseDate(table.rowAt(position).key());
    const Date end = last.value_or(today);
    switch (choice) {
    case QuickPeriod::LastSevenDays:
        return {Date{end.serial - 6}, end};
    case QuickPeriod::LastThirtyDays:
        return {Date{end.serial - 29}, end};
    default:
        return {first.value_or(today), end};
    }
}

ReportSummary summarise(const PeriodReadings& period, const ReportOptions& options) {
    ReportSummary s;
    s.readingsLeftOut = period.leftOut;
    SeriesAccumulator whole;
    SeriesAccumulator morning;
    SeriesAccumulator evening;
    Date lastDay{-1};
    for (const PeriodReading& r : period.readings) {
        if (r.use != ReadingUse::Counted)
            continue;
        ++s.readingsCounted;
        if (r.date != lastDay) {
            ++s.daysWithReadings;
            lastDay = r.date;
        }
        whole.add(r);
        if (isMorning(r.minuteOfDay))
            morning.add(r);
        else if (isEvening(r.minuteOfDay))
            evening.add(r);
        keepExtreme(s.lowestSys, r.sys, r.date, true);
        keepExtreme(s.highestSys, r.sys, r.date, false);
        keepExtreme(s.lowestDia, r.dia, r.date, true);
        keepExtreme(s.highestDia, r.dia, r.date, false);
        // The share is of the readings that have a pressure at all.
        if (r.sys >= 0 || r.dia >= 0)
            ++s.readingsWithPressure;
        if ((r.sys >= 0 && r.sys >= options.thresholdSys) || (r.dia >= 0 && r.dia >= options.thresholdDia))
            ++s.atOrAboveThreshold;
    }
    if (s.readingsWithPressure > 0)
        s.shareAtOrAboveThreshold = static_cast<double>(s.atOrAboveThreshold) / s.readingsWithPressure;
    s.whole = whole.figures();
    s.morning = morning.figures();
    s.evening = evening.figures();
    return s;
}

std::string thresholdVerdict(const ReportSummary& summary, const ReportOptions& options) {
    const std::string threshold =
        std::to_string(options.thresholdSys) + "/" + std::to_string(options.thresholdDia);
    if (summary.whole.sys.count == 0 && summary.whole.dia.count == 0)
        return translated(QT_TRANSLATE_NOOP(
            "Tonolog", "There are no readings in this period to compare with the home threshold."));
    const bool above = (summary.whole.sys.count > 0 && summary.whole.sys.mean >= options.thresholdSys) ||
                       (summary.whole.dia.count > 0 && summary.whole.dia.mean >= options.thresholdDia);
    return above ? translatedWith(QT_TRANSLATE_NOOP(
                                      "Tonolog", "The average is at or above the home threshold of %1 mmHg."),
                                  {threshold})
                 : translatedWith(
                       QT_TRANSLATE_NOOP("Tonolog", "The average is below the home threshold of %1 mmHg."),
                       {threshold});
}

} // namespace tonolog

namespace tonolog {

Report makeReport(const ReadingTable& table, std::string ownerName, const ReportOptions& options,
                  Date madeOn) {
    Report report{std::move(ownerName), options, madeOn, readingsOfPeriod(table, options), {}};
    report.summary = summarise(report.period, options);
    return report;
}

std::string formatTenths(std::int64_t numerator, std::int64_t denominator) {
    if (denominator == 0)
        return "-";
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    // Tenths, exactly: the quotient of 10 * numerator by the denominator, a half to the even one.
    const std::int64_t scaled = numerator * 10;
    std::int64_t tenths = scaled / denominator;
    std::int64_t rest = scaled % denominator;
    if (rest < 0) {
        rest += denominator;
        --tenths;
    }
    if (2 * rest > denominator || (2 * rest == denominator && tenths % 2 != 0))
        ++tenths;
    const bool negative = tenths < 0;
    const std::int64_t magnitude = negative ? -tenths : tenths;
    return (negative ? "-" : "") + std::to_string(magnitude / 10) + "." + std::to_string(magnitude % 10);
}

std::string formatMeanAndSpread(const MeanAndSpread& figures) {
    if (figures.count == 0)
        return "-";
    const double spreadTenths = roundHalfEven(figures.standardDeviation * 10);
    return formatTenths(figures.sum, figures.count) + " \xc2\xb1 " +
           formatTenths(static_cast<std::int64_t>(spreadTenths), 10);
}

std::string formatThresholdShare(const ReportSummary& summary) {
    std::string text =
        std::to_string(summary.atOrAboveThreshold) + " of " + std::to_string(summary.readingsWithPressure);
    if (summary.readingsWithPressure > 0)
        text += " (" +
                formatTenths(100 * std::int64_t{summary.atOrAboveThreshold}, summary.readingsWithPressure) +
                "%)";
    return text;
}

} // namespace tonolog
