#pragma once

#include "present/scene.h"
#include "present/serieschart.h"
#include "series/analysis.h"

#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>

class QPainter;

namespace report {

using present::Against;
using present::Decades;
using present::decadesOf;

// A decade's tick label in the default locale's digits.
QString decadeText(int power);

// The coefficient against one flow on log–log axes with decade ticks: a
// marker style per value of the other flow, hollow for runs the fit does
// not take, error bars of ± U (k = 2) where a run has an uncertainty, and
// the fitted law as a line per value of the other flow. Drawn within area;
// the painter is left as it was.
void drawCoefficientChart(QPainter& painter, const QRectF& area, const series::Analysis& analysis, Against against,
                          const QString& flowUnit);

// The chart drawCoefficientChart draws, as a scene of the area's size with
// the painter's font: kept by a window so a repaint need not build it again.
present::Scene coefficientChart(const QPainter& painter, const QSizeF& size, const series::Analysis& analysis,
                                Against against, const QString& flowUnit);

// Both charts side by side, on white: the picture Copy and Save give.
QImage analysisImage(const series::Analysis& analysis, const QString& flowUnit, const QSize& size);

}  // namespace report
