#include "series/montecarlo.h"
#include "series/random.h"
#include "series/uncertainty.h"
#include "xoshiro256.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <numbers>
#include <string>
#include <variant>
#include <vector>

namespace {

constexpr std::size_t drawCount = 1000000;
constexpr std::size_t round = 2 * series::NormalDraws::streams;

const std::vector<double>& millionDraws()
{
    static const std::vector<double> made = [] {
        std::vector<double> draws(drawCount);
        series::NormalDraws(series::uncertaintySeed).fill(draws);
        return draws;
    }();
    return made;
}

// The mean of f over the draws' indices i where i % round < lanes, with
// f given the draws and i.
double meanOver(std::size_t lanes, const std::function<double(const std::vector<double>&, std::size_t)>& f,
                std::size_t skipLastRounds = 0)
{
    const std::vector<double>& z = millionDraws();
    double sum = 0.0;
    std::size_t n = 0;
    for (std::size_t i = 0; i + skipLastRounds * round < z.size(); ++i) {
        if (i % round < lanes) {
            sum += f(z, i);
            ++n;
        }
    }
    return sum / static_cast<double>(n);
}

double fractionOf(const std::function<bool(double)>& in)
{
    return meanOver(round, [&in](const auto& z, std::size_t i) { return in(z[i]) ? 1.0 : 0.0; });
}

struct StatisticCase {
    const char* name;
    std::function<double()> statistic;
    double expected;
    double standardError;
};

class StandardNormal : public testing::TestWithParam<StatisticCase> {};

// Each statistic is within 5.5 standard errors of its expectation for a
// standard normal with independent draws: a false failure about once in
// 2.6 x 10^7 per row.
TEST_P(StandardNormal, StatisticIsWithinItsBounds)
{
    const StatisticCase& c = GetParam();
    EXPECT_NEAR(c.statistic(), c.expected, 5.5 * c.standardError);
}

const double n = drawCount;
// Tail probabilities of the standard normal: 2 Q(2), 2 Q(3), 2 Q(4), Q(1.96).
constexpr double beyond2 = 0.04550026389635842;
constexpr double beyond3 = 0.0026997960632601866;
constexpr double beyond4 = 6.334248366623996e-05;
constexpr double above196 = 0.024997895148220435;
const double pairs = n / 2.0;

INSTANTIATE_TEST_SUITE_P(Draws, StandardNormal, testing::Values(
    StatisticCase{"mean", [] { return meanOver(round, [](const auto& z, std::size_t i) { return z[i]; }); }, 0.0, 1 / std::sqrt(n)},
    // Var z^2 = 2, Var z^4 = 105 - 9.
    StatisticCase{"second_moment", [] { return meanOver(round, [](const auto& z, std::size_t i) { return z[i] * z[i]; }); }, 1.0, std::sqrt(2 / n)},
    StatisticCase{"fourth_moment", [] { return meanOver(round, [](const auto& z, std::size_t i) { return std::pow(z[i], 4); }); }, 3.0, std::sqrt(96 / n)},
    StatisticCase{"beyond_2", [] { return fractionOf([](double z) { return std::fabs(z) > 2; }); }, beyond2, std::sqrt(beyond2 * (1 - beyond2) / n)},
    StatisticCase{"beyond_3", [] { return fractionOf([](double z) { return std::fabs(z) > 3; }); }, beyond3, std::sqrt(beyond3 * (1 - beyond3) / n)},
    StatisticCase{"beyond_4", [] { return fractionOf([](double z) { return std::fabs(z) > 4; }); }, beyond4, std::sqrt(beyond4 * (1 - beyond4) / n)},
    StatisticCase{"above_1_96", [] { return fractionOf([](double z) { return z > 1.96; }); }, above196, std::sqrt(above196 * (1 - above196) / n)},
    // Products of independent standard normals: mean 0, variance 1.
    StatisticCase{"neighbouring_streams", [] { return meanOver(round - 1, [](const auto& z, std::size_t i) { return z[i] * z[i + 1]; }); }, 0.0, 1 / std::sqrt(n * (round - 1) / round)},
    StatisticCase{"cosine_and_sine_of_a_pair", [] { return meanOver(round / 2, [](const auto& z, std::size_t i) { return z[i] * z[i + round / 2]; }); }, 0.0, 1 / std::sqrt(pairs)},
    StatisticCase{"a_stream_round_after_round", [] { return meanOver(round, [](const auto& z, std::size_t i) { return z[i] * z[i + round]; }, 1); }, 0.0, 1 / std::sqrt(n - round)}),
    [](const auto& row) { return std::string(row.param.name); });

// The draws as the notes of the file format describe them, rebuilt with the
// reference xoshiro256** and the C library's long double functions.
TEST(NormalDraws, AreTheDescribedConstruction)
{
    constexpr std::size_t streams = series::NormalDraws::streams;
    series::SplitMix64 spread(series::uncertaintySeed);
    std::vector<Xoshiro256> generators;
    for (std::size_t k = 0; k < streams; ++k) {
        const std::uint64_t s0 = spread.next();
        const std::uint64_t s1 = spread.next();
        const std::uint64_t s2 = spread.next();
        const std::uint64_t s3 = spread.next();
        generators.emplace_back(s0, s1, s2, s3);
    }
    series::NormalDraws draws(series::uncertaintySeed);
    const long double pi = std::numbers::pi_v<long double>;
    for (int r = 0; r < 300; ++r) {
        std::vector<long double> a(streams);
        std::vector<long double> t(streams);
        for (std::size_t k = 0; k < streams; ++k)
            a[k] = 1.0L - static_cast<long double>(generators[k].next() >> 11) * 0x1p-53L;
        for (std::size_t k = 0; k < streams; ++k)
            t[k] = static_cast<long double>(generators[k].next() >> 11) * 0x1p-53L;
        for (const bool sine : {false, true}) {
            for (std::size_t k = 0; k < streams; ++k) {
                const long double radius = std::sqrt(-2.0L * std::log(a[k]));
                const long double angle = 2.0L * pi * t[k];
                const double expected = static_cast<double>(radius * (sine ? std::sin(angle) : std::cos(angle)));
                ASSERT_NEAR(draws.next(), expected, 1e-14 * std::max(1.0, std::fabs(expected))) << r << " " << k;
            }
        }
    }
}

// Turns on either side of each quarter, where the reduction changes, and
// evenly spread between.
TEST(SinCosOfTurns, AreWithinAUnitOfTheLongDoubleValues)
{
    std::vector<double> turns;
    for (int eighth = 0; eighth < 8; ++eighth) {
        const double at = eighth / 8.0;
        turns.insert(turns.end(), {at, std::nextafter(at, 1.0), std::nextafter(at, 0.0)});
    }
    for (int i = 0; i < 100000; ++i)
        turns.push_back((i + 0.5) / 100000.0);
    std::vector<double> sines(turns.size());
    std::vector<double> cosines(turns.size());
    series::sinCosOfTurns(turns, sines, cosines);
    const long double pi = std::numbers::pi_v<long double>;
    for (std::size_t i = 0; i < turns.size(); ++i) {
        const long double angle = 2.0L * pi * turns[i];
        // One unit at 1 for the polynomial, half a unit for the rounded angle.
        EXPECT_NEAR(sines[i], static_cast<double>(std::sin(angle)), 0x1.8p-53) << turns[i];
        EXPECT_NEAR(cosines[i], static_cast<double>(std::cos(angle)), 0x1.8p-53) << turns[i];
    }
}

// Input 0 of every batch takes the batch's first batchSize normals, as the
// notes say: a model without a value below -2.5 there fails exactly as
// often as those normals are below -2.5.
TEST(Propagate, CountsEachFailedDraw)
{
    constexpr std::size_t inputs = 3;
    series::AdaptiveSettings settings;
    settings.batchSize = 10000;
    settings.maxDraws = 50000;
    settings.significantDigits = 6;
    const series::Model partial = [](std::span<const double> x) -> std::optional<series::ModelOutputs> {
        if (x[0] < -2.5)
            return std::nullopt;
        return series::ModelOutputs{x[0] + x[1] + x[2], x[1]};
    };
    const std::vector<series::NormalInput> normals(inputs, {0.0, 1.0});
    const auto result = series::propagate(normals, partial, 11, settings);
    ASSERT_TRUE(std::holds_alternative<series::Propagation>(result));
    series::NormalDraws replay(11);
    std::size_t below = 0;
    for (std::size_t batch = 0; batch < settings.maxDraws / settings.batchSize; ++batch) {
        for (std::size_t i = 0; i < inputs * settings.batchSize; ++i) {
            const double z = replay.next();
            below += i < settings.batchSize && z < -2.5 ? 1 : 0;
        }
    }
    EXPECT_GT(below, 0u);
    EXPECT_EQ(std::get<series::Propagation>(result).failed, below);
}

struct WorkedCase {
    const char* name;
    series::Run run;
};

class MonteCarloAndGum : public testing::TestWithParam<WorkedCase> {};

// Nearly linear at these uncertainties: the Monte Carlo's mean and u are the
// first-order ones within what 10^4-draw batches settle (u to 2 digits).
TEST_P(MonteCarloAndGum, AgreeOnTheWorkedExamples)
{
    const series::Uncertainties lab{0.02, 0.02, 0.0005, 0.0005, 0.005};
    const auto first = series::gum(GetParam().run, lab);
    const auto second = series::monteCarlo(GetParam().run, lab, series::uncertaintySeed);
    ASSERT_TRUE(std::holds_alternative<series::Gum>(first));
    ASSERT_TRUE(std::holds_alternative<series::MonteCarlo>(second));
    const auto& g = std::get<series::Gum>(first);
    const auto& mc = std::get<series::MonteCarlo>(second);
    EXPECT_TRUE(mc.stabilised);
    EXPECT_NEAR(mc.u, g.u, 0.05 * g.u);
    EXPECT_NEAR(mc.mtc, g.mtc, 0.1 * g.u);
    EXPECT_NEAR(mc.uNtu, g.uNtu, 0.05 * g.uNtu);
}

INSTANTIATE_TEST_SUITE_P(Runs, MonteCarloAndGum, testing::Values(
    WorkedCase{"example_a", {{0.02, 0.01, 1, 1}, 2.0, "", false, false, {}, {}}},
    WorkedCase{"example_b", {{0.045, 0.02, 2, 3}, 1.5, "", false, false, {}, {}}}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
