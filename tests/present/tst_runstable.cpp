#include "present/runstable.h"

#include "series/findings.h"
#include "series/readings.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace {

using present::RunsColumn;

const present::NumberLocale german{",", "-"};
const present::Language germanWords = present::Language::fromCatalogue({
    {"RunsModel\x04%1 (%2)", "%1 (%2)"},
    {"RunsModel\x04Gas flow", "Gasstrom"},
    {"Messages\x04Invalid Data", "Ungültige Daten"},
});

struct TitleRow {
    const char* name;
    RunsColumn column;
    const char* unit;
    bool inGerman;
    const char* title;
};

class Titles : public testing::TestWithParam<TitleRow> {};

TEST_P(Titles, NameTheSeriesUnitWhereAColumnHasOne)
{
    const TitleRow& row = GetParam();
    EXPECT_EQ(present::runsColumnTitle(row.column, row.unit, row.inGerman ? germanWords : present::Language()),
              row.title);
}

INSTANTIATE_TEST_SUITE_P(
    Columns, Titles,
    testing::Values(TitleRow{"flowWithUnit", RunsColumn::gasFlow, "mol/s", false, "Gas flow (mol/s)"},
                    TitleRow{"flowWithoutUnit", RunsColumn::waterFlow, "", false, "Water flow"},
                    TitleRow{"coefficientPerCubicMetre", RunsColumn::mtc, "kmol/h", false,
                             "Mass-transfer coefficient (kmol/h/m³)"},
                    TitleRow{"coefficientWithoutUnit", RunsColumn::mtc, "", false, "Mass-transfer coefficient"},
                    TitleRow{"fractionHasNoFlowUnit", RunsColumn::y1, "kmol/h", false, "y1 (gas in)"},
                    TitleRow{"germanFlow", RunsColumn::gasFlow, "kmol/h", true, "Gasstrom (kmol/h)"}),
    [](const testing::TestParamInfo<TitleRow>& row) { return std::string(row.param.name); });

struct CellRow {
    const char* name;
    series::Run run;
    RunsColumn column;
    bool inGerman;
    present::RunsCell cell;
};

class Cells : public testing::TestWithParam<CellRow> {};

TEST_P(Cells, ShowTheValueToFourDecimalsAndInFull)
{
    const CellRow& row = GetParam();
    const series::RunResult result = series::computeRun(row.run);
    const present::RunsCell cell = row.inGerman
        ? present::runsNumberCell(row.run, result, row.column, german, germanWords)
        : present::runsNumberCell(row.run, result, row.column, {}, {});
    EXPECT_EQ(cell.text, row.cell.text);
    EXPECT_EQ(cell.tip, row.cell.tip);
}

series::Run runOf(absorber::RunInputs inputs, std::optional<double> height)
{
    return {inputs, height, {}, false, false, {}, {}};
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, Cells,
    testing::Values(CellRow{"inputAsTyped", runOf({0.123456, 0.00071, 1, 1}, {}), RunsColumn::x1, false, {"0.00071", "0.00071"}},
                    CellRow{"germanComma", runOf({0.123456, 0.01, 1, 1}, {}), RunsColumn::y1, true, {"0,123456", "0,123456"}},
                    CellRow{"noHeight", runOf({0.02, 0.01, 1, 1}, {}), RunsColumn::packingHeight, false, {"", ""}},
                    CellRow{"noCoefficientWithoutHeight", runOf({0.02, 0.01, 1, 1}, {}), RunsColumn::mtc, false, {"", ""}},
                    CellRow{"notCompletedSaysWhyAtItsNtu", runOf({0, 0, 0, 0}, {}), RunsColumn::ntu, false,
                            {"Invalid Data", ""}},
                    CellRow{"whyInGerman", runOf({0, 0, 0, 0}, {}), RunsColumn::ntu, true, {"Ungültige Daten", ""}},
                    CellRow{"refusedCoefficientSaysWhyInItsTip", runOf({0.02, 0.01, 1, 1}, -2.0), RunsColumn::mtc, false,
                            {"", "Invalid Data"}},
                    CellRow{"notANumberColumn", runOf({0.02, 0.01, 1, 1}, 2.0), RunsColumn::label, false, {"", ""}}),
    [](const testing::TestParamInfo<CellRow>& row) { return std::string(row.param.name); });

// Inputs the readings give are computed, not typed: shown to 5 significant
// digits, in full in their tips; the typed inputs beside stay as typed.
TEST(Cells, InputsFromReadingsAsResults)
{
    series::Run run = runOf({0.02, 0.01, 1.25, 1}, 0.5);
    series::Readings readings;
    readings.titration = series::Titration{10.0, 0.1, 12.4, 0.0, 1, {}, {}, 997.0, 20.0};
    run.readings = readings;
    series::replaceInputs(run.inputs,
                          std::get<series::InputsFromReadings>(series::inputsFromReadings(readings, "mol/s")));
    const series::RunResult result = series::computeRun(run);
    const present::RunsCell x1 = present::runsNumberCell(run, result, RunsColumn::x1, german, germanWords);
    EXPECT_EQ(x1.text, "0,0022403");
    EXPECT_EQ(x1.tip.substr(0, 8), "0,002240");
    EXPECT_GT(x1.tip.size(), 9U);
    for (const auto& [column, typed] : {std::pair{RunsColumn::y1, "0,02"}, std::pair{RunsColumn::gasFlow, "1,25"},
                                        std::pair{RunsColumn::packingHeight, "0,5"}})
        EXPECT_EQ(present::runsNumberCell(run, result, column, german, germanWords).text, typed);
}

struct ExcludedTipRow {
    const char* name;
    series::Run run;
    bool tip;
};

class ExcludedTip : public testing::TestWithParam<ExcludedTipRow> {};

TEST_P(ExcludedTip, ExplainsARunLeftOutForItsFindings)
{
    const ExcludedTipRow& row = GetParam();
    EXPECT_EQ(present::runsExcludedTip(row.run, series::computeRun(row.run), {}),
              row.tip ? "Left out of the analysis for its findings; clear the mark to take it in." : "");
}

// A negative x1 is a finding.
series::Run marked(bool excluded, bool included)
{
    return {{0.02, -0.001, 2, 1}, 1.5, {}, excluded, included, {}, {}};
}

INSTANTIATE_TEST_SUITE_P(
    Marks, ExcludedTip,
    testing::Values(ExcludedTipRow{"noFindings", runOf({0.02, 0.01, 1, 1}, 2.0), false},
                    ExcludedTipRow{"findingsLeaveItOut", marked(false, false), true},
                    ExcludedTipRow{"takenInDespiteThem", marked(false, true), false},
                    ExcludedTipRow{"excludedByTheUser", marked(true, false), false}),
    [](const testing::TestParamInfo<ExcludedTipRow>& row) { return std::string(row.param.name); });

struct UncertaintyRow {
    const char* name;
    series::Uncertainties defaults;
    present::UncertaintyStatus status;
    std::variant<series::MonteCarlo, series::NotGiven> monteCarlo;
    RunsColumn column;
    present::RunsCell cell;
};

class UncertaintyCells : public testing::TestWithParam<UncertaintyRow> {};

TEST_P(UncertaintyCells, SayWhereTheResultStands)
{
    const UncertaintyRow& row = GetParam();
    const series::Run run = runOf({0.02, 0.01, 1, 1}, 2.0);
    series::RunResult result = series::computeRun(run);
    // A round coefficient, so that the cells' digits are plain.
    result.mtc = 12.5;
    EXPECT_EQ(present::runsUncertaintyCell(row.column, run, result, row.defaults, row.status, row.monteCarlo, "10,000",
                                           {}, {}),
              row.cell);
}

const series::Uncertainties someGiven{0.02, std::nullopt, std::nullopt, std::nullopt, std::nullopt};
const series::MonteCarlo drawn{12.5, 0.25, {12.0, 13.03126}, 1, 0.1, {0.9, 1.1}, 10000, 0, true};
const char* const noneGivenTip =
    "No input of this run has an uncertainty: give the series' uncertainties, or the "
    "run's own with Run Uncertainties…";
const char* const drawnTip = "Monte Carlo, 10,000 draws: u = 0.25, 95 % of the coefficients from 12 to 13.03126";

INSTANTIATE_TEST_SUITE_P(
    States, UncertaintyCells,
    testing::Values(UncertaintyRow{"noUncertaintyGiven", {}, present::UncertaintyStatus::known, drawn,
                                   RunsColumn::uncertainty, {"no U: no uncertainties given", noneGivenTip}},
                    UncertaintyRow{"noUncertaintyGivenInterval", {}, present::UncertaintyStatus::known, drawn,
                                   RunsColumn::interval, {"–", noneGivenTip}},
                    UncertaintyRow{"pending", someGiven, present::UncertaintyStatus::pending, series::NotGiven{},
                                   RunsColumn::uncertainty, {"…", "Being computed"}},
                    UncertaintyRow{"cancelled", someGiven, present::UncertaintyStatus::cancelled, series::NotGiven{},
                                   RunsColumn::interval,
                                   {"not computed", "Cancelled: computed for the next export or report, or when the "
                                                    "run or the uncertainties change"}},
                    UncertaintyRow{"notGiven", someGiven, present::UncertaintyStatus::known,
                                   series::NotGiven{{series::MessageKind::noDraw}}, RunsColumn::interval,
                                   {"–", "Not given: no draw was made within the largest number of draws"}},
                    UncertaintyRow{"notGivenSaysWhyInTheCell", someGiven, present::UncertaintyStatus::known,
                                   series::NotGiven{{series::MessageKind::noDraw}}, RunsColumn::uncertainty,
                                   {"no U: no draw was made within the largest number of draws", "Not given: no draw was made within the largest number of draws"}},
                    UncertaintyRow{"expandedWithCoverageTwo", someGiven, present::UncertaintyStatus::known, drawn,
                                   RunsColumn::uncertainty, {"12.50 ± 0.50", drawnTip}},
                    UncertaintyRow{"intervalRounded", someGiven, present::UncertaintyStatus::known, drawn,
                                   RunsColumn::interval, {"12.00 to 13.03", drawnTip}}),
    [](const testing::TestParamInfo<UncertaintyRow>& row) { return std::string(row.param.name); });

}  // namespace

namespace {

TEST(RunTip, SaysWhyARunDidNotCompleteThenItsFindings)
{
    const series::Run plain = runOf({0.02, 0.01, 1, 1}, 2.0);
    EXPECT_TRUE(present::runsRunTip(plain, series::computeRun(plain), {}).empty());

    // Beyond the equilibrium table: refused before the balance.
    const series::Run refused = runOf({0.5, 0.01, 1, 1}, 2.0);
    EXPECT_EQ(present::runsRunTip(refused, series::computeRun(refused), germanWords),
              std::vector<std::string>{"Not completed: Ungültige Daten"});

    const series::Run flagged = marked(false, false);
    const std::vector<std::string> tip = present::runsRunTip(flagged, series::computeRun(flagged), {});
    ASSERT_FALSE(tip.empty());
    EXPECT_EQ(tip.size(), series::findingsOf(flagged, series::computeRun(flagged)).size());
    EXPECT_FALSE(tip.front().starts_with("Not completed"));
}

}  // namespace
