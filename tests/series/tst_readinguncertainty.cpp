#include "series/readinguncertainty.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <numeric>
#include <optional>
#include <string>
#include <variant>

namespace {

series::Run labRun(series::ReadingUncertainties u, std::optional<double> temperature = std::nullopt)
{
    series::Run run;
    run.packingHeight = 0.5;
    run.temperature = temperature;
    series::Readings r;
    r.titration = series::Titration{10.0, 0.1, 12.4, 0.0, 1, {}, {}, 997.0, 20.0};
    r.air = series::MeterReading{20.0, series::MeterUnit::litresPerMinute, 21.0, 99.5, {}};
    r.ammonia = series::MeterReading{0.5, series::MeterUnit::litresPerMinute, 21.0, 99.5, {}};
    r.water = series::MeterReading{0.05, series::MeterUnit::litresPerMinute, 21.0, 99.5, {}};
    r.uncertainty = u;
    run.readings = r;
    series::replaceInputs(run.inputs, std::get<series::InputsFromReadings>(series::inputsFromReadings(r, "mol/s")));
    return run;
}

std::vector<std::string> keysOf(const series::Gum& gum)
{
    std::vector<std::string> keys;
    for (const auto& line : gum.budget)
        keys.push_back(line.reading ? std::string(series::readingKey(*line.reading)) : "input");
    return keys;
}

TEST(ReadingsGum, OfATypedRunIsTheRunsGum)
{
    series::Run typed;
    typed.inputs = {0.02, 0.01, 1.0, 1.0};
    typed.packingHeight = 2.0;
    const series::Uncertainties u{0.02, 0.02, 0.0005, 0.0005, 0.005};
    const auto byReadings = series::readingsGum(typed, u, "mol/s");
    const auto byInputs = series::gum(typed, u);
    ASSERT_TRUE(std::holds_alternative<series::Gum>(byReadings));
    ASSERT_TRUE(std::holds_alternative<series::Gum>(byInputs));
    EXPECT_NEAR(std::get<series::Gum>(byReadings).u, std::get<series::Gum>(byInputs).u,
                1e-6 * std::get<series::Gum>(byInputs).u);
}

struct BudgetCase {
    const char* name;
    series::ReadingUncertainties readings;
    std::optional<double> celsius;  // the column's, where the equilibrium is at it
    std::vector<std::string> keys;
};

class ReadingsBudget : public testing::TestWithParam<BudgetCase> {};

TEST_P(ReadingsBudget, ListsEveryReadingWithItsShare)
{
    const BudgetCase& c = GetParam();
    const auto gum = series::readingsGum(labRun(c.readings, c.celsius), {}, "mol/s", c.celsius);
    ASSERT_TRUE(std::holds_alternative<series::Gum>(gum));
    const auto& budget = std::get<series::Gum>(gum).budget;
    EXPECT_EQ(keysOf(std::get<series::Gum>(gum)), c.keys);
    EXPECT_NEAR(std::accumulate(budget.begin(), budget.end(), 0.0,
                                [](double sum, const auto& line) { return sum + line.sharePercent; }),
                100.0, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Readings, ReadingsBudget, testing::Values(
    BudgetCase{"burette_meters_thermometer", {0.02, 0.01, 0.2, {}, {}}, std::nullopt,
        {"titration/sample_volume_ml", "titration/acid_volume_ml", "air_meter/reading",
         "air_meter/temperature_c", "ammonia_meter/reading", "ammonia_meter/temperature_c", "water_meter/reading",
         "water_meter/temperature_c"}},
    BudgetCase{"molarity_and_pressure", {{}, {}, {}, 0.002, 0.1}, std::nullopt,
        {"titration/acid_molarity", "air_meter/pressure_kpa", "ammonia_meter/pressure_kpa"}},
    BudgetCase{"column_thermometer_at_its_temperature", {{}, {}, 0.2, {}, {}}, 20.0,
        {"air_meter/temperature_c", "ammonia_meter/temperature_c", "water_meter/temperature_c", "temperature"}}),
    [](const auto& row) { return std::string(row.param.name); });

// The lab's run as a series under the equilibrium at each run's temperature.
series::Series seriesAt(series::ReadingUncertainties u, std::optional<double> temperature)
{
    series::Series s;
    s.equilibrium = series::Equilibrium::runTemperature;
    s.runs = {labRun(u, temperature)};
    return s;
}

struct SeriesCase {
    const char* name;
    std::optional<double> temperature;
};

class ReadingsOfASeries : public testing::TestWithParam<SeriesCase> {};

// The budget and the draws take the equilibrium the run's coefficient does,
// and the two methods agree on u as JCGM 101 expects of a nearly linear model.
TEST_P(ReadingsOfASeries, BudgetAndDrawsTakeTheRunsEquilibrium)
{
    const series::Series s = seriesAt({0.02, 0.01, 0.2, 0.002, 0.1}, GetParam().temperature);
    const auto computed = series::computeRun(s.runs[0], s.equilibrium);
    const auto results = series::uncertaintiesOf(s, 1);
    ASSERT_TRUE(results.has_value());
    const auto* gum = std::get_if<series::Gum>(&(*results)[0].gum);
    const auto* drawn = std::get_if<series::MonteCarlo>(&(*results)[0].monteCarlo);
    ASSERT_TRUE(gum && drawn && computed.mtc);
    EXPECT_NEAR(gum->mtc, *computed.mtc, 1e-5 * *computed.mtc);
    EXPECT_TRUE(gum->budget.front().reading.has_value());
    EXPECT_NEAR(drawn->u, gum->u, 0.05 * gum->u);
    // The draws' mean moves from the value by the model's curvature, a few % of u here.
    EXPECT_NEAR(drawn->mtc, gum->mtc, 0.05 * gum->u);
    // The same run draws the same bits again.
    const auto again = series::uncertaintyOf(s.runs[0], s);
    const auto* drawnAgain = std::get_if<series::MonteCarlo>(&again.monteCarlo);
    ASSERT_TRUE(drawnAgain);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(drawnAgain->u), std::bit_cast<std::uint64_t>(drawn->u));
    EXPECT_EQ(std::bit_cast<std::uint64_t>(drawnAgain->interval.low),
              std::bit_cast<std::uint64_t>(drawn->interval.low));
}

INSTANTIATE_TEST_SUITE_P(Equilibrium, ReadingsOfASeries,
                         testing::Values(SeriesCase{"table", std::nullopt}, SeriesCase{"at_20_degC", 20.0},
                                         SeriesCase{"at_40_degC", 40.0}),
                         [](const auto& row) { return std::string(row.param.name); });

// A run whose readings have no uncertainty keeps its inputs' uncertainty to the bit.
TEST(ReadingsOfASeries, WithoutTheirUncertaintiesTheInputsAreDrawn)
{
    series::Series s = seriesAt({}, 20.0);
    s.uncertainty = {0.02, 0.02, 0.0005, 0.0005, 0.005};
    EXPECT_FALSE(series::drawsReadings(s.runs[0]));
    const auto bySeries = series::uncertaintyOf(s.runs[0], s);
    const auto byInputs = series::uncertaintyOf(s.runs[0], s.uncertainty, 20.0);
    const auto* a = std::get_if<series::MonteCarlo>(&bySeries.monteCarlo);
    const auto* b = std::get_if<series::MonteCarlo>(&byInputs.monteCarlo);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(a->u), std::bit_cast<std::uint64_t>(b->u));
    EXPECT_EQ(series::uncertaintyKey(s.runs[0], s.uncertainty, 20.0, "mol/s"),
              series::uncertaintyKey(s.runs[0], s.uncertainty, 20.0));
}

struct InputCase {
    const char* name;
    series::ReadingUncertainties readings;
    double u1, ux1, gasRel, waterRel;  // expected, worked by hand
};

class InputUncertainties : public testing::TestWithParam<InputCase> {};

TEST_P(InputUncertainties, FollowTheReadings)
{
    const series::Run run = labRun(GetParam().readings);
    const series::Uncertainties u = series::inputUncertaintiesFromReadings(run, {}, "mol/s");
    const InputCase& c = GetParam();
    EXPECT_NEAR(*u.y1, c.u1, 1e-3 * c.u1 + 1e-15);
    EXPECT_NEAR(*u.x1, c.ux1, 1e-3 * c.ux1 + 1e-15);
    EXPECT_NEAR(*u.gasFlowRel, c.gasRel, 1e-6);
    EXPECT_NEAR(*u.waterFlowRel, c.waterRel, 1e-6);
}

// x1 is nearly proportional to c = 0.1 V(acid) / V(sample), two burette
// readings (a blank of 0 was not titrated); the flows to
// their readings; y1 = n / (n + a) moves by y1 (1 − y1) times each
// meter's relative change.
const double x1 = 0.0022403076;
const double y1 = 0.5 / 20.5;
INSTANTIATE_TEST_SUITE_P(Readings, InputUncertainties, testing::Values(
    InputCase{"burette", {0.02, {}, {}, {}, {}}, 0.0, x1 * 0.02 * std::sqrt(1.0 / (12.4 * 12.4) + 1.0 / 100.0), 0.0, 0.0},
    InputCase{"meters", {{}, 0.02, {}, {}, {}}, y1 * (1.0 - y1) * 0.02 * std::sqrt(2.0), 0.0, 0.02, 0.02}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
