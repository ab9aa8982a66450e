#pragma once

#include "present/language.h"
#include "present/numbers.h"
#include "present/scene.h"
#include "series/analysis.h"

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace present {

// The flow on a chart's horizontal axis; the other flow tells the markers
// apart.
enum class Against { gasFlow, waterFlow };

// Whole decades from the one at or below the smallest value to the one at or
// above the largest, at least one decade wide; values that are not above 0
// are left out. As powers of ten.
struct Decades {
    int low = 0;
    int high = 1;
};
Decades decadesOf(std::initializer_list<std::span<const double>> values);

// A decade's tick label: 0.001, 0.01, …, 1, 10, …, 10000 in the locale's
// digits, and 1e-5 or 1e+5 beyond.
std::string decadeText(int power, const NumberLocale& locale);

// The legend names a flow to this many significant digits, and flows that
// read the same there are one group: meter readings scatter in the last
// digits.
constexpr int flowDigits = 4;

// More groups than a legend can list: the chart then draws one marker style
// without the groups' lines, and the legend says how many flows.
constexpr std::size_t mostLegendGroups = 12;

// The flows grouped as the legend shows them, in ascending order: each
// group's name (its text at flowDigits) and smallest member, and each
// flow's group. Flows that are not finite go with the first group.
struct FlowGroups {
    std::vector<std::string> names;
    std::vector<double> smallest;
    std::vector<std::size_t> of;
};
FlowGroups flowGroups(std::span<const double> flows, const NumberLocale& locale);

// The coefficient against one flow on log–log axes with decade ticks: a
// marker style per value of the other flow, hollow for runs the fit does
// not take, error bars of ± U (k = 2) where a run has an uncertainty, and
// the fitted law as a line per value of the other flow; the legend above,
// wrapped where textWidth says it would pass the right edge.
Scene seriesChart(const series::Analysis& analysis, Against against, std::string_view flowUnit, double width,
                  double height, const Language& language, const NumberLocale& locale, const TextWidth& textWidth);

}  // namespace present
