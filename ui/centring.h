#pragma once

#include <optional>

class QWidget;

// Where a window of the given outer size starts when centred on a screen of
// the given size, all in twips along one axis: each size rounded to a 32-bit
// integer (ties to even), halved by truncating division, the halves
// subtracted. Empty when a size does not fit 32 bits: an overflow.
std::optional<int> centredOffset(float screenTwips, float windowTwips);

// Centres a window on its screen by its outer size, frame included where
// the window system has told it. False on an overflow, leaving it in place.
bool centreOnScreen(QWidget& window);
