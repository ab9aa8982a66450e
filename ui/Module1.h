#pragma once

#include "core/absorber.h"

// The values the windows share for the whole run, all 0 at program start.
namespace Module1 {

// The run's NH3 mole fractions: y1 of the entering gas and x1 of the
// leaving water as typed, y2 of the leaving gas as computed.
struct RunFractions {
    double x1 = 0.0;
    double y1 = 0.0;
    double y2 = 0.0;
};

// x1, y1 and y2 as the last column calculation stored them; the graph
// window draws the operating line from them.
inline RunFractions fractions;

// Which stored values came from the same click of Calculate.
inline absorber::Coherence coherence;

// Ticks of the splash window's timer since the main window last reset it.
inline double splashTicks = 0.0;

}  // namespace Module1
