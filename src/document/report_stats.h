// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dates.h"
#include "reading_table.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The figures of a report for the doctor over a measurement period: means and spread of the
// readings, morning and evening apart, the extremes and the share at or above the home
// threshold. Standard C++, tested without a window.
namespace tonolog {

struct ReportOptions {
    Date from;
    Date to;
    int thresholdSys = 135; // the European home threshold, mmHg
    int thresholdDia = 85;
    // The usual home protocol leaves out the first day of the period that has readings.
    bool leaveOutFirstDay = false;
};

// Why a line of the period is or is not in the figures.
enum class ReadingUse {
    Counted,
    FirstDay, // the first day with readings, left out by the home protocol
    BadValue, // a SYS, DIA or PUL that is no whole number from 0 to 250 (a hand-edited file)
    NoteOnly, // a day with a note and no reading: a line of the table, no reading
};

// One reading of the period; -1 where a value is absent, minuteOfDay -1 without a readable time.
struct PeriodReading {
    Date date;
    int position = 0; // the day's row in the table
    int reading = 1;  // 1..3; 0 for a day with only a note
    int minuteOfDay = -1;
    int sys = -1;
    int dia = -1;
    int pul = -1;
    ReadingUse use = ReadingUse::Counted;
};

// The readings of the period in date order, each with its use; leftOut counts the readings with
// a bad value.
struct PeriodReadings {
    std::vector<PeriodReading> readings;
    int leftOut = 0;
};
PeriodReadings readingsOfPeriod(const ReadingTable& table, const ReportOptions& options);

struct Period {
    Date from;
    Date to;
};

enum class QuickPeriod { LastSevenDays, LastThirtyDays, TrendWindow, WholeDiary };

// The quick choices of a period: the last 7 or 30 days ending on the latest day of the diary,
// the Trend page's window, or the whole diary. An empty diary's days end today.
Period quickPeriod(QuickPeriod choice, const ReadingTable& table, Period trendWindow, Date today);

// 04:00 to 11:59, and 18:00 to 03:59.
bool isMorning(int minuteOfDay);
bool isEvening(int minuteOfDay);

struct MeanAndSpread {
    int count = 0;
    std::int64_t sum = 0;
    double mean = 0;
    double standardDeviation = 0; // of a sample; 0 for fewer than two values
};

struct SeriesFigures {
    int readings = 0;
    MeanAndSpread sys;
    MeanAndSpread dia;
    MeanAndSpread pul;
};

struct Extreme {
    int value = 0;
    Date date;
};

struct ReportSummary {
    int daysWithReadings = 0;
    int readingsCounted = 0;
    int readingsLeftOut = 0;
    SeriesFigures whole;
    SeriesFigures morning;
    SeriesFigures evening;
    std::optional<Extreme> lowestSys;
    std::optional<Extreme> highestSys;
    std::optional<Extreme> lowestDia;
    std::optional<Extreme> highestDia;
    // Readings with SYS at or above its threshold or DIA at or above its own, of the readings
    // that have a pressure at all.
    int atOrAboveThreshold = 0;
    int readingsWithPressure = 0;
    double shareAtOrAboveThreshold = 0; // 0..1
};
ReportSummary summarise(const PeriodReadings& period, const ReportOptions& options);

// The period's mean against the threshold in plain words, or a sentence that there is nothing
// to compare.
std::string thresholdVerdict(const ReportSummary& summary, const ReportOptions& options);

// Everything a report shows, taken from the diary at one moment.
struct Report {
    std::string ownerName;
    ReportOptions options;
    Date madeOn;
    PeriodReadings period;
    ReportSummary summary;
};
Report makeReport(const ReadingTable& table, std::string ownerName, const ReportOptions& options,
                  Date madeOn);

// numerator / denominator to one decimal, exactly, a half going to the even tenth ("88.6").
std::string formatTenths(std::int64_t numerator, std::int64_t denominator);
// A mean with its standard deviation, "131.4 ± 6.2"; a dash without values.
std::string formatMeanAndSpread(const MeanAndSpread& figures);
// The share at or above the threshold, "5 of 12 (41.7%)".
std::string formatThresholdShare(const ReportSummary& summary);

} // namespace tonolog
