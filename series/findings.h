#pragma once

// What says that a run's result cannot describe an absorber: findings never
// change a number or stop a calculation, they tell the user.

#include "series/series.h"

#include <string>
#include <string_view>
#include <vector>

namespace series {

enum class Finding {
    gasFlowNotPositive,       // the gas flow is 0 or below
    waterFlowNotPositive,     // the water flow is 0 or below
    negativeFraction,         // y1 or x1 below 0
    noAbsorption,             // y2 >= y1: the gas leaves as rich as it came, or richer
    aboveEquilibrium,         // x1 * slope >= y1: beyond the water's equilibrium with the entering gas
    drivingForceChangesSign,  // the sum's denominator changes sign between the limits
    // With the equilibrium at each run's temperature:
    temperatureMissing,       // the run has no temperature, so the table's 30 degC was taken
    temperatureOutsideRange,  // the run's temperature is outside 5-50 degC, where the scaling is not checked
};

// The temperatures, degC, between which the equilibrium's scaling is taken
// without a finding, both included.
inline constexpr double lowestTemperature = 5.0;
inline constexpr double highestTemperature = 50.0;

// The findings of a run, in the order above; a step the run did not reach
// gives none.
std::vector<Finding> findingsOf(const Run& run, const RunResult& result);

// A finding's stable code, as files name it: "gas_flow_not_positive",
// "water_flow_not_positive", "negative_fraction", "no_absorption",
// "above_equilibrium", "driving_force_changes_sign", "temperature_missing",
// "temperature_outside_range".
std::string_view findingCode(Finding finding);

// The codes joined by ';', as the series file and the CSV export hold them.
std::string findingCodes(const std::vector<Finding>& findings);

// Whether a run belongs in the series' analysis: not excluded, and without
// findings unless the user included it.
bool inAnalysis(const Run& run, const RunResult& result);

}  // namespace series
