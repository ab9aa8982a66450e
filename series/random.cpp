#include "series/random.h"

#include "core/portablemath.h"
#include "core/widevectors.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

namespace series {
namespace {

constexpr std::size_t lanes = NormalDraws::streams;

// (w >> 11) 2^-53, made as the sum of its top 52 bits, 1.m - 1, and its
// 53rd, both exact, so that it vectorises without a conversion of 64-bit
// integers.
double uniformOf(std::uint64_t word)
{
    const double top = std::bit_cast<double>((word >> 12) | (std::uint64_t{1023} << 52)) - 1.0;
    const double last = ((word >> 11) & 1) != 0 ? 0x1p-53 : 0.0;
    return top + last;
}

// Four streams' words side by side, one stream per element: GCC and clang
// give these + ^ << >> in whatever vectors the target has, each element
// the integer operation of one stream.
using Words = std::uint64_t __attribute__((vector_size(4 * sizeof(std::uint64_t))));
constexpr std::size_t quads = lanes / 4;

// xoshiro256** of every stream for `steps` steps, word (step, stream) to
// words[step * lanes + stream]. The products by 5 and 9 are written as
// shifts and sums, which equal them modulo 2^64.
QUILLON_WIDE_VECTORS void xoshiroWords(std::array<std::array<std::uint64_t, lanes>, 4>& state, std::size_t steps,
                                       std::uint64_t* __restrict words)
{
    for (std::size_t h = 0; h < quads; ++h) {
        Words s0;
        Words s1;
        Words s2;
        Words s3;
        std::memcpy(&s0, state[0].data() + 4 * h, sizeof s0);
        std::memcpy(&s1, state[1].data() + 4 * h, sizeof s1);
        std::memcpy(&s2, state[2].data() + 4 * h, sizeof s2);
        std::memcpy(&s3, state[3].data() + 4 * h, sizeof s3);
        for (std::size_t step = 0; step < steps; ++step) {
            const Words times5 = s1 + (s1 << 2);
            const Words rotated = (times5 << 7) | (times5 >> 57);
            const Words word = rotated + (rotated << 3);
            std::memcpy(words + step * lanes + 4 * h, &word, sizeof word);
            const Words t = s1 << 17;
            s2 ^= s0;
            s3 ^= s1;
            s1 ^= s2;
            s0 ^= s3;
            s2 ^= t;
            s3 = (s3 << 45) | (s3 >> 19);
        }
        std::memcpy(state[0].data() + 4 * h, &s0, sizeof s0);
        std::memcpy(state[1].data() + 4 * h, &s1, sizeof s1);
        std::memcpy(state[2].data() + 4 * h, &s2, sizeof s2);
        std::memcpy(state[3].data() + 4 * h, &s3, sizeof s3);
    }
}

// u1 and t of each round's pairs, in the order of the draws' lanes.
QUILLON_WIDE_VECTORS void uniformsOf(std::size_t rounds, const std::uint64_t* __restrict words, double* __restrict u1s,
                                     double* __restrict turns)
{
    for (std::size_t r = 0; r < rounds; ++r) {
        for (std::size_t k = 0; k < lanes; ++k) {
            u1s[r * lanes + k] = 1.0 - uniformOf(words[2 * r * lanes + k]);
            turns[r * lanes + k] = uniformOf(words[(2 * r + 1) * lanes + k]);
        }
    }
}

// The radius sqrt(-2 ln u1) in place of ln u1, and the round's draws.
QUILLON_WIDE_VECTORS void drawsOf(std::size_t rounds, double* __restrict radii, const double* __restrict sines,
                                  const double* __restrict cosines, double* __restrict out)
{
    for (std::size_t j = 0; j < rounds * lanes; ++j)
        radii[j] = std::sqrt(-2.0 * radii[j]);
    for (std::size_t r = 0; r < rounds; ++r) {
        for (std::size_t k = 0; k < lanes; ++k) {
            out[2 * r * lanes + k] = radii[r * lanes + k] * cosines[r * lanes + k];
            out[(2 * r + 1) * lanes + k] = radii[r * lanes + k] * sines[r * lanes + k];
        }
    }
}

// fdlibm's minimax polynomials of sin and cos on [-pi/4, pi/4].
constexpr double s1 = -1.66666666666666324348e-01;
constexpr double s2 = 8.33333333332248946124e-03;
constexpr double s3 = -1.98412698298579493134e-04;
constexpr double s4 = 2.75573137070700676789e-06;
constexpr double s5 = -2.50507602534068634195e-08;
constexpr double s6 = 1.58969099521155010221e-10;
constexpr double c1 = 4.16666666666666019037e-02;
constexpr double c2 = -1.38888888888741095749e-03;
constexpr double c3 = 2.48015872894767294178e-05;
constexpr double c4 = -2.75573143513906633035e-07;
constexpr double c5 = 2.08757232129817482790e-09;
constexpr double c6 = -1.13596475577881948265e-11;
constexpr double halfPi = 1.57079632679489655800e+00;

QUILLON_WIDE_VECTORS void sinCosOf(std::size_t n, const double* __restrict turns, double* __restrict sines,
                                   double* __restrict cosines)
{
    for (std::size_t j = 0; j < n; ++j) {
        // 4t = q + f with q the nearest integer (0 to 4) and |f| <= 1/2,
        // both exact: adding and taking away 2^52 rounds to an integer.
        const double quarters = 4.0 * turns[j];
        const double q = (quarters + 0x1p52) - 0x1p52;
        const double x = (quarters - q) * halfPi;
        const double z = x * x;
        const double w = z * z;
        const double rs = s2 + z * (s3 + z * s4) + z * w * (s5 + z * s6);
        const double sine = x + z * x * (s1 + z * rs);
        const double rc = z * (c1 + z * (c2 + z * c3)) + w * w * (c4 + z * (c5 + z * c6));
        const double hz = 0.5 * z;
        const double oneLess = 1.0 - hz;
        const double cosine = oneLess + (((1.0 - oneLess) - hz) + z * rc);
        // The angle is q quarter turns and x: swap and negate by quadrant.
        // q is one of 0 to 4, so != of two tests is their "or", without the
        // branch of || that would stop vectorisation.
        const bool swap = (q == 1.0) != (q == 3.0);
        const double cosOf = swap ? sine : cosine;
        const double sinOf = swap ? cosine : sine;
        const double cosSign = (q == 1.0) != (q == 2.0) ? -1.0 : 1.0;
        const double sinSign = (q == 2.0) != (q == 3.0) ? -1.0 : 1.0;
        cosines[j] = cosSign * cosOf;
        sines[j] = sinSign * sinOf;
    }
}

}  // namespace

void sinCosOfTurns(std::span<const double> turns, std::span<double> sines, std::span<double> cosines)
{
    sinCosOf(turns.size(), turns.data(), sines.data(), cosines.data());
}

NormalDraws::NormalDraws(std::uint64_t seed)
{
    SplitMix64 spread(seed);
    for (std::size_t k = 0; k < streams; ++k) {
        for (auto& word : state_)
            word[k] = spread.next();
    }
}

void NormalDraws::makeBlock(double* out)
{
    std::array<std::uint64_t, 2 * rounds * lanes> words;
    std::array<double, rounds * lanes> u1s;
    std::array<double, rounds * lanes> turns;
    std::array<double, rounds * lanes> radii;
    std::array<double, rounds * lanes> sines;
    std::array<double, rounds * lanes> cosines;
    xoshiroWords(state_, 2 * rounds, words.data());
    uniformsOf(rounds, words.data(), u1s.data(), turns.data());
    absorber::portableLogsOfNormals(u1s, radii);
    sinCosOf(turns.size(), turns.data(), sines.data(), cosines.data());
    drawsOf(rounds, radii.data(), sines.data(), cosines.data(), out);
}

void NormalDraws::fill(std::span<double> out)
{
    std::size_t i = std::min(out.size(), block_.size() - used_);
    std::copy_n(block_.begin() + static_cast<std::ptrdiff_t>(used_), i, out.begin());
    used_ += i;
    for (; out.size() - i >= blockSize; i += blockSize)
        makeBlock(out.data() + i);
    if (i < out.size()) {
        makeBlock(block_.data());
        used_ = out.size() - i;
        std::copy_n(block_.begin(), used_, out.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

}  // namespace series
