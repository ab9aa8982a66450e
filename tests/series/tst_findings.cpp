#include "series/analysis.h"
#include "series/findings.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace {

struct FindingsCase {
    const char* name;
    absorber::RunInputs inputs;
    const char* codes;
};

class Findings : public testing::TestWithParam<FindingsCase> {};

TEST_P(Findings, NameWhatCannotDescribeAnAbsorber)
{
    const series::Run run{GetParam().inputs, 2.0, {}, false, false, {}, {}};
    const series::RunResult result = series::computeRun(run);
    EXPECT_EQ(series::findingCodes(series::findingsOf(run, result)), GetParam().codes);
    // Findings change no number.
    EXPECT_EQ(result.ntu, series::computeRun(run).ntu);
}

INSTANTIATE_TEST_SUITE_P(Runs, Findings, testing::Values(
    FindingsCase{"example_a", {0.02, 0.01, 1, 1}, ""},
    // Y2 = 0.03/0.97 + 0.01/0.99 * 1.5 gives y2 = 0.044 > y1.
    FindingsCase{"negative_water_flow", {0.03, 0.01, 1, -1.5}, "water_flow_not_positive;no_absorption"},
    FindingsCase{"negative_x1_and_gas_flow", {0.02, -0.015, -1, 1}, "gas_flow_not_positive;negative_fraction"},
    // x1 * 0.0254/0.0208 = 0.02198 >= y1 = 0.02, though y2 = 0.0021 passes.
    FindingsCase{"above_equilibrium", {0.02, 0.018, 1, 1}, "above_equilibrium"},
    // Refused at the outlet test: y2 = -0.031 reached, nothing beyond.
    FindingsCase{"example_c", {0.02, 0.01, 1, 5}, ""},
    // Refused before the balance: only the inputs speak.
    FindingsCase{"refused_inputs", {0.5, -0.01, 0, 1}, "gas_flow_not_positive;negative_fraction"},
    FindingsCase{"zero_water_flow", {0.02, 0.01, 1, 0}, "water_flow_not_positive"},
    // y2 = -0.031 is refused at the outlet, but reached: the water's 0.01 is
    // beyond any equilibrium with a gas of no NH3.
    FindingsCase{"negative_y1", {-0.02, 0.01, 1, 1}, "negative_fraction;above_equilibrium"},
    // Y2 = -0.0099 + 0.0099 * 2 gives y2 = 0.0098 > y1.
    FindingsCase{"driving_force_changes_sign", {-0.01, -0.01, 1, 2}, "negative_fraction;no_absorption;driving_force_changes_sign"}),
    [](const auto& row) { return std::string(row.param.name); });

// The smallest positive double in [low, high] for which `past` holds, given
// that it holds for every double above one that it holds for: positive
// doubles order as their bits do.
std::optional<double> firstPast(double low, double high, const std::function<bool(double)>& past)
{
    if (past(low) || !past(high))
        return std::nullopt;
    auto below = std::bit_cast<std::uint64_t>(low);
    auto above = std::bit_cast<std::uint64_t>(high);
    while (above - below > 1) {
        const std::uint64_t middle = below + (above - below) / 2;
        (past(std::bit_cast<double>(middle)) ? above : below) = middle;
    }
    return std::bit_cast<double>(above);
}

double y2Of(const absorber::RunInputs& inputs)
{
    return absorber::closeBalance(inputs).y2.value_or(NAN);
}

// The largest x1 whose gas still leaves exactly as rich as it came (y2 == y1
// to the bit), found through the balance: a y1 for which a tiny x1 gives
// y2 == y1, then the first x1 at which y2 drops below it.
std::optional<absorber::RunInputs> leavesAsRich()
{
    for (int step = 0; step < 1000; ++step) {
        const double y1 = 0.02 + step * 1e-5;
        if (y2Of({y1, 1e-300, 1, 1}) != y1)
            continue;
        const auto first = firstPast(1e-300, 0.01, [y1](double x1) { return y2Of({y1, x1, 1, 1}) < y1; });
        const double x1 = first ? std::nextafter(*first, 0.0) : 0.0;
        if (first && y2Of({y1, x1, 1, 1}) == y1)
            return absorber::RunInputs{y1, x1, 1, 1};
    }
    return std::nullopt;
}

// Water exactly at equilibrium with the entering gas: y1 is the gas in
// equilibrium with x1 (slope * x1) to the bit, while one x1 less is not.
std::optional<absorber::RunInputs> atEquilibrium()
{
    const double slope = absorber::closeBalance({0.02, 0.01, 1, 1}).slope;
    for (int step = 0; step < 1000; ++step) {
        const double x1 = (0.02 + step * 1e-6) / slope;
        const double y1 = x1 * slope;
        if (absorber::closeBalance({y1, x1, 1, 1}).slope == slope && std::nextafter(x1, 0.0) * slope < y1)
            return absorber::RunInputs{y1, x1, 1, 1};
    }
    return std::nullopt;
}

struct EdgeCase {
    const char* name;
    std::optional<absorber::RunInputs> (*edge)();
    double x1Steps;  // how far from the edge: 1 one double up, -1 one down
    const char* codes;
};

class FindingEdges : public testing::TestWithParam<EdgeCase> {};

// Each finding holds on its edge and not one double beyond it.
TEST_P(FindingEdges, HoldUpToTheLastBit)
{
    const std::optional<absorber::RunInputs> edge = GetParam().edge();
    ASSERT_TRUE(edge) << "no such inputs found";
    absorber::RunInputs inputs = *edge;
    if (GetParam().x1Steps != 0.0)
        inputs.x1 = std::nextafter(inputs.x1, GetParam().x1Steps * INFINITY);
    const series::Run run{inputs, 2.0, {}, false, false, {}, {}};
    const series::RunResult result = series::computeRun(run);
    ASSERT_TRUE(result.balance.y2);
    EXPECT_EQ(series::findingCodes(series::findingsOf(run, result)), GetParam().codes)
        << "y1 " << inputs.y1 << ", x1 " << inputs.x1 << ", y2 " << *result.balance.y2;
}

INSTANTIATE_TEST_SUITE_P(Runs, FindingEdges, testing::Values(
    EdgeCase{"y2_equals_y1", leavesAsRich, 0, "no_absorption"},
    EdgeCase{"y2_one_below_y1", leavesAsRich, 1, ""},
    EdgeCase{"x1_at_equilibrium", atEquilibrium, 0, "above_equilibrium"},
    EdgeCase{"x1_one_below_equilibrium", atEquilibrium, -1, ""}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(InAnalysis, LeavesOutExcludedRunsAndRunsWithFindingsUnlessIncluded)
{
    struct Case {
        absorber::RunInputs inputs;
        bool excluded, included, expected;
    };
    const absorber::RunInputs plausible{0.02, 0.01, 1, 1};
    const absorber::RunInputs impossible{0.03, 0.01, 1, -1.5};
    series::Series all;
    std::vector<bool> expected;
    for (const Case& c : {Case{plausible, false, false, true}, Case{plausible, true, false, false},
                          Case{impossible, false, false, false}, Case{impossible, false, true, true},
                          Case{impossible, true, true, false}}) {
        const series::Run run{c.inputs, 2.0, {}, c.excluded, c.included, {}, {}};
        EXPECT_EQ(series::inAnalysis(run, series::computeRun(run)), c.expected)
            << "water flow " << c.inputs.waterFlow << ", excluded " << c.excluded << ", included " << c.included;
        all.runs.push_back(run);
        expected.push_back(c.expected);
    }
    // The analysis marks the same runs as used, as the charts show them.
    const series::Analysis analysis = series::analyse(all, *series::computeRuns(all.runs, 1));
    ASSERT_EQ(analysis.runs.size(), all.runs.size());
    for (const series::AnalysisRun& analysed : analysis.runs)
        EXPECT_EQ(analysed.used, expected[analysed.run]) << "run " << analysed.run;
}

}  // namespace
