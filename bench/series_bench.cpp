// Opening a series against what it cannot beat: one run's computeRun, the
// parse of a 10,000-run file, and opening that file (readSeriesFile, then
// computeRuns on every core). Prints
//   open / (10,000 x one run / cores + parse)
// which should stay at or below 1.15: little lost to threads or waiting.
// Release build on 2 AMD EPYC cores, with another program's tests running
// beside it: one run 0.85 ms, parse 63-65 ms, open 4.70-4.73 s, ratio 1.09-1.10.
// 10^6 Monte Carlo draws of one run, same machine: 257 ms.

#include "series/csv.h"
#include "series/file.h"
#include "series/uncertainty.h"

#include "manyruns.h"
#include "ratioreporter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

void OneRun(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(series::computeRun(exampleA));
}
BENCHMARK(OneRun)->Unit(benchmark::kMillisecond);

void ParseSeries(benchmark::State& state)
{
    const std::string& text = seriesText();
    for (auto _ : state)
        benchmark::DoNotOptimize(series::readSeriesFile(text));
}
BENCHMARK(ParseSeries)->Unit(benchmark::kMillisecond);

void OpenSeries(benchmark::State& state)
{
    const std::string& text = seriesText();
    for (auto _ : state) {
        const series::ReadSeries read = series::readSeriesFile(text);
        const auto* opened = std::get_if<series::OpenedSeries>(&read);
        const auto results = series::computeRuns(opened->series.runs, cores());
        if (!results || results->back().outcome != absorber::Outcome::completed)
            state.SkipWithError("the series did not compute");
        benchmark::DoNotOptimize(results);
    }
}
BENCHMARK(OpenSeries)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// Export of the same 10,000 runs as CSV: the goal is 100 ms.
void ExportCsv(benchmark::State& state)
{
    const series::ReadSeries read = series::readSeriesFile(seriesText());
    const auto& opened = std::get<series::OpenedSeries>(read);
    const auto results = series::computeRuns(opened.series.runs, cores());
    for (auto _ : state)
        benchmark::DoNotOptimize(series::exportCsv(opened.series, *results));
    state.SetItemsProcessed(state.iterations() * std::int64_t(seriesRuns));
}
BENCHMARK(ExportCsv)->Unit(benchmark::kMillisecond);

// 10^6 Monte Carlo draws of Example A on one core: the goal is 0.3 s. Six
// digits are never settled by then, so every iteration makes all the draws.
void MonteCarloDraws(benchmark::State& state)
{
    const series::Uncertainties uncertainties{0.02, 0.02, 2e-4, 1e-4, 0.005};
    series::AdaptiveSettings settings;
    settings.significantDigits = 6;
    settings.maxDraws = 1000000;
    for (auto _ : state) {
        const auto result = series::monteCarlo(exampleA, uncertainties, 1, nullptr, nullptr, settings);
        const auto* mc = std::get_if<series::MonteCarlo>(&result);
        if (!mc || mc->draws != settings.maxDraws)
            state.SkipWithError("the draws did not run to the end");
        benchmark::DoNotOptimize(result);
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(settings.maxDraws));
}
BENCHMARK(MonteCarloDraws)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto& times = reporter.times;
    if (times.count("OneRun") && times.count("ParseSeries") && times.count("OpenSeries")) {
        const double floor = seriesRuns * times.at("OneRun") / cores() + times.at("ParseSeries");
        std::printf("cores: %u; open / (%zu x one run / cores + parse): %.3f\n", cores(), seriesRuns,
                    times.at("OpenSeries") / floor);
    }
    benchmark::Shutdown();
    return 0;
}
