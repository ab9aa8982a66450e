#include "series/csv.h"
#include "tests/series/samples.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// One German lab sheet as Excel saves it: ';', decimal commas, umlauts in
// the header and a label, a units row under the header.
std::string germanSheet(bool windows1252)
{
    const auto umlaut = [windows1252](const char* latin1, const char* utf8) { return windows1252 ? latin1 : utf8; };
    return std::string("Bezeichnung;y1;x1;Gasstrom [mol/s];Wasserstrom (mol/s);Packungsh") + umlaut("\xF6", "ö")
        + "he / m\r\n;;;mol/s;mol/s;m\r\nS" + umlaut("\xE4", "ä") + "ule " + umlaut("\x80", "€")
        + ";0,02;0,01;1;1;2\r\nS2;0,045;0,02;2;3;1,5\r\n";
}

// On the header's line, where the first umlaut is.
const int readAs1252Line = 1;
const char* const readAs1252 = "not UTF-8; the file is read as Windows-1252 (Western European), as Excel saves CSV";

struct EncodingCase {
    const char* name;
    std::string bytes;
    bool read1252;
};

class CsvEncodings : public testing::TestWithParam<EncodingCase> {};

TEST_P(CsvEncodings, ReadTheSameRunsAndSayHow)
{
    const series::ImportResult result = series::importCsv(GetParam().bytes);
    const auto* file = std::get_if<series::ImportedSeries>(&result);
    ASSERT_NE(file, nullptr) << present::describe(std::get<series::ReadError>(result), "sheet");
    ASSERT_EQ(file->series.runs.size(), 2u);
    EXPECT_EQ(file->series.runs[0].label, "Säule €");
    EXPECT_EQ(bits(file->series.runs[1].inputs.y1), bits(0.045));
    EXPECT_EQ(bits(file->series.runs[1].inputs.waterFlow), bits(3.0));
    EXPECT_EQ(file->series.runs[1].packingHeight, 1.5);
    // The units row is named on its line, after the notice of the encoding.
    ASSERT_EQ(file->notices.size(), GetParam().read1252 ? 2u : 1u);
    EXPECT_EQ(file->notices.back().line, 2);
    if (GetParam().read1252) {
        EXPECT_EQ(file->notices[0].line, readAs1252Line);
        EXPECT_EQ(words(file->notices[0].message), readAs1252);
    }
}

INSTANTIATE_TEST_SUITE_P(Import, CsvEncodings, testing::Values(
    EncodingCase{"windows1252", germanSheet(true), true},
    EncodingCase{"utf8", germanSheet(false), false},
    EncodingCase{"utf8_with_bom", "\xEF\xBB\xBF" + germanSheet(false), false}),
    [](const auto& row) { return std::string(row.param.name); });

// Bytes that are neither UTF-8 nor text in Windows-1252: refused where they
// are, columns counted in the characters the code page gives.
struct RefusalCase {
    const char* name;
    std::string bytes;
    int line, column;
};

class CsvNotText : public testing::TestWithParam<RefusalCase> {};

TEST_P(CsvNotText, IsRefusedWhereItStops)
{
    const series::ImportResult result = series::importCsv(GetParam().bytes);
    const auto* error = std::get_if<series::ReadError>(&result);
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->line, GetParam().line);
    EXPECT_EQ(error->column, GetParam().column);
    EXPECT_NE(words(error->message).find("expected text in UTF-8 or Windows-1252"), std::string::npos)
        << words(error->message);
}

INSTANTIATE_TEST_SUITE_P(Import, CsvNotText, testing::Values(
    RefusalCase{"undefined_in_1252", "label,y1,x1,gas_flow,water_flow\r\nF\xFC\x81ller,0.02,0.01,1,1\r\n", 2, 3},
    RefusalCase{"utf16_little_endian", std::string("\xFF\xFEy\0" "1\0", 6), 1, 4},
    RefusalCase{"control_character", "label,y1,x1,gas_flow,water_flow\r\nA\x01\xE9,0.02,0.01,1,1\r\n", 2, 2}),
    [](const auto& row) { return std::string(row.param.name); });

// A header name in place of the plain one of its column; the other columns
// keep theirs, so the run shows which column the name went to.
enum class Field { y1, x1, gasFlow, waterFlow, height, label };

struct AliasCase {
    const char* name;
    const char* header;
    Field field;
};

class CsvHeaderAliases : public testing::TestWithParam<AliasCase> {};

TEST_P(CsvHeaderAliases, NameTheirColumn)
{
    const std::array<const char*, 6> plain{"y1", "x1", "gas_flow", "water_flow", "packing_height", "label"};
    std::string header;
    for (std::size_t i = 0; i < plain.size(); ++i)
        header += std::string(i > 0 ? ";" : "") + (i == std::size_t(GetParam().field) ? GetParam().header : plain[i]);
    const series::ImportResult result = series::importCsv(header + "\r\n0,02;0,01;3;4;2,5;L\r\n");
    const auto* file = std::get_if<series::ImportedSeries>(&result);
    ASSERT_NE(file, nullptr) << present::describe(std::get<series::ReadError>(result), "aliases");
    EXPECT_TRUE(file->notices.empty()) << words(file->notices[0].message);
    ASSERT_EQ(file->series.runs.size(), 1u);
    const series::Run& run = file->series.runs[0];
    const std::array<double, 5> values{run.inputs.y1, run.inputs.x1, run.inputs.gasFlow, run.inputs.waterFlow,
                                       run.packingHeight.value_or(0.0)};
    EXPECT_EQ(values, (std::array<double, 5>{0.02, 0.01, 3.0, 4.0, 2.5}));
    EXPECT_EQ(run.label, "L");
}

INSTANTIATE_TEST_SUITE_P(Import, CsvHeaderAliases, testing::Values(
    AliasCase{"Packungshoehe", "Packungshöhe", Field::height},
    AliasCase{"Hoehe_m", "Höhe (m)", Field::height},
    AliasCase{"HOEHE_brackets", "HÖHE [m]", Field::height},
    AliasCase{"Hoehe_slash_m", "Höhe / m", Field::height},
    AliasCase{"Schuetthoehe", "Schütthöhe", Field::height},
    AliasCase{"Fuellhoehe_ascii", "Fuellhoehe", Field::height},
    AliasCase{"packed_height", "packed height", Field::height},
    AliasCase{"Bed_Height", "Bed_Height (m)", Field::height},
    AliasCase{"Gasdurchsatz", "Gasdurchsatz (l/min)", Field::gasFlow},
    AliasCase{"Luftstrom", "Luftstrom", Field::gasFlow},
    AliasCase{"air_flow_rate", "Air flow rate", Field::gasFlow},
    AliasCase{"Wasserdurchsatz", "Wasserdurchsatz [kg/h]", Field::waterFlow},
    AliasCase{"Fluessigkeitsstrom", "Flüssigkeitsstrom", Field::waterFlow},
    AliasCase{"liquid_flow", "Liquid flow", Field::waterFlow},
    AliasCase{"Molenbruch_Gas", "Molenbruch Gas", Field::y1},
    AliasCase{"y_ein", "y_ein", Field::y1},
    AliasCase{"Molenbruch_Wasser", "Molenbruch Wasser", Field::x1},
    AliasCase{"x_out", "x out", Field::x1},
    AliasCase{"Name", "Name", Field::label}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
