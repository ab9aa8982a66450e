#pragma once

#include "core/absorber.h"

#include <span>

// The NTU sum comes in one fast kernel per instruction set and one checked
// loop; integrateNtu picks the best kernel the processor runs.
namespace absorber::detail {

struct FastSum {
    double ntu;
    double lastY;  // the last Y summed
};

// Sums |(1 / (coefficient * Y + offset)) * stepWidth| over ntuSteps values
// of Y, the first being startY + stepWidth, without checking for faults.
using SumTerms = FastSum (*)(double coefficient, double offset, double startY, double stepWidth);

struct NtuKernel {
    const char* name;
    bool (*runsHere)();
    SumTerms sum;
};

// Best first; the last runs on every processor the build targets.
std::span<const NtuKernel> ntuKernels();

// The integration through one kernel, falling back on the checked loop
// where the kernel's sum may have met a fault.
Integration integrateWith(const NtuKernel& kernel, const IntegrationLimits& limits);

// The loop exactly as defined, every operation checked; stops at the first fault.
Integration integrateChecked(const IntegrationLimits& limits);

}  // namespace absorber::detail
