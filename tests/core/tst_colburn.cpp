#include "core/absorber.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

namespace {

// The Colburn equation as textbooks write it, for A away from 1.
double textbookColburn(double y1, double y2, double slope, double flowRatio)
{
    const double inverseA = slope * flowRatio;
    return std::log((1 - inverseA) * (y1 / y2) + inverseA) / (1 - inverseA);
}

struct ColburnCase {
    const char* name;
    double y1, y2, slope, flowRatio;
    // Where glibc's log1p(x) is an ulp off: ln(1 + x) rounded to nearest
    // (mpmath, 300 bits), which the NTU must be computed from on every
    // C library.
    double log1pOfX = 0.0;
};

class ColburnNtu : public testing::TestWithParam<ColburnCase> {};

TEST_P(ColburnNtu, IsTheTextbookFormula)
{
    const ColburnCase& c = GetParam();
    const std::optional<double> ntu = absorber::colburnNtu(c.y1, c.y2, c.slope, c.flowRatio);
    ASSERT_TRUE(ntu.has_value());
    const double expected = textbookColburn(c.y1, c.y2, c.slope, c.flowRatio);
    EXPECT_NEAR(*ntu, expected, 1e-13 * std::fabs(expected));
    const double excess = c.y1 / c.y2 - 1.0;
    const double x = (1.0 - c.slope * c.flowRatio) * excess;
    if (c.log1pOfX != 0.0) {
        EXPECT_EQ(*ntu, excess * (c.log1pOfX / x));
    }
}

INSTANTIATE_TEST_SUITE_P(Runs, ColburnNtu, testing::Values(
    // Example A's point and flows.
    ColburnCase{"example_a", 0.02, 0.010201999591920018, 0.0254 / 0.0208, 1.0},
    ColburnCase{"example_b", 0.045, 0.016240079886477108, 0.0671 / 0.0503, 2.0 / 3.0},
    ColburnCase{"a_large", 0.1, 0.001, 1.2, 0.1},
    ColburnCase{"a_small", 0.02, 0.015, 1.2, 1.5},
    // x = -0x1.29ca2c5d7b7ffp-3 and 0x1.00b242265b43dp-3.
    ColburnCase{"a_below_one_log1p", 0.026729799999999998, 0.021649526501837088, 1.262135922330097,
                1.2832550860719876, -0x1.41cc354ff0649p-3},
    ColburnCase{"a_above_one_log1p", 0.0162817, 0.0052832282907755088, 1.2035928143712575, 0.7808219178082193,
                0x1.e3ad520193074p-4}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(ColburnNtuNearOneA, TendsToTheStraightLineResult)
{
    // At A = 1 the lines are parallel and NTU = y1/y2 - 1 exactly; beside
    // it the textbook form loses its digits, log1p keeps them.
    EXPECT_EQ(absorber::colburnNtu(0.02, 0.01, 0.5, 2.0), std::optional(1.0));
    for (const double offset : {1e-6, 1e-10, -1e-12}) {
        const std::optional<double> ntu = absorber::colburnNtu(0.02, 0.01, 0.5 + offset, 2.0);
        ASSERT_TRUE(ntu.has_value());
        // d NTU / d(1 - 1/A) = -(r - 1)^2 / 2 at A = 1, r = 2.
        EXPECT_NEAR(*ntu, 1.0 + offset, 1e-15 + 1e-3 * std::fabs(offset));
    }
}

TEST(ColburnNtuUndefined, WhereTheLogarithmHasNoValue)
{
    EXPECT_FALSE(absorber::colburnNtu(0.02, 0.0, 1.2, 1.0));
    EXPECT_FALSE(absorber::colburnNtu(0.02, -0.01, 1.2, 1.0));
    // (1 - 1/A) (y1/y2) + 1/A <= 0: 1/A = 3, y1/y2 = 2 gives -1.
    EXPECT_FALSE(absorber::colburnNtu(0.02, 0.01, 3.0, 1.0));
}

struct SignCase {
    const char* name;
    absorber::IntegrationLimits limits;
    bool changes;
};

class DrivingForce : public testing::TestWithParam<SignCase> {};

TEST_P(DrivingForce, ChangesSignBetweenTheLimits)
{
    EXPECT_EQ(absorber::drivingForceChangesSign(GetParam().limits), GetParam().changes);
}

// The denominator is (1 - flowRatio flowFactor) Y + lowerLimit flowFactor.
INSTANTIATE_TEST_SUITE_P(Limits, DrivingForce, testing::Values(
    // 3 Y - 2 from Y = 1 (1) down to 0.5 (-0.5).
    SignCase{"crosses_zero", {1.0, -2.0, 0.5, 1.0, -0.5e-6}, true},
    // 3 Y - 2 from 1 to 2: 1 and 4.
    SignCase{"stays_positive", {1.0, -2.0, 2.0, 1.0, 1e-6}, false},
    // -Y - 1 from 1 to 2: -2 and -3.
    SignCase{"stays_negative", {1.0, 2.0, 2.0, -0.5, 1e-6}, false},
    // 3 Y - 2 is 0 at Y = 2/3, the upper limit.
    SignCase{"zero_at_a_limit", {1.0, -2.0, 2.0 / 3.0, 1.0, -1e-6}, true}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
