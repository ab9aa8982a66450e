#pragma once

// The numerical core of Quillon: NH3-water equilibrium data, the packed
// column's balance and NTU integration, and the mass-transfer coefficient.
// Plain functions over IEEE doubles, values in and values out, evaluated in
// a fixed order so that every result is reproducible to the last bit.

#include <array>
#include <optional>

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

// The highest entering-gas fraction a run may have; the closing limit of
// the last band.
inline constexpr double maxGasFraction = 0.3;

// The number of rectangles in the NTU sum.
inline constexpr int ntuSteps = 1000000;

// The equilibrium point used for an entering-gas fraction y1: the first row
// whose x is strictly greater than y1, else the last row. The comparison is
// with the x column, not with y*. Runs only ask for y1 <= 0.3; anything
// above (and NaN) also gives the last row.
EquilibriumPoint lookupEquilibrium(double y1);

// The table's temperature, degC; 30 + 273.15 is 303.15 in doubles too.
inline constexpr double tableTemperature = 30.0;
inline constexpr double kelvinOffset = 273.15;

// The van 't Hoff temperature dependence of NH3's Henry's-law solubility,
// d ln H / d(1/T), in kelvin (Sander's compilation of Henry's-law constants).
inline constexpr double vanTHoffSlope = 4200.0;

// How y* at a column temperature compares with the table's at 30 degC:
// exp(4200 K (1 / 303.15 K - 1 / T)), T = celsius + 273.15 K, with the
// portable exponential so that the page gets the same bits. Exactly 1 at
// 30 degC; 0.6234 at 20 degC, 1.5565 at 40 degC.
double equilibriumFactor(double celsius);

// Whether closeBalance can take the equilibrium at this temperature: a
// finite value above absolute zero.
bool usableTemperature(double celsius);

// The equilibrium point for y1 at a column temperature: the row
// lookupEquilibrium picks, its y* multiplied by equilibriumFactor.
EquilibriumPoint lookupEquilibrium(double y1, double celsius);

// What a calculation came to. The three faults are the IEEE exceptions that
// abandon a calculation at the step that raised them; underflow and inexact
// results are not faults.
enum class Outcome {
    completed,         // every step ran; the result holds this run's values
    invalidData,       // an input, the outlet fraction y2 or a precondition is out of range
    invalidOperation,  // a step gave no number, as 0/0 or inf - inf would
    divisionByZero,    // a step divided a number other than 0 by exactly 0
    overflow,          // a step's result was too large for a double
};

// The four operating values of one absorber run.
struct RunInputs {
    double y1;  // NH3 mole fraction of the entering gas
    double x1;  // NH3 mole fraction of the leaving water
    double gasFlow;
    double waterFlow;
};

// What the NTU integration works from, formed once by the balance.
struct IntegrationLimits {
    double flowRatio;   // gasFlow / waterFlow
    double flowFactor;  // 1 - slope * flowRatio
    double upperLimit;  // (29 / 17) * y1
    double lowerLimit;  // (29 / 17) * y2
    double stepWidth;   // (upperLimit - lowerLimit) / ntuSteps
};

// A run's NH3 balance, as far as it got. Each value is set once its step
// has run, so a refused or faulted balance tells what it had reached:
//  - inputs refused: nothing is set;
//  - a fault: the equilibrium point and the steps before the fault;
//  - y2 refused by the outlet test: all but the limits' last three values;
//  - completed: everything.
struct Balance {
    Outcome outcome = Outcome::invalidData;
    std::optional<EquilibriumPoint> point;
    double slope = 0.0;
    double outletRatio = 0.0;
    std::optional<double> y2;  // NH3 mole fraction of the leaving gas
    IntegrationLimits limits{};
};

// Checks a run's inputs, picks its equilibrium point, closes the NH3 balance
// for y2, judges y2 as it shows (4 decimals, strictly between 0 and 1), and
// forms the integration limits. The inputs are refused unless y1, x1 and
// both flows are finite and not 0, y1 <= 0.3 and x1 < 1; negative values
// pass, and the outlet test judges what they lead to.
Balance closeBalance(const RunInputs& inputs);

// closeBalance with the equilibrium point taken at the column's temperature
// (degC); the inputs are also refused at a temperature that is not usable.
// Every step after the point is the same as closeBalance's.
Balance closeBalance(const RunInputs& inputs, double celsius);

// Like a balance, an integration or a coefficient is not completed until
// its calculation says so.
struct Integration {
    Outcome outcome = Outcome::invalidData;
    double ntu = 0.0;  // meaningful only when completed
};

// The number of transfer units: the left-end rectangle sum of
// |stepWidth / ((1 - flowRatio * flowFactor) * Y + lowerLimit * flowFactor)|
// over ntuSteps values of Y from lowerLimit, each reached by adding stepWidth
// to the one before, accumulated in order.
Integration integrateNtu(const IntegrationLimits& limits);

struct Coefficient {
    Outcome outcome = Outcome::invalidData;
    double mtc = 0.0;  // meaningful only when completed
};

// The mass-transfer coefficient ntu * gasFlow / (packingHeight * 0.05^2 * 3.1416)
// of a run's ntu and gas flow. Invalid data unless the height, ntu and the
// gas flow are all greater than 0 and the height is finite.
Coefficient findMtc(double packingHeight, double ntu, double gasFlow);

// The height of a transfer unit, packingHeight / ntu; empty unless both are
// above 0 and the quotient is finite.
std::optional<double> heightOfTransferUnit(double packingHeight, double ntu);

// The overall gas-phase NTU of the Colburn equation, the textbook's value
// for a dilute gas: a straight equilibrium line through the origin of the
// given slope m, entering water free of NH3, and A = L / (m G) from the flow
// ratio G / L:
//   NTU = ln[(1 - 1/A) (y1/y2) + 1/A] / (1 - 1/A),  and y1/y2 - 1 at A = 1,
// evaluated through log1p so that it is exact near A = 1 too. Empty where
// the logarithm has no value (y2 not above 0, or its argument not above 0).
std::optional<double> colburnNtu(double y1, double y2, double slope, double flowRatio);

// Whether the NTU sum's denominator, (1 - flowRatio * flowFactor) * Y +
// lowerLimit * flowFactor, is 0 at a limit or has opposite signs at the two
// limits: then the integral that the sum stands for does not exist.
bool drivingForceChangesSign(const IntegrationLimits& limits);

// A value as shown in a result: rounded to 4 decimal places, to the nearer
// value and a tie to the even last digit, decided on the double's exact
// binary value; -0 shows as 0. Values that are not finite come back unchanged.
double roundResult(double value);

// How far one click of Calculate got in storing a run's values.
enum class Reached {
    nothing,    // the first input did not convert: nothing was stored
    inputs,     // some inputs were stored, but no y2
    fractions,  // y1, x1 and y2 were stored, but no ntu
    run,        // the run completed
};

// Which stored values belong to the same click of Calculate, so that no
// later step combines values of two different runs.
struct Coherence {
    bool fractions = true;  // y1, x1 and y2 (all 0 at first belong together)
    bool ntuAndGasFlow = false;
};

Coherence afterCalculate(Coherence before, Reached reached);

}  // namespace absorber
