#pragma once

#include "core/absorber.h"

namespace absorber::detail {

inline constexpr int ntuSteps = 1000000;

// The integration's inputs, all computed by the steps before it.
struct NtuLimits {
    double flowRatio;  // gasFlow / waterFlow
    double flowFactor;
    double lowerLimit;
    double stepWidth;
    double startY;  // lowerLimit - stepWidth, the value before the first step
};

struct NtuSum {
    Outcome outcome;
    double ntu;
};

// The left-end rectangle sum of |stepWidth / ((1 - g/w * f) * Y + lower * f)|
// over ntuSteps values of Y, each reached by adding stepWidth to the one
// before, accumulated in order. Stops at the first fault.
NtuSum integrateNtu(const NtuLimits& limits);

}  // namespace absorber::detail
