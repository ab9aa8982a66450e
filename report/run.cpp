#include "report/run.h"

namespace report {

Run completedRun(int number, const absorber::RunInputs& inputs, const absorber::Balance& balance, double ntu)
{
    Run run;
    run.number = number;
    run.y1 = inputs.y1;
    run.x1 = inputs.x1;
    run.gasFlow = inputs.gasFlow;
    run.waterFlow = inputs.waterFlow;
    run.eqX = balance.point.value_or(absorber::EquilibriumPoint{}).x;
    run.eqY = balance.point.value_or(absorber::EquilibriumPoint{}).y;
    run.slope = balance.slope;
    run.flowFactor = balance.limits.flowFactor;
    run.outletRatio = balance.outletRatio;
    run.y2 = balance.y2.value_or(0.0);
    run.upperLimit = balance.limits.upperLimit;
    run.lowerLimit = balance.limits.lowerLimit;
    run.stepWidth = balance.limits.stepWidth;
    run.stepCount = absorber::ntuSteps;
    run.ntu = ntu;
    return run;
}

}  // namespace report
