#include "report/seriescharts.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

namespace report {
namespace {

struct ChartText {
    Q_DECLARE_TR_FUNCTIONS(SeriesChart)
};

// Sizes in hundredths of the area's height, as in the run's chart.
constexpr double leftMargin = 17.0;
constexpr double rightMargin = 4.0;
constexpr double topMargin = 3.0;
constexpr double bottomMargin = 16.0;
constexpr double legendHeight = 5.0;
constexpr double fontSize = 3.3;
constexpr double tickLength = 1.2;
constexpr double minorTickLength = 0.7;
constexpr double markerRadius = 1.4;
constexpr double lineWidth = 0.45;
constexpr double gridWidth = 0.15;

// Told apart by shape as well as colour, so that a grey print still shows
// the groups.
constexpr std::array<QColor, 6> groupColours{QColor(0, 0, 128),   QColor(200, 60, 0),  QColor(0, 128, 0),
                                             QColor(128, 0, 128), QColor(0, 128, 160), QColor(120, 90, 0)};
enum class Shape { circle, square, triangleUp, diamond, triangleDown, cross };
constexpr std::array<Shape, 6> groupShapes{Shape::circle,  Shape::square,       Shape::triangleUp,
                                           Shape::diamond, Shape::triangleDown, Shape::cross};

double along(const series::FitPoint& point, Against against)
{
    return against == Against::gasFlow ? point.gasFlow : point.waterFlow;
}

double across(const series::FitPoint& point, Against against)
{
    return against == Against::gasFlow ? point.waterFlow : point.gasFlow;
}

bool drawable(const series::FitPoint& point)
{
    return point.gasFlow > 0.0 && point.waterFlow > 0.0 && point.mtc > 0.0 && std::isfinite(point.gasFlow)
        && std::isfinite(point.waterFlow) && std::isfinite(point.mtc);
}

// The expanded uncertainty's ends, where the run has one and they are on
// the axis.
std::optional<std::pair<double, double>> errorBar(const series::FitPoint& point)
{
    if (!point.uMtc || !(*point.uMtc > 0.0))
        return std::nullopt;
    const double expanded = series::coverageFactor * *point.uMtc;
    return std::pair(point.mtc - expanded, point.mtc + expanded);
}

// The fitted coefficient at the flows.
double fitted(const series::PowerLaw& law, double gasFlow, double waterFlow)
{
    double value = law.prefactor.value;
    if (law.gasExponent)
        value *= std::pow(gasFlow, law.gasExponent->value);
    if (law.waterExponent)
        value *= std::pow(waterFlow, law.waterExponent->value);
    return value;
}

class LogPlot {
public:
    LogPlot(const QRectF& plotArea, Decades xDecades, Decades yDecades)
        : plot(plotArea)
        , x(xDecades)
        , y(yDecades)
    {
    }

    QPointF at(double xValue, double yValue) const
    {
        const double u = (std::log10(xValue) - x.low) / (x.high - x.low);
        const double v = (std::log10(yValue) - y.low) / (y.high - y.low);
        return {plot.left() + u * plot.width(), plot.bottom() - v * plot.height()};
    }

    QRectF plot;
    Decades x;
    Decades y;
};

void drawMarker(QPainter& painter, QPointF centre, double radius, Shape shape)
{
    const double r = radius;
    QPainterPath path;
    switch (shape) {
    case Shape::circle:
        path.addEllipse(centre, r, r);
        break;
    case Shape::square:
        path.addRect(QRectF(centre.x() - r * 0.85, centre.y() - r * 0.85, r * 1.7, r * 1.7));
        break;
    case Shape::triangleUp:
    case Shape::triangleDown: {
        const double sign = shape == Shape::triangleUp ? 1.0 : -1.0;
        path.moveTo(centre + QPointF(0.0, -sign * r * 1.15));
        path.lineTo(centre + QPointF(r, sign * r * 0.7));
        path.lineTo(centre + QPointF(-r, sign * r * 0.7));
        path.closeSubpath();
        break;
    }
    case Shape::diamond:
        path.moveTo(centre + QPointF(0.0, -r * 1.2));
        path.lineTo(centre + QPointF(r * 1.2, 0.0));
        path.lineTo(centre + QPointF(0.0, r * 1.2));
        path.lineTo(centre + QPointF(-r * 1.2, 0.0));
        path.closeSubpath();
        break;
    case Shape::cross:
        path.moveTo(centre + QPointF(-r, -r));
        path.lineTo(centre + QPointF(r, r));
        path.moveTo(centre + QPointF(-r, r));
        path.lineTo(centre + QPointF(r, -r));
        break;
    }
    painter.drawPath(path);
}

void drawLogAxes(QPainter& painter, const LogPlot& plot, double unit, const QString& xTitle, const QString& yTitle)
{
    const QFontMetricsF metrics(painter.font(), painter.device());
    const double gap = unit * 0.8;
    const QRectF& area = plot.plot;
    // Labels between the decades too when the axis spans only one.
    const auto labelled = [](const Decades& decades, int factor) {
        return factor == 1 || (decades.high - decades.low == 1 && (factor == 2 || factor == 5));
    };
    const auto label = [](int power, int factor) {
        if (factor == 1)
            return decadeText(power);
        QLocale locale;
        locale.setNumberOptions(QLocale::OmitGroupSeparator);
        return locale.toString(factor * std::pow(10.0, power), 'g', 6);
    };

    for (int power = plot.x.low; power <= plot.x.high; ++power) {
        for (int factor = 1; factor <= (power < plot.x.high ? 9 : 1); ++factor) {
            const double x = plot.at(factor * std::pow(10.0, power), std::pow(10.0, plot.y.low)).x();
            const bool major = factor == 1;
            painter.setPen(QPen(major ? QColor(200, 200, 200) : QColor(235, 235, 235), unit * gridWidth));
            painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
            painter.setPen(QPen(Qt::black, unit * gridWidth * 2.0));
            painter.drawLine(QPointF(x, area.bottom()),
                             QPointF(x, area.bottom() + unit * (major ? tickLength : minorTickLength)));
            if (labelled(plot.x, factor)) {
                const QString text = label(power, factor);
                painter.drawText(QPointF(x - metrics.horizontalAdvance(text) / 2.0,
                                         area.bottom() + unit * tickLength + gap + metrics.ascent()),
                                 text);
            }
        }
    }
    for (int power = plot.y.low; power <= plot.y.high; ++power) {
        for (int factor = 1; factor <= (power < plot.y.high ? 9 : 1); ++factor) {
            const double y = plot.at(std::pow(10.0, plot.x.low), factor * std::pow(10.0, power)).y();
            const bool major = factor == 1;
            painter.setPen(QPen(major ? QColor(200, 200, 200) : QColor(235, 235, 235), unit * gridWidth));
            painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
            painter.setPen(QPen(Qt::black, unit * gridWidth * 2.0));
            painter.drawLine(QPointF(area.left() - unit * (major ? tickLength : minorTickLength), y),
                             QPointF(area.left(), y));
            if (labelled(plot.y, factor)) {
                const QString text = label(power, factor);
                painter.drawText(QPointF(area.left() - unit * tickLength - gap - metrics.horizontalAdvance(text),
                                         y + (metrics.ascent() - metrics.descent()) / 2.0),
                                 text);
            }
        }
    }
    painter.setPen(QPen(Qt::black, unit * gridWidth * 2.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area);

    const double xTitleTop = area.bottom() + unit * tickLength + gap + metrics.height() + gap;
    painter.drawText(QPointF(area.center().x() - metrics.horizontalAdvance(xTitle) / 2.0, xTitleTop + metrics.ascent()),
                     xTitle);
    painter.save();
    painter.translate(area.left() - unit * (leftMargin - 1.0) + metrics.ascent(), area.center().y());
    painter.rotate(-90.0);
    painter.drawText(QPointF(-metrics.horizontalAdvance(yTitle) / 2.0, 0.0), yTitle);
    painter.restore();
}

struct LegendEntry {
    QString text;
    QColor colour;
    Shape shape;
    bool filled;
};

// Each entry's left edge and line, wrapping where the next would pass the
// area's right edge.
std::vector<std::pair<double, int>> legendPlaces(const QPainter& painter, const QRectF& area,
                                                 const std::vector<LegendEntry>& legend, double unit)
{
    const QFontMetricsF metrics(painter.font(), painter.device());
    std::vector<std::pair<double, int>> places;
    const double start = area.left() + unit * leftMargin;
    double left = start;
    int line = 0;
    for (const LegendEntry& entry : legend) {
        const double width = unit * (markerRadius * 2 + 0.8) + metrics.horizontalAdvance(entry.text);
        if (left > start && left + width > area.right() - unit * rightMargin) {
            left = start;
            ++line;
        }
        places.emplace_back(left, line);
        left += width + unit * 2.2;
    }
    return places;
}

int legendLineCount(const QPainter& painter, const QRectF& area, const std::vector<LegendEntry>& legend, double unit)
{
    const auto places = legendPlaces(painter, area, legend, unit);
    return places.empty() ? 1 : places.back().second + 1;
}

void drawLegend(QPainter& painter, const QRectF& area, const std::vector<LegendEntry>& legend, double unit)
{
    const QFontMetricsF metrics(painter.font(), painter.device());
    const auto places = legendPlaces(painter, area, legend, unit);
    for (std::size_t i = 0; i < legend.size(); ++i) {
        const LegendEntry& entry = legend[i];
        const double left = places[i].first;
        const double middle = area.top() + unit * (topMargin + (places[i].second + 0.5) * legendHeight);
        painter.setPen(QPen(entry.colour, unit * lineWidth));
        painter.setBrush(entry.filled ? QBrush(entry.colour) : QBrush(Qt::white));
        drawMarker(painter, QPointF(left + unit * markerRadius, middle), unit * markerRadius, entry.shape);
        painter.setPen(Qt::black);
        painter.drawText(
            QPointF(left + unit * (markerRadius * 2 + 0.8), middle + (metrics.ascent() - metrics.descent()) / 2.0),
            entry.text);
    }
}

QString withUnit(const QString& name, const QString& unit)
{
    return unit.isEmpty() ? name : ChartText::tr("%1 (%2)").arg(name, unit);
}

}  // namespace

Decades decadesOf(std::initializer_list<std::span<const double>> values)
{
    double smallest = std::numeric_limits<double>::infinity();
    double largest = 0.0;
    for (const std::span<const double> list : values) {
        for (const double value : list) {
            if (value > 0.0 && std::isfinite(value)) {
                smallest = std::min(smallest, value);
                largest = std::max(largest, value);
            }
        }
    }
    if (largest == 0.0)
        return {};
    Decades decades{int(std::floor(std::log10(smallest))), int(std::ceil(std::log10(largest)))};
    if (decades.high <= decades.low)
        decades.high = decades.low + 1;
    return decades;
}

QString decadeText(int power)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    if (power < -4 || power > 4)
        return QStringLiteral("1e%1%2").arg(power < 0 ? QStringLiteral("-") : QStringLiteral("+")).arg(std::abs(power));
    if (power < 0)
        return locale.toString(std::pow(10.0, power), 'f', -power);
    return locale.toString(qlonglong(std::llround(std::pow(10.0, power))));
}

void drawCoefficientChart(QPainter& painter, const QRectF& area, const series::Analysis& analysis, Against against,
                          const QString& flowUnit)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const double unit = area.height() / 100.0;
    QFont font = painter.font();
    font.setPixelSize(std::max(1, int(std::lround(unit * fontSize))));
    painter.setFont(font);

    const auto* law = std::get_if<series::PowerLaw>(&analysis.fit);
    std::vector<double> xs, ys, others;
    for (const series::AnalysisRun& run : analysis.runs) {
        if (!drawable(run.point))
            continue;
        xs.push_back(along(run.point, against));
        others.push_back(across(run.point, against));
        ys.push_back(run.point.mtc);
        if (const auto bar = errorBar(run.point)) {
            ys.push_back(bar->first);
            ys.push_back(bar->second);
        }
    }
    const std::vector<double> groups = series::distinctFlows(others);

    std::vector<LegendEntry> legend;
    const QString other = against == Against::gasFlow ? ChartText::tr("L") : ChartText::tr("G");
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    for (std::size_t g = 0; g < groups.size(); ++g) {
        legend.push_back({ChartText::tr("%1 = %2").arg(other, locale.toString(groups[g], 'g', 6)),
                          groupColours[g % groupColours.size()], groupShapes[g % groupShapes.size()], true});
    }
    if (std::any_of(analysis.runs.begin(), analysis.runs.end(),
                    [](const auto& run) { return drawable(run.point) && !run.used; }))
        legend.push_back({ChartText::tr("not in the fit"), Qt::black, Shape::circle, false});
    const double legendLines = legendLineCount(painter, area, legend, unit);
    const QRectF plotArea(area.left() + unit * leftMargin, area.top() + unit * (topMargin + legendLines * legendHeight),
                          area.width() - unit * (leftMargin + rightMargin),
                          area.height() - unit * (topMargin + legendLines * legendHeight + bottomMargin));
    const LogPlot plot(plotArea, decadesOf({xs}), decadesOf({ys}));

    const QString coefficientUnit = flowUnit.isEmpty() ? QString() : ChartText::tr("%1/m³").arg(flowUnit);
    const QString xTitle = against == Against::gasFlow ? withUnit(ChartText::tr("Gas flow G"), flowUnit)
                                                       : withUnit(ChartText::tr("Water flow L"), flowUnit);
    drawLogAxes(painter, plot, unit, xTitle, withUnit(ChartText::tr("Mass-transfer coefficient"), coefficientUnit));

    const auto groupOf = [&groups](double flow) {
        for (std::size_t i = 0; i < groups.size(); ++i) {
            if (series::sameFlow(groups[i], flow))
                return i;
        }
        return std::size_t(0);
    };

    painter.setClipRect(plotArea.adjusted(-unit * markerRadius * 2, -unit * markerRadius * 2, unit * markerRadius * 2,
                                          unit * markerRadius * 2));
    // The fitted law through each group, over the flows the group spans, and
    // only where the law has an exponent for this axis.
    const bool lawAlongAxis = law && (against == Against::gasFlow ? law->gasExponent : law->waterExponent);
    if (lawAlongAxis) {
        for (std::size_t g = 0; g < groups.size(); ++g) {
            double low = std::numeric_limits<double>::infinity();
            double high = 0.0;
            for (std::size_t i = 0; i < xs.size(); ++i) {
                if (groupOf(others[i]) == g) {
                    low = std::min(low, xs[i]);
                    high = std::max(high, xs[i]);
                }
            }
            if (!(high > low))
                continue;
            const auto value = [&](double x) {
                return against == Against::gasFlow ? fitted(*law, x, groups[g]) : fitted(*law, groups[g], x);
            };
            painter.setPen(QPen(groupColours[g % groupColours.size()], unit * lineWidth));
            painter.drawLine(plot.at(low, value(low)), plot.at(high, value(high)));
        }
    }
    for (const series::AnalysisRun& run : analysis.runs) {
        if (!drawable(run.point))
            continue;
        const double x = along(run.point, against);
        const std::size_t g = groupOf(across(run.point, against));
        const QColor colour = groupColours[g % groupColours.size()];
        painter.setPen(QPen(colour, unit * lineWidth));
        if (const auto bar = errorBar(run.point)) {
            // An end at or below 0 is off the axis: the bar runs to its edge.
            const QPointF top = plot.at(x, bar->second);
            const QPointF bottom = bar->first > 0.0 ? plot.at(x, bar->first) : QPointF(top.x(), plotArea.bottom());
            painter.drawLine(top, bottom);
            for (const QPointF& end : {top, bottom})
                painter.drawLine(end - QPointF(unit * 0.8, 0.0), end + QPointF(unit * 0.8, 0.0));
        }
        painter.setBrush(run.used ? QBrush(colour) : QBrush(Qt::white));
        drawMarker(painter, plot.at(x, run.point.mtc), unit * markerRadius, groupShapes[g % groupShapes.size()]);
    }
    painter.setClipping(false);

    // The legend above the plot: a marker and the other flow's value per
    // group, then what a hollow marker means; on as many lines as it needs.
    drawLegend(painter, area, legend, unit);
    painter.restore();
}

QImage analysisImage(const series::Analysis& analysis, const QString& flowUnit, const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(Qt::white);
    QPainter painter(&image);
    const double half = size.width() / 2.0;
    drawCoefficientChart(painter, QRectF(0, 0, half, size.height()), analysis, Against::gasFlow, flowUnit);
    drawCoefficientChart(painter, QRectF(half, 0, half, size.height()), analysis, Against::waterFlow, flowUnit);
    return image;
}

}  // namespace report
