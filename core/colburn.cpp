#include "core/absorber.h"

#include "core/portablemath.h"

#include <cmath>

namespace absorber {

std::optional<double> colburnNtu(double y1, double y2, double slope, double flowRatio)
{
    if (!(y2 > 0.0))
        return std::nullopt;
    // With e = 1 - 1/A = 1 - m G/L and r = y1/y2 the argument of the
    // logarithm is 1 + e (r - 1), so NTU = (r - 1) log1p(x) / x, x = e (r - 1),
    // which tends to r - 1 as A tends to 1. The portable log1p, as the C
    // libraries round it differently.
    const double excess = y1 / y2 - 1.0;
    const double x = (1.0 - slope * flowRatio) * excess;
    if (!(x > -1.0) || !std::isfinite(x))
        return std::nullopt;
    const double ntu = x == 0.0 ? excess : excess * (portableLog1p(x) / x);
    return std::isfinite(ntu) ? std::optional(ntu) : std::nullopt;
}

bool drivingForceChangesSign(const IntegrationLimits& in)
{
    const double coefficient = 1.0 - in.flowRatio * in.flowFactor;
    const double offset = in.lowerLimit * in.flowFactor;
    const double atLower = coefficient * in.lowerLimit + offset;
    const double atUpper = coefficient * in.upperLimit + offset;
    return atLower == 0.0 || atUpper == 0.0 || (atLower < 0.0) != (atUpper < 0.0);
}

}  // namespace absorber
