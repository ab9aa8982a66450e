#pragma once

// Random draws that give the same bits on every machine, compiler and C
// library: the standard library's distributions and its logarithm may
// differ between implementations, so the generator and the normal transform
// are written out here from integer operations, + - * / and sqrt, all of
// which IEEE arithmetic rounds exactly, and the logarithm is the core's
// portable one.

#include "core/portablemath.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <span>

namespace series {

// SplitMix64, which spreads one 64-bit seed over the generator's state.
class SplitMix64 {
public:
    explicit SplitMix64(std::uint64_t seed)
        : state_(seed)
    {
    }

    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15u);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
        return z ^ (z >> 31);
    }

private:
    std::uint64_t state_;
};

// xoshiro256** by Blackman and Vigna.
class Xoshiro256 {
public:
    Xoshiro256(std::uint64_t s0, std::uint64_t s1, std::uint64_t s2, std::uint64_t s3)
        : s_{s0, s1, s2, s3}
    {
    }

    // Its authors' advice: the state from SplitMix64, never all zero.
    explicit Xoshiro256(std::uint64_t seed)
    {
        SplitMix64 spread(seed);
        for (std::uint64_t& word : s_)
            word = spread.next();
    }

    std::uint64_t next()
    {
        const std::uint64_t result = rotl(s_[1] * 5, 7) * 9;
        const std::uint64_t t = s_[1] << 17;
        s_[2] ^= s_[0];
        s_[3] ^= s_[1];
        s_[1] ^= s_[2];
        s_[0] ^= s_[3];
        s_[2] ^= t;
        s_[3] = rotl(s_[3], 45);
        return result;
    }

    // Uniform on [0, 1) in steps of 2^-53: the top 53 bits, exactly.
    double uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }

private:
    static std::uint64_t rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

    std::uint64_t s_[4];
};

// Standard normal draws by Marsaglia's polar method, in pairs.
class NormalDraws {
public:
    explicit NormalDraws(std::uint64_t seed)
        : uniform_(seed)
    {
    }

    double next()
    {
        if (hasSpare_) {
            hasSpare_ = false;
            return spare_;
        }
        double u = 0.0;
        double v = 0.0;
        double s = 0.0;
        do {
            u = 2.0 * uniform_.uniform() - 1.0;
            v = 2.0 * uniform_.uniform() - 1.0;
            s = u * u + v * v;
        } while (s >= 1.0 || s == 0.0);
        const double factor = std::sqrt(-2.0 * absorber::portableLog(s) / s);
        spare_ = v * factor;
        hasSpare_ = true;
        return u * factor;
    }

    // The next out.size() draws, the same as next() for each, made a block
    // of pairs at a time in loops that vectorise.
    void fill(std::span<double> out);

private:
    Xoshiro256 uniform_;
    double spare_ = 0.0;
    bool hasSpare_ = false;
};

}  // namespace series
