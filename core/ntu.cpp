#include "core/ntu_kernels.h"

#include "core/checked.h"

#include <cmath>

namespace absorber {
namespace detail {
namespace {

// Division throughput, not the two running sums, bounds a plain loop, so the
// fast pass divides a block of terms at a time in vector registers while the
// scalar chains walk Y and the sum strictly in order. Each term is the same
// IEEE operation on the same operands as in the checked loop, so the sum is
// bit-identical; the instruction set only changes how many divisions run at
// once.
constexpr int blockSize = 64;
static_assert(ntuSteps % blockSize == 0);

[[gnu::always_inline]] inline FastSum sumTermsBody(double coefficient, double offset, double startY, double stepWidth)
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

FastSum sumBaseline(double coefficient, double offset, double startY, double stepWidth)
{
    return sumTermsBody(coefficient, offset, startY, stepWidth);
}

bool always()
{
    return true;
}

#if defined(__x86_64__) && defined(__GNUC__)
[[gnu::target("arch=x86-64-v4")]] FastSum sumV4(double coefficient, double offset, double startY, double stepWidth)
{
    return sumTermsBody(coefficient, offset, startY, stepWidth);
}

[[gnu::target("arch=x86-64-v3")]] FastSum sumV3(double coefficient, double offset, double startY, double stepWidth)
{
    return sumTermsBody(coefficient, offset, startY, stepWidth);
}

bool runsV3()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma") && __builtin_cpu_supports("bmi")
        && __builtin_cpu_supports("bmi2");
}

bool runsV4()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq") && __builtin_cpu_supports("avx512vl")
        && __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512cd") && runsV3();
}

constexpr NtuKernel kernels[] = {
    {"x86_64_v4", runsV4, sumV4},
    {"x86_64_v3", runsV3, sumV3},
    {"baseline", always, sumBaseline},
};
#else
constexpr NtuKernel kernels[] = {
    {"baseline", always, sumBaseline},
};
#endif

const NtuKernel& bestKernel()
{
    static const NtuKernel& best = []() -> const NtuKernel& {
        for (const NtuKernel& kernel : kernels) {
            if (kernel.runsHere())
                return kernel;
        }
        return kernels[std::size(kernels) - 1];
    }();
    return best;
}

}  // namespace

std::span<const NtuKernel> ntuKernels()
{
    return kernels;
}

Integration integrateChecked(const IntegrationLimits& in)
{
    Checked ops;
    double currentY = ops.sub(in.lowerLimit, in.stepWidth);
    double ntu = 0.0;
    for (int step = 0; step < ntuSteps && !ops.failed(); ++step) {
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
    }
    return {ops.fault(), ntu};
}

Integration integrateWith(const NtuKernel& kernel, const IntegrationLimits& in)
{
    // The denominator is coefficient * Y + offset; both are the same every step.
    const double coefficient = 1.0 - in.flowRatio * in.flowFactor;
    const double offset = in.lowerLimit * in.flowFactor;
    const double startY = in.lowerLimit - in.stepWidth;
    const FastSum fast = kernel.sum(coefficient, offset, startY, in.stepWidth);

    // Y moves one way, and rounding is monotonic, so the denominator runs
    // monotonically between its first and last values: when those and the
    // sum are finite, no step overflowed or divided by zero. A fault hidden
    // from the sum (an infinite denominator gives a zero term) shows at the
    // ends.
    const double firstY = in.stepWidth + startY;
    const bool clean = std::isfinite(fast.ntu) && std::isfinite(fast.lastY) && std::isfinite(startY)
        && std::isfinite(coefficient) && std::isfinite(offset) && std::isfinite(coefficient * firstY + offset)
        && std::isfinite(coefficient * fast.lastY + offset);
    if (clean)
        return {Outcome::completed, fast.ntu};
    return integrateChecked(in);
}

}  // namespace detail

Integration integrateNtu(const IntegrationLimits& limits)
{
    return detail::integrateWith(detail::bestKernel(), limits);
}

}  // namespace absorber
