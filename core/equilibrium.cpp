#include "core/absorber.h"

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

}  // namespace absorber
