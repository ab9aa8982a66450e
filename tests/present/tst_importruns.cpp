#include "present/editing.h"
#include "present/seriesmessages.h"

#include "series/uncertainty.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

using present::RunsFile;
using present::SeriesEditor;

series::Run labelled(absorber::RunInputs inputs, const char* label)
{
    return {inputs, 2.0, label, false, false, {}, {}};
}
const series::Run typed = labelled({0.02, 0.01, 1, 1}, "typed");
const series::Uncertainties relative2{0.02, 0.02, std::nullopt, std::nullopt, std::nullopt};
const series::Uncertainties absolute1{std::nullopt, std::nullopt, 0.01, 0.01, std::nullopt};

// A series file of other fields, with the stored results of `storedFrom`.
std::string seriesFile(std::vector<series::Run> runs, std::vector<series::Run> storedFrom)
{
    series::Series other;
    other.title = "other";
    other.flowUnit = "kg/h";
    other.uncertainty = absolute1;
    other.runs = std::move(runs);
    std::vector<series::RunResult> results;
    for (const series::Run& run : storedFrom)
        results.push_back(series::computeRun(run));
    return series::writeSeriesFile(other, results);
}

struct ImportCase {
    const char* name;
    std::string bytes;
    RunsFile kind;
    bool read;
    std::vector<std::string> labels;  // of every run after the import
    std::vector<int> noticeLines = {};
    std::vector<std::size_t> differing = {};
    series::Uncertainties lastRunUncertainty = {};  // a series file's runs keep their series' own
};

class ImportRuns : public testing::TestWithParam<ImportCase> {};

TEST_P(ImportRuns, AppendAsOneStepAndLeaveTheSeriesFields)
{
    const ImportCase& row = GetParam();
    SeriesEditor editor;
    editor.addRun(typed, series::computeRun(typed), 0);
    editor.setField(present::SeriesField::title, "NH3 series");
    editor.setUncertainties(relative2);
    editor.markSaved(editor.revision());
    const int saved = editor.revision();
    const std::vector<int> idsBefore = editor.ids();
    const series::Series before = editor.series();

    const present::OpenOutcome outcome = editor.importRuns(row.bytes, row.kind);
    ASSERT_EQ(std::holds_alternative<present::Opened>(outcome), row.read);
    const series::Series& after = editor.series();
    std::vector<std::string> labels;
    for (const series::Run& run : after.runs)
        labels.push_back(run.label);
    EXPECT_EQ(labels, row.labels);
    EXPECT_EQ(editor.results().size(), labels.size());
    EXPECT_EQ(after.runs.back().uncertainty, row.lastRunUncertainty);
    EXPECT_EQ(after.title, "NH3 series");
    EXPECT_EQ(std::tie(after.title, after.people, after.date, after.flowUnit, after.notes),
              std::tie(before.title, before.people, before.date, before.flowUnit, before.notes));
    EXPECT_EQ(after.uncertainty, relative2);
    if (row.read) {
        const auto& opened = std::get<present::Opened>(outcome);
        std::vector<int> lines;
        for (const series::Notice& notice : opened.notices)
            lines.push_back(notice.line);
        EXPECT_EQ(lines, row.noticeLines);
        EXPECT_EQ(present::differingRuns(opened.differences), row.differing);
    }
    // Every appended run is computed as Calculate computes it, under a new identity.
    for (std::size_t at = idsBefore.size(); at < editor.size(); ++at) {
        EXPECT_EQ(editor.results()[at].ntu, series::computeRun(after.runs[at]).ntu);
        EXPECT_GT(editor.ids()[at], idsBefore.back());
    }

    const bool appended = labels.size() > idsBefore.size();
    EXPECT_EQ(editor.modified(), appended);
    EXPECT_TRUE(editor.canUndo());
    if (!appended) {
        EXPECT_EQ(editor.revision(), saved);
        return;
    }
    const int imported = editor.revision();
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(editor.ids(), idsBefore);
    EXPECT_EQ(editor.revision(), saved);
    EXPECT_FALSE(editor.modified());
    ASSERT_TRUE(editor.redo());
    EXPECT_EQ(editor.size(), labels.size());
    EXPECT_EQ(editor.revision(), imported);
    EXPECT_TRUE(editor.modified());
}

const std::string csvOfThree =
    "label,y1,x1,gas_flow,water_flow,packing_height\r\n,,,mol/s,mol/s,m\r\n"
    "A,0.02,0.01,1,1,2\r\nB,0.045,0.02,2,3,\r\nC,x,0.02,2,3,\r\n";
// Runs of a series file: example B as S, and A with an uncertainty of its own.
const series::Run runS = labelled({0.045, 0.02, 2, 3}, "S");
const series::Run ownU{typed.inputs, 2.0, "typed", false, false, {{}, {}, {}, {}, 0.005}, {}};
const series::Uncertainties absolute1AndOwn{std::nullopt, std::nullopt, 0.01, 0.01, 0.005};

INSTANTIATE_TEST_SUITE_P(
    Files, ImportRuns,
    testing::Values(
        ImportCase{"csvWithAUnitsRow", csvOfThree, RunsFile::csv, true, {"typed", "A", "B"}, {2, 5}, {}},
        ImportCase{"csvWithoutARun", "y1,x1,gas_flow,water_flow\r\n,,mol/s,mol/s\r\n", RunsFile::csv, false, {"typed"}},
        ImportCase{"csvUnreadable", "y1;x1\r\n0,02;0,01\r\n", RunsFile::csv, false, {"typed"}},
        // The file's "kg/h" only labels its numbers: taken as they are, and said so.
        ImportCase{"seriesFile", seriesFile({typed, runS}, {typed, typed}), RunsFile::series, true,
                   {"typed", "typed", "S"}, {0}, {2}, absolute1},
        ImportCase{"seriesFileRunKeepsItsOwnUncertainty", seriesFile({ownU}, {}), RunsFile::series, true,
                   {"typed", "typed"}, {0}, {}, absolute1AndOwn},
        ImportCase{"seriesFileWithoutRuns", seriesFile({}, {}), RunsFile::series, true, {"typed"}, {0}},
        ImportCase{"seriesFileAsCsv", seriesFile({typed}, {typed}), RunsFile::csv, false, {"typed"}}),
    [](const testing::TestParamInfo<ImportCase>& row) { return std::string(row.param.name); });

// Runs of a file in another flow unit join in the series' unit; a run's
// readings give its flows in that unit; a notice says what was done.
struct UnitCase {
    const char* name;
    std::string fileUnit;  // empty: a CSV file of readings
    std::string seriesUnit;
    double gasFlow;  // of the joining run, in the series' unit
    std::vector<series::MessageKind> notices;
};

class ImportRunsUnit : public testing::TestWithParam<UnitCase> {};

TEST_P(ImportRunsUnit, JoinInTheSeriesUnit)
{
    const UnitCase& row = GetParam();
    SeriesEditor editor;
    ASSERT_TRUE(row.seriesUnit == "mol/s" || editor.setField(present::SeriesField::flowUnit, row.seriesUnit));
    std::string bytes;
    if (row.fileUnit.empty()) {
        bytes =
            "label,y1,x1,air_meter (L/min),water_meter (L/min),meter_temperature_c,meter_pressure_kpa\r\n"
            "R,0.02,0.01,20,3,21,99.5\r\n";
    } else {
        series::Series other;
        other.flowUnit = row.fileUnit;
        other.runs = {labelled({0.02, 0.01, 3.6, 7.2}, "H")};
        bytes = series::writeSeriesFile(other, *series::computeRuns(other.runs, 1));
    }
    const present::OpenOutcome outcome =
        editor.importRuns(bytes, row.fileUnit.empty() ? RunsFile::csv : RunsFile::series);
    ASSERT_TRUE(std::holds_alternative<present::Opened>(outcome));
    const series::Run& joined = editor.series().runs.back();
    EXPECT_NEAR(joined.inputs.gasFlow, row.gasFlow, 1e-12 * row.gasFlow);
    EXPECT_EQ(editor.results().back().ntu, series::computeRun(joined).ntu);
    std::vector<series::MessageKind> kinds;
    for (const series::Notice& notice : std::get<present::Opened>(outcome).notices)
        kinds.push_back(notice.message.kind);
    EXPECT_EQ(kinds, row.notices);
}

// 20 L/min of air at 21 °C and 99.5 kPa: P Q / (R T) mol/s.
const double airMolPerSecond = 99.5e3 * 20.0 / 60.0 / 1000.0 / (8.314462618 * 294.15);
INSTANTIATE_TEST_SUITE_P(
    Units, ImportRunsUnit,
    testing::Values(
        UnitCase{"molPerHourIntoMolPerSecond", "mol/h", "mol/s", 0.001, {series::MessageKind::flowsConverted}},
        UnitCase{"sameUnit", "mol/h", "mol/h", 3.6, {}},
        UnitCase{"labelIntoUnit", "kg/h", "mol/s", 3.6, {series::MessageKind::flowsNotConverted}},
        UnitCase{"csvReadingsIntoMillimoles", "", "mmol/s", 1000.0 * airMolPerSecond, {}}),
    [](const testing::TestParamInfo<UnitCase>& row) { return std::string(row.param.name); });

}  // namespace
