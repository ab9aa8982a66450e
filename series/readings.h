#pragma once

// A run as the lab records it: a titration of the water leaving the column
// and meter readings of air, NH3 and water at the meters' temperature and
// pressure. Converted here to the four inputs the balance takes, with only
// + - * / in a fixed order, so the page and the desktop agree to the bit.

#include "core/absorber.h"
#include "series/messages.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace series {

struct Run;

inline constexpr double gasConstant = 8.314462618;  // J/(mol K), CODATA 2018, exact
inline constexpr double molarMassNh3 = 17.031;      // g/mol
inline constexpr double molarMassWater = 18.015;    // g/mol
inline constexpr double molarMassAir = 28.9644;     // g/mol, dry air of the U.S. Standard Atmosphere 1976

// The water sample's NH3 by titration with a strong acid, or by adding acid
// in excess and titrating what is left with a strong base. Volumes in mL,
// molarities in mol/L.
struct Titration {
    double sampleVolume = 0.0;
    double acidMolarity = 0.0;
    double acidVolume = 0.0;             // to the end point; in a back-titration, the acid added
    double blankVolume = 0.0;            // acid a sample of pure water takes; not used in a back-titration
    int protons = 1;                     // per acid molecule: 1 for HCl, 2 for H2SO4
    std::optional<double> baseMolarity;  // both given: a back-titration
    std::optional<double> baseVolume;
    std::optional<double> density;  // g/L of the sample; none: water's at its temperature
    double temperature = 20.0;      // degrees Celsius, the sample's

    bool operator==(const Titration&) const = default;
};

// What a meter's reading is, in the file's words.
enum class MeterUnit {
    litresPerMinute,       // "L/min"
    litresPerHour,         // "L/h"
    cubicMetresPerHour,    // "m3/h"
    millilitresPerMinute,  // "mL/min"
    kilogramsPerHour,      // "kg/h", a mass flow: temperature and pressure are not used
};

std::string_view meterUnitName(MeterUnit unit);
std::optional<MeterUnit> meterUnitNamed(std::string_view name);

// A row of a meter's calibration: its scale reading and the flow, in the
// reading's unit, that it shows.
struct CalibrationPoint {
    double scale = 0.0;
    double flow = 0.0;

    bool operator==(const CalibrationPoint&) const = default;
};

struct MeterReading {
    double value = 0.0;  // the flow in `unit`, or the scale reading when there is a calibration
    MeterUnit unit = MeterUnit::litresPerMinute;
    double temperature = 20.0;                  // degrees Celsius at the meter
    double pressure = 101.325;                  // kPa at the meter; for a gas
    std::vector<CalibrationPoint> calibration;  // scale and flow both rising; empty: none

    bool operator==(const MeterReading&) const = default;
};

// Standard uncertainties of the readings; empty = none.
struct ReadingUncertainties {
    std::optional<double> burette;      // mL, of each volume: sample, acid, blank, base
    std::optional<double> meterRel;     // relative, of each meter's reading
    std::optional<double> thermometer;  // K, of each temperature read, the column's included
    std::optional<double> molarityRel;  // relative, of each standard solution's molarity: acid, base
    std::optional<double> pressure;     // kPa, of each gas meter's pressure

    bool operator==(const ReadingUncertainties&) const = default;
};

// A run's readings; each that is given replaces the input it gives.
struct Readings {
    std::optional<Titration> titration;   // x1
    std::optional<MeterReading> air;      // the gas flow: air without its NH3, as the balance takes it
    std::optional<MeterReading> ammonia;  // with the air meter, y1
    std::optional<MeterReading> water;    // the water flow
    ReadingUncertainties uncertainty = {};

    bool operator==(const Readings&) const = default;
};

// A reading that an uncertainty budget lists, in the order the budget and
// the Monte Carlo's draws take them.
enum class Reading {
    sampleVolume,
    acidMolarity,
    acidVolume,
    blankVolume,   // not in a back-titration
    baseMolarity,  // a back-titration's
    baseVolume,
    sampleTemperature,  // only where the density is water's at it
    airReading,
    airTemperature,
    airPressure,
    ammoniaReading,
    ammoniaTemperature,
    ammoniaPressure,
    waterReading,
    waterTemperature,
    columnTemperature,  // only where the equilibrium is taken at it
};

// A reading's key as the file names it: "titration/acid_volume_ml",
// "air_meter/reading", "temperature" for the column's.
std::string_view readingKey(Reading reading);

// A value, or why the readings cannot give it.
using Converted = std::variant<double, Message>;

// Kell's density of air-free water at standard pressure, in g/L (= kg/m3),
// for 0 to 150 degrees Celsius: G. S. Kell, J. Chem. Eng. Data 20 (1975) 97.
double waterDensity(double celsius);

// NH3 in the sample, mol/L: protons * c(acid) * (V(acid) - V(blank)) / V(sample),
// or (protons * c(acid) * V(acid) - c(base) * V(base)) / V(sample).
Converted titrationConcentration(const Titration& titration);

// x1 = c / (c + (rho - c * M(NH3)) / M(H2O)).
Converted liquidMoleFraction(const Titration& titration);

// Why a calibration table cannot be interpolated: fewer than two rows, or
// a row whose scale or flow does not rise over the one before. None for an
// empty table, which is no calibration.
std::optional<Message> calibrationRefusal(const std::vector<CalibrationPoint>& table);

// The flow a meter shows, in its unit: the reading, or the calibration
// interpolated linearly; a reading outside the table is refused.
Converted meterFlow(const MeterReading& reading);

// Molar flows in mol/s: a gas as an ideal gas, n = P Q / (R T), or by its
// molar mass for a mass flow; water by its density at the meter.
Converted gasMolarFlow(const MeterReading& reading, double molarMass);
Converted waterMolarFlow(const MeterReading& reading);

// The flow units a series can convert to, with how many of each make one
// mol/s: mol/s, mmol/s, mol/min, mol/h, kmol/h. Any other unit is a label.
std::optional<double> unitsPerMolePerSecond(std::string_view flowUnit);
inline constexpr std::string_view flowUnits[] = {"mol/s", "mmol/s", "mol/min", "mol/h", "kmol/h"};

// The inputs the readings give, flows in the series' unit; an input the
// readings do not give stays empty.
struct InputsFromReadings {
    std::optional<double> y1, x1, gasFlow, waterFlow;
};
std::variant<InputsFromReadings, Message> inputsFromReadings(const Readings& readings, std::string_view flowUnit);

// The inputs the readings give, written into the inputs they replace.
void replaceInputs(absorber::RunInputs& inputs, const InputsFromReadings& given);

// Every run's flows from one flow unit to another: scaled, or given again
// by the run's readings. False, changing nothing, unless both units are
// among flowUnits and every run's readings give their inputs in the new one.
bool convertFlows(std::vector<Run>& runs, std::string_view from, std::string_view to);

}  // namespace series
