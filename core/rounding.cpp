#include "core/absorber.h"

#include <charconv>
#include <cmath>

namespace absorber {

double roundResult(double value)
{
    if (!std::isfinite(value))
        return value;
    // to_chars works on the exact binary value and breaks an exact tie to
    // the even digit, which a scaled std::nearbyint(value * 1e4) cannot
    // promise: the product is itself rounded. The largest double needs 309
    // integer digits.
    char text[400];
    const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 4);
    double rounded = 0.0;
    std::from_chars(text, written.ptr, rounded, std::chars_format::fixed);
    // -0.00004 rounds to -0; show it as 0.
    return rounded + 0.0;
}

}  // namespace absorber
