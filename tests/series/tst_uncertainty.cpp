#include "present/seriesmessages.h"
#include "series/uncertainty.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>
#include <variant>

namespace {

struct BandCase {
    const char* name;
    absorber::RunInputs inputs;
};

class ClosedFormNtu : public testing::TestWithParam<BandCase> {};

// The sum is a left-end rectangle rule of the integral, so the two differ by
// about half a step's change of the integrand: near 1e-6 of the NTU.
TEST_P(ClosedFormNtu, AgreesWithTheSum)
{
    const absorber::Balance balance = absorber::closeBalance(GetParam().inputs);
    ASSERT_EQ(balance.outcome, absorber::Outcome::completed);
    const absorber::Integration sum = absorber::integrateNtu(balance.limits);
    ASSERT_EQ(sum.outcome, absorber::Outcome::completed);
    const std::optional<double> closed = series::closedFormNtu(balance.limits);
    ASSERT_TRUE(closed.has_value());
    EXPECT_NEAR(*closed, sum.ntu, 1e-5 * sum.ntu);
}

// y1 in every band of the equilibrium table, x1 half of y1, the flows
// taking turns of 1:1, 1:2 and 2:3.
INSTANTIATE_TEST_SUITE_P(Bands, ClosedFormNtu, testing::Values(
    BandCase{"band_0_y1_0_01", {0.01, 0.005, 1, 1}},
    BandCase{"band_1_y1_0_015", {0.015, 0.0075, 1, 2}},
    BandCase{"band_2_y1_0_019", {0.019, 0.0095, 2, 3}},
    BandCase{"band_3_y1_0_023", {0.023, 0.0115, 1, 1}},
    BandCase{"band_4_y1_0_028", {0.028, 0.014, 1, 2}},
    BandCase{"band_5_y1_0_035", {0.035, 0.0175, 2, 3}},
    BandCase{"band_6_y1_0_045", {0.045, 0.0225, 1, 1}},
    BandCase{"band_7_y1_0_06", {0.06, 0.03, 1, 2}},
    BandCase{"band_8_y1_0_085", {0.085, 0.0425, 2, 3}},
    BandCase{"band_9_y1_0_12", {0.12, 0.06, 1, 1}},
    BandCase{"band_10_y1_0_16", {0.16, 0.08, 1, 2}},
    BandCase{"band_11_y1_0_19", {0.19, 0.095, 2, 3}},
    BandCase{"band_12_y1_0_23", {0.23, 0.115, 1, 1}},
    BandCase{"band_13_y1_0_27", {0.27, 0.135, 1, 2}},
    BandCase{"band_13_y1_0_3", {0.3, 0.15, 2, 3}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(ClosedFormNtuLimits, ParallelLinesAndASignChange)
{
    // a = 1 - 1 * 1 = 0: the integrand is 1 / 0.01 throughout, NTU = 0.02 / 0.01.
    const absorber::IntegrationLimits parallel{1.0, 1.0, 0.03, 0.01, 0.02 / absorber::ntuSteps};
    ASSERT_TRUE(series::closedFormNtu(parallel).has_value());
    EXPECT_NEAR(*series::closedFormNtu(parallel), 2.0, 1e-15);
    // 3 Y - 2 from Y = 1 down to 0.5 passes through 0.
    EXPECT_FALSE(series::closedFormNtu({1.0, -2.0, 0.5, 1.0, -0.5e-6}).has_value());
}

const series::Run exampleA{{0.02, 0.01, 1, 1}, 2.0, "", false, false, {}, {}};

// Small enough that the model is nearly linear over them.
const series::Uncertainties small{0.002, 0.002, 1e-5, 1e-5, 0.001};

TEST(CoefficientOf, IsTheWorkedCoefficientOfExampleA)
{
    // Example A's coefficient from the 1,000,000-step sum.
    const std::optional<double> mtc = series::coefficientOf(exampleA.inputs, 2.0);
    ASSERT_TRUE(mtc.has_value());
    EXPECT_NEAR(*mtc, 40.455628854993435, 1e-5 * 40.46);
    EXPECT_FALSE(series::coefficientOf({0.02, 0.01, 1, 5}, 2.0).has_value());
    EXPECT_FALSE(series::coefficientOf(exampleA.inputs, 0.0).has_value());
}

TEST(Gum, BudgetSharesAddToAHundredAndTheHeightActsInversely)
{
    const auto result = series::gum(exampleA, {0.02, 0.01, 1e-4, 5e-5, 0.005});
    ASSERT_TRUE(std::holds_alternative<series::Gum>(result));
    const series::Gum& g = std::get<series::Gum>(result);
    ASSERT_EQ(g.budget.size(), 5u);
    double shares = 0.0;
    for (const series::BudgetLine& line : g.budget)
        shares += line.sharePercent;
    EXPECT_NEAR(shares, 100.0, 1e-9);
    // mtc is proportional to 1 / z.
    const series::BudgetLine& height = g.budget[4];
    EXPECT_EQ(height.input, series::Input::packingHeight);
    EXPECT_NEAR(height.sensitivity, -g.mtc / 2.0, 1e-6 * g.mtc);
    EXPECT_EQ(g.budget[2].uncertainty, 0.02);
    // The flows' uncertainties are relative: at flows other than 1 they scale.
    series::Run faster = exampleA;
    faster.inputs.gasFlow = 2.0;
    faster.inputs.waterFlow = 4.0;
    const auto scaled = series::gum(faster, {0.02, 0.01, 1e-4, 5e-5, 0.005});
    ASSERT_TRUE(std::holds_alternative<series::Gum>(scaled));
    EXPECT_EQ(std::get<series::Gum>(scaled).budget[2].uncertainty, 0.04);
    EXPECT_EQ(std::get<series::Gum>(scaled).budget[3].uncertainty, 0.04);
}

TEST(Gum, OneSidedAtABandLimit)
{
    // y1 = 0.0208 opens band 3; a central step would take band 2's slope in
    // and its jump would dwarf the derivative.
    series::Run atLimit = exampleA;
    atLimit.inputs = {0.0208, 0.0104, 1, 1};
    const auto result = series::gum(atLimit, small);
    ASSERT_TRUE(std::holds_alternative<series::Gum>(result));
    const auto& g = std::get<series::Gum>(result);
    series::Run inside = atLimit;
    inside.inputs.y1 = 0.02081;
    const auto besideResult = series::gum(inside, small);
    ASSERT_TRUE(std::holds_alternative<series::Gum>(besideResult));
    const auto& beside = std::get<series::Gum>(besideResult);
    EXPECT_NEAR(g.budget[0].sensitivity, beside.budget[0].sensitivity, 1e-2 * std::fabs(beside.budget[0].sensitivity));
}

TEST(GumAndMonteCarlo, AgreeWhereTheModelIsNearlyLinear)
{
    const auto first = series::gum(exampleA, small);
    const auto second = series::monteCarlo(exampleA, small, 42);
    ASSERT_TRUE(std::holds_alternative<series::Gum>(first));
    ASSERT_TRUE(std::holds_alternative<series::MonteCarlo>(second));
    const auto& g = std::get<series::Gum>(first);
    const auto& mc = std::get<series::MonteCarlo>(second);
    EXPECT_TRUE(mc.stabilised);
    EXPECT_EQ(mc.failedDraws, 0u);
    EXPECT_NEAR(mc.u, g.u, 0.03 * g.u);
    EXPECT_NEAR(mc.uNtu, g.uNtu, 0.03 * g.uNtu);
    EXPECT_NEAR(mc.mtc, g.mtc, 0.05 * g.u);
    // A normal output: the interval is the estimate +- 1.96 u.
    EXPECT_NEAR(mc.interval.low, g.mtc - 1.96 * g.u, 0.05 * g.u);
    EXPECT_NEAR(mc.interval.high, g.mtc + 1.96 * g.u, 0.05 * g.u);
}

bool sameBits(const series::MonteCarlo& a, const series::MonteCarlo& b)
{
    const auto bits = [](double x) { return std::bit_cast<std::uint64_t>(x); };
    return bits(a.mtc) == bits(b.mtc) && bits(a.u) == bits(b.u) && bits(a.interval.low) == bits(b.interval.low)
        && bits(a.interval.high) == bits(b.interval.high) && bits(a.uNtu) == bits(b.uNtu) && a.draws == b.draws;
}

TEST(MonteCarlo, TheSameSeedGivesTheSameBits)
{
    const series::Uncertainties wide{0.02, 0.02, 2e-4, 1e-4, 0.005};
    std::atomic<std::size_t> drawn{0};
    const auto once = series::monteCarlo(exampleA, wide, 7, std::nullopt, nullptr, &drawn);
    const auto again = series::monteCarlo(exampleA, wide, 7);
    const auto other = series::monteCarlo(exampleA, wide, 8);
    ASSERT_TRUE(std::holds_alternative<series::MonteCarlo>(once));
    ASSERT_TRUE(std::holds_alternative<series::MonteCarlo>(again));
    ASSERT_TRUE(std::holds_alternative<series::MonteCarlo>(other));
    EXPECT_TRUE(sameBits(std::get<series::MonteCarlo>(once), std::get<series::MonteCarlo>(again)));
    EXPECT_FALSE(sameBits(std::get<series::MonteCarlo>(once), std::get<series::MonteCarlo>(other)));
    EXPECT_EQ(drawn, std::get<series::MonteCarlo>(once).draws);
}

struct RefusedCase {
    const char* name;
    series::Run run;
    series::Uncertainties uncertainties;
};

class NotGiven : public testing::TestWithParam<RefusedCase> {};

TEST_P(NotGiven, ByEitherMethod)
{
    const RefusedCase& c = GetParam();
    const auto first = series::gum(c.run, c.uncertainties);
    const auto second = series::monteCarlo(c.run, c.uncertainties, 1);
    ASSERT_TRUE(std::holds_alternative<series::NotGiven>(first));
    ASSERT_TRUE(std::holds_alternative<series::NotGiven>(second));
    EXPECT_EQ(present::seriesMessage(std::get<series::NotGiven>(first).reason),
              present::seriesMessage(std::get<series::NotGiven>(second).reason));
}

INSTANTIATE_TEST_SUITE_P(Runs, NotGiven, testing::Values(
    RefusedCase{"no_height", {{0.02, 0.01, 1, 1}, std::nullopt, "", false, false, {}, {}}, small},
    // Negative fractions: y2 above 0 while y1 is below it.
    RefusedCase{"driving_force_changes_sign", {{-0.01, -0.01, 1, 2}, 2.0, "", false, false, {}, {}}, small},
    RefusedCase{"example_c_outlet_refused", {{0.02, 0.01, 1, 5}, 2.0, "", false, false, {}, {}}, small},
    RefusedCase{"no_uncertainty", {{0.02, 0.01, 1, 1}, 2.0, "", false, false, {}, {}}, {}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Merged, EachKeyOfTheRunReplacesTheDefault)
{
    const series::Uncertainties defaults{0.02, 0.03, 1e-4, std::nullopt, 0.001};
    const series::Uncertainties run{std::nullopt, 0.05, std::nullopt, 2e-4, std::nullopt};
    const series::Uncertainties both = series::merged(defaults, run);
    EXPECT_EQ(both.gasFlowRel, 0.02);
    EXPECT_EQ(both.waterFlowRel, 0.05);
    EXPECT_EQ(both.y1, 1e-4);
    EXPECT_EQ(both.x1, 2e-4);
    EXPECT_EQ(both.packingHeight, 0.001);
}

}  // namespace
