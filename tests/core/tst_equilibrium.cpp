#include "core/absorber.h"
#include "testnames.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

using absorber::equilibriumPoints;
using absorber::lookupEquilibrium;

struct Band {
    double y1;
    int row;  // 1-based, as the table is numbered
};

class LookupBands : public testing::TestWithParam<Band> {};

TEST_P(LookupBands, PicksTheRow)
{
    const Band band = GetParam();
    const absorber::EquilibriumPoint point = lookupEquilibrium(band.y1);
    EXPECT_EQ(point.x, equilibriumPoints[band.row - 1].x);
    EXPECT_EQ(point.y, equilibriumPoints[band.row - 1].y);
}

INSTANTIATE_TEST_SUITE_P(Edges, LookupBands, testing::Values(
    // A value equal to a limit falls into the next band.
    Band{0.0126, 2}, Band{0.0167, 3}, Band{0.0208, 4}, Band{0.0258, 5}, Band{0.0309, 6},
    Band{0.0405, 7}, Band{0.0503, 8}, Band{0.0737, 9}, Band{0.096, 10}, Band{0.137, 11},
    Band{0.175, 12}, Band{0.21, 13}, Band{0.241, 14},
    // The last two bands give the same row; 0.3 itself is inside.
    Band{0.297, 14}, Band{0.2999, 14}, Band{0.3, 14},
    Band{0.045, 7}, Band{0.02, 3}, Band{0.0125999, 1}, Band{0.0, 1},
    Band{-0.5, 1}, Band{-std::numeric_limits<double>::infinity(), 1},
    // No caller asks past 0.3; the answer is still defined.
    Band{0.31, 14}, Band{std::numeric_limits<double>::quiet_NaN(), 14}),
    [](const auto& row) { return "y1_" + nameOf(row.param.y1) + "_row" + std::to_string(row.param.row); });

TEST(EquilibriumPoints, BothColumnsRiseStrictly)
{
    for (std::size_t row = 1; row < equilibriumPoints.size(); ++row) {
        EXPECT_LT(equilibriumPoints[row - 1].x, equilibriumPoints[row].x) << "row " << row + 1;
        EXPECT_LT(equilibriumPoints[row - 1].y, equilibriumPoints[row].y) << "row " << row + 1;
    }
    EXPECT_LT(equilibriumPoints.back().x, absorber::maxGasFraction);
}

TEST(EquilibriumPoints, JustBelowEachLimitStaysInItsBand)
{
    for (std::size_t row = 0; row < equilibriumPoints.size(); ++row) {
        const double limit = equilibriumPoints[row].x;
        const double below = std::nextafter(limit, 0.0);
        EXPECT_EQ(lookupEquilibrium(below).x, limit);
    }
}

}  // namespace
