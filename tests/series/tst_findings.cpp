#include "series/findings.h"

#include <gtest/gtest.h>

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
    FindingsCase{"refused_inputs", {0.5, -0.01, 0, 1}, "gas_flow_not_positive;negative_fraction"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(InAnalysis, LeavesOutExcludedRunsAndRunsWithFindingsUnlessIncluded)
{
    struct Case {
        absorber::RunInputs inputs;
        bool excluded, included, expected;
    };
    const absorber::RunInputs plausible{0.02, 0.01, 1, 1};
    const absorber::RunInputs impossible{0.03, 0.01, 1, -1.5};
    for (const Case& c : {Case{plausible, false, false, true}, Case{plausible, true, false, false},
                          Case{impossible, false, false, false}, Case{impossible, false, true, true},
                          Case{impossible, true, true, false}}) {
        const series::Run run{c.inputs, 2.0, {}, c.excluded, c.included, {}, {}};
        EXPECT_EQ(series::inAnalysis(run, series::computeRun(run)), c.expected)
            << "water flow " << c.inputs.waterFlow << ", excluded " << c.excluded << ", included " << c.included;
    }
}

}  // namespace
