#include "ui/chart.h"

#include "ui/twips.h"

#include <QPainter>
#include <QPalette>
#include <QPen>

#include <cmath>

namespace ui {

namespace {

// The smallest magnitude that rounds to infinity in single precision: half
// way between the largest single and 2^128, a tie that goes to the even 2^128.
constexpr double firstSingleOverflow = 0x1.ffffffp+127;

PlotCoordinate handOver(double value)
{
    // The constants are finite, so NaN only comes from a NaN fraction and an
    // infinity only from an overflow.
    if (std::isnan(value))
        return {absorber::Outcome::invalidOperation, 0.0f};
    if (!(std::fabs(value) < firstSingleOverflow))
        return {absorber::Outcome::overflow, 0.0f};
    return {absorber::Outcome::completed, static_cast<float>(value)};
}

QPen outlinePen(const QColor& colour)
{
    QPen pen(colour);
    pen.setWidth(1);
    pen.setCosmetic(true);
    return pen;
}

// Through the same point conversion as the lines, so that the curve's origin
// falls on the square's corner.
QRectF pixelRect(const TwipRect& rect)
{
    return QRectF(twips::point(rect.left, rect.top), twips::point(rect.left + rect.width, rect.top + rect.height));
}

}  // namespace

void paintControl(QPainter& painter, const ChartShape& shape, const QPalette& palette)
{
    painter.save();
    painter.setPen(outlinePen(palette.color(QPalette::WindowText)));
    painter.setBrush(shape.fill);
    painter.drawRect(pixelRect(shape.rect));
    painter.restore();
}

void paintControl(QPainter& painter, const ChartLabel& label, const QPalette& palette)
{
    // Text sits on whole pixels, as the labels of the other windows do.
    const QRect rect = pixelRect(label.rect).toRect();
    painter.save();
    if (label.opaque)
        painter.fillRect(rect, palette.window());
    painter.setPen(palette.color(QPalette::WindowText));
    painter.drawText(rect, int(label.alignment | Qt::AlignTop | Qt::TextWordWrap), label.caption);
    painter.restore();
}

void paintControl(QPainter& painter, const ChartLine& line, const QPalette& palette)
{
    // A zero-length line shows nothing: the collapsed operating line leaves
    // no dot in the corner.
    if (line.x1 == line.x2 && line.y1 == line.y2)
        return;
    painter.save();
    painter.setPen(outlinePen(line.colour.value_or(palette.color(QPalette::WindowText))));
    painter.drawLine(QLineF(twips::point(line.x1, line.y1), twips::point(line.x2, line.y2)));
    painter.restore();
}

PlotCoordinate plotX(double x)
{
    return handOver(plotSquare::left + (x * plotSquare::size) / plotSquare::xRange);
}

PlotCoordinate plotY(double y)
{
    return handOver(plotSquare::bottom - y * plotSquare::size);
}

}  // namespace ui
