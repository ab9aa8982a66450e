#pragma once

// Two order statistics of many values without sorting or selecting over
// all of them, for the Monte Carlo method's coverage intervals.

#include <array>
#include <cstddef>
#include <span>

namespace series {

// The values at 0-based positions first <= second < values.size() of the
// values in ascending order, as std::nth_element finds them. The values
// must not be NaN.
std::array<double, 2> valuesAtRanks(std::span<const double> values, std::size_t first, std::size_t second);

}  // namespace series
