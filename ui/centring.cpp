#include "ui/centring.h"

#include "ui/twips.h"

#include <QScreen>
#include <QWidget>

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

std::optional<std::int32_t> toInt32(float value)
{
    // nearbyint rounds ties to even in the default rounding mode.
    const float rounded = std::nearbyint(value);
    if (!(rounded >= -2147483648.0f && rounded < 2147483648.0f))
        return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

}  // namespace

std::optional<int> centredOffset(float screenTwips, float windowTwips)
{
    const auto screen = toInt32(screenTwips);
    const auto window = toInt32(windowTwips);
    if (!screen || !window)
        return std::nullopt;
    const std::int64_t offset = std::int64_t{*screen / 2} - std::int64_t{*window / 2};
    if (offset < std::numeric_limits<std::int32_t>::min() || offset > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<int>(offset);
}

bool centreOnScreen(QWidget& window)
{
    const QScreen* screen = window.screen();
    if (!screen)
        return true;
    // Creating the native window lets the window system tell the frame's
    // size before the window is first shown, where it can.
    window.winId();
    const QRect area = screen->geometry();
    const QSize outer = window.frameGeometry().size();
    const auto left = centredOffset(float(area.width() * twips::perPixel), float(outer.width() * twips::perPixel));
    const auto top = centredOffset(float(area.height() * twips::perPixel), float(outer.height() * twips::perPixel));
    if (!left || !top)
        return false;
    // The position is set in twips as a single; the window takes whole pixels.
    const QPointF position = twips::point(float(*left), float(*top));
    window.move(area.topLeft() + position.toPoint());
    return true;
}
