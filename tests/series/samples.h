#pragma once

#include "series/file.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <vector>

// A series with what a reader or writer could lose: Example A, Example B
// with a label a spreadsheet would run as a formula, Example C (refused by
// the outlet test) with quotes, a comma, a line break and umlauts in its
// label, a run of zeros, and a negative height the coefficient refuses.
series::Series sampleSeries();

// computeRun of each sample run, computed once for the test program.
const std::vector<series::RunResult>& sampleResults();

inline std::uint64_t bits(double value)
{
    return std::bit_cast<std::uint64_t>(value);
}

// Series and results equal bit for bit, with what differs on failure.
testing::AssertionResult identicalSeries(const series::Series& expected, const series::Series& actual);
testing::AssertionResult sameResults(const series::RunResult& expected, const series::RunResult& actual);
testing::AssertionResult storedAsComputed(const series::StoredResults& stored, const series::RunResult& computed);
