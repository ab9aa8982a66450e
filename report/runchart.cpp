#include "report/runchart.h"

#include "report/qtpresent.h"
#include "report/scenepainter.h"

#include <QBuffer>
#include <QImage>
#include <QLocale>
#include <QPainter>

namespace report {
namespace {

present::OperatingLine operatingLine(const Run& run)
{
    return {run.number, run.x1, run.y1, run.y2};
}

}  // namespace

ChartRange runChartRange(const Run& run)
{
    return present::runChartRange(operatingLine(run));
}

QRectF runChartPlotArea(const QRectF& area)
{
    const present::Box plot = present::runChartPlotArea(area.width(), area.height());
    return {area.left() + plot.left, area.top() + plot.top, plot.width, plot.height};
}

QPointF plotPoint(const QRectF& plot, const ChartRange& range, double x, double y)
{
    const present::Point point =
        present::plotPoint({plot.left(), plot.top(), plot.width(), plot.height()}, range, x, y);
    return {point.x, point.y};
}

void drawRunChart(QPainter& painter, const QRectF& area, const Run& run)
{
    const present::Scene scene =
        present::runChart(operatingLine(run), area.width(), area.height(), qtLanguage(), numberLocaleOf(QLocale()),
                          textWidthOn(painter.font(), painter.device()));
    paintScene(painter, area, scene);
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
