#pragma once

#include "series/analysis.h"

#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>

#include <initializer_list>
#include <span>

class QPainter;

namespace report {

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
QString decadeText(int power);

// The coefficient against one flow on log–log axes with decade ticks: a
// marker style per value of the other flow, hollow for runs the fit does
// not take, error bars of ± U (k = 2) where a run has an uncertainty, and
// the fitted law as a line per value of the other flow. Drawn within area;
// the painter is left as it was.
void drawCoefficientChart(QPainter& painter, const QRectF& area, const series::Analysis& analysis, Against against,
                          const QString& flowUnit);

// Both charts side by side, on white: the picture Copy and Save give.
QImage analysisImage(const series::Analysis& analysis, const QString& flowUnit, const QSize& size);

}  // namespace report
