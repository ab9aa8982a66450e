#include "series/parallel.h"
#include "series/series.h"

namespace series {

namespace {

void noteEquilibrium(RunResult& result, const Run& run, Equilibrium equilibrium)
{
    result.equilibrium = equilibrium;
    result.equilibriumTemperature = equilibriumTemperatureOf(run, equilibrium);
}

template <typename Integrate>
RunResult computed(const Run& run, Equilibrium equilibrium, Integrate integrate)
{
    RunResult result;
    result.balance = balanceOf(run, equilibrium);
    result.outcome = result.balance.outcome;
    noteEquilibrium(result, run, equilibrium);
    if (result.outcome != absorber::Outcome::completed)
        return result;
    const absorber::Integration integration = integrate(result.balance.limits);
    result.outcome = integration.outcome;
    if (integration.outcome != absorber::Outcome::completed)
        return result;
    return completedRun(run, result.balance, integration.ntu, equilibrium);
}

}  // namespace

std::optional<double> equilibriumTemperatureOf(const Run& run, Equilibrium equilibrium)
{
    return equilibrium == Equilibrium::runTemperature ? run.temperature : std::nullopt;
}

absorber::Balance balanceAt(const absorber::RunInputs& inputs, std::optional<double> celsius)
{
    // The table's path is today's, untouched, so its bits cannot move.
    return celsius ? absorber::closeBalance(inputs, *celsius) : absorber::closeBalance(inputs);
}

absorber::Balance balanceOf(const Run& run, Equilibrium equilibrium)
{
    return balanceAt(run.inputs, equilibriumTemperatureOf(run, equilibrium));
}

RunResult computeRun(const Run& run, Equilibrium equilibrium)
{
    return computed(run, equilibrium,
                    [](const absorber::IntegrationLimits& limits) { return absorber::integrateNtu(limits); });
}

RunResult computeRun(const Run& run, const absorber::Integration& integration, Equilibrium equilibrium)
{
    return computed(run, equilibrium, [&integration](const absorber::IntegrationLimits&) { return integration; });
}

RunResult completedRun(const Run& run, const absorber::Balance& balance, double ntu, Equilibrium equilibrium)
{
    RunResult result;
    result.balance = balance;
    result.outcome = absorber::Outcome::completed;
    noteEquilibrium(result, run, equilibrium);
    result.ntu = ntu;
    result.ntuColburn = absorber::colburnNtu(run.inputs.y1, *balance.y2, balance.slope, balance.limits.flowRatio);
    if (!run.packingHeight)
        return result;
    const absorber::Coefficient coefficient = absorber::findMtc(*run.packingHeight, ntu, run.inputs.gasFlow);
    result.coefficientOutcome = coefficient.outcome;
    if (coefficient.outcome != absorber::Outcome::completed)
        return result;
    result.mtc = coefficient.mtc;
    result.hog = absorber::heightOfTransferUnit(*run.packingHeight, ntu);
    if (result.ntuColburn) {
        const absorber::Coefficient colburn =
            absorber::findMtc(*run.packingHeight, *result.ntuColburn, run.inputs.gasFlow);
        if (colburn.outcome == absorber::Outcome::completed)
            result.mtcColburn = colburn.mtc;
        result.hogColburn = absorber::heightOfTransferUnit(*run.packingHeight, *result.ntuColburn);
    }
    return result;
}

std::optional<std::vector<RunResult>> computeRuns(std::span<const Run> runs, unsigned jobs,
                                                  std::atomic<std::size_t>* done, std::stop_token stop)
{
    return computeRuns(runs, Equilibrium::table, jobs, done, stop);
}

std::optional<std::vector<RunResult>> computeRuns(std::span<const Run> runs, Equilibrium equilibrium, unsigned jobs,
                                                  std::atomic<std::size_t>* done, std::stop_token stop)
{
    std::vector<RunResult> results(runs.size());
    if (!forEachIndex(runs.size(), jobs, done, stop,
                      [&](std::size_t i) { results[i] = computeRun(runs[i], equilibrium); }))
        return std::nullopt;
    return results;
}

std::string_view equilibriumName(Equilibrium equilibrium)
{
    return equilibrium == Equilibrium::runTemperature ? "run_temperature" : "table_30c";
}

std::optional<Equilibrium> equilibriumNamed(std::string_view name)
{
    if (name == "table_30c")
        return Equilibrium::table;
    if (name == "run_temperature")
        return Equilibrium::runTemperature;
    return std::nullopt;
}

}  // namespace series
