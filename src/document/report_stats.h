#pragma once

#include "dates.h"
#include "reading_table.h"

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

// One reading of the period; -1 where a value is absent, minuteOfDay -1 without a readable time.
struct PeriodReading {
    Date date;
    int reading = 1; // 1..3
    int minuteOfDay = -1;
    int sys = -1;
    int dia = -1;
    int pul = -1;
};

// The readings of the period in date order. A reading whose SYS, DIA or PUL is not a whole
// number from 0 to 250 (possible only in a file edited by hand) is left out and counted.
struct PeriodReadings {
    std::vector<PeriodReading> readings;
    int leftOut = 0;
};
PeriodReadings readingsOfPeriod(const ReadingTable& table, const ReportOptions& options);

// 04:00 to 11:59, and 18:00 to 03:59.
bool isMorning(int minuteOfDay);
bool isEvening(int minuteOfDay);

struct MeanAndSpread {
    int count = 0;
    double mean = 0;
    double standardDeviation = 0; // of a sample; 0 for fewer than two values
};

struct SeriesFigures {
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
    // Readings with SYS at or above its threshold or DIA at or above its own.
    int atOrAboveThreshold = 0;
    double shareAtOrAboveThreshold = 0; // 0..1 of the readings with SYS or DIA
};
ReportSummary summarise(const PeriodReadings& period, const ReportOptions& options);

// The period's mean against the threshold in plain words, or a sentence that there is nothing
// to compare.
std::string thresholdVerdict(const ReportSummary& summary, const ReportOptions& options);

} // namespace tonolog
