#include "series/csv.h"
#include "tests/series/samples.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

const series::ImportedSeries* imported(const series::ImportResult& result)
{
    const auto* error = std::get_if<series::ReadError>(&result);
    EXPECT_EQ(error, nullptr) << (error ? present::describe(*error, "import") : "");
    return std::get_if<series::ImportedSeries>(&result);
}

class CsvExport : public testing::Test {
protected:
    const series::Series sample = sampleSeries();
    const std::vector<series::RunUncertainty> uncertainties = *series::uncertaintiesOf(sample, 2);
    const std::string csv = series::exportCsv(sample, sampleResults(), uncertainties);
};

TEST_F(CsvExport, WritesTheHeaderAndExampleAInFull)
{
    EXPECT_TRUE(
        csv.starts_with("run,label,y1,x1,gas_flow,water_flow,packing_height,excluded,outcome,eq_x,eq_y,y2,"
                        "ntu,mtc,u_mtc,mtc_95_low,mtc_95_high,ntu_colburn,findings,temperature,hog,mtc_colburn,"
                        "hog_colburn\r\n1,G1 "
                        "L1,0.02,0.01,1,1,2,0,completed,0.0208,0.0254,"
                        "0.010201999591920018,"));
    // Example A has no findings and no temperature: two empty cells before its HOG.
    EXPECT_NE(csv.find(",40.455628854993435,"), std::string::npos);
    EXPECT_NE(csv.find(",,," + series::exactText(*sampleResults()[0].hog) + ','), std::string::npos);
}

// Splits a line with no quoted cell.
std::vector<std::string> cells(const std::string& line)
{
    std::vector<std::string> split(1);
    for (const char c : line) {
        if (c == ',')
            split.emplace_back();
        else
            split.back() += c;
    }
    return split;
}

TEST_F(CsvExport, EveryCellOfExamplesAAndBHoldsItsValue)
{
    // Example B, formula guard and all: its cells against the worked values.
    const std::size_t second = csv.find("\r\n2,") + 2;
    const std::vector<std::string> b = cells(csv.substr(second, csv.find("\r\n", second) - second));
    const series::RunResult& result = sampleResults()[1];
    const auto& drawn = std::get<series::MonteCarlo>(uncertainties[1].monteCarlo);
    const std::vector<std::string> expected{
        "2",
        "'=SUM(A1)",
        "0.045",
        "0.02",
        "2",
        "3",
        "1.5",
        "1",
        "completed",
        "0.0503",
        "0.0671",
        series::exactText(*result.balance.y2),
        series::exactText(*result.ntu),
        "173.85380336857256",
        series::exactText(drawn.u),
        series::exactText(drawn.interval.low),
        series::exactText(drawn.interval.high),
        series::exactText(*result.ntuColburn),
        "",
        "",
        series::exactText(*result.hog),
        series::exactText(*result.mtcColburn),
        series::exactText(*result.hogColburn),
    };
    EXPECT_EQ(b, expected);
    // The worked NTU to 11 places, and the textbook's differing from it.
    EXPECT_NEAR(*result.ntu, 1.02408582874, 0.5e-11);
    EXPECT_NE(*result.ntuColburn, *result.ntu);
}

TEST_F(CsvExport, KeepsLabelsTextAndLeavesAbsentValuesEmpty)
{
    // A formula-like label gets an apostrophe, and so does one that has one.
    EXPECT_NE(csv.find("\r\n2,'=SUM(A1),0.045,0.02,2,3,1.5,1,completed,"), std::string::npos);
    EXPECT_NE(csv.find("\r\n3,\"Lauf \"\"C\"\", wärmer\r\nzweite Zeile\",0.02,0.01,1,5,,0,invalid_data,0.0208,0.0254,"),
              std::string::npos);
    // A run of zeros is refused, and its zero flows are findings.
    EXPECT_NE(
        csv.find("\r\n4,''zero,0,0,0,0,,0,invalid_data,,,,,,,,,,gas_flow_not_positive;water_flow_not_positive,,,,\r\n"),
        std::string::npos);
    // Run 5's negative height gives no coefficient: its last cell is empty.
    EXPECT_NE(csv.find("\r\n5,,0.02,0.01,1,1,-2,0,completed,0.0208,0.0254,0.010201999591920018,"), std::string::npos);
    EXPECT_TRUE(csv.ends_with(",\r\n"));
}

TEST_F(CsvExport, ImportsBackToTheSameRuns)
{
    const series::ImportResult result = series::importCsv(csv);
    const series::ImportedSeries* back = imported(result);
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(back->notices.empty());
    // Only the runs: the user's marks and uncertainties are not read back.
    series::Series expected;
    expected.runs = sample.runs;
    for (series::Run& run : expected.runs) {
        run.excluded = false;
        run.included = false;
        run.uncertainty = {};
    }
    EXPECT_TRUE(identicalSeries(expected, back->series));
}

class CsvEdgeNumbers : public testing::TestWithParam<EdgeNumber> {};

TEST_P(CsvEdgeNumbers, ImportBackBitForBit)
{
    const series::Series edge = edgeSeries(GetParam().value);
    const series::ImportResult result = series::importCsv(series::exportCsv(edge, {}));
    ASSERT_NE(imported(result), nullptr);
    EXPECT_TRUE(identicalSeries(edge, imported(result)->series));
}

INSTANTIATE_TEST_SUITE_P(Doubles, CsvEdgeNumbers, testing::ValuesIn(edgeNumbers), edgeName);

TEST(CsvImport, ReadsAGermanSpreadsheetExactly)
{
    const series::ImportResult result = series::importCsv(
        "Bezeichnung;y1 (Gas ein);x1 (Wasser aus);Gasstrom (mol/s);Wasserstrom (mol/s);FÜLLKÖRPERHÖHE (m);"
        "Stoffübergangskoeffizient;Temperatur (°C)\r\n"
        ";;;mol/s;mol/s;m;;\r\n"
        "Lauf 1;0,02;0,01;1;1;2;40,4556;21,5\r\n"
        "Lauf 2;+4,5e-2; 0,02 ;2;3;;;\r\n");
    const series::ImportedSeries* file = imported(result);
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(file->series.runs.size(), 2u);
    const series::Run& first = file->series.runs[0];
    EXPECT_EQ(first.label, "Lauf 1");
    EXPECT_EQ(bits(first.inputs.y1), bits(0.02));
    EXPECT_EQ(bits(first.inputs.x1), bits(0.01));
    EXPECT_EQ(first.packingHeight, 2.0);
    const series::Run& second = file->series.runs[1];
    EXPECT_EQ(bits(second.inputs.y1), bits(0.045));
    EXPECT_EQ(bits(second.inputs.x1), bits(0.02));
    EXPECT_EQ(bits(second.inputs.waterFlow), bits(3.0));
    EXPECT_FALSE(second.packingHeight.has_value());
    // The column temperature is read, an empty cell as none.
    EXPECT_EQ(first.temperature, 21.5);
    EXPECT_FALSE(second.temperature.has_value());

    ASSERT_EQ(file->notices.size(), 1u);
    EXPECT_EQ(file->notices[0].line, 2);
    EXPECT_EQ(words(file->notices[0].message), "skipped: no y1");
}

// The same run, Example A with a height, as people's files write it.
struct FormCase {
    const char* name;
    const char* text;
};

class CsvForms : public testing::TestWithParam<FormCase> {};

TEST_P(CsvForms, ReadExampleA)
{
    const series::ImportResult result = series::importCsv(GetParam().text);
    const series::ImportedSeries* file = imported(result);
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(file->series.runs.size(), 1u);
    const series::Run& run = file->series.runs[0];
    EXPECT_EQ(bits(run.inputs.y1), bits(0.02));
    EXPECT_EQ(bits(run.inputs.x1), bits(0.01));
    EXPECT_EQ(bits(run.inputs.gasFlow), bits(1.0));
    EXPECT_EQ(bits(run.inputs.waterFlow), bits(1.0));
    EXPECT_EQ(run.packingHeight, 2.0);
    EXPECT_TRUE(file->notices.empty()) << words(file->notices[0].message);
}

INSTANTIATE_TEST_SUITE_P(Import, CsvForms, testing::Values(
    FormCase{"comma_crlf", "y1,x1,gas_flow,water_flow,packing_height\r\n0.02,0.01,1,1,2\r\n"},
    FormCase{"comma_lf_no_last_line_end", "y1,x1,gas_flow,water_flow,packing_height\n0.02,0.01,1,1,2"},
    FormCase{"semicolon", "y1;x1;gas_flow;water_flow;packing_height\r\n0.02;0.01;1;1;2\r\n"},
    FormCase{"tab", "y1\tx1\tgas flow\twater flow\theight\n2e-2\t1E-2\t1.0\t+1\t2.\n"},
    FormCase{"quoted_decimal_comma", "\"y1\",\"x1\",\"gas_flow\",\"water_flow\",\"packing_height\"\r\n\"0,02\",\"0,01\",1,1,\"2,0\"\r\n"},
    FormCase{"byte_order_mark", "\xEF\xBB\xBFy1,x1,gas_flow,water_flow,packing_height\r\n0.02,0.01,1,1,2\r\n"},
    FormCase{"spreadsheet_names", "Y1 (gas in);X_1;Gas-Flow-Rate (mol/s);H2O flow rate (mol/s);Height of packing (m)\r\n"
                                  "0,02;0,01;1;1;2\r\n"},
    FormCase{"runs_window_names", "Run\ty1 (gas in)\tx1 (water out)\tGas flow\tWater flow\tEquilibrium x\tEquilibrium y*\t"
                                  "y2 (gas out)\tNTU\tPacking height (m)\tMass-transfer coefficient\n"
                                  "1\t0.02\t0.01\t1\t1\t0.0208\t0.0254\t0.0102\t0.6355\t2\t40.4556\n"},
    FormCase{"quoted_delimiter_in_header", "\"y1 (gas in, mol/mol)\",x1,gas_flow,water_flow,packing_height\r\n0.02,0.01,1,1,2\r\n"}),
    [](const auto& row) { return std::string(row.param.name); });

// A row that is not a run, on line 3 after a good one: skipped and named.
struct SkipCase {
    const char* name;
    const char* row;
    const char* message;
};

class CsvSkippedRows : public testing::TestWithParam<SkipCase> {};

TEST_P(CsvSkippedRows, AreNamedWithTheirLine)
{
    const std::string text = std::string("label,y1,x1,gas_flow,water_flow,packing_height\r\nA,0.02,0.01,1,1,2\r\n")
        + GetParam().row + "\r\nB,0.045,0.02,2,3,\r\n";
    const series::ImportResult result = series::importCsv(text);
    const series::ImportedSeries* file = imported(result);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->series.runs.size(), 2u);
    ASSERT_EQ(file->notices.size(), 1u);
    EXPECT_EQ(file->notices[0].line, 3);
    EXPECT_EQ(words(file->notices[0].message), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(Import, CsvSkippedRows, testing::Values(
    SkipCase{"blank_line", "", "skipped: blank line"},
    SkipCase{"delimiters_only", ",,,,,", "skipped: no values"},
    SkipCase{"units", ",mol/s,mol/s,mol/s,mol/s,m", "skipped: y1 \"mol/s\" is not a number"},
    SkipCase{"too_few_fields", "C,0.02,0.01,1", "skipped: 4 fields where the header has 6"},
    SkipCase{"infinity", "C,0.02,inf,1,1,", "skipped: x1 \"inf\" is not a number"},
    SkipCase{"too_large", "C,0.02,0.01,1e999,1,", "skipped: gas_flow \"1e999\" is not a number"},
    SkipCase{"empty_input", "C,0.02,0.01,1, ,2", "skipped: no water_flow"},
    SkipCase{"height_with_unit", "C,0.02,0.01,1,1,2m", "skipped: packing_height \"2m\" is not a number"}),
    [](const auto& row) { return std::string(row.param.name); });

struct CsvErrorCase {
    const char* name;
    const char* text;
    int line, column;
    const char* message;
};

class CsvErrors : public testing::TestWithParam<CsvErrorCase> {};

TEST_P(CsvErrors, NameTheirPlace)
{
    const series::ImportResult result = series::importCsv(GetParam().text);
    const auto* error = std::get_if<series::ReadError>(&result);
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->line, GetParam().line);
    EXPECT_EQ(error->column, GetParam().column);
    EXPECT_NE(words(error->message).find(GetParam().message), std::string::npos) << words(error->message);
}

INSTANTIATE_TEST_SUITE_P(Import, CsvErrors, testing::Values(
    CsvErrorCase{"empty", "", 1, 1, "the file is empty"},
    CsvErrorCase{"missing_column", "y1,x1,Gasstrom\r\n0.02,0.01,1\r\n", 1, 0, "the header has no water_flow column"},
    CsvErrorCase{"missing_columns", "label;y1\r\n", 1, 0, "the header has no x1, gas_flow, water_flow columns"},
    CsvErrorCase{"header_only", "y1,x1,gas_flow,water_flow\r\n", 0, 0, "it has a header but no rows"},
    CsvErrorCase{"no_row_a_run", "y1,x1,gas_flow,water_flow\r\n,,mol/s,mol/s\r\n", 0, 0, "the first at line 2 (skipped: no y1)"},
    CsvErrorCase{"quote_left_open", "y1,x1,gas_flow,water_flow\r\n0.02,\"0.01,1,1\r\n", 2, 6, "never closed"},
    CsvErrorCase{"not_text", "label,y1,x1,gas_flow,water_flow\r\nF\x81ller,0.02,0.01,1,1\r\n", 2, 2, "expected text in UTF-8"}),
    [](const auto& row) { return std::string(row.param.name); });

// Every number of a file read by one decimal separator, or the file refused
// at the cell that would need a guess.
struct NumberCase {
    const char* name;
    const char* text;
    std::array<double, 4> inputs;  // of the first run, when read
    std::size_t notices;
    int line, column;  // of the refused cell; 0 when read
    const char* message;
};

class CsvNumbers : public testing::TestWithParam<NumberCase> {};

TEST_P(CsvNumbers, ReadAsMeantOrAreRefused)
{
    const NumberCase& c = GetParam();
    const series::ImportResult result = series::importCsv(c.text);
    if (c.line == 0) {
        const series::ImportedSeries* file = imported(result);
        ASSERT_NE(file, nullptr);
        const absorber::RunInputs& inputs = file->series.runs.at(0).inputs;
        EXPECT_EQ((std::array{bits(inputs.y1), bits(inputs.x1), bits(inputs.gasFlow), bits(inputs.waterFlow)}),
                  (std::array{bits(c.inputs[0]), bits(c.inputs[1]), bits(c.inputs[2]), bits(c.inputs[3])}));
        EXPECT_EQ(file->notices.size(), c.notices);
        return;
    }
    const auto* error = std::get_if<series::ReadError>(&result);
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->line, c.line);
    EXPECT_EQ(error->column, c.column);
    EXPECT_EQ(words(error->message), c.message);
}

#define EN "y1,x1,gas_flow,water_flow\n"
#define DE "y1;x1;Gasstrom;Wasserstrom\r\n"

INSTANTIATE_TEST_SUITE_P(Import, CsvNumbers, testing::Values(
    NumberCase{"quoted_comma_among_points", EN "0.02,0.001,\"1,500\",30\n", {}, 0, 2, 12,
               "gas_flow \"1,500\" has a comma, but this file's numbers use a decimal point; write 1500 or 1.5"},
    NumberCase{"points_among_decimal_commas", DE "0,02;0,001;1.500;30.000\r\n", {}, 0, 2, 12,
               "gas_flow \"1.500\" has a point, but this file's numbers use a decimal comma; write 1500 or 1,5"},
    NumberCase{"german", DE "0,02;0,01;1,5;30\r\n", {0.02, 0.01, 1.5, 30}, 0, 0, 0, ""},
    NumberCase{"group_like_read_by_comma_votes", DE "0,02;0,01;1,500;2\r\n", {0.02, 0.01, 1.5, 2}, 0, 0, 0, ""},
    NumberCase{"group_like_read_by_point_votes", EN "0.02,0.01,1.500,2\n", {0.02, 0.01, 1.5, 2}, 0, 0, 0, ""},
    NumberCase{"group_like_by_semicolon_custom", DE "1;0;1,500;2\r\n", {1, 0, 1.5, 2}, 0, 0, 0, ""},
    NumberCase{"group_like_in_tab_file", "y1\tx1\tgas_flow\twater_flow\n1\t0\t1.500\t2\n", {}, 0, 2, 5,
               "gas_flow \"1.500\" could mean 1500 or 1.5, and no other number in this file shows its decimal "
               "separator; write the one you mean"},
    NumberCase{"mixed_tie_goes_to_semicolon_custom", DE "0,02;0.01;1;1\r\n", {}, 0, 2, 6,
               "x1 \"0.01\" has a point, but this file's numbers use a decimal comma; write 0,01"},
    NumberCase{"majority_decides", EN "0.02,0.01,\"0,5\",1\n0.03,0.01,1,1\n", {}, 0, 2, 11,
               "gas_flow \"0,5\" has a comma, but this file's numbers use a decimal point; write 0.5"},
    NumberCase{"point_and_comma", EN "\"1,000.5\",0.01,1,1\n", {}, 0, 2, 1,
               "y1 \"1,000.5\" has a point and a comma; write it without a group separator and with a decimal point, as "
               "1000.5"},
    NumberCase{"repeated_group", DE "0,02;0,01;1.000.000;1\r\n", {}, 0, 2, 11,
               "gas_flow \"1.000.000\" has a point as a group separator; write it without one, as 1000000"},
    NumberCase{"space_group", DE "0,02;0,001;1 500;30\r\n", {}, 0, 2, 12,
               "gas_flow \"1 500\" has a space as a group separator; write it without one, as 1500"},
    NumberCase{"narrow_space_group", DE "0,02;0,001;1\xE2\x80\xAF" "500,5;30\r\n", {}, 0, 2, 12,
               "gas_flow \"1\xE2\x80\xAF" "500,5\" has a space as a group separator; write it without one, as 1500,5"},
    NumberCase{"apostrophe_group", EN "0.02,0.001,1'500,30\n", {}, 0, 2, 12,
               "gas_flow \"1'500\" has an apostrophe as a group separator; write it without one, as 1500"},
    NumberCase{"unicode_minus", EN "0.02,\xE2\x88\x92" "0.01,1,1e\xE2\x88\x92" "3\n", {0.02, -0.01, 1, 1e-3}, 0, 0, 0, ""},
    NumberCase{"unicode_minus_german", DE "\xE2\x88\x92" "0,02;0;1;1\r\n", {-0.02, 0, 1, 1}, 0, 0, 0, ""},
    NumberCase{"lone_cr", "y1,x1,gas_flow,water_flow\r0.02,0.01,1,1\r0.045,0.02,2,3\r", {0.02, 0.01, 1, 1}, 0, 0, 0, ""},
    NumberCase{"lone_cr_placed", "y1,x1,gas_flow,water_flow\r0.02,0.01,1,1\r0.045,\"1,5\",2,3\r", {}, 0, 3, 7,
               "x1 \"1,5\" has a comma, but this file's numbers use a decimal point; write 1.5"},
    NumberCase{"title_lines", "Absorber lab, group 3\r\n\r\n" DE "0,02;0,01;1;1\r\n", {0.02, 0.01, 1, 1}, 2, 0, 0, ""}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(CsvImport, NamesTheLinesBeforeTheHeader)
{
    const series::ImportResult result =
        series::importCsv("Absorber lab, group 3\r\n\r\ny1;x1;Gasstrom;Wasserstrom\r\n0,02;0,01;1;1\r\n");
    ASSERT_NE(imported(result), nullptr);
    const std::vector<series::Notice>& notices = imported(result)->notices;
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_EQ(notices[0].line, 1);
    EXPECT_EQ(words(notices[0].message), "skipped: a line before the header");
    EXPECT_EQ(notices[1].line, 2);
    EXPECT_EQ(words(notices[1].message), "skipped: blank line");
}

// Past each limit a file is refused where it passes it; at the limit it is
// read. The texts are built, most being too large to write out.
struct CsvLimitCase {
    const char* name;
    std::string (*text)();
    int line, column;  // where it is refused; 0 when read
    const char* message;
};

std::string runRows(std::size_t rows)
{
    std::string text = "y1,x1,gas_flow,water_flow\n";
    for (std::size_t i = 0; i < rows; ++i)
        text += "0.02,0.01,1,1\n";
    return text;
}

std::string manyColumns(std::size_t columns)
{
    std::string text = "y1,x1,gas_flow,water_flow";
    for (std::size_t i = 4; i < columns; ++i)
        text += ",c";
    return text + "\n0.02,0.01,1,1" + std::string(columns - 4, ',') + "\n";
}

std::string labelOf(std::size_t bytes)
{
    return "label,y1,x1,gas_flow,water_flow\n" + std::string(bytes, 'a') + ",0.02,0.01,1,1\n";
}

class CsvLimits : public testing::TestWithParam<CsvLimitCase> {};

TEST_P(CsvLimits, AreNamedWhereTheyArePassed)
{
    const CsvLimitCase& c = GetParam();
    const series::ImportResult result = series::importCsv(c.text());
    if (c.line == 0) {
        EXPECT_NE(imported(result), nullptr);
        return;
    }
    const auto* error = std::get_if<series::ReadError>(&result);
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->line, c.line);
    EXPECT_EQ(error->column, c.column);
    EXPECT_NE(words(error->message).find(c.message), std::string::npos) << words(error->message);
}

INSTANTIATE_TEST_SUITE_P(Import, CsvLimits, testing::Values(
    CsvLimitCase{"runs_at_limit", [] { return runRows(series::maxRuns); }, 0, 0, ""},
    CsvLimitCase{"runs_past_limit", [] { return runRows(series::maxRuns + 1); }, 100002, 1, "more than 100000 runs"},
    CsvLimitCase{"records_at_limit", [] { return runRows(1) + std::string(series::maxCsvRecords - 2, '\n'); }, 0, 0, ""},
    CsvLimitCase{"records_past_limit", [] { return runRows(1) + std::string(series::maxCsvRecords - 1, '\n'); },
                 200001, 1, "more than 200000 rows"},
    CsvLimitCase{"columns_at_limit", [] { return manyColumns(series::maxCsvColumns); }, 0, 0, ""},
    CsvLimitCase{"columns_past_limit", [] { return manyColumns(series::maxCsvColumns + 1); }, 1, 27 + 2 * (257 - 5),
                 "more than 256 cells in a line"},
    CsvLimitCase{"cell_at_limit", [] { return labelOf(series::maxTextBytes); }, 0, 0, ""},
    CsvLimitCase{"cell_past_limit", [] { return labelOf(series::maxTextBytes + 1); }, 2, 1,
                 "a cell of more than 1048576 bytes"},
    CsvLimitCase{"huge_file", [] { return runRows(1) + std::string(series::maxFileBytes, ' '); }, 3, 1 + 64 * 1024 * 1024 - 40,
                 "the file goes on past 67108864 bytes"}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
