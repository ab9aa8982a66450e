#include "present/seriesmessages.h"
#include "samples.h"
#include "series/csv.h"
#include "series/file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <variant>

namespace {

// A lab run as readings only: a titration, air and NH3 meters at 21 °C and
// 99.5 kPa, and a water meter; with a packing height.
series::Readings labReadings()
{
    series::Readings readings;
    readings.titration = series::Titration{10.0, 0.1, 12.4, 0.0, 1, {}, {}, 997.0, 20.0};
    readings.air = series::MeterReading{20.0, series::MeterUnit::litresPerMinute, 21.0, 99.5, {}};
    readings.ammonia = series::MeterReading{0.5, series::MeterUnit::litresPerMinute, 21.0, 99.5, {}};
    readings.water =
        series::MeterReading{3.0, series::MeterUnit::litresPerHour, 21.0, 99.5, {{0.0, 0.0}, {2.0, 1.5}, {4.0, 3.5}}};
    readings.uncertainty = {0.02, 0.01, std::nullopt, 0.002, 0.1};
    return readings;
}

series::Series labSeriesOfReadings(const std::string& unit)
{
    series::Series s;
    s.flowUnit = unit;
    series::Run run;
    run.readings = labReadings();
    run.packingHeight = 0.5;
    const auto given = series::inputsFromReadings(*run.readings, unit);
    series::replaceInputs(run.inputs, std::get<series::InputsFromReadings>(given));
    s.runs.push_back(run);
    return s;
}

series::OpenedSeries opened(const std::string& text)
{
    auto read = series::readSeriesFile(text);
    if (const auto* error = std::get_if<series::ReadError>(&read))
        ADD_FAILURE() << present::describe(*error, "file");
    return std::holds_alternative<series::OpenedSeries>(read) ? std::get<series::OpenedSeries>(read)
                                                              : series::OpenedSeries{};
}

std::string written(const series::Series& s)
{
    return series::writeSeriesFile(s, *series::computeRuns(s.runs, 1));
}

TEST(ReadingsInTheFile, AFileWithoutReadingsReadsAndWritesAsBefore)
{
    const std::string today = series::writeSeriesFile(sampleSeries(), sampleResults());
    EXPECT_EQ(today.find("readings"), std::string::npos);
    EXPECT_EQ(written(opened(today).series), today);
}

TEST(ReadingsInTheFile, ReadBackAndGiveTheTypedRunsCoefficient)
{
    const series::Series lab = labSeriesOfReadings("mol/h");
    const series::OpenedSeries back = opened(written(lab));
    ASSERT_EQ(back.series.runs.size(), 1U);
    EXPECT_TRUE(series::identical(back.series, lab));

    series::Run typed;
    typed.inputs = back.series.runs[0].inputs;
    typed.packingHeight = 0.5;
    const series::RunResult fromReadings = series::computeRun(back.series.runs[0]);
    ASSERT_TRUE(fromReadings.mtc.has_value()) << series::outcomeName(fromReadings.outcome);
    EXPECT_EQ(fromReadings.mtc, series::computeRun(typed).mtc);
    EXPECT_TRUE(series::compareResults(back.stored, std::vector{fromReadings}).empty());
}

TEST(ReadingsInTheFile, AStoredInputThatDiffersIsReportedLikeAResult)
{
    std::string text = written(labSeriesOfReadings("mol/s"));
    const std::string x1 = "\"x1\": " + series::exactText(labSeriesOfReadings("mol/s").runs[0].inputs.x1);
    ASSERT_NE(text.find(x1), std::string::npos);
    text.replace(text.find(x1), x1.size(), "\"x1\": 0.0023");
    const series::OpenedSeries back = opened(text);
    const auto differences = series::compareResults(back.stored, *series::computeRuns(back.series.runs, 1));
    ASSERT_EQ(differences.size(), 1U);
    EXPECT_EQ(differences[0].field, "x1");
    EXPECT_EQ(differences[0].stored, "0.0023");
}

struct RefusedReadings {
    const char* name;
    const char* readings;  // the run's "readings" member
    const char* pointer;
    series::MessageKind kind;
};

class ReadingsRefused : public testing::TestWithParam<RefusedReadings> {};

TEST_P(ReadingsRefused, NameTheirPlace)
{
    const std::string text = std::string(R"({"format": "quillon-series", "version": 1, "flow_unit": "mol/s",)")
        + R"("runs": [{"y1": 0.02, "x1": 0.01, "gas_flow": 1, "water_flow": 1, "readings": )" + GetParam().readings
        + "}]}";
    const auto read = series::readSeriesFile(text);
    ASSERT_TRUE(std::holds_alternative<series::ReadError>(read));
    const auto& error = std::get<series::ReadError>(read);
    EXPECT_EQ(error.pointer, GetParam().pointer);
    EXPECT_EQ(error.message.kind, GetParam().kind) << present::describe(error, "file");
}

INSTANTIATE_TEST_SUITE_P(File, ReadingsRefused, testing::Values(
    RefusedReadings{"unknown_unit", R"({"air_meter": {"reading": 1, "unit": "cfm"}})",
                    "/runs/0/readings/air_meter/unit", series::MessageKind::unknownMeterUnit},
    RefusedReadings{"unknown_key", R"({"titration": {"sample_volume": 10}})",
                    "/runs/0/readings/titration/sample_volume", series::MessageKind::unknownReadingKey},
    RefusedReadings{"missing_acid", R"({"titration": {"sample_volume_ml": 10, "acid_molarity": 0.1}})",
                    "/runs/0/readings/titration/acid_volume_ml", series::MessageKind::missingInRun},
    RefusedReadings{"acid_below_blank",
                    R"({"titration": {"sample_volume_ml": 10, "acid_molarity": 0.1, "acid_volume_ml": 1,
                        "blank_volume_ml": 2}})",
                    "/runs/0/readings", series::MessageKind::acidBelowBlank},
    RefusedReadings{"base_volume_alone",
                    R"({"titration": {"sample_volume_ml": 10, "acid_molarity": 0.1, "acid_volume_ml": 25,
                        "base_volume_ml": 12.6}})",
                    "/runs/0/readings", series::MessageKind::baseHalfGiven}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(ReadingsInTheFile, GiveTheInputsAHandWrittenFileLeavesOut)
{
    const series::OpenedSeries back = opened(
        R"({"format": "quillon-series", "version": 1, "runs": [{"gas_flow": 1, "water_flow": 1, "y1": 0.02,
            "readings": {"titration": {"sample_volume_ml": 10, "acid_molarity": 0.1, "acid_volume_ml": 12.4,
            "density_g_per_l": 997}}}]})");
    ASSERT_EQ(back.series.runs.size(), 1U);
    EXPECT_NEAR(back.series.runs[0].inputs.x1, 0.0022403, 0.5e-7);
}

TEST(ReadingsInACsvFile, AGermanLabSheetImportsAsItsTypedInputs)
{
    std::ifstream file(QUILLON_READINGS_SHEET, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    const series::ImportResult result = series::importCsv(bytes.str());
    const auto* sheet = std::get_if<series::ImportedSeries>(&result);
    ASSERT_NE(sheet, nullptr) << present::describe(std::get<series::ReadError>(result), "sheet");
    ASSERT_EQ(sheet->series.runs.size(), 2U);
    const series::Run& run = sheet->series.runs[0];
    EXPECT_EQ(run.label, "Lauf 1");
    ASSERT_TRUE(run.readings && run.readings->titration && run.readings->air && run.readings->ammonia);
    EXPECT_EQ(run.readings->water->unit, series::MeterUnit::litresPerHour);
    // The lab's check value, and 20 L/min of air at 21 °C and 99.5 kPa with
    // 0.5 L/min of NH3 beside it.
    EXPECT_NEAR(run.inputs.x1, 0.0022403, 0.5e-7);
    EXPECT_NEAR(run.inputs.y1, 0.5 / 20.5, 1e-15);
    EXPECT_NEAR(run.inputs.gasFlow, 20.0 / 60.0 / 24.579891, 1e-7 * run.inputs.gasFlow);

    series::Run typed;
    typed.inputs = run.inputs;
    typed.packingHeight = 0.5;
    const series::RunResult fromSheet = series::computeRun(run);
    ASSERT_TRUE(fromSheet.mtc.has_value()) << series::outcomeName(fromSheet.outcome);
    EXPECT_EQ(fromSheet.mtc, series::computeRun(typed).mtc);
}

// Export, then import: the readings a row can hold come back bit for bit;
// those it cannot (a calibration) are left out, so that the inputs come back
// as they were rather than from readings without their table.
struct ExportCase {
    const char* name;
    bool calibrated;
    series::MeterUnit unit;
    bool backTitrated;
};

class ReadingsExported : public testing::TestWithParam<ExportCase> {};

TEST_P(ReadingsExported, ImportBackAsTheyWere)
{
    const ExportCase& c = GetParam();
    series::Series s = labSeriesOfReadings("mol/s");
    series::Readings& r = *s.runs[0].readings;
    r.uncertainty = {};
    if (!c.calibrated)
        r.water->calibration.clear();
    r.air->unit = c.unit;
    if (c.backTitrated) {
        r.titration->acidVolume = 25.0;
        r.titration->baseMolarity = 0.1;
        r.titration->baseVolume = 12.6;
    }
    series::replaceInputs(s.runs[0].inputs,
                          std::get<series::InputsFromReadings>(series::inputsFromReadings(r, "mol/s")));
    const series::Readings exported = r;
    series::Run typed;
    typed.inputs = s.runs[0].inputs;
    typed.label = "typed";
    s.runs.push_back(typed);

    const std::string csv = series::exportCsv(s, *series::computeRuns(s.runs, 1));
    const series::ImportResult result = series::importCsv(csv);
    const auto* back = std::get_if<series::ImportedSeries>(&result);
    ASSERT_NE(back, nullptr) << csv;
    ASSERT_EQ(back->series.runs.size(), 2U);
    const series::Run& run = back->series.runs[0];
    if (c.calibrated)
        EXPECT_FALSE(run.readings.has_value());
    else
        EXPECT_EQ(run.readings, exported) << csv;
    EXPECT_FALSE(back->series.runs[1].readings.has_value());
    for (std::size_t i = 0; i < 2; ++i) {
        const auto& in = back->series.runs[i].inputs;
        const auto& out = s.runs[i].inputs;
        EXPECT_TRUE(in.y1 == out.y1 && in.x1 == out.x1 && in.gasFlow == out.gasFlow && in.waterFlow == out.waterFlow)
            << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Csv, ReadingsExported,
                         testing::Values(
                             ExportCase{"meters_in_litres", false, series::MeterUnit::litresPerMinute, false},
                             ExportCase{"air_by_mass", false, series::MeterUnit::kilogramsPerHour, false},
                             ExportCase{"calibrated_water_meter", true, series::MeterUnit::litresPerMinute, false},
                             ExportCase{"back_titration", false, series::MeterUnit::litresPerMinute, true}),
                         [](const auto& row) { return std::string(row.param.name); });

// A back-titration in a spreadsheet's columns, by the export's names, the
// Runs window's titles or German ones: the lab's check, whose x1 is the
// direct titration's; one of the base's two columns alone is refused.
struct BaseColumnsCase {
    const char* name;
    const char* csv;
    bool refused;
};

class BackTitrationColumns : public testing::TestWithParam<BaseColumnsCase> {};

TEST_P(BackTitrationColumns, GiveTheDirectChecksX1OrAreRefused)
{
    const series::ImportResult result = series::importCsv(GetParam().csv);
    if (GetParam().refused) {
        ASSERT_TRUE(std::holds_alternative<series::ReadError>(result));
        const auto& error = std::get<series::ReadError>(result);
        EXPECT_EQ(error.message.kind, series::MessageKind::baseHalfGiven) << present::describe(error, "sheet");
        EXPECT_EQ(error.line, 2U);
        return;
    }
    const auto* sheet = std::get_if<series::ImportedSeries>(&result);
    ASSERT_NE(sheet, nullptr) << present::describe(std::get<series::ReadError>(result), "sheet");
    ASSERT_EQ(sheet->series.runs.size(), 1U);
    const series::Run& run = sheet->series.runs[0];
    ASSERT_TRUE(run.readings && run.readings->titration);
    EXPECT_EQ(*run.readings->titration, (series::Titration{10.0, 0.1, 25.0, 0.0, 1, 0.1, 12.6, 997.0, 20.0}));
    const series::Titration direct{10.0, 0.1, 12.4, 0.0, 1, {}, {}, 997.0, 20.0};
    EXPECT_NEAR(run.inputs.x1, 0.0022403, 0.5e-7);
    EXPECT_NEAR(run.inputs.x1, std::get<double>(series::liquidMoleFraction(direct)), 1e-15);
}

INSTANTIATE_TEST_SUITE_P(Csv, BackTitrationColumns, testing::Values(
    BaseColumnsCase{"export_names",
                    "y1,gas_flow,water_flow,sample_volume_ml,acid_molarity,acid_volume_ml,base_molarity,"
                    "base_volume_ml,density_g_per_l\r\n0.02,1,1,10.00,0.1000,25.00,0.1000,12.60,997.0\r\n",
                    false},
    BaseColumnsCase{"english_titles",
                    "y1,gas_flow,water_flow,Sample volume (mL),Acid molarity (mol/L),Acid volume (mL),"
                    "Base molarity (mol/L),Base volume to the end point (mL),density\n"
                    "0.02,1,1,10.00,0.1000,25.00,0.1000,12.60,997.0\n",
                    false},
    BaseColumnsCase{"german_lab_sheet",
                    "Gasmolenbruch;Gasstrom;Wasserstrom;Probenvolumen (mL);Säurekonzentration (mol/L);"
                    "Säureverbrauch (mL);Laugenkonzentration (mol/L);Laugenverbrauch (mL);Dichte (g/L)\n"
                    "0,02;1;1;10,00;0,1000;25,00;0,1000;12,60;997,0\n",
                    false},
    BaseColumnsCase{"german_basen_words",
                    "y1;Gasstrom;Wasserstrom;Probenvolumen;Säurekonzentration;Säureverbrauch;"
                    "Basenkonzentration;Basenverbrauch;Dichte\n0,02;1;1;10,00;0,1000;25,00;0,1000;12,60;997,0\n",
                    false},
    BaseColumnsCase{"base_molarity_alone",
                    "y1,gas_flow,water_flow,sample_volume_ml,acid_molarity,acid_volume_ml,base_molarity\n"
                    "0.02,1,1,10,0.1,25,0.1\n",
                    true},
    BaseColumnsCase{"base_volume_alone_german",
                    "y1;Gasstrom;Wasserstrom;Probenvolumen;Säurekonzentration;Säureverbrauch;"
                    "Laugenverbrauch\n0,02;1;1;10;0,1;25;12,6\n",
                    true}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
