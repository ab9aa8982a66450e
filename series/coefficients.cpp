#include "series/coefficients.h"

#include "core/absorber.h"
#include "core/portablemath.h"
#include "core/widevectors.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>

// The faults are gathered with & on purpose: GCC vectorises no loop where
// && leaves a branch.
#if defined(__clang__)
#pragma clang diagnostic ignored "-Wbitwise-instead-of-logical"
#endif

namespace series {
namespace {

// Not NaN and not infinite: the value a checked step of the core lets pass.
bool finiteValue(double x)
{
    return std::fabs(x) <= std::numeric_limits<double>::max();
}

// The balance refuses y2 unless it shows between 0.0001 and 0.9999. Rounding
// to four decimals never decreases with its argument, so the test is two
// comparisons with the last y2 that shows as 0 and the first that shows as
// 1, found with the balance's own rounding rather than written out.
struct ShownLimits {
    double zeroUpTo;
    double oneFrom;
};

ShownLimits shownLimits()
{
    double zero = 0.00005;
    while (absorber::roundResult(zero) > 0.0)
        zero = std::nextafter(zero, 0.0);
    while (absorber::roundResult(std::nextafter(zero, 1.0)) <= 0.0)
        zero = std::nextafter(zero, 1.0);
    double one = 0.99995;
    while (absorber::roundResult(one) < 1.0)
        one = std::nextafter(one, 2.0);
    while (absorber::roundResult(std::nextafter(one, 0.0)) >= 1.0)
        one = std::nextafter(one, 0.0);
    return {zero, one};
}

using Slopes = std::array<double, absorber::equilibriumPoints.size()>;

// y* / x of each row of the equilibrium table, as the balance divides them;
// at a temperature y* is first scaled as lookupEquilibrium scales it.
Slopes slopes(std::optional<double> celsius)
{
    Slopes made{};
    for (std::size_t j = 0; j < made.size(); ++j) {
        const absorber::EquilibriumPoint point = absorber::equilibriumPoints[j];
        const double y = celsius ? point.y * absorber::equilibriumFactor(*celsius) : point.y;
        made[j] = y / point.x;
    }
    return made;
}

// What every draw's evaluation shares.
struct Constants {
    ShownLimits shown;
    Slopes slope;
    double section;
    double usable;  // 0 where closeBalance refuses the temperature: no draw has a value
};

Constants constantsAt(std::optional<double> celsius)
{
    // findMtc's cross-section is the same expression.
    static const ShownLimits shown = shownLimits();
    const bool usable = !celsius || absorber::usableTemperature(*celsius);
    return {shown, slopes(celsius), std::pow(0.05, 2.0) * 3.1416, usable ? 1.0 : 0.0};
}

// The balance and the closed form's argument t a for n draws, each step of
// the core in the same order, every value computed and the faults gathered
// in `given`; & rather than && so that no branch stops vectorisation, and
// __restrict so that GCC needs no test of the arrays' overlap; the constants
// by value, which no store through the arrays can change.
QUILLON_WIDE_VECTORS void balanceOf(const Constants c, std::size_t n, const double* __restrict y1s,
                                    const double* __restrict x1s, const double* __restrict gases,
                                    const double* __restrict waters, double* __restrict ts, double* __restrict ats,
                                    double* __restrict given)
{
    const double massRatio = 29.0 / 17.0;
    for (std::size_t d = 0; d < n; ++d) {
        const double y1 = y1s[d];
        const double x1 = x1s[d];
        const double gas = gases[d];
        const double water = waters[d];
        const bool valid = (c.usable != 0.0) & finiteValue(y1) & finiteValue(x1) & finiteValue(gas) & finiteValue(water)
            & (y1 != 0.0) & (x1 != 0.0) & (gas != 0.0) & (water != 0.0) & (y1 <= absorber::maxGasFraction) & (x1 < 1.0);
        // lookupEquilibrium: the first row whose x is above y1, else the last.
        double m = c.slope.back();
        for (std::size_t j = c.slope.size() - 1; j-- > 0;)
            m = y1 < absorber::equilibriumPoints[j].x ? c.slope[j] : m;
        const double flowRatio = gas / water;
        const double slopeTimesRatio = m * flowRatio;
        const double flowFactor = 1.0 - slopeTimesRatio;
        const double gasRest = 1.0 - y1;
        const double gasRatio = y1 / gasRest;
        const double liquidRest = 1.0 - x1;
        const double liquidRatio = x1 / liquidRest;
        const double inverseRatio = water / gas;
        const double liquidPart = liquidRatio * inverseRatio;
        const double outletRatio = gasRatio - liquidPart;
        const double outletPlusOne = outletRatio + 1.0;
        const double y2 = outletRatio / outletPlusOne;
        const bool noFault = finiteValue(flowRatio) & finiteValue(slopeTimesRatio) & finiteValue(flowFactor)
            & finiteValue(gasRest) & finiteValue(gasRatio) & finiteValue(liquidRest) & finiteValue(liquidRatio)
            & finiteValue(inverseRatio) & finiteValue(liquidPart) & finiteValue(outletRatio)
            & finiteValue(outletPlusOne) & finiteValue(y2);
        const bool shows = (y2 > c.shown.zeroUpTo) & (y2 < c.shown.oneFrom);
        // With y1 and y2 accepted, the limits and the step cannot fault.
        const double upper = massRatio * y1;
        const double lower = massRatio * y2;

        // closedFormNtu, with drivingForceChangesSign's terms.
        const double a = 1.0 - flowRatio * flowFactor;
        const double b = lower * flowFactor;
        const double atLower = a * lower + b;
        const double atUpper = a * upper + b;
        const bool lowerNegative = atLower < 0.0;
        const bool upperNegative = atUpper < 0.0;
        const bool changesSign =
            (atLower == 0.0) | (atUpper == 0.0) | (lowerNegative & !upperNegative) | (!lowerNegative & upperNegative);
        const double t = (upper - lower) / (a * lower + b);
        const double at = a * t;
        ts[d] = t;
        ats[d] = at;
        given[d] = (valid & noFault & shows & !changesSign & (at > -1.0)) ? 1.0 : 0.0;
    }
}

// closedFormNtu's result from t, a t and ln(1 + a t), then findMtc; `given`
// becomes 0 where they do not complete.
QUILLON_WIDE_VECTORS void coefficientOf(const Constants& c, std::size_t n, const double* __restrict ts,
                                        const double* __restrict ats, const double* __restrict logs,
                                        const double* __restrict gases, const double* __restrict heights,
                                        double* __restrict mtcs, double* __restrict ntus, double* __restrict given)
{
    const double section = c.section;
    for (std::size_t d = 0; d < n; ++d) {
        // Each value read and computed before any is chosen: GCC turns a
        // choice with a division or a load on one side into a branch.
        const double t = ts[d];
        const double at = ats[d];
        const double before = given[d];
        const double quotient = t * (logs[d] / at);
        const double ntu = std::fabs(at == 0.0 ? t : quotient);
        // findMtc.
        const double gas = gases[d];
        const double height = heights[d];
        const double numerator = ntu * gas;
        const double denominator = height * section;
        const double mtc = numerator / denominator;
        const bool completed = finiteValue(ntu) & (height > 0.0) & (ntu > 0.0) & (gas > 0.0) & finiteValue(height)
            & finiteValue(numerator) & finiteValue(denominator) & finiteValue(mtc);
        mtcs[d] = mtc;
        ntus[d] = ntu;
        given[d] = completed ? before : 0.0;
    }
}

BatchValues valuesOf(const Constants& constants, std::span<const std::vector<double>> columns)
{
    const std::size_t n = columns[0].size();
    // Kept from batch to batch, neither allocated nor cleared each time.
    thread_local std::vector<double> ts;
    thread_local std::vector<double> ats;
    thread_local std::vector<double> logs;
    // 1 where a draw has a value so far, else 0: held in doubles, because
    // GCC vectorises no loop that mixes doubles with bytes or turns a
    // comparison of doubles into an integer without SSE4.
    thread_local std::vector<double> given;
    for (std::vector<double>* scratch : {&ts, &ats, &logs, &given})
        scratch->resize(std::max(scratch->size(), n));
    balanceOf(constants, n, columns[0].data(), columns[1].data(), columns[2].data(), columns[3].data(), ts.data(),
              ats.data(), given.data());
    absorber::portableLog1ps(std::span(ats).first(n), std::span(logs).first(n));
    BatchValues values{{std::vector<double>(n), std::vector<double>(n)}, std::vector<unsigned char>(n)};
    coefficientOf(constants, n, ts.data(), ats.data(), logs.data(), columns[2].data(), columns[4].data(),
                  values.outputs[0].data(), values.outputs[1].data(), given.data());
    for (std::size_t d = 0; d < n; ++d)
        values.given[d] = given[d] != 0.0 ? 1 : 0;
    return values;
}

}  // namespace

BatchValues coefficientsOf(std::span<const std::vector<double>> columns)
{
    static const Constants table = constantsAt(std::nullopt);
    return valuesOf(table, columns);
}

BatchModel coefficientModel(std::optional<double> celsius)
{
    if (!celsius)
        return BatchModel(coefficientsOf);
    return [constants = constantsAt(celsius)](std::span<const std::vector<double>> columns) {
        return valuesOf(constants, columns);
    };
}

}  // namespace series
