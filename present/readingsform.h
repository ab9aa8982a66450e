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

// What the dialog holds: a text per field, and a unit per meter (air, NH3,
// water). A blank field is no reading, a blank uncertainty none.
struct ReadingsForm {
    std::array<std::string, readingFieldCount> texts;
    std::array<std::string, uncertaintyFieldCount> uncertainties;
    std::array<series::MeterUnit, 3> units{series::MeterUnit::litresPerMinute, series::MeterUnit::litresPerMinute,
                                           series::MeterUnit::litresPerMinute};
};

// A run's readings as the dialog shows them.
ReadingsForm formOf(const std::optional<series::Readings>& readings, const NumberLocale& locale);

// The readings the texts make, with their uncertainties, none when every
// reading's field is blank, or the words that say what to type. A meter's
// calibration in `before` is kept, and so is an uncertainty whose text is
// the one formOf shows for it (a percentage shown rounded reads back to
// the file's fraction to the bit).
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
