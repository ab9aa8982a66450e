#include "core/absorber.h"

#include "core/portablemath.h"

#include <cmath>

namespace absorber {

EquilibriumPoint lookupEquilibrium(double y1)
{
    // A value equal to a row's x falls into the next band; at and above the
    // last x the band closes at 0.3 with the last row.
    for (const EquilibriumPoint& point : equilibriumPoints) {
        if (y1 < point.x)
            return point;
    }
    return equilibriumPoints.back();
}

double equilibriumFactor(double celsius)
{
    const double kelvin = celsius + kelvinOffset;
    return portableExp(vanTHoffSlope * (1.0 / (tableTemperature + kelvinOffset) - 1.0 / kelvin));
}

bool usableTemperature(double celsius)
{
    return std::isfinite(celsius) && celsius + kelvinOffset > 0.0;
}

EquilibriumPoint lookupEquilibrium(double y1, double celsius)
{
    const EquilibriumPoint point = lookupEquilibrium(y1);
    return {point.x, point.y * equilibriumFactor(celsius)};
}

}  // namespace absorber
