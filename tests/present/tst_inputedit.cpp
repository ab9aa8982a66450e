#include "present/editing.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace {

using present::Message;
using F = present::InputField;
using Kind = present::ParsedNumber::Kind;

series::Run run(absorber::RunInputs inputs, std::optional<double> height)
{
    return {inputs, height, {}, false, false, {}, {}};
}
// Example A with and without a height, a run with a negative x1 and one whose
// water flow of 5 divides by zero.
const series::Run runA = run({0.02, 0.01, 1, 1}, 2.0);
const series::Run runC = run({0.02, 0.01, 1, 1}, std::nullopt);
const series::Run runB = run({0.02, -0.001, 2, 1}, 1.5);
const series::Run divides = run({0.2, 0.5, 4, 1}, std::nullopt);

using Parsed = std::optional<present::ParsedNumber>;
const auto number = [](double value) { return Parsed{{Kind::number, value}}; };
const Parsed emptied;
const Parsed words{{Kind::notANumber, 0.0}};
const Parsed huge{{Kind::tooLarge, 0.0}};

const auto conversionError = [](F field, Kind kind) { return Message{Message::Kind::conversionError, field, kind}; };
const auto fault = [](absorber::Outcome outcome) { return Message{.kind = Message::Kind::fault, .fault = outcome}; };
const Message made;
const Message invalidData{Message::Kind::invalidData};

struct EditRow {
    const char* name;
    series::Run start;
    F field;
    Parsed value;
    Message message;       // made: the edit is made
    series::Run expected;  // the run after the edit, or the start when refused
    std::vector<series::Finding> findings = {};
    bool changes = true;  // false: the value is the run's already
};

class InputEditing : public testing::TestWithParam<EditRow> {};

// The series of example A and the given run.
series::Series seriesOf(const series::Run& second)
{
    series::Series given;
    given.runs = {runA, second};
    return given;
}

// The edited run's results are what opening a file holding it would compute.
auto resultsOf(const series::RunResult& r)
{
    return std::make_tuple(r.outcome, r.ntu, r.ntuColburn, r.coefficientOutcome, r.mtc);
}

TEST_P(InputEditing, ComputesTheRunAgainOrRefusesWithTheMainWindowsBox)
{
    const EditRow& row = GetParam();
    present::SeriesEditor editor;
    editor.replace(seriesOf(row.start), {series::computeRun(runA), series::computeRun(row.start)},
                   present::Origin::opened);
    const std::string keyBefore = present::uncertaintyKey(row.start, {});
    const bool changed = row.message.kind == Message::Kind::none && row.changes;

    const present::InputEdit edit = editor.setInput(1, row.field, row.value);
    EXPECT_EQ(edit.message, row.message);
    EXPECT_EQ(edit.changed, changed);
    EXPECT_EQ(editor.canUndo(), changed);
    EXPECT_TRUE(series::identical(editor.series(), seriesOf(row.expected)));
    EXPECT_EQ(resultsOf(editor.results()[1]), resultsOf(series::computeRun(row.expected)));
    EXPECT_EQ(editor.findings(1), row.findings);
    EXPECT_EQ(present::uncertaintyKey(editor.series().runs[1], {}) != keyBefore, changed);
    // New inputs are another run; a new height is the same run's.
    EXPECT_EQ(editor.ids()[1] != 2, changed && row.field != F::packingHeight);
    EXPECT_EQ(editor.ids()[0], 1);

    if (!changed)
        return;
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(editor.ids(), (std::vector<int>{1, 2}));
    EXPECT_TRUE(series::identical(editor.series(), seriesOf(row.start)));
    EXPECT_EQ(present::uncertaintyKey(editor.series().runs[1], {}), keyBefore);
    EXPECT_EQ(resultsOf(editor.results()[1]), resultsOf(series::computeRun(row.start)));
    ASSERT_TRUE(editor.redo());
    EXPECT_TRUE(series::identical(editor.series(), seriesOf(row.expected)));
    EXPECT_EQ(resultsOf(editor.results()[1]), resultsOf(series::computeRun(row.expected)));
}

INSTANTIATE_TEST_SUITE_P(
    Edits, InputEditing,
    testing::Values(
        EditRow{"y1", runA, F::y1, number(0.03), made, run({0.03, 0.01, 1, 1}, 2.0)},
        EditRow{"x1NegativeGivesAFinding", runA, F::x1, number(-0.001), made, run({0.02, -0.001, 1, 1}, 2.0),
                {series::Finding::negativeFraction, series::Finding::noAbsorption}},
        EditRow{"x1CorrectedClearsTheFinding", runB, F::x1, number(0.001), made, run({0.02, 0.001, 2, 1}, 1.5)},
        EditRow{"gasFlow", runA, F::gasFlow, number(2), made, run({0.02, 0.01, 2, 1}, 2.0)},
        EditRow{"waterFlowWithoutHeight", runC, F::waterFlow, number(2), made, run({0.02, 0.01, 1, 2}, std::nullopt)},
        EditRow{"heightGivesTheCoefficient", runC, F::packingHeight, number(1.5), made, run({0.02, 0.01, 1, 1}, 1.5)},
        EditRow{"heightChanged", runA, F::packingHeight, number(3), made, run({0.02, 0.01, 1, 1}, 3.0)},
        EditRow{"heightEmptiedTakesTheCoefficient", runA, F::packingHeight, emptied, made, runC},
        EditRow{"sameValueIsNoEdit", runA, F::y1, number(0.02), made, runA, {}, false},
        EditRow{"y2OutOfRangeRefused", runA, F::waterFlow, number(5), invalidData, runA},
        EditRow{"overflowRefused", runA, F::gasFlow, number(1e160), fault(absorber::Outcome::overflow), runA},
        EditRow{"divisionByZeroRefused", divides, F::waterFlow, number(5), fault(absorber::Outcome::divisionByZero),
                divides, {series::Finding::aboveEquilibrium}},
        EditRow{"heightZeroRefused", runA, F::packingHeight, number(0), invalidData, runA},
        EditRow{"wordsRefused", runA, F::x1, words, conversionError(F::x1, Kind::notANumber), runA},
        EditRow{"tooLargeRefused", runA, F::waterFlow, huge, conversionError(F::waterFlow, Kind::tooLarge), runA},
        EditRow{"emptiedInputRefused", runA, F::y1, emptied, conversionError(F::y1, Kind::notANumber), runA},
        EditRow{"heightWordsRefused", runC, F::packingHeight, words,
                conversionError(F::packingHeight, Kind::notANumber), runC}),
    [](const testing::TestParamInfo<EditRow>& row) { return std::string(row.param.name); });

}  // namespace
