#include "present/editing.h"

#include <gtest/gtest.h>

#include <string>

namespace {

series::Run typedRun(double gasFlow, double waterFlow)
{
    series::Run run;
    run.inputs = {0.02, 0.01, gasFlow, waterFlow};
    run.packingHeight = 2.0;
    return run;
}

series::Run readRun()
{
    series::Run run = typedRun(0.0, 0.01);
    run.readings = series::Readings{};
    run.readings->air = series::MeterReading{60.0, series::MeterUnit::litresPerMinute, 0.0, 101.325, {}};
    return run;
}

struct UnitChange {
    const char* name;
    series::Run run;
    const char* from;
    const char* to;
    bool changes;
    double gasFlow;  // after the change
};

class FlowUnitChange : public testing::TestWithParam<UnitChange> {};

TEST_P(FlowUnitChange, ConvertsTheFlowsAsOneStep)
{
    const UnitChange& c = GetParam();
    series::Series s;
    s.flowUnit = c.from;
    s.runs = {c.run};
    if (s.runs[0].readings) {
        const auto given = series::inputsFromReadings(*s.runs[0].readings, c.from);
        series::replaceInputs(s.runs[0].inputs, std::get<series::InputsFromReadings>(given));
    }
    present::SeriesEditor editor;
    editor.replace(s, *series::computeRuns(s.runs, 1), present::Origin::opened);
    const series::Run before = editor.series().runs[0];
    ASSERT_TRUE(editor.results()[0].mtc.has_value());
    const double mtcBefore = *editor.results()[0].mtc;

    ASSERT_EQ(editor.setField(present::SeriesField::flowUnit, c.to), c.changes);
    EXPECT_NEAR(editor.series().runs[0].inputs.gasFlow, c.gasFlow, 1e-7 * c.gasFlow);
    // The coefficient is in the flow's unit per m³ and follows it.
    ASSERT_TRUE(editor.results()[0].mtc.has_value());
    EXPECT_NEAR(*editor.results()[0].mtc / mtcBefore, editor.series().runs[0].inputs.gasFlow / before.inputs.gasFlow,
                1e-12);
    if (!c.changes)
        return;
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(editor.series().flowUnit, c.from);
    EXPECT_TRUE(series::identical(editor.series(), s));
}

// 1 mol/s is 3600 mol/h, 3.6 kmol/h, 60 mol/min and 1000 mmol/s; 60 L/min
// of an ideal gas at 0 °C and 101.325 kPa is 1/22.413969 mol/s.
INSTANTIATE_TEST_SUITE_P(Units, FlowUnitChange, testing::Values(
    UnitChange{"mol_s_to_mol_h", typedRun(1.0, 1.0), "mol/s", "mol/h", true, 3600.0},
    UnitChange{"mol_h_to_kmol_h", typedRun(3600.0, 3600.0), "mol/h", "kmol/h", true, 3.6},
    UnitChange{"mol_min_to_mmol_s", typedRun(60.0, 60.0), "mol/min", "mmol/s", true, 1000.0},
    UnitChange{"a_label_only_names_them", typedRun(2.0, 1.0), "mol/s", "Nm3/h", true, 2.0},
    UnitChange{"from_a_label_too", typedRun(2.0, 1.0), "lb/h", "mol/s", true, 2.0},
    UnitChange{"readings_given_again", readRun(), "mol/s", "mol/h", true, 3600.0 / 22.413969},
    UnitChange{"readings_refuse_a_label", readRun(), "mol/s", "Nm3/h", false, 1.0 / 22.413969}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
