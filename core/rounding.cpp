#include "core/absorber.h"

#include <fast_float/fast_float.h>
#include <fmt/format.h>

#include <cmath>

namespace absorber {

double roundResult(double value)
{
    if (!std::isfinite(value))
        return value;
    // {fmt} writes the exact binary value and breaks an exact tie to the
    // even digit, which a scaled std::nearbyint(value * 1e4) cannot promise:
    // the product is itself rounded. The largest double needs 309 integer
    // digits. {fmt} and fast_float rather than std::to_chars and
    // std::from_chars, which WebAssembly's C++ library lacks for doubles.
    char text[400];
    const auto written = fmt::format_to_n(text, sizeof text, "{:.4f}", value);
    double rounded = 0.0;
    fast_float::from_chars(text, written.out, rounded, fast_float::chars_format::fixed);
    // -0.00004 rounds to -0; show it as 0.
    return rounded + 0.0;
}

}  // namespace absorber
