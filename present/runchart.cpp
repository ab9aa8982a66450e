#include "present/runchart.h"

#include "core/absorber.h"
#include "present/chartaxes.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>

namespace present {
namespace {

// Sizes in hundredths of the chart's height.
constexpr double leftMargin = 19.0;
constexpr double rightMargin = 6.0;
constexpr double bottomMargin = 21.0;
constexpr double fontSize = 3.4;
constexpr double lineWidth = 0.9;
constexpr double curveWidth = 0.6;
constexpr double dotRadius = 1.1;
constexpr double legendSample = 7.0;
constexpr Colour gridColour{192, 192, 192};

struct Axis {
    double min;
    double max;
    double step;
};

// 1, 2 or 5 times a power of ten, giving three to six intervals.
double tickStep(double span)
{
    const double rough = span / 6.0;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= rough)
            return factor * power;
    }
    return 10.0 * power;
}

// From the lowest to the highest value with a little room beyond each,
// always taking in 0.
Axis axisFor(std::initializer_list<double> values)
{
    double low = 0.0;
    double high = 0.0;
    for (const double value : values) {
        if (std::isfinite(value)) {
            low = std::min(low, value);
            high = std::max(high, value);
        }
    }
    double span = high - low;
    if (!(span > 0.0))
        span = 1.0;
    const double room = span * 0.08;
    const double step = tickStep(span + 2.0 * room);
    const double min = low < 0.0 ? std::floor((low - room) / step) * step : 0.0;
    const double max = std::ceil((high + room) / step) * step;
    return {min, max, step};
}

int tickCount(double min, double max, double step)
{
    return int(std::lround((max - min) / step));
}

std::string tickText(double value, double step, const NumberLocale& locale)
{
    const int decimals = std::max(0, int(std::ceil(-std::log10(step) - 1e-9)));
    // A tick at 0 made from sums of steps may be a hair off, or -0.
    const double shown = std::fabs(value) < step * 1e-6 ? 0.0 : value;
    std::string text = fmt::format("{:.{}f}", std::fabs(shown), decimals);
    if (const auto point = text.find('.'); point != std::string::npos)
        text.replace(point, 1, locale.decimalPoint);
    return shown < 0.0 ? locale.minus + text : text;
}

void linearAxes(Scene& scene, const Box& plot, const ChartRange& range, const axes::Style& style,
                const NumberLocale& locale)
{
    const int xTicks = tickCount(range.xMin, range.xMax, range.xStep);
    const int yTicks = tickCount(range.yMin, range.yMax, range.yStep);
    for (int i = 1; i < xTicks; ++i) {
        const double x = plotPoint(plot, range, range.xMin + i * range.xStep, range.yMin).x;
        axes::verticalGridLine(scene, plot, x, style.grid(gridColour));
    }
    for (int i = 1; i < yTicks; ++i) {
        const double y = plotPoint(plot, range, range.xMin, range.yMin + i * range.yStep).y;
        axes::horizontalGridLine(scene, plot, y, style.grid(gridColour));
    }
    axes::frame(scene, plot, style);
    for (int i = 0; i <= xTicks; ++i) {
        const double value = range.xMin + i * range.xStep;
        axes::xTick(scene, plot, plotPoint(plot, range, value, range.yMin).x, style, axes::tickLength,
                    tickText(value, range.xStep, locale));
    }
    for (int i = 0; i <= yTicks; ++i) {
        const double value = range.yMin + i * range.yStep;
        axes::yTick(scene, plot, plotPoint(plot, range, range.xMin, value).y, style, axes::tickLength,
                    tickText(value, range.yStep, locale));
    }
}

}  // namespace

ChartRange runChartRange(const OperatingLine& line)
{
    const Axis x = axisFor({line.x1});
    const Axis y = axisFor({line.y1, line.y2});
    return {x.min, x.max, x.step, y.min, y.max, y.step};
}

Box runChartPlotArea(double width, double height)
{
    const double unit = height / 100.0;
    return {unit * leftMargin, unit * axes::topMargin, width - unit * (leftMargin + rightMargin),
            height - unit * (axes::topMargin + bottomMargin)};
}

Point plotPoint(const Box& plot, const ChartRange& range, double x, double y)
{
    const double across = (x - range.xMin) / (range.xMax - range.xMin);
    const double up = (y - range.yMin) / (range.yMax - range.yMin);
    return {plot.left + across * plot.width, plot.bottom() - up * plot.height};
}

Scene runChart(const OperatingLine& line, double width, double height, const Language& language,
               const NumberLocale& locale, const TextWidth& textWidth)
{
    Scene scene{width, height, {}};
    const double unit = height / 100.0;
    const axes::Style style{unit, fontSize, true};
    const Box plot = runChartPlotArea(width, height);
    const ChartRange range = runChartRange(line);

    scene.items.emplace_back(Rectangle{plot, white, std::nullopt});
    linearAxes(scene, plot, range, style, locale);
    axes::titles(scene, plot, style, leftMargin,
                 language.translate("RunChart", "x, NH3 mole fraction in the water").str(),
                 language.translate("RunChart", "y, NH3 mole fraction in the gas").str());

    // The legend along the bottom edge, each sample line then its text.
    const double middle = height - unit * 0.5 - style.font() * axes::lineHeight / 2.0;
    double left = plot.left;
    const auto entry = [&](const Stroke& stroke, std::string text) {
        scene.items.emplace_back(Line{{left, middle}, {left + unit * legendSample, middle}, stroke});
        const double advance = textWidth(text, style.font());
        scene.items.emplace_back(Label{std::move(text),
                                       {left + unit * (legendSample + 1.0), middle},
                                       style.font(),
                                       Anchor::start,
                                       Baseline::middle});
        left += unit * (legendSample + 4.0) + advance;
    };
    const Stroke curve{equilibriumColour, unit * curveWidth, true};
    const Stroke operating{operatingColour, unit * lineWidth, true};
    entry(curve, language.translate("RunChart", "Equilibrium curve (NH3 in water, 30 °C)").str());
    entry(operating, language.translate("RunChart", "Operating line of run %1").arg(line.run).str());

    // The curve runs on far beyond the run's range; the operating line lies
    // within it, and its end dots may overlap the frame.
    Polyline points{{plotPoint(plot, range, 0.0, 0.0)}, curve};
    for (const absorber::EquilibriumPoint& point : absorber::equilibriumPoints)
        points.points.push_back(plotPoint(plot, range, point.x, point.y));
    scene.items.emplace_back(ClipStart{plot});
    scene.items.emplace_back(std::move(points));
    scene.items.emplace_back(ClipEnd{});

    // The column's two ends, named beside them, each on the side away from
    // the other end: a negative x1 puts the bottom to the left.
    const Point bottom = plotPoint(plot, range, line.x1, line.y1);
    const Point top = plotPoint(plot, range, 0.0, line.y2);
    const bool bottomRight = bottom.x >= top.x;
    scene.items.emplace_back(Label{language.translate("RunChart", "bottom (x1, y1)").str(),
                                   {bottomRight ? bottom.x - unit * 2.0 : bottom.x + unit * 2.0, bottom.y - unit * 1.5},
                                   style.font(),
                                   bottomRight ? Anchor::end : Anchor::start});
    scene.items.emplace_back(Label{language.translate("RunChart", "top (0, y2)").str(),
                                   {bottomRight ? top.x + unit * 2.0 : top.x - unit * 2.0, top.y + unit * 1.0},
                                   style.font(),
                                   bottomRight ? Anchor::start : Anchor::end,
                                   Baseline::top});
    scene.items.emplace_back(Line{bottom, top, operating});
    for (const Point end : {bottom, top})
        scene.items.emplace_back(Marker{end, unit * dotRadius, Shape::circle, operatingColour, true, 0.0});
    return scene;
}

}  // namespace present
