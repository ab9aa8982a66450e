#pragma once

// The uncertainty of a run's coefficient from its readings' (burette,
// standard solutions, meters, thermometer, barometer) and its typed inputs'
// standard uncertainties: the readings are the independent quantities, each
// carried through its conversions into the coefficient, to first order
// (JCGM 100, the GUM) and by drawing them (JCGM 101).

#include "series/series.h"
#include "series/uncertainty.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <string_view>
#include <variant>

namespace series {

// Every reading that has an uncertainty (in the order of Reading), then
// every input the readings do not give that has one (from `uncertainties`,
// merged as the run's), in the order of Input: the budget's lines. The
// readings give their inputs in `flowUnit`; `celsius` is the temperature of
// the equilibrium point as for gum(), and the column's temperature is a
// reading where it is given. Not given as gum() does not.
std::variant<Gum, NotGiven> readingsGum(const Run& run, const Uncertainties& uncertainties, std::string_view flowUnit,
                                        std::optional<double> celsius = std::nullopt);

// The adaptive Monte Carlo over the same quantities, each drawn normal in
// the budget's order and carried through the conversions draw by draw.
std::variant<MonteCarlo, NotGiven> readingsMonteCarlo(const Run& run, const Uncertainties& uncertainties,
                                                      std::string_view flowUnit, std::uint64_t seed,
                                                      std::optional<double> celsius = std::nullopt,
                                                      std::atomic<bool>* cancel = nullptr,
                                                      const AdaptiveSettings& settings = {});

// The standard uncertainties of the inputs the readings give, each
// propagated alone (their correlations, as y1 and the gas flow from one air
// meter, are lost). Inputs not given keep `typed`'s.
Uncertainties inputUncertaintiesFromReadings(const Run& run, const Uncertainties& typed, std::string_view flowUnit);

}  // namespace series
