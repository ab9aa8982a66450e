#include "present/columnsteps.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

using present::InputField;
using present::Message;
using Kind = Message::Kind;
using Number = present::ParsedNumber::Kind;
using Change = present::ResultChange::Kind;

// One click: Calculate with the texts of y1, x1, gas flow and water flow,
// or Find MTC with the height's text.
struct Click {
    bool calculate;
    std::array<const char*, 4> fields{};
    const char* height = "";
    bool runInSeries = true;
};

Click calculate(const char* y1, const char* x1, const char* gasFlow, const char* waterFlow)
{
    return {true, {y1, x1, gasFlow, waterFlow}};
}

Click findMtc(const char* height, bool runInSeries = true)
{
    return {false, {}, height, runInSeries};
}

const Click exampleA = calculate("0.02", "0.01", "1", "1");

struct SequenceCase {
    const char* name;
    std::vector<Click> clicks;
    bool german;
    // After the last click: its box, the inputs kept (y1, x1, gas flow,
    // water flow) and which values belong together.
    Message message;
    std::array<double, 4> kept;
    absorber::Coherence coherence;
    // The NTU and coefficient fields after the last click: null for
    // unchanged, empty for cleared, else the text shown.
    const char* ntu;
    const char* mtc;
};

class ColumnSteps : public testing::TestWithParam<SequenceCase> {};

present::ColumnStep play(const std::vector<Click>& clicks, const present::NumberLocale& locale)
{
    present::ColumnStep step;
    for (const Click& click : clicks) {
        const auto read = [&locale](const char* text) { return present::parseNumber(text, locale); };
        step = click.calculate ? present::calculateColumn(
                   step.kept,
                   {read(click.fields[0]), read(click.fields[1]), read(click.fields[2]), read(click.fields[3])}, locale)
                               : present::findMtc(step.kept, read(click.height), click.runInSeries, locale);
    }
    return step;
}

std::string shownText(const present::ResultChange& change)
{
    return change.kind == Change::unchanged ? "unchanged" : change.kind == Change::cleared ? "" : change.text;
}

TEST_P(ColumnSteps, LastClickKeepsSaysAndShows)
{
    const SequenceCase& c = GetParam();
    const present::NumberLocale german{","};
    const present::ColumnStep step = play(c.clicks, c.german ? german : present::NumberLocale{});
    EXPECT_EQ(step.message, c.message);
    EXPECT_EQ(step.kept.y1, c.kept[0]);
    EXPECT_EQ(step.kept.x1, c.kept[1]);
    EXPECT_EQ(step.kept.gasFlow, c.kept[2]);
    EXPECT_EQ(step.kept.waterFlow, c.kept[3]);
    EXPECT_EQ(step.kept.coherence.fractions, c.coherence.fractions);
    EXPECT_EQ(step.kept.coherence.ntuAndGasFlow, c.coherence.ntuAndGasFlow);
    EXPECT_EQ(shownText(step.results.ntu), c.ntu ? c.ntu : "unchanged");
    EXPECT_EQ(shownText(step.results.mtc), c.mtc ? c.mtc : "unchanged");
    // A run for the series exactly when Calculate completed, a coefficient
    // exactly when Find MTC did.
    const bool completed = c.message.kind == Kind::none;
    EXPECT_EQ(step.run.has_value(), completed && c.clicks.back().calculate);
    EXPECT_EQ(step.coefficient.has_value(), completed && !c.clicks.back().calculate);
}

Message conversionError(InputField field, Number number)
{
    return {Kind::conversionError, field, number};
}

Message fault(absorber::Outcome outcome)
{
    return {.kind = Kind::fault, .fault = outcome};
}

const Message none;
const Message invalidData{Kind::invalidData};
const absorber::Coherence atFirst{true, false};
const absorber::Coherence wholeRun{true, true};
const absorber::Coherence inputsOnly{false, false};
const absorber::Coherence fractionsOnly{true, false};
const std::array<double, 4> nines{9, 9, 9, 9};

INSTANTIATE_TEST_SUITE_P(
    Clicks, ColumnSteps,
    testing::Values(
        SequenceCase{"exampleACompletes", {exampleA}, false, none, {0.02, 0.01, 1, 1}, wholeRun, "0.6355", ""},
        SequenceCase{"exampleAInGerman",
                     {calculate("0,02", "0,01", "1", "1"), findMtc("2")},
                     true,
                     none,
                     {0.02, 0.01, 1, 1},
                     wholeRun,
                     nullptr,
                     "40,4556"},
        SequenceCase{"exampleAThenFindMtc", {exampleA, findMtc("2")}, false, none, {0.02, 0.01, 1, 1}, wholeRun,
                     nullptr, "40.4556"},
        SequenceCase{"exampleBThenFindMtc", {calculate("0.045", "0.02", "2", "3"), findMtc("1.5")}, false, none,
                     {0.045, 0.02, 2, 3}, wholeRun, nullptr, "173.8538"},
        // 9 everywhere is read whole and refused (y1 past 0.3); the next
        // click overwrites the values in order up to the one that fails.
        SequenceCase{"firstFieldFailsKeepsNothing", {calculate("9", "9", "9", "9"), calculate("x", "0.3", "4", "5")},
                     false, conversionError(InputField::y1, Number::notANumber), nines, inputsOnly, nullptr, nullptr},
        SequenceCase{"gasFlowFailsKeepsTheTwoBefore",
                     {calculate("9", "9", "9", "9"), calculate("0", "0.3", "x", "5")},
                     false,
                     conversionError(InputField::gasFlow, Number::notANumber),
                     {0, 0.3, 9, 9},
                     inputsOnly,
                     nullptr,
                     nullptr},
        SequenceCase{"waterFlowTooLargeKeepsTheThreeBefore",
                     {calculate("9", "9", "9", "9"), calculate("0", "0.3", "4", "1e999")},
                     false,
                     conversionError(InputField::waterFlow, Number::tooLarge),
                     {0, 0.3, 4, 9},
                     inputsOnly,
                     nullptr,
                     nullptr},
        SequenceCase{"emptyFirstFieldLeavesTheFractionsTogether", {calculate("", "0.01", "1", "1")}, false,
                     conversionError(InputField::y1, Number::notANumber), {0, 0, 0, 0}, atFirst, nullptr, nullptr},
        SequenceCase{"findMtcBeforeAnyCalculate", {findMtc("2")}, false, invalidData, {0, 0, 0, 0}, atFirst, nullptr,
                     nullptr},
        SequenceCase{"findMtcAfterRefusedInputs",
                     {exampleA, calculate("0.05", "0.02", "0.02", "1"), findMtc("2")},
                     false,
                     invalidData,
                     {0.05, 0.02, 0.02, 1},
                     fractionsOnly,
                     nullptr,
                     nullptr},
        SequenceCase{"findMtcAfterFirstFieldFailed",
                     {exampleA, calculate("x", "0.01", "1", "1"), findMtc("2")},
                     false,
                     invalidData,
                     {0.02, 0.01, 1, 1},
                     atFirst,
                     nullptr,
                     nullptr},
        SequenceCase{"findMtcOnARunNoLongerInTheSeries", {exampleA, findMtc("2", false)}, false, invalidData,
                     {0.02, 0.01, 1, 1}, wholeRun, nullptr, nullptr},
        SequenceCase{"findMtcHeightNotANumber", {exampleA, findMtc("")}, false,
                     conversionError(InputField::packingHeight, Number::notANumber), {0.02, 0.01, 1, 1}, wholeRun,
                     nullptr, nullptr},
        SequenceCase{"findMtcHeightZero", {exampleA, findMtc("0")}, false, invalidData, {0.02, 0.01, 1, 1}, wholeRun,
                     nullptr, nullptr},
        SequenceCase{"outletTestRefusesY2", {calculate("0.02", "0.01", "1", "5")}, false, invalidData,
                     {0.02, 0.01, 1, 5}, fractionsOnly, nullptr, nullptr},
        SequenceCase{"faultInTheBalance", {calculate("0.2", "0.5", "4", "5")}, false,
                     fault(absorber::Outcome::divisionByZero), {0.2, 0.5, 4, 5}, inputsOnly, nullptr, nullptr},
        SequenceCase{"faultInTheIntegration", {calculate("0.02", "0.01", "1e160", "1")}, false,
                     fault(absorber::Outcome::overflow), {0.02, 0.01, 1e160, 1}, fractionsOnly, nullptr, nullptr}),
    [](const testing::TestParamInfo<SequenceCase>& row) { return std::string(row.param.name); });

// A refused Calculate keeps the NTU of the last completed run, and the gas
// flow it read, but Find MTC no longer combines them.
TEST(ColumnSteps, RefusedCalculateKeepsTheNtuOnScreen)
{
    const present::ColumnStep step = play({exampleA, calculate("0", "0.01", "3", "1")}, {});
    EXPECT_EQ(step.message, invalidData);
    EXPECT_NEAR(step.kept.ntu, 0.63547701805, 0.5e-11);
    EXPECT_EQ(step.kept.gasFlow, 3.0);
    EXPECT_EQ(step.kept.eqX, 0.0208);
    EXPECT_EQ(step.kept.eqY, 0.0254);
}

}  // namespace
