#include "present/fittext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

const present::Language inGerman = present::Language::fromCatalogue({
    {"SeriesChart\x04Unweighted because run %1 has no uncertainty.",
     "Ungewichtet, weil Versuch %1 keine Unsicherheit hat."},
});

struct WeightingCase {
    const char* name;
    std::set<std::size_t> withoutU;  // 0-based
    std::set<std::size_t> excluded;
    std::optional<std::size_t> noGasFlow;
    bool wanted;
    bool weighted;
    std::optional<std::string> why;
    const present::Language* language = nullptr;
};

// Six runs at three gas and two water flows, near MTC = 0.01 G^0.7 L^0.3
// with some scatter, each with or without an uncertainty.
series::Analysis analysisOf(const WeightingCase& c)
{
    const double gas[] = {1.0, 2.0, 4.0, 1.0, 2.0, 4.0};
    const double water[] = {1.0, 1.0, 1.0, 3.0, 3.0, 3.0};
    const double scatter[] = {1.01, 0.98, 1.02, 0.99, 1.03, 0.97};
    series::Series made;
    std::vector<series::RunResult> results;
    std::vector<series::RunUncertainty> uncertainties;
    for (std::size_t i = 0; i < 6; ++i) {
        series::Run run;
        run.inputs.gasFlow = c.noGasFlow == i ? 0.0 : gas[i];
        run.inputs.waterFlow = water[i];
        run.included = true;
        run.excluded = c.excluded.count(i) > 0;
        made.runs.push_back(run);
        series::RunResult result;
        result.mtc = 0.01 * std::pow(gas[i], 0.7) * std::pow(water[i], 0.3) * scatter[i];
        results.push_back(result);
        series::RunUncertainty u;
        if (!c.withoutU.count(i))
            u.monteCarlo = series::MonteCarlo{*result.mtc, 0.02 * *result.mtc, {}, 0.0, 0.0, {}, 1000, 0, true};
        uncertainties.push_back(u);
    }
    return series::analyse(made, results, uncertainties, c.wanted);
}

class Weighting : public testing::TestWithParam<WeightingCase> {};

TEST_P(Weighting, SaysWhyTheFitIsUnweighted)
{
    const WeightingCase& c = GetParam();
    const present::Language& language = c.language ? *c.language : present::Language();
    const series::Analysis analysis = analysisOf(c);
    const auto* law = std::get_if<series::PowerLaw>(&analysis.fit);
    ASSERT_NE(law, nullptr);
    EXPECT_EQ(law->weighted, c.weighted);
    EXPECT_EQ(present::unweightedText(analysis, language), c.why);
    // The fit's text ends with the reason, after the runs used.
    const std::vector<std::string> lines = present::fitLines(analysis, "", language, present::NumberLocale());
    ASSERT_GE(lines.size(), 2u);
    if (c.why) {
        EXPECT_EQ(lines.back(), *c.why);
    }
    EXPECT_EQ(lines[lines.size() - (c.why ? 2 : 1)].rfind("Runs used", 0), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, Weighting,
    testing::Values(
        WeightingCase{"weighted", {}, {}, {}, true, true, {}},
        WeightingCase{"unweightedByChoice", {}, {}, {}, false, false, {}},
        WeightingCase{"oneRunLacks", {2}, {}, {}, true, false, "Unweighted because run 3 has no uncertainty."},
        WeightingCase{"oneRunLacksUnweightedByChoice", {2}, {}, {}, false, false,
                      "Unweighted because run 3 has no uncertainty."},
        WeightingCase{"twoRunsLack", {5, 2}, {}, {}, true, false,
                      "Unweighted because runs 3 and 6 have no uncertainty."},
        WeightingCase{"threeRunsLack", {1, 2, 4}, {}, {}, true, false,
                      "Unweighted because run 2 and 2 more runs have no uncertainty."},
        WeightingCase{"noRunHasOne", {0, 1, 2, 3, 4, 5}, {}, {}, true, false,
                      "Unweighted because no run has an uncertainty."},
        WeightingCase{"lackingRunExcluded", {2}, {2}, {}, true, true, {}},
        WeightingCase{"lackingRunLeftOutForItsFlow", {2}, {}, 2, true, true, {}},
        WeightingCase{"oneRunLacksInGerman", {3}, {}, {}, true, false,
                      "Ungewichtet, weil Versuch 4 keine Unsicherheit hat.", &inGerman}),
    [](const testing::TestParamInfo<WeightingCase>& row) { return std::string(row.param.name); });

}  // namespace
