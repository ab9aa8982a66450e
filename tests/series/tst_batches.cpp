#include "series/coefficients.h"
#include "series/orderstatistics.h"
#include "series/random.h"
#include "series/uncertainty.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

std::uint64_t bits(double x)
{
    return std::bit_cast<std::uint64_t>(x);
}

// Columns of y1, x1, gas flow, water flow and height: lab runs spread wide,
// every input at its faults, and y2 stepped across where it shows as 0.0001
// and as 0.9999.
std::vector<std::vector<double>> points()
{
    std::vector<std::vector<double>> columns(5);
    const auto add = [&columns](double y1, double x1, double gas, double water, double height) {
        const std::array<double, 5> point{y1, x1, gas, water, height};
        for (std::size_t i = 0; i < point.size(); ++i)
            columns[i].push_back(point[i]);
    };
    std::mt19937_64 random(1208);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int i = 0; i < 100000; ++i) {
        const double y1 = 0.32 * unit(random) - 0.01;
        add(y1, y1 * (1.2 * unit(random) - 0.1), 3.0 * unit(random), 3.0 * unit(random), 3.0 * unit(random) - 0.2);
    }
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const double fault : {0.0, -0.0, nan, inf, -inf, 1e308, 1e-308, 0x1p-1074, -1.0, 0.3, 1.0}) {
        add(fault, 0.01, 1, 1, 2);
        add(0.02, fault, 1, 1, 2);
        add(0.02, 0.01, fault, 1, 2);
        add(0.02, 0.01, 1, fault, 2);
        add(0.02, 0.01, 1, 1, fault);
        add(0.02, 0.01, fault, fault, 2);
    }
    // y2 through every double near 0.00005: with y1 = 1e-4, a step of x1
    // moves y2 by about one of its units in the last place.
    const double liquid = 1e-4 / (1.0 - 1e-4) - 0.00005 / (1.0 - 0.00005);
    for (int step = -2000; step < 2000; ++step)
        add(1e-4, liquid / (1.0 + liquid) + step * 0x1p-67, 1, 1, 2);
    // And near 0.99995: x1 = -1 and a water flow near 40,000 times the gas.
    const double water = 2.0 * (0.99995 / (1.0 - 0.99995) - 0.02 / 0.98);
    for (int step = -2000; step < 2000; ++step)
        add(0.02, -1.0, 1, water + step * 3.6e-8, 2);
    return columns;
}

TEST(CoefficientsOf, GiveEachDrawTheBitsOfTheRunByRun)
{
    const std::vector<std::vector<double>> columns = points();
    const series::BatchValues batch = series::coefficientsOf(columns);
    std::size_t given = 0;
    for (std::size_t d = 0; d < columns[0].size(); ++d) {
        const absorber::RunInputs inputs{columns[0][d], columns[1][d], columns[2][d], columns[3][d]};
        const std::optional<double> mtc = series::coefficientOf(inputs, columns[4][d]);
        ASSERT_EQ(batch.given[d] != 0, mtc.has_value()) << d << ": " << inputs.y1 << " " << inputs.x1;
        if (!mtc)
            continue;
        ++given;
        const std::optional<double> ntu = series::closedFormNtu(absorber::closeBalance(inputs).limits);
        ASSERT_EQ(bits(batch.outputs[0][d]), bits(*mtc)) << d;
        ASSERT_EQ(bits(batch.outputs[1][d]), bits(*ntu)) << d;
    }
    // Both kinds are well represented.
    EXPECT_GT(given, columns[0].size() / 4);
    EXPECT_LT(given, columns[0].size() * 3 / 4);
}

TEST(NormalDraws, FillGivesTheDrawsOfNextInTheirOrder)
{
    series::NormalDraws one(20261208);
    series::NormalDraws many(20261208);
    // Odd lengths leave a spare for the next call, and next() between
    // fills takes it.
    for (const std::size_t length :
         {std::size_t{3}, std::size_t{1}, std::size_t{0}, std::size_t{5000}, std::size_t{1025}, std::size_t{2}}) {
        std::vector<double> filled(length);
        many.fill(filled);
        for (const double draw : filled)
            ASSERT_EQ(bits(draw), bits(one.next()));
        ASSERT_EQ(bits(many.next()), bits(one.next()));
    }
}

struct RanksCase {
    const char* name;
    std::vector<double> values;
};

class ValuesAtRanks : public testing::TestWithParam<RanksCase> {};

TEST_P(ValuesAtRanks, AreThoseOfTheSortedValues)
{
    const std::vector<double>& values = GetParam().values;
    std::vector<double> sorted = values;
    std::sort(sorted.begin(), sorted.end());
    const std::size_t n = values.size();
    for (const auto& [first, second] :
         {std::pair{n / 40, n - n / 40 - 1}, std::pair{std::size_t{0}, n - 1}, std::pair{n / 2, n / 2}}) {
        const auto found = series::valuesAtRanks(values, first, second);
        EXPECT_EQ(found[0], sorted[first]) << first;
        EXPECT_EQ(found[1], sorted[second]) << second;
    }
}

std::vector<double> made(std::size_t n, double (*value)(std::size_t, std::mt19937_64&))
{
    std::mt19937_64 random(7);
    std::vector<double> values(n);
    for (std::size_t i = 0; i < n; ++i)
        values[i] = value(i, random);
    return values;
}

INSTANTIATE_TEST_SUITE_P(Values, ValuesAtRanks, testing::Values(
    RanksCase{"one", {4.0}},
    RanksCase{"few", {3.0, -1.0, 2.0, 2.0, 7.0}},
    RanksCase{"random_million", made(1000003, [](std::size_t, std::mt19937_64& r) { return double(r() >> 11); })},
    RanksCase{"ten_thousand", made(10000, [](std::size_t, std::mt19937_64& r) { return double(r() >> 11); })},
    RanksCase{"many_ties", made(100000, [](std::size_t, std::mt19937_64& r) { return double(r() % 7); })},
    RanksCase{"descending", made(50000, [](std::size_t i, std::mt19937_64&) { return -double(i); })},
    // Every 128th value, which the sample of 781 takes, is the largest: the
    // sample misleads and the selection over all values answers.
    RanksCase{"misleading_sample", made(100000, [](std::size_t i, std::mt19937_64& r) { return i % 128 == 0 ? 1e9 : double(r() % 1000); })}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace

namespace {

bool sameBits(const series::RunUncertainty& a, const series::RunUncertainty& b)
{
    const auto* first = std::get_if<series::MonteCarlo>(&a.monteCarlo);
    const auto* second = std::get_if<series::MonteCarlo>(&b.monteCarlo);
    if (!first || !second)
        return !first && !second && a.gum.index() == b.gum.index();
    return bits(first->mtc) == bits(second->mtc) && bits(first->u) == bits(second->u)
        && bits(first->interval.low) == bits(second->interval.low) && first->draws == second->draws
        && bits(std::get<series::Gum>(a.gum).u) == bits(std::get<series::Gum>(b.gum).u);
}

// Runs repeated as a class's files repeat them, beside runs that differ in
// one input, in the height or in their own uncertainty only.
TEST(UncertaintiesOf, GiveRepeatedRunsTheirOwnResultsInOrder)
{
    series::Series made;
    made.uncertainty = {0.02, 0.02, 0.0005, 0.0005, 0.005};
    const series::Run a{{0.02, 0.01, 1, 1}, 2.0, "A", false, false, {}, {}};
    series::Run higher = a;
    higher.packingHeight = 2.5;
    series::Run ownUncertainty = a;
    ownUncertainty.uncertainty.y1 = 0.001;
    series::Run relabelled = a;
    relabelled.label = "A again";
    series::Run faster = a;
    faster.inputs.gasFlow = 1.5;
    series::Run noHeight = a;
    noHeight.packingHeight.reset();
    made.runs = {a, higher, a, ownUncertainty, relabelled, faster, noHeight, a, higher};
    std::atomic<std::size_t> done{0};
    const auto results = series::uncertaintiesOf(made, 2, &done);
    ASSERT_TRUE(results.has_value());
    ASSERT_EQ(results->size(), made.runs.size());
    EXPECT_EQ(done, made.runs.size());
    for (std::size_t i = 0; i < made.runs.size(); ++i)
        EXPECT_TRUE(sameBits((*results)[i], series::uncertaintyOf(made.runs[i], made.uncertainty))) << i;
    EXPECT_FALSE(sameBits((*results)[0], (*results)[1]));
    EXPECT_FALSE(sameBits((*results)[0], (*results)[3]));
}

}  // namespace

namespace {

// The batch model at a column temperature gives each draw the bits of the
// scalar model at that temperature; a temperature closeBalance refuses
// leaves every draw without a value.
struct TemperatureCase {
    const char* name;
    double celsius;
    bool usable;
};

class BatchAtTemperature : public testing::TestWithParam<TemperatureCase> {};

TEST_P(BatchAtTemperature, GivesEachDrawTheBitsOfTheScalarModel)
{
    const double celsius = GetParam().celsius;
    static const std::vector<std::vector<double>> columns = points();
    const series::BatchValues batch = series::coefficientModel(celsius)(columns);
    std::size_t given = 0;
    for (std::size_t d = 0; d < columns[0].size(); ++d) {
        const absorber::RunInputs inputs{columns[0][d], columns[1][d], columns[2][d], columns[3][d]};
        const std::optional<double> mtc = series::coefficientOf(inputs, columns[4][d], celsius);
        ASSERT_EQ(batch.given[d] != 0, mtc.has_value()) << d << ": " << inputs.y1 << " " << inputs.x1;
        if (!mtc)
            continue;
        ++given;
        const std::optional<double> ntu = series::closedFormNtu(absorber::closeBalance(inputs, celsius).limits);
        ASSERT_EQ(bits(batch.outputs[0][d]), bits(*mtc)) << d;
        ASSERT_EQ(bits(batch.outputs[1][d]), bits(*ntu)) << d;
    }
    if (GetParam().usable)
        EXPECT_GT(given, columns[0].size() / 4);
    else
        EXPECT_EQ(given, 0U);
}

INSTANTIATE_TEST_SUITE_P(Temperatures, BatchAtTemperature, testing::Values(
    TemperatureCase{"cooler_20", 20.0, true},
    TemperatureCase{"warmer_40", 40.0, true},
    TemperatureCase{"freezing_0", 0.0, true},
    TemperatureCase{"absolute_zero", -273.15, false},
    TemperatureCase{"not_a_number", std::numeric_limits<double>::quiet_NaN(), false}),
    [](const auto& row) { return std::string(row.param.name); });

// Under the option a run's uncertainty is the model's at the run's own
// temperature; at 30 degC, without a temperature or under the table's
// option it keeps the table's bits.
struct EquilibriumCase {
    const char* name;
    series::Equilibrium equilibrium;
    std::optional<double> temperature;
    bool tableBits;
};

class UncertaintyAtEquilibrium : public testing::TestWithParam<EquilibriumCase> {};

TEST_P(UncertaintyAtEquilibrium, IsTheModelsAtTheRunsTemperature)
{
    const EquilibriumCase& row = GetParam();
    series::Series made;
    made.uncertainty = {0.02, 0.02, 0.0005, 0.0005, 0.005};
    made.equilibrium = row.equilibrium;
    series::Run run{{0.02, 0.01, 1, 1}, 2.0, "A", false, false, {}, {}};
    run.temperature = row.temperature;
    made.runs = {run};
    const auto results = series::uncertaintiesOf(made, 1);
    ASSERT_TRUE(results.has_value());
    const series::RunUncertainty& found = results->front();
    const series::RunUncertainty table = series::uncertaintyOf(run, made.uncertainty);
    const series::RunUncertainty atRun = series::uncertaintyOf(run, made.uncertainty, row.temperature);
    ASSERT_TRUE(std::holds_alternative<series::Gum>(found.gum));
    ASSERT_TRUE(std::holds_alternative<series::MonteCarlo>(found.monteCarlo));
    EXPECT_EQ(sameBits(found, table), row.tableBits);
    EXPECT_TRUE(sameBits(found, row.tableBits ? table : atRun));

    // The coefficient at the middle of the budget is the run's own result
    // (closed form beside the summed NTU), and the draws agree with the
    // first-order propagation.
    const series::Gum& gum = std::get<series::Gum>(found.gum);
    const series::MonteCarlo& drawn = std::get<series::MonteCarlo>(found.monteCarlo);
    const std::optional<double> mtc = series::computeRun(run, row.equilibrium).mtc;
    ASSERT_TRUE(mtc.has_value());
    EXPECT_NEAR(gum.mtc, *mtc, 1e-5 * *mtc);
    EXPECT_NEAR(drawn.mtc, gum.mtc, 0.05 * gum.u);
    EXPECT_NEAR(drawn.u, gum.u, 0.05 * gum.u);
}

INSTANTIATE_TEST_SUITE_P(Rows, UncertaintyAtEquilibrium, testing::Values(
    EquilibriumCase{"run_at_20", series::Equilibrium::runTemperature, 20.0, false},
    EquilibriumCase{"run_at_30", series::Equilibrium::runTemperature, 30.0, true},
    EquilibriumCase{"run_without_temperature", series::Equilibrium::runTemperature, std::nullopt, true},
    EquilibriumCase{"table_option_at_20", series::Equilibrium::table, 20.0, true}),
    [](const auto& row) { return std::string(row.param.name); });

// The key tells the temperatures of the equilibrium apart, none from 30 degC
// included, since the page and the window keep results by it.
TEST(UncertaintyKey, DiffersWithTheEquilibriumTemperature)
{
    const series::Run run{{0.02, 0.01, 1, 1}, 2.0, "A", false, false, {}, {}};
    const std::optional<double> temperatures[] = {std::nullopt, 20.0, 30.0, -0.0, 0.0};
    for (const auto& first : temperatures) {
        for (const auto& second : temperatures)
            EXPECT_EQ(series::uncertaintyKey(run, {}, first) == series::uncertaintyKey(run, {}, second),
                      &first == &second);
    }
}

}  // namespace
