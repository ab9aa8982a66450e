#pragma once

#include "core/absorber.h"

#include <QColor>
#include <QString>

#include <optional>

class QPainter;
class QPalette;

namespace ui {

// The graph window's controls are plain values painted by the window, not
// widgets. Positions are in twips from the top-left corner of the client
// area, held in single precision as the controls take them.

struct TwipRect {
    float left = 0.0f;
    float top = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
};

struct ChartLine {
    QString name;
    float x1 = 0.0f;
    float y1 = 0.0f;
    float x2 = 0.0f;
    float y2 = 0.0f;
    std::optional<QColor> colour = std::nullopt;  // none: the palette's window-text colour
};

struct ChartLabel {
    QString name;
    QString caption;
    TwipRect rect;
    Qt::Alignment alignment = Qt::AlignLeft;
    bool opaque = true;  // filled with the window's colour behind the text
};

struct ChartShape {
    QString name;
    TwipRect rect;
    QColor fill;  // the outline is the window-text colour, one pixel wide
};

// The plotting square: x from 0 to 0.3 across, y from 0 to 1 upwards; its
// left and bottom edges are the axes.
namespace plotSquare {
inline constexpr double left = 500.0;
inline constexpr double top = 120.0;
inline constexpr double size = 6000.0;
inline constexpr double bottom = top + size;
inline constexpr double xRange = 0.3;
}  // namespace plotSquare

// One coordinate of the plot mapping as a line takes it, or the fault that
// kept it from being handed over.
struct PlotCoordinate {
    absorber::Outcome outcome = absorber::Outcome::completed;
    float twips = 0.0f;

    bool ok() const { return outcome == absorber::Outcome::completed; }
};

// X = 500 + (x * 6000) / 0.3 for a liquid mole fraction: 6000 twips for 0.3.
PlotCoordinate plotX(double x);

// Y = 6120 - y * 6000 for a gas mole fraction: 6000 twips for the whole range, upwards.
PlotCoordinate plotY(double y);

// Each paints one control over what is already painted, leaving the painter as it was.
void paintControl(QPainter& painter, const ChartShape& shape, const QPalette& palette);
void paintControl(QPainter& painter, const ChartLabel& label, const QPalette& palette);
void paintControl(QPainter& painter, const ChartLine& line, const QPalette& palette);

}  // namespace ui
