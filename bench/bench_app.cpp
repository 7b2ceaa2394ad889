// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Every interaction a user waits for, on a diary of 32767 days with three readings a day, in one
// run, offscreen: load, save (also as the File menu runs it, with the look at the file on disk
// first), the commit of an edit as Enter triggers it (validation, table, the
// four page redraws, the backup written and synced), a day step, a List page step and a Trend page
// step with the repaint of the page, the report summary for the doctor over the whole diary and a
// find by key. Beside them, as floors, what the disk and memory cost anyway: reading the file and
// splitting it into lines, and writing the same bytes to a new file with fsync; and, for
// reference, the same bytes written as the program writes every file (a temporary file renamed
// over the one before, the directory synced).
//
// Each timed operation is one repetition, so the median and the 99th percentile are those of
// single operations. After the run a table sets each goal against its floor.
#include "full_diary.h"
#include "goal_report.h"
#include "offscreen.h"

#include "canvas/controls.h"
#include "diary/diary_page.h"
#include "document/data_file.h"
#include "document/report_stats.h"
#include "listpage/list_page.h"
#include "shell/main_form.h"
#include "shell/main_tab.h"
#include "support/form_harness.h"
#include "trend/trend_page.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace tonolog;

namespace {

using WallClock = std::chrono::steady_clock;

const Date firstDay = bench::fullDiaryFirstDay;
const Date lastDay = bench::fullDiaryLastDay;
const Date today = dateFromCivil(2026, 12, 7);

long pageFaults() {
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_minflt + usage.ru_majflt;
}

double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Times the action alone, as this repetition's one iteration: wall time, and the thread's
// processor time and page faults as the counters cpu_ms and faults.
template <class Prepare, class Act> void timeEach(benchmark::State& state, Prepare prepare, Act act) {
    for (auto _ : state) {
        prepare();
        const long faults = pageFaults();
        const double cpu = threadCpuMs();
        const auto start = WallClock::now();
        act();
        const auto wall = std::chrono::duration<double>(WallClock::now() - start).count();
        state.counters["cpu_ms"] = threadCpuMs() - cpu;
        state.counters["faults"] = static_cast<double>(pageFaults() - faults);
        state.SetIterationTime(wall);
    }
}

// One window on the full diary for the whole run, its files in a private directory.
struct Bench {
    FormHarness harness;
    QString diaryPath;
    std::string diaryBytes;
    MainForm* form = nullptr;

    static std::unique_ptr<Bench>& instance() {
        static std::unique_ptr<Bench> bench;
        return bench;
    }
    static Bench& get() { return *instance(); }

    Bench() {
        diaryBytes = bench::fullDiaryText();
        diaryPath = harness.file(QStringLiteral("full.tnl"));
        FormHarness::writeFile(diaryPath, QByteArray::fromStdString(diaryBytes));
        form = &harness.start(diaryPath);
        if (form->document.table().count() != ReadingTable::maxRows) {
            std::fprintf(stderr, "the full diary did not load\n");
            std::exit(1);
        }
    }

    std::string path() const { return diaryPath.toStdString(); }
    std::string besideBackup(const char* name) const {
        return harness.locations.backupDir.toStdString() + name;
    }

    MainForm& onPage(int page) {
        form->ui.mainTab->setCurrentPage(page);
        QApplication::processEvents();
        return *form;
    }
};

// The file read as the program reads it and split at its LFs, into a list that keeps its room
// from one repetition to the next.
void floor_read_and_split(benchmark::State& state) {
    const std::string path = Bench::get().path();
    static std::vector<std::string_view> lines;
    std::optional<std::string> bytes;
    timeEach(
        state,
        [&] {
            lines.clear();
            bytes.reset();
        },
        [&] {
            bytes = readWholeFile(path);
            bench::splitLines(*bytes, lines);
            benchmark::DoNotOptimize(lines.data());
        });
}

void load(benchmark::State& state) {
    const std::string path = Bench::get().path();
    std::unique_ptr<Document> doc;
    timeEach(
        state, [&] { doc = std::make_unique<Document>(); }, [&] { doc->open(path, today); });
    if (doc->table().count() != ReadingTable::maxRows)
        state.SkipWithError("the diary did not load");
}

// A new file each time, as the backup's write makes one; the file before is deleted untimed.
void floor_write_and_fsync(benchmark::State& state) {
    Bench& b = Bench::get();
    const std::string path = b.besideBackup("floor.tnl");
    const std::string& bytes = b.diaryBytes;
    timeEach(
        state, [&] { std::remove(path.c_str()); },
        [&] {
            const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
            std::size_t done = 0;
            while (fd >= 0 && done < bytes.size()) {
                const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
                if (n <= 0)
                    break;
                done += static_cast<std::size_t>(n);
            }
            if (fd < 0 || done != bytes.size() || ::fsync(fd) != 0 || ::close(fd) != 0)
                state.SkipWithError("the floor file could not be written");
        });
    std::remove(path.c_str());
}

// Not a floor the goals are measured by: the same bytes, already in memory, written as every
// write of the program does it, through a temporary file renamed over the one before and the
// directory synced. What a commit costs beyond it is the program's own work.
void floor_atomic_replace(benchmark::State& state) {
    Bench& b = Bench::get();
    const std::string path = b.besideBackup("replaced.tnl");
    timeEach(
        state, [] {},
        [&] {
            if (writeFileAtomically(path, b.diaryBytes))
                state.SkipWithError("the file could not be replaced");
        });
    std::remove(path.c_str());
}

void save(benchmark::State& state) {
    Bench& b = Bench::get();
    Document doc(b.besideBackup("TL_Backup of the save"));
    doc.open(b.path(), today);
    const std::string saved = b.besideBackup("saved.tnl");
    timeEach(
        state, [] {},
        [&] {
            if (!doc.saveAs(saved).ok)
                state.SkipWithError("the save failed");
        });
    std::remove(saved.c_str());
}

// Save as the File menu runs it on the window's diary: the file is first looked at, in case another
// program changed it, then written.
void save_checked(benchmark::State& state) {
    MainForm& form = *Bench::get().form;
    timeEach(
        state, [] {},
        [&] {
            form.files().save();
            if (form.files().saveIncomplete())
                state.SkipWithError("the save failed");
        });
}

// Enter in the first SYS box of a day with readings: the focus moves on, the box is left, the
// entry is checked and committed, the List and Trend pages are redrawn and the backup written.
void commit(benchmark::State& state) {
    MainForm& form = Bench::get().onPage(0);
    QLineEdit* box = form.ui.diary.InputSys[0];
    // Each repetition calls the benchmark anew: what alternates between operations is kept here.
    static int round = 0;
    if (round == 0)
        form.diary().loadDay(lastDay);
    QString typed;
    timeEach(
        state,
        [&] {
            box->setFocus(Qt::OtherFocusReason);
            typed = QString::number(130 + round++ % 2);
            box->setText(typed);
            QApplication::processEvents();
        },
        [&] { QTest::keyClick(box, Qt::Key_Return); });
    const DayRow& row = form.document.table().rowAt(form.document.table().count());
    if (form.diary().entryChanged || row.column(1) != typed.toStdString() ||
        !FormHarness::readFile(Bench::get().harness.backupPath()).contains("," + typed.toUtf8() + ","))
        state.SkipWithError("the edit was not committed");
}

// Counts the paint events that reach the page or a widget on it.
class PaintCount : public QObject {
public:
    explicit PaintCount(QWidget* page) : page_(page) { qApp->installEventFilter(this); }
    ~PaintCount() override { qApp->removeEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Paint && widget != nullptr &&
            (widget == page_ || page_->isAncestorOf(widget)))
            ++count;
        return false;
    }

private:
    QWidget* page_;
};

// A step and the repaint it causes: what the step changed on the page is painted when the event
// loop next runs, as it is after a click. One step beforehand, untimed, shows that it is.
template <class Prepare, class Step>
void stepWithRepaint(benchmark::State& state, QWidget* page, Prepare prepare, Step step) {
    {
        const PaintCount painted(page);
        prepare();
        step();
        QApplication::processEvents();
        if (painted.count == 0) {
            state.SkipWithError("the step painted nothing");
            return;
        }
    }
    timeEach(state, prepare, [&] {
        step();
        QApplication::processEvents();
    });
}

void day_step(benchmark::State& state) {
    MainForm& form = Bench::get().onPage(0);
    static int direction = 0;
    if (direction == 0)
        form.diary().loadDay(Date{lastDay.serial - 100});
    stepWithRepaint(
        state, form.ui.mainTab->page(0), [&] { direction = direction > 0 ? -1 : 1; },
        [&] { form.diary().stepDay(direction); });
}

void list_step(benchmark::State& state) {
    MainForm& form = Bench::get().onPage(1);
    static bool up = true;
    static const bool placed = [&] {
        form.document.setListTopIndex(16000);
        return true;
    }();
    Q_UNUSED(placed);
    stepWithRepaint(
        state, form.ui.mainTab->page(1), [&] { up = !up; },
        [&] {
            if (up)
                form.list().stepListUp();
            else
                form.list().stepListDown();
        });
}

void trend_step(benchmark::State& state) {
    MainForm& form = Bench::get().onPage(2);
    static bool back = false;
    stepWithRepaint(
        state, form.ui.mainTab->page(2), [&] { back = !back; },
        [&] {
            if (back)
                form.trend().stepTrendBack();
            else
                form.trend().stepTrendForward();
        });
}

void report_summary(benchmark::State& state) {
    const ReadingTable& table = Bench::get().form->document.table();
    ReportOptions options;
    options.from = firstDay;
    options.to = lastDay;
    ReportSummary summary;
    timeEach(
        state, [] {}, [&] { summary = summarise(readingsOfPeriod(table, options), options); });
    if (summary.readingsCounted != 3 * ReadingTable::maxRows)
        state.SkipWithError("the summary did not count every reading");
}

// Many finds per repetition: one lasts too short for the clock.
void find_by_key_last_day(benchmark::State& state) {
    const ReadingTable& table = Bench::get().form->document.table();
    const std::string key = formatDayKey(lastDay);
    for (auto _ : state)
        benchmark::DoNotOptimize(table.findByKey(key));
    if (table.findByKey(key) != table.count())
        state.SkipWithError("the last day was not found");
}

void single(benchmark::internal::Benchmark* b, int repetitions) {
    b->Iterations(1)
        ->Repetitions(repetitions)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->ComputeStatistics("p99", bench::percentile99)
        ->ReportAggregatesOnly(true);
}

BENCHMARK(floor_read_and_split)->Apply([](auto* b) { single(b, 200); });
BENCHMARK(load)->Apply([](auto* b) { single(b, 100); });
BENCHMARK(floor_write_and_fsync)->Apply([](auto* b) { single(b, 200); });
BENCHMARK(floor_atomic_replace)->Apply([](auto* b) { single(b, 200); });
BENCHMARK(save)->Apply([](auto* b) { single(b, 60); });
BENCHMARK(save_checked)->Apply([](auto* b) { single(b, 60); });
BENCHMARK(commit)->Apply([](auto* b) { single(b, 200); });
BENCHMARK(day_step)->Apply([](auto* b) { single(b, 300); });
BENCHMARK(list_step)->Apply([](auto* b) { single(b, 300); });
BENCHMARK(trend_step)->Apply([](auto* b) { single(b, 300); });
BENCHMARK(report_summary)->Apply([](auto* b) { single(b, 60); });
BENCHMARK(find_by_key_last_day)
    ->Repetitions(30)
    ->MinTime(0.02)
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("p99", bench::percentile99)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    bench::OffscreenRuntime runtime;
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Bench::instance() = std::make_unique<Bench>();
    std::printf("The diary: %d days, %zu bytes\n", ReadingTable::maxRows, Bench::get().diaryBytes.size());
    bench::GoalReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printGoals();
    benchmark::Shutdown();
    Bench::instance().reset();
    return 0;
}
