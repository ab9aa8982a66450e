// A report's number against the computed one, at the precision the window
// shows: the rounding rows a grader meets.

#include "present/checking.h"
#include "present/classsummary.h"

#include <gtest/gtest.h>

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace {

struct ShownCase {
    const char* name;
    double given;
    double computed;
    present::Shown shown;
    bool agrees;
};

class AsShown : public testing::TestWithParam<ShownCase> {};

TEST_P(AsShown, AgreesOnlyWhereTheWindowShowsTheSameText)
{
    const ShownCase& row = GetParam();
    EXPECT_EQ(present::agreesAsShown(row.given, row.computed, row.shown), row.agrees);
}

using present::Shown;

INSTANTIATE_TEST_SUITE_P(Present, AsShown, testing::Values(
    ShownCase{"as_shown", 1.7514, 1.751419, Shown::result, true},
    ShownCase{"last_digit_up", 1.7515, 1.751419, Shown::result, false},
    ShownCase{"last_digit_down", 1.7513, 1.751419, Shown::result, false},
    // Fewer digits than the window shows is a different number.
    ShownCase{"fewer_digits", 1.75, 1.751419, Shown::result, false},
    // The window drops the zeros that end a result: 1.75 for 1.7500.
    ShownCase{"trailing_zeros", 1.75, 1.750004, Shown::result, true},
    ShownCase{"more_digits_rounding_to_it", 1.751449, 1.751419, Shown::result, true},
    ShownCase{"more_digits_rounding_past_it", 1.75146, 1.751419, Shown::result, false},
    // 1.75145 is a little below the tie in binary, and the window rounds
    // the binary value.
    ShownCase{"decimal_tie_below_in_binary", 1.75145, 1.751419, Shown::result, true},
    // 33/32 and 35/32 are exact ties in binary; the window breaks them to
    // the even digit.
    ShownCase{"exact_tie_to_even_down", 1.03125, 1.0312, Shown::result, true},
    ShownCase{"exact_tie_to_even_up", 1.09375, 1.0938, Shown::result, true},
    ShownCase{"exact_tie_not_away", 1.03125, 1.0313, Shown::result, false},
    // An uncertainty shows two significant digits, a tie of its text away
    // from zero.
    ShownCase{"uncertainty_two_digits", 0.12, 0.1239, Shown::uncertainty, true},
    ShownCase{"uncertainty_tie_away", 0.125, 0.13, Shown::uncertainty, true},
    ShownCase{"uncertainty_below_tie", 0.1249, 0.13, Shown::uncertainty, false},
    ShownCase{"uncertainty_one_digit", 0.1, 0.1239, Shown::uncertainty, false},
    ShownCase{"uncertainty_large", 13, 12.6, Shown::uncertainty, true}),
    [](const auto& row) { return std::string(row.param.name); });

// A report's "MTC ± U": the U after the sign is compared at its two
// significant digits where the run has a U, and not where it has none.
struct PlusMinusCase {
    const char* name;
    std::optional<double> u;  // the run's standard uncertainty, drawn
    std::vector<std::string> differing;
};

class PlusMinus : public testing::TestWithParam<PlusMinusCase> {};

TEST_P(PlusMinus, ComparesTheUWhereTheRunHasOne)
{
    const PlusMinusCase& row = GetParam();
    series::ReportedResults reported;
    reported.mtc = series::ReportedCell{"24.4649", 24.4649};
    reported.mtcU = series::ReportedCell{"0.75", 0.75};
    series::RunResult result;
    result.mtc = 24.46489522945183;
    series::RunUncertainty uncertainty;
    if (row.u)
        uncertainty.monteCarlo = series::MonteCarlo{24.46, *row.u, {}, 0.38, 0.0, {}, 1000, 0, true};
    present::CheckRule rule;
    rule.asShown = true;
    const present::FileCheck check =
        present::checkResults({}, std::span(&reported, 1), std::span(&result, 1), std::span(&uncertainty, 1), rule);
    std::vector<std::string> differing;
    for (const present::ValueDifference& difference : check.differences)
        differing.push_back(difference.field);
    EXPECT_EQ(differing, row.differing);
    EXPECT_TRUE(present::reportsUncertainty(std::span(&reported, 1)));
}

INSTANTIATE_TEST_SUITE_P(Present, PlusMinus, testing::Values(
    PlusMinusCase{"u_as_shown", 0.374, {}},
    PlusMinusCase{"u_off", 0.38, {"U"}},
    PlusMinusCase{"no_u_in_the_run", std::nullopt, {}}),
    [](const auto& row) { return std::string(row.param.name); });

// The class's spread: quartiles between the sorted values (p (n - 1)),
// and Tukey's fences 1.5 interquartile ranges beyond them.
struct SpreadCase {
    const char* name;
    std::vector<double> exponents;
    double median, lowerQuartile, upperQuartile;
    std::vector<std::size_t> outliers;
};

class ClassSpread : public testing::TestWithParam<SpreadCase> {};

TEST_P(ClassSpread, QuartilesAndFences)
{
    const SpreadCase& row = GetParam();
    std::vector<present::SummaryRow> rows;
    for (const double exponent : row.exponents) {
        present::SummaryRow file;
        file.law = series::PowerLaw{};
        file.law->gasExponent = series::Estimate{exponent, 0.0, 0.0, 0.0};
        rows.push_back(file);
    }
    const present::ClassSummary summary = present::summarise(rows);
    ASSERT_TRUE(summary.gas);
    EXPECT_FALSE(summary.water);
    EXPECT_EQ(summary.gas->median, row.median);
    EXPECT_EQ(summary.gas->lowerQuartile, row.lowerQuartile);
    EXPECT_EQ(summary.gas->upperQuartile, row.upperQuartile);
    std::vector<std::size_t> named;
    for (const present::Outlier& outlier : summary.outliers)
        named.push_back(outlier.row);
    EXPECT_EQ(named, row.outliers);
}

INSTANTIATE_TEST_SUITE_P(Present, ClassSpread, testing::Values(
    SpreadCase{"four_files_interpolated", {4, 1, 3, 2}, 2.5, 1.75, 3.25, {}},
    SpreadCase{"far_above", {1, 2, 3, 4, 100}, 3, 2, 4, {4}},
    // Fences at 2 - 3 = -1 and 4 + 3 = 7: on a fence is inside.
    SpreadCase{"on_the_fences", {-1, 2, 3, 4, 7}, 3, 2, 4, {}},
    SpreadCase{"just_beyond", {-1.5, 2, 3, 4, 7.5}, 3, 2, 4, {0, 4}}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
