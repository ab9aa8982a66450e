#include "core/absorber.h"

#include "core/checked.h"

#include <cmath>

namespace absorber {

Coefficient findMtc(double packingHeight, double ntu, double gasFlow)
{
    // A height that is not finite is never typed.
    if (!(packingHeight > 0.0 && ntu > 0.0 && gasFlow > 0.0) || !std::isfinite(packingHeight))
        return {Outcome::invalidData};

    detail::Checked ops;
    const double numerator = ops.mul(ntu, gasFlow);
    if (ops.failed())
        return {ops.fault()};
    // The cross-section of the laboratory column, 0.05^2 * 3.1416.
    const double section = ops.mul(std::pow(0.05, 2.0), 3.1416);
    if (ops.failed())
        return {ops.fault()};
    const double mtc = ops.div(numerator, ops.mul(packingHeight, section));
    if (ops.failed())
        return {ops.fault()};
    return {Outcome::completed, mtc};
}

std::optional<double> heightOfTransferUnit(double packingHeight, double ntu)
{
    if (!(packingHeight > 0.0 && ntu > 0.0))
        return std::nullopt;
    const double height = packingHeight / ntu;
    return std::isfinite(height) ? std::optional(height) : std::nullopt;
}

}  // namespace absorber
