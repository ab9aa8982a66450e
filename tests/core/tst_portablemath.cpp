#include "core/portablemath.h"

#include <gtest/gtest.h>

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

// A portable function and the C library's in long double (64 bits or
// more: its error is far below a double's ulp).
struct Function {
    double (*portable)(double);
    long double (*extended)(long double);
};
const Function log{absorber::portableLog, [](long double x) { return std::log(x); }};
const Function log1p{absorber::portableLog1p, [](long double x) { return std::log1p(x); }};
const Function exp{absorber::portableExp, [](long double x) { return std::exp(x); }};

// |result - reference| in ulps of the double nearest the reference.
double ulpsFrom(double result, long double reference)
{
    const double nearest = std::fabs(static_cast<double>(reference));
    return static_cast<double>(std::fabs(result - reference) / (std::nextafter(nearest, inf) - nearest));
}

struct RangeCase {
    const char* name;
    Function function;
    double low, high;  // spread by ratio when both are nonzero and of one sign
};

class PortableMathRange : public testing::TestWithParam<RangeCase> {};

TEST_P(PortableMathRange, IsWithinOneUlpOfTheExactValue)
{
    const RangeCase& c = GetParam();
    const bool geometric = c.low * c.high > 0.0;
    std::mt19937_64 bits(20261208);
    for (int i = 0; i < 100000; ++i) {
        const long double u = static_cast<long double>(bits() >> 11) * 0x1p-53L;
        const long double low = c.low;
        const double x = static_cast<double>(geometric ? low * std::pow(c.high / low, u) : low + (c.high - low) * u);
        ASSERT_LE(ulpsFrom(c.function.portable(x), c.function.extended(x)), 1.0) << std::hexfloat << x;
    }
}

INSTANTIATE_TEST_SUITE_P(Values, PortableMathRange, testing::Values(
    RangeCase{"log_subnormal", log, 0x1p-1074, 0x1p-1022},
    RangeCase{"log_whole_range", log, 1e-307, 1e308},
    RangeCase{"log_near_one", log, 0.7, 1.5},
    RangeCase{"log1p_tiny", log1p, 1e-300, 1e-8},
    RangeCase{"log1p_tiny_negative", log1p, -1e-8, -1e-300},
    RangeCase{"log1p_unreduced", log1p, -0.3, 0.42},
    RangeCase{"log1p_near_minus_one", log1p, -1.0 + 0x1p-53, -0.29},
    RangeCase{"log1p_large", log1p, 0.4, 1e300},
    RangeCase{"exp_near_zero", exp, -0.5, 0.5},
    RangeCase{"exp_whole_range", exp, -708.0, 709.78},
    RangeCase{"exp_subnormal_results", exp, -745.0, -708.5}),
    [](const auto& row) { return std::string(row.param.name); });

struct EdgeCase {
    const char* name;
    double (*function)(double);
    double x;
    double expected;  // bit for bit, the sign of 0 included; any NaN for NaN
};

class PortableMathEdge : public testing::TestWithParam<EdgeCase> {};

TEST_P(PortableMathEdge, GivesTheExactOrLimitingValue)
{
    const double result = GetParam().function(GetParam().x);
    const double expected = GetParam().expected;
    EXPECT_TRUE(std::bit_cast<std::uint64_t>(result) == std::bit_cast<std::uint64_t>(expected)
                || (std::isnan(result) && std::isnan(expected)))
        << std::hexfloat << result;
}

// ln 2 and -1074 ln 2 rounded to nearest (mpmath).
INSTANTIATE_TEST_SUITE_P(Values, PortableMathEdge, testing::Values(
    EdgeCase{"log_of_minus_zero", absorber::portableLog, -0.0, -inf},
    EdgeCase{"log_of_negative", absorber::portableLog, -1.0, nan},
    EdgeCase{"log_of_two", absorber::portableLog, 2.0, 0x1.62e42fefa39efp-1},
    EdgeCase{"log_of_smallest_subnormal", absorber::portableLog, 0x1p-1074, -0x1.74385446d71c3p+9},
    EdgeCase{"log1p_of_minus_zero", absorber::portableLog1p, -0.0, -0.0},
    EdgeCase{"log1p_of_subnormal", absorber::portableLog1p, 0x1p-1074, 0x1p-1074},
    EdgeCase{"log1p_of_minus_one", absorber::portableLog1p, -1.0, -inf},
    EdgeCase{"log1p_below_minus_one", absorber::portableLog1p, -1.5, nan},
    EdgeCase{"exp_of_minus_zero", absorber::portableExp, -0.0, 1.0},
    EdgeCase{"exp_overflows", absorber::portableExp, 709.8, inf},
    EdgeCase{"exp_underflows", absorber::portableExp, -746.0, 0.0},
    EdgeCase{"exp_of_nan", absorber::portableExp, nan, nan}),
    [](const auto& row) { return std::string(row.param.name); });

// Sums a plain double sum loses entirely: terms added, then pairs multiplied
// and added.
struct SumCase {
    const char* name;
    std::vector<double> terms, products;
    double expected;
};

class CompensatedSum : public testing::TestWithParam<SumCase> {};

TEST_P(CompensatedSum, KeepsWhatRoundingLoses)
{
    absorber::CompensatedSum sum;
    for (const double term : GetParam().terms)
        sum.add(term);
    for (std::size_t i = 0; i + 1 < GetParam().products.size(); i += 2)
        sum.addProduct(GetParam().products[i], GetParam().products[i + 1]);
    EXPECT_EQ(sum.value(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Sums, CompensatedSum, testing::Values(
    SumCase{"cancellation", {1e16, 1.0, -1e16}, {}, 1.0},
    // (1 + 2^-30)^2 = 1 + 2^-29 + 2^-60; the double product drops 2^-60.
    SumCase{"square_beyond_a_double", {-(1.0 + 0x1p-29)}, {1.0 + 0x1p-30, 1.0 + 0x1p-30}, 0x1p-60}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
