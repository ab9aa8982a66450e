#pragma once

// The Student t quantile of the fit's 95 % intervals, with the same bits on
// every platform: Boost's quantile calls the C library's functions, which
// round differently in the page.

#include <cstddef>

namespace series {

// The 97.5 % quantile of Student's t with `dof` degrees of freedom, for a
// two-sided 95 % interval: Boost's value, stored, up to 400 degrees of
// freedom; beyond, the Cornish-Fisher expansion about the normal quantile
// to the fifth power of 1/dof, within 2e-16 relative of Boost's. NaN at 0.
double studentT975(std::size_t dof);

}  // namespace series
