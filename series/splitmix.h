#pragma once

// A small generator of our own: it seeds the Monte Carlo's streams and draws
// the exercises handed out to a class:
// SplitMix64 (Steele, Lea and Flood, 2014) on 64-bit integers alone, so the
// same seed gives the same numbers on every machine and in the page.

#include <cstdint>

namespace series {

class SplitMix64 {
public:
    explicit SplitMix64(std::uint64_t seed)
        : state(seed)
    {
    }

    std::uint64_t next()
    {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1): the top 53 bits, exactly as a double holds them.
    double uniform() { return double(next() >> 11) * 0x1.0p-53; }

    // Uniform in [low, high).
    double between(double low, double high) { return low + (high - low) * uniform(); }

private:
    std::uint64_t state;
};

}  // namespace series
