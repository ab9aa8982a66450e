#include "series/series.h"

#include <algorithm>
#include <system_error>
#include <thread>

namespace series {

RunResult computeRun(const Run& run)
{
    RunResult result;
    result.balance = absorber::closeBalance(run.inputs);
    result.outcome = result.balance.outcome;
    if (result.outcome != absorber::Outcome::completed)
        return result;
    const absorber::Integration integration = absorber::integrateNtu(result.balance.limits);
    result.outcome = integration.outcome;
    if (integration.outcome != absorber::Outcome::completed)
        return result;
    return completedRun(run, result.balance, integration.ntu);
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
    // Each worker takes the next run nobody has taken, so the threads finish
    // together however the runs' times differ.
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i = next++; i < runs.size() && !stop.stop_requested(); i = next++) {
            results[i] = computeRun(runs[i]);
            if (done)
                done->fetch_add(1, std::memory_order_relaxed);
        }
    };

    // The calling thread is one of the workers.
    std::vector<std::thread> helpers;
    const std::size_t wanted = std::min<std::size_t>(jobs, runs.size());
    for (std::size_t i = 1; i < wanted; ++i) {
        try {
            helpers.emplace_back(work);
        } catch (const std::system_error&) {
            // No more threads to be had: the ones made share the work.
            break;
        }
    }
    work();
    for (std::thread& helper : helpers)
        helper.join();
    if (stop.stop_requested())
        return std::nullopt;
    return results;
}

}  // namespace series
