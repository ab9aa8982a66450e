#include "series/random.h"

#include "core/widevectors.h"

#include <algorithm>
#include <array>
#include <bit>

namespace series {
namespace {

constexpr std::size_t blockPairs = 512;

// Uniform::uniform() of the word: (w >> 11) 2^-53, made as the sum of its top
// 52 bits, 1.m - 1, and its 53rd, both exact, so that it vectorises without
// a conversion of 64-bit integers.
double uniformOf(std::uint64_t word)
{
    const double top = std::bit_cast<double>((word >> 12) | (std::uint64_t{1023} << 52)) - 1.0;
    const double last = ((word >> 11) & 1) != 0 ? 0x1p-53 : 0.0;
    return top + last;
}

// The polar method's candidate pairs from their words, and 1 where a pair
// is kept, else 0.
QUILLON_WIDE_VECTORS void candidates(std::size_t count, const std::uint64_t* __restrict words, double* __restrict us,
                                     double* __restrict vs, double* __restrict ss, double* __restrict kept)
{
    for (std::size_t j = 0; j < count; ++j) {
        const double u = 2.0 * uniformOf(words[2 * j]) - 1.0;
        const double v = 2.0 * uniformOf(words[2 * j + 1]) - 1.0;
        const double s = u * u + v * v;
        us[j] = u;
        vs[j] = v;
        ss[j] = s;
        kept[j] = s < 1.0 && s != 0.0 ? 1.0 : 0.0;
    }
}

// sqrt(-2 ln s / s), the factor of both draws of a pair, in place of ln s.
QUILLON_WIDE_VECTORS void factors(std::size_t count, const double* __restrict ss, double* __restrict logs)
{
    for (std::size_t j = 0; j < count; ++j)
        logs[j] = std::sqrt(-2.0 * logs[j] / ss[j]);
}

}  // namespace

void NormalDraws::fill(std::span<double> out)
{
    std::size_t i = 0;
    if (hasSpare_ && !out.empty()) {
        out[i++] = spare_;
        hasSpare_ = false;
    }
    std::array<std::uint64_t, 2 * blockPairs> words;
    std::array<double, blockPairs> candidateU;
    std::array<double, blockPairs> candidateV;
    std::array<double, blockPairs> candidateS;
    std::array<double, blockPairs> kept;
    std::array<double, blockPairs> us;
    std::array<double, blockPairs> vs;
    std::array<double, blockPairs> ss;
    std::array<double, blockPairs> logs;
    while (i < out.size()) {
        const std::size_t pairs = std::min(blockPairs, (out.size() - i + 1) / 2);
        // As many candidates as pairs are still wanted, so that no word is
        // taken that next() would not take; each round keeps most of them.
        std::size_t accepted = 0;
        while (accepted < pairs) {
            const std::size_t count = pairs - accepted;
            for (std::size_t j = 0; j < 2 * count; ++j)
                words[j] = uniform_.next();
            candidates(count, words.data(), candidateU.data(), candidateV.data(), candidateS.data(), kept.data());
            for (std::size_t j = 0; j < count; ++j) {
                us[accepted] = candidateU[j];
                vs[accepted] = candidateV[j];
                ss[accepted] = candidateS[j];
                accepted += kept[j] != 0.0 ? 1 : 0;
            }
        }
        absorber::portableLogs(std::span(ss).first(pairs), std::span(logs).first(pairs));
        factors(pairs, ss.data(), logs.data());
        for (std::size_t j = 0; j < pairs; ++j) {
            out[i++] = us[j] * logs[j];
            if (i < out.size()) {
                out[i++] = vs[j] * logs[j];
            } else {
                spare_ = vs[j] * logs[j];
                hasSpare_ = true;
            }
        }
    }
}

}  // namespace series
