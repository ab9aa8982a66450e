#pragma once

#include "present/scene.h"

#include <string>
#include <string_view>

namespace present {

// A scene as an SVG element (class "chart", viewBox the scene's box), for
// the page to put in place as it is. Items of a role carry it as a class:
// run-marker, fit-line, error-bar. Clip paths are named from idPrefix, so
// that charts on one page keep theirs apart.
std::string svgText(const Scene& scene, std::string_view idPrefix);

}  // namespace present
