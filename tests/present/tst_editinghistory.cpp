#include "present/editing.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

using present::SeriesEditor;

// Everything the editor holds, every number exact: the series file of the
// runs, their results and the series' fields, with the runs' identities.
struct Snapshot {
    std::string file;
    std::vector<int> ids;
    int revision;
    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshotOf(const SeriesEditor& editor)
{
    return {series::writeSeriesFile(editor.series(), editor.results()), editor.ids(), editor.revision()};
}

series::Run labelled(const char* label, double y1, std::optional<double> height)
{
    return {{y1, 0.01, 1, 1}, height, label, false, false, {}, {}};
}

// Five runs, one of them with a finding (a negative x1) and one without a height.
SeriesEditor classSeries()
{
    series::Series given;
    given.title = "Class";
    given.runs = {labelled("a", 0.02, 2.0), labelled("b", 0.021, 1.5), labelled("c", 0.022, std::nullopt),
                  labelled("d", 0.023, 2.5), labelled("e", 0.024, 2.0)};
    given.runs[3].inputs.x1 = -0.001;
    std::vector<series::RunResult> results;
    for (const series::Run& run : given.runs)
        results.push_back(series::computeRun(run));
    SeriesEditor editor;
    editor.replace(given, results, present::Origin::opened);
    return editor;
}

using Edit = std::function<bool(SeriesEditor&)>;
const series::Uncertainties someUncertainty{0.02, 0.02, 0.0005, 0.0005, 0.005};
const present::ParsedNumber y1Typed{present::ParsedNumber::Kind::number, 0.025};

using Rows = std::vector<std::size_t>;

struct HistoryRow {
    const char* name;
    std::vector<Edit> edits;
    // The rows the last edit changed in place, as its undo and redo tell
    // them: none for the series' fields, nullopt when runs came or went.
    std::optional<std::vector<std::size_t>> inPlace;
};

class EditingHistory : public testing::TestWithParam<HistoryRow> {};

// Each undo gives back exactly the state before its edit, the runs in their
// rows with their identities; each redo exactly the state after it.
TEST_P(EditingHistory, UndoAndRedoGiveBackEachStateExactly)
{
    const HistoryRow& row = GetParam();
    SeriesEditor editor = classSeries();
    std::vector<Snapshot> states{snapshotOf(editor)};
    for (std::size_t at = 0; at < row.edits.size(); ++at) {
        ASSERT_TRUE(row.edits[at](editor)) << "edit " << at;
        states.push_back(snapshotOf(editor));
        ASSERT_NE(states.back(), states[at]) << "edit " << at;
    }
    EXPECT_EQ(editor.changedInPlace(), row.inPlace);
    for (std::size_t at = row.edits.size(); at-- > 0;) {
        ASSERT_TRUE(editor.undo());
        if (at + 1 == row.edits.size()) {
            EXPECT_EQ(editor.changedInPlace(), row.inPlace);
        }
        EXPECT_EQ(snapshotOf(editor), states[at]) << "undo to " << at;
    }
    EXPECT_FALSE(editor.canUndo());
    for (std::size_t at = 1; at < states.size(); ++at) {
        ASSERT_TRUE(editor.redo());
        EXPECT_EQ(snapshotOf(editor), states[at]) << "redo to " << at;
    }
    EXPECT_EQ(editor.changedInPlace(), row.inPlace);
    EXPECT_FALSE(editor.canRedo());
}

const Edit label = [](SeriesEditor& editor) { return editor.setLabel(1, "renamed"); };
const Edit input = [](SeriesEditor& editor) { return editor.setInput(2, present::InputField::y1, y1Typed).changed; };
const Edit excluded = [](SeriesEditor& editor) { return editor.setExcluded(3, false); };
const Edit excludedFourth = [](SeriesEditor& editor) { return editor.setExcluded(3, true); };
const Edit ownUncertainty = [](SeriesEditor& editor) { return editor.setRunUncertainties(4, someUncertainty); };
const Edit coefficient = [](SeriesEditor& editor) { return editor.setMtc(editor.ids()[0], 3.0, 0.5); };
const Edit title = [](SeriesEditor& editor) { return editor.setField(present::SeriesField::title, "Class 3b"); };
const Edit uncertainties = [](SeriesEditor& editor) { return editor.setUncertainties(someUncertainty); };
const Edit added = [](SeriesEditor& editor) {
    const series::Run run = labelled("f", 0.03, std::nullopt);
    return editor.addRun(run, series::computeRun(run), 0).added;
};
const Edit appended = [](SeriesEditor& editor) {
    const std::vector<series::Run> runs{labelled("g", 0.031, 2.0), labelled("h", 0.032, std::nullopt)};
    return editor.appendRuns(runs, {series::computeRun(runs[0]), series::computeRun(runs[1])});
};
Edit removed(std::vector<std::size_t> rows)
{
    return [rows](SeriesEditor& editor) { return editor.remove(rows); };
}

INSTANTIATE_TEST_SUITE_P(
    Steps, EditingHistory,
    testing::Values(HistoryRow{"labelInPlace", {label}, Rows{1}}, HistoryRow{"inputNewIdentity", {input}, Rows{2}},
                    HistoryRow{"excludedTakenIn", {excluded}, Rows{3}}, HistoryRow{"ownUncertainty", {ownUncertainty}, Rows{4}},
                    HistoryRow{"coefficientOfFirst", {coefficient}, Rows{0}}, HistoryRow{"title", {title}, Rows{}},
                    HistoryRow{"seriesUncertainties", {uncertainties}, Rows{}}, HistoryRow{"runAdded", {added}, std::nullopt},
                    HistoryRow{"runsAppended", {appended}, std::nullopt},
                    HistoryRow{"firstAndLastRemoved", {removed({4, 0})}, std::nullopt},
                    HistoryRow{"everyRunRemoved", {removed({0, 1, 2, 3, 4})}, std::nullopt},
                    // Rows shift under later edits: each undo still finds its own.
                    HistoryRow{"editsAcrossRemovals",
                               {removed({1, 3}), label, added, removed({0, 3}), appended, input, title, excludedFourth},
                               Rows{3}}),
    [](const testing::TestParamInfo<HistoryRow>& step) { return std::string(step.param.name); });

}  // namespace
