#include "present/editing.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using present::Origin;
using present::SeriesEditor;

// Example A with a height, a run with a negative x1 (a finding) and a
// height, and Example A without a height.
series::Run exampleRun(absorber::RunInputs inputs, std::optional<double> height)
{
    return {inputs, height, {}, false, false, {}, {}};
}
const series::Run runA = exampleRun({0.02, 0.01, 1, 1}, 2.0);
const series::Run runB = exampleRun({0.02, -0.001, 2, 1}, 1.5);
const series::Run runC = exampleRun({0.02, 0.01, 1, 1}, std::nullopt);
const series::Uncertainties relative2{0.02, 0.02, std::nullopt, std::nullopt, std::nullopt};
const series::Uncertainties absolute1{std::nullopt, std::nullopt, 0.01, 0.01, std::nullopt};

// One command and what it must answer: whether it made a step.
struct Command {
    std::function<bool(SeriesEditor&)> apply;
    bool changes = true;
};

Command add(const series::Run& run, int last = 0)
{
    return {[run, last](SeriesEditor& editor) { return editor.addRun(run, series::computeRun(run), last).added; }};
}
Command removeRows(std::vector<std::size_t> rows, bool changes = true)
{
    return {[rows](SeriesEditor& editor) { return editor.remove(rows); }, changes};
}
Command label(std::size_t row, std::string text, bool changes = true)
{
    return {[row, text](SeriesEditor& editor) { return editor.setLabel(row, text); }, changes};
}
Command title(std::string text, bool changes = true)
{
    return {[text](SeriesEditor& editor) { return editor.setField(present::SeriesField::title, text); }, changes};
}
Command mtc(int id, double value, bool changes = true)
{
    return {[id, value](SeriesEditor& editor) { return editor.setMtc(id, 2.0, value); }, changes};
}
Command defaults(series::Uncertainties given, bool changes = true)
{
    return {[given](SeriesEditor& editor) { return editor.setUncertainties(given); }, changes};
}
Command runOwn(std::size_t row, series::Uncertainties given, bool changes = true)
{
    return {[row, given](SeriesEditor& editor) { return editor.setRunUncertainties(row, given); }, changes};
}
Command undo(bool changes = true)
{
    return {[](SeriesEditor& editor) { return editor.undo(); }, changes};
}
Command redo(bool changes = true)
{
    return {[](SeriesEditor& editor) { return editor.redo(); }, changes};
}
Command saved(int revision)
{
    return {[revision](SeriesEditor& editor) {
        editor.markSaved(revision);
        return true;
    }};
}
Command replaced(std::vector<series::Run> runs, Origin origin)
{
    return {[runs, origin](SeriesEditor& editor) {
        series::Series given;
        given.runs = runs;
        std::vector<series::RunResult> results;
        for (const series::Run& run : runs)
            results.push_back(series::computeRun(run));
        editor.replace(given, results, origin);
        return true;
    }};
}

struct Sequence {
    const char* name;
    std::vector<Command> commands;
    std::vector<int> ids;
    bool modified;
    bool canUndo;
    bool canRedo;
    std::string title = "";
};

class Editing : public testing::TestWithParam<Sequence> {};

TEST_P(Editing, LeavesTheRunsAndTheSavedStateExpected)
{
    const Sequence& sequence = GetParam();
    SeriesEditor editor;
    for (std::size_t step = 0; step < sequence.commands.size(); ++step)
        ASSERT_EQ(sequence.commands[step].apply(editor), sequence.commands[step].changes) << "command " << step;
    EXPECT_EQ(editor.ids(), sequence.ids);
    EXPECT_EQ(editor.size(), sequence.ids.size());
    EXPECT_EQ(editor.results().size(), sequence.ids.size());
    EXPECT_EQ(editor.modified(), sequence.modified);
    EXPECT_EQ(editor.canUndo(), sequence.canUndo);
    EXPECT_EQ(editor.canRedo(), sequence.canRedo);
    EXPECT_EQ(editor.field(present::SeriesField::title), sequence.title);
}

// Revisions count from 1, each step and each replace a new one.
INSTANTIATE_TEST_SUITE_P(
    Sequences, Editing,
    testing::Values(
        Sequence{"newSeriesIsUnmodified", {}, {}, false, false, false},
        Sequence{"addedRunsModify", {add(runA), add(runB)}, {1, 2}, true, true, false},
        Sequence{"deleteKeepsTheOthersIds", {add(runA), add(runB), add(runC), removeRows({1})}, {1, 3}, true, true, false},
        Sequence{"undoneDeletePutsRowsBackInPlace",
                 {add(runA), add(runB), add(runC), removeRows({2, 0}), undo()}, {1, 2, 3}, true, true, true},
        Sequence{"redoneDeleteTakesThemAgain",
                 {add(runA), add(runB), add(runC), removeRows({0, 2, 2}), undo(), redo()}, {2}, true, true, false},
        Sequence{"deleteOfNoRowIsNoStep", {add(runA), removeRows({5}, false)}, {1}, true, true, false},
        Sequence{"runAfterDeleteGetsAFreshId", {add(runA), add(runB), removeRows({1}), add(runC)}, {1, 3}, true, true, false},
        Sequence{"editAfterUndoDropsTheRedo", {add(runA), add(runB), undo(), add(runC)}, {1, 3}, true, true, false},
        Sequence{"undoAllIsTheNewSeries", {add(runA), add(runB), undo(), undo(), undo(false)}, {}, false, false, true},
        Sequence{"redoWithNothingUndone", {add(runA), redo(false)}, {1}, true, true, false},
        Sequence{"undoBackToSavedIsUnmodified", {add(runA), saved(1), label(0, "G1"), undo()}, {1}, false, true, true},
        Sequence{"redoPastSavedIsModified", {add(runA), saved(1), label(0, "G1"), undo(), redo()}, {1}, true, true, false},
        Sequence{"savedStateUndoneAndBranchedAway",
                 {add(runA), label(0, "x"), saved(2), undo(), label(0, "y"), undo()}, {1}, true, true, true},
        Sequence{"sameLabelIsNoStep", {replaced({runA}, Origin::opened), label(0, "", false)}, {1}, false, false, false},
        Sequence{"labelOfNoRowIsNoStep", {replaced({runA}, Origin::opened), label(3, "x", false)}, {1}, false, false, false},
        Sequence{"titleUndone", {title("NH3"), title("NH3", false), undo()}, {}, false, false, true},
        Sequence{"titleRedone", {title("NH3"), undo(), redo()}, {}, true, true, false, "NH3"},
        Sequence{"mtcOfADeletedRunIgnored", {add(runA), add(runB), removeRows({0}), mtc(1, 3.0, false)}, {2}, true, true, false},
        Sequence{"sameMtcAgainIsNoStep", {add(runA), mtc(1, 3.0), mtc(1, 3.0, false)}, {1}, true, true, false},
        Sequence{"uncertaintiesEditedOnce",
                 {replaced({runA}, Origin::opened), defaults(relative2), defaults(relative2, false), runOwn(0, absolute1),
                  runOwn(0, absolute1, false), runOwn(1, absolute1, false)},
                 {1}, true, true, false},
        Sequence{"openedIsSavedWithNewIds", {add(runA), replaced({runA, runB}, Origin::opened)}, {2, 3}, false, false, false},
        Sequence{"importedIsUnsaved", {replaced({runA}, Origin::imported)}, {1}, true, false, false},
        Sequence{"restoredIsUnsavedUntilSaved", {replaced({runA}, Origin::restored), saved(1)}, {1}, false, false, false},
        Sequence{"importStaysUnsavedBySaveFromBefore", {add(runA), replaced({runB}, Origin::imported), saved(1)}, {2}, true,
                 false, false},
        // A save of the series before Open ends after it: the opened one stays saved.
        Sequence{"saveFromBeforeOpenIgnored", {add(runA), replaced({runB}, Origin::opened), saved(1)}, {2}, false, false,
                 false}),
    [](const testing::TestParamInfo<Sequence>& row) { return std::string(row.param.name); });

// Calculate on the inputs of the run on screen shows that run again.
struct SameInputs {
    const char* name;
    std::vector<Command> before;
    absorber::RunInputs inputs;
    int last;
    present::Added answer;
};

class CalculateAgain : public testing::TestWithParam<SameInputs> {};

TEST_P(CalculateAgain, AddsARunOnlyForNewInputs)
{
    const SameInputs& row = GetParam();
    SeriesEditor editor;
    for (const Command& command : row.before)
        ASSERT_EQ(command.apply(editor), command.changes);
    const std::size_t size = editor.size();
    const series::Run run = exampleRun(row.inputs, std::nullopt);
    const present::Added added = editor.addRun(run, series::computeRun(run), row.last);
    EXPECT_EQ(added.id, row.answer.id);
    EXPECT_EQ(added.added, row.answer.added);
    EXPECT_EQ(editor.size(), size + (row.answer.added ? 1 : 0));
}

INSTANTIATE_TEST_SUITE_P(
    Rule, CalculateAgain,
    testing::Values(SameInputs{"sameAsLast", {add(runA)}, runA.inputs, 1, {1, false}},
                    SameInputs{"sameAsAnOlderRunNamedLast", {add(runA), add(runB)}, runA.inputs, 1, {1, false}},
                    SameInputs{"otherInputs", {add(runA)}, runB.inputs, 1, {2, true}},
                    SameInputs{"noLastRun", {add(runA)}, runA.inputs, 0, {2, true}},
                    SameInputs{"lastDeleted", {add(runA), removeRows({0})}, runA.inputs, 1, {2, true}},
                    SameInputs{"lastUndone", {add(runA), undo()}, runA.inputs, 1, {2, true}},
                    SameInputs{"negativeZeroIsOtherInputs", {add(exampleRun({0.02, 0, 1, 1}, {}))}, {0.02, -0.0, 1, 1}, 1,
                               {2, true}}),
    [](const testing::TestParamInfo<SameInputs>& row) { return std::string(row.param.name); });

// Which runs the analysis takes and which are points of the fit.
struct FitRow {
    const char* name;
    series::Run run;
    std::vector<bool> excludedMarks;  // set in this order
    bool takenIn;
    bool inFit;
};

class FitInclusion : public testing::TestWithParam<FitRow> {};

TEST_P(FitInclusion, FollowsTheMarksAndFindings)
{
    const FitRow& row = GetParam();
    SeriesEditor editor;
    series::Series given;
    given.runs = {row.run};
    editor.replace(given, {series::computeRun(row.run)}, Origin::opened);
    for (const bool excluded : row.excludedMarks)
        editor.setExcluded(0, excluded);
    EXPECT_EQ(editor.takenIn(0), row.takenIn);
    EXPECT_EQ(editor.inFit(0), row.inFit);
}

INSTANTIATE_TEST_SUITE_P(
    Rule, FitInclusion,
    testing::Values(FitRow{"clean", runA, {}, true, true}, FitRow{"cleanExcluded", runA, {true}, false, false},
                    FitRow{"cleanExcludedAndBack", runA, {true, false}, true, true},
                    FitRow{"findingsLeftOut", runB, {}, false, false},
                    FitRow{"findingsTakenInByClearingTheMark", runB, {false}, true, true},
                    FitRow{"findingsTakenInThenExcluded", runB, {false, true}, false, false},
                    FitRow{"noCoefficient", runC, {}, true, false},
                    FitRow{"noCoefficientExcluded", runC, {true}, false, false}),
    [](const testing::TestParamInfo<FitRow>& row) { return std::string(row.param.name); });

// Two runs whose uncertainties are one result, or two.
struct KeyRow {
    const char* name;
    series::Run other;
    series::Uncertainties otherDefaults;
    bool same;
};

class UncertaintyKey : public testing::TestWithParam<KeyRow> {};

TEST_P(UncertaintyKey, DependsOnInputsHeightAndMergedUncertaintiesOnly)
{
    const KeyRow& row = GetParam();
    EXPECT_EQ(present::uncertaintyKey(runA, relative2) == present::uncertaintyKey(row.other, row.otherDefaults),
              row.same);
}

series::Run changed(std::function<void(series::Run&)> change)
{
    series::Run run = runA;
    change(run);
    return run;
}

INSTANTIATE_TEST_SUITE_P(
    Keys, UncertaintyKey,
    testing::Values(KeyRow{"sameRun", runA, relative2, true},
                    KeyRow{"labelAndMarksDoNotCount", changed([](series::Run& run) {
                               run.label = "G1";
                               run.excluded = true;
                               run.included = true;
                           }),
                           relative2, true},
                    KeyRow{"ownEqualToTheDefaults", changed([](series::Run& run) { run.uncertainty.gasFlowRel = 0.02; }),
                           relative2, true},
                    KeyRow{"ownOverridesADefault", changed([](series::Run& run) { run.uncertainty.gasFlowRel = 0.03; }),
                           relative2, false},
                    KeyRow{"otherDefaults", runA, absolute1, false},
                    KeyRow{"zeroUncertaintyIsNotNone", runA,
                           {0.02, 0.02, 0.0, std::nullopt, std::nullopt}, false},
                    KeyRow{"noHeight", runC, relative2, false},
                    KeyRow{"otherHeight", changed([](series::Run& run) { run.packingHeight = 2.5; }), relative2, false}),
    [](const testing::TestParamInfo<KeyRow>& row) { return std::string(row.param.name); });

TEST(UncertaintyKey, ZeroAndNegativeZeroAreTwoRuns)
{
    const series::Run zero = exampleRun({0.02, 0.0, 1, 1}, 2.0);
    const series::Run negativeZero = exampleRun({0.02, -0.0, 1, 1}, 2.0);
    EXPECT_NE(present::uncertaintyKey(zero, {}), present::uncertaintyKey(negativeZero, {}));
}

}  // namespace
