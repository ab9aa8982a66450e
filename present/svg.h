#pragma once

#include "present/language.h"
#include "present/numbers.h"
#include "present/scene.h"
#include "series/analysis.h"

#include <string>
#include <string_view>
#include <vector>

namespace present {

// A scene as an SVG element (class "chart", viewBox the scene's box), for
// the page to put in place as it is. Items of a role carry it as a class:
// run-marker, fit-line, error-bar. Clip paths are named from idPrefix, so
// that charts on one page keep theirs apart. A class's chart, over 500
// runs' markers, writes the markers and error bars that fall on one spot
// (to a tenth of a unit) once, where the last of them is drawn.
std::string svgText(const Scene& scene, std::string_view idPrefix);

// The page's series charts, the coefficient against the gas flow then
// against the water flow, at the page's size with estimated text widths.
std::vector<std::string> pageSeriesCharts(const series::Analysis& analysis, std::string_view flowUnit,
                                          const Language& language, const NumberLocale& locale);

}  // namespace present
