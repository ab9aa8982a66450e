// The program's start against a bare Qt Widgets window (bench/barewindow.cpp)
// on the same platform plugin. Each is started as a child process with
// QUILLON_FIRST_WINDOW_PROBE set, which makes it print the monotonic clock
// when its first window (Quillon's splash) is exposed and end there. Prints,
// of the medians of 21 starts each, taken by turns,
//   time:           exec to first window, Quillon / bare
//   memory:         peak resident set (wait4's ru_maxrss), Quillon / bare
//   processor time: user and system time to the first window, Quillon / bare
// and the first two over the goal of 1.1, which should stay at or below 1.
// Offscreen always; also xcb when DISPLAY is set (run it under Xvfb).
// Release build, 2 AMD EPYC cores, 3 runs each, others' builds running
// beside it (load average 12 to 16, so the wall times scatter widely):
//   before (main window built before the splash, splash PNG decoded):
//     offscreen time 1.62-4.44, memory 1.42, processor time 2.20-2.31
//     xcb       time 0.75-1.58, memory 1.36, processor time 1.58-1.87
//   after:
//     offscreen time 0.94-1.20, memory 1.02, processor time 1.07-1.09
//     xcb       time 0.88-0.99, memory 1.02, processor time 1.06-1.09
//   after, the same machine idle (load 0.6), xcb under Xvfb:
//     offscreen time 1.07-1.08, memory 1.03, processor time 1.09
//     xcb       time 0.98, memory 1.02, processor time 1.07

#include "ratioreporter.h"

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <optional>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Start {
    double milliseconds = 0.0;
    double peakKiB = 0.0;
    double cpuMilliseconds = 0.0;  // user and system, which others' load disturbs less
};

long long monotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// One start of the program on the platform; none when it did not report a
// window or did not exit cleanly.
std::optional<Start> startOnce(const char* program, const std::string& platform)
{
    std::vector<std::string> variables{"QUILLON_FIRST_WINDOW_PROBE=1", "QT_QPA_PLATFORM=" + platform};
    for (char** variable = environ; *variable; ++variable) {
        const std::string entry = *variable;
        if (entry.rfind("QT_QPA_PLATFORM=", 0) != 0 && entry.rfind("QUILLON_FIRST_WINDOW_PROBE=", 0) != 0)
            variables.push_back(entry);
    }
    std::vector<char*> environment;
    for (std::string& entry : variables)
        environment.push_back(entry.data());
    environment.push_back(nullptr);

    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    std::string path = program;
    char* arguments[] = {path.data(), nullptr};
    pid_t child = 0;
    const long long started = monotonicNanoseconds();
    const int spawned = posix_spawn(&child, program, &actions, nullptr, arguments, environment.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    std::string printed;
    char buffer[64];
    for (ssize_t got; spawned == 0 && (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        printed.append(buffer, std::size_t(got));
    close(pipeEnds[0]);
    if (spawned != 0)
        return std::nullopt;
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    const long long exposed = std::atoll(printed.c_str());
    if (exposed <= started)
        return std::nullopt;
    const auto milliseconds = [](const timeval& time) {
        return double(time.tv_sec) * 1e3 + double(time.tv_usec) / 1e3;
    };
    return Start{double(exposed - started) / 1e6, double(usage.ru_maxrss),
                 milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime)};
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

struct Samples {
    std::vector<double> bareTime, quillonTime, bareMemory, quillonMemory, bareCpu, quillonCpu;
};

std::map<std::string, Samples>& samples()
{
    static std::map<std::string, Samples> byPlatform;
    return byPlatform;
}

// The bare window and the program by turns, so that the load others put on
// the machine falls on both alike. The benchmark's time is the program's.
void StartUp(benchmark::State& state, const std::string& platform)
{
    Samples& kept = samples()[platform];
    for (auto _ : state) {
        const std::optional<Start> bare = startOnce(BARE_WINDOW, platform);
        const std::optional<Start> quillon = startOnce(QUILLON_PROGRAM, platform);
        if (!bare || !quillon) {
            state.SkipWithError("a program did not show its first window");
            break;
        }
        kept.bareTime.push_back(bare->milliseconds);
        kept.quillonTime.push_back(quillon->milliseconds);
        kept.bareMemory.push_back(bare->peakKiB);
        kept.quillonMemory.push_back(quillon->peakKiB);
        kept.bareCpu.push_back(bare->cpuMilliseconds);
        kept.quillonCpu.push_back(quillon->cpuMilliseconds);
        state.SetIterationTime(quillon->milliseconds / 1e3);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    std::vector<std::string> platforms{"offscreen"};
    if (std::getenv("DISPLAY"))
        platforms.push_back("xcb");
    for (const std::string& platform : platforms)
        benchmark::RegisterBenchmark(("StartUp/" + platform).c_str(), StartUp, platform)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(21);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    constexpr double goal = 1.1;
    for (const auto& [platform, kept] : samples()) {
        const double bareTime = median(kept.bareTime);
        const double bareMemory = median(kept.bareMemory);
        if (bareTime <= 0.0 || bareMemory <= 0.0)
            continue;
        const double time = median(kept.quillonTime) / bareTime;
        const double memory = median(kept.quillonMemory) / bareMemory;
        std::printf("%s: bare window %.1f ms, %.0f KiB; Quillon %.1f ms, %.0f KiB\n", platform.c_str(), bareTime,
                    bareMemory, median(kept.quillonTime), median(kept.quillonMemory));
        std::printf("%s: time Quillon / bare %.3f (/ %.1f: %.3f); memory Quillon / bare %.3f (/ %.1f: %.3f)\n",
                    platform.c_str(), time, goal, time / goal, memory, goal, memory / goal);
        if (const double bareCpu = median(kept.bareCpu); bareCpu > 0.0)
            std::printf("%s: processor time Quillon / bare %.3f\n", platform.c_str(),
                        median(kept.quillonCpu) / bareCpu);
    }
    benchmark::Shutdown();
    return 0;
}
