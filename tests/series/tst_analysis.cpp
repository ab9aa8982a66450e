#include "series/analysis.h"
#include "series/csv.h"
#include "tests/series/samples.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <sstream>
#include <string>

namespace {

std::vector<series::RunResult> computed(const series::Series& lab)
{
    return *series::computeRuns(lab.runs, 2);
}

const series::PowerLaw& lawOf(const series::Analysis& analysis)
{
    static const series::PowerLaw none{};
    const auto* law = std::get_if<series::PowerLaw>(&analysis.fit);
    EXPECT_NE(law, nullptr) << words(std::get<series::NotGiven>(analysis.fit).reason);
    return law ? *law : none;
}

// ln mtc = c0 + c1 ln G + c2 ln L from the exported CSV's own cells, by the
// normal equations in long double: a computation that shares nothing with
// the library's QR.
std::array<long double, 3> independentFit(const std::string& csv)
{
    std::istringstream lines(csv);
    std::string line;
    std::getline(lines, line);
    std::vector<std::string> header;
    {
        std::istringstream cells(line);
        for (std::string cell; std::getline(cells, cell, ',');)
            header.push_back(cell.back() == '\r' ? cell.substr(0, cell.size() - 1) : cell);
    }
    const auto column = [&header](const std::string& name) {
        return std::size_t(std::find(header.begin(), header.end(), name) - header.begin());
    };
    std::array<std::array<long double, 4>, 3> normal{};
    while (std::getline(lines, line)) {
        std::vector<std::string> cells;
        std::istringstream row(line);
        for (std::string cell; std::getline(row, cell, ',');)
            cells.push_back(cell);
        const std::array<long double, 3> x{1.0L, std::log(std::stold(cells[column("gas_flow")])),
                                           std::log(std::stold(cells[column("water_flow")]))};
        const long double y = std::log(std::stold(cells[column("mtc")]));
        for (std::size_t i = 0; i < 3; ++i) {
            for (std::size_t j = 0; j < 3; ++j)
                normal[i][j] += x[i] * x[j];
            normal[i][3] += x[i] * y;
        }
    }
    // Gauss-Jordan on the 3 x 4 system.
    for (std::size_t i = 0; i < 3; ++i) {
        for (std::size_t k = 0; k < 3; ++k) {
            if (k == i)
                continue;
            const long double factor = normal[k][i] / normal[i][i];
            for (std::size_t j = i; j < 4; ++j)
                normal[k][j] -= factor * normal[i][j];
        }
    }
    return {normal[0][3] / normal[0][0], normal[1][3] / normal[1][1], normal[2][3] / normal[2][2]};
}

TEST(Analysis, FitsWhatAnIndependentFitOfTheExportedCsvGives)
{
    const series::Series lab = labSeries();
    const std::vector<series::RunResult> results = computed(lab);
    const series::Analysis analysis = series::analyse(lab, results);
    ASSERT_EQ(analysis.runs.size(), 10u);
    const series::PowerLaw& law = lawOf(analysis);
    ASSERT_TRUE(law.gasExponent && law.waterExponent);
    EXPECT_EQ(law.runsUsed, 10u);
    EXPECT_FALSE(law.weighted);

    const auto expected = independentFit(series::exportCsv(lab, results));
    EXPECT_NEAR(std::log(law.prefactor.value), double(expected[0]), 1e-10);
    EXPECT_NEAR(law.gasExponent->value, double(expected[1]), 1e-10);
    EXPECT_NEAR(law.waterExponent->value, double(expected[2]), 1e-10);
}

TEST(Analysis, TakesOnlyTheRunsTheUserLeavesIn)
{
    const series::Series lab = labSeries();
    struct Case {
        const char* what;
        void (*change)(series::Series&);
        std::size_t used;
        bool waterExponent;
    };
    const Case cases[] = {
        {"a run excluded", [](series::Series& s) { s.runs[2].excluded = true; }, 9, true},
        {"one water flow", [](series::Series& s) { s.runs.resize(5); }, 5, false},
        // The gas leaves richer than it came: out, unless taken in.
        {"a run with findings",
         [](series::Series& s) {
             s.runs.push_back({{0.03, 0.01, 1, -1.5}, 2.0, "", false, false, {}, {}});
         },
         10, true},
    };
    for (const Case& c : cases) {
        series::Series changed = lab;
        c.change(changed);
        const series::Analysis analysis = series::analyse(changed, computed(changed));
        const series::PowerLaw& law = lawOf(analysis);
        EXPECT_EQ(law.runsUsed, c.used) << c.what;
        EXPECT_EQ(law.waterExponent.has_value(), c.waterExponent) << c.what;
        EXPECT_EQ(law.dropped.has_value(), !c.waterExponent) << c.what;
    }
    // Taken in despite its findings, the impossible run counts (and, with
    // a negative water flow, has no logarithm: it is left out of the fit).
    series::Series taken = lab;
    taken.runs.push_back({{0.03, 0.01, 1, -1.5}, 2.0, "", false, true, {}, {}});
    const series::Analysis analysis = series::analyse(taken, computed(taken));
    EXPECT_EQ(lawOf(analysis).leftOut, 1u);
}

}  // namespace
