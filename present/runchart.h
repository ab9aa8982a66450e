#pragma once

#include "present/language.h"
#include "present/numbers.h"
#include "present/scene.h"

namespace present {

// The ends of a run's operating line, in mole fractions: the bottom
// (x1, y1) and the top (0, y2).
struct OperatingLine {
    int run = 1;
    double x1 = 0.0;
    double y1 = 0.0;
    double y2 = 0.0;
};

// What a run's chart shows, in mole fractions: from 0 (or below, for a
// negative input) to a little beyond the run's largest fraction, on whole
// ticks, so that the operating line fills most of the plot.
struct ChartRange {
    double xMin = 0.0;
    double xMax = 1.0;
    double xStep = 0.5;
    double yMin = 0.0;
    double yMax = 1.0;
    double yStep = 0.5;
};

ChartRange runChartRange(const OperatingLine& line);

// The plotting box inside a chart of that size; the rest holds the tick
// numbers, the axis titles and the legend.
Box runChartPlotArea(double width, double height);

// Where a point (x in the liquid, y in the gas) lies in the plot, y growing
// upwards. Points outside the range land outside the box.
Point plotPoint(const Box& plot, const ChartRange& range, double x, double y);

// The equilibrium curve and the run's operating line, with axes, ticks,
// titles and a legend below, its entries spaced by textWidth.
Scene runChart(const OperatingLine& line, double width, double height, const Language& language,
               const NumberLocale& locale, const TextWidth& textWidth);

inline constexpr Colour equilibriumColour{0, 0, 128};
inline constexpr Colour operatingColour{0, 192, 0};

}  // namespace present
