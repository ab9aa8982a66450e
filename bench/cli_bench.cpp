// quillon-cli as a program, against what it cannot beat. Prints
//   compute / (10,000 x one run / cores + parse + export)
// for `quillon-cli compute` of a 10,000-run file into a CSV file (reading,
// every run and its uncertainty on all cores, writing), which should stay at
// or below 1.15; and
//   start-up / 50 ms
// for the same command on a one-run file, process start to exit, which
// should stay below 1.
// Release build on 2 AMD EPYC cores, others' builds running beside it: one
// run 0.84 ms, parse 71 ms, export 11 ms, compute 4.69 s, ratio 1.09;
// start-up 4.3 ms, ratio 0.086.

#include "series/csv.h"
#include "series/uncertainty.h"

#include "manyruns.h"
#include "ratioreporter.h"

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

extern char** environ;

namespace {

const std::filesystem::path& scratch()
{
    static const std::filesystem::path folder = [] {
        std::string name = (std::filesystem::temp_directory_path() / "quillon-cli-bench-XXXXXX").string();
        return std::filesystem::path(mkdtemp(name.data()));
    }();
    return folder;
}

std::string written(const std::string& name, const std::string& bytes)
{
    const std::filesystem::path path = scratch() / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
}

// quillon-cli compute INPUT -o OUTPUT; true when it exits with 0.
bool compute(const std::string& input, const std::string& output)
{
    std::string program = QUILLON_CLI, command = "compute", o = "-o";
    std::string in = input, out = output;
    char* arguments[] = {program.data(), command.data(), in.data(), o.data(), out.data(), nullptr};
    pid_t child = 0;
    if (posix_spawn(&child, program.c_str(), nullptr, nullptr, arguments, environ) != 0)
        return false;
    int status = 0;
    return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void OneRun(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(series::computeRun(exampleA));
}
BENCHMARK(OneRun)->Unit(benchmark::kMillisecond);

void ParseSeries(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(series::readSeriesFile(seriesText()));
}
BENCHMARK(ParseSeries)->Unit(benchmark::kMillisecond);

void ExportCsv(benchmark::State& state)
{
    const series::ReadSeries read = series::readSeriesFile(seriesText());
    const auto& opened = std::get<series::OpenedSeries>(read);
    const auto results = series::computeRuns(opened.series.runs, cores());
    const auto uncertainties = series::uncertaintiesOf(opened.series, cores());
    for (auto _ : state)
        benchmark::DoNotOptimize(series::exportCsv(opened.series, *results, *uncertainties));
}
BENCHMARK(ExportCsv)->Unit(benchmark::kMillisecond);

void ToolSeries(benchmark::State& state)
{
    const std::string input = written("many.quillon", seriesText());
    for (auto _ : state) {
        if (!compute(input, (scratch() / "many.csv").string()))
            state.SkipWithError("quillon-cli compute failed");
    }
}
BENCHMARK(ToolSeries)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void ToolOneRun(benchmark::State& state)
{
    series::Series one;
    one.runs.push_back(exampleA);
    const std::string input = written("one.quillon", series::writeSeriesFile(one, {}));
    for (auto _ : state) {
        if (!compute(input, (scratch() / "one.csv").string()))
            state.SkipWithError("quillon-cli compute failed");
    }
}
BENCHMARK(ToolOneRun)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto& times = reporter.times;
    if (times.count("OneRun") && times.count("ParseSeries") && times.count("ExportCsv") && times.count("ToolSeries")) {
        const double floor =
            seriesRuns * times.at("OneRun") / cores() + times.at("ParseSeries") + times.at("ExportCsv");
        std::printf("cores: %u; compute / (%zu x one run / cores + parse + export): %.3f\n", cores(), seriesRuns,
                    times.at("ToolSeries") / floor);
    }
    if (times.count("ToolOneRun"))
        std::printf("start-up / 50 ms: %.3f\n", times.at("ToolOneRun") / 50.0);
    std::filesystem::remove_all(scratch());
    benchmark::Shutdown();
    return 0;
}
