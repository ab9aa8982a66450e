#include "series/parallel.h"
#include "series/series.h"

namespace series {

namespace {

template <typename Integrate>
RunResult computed(const Run& run, Integrate integrate)
{
    RunResult result;
    result.balance = absorber::closeBalance(run.inputs);
    result.outcome = result.balance.outcome;
    if (result.outcome != absorber::Outcome::completed)
        return result;
    const absorber::Integration integration = integrate(result.balance.limits);
    result.outcome = integration.outcome;
    if (integration.outcome != absorber::Outcome::completed)
        return result;
    return completedRun(run, result.balance, integration.ntu);
}

}  // namespace

RunResult computeRun(const Run& run)
{
    return computed(run, [](const absorber::IntegrationLimits& limits) { return absorber::integrateNtu(limits); });
}

RunResult computeRun(const Run& run, const absorber::Integration& integration)
{
    return computed(run, [&integration](const absorber::IntegrationLimits&) { return integration; });
}

RunResult completedRun(const Run& run, const absorber::Balance& balance, double ntu)
{
    RunResult result;
    result.balance = balance;
    result.outcome = absorber::Outcome::completed;
    result.ntu = ntu;
    result.ntuColburn = absorber::colburnNtu(run.inputs.y1, *balance.y2, balance.slope, balance.limits.flowRatio);
    if (!run.packingHeight)
        return result;
    const absorber::Coefficient coefficient = absorber::findMtc(*run.packingHeight, ntu, run.inputs.gasFlow);
    result.coefficientOutcome = coefficient.outcome;
    if (coefficient.outcome == absorber::Outcome::completed)
        result.mtc = coefficient.mtc;
    return result;
}

std::optional<std::vector<RunResult>> computeRuns(std::span<const Run> runs, unsigned jobs,
                                                  std::atomic<std::size_t>* done, std::stop_token stop)
{
    std::vector<RunResult> results(runs.size());
    if (!forEachIndex(runs.size(), jobs, done, stop, [&](std::size_t i) { results[i] = computeRun(runs[i]); }))
        return std::nullopt;
    return results;
}

}  // namespace series
