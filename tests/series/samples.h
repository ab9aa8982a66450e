#pragma once

#include "present/seriesmessages.h"
#include "series/file.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

// A message as quillon-cli words it, in English.
inline std::string words(const series::Message& message)
{
    return present::seriesMessage(message);
}

// A series with what a reader or writer could lose: Example A, Example B
// with a label a spreadsheet would run as a formula, Example C (refused by
// the outlet test) with quotes, a comma, a line break and umlauts in its
// label, a run of zeros, and a negative height the coefficient refuses.
series::Series sampleSeries();

// A lab series for the fit: five gas flows at each of two water flows, x1
// rising with the gas flow as the water takes up more NH3, each with a
// height.
series::Series labSeries();

// computeRun of each sample run, computed once for the test program.
const std::vector<series::RunResult>& sampleResults();

// Doubles at the edges, for every numeric field of a run: what a writer must
// write and a reader read back bit for bit.
struct EdgeNumber {
    const char* name;
    double value;
};

inline constexpr std::array<EdgeNumber, 10> edgeNumbers{{
    {"smallest_subnormal", std::numeric_limits<double>::denorm_min()},
    {"negative_subnormal", -3 * std::numeric_limits<double>::denorm_min()},
    {"negative_zero", -0.0},
    {"smallest_normal", std::numeric_limits<double>::min()},
    {"one_e308", 1e308},
    {"largest", std::numeric_limits<double>::max()},
    {"one_tenth", 0.1},
    {"one_third", 1.0 / 3.0},
    {"two_to_53_plus_2", 9007199254740994.0},
    {"negative_integer", -7.0},
}};

inline std::string edgeName(const testing::TestParamInfo<EdgeNumber>& info)
{
    return info.param.name;
}

// One run with the value as each input and as its height.
inline series::Series edgeSeries(double value)
{
    series::Series edge;
    edge.runs.push_back({{value, value, value, value}, value, "", false, false, {}, {}});
    return edge;
}

inline std::uint64_t bits(double value)
{
    return std::bit_cast<std::uint64_t>(value);
}

// Series and results equal bit for bit, with what differs on failure.
testing::AssertionResult identicalSeries(const series::Series& expected, const series::Series& actual);
testing::AssertionResult sameResults(const series::RunResult& expected, const series::RunResult& actual);
testing::AssertionResult storedAsComputed(const series::StoredResults& stored, const series::RunResult& computed);
