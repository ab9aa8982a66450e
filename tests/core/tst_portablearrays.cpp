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

// The values where portableLog and portableLog1p change their way: the
// specials, the subnormals, the split near sqrt 2, the ranges of log1p's
// shortcuts, and both neighbours of each.
std::vector<double> edges()
{
    std::vector<double> made;
    for (const double x : {0.0, 1.0, 2.0, 0.5, 0x1.6a09ep0, 0x1p-1074, 0x1p-1022, 0x1p-1023,
                           std::numeric_limits<double>::max(), inf, std::numeric_limits<double>::quiet_NaN(), 0x1p-29,
                           0x1p-54, 0x1p53, -0.2928932188134524, 0.41421356237309503, 1e-300, 123456.789}) {
        for (const double sign : {1.0, -1.0}) {
            made.push_back(sign * x);
            made.push_back(std::nextafter(sign * x, inf));
            made.push_back(std::nextafter(sign * x, -inf));
        }
        made.push_back(x - 1.0);
        made.push_back(std::nextafter(x - 1.0, inf));
        made.push_back(std::nextafter(x - 1.0, -inf));
    }
    return made;
}

// Random bit patterns reach every exponent, NaN payloads and subnormals;
// uniform draws near 0 and 1 are where the logarithms are used most.
std::vector<double> manyValues()
{
    std::vector<double> made = edges();
    std::mt19937_64 bits(20261209);
    for (int i = 0; i < 200000; ++i) {
        made.push_back(std::bit_cast<double>(bits()));
        made.push_back(static_cast<double>(bits() >> 11) * 0x1p-53);
        made.push_back(static_cast<double>(bits() >> 11) * 0x1p-53 - 0.5);
    }
    return made;
}

struct ArrayCase {
    const char* name;
    void (*array)(std::span<const double>, std::span<double>);
    double (*scalar)(double);
    bool (*within)(double) = nullptr;  // the values the array form takes, when not all
};

class PortableArrays : public testing::TestWithParam<ArrayCase> {};

TEST_P(PortableArrays, GiveTheScalarBitsForEveryValueAndLength)
{
    std::vector<double> values = manyValues();
    if (GetParam().within)
        std::erase_if(values, [](double x) { return !GetParam().within(x); });
    // Every length up to 17 runs the vector loop's remainder as well.
    for (std::size_t length : {values.size(), std::size_t{1}, std::size_t{3}, std::size_t{17}}) {
        const std::span<const double> x = std::span(values).last(length);
        std::vector<double> out(length);
        GetParam().array(x, out);
        for (std::size_t i = 0; i < length; ++i) {
            ASSERT_EQ(std::bit_cast<std::uint64_t>(out[i]), std::bit_cast<std::uint64_t>(GetParam().scalar(x[i])))
                << std::hexfloat << x[i];
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Functions, PortableArrays, testing::Values(
    ArrayCase{"log", absorber::portableLogs, absorber::portableLog},
    ArrayCase{"log1p", absorber::portableLog1ps, absorber::portableLog1p},
    ArrayCase{"log_of_normals", absorber::portableLogsOfNormals, absorber::portableLog,
              [](double x) { return x >= std::numeric_limits<double>::min() && x < inf; }}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
