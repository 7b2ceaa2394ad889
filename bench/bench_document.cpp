// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Measures the diary core at its largest: 32767 days.
#include "document/data_file.h"

#include "full_diary.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

using namespace tonolog;

namespace {

constexpr int days = ReadingTable::maxRows;
const Date firstDate = dateFromCivil(1930, 1, 1);

DayRecord recordFor(int i) {
    DayRecord r;
    r.date = Date{firstDate.serial + i};
    r.sys = {std::to_string(110 + i % 40), "", std::to_string(120 + i % 30)};
    r.dia = {std::to_string(70 + i % 20), "", std::to_string(75 + i % 15)};
    r.pul = {std::to_string(60 + i % 25), "", std::to_string(65 + i % 20)};
    r.time = {"7:05am", "", "9:40pm"};
    r.note = i % 7 == 0 ? "after a walk, felt fine" : "";
    return r;
}

ReadingTable makeTable(int count) {
    ReadingTable table;
    for (int i = 0; i < count; ++i) {
        const DayRecord r = recordFor(i);
        addRowFromRecord(table, r, table.count() + 1, formatDayKey(r.date));
    }
    return table;
}

const std::string& diaryFile() {
    static const std::string path = [] {
        const std::string p = (std::filesystem::temp_directory_path() / "tonolog-bench.tnl").string();
        writeFileAtomically(p, formatDiary("Ann", makeTable(days)));
        return p;
    }();
    return path;
}

const Date today = dateFromCivil(2026, 12, 7);

// The floor: read the file's bytes and split them into lines.
void readAndSplitLines(benchmark::State& state) {
    for (auto _ : state) {
        const auto bytes = readWholeFile(diaryFile());
        std::vector<std::string_view> lines;
        bench::splitLines(*bytes, lines);
        benchmark::DoNotOptimize(lines.data());
    }
}
BENCHMARK(readAndSplitLines)->Unit(benchmark::kMillisecond);

void loadDiary(benchmark::State& state) {
    for (auto _ : state) {
        Document doc;
        doc.open(diaryFile(), today);
        benchmark::DoNotOptimize(doc.table().count());
    }
}
BENCHMARK(loadDiary)->Unit(benchmark::kMillisecond);

void writeDiary(benchmark::State& state) {
    // As the backup is written after each commit.
    const std::string path = (std::filesystem::temp_directory_path() / "tonolog-bench-write.tnl").string();
    Document doc(path);
    readDiaryText(doc, formatDiary("Ann", makeTable(days)), today);
    for (auto _ : state)
        benchmark::DoNotOptimize(doc.writeBackup().ok);
    std::remove(path.c_str());
}
BENCHMARK(writeDiary)->Unit(benchmark::kMillisecond);

void findByKeyLastDay(benchmark::State& state) {
    const ReadingTable table = makeTable(days);
    const std::string key = formatDayKey(Date{firstDate.serial + days - 1});
    for (auto _ : state)
        benchmark::DoNotOptimize(table.findByKey(key));
}
BENCHMARK(findByKeyLastDay)->Unit(benchmark::kMicrosecond);

// Adds the earliest day (the worst place for the order) and removes it again.
void addAndReorderThenRemove(benchmark::State& state) {
    ReadingTable table = makeTable(days - 1);
    DayRecord r = recordFor(0);
    r.date = Date{firstDate.serial - 1};
    const std::string key = formatDayKey(r.date);
    for (auto _ : state) {
        const int position = table.add(table.count() + 1, key);
        const int placed = table.setSubColumn(position, dayNumberColumn, formatDayNumber(r.date));
        table.remove(placed);
    }
}
BENCHMARK(addAndReorderThenRemove)->Unit(benchmark::kMicrosecond);

void addRowFromRecordInTheMiddle(benchmark::State& state) {
    ReadingTable table = makeTable(days - 1);
    DayRecord r = recordFor(days / 2);
    for (auto _ : state) {
        const int position = addRowFromRecord(table, r, table.count() + 1, "x");
        table.remove(position);
    }
}
BENCHMARK(addRowFromRecordInTheMiddle)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
