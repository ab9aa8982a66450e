#include "core/absorber.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

using absorber::Outcome;

// ntu of a completed run.
double ntuOf(const absorber::RunInputs& in)
{
    const absorber::Balance balance = absorber::closeBalance(in);
    EXPECT_EQ(balance.outcome, Outcome::completed);
    const absorber::Integration integration = absorber::integrateNtu(balance.limits);
    EXPECT_EQ(integration.outcome, Outcome::completed);
    return integration.ntu;
}

struct Example {
    const char* name;
    absorber::RunInputs in;
    double height;
    double mtc;
    double shown;
};

class FindMtcExamples : public testing::TestWithParam<Example> {};

TEST_P(FindMtcExamples, MatchBitForBit)
{
    const Example& ex = GetParam();
    const absorber::Coefficient c = absorber::findMtc(ex.height, ntuOf(ex.in), ex.in.gasFlow);
    ASSERT_EQ(c.outcome, Outcome::completed);
    EXPECT_EQ(c.mtc, ex.mtc);
    EXPECT_EQ(absorber::roundResult(c.mtc), ex.shown);
}

INSTANTIATE_TEST_SUITE_P(Coefficient, FindMtcExamples, testing::Values(
    Example{"example_a", {0.02, 0.01, 1, 1}, 2, 40.455628854993435, 40.4556},
    Example{"example_b", {0.045, 0.02, 2, 3}, 1.5, 173.85380336857256, 173.8538}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(FindMtc, DoublingTheHeightHalvesTheCoefficient)
{
    const double ntu = ntuOf({0.045, 0.02, 2, 3});
    for (double height : {0.25, 1.0, 3.7, 12.0}) {
        const absorber::Coefficient single = absorber::findMtc(height, ntu, 2);
        const absorber::Coefficient doubled = absorber::findMtc(2 * height, ntu, 2);
        ASSERT_EQ(single.outcome, Outcome::completed);
        ASSERT_EQ(doubled.outcome, Outcome::completed);
        EXPECT_EQ(doubled.mtc, single.mtc / 2) << "height " << height;
    }
}

struct Precondition {
    const char* name;
    double height, ntu, gasFlow;
    Outcome outcome;
};

class FindMtcOutcomes : public testing::TestWithParam<Precondition> {};

TEST_P(FindMtcOutcomes, FollowThePreconditionAndTheFaults)
{
    const Precondition& p = GetParam();
    EXPECT_EQ(absorber::findMtc(p.height, p.ntu, p.gasFlow).outcome, p.outcome);
}

constexpr double tiny = std::numeric_limits<double>::denorm_min();

INSTANTIATE_TEST_SUITE_P(Edges, FindMtcOutcomes, testing::Values(
    Precondition{"before_any_calculation", 2, 0, 0, Outcome::invalidData},
    Precondition{"zero_height", 0, 0.6, 1, Outcome::invalidData},
    Precondition{"negative_height", -2, 0.6, 1, Outcome::invalidData},
    Precondition{"zero_ntu", 2, 0, 1, Outcome::invalidData},
    Precondition{"zero_gas_flow", 2, 0.6, 0, Outcome::invalidData},
    Precondition{"negative_gas_flow", 2, 0.0662, -1, Outcome::invalidData},
    Precondition{"infinite_height", std::numeric_limits<double>::infinity(), 0.6, 1, Outcome::invalidData},
    Precondition{"nan_height", std::numeric_limits<double>::quiet_NaN(), 0.6, 1, Outcome::invalidData},
    // Each strictly above 0 by the least amount passes.
    Precondition{"smallest_height", 1e-300, 0.6, 1, Outcome::completed},
    Precondition{"smallest_ntu", 2, tiny, 1, Outcome::completed},
    Precondition{"smallest_gas_flow", 2, 0.6, tiny, Outcome::completed}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(FindMtc, NegativeGasFlowRunIsRefused)
{
    EXPECT_EQ(absorber::findMtc(2, ntuOf({0.02, 0.01, -1, 1}), -1).outcome, Outcome::invalidData);
}

INSTANTIATE_TEST_SUITE_P(Faults, FindMtcOutcomes, testing::Values(
    Precondition{"numerator_overflows", 2, 1e300, 1e300, Outcome::overflow},
    // The smallest height times the section underflows to 0.
    Precondition{"divisor_underflows_to_zero", tiny, 0.6, 1, Outcome::divisionByZero},
    Precondition{"quotient_overflows", 1e-300, 1e10, 1e10, Outcome::overflow},
    // Both the numerator and the divisor underflow to 0.
    Precondition{"zero_over_zero", tiny, 1e-200, 1e-200, Outcome::invalidOperation}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
