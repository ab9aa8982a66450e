#include "core/ntu.h"

#include "core/checked.h"

#include <cmath>

namespace absorber::detail {
namespace {

// Division throughput, not the two running sums, bounds a plain loop, so the
// fast pass divides a block of terms at a time in vector registers while the
// scalar chains walk Y and the sum strictly in order. Each term is the same
// IEEE operation on the same operands as in the step-by-step loop, so the
// sum is bit-identical.
constexpr int blockSize = 64;
static_assert(ntuSteps % blockSize == 0);

struct FastSum {
    double ntu;
    double lastY;
};

#if defined(__x86_64__) && defined(__GNUC__)
__attribute__((target_clones("arch=x86-64-v4", "arch=x86-64-v3", "default")))
#endif
FastSum sumTerms(double coefficient, double offset, double startY, double stepWidth)
{
    alignas(64) double y[blockSize];
    alignas(64) double term[blockSize];
    double currentY = startY;
    double ntu = 0.0;

    for (int k = 0; k < blockSize; ++k) {
        currentY = stepWidth + currentY;
        y[k] = currentY;
    }
    for (int block = 1; block < ntuSteps / blockSize; ++block) {
        for (int k = 0; k < blockSize; ++k)
            term[k] = std::fabs((1.0 / (coefficient * y[k] + offset)) * stepWidth);
        // The next block's Y and this block's sum are independent chains.
        for (int k = 0; k < blockSize; ++k) {
            currentY = stepWidth + currentY;
            y[k] = currentY;
            ntu = term[k] + ntu;
        }
    }
    for (int k = 0; k < blockSize; ++k)
        term[k] = std::fabs((1.0 / (coefficient * y[k] + offset)) * stepWidth);
    for (int k = 0; k < blockSize; ++k)
        ntu = term[k] + ntu;
    return {ntu, currentY};
}

// The loop exactly as defined, every operation checked; run only when the
// fast pass may have met a fault, to name the first one.
NtuSum replayChecked(const NtuLimits& in)
{
    Checked ops;
    double currentY = in.startY;
    double ntu = 0.0;
    for (int step = 0; step < ntuSteps; ++step) {
        currentY = ops.add(in.stepWidth, currentY);
        if (ops.failed())
            break;
        const double coefficient = ops.sub(1.0, ops.mul(in.flowRatio, in.flowFactor));
        const double rising = ops.mul(coefficient, currentY);
        const double denominator = ops.add(rising, ops.mul(in.lowerLimit, in.flowFactor));
        if (ops.failed())
            break;
        const double lastTerm = ops.mul(ops.div(1.0, denominator), in.stepWidth);
        if (ops.failed())
            break;
        ntu = ops.add(std::fabs(lastTerm), ntu);
        if (ops.failed())
            break;
    }
    return {ops.fault(), ntu};
}

}  // namespace

NtuSum integrateNtu(const NtuLimits& in)
{
    // The denominator is coefficient * Y + offset; both are the same every step.
    const double coefficient = 1.0 - in.flowRatio * in.flowFactor;
    const double offset = in.lowerLimit * in.flowFactor;
    const FastSum fast = sumTerms(coefficient, offset, in.startY, in.stepWidth);

    // Y moves one way, and rounding is monotonic, so the denominator runs
    // monotonically between its first and last values: when those and the
    // sum are finite, no step overflowed or divided by zero. A fault hidden
    // from the sum (an infinite denominator gives a zero term) shows at the
    // ends.
    const double firstY = in.stepWidth + in.startY;
    const bool clean = std::isfinite(fast.ntu) && std::isfinite(fast.lastY)
        && std::isfinite(coefficient) && std::isfinite(offset)
        && std::isfinite(coefficient * firstY + offset) && std::isfinite(coefficient * fast.lastY + offset);
    if (clean)
        return {Outcome::completed, fast.ntu};
    return replayChecked(in);
}

}  // namespace absorber::detail
