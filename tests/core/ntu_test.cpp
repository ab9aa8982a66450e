#include "core/absorber.h"
#include "core/column_work.h"
#include "core/ntu.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using absorber::Outcome;
using absorber::detail::NtuLimits;
using absorber::detail::ntuSteps;

// The integration written out step by step, one term at a time.
double stepByStep(const NtuLimits& in)
{
    double currentY = in.startY;
    double ntu = 0.0;
    for (double stepCount = 0; stepCount < ntuSteps;) {
        currentY = in.stepWidth + currentY;
        stepCount = stepCount + 1;
        const double denominator = (1 - in.flowRatio * in.flowFactor) * currentY
            + in.lowerLimit * in.flowFactor;
        const double lastTerm = (1.0 / denominator) * in.stepWidth;
        ntu = std::fabs(lastTerm) + ntu;
    }
    return ntu;
}

struct Operating {
    double y1, x1, gasFlow, waterFlow;
};

// The integration's inputs as the column calculation forms them.
NtuLimits limitsOf(const Operating& op)
{
    absorber::ColumnState state;
    absorber::RunFractions fractions{op.x1, op.y1, 0.0};
    state.gasFlow = op.gasFlow;
    state.waterFlow = op.waterFlow;
    absorber::detail::ColumnWork work;
    EXPECT_EQ(absorber::detail::calculateColumn(state, fractions, {}, work), Outcome::completed);
    return {op.gasFlow / op.waterFlow, work.flowFactor, work.lowerLimit, work.stepWidth,
            work.lowerLimit - work.stepWidth};
}

class AcrossTheTable : public testing::TestWithParam<Operating> {};

TEST_P(AcrossTheTable, FastSumEqualsTheStepByStepSum)
{
    const NtuLimits limits = limitsOf(GetParam());
    const absorber::detail::NtuSum sum = absorber::detail::integrateNtu(limits);
    ASSERT_EQ(sum.outcome, Outcome::completed);
    EXPECT_EQ(sum.ntu, stepByStep(limits));
}

TEST_P(AcrossTheTable, AgreesWithTheClosedFormIntegral)
{
    const NtuLimits in = limitsOf(GetParam());
    // The integrand is 1 / (a Y + b); its integral is ln(a Y + b) / a.
    const double a = 1 - in.flowRatio * in.flowFactor;
    const double b = in.lowerLimit * in.flowFactor;
    const double lower = in.lowerLimit;
    const double upper = in.lowerLimit + ntuSteps * in.stepWidth;
    const double exact = std::fabs(std::log((a * upper + b) / (a * lower + b)) / a);
    // A left-end rectangle sum of a monotonic integrand is off by at most
    // one step times the integrand's rise over the range.
    const double rise = std::fabs(1 / (a * upper + b) - 1 / (a * lower + b));
    const double bound = std::fabs(in.stepWidth) * rise + 1e-9 * exact;

    const double ntu = absorber::detail::integrateNtu(in).ntu;
    EXPECT_NEAR(ntu, exact, bound);
}

INSTANTIATE_TEST_SUITE_P(Runs, AcrossTheTable, testing::Values(
    Operating{0.02, 0.01, 1, 1},     // example A
    Operating{0.045, 0.02, 2, 3},    // example B
    Operating{0.01, 0.005, 1, 1.5},
    Operating{0.03, 0.02, 1, 1.2},
    Operating{0.08, 0.05, 1, 1.3},
    Operating{0.15, 0.1, 1, 1.2},
    Operating{0.25, 0.15, 1, 1.5},
    Operating{0.3, 0.2, 1, 1.3},
    Operating{0.02, 0.01, -1, 1},    // negative flow: terms summed as magnitudes
    Operating{0.02, -0.01, 1, 1}),  // y2 above y1: the steps run downwards
    [](const auto& info) { return "run" + std::to_string(info.index); });

TEST(IntegrateNtu, ZeroDenominatorIsADivisionByZero)
{
    // g/w = 1 and flowFactor 0 make the denominator Y itself; Y reaches 0 exactly.
    const NtuLimits in{1, 0, 0, 1.0, -11.0};
    EXPECT_EQ(absorber::detail::integrateNtu(in).outcome, Outcome::divisionByZero);
}

TEST(IntegrateNtu, InfiniteDenominatorIsAnOverflowThoughItAddsNothing)
{
    // (1 - (-1e300)) * 1e10 overflows; 1/inf is 0 and the sum stays finite.
    const NtuLimits in{1, -1e300, 1e-300, 1e-3, 1e10};
    EXPECT_EQ(absorber::detail::integrateNtu(in).outcome, Outcome::overflow);
}

TEST(IntegrateNtu, SubnormalDenominatorOverflowsItsReciprocal)
{
    const NtuLimits in{1, 0, 0, 1e-320, 1e-310};
    EXPECT_EQ(absorber::detail::integrateNtu(in).outcome, Outcome::overflow);
}

TEST(IntegrateNtu, ZeroStepWidthSumsZero)
{
    const NtuLimits in{1, 0.5, 0.02, 0.0, 0.02};
    const absorber::detail::NtuSum sum = absorber::detail::integrateNtu(in);
    EXPECT_EQ(sum.outcome, Outcome::completed);
    EXPECT_EQ(sum.ntu, 0.0);
}

}  // namespace
