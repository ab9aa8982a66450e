#pragma once

// The series' fit in words, as the analysis window, the series report and
// the page write it under the charts.

#include "present/language.h"
#include "present/numbers.h"
#include "series/analysis.h"

#include <string>
#include <vector>

namespace present {

// A line each: the law, the prefactor and exponents with standard errors
// and 95 % intervals, what was left out and why, R², the runs used, and the
// series' flow unit when it has one; or why there is no fit. Numbers to 4
// significant digits.
std::vector<std::string> fitLines(const series::Analysis& analysis, const std::string& flowUnit,
                                  const Language& language, const NumberLocale& locale);

}  // namespace present
