#include "tests/report/corerun.h"

#include "core/absorber.h"

std::optional<report::Run> runFromCore(int number, double y1, double x1, double gasFlow, double waterFlow,
                                       std::optional<double> packingHeight)
{
    const absorber::RunInputs inputs{y1, x1, gasFlow, waterFlow};
    const absorber::Balance balance = absorber::closeBalance(inputs);
    if (balance.outcome != absorber::Outcome::completed)
        return std::nullopt;
    const absorber::Integration integration = absorber::integrateNtu(balance.limits);
    if (integration.outcome != absorber::Outcome::completed)
        return std::nullopt;

    report::Run run = report::completedRun(number, inputs, balance, integration.ntu);
    if (packingHeight) {
        const absorber::Coefficient coefficient = absorber::findMtc(*packingHeight, run.ntu, run.gasFlow);
        if (coefficient.outcome != absorber::Outcome::completed)
            return std::nullopt;
        run.packingHeight = packingHeight;
        run.mtc = coefficient.mtc;
    }
    return run;
}
