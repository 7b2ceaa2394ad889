// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the real program 20 times on an empty diary and 20 times on the full one (offscreen) and
// measures the time from the process start to its first shown frame, and the resident size once
// the frame is shown. Each start runs with a home directory of its own making, so no settings or
// backup of the user's are read or touched; one start on each diary before the measured ones is
// not counted (it fills the system's caches).
//
//     bench_start [path/to/tonolog] [starts]
#include "full_diary.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#ifndef TONOLOG_EXECUTABLE
#define TONOLOG_EXECUTABLE "tonolog"
#endif

namespace fs = std::filesystem;

namespace {

long long nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

struct Start {
    long long firstFrameMs = 0;
    long long residentKb = 0;
};

long long residentKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atoll(line.c_str() + 6);
    return 0;
}

// One start of the program on the diary: the milliseconds to the first frame it reports, and its
// resident size half a second later, when it has settled.
std::optional<Start> startOnce(const std::string& program, const fs::path& home, const fs::path& diary) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return std::nullopt;
    const long long startedMs = nowMs();
    const pid_t pid = ::fork();
    if (pid < 0)
        return std::nullopt;
    if (pid == 0) {
        ::dup2(pipeFds[1], STDERR_FILENO);
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        const int devNull = ::open("/dev/null", O_WRONLY);
        ::dup2(devNull, STDOUT_FILENO);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::setenv("TONOLOG_REPORT_FIRST_FRAME", "1", 1);
        ::setenv("HOME", home.c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
        ::setenv("XDG_CACHE_HOME", (home / "cache").c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", (home / "runtime").c_str(), 1);
        ::execl(program.c_str(), program.c_str(), diary.c_str(), static_cast<char*>(nullptr));
        std::_Exit(127);
    }
    ::close(pipeFds[1]);

    std::optional<Start> result;
    std::string output;
    const std::string mark = "first frame at ";
    const long long deadline = startedMs + 30000;
    while (!result && nowMs() < deadline) {
        pollfd p{pipeFds[0], POLLIN, 0};
        if (::poll(&p, 1, 100) <= 0)
            continue;
        char buffer[4096];
        const ssize_t n = ::read(pipeFds[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        output.append(buffer, static_cast<std::size_t>(n));
        const auto at = output.find(mark);
        if (at != std::string::npos && output.find('\n', at) != std::string::npos)
            result = Start{std::atoll(output.c_str() + at + mark.size()) - startedMs, 0};
    }
    if (result) {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        result->residentKb = residentKb(pid);
    } else {
        std::fprintf(stderr, "no first frame reported; the program said:\n%s\n", output.c_str());
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    ::close(pipeFds[0]);
    // A killed program leaves its backup, which the next start would offer to recall, and its
    // single-instance lock.
    std::error_code ignored;
    fs::remove_all(home / "data", ignored);
    for (const auto& entry : fs::directory_iterator(home / "runtime", ignored))
        fs::remove_all(entry.path(), ignored);
    return result;
}

struct Summary {
    long long min = 0, median = 0, max = 0;
};

Summary summarise(std::vector<long long> values) {
    std::sort(values.begin(), values.end());
    return {values.front(), values[values.size() / 2], values.back()};
}

} // namespace

int main(int argc, char** argv) {
    const std::string program = argc > 1 ? argv[1] : TONOLOG_EXECUTABLE;
    const int starts = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;

    char pattern[] = "/tmp/tonolog-bench-start-XXXXXX";
    if (::mkdtemp(pattern) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const fs::path root = pattern;
    const fs::path home = root / "home";
    fs::create_directories(home / "runtime");
    fs::permissions(home / "runtime", fs::perms::owner_all, fs::perm_options::replace);
    const fs::path empty = root / "empty.tnl";
    const fs::path full = root / "full.tnl";
    std::ofstream(empty, std::ios::binary) << "Ann,\r\n";
    const std::string fullText = tonolog::bench::fullDiaryText();
    std::ofstream(full, std::ios::binary) << fullText;

    std::printf("%s, %d starts on each diary, offscreen\n", program.c_str(), starts);
    bool ok = true;
    std::vector<long long> residentMedians;
    for (const auto& [name, diary] : {std::pair{"empty diary", empty}, std::pair{"full diary", full}}) {
        std::vector<long long> frames;
        std::vector<long long> resident;
        ok = ok && startOnce(program, home, diary).has_value();
        for (int i = 0; ok && i < starts; ++i) {
            const auto start = startOnce(program, home, diary);
            ok = start.has_value();
            if (ok) {
                frames.push_back(start->firstFrameMs);
                resident.push_back(start->residentKb);
            }
        }
        if (!ok)
            break;
        const Summary f = summarise(frames);
        const Summary r = summarise(resident);
        residentMedians.push_back(r.median);
        std::printf("  %-12s start to first frame: min %lld ms, median %lld ms, max %lld ms   (goal: median "
                    "<= 300 ms, "
                    "%s)\n",
                    name, f.min, f.median, f.max, f.median <= 300 ? "met" : "NOT MET");
        std::printf("  %-12s resident size after the first frame: min %lld KB, median %lld KB, max %lld KB\n",
                    name, r.min, r.median, r.max);
    }
    if (ok) {
        const double extraKb = static_cast<double>(residentMedians[1] - residentMedians[0]);
        const double fileKb = static_cast<double>(fullText.size()) / 1024;
        std::printf(
            "  full minus empty (medians): %.0f KB for a file of %.0f KB (%zu bytes): %.2f times its size"
            "   (goal: <= 1.5, %s)\n",
            extraKb, fileKb, fullText.size(), extraKb / fileKb, extraKb / fileKb <= 1.5 ? "met" : "NOT MET");
    }
    std::error_code ignored;
    fs::remove_all(root, ignored);
    return ok ? 0 : 1;
}
