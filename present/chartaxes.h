#pragma once

// The parts the series charts and the run chart share: grid lines, ticks
// with their labels, the plot's frame and the axis titles. Sizes are in
// hundredths of the chart's height, so a chart reads the same on a 96 dpi
// picture and a 300 dpi page.

#include "present/scene.h"

#include <string>

namespace present::axes {

inline constexpr double topMargin = 3.0;
inline constexpr double tickLength = 1.2;
inline constexpr double gridWidth = 0.15;
// Between a tick and its label, and between the labels and the title.
inline constexpr double labelGap = 0.8;
// A line of text, in font sizes.
inline constexpr double lineHeight = 1.2;

// How one chart draws its axes.
struct Style {
    double unit = 1.0;  // a hundredth of the chart's height
    double fontSize = 3.3;
    bool roundEnds = false;

    double font() const { return unit * fontSize; }
    // The frame's and the ticks' black.
    Stroke ink() const { return {black, unit * gridWidth * 2.0, roundEnds}; }
    Stroke grid(Colour colour) const { return {colour, unit * gridWidth, roundEnds}; }
};

void verticalGridLine(Scene& scene, const Box& plot, double x, const Stroke& stroke);
void horizontalGridLine(Scene& scene, const Box& plot, double y, const Stroke& stroke);

// A tick below the plot at x, or left of it at y, length in hundredths;
// its label beside it unless the label is empty.
void xTick(Scene& scene, const Box& plot, double x, const Style& style, double length, std::string label);
void yTick(Scene& scene, const Box& plot, double y, const Style& style, double length, std::string label);

void frame(Scene& scene, const Box& plot, const Style& style);

// The x title centred under the tick labels; the y title turned, centred
// beside the plot, leftMargin − 1 hundredths left of it.
void titles(Scene& scene, const Box& plot, const Style& style, double leftMargin, std::string xTitle,
            std::string yTitle);

}  // namespace present::axes
