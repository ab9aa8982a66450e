// What leaving the window costs: the one-page PDF report of a run (aim:
// at most 300 ms), the session's runs as CSV for 10,000 runs (aim: at most
// 100 ms), and the chart as a PNG picture.

#include "report/runchart.h"
#include "report/runpdf.h"
#include "report/seriespdf.h"
#include "tests/report/cases.h"
#include "tests/report/corerun.h"
#include "ui/saving.h"

#include <QGuiApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

report::Run exampleA()
{
    const std::optional<report::Run> run = runFromCore(1, 0.02, 0.01, 1.0, 1.0, 2.0);
    if (!run)
        std::abort();
    return *run;
}

void RunPdf(benchmark::State& state)
{
    const report::Run run = exampleA();
    const report::PdfDetails details = ui::pdfDetails();
    for (auto _ : state) {
        const auto pdf = report::runPdf(run, details);
        benchmark::DoNotOptimize(pdf->constData());
    }
}
BENCHMARK(RunPdf)->Unit(benchmark::kMillisecond);

// The series report of 50 runs, two pages each for their uncertainties
// included: the goal is at most 2 s.
void SeriesPdf(benchmark::State& state)
{
    series::Series lab;
    lab.uncertainty = {0.02, 0.02, 0.0005, 0.0005, 0.005};
    for (int i = 0; i < 50; ++i) {
        series::Run run;
        const double gas = 1.0 + 0.5 * (i % 5);
        run.inputs = {0.02, 0.002 * gas * (i % 10 < 5 ? 1.0 : 0.5), gas, i % 10 < 5 ? 4.0 : 8.0};
        run.packingHeight = 2.0;
        lab.runs.push_back(run);
    }
    const auto results = *series::computeRuns(lab.runs, 2);
    const auto uncertainties = *series::uncertaintiesOf(lab, 2);
    const report::PdfDetails details = ui::pdfDetails();
    for (auto _ : state) {
        const auto pdf = report::seriesPdf(lab, results, uncertainties, details, true);
        benchmark::DoNotOptimize(pdf->constData());
    }
}
BENCHMARK(SeriesPdf)->Unit(benchmark::kMillisecond);

void ChartPng(benchmark::State& state)
{
    const report::Run run = exampleA();
    for (auto _ : state) {
        const auto png = report::pngBytes(report::runChartImage(run, QSize(1600, 1000)));
        benchmark::DoNotOptimize(png->constData());
    }
}
BENCHMARK(ChartPng)->Unit(benchmark::kMillisecond);

}  // namespace

// Painting text needs an application and its fonts, not a screen.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
