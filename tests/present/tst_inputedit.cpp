#include "present/editing.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using present::InputField;
using present::Message;
using present::ParsedNumber;
using Kind = ParsedNumber::Kind;

series::Run exampleRun(absorber::RunInputs inputs, std::optional<double> height)
{
    return {inputs, height, {}, false, false, {}, {}};
}
// Example A with and without a height, and a run with a negative x1.
const series::Run runA = exampleRun({0.02, 0.01, 1, 1}, 2.0);
const series::Run runC = exampleRun({0.02, 0.01, 1, 1}, std::nullopt);
const series::Run runB = exampleRun({0.02, -0.001, 2, 1}, 1.5);

std::optional<ParsedNumber> number(double value)
{
    return ParsedNumber{Kind::number, value};
}
const std::optional<ParsedNumber> emptied;
const std::optional<ParsedNumber> words = ParsedNumber{Kind::notANumber, 0.0};
const std::optional<ParsedNumber> huge = ParsedNumber{Kind::tooLarge, 0.0};

Message conversionError(InputField field, Kind kind)
{
    return {Message::Kind::conversionError, field, kind};
}
const Message invalidData{Message::Kind::invalidData};
Message fault(absorber::Outcome outcome)
{
    return {.kind = Message::Kind::fault, .fault = outcome};
}

struct EditRow {
    const char* name;
    series::Run start;
    InputField field;
    std::optional<ParsedNumber> value;
    Message message;       // none: the edit is made
    series::Run expected;  // the run after the edit, or the start when refused
    std::vector<series::Finding> findings;
    bool changes = true;  // false: the value is the run's already
};

class InputEditing : public testing::TestWithParam<EditRow> {};

// The edited run's results are what opening a file holding it would compute.
void expectResultsOf(const series::Run& run, const series::RunResult& result)
{
    const series::RunResult computed = series::computeRun(run);
    EXPECT_EQ(result.outcome, computed.outcome);
    EXPECT_EQ(result.ntu, computed.ntu);
    EXPECT_EQ(result.ntuColburn, computed.ntuColburn);
    EXPECT_EQ(result.coefficientOutcome, computed.coefficientOutcome);
    EXPECT_EQ(result.mtc, computed.mtc);
}

TEST_P(InputEditing, ComputesTheRunAgainOrRefusesWithTheMainWindowsBox)
{
    const EditRow& row = GetParam();
    present::SeriesEditor editor;
    series::Series given;
    given.runs = {runA, row.start};
    editor.replace(given, {series::computeRun(runA), series::computeRun(row.start)}, present::Origin::opened);
    const std::string keyBefore = present::uncertaintyKey(row.start, {});
    const bool made = row.message.kind == Message::Kind::none && row.changes;

    const present::InputEdit edit = editor.setInput(1, row.field, row.value);
    EXPECT_EQ(edit.message, row.message);
    EXPECT_EQ(edit.changed, made);
    EXPECT_EQ(editor.canUndo(), made);
    const series::Run& now = editor.series().runs[1];
    EXPECT_EQ(now.inputs.y1, row.expected.inputs.y1);
    EXPECT_EQ(now.inputs.x1, row.expected.inputs.x1);
    EXPECT_EQ(now.inputs.gasFlow, row.expected.inputs.gasFlow);
    EXPECT_EQ(now.inputs.waterFlow, row.expected.inputs.waterFlow);
    EXPECT_EQ(now.packingHeight, row.expected.packingHeight);
    expectResultsOf(row.expected, editor.results()[1]);
    EXPECT_EQ(editor.findings(1), row.findings);
    EXPECT_EQ(present::uncertaintyKey(now, {}) != keyBefore, made);
    // New inputs are another run; a new height is the same run's.
    EXPECT_EQ(editor.ids()[1] != 2, made && row.field != InputField::packingHeight);
    EXPECT_EQ(editor.ids()[0], 1);

    if (!made)
        return;
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(editor.ids(), (std::vector<int>{1, 2}));
    EXPECT_EQ(present::uncertaintyKey(editor.series().runs[1], {}), keyBefore);
    expectResultsOf(row.start, editor.results()[1]);
    ASSERT_TRUE(editor.redo());
    EXPECT_EQ(editor.series().runs[1].packingHeight, row.expected.packingHeight);
    expectResultsOf(row.expected, editor.results()[1]);
}

INSTANTIATE_TEST_SUITE_P(
    Edits, InputEditing,
    testing::Values(
        EditRow{"y1", runA, InputField::y1, number(0.03), {}, exampleRun({0.03, 0.01, 1, 1}, 2.0), {}},
        EditRow{"x1NegativeGivesAFinding", runA, InputField::x1, number(-0.001), {},
                exampleRun({0.02, -0.001, 1, 1}, 2.0), {series::Finding::negativeFraction, series::Finding::noAbsorption}},
        EditRow{"x1CorrectedClearsTheFinding", runB, InputField::x1, number(0.001), {},
                exampleRun({0.02, 0.001, 2, 1}, 1.5), {}},
        EditRow{"gasFlow", runA, InputField::gasFlow, number(2), {}, exampleRun({0.02, 0.01, 2, 1}, 2.0), {}},
        EditRow{"waterFlowWithoutHeight", runC, InputField::waterFlow, number(2), {},
                exampleRun({0.02, 0.01, 1, 2}, std::nullopt), {}},
        EditRow{"heightGivesTheCoefficient", runC, InputField::packingHeight, number(1.5), {},
                exampleRun({0.02, 0.01, 1, 1}, 1.5), {}},
        EditRow{"heightChanged", runA, InputField::packingHeight, number(3), {}, exampleRun({0.02, 0.01, 1, 1}, 3.0), {}},
        EditRow{"heightEmptiedTakesTheCoefficient", runA, InputField::packingHeight, emptied, {}, runC, {}},
        EditRow{"sameValueIsNoEdit", runA, InputField::y1, number(0.02), {}, runA, {}, false},
        EditRow{"y2OutOfRangeRefused", runA, InputField::waterFlow, number(5), invalidData, runA, {}},
        EditRow{"overflowRefused", runA, InputField::gasFlow, number(1e160), fault(absorber::Outcome::overflow), runA, {}},
        EditRow{"divisionByZeroRefused", exampleRun({0.2, 0.5, 4, 1}, std::nullopt), InputField::waterFlow, number(5),
                fault(absorber::Outcome::divisionByZero), exampleRun({0.2, 0.5, 4, 1}, std::nullopt),
                {series::Finding::aboveEquilibrium}},
        EditRow{"heightZeroRefused", runA, InputField::packingHeight, number(0), invalidData, runA, {}},
        EditRow{"wordsRefused", runA, InputField::x1, words, conversionError(InputField::x1, Kind::notANumber), runA, {}},
        EditRow{"tooLargeRefused", runA, InputField::waterFlow, huge,
                conversionError(InputField::waterFlow, Kind::tooLarge), runA, {}},
        EditRow{"emptiedInputRefused", runA, InputField::y1, emptied, conversionError(InputField::y1, Kind::notANumber),
                runA, {}},
        EditRow{"heightWordsRefused", runC, InputField::packingHeight, words,
                conversionError(InputField::packingHeight, Kind::notANumber), runC, {}}),
    [](const testing::TestParamInfo<EditRow>& row) { return std::string(row.param.name); });

}  // namespace
