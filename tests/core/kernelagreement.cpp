#include "kernelagreement.h"

#include "core/ntu_kernels.h"
#include "testnames.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>

std::vector<AgreementRun> agreementRuns()
{
    std::vector<AgreementRun> runs = {
        {"example_a", {0.02, 0.01, 1, 1}},
        {"example_b", {0.045, 0.02, 2, 3}},
        // y2 above y1: the steps run downwards.
        {"steps_downwards", {0.02, -0.01, 1, 1}},
    };
    // A y1 equal to a row's x falls into the next band, the one just below
    // it into the row's own: each side has its own slope.
    for (const absorber::EquilibriumPoint& point : absorber::equilibriumPoints) {
        const double below = std::nextafter(point.x, 0.0);
        runs.push_back({"below_band_edge_" + nameOf(point.x), {below, below / 4, 1, 1.5}});
        runs.push_back({"at_band_edge_" + nameOf(point.x), {point.x, point.x / 4, 1, 1.5}});
    }
    runs.push_back({"last_band_closes_at_0_3", {0.3, 0.075, 1, 1.5}});
    return runs;
}

std::vector<std::string> disagreements(const AgreementRun& run)
{
    std::vector<std::string> found;
    const absorber::Balance balance = absorber::closeBalance(run.inputs);
    if (balance.outcome != absorber::Outcome::completed) {
        found.push_back(run.name + ": the balance does not complete");
        return found;
    }
    const absorber::Integration checked = absorber::detail::integrateChecked(balance.limits);
    for (const absorber::detail::NtuKernel& kernel : absorber::detail::ntuKernels()) {
        if (!kernel.runsHere())
            continue;
        const absorber::Integration fast = absorber::detail::integrateWith(kernel, balance.limits);
        // Bits, not ==: a NaN or a zero of the other sign must differ too.
        if (fast.outcome == checked.outcome
            && std::bit_cast<std::uint64_t>(fast.ntu) == std::bit_cast<std::uint64_t>(checked.ntu))
            continue;
        char line[200];
        std::snprintf(line, sizeof line, "%s with %s: %a, the checked loop %a", run.name.c_str(), kernel.name, fast.ntu,
                      checked.ntu);
        found.push_back(line);
    }
    return found;
}
