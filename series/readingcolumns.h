#pragma once

// The readings a row of a table holds, in one list for the CSV import and
// export and the Readings… dialog: a titration's numbers, a back-titration's
// base among them, the three meters' readings and the meters' temperature
// and pressure, which they share.

#include "series/readings.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace series {

enum class ReadingColumn {
    sampleVolume,
    acidMolarity,
    acidVolume,
    blankVolume,
    baseMolarity,  // both base columns given: a back-titration
    baseVolume,
    protons,
    density,
    sampleTemperature,
    airMeter,
    ammoniaMeter,
    waterMeter,
    meterTemperature,
    meterPressure,
};
inline constexpr std::size_t readingColumnCount = 14;

// The CSV export's column names, which the import reads too.
inline constexpr std::array<std::string_view, readingColumnCount> readingColumnNames{
    "sample_volume_ml", "acid_molarity", "acid_volume_ml",      "blank_volume_ml",      "base_molarity",
    "base_volume_ml",   "protons",       "density_g_per_l",     "sample_temperature_c", "air_meter",
    "ammonia_meter",    "water_meter",   "meter_temperature_c", "meter_pressure_kpa",
};

// The same readings' keys in the series file (within their object).
inline constexpr std::array<std::string_view, readingColumnCount> readingFileKeys{
    "sample_volume_ml", "acid_molarity", "acid_volume_ml",  "blank_volume_ml", "base_molarity",
    "base_volume_ml",   "protons",       "density_g_per_l", "temperature_c",   "air_meter",
    "ammonia_meter",    "water_meter",   "temperature_c",   "pressure_kpa",
};

using ReadingValues = std::array<std::optional<double>, readingColumnCount>;
using MeterUnits = std::array<MeterUnit, 3>;  // air, NH3, water

// A row's readings, none when it has none: a titration where the sample
// volume, the acid's molarity or its volume or the base's is given, with
// the base as given (the calculation refuses one of the two alone); a meter
// where its reading is, in its column's unit, at the shared temperature and
// pressure.
std::optional<Readings> readingsOfRow(const ReadingValues& values, const MeterUnits& units);

// The row readingsOfRow reads back as `readings`, where a row can hold them:
// no calibration or readings' uncertainties, each meter in `units` and at
// one temperature and pressure, the first meter's.
ReadingValues rowOfReadings(const Readings& readings);

// Whether rowOfReadings holds all of `readings` with meters in `units`.
bool rowHolds(const Readings& readings, const MeterUnits& units);

}  // namespace series
