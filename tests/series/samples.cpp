#include "tests/series/samples.h"

namespace {

bool same(const std::optional<double>& a, const std::optional<double>& b)
{
    return a.has_value() == b.has_value() && (!a || bits(*a) == bits(*b));
}

}  // namespace

series::Series sampleSeries()
{
    series::Series sample;
    sample.title = "Absorber Ü3";
    sample.people = "A. Lind, B. Öz";
    sample.date = "2026-12-08";
    sample.notes = "Column rinsed\nbefore run 2";
    sample.runs = {
        {{0.02, 0.01, 1, 1}, 2.0, "G1 L1", false, false, {}, {}},
        {{0.045, 0.02, 2, 3}, 1.5, "=SUM(A1)", true, false, {}, {}},
        {{0.02, 0.01, 1, 5}, std::nullopt, "Lauf \"C\", wärmer\r\nzweite Zeile", false, false, {}, {}},
        {{0, 0, 0, 0}, std::nullopt, "'zero", false, false, {}, {}},
        {{0.02, 0.01, 1, 1}, -2.0, "", false, false, {}, {}},
    };
    // Defaults for the flows and fractions; Example A measures its height to
    // 5 mm, and takes x1 as exact. Example B, excluded, is one the user
    // would otherwise include.
    sample.uncertainty = {0.02, 0.02, 0.0005, 0.0005, std::nullopt};
    sample.runs[0].uncertainty.packingHeight = 0.005;
    sample.runs[0].uncertainty.x1 = 0.0;
    sample.runs[1].included = true;
    return sample;
}

series::Series labSeries()
{
    series::Series lab;
    for (const double water : {4.0, 8.0}) {
        for (const double gas : {1.0, 1.5, 2.0, 2.5, 3.0}) {
            series::Run run;
            run.inputs = {0.02, 0.008 * gas / water + 0.0001 * gas, gas, water};
            run.packingHeight = 2.0;
            lab.runs.push_back(run);
        }
    }
    return lab;
}

const std::vector<series::RunResult>& sampleResults()
{
    static const std::vector<series::RunResult> results = [] {
        std::vector<series::RunResult> computed;
        for (const series::Run& run : sampleSeries().runs)
            computed.push_back(series::computeRun(run));
        return computed;
    }();
    return results;
}

testing::AssertionResult identicalSeries(const series::Series& expected, const series::Series& actual)
{
    if (series::identical(expected, actual))
        return testing::AssertionSuccess();
    // The file shows every value in full, numbers as their shortest text.
    return testing::AssertionFailure() << "expected\n"
                                       << series::writeSeriesFile(expected, {}) << "actual\n"
                                       << series::writeSeriesFile(actual, {});
}

testing::AssertionResult sameResults(const series::RunResult& expected, const series::RunResult& actual)
{
    const auto& a = expected.balance;
    const auto& b = actual.balance;
    const bool samePoint = a.point.has_value() == b.point.has_value()
        && (!a.point || (bits(a.point->x) == bits(b.point->x) && bits(a.point->y) == bits(b.point->y)));
    if (expected.outcome == actual.outcome && expected.coefficientOutcome == actual.coefficientOutcome
        && a.outcome == b.outcome && samePoint && same(a.y2, b.y2)
        && bits(a.limits.stepWidth) == bits(b.limits.stepWidth) && same(expected.ntu, actual.ntu)
        && same(expected.mtc, actual.mtc))
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "results differ, outcome " << series::outcomeName(expected.outcome) << " and "
                                       << series::outcomeName(actual.outcome);
}

testing::AssertionResult storedAsComputed(const series::StoredResults& stored, const series::RunResult& computed)
{
    const auto& point = computed.balance.point;
    if (stored.outcome == computed.outcome && same(stored.eqX, point ? std::optional(point->x) : std::nullopt)
        && same(stored.eqY, point ? std::optional(point->y) : std::nullopt) && same(stored.y2, computed.balance.y2)
        && same(stored.ntu, computed.ntu) && same(stored.mtc, computed.mtc))
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "stored results differ from the computed ones, outcome "
                                       << series::outcomeName(computed.outcome);
}
