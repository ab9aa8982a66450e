#include "present/editing.h"
#include "present/methodtext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

namespace {

using present::SeriesEditor;
using series::Equilibrium;

series::Run runAt(std::optional<double> temperature)
{
    series::Run run{{0.02, 0.005, 1, 1}, 2.0, {}, false, false, {}, {}};
    run.temperature = temperature;
    return run;
}

std::string fileOf(const SeriesEditor& editor)
{
    return series::writeSeriesFile(editor.series(), editor.results());
}

// An editor holding runs at 20 degC, at 45 degC and without a temperature.
SeriesEditor threeRuns()
{
    SeriesEditor editor;
    series::Series lab;
    lab.runs = {runAt(20.0), runAt(45.0), runAt(std::nullopt)};
    editor.replace(lab, *series::computeRuns(lab.runs, 1), present::Origin::opened);
    return editor;
}

// Each way back to the table's equilibrium gives today's file, byte for
// byte: the option switched off, or undone.
struct WayBack {
    const char* name;
    std::function<void(SeriesEditor&)> back;
};

class EquilibriumSwitch : public testing::TestWithParam<WayBack> {};

TEST_P(EquilibriumSwitch, OnAndBackIsTheOldSeries)
{
    SeriesEditor editor = threeRuns();
    const std::string before = fileOf(editor);
    ASSERT_TRUE(editor.setEquilibrium(Equilibrium::runTemperature));
    EXPECT_NE(editor.results()[0].ntu, series::computeRun(runAt(20.0)).ntu);
    EXPECT_EQ(series::findingCodes(editor.findings(2)), "temperature_missing");
    GetParam().back(editor);
    EXPECT_EQ(fileOf(editor), before);
}

INSTANTIATE_TEST_SUITE_P(Editor, EquilibriumSwitch, testing::Values(
    WayBack{"switched_off", [](SeriesEditor& editor) { editor.setEquilibrium(Equilibrium::table); }},
    WayBack{"undone", [](SeriesEditor& editor) { editor.undo(); }}),
    [](const auto& row) { return std::string(row.param.name); });

// A temperature typed for a run: computed again only under the option, and
// refused where it cannot be a temperature.
struct TemperatureEdit {
    const char* name;
    Equilibrium equilibrium;
    std::optional<double> celsius;
    bool changes;
    bool recomputed;
};

class TemperatureEdits : public testing::TestWithParam<TemperatureEdit> {};

TEST_P(TemperatureEdits, FollowTheOption)
{
    const TemperatureEdit& c = GetParam();
    SeriesEditor editor = threeRuns();
    editor.setEquilibrium(c.equilibrium);
    const std::optional<double> ntuBefore = editor.results()[0].ntu;
    EXPECT_EQ(editor.setTemperature(0, c.celsius), c.changes);
    EXPECT_EQ(editor.results()[0].ntu != ntuBefore, c.recomputed);
    if (c.recomputed) {
        EXPECT_EQ(editor.results()[0].ntu, series::computeRun(editor.series().runs[0], c.equilibrium).ntu);
    }
}

INSTANTIATE_TEST_SUITE_P(Editor, TemperatureEdits, testing::Values(
    TemperatureEdit{"under_option", Equilibrium::runTemperature, 25.0, true, true},
    TemperatureEdit{"cleared_under_option", Equilibrium::runTemperature, std::nullopt, true, true},
    TemperatureEdit{"under_table", Equilibrium::table, 25.0, true, false},
    TemperatureEdit{"same_again", Equilibrium::runTemperature, 20.0, false, false},
    TemperatureEdit{"absolute_zero", Equilibrium::runTemperature, -273.15, false, false},
    TemperatureEdit{"not_a_number", Equilibrium::runTemperature, std::nan(""), false, false}),
    [](const auto& row) { return std::string(row.param.name); });

// Find MTC after Calculate fills in what stands beside the coefficient.
TEST(BesideTheCoefficient, FollowsFindMtc)
{
    SeriesEditor editor;
    series::Run run = runAt(std::nullopt);
    run.packingHeight.reset();
    const int id = editor.addRun(run, series::computeRun(run), 0).id;
    run.packingHeight = 2.0;
    const series::RunResult expected = series::computeRun(run);
    ASSERT_TRUE(editor.setMtc(id, 2.0, *expected.mtc));
    EXPECT_EQ(editor.results()[0].hog, expected.hog);
    EXPECT_EQ(editor.results()[0].mtcColburn, expected.mtcColburn);
    EXPECT_EQ(editor.results()[0].hogColburn, expected.hogColburn);
}

}  // namespace

namespace {

// Help names the scaling with its constant, its source and the issue's
// check values, in both editions.
class HelpOnTemperature : public testing::TestWithParam<present::HelpEdition> {};

TEST_P(HelpOnTemperature, NamesTheScalingAndItsSource)
{
    const std::string html = present::methodText(present::Language(), present::NumberLocale(), {}, GetParam());
    for (const char* words : {"exp(4200 K · (1/303.15 K − 1/T))", "Sander", "0.6234 at 20 °C and 1.5565 at 40 °C",
                              "HOG = z / NTU", "Colburn, Trans. AIChE 35, 211, 1939"})
        EXPECT_NE(html.find(words), std::string::npos) << words;
}

INSTANTIATE_TEST_SUITE_P(Editions, HelpOnTemperature,
                         testing::Values(present::HelpEdition::window, present::HelpEdition::page),
                         [](const auto& row) { return std::string(row.param == present::HelpEdition::window ? "window" : "page");
                         });

}  // namespace
