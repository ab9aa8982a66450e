#include "series/csv.h"
#include "series/file.h"
#include "series/findings.h"
#include "series/series.h"
#include "tests/series/samples.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>

namespace {

using series::Equilibrium;

series::Run exampleA(std::optional<double> temperature = std::nullopt)
{
    series::Run run{{0.02, 0.01, 1, 1}, 2.0, "", false, false, {}, {}};
    run.temperature = temperature;
    return run;
}

// Beside the coefficient, against the hand's arithmetic on Example A at a
// height of 2 m: HOG = 2 / 0.635477 = 3.14724 m; the Colburn NTU is
// ln((1 - m) y1/y2 + m) / (1 - m) = 1.07961 with m = 0.0254 / 0.0208 and
// G/L = 1; the coefficient is NTU G / (Z 0.05² 3.1416) = 127.3237 NTU / Z.
TEST(BesideTheCoefficient, ExampleAByHand)
{
    const series::RunResult result = series::computeRun(exampleA());
    ASSERT_TRUE(result.hog && result.mtcColburn && result.hogColburn);
    EXPECT_NEAR(*result.hog, 3.1472420609908474, 1e-10);
    EXPECT_NEAR(*result.hogColburn, 2.0 / 1.079610655643875, 1e-12);
    EXPECT_NEAR(*result.mtcColburn, 127.32365673542141 * 1.079610655643875 / 2.0, 1e-10);
    // The same formula as the coefficient: HOG · MTC is G over the section for both.
    EXPECT_NEAR(*result.hog * *result.mtc, 127.32365673542141, 1e-10);
}

TEST(BesideTheCoefficient, NeedsAHeightAndACoefficient)
{
    series::Run run = exampleA();
    run.packingHeight.reset();
    const series::RunResult without = series::computeRun(run);
    EXPECT_FALSE(without.hog || without.mtcColburn || without.hogColburn);
    run.packingHeight = -2.0;
    const series::RunResult refused = series::computeRun(run);
    EXPECT_FALSE(refused.hog || refused.mtcColburn || refused.hogColburn);
}

// The option leaves the table's path alone: the temperature is ignored
// under it, and at 30 degC the scaled path gives the same bits too.
TEST(EquilibriumOption, TableIgnoresTheTemperatureAndThirtyIsTheTable)
{
    const series::Series sample = sampleSeries();
    for (std::size_t i = 0; i < sample.runs.size(); ++i) {
        series::Run warm = sample.runs[i];
        warm.temperature = 42.0;
        series::Run atTable = sample.runs[i];
        atTable.temperature = 30.0;
        EXPECT_TRUE(sameResults(sampleResults()[i], series::computeRun(warm, Equilibrium::table))) << "run " << i;
        const series::RunResult scaled = series::computeRun(atTable, Equilibrium::runTemperature);
        EXPECT_EQ(scaled.ntu, sampleResults()[i].ntu) << "run " << i;
        EXPECT_EQ(scaled.mtc, sampleResults()[i].mtc) << "run " << i;
        EXPECT_EQ(scaled.ntuColburn, sampleResults()[i].ntuColburn) << "run " << i;
    }
}

TEST(EquilibriumOption, AtTwentyTheNtuFollowsTheLowerEquilibrium)
{
    const series::RunResult table = series::computeRun(exampleA(20.0));
    const series::RunResult cool = series::computeRun(exampleA(20.0), Equilibrium::runTemperature);
    ASSERT_TRUE(cool.ntuColburn && table.ntuColburn);
    // A lower y* is a larger driving force: fewer transfer units.
    EXPECT_LT(*cool.ntuColburn, *table.ntuColburn);
    EXPECT_NE(cool.ntu, table.ntu);
    EXPECT_EQ(cool.equilibriumTemperature, 20.0);
    EXPECT_EQ(cool.balance.point->y, 0.0254 * absorber::equilibriumFactor(20.0));
}

// Switched on and back, the file is the old one byte for byte.
TEST(EquilibriumOption, OnAndBackIsTheOldFile)
{
    series::Series lab = sampleSeries();
    const std::string before = series::writeSeriesFile(lab, sampleResults());
    lab.equilibrium = Equilibrium::runTemperature;
    const auto on = *series::computeRuns(lab.runs, lab.equilibrium, 1);
    const series::ReadSeries read = series::readSeriesFile(series::writeSeriesFile(lab, on));
    const auto* opened = std::get_if<series::OpenedSeries>(&read);
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->series.equilibrium, Equilibrium::runTemperature);
    series::Series back = opened->series;
    back.equilibrium = Equilibrium::table;
    EXPECT_EQ(series::writeSeriesFile(back, *series::computeRuns(back.runs, back.equilibrium, 1)), before);
}

TEST(EquilibriumOption, TemperatureReadsBackBitForBit)
{
    series::Series lab;
    lab.runs.push_back(exampleA(19.950000000000003));
    const series::ReadSeries read = series::readSeriesFile(series::writeSeriesFile(lab, {}));
    const auto* opened = std::get_if<series::OpenedSeries>(&read);
    ASSERT_NE(opened, nullptr);
    EXPECT_TRUE(identicalSeries(lab, opened->series));
}

// Rows of the file's "equilibrium" object: accepted, or refused at the member.
struct EquilibriumKey {
    const char* name;
    const char* object;
    const char* pointer;  // empty: read
};

class EquilibriumKeys : public testing::TestWithParam<EquilibriumKey> {};

TEST_P(EquilibriumKeys, AreReadOrRefused)
{
    const EquilibriumKey& c = GetParam();
    const std::string text = std::string("{\"format\": \"quillon-series\", \"version\": 1, \"equilibrium\": ")
        + c.object + ", \"runs\": []}";
    const series::ReadSeries read = series::readSeriesFile(text);
    if (*c.pointer == '\0') {
        const auto* opened = std::get_if<series::OpenedSeries>(&read);
        ASSERT_NE(opened, nullptr) << words(std::get<series::ReadError>(read).message);
        EXPECT_TRUE(opened->notices.empty());
        return;
    }
    const auto* error = std::get_if<series::ReadError>(&read);
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->pointer, c.pointer) << words(error->message);
}

INSTANTIATE_TEST_SUITE_P(File, EquilibriumKeys, testing::Values(
    EquilibriumKey{"run_temperature", R"({"at": "run_temperature", "van_t_hoff_k": 4200, "source": "x"})", ""},
    EquilibriumKey{"table", R"({"at": "table_30c"})", ""},
    EquilibriumKey{"unknown_basis", R"({"at": "run_temp"})", "/equilibrium/at"},
    EquilibriumKey{"no_basis", R"({"van_t_hoff_k": 4200})", "/equilibrium/at"},
    EquilibriumKey{"other_constant", R"({"at": "run_temperature", "van_t_hoff_k": 4100})", "/equilibrium/van_t_hoff_k"},
    EquilibriumKey{"not_an_object", R"("run_temperature")", "/equilibrium"}),
    [](const auto& row) { return std::string(row.param.name); });

// The band 5-50 degC, both ends in it; the findings only under the option.
struct TemperatureFinding {
    const char* name;
    std::optional<double> temperature;
    Equilibrium equilibrium;
    const char* codes;
};

class TemperatureFindings : public testing::TestWithParam<TemperatureFinding> {};

TEST_P(TemperatureFindings, NameTheBand)
{
    const TemperatureFinding& c = GetParam();
    // Water far enough from equilibrium at 50 degC too.
    series::Run run = exampleA(c.temperature);
    run.inputs.x1 = 0.005;
    const series::RunResult result = series::computeRun(run, c.equilibrium);
    EXPECT_EQ(series::findingCodes(series::findingsOf(run, result)), c.codes);
}

INSTANTIATE_TEST_SUITE_P(Band, TemperatureFindings, testing::Values(
    TemperatureFinding{"lowest", 5.0, Equilibrium::runTemperature, ""},
    TemperatureFinding{"below_lowest", 4.999, Equilibrium::runTemperature, "temperature_outside_range"},
    TemperatureFinding{"highest", 50.0, Equilibrium::runTemperature, ""},
    TemperatureFinding{"above_highest", 50.001, Equilibrium::runTemperature, "temperature_outside_range"},
    TemperatureFinding{"missing", std::nullopt, Equilibrium::runTemperature, "temperature_missing"},
    TemperatureFinding{"missing_under_table", std::nullopt, Equilibrium::table, ""},
    TemperatureFinding{"hot_under_table", 80.0, Equilibrium::table, ""}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace

namespace {

// The column temperature's header names, in both languages and with units,
// and a blank cell as none.
struct TemperatureColumn {
    const char* name;
    const char* text;
    std::optional<double> celsius;
};

class TemperatureColumns : public testing::TestWithParam<TemperatureColumn> {};

TEST_P(TemperatureColumns, AreRead)
{
    const series::ImportResult read = series::importCsv(GetParam().text);
    const auto* file = std::get_if<series::ImportedSeries>(&read);
    ASSERT_NE(file, nullptr) << words(std::get<series::ReadError>(read).message);
    ASSERT_EQ(file->series.runs.size(), 1u);
    EXPECT_EQ(file->series.runs[0].temperature, GetParam().celsius);
    EXPECT_TRUE(file->notices.empty()) << words(file->notices[0].message);
}

INSTANTIATE_TEST_SUITE_P(Import, TemperatureColumns, testing::Values(
    TemperatureColumn{"english", "y1,x1,gas_flow,water_flow,temperature\n0.02,0.01,1,1,21.5\n", 21.5},
    TemperatureColumn{"column_with_unit", "y1,x1,gas_flow,water_flow,Column temperature (°C)\n0.02,0.01,1,1,21.5\n", 21.5},
    TemperatureColumn{"german_slash_unit", "y1;x1;Gasstrom;Wasserstrom;Temperatur / °C\n0,02;0,01;1;1;21,5\n", 21.5},
    TemperatureColumn{"german_column", "y1;x1;Gasstrom;Wasserstrom;Kolonnentemperatur [°C]\n0,02;0,01;1;1;18\n", 18.0},
    TemperatureColumn{"german_ascii", "y1,x1,gas flow,water flow,Saeulentemperatur\n0.02,0.01,1,1,-3\n", -3.0},
    TemperatureColumn{"blank_cell", "y1,x1,gas_flow,water_flow,temperature\n0.02,0.01,1,1,\n", std::nullopt},
    TemperatureColumn{"export_results_ignored",
                      "y1,x1,gas_flow,water_flow,temperature,hog,mtc_colburn,hog_colburn\n0.02,0.01,1,1,25,3,4,5\n",
                      25.0}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(TemperatureColumn, ExportReadsBackBitForBit)
{
    series::Series lab;
    lab.runs = {exampleA(19.950000000000003), exampleA(std::nullopt)};
    const series::ImportResult read =
        series::importCsv(series::exportCsv(lab, *series::computeRuns(lab.runs, Equilibrium::runTemperature, 1)));
    const auto* file = std::get_if<series::ImportedSeries>(&read);
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(identicalSeries(lab, file->series));
}

}  // namespace
