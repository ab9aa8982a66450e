#pragma once

// The uncertainty of a run's coefficient from its readings' (burette,
// meters, thermometer) and its typed inputs' standard uncertainties, to
// first order (JCGM 100, the GUM): the readings are the independent
// quantities, each carried through its conversions into the coefficient.

#include "series/series.h"
#include "series/uncertainty.h"

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace series {

// A reading or a typed input of the budget: its key as the file names it
// ("titration/acid_volume_ml", "air_meter/reading", "packing_height").
struct ReadingBudgetLine {
    std::string key;
    double value;
    double uncertainty;   // standard, absolute
    double sensitivity;   // d mtc / d reading
    double sharePercent;  // of the coefficient's variance
};

struct ReadingsGum {
    double mtc;
    double u;
    std::vector<ReadingBudgetLine> budget;  // the readings first, then the inputs typed
};

// Every reading that has an uncertainty, and every input the readings do
// not give that has one (from `uncertainties`, merged as the run's). Not
// given as gum() does not, and when the readings give no inputs.
std::variant<ReadingsGum, NotGiven> readingsGum(const Run& run, const Uncertainties& uncertainties,
                                                std::string_view flowUnit);

// The standard uncertainties of the inputs the readings give, each
// propagated alone (their correlations, as y1 and the gas flow from one air
// meter, are lost): what the Monte Carlo can draw until it draws the
// readings themselves. Inputs not given keep `typed`'s.
Uncertainties inputUncertaintiesFromReadings(const Run& run, const Uncertainties& typed, std::string_view flowUnit);

}  // namespace series
