#include "core/absorber.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

using absorber::Balance;
using absorber::Outcome;
using absorber::RunInputs;

// A whole run: the balance, then the integration when the balance completed.
struct WholeRun {
    Balance balance;
    absorber::Integration integration{Outcome::invalidData, 0.0};

    explicit WholeRun(const RunInputs& in)
        : balance(absorber::closeBalance(in))
    {
        if (balance.outcome == Outcome::completed)
            integration = absorber::integrateNtu(balance.limits);
    }
};

struct WorkedExample {
    const char* name;
    RunInputs in;
    double eqX, eqY, slope, flowFactor, outletRatio, y2, upperLimit, lowerLimit, stepWidth;
    double ntu;  // to 11 places
    double shownEqY, shownY2, shownNtu;
};

class WorkedExamples : public testing::TestWithParam<WorkedExample> {};

TEST_P(WorkedExamples, MatchBitForBit)
{
    const WorkedExample& ex = GetParam();
    const WholeRun run(ex.in);
    ASSERT_EQ(run.balance.outcome, Outcome::completed);
    ASSERT_EQ(run.integration.outcome, Outcome::completed);

    const Balance& b = run.balance;
    ASSERT_TRUE(b.point && b.y2);
    EXPECT_EQ(b.point->x, ex.eqX);
    EXPECT_EQ(b.point->y, ex.eqY);
    EXPECT_EQ(b.slope, ex.slope);
    EXPECT_EQ(b.limits.flowFactor, ex.flowFactor);
    EXPECT_EQ(b.limits.flowRatio, ex.in.gasFlow / ex.in.waterFlow);
    EXPECT_EQ(b.outletRatio, ex.outletRatio);
    EXPECT_EQ(*b.y2, ex.y2);
    EXPECT_EQ(b.limits.upperLimit, ex.upperLimit);
    EXPECT_EQ(b.limits.lowerLimit, ex.lowerLimit);
    EXPECT_EQ(b.limits.stepWidth, ex.stepWidth);
    EXPECT_NEAR(run.integration.ntu, ex.ntu, 0.5e-11);
    EXPECT_EQ(absorber::roundResult(b.point->y), ex.shownEqY);
    EXPECT_EQ(absorber::roundResult(*b.y2), ex.shownY2);
    EXPECT_EQ(absorber::roundResult(run.integration.ntu), ex.shownNtu);
}

INSTANTIATE_TEST_SUITE_P(Column, WorkedExamples, testing::Values(
    WorkedExample{"example_a", {0.02, 0.01, 1, 1}, 0.0208, 0.0254, 1.2211538461538463, -0.22115384615384626,
                  0.010307153164296022, 0.010201999591920018, 0.03411764705882353, 0.017403411068569442,
                  1.6714235990254088e-08, 0.63547701805, 0.0254, 0.0102, 0.6355},
    WorkedExample{"example_b", {0.045, 0.02, 2, 3}, 0.0503, 0.0671, 1.3339960238568591, 0.11066931742876063,
                  0.016508173950208354, 0.016240079886477108, 0.07676470588235293, 0.02770366568869624,
                  4.906104019365669e-08, 1.02408582874, 0.0671, 0.0162, 1.0241}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(CloseBalance, ExampleCFailsTheOutletTestWithTheBalanceKept)
{
    const Balance b = absorber::closeBalance({0.02, 0.01, 1, 5});
    EXPECT_EQ(b.outcome, Outcome::invalidData);
    EXPECT_EQ(b.outletRatio, -0.030096887239744387);
    ASSERT_TRUE(b.y2 && b.point);
    EXPECT_EQ(*b.y2, -0.03103081827842721);
    EXPECT_EQ(b.point->x, 0.0208);
    EXPECT_EQ(b.point->y, 0.0254);
    EXPECT_EQ(b.limits.stepWidth, 0.0);
}

struct InputCase {
    const char* name;
    RunInputs in;
    bool passes;
};

class InputTest : public testing::TestWithParam<InputCase> {};

TEST_P(InputTest, DecidesBeforeTheLookup)
{
    const InputCase& c = GetParam();
    const Balance b = absorber::closeBalance(c.in);
    EXPECT_EQ(b.point.has_value(), c.passes);
    if (!c.passes) {
        EXPECT_EQ(b.outcome, Outcome::invalidData);
        EXPECT_FALSE(b.y2.has_value());
    }
}

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(Boundaries, InputTest, testing::Values(
    InputCase{"all_zero", {0, 0, 0, 0}, false},
    InputCase{"zero_y1", {0, 0.01, 1, 1}, false},
    InputCase{"zero_x1", {0.02, 0, 1, 1}, false},
    InputCase{"zero_gas_flow", {0.02, 0.01, 0, 1}, false},
    InputCase{"zero_water_flow", {0.02, 0.01, 1, 0}, false},
    InputCase{"negative_zero_gas_flow", {0.02, 0.01, -0.0, 1}, false},
    InputCase{"y1_at_0_3", {0.3, 0.01, 1, 1}, true},
    InputCase{"y1_just_above_0_3", {std::nextafter(0.3, 1.0), 0.01, 1, 1}, false},
    InputCase{"y1_0_3001", {0.3001, 0.01, 1, 1}, false},
    InputCase{"x1_one", {0.02, 1, 1, 1}, false},
    InputCase{"x1_just_below_one", {0.02, std::nextafter(1.0, 0.0), 1, 1}, true},
    InputCase{"x1_0_99", {0.02, 0.99, 1, 1}, true},
    InputCase{"negative_x1", {0.02, -0.01, 1, 1}, true},
    InputCase{"negative_flows", {0.02, 0.01, -1, -3}, true},
    InputCase{"negative_y1", {-0.02, 0.01, 1, 1}, true},
    // Values that are not finite cannot be typed; the core refuses them too.
    InputCase{"infinite_gas_flow", {0.02, 0.01, inf, 1}, false},
    InputCase{"nan_water_flow", {0.02, 0.01, 1, nan}, false},
    InputCase{"minus_infinite_y1", {-inf, 0.01, 1, 1}, false},
    InputCase{"minus_infinite_x1", {0.02, -inf, 1, 1}, false}),
    [](const auto& row) { return std::string(row.param.name); });

// y2 is judged as it shows: strictly between 0 and 1 once rounded to 4 places.
struct OutletCase {
    const char* name;
    RunInputs in;
    double shownY2;
    bool passes;
};

class OutletTest : public testing::TestWithParam<OutletCase> {};

TEST_P(OutletTest, JudgesTheShownValue)
{
    const OutletCase& c = GetParam();
    const Balance b = absorber::closeBalance(c.in);
    ASSERT_TRUE(b.y2.has_value());
    EXPECT_EQ(absorber::roundResult(*b.y2), c.shownY2) << std::hexfloat << *b.y2;
    EXPECT_EQ(b.outcome == Outcome::completed, c.passes);
}

INSTANTIATE_TEST_SUITE_P(Edges, OutletTest, testing::Values(
    OutletCase{"shows_0_0001", {0.02, 0.0199, 1, 1}, 0.0001, true},
    OutletCase{"below_0_0001_shows_0", {0.02, 0.0199996, 1, 1}, 0.0, false},
    OutletCase{"negative", {0.02, 0.0202, 1, 1}, -0.0002, false},
    OutletCase{"example_c", {0.02, 0.01, 1, 5}, -0.031, false},
    // A negative x1 lifts y2 towards 1; it shows as 1 from 0.99995 on.
    OutletCase{"shows_0_9999", {0.02, -0.5, 1, 59000}, 0.9999, true},
    OutletCase{"shows_1", {0.02, -0.5, 1, 61000}, 1.0, false},
    OutletCase{"above_1", {0.02, 0.5, 1, 2}, 2.0208, false}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Column, NegativeGasFlowCompletes)
{
    const WholeRun run({0.02, 0.01, -1, 1});
    ASSERT_EQ(run.integration.outcome, Outcome::completed);
    EXPECT_EQ(absorber::roundResult(run.integration.ntu), 0.0662);
}

struct FaultCase {
    const char* name;
    RunInputs in;
    Outcome fault;
    bool y2Kept;  // the balance got as far as y2 before the fault
};

class Faults : public testing::TestWithParam<FaultCase> {};

TEST_P(Faults, AbandonAtTheFaultingStep)
{
    const FaultCase& c = GetParam();
    const WholeRun run(c.in);
    const Outcome outcome = run.balance.outcome == Outcome::completed ? run.integration.outcome : run.balance.outcome;
    EXPECT_EQ(outcome, c.fault);
    ASSERT_TRUE(run.balance.point.has_value());
    EXPECT_EQ(run.balance.point->x, absorber::lookupEquilibrium(c.in.y1).x);
    EXPECT_EQ(run.balance.y2.has_value(), c.y2Kept);
}

INSTANTIATE_TEST_SUITE_P(Column, Faults, testing::Values(
    // outletRatio is exactly -1: y2 divides by zero.
    FaultCase{"outlet_ratio_minus_one", {0.2, 0.5, 4, 5}, Outcome::divisionByZero, false},
    FaultCase{"flow_ratio_overflows", {0.02, 0.01, 1e300, 1e-300}, Outcome::overflow, false},
    FaultCase{"balance_overflows", {0.02, 0.01, 1e-300, 1e300}, Outcome::overflow, false},
    FaultCase{"flow_factor_overflows", {0.02, 0.01, 1.7e308, 1}, Outcome::overflow, false},
    // g/w * flowFactor overflows in the first step of the integration.
    FaultCase{"denominator_overflows", {0.02, 0.01, 1e160, 1}, Outcome::overflow, true},
    // flowFactor is exactly 0, so the denominator is Y itself, which steps
    // down from 500000 to -499999 units of 2^-20 and reaches 0 exactly.
    FaultCase{"denominator_reaches_zero", {-0.27952523067079743, -1.024417840751956, 0.83443708609271527, 1},
              Outcome::divisionByZero, true}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(CloseBalance, AFaultKeepsTheStepsBeforeIt)
{
    // Division by zero at y2: slope, flow factor and outlet ratio are kept.
    const Balance b = absorber::closeBalance({0.2, 0.5, 4, 5});
    EXPECT_EQ(b.outletRatio, -1.0);
    EXPECT_EQ(b.slope, 0.463 / 0.21);
    EXPECT_NE(b.limits.flowFactor, 0.0);
    // An overflow in the flow ratio keeps the slope only.
    const Balance early = absorber::closeBalance({0.02, 0.01, 1e300, 1e-300});
    EXPECT_EQ(early.slope, 0.0254 / 0.0208);
    EXPECT_EQ(early.limits.flowRatio, 0.0);
    EXPECT_EQ(early.outletRatio, 0.0);
}

}  // namespace
