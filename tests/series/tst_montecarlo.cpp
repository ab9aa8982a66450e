#include "present/seriesmessages.h"
#include "series/montecarlo.h"
#include "series/random.h"
#include "xoshiro256.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <variant>
#include <vector>

namespace {

// Published reference outputs: xoshiro256** from the state {1, 2, 3, 4},
// SplitMix64 seeded with 1234567 (Rosetta Code, Pseudo-random numbers/Splitmix64).
TEST(Generators, GiveTheReferenceOutputs)
{
    Xoshiro256 xoshiro(1, 2, 3, 4);
    for (const std::uint64_t expected : {11520ull, 0ull, 1509978240ull, 1215971899390074240ull, 1216172134540287360ull})
        EXPECT_EQ(xoshiro.next(), expected);
    series::SplitMix64 splitMix(1234567);
    for (const std::uint64_t expected : {6457827717110365317ull, 3203168211198807973ull, 9817491932198370423ull})
        EXPECT_EQ(splitMix.next(), expected);
}

TEST(NumericalTolerance, IsHalfAUnitInTheLastSignificantDigit)
{
    // u = c x 10^l with c of two digits: 0.0253 is 25 x 10^-3, 2.0 is
    // 20 x 10^-1, 123.4 is 12 x 10^1, 0.999 is 99 x 10^-2.
    EXPECT_DOUBLE_EQ(series::numericalTolerance(0.0253, 2), 0.0005);
    EXPECT_DOUBLE_EQ(series::numericalTolerance(2.0, 2), 0.05);
    EXPECT_DOUBLE_EQ(series::numericalTolerance(123.4, 2), 5.0);
    EXPECT_DOUBLE_EQ(series::numericalTolerance(0.999, 2), 0.005);
    EXPECT_DOUBLE_EQ(series::numericalTolerance(2.0, 3), 0.005);
    EXPECT_EQ(series::numericalTolerance(0.0, 2), 0.0);
}

const series::Model additive = [](std::span<const double> x) {
    return std::optional(series::ModelOutputs{x[0] + x[1] + x[2] + x[3], x[0]});
};

constexpr std::array<series::NormalInput, 4> standardNormals{{{0, 1}, {0, 1}, {0, 1}, {0, 1}}};

struct AdditiveCase {
    const char* name;
    int digits;
    double tolerance;  // the numerical tolerance of u = 2.0 at these digits
};

class AdditiveModel : public testing::TestWithParam<AdditiveCase> {};

// JCGM 101:2008, 9.2.2: Y = X1 + X2 + X3 + X4, each X standard normal,
// has u(y) = 2 and the 95 % interval [-3.92, 3.92].
TEST_P(AdditiveModel, GivesTheGuideResult)
{
    series::AdaptiveSettings settings;
    settings.significantDigits = GetParam().digits;
    const auto result = series::propagate(standardNormals, additive, 2008, settings);
    ASSERT_TRUE(std::holds_alternative<series::Propagation>(result));
    const auto& p = std::get<series::Propagation>(result);
    const double tolerance = GetParam().tolerance;
    EXPECT_TRUE(p.stabilised);
    EXPECT_EQ(p.failed, 0u);
    EXPECT_NEAR(p.outputs[0].mean, 0.0, tolerance);
    EXPECT_NEAR(p.outputs[0].u, 2.00, tolerance);
    EXPECT_NEAR(p.outputs[0].low, -3.92, tolerance);
    EXPECT_NEAR(p.outputs[0].high, 3.92, tolerance);
    // The second output is X1 alone, from the same draws.
    EXPECT_NEAR(p.outputs[1].u, 1.0, 2 * tolerance);
}

INSTANTIATE_TEST_SUITE_P(Digits, AdditiveModel, testing::Values(
    AdditiveCase{"two_digits", 2, 0.05},
    AdditiveCase{"three_digits", 3, 0.005}),
    [](const auto& row) { return std::string(row.param.name); });

struct FailureCase {
    const char* name;
    double below;  // the model has no value where X1 is below this
    bool given;
};

class FailedDraws : public testing::TestWithParam<FailureCase> {};

TEST_P(FailedDraws, AreCountedAndRefusedAboveOnePercent)
{
    const double below = GetParam().below;
    const series::Model partial = [below](std::span<const double> x) -> std::optional<series::ModelOutputs> {
        if (x[0] < below)
            return std::nullopt;
        return series::ModelOutputs{x[0] + x[1] + x[2] + x[3], 0.0};
    };
    const auto result = series::propagate(standardNormals, partial, 7);
    ASSERT_EQ(std::holds_alternative<series::Propagation>(result), GetParam().given);
    if (const auto* p = std::get_if<series::Propagation>(&result)) {
        // P(X < -3) = 0.135 %.
        EXPECT_NEAR(static_cast<double>(p->failed) / static_cast<double>(p->draws), 0.00135, 0.0005);
    }
}

INSTANTIATE_TEST_SUITE_P(Thresholds, FailedDraws, testing::Values(
    FailureCase{"below_minus_3_sigma_given", -3.0, true},
    FailureCase{"below_minus_2_sigma_refused", -2.0, false}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Propagate, StopsWhenCancelled)
{
    std::atomic<bool> cancel{true};
    std::atomic<std::size_t> drawn{0};
    const auto result = series::propagate(standardNormals, additive, 1, {}, &cancel, &drawn);
    ASSERT_TRUE(std::holds_alternative<series::NotGiven>(result));
    EXPECT_EQ(present::seriesMessage(std::get<series::NotGiven>(result).reason), "cancelled");
    EXPECT_EQ(drawn, 0u);
}

TEST(Propagate, StopsAtTheLargestNumberOfDraws)
{
    series::AdaptiveSettings settings;
    settings.significantDigits = 6;
    settings.maxDraws = 30000;
    const auto result = series::propagate(standardNormals, additive, 1, settings);
    ASSERT_TRUE(std::holds_alternative<series::Propagation>(result));
    EXPECT_FALSE(std::get<series::Propagation>(result).stabilised);
    EXPECT_EQ(std::get<series::Propagation>(result).draws, 30000u);
}

}  // namespace
