#include "present/serieschart.h"

#include "present/chartaxes.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

namespace present {
namespace {

// Sizes in hundredths of the chart's height, as in the run's chart.
constexpr double leftMargin = 17.0;
constexpr double rightMargin = 4.0;
constexpr double bottomMargin = 16.0;
constexpr double legendHeight = 5.0;
constexpr double fontSize = 3.3;
constexpr double minorTickLength = 0.7;
constexpr double markerRadius = 1.4;
constexpr double lineWidth = 0.45;
constexpr double capHalfWidth = 0.8;
// From a legend marker's left edge to its text, and between entries.
constexpr double legendTextGap = 0.8;
constexpr double legendEntryGap = 2.2;

constexpr std::array<Colour, 6> groupColours{Colour{0, 0, 128},   Colour{200, 60, 0},  Colour{0, 128, 0},
                                             Colour{128, 0, 128}, Colour{0, 128, 160}, Colour{120, 90, 0}};
constexpr std::array<Shape, 6> groupShapes{Shape::circle,  Shape::square,       Shape::triangleUp,
                                           Shape::diamond, Shape::triangleDown, Shape::cross};
constexpr Colour majorGrid{200, 200, 200};
constexpr Colour minorGrid{235, 235, 235};

double along(const series::FitPoint& point, Against against)
{
    return against == Against::gasFlow ? point.gasFlow : point.waterFlow;
}

double across(const series::FitPoint& point, Against against)
{
    return against == Against::gasFlow ? point.waterFlow : point.gasFlow;
}

bool drawable(const series::FitPoint& point)
{
    return point.gasFlow > 0.0 && point.waterFlow > 0.0 && point.mtc > 0.0 && std::isfinite(point.gasFlow)
        && std::isfinite(point.waterFlow) && std::isfinite(point.mtc);
}

// The expanded uncertainty's ends, where the run has one.
std::optional<std::pair<double, double>> errorBar(const series::FitPoint& point)
{
    if (!point.uMtc || !(*point.uMtc > 0.0))
        return std::nullopt;
    const double expanded = series::coverageFactor * *point.uMtc;
    return std::pair(point.mtc - expanded, point.mtc + expanded);
}

// The fitted coefficient at the flows.
double fitted(const series::PowerLaw& law, double gasFlow, double waterFlow)
{
    double value = law.prefactor.value;
    if (law.gasExponent)
        value *= std::pow(gasFlow, law.gasExponent->value);
    if (law.waterExponent)
        value *= std::pow(waterFlow, law.waterExponent->value);
    return value;
}

struct LogPlot {
    Box plot;
    Decades x;
    Decades y;

    Point at(double xValue, double yValue) const
    {
        const double u = (std::log10(xValue) - x.low) / (x.high - x.low);
        const double v = (std::log10(yValue) - y.low) / (y.high - y.low);
        return {plot.left + u * plot.width, plot.bottom() - v * plot.height};
    }
};

void logAxes(Scene& scene, const LogPlot& plot, const axes::Style& style, const NumberLocale& locale)
{
    // Labels between the decades too when the axis spans only one.
    const auto label = [&locale](const Decades& decades, int power, int factor) {
        if (factor == 1)
            return decadeText(power, locale);
        if (decades.high - decades.low == 1 && (factor == 2 || factor == 5))
            return significantText(factor * std::pow(10.0, power), 6, locale);
        return std::string();
    };
    // Each tick from 1 to 9 times each decade, and the last decade's 1.
    const auto ticks = [](const Decades& decades, const auto& each) {
        for (int power = decades.low; power <= decades.high; ++power) {
            for (int factor = 1; factor <= (power < decades.high ? 9 : 1); ++factor)
                each(power, factor, factor * std::pow(10.0, power));
        }
    };
    ticks(plot.x, [&](int power, int factor, double value) {
        const double x = plot.at(value, std::pow(10.0, plot.y.low)).x;
        axes::verticalGridLine(scene, plot.plot, x, style.grid(factor == 1 ? majorGrid : minorGrid));
        axes::xTick(scene, plot.plot, x, style, factor == 1 ? axes::tickLength : minorTickLength,
                    label(plot.x, power, factor));
    });
    ticks(plot.y, [&](int power, int factor, double value) {
        const double y = plot.at(std::pow(10.0, plot.x.low), value).y;
        axes::horizontalGridLine(scene, plot.plot, y, style.grid(factor == 1 ? majorGrid : minorGrid));
        axes::yTick(scene, plot.plot, y, style, factor == 1 ? axes::tickLength : minorTickLength,
                    label(plot.y, power, factor));
    });
    axes::frame(scene, plot.plot, style);
}

struct LegendEntry {
    std::string text;
    Colour colour;
    Shape shape;
    bool filled;
    // Its left edge and line, once placed.
    double left = 0.0;
    int line = 0;
};

// Each entry's left edge and line, wrapping where the next would pass the
// chart's right edge; the number of lines.
int placeLegend(std::vector<LegendEntry>& legend, double width, double unit, const TextWidth& textWidth)
{
    const double start = unit * leftMargin;
    double left = start;
    int line = 0;
    for (LegendEntry& entry : legend) {
        const double entryWidth = unit * (markerRadius * 2 + legendTextGap) + textWidth(entry.text, unit * fontSize);
        if (left > start && left + entryWidth > width - unit * rightMargin) {
            left = start;
            ++line;
        }
        entry.left = left;
        entry.line = line;
        left += entryWidth + unit * legendEntryGap;
    }
    return legend.empty() ? 1 : legend.back().line + 1;
}

}  // namespace

Decades decadesOf(std::initializer_list<std::span<const double>> values)
{
    double smallest = std::numeric_limits<double>::infinity();
    double largest = 0.0;
    for (const std::span<const double> list : values) {
        for (const double value : list) {
            if (value > 0.0 && std::isfinite(value)) {
                smallest = std::min(smallest, value);
                largest = std::max(largest, value);
            }
        }
    }
    if (largest == 0.0)
        return {};
    Decades decades{int(std::floor(std::log10(smallest))), int(std::ceil(std::log10(largest)))};
    if (decades.high <= decades.low)
        decades.high = decades.low + 1;
    return decades;
}

FlowGroups flowGroups(std::span<const double> flows, const NumberLocale& locale)
{
    FlowGroups groups;
    groups.of.assign(flows.size(), 0);
    std::vector<std::size_t> order;
    order.reserve(flows.size());
    for (std::size_t i = 0; i < flows.size(); ++i) {
        if (std::isfinite(flows[i]))
            order.push_back(i);
    }
    std::stable_sort(order.begin(), order.end(),
                     [&flows](std::size_t a, std::size_t b) { return flows[a] < flows[b]; });
    // Rounding keeps the order, so flows of one text are neighbours once sorted.
    for (const std::size_t i : order) {
        std::string name = significantText(flows[i], flowDigits, locale);
        if (groups.names.empty() || groups.names.back() != name) {
            groups.names.push_back(std::move(name));
            groups.smallest.push_back(flows[i]);
        }
        groups.of[i] = groups.names.size() - 1;
    }
    return groups;
}

std::string decadeText(int power, const NumberLocale& locale)
{
    if (power < -4 || power > 4)
        return fmt::format("1e{}{}", power < 0 ? '-' : '+', std::abs(power));
    if (power < 0)
        return fmt::format("0{}{}1", locale.decimalPoint, std::string(std::size_t(-power - 1), '0'));
    return fmt::format("1{}", std::string(std::size_t(power), '0'));
}

Scene seriesChart(const series::Analysis& analysis, Against against, std::string_view flowUnit, double width,
                  double height, const Language& language, const NumberLocale& locale, const TextWidth& textWidth)
{
    Scene scene{width, height, {}};
    const double unit = height / 100.0;
    const axes::Style style{unit, fontSize, false};

    const auto* law = std::get_if<series::PowerLaw>(&analysis.fit);
    std::vector<double> xs, ys, others;
    for (const series::AnalysisRun& run : analysis.runs) {
        if (!drawable(run.point))
            continue;
        xs.push_back(along(run.point, against));
        others.push_back(across(run.point, against));
        ys.push_back(run.point.mtc);
        if (const auto bar = errorBar(run.point)) {
            ys.push_back(bar->first);
            ys.push_back(bar->second);
        }
    }
    const FlowGroups groups = flowGroups(others, locale);
    const std::size_t groupCount = groups.names.size();
    const bool fewGroups = groupCount <= mostLegendGroups;
    // Past a legend's worth the styles would only repeat: one for all.
    const auto styleOf = [fewGroups](std::size_t g) { return fewGroups ? g : std::size_t(0); };

    std::vector<LegendEntry> legend;
    const Text other =
        against == Against::gasFlow ? language.translate("SeriesChart", "L") : language.translate("SeriesChart", "G");
    if (fewGroups) {
        for (std::size_t g = 0; g < groupCount; ++g) {
            legend.push_back({language.translate("SeriesChart", "%1 = %2").arg(other).arg(groups.names[g]).str(),
                              groupColours[g % groupColours.size()], groupShapes[g % groupShapes.size()], true});
        }
    } else {
        legend.push_back({(against == Against::gasFlow ? language.translate("SeriesChart", "%1 water flows")
                                                       : language.translate("SeriesChart", "%1 gas flows"))
                              .arg(groupCount)
                              .str(),
                          groupColours[0], groupShapes[0], true});
    }
    if (std::any_of(analysis.runs.begin(), analysis.runs.end(),
                    [](const auto& run) { return drawable(run.point) && !run.used; }))
        legend.push_back({language.translate("SeriesChart", "not in the fit").str(), black, Shape::circle, false});
    const int legendLines = placeLegend(legend, width, unit, textWidth);
    const double plotTop = unit * (axes::topMargin + legendLines * legendHeight);
    const LogPlot plot{
        {unit * leftMargin, plotTop, width - unit * (leftMargin + rightMargin), height - plotTop - unit * bottomMargin},
        decadesOf({xs}),
        decadesOf({ys})};

    logAxes(scene, plot, style, locale);
    const auto withUnit = [&language](const Text& name, std::string_view unitText) {
        return unitText.empty() ? name.str()
                                : language.translate("SeriesChart", "%1 (%2)").arg(name).arg(unitText).str();
    };
    const std::string coefficientUnit =
        flowUnit.empty() ? std::string() : language.translate("SeriesChart", "%1/m³").arg(flowUnit).str();
    axes::titles(scene, plot.plot, style, leftMargin,
                 against == Against::gasFlow ? withUnit(language.translate("SeriesChart", "Gas flow G"), flowUnit)
                                             : withUnit(language.translate("SeriesChart", "Water flow L"), flowUnit),
                 withUnit(analysis.fitted == series::Fitted::colburn
                              ? language.translate("SeriesChart", "Mass-transfer coefficient (Colburn)")
                              : language.translate("SeriesChart", "Mass-transfer coefficient"),
                          coefficientUnit));

    // Markers may stand out of the plot by their size, nothing further.
    scene.items.emplace_back(ClipStart{plot.plot.grown(unit * markerRadius * 2)});
    // The fitted law through each group, over the flows the group spans, and
    // only where the law has an exponent for this axis.
    const bool lawAlongAxis = law && (against == Against::gasFlow ? law->gasExponent : law->waterExponent);
    if (lawAlongAxis && fewGroups) {
        std::vector<double> low(groupCount, std::numeric_limits<double>::infinity());
        std::vector<double> high(groupCount, 0.0);
        for (std::size_t i = 0; i < xs.size(); ++i) {
            const std::size_t g = groups.of[i];
            low[g] = std::min(low[g], xs[i]);
            high[g] = std::max(high[g], xs[i]);
        }
        for (std::size_t g = 0; g < groupCount; ++g) {
            if (!(high[g] > low[g]))
                continue;
            const auto value = [&](double x) {
                return against == Against::gasFlow ? fitted(*law, x, groups.smallest[g])
                                                   : fitted(*law, groups.smallest[g], x);
            };
            scene.items.emplace_back(Line{plot.at(low[g], value(low[g])),
                                          plot.at(high[g], value(high[g])),
                                          {groupColours[g % groupColours.size()], unit * lineWidth},
                                          Role::fitLine});
        }
    }
    std::size_t drawn = 0;
    for (const series::AnalysisRun& run : analysis.runs) {
        if (!drawable(run.point))
            continue;
        const double x = along(run.point, against);
        const std::size_t g = styleOf(groups.of[drawn++]);
        const Colour colour = groupColours[g % groupColours.size()];
        const Point centre = plot.at(x, run.point.mtc);
        if (const auto bar = errorBar(run.point)) {
            // An end at or below 0 is off the axis: the bar runs to its edge.
            const double top = plot.at(x, bar->second).y;
            const double bottom = bar->first > 0.0 ? plot.at(x, bar->first).y : plot.plot.bottom();
            scene.items.emplace_back(ErrorBar{centre.x, top, bottom, unit * capHalfWidth, {colour, unit * lineWidth}});
        }
        scene.items.emplace_back(Marker{centre, unit * markerRadius, groupShapes[g % groupShapes.size()], colour,
                                        run.used, unit * lineWidth, Role::runMarker});
    }
    scene.items.emplace_back(ClipEnd{});

    // The legend above the plot: a marker and the other flow's value per
    // group, then what a hollow marker means.
    for (LegendEntry& entry : legend) {
        const double middle = unit * (axes::topMargin + (entry.line + 0.5) * legendHeight);
        scene.items.emplace_back(Marker{{entry.left + unit * markerRadius, middle},
                                        unit * markerRadius,
                                        entry.shape,
                                        entry.colour,
                                        entry.filled,
                                        unit * lineWidth});
        scene.items.emplace_back(Label{std::move(entry.text),
                                       {entry.left + unit * (markerRadius * 2 + legendTextGap), middle},
                                       unit * fontSize,
                                       Anchor::start,
                                       Baseline::middle});
    }
    return scene;
}

}  // namespace present
