#include "core/absorber.h"
#include "testnames.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

struct Rounding {
    double value;
    double shown;
};

class RoundResult : public testing::TestWithParam<Rounding> {};

std::string caseName(const testing::TestParamInfo<Rounding>& info)
{
    return nameOf(info.param.value) + "_to_" + nameOf(info.param.shown);
}

TEST_P(RoundResult, RoundsToFourPlaces)
{
    const Rounding row = GetParam();
    const double rounded = absorber::roundResult(row.value);
    EXPECT_EQ(rounded, row.shown) << std::hexfloat << row.value;
    EXPECT_EQ(std::signbit(rounded), std::signbit(row.shown));
}

INSTANTIATE_TEST_SUITE_P(Ties, RoundResult, testing::Values(
    // Exact binary ties go to the even last digit.
    Rounding{0.03125, 0.0312}, Rounding{0.09375, 0.0938}, Rounding{-0.03125, -0.0312},
    Rounding{1.00005, 1.0001},  // not a tie in binary: just above
    // 0.00015 is just below the tie in binary; a scaled nearbyint(x * 1e4)
    // would see 1.5 and round up.
    Rounding{0.00015, 0.0001}, Rounding{0.00005, 0.0001}),
    caseName);

INSTANTIATE_TEST_SUITE_P(OutletTest, RoundResult, testing::Values(
    Rounding{0.00004, 0.0}, Rounding{0.99994, 0.9999}, Rounding{0.99995, 1.0},
    Rounding{-0.03103081827842721, -0.031}, Rounding{-0.00004, 0.0},
    Rounding{0.010201999591920018, 0.0102}),
    caseName);

INSTANTIATE_TEST_SUITE_P(Magnitudes, RoundResult, testing::Values(
    Rounding{40.455628854993435, 40.4556}, Rounding{173.85380336857256, 173.8538},
    Rounding{12345.67894, 12345.6789}, Rounding{1e300, 1e300},
    Rounding{-std::numeric_limits<double>::max(), -std::numeric_limits<double>::max()},
    Rounding{std::numeric_limits<double>::denorm_min(), 0.0},
    Rounding{std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity()}),
    caseName);

TEST(RoundResultNaN, StaysNaN)
{
    EXPECT_TRUE(std::isnan(absorber::roundResult(std::numeric_limits<double>::quiet_NaN())));
}

}  // namespace
