#pragma once

// Runs as comma-separated text: the rows a spreadsheet opens, and rows
// typed in one.

#include "series/series.h"
#include "series/uncertainty.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace series {

// A result a row reports, for a grader to check: the cell as typed
// (trimmed), and its number by the file's decimal separator, if it is one.
struct ReportedCell {
    std::string text;
    std::optional<double> value;
};

// The results a row reports in columns named y2, NTU, MTC, u_mtc (the
// standard uncertainty, as Export names it) and U (the expanded one, k = 2,
// as the window shows MTC ± U). Empty cells are absent. Opening ignores
// them and recomputes.
struct ReportedResults {
    std::optional<ReportedCell> y2, ntu, mtc, uMtc, expandedU;
    // The U after an MTC typed as the window shows it, "MTC ± U" (or "+-"):
    // mtc then holds the value before it.
    std::optional<ReportedCell> mtcU;
    // The file's decimal separator, which its cells were read by: a grader
    // compares the computed value written the same way.
    char decimal = '.';
};

struct ImportedSeries {
    Series series;                          // its runs; the rest as a new series has it
    std::vector<Notice> notices;            // rows skipped and columns ignored, with why
    std::vector<ReportedResults> reported;  // one per run
};

using ImportResult = std::variant<ImportedSeries, ReadError>;

// The runs of a CSV file, from Export or from a spreadsheet: ',', ';' or tab
// as the delimiter, RFC 4180 quoting, CRLF, LF or a lone CR, UTF-8 with or
// without a BOM, or else Windows-1252 with a notice saying so. The header is the first line naming the columns (y1, x1,
// gas flow and water flow are required; packing height, label and the
// column temperature are read;
// result columns are ignored, as the results are recomputed); lines before
// it are skipped with a notice. Every number is read with one decimal
// separator for the whole file: the one its numbers show, or else '.' after
// ',' and ',' after ';'. A number that would need a guess ("1,500" among
// decimal points, a group separator) refuses the file at its cell. A row that is not a run is skipped
// with a notice saying why; a file with no run at all, or past one of the
// limits in series.h, is an error.
ImportResult importCsv(std::string_view bytes);

// Every run in order as UTF-8 with CRLF line ends, under the header
// run,label,y1,x1,gas_flow,water_flow,packing_height,excluded,outcome,eq_x,eq_y,y2,ntu,mtc,
// u_mtc,mtc_95_low,mtc_95_high,ntu_colburn,findings,temperature,hog,mtc_colburn,hog_colburn
// with numbers in full and '.' as the decimal point; a run without a row in
// `results` has empty result cells, and one without a Monte Carlo result in
// `uncertainties` empty uncertainty cells. importCsv reads back the same
// inputs, labels, heights and temperatures, bit for bit.
std::string exportCsv(const Series& series, std::span<const RunResult> results,
                      std::span<const RunUncertainty> uncertainties = {});

// One file's runs in a table of several.
struct FileRuns {
    std::string_view file;  // as the user named it
    const Series* series;
    std::span<const RunResult> results;
    std::span<const RunUncertainty> uncertainties;
};

// Several files' runs as one table: exportCsv's header after a first column,
// file, then every file's rows in order, each starting with its file's name.
std::string exportCsv(std::span<const FileRuns> files);

}  // namespace series
