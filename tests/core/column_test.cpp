#include "core/absorber.h"
#include "core/column_work.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using absorber::ColumnState;
using absorber::Outcome;
using absorber::RunFractions;

// One run with the four inputs stored the way the window stores them.
struct ColumnRun {
    ColumnState state;
    RunFractions fractions;
    absorber::detail::ColumnWork work;
    int balanceCalls = 0;

    ColumnRun(double y1, double x1, double gasFlow, double waterFlow)
    {
        fractions.y1 = y1;
        fractions.x1 = x1;
        state.gasFlow = gasFlow;
        state.waterFlow = waterFlow;
    }

    Outcome calculate()
    {
        return absorber::detail::calculateColumn(
            state, fractions, [this](const ColumnState&, const RunFractions&) { ++balanceCalls; }, work);
    }
};

struct WorkedExample {
    const char* name;
    double y1, x1, gasFlow, waterFlow;
    double eqX, eqY, slope, flowFactor, outletRatio, y2, upperLimit, lowerLimit, stepWidth;
    double ntu;  // to 11 places
    double shownEqY, shownY2, shownNtu;
};

class WorkedExamples : public testing::TestWithParam<WorkedExample> {};

TEST_P(WorkedExamples, MatchBitForBit)
{
    const WorkedExample& ex = GetParam();
    ColumnRun run(ex.y1, ex.x1, ex.gasFlow, ex.waterFlow);
    ASSERT_EQ(run.calculate(), Outcome::completed);

    EXPECT_EQ(run.state.eqX, ex.eqX);
    EXPECT_EQ(run.state.eqY, ex.eqY);
    EXPECT_EQ(run.work.slope, ex.slope);
    EXPECT_EQ(run.work.flowFactor, ex.flowFactor);
    EXPECT_EQ(run.work.outletRatio, ex.outletRatio);
    EXPECT_EQ(run.fractions.y2, ex.y2);
    EXPECT_EQ(run.work.upperLimit, ex.upperLimit);
    EXPECT_EQ(run.work.lowerLimit, ex.lowerLimit);
    EXPECT_EQ(run.work.stepWidth, ex.stepWidth);
    EXPECT_NEAR(run.state.ntu, ex.ntu, 0.5e-11);
    EXPECT_EQ(absorber::roundResult(run.state.eqY), ex.shownEqY);
    EXPECT_EQ(absorber::roundResult(run.fractions.y2), ex.shownY2);
    EXPECT_EQ(absorber::roundResult(run.state.ntu), ex.shownNtu);
    EXPECT_EQ(run.balanceCalls, 1);
    // The inputs come through untouched.
    EXPECT_EQ(run.fractions.y1, ex.y1);
    EXPECT_EQ(run.fractions.x1, ex.x1);
}

INSTANTIATE_TEST_SUITE_P(Column, WorkedExamples, testing::Values(
    WorkedExample{"A", 0.02, 0.01, 1, 1, 0.0208, 0.0254, 1.2211538461538463, -0.22115384615384626,
                  0.010307153164296022, 0.010201999591920018, 0.03411764705882353, 0.017403411068569442,
                  1.6714235990254088e-08, 0.63547701805, 0.0254, 0.0102, 0.6355},
    WorkedExample{"B", 0.045, 0.02, 2, 3, 0.0503, 0.0671, 1.3339960238568591, 0.11066931742876063,
                  0.016508173950208354, 0.016240079886477108, 0.07676470588235293, 0.02770366568869624,
                  4.906104019365669e-08, 1.02408582874, 0.0671, 0.0162, 1.0241}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CalculateColumn, ExampleCFailsTheOutletTestWithTheBalanceStored)
{
    ColumnRun run(0.02, 0.01, 1, 5);
    run.state.ntu = 0.5;
    EXPECT_EQ(run.calculate(), Outcome::invalidData);
    EXPECT_EQ(run.work.outletRatio, -0.030096887239744387);
    EXPECT_EQ(run.fractions.y2, -0.03103081827842721);
    EXPECT_EQ(run.state.eqX, 0.0208);
    EXPECT_EQ(run.state.eqY, 0.0254);
    EXPECT_EQ(run.state.ntu, 0.5);
    EXPECT_EQ(run.balanceCalls, 0);
}

struct InputCase {
    const char* name;
    double y1, x1, gasFlow, waterFlow;
    bool passes;
};

class InputTest : public testing::TestWithParam<InputCase> {};

TEST_P(InputTest, DecidesBeforeTheLookup)
{
    const InputCase& in = GetParam();
    ColumnRun run(in.y1, in.x1, in.gasFlow, in.waterFlow);
    run.state.eqX = -1.0;  // the lookup overwrites it once the test is passed
    const Outcome outcome = run.calculate();
    EXPECT_EQ(run.state.eqX != -1.0, in.passes);
    if (!in.passes) {
        EXPECT_EQ(outcome, Outcome::invalidData);
    }
}

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(Boundaries, InputTest, testing::Values(
    InputCase{"AllZero", 0, 0, 0, 0, false},
    InputCase{"ZeroY1", 0, 0.01, 1, 1, false},
    InputCase{"ZeroX1", 0.02, 0, 1, 1, false},
    InputCase{"ZeroGasFlow", 0.02, 0.01, 0, 1, false},
    InputCase{"ZeroWaterFlow", 0.02, 0.01, 1, 0, false},
    InputCase{"NegativeZeroGasFlow", 0.02, 0.01, -0.0, 1, false},
    InputCase{"Y1AtLimit", 0.3, 0.01, 1, 1, true},
    InputCase{"Y1PastLimit", 0.3001, 0.01, 1, 1, false},
    InputCase{"X1One", 0.02, 1, 1, 1, false},
    InputCase{"X1JustBelowOne", 0.02, 0.99, 1, 1, true},
    InputCase{"NegativeX1", 0.02, -0.01, 1, 1, true},
    InputCase{"NegativeFlows", 0.02, 0.01, -1, -3, true},
    InputCase{"NegativeY1", -0.02, 0.01, 1, 1, true},
    // Values that are not finite cannot be typed; the core refuses them too.
    InputCase{"InfiniteGasFlow", 0.02, 0.01, inf, 1, false},
    InputCase{"NaNWaterFlow", 0.02, 0.01, 1, nan, false},
    InputCase{"MinusInfiniteY1", -inf, 0.01, 1, 1, false},
    InputCase{"MinusInfiniteX1", 0.02, -inf, 1, 1, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CalculateColumn, InputRejectionKeepsTheLastRun)
{
    ColumnRun run(0.02, 0.01, 1, 1);
    ASSERT_EQ(run.calculate(), Outcome::completed);
    const ColumnState before = run.state;
    const double y2 = run.fractions.y2;

    run.fractions.y1 = 0.0;
    run.state.gasFlow = 7.0;
    EXPECT_EQ(run.calculate(), Outcome::invalidData);
    EXPECT_EQ(run.state.ntu, before.ntu);
    EXPECT_EQ(run.state.eqX, before.eqX);
    EXPECT_EQ(run.state.eqY, before.eqY);
    EXPECT_EQ(run.state.gasFlow, 7.0);
    EXPECT_EQ(run.fractions.y2, y2);
}

TEST(CalculateColumn, OutletBoundsAreJudgedOnTheRoundedValue)
{
    // x1 chosen so that y2 lands just inside and just outside the shown range.
    ColumnRun tiny(0.02, 0.01, 1, 1);
    tiny.fractions.x1 = 0.0199;  // y2 about 0.0001: still shown as 0.0001
    EXPECT_EQ(tiny.calculate(), Outcome::completed);
    EXPECT_EQ(absorber::roundResult(tiny.fractions.y2), 0.0001);

    ColumnRun zero(0.02, 0.0202, 1, 1);  // y2 rounds to -0.0002
    EXPECT_EQ(zero.calculate(), Outcome::invalidData);
    EXPECT_LT(zero.fractions.y2, 0.0);
}

TEST(CalculateColumn, NegativeGasFlowCompletes)
{
    ColumnRun run(0.02, 0.01, -1, 1);
    ASSERT_EQ(run.calculate(), Outcome::completed);
    EXPECT_EQ(absorber::roundResult(run.state.ntu), 0.0662);
}

struct FaultCase {
    const char* name;
    double y1, x1, gasFlow, waterFlow;
    Outcome fault;
    bool balanceClosed;  // the first results were shown before the fault
};

class Faults : public testing::TestWithParam<FaultCase> {};

TEST_P(Faults, AbandonAtTheFaultingStep)
{
    const FaultCase& fc = GetParam();
    ColumnRun run(fc.y1, fc.x1, fc.gasFlow, fc.waterFlow);
    run.state.ntu = 0.25;
    run.state.mtc = 3.0;
    run.fractions.y2 = 0.5;
    EXPECT_EQ(run.calculate(), fc.fault);
    EXPECT_EQ(run.balanceCalls, fc.balanceClosed ? 1 : 0);
    EXPECT_EQ(run.state.eqX, absorber::lookupEquilibrium(fc.y1).x);
    EXPECT_EQ(run.state.mtc, 3.0);
    if (fc.balanceClosed) {
        // The integration had started: ntu was reset and the broken-off sum is not kept.
        EXPECT_EQ(run.state.ntu, 0.0);
    } else {
        EXPECT_EQ(run.state.ntu, 0.25);
        EXPECT_EQ(run.fractions.y2, 0.5);
    }
}

INSTANTIATE_TEST_SUITE_P(Column, Faults, testing::Values(
    // outletRatio is exactly -1: y2 divides by zero.
    FaultCase{"OutletRatioMinusOne", 0.2, 0.5, 4, 5, Outcome::divisionByZero, false},
    FaultCase{"FlowRatioOverflows", 0.02, 0.01, 1e300, 1e-300, Outcome::overflow, false},
    FaultCase{"BalanceOverflows", 0.02, 0.01, 1e-300, 1e300, Outcome::overflow, false},
    FaultCase{"FlowFactorOverflows", 0.02, 0.01, 1.7e308, 1, Outcome::overflow, false},
    // g/w * flowFactor overflows in the first step of the integration.
    FaultCase{"DenominatorOverflows", 0.02, 0.01, 1e160, 1, Outcome::overflow, true},
    // flowFactor is exactly 0, so the denominator is Y itself, which steps
    // down from 500000 to -499999 units of 2^-20 and reaches 0 exactly.
    FaultCase{"DenominatorReachesZero", -0.27952523067079743, -1.024417840751956, 0.83443708609271527, 1,
              Outcome::divisionByZero, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CalculateColumn, ValidRunAfterAFaultCompletes)
{
    ColumnRun run(0.2, 0.5, 4, 5);
    ASSERT_EQ(run.calculate(), Outcome::divisionByZero);
    run.fractions = {0.01, 0.02, 0.0};
    run.state.gasFlow = 1;
    run.state.waterFlow = 1;
    EXPECT_EQ(run.calculate(), Outcome::completed);
    EXPECT_NEAR(run.state.ntu, 0.63547701805, 0.5e-11);
}

TEST(CalculateColumn, SameInputsGiveTheSameBits)
{
    ColumnRun first(0.045, 0.02, 2, 3);
    ColumnRun second(0.045, 0.02, 2, 3);
    ASSERT_EQ(first.calculate(), Outcome::completed);
    ASSERT_EQ(second.calculate(), Outcome::completed);
    EXPECT_EQ(first.state.ntu, second.state.ntu);
    EXPECT_EQ(first.fractions.y2, second.fractions.y2);
}

TEST(CalculateColumn, PublicEntryRunsWithoutACallback)
{
    ColumnState state;
    RunFractions fractions{0.01, 0.02, 0.0};
    state.gasFlow = 1;
    state.waterFlow = 1;
    EXPECT_EQ(absorber::calculateColumn(state, fractions), Outcome::completed);
    EXPECT_EQ(fractions.y2, 0.010201999591920018);
}

}  // namespace
