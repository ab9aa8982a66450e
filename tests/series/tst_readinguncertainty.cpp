#include "series/readinguncertainty.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <string>
#include <variant>

namespace {

series::Run labRun(series::ReadingUncertainties u)
{
    series::Run run;
    run.packingHeight = 0.5;
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

TEST(ReadingsGum, OfATypedRunIsTheRunsGum)
{
    series::Run typed;
    typed.inputs = {0.02, 0.01, 1.0, 1.0};
    typed.packingHeight = 2.0;
    const series::Uncertainties u{0.02, 0.02, 0.0005, 0.0005, 0.005};
    const auto byReadings = series::readingsGum(typed, u, "mol/s");
    const auto byInputs = series::gum(typed, u);
    ASSERT_TRUE(std::holds_alternative<series::ReadingsGum>(byReadings));
    ASSERT_TRUE(std::holds_alternative<series::Gum>(byInputs));
    EXPECT_NEAR(std::get<series::ReadingsGum>(byReadings).u, std::get<series::Gum>(byInputs).u,
                1e-6 * std::get<series::Gum>(byInputs).u);
}

TEST(ReadingsGum, ListsEveryReadingWithItsShare)
{
    const auto gum = series::readingsGum(labRun({0.02, 0.01, 0.2}), {}, "mol/s");
    ASSERT_TRUE(std::holds_alternative<series::ReadingsGum>(gum));
    const auto& budget = std::get<series::ReadingsGum>(gum).budget;
    std::vector<std::string> keys;
    double shares = 0.0;
    for (const auto& line : budget) {
        keys.push_back(line.key);
        shares += line.sharePercent;
    }
    EXPECT_EQ(
        keys,
        (std::vector<std::string>{"titration/sample_volume_ml", "titration/acid_volume_ml", "titration/blank_volume_ml",
                                  "air_meter/reading", "air_meter/temperature_c", "ammonia_meter/reading",
                                  "ammonia_meter/temperature_c", "water_meter/reading", "water_meter/temperature_c"}));
    EXPECT_NEAR(shares, 100.0, 1e-9);
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

// x1 is nearly proportional to c = 0.1 (V(acid) − V(blank)) / V(sample),
// three burette readings; the flows to
// their readings; y1 = n / (n + a) moves by y1 (1 − y1) times each
// meter's relative change.
const double x1 = 0.0022403076;
const double y1 = 0.5 / 20.5;
INSTANTIATE_TEST_SUITE_P(Readings, InputUncertainties, testing::Values(
    InputCase{"burette", {0.02, {}, {}}, 0.0, x1 * 0.02 * std::sqrt(2.0 / (12.4 * 12.4) + 1.0 / 100.0), 0.0, 0.0},
    InputCase{"meters", {{}, 0.02, {}}, y1 * (1.0 - y1) * 0.02 * std::sqrt(2.0), 0.0, 0.02, 0.02}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
