#pragma once

// The runs table as the window and the page show it: its columns, their
// titles with the series' units, and the text and tip of each number cell.

#include "present/language.h"
#include "present/numbers.h"
#include "series/series.h"

#include <optional>
#include <string>

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
};
inline constexpr int runsColumnCount = int(RunsColumn::interval) + 1;

// A column's title on one line; the flows and the coefficient name the
// series' flow unit unless it is empty.
std::string runsColumnTitle(RunsColumn column, const std::string& flowUnit, const Language& language);

// The value of one of the columns from y1 to the coefficient; none where
// the run has no such value, and for the other columns.
std::optional<double> runsColumnValue(const series::Run& run, const series::RunResult& result, RunsColumn column);

struct RunsCell {
    std::string text;
    std::string tip;
    bool operator==(const RunsCell&) const = default;
};

// A cell of the columns from y1 to the coefficient: the value to 4
// decimals, in full as its tip. A run that did not complete says why where
// its NTU would be, a coefficient that did not complete why in its tip.
RunsCell runsNumberCell(const series::Run& run, const series::RunResult& result, RunsColumn column,
                        const NumberLocale& locale, const Language& language);

}  // namespace present
