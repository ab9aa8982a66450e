#pragma once

// The series the benchmarks open: 10,000 runs near Example A, each with a
// height and each completing.

#include "series/file.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <thread>
#include <vector>

inline constexpr std::size_t seriesRuns = 10000;

inline unsigned cores()
{
    return std::max(1u, std::thread::hardware_concurrency());
}

inline const series::Run exampleA{{0.02, 0.01, 1, 1}, 2.0, "G1 L1", false, false, {}, {}};

// 10,000 runs cycling through 100 inputs near Example A, with their results,
// as a file.
inline const std::string& seriesText()
{
    static const std::string text = [] {
        series::Series many;
        std::vector<series::RunResult> results;
        for (std::size_t i = 0; i < 100; ++i) {
            series::Run run = exampleA;
            run.inputs.y1 = 0.02 + 1e-4 * static_cast<double>(i);
            run.label = "run " + std::to_string(i);
            many.runs.push_back(run);
            results.push_back(series::computeRun(run));
        }
        for (std::size_t i = 100; i < seriesRuns; ++i) {
            many.runs.push_back(many.runs[i % 100]);
            results.push_back(results[i % 100]);
        }
        return series::writeSeriesFile(many, results);
    }();
    return text;
}
