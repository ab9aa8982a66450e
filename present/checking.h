#pragma once

// Whether the results a file gives are the ones Quillon computes: a series
// file's stored results, or the values a report's CSV types in its y2, NTU,
// MTC and uncertainty columns. Compared bit for bit, as the window shows
// them, or within a relative tolerance. quillon-cli check and the class
// summary of the tool and the window use it.

#include "series/csv.h"
#include "series/file.h"
#include "series/uncertainty.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace present {

// How a given value is compared with the computed one. With neither set,
// bit for bit; with both, agreeing either way is enough.
struct CheckRule {
    // Results as a result field shows them (4 decimals, as the window
    // rounds), uncertainties to their two significant digits.
    bool asShown = false;
    // |given - computed| <= tolerance * |computed|.
    std::optional<double> tolerance;
};

// How the window shows a field's value.
enum class Shown {
    result,       // y2, NTU, MTC and the equilibrium point: resultText
    uncertainty,  // u and U: uncertaintyText
};

// Whether a given value reads, as the window shows it, the same as the
// computed value does: their shown texts are equal. A report with fewer
// digits than the window shows ("1.75" for 1.7514) does not agree; one with
// more that rounds to the shown text does.
bool agreesAsShown(double given, double computed, Shown shown);

// One value that differs: the field (outcome, eq_x, eq_y, y2, ntu, mtc,
// u_mtc, U), the file's text, and the computed value's, as the window
// shows it when compared so, else in full. Empty for a value on one side only.
struct ValueDifference {
    std::size_t run;  // 0-based
    std::string field;
    std::string given;
    std::string computed;
};

struct FileCheck {
    std::vector<ValueDifference> differences;    // in run order
    std::vector<std::size_t> runsWithoutValues;  // 0-based; runs the file gives no result for
    std::size_t runsCompared = 0;                // runs with a value to compare
    std::size_t runsDiffering = 0;               // of those, runs with a difference
};

// The comparison of a file's runs: `stored` from a series file (one per
// run) or `reported` from a CSV's result columns (one per run); either may
// be empty. Bit for bit, the stored results alone are compared, as
// series::compareResults does; a CSV's columns only as shown or within a
// tolerance; a blank cell in a column the CSV has differs where a value is
// computed. `uncertainties` are needed only where the file reports u_mtc
// or U.
FileCheck checkResults(std::span<const series::StoredResults> stored, std::span<const series::ReportedResults> reported,
                       std::span<const series::RunResult> results,
                       std::span<const series::RunUncertainty> uncertainties, const CheckRule& rule);

// Whether a CSV's rows report an uncertainty, which check must then compute.
bool reportsUncertainty(std::span<const series::ReportedResults> reported);

}  // namespace present
