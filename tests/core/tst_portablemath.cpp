#include "core/portablemath.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

enum class Function { log, log1p, exp };

double portable(Function f, double x)
{
    switch (f) {
    case Function::log:
        return absorber::portableLog(x);
    case Function::log1p:
        return absorber::portableLog1p(x);
    case Function::exp:
        return absorber::portableExp(x);
    }
    return nan;
}

double cLibrary(Function f, double x)
{
    switch (f) {
    case Function::log:
        return std::log(x);
    case Function::log1p:
        return std::log1p(x);
    case Function::exp:
        return std::exp(x);
    }
    return nan;
}

// 64 bits or more of precision (x87 or quad): an error far below a double's ulp.
long double extended(Function f, long double x)
{
    switch (f) {
    case Function::log:
        return std::log(x);
    case Function::log1p:
        return std::log1p(x);
    case Function::exp:
        return std::exp(x);
    }
    return nan;
}

// The distance of a result from a more precise value in units of the last
// place of the double nearest that value.
double ulpsFrom(double result, long double exact)
{
    const double nearest = std::fabs(static_cast<double>(exact));
    const double ulp = std::nextafter(nearest, inf) - nearest;
    return static_cast<double>(std::fabs(static_cast<long double>(result) - exact) / ulp);
}

// How many doubles lie between two results.
std::uint64_t doublesApart(double a, double b)
{
    const auto ordered = [](double v) {
        const auto bits = std::bit_cast<std::int64_t>(v);
        return bits < 0 ? std::numeric_limits<std::int64_t>::min() - bits : bits;
    };
    const std::int64_t ia = ordered(a);
    const std::int64_t ib = ordered(b);
    return ia > ib ? static_cast<std::uint64_t>(ia - ib) : static_cast<std::uint64_t>(ib - ia);
}

struct RangeCase {
    const char* name;
    Function function;
    double low, high;
    bool geometric;  // spread by ratio rather than by difference
};

class PortableMathRange : public testing::TestWithParam<RangeCase> {};

TEST_P(PortableMathRange, IsWithinOneUlpOfTheExactValueAndOfTheCLibrary)
{
    const RangeCase& c = GetParam();
    std::mt19937_64 bits(20261208);
    double worst = 0.0;
    double worstAt = 0.0;
    std::uint64_t worstApart = 0;
    for (int i = 0; i < 100000; ++i) {
        const long double u = static_cast<long double>(bits() >> 11) * 0x1p-53L;
        const long double low = c.low;
        const long double high = c.high;
        const double x = static_cast<double>(c.geometric ? low * std::pow(high / low, u) : low + (high - low) * u);
        const double result = portable(c.function, x);
        const double error = ulpsFrom(result, extended(c.function, x));
        if (error > worst) {
            worst = error;
            worstAt = x;
        }
        worstApart = std::max(worstApart, doublesApart(result, cLibrary(c.function, x)));
    }
    EXPECT_LE(worst, 1.0) << "at " << std::hexfloat << worstAt;
    EXPECT_LE(worstApart, 1u);
}

INSTANTIATE_TEST_SUITE_P(Values, PortableMathRange, testing::Values(
    RangeCase{"log_subnormal", Function::log, 0x1p-1074, 0x1p-1022, true},
    RangeCase{"log_whole_range", Function::log, 1e-307, 1e308, true},
    RangeCase{"log_near_one", Function::log, 0.7, 1.5, false},
    RangeCase{"log_monte_carlo_draws", Function::log, 1e-6, 1.0, true},
    RangeCase{"log1p_tiny", Function::log1p, 1e-300, 1e-8, true},
    RangeCase{"log1p_tiny_negative", Function::log1p, -1e-8, -1e-300, true},
    RangeCase{"log1p_unreduced", Function::log1p, -0.3, 0.42, false},
    RangeCase{"log1p_near_minus_one", Function::log1p, -1.0 + 0x1p-53, -0.29, false},
    RangeCase{"log1p_large", Function::log1p, 0.4, 1e300, true},
    RangeCase{"exp_near_zero", Function::exp, -0.5, 0.5, false},
    RangeCase{"exp_whole_range", Function::exp, -708.0, 709.78, false},
    RangeCase{"exp_subnormal_results", Function::exp, -745.0, -708.5, false}),
    [](const auto& row) { return std::string(row.param.name); });

struct EdgeCase {
    const char* name;
    Function function;
    double x;
    double expected;  // compared bit for bit, the sign of 0 included; any NaN for NaN
};

class PortableMathEdge : public testing::TestWithParam<EdgeCase> {};

TEST_P(PortableMathEdge, GivesTheExactOrLimitingValue)
{
    const EdgeCase& c = GetParam();
    const double result = portable(c.function, c.x);
    if (std::isnan(c.expected))
        EXPECT_TRUE(std::isnan(result)) << result;
    else
        EXPECT_EQ(std::bit_cast<std::uint64_t>(result), std::bit_cast<std::uint64_t>(c.expected))
            << std::hexfloat << result;
}

INSTANTIATE_TEST_SUITE_P(Values, PortableMathEdge, testing::Values(
    EdgeCase{"log_of_one", Function::log, 1.0, 0.0},
    EdgeCase{"log_of_zero", Function::log, 0.0, -inf},
    EdgeCase{"log_of_minus_zero", Function::log, -0.0, -inf},
    EdgeCase{"log_of_negative", Function::log, -1.0, nan},
    EdgeCase{"log_of_inf", Function::log, inf, inf},
    EdgeCase{"log_of_nan", Function::log, nan, nan},
    // ln 2 and ln 2^-1074 = -1074 ln 2, rounded to nearest.
    EdgeCase{"log_of_two", Function::log, 2.0, 0x1.62e42fefa39efp-1},
    EdgeCase{"log_of_smallest_subnormal", Function::log, 0x1p-1074, -0x1.74385446d71c3p+9},
    EdgeCase{"log1p_of_zero", Function::log1p, 0.0, 0.0},
    EdgeCase{"log1p_of_minus_zero", Function::log1p, -0.0, -0.0},
    EdgeCase{"log1p_of_subnormal", Function::log1p, 0x1p-1074, 0x1p-1074},
    EdgeCase{"log1p_of_minus_one", Function::log1p, -1.0, -inf},
    EdgeCase{"log1p_below_minus_one", Function::log1p, -1.5, nan},
    EdgeCase{"log1p_of_inf", Function::log1p, inf, inf},
    EdgeCase{"log1p_of_nan", Function::log1p, nan, nan},
    EdgeCase{"exp_of_zero", Function::exp, 0.0, 1.0},
    EdgeCase{"exp_of_minus_zero", Function::exp, -0.0, 1.0},
    EdgeCase{"exp_overflows", Function::exp, 709.8, inf},
    EdgeCase{"exp_of_inf", Function::exp, inf, inf},
    EdgeCase{"exp_of_minus_inf", Function::exp, -inf, 0.0},
    EdgeCase{"exp_underflows", Function::exp, -746.0, 0.0},
    EdgeCase{"exp_of_nan", Function::exp, nan, nan}),
    [](const auto& row) { return std::string(row.param.name); });

// Sums a double sum loses entirely; each exact, so the pair must give it.
struct SumCase {
    const char* name;
    std::vector<double> terms;     // added in order
    std::vector<double> products;  // pairs multiplied, then added
    double expected;
};

class CompensatedSum : public testing::TestWithParam<SumCase> {};

TEST_P(CompensatedSum, KeepsWhatRoundingLoses)
{
    const SumCase& c = GetParam();
    absorber::CompensatedSum sum;
    for (const double term : c.terms)
        sum.add(term);
    for (std::size_t i = 0; i + 1 < c.products.size(); i += 2)
        sum.addProduct(c.products[i], c.products[i + 1]);
    EXPECT_EQ(sum.value(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Sums, CompensatedSum, testing::Values(
    SumCase{"cancellation", {1e16, 1.0, -1e16}, {}, 1.0},
    SumCase{"ten_half_ulps", {1.0, 0x1p-53, 0x1p-53, 0x1p-53, 0x1p-53, 0x1p-53, 0x1p-53, 0x1p-53, 0x1p-53, 0x1p-53,
                              0x1p-53}, {}, 1.0 + 10 * 0x1p-53},
    // (1 + 2^-30)^2 = 1 + 2^-29 + 2^-60; the double product drops 2^-60.
    SumCase{"square_beyond_a_double", {-(1.0 + 0x1p-29)}, {1.0 + 0x1p-30, 1.0 + 0x1p-30}, 0x1p-60},
    SumCase{"products_cancel", {}, {0.1, 0.1, -0.1, 0.1, 3.0, 0x1p-70}, 3 * 0x1p-70}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
