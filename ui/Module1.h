#pragma once

#include "core/absorber.h"

// The values the windows share for the whole run, all 0 at program start.
namespace Module1 {

// x1, y1 and y2 as the last column calculation stored them; the graph
// window draws the operating line from them.
inline absorber::RunFractions fractions;

// Ticks of the splash window's timer since the main window last reset it.
inline double splashTicks = 0.0;

}  // namespace Module1
