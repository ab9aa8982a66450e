#pragma once

// A run's coefficient and NTU for a whole batch of Monte Carlo draws at
// once, in loops over arrays that GCC and clang vectorise. Each draw gets
// the bits that closeBalance, closedFormNtu and findMtc give it one at a
// time, and no value where any of them has none.

#include "series/montecarlo.h"

#include <optional>
#include <span>
#include <vector>

namespace series {

// columns: y1, x1, gas flow, water flow and packing height, one value per
// draw in each. Outputs: the coefficient, then the NTU.
BatchValues coefficientsOf(std::span<const std::vector<double>> columns);

// coefficientsOf with the equilibrium point at `celsius` (closeBalance's
// overload with a temperature), the table's without one.
BatchModel coefficientModel(std::optional<double> celsius);

}  // namespace series
