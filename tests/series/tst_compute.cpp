#include "series/series.h"
#include "tests/series/samples.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using absorber::Outcome;

TEST(ComputeRun, ExampleAGivesTheWorkedNtuAndCoefficient)
{
    const series::RunResult result = series::computeRun({{0.02, 0.01, 1, 1}, 2.0, "", false, false, {}, {}});
    ASSERT_EQ(result.outcome, Outcome::completed);
    ASSERT_TRUE(result.ntu && result.mtc);
    EXPECT_NEAR(*result.ntu, 0.63547701805, 5e-12);
    EXPECT_EQ(result.coefficientOutcome, Outcome::completed);
    EXPECT_EQ(*result.mtc, 40.455628854993435);
}

struct OutcomeCase {
    const char* name;
    series::Run run;
    Outcome outcome;
    bool balanceReachedY2;
    std::optional<Outcome> coefficient;
};

class ComputeRunOutcomes : public testing::TestWithParam<OutcomeCase> {};

TEST_P(ComputeRunOutcomes, StopWhereTheWindowStops)
{
    const OutcomeCase& c = GetParam();
    const series::RunResult result = series::computeRun(c.run);
    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_EQ(result.balance.y2.has_value(), c.balanceReachedY2);
    EXPECT_EQ(result.ntu.has_value(), c.outcome == Outcome::completed);
    EXPECT_EQ(result.coefficientOutcome, c.coefficient);
    EXPECT_EQ(result.mtc.has_value(), c.coefficient == Outcome::completed);
}

// The core refuses zero inputs before the balance, Example C's y2 below 0,
// and a height that is not above 0; without a height there is no coefficient.
INSTANTIATE_TEST_SUITE_P(Runs, ComputeRunOutcomes, testing::Values(
    OutcomeCase{"example_a_with_height", {{0.02, 0.01, 1, 1}, 2.0, "", false, false, {}, {}}, Outcome::completed, true, Outcome::completed},
    OutcomeCase{"example_a_without_height", {{0.02, 0.01, 1, 1}, std::nullopt, "", false, false, {}, {}}, Outcome::completed, true, std::nullopt},
    OutcomeCase{"example_c_outlet_refused", {{0.02, 0.01, 1, 5}, 2.0, "", false, false, {}, {}}, Outcome::invalidData, true, std::nullopt},
    OutcomeCase{"all_inputs_zero", {{0, 0, 0, 0}, 2.0, "", false, false, {}, {}}, Outcome::invalidData, false, std::nullopt},
    OutcomeCase{"negative_height", {{0.02, 0.01, 1, 1}, -2.0, "", false, false, {}, {}}, Outcome::completed, true, Outcome::invalidData}),
    [](const auto& row) { return std::string(row.param.name); });

class ComputeRuns : public testing::TestWithParam<unsigned> {};

TEST_P(ComputeRuns, GiveWhatComputeRunGivesForEachRun)
{
    const series::Series sample = sampleSeries();
    std::atomic<std::size_t> done{0};
    const auto results = series::computeRuns(sample.runs, GetParam(), &done);
    ASSERT_TRUE(results.has_value());
    ASSERT_EQ(results->size(), sample.runs.size());
    for (std::size_t i = 0; i < results->size(); ++i)
        EXPECT_TRUE(sameResults(sampleResults()[i], (*results)[i])) << "run " << i;
    EXPECT_EQ(done, sample.runs.size());
}

TEST_P(ComputeRuns, StartNoRunOnceStopIsRequested)
{
    std::stop_source stop;
    stop.request_stop();
    std::atomic<std::size_t> done{0};
    EXPECT_FALSE(series::computeRuns(sampleSeries().runs, GetParam(), &done, stop.get_token()).has_value());
    EXPECT_EQ(done, 0u);
}

INSTANTIATE_TEST_SUITE_P(Jobs, ComputeRuns, testing::Values(0u, 1u, 2u, 8u),
    [](const auto& row) { return "jobs_" + std::to_string(row.param); });

TEST(ComputeRuns, NoRunsNoResults)
{
    const auto results = series::computeRuns({}, 4);
    ASSERT_TRUE(results.has_value());
    EXPECT_TRUE(results->empty());
}

}  // namespace
