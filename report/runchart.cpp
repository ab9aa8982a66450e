#include "report/runchart.h"

#include "core/absorber.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace report {
namespace {

struct ChartText {
    Q_DECLARE_TR_FUNCTIONS(RunChart)
};

// Sizes are in hundredths of the area's height, so the chart reads the same
// on a 96 dpi picture and a 300 dpi page.
constexpr double leftMargin = 19.0;
constexpr double rightMargin = 6.0;
constexpr double topMargin = 3.0;
constexpr double bottomMargin = 21.0;
constexpr double fontSize = 3.4;
constexpr double tickLength = 1.2;
constexpr double lineWidth = 0.9;
constexpr double curveWidth = 0.6;
constexpr double gridWidth = 0.15;
constexpr double dotRadius = 1.1;

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

QString tickText(double value, double step)
{
    const int decimals = std::max(0, int(std::ceil(-std::log10(step) - 1e-9)));
    // A tick at 0 made from sums of steps may be a hair off, or -0.
    const double shown = std::fabs(value) < step * 1e-6 ? 0.0 : value;
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return locale.toString(shown, 'f', decimals);
}

QPen pen(const QColor& colour, double width, Qt::PenStyle style = Qt::SolidLine)
{
    QPen result(colour, width, style, Qt::RoundCap, Qt::RoundJoin);
    return result;
}

void drawAxes(QPainter& painter, const QRectF& plot, const ChartRange& range, double unit)
{
    const QFontMetricsF metrics(painter.font(), painter.device());
    const double gap = unit * 0.8;

    painter.setPen(pen(Qt::lightGray, unit * gridWidth));
    const int xTicks = tickCount(range.xMin, range.xMax, range.xStep);
    const int yTicks = tickCount(range.yMin, range.yMax, range.yStep);
    for (int i = 1; i < xTicks; ++i) {
        const double x = plotPoint(plot, range, range.xMin + i * range.xStep, range.yMin).x();
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    }
    for (int i = 1; i < yTicks; ++i) {
        const double y = plotPoint(plot, range, range.xMin, range.yMin + i * range.yStep).y();
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    }

    painter.setPen(pen(Qt::black, unit * gridWidth * 2.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);
    for (int i = 0; i <= xTicks; ++i) {
        const double value = range.xMin + i * range.xStep;
        const double x = plotPoint(plot, range, value, range.yMin).x();
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + unit * tickLength));
        const QString text = tickText(value, range.xStep);
        const double width = metrics.horizontalAdvance(text);
        painter.drawText(QPointF(x - width / 2.0, plot.bottom() + unit * tickLength + gap + metrics.ascent()), text);
    }
    for (int i = 0; i <= yTicks; ++i) {
        const double value = range.yMin + i * range.yStep;
        const double y = plotPoint(plot, range, range.xMin, value).y();
        painter.drawLine(QPointF(plot.left() - unit * tickLength, y), QPointF(plot.left(), y));
        const QString text = tickText(value, range.yStep);
        const double width = metrics.horizontalAdvance(text);
        painter.drawText(
            QPointF(plot.left() - unit * tickLength - gap - width, y + (metrics.ascent() - metrics.descent()) / 2.0),
            text);
    }

    const QString xTitle = ChartText::tr("x, NH3 mole fraction in the water");
    const double xTitleTop = plot.bottom() + unit * tickLength + gap + metrics.height() + gap;
    painter.drawText(QPointF(plot.center().x() - metrics.horizontalAdvance(xTitle) / 2.0, xTitleTop + metrics.ascent()),
                     xTitle);

    const QString yTitle = ChartText::tr("y, NH3 mole fraction in the gas");
    painter.save();
    painter.translate(plot.left() - unit * (leftMargin - 1.0) + metrics.ascent(), plot.center().y());
    painter.rotate(-90.0);
    painter.drawText(QPointF(-metrics.horizontalAdvance(yTitle) / 2.0, 0.0), yTitle);
    painter.restore();
}

void drawLegend(QPainter& painter, const QRectF& area, const QRectF& plot, const Run& run, double unit)
{
    const QFontMetricsF metrics(painter.font(), painter.device());
    const double baseline = area.bottom() - metrics.descent() - unit * 0.5;
    const double middle = baseline - (metrics.ascent() - metrics.descent()) / 2.0;
    const double sample = unit * 7.0;
    double left = plot.left();

    const auto entry = [&](const QPen& linePen, const QString& text) {
        painter.setPen(linePen);
        painter.drawLine(QPointF(left, middle), QPointF(left + sample, middle));
        painter.setPen(Qt::black);
        painter.drawText(QPointF(left + sample + unit, baseline), text);
        left += sample + unit * 4.0 + metrics.horizontalAdvance(text);
    };
    entry(pen(equilibriumColour, unit * curveWidth), ChartText::tr("Equilibrium curve (NH3 in water, 30 °C)"));
    entry(pen(operatingColour, unit * lineWidth), ChartText::tr("Operating line of run %1").arg(run.number));
}

void drawEquilibriumCurve(QPainter& painter, const QRectF& plot, const ChartRange& range, double unit)
{
    QPainterPath curve(plotPoint(plot, range, 0.0, 0.0));
    for (const absorber::EquilibriumPoint& point : absorber::equilibriumPoints)
        curve.lineTo(plotPoint(plot, range, point.x, point.y));
    painter.setPen(pen(equilibriumColour, unit * curveWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(curve);
}

void drawOperatingLine(QPainter& painter, const QRectF& plot, const ChartRange& range, const Run& run, double unit)
{
    const QPointF bottom = plotPoint(plot, range, run.x1, run.y1);
    const QPointF top = plotPoint(plot, range, 0.0, run.y2);
    const QFontMetricsF metrics(painter.font(), painter.device());

    // The column's two ends, named beside them and out of the line's way.
    painter.setPen(Qt::black);
    const QString bottomText = ChartText::tr("bottom (x1, y1)");
    const QString topText = ChartText::tr("top (0, y2)");
    // Each name on the side away from the other end: a negative x1 puts
    // the bottom to the left.
    const bool bottomRight = bottom.x() >= top.x();
    const double bottomWidth = metrics.horizontalAdvance(bottomText);
    const double topWidth = metrics.horizontalAdvance(topText);
    painter.drawText(
        QPointF(bottomRight ? bottom.x() - bottomWidth - unit * 2.0 : bottom.x() + unit * 2.0, bottom.y() - unit * 1.5),
        bottomText);
    painter.drawText(QPointF(bottomRight ? top.x() + unit * 2.0 : top.x() - topWidth - unit * 2.0,
                             top.y() + metrics.ascent() + unit * 1.0),
                     topText);

    painter.setPen(pen(operatingColour, unit * lineWidth));
    painter.drawLine(bottom, top);
    painter.setPen(Qt::NoPen);
    painter.setBrush(operatingColour);
    painter.drawEllipse(bottom, unit * dotRadius, unit * dotRadius);
    painter.drawEllipse(top, unit * dotRadius, unit * dotRadius);
}

}  // namespace

ChartRange runChartRange(const Run& run)
{
    const Axis x = axisFor({run.x1});
    const Axis y = axisFor({run.y1, run.y2});
    return {x.min, x.max, x.step, y.min, y.max, y.step};
}

QRectF runChartPlotArea(const QRectF& area)
{
    const double unit = area.height() / 100.0;
    return area.adjusted(unit * leftMargin, unit * topMargin, -unit * rightMargin, -unit * bottomMargin);
}

QPointF plotPoint(const QRectF& plot, const ChartRange& range, double x, double y)
{
    const double across = (x - range.xMin) / (range.xMax - range.xMin);
    const double up = (y - range.yMin) / (range.yMax - range.yMin);
    return {plot.left() + across * plot.width(), plot.bottom() - up * plot.height()};
}

void drawRunChart(QPainter& painter, const QRectF& area, const Run& run)
{
    const double unit = area.height() / 100.0;
    const QRectF plot = runChartPlotArea(area);
    const ChartRange range = runChartRange(run);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = painter.font();
    font.setPixelSize(std::max(1, int(std::lround(unit * fontSize))));
    painter.setFont(font);

    painter.fillRect(plot, Qt::white);
    drawAxes(painter, plot, range, unit);
    drawLegend(painter, area, plot, run, unit);

    // The curve runs on far beyond the run's range; the operating line lies
    // within it, and its end dots may overlap the frame.
    painter.save();
    painter.setClipRect(plot);
    drawEquilibriumCurve(painter, plot, range, unit);
    painter.restore();
    drawOperatingLine(painter, plot, range, run, unit);

    painter.restore();
}

QImage runChartImage(const Run& run, const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    drawRunChart(painter, QRectF(QPointF(0, 0), QSizeF(size)), run);
    return image;
}

std::optional<QByteArray> pngBytes(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        return std::nullopt;
    return bytes;
}

}  // namespace report
