#include "core/absorber.h"
#include "testnames.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

// The factor to the digits the issue states, and 1 to the bit at the table's
// own temperature.
struct FactorCase {
    double celsius;
    double shown;
};

class EquilibriumFactor : public testing::TestWithParam<FactorCase> {};

TEST_P(EquilibriumFactor, ShowsTheCheckValue)
{
    const FactorCase& c = GetParam();
    EXPECT_EQ(absorber::roundResult(absorber::equilibriumFactor(c.celsius)), c.shown);
}

INSTANTIATE_TEST_SUITE_P(Check, EquilibriumFactor, testing::Values(
    FactorCase{20.0, 0.6234}, FactorCase{40.0, 1.5565}, FactorCase{5.0, 0.2879}, FactorCase{50.0, 2.3572}),
    [](const auto& row) { return "at_" + nameOf(row.param.celsius) + "_degC"; });

TEST(EquilibriumFactorAtTheTable, IsExactlyOne)
{
    EXPECT_EQ(absorber::equilibriumFactor(absorber::tableTemperature), 1.0);
}

// A run at 30 degC is today's run to the bit; one at another temperature
// differs only in y*, and so in the slope and what follows from it.
struct BalanceCase {
    const char* name;
    absorber::RunInputs in;
};

class TemperatureBalance : public testing::TestWithParam<BalanceCase> {};

TEST_P(TemperatureBalance, AtThirtyIsTodaysBalance)
{
    const absorber::RunInputs in = GetParam().in;
    const absorber::Balance today = absorber::closeBalance(in);
    const absorber::Balance at30 = absorber::closeBalance(in, 30.0);
    ASSERT_EQ(at30.outcome, today.outcome);
    EXPECT_EQ(at30.point->y, today.point->y);
    EXPECT_EQ(at30.slope, today.slope);
    EXPECT_EQ(at30.y2, today.y2);
    EXPECT_EQ(at30.limits.flowFactor, today.limits.flowFactor);
    EXPECT_EQ(absorber::integrateNtu(at30.limits).ntu, absorber::integrateNtu(today.limits).ntu);
}

TEST_P(TemperatureBalance, AtTwentyScalesTheSlopeOnly)
{
    const absorber::RunInputs in = GetParam().in;
    const absorber::Balance today = absorber::closeBalance(in);
    const absorber::Balance at20 = absorber::closeBalance(in, 20.0);
    ASSERT_EQ(at20.outcome, absorber::Outcome::completed);
    EXPECT_EQ(at20.point->x, today.point->x);
    EXPECT_NEAR(at20.slope / today.slope, 0.6233738769365327, 1e-15);
    // y2 comes from the balance alone.
    EXPECT_EQ(at20.y2, today.y2);
    EXPECT_NE(at20.limits.flowFactor, today.limits.flowFactor);
}

INSTANTIATE_TEST_SUITE_P(Worked, TemperatureBalance, testing::Values(
    BalanceCase{"example_a", {0.02, 0.01, 1, 1}}, BalanceCase{"example_b", {0.045, 0.02, 2, 3}}),
    [](const auto& row) { return std::string(row.param.name); });

class UnusableTemperature : public testing::TestWithParam<double> {};

TEST_P(UnusableTemperature, RefusesTheInputs)
{
    const absorber::Balance balance = absorber::closeBalance({0.02, 0.01, 1, 1}, GetParam());
    EXPECT_EQ(balance.outcome, absorber::Outcome::invalidData);
    EXPECT_FALSE(balance.point.has_value());
}

INSTANTIATE_TEST_SUITE_P(Refused, UnusableTemperature, testing::Values(
    -273.15, -300.0, std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()),
    [](const auto& row) { return nameOf(row.param); });

// HOG = Z / NTU, checked on values whose quotient is exact.
struct HogCase {
    const char* name;
    double height, ntu;
    std::optional<double> hog;
};

class HeightOfTransferUnit : public testing::TestWithParam<HogCase> {};

TEST_P(HeightOfTransferUnit, IsHeightOverNtu)
{
    const HogCase& c = GetParam();
    EXPECT_EQ(absorber::heightOfTransferUnit(c.height, c.ntu), c.hog);
}

INSTANTIATE_TEST_SUITE_P(Cases, HeightOfTransferUnit, testing::Values(
    HogCase{"quarter", 1.5, 6.0, 0.25}, HogCase{"one", 2.0, 2.0, 1.0},
    HogCase{"zero_ntu", 1.5, 0.0, std::nullopt}, HogCase{"zero_height", 0.0, 2.0, std::nullopt},
    HogCase{"negative_ntu", 1.5, -2.0, std::nullopt}, HogCase{"overflow", 1e300, 1e-300, std::nullopt}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
