#include "core/absorber.h"

#include "core/checked.h"

#include <cmath>

namespace absorber {
namespace {

bool inputsValid(const RunInputs& in)
{
    // Values that are not finite cannot be typed; they are refused here
    // rather than run through the arithmetic.
    const bool finite =
        std::isfinite(in.y1) && std::isfinite(in.x1) && std::isfinite(in.gasFlow) && std::isfinite(in.waterFlow);
    return finite && in.y1 != 0.0 && in.x1 != 0.0 && in.gasFlow != 0.0 && in.waterFlow != 0.0 && in.y1 <= maxGasFraction
        && in.x1 < 1.0;
}

// The balance from its equilibrium point on; the inputs are valid.
Balance balanceWith(const RunInputs& in, const EquilibriumPoint& point)
{
    Balance balance;
    balance.point = point;

    // Each step is checked before its value is used, so the first fault
    // abandons the balance with everything before it kept.
    detail::Checked ops;
    const auto fault = [&balance, &ops] {
        balance.outcome = ops.fault();
        return balance;
    };

    const double slope = ops.div(point.y, point.x);
    if (ops.failed())
        return fault();
    balance.slope = slope;

    const double flowRatio = ops.div(in.gasFlow, in.waterFlow);
    const double flowFactor = ops.sub(1.0, ops.mul(slope, flowRatio));
    if (ops.failed())
        return fault();
    balance.limits.flowRatio = flowRatio;
    balance.limits.flowFactor = flowFactor;

    // The NH3 balance over the column, as mole ratios; the entering water is pure.
    const double gasRatio = ops.div(in.y1, ops.sub(1.0, in.y1));
    const double liquidRatio = ops.div(in.x1, ops.sub(1.0, in.x1));
    const double inverseRatio = ops.div(in.waterFlow, in.gasFlow);
    const double outletRatio = ops.sub(gasRatio, ops.mul(liquidRatio, inverseRatio));
    if (ops.failed())
        return fault();
    balance.outletRatio = outletRatio;

    const double y2 = ops.div(outletRatio, ops.add(outletRatio, 1.0));
    if (ops.failed())
        return fault();
    balance.y2 = y2;

    // Judged as shown: y2 must show between 0.0001 and 0.9999.
    const double shown = roundResult(y2);
    if (shown >= 1.0 || shown <= 0.0)
        return balance;

    // Mole fractions to the integration's variable: 29 / 17 is the ratio of
    // the molar masses of air and NH3. With y1 and y2 accepted, none of
    // these steps can fault; they are checked all the same.
    const double massRatio = ops.div(29.0, 17.0);
    const double upperLimit = ops.mul(massRatio, in.y1);
    const double lowerLimit = ops.mul(massRatio, y2);
    const double stepWidth = ops.div(ops.sub(upperLimit, lowerLimit), ntuSteps);
    if (ops.failed())
        return fault();
    balance.limits.upperLimit = upperLimit;
    balance.limits.lowerLimit = lowerLimit;
    balance.limits.stepWidth = stepWidth;
    balance.outcome = Outcome::completed;
    return balance;
}

}  // namespace

Balance closeBalance(const RunInputs& in)
{
    if (!inputsValid(in))
        return {};
    return balanceWith(in, lookupEquilibrium(in.y1));
}

Balance closeBalance(const RunInputs& in, double celsius)
{
    if (!inputsValid(in) || !usableTemperature(celsius))
        return {};
    return balanceWith(in, lookupEquilibrium(in.y1, celsius));
}

}  // namespace absorber
