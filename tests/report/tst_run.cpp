#include "core/absorber.h"
#include "tests/report/cases.h"
#include "tests/report/corerun.h"

#include <gtest/gtest.h>

namespace {

// A run's row holds the inputs and the core's own results, field by field,
// and its working values follow from each other as the report's labels
// say: "Slope y*/x", "Upper limit, 29/17 · y1" and so on.
class RunFields : public testing::TestWithParam<RunCase> {};

TEST_P(RunFields, HoldTheCoresValues)
{
    const RunCase& in = GetParam();
    const std::optional<report::Run> run = runFromCore(7, in.y1, in.x1, in.gasFlow, in.waterFlow, in.packingHeight);
    ASSERT_TRUE(run.has_value());
    const absorber::Balance balance = absorber::closeBalance({in.y1, in.x1, in.gasFlow, in.waterFlow});
    ASSERT_TRUE(balance.point && balance.y2);
    const double ntu = absorber::integrateNtu(balance.limits).ntu;

    EXPECT_EQ(run->number, 7);
    EXPECT_EQ(run->y1, in.y1);
    EXPECT_EQ(run->x1, in.x1);
    EXPECT_EQ(run->gasFlow, in.gasFlow);
    EXPECT_EQ(run->waterFlow, in.waterFlow);
    EXPECT_EQ(run->eqX, balance.point->x);
    EXPECT_EQ(run->eqY, balance.point->y);
    EXPECT_EQ(run->y2, *balance.y2);
    EXPECT_EQ(run->outletRatio, balance.outletRatio);
    EXPECT_EQ(run->ntu, ntu);
    if (in.packingHeight) {
        EXPECT_EQ(run->packingHeight, in.packingHeight);
        EXPECT_EQ(run->mtc, absorber::findMtc(*in.packingHeight, ntu, in.gasFlow).mtc);
    }

    const double massRatio = 29.0 / 17.0;
    EXPECT_EQ(run->slope, run->eqY / run->eqX);
    EXPECT_EQ(run->flowFactor, 1.0 - run->slope * (run->gasFlow / run->waterFlow));
    EXPECT_EQ(run->y2, run->outletRatio / (run->outletRatio + 1.0));
    EXPECT_EQ(run->upperLimit, massRatio * run->y1);
    EXPECT_EQ(run->lowerLimit, massRatio * run->y2);
    EXPECT_EQ(run->stepCount, absorber::ntuSteps);
    EXPECT_EQ(run->stepWidth, (run->upperLimit - run->lowerLimit) / run->stepCount);
}

INSTANTIATE_TEST_SUITE_P(Runs, RunFields, testing::ValuesIn(allCases()),
                         [](const testing::TestParamInfo<RunCase>& row) { return row.param.name; });

}  // namespace
