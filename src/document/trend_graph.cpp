// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "trend_graph.h"

#include "conversions.h"
#include "list_rows.h"
#include "words.h"

#include <algorithm>
#include <cmath>

namespace tonolog {

namespace {

std::int16_t valueOrAbsent(std::string_view text) {
    if (text.empty())
        return -1;
    return parseInt16(text).value_or(std::int16_t{-1});
}

} // namespace

std::optional<int> trendDayCount(Date start, Date end) {
    const int n = end.serial - start.serial + 1;
    if (n < 1 || n > trendMaxDays)
        return std::nullopt;
    return n;
}

int trendReadingX(double dayWidth, int day, int reading) {
    return roundClampedToInt16(dayWidth * day + dayWidth / 3 * reading + dayWidth / 10);
}

int trendValueY(double height, int value) {
    return roundClampedToInt16(height - height / 250 * value);
}

TrendDayLabels trendDayLabels(Date start, Date end, double firstLeft, double dayWidth) {
    TrendDayLabels labels;
    for (int j = 0; j < 6; ++j) {
        labels.text[static_cast<std::size_t>(j)] =
            std::to_string(civilFromDate(Date{start.serial + 5 * j}).day);
        labels.left[static_cast<std::size_t>(j)] = firstLeft + 5 * dayWidth * j;
    }
    labels.text[6] = std::to_string(civilFromDate(end).day);
    return labels;
}

double trendAxisLabelTop(double canvasTop, double canvasHeight, int value, double labelHeight) {
    return trendValueY(canvasHeight, value) - labelHeight / 2 + canvasTop;
}

int countTrendReadings(const TrendSeries& series) {
    int count = 0;
    for (std::size_t i = 0; i < static_cast<std::size_t>(3 * series.days); ++i)
        if (series.sys[i] != -1 || series.dia[i] != -1 || series.pul[i] != -1)
            ++count;
    return count;
}

TrendSeries collectTrendSeries(const ReadingTable& table, Date start, Date end) {
    TrendSeries series;
    series.sys.fill(-1);
    series.dia.fill(-1);
    series.pul.fill(-1);
    const auto n = trendDayCount(start, end);
    if (!n)
        return series;
    series.days = *n;
    int searchFrom = 1;
    for (int d = 0; d < *n; ++d) {
        const Date day{start.serial + d};
        const int position = table.findByKeyOfDay(formatDayKey(day), day.serial, searchFrom);
        if (position == 0)
            continue;
        searchFrom = position;
        const DayRow& row = table.rowAt(position);
        for (int k = 0; k < 3; ++k) {
            const auto i = static_cast<std::size_t>(3 * d + k);
            series.sys[i] = valueOrAbsent(row.column(4 * k + 1));
            series.dia[i] = valueOrAbsent(row.column(4 * k + 2));
            series.pul[i] = valueOrAbsent(row.column(4 * k + 3));
        }
    }
    return series;
}

std::vector<TrendMark> planTrendMarks(const TrendSeries& series, double width, double height) {
    std::vector<TrendMark> marks;
    if (series.days < 1)
        return marks;
    const double w = dayWidth(width, series.days);
    struct Latest {
        int x = 0;
        int y = 0;
        int count = 0;
    };
    Latest sys;
    Latest dia;
    for (int d = 0; d < series.days; ++d)
        for (int k = 0; k < 3; ++k) {
            const auto i = static_cast<std::size_t>(3 * d + k);
            const int x = trendReadingX(w, d, k);
            const bool hasSys = series.sys[i] != -1;
            const bool hasDia = series.dia[i] != -1;
            const bool hasPul = series.pul[i] != -1;
            const int ySys = hasSys ? trendValueY(height, series.sys[i]) : 0;
            const int yDia = hasDia ? trendValueY(height, series.dia[i]) : 0;
            if (hasSys && hasDia)
                marks.push_back({TrendMark::line, TrendMark::black, 1, x, yDia, x, ySys});
            if (hasSys && sys.count > 0)
                marks.push_back({TrendMark::line, TrendMark::red, 2, sys.x, sys.y, x, ySys});
            if (hasDia && dia.count > 0)
                marks.push_back({TrendMark::line, TrendMark::blue, 2, dia.x, dia.y, x, yDia});
            if (hasPul) {
                const int yPul = trendValueY(height, series.pul[i]);
                marks.push_back({TrendMark::pulseDot, TrendMark::black, 1, x, yPul, x, yPul});
            }
            if (hasSys)
                sys = Latest{x, ySys, sys.count + 1};
            if (hasDia)
                dia = Latest{x, yDia, dia.count + 1};
        }
    if (sys.count == 1)
        marks.push_back({TrendMark::dot, TrendMark::red, 3, sys.x, sys.y, sys.x, sys.y});
    if (dia.count == 1)
        marks.push_back({TrendMark::dot, TrendMark::blue, 3, dia.x, dia.y, dia.x, dia.y});
    return marks;
}

TrendLegend trendLegend(const CaptionBox& sys, const CaptionBox& dia, const CaptionBox& pul) {
    TrendLegend legend;
    legend.xl = roundClampedToInt16(sys.width + sys.left + sys.height / 2);
    legend.xr = legend.xl + 140;
    legend.xm = roundClampedToInt16(legend.xl + 70.0);
    legend.ySys = roundClampedToInt16(sys.height / 3 + sys.top);
    legend.yDia = roundClampedToInt16(dia.height / 3 + dia.top);
    legend.yPul = roundClampedToInt16(pul.height / 3 + pul.top);
    return legend;
}

std::optional<TrendWindow> shiftedTrendWindow(Date windowStart, DateTime firstDay, DateTime lastDay,
                                              bool forward) {
    const CivilDate c = civilFromDate(windowStart);
    int y = c.year;
    int m = c.month;
    int d = c.day;
    if (forward) {
        if (d == 1) {
            d = 16;
        } else if (d == 16) {
            d = 1;
            if (++m == 13) {
                m = 1;
                ++y;
            }
        }
    } else {
        if (d == 1) {
            d = 16;
            if (--m == 0) {
                m = 12;
                --y;
            }
        } else if (d == 16) {
            d = 1;
        }
    }
    const Date start = dateFromCivil(y, m, d);
    const Date end = windowEndFor(start);
    if (forward && DateTime::atMidnight(start) > lastDay)
        return std::nullopt;
    if (!forward && DateTime::atMidnight(end) < firstDay)
        return std::nullopt;
    return TrendWindow{start, end};
}

std::optional<Date> trendDayUnderPointer(Date start, Date end, double canvasWidth, int pointerX) {
    const auto n = trendDayCount(start, end);
    if (!n || canvasWidth <= 0)
        return std::nullopt;
    const double w = dayWidth(canvasWidth, *n);
    // The right edge itself belongs to the last day, and a pointer left of the canvas to the first.
    const int day = std::clamp(static_cast<int>(std::floor(pointerX / w)) + 1, 1, *n);
    return Date{start.serial + day - 1};
}

namespace {

TrendFigures figuresOf(const std::array<std::int16_t, 3 * trendMaxDays>& values, int days) {
    TrendFigures figures;
    long sum = 0;
    for (std::size_t i = 0; i < static_cast<std::size_t>(3 * days); ++i) {
        const int value = values[i];
        if (value == -1)
            continue;
        figures.lowest = figures.count == 0 ? value : std::min(figures.lowest, value);
        figures.highest = figures.count == 0 ? value : std::max(figures.highest, value);
        sum += value;
        ++figures.count;
    }
    if (figures.count > 0)
        figures.mean = static_cast<int>(roundHalfEven(static_cast<double>(sum) / figures.count));
    return figures;
}

} // namespace

TrendStats trendStats(const TrendSeries& series) {
    return TrendStats{countTrendReadings(series), figuresOf(series.sys, series.days),
                      figuresOf(series.dia, series.days), figuresOf(series.pul, series.days)};
}

std::string trendWindowWords(Date start, Date end) {
    const CivilDate a = civilFromDate(start);
    const CivilDate b = civilFromDate(end);
    std::string from = shortMonthOf(start) + " " + std::to_string(a.day);
    if (a.year != b.year)
        from += ", " + std::to_string(a.year);
    const std::string to = shortMonthOf(end) + " " + std::to_string(b.day) + ", " + std::to_string(b.year);
    return translatedWith(QT_TRANSLATE_NOOP("Tonolog", "%1 to %2"), {from, to});
}

std::string describeTrendWindow(Date start, Date end, const TrendSeries& series) {
    const TrendStats stats = trendStats(series);
    std::string words = trendWindowWords(start, end) + ": ";
    if (stats.readings == 0)
        return words + translated(QT_TRANSLATE_NOOP("Tonolog", "no readings"));
    words += stats.readings == 1 ? translated(QT_TRANSLATE_NOOP("Tonolog", "1 reading"))
                                 : translatedWith(QT_TRANSLATE_NOOP("Tonolog", "%1 readings"),
                                                  {std::to_string(stats.readings)});
    const auto range = [&words](const char* text, const TrendFigures& f) {
        if (f.count > 0)
            words += "; " + translatedWith(text, {std::to_string(f.mean), std::to_string(f.lowest),
                                                  std::to_string(f.highest)});
    };
    range(QT_TRANSLATE_NOOP("Tonolog", "SYS mean %1, lowest %2, highest %3"), stats.sys);
    range(QT_TRANSLATE_NOOP("Tonolog", "DIA mean %1, lowest %2, highest %3"), stats.dia);
    if (stats.pul.count > 0)
        words += "; " + translatedWith(QT_TRANSLATE_NOOP("Tonolog", "mean pulse %1"),
                                       {std::to_string(stats.pul.mean)});
    return words;
}

int trendCursorStart(const TrendSeries& series) {
    for (int d = series.days - 1; d > 0; --d)
        for (int k = 0; k < 3; ++k) {
            const auto i = static_cast<std::size_t>(3 * d + k);
            if (series.sys[i] != -1 || series.dia[i] != -1 || series.pul[i] != -1)
                return d;
        }
    return 0;
}

std::string describeTrendDay(const ReadingTable& table, Date day) {
    const std::string key = formatDayKey(day);
    ListRow row;
    const int position = table.findByKeyOfDay(key, day.serial);
    if (position == 0 || !fillListRow(table, position, ListChart{}, 0, 0, row))
        return key + ": " + translated(QT_TRANSLATE_NOOP("Tonolog", "no readings"));
    return describeListRow(row);
}

} // namespace tonolog
