#include "present/fittext.h"

#include <gtest/gtest.h>

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

// Six runs at three gas and two water flows near MTC = 0.01 G^0.7 L^0.3, the
// last line of whose fit says why it is unweighted.
TEST_P(Weighting, SaysWhyTheFitIsUnweighted)
{
    const WeightingCase& c = GetParam();
    series::Series made;
    std::vector<series::RunResult> results(6);
    std::vector<series::RunUncertainty> uncertainties(6);
    for (std::size_t i = 0; i < 6; ++i) {
        series::Run run;
        run.inputs.gasFlow = c.noGasFlow.count(i) ? 0.0 : double(1 << (i % 3));
        run.inputs.waterFlow = i < 3 ? 1.0 : 3.0;
        run.included = true;
        run.excluded = c.excluded.count(i) > 0;
        made.runs.push_back(run);
        const double mtc = 0.01 * std::pow(double(1 << (i % 3)), 0.7) * (i < 3 ? 1.0 : 1.39) * (1.0 + 0.01 * double(i));
        results[i].mtc = mtc;
        if (!c.withoutU.count(i))
            uncertainties[i].monteCarlo = series::MonteCarlo{mtc, 0.02 * mtc, {}, 0.0, 0.0, {}, 1000, 0, true};
    }
    const series::Analysis analysis = series::analyse(made, results, uncertainties, c.wanted);
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

}  // namespace
