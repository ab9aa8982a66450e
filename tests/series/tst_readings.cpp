#include "present/seriesmessages.h"
#include "series/readings.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>

namespace {

using series::MessageKind;
using series::MeterReading;
using series::MeterUnit;
using series::Titration;

// The value, or the refusal's words as the test's failure.
double valueOf(const series::Converted& converted)
{
    if (const auto* refused = std::get_if<series::Message>(&converted))
        ADD_FAILURE() << present::seriesMessage(*refused);
    return std::holds_alternative<double>(converted) ? std::get<double>(converted) : 0.0;
}

Titration hclTitration()
{
    Titration t;
    t.sampleVolume = 10.00;
    t.acidMolarity = 0.1000;
    t.acidVolume = 12.40;
    t.density = 997.0;
    return t;
}

struct TitrationCase {
    const char* name;
    Titration titration;
    double concentration;  // mol/L, worked by hand
};

class Titrations : public testing::TestWithParam<TitrationCase> {};

TEST_P(Titrations, GiveTheNh3Concentration)
{
    EXPECT_NEAR(valueOf(series::titrationConcentration(GetParam().titration)), GetParam().concentration, 1e-15);
}

Titration with(Titration t, void (*change)(Titration&))
{
    change(t);
    return t;
}

INSTANTIATE_TEST_SUITE_P(Cases, Titrations, testing::Values(
    TitrationCase{"hcl_check", hclTitration(), 0.1240},
    // 0.1 M × (12.40 − 0.40) mL over 10 mL.
    TitrationCase{"hcl_with_blank", with(hclTitration(), [](Titration& r) { r.blankVolume = 0.40; }), 0.1200},
    // Two protons per H2SO4: 0.05 M does what 0.1 M HCl does.
    TitrationCase{"h2so4_two_protons",
                  with(hclTitration(), [](Titration& r) { r.acidMolarity = 0.05; r.protons = 2; }), 0.1240},
    // 25 mL of 0.1 M HCl added, 12.6 mL of 0.1 M NaOH back: 1.24 mmol in 10 mL.
    TitrationCase{"back_titration", with(hclTitration(), [](Titration& r) {
                      r.acidVolume = 25.0; r.baseMolarity = 0.1; r.baseVolume = 12.6; }), 0.1240}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(LiquidMoleFraction, CheckValueOfTheLab)
{
    // 0.1240 mol/L in water of 997.0 g/L gives x1 = 0.0022403.
    EXPECT_NEAR(valueOf(series::liquidMoleFraction(hclTitration())), 0.0022403, 0.5e-7);
}

struct DensityCase {
    const char* name;
    double celsius;
    double published;  // kg/m3, Kell (1975), table 1
};

class KellDensity : public testing::TestWithParam<DensityCase> {};

TEST_P(KellDensity, MatchesThePublishedTable)
{
    EXPECT_NEAR(series::waterDensity(GetParam().celsius), GetParam().published, 0.5e-4);
}

INSTANTIATE_TEST_SUITE_P(Kell1975, KellDensity, testing::Values(
    DensityCase{"densest_at_4_c", 4.0, 999.9720},
    DensityCase{"at_20_c", 20.0, 998.2041},
    DensityCase{"at_25_c", 25.0, 997.0449}),
    [](const auto& row) { return std::string(row.param.name); });

MeterReading gasMeter(double value, MeterUnit unit, double celsius, double kilopascals)
{
    MeterReading m;
    m.value = value;
    m.unit = unit;
    m.temperature = celsius;
    m.pressure = kilopascals;
    return m;
}

struct FlowCase {
    const char* name;
    MeterReading reading;
    bool water;
    double molesPerSecond;  // from an independent value
};

class MeterFlows : public testing::TestWithParam<FlowCase> {};

TEST_P(MeterFlows, GiveTheMolarFlow)
{
    const FlowCase& c = GetParam();
    const double n =
        valueOf(c.water ? series::waterMolarFlow(c.reading) : series::gasMolarFlow(c.reading, series::molarMassAir));
    EXPECT_NEAR(n, c.molesPerSecond, 1e-7 * c.molesPerSecond);
}

// An ideal gas takes 22.413969 L/mol at 0 °C and 101.325 kPa (CODATA) and
// 24.579891 L/mol at 21 °C and 99.5 kPa; water 998.2041 g/L at 20 °C.
constexpr double stp = 22.413969;
constexpr double lab = 24.579891;
INSTANTIATE_TEST_SUITE_P(Units, MeterFlows, testing::Values(
    FlowCase{"l_per_min_at_stp", gasMeter(60.0, MeterUnit::litresPerMinute, 0.0, 101.325), false, 1.0 / stp},
    FlowCase{"l_per_min_lab", gasMeter(60.0, MeterUnit::litresPerMinute, 21.0, 99.5), false, 1.0 / lab},
    FlowCase{"l_per_h_lab", gasMeter(3600.0, MeterUnit::litresPerHour, 21.0, 99.5), false, 1.0 / lab},
    FlowCase{"m3_per_h_lab", gasMeter(3.6, MeterUnit::cubicMetresPerHour, 21.0, 99.5), false, 1.0 / lab},
    FlowCase{"ml_per_min_lab", gasMeter(60000.0, MeterUnit::millilitresPerMinute, 21.0, 99.5), false, 1.0 / lab},
    FlowCase{"air_kg_per_h", gasMeter(3.6 * 28.9644, MeterUnit::kilogramsPerHour, 21.0, 99.5), false, 1.0},
    FlowCase{"water_l_per_min", gasMeter(60.0, MeterUnit::litresPerMinute, 20.0, 0.0), true, 998.2041 / 18.015},
    FlowCase{"water_kg_per_h", gasMeter(3.6 * 18.015, MeterUnit::kilogramsPerHour, 20.0, 0.0), true, 1.0}),
    [](const auto& row) { return std::string(row.param.name); });

MeterReading calibrated(double scale)
{
    MeterReading m = gasMeter(scale, MeterUnit::litresPerMinute, 21.0, 99.5);
    m.calibration = {{0.0, 0.0}, {10.0, 2.0}, {20.0, 5.0}};
    return m;
}

struct CalibrationCase {
    const char* name;
    double scale;
    double flow;
};

class Calibration : public testing::TestWithParam<CalibrationCase> {};

TEST_P(Calibration, InterpolatesLinearly)
{
    EXPECT_DOUBLE_EQ(valueOf(series::meterFlow(calibrated(GetParam().scale))), GetParam().flow);
}

INSTANTIATE_TEST_SUITE_P(Table, Calibration, testing::Values(
    CalibrationCase{"first_row", 0.0, 0.0},
    CalibrationCase{"inside_first_segment", 5.0, 1.0},
    CalibrationCase{"at_a_row", 10.0, 2.0},
    CalibrationCase{"inside_second_segment", 15.0, 3.5},
    CalibrationCase{"last_row", 20.0, 5.0}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(AmmoniaFromTwoMeters, GivesY1AndTheAirAsTheGasFlow)
{
    series::Readings readings;
    readings.air = gasMeter(49.0, MeterUnit::litresPerMinute, 21.0, 99.5);
    readings.ammonia = gasMeter(1.0, MeterUnit::litresPerMinute, 21.0, 99.5);
    const auto inputs = series::inputsFromReadings(readings, "mol/h");
    ASSERT_TRUE(std::holds_alternative<series::InputsFromReadings>(inputs));
    const auto& given = std::get<series::InputsFromReadings>(inputs);
    // Both gases at one temperature and pressure: y1 is the volume fraction.
    EXPECT_NEAR(*given.y1, 0.02, 1e-15);
    EXPECT_NEAR(*given.gasFlow, 49.0 * 60.0 / lab, 1e-7 * *given.gasFlow);
    EXPECT_FALSE(given.x1 || given.waterFlow);
}

struct RefusalCase {
    const char* name;
    series::Readings readings;
    MessageKind kind;
};

class Refusals : public testing::TestWithParam<RefusalCase> {};

TEST_P(Refusals, NameWhatIsWrong)
{
    const auto inputs = series::inputsFromReadings(GetParam().readings, "mol/s");
    ASSERT_TRUE(std::holds_alternative<series::Message>(inputs));
    EXPECT_EQ(std::get<series::Message>(inputs).kind, GetParam().kind)
        << present::seriesMessage(std::get<series::Message>(inputs));
}

series::Readings titrated(void (*change)(Titration&))
{
    return {with(hclTitration(), change), {}, {}, {}};
}

series::Readings metered(double scale, void (*change)(MeterReading&) = nullptr)
{
    MeterReading m = calibrated(scale);
    if (change)
        change(m);
    return {{}, m, {}, {}};
}

INSTANTIATE_TEST_SUITE_P(Nonsense, Refusals, testing::Values(
    RefusalCase{"zero_sample", titrated([](Titration& r) { r.sampleVolume = 0.0; }), MessageKind::readingNotPositive},
    RefusalCase{"negative_acid", titrated([](Titration& r) { r.acidVolume = -1.0; }), MessageKind::readingNegative},
    RefusalCase{"negative_blank", titrated([](Titration& r) { r.blankVolume = -0.1; }), MessageKind::readingNegative},
    RefusalCase{"acid_below_blank", titrated([](Titration& r) { r.blankVolume = 13.0; }), MessageKind::acidBelowBlank},
    RefusalCase{"four_protons", titrated([](Titration& r) { r.protons = 4; }), MessageKind::protonsOutOfRange},
    RefusalCase{"base_beyond_acid", titrated([](Titration& r) { r.baseMolarity = 0.1; r.baseVolume = 12.4; }),
                MessageKind::baseExceedsAcid},
    // Half a back-titration is refused, not taken as a direct one.
    RefusalCase{"base_molarity_alone", titrated([](Titration& r) { r.baseMolarity = 0.1; }),
                MessageKind::baseHalfGiven},
    RefusalCase{"base_volume_alone", titrated([](Titration& r) { r.baseVolume = 1.0; }), MessageKind::baseHalfGiven},
    RefusalCase{"frozen_sample", titrated([](Titration& r) { r.density.reset(); r.temperature = -5.0; }),
                MessageKind::temperatureOutOfRange},
    RefusalCase{"sample_all_nh3", titrated([](Titration& r) { r.acidMolarity = 100.0; }),
                MessageKind::sampleTooConcentrated},
    RefusalCase{"below_the_table", metered(-1.0), MessageKind::readingNegative},
    RefusalCase{"beyond_the_table", metered(20.5), MessageKind::outsideCalibration},
    RefusalCase{"one_row_table", metered(0.0, [](MeterReading& m) { m.calibration.resize(1); }),
                MessageKind::calibrationTooShort},
    RefusalCase{"falling_table", metered(5.0, [](MeterReading& m) { m.calibration[2].flow = 1.0; }),
                MessageKind::calibrationNotRising},
    RefusalCase{"zero_pressure", metered(5.0, [](MeterReading& m) { m.pressure = 0.0; }),
                MessageKind::readingNotPositive},
    RefusalCase{"ammonia_alone", {{}, {}, gasMeter(1.0, MeterUnit::litresPerMinute, 21.0, 99.5), {}},
                MessageKind::ammoniaWithoutAir}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(FlowUnit, ALabelGivesNoFlowFromReadings)
{
    const auto inputs = series::inputsFromReadings(metered(5.0), "Nm3/h");
    ASSERT_TRUE(std::holds_alternative<series::Message>(inputs));
    EXPECT_EQ(std::get<series::Message>(inputs).kind, MessageKind::flowUnitNotConvertible);
}

}  // namespace
