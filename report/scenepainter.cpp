#include "report/scenepainter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace report {
namespace {

QColor qcolour(present::Colour colour)
{
    return QColor(colour.red, colour.green, colour.blue);
}

QPointF qpoint(present::Point point)
{
    return {point.x, point.y};
}

QRectF qrect(const present::Box& box)
{
    return {box.left, box.top, box.width, box.height};
}

QPen qpen(const present::Stroke& stroke)
{
    if (stroke.round)
        return QPen(qcolour(stroke.colour), stroke.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    return QPen(qcolour(stroke.colour), stroke.width);
}

QPainterPath markerPath(const present::Marker& marker)
{
    const QPointF centre = qpoint(marker.centre);
    const double r = marker.radius;
    QPainterPath path;
    switch (marker.shape) {
    case present::Shape::circle:
        path.addEllipse(centre, r, r);
        break;
    case present::Shape::square:
        path.addRect(QRectF(centre.x() - r * 0.85, centre.y() - r * 0.85, r * 1.7, r * 1.7));
        break;
    case present::Shape::triangleUp:
    case present::Shape::triangleDown: {
        const double sign = marker.shape == present::Shape::triangleUp ? 1.0 : -1.0;
        path.moveTo(centre + QPointF(0.0, -sign * r * 1.15));
        path.lineTo(centre + QPointF(r, sign * r * 0.7));
        path.lineTo(centre + QPointF(-r, sign * r * 0.7));
        path.closeSubpath();
        break;
    }
    case present::Shape::diamond:
        path.moveTo(centre + QPointF(0.0, -r * 1.2));
        path.lineTo(centre + QPointF(r * 1.2, 0.0));
        path.lineTo(centre + QPointF(0.0, r * 1.2));
        path.lineTo(centre + QPointF(-r * 1.2, 0.0));
        path.closeSubpath();
        break;
    case present::Shape::cross:
        path.moveTo(centre + QPointF(-r, -r));
        path.lineTo(centre + QPointF(r, r));
        path.moveTo(centre + QPointF(-r, r));
        path.lineTo(centre + QPointF(r, -r));
        break;
    }
    return path;
}

void paintLabel(QPainter& painter, const present::Label& label, const QFont& base, double scale)
{
    const QFont font = sceneFont(base, label.size * scale);
    const QFontMetricsF metrics(font, painter.device());
    const QString text = QString::fromStdString(label.text);
    const double width = metrics.horizontalAdvance(text);
    const double dx = label.anchor == present::Anchor::start ? 0.0
        : label.anchor == present::Anchor::middle            ? -width / 2.0
                                                             : -width;
    const double dy = label.baseline == present::Baseline::alphabetic ? 0.0
        : label.baseline == present::Baseline::middle                 ? (metrics.ascent() - metrics.descent()) / 2.0
                                                                      : metrics.ascent();
    painter.save();
    painter.setFont(font);
    painter.setPen(qcolour(label.colour));
    painter.translate(qpoint(label.at));
    painter.rotate(label.rotation);
    painter.drawText(QPointF(dx, dy), text);
    painter.restore();
}

}  // namespace

QFont sceneFont(const QFont& base, double size)
{
    QFont font = base;
    font.setPixelSize(std::max(1, int(std::lround(size))));
    return font;
}

present::TextWidth textWidthOn(const QFont& base, QPaintDevice* device)
{
    return [base, device](std::string_view text, double size) {
        return QFontMetricsF(sceneFont(base, size), device)
            .horizontalAdvance(QString::fromUtf8(text.data(), qsizetype(text.size())));
    };
}

void paintScene(QPainter& painter, const QRectF& area, const present::Scene& scene)
{
    if (!(scene.width > 0.0 && scene.height > 0.0))
        return;
    const QFont base = painter.font();
    // Texts are sized in device pixels, so they are scaled by hand, not by
    // the painter's transform.
    const double scale = area.height() / scene.height;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(area.topLeft());
    painter.scale(area.width() / scene.width, scale);
    int clips = 0;
    for (const present::Item& item : scene.items) {
        if (const auto* line = std::get_if<present::Line>(&item)) {
            painter.setPen(qpen(line->stroke));
            painter.drawLine(qpoint(line->from), qpoint(line->to));
        } else if (const auto* polyline = std::get_if<present::Polyline>(&item)) {
            QPainterPath path;
            for (const present::Point& point : polyline->points) {
                if (path.elementCount() == 0)
                    path.moveTo(qpoint(point));
                else
                    path.lineTo(qpoint(point));
            }
            painter.setPen(qpen(polyline->stroke));
            painter.setBrush(Qt::NoBrush);
            painter.drawPath(path);
        } else if (const auto* marker = std::get_if<present::Marker>(&item)) {
            if (marker->strokeWidth > 0.0)
                painter.setPen(QPen(qcolour(marker->colour), marker->strokeWidth));
            else
                painter.setPen(Qt::NoPen);
            painter.setBrush(qcolour(marker->filled ? marker->colour : present::white));
            painter.drawPath(markerPath(*marker));
        } else if (const auto* rect = std::get_if<present::Rectangle>(&item)) {
            if (rect->fill)
                painter.fillRect(qrect(rect->box), qcolour(*rect->fill));
            if (rect->stroke) {
                painter.setPen(qpen(*rect->stroke));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(qrect(rect->box));
            }
        } else if (const auto* bar = std::get_if<present::ErrorBar>(&item)) {
            painter.setPen(qpen(bar->stroke));
            painter.drawLine(QPointF(bar->x, bar->top), QPointF(bar->x, bar->bottom));
            for (const double end : {bar->top, bar->bottom})
                painter.drawLine(QPointF(bar->x - bar->capHalfWidth, end), QPointF(bar->x + bar->capHalfWidth, end));
        } else if (const auto* label = std::get_if<present::Label>(&item)) {
            // Drawn unscaled, at the scaled point.
            present::Label placed = *label;
            placed.at = {label->at.x * area.width() / scene.width, label->at.y * scale};
            painter.save();
            painter.scale(scene.width / area.width(), 1.0 / scale);
            paintLabel(painter, placed, base, scale);
            painter.restore();
        } else if (const auto* clip = std::get_if<present::ClipStart>(&item)) {
            painter.save();
            painter.setClipRect(qrect(clip->box), Qt::IntersectClip);
            ++clips;
        } else if (std::holds_alternative<present::ClipEnd>(item) && clips > 0) {
            painter.restore();
            --clips;
        }
    }
    for (; clips > 0; --clips)
        painter.restore();
    painter.restore();
}

}  // namespace report
