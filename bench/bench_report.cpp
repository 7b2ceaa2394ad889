// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Measures the report for the doctor on the largest diary: 32767 days of three readings each
// (98301 readings). The summary of the whole diary against a floor of touching every stored value
// once; the whole report made into a PDF against a floor of writing its bytes with fsync. Both
// floors are measured in the same run and reported with the ratio.
#include "document/data_file.h"
#include "document/file_io.h"
#include "document/report_stats.h"
#include "report/report_renderer.h"

#include "full_diary.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPdfWriter>

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>

using namespace tonolog;

namespace {

using Clock = std::chrono::steady_clock;

const ReadingTable& fullDiary() {
    static const Document diary = [] {
        Document d;
        readDiaryText(d, bench::fullDiaryText(), bench::fullDiaryLastDay);
        return d;
    }();
    return diary.table();
}

ReportOptions wholeDiary() {
    const ReadingTable& t = fullDiary();
    ReportOptions o;
    o.from = *parseDate(t.rowAt(1).key());
    o.to = *parseDate(t.rowAt(t.count()).key());
    return o;
}

double secondsOf(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// The floor of the summary: every stored value and time looked at once.
double scanFloor() {
    const ReadingTable& t = fullDiary();
    const auto start = Clock::now();
    std::size_t sum = 0;
    for (int p = 1; p <= t.count(); ++p) {
        const DayRow& row = t.rowAt(p);
        for (int c = 1; c <= 12; ++c)
            sum += row.column(c).size();
    }
    benchmark::DoNotOptimize(sum);
    return secondsOf(Clock::now() - start);
}

void summaryOfTheWholeDiary(benchmark::State& state) {
    const ReadingTable& t = fullDiary();
    const ReportOptions o = wholeDiary();
    double floor = 0;
    double made = 0;
    for (auto _ : state) {
        state.PauseTiming();
        floor += scanFloor();
        state.ResumeTiming();
        const auto start = Clock::now();
        const Report report = makeReport(t, "Ann", o, o.to);
        made += secondsOf(Clock::now() - start);
        benchmark::DoNotOptimize(report.summary.readingsCounted);
    }
    state.counters["readings"] = makeReport(t, "Ann", o, o.to).summary.readingsCounted;
    state.counters["scan_floor_ms"] = benchmark::Counter(floor * 1e3, benchmark::Counter::kAvgIterations);
    state.counters["time_per_floor"] = made / floor;
}

void wholeReportAsPdf(benchmark::State& state) {
    const ReadingTable& t = fullDiary();
    const Report report = makeReport(t, "Ann", wholeDiary(), wholeDiary().to);
    const std::string path = (std::filesystem::temp_directory_path() / "tonolog-bench-report.pdf").string();
    double floor = 0;
    double made = 0;
    int pages = 0;
    qint64 bytes = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&buffer);
            setUpReportPage(writer);
            ReportRenderer renderer(report, t);
            pages = renderer.layOut(writer);
            renderer.render(writer, -1, {});
        }
        made += secondsOf(Clock::now() - start);
        bytes = buffer.data().size();
        state.PauseTiming();
        const auto floorStart = Clock::now();
        writeFileAtomically(path,
                            std::string_view(buffer.data().constData(), static_cast<std::size_t>(bytes)));
        floor += secondsOf(Clock::now() - floorStart);
        state.ResumeTiming();
    }
    std::filesystem::remove(path);
    state.counters["pages"] = pages;
    state.counters["pdf_MB"] = static_cast<double>(bytes) / (1 << 20);
    state.counters["write_fsync_floor_ms"] =
        benchmark::Counter(floor * 1e3, benchmark::Counter::kAvgIterations);
    state.counters["time_per_floor"] = made / floor;
}

} // namespace

BENCHMARK(summaryOfTheWholeDiary)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(wholeReportAsPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
