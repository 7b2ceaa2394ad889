// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "goal_report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tonolog::bench {

double percentile99(const std::vector<double>& values) {
    if (values.empty())
        return 0;
    std::vector<double> sorted = values;
    std::sort(sorted.begin(), sorted.end());
    const auto rank = static_cast<std::size_t>(std::ceil(0.99 * static_cast<double>(sorted.size())));
    return sorted[std::max<std::size_t>(rank, 1) - 1];
}

void GoalReporter::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs) {
        if (run.run_type != Run::RT_Aggregate)
            continue;
        const bool median = run.aggregate_name == "median";
        if (!median && run.aggregate_name != "p99")
            continue;
        Figures& f = figures_[run.run_name.function_name];
        const double ms = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e3;
        (median ? f.median : f.p99) = ms;
        if (const auto cpu = run.counters.find("cpu_ms"); cpu != run.counters.end()) {
            f.hasCpu = true;
            (median ? f.cpuMedian : f.cpuP99) = cpu->second.value;
        }
    }
    ConsoleReporter::ReportRuns(runs);
}

const Figures* GoalReporter::figures(const std::string& name) const {
    const auto at = figures_.find(name);
    return at == figures_.end() ? nullptr : &at->second;
}

namespace {

struct Line {
    const char* what;
    double figure;
    double goal;
    const char* unit;
};

} // namespace

bool GoalReporter::printGoals() const {
    const Figures none;
    auto of = [&](const char* name) {
        const Figures* f = figures(name);
        return f != nullptr ? *f : none;
    };
    const Figures load = of("load"), readFloor = of("floor_read_and_split");
    const Figures commit = of("commit"), writeFloor = of("floor_write_and_fsync");
    const Figures save = of("save"), saveChecked = of("save_checked");
    const std::vector<Line> lines = {
        {"load / read-and-split floor (medians)", load.median / readFloor.median, 5, "x"},
        {"Save with the file's check / Save (medians)", saveChecked.median / save.median, 1.2, "x"},
        {"commit - write-and-fsync floor, median", commit.median - writeFloor.median, 3, "ms"},
        {"commit - write-and-fsync floor, p99", commit.p99 - writeFloor.p99, 6, "ms"},
        {"day step with repaint, median", of("day_step").median, 2, "ms"},
        {"List page step with repaint, median", of("list_step").median, 2, "ms"},
        {"Trend page step with repaint, median", of("trend_step").median, 2, "ms"},
        {"find by key of the last day, median", of("find_by_key_last_day").median * 1e3, 2, "us"},
    };
    std::printf(
        "\nFigures of this run (median / p99; the processor time of the operation in ms in brackets)\n");
    for (const auto& [name, f] : figures_) {
        if (f.median < 0.01) // too short for milliseconds
            std::printf("  %-24s %8.4f us / %8.4f us", name.c_str(), f.median * 1e3, f.p99 * 1e3);
        else
            std::printf("  %-24s %8.4f ms / %8.4f ms", name.c_str(), f.median, f.p99);
        if (f.hasCpu)
            std::printf("   (%8.4f / %8.4f)", f.cpuMedian, f.cpuP99);
        std::printf("\n");
    }
    const Figures replaceFloor = of("floor_atomic_replace");
    std::printf("\nThe commit beyond the program's own atomic replace of the same bytes (not a goal):"
                " median %.3f ms, p99 %.3f ms\n",
                commit.median - replaceFloor.median, commit.p99 - replaceFloor.p99);
    std::printf("\nGoals\n");
    bool all = true;
    for (const Line& l : lines) {
        const bool met = l.figure <= l.goal;
        all = all && met;
        std::printf("  %-42s %9.3f %-2s  goal <= %g %-2s  %s\n", l.what, l.figure, l.unit, l.goal, l.unit,
                    met ? "met" : "NOT MET");
    }
    return all;
}

} // namespace tonolog::bench
