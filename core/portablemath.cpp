#include "core/portablemath.h"

#include "core/widevectors.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <limits>

namespace absorber {
namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();

// ln 2 in two parts; the first ends in 21 zero bits, so k times it is exact
// for every exponent k a double has.
constexpr double ln2High = 6.93147180369123816490e-01;
constexpr double ln2Low = 1.90821492927058770002e-10;

constexpr std::uint64_t mantissaMask = (std::uint64_t{1} << 52) - 1;

// Minimax polynomials of fdlibm: R(z) = z L(z) for ln, and P for exp.
constexpr std::array<double, 7> logCoefficients{
    6.666666666666735130e-01, 3.999999999940941908e-01, 2.857142874366239149e-01, 2.222219843214978396e-01,
    1.818357216161805012e-01, 1.531383769920937332e-01, 1.479819860511658591e-01};
constexpr std::array<double, 5> expCoefficients{1.66666666666666019037e-01, -2.77777777770155933842e-03,
                                                6.61375632143793436117e-05, -1.65339022054652515390e-06,
                                                4.13813679705723846039e-08};

// c0 + z (c1 + z (c2 + ...)), from the innermost term out.
template <std::size_t n>
double horner(double z, const std::array<double, n>& c)
{
    double sum = c[n - 1];
    for (std::size_t i = n - 1; i-- > 0;)
        sum = c[i] + z * sum;
    return sum;
}

// 2^k for a k a normal double reaches, built from its bits.
double twoPower(int k)
{
    return std::bit_cast<double>(static_cast<std::uint64_t>(k + 1023) << 52);
}

// ln(2^k (1 + f)) + c for f in [sqrt(1/2) - 1, sqrt(2) - 1] and a
// correction c far below the result's last place: ln(1 + f) = 2 atanh(s),
// s = f / (2 + f), as f - f^2/2 + s (f^2/2 + R(s^2)).
double logReduced(double dk, double f, double c)
{
    const double halfSquare = 0.5 * f * f;
    const double s = f / (2.0 + f);
    const double z = s * s;
    const double r = z * horner(z, logCoefficients);
    return dk * ln2High - ((halfSquare - (s * (halfSquare + r) + (dk * ln2Low + c))) - f);
}

// ln(u) + c for a finite normal u > 0: u = 2^k m with m in [sqrt(1/2), sqrt(2)).
double logOfNormal(double u, int extraExponent, double c)
{
    const auto bits = std::bit_cast<std::uint64_t>(u);
    int k = static_cast<int>(bits >> 52) - 1023 + extraExponent;
    const std::uint64_t mantissa = bits & mantissaMask;
    // The split of fdlibm: m below 0x1.6a09ep0 (just under sqrt 2) stays in
    // [1, sqrt 2), the rest is halved into [sqrt(1/2), 1).
    std::uint64_t exponentOfM = std::uint64_t{1023} << 52;
    if ((mantissa >> 32) >= 0x6a09e) {
        exponentOfM = std::uint64_t{1022} << 52;
        ++k;
    }
    const double m = std::bit_cast<double>(mantissa | exponentOfM);
    return logReduced(k, m - 1.0, c);
}

// logOfNormal's reduction for the array forms: 2^k m from the bits by
// selections rather than branches, k an exact integer held in a double.
struct Reduced {
    double k;
    double f;
};

Reduced reduceNormal(double u)
{
    const auto bits = std::bit_cast<std::uint64_t>(u);
    // 2^52 + e is exact, so subtracting 2^52 gives the exponent field e.
    const double exponent = std::bit_cast<double>((bits >> 52) | (std::uint64_t{0x433} << 52)) - 0x1p52;
    const double m = std::bit_cast<double>((bits & mantissaMask) | (std::uint64_t{1023} << 52));
    // mantissa >> 32 >= 0x6a09e, compared as the double m in [1, 2).
    const bool halved = m >= 0x1.6a09ep0;
    const double half = 0.5 * m;
    return {(exponent - 1023.0) + (halved ? 1.0 : 0.0), (halved ? half : m) - 1.0};
}

}  // namespace

double portableLog(double x)
{
    if (x != x)
        return x;
    if (x < 0.0)
        return notANumber;
    if (x == 0.0)
        return -infinity;
    if (x == infinity)
        return x;
    // Subnormals are scaled into the normal range first.
    if (x < std::numeric_limits<double>::min())
        return logOfNormal(x * 0x1p54, -54, 0.0);
    return logOfNormal(x, 0, 0.0);
}

double portableLog1p(double x)
{
    if (x != x)
        return x;
    if (x < -1.0)
        return notANumber;
    if (x == -1.0)
        return -infinity;
    if (x == infinity)
        return x;
    const double magnitude = x < 0.0 ? -x : x;
    if (magnitude < 0x1p-29) {
        // x - x^2/2 is ln(1 + x) to the last bit; below 2^-54 it is x.
        if (magnitude < 0x1p-54)
            return x;
        return x - x * x * 0.5;
    }
    // 1 + x is then itself in [sqrt(1/2), sqrt(2)]: no reduction.
    if (x > -0.2928932188134524 && x < 0.41421356237309503)
        return logReduced(0, x, 0.0);
    // Beyond 2^53, 1 + x is x.
    if (x >= 0x1p53)
        return logOfNormal(x, 0, 0.0);
    // 1 + x rounds to u; ln(1 + x) = ln u + c / u, c what the rounding lost.
    const double u = 1.0 + x;
    const double c = u >= 2.0 ? 1.0 - (u - x) : x - (u - 1.0);
    return logOfNormal(u, 0, c / u);
}

QUILLON_WIDE_VECTORS void portableLogs(std::span<const double> x, std::span<double> out)
{
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double v = x[i];
        // Every case is computed and the one portableLog takes is kept.
        const bool subnormal = v < std::numeric_limits<double>::min();
        const double scaled = v * 0x1p54;
        const Reduced r = reduceNormal(subnormal ? scaled : v);
        double y = logReduced(r.k - (subnormal ? 54.0 : 0.0), r.f, 0.0);
        y = v == infinity ? v : y;
        y = v == 0.0 ? -infinity : y;
        y = v < 0.0 ? notANumber : y;
        out[i] = v != v ? v : y;
    }
}

QUILLON_WIDE_VECTORS void portableLogsOfNormals(std::span<const double> x, std::span<double> out)
{
    for (std::size_t i = 0; i < x.size(); ++i) {
        const Reduced r = reduceNormal(x[i]);
        out[i] = logReduced(r.k, r.f, 0.0);
    }
}

QUILLON_WIDE_VECTORS void portableLog1ps(std::span<const double> x, std::span<double> out)
{
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double v = x[i];
        const double magnitude = v < 0.0 ? -v : v;
        const bool beyond = v >= 0x1p53;
        const double one = 1.0 + v;
        const double u = beyond ? v : one;
        const double lost = u >= 2.0 ? 1.0 - (u - v) : v - (u - 1.0);
        const double correction = lost / u;
        const Reduced r = reduceNormal(u);
        const bool near = v > -0.2928932188134524 && v < 0.41421356237309503;
        double y = logReduced(near ? 0.0 : r.k, near ? v : r.f, near || beyond ? 0.0 : correction);
        const double square = v - v * v * 0.5;
        y = magnitude < 0x1p-29 ? square : y;
        y = magnitude < 0x1p-54 ? v : y;
        y = v == infinity ? v : y;
        y = v == -1.0 ? -infinity : y;
        y = v < -1.0 ? notANumber : y;
        out[i] = v != v ? v : y;
    }
}

double portableExp(double x)
{
    if (x != x)
        return x;
    if (x > 7.09782712893383973096e+02)
        return infinity;
    if (x < -7.45133219101941108420e+02)
        return 0.0;
    const double magnitude = x < 0.0 ? -x : x;
    if (magnitude < 0x1p-28)
        return 1.0 + x;
    // x = k ln 2 + r, |r| <= ln(2)/2, with r = hi - lo kept in two parts.
    int k = 0;
    double hi = x;
    double lo = 0.0;
    if (magnitude > 0.5 * 6.93147180559945286227e-01) {
        if (magnitude < 1.5 * 6.93147180559945286227e-01)
            k = x < 0.0 ? -1 : 1;
        else
            k = static_cast<int>(1.44269504088896338700e+00 * x + (x < 0.0 ? -0.5 : 0.5));
        const double dk = k;
        hi = x - dk * ln2High;
        lo = dk * ln2Low;
    }
    const double r = hi - lo;
    // e^r = 1 + 2r / (2 - c(r)) with c(r) = r - r^2 P(r^2), a minimax fit.
    const double t = r * r;
    const double c = r - t * horner(t, expCoefficients);
    if (k == 0)
        return 1.0 - ((r * c) / (c - 2.0) - r);
    const double y = 1.0 - ((lo - (r * c) / (2.0 - c)) - hi);
    // Scaled by powers of two, exact but for the one rounding into the
    // subnormals.
    if (k > 1023)
        return y * twoPower(k - 1) * 2.0;
    if (k >= -1021)
        return y * twoPower(k);
    return y * twoPower(k + 1000) * 0x1p-1000;
}

}  // namespace absorber
