// The NTU integration against its yardstick: a loop of as many dependent
// double additions, the least that a million in-order steps can cost.
// Prints both times and their ratio.

#include "core/absorber.h"

#include "ratioreporter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

using absorber::ntuSteps;

void DependentAdditions(benchmark::State& state)
{
    double step = 1e-9;
    for (auto _ : state) {
        benchmark::DoNotOptimize(step);
        double sum = 0.0;
        for (int i = 0; i < ntuSteps; ++i)
            sum = sum + step;
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(DependentAdditions)->Unit(benchmark::kMicrosecond);

void NtuIntegration(benchmark::State& state)
{
    const absorber::IntegrationLimits limits = absorber::closeBalance({0.045, 0.02, 2, 3}).limits;
    for (auto _ : state)
        benchmark::DoNotOptimize(absorber::integrateNtu(limits));
}
BENCHMARK(NtuIntegration)->Unit(benchmark::kMicrosecond);

void WholeRun(benchmark::State& state)
{
    for (auto _ : state) {
        const absorber::Balance balance = absorber::closeBalance({0.045, 0.02, 2, 3});
        benchmark::DoNotOptimize(absorber::integrateNtu(balance.limits));
    }
}
BENCHMARK(WholeRun)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto additions = reporter.times.find("DependentAdditions");
    const auto integration = reporter.times.find("NtuIntegration");
    if (additions != reporter.times.end() && integration != reporter.times.end())
        std::printf("NTU integration / dependent additions: %.2f\n", integration->second / additions->second);
    benchmark::Shutdown();
    return 0;
}
