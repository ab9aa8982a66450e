#include "core/absorber.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using absorber::Coherence;
using absorber::Reached;

// After a click of Calculate, which stored values still belong to one run:
// the graph draws only fractions of one click, and Find MTC uses only the
// ntu and gas flow of one completed run.
struct Click {
    const char* name;
    Coherence before;
    Reached reached;
    bool fractions;
    bool ntuAndGasFlow;
};

class AfterCalculate : public testing::TestWithParam<Click> {};

TEST_P(AfterCalculate, KeepsOnlyValuesOfOneClick)
{
    const Click& c = GetParam();
    const Coherence after = absorber::afterCalculate(c.before, c.reached);
    EXPECT_EQ(after.fractions, c.fractions);
    EXPECT_EQ(after.ntuAndGasFlow, c.ntuAndGasFlow);
}

constexpr Coherence completedBefore{true, true};
constexpr Coherence mixedBefore{false, false};

INSTANTIATE_TEST_SUITE_P(Clicks, AfterCalculate, testing::Values(
    Click{"at_start_nothing_mixed", Coherence{}, Reached::nothing, true, false},
    Click{"completed_then_completed", completedBefore, Reached::run, true, true},
    Click{"mixed_then_completed", mixedBefore, Reached::run, true, true},
    // The first field did not convert: nothing new was stored.
    Click{"completed_then_first_field_refused", completedBefore, Reached::nothing, true, false},
    Click{"mixed_then_first_field_refused", mixedBefore, Reached::nothing, false, false},
    // A later field, the input test or a fault before y2: new inputs, old y2.
    Click{"completed_then_inputs_only", completedBefore, Reached::inputs, false, false},
    Click{"mixed_then_inputs_only", mixedBefore, Reached::inputs, false, false},
    // The outlet test or a fault in the integration: x1, y1 and y2 of one click.
    Click{"completed_then_outlet_refused", completedBefore, Reached::fractions, true, false},
    Click{"mixed_then_outlet_refused", mixedBefore, Reached::fractions, true, false}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
