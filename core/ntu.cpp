#include "core/ntu_kernels.h"

#include "core/checked.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace absorber {
namespace detail {
namespace {

// Division throughput, not the two running sums, bounds a plain loop: one
// divider against two chains of dependent additions. So the fast pass keeps
// all three busy at once. It walks Y and the sum strictly in order, on their
// scalar chains, and between every four steps it divides four terms of the
// block before in vector registers; those terms are added up one block
// later, once their divisions are long done. Each term is the same IEEE
// operation on the same operands as in the checked loop, so the sum is
// bit-identical; the instruction set only changes how the four divisions run.
constexpr int blockSize = 64;
constexpr int lanes = 4;
static_assert(ntuSteps % blockSize == 0 && blockSize % lanes == 0);

using Lanes = double __attribute__((vector_size(lanes * sizeof(double))));
using LaneBits = std::uint64_t __attribute__((vector_size(lanes * sizeof(double))));

// Four terms from four Ys. Passed through memory, not returned, so that
// the baseline kernel's calling convention never sees a 256-bit vector.
[[gnu::always_inline]] inline void termsOf(double* terms, const double* y, double coefficient, double offset,
                                           double stepWidth)
{
    Lanes ys;
    std::memcpy(&ys, y, sizeof ys);
    const Lanes quotients = (1.0 / (coefficient * ys + offset)) * stepWidth;
    // The absolute value: the sign bit cleared.
    LaneBits bits;
    std::memcpy(&bits, &quotients, sizeof bits);
    bits &= ~(std::uint64_t{1} << 63);
    std::memcpy(terms, &bits, sizeof bits);
}

[[gnu::always_inline]] inline FastSum sumTermsBody(double coefficient, double offset, double startY, double stepWidth)
{
    constexpr int blocks = ntuSteps / blockSize;
    // y holds the Ys of the block before the one being walked, term the
    // terms of the block before that; each group of four is read before it
    // is overwritten.
    alignas(64) double y[blockSize];
    alignas(64) double term[blockSize];
    double currentY = startY;
    double ntu = 0.0;

    for (int k = 0; k < blockSize; ++k) {
        currentY = stepWidth + currentY;
        y[k] = currentY;
    }
    for (int block = 1; block <= blocks; ++block) {
        const bool walking = block < blocks;
        const bool summing = block >= 2;
        for (int group = 0; group < blockSize; group += lanes) {
            alignas(32) double divided[lanes];
            termsOf(divided, y + group, coefficient, offset, stepWidth);
            for (int k = group; k < group + lanes; ++k) {
                if (walking) {
                    currentY = stepWidth + currentY;
                    y[k] = currentY;
                }
                if (summing)
                    ntu = term[k] + ntu;
            }
            std::memcpy(term + group, divided, sizeof divided);
        }
    }
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
// Four divisions at once in AVX2. An AVX-512 kernel was measured too: eight
// at once gained 2 % on an AMD Zen 5 and lost 25 % on an Intel Xeon, whose
// divider does no more per cycle in 512 bits and whose clock drops.
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

constexpr NtuKernel kernels[] = {
    {"x86_64_v3", runsV3, sumV3},
    {"baseline", always, sumBaseline},
};
#elif defined(__wasm_simd128__)
// The page's kernel: the same body, its four divisions two f64x2 divisions.
// Measured under V8 it runs at the two chains' pace, as the desktop's does;
// two, eight or other block sizes gained nothing. Without -msimd128 the
// divisions would run one by one, and the kernel would be "baseline".
constexpr NtuKernel kernels[] = {
    {"wasm_simd128", always, sumBaseline},
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
