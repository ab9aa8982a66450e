#pragma once

// The Readings… dialog of a run, once for the window and the page: its
// fields with their words, the texts a run's readings show in them, the
// readings the texts make, and the inputs those give.

#include "present/language.h"
#include "present/numbers.h"
#include "series/readingcolumns.h"
#include "series/readings.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace present {

// In the dialog's order: the titration, a back-titration's base after its
// blank, then the meters and their conditions; the same list as the CSV's
// readings' columns.
using ReadingField = series::ReadingColumn;
inline constexpr std::size_t readingFieldCount = series::readingColumnCount;

// The field's label with its unit and an accelerator, "&Sample volume (mL):".
std::string readingLabel(ReadingField field, const Language& language);
// Its name in the file and the CSV export, "sample_volume_ml".
std::string_view readingKey(ReadingField field);

// The readings' standard uncertainties in the dialog, each in the unit a
// student reads it in: the burette in mL, a standard solution's molarity
// and a meter's reading in % of their value, the thermometer in K, the
// barometer in kPa. The file keeps the percentages as fractions.
enum class UncertaintyField { burette, molarity, meter, thermometer, pressure };
inline constexpr std::size_t uncertaintyFieldCount = 5;

// The field's label, "B&urette ± (mL):", and its name in the file, "burette_ml".
std::string uncertaintyLabel(UncertaintyField field, const Language& language);
std::string_view uncertaintyKey(UncertaintyField field);
// The words above the uncertainties' fields.
std::string uncertaintyHeading(const Language& language);

// A meter's calibration, typed under its meter (air, NH3, water; 0 to 2)
// as rows scale=flow separated by ";", the flow in the reading's unit and
// the numbers as the locale writes them: "0=0; 2=1,5; 4=3,5" in German.
inline constexpr std::size_t meterCount = 3;
// The meter's reading field, ReadingField::airMeter for 0.
ReadingField meterField(std::size_t meter);
// "Air meter &calibration (scale = flow):", and its name in the dialog,
// "air_meter_calibration".
std::string calibrationLabel(std::size_t meter, const Language& language);
std::string calibrationKey(std::size_t meter);
// Its name without accelerator and colon, as the run's report titles it.
std::string calibrationTitle(std::size_t meter, const Language& language);
// The rows as the field shows them, each number in full; empty for none.
std::string calibrationText(const std::vector<series::CalibrationPoint>& table, const NumberLocale& locale);
// A table that shows how one is typed, as the words that ask for one quote it.
inline const std::vector<series::CalibrationPoint> exampleCalibration{{0.0, 0.0}, {2.0, 1.5}, {4.0, 3.5}};

// What the dialog holds: a text per field, and a unit and a calibration
// per meter. A blank field is no reading, a blank uncertainty or
// calibration none.
struct ReadingsForm {
    std::array<std::string, readingFieldCount> texts;
    std::array<std::string, uncertaintyFieldCount> uncertainties;
    std::array<series::MeterUnit, meterCount> units{
        series::MeterUnit::litresPerMinute, series::MeterUnit::litresPerMinute, series::MeterUnit::litresPerMinute};
    std::array<std::string, meterCount> calibrations;
};

// The dialog's text fields in the order it shows them, for the window and
// the page to lay out alike: the readings' fields, each meter's calibration
// under its meter, then the uncertainties under their heading.
struct FormLine {
    enum class Part { reading, calibration, uncertainty };
    Part part = Part::reading;
    std::size_t index = 0;  // a ReadingField, a meter, or an UncertaintyField
};
inline constexpr std::size_t formLineCount = readingFieldCount + meterCount + uncertaintyFieldCount;
std::array<FormLine, formLineCount> formLines();
// The line's label with its accelerator, and its name: the file's key for
// a reading ("meter_temperature_c" for the meters' temperature, which
// would repeat the sample's), "u_" and the file's key for an uncertainty.
std::string formLabel(FormLine line, const Language& language);
std::string formKey(FormLine line);
// A meter's reading, which has a unit beside it.
bool isMeter(FormLine line);
// The line's text in the form.
std::string& formText(ReadingsForm& form, FormLine line);
const std::string& formText(const ReadingsForm& form, FormLine line);

// A run's readings as the dialog shows them.
ReadingsForm formOf(const std::optional<series::Readings>& readings, const NumberLocale& locale);

// The readings the texts make, with their calibrations and uncertainties,
// none when every reading's field is blank, or the words that say what to
// type. An uncertainty whose text is the one formOf shows for it in
// `before` keeps its value (a percentage shown rounded reads back to the
// file's fraction to the bit).
std::variant<std::optional<series::Readings>, std::string> readingsOf(const ReadingsForm& form,
                                                                      const std::optional<series::Readings>& before,
                                                                      const Language& language,
                                                                      const NumberLocale& locale);

// A reading of an uncertainty budget, with its unit: "Acid volume (mL)",
// "Air meter: reading".
std::string budgetReadingName(series::Reading reading, const Language& language);

// "Gives y1 = 0.02439, x1 = 0.00224, gas flow = 0.01356 mol/s", or why the
// readings give nothing.
std::string givenText(const series::Readings& readings, const std::string& flowUnit, const Language& language,
                      const NumberLocale& locale);

// The runs table's columns of the readings, one a field in the dialog's
// order: the field's name without its accelerator and colon as the
// column's title, and the run's reading as the dialog shows it, a meter's
// with its unit; empty for none.
std::string readingTitle(ReadingField field, const Language& language);
std::string readingText(const std::optional<series::Readings>& readings, ReadingField field,
                        const NumberLocale& locale);

}  // namespace present
