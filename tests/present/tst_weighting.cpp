#include "present/fittext.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <cmath>
#include <optional>
#include <set>
#include <string>

namespace {

struct WeightingCase {
    const char* name;
    std::set<std::size_t> withoutU;  // 0-based, as are the others
    std::set<std::size_t> excluded;
    std::set<std::size_t> noGasFlow;
    bool wanted;
    std::optional<std::string> why;  // the fit weighted when empty and wanted
};

class Weighting : public testing::TestWithParam<WeightingCase> {};

// Six runs at three gas and two water flows near MTC = 0.01 G^0.7 L^0.3.
series::Analysis sixRuns(const std::set<std::size_t>& withoutU, const std::set<std::size_t>& excluded,
                         const std::set<std::size_t>& noGasFlow, bool wanted,
                         series::Fitted fitted = series::Fitted::quillon)
{
    series::Series made;
    std::vector<series::RunResult> results(6);
    std::vector<series::RunUncertainty> uncertainties(6);
    for (std::size_t i = 0; i < 6; ++i) {
        series::Run run;
        run.inputs.gasFlow = noGasFlow.count(i) ? 0.0 : double(1 << (i % 3));
        run.inputs.waterFlow = i < 3 ? 1.0 : 3.0;
        run.included = true;
        run.excluded = excluded.count(i) > 0;
        made.runs.push_back(run);
        const double mtc = 0.01 * std::pow(double(1 << (i % 3)), 0.7) * (i < 3 ? 1.0 : 1.39) * (1.0 + 0.01 * double(i));
        results[i].mtc = mtc;
        results[i].mtcColburn = 0.9 * mtc;
        if (!withoutU.count(i))
            uncertainties[i].monteCarlo = series::MonteCarlo{mtc, 0.02 * mtc, {}, 0.0, 0.0, {}, 1000, 0, true};
    }
    return series::analyse(made, results, uncertainties, wanted, fitted);
}

// The last line of the fit says why it is unweighted.
TEST_P(Weighting, SaysWhyTheFitIsUnweighted)
{
    const WeightingCase& c = GetParam();
    const series::Analysis analysis = sixRuns(c.withoutU, c.excluded, c.noGasFlow, c.wanted);
    const auto* law = std::get_if<series::PowerLaw>(&analysis.fit);
    ASSERT_NE(law, nullptr);
    EXPECT_EQ(law->weighted, c.wanted && !c.why);
    EXPECT_EQ(present::unweightedText(analysis, present::Language()), c.why);
    const auto lines = present::fitLines(analysis, "", present::Language(), present::NumberLocale());
    EXPECT_EQ(lines.back(), c.why.value_or(lines.back()));
    EXPECT_EQ(lines[lines.size() - (c.why ? 2 : 1)].rfind("Runs used", 0), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, Weighting,
    testing::Values(
        WeightingCase{"weighted", {}, {}, {}, true, {}}, WeightingCase{"unweightedByChoice", {}, {}, {}, false, {}},
        WeightingCase{"oneRunLacks", {2}, {}, {}, true, "Unweighted because run 3 has no uncertainty."},
        WeightingCase{"twoRunsLack", {5, 2}, {}, {}, false, "Unweighted because runs 3 and 6 have no uncertainty."},
        WeightingCase{"threeRunsLack", {1, 2, 4}, {}, {}, true,
                      "Unweighted because run 2 and 2 more runs have no uncertainty."},
        WeightingCase{"noRunHasOne", {0, 1, 2, 3, 4, 5}, {}, {}, true, "Unweighted because no run has an uncertainty."},
        WeightingCase{"lackingRunExcluded", {2}, {2}, {}, true, {}},
        WeightingCase{"lackingRunLeftOutForItsFlow", {2}, {}, {2}, true, {}}),
    [](const testing::TestParamInfo<WeightingCase>& row) { return std::string(row.param.name); });

struct AwaitingCase {
    const char* name;
    std::set<std::size_t> withoutU;
    std::set<std::size_t> pending;  // of those without, still computing
    std::set<std::size_t> excluded;
    bool wanted;
    std::string firstLine;  // the fit's, in full or its start
    std::optional<std::string> why;
};

class AwaitingUncertainties : public testing::TestWithParam<AwaitingCase> {};

// While uncertainties compute, the weighted fit is waited for, not replaced
// by the unweighted one; a run without one for good keeps today's words.
TEST_P(AwaitingUncertainties, ShowsNoProvisionalFit)
{
    const AwaitingCase& c = GetParam();
    const series::Analysis analysis = sixRuns(c.withoutU, c.excluded, {}, c.wanted);
    present::Computing computing{std::vector<bool>(6), c.wanted};
    for (const std::size_t run : c.pending)
        computing.pending[run] = true;
    const series::Analysis shown = present::analysisAsShown(analysis, computing);
    const auto lines = present::fitLines(shown, "", present::Language(), present::NumberLocale(), computing);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front().rfind(c.firstLine, 0), 0u) << lines.front();
    const bool waits = c.firstLine.rfind("The weighted fit waits", 0) == 0;
    EXPECT_EQ(present::weightsAwaited(analysis, computing).has_value(), waits);
    // No figure of a fit while it waits.
    EXPECT_EQ(std::holds_alternative<series::PowerLaw>(shown.fit), !waits);
    EXPECT_EQ(lines.size() == 2, waits);
    EXPECT_EQ(present::unweightedText(analysis, present::Language(), computing), c.why);
    // The windows say why beside their weighting box, not again in the lines.
    const auto windowLines =
        present::fitLines(shown, "", present::Language(), present::NumberLocale(), computing, false);
    const auto said = c.why ? std::count(lines.begin(), lines.end(), *c.why) : 0;
    EXPECT_EQ(windowLines.size() + std::size_t(said), lines.size());
    if (c.why) {
        EXPECT_EQ(std::count(windowLines.begin(), windowLines.end(), *c.why), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Runs, AwaitingUncertainties,
    testing::Values(
        AwaitingCase{"nonePending", {}, {}, {}, true, "MTC = a", {}},
        AwaitingCase{"allPending", {0, 1, 2, 3, 4, 5}, {0, 1, 2, 3, 4, 5}, {}, true,
                     "The weighted fit waits for the uncertainties: 0 of 6 runs done.", {}},
        AwaitingCase{"twoPending", {2, 4}, {2, 4}, {}, true,
                     "The weighted fit waits for the uncertainties: 4 of 6 runs done.", {}},
        AwaitingCase{"pendingRunExcluded", {2}, {2}, {2}, true, "MTC = a", {}},
        AwaitingCase{"unweightedChosen", {2}, {2}, {}, false, "MTC = a", {}},
        AwaitingCase{"oneFailedOnePending", {2, 4}, {4}, {}, true, "MTC = a",
                     "Unweighted because run 3 has no uncertainty."}),
    [](const testing::TestParamInfo<AwaitingCase>& row) { return std::string(row.param.name); });

// Colburn's coefficient has no uncertainty of its own: its fit names
// Quillon's as the reason, unless no run has one at all.
struct ColburnCase {
    const char* name;
    std::set<std::size_t> withoutU;
    std::set<std::size_t> pending;
    std::string why;
};

class ColburnWeighting : public testing::TestWithParam<ColburnCase> {};

TEST_P(ColburnWeighting, SaysWhyTheFitIsUnweighted)
{
    const ColburnCase& c = GetParam();
    const series::Analysis analysis = sixRuns(c.withoutU, {}, {}, true, series::Fitted::colburn);
    present::Computing computing{std::vector<bool>(6), true};
    for (const std::size_t run : c.pending)
        computing.pending[run] = true;
    EXPECT_EQ(present::unweightedText(analysis, present::Language(), computing), c.why);
}

const std::string quillonsUncertainties = "Unweighted because the uncertainties are those of Quillon's coefficient.";

INSTANTIATE_TEST_SUITE_P(
    Runs, ColburnWeighting,
    testing::Values(ColburnCase{"everyRunHasOne", {}, {}, quillonsUncertainties},
                    ColburnCase{"oneRunHasOne", {0, 1, 2, 4, 5}, {}, quillonsUncertainties},
                    ColburnCase{"noRunHasOne", {0, 1, 2, 3, 4, 5}, {}, "Unweighted because no run has an uncertainty."},
                    // A run still computing may yet have one.
                    ColburnCase{"noneYetSomePending", {0, 1, 2, 3, 4, 5}, {3}, quillonsUncertainties}),
    [](const testing::TestParamInfo<ColburnCase>& row) { return std::string(row.param.name); });

}  // namespace
