#pragma once

#include "report/run.h"

#include <QByteArray>
#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QSize>

#include <optional>

class QImage;
class QPainter;

namespace report {

// The colours of the graph window's curve and operating line.
inline constexpr QColor equilibriumColour{0, 0, 128};
inline constexpr QColor operatingColour{0, 192, 0};

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

ChartRange runChartRange(const Run& run);

// The plotting rectangle inside the area handed to drawRunChart; the rest
// holds the tick numbers, the axis titles and the legend.
QRectF runChartPlotArea(const QRectF& area);

// Where a point (x in the liquid, y in the gas) lies in that rectangle, y
// growing upwards. Points outside the range land outside the rectangle.
QPointF plotPoint(const QRectF& plot, const ChartRange& range, double x, double y);

// The equilibrium curve and the run's operating line, from (x1, y1) to
// (0, y2), with axes, ticks, titles and a legend, drawn within area. The
// painter is left as it was.
void drawRunChart(QPainter& painter, const QRectF& area, const Run& run);

// The chart alone as a picture, on white.
QImage runChartImage(const Run& run, const QSize& size);

// A picture as the bytes of a PNG file; none if it could not be encoded
// (a null picture, for one).
std::optional<QByteArray> pngBytes(const QImage& image);

}  // namespace report
