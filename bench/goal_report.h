// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Collects the median and 99th percentile of every benchmark of a run and prints, after the run,
// each goal as a figure against the floor it is measured by.
#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace tonolog::bench {

// The value at the 99th percentile by the nearest rank.
double percentile99(const std::vector<double>& values);

struct Figures {
    double median = 0; // milliseconds
    double p99 = 0;
    double cpuMedian = 0; // the operation's own processor time, where it reports one
    double cpuP99 = 0;
    bool hasCpu = false;
};

// The console report, remembering the aggregates by benchmark name.
class GoalReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;
    const Figures* figures(const std::string& name) const;

    // Prints the goal table; returns whether every goal was met.
    bool printGoals() const;

private:
    std::map<std::string, Figures> figures_;
};

} // namespace tonolog::bench
