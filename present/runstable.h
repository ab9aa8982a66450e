#pragma once

// The runs table as the window and the page show it: its columns, their
// titles with the series' units, and the text and tip of each number cell.

#include "present/columnsteps.h"
#include "present/language.h"
#include "present/numbers.h"
#include "present/words.h"
#include "series/analysis.h"
#include "series/series.h"
#include "series/uncertainty.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace present {

// The columns in the order shown.
enum class RunsColumn {
    run,
    label,
    excluded,
    y1,
    x1,
    gasFlow,
    waterFlow,
    eqX,
    eqY,
    y2,
    ntu,
    ntuColburn,
    packingHeight,
    mtc,
    uncertainty,
    interval,
    // The column's temperature, and beside the coefficient.
    temperature,
    hog,
    mtcColburn,
    hogColburn,
};
inline constexpr int runsColumnCount = int(RunsColumn::hogColburn) + 1;

// A column's title on one line; the flows and the coefficient name the
// series' flow unit unless it is empty.
std::string runsColumnTitle(RunsColumn column, const std::string& flowUnit, const Language& language);

// The value of one of the columns from y1 to the coefficient, or from the
// temperature on; none where the run has no such value, and for the others.
std::optional<double> runsColumnValue(const series::Run& run, const series::RunResult& result, RunsColumn column);

struct RunsCell {
    std::string text;
    std::string tip;
    bool operator==(const RunsCell&) const = default;
};

// A cell of the columns from y1 to the coefficient: an input as typed, or
// as readInputText shows it when the run's readings give it, a result to 4
// decimals, each in full as its tip. A run that did not complete says why where
// its NTU would be, a coefficient that did not complete why in its tip.
RunsCell runsNumberCell(const series::Run& run, const series::RunResult& result, RunsColumn column,
                        const NumberLocale& locale, const Language& language);

// The run number's tip, a line each: why a run did not complete, then its
// findings; none for a completed run without findings.
std::vector<std::string> runsRunTip(const series::Run& run, const series::RunResult& result, const Language& language);

// The Excluded mark's tip on a run left out of the analysis for its
// findings, until the user takes it in or excludes it; empty otherwise.
std::string runsExcludedTip(const series::Run& run, const series::RunResult& result, const Language& language);

// Where a run's Monte Carlo result stands in the front end's cache.
enum class UncertaintyStatus {
    pending,    // being computed or waiting its turn
    cancelled,  // stopped by the user before it finished; computed when asked again
    known,      // computed: a result, or the reason there is none
};

// The coefficient ± U or the 95 % interval cell: U to two significant
// digits, the coefficient and the interval's ends to its last place; "…"
// while pending, "not computed" once cancelled. Where there is no U (no
// coefficient, no uncertainties, none could be drawn) the U cell says why
// and the interval's shows "–", the reason in both tips. `draws` is the
// number of draws as the front end writes counts, for the tip.
RunsCell runsUncertaintyCell(RunsColumn column, const series::Run& run, const series::RunResult& result,
                             const series::Uncertainties& defaults, UncertaintyStatus status,
                             const std::variant<series::MonteCarlo, series::NotGiven>& monteCarlo,
                             const std::string& draws, const NumberLocale& locale, const Language& language);

// Why a run has no U once its Monte Carlo result is known, short enough for
// a cell or a footnote: no coefficient, no uncertainties given, or why none
// could be drawn; none when it has one.
std::optional<std::string> missingUncertaintyReason(
    const series::Run& run, const series::RunResult& result, const series::Uncertainties& defaults,
    const std::variant<series::MonteCarlo, series::NotGiven>& monteCarlo, const Language& language,
    const NumberLocale& locale = {});

// "no U: reason", short enough for a cell.
std::string missingUncertaintyText(const std::string& reason, const Language& language);

// The U cell of a run none of whose inputs has an uncertainty.
std::string noUncertaintiesGivenText(const Language& language);

// The run's input a cell of the column corrects in place (SeriesEditor::
// setInput): y1, x1, both flows and the packing height; none for the
// columns the core computes and the others.
std::optional<InputField> runsColumnInput(RunsColumn column);

// The series' equilibrium option and the analysis' choice of coefficient
// as the controls and the reports name them.
std::string equilibriumText(series::Equilibrium equilibrium, const Language& language);
std::string fittedText(series::Fitted fitted, const Language& language);

// The box for a column temperature the Runs window cannot take; none for a
// number it can (or an emptied cell, which clears it).
std::optional<MessageBox> temperatureRefusal(const Language& language, std::string_view typed,
                                             const std::optional<double>& value);

}  // namespace present
