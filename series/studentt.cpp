#include "series/studentt.h"

#include "series/studentt_table.h"

#include <limits>

namespace series {

double studentT975(std::size_t dof)
{
    if (dof == 0)
        return std::numeric_limits<double>::quiet_NaN();
    if (dof <= detail::t975Table.size())
        return detail::t975Table[dof - 1];
    // t = z + g1(z)/v + g2(z)/v^2 + ... (Abramowitz and Stegun 26.7.5), z
    // the normal distribution's 97.5 % quantile; the next term is below
    // 1e-16 relative beyond 400 degrees of freedom.
    constexpr double z = 0x1.f5c0331eeff84p+0;
    constexpr double z2 = z * z;
    constexpr double g1 = z * (z2 + 1.0) / 4.0;
    constexpr double g2 = z * ((5.0 * z2 + 16.0) * z2 + 3.0) / 96.0;
    constexpr double g3 = z * (((3.0 * z2 + 19.0) * z2 + 17.0) * z2 - 15.0) / 384.0;
    constexpr double g4 = z * ((((79.0 * z2 + 776.0) * z2 + 1482.0) * z2 - 1920.0) * z2 - 945.0) / 92160.0;
    constexpr double g5 =
        z * (((((27.0 * z2 + 339.0) * z2 + 930.0) * z2 - 1782.0) * z2 - 765.0) * z2 + 17955.0) / 368640.0;
    const auto v = static_cast<double>(dof);
    return z + (g1 + (g2 + (g3 + (g4 + g5 / v) / v) / v) / v) / v;
}

}  // namespace series
