// Opening a series against what it cannot beat: one run's computeRun, the
// parse of a 10,000-run file, and opening that file (readSeriesFile, then
// computeRuns on every core). Prints
//   open / (10,000 x one run / cores + parse)
// which should stay at or below 1.15: little lost to threads or waiting.
// Release build on 2 AMD EPYC cores, with another program's tests running
// beside it: one run 0.85 ms, parse 63-65 ms, open 4.70-4.73 s, ratio 1.09-1.10.
// 10^6 Monte Carlo draws of one run, same machine: 257 ms.
// The weighted power-law fit of 10,000 runs against its limit of 5 ms,
// printed as power-law fit / 5 ms; same machine: 2.4-2.9 ms, ratio 0.48-0.57,
// with long double sums and Eigen's SSE. In scalar code with compensated
// sums, which give the page's bits, 3.9-4.0 ms of CPU on a machine shared
// with four builds: about 1.4 times the time of the long double version.

#include "series/csv.h"
#include "series/file.h"
#include "series/fit.h"
#include "series/uncertainty.h"

#include "manyruns.h"
#include "ratioreporter.h"

#include <benchmark/benchmark.h>

#include <cmath>
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

// A lab series of 35 runs with the usual uncertainties, on one core and on
// all: the goal is all cores <= 1.15 x (one core / cores).
const series::Series& labSeries()
{
    static const series::Series lab = [] {
        series::Series made;
        made.uncertainty = {0.02, 0.02, 0.0005, 0.0005, 0.005};
        for (std::size_t i = 0; i < 35; ++i) {
            series::Run run = exampleA;
            run.inputs.y1 = 0.02 + 2e-4 * static_cast<double>(i);
            run.inputs.gasFlow = 1.0 + 0.1 * static_cast<double>(i % 7);
            made.runs.push_back(run);
        }
        return made;
    }();
    return lab;
}

void uncertaintiesOn(benchmark::State& state, unsigned jobs)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(series::uncertaintiesOf(labSeries(), jobs));
}

void SeriesUncertaintiesOneCore(benchmark::State& state)
{
    uncertaintiesOn(state, 1);
}
BENCHMARK(SeriesUncertaintiesOneCore)->Unit(benchmark::kMillisecond)->UseRealTime();

void SeriesUncertaintiesAllCores(benchmark::State& state)
{
    uncertaintiesOn(state, cores());
}
BENCHMARK(SeriesUncertaintiesAllCores)->Unit(benchmark::kMillisecond)->UseRealTime();

constexpr double powerLawLimitMs = 5.0;

// 10,000 runs over 100 gas flows and 10 water flows, each with an
// uncertainty, off an exact law by up to 2 %: the weighted fit of all three
// terms.
void PowerLawFit(benchmark::State& state)
{
    std::vector<series::FitPoint> points;
    for (std::size_t i = 0; i < seriesRuns; ++i) {
        const double gas = 0.5 + 0.01 * static_cast<double>(i % 100);
        const double water = 0.8 + 0.1 * static_cast<double>(i / 1000);
        const double mtc = 0.7 * std::pow(gas, 0.8) * std::pow(water, 0.3) * (1 + 0.02 * std::sin(double(i)));
        points.push_back({gas, water, mtc, 0.03 * mtc});
    }
    for (auto _ : state) {
        const auto result = series::fitPowerLaw(points);
        const auto* fit = std::get_if<series::PowerLaw>(&result);
        if (!fit || !fit->weighted || !fit->waterExponent)
            state.SkipWithError("the fit did not give all three terms");
        benchmark::DoNotOptimize(result);
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(seriesRuns));
}
BENCHMARK(PowerLawFit)->Unit(benchmark::kMillisecond);

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
    if (times.count("SeriesUncertaintiesOneCore") && times.count("SeriesUncertaintiesAllCores")) {
        std::printf("cores: %u; 35 runs' uncertainties, all cores / (one core / cores): %.3f\n", cores(),
                    times.at("SeriesUncertaintiesAllCores") / (times.at("SeriesUncertaintiesOneCore") / cores()));
    }

    if (times.count("PowerLawFit"))
        std::printf("power-law fit of %zu runs / %.0f ms: %.3f\n", seriesRuns, powerLawLimitMs,
                    times.at("PowerLawFit") / powerLawLimitMs);
    benchmark::Shutdown();
    return 0;
}
