#include "core/absorber.h"
#include "report/runpdf.h"
#include "tests/report/cases.h"
#include "tests/report/corerun.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <cmath>

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

namespace {

// The full values the window and the reports write, in locales with their
// own decimal points, signs, power symbols and digits: as QLocale writes
// the shortest text, plain from 0.0001 below 10^15.
class FullNumbers : public testing::TestWithParam<const char*> {};

TEST_P(FullNumbers, AsQLocaleWritesThem)
{
    QLocale locale{QString::fromLatin1(GetParam())};
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    for (const double value : {0.0, -0.0, 1e-4, 5e-5, -1.5e-5, 0.1 + 0.2, 999999999999999.9, 1e15, -1.5e300, -12345.678,
                               1e-310, std::nan(""), HUGE_VAL, -HUGE_VAL}) {
        const double magnitude = std::fabs(value);
        const bool plain = magnitude == 0.0 || (magnitude >= 1e-4 && magnitude < 1e15);
        EXPECT_EQ(report::exactNumberText(value, locale),
                  locale.toString(value, plain ? 'f' : 'e', QLocale::FloatingPointShortest))
            << value;
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, FullNumbers,
                         testing::Values("C", "en_US", "de_DE", "ar_EG", "sv_SE", "fa_IR", "he_IL", "hi_IN"),
                         [](const testing::TestParamInfo<const char*>& row) { return std::string(row.param); });

}  // namespace
