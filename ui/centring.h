#pragma once

#include <QMargins>
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

// A window's outer top-left corner moved as little as it takes to keep the
// window inside the screen's free area along each axis where it fits, and
// at the free area's left or top edge where it does not, so that its title
// bar and menu stay within reach.
QPoint insideArea(QPoint position, QSize outer, const QRect& available);

// A window's size cut to the free area, its frame included, but not below
// its minimum.
QSize fittedSize(QSize size, QSize minimum, const QMargins& frame, QSize available);

// Where a window of the given outer size starts when centred over another
// window's frame, inside the free area.
QPoint centredOver(const QRect& other, QSize outer, const QRect& available);

// Centres a window on its screen by its outer size, frame included (on X11
// asked of the window manager before the window is mapped), and keeps it
// inside the screen's free area. False on an overflow, leaving it in place.
bool centreOnScreen(QWidget& window);

// Centres a window not yet shown on another window, inside the free area
// of the screen the other window's centre is on, cut to that area's size.
void centreOver(QWidget& window, const QWidget& other);

}  // namespace ui
