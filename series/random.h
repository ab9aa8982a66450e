#pragma once

// Random draws that give the same bits on every machine, compiler and C
// library: the standard library's distributions, its logarithm, sine and
// cosine may differ between implementations, so the generator and the
// normal transform are written out here from integer operations, + - * /
// and sqrt, all of which IEEE arithmetic rounds exactly, and the logarithm
// is the core's portable one.

#include "series/splitmix.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace series {

// sin 2 pi t and cos 2 pi t of each turn t in [0, 1), in loops that
// vectorise: the turn is reduced by exact quarters, then fdlibm's kernels
// of sin and cos take the remaining angle of at most pi / 4.
void sinCosOfTurns(std::span<const double> turns, std::span<double> sines, std::span<double> cosines);

// Standard normal draws from `streams` xoshiro256** streams side by side,
// one per vector lane, with the Box-Muller transform, which takes every
// pair of words (no rejection, so each lane does the same work):
// - stream k's state is the SplitMix64 outputs 4k .. 4k + 3 of the seed;
// - in each round every stream gives a word a, then every stream a word b;
//   u1 = 1 - (a >> 11) 2^-53 in (0, 1], t = (b >> 11) 2^-53 in [0, 1);
// - the round's 2 x streams draws are sqrt(-2 ln u1) cos 2 pi t of streams
//   0 .. streams - 1, then sqrt(-2 ln u1) sin 2 pi t of each, with the
//   core's portable logarithm and sinCosOfTurns.
class NormalDraws {
public:
    static constexpr std::size_t streams = 8;

    explicit NormalDraws(std::uint64_t seed);

    double next()
    {
        if (used_ == block_.size()) {
            makeBlock(block_.data());
            used_ = 0;
        }
        return block_[used_++];
    }

    // The next out.size() draws, the same as next() for each.
    void fill(std::span<double> out);

private:
    // Rounds made at once: enough to fill the vectors, few enough for L1.
    static constexpr std::size_t rounds = 64;
    static constexpr std::size_t blockSize = 2 * streams * rounds;

    // The next blockSize draws into out.
    void makeBlock(double* out);

    // state_[i][k]: word i of stream k's state.
    std::array<std::array<std::uint64_t, streams>, 4> state_{};
    std::array<double, blockSize> block_{};
    std::size_t used_ = blockSize;
};

}  // namespace series
