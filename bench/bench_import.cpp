// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Measures the import of other programs' CSV files: read, recognised, checked, planned and put
// into an empty diary. Goals: the six-year spreadsheet (3,241 readings) within 50 ms, a CSV of
// 100,000 readings within 1 s. The floor of each is splitting the same bytes into lines; the
// ratio to it is reported beside the time, as this machine is noisy.
#include "document/document.h"
#include "document/import_merge.h"
#include "document/import_readings.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

using namespace tonolog;

namespace {

const std::filesystem::path spreadsheet =
    std::filesystem::path(TONOLOG_IMPORT_SAMPLES) / "spreadsheet/jscrane-bp-omron-2019-2025.csv";

std::string sixYears() {
    std::ifstream in(spreadsheet, std::ios::binary);
    return std::string{std::istreambuf_iterator<char>(in), {}};
}

// 100,000 readings, three a day and a fourth every tenth day (which does not fit), newest first as
// the cuff apps write them.
std::string hundredThousand() {
    std::string csv = "Date,Time,Systolic (mmHg),Diastolic (mmHg),Pulse (bpm),Notes\n";
    const Date first = dateFromCivil(1960, 1, 1);
    int day = 0;
    for (int n = 0; n < 100000; ++day) {
        const int perDay = day % 10 == 0 ? 4 : 3;
        for (int k = 0; k < perDay && n < 100000; ++k, ++n) {
            char line[96];
            std::snprintf(line, sizeof line, "%s,%02d:%02d,%d,%d,%d,%s\n",
                          formatIsoDate(Date{first.serial + day}).c_str(), 6 + 5 * k, n % 60, 110 + n % 40,
                          70 + n % 20, 55 + n % 30, n % 50 == 0 ? "after a walk" : "");
            csv += line;
        }
    }
    return csv;
}

LocalDateTime asUtc(std::int64_t seconds) {
    return utcDateTime(seconds);
}

std::size_t importInto(const std::string& bytes) {
    Document document("/nonexistent/backup");
    const CsvRows rows = readCsvRows(bytes);
    const auto layout = recogniseCsv(rows);
    const ReadingsRead read = readCsvReadings(rows, *layout, asUtc);
    const ImportPlan plan = planImport(document.table(), read);
    applyImport(document, plan, {});
    return static_cast<std::size_t>(document.table().count());
}

std::size_t splitLines(const std::string& bytes) {
    std::size_t lines = 0;
    for (std::size_t at = 0; (at = bytes.find('\n', at)) != std::string::npos; ++at)
        ++lines;
    return lines;
}

void measure(benchmark::State& state, const std::string& bytes, double goalMs) {
    double floorSeconds = 0, importSeconds = 0;
    std::size_t days = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(splitLines(std::string(bytes)));
        const auto t1 = std::chrono::steady_clock::now();
        days = importInto(bytes);
        const auto t2 = std::chrono::steady_clock::now();
        floorSeconds += std::chrono::duration<double>(t1 - t0).count();
        importSeconds += std::chrono::duration<double>(t2 - t1).count();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["import_ms"] = importSeconds / n * 1000;
    state.counters["floor_ms"] = floorSeconds / n * 1000;
    state.counters["ratio"] = floorSeconds > 0 ? importSeconds / floorSeconds : 0;
    state.counters["goal_ms"] = goalMs;
    state.counters["days"] = static_cast<double>(days);
    if (importSeconds / n * 1000 > goalMs)
        state.SkipWithError("slower than its goal");
}

void sixYearSpreadsheet(benchmark::State& state) {
    if (!std::filesystem::exists(spreadsheet)) {
        state.SkipWithError("the folder of other programs' exports is absent");
        return;
    }
    measure(state, sixYears(), 50);
}
BENCHMARK(sixYearSpreadsheet)->Unit(benchmark::kMillisecond)->UseRealTime();

void hundredThousandReadings(benchmark::State& state) {
    static const std::string bytes = hundredThousand();
    measure(state, bytes, 1000);
}
BENCHMARK(hundredThousandReadings)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
