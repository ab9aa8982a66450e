#pragma once

// What quillon-cli compute writes: the runs of its inputs with their
// results, as the desktop's CSV export or as JSON.

#include "cli/inputs.h"
#include "series/uncertainty.h"

#include <QString>

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace cli {

// An input with computeRuns and uncertaintiesOf of its series.
struct Computed {
    const Input* input;
    std::vector<series::RunResult> results;
    std::vector<series::RunUncertainty> uncertainties;
};

// Every run of the input and its uncertainty, on `jobs` threads.
Computed computedOf(const Input& input, unsigned jobs);

// One input without `fileColumn`: series::exportCsv's bytes, as the
// window's Export Runs as CSV writes them. Otherwise one table whose first
// column, `file`, names each row's input, followed by the export's columns
// and rows. Either with a last column, u_mtc_reason: why a run has no
// u_mtc, in words.
std::string csvOf(std::span<const Computed> computed, bool fileColumn);

// {"format": "quillon-results", "version": 1, "files": [{"file", "runs"}]},
// each run an object keyed by the export's column names; numbers exact
// (series::exactText), absent values null, findings an array of codes,
// and u_mtc_reason as in the CSV (null with a u_mtc).
std::string jsonOf(std::span<const Computed> computed);

// Writes the bytes to standard output when `path` is empty or "-", else to
// the file whole or not at all. Gives why it could not, for the user.
std::optional<std::string> writeOutput(const QString& path, const std::string& bytes);

}  // namespace cli
