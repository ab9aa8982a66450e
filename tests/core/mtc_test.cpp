#include "core/absorber.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using absorber::ColumnState;
using absorber::Outcome;

ColumnState completedRun(double y1, double x1, double gasFlow, double waterFlow)
{
    ColumnState state;
    absorber::RunFractions fractions{x1, y1, 0.0};
    state.gasFlow = gasFlow;
    state.waterFlow = waterFlow;
    EXPECT_EQ(absorber::calculateColumn(state, fractions), Outcome::completed);
    return state;
}

TEST(FindMtc, ExampleA)
{
    ColumnState state = completedRun(0.02, 0.01, 1, 1);
    ASSERT_EQ(absorber::findMtc(2, state), Outcome::completed);
    EXPECT_EQ(state.mtc, 40.455628854993435);
    EXPECT_EQ(absorber::roundResult(state.mtc), 40.4556);
}

TEST(FindMtc, ExampleB)
{
    ColumnState state = completedRun(0.045, 0.02, 2, 3);
    ASSERT_EQ(absorber::findMtc(1.5, state), Outcome::completed);
    EXPECT_EQ(state.mtc, 173.85380336857256);
    EXPECT_EQ(absorber::roundResult(state.mtc), 173.8538);
}

TEST(FindMtc, DoublingTheHeightHalvesTheCoefficient)
{
    ColumnState state = completedRun(0.045, 0.02, 2, 3);
    for (double height : {0.25, 1.0, 3.7, 12.0}) {
        ASSERT_EQ(absorber::findMtc(height, state), Outcome::completed);
        const double single = state.mtc;
        ASSERT_EQ(absorber::findMtc(2 * height, state), Outcome::completed);
        EXPECT_EQ(state.mtc, single / 2) << "height " << height;
    }
}

struct Precondition {
    const char* name;
    double height, ntu, gasFlow;
};

class FindMtcRefuses : public testing::TestWithParam<Precondition> {};

TEST_P(FindMtcRefuses, WithInvalidDataAndKeepsTheLastCoefficient)
{
    const Precondition& p = GetParam();
    ColumnState state;
    state.ntu = p.ntu;
    state.gasFlow = p.gasFlow;
    state.mtc = 9.0;
    EXPECT_EQ(absorber::findMtc(p.height, state), Outcome::invalidData);
    EXPECT_EQ(state.mtc, 9.0);
}

INSTANTIATE_TEST_SUITE_P(Preconditions, FindMtcRefuses, testing::Values(
    Precondition{"BeforeAnyCalculation", 2, 0, 0},
    Precondition{"ZeroHeight", 0, 0.6, 1},
    Precondition{"NegativeHeight", -2, 0.6, 1},
    Precondition{"ZeroNtu", 2, 0, 1},
    Precondition{"NegativeGasFlow", 2, 0.0662, -1},
    Precondition{"InfiniteHeight", std::numeric_limits<double>::infinity(), 0.6, 1},
    Precondition{"NaNHeight", std::numeric_limits<double>::quiet_NaN(), 0.6, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FindMtc, NegativeGasFlowRunIsRefused)
{
    ColumnState state = completedRun(0.02, 0.01, -1, 1);
    EXPECT_EQ(absorber::findMtc(2, state), Outcome::invalidData);
}

struct MtcFault {
    const char* name;
    double height, ntu, gasFlow;
    Outcome fault;
};

class FindMtcFaults : public testing::TestWithParam<MtcFault> {};

TEST_P(FindMtcFaults, AreNamedAndStoreNothing)
{
    const MtcFault& f = GetParam();
    ColumnState state;
    state.ntu = f.ntu;
    state.gasFlow = f.gasFlow;
    state.mtc = 9.0;
    EXPECT_EQ(absorber::findMtc(f.height, state), f.fault);
    EXPECT_EQ(state.mtc, 9.0);
}

INSTANTIATE_TEST_SUITE_P(Arithmetic, FindMtcFaults, testing::Values(
    MtcFault{"NumeratorOverflows", 2, 1e300, 1e300, Outcome::overflow},
    // The smallest height times the section underflows to 0.
    MtcFault{"DivisorUnderflowsToZero", std::numeric_limits<double>::denorm_min(), 0.6, 1,
             Outcome::divisionByZero},
    MtcFault{"QuotientOverflows", 1e-300, 1e10, 1e10, Outcome::overflow}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
