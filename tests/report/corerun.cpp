#include "tests/report/corerun.h"

#include "core/absorber.h"
#include "core/column_work.h"
#include "core/ntu.h"

std::optional<report::Run> runFromCore(int number, double y1, double x1, double gasFlow, double waterFlow,
                                       std::optional<double> packingHeight)
{
    absorber::ColumnState state;
    state.gasFlow = gasFlow;
    state.waterFlow = waterFlow;
    absorber::RunFractions fractions{x1, y1, 0.0};
    absorber::detail::ColumnWork work;
    if (absorber::detail::calculateColumn(state, fractions, {}, work) != absorber::Outcome::completed)
        return std::nullopt;

    report::Run run;
    run.number = number;
    run.y1 = fractions.y1;
    run.x1 = fractions.x1;
    run.gasFlow = state.gasFlow;
    run.waterFlow = state.waterFlow;
    run.eqX = state.eqX;
    run.eqY = state.eqY;
    run.slope = work.slope;
    run.flowFactor = work.flowFactor;
    run.outletRatio = work.outletRatio;
    run.y2 = fractions.y2;
    run.upperLimit = work.upperLimit;
    run.lowerLimit = work.lowerLimit;
    run.stepWidth = work.stepWidth;
    run.stepCount = absorber::detail::ntuSteps;
    run.ntu = state.ntu;
    if (packingHeight) {
        if (absorber::findMtc(*packingHeight, state) != absorber::Outcome::completed)
            return std::nullopt;
        run.packingHeight = packingHeight;
        run.mtc = state.mtc;
    }
    return run;
}
