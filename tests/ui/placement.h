#pragma once

#include <QString>

class QWidget;

// Whether a shown window's frame lies where the windows place themselves:
// centred on its screen, within a pixel, along an axis where it fits the
// screen's free area, and starting at the free area's edge along an axis
// where it does not. `where` tells the frame, screen and free area.
bool placedOnScreen(const QWidget& window, QString& where);

// Whether the window is larger than its screen's free area along an axis.
bool largerThanFreeArea(const QWidget& window);
