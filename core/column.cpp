#include "core/absorber.h"

#include "core/checked.h"
#include "core/column_work.h"
#include "core/ntu.h"

#include <cmath>

namespace absorber {
namespace {

bool inputsValid(const ColumnState& state, const RunFractions& fractions)
{
    const double y1 = fractions.y1;
    const double x1 = fractions.x1;
    const bool finite = std::isfinite(y1) && std::isfinite(x1)
        && std::isfinite(state.gasFlow) && std::isfinite(state.waterFlow);
    // Negative values pass; the outlet test judges what they lead to.
    return finite && y1 != 0.0 && x1 != 0.0 && state.gasFlow != 0.0 && state.waterFlow != 0.0
        && y1 <= maxGasFraction && x1 < 1.0;
}

}  // namespace

namespace detail {

Outcome calculateColumn(ColumnState& state, RunFractions& fractions, const BalanceClosed& balanceClosed,
                        ColumnWork& work)
{
    if (!inputsValid(state, fractions))
        return Outcome::invalidData;

    const double y1 = fractions.y1;
    const double x1 = fractions.x1;
    const double gasFlow = state.gasFlow;
    const double waterFlow = state.waterFlow;

    const EquilibriumPoint point = lookupEquilibrium(y1);
    state.eqX = point.x;
    state.eqY = point.y;

    // Each step is checked before its value is used, so the first fault
    // abandons the calculation with everything before it stored.
    detail::Checked ops;
    const double slope = work.slope = ops.div(state.eqY, state.eqX);
    if (ops.failed())
        return ops.fault();

    const double flowRatio = ops.div(gasFlow, waterFlow);
    const double flowFactor = work.flowFactor = ops.sub(1.0, ops.mul(slope, flowRatio));
    if (ops.failed())
        return ops.fault();

    // The NH3 balance over the column, as mole ratios; entering water is pure.
    const double gasRatio = ops.div(y1, ops.sub(1.0, y1));
    const double liquidRatio = ops.div(x1, ops.sub(1.0, x1));
    const double inverseRatio = ops.div(waterFlow, gasFlow);
    const double outletRatio = work.outletRatio = ops.sub(gasRatio, ops.mul(liquidRatio, inverseRatio));
    if (ops.failed())
        return ops.fault();

    const double y2 = ops.div(outletRatio, ops.add(outletRatio, 1.0));
    if (ops.failed())
        return ops.fault();
    fractions.y2 = y2;

    // Judged as shown: y2 must show between 0.0001 and 0.9999.
    const double shown = roundResult(y2);
    if (shown >= 1.0 || shown <= 0.0)
        return Outcome::invalidData;

    if (balanceClosed)
        balanceClosed(state, fractions);

    // Mole fractions to the integration's variable: 29 / 17 is the ratio of
    // the molar masses of air and NH3.
    const double massRatio = ops.div(29.0, 17.0);
    const double upperLimit = work.upperLimit = ops.mul(massRatio, y1);
    const double lowerLimit = work.lowerLimit = ops.mul(massRatio, y2);
    if (ops.failed())
        return ops.fault();

    state.ntu = 0.0;

    const double stepWidth = work.stepWidth = ops.div(ops.sub(upperLimit, lowerLimit), detail::ntuSteps);
    if (ops.failed())
        return ops.fault();
    const double startY = ops.sub(lowerLimit, stepWidth);
    if (ops.failed())
        return ops.fault();

    const detail::NtuSum sum = detail::integrateNtu(
        {flowRatio, flowFactor, lowerLimit, stepWidth, startY});
    if (sum.outcome != Outcome::completed)
        return sum.outcome;
    state.ntu = sum.ntu;
    return Outcome::completed;
}

}  // namespace detail

Outcome calculateColumn(ColumnState& state, RunFractions& fractions, const BalanceClosed& balanceClosed)
{
    detail::ColumnWork work;
    return detail::calculateColumn(state, fractions, balanceClosed, work);
}

}  // namespace absorber
