#pragma once

// A class's series side by side: a row per file with its runs, its fit and
// its check, then the spread of each exponent over the class and the files
// whose exponent lies far outside it. quillon-cli summary writes it, the
// Series Analysis window shows it.

#include "present/checking.h"
#include "present/language.h"
#include "present/numbers.h"
#include "series/analysis.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace present {

// What check found in a file.
enum class CheckResult {
    agrees,       // every run with a value to compare agrees, and every run has one
    differs,      // a value differs
    nothingGiven  // some run, or the whole file, has no value to compare
};

struct SummaryRow {
    std::string file;  // as the user named it
    std::string title;
    std::string people;
    std::size_t runs = 0;
    std::size_t completed = 0;     // Calculate completed
    std::size_t excluded = 0;      // marked excluded
    std::size_t withFindings = 0;  // with a finding
    std::optional<series::PowerLaw> law;
    std::string noFit;             // why there is no fit, in words; empty with one
    std::string unweightedReason;  // why an unweighted fit could not be weighted, in words
    CheckResult check = CheckResult::nothingGiven;
    // Why the file could not be read, in words: then the row names the file
    // and this alone, so that the class's table still has a row for it.
    std::optional<std::string> unreadable;
};

// A file's row: its series, its results and uncertainties (for the fit's
// weights, as the Series Analysis fits), and what check finds under `rule`;
// the reasons in the language's words.
SummaryRow summaryRowOf(const std::string& file, const series::Series& series,
                        std::span<const series::StoredResults> stored,
                        std::span<const series::ReportedResults> reported, std::span<const series::RunResult> results,
                        std::span<const series::RunUncertainty> uncertainties, const CheckRule& rule,
                        const Language& language = {});

// The row of a file that could not be read, and why.
SummaryRow unreadableRow(const std::string& file, const std::string& why);

// An exponent over the class's files that have it: median, quartiles and
// range. Quartiles interpolate linearly between the sorted values (the
// position p (n - 1), 0-based; R's and NumPy's default).
struct Spread {
    std::size_t files = 0;
    double median = 0.0;
    double lowerQuartile = 0.0;
    double upperQuartile = 0.0;
    double lowest = 0.0;
    double highest = 0.0;
};

// A file whose exponent lies outside the interquartile range by more than
// 1.5 times that range (Tukey's fences).
struct Outlier {
    std::size_t row;
    series::Exponent exponent;
    double value;
};

struct ClassSummary {
    std::vector<SummaryRow> rows;
    std::optional<Spread> gas;      // none unless 4 files or more have the exponent
    std::optional<Spread> water;    // likewise
    std::vector<Outlier> outliers;  // by row, gas before water
};

// The spread needs four files at least, so that quartiles mean something.
inline constexpr std::size_t filesForSpread = 4;

ClassSummary summarise(std::vector<SummaryRow> rows);

// The table's columns: their keys (for CSV and JSON) and the headers a
// window shows.
std::vector<std::string> summaryKeys();
std::vector<std::string> summaryHeaders(const Language& language);

// A row's cells, under summaryKeys: numbers in full in the locale (exactText)
// when `full`, else to 4 significant digits as the fit's text shows them;
// words in the language.
std::vector<std::string> summaryCells(const ClassSummary& summary, std::size_t row, bool full, const Language& language,
                                      const NumberLocale& locale);

// The check's result as a word: "agrees", "differs", "no results".
std::string checkWord(CheckResult result, const Language& language);

// The row's check cell: its checkWord, or "unreadable: why".
std::string checkCell(const SummaryRow& row, const Language& language);

}  // namespace present
