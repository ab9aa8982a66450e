#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

class QWidget;

namespace ui {

// Where a window of the given outer size starts when centred on a screen of
// the given size, all in twips along one axis: each size rounded to a 32-bit
// integer (ties to even), halved by truncating division, the halves
// subtracted. Empty when a size does not fit 32 bits: an overflow.
std::optional<int> centredOffset(float screenTwips, float windowTwips);

// A window's top-left corner kept on the screen's free area along each axis
// where the outer window is larger than that area, so that its title bar and
// menu stay within reach; unchanged along an axis where it fits.
QPoint reachable(QPoint position, QSize outer, const QRect& available);

// Centres a window on its screen by its outer size, frame included (on X11
// asked of the window manager before the window is mapped), and keeps it
// within reach. False on an overflow, leaving it in place.
bool centreOnScreen(QWidget& window);

// Centres a window not yet shown on another window, kept within reach on
// the other window's screen.
void centreOver(QWidget& window, const QWidget& other);

}  // namespace ui
