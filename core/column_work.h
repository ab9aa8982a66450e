#pragma once

#include "core/absorber.h"

namespace absorber::detail {

// The working values of one column calculation, kept for checking them
// against hand calculations; nothing else reads them. Values of steps the
// calculation did not reach are left as they were.
struct ColumnWork {
    double slope = 0.0;
    double flowFactor = 0.0;
    double outletRatio = 0.0;
    double upperLimit = 0.0;
    double lowerLimit = 0.0;
    double stepWidth = 0.0;
};

Outcome calculateColumn(ColumnState& state, RunFractions& fractions, const BalanceClosed& balanceClosed,
                        ColumnWork& work);

}  // namespace absorber::detail
