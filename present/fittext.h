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

// What the window or the page knows beside the analysis: which runs' uncertainty
// is still being computed or waits its turn (by their place in the series; a
// run cancelled, refused or failed is not pending), and whether the user asks
// for the weighted fit.
struct Computing {
    std::vector<bool> pending;
    bool weightingWanted = true;
};

// How far the uncertainties a weighted fit waits for have come: of the runs
// the fit takes, how many have theirs.
struct WeightsAwaited {
    std::size_t done = 0;
    std::size_t of = 0;
};

// Set while the fit would be weighted but runs it takes still have their
// uncertainty pending: the unweighted fit of meanwhile is no answer. A run
// that lacks one for good keeps the fit unweighted, and nothing is awaited.
std::optional<WeightsAwaited> weightsAwaited(const series::Analysis& analysis, const Computing& computing);

// The line saying how far they have come, the first of fitLines' while it
// waits: the page rewrites it alone as the progress advances.
std::string weightsAwaitedLine(const WeightsAwaited& awaited, const Language& language);

// The analysis as the charts and the lines show it: without a fit while the
// fit waits for the uncertainties.
series::Analysis analysisAsShown(series::Analysis analysis, const Computing& computing);

// Why the fit cannot be weighted by the uncertainties, as a sentence naming
// the first run in the fit without one (by its number in the runs table) and
// how many more there are; empty when every run in the fit has one or will
// have it once computed.
std::optional<std::string> unweightedText(const series::Analysis& analysis, const Language& language,
                                          const Computing& computing = {});

// A line each: the law, the prefactor and exponents with standard errors
// and 95 % intervals, what was left out and why, R², the runs used, why an
// unweighted fit could not be weighted, and the series' flow unit when it
// has one; or why there is no fit, or that it waits for the uncertainties.
// Numbers to 4 significant digits. A window that says why beside its
// weighting box leaves that line out with `sayWhyUnweighted` false.
std::vector<std::string> fitLines(const series::Analysis& analysis, const std::string& flowUnit,
                                  const Language& language, const NumberLocale& locale, const Computing& computing = {},
                                  bool sayWhyUnweighted = true);

}  // namespace present
