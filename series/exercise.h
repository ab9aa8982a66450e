#pragma once

// Exercises for a class: each group gets its own series of runs to hand
// out, made from a coefficient law MTC = a G^m L^n of its own with noise,
// and an answer key of what Quillon computes from them. The same seed
// gives the same numbers on every machine.

#include "series/analysis.h"
#include "series/series.h"

#include <cstdint>
#include <vector>

namespace series {

struct ExerciseSettings {
    std::uint64_t seed = 0;
    std::size_t groups = 1;
    // The relative standard deviation of each run's coefficient about the law.
    double noise = 0.03;
};

// The law a group's runs were made from.
struct ExerciseLaw {
    double prefactor;      // a, for flows in mol/s and MTC as findMtc gives it
    double gasExponent;    // m
    double waterExponent;  // n
};

struct ExerciseGroup {
    ExerciseLaw law;
    Series handout;                  // the runs' inputs and heights, no results
    std::vector<RunResult> results;  // computeRun of each run: the key
    Analysis analysis;               // the fit the runs give, unweighted
};

// The largest noise settings accept; beyond it a run may leave the column's range.
inline constexpr double maxExerciseNoise = 0.2;
inline constexpr std::size_t maxExerciseGroups = 1000;

// For each group: y1 and the lab's grid of gas flows (1 to 2.5 mol/s) and
// water flows (2 to 4 mol/s), scaled for the group by up to 10 %, a packing
// height of 1 m, a law with m in [0.6, 0.9] and n in [0.15, 0.4] and a
// prefactor that gives the middle run an NTU near 2, and each run's
// coefficient drawn about the law with the given noise (normal, cut at 3
// standard deviations). x1 is then the value, to 5 significant digits, at
// which the closed-form coefficient meets the drawn one. Every run
// completes, with a coefficient and no findings.
std::vector<ExerciseGroup> makeExercise(const ExerciseSettings& settings);

}  // namespace series
