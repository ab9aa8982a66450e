#pragma once

#include "present/runchart.h"
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
inline constexpr QColor equilibriumColour{present::equilibriumColour.red, present::equilibriumColour.green,
                                          present::equilibriumColour.blue};
inline constexpr QColor operatingColour{present::operatingColour.red, present::operatingColour.green,
                                        present::operatingColour.blue};

using present::ChartRange;

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
