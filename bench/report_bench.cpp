// What leaving the window costs: the one-page PDF report of a run (aim:
// at most 300 ms), the session's runs as CSV for 10,000 runs (aim: at most
// 100 ms), and the chart as a PNG picture.

#include "report/runchart.h"
#include "report/runpdf.h"
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
