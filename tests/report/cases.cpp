#include "tests/report/cases.h"

#include "core/absorber.h"

#include <random>

std::vector<RunCase> exampleCases()
{
    return {
        {"example_a", 0.02, 0.01, 1.0, 1.0, 2.0},
        {"example_b", 0.045, 0.02, 2.0, 3.0, 1.5},
        {"example_a_no_mtc", 0.02, 0.01, 1.0, 1.0, std::nullopt},
    };
}

std::vector<RunCase> bandCases()
{
    std::mt19937_64 random(20261208);
    std::vector<RunCase> cases;
    double low = 0.001;
    int band = 0;
    // The band limits are the table's x values, then the closing 0.3.
    auto limits = std::vector<double>();
    for (const absorber::EquilibriumPoint& point : absorber::equilibriumPoints)
        limits.push_back(point.x);
    limits.push_back(absorber::maxGasFraction);
    for (const double high : limits) {
        ++band;
        const double y1 = std::uniform_real_distribution<double>(low, high)(random);
        // Less NH3 in the leaving water than in the entering gas, and flows
        // that keep the outlet fraction between 0 and 1.
        const double x1 = y1 * std::uniform_real_distribution<double>(0.05, 0.6)(random);
        const double gasFlow = std::uniform_real_distribution<double>(0.5, 3.0)(random);
        const double waterFlow = gasFlow * std::uniform_real_distribution<double>(0.5, 1.5)(random);
        const double height = std::uniform_real_distribution<double>(0.2, 4.0)(random);
        cases.push_back({"band" + std::to_string(band), y1, x1, gasFlow, waterFlow, height});
        low = high;
    }
    return cases;
}

std::vector<RunCase> allCases()
{
    std::vector<RunCase> cases = exampleCases();
    const std::vector<RunCase> bands = bandCases();
    cases.insert(cases.end(), bands.begin(), bands.end());
    return cases;
}
