#include "present/runchart.h"
#include "present/serieschart.h"
#include "present/svg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr double chartWidth = 560.0;
constexpr double chartHeight = 380.0;
const present::NumberLocale german{",", "-"};

present::Language germanLanguage()
{
    return present::Language::fromCatalogue(
        {{std::string("SeriesChart\x04Gas flow G"), "Gasstrom G"},
         {std::string("SeriesChart\x04not in the fit"), "nicht im Fit"},
         {std::string("RunChart\x04x, NH3 mole fraction in the water"), "x, NH3-Molenbruch im Wasser"}});
}

struct RunRow {
    double gasFlow;
    double waterFlow;
    double mtc;
    std::optional<double> uMtc = std::nullopt;
    bool used = true;
};

series::Analysis analysisOf(const std::vector<RunRow>& rows, std::optional<series::PowerLaw> law = std::nullopt)
{
    series::Analysis analysis;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const RunRow& row = rows[i];
        analysis.runs.push_back({i, {row.gasFlow, row.waterFlow, row.mtc, row.uMtc}, row.used});
    }
    if (law)
        analysis.fit = *law;
    return analysis;
}

present::Scene chartOf(const series::Analysis& analysis, present::Against against = present::Against::gasFlow,
                       const present::Language& language = {}, const present::NumberLocale& locale = {})
{
    return present::seriesChart(analysis, against, "kmol/h", chartWidth, chartHeight, language, locale,
                                present::estimatedTextWidth);
}

// The items of one kind, in stacking order.
template <typename T>
std::vector<const T*> all(const present::Scene& scene)
{
    std::vector<const T*> found;
    for (const present::Item& item : scene.items) {
        if (const auto* one = std::get_if<T>(&item))
            found.push_back(one);
    }
    return found;
}

// The plot's frame: the one rectangle drawn with a stroke.
present::Box plotOf(const present::Scene& scene)
{
    for (const auto* rect : all<present::Rectangle>(scene)) {
        if (rect->stroke)
            return rect->box;
    }
    return {};
}

// The texts right-aligned beside the vertical axis, bottom to top.
std::vector<std::string> yTickTexts(const present::Scene& scene)
{
    std::vector<std::string> texts;
    for (const auto* label : all<present::Label>(scene)) {
        if (label->anchor == present::Anchor::end)
            texts.push_back(label->text);
    }
    return texts;
}

std::vector<const present::Marker*> runMarkers(const present::Scene& scene)
{
    std::vector<const present::Marker*> markers = all<present::Marker>(scene);
    std::erase_if(markers, [](const auto* marker) { return marker->role != present::Role::runMarker; });
    return markers;
}

// Rows print as their names.
template <typename Row>
requires requires(const Row& row)
{
    row.name;
}
void PrintTo(const Row& row, std::ostream* out)
{
    *out << row.name;
}

struct TickCase {
    const char* name;
    double lowMtc;
    double highMtc;
    bool inGerman;
    std::vector<std::string> labels;
};

class DecadeTicks : public testing::TestWithParam<TickCase> {};

TEST_P(DecadeTicks, LabelEachDecadeAndBetweenWithinOne)
{
    const TickCase& row = GetParam();
    const series::Analysis analysis = analysisOf({{1.0, 2.0, row.lowMtc}, {3.0, 2.0, row.highMtc}});
    const present::Scene scene =
        chartOf(analysis, present::Against::gasFlow, {}, row.inGerman ? german : present::NumberLocale{});
    EXPECT_EQ(yTickTexts(scene), row.labels);
}

INSTANTIATE_TEST_SUITE_P(
    Spans, DecadeTicks,
    testing::Values(
        TickCase{"plainFromAThousandthToTenThousand", 0.001, 10000.0, false,
                 {"0.001", "0.01", "0.1", "1", "10", "100", "1000", "10000"}},
        TickCase{"powerOfTenBeyondTenThousand", 3.0, 20000.0, false, {"1", "10", "100", "1000", "10000", "1e+5"}},
        TickCase{"powerOfTenBelowATenThousandth", 0.00002, 0.0005, false, {"1e-5", "0.0001", "0.001"}},
        TickCase{"oneDecadeTwoAndFiveBetween", 2.0, 3.0, false, {"1", "2", "5", "10"}},
        TickCase{"oneSmallDecade", 0.012, 0.05, false, {"0.01", "0.02", "0.05", "0.1"}},
        TickCase{"oneDecadeInGerman", 0.012, 0.05, true, {"0,01", "0,02", "0,05", "0,1"}},
        TickCase{"decadeEdgesStayOneDecade", 10.0, 100.0, false, {"10", "20", "50", "100"}}),
    [](const testing::TestParamInfo<TickCase>& row) { return std::string(row.param.name); });

struct MarkerCase {
    const char* name;
    std::vector<RunRow> runs;
    std::size_t filled;
    std::size_t hollow;
};

class RunMarkers : public testing::TestWithParam<MarkerCase> {};

TEST_P(RunMarkers, HollowForRunsOutOfTheFitAndExplained)
{
    const MarkerCase& row = GetParam();
    const present::Scene scene = chartOf(analysisOf(row.runs));
    const auto markers = runMarkers(scene);
    const auto filled = std::size_t(std::count_if(markers.begin(), markers.end(), [](auto* m) { return m->filled; }));
    EXPECT_EQ(filled, row.filled);
    EXPECT_EQ(markers.size() - filled, row.hollow);
    const auto labels = all<present::Label>(scene);
    const bool explained =
        std::any_of(labels.begin(), labels.end(), [](auto* label) { return label->text == "not in the fit"; });
    EXPECT_EQ(explained, row.hollow > 0);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, RunMarkers,
    testing::Values(MarkerCase{"allInTheFit", {{1.0, 2.0, 10.0}, {2.0, 2.0, 20.0}}, 2, 0},
                    MarkerCase{"oneOut", {{1.0, 2.0, 10.0}, {2.0, 2.0, 20.0, std::nullopt, false}}, 1, 1},
                    // Without logarithms a run has no place on the axes.
                    MarkerCase{"zeroCoefficientNotDrawn", {{1.0, 2.0, 10.0}, {2.0, 2.0, 0.0, std::nullopt, false}}, 1, 0},
                    MarkerCase{"infiniteFlowNotDrawn", {{1.0, 2.0, 10.0}, {INFINITY, 2.0, 5.0}}, 1, 0}),
    [](const testing::TestParamInfo<MarkerCase>& row) { return std::string(row.param.name); });

struct BarCase {
    const char* name;
    double mtc;
    double uMtc;
    bool toTheAxis;
};

class ErrorBars : public testing::TestWithParam<BarCase> {};

TEST_P(ErrorBars, SpanTwoUncertaintiesOrRunToTheAxis)
{
    const BarCase& row = GetParam();
    // A second run far above fixes the axis whatever the bar does.
    const present::Scene scene = chartOf(analysisOf({{1.0, 2.0, row.mtc, row.uMtc}, {3.0, 2.0, 1000.0}}));
    const auto bars = all<present::ErrorBar>(scene);
    ASSERT_EQ(bars.size(), 1u);
    const present::Marker& marker = *runMarkers(scene).front();
    const present::Box plot = plotOf(scene);
    EXPECT_DOUBLE_EQ(bars[0]->x, marker.centre.x);
    EXPECT_LT(bars[0]->top, marker.centre.y);
    // On a log axis lengths go as the logarithms of ratios; the axis ends
    // at the decade of the run at 1000.
    const double up = marker.centre.y - bars[0]->top;
    EXPECT_NEAR(up / std::log10((row.mtc + 2.0 * row.uMtc) / row.mtc),
                (marker.centre.y - plot.top) / std::log10(1000.0 / row.mtc), 1e-6);
    if (row.toTheAxis)
        EXPECT_DOUBLE_EQ(bars[0]->bottom, plot.bottom());
    else
        EXPECT_NEAR((bars[0]->bottom - marker.centre.y) / up,
                    std::log10(row.mtc / (row.mtc - 2.0 * row.uMtc)) / std::log10((row.mtc + 2.0 * row.uMtc) / row.mtc),
                    1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Ends, ErrorBars,
    testing::Values(BarCase{"bothEndsOnTheAxis", 10.0, 2.0, false}, BarCase{"lowerEndAtZero", 10.0, 5.0, true},
                    BarCase{"lowerEndBelowZero", 10.0, 8.0, true}),
    [](const testing::TestParamInfo<BarCase>& row) { return std::string(row.param.name); });

struct FitLineCase {
    const char* name;
    present::Against against;
    bool gasExponent;
    bool waterExponent;
    std::size_t lines;
};

class FitLines : public testing::TestWithParam<FitLineCase> {};

// Runs whose coefficients follow 2 G^0.5 L^0.8 exactly: each group's line
// ends on its first and last run.
TEST_P(FitLines, EndOnTheGroupsOuterRuns)
{
    const FitLineCase& row = GetParam();
    series::PowerLaw law;
    law.prefactor.value = 2.0;
    if (row.gasExponent)
        law.gasExponent = series::Estimate{0.5};
    if (row.waterExponent)
        law.waterExponent = series::Estimate{0.8};
    std::vector<RunRow> runs;
    for (const double water : {1.0, 4.0}) {
        for (const double gas : {0.5, 1.0, 2.0}) {
            runs.push_back({gas, water,
                            2.0 * (row.gasExponent ? std::pow(gas, 0.5) : 1.0)
                                * (row.waterExponent ? std::pow(water, 0.8) : 1.0)});
        }
    }
    const present::Scene scene = chartOf(analysisOf(runs, law), row.against);
    std::vector<const present::Line*> lines = all<present::Line>(scene);
    std::erase_if(lines, [](const auto* line) { return line->role != present::Role::fitLine; });
    ASSERT_EQ(lines.size(), row.lines);
    const auto markers = runMarkers(scene);
    for (const auto* line : lines) {
        for (const present::Point end : {line->from, line->to}) {
            const bool onARun = std::any_of(markers.begin(), markers.end(), [&](auto* m) {
                return std::fabs(m->centre.x - end.x) < 1e-9 && std::fabs(m->centre.y - end.y) < 1e-9;
            });
            EXPECT_TRUE(onARun) << end.x << ", " << end.y;
        }
        EXPECT_LT(line->from.x, line->to.x);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Laws, FitLines,
    testing::Values(FitLineCase{"againstGasOnePerWaterFlow", present::Against::gasFlow, true, true, 2},
                    FitLineCase{"againstWaterOnePerGasFlow", present::Against::waterFlow, true, true, 3},
                    FitLineCase{"noGasExponentNoLineAgainstGas", present::Against::gasFlow, false, true, 0}),
    [](const testing::TestParamInfo<FitLineCase>& row) { return std::string(row.param.name); });

struct WordsCase {
    const char* name;
    bool inGerman;
    const char* xTitle;
    const char* firstLegend;
    const char* hollowLegend;
};

class ChartWords : public testing::TestWithParam<WordsCase> {};

TEST_P(ChartWords, InThePagesLanguageAndDigits)
{
    const WordsCase& row = GetParam();
    const series::Analysis analysis =
        analysisOf({{1.0, 1.5, 10.0}, {2.0, 1.5, 20.0, std::nullopt, false}, {2.0, 3.0, 25.0}});
    const present::Scene scene =
        chartOf(analysis, present::Against::gasFlow, row.inGerman ? germanLanguage() : present::Language(),
                row.inGerman ? german : present::NumberLocale{});
    std::vector<std::string> texts;
    for (const auto* label : all<present::Label>(scene))
        texts.push_back(label->text);
    for (const char* wanted : {row.xTitle, row.firstLegend, row.hollowLegend})
        EXPECT_NE(std::find(texts.begin(), texts.end(), wanted), texts.end()) << wanted;
}

INSTANTIATE_TEST_SUITE_P(
    Languages, ChartWords,
    testing::Values(WordsCase{"english", false, "Gas flow G (kmol/h)", "L = 1.5", "not in the fit"},
                    WordsCase{"german", true, "Gasstrom G (kmol/h)", "L = 1,5", "nicht im Fit"}),
    [](const testing::TestParamInfo<WordsCase>& row) { return std::string(row.param.name); });

struct YTitleCase {
    const char* name;
    series::Fitted fitted;
    const char* title;
};

class ChartYTitle : public testing::TestWithParam<YTitleCase> {};

// The vertical axis names the coefficient the analysis fits.
TEST_P(ChartYTitle, NamesTheFittedCoefficient)
{
    const YTitleCase& row = GetParam();
    series::Analysis analysis = analysisOf({{1.0, 1.5, 10.0}, {2.0, 1.5, 20.0}});
    analysis.fitted = row.fitted;
    const present::Scene scene = chartOf(analysis);
    std::vector<std::string> texts;
    for (const auto* label : all<present::Label>(scene))
        texts.push_back(label->text);
    EXPECT_NE(std::find(texts.begin(), texts.end(), row.title), texts.end()) << row.title;
}

INSTANTIATE_TEST_SUITE_P(
    Coefficients, ChartYTitle,
    testing::Values(YTitleCase{"quillon", series::Fitted::quillon, "Mass-transfer coefficient (kmol/h/m³)"},
                    YTitleCase{"colburn", series::Fitted::colburn, "Mass-transfer coefficient (Colburn) (kmol/h/m³)"}),
    [](const testing::TestParamInfo<YTitleCase>& row) { return std::string(row.param.name); });

TEST(ChartLegend, WrapsWhereTheTextsAreWiderThanTheChart)
{
    const series::Analysis analysis = analysisOf({{1.0, 1.0, 10.0}, {1.0, 2.0, 11.0}, {1.0, 3.0, 12.0}});
    std::vector<double> plotTops;
    for (const double letters : {1.0, 200.0}) {
        const present::TextWidth width = [letters](std::string_view, double size) { return letters * size; };
        const present::Scene scene =
            present::seriesChart(analysis, present::Against::gasFlow, "", chartWidth, chartHeight, {}, {}, width);
        std::vector<double> rows;
        for (const auto* marker : all<present::Marker>(scene)) {
            if (marker->role == present::Role::none
                && std::find(rows.begin(), rows.end(), marker->centre.y) == rows.end())
                rows.push_back(marker->centre.y);
        }
        // One line for narrow texts; one per group when each is wider than
        // the chart.
        EXPECT_EQ(rows.size(), letters > 1.0 ? 3u : 1u);
        EXPECT_GT(plotOf(scene).top, *std::max_element(rows.begin(), rows.end()));
        plotTops.push_back(plotOf(scene).top);
    }
    EXPECT_LT(plotTops[0], plotTops[1]);
}

// Flows as meter readings give them: the legend groups them as it prints
// them, and past a legend's worth says how many there are.
struct FlowGroupCase {
    const char* name;
    std::vector<double> waterFlows;
    std::vector<std::string> legend;
    std::size_t markerStyles;
    std::size_t fitLines;
};

// Legend texts: the labels above the plot.
std::vector<std::string> legendTexts(const present::Scene& scene)
{
    std::vector<std::string> texts;
    for (const auto* label : all<present::Label>(scene)) {
        if (label->at.y < plotOf(scene).top && label->anchor == present::Anchor::start)
            texts.push_back(label->text);
    }
    return texts;
}

// 10,000 flows, each its own at the legend's digits.
std::vector<double> tenThousandFlows()
{
    std::vector<double> flows;
    for (int i = 0; i < 9000; ++i)
        flows.push_back(1.0 + i * 0.001);
    for (int i = 0; i < 1000; ++i)
        flows.push_back(10.0 + i * 0.01);
    return flows;
}

class FlowGroups : public testing::TestWithParam<FlowGroupCase> {};

TEST_P(FlowGroups, AsTheLegendPrintsThem)
{
    const FlowGroupCase& row = GetParam();
    std::vector<RunRow> runs;
    series::PowerLaw law;
    law.prefactor.value = 2.0;
    law.gasExponent = series::Estimate{0.5};
    law.waterExponent = series::Estimate{0.8};
    // Two gas flows per water flow, so each group would have a line.
    for (const double water : row.waterFlows) {
        for (const double gas : {1.0, 2.0})
            runs.push_back({gas, water, 2.0 * std::pow(gas, 0.5) * std::pow(water, 0.8)});
    }
    const present::Scene scene = chartOf(analysisOf(runs, law));
    EXPECT_EQ(legendTexts(scene), row.legend);
    const auto markers = runMarkers(scene);
    ASSERT_EQ(markers.size(), runs.size());
    std::vector<std::pair<int, int>> styles;
    for (const auto* marker : markers) {
        const std::pair style{int(marker->shape), int(marker->colour.red)};
        if (std::find(styles.begin(), styles.end(), style) == styles.end())
            styles.push_back(style);
    }
    EXPECT_EQ(styles.size(), row.markerStyles);
    std::vector<const present::Line*> lines = all<present::Line>(scene);
    std::erase_if(lines, [](const auto* line) { return line->role != present::Role::fitLine; });
    // A line per group while the legend names them, none beyond.
    EXPECT_EQ(lines.size(), row.fitLines);
}

INSTANTIATE_TEST_SUITE_P(
    Flows, FlowGroups,
    testing::Values(FlowGroupCase{"meterScatterOneGroup", {2.2, 2.20003}, {"L = 2.2"}, 1, 1},
                    FlowGroupCase{"twoFlowsTwoGroups", {2.2, 2.3}, {"L = 2.2", "L = 2.3"}, 2, 2},
                    FlowGroupCase{"twelveNamed", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12},
                                  {"L = 1", "L = 2", "L = 3", "L = 4", "L = 5", "L = 6", "L = 7", "L = 8", "L = 9",
                                   "L = 10", "L = 11", "L = 12"}, 6, 12},
                    FlowGroupCase{"thirteenCounted", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}, {"13 water flows"}, 1, 0},
                    FlowGroupCase{"tenThousandCounted", tenThousandFlows(), {"10000 water flows"}, 1, 0}),
    [](const testing::TestParamInfo<FlowGroupCase>& row) { return std::string(row.param.name); });

struct RunTicksCase {
    const char* name;
    double x1;
    bool inGerman;
    std::vector<std::string> xLabels;
};

class RunChartTicks : public testing::TestWithParam<RunTicksCase> {};

TEST_P(RunChartTicks, WholeStepsFromZeroOrBelow)
{
    const RunTicksCase& row = GetParam();
    const present::Scene scene =
        present::runChart({1, row.x1, 0.02, 0.001}, 900.0, 600.0, {}, row.inGerman ? german : present::NumberLocale{},
                          present::estimatedTextWidth);
    const present::Box plot = present::runChartPlotArea(900.0, 600.0);
    std::vector<std::string> labels;
    for (const auto* label : all<present::Label>(scene)) {
        if (label->anchor == present::Anchor::middle && label->rotation == 0.0 && label->at.y < plot.bottom() + 20.0)
            labels.push_back(label->text);
    }
    EXPECT_EQ(labels, row.xLabels);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, RunChartTicks,
    testing::Values(RunTicksCase{"fromZero", 0.01, false, {"0.000", "0.002", "0.004", "0.006", "0.008", "0.010", "0.012"}},
                    RunTicksCase{"negativeX1", -0.01, false,
                                 {"-0.012", "-0.010", "-0.008", "-0.006", "-0.004", "-0.002", "0.000", "0.002"}},
                    RunTicksCase{"german", 0.01, true, {"0,000", "0,002", "0,004", "0,006", "0,008", "0,010", "0,012"}}),
    [](const testing::TestParamInfo<RunTicksCase>& row) { return std::string(row.param.name); });

// Tags opened and closed in order, the name of each as it was opened.
bool balanced(const std::string& svg)
{
    std::vector<std::string> open;
    for (std::size_t at = svg.find('<'); at != std::string::npos; at = svg.find('<', at + 1)) {
        const std::size_t end = svg.find('>', at);
        if (end == std::string::npos)
            return false;
        const std::string tag = svg.substr(at + 1, end - at - 1);
        const std::string name = tag.substr(tag[0] == '/' ? 1 : 0, tag.find_first_of(" /", 1) - (tag[0] == '/'));
        if (tag[0] == '/') {
            if (open.empty() || open.back() != name)
                return false;
            open.pop_back();
        } else if (tag.back() != '/') {
            open.push_back(name);
        }
    }
    return open.empty();
}

std::size_t count(const std::string& text, const std::string& part)
{
    std::size_t found = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++found;
    return found;
}

TEST(SceneSvg, WellFormedWithEveryMarkerAndEscapedTexts)
{
    const series::Analysis analysis =
        analysisOf({{1.0, 1.0, 10.0, 1.0}, {2.0, 1.0, 12.0}, {1.0, 2.0, 9.0, 6.0, false}, {2.0, 2.0, 14.0}});
    const present::Scene scene = present::seriesChart(analysis, present::Against::gasFlow, "m<3>&\"", chartWidth,
                                                      chartHeight, {}, {}, present::estimatedTextWidth);
    const std::string svg = present::svgText(scene, "gas");
    EXPECT_TRUE(balanced(svg)) << svg;
    EXPECT_EQ(count(svg, "class=\"run-marker\""), 4u);
    EXPECT_EQ(count(svg, "class=\"error-bar\""), 2u);
    EXPECT_EQ(count(svg, "<clipPath id=\"gas-clip-1\""), 1u);
    EXPECT_EQ(count(svg, "clip-path=\"url(#gas-clip-1)\""), 1u);
    EXPECT_NE(svg.find("(m&lt;3&gt;&amp;&quot;)"), std::string::npos);
    EXPECT_EQ(svg.find("m<3>"), std::string::npos);
}

}  // namespace
