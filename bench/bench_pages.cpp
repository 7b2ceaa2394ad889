// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Measures the List and Trend pages on a diary of 32767 days, offscreen: one redraw of each page
// (background and content; the trend window at the diary's last month, the key search's worst
// case) and one paging or scrolling step with the repaint of the page. Each reports its time
// against a floor measured in the same run, the page's repaint alone, as a ratio.
#include "canvas/controls.h"
#include "listpage/list_page.h"
#include "shell/main_form.h"
#include "shell/main_tab.h"
#include "support/form_harness.h"
#include "trend/trend_page.h"

#include "offscreen.h"

#include <QApplication>
#include <QByteArray>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>

using namespace tonolog;

namespace {

using Clock = std::chrono::steady_clock;

QByteArray fullDiary() {
    QByteArray text = "Ann,\r\n";
    const Date first = dateFromCivil(1930, 1, 1);
    for (int i = 0; i < ReadingTable::maxRows; ++i) {
        text += QByteArray::fromStdString(formatDayKey(Date{first.serial + i}));
        text += "," + QByteArray::number(110 + i % 40) + "," + QByteArray::number(70 + i % 20) + "," +
                QByteArray::number(60 + i % 25) + ",7:05am,,,,," + QByteArray::number(120 + i % 30) + "," +
                QByteArray::number(75 + i % 15) + ",65,9:40pm," + (i % 7 == 0 ? "after a walk" : "") +
                ",\r\n";
    }
    return text;
}

// One window on the full diary, made once, with the page in front.
MainForm& windowOn(int page) {
    static FormHarness* harness = [] {
        auto* h = new FormHarness;
        const QString path = h->file(QStringLiteral("full.tnl"));
        FormHarness::writeFile(path, fullDiary());
        h->start(path);
        return h;
    }();
    MainForm& form = harness->form();
    form.ui.mainTab->setCurrentPage(page);
    QApplication::processEvents();
    return form;
}
MainForm& listWindow() {
    return windowOn(1);
}

// The repaint of the page in front without drawing anything new, in microseconds.
double floorMicroseconds(MainForm& form, int rounds) {
    QWidget* page = form.ui.mainTab->page(form.ui.mainTab->currentPage());
    const auto start = Clock::now();
    for (int i = 0; i < rounds; ++i)
        page->repaint();
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / rounds;
}

void report(benchmark::State& state, double totalMicroseconds, double floor) {
    const double each = totalMicroseconds / static_cast<double>(state.iterations());
    state.counters["us_each"] = each;
    state.counters["floor_us"] = floor;
    state.counters["ratio"] = each / floor;
}

void BM_ListRedraw(benchmark::State& state) {
    MainForm& form = listWindow();
    const double floor = floorMicroseconds(form, 200);
    double total = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        form.list().drawListBackground();
        form.list().DspListTab();
        total += std::chrono::duration<double, std::micro>(Clock::now() - start).count();
    }
    report(state, total, floor);
}
BENCHMARK(BM_ListRedraw)->Unit(benchmark::kMicrosecond);

void BM_ListPagingStepWithRepaint(benchmark::State& state) {
    MainForm& form = listWindow();
    QWidget* page = form.ui.mainTab->page(1);
    const double floor = floorMicroseconds(form, 200);
    form.document.setListTopIndex(16000);
    bool up = false;
    double total = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        if (up)
            form.list().stepListUp();
        else
            form.list().stepListDown();
        page->repaint();
        total += std::chrono::duration<double, std::micro>(Clock::now() - start).count();
        up = !up;
    }
    report(state, total, floor);
}
BENCHMARK(BM_ListPagingStepWithRepaint)->Unit(benchmark::kMicrosecond);

void BM_TrendRedraw(benchmark::State& state) {
    MainForm& form = windowOn(2);
    const double floor = floorMicroseconds(form, 200);
    double total = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        form.trend().drawTrendBackground();
        form.trend().DspTrendTab();
        total += std::chrono::duration<double, std::micro>(Clock::now() - start).count();
    }
    report(state, total, floor);
}
BENCHMARK(BM_TrendRedraw)->Unit(benchmark::kMicrosecond);

void BM_TrendScrollStepWithRepaint(benchmark::State& state) {
    MainForm& form = windowOn(2);
    QWidget* page = form.ui.mainTab->page(2);
    const double floor = floorMicroseconds(form, 200);
    bool back = true;
    double total = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        if (back)
            form.trend().stepTrendBack();
        else
            form.trend().stepTrendForward();
        page->repaint();
        total += std::chrono::duration<double, std::micro>(Clock::now() - start).count();
        back = !back;
    }
    report(state, total, floor);
}
BENCHMARK(BM_TrendScrollStepWithRepaint)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    bench::OffscreenRuntime runtime;
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
