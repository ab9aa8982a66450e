#pragma once

// The series' fit in words, as the analysis window, the series report and
// the page write it under the charts.

#include "present/language.h"
#include "present/numbers.h"
#include "series/analysis.h"

#include <optional>
#include <string>
#include <vector>

namespace present {

// Why the fit cannot be weighted by the uncertainties, as a sentence naming
// the first run in the fit without one (by its number in the runs table) and
// how many more there are; empty when every run in the fit has one.
std::optional<std::string> unweightedText(const series::Analysis& analysis, const Language& language);

// A line each: the law, the prefactor and exponents with standard errors
// and 95 % intervals, what was left out and why, R², the runs used, why an
// unweighted fit could not be weighted, and the series' flow unit when it
// has one; or why there is no fit. Numbers to 4 significant digits.
std::vector<std::string> fitLines(const series::Analysis& analysis, const std::string& flowUnit,
                                  const Language& language, const NumberLocale& locale);

}  // namespace present
