#include "series/findings.h"

namespace series {

std::vector<Finding> findingsOf(const Run& run, const RunResult& result)
{
    const absorber::RunInputs& in = run.inputs;
    const absorber::Balance& balance = result.balance;
    std::vector<Finding> found;
    if (in.gasFlow <= 0.0)
        found.push_back(Finding::gasFlowNotPositive);
    if (in.waterFlow <= 0.0)
        found.push_back(Finding::waterFlowNotPositive);
    if (in.y1 < 0.0 || in.x1 < 0.0)
        found.push_back(Finding::negativeFraction);
    // The balance reached y2, and with it the slope.
    if (balance.y2) {
        if (*balance.y2 >= in.y1)
            found.push_back(Finding::noAbsorption);
        if (in.x1 * balance.slope >= in.y1)
            found.push_back(Finding::aboveEquilibrium);
    }
    // The limits are formed only by a balance that completed.
    if (balance.outcome == absorber::Outcome::completed && absorber::drivingForceChangesSign(balance.limits))
        found.push_back(Finding::drivingForceChangesSign);
    if (result.equilibrium == Equilibrium::runTemperature) {
        if (!run.temperature)
            found.push_back(Finding::temperatureMissing);
        else if (!(*run.temperature >= lowestTemperature && *run.temperature <= highestTemperature))
            found.push_back(Finding::temperatureOutsideRange);
    }
    return found;
}

std::string_view findingCode(Finding finding)
{
    switch (finding) {
    case Finding::gasFlowNotPositive:
        return "gas_flow_not_positive";
    case Finding::waterFlowNotPositive:
        return "water_flow_not_positive";
    case Finding::negativeFraction:
        return "negative_fraction";
    case Finding::noAbsorption:
        return "no_absorption";
    case Finding::aboveEquilibrium:
        return "above_equilibrium";
    case Finding::drivingForceChangesSign:
        return "driving_force_changes_sign";
    case Finding::temperatureMissing:
        return "temperature_missing";
    case Finding::temperatureOutsideRange:
        return "temperature_outside_range";
    }
    return {};
}

std::string findingCodes(const std::vector<Finding>& findings)
{
    std::string codes;
    for (const Finding finding : findings) {
        if (!codes.empty())
            codes += ';';
        codes += findingCode(finding);
    }
    return codes;
}

bool inAnalysis(const Run& run, const RunResult& result)
{
    return !run.excluded && (run.included || findingsOf(run, result).empty());
}

}  // namespace series
