#include "report_stats.h"

#include "conversions.h"

#include <algorithm>
#include <cmath>

namespace tonolog {

namespace {

// A stored value: -1 when empty, -2 when it is no whole number from 0 to 250.
int valueOf(std::string_view text) {
    if (trimBlanks(text).empty())
        return -1;
    const auto value = parseInt16(text);
    if (!value || *value < 0 || *value > 250 || trimBlanks(text).find('.') != std::string_view::npos)
        return -2;
    return *value;
}

struct Accumulator {
    int count = 0;
    double sum = 0;
    double sumOfSquares = 0;
    void add(int v) {
        ++count;
        sum += v;
        sumOfSquares += static_cast<double>(v) * v;
    }
    MeanAndSpread figures() const {
        MeanAndSpread f;
        f.count = count;
        if (count == 0)
            return f;
        f.mean = sum / count;
        if (count > 1)
            f.standardDeviation = std::sqrt(std::max(0.0, (sumOfSquares - sum * sum / count) / (count - 1)));
        return f;
    }
};

struct SeriesAccumulator {
    Accumulator sys;
    Accumulator dia;
    Accumulator pul;
    void add(const PeriodReading& r) {
        if (r.sys >= 0)
            sys.add(r.sys);
        if (r.dia >= 0)
            dia.add(r.dia);
        if (r.pul >= 0)
            pul.add(r.pul);
    }
    SeriesFigures figures() const { return {sys.figures(), dia.figures(), pul.figures()}; }
};

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
    bool firstDayLeftOut = !options.leaveOutFirstDay;
    for (int position = 1; position <= table.count(); ++position) {
        const DayRow& row = table.rowAt(position);
        const auto date = parseDate(row.key());
        if (!date || *date < options.from || *date > options.to)
            continue;
        std::vector<PeriodReading> day;
        for (int k = 0; k < 3; ++k) {
            PeriodReading r;
            r.date = *date;
            r.reading = k + 1;
            r.sys = valueOf(row.column(4 * k + 1));
            r.dia = valueOf(row.column(4 * k + 2));
            r.pul = valueOf(row.column(4 * k + 3));
            if (r.sys == -1 && r.dia == -1 && r.pul == -1)
                continue;
            if (r.sys == -2 || r.dia == -2 || r.pul == -2) {
                r.sys = r.dia = r.pul = -2;
                day.push_back(r);
                continue;
            }
            if (const auto t = parseTimeOfDay(row.column(4 * k + 4)))
                r.minuteOfDay = t->hour * 60 + t->minute;
            day.push_back(r);
        }
        if (day.empty())
            continue;
        if (!firstDayLeftOut) {
            firstDayLeftOut = true;
            continue;
        }
        for (const PeriodReading& r : day) {
            if (r.sys == -2)
                ++period.leftOut;
            else
                period.readings.push_back(r);
        }
    }
    return period;
}

ReportSummary summarise(const PeriodReadings& period, const ReportOptions& options) {
    ReportSummary s;
    s.readingsLeftOut = period.leftOut;
    SeriesAccumulator whole;
    SeriesAccumulator morning;
    SeriesAccumulator evening;
    Date lastDay{-1};
    for (const PeriodReading& r : period.readings) {
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
        if ((r.sys >= 0 && r.sys >= options.thresholdSys) || (r.dia >= 0 && r.dia >= options.thresholdDia))
            ++s.atOrAboveThreshold;
    }
    // The share is of the readings that have a pressure at all.
    const int withPressure =
        static_cast<int>(std::count_if(period.readings.begin(), period.readings.end(),
                                       [](const PeriodReading& r) { return r.sys >= 0 || r.dia >= 0; }));
    if (withPressure > 0)
        s.shareAtOrAboveThreshold = static_cast<double>(s.atOrAboveThreshold) / withPressure;
    s.whole = whole.figures();
    s.morning = morning.figures();
    s.evening = evening.figures();
    return s;
}

std::string thresholdVerdict(const ReportSummary& summary, const ReportOptions& options) {
    const std::string threshold =
        std::to_string(options.thresholdSys) + "/" + std::to_string(options.thresholdDia);
    if (summary.whole.sys.count == 0 && summary.whole.dia.count == 0)
        return "There are no readings in this period to compare with the home threshold.";
    const bool above = (summary.whole.sys.count > 0 && summary.whole.sys.mean >= options.thresholdSys) ||
                       (summary.whole.dia.count > 0 && summary.whole.dia.mean >= options.thresholdDia);
    return above ? "The average is at or above the home threshold of " + threshold + " mmHg."
                 : "The average is below the home threshold of " + threshold + " mmHg.";
}

} // namespace tonolog
