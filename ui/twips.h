#pragma once

#include <QPointF>
#include <QRect>

namespace ui {

// The windows are laid out in twips; at the design resolution 15 twips make
// one pixel, which Qt takes as a device-independent pixel so that the layout
// scales with the screen.
namespace twips {

inline constexpr double perPixel = 15.0;

inline constexpr double toPixels(double value)
{
    return value / perPixel;
}

inline QRect rect(int left, int top, int width, int height)
{
    return QRect(qRound(toPixels(left)), qRound(toPixels(top)), qRound(toPixels(width)), qRound(toPixels(height)));
}

inline QPointF point(double x, double y)
{
    return QPointF(toPixels(x), toPixels(y));
}

}  // namespace twips

}  // namespace ui
