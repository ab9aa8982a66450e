#pragma once

// The numerical core of Quillon: NH3-water equilibrium data, the packed
// column's balance and NTU integration, and the mass-transfer coefficient.
// Plain functions over IEEE doubles, evaluated in a fixed order so that
// every result is reproducible to the last bit. Nothing here knows about
// windows, fields or locales.

#include <array>
#include <functional>

namespace absorber {

// One point of the equilibrium curve: NH3 mole fraction in the liquid (x)
// and in the gas in equilibrium with it (y*).
struct EquilibriumPoint {
    double x;
    double y;
};

// NH3 partial pressures over aqueous ammonia at 30 degC, as y* = p / 760 mmHg.
// Both columns rise strictly; the x values are also the lookup's band limits.
inline constexpr std::array<EquilibriumPoint, 14> equilibriumPoints{{
    {0.0126, 0.0151},
    {0.0167, 0.0201},
    {0.0208, 0.0254},
    {0.0258, 0.0321},
    {0.0309, 0.039},
    {0.0405, 0.0527},
    {0.0503, 0.0671},
    {0.0737, 0.105},
    {0.096, 0.145},
    {0.137, 0.235},
    {0.175, 0.342},
    {0.21, 0.463},
    {0.241, 0.597},
    {0.297, 0.945},
}};

// The highest entering-gas fraction the column calculation accepts; the
// closing limit of the last band.
inline constexpr double maxGasFraction = 0.3;

// The equilibrium point used for an entering-gas fraction y1: the first row
// whose x is strictly greater than y1, else the last row. The comparison is
// with the x column, not with y*. Callers ask only for y1 <= 0.3; anything
// above (and NaN) also gives the last row.
EquilibriumPoint lookupEquilibrium(double y1);

// What an operation came to. The three faults are the IEEE exceptions that
// abandon a calculation; underflow and inexact results are not faults.
enum class Outcome {
    completed,
    invalidData,       // an input or the computed outlet fraction is out of range
    invalidOperation,  // e.g. 0/0 or inf - inf
    divisionByZero,
    overflow,
};

// The values the main window keeps between clicks, all 0 at first.
struct ColumnState {
    double mtc = 0.0;
    double gasFlow = 0.0;
    double waterFlow = 0.0;
    double eqY = 0.0;
    double eqX = 0.0;
    double ntu = 0.0;
};

// The run's NH3 mole fractions, shared with the graph: y1 of the entering
// gas and x1 of the leaving water (inputs), y2 of the leaving gas (computed).
struct RunFractions {
    double x1 = 0.0;
    double y1 = 0.0;
    double y2 = 0.0;
};

// Called once the balance is closed and y2 has passed the outlet test, before
// the integration starts, so that the first results can be shown.
using BalanceClosed = std::function<void(const ColumnState&, const RunFractions&)>;

// The column calculation on inputs already stored: fractions.y1, fractions.x1,
// state.gasFlow and state.waterFlow. Reading the four fields and storing each
// right after its conversion is the caller's part, so that a field that does
// not convert leaves the ones before it stored.
//
// Stores as it goes and stops at the first rejection or fault, leaving what
// was stored before it:
//  - input test failed: nothing more is stored;
//  - outlet test failed: eqX, eqY and y2 hold this run's values;
//  - a fault: every step before the faulting one is stored, the faulting
//    step's value is not; a fault inside the integration leaves ntu at 0;
//  - completed: every value holds this run's result.
// Inputs that are not finite never come from the window; they fail the input
// test rather than run through the arithmetic.
Outcome calculateColumn(ColumnState& state, RunFractions& fractions,
                        const BalanceClosed& balanceClosed = {});

// The mass-transfer coefficient from the packed height and the state's ntu
// and gasFlow; on success stores it in state.mtc.
Outcome findMtc(double packingHeight, ColumnState& state);

// A value as shown in a result field: rounded to 4 decimal places, to the
// nearer value and a tie to the even last digit, decided on the double's
// exact binary value. Values that are not finite come back unchanged.
double roundResult(double value);

}  // namespace absorber
