#include "present/readingsform.h"

#include "present/seriesmessages.h"

#include <fmt/format.h>

#include <algorithm>
#include <string>

namespace present {
namespace {

using F = ReadingField;

std::string text(const std::optional<double>& value, const NumberLocale& locale)
{
    return value ? exactText(*value, locale) : std::string();
}

using U = UncertaintyField;

// The fields kept as fractions in the file, typed in %.
bool inPercent(UncertaintyField field)
{
    return field == U::molarity || field == U::meter;
}

std::optional<double>& uncertaintyOf(series::ReadingUncertainties& u, UncertaintyField field)
{
    switch (field) {
    case U::burette:
        return u.burette;
    case U::molarity:
        return u.molarityRel;
    case U::meter:
        return u.meterRel;
    case U::thermometer:
        return u.thermometer;
    case U::pressure:
        break;
    }
    return u.pressure;
}

// The value times 10^power, as its shortest text reads with the power
// moved: 0.7 % is the file's 0.007, never 0.7 / 100 = 0.006999999999999999,
// and 0.007 shows as 0.7 %, never 0.7000000000000001.
double shifted(double value, int power)
{
    std::string text = fmt::format("{}", value);  // "0.7", "7e-05", "1e+20"
    int exponent = 0;
    if (const auto e = text.find('e'); e != std::string::npos) {
        exponent = std::stoi(text.substr(e + 1));
        text.resize(e);
    }
    const ParsedNumber read = readCNumber(fmt::format("{}e{}", text, exponent + power)).number;
    return read ? *read : value;
}

std::string uncertaintyText(const std::optional<double>& value, UncertaintyField field, const NumberLocale& locale)
{
    if (!value)
        return {};
    return exactText(inPercent(field) ? shifted(*value, 2) : *value, locale);
}

// A field's label as a message quotes it: no accelerator, no colon.
std::string quotedLabel(std::string label)
{
    std::erase(label, '&');
    if (label.ends_with(':'))
        label.pop_back();
    return label;
}

bool blank(std::string_view text)
{
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The rows a calibration's text reads as, or the words that say what to
// type; blank rows between the ";" are passed over.
std::variant<std::vector<series::CalibrationPoint>, std::string> calibrationOf(std::string_view text, std::size_t meter,
                                                                               const Language& language,
                                                                               const NumberLocale& locale)
{
    std::vector<series::CalibrationPoint> table;
    const std::string label = calibrationTitle(meter, language);
    while (!text.empty()) {
        const std::size_t end = std::min(text.find(';'), text.size());
        const std::string_view row = trimmed(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        if (row.empty())
            continue;
        const std::size_t equals = row.find('=');
        if (equals == std::string_view::npos) {
            return language
                .translate("Readings",
                           "Type each row of \"%1\" as scale=flow, the rows separated by \";\", as in %2: \"%3\" "
                           "has no \"=\".")
                .arg(label)
                .arg(calibrationText(exampleCalibration, locale))
                .arg(row)
                .str();
        }
        const ParsedNumber scale = parseNumber(row.substr(0, equals), locale);
        const ParsedNumber flow = parseNumber(row.substr(equals + 1), locale);
        if (!scale || !flow) {
            return language
                .translate("Readings", "Type a number on each side of \"=\" in \"%1\", as in %2; check \"%3\".")
                .arg(label)
                .arg(calibrationText(exampleCalibration, locale))
                .arg(row)
                .str();
        }
        table.push_back({*scale, *flow});
    }
    // Short or not rising, in the words the calculation refuses such a table with.
    if (const auto refused = series::calibrationRefusal(table)) {
        return language.translate("Readings", "Check \"%1\": %2.")
            .arg(label)
            .arg(seriesMessage(*refused, language, locale))
            .str();
    }
    return table;
}

}  // namespace

std::string readingLabel(ReadingField field, const Language& language)
{
    switch (field) {
    case F::sampleVolume:
        return language.translate("Readings", "&Sample volume (mL):").str();
    case F::acidMolarity:
        return language.translate("Readings", "Acid &molarity (mol/L):").str();
    case F::acidVolume:
        return language.translate("Readings", "&Acid to the end point (mL):").str();
    case F::blankVolume:
        return language.translate("Readings", "&Blank (mL):").str();
    case F::baseMolarity:
        return language.translate("Readings", "Base molarit&y (mol/L):").str();
    case F::baseVolume:
        return language.translate("Readings", "Base &volume to the end point (mL):").str();
    case F::protons:
        return language.translate("Readings", "&Protons per acid molecule:").str();
    case F::density:
        return language.translate("Readings", "Sample &density (g/L, empty: water's):").str();
    case F::sampleTemperature:
        return language.translate("Readings", "Sample &temperature (°C):").str();
    case F::airMeter:
        return language.translate("Readings", "A&ir meter:").str();
    case F::ammoniaMeter:
        return language.translate("Readings", "&NH3 meter:").str();
    case F::waterMeter:
        return language.translate("Readings", "&Water meter:").str();
    case F::meterTemperature:
        return language.translate("Readings", "Meters' t&emperature (°C):").str();
    case F::meterPressure:
        return language.translate("Readings", "Meters' p&ressure (kPa):").str();
    }
    return {};
}

std::string_view readingKey(ReadingField field)
{
    return series::readingFileKeys[static_cast<std::size_t>(field)];
}

ReadingField meterField(std::size_t meter)
{
    return F(std::size_t(F::airMeter) + meter);
}

std::string calibrationLabel(std::size_t meter, const Language& language)
{
    // Accelerators apart from the dialog's others, in either language.
    switch (meterField(meter)) {
    case F::airMeter:
        return language.translate("Readings", "Air meter &calibration (scale = flow):").str();
    case F::ammoniaMeter:
        return language.translate("Readings", "NH&3 meter calibration (scale = flow):").str();
    default:
        break;
    }
    return language.translate("Readings", "Water meter calibration (scale = &flow):").str();
}

std::string calibrationTitle(std::size_t meter, const Language& language)
{
    return quotedLabel(calibrationLabel(meter, language));
}

std::string calibrationKey(std::size_t meter)
{
    return std::string(readingKey(meterField(meter))) + "_calibration";
}

std::string calibrationText(const std::vector<series::CalibrationPoint>& table, const NumberLocale& locale)
{
    std::string text;
    for (const series::CalibrationPoint& row : table)
        text += (text.empty() ? "" : "; ") + exactText(row.scale, locale) + '=' + exactText(row.flow, locale);
    return text;
}

std::array<FormLine, formLineCount> formLines()
{
    std::array<FormLine, formLineCount> lines;
    std::size_t at = 0;
    for (std::size_t i = 0; i < readingFieldCount; ++i) {
        lines[at++] = {FormLine::Part::reading, i};
        const std::size_t meter = i - std::size_t(F::airMeter);
        if (meter < meterCount)
            lines[at++] = {FormLine::Part::calibration, meter};
    }
    for (std::size_t i = 0; i < uncertaintyFieldCount; ++i)
        lines[at++] = {FormLine::Part::uncertainty, i};
    return lines;
}

std::string formLabel(FormLine line, const Language& language)
{
    switch (line.part) {
    case FormLine::Part::reading:
        return readingLabel(F(line.index), language);
    case FormLine::Part::calibration:
        return calibrationLabel(line.index, language);
    case FormLine::Part::uncertainty:
        break;
    }
    return uncertaintyLabel(U(line.index), language);
}

std::string formKey(FormLine line)
{
    switch (line.part) {
    case FormLine::Part::reading:
        return F(line.index) == F::meterTemperature ? "meter_temperature_c" : std::string(readingKey(F(line.index)));
    case FormLine::Part::calibration:
        return calibrationKey(line.index);
    case FormLine::Part::uncertainty:
        break;
    }
    return "u_" + std::string(uncertaintyKey(U(line.index)));
}

bool isMeter(FormLine line)
{
    return line.part == FormLine::Part::reading && line.index - std::size_t(F::airMeter) < meterCount;
}

std::string& formText(ReadingsForm& form, FormLine line)
{
    switch (line.part) {
    case FormLine::Part::reading:
        return form.texts.at(line.index);
    case FormLine::Part::calibration:
        return form.calibrations.at(line.index);
    case FormLine::Part::uncertainty:
        break;
    }
    return form.uncertainties.at(line.index);
}

const std::string& formText(const ReadingsForm& form, FormLine line)
{
    return formText(const_cast<ReadingsForm&>(form), line);
}

std::string uncertaintyLabel(UncertaintyField field, const Language& language)
{
    switch (field) {
    case U::burette:
        return language.translate("Readings", "B&urette ± (mL):").str();
    case U::molarity:
        return language.translate("Readings", "Acid and base mo&larity ± (%):").str();
    case U::meter:
        return language.translate("Readings", "Meters' readin&gs ± (% of the reading):").str();
    case U::thermometer:
        return language.translate("Readings", "T&hermometer ± (K):").str();
    case U::pressure:
        return language.translate("Readings", "Bar&ometer ± (kPa):").str();
    }
    return {};
}

std::string_view uncertaintyKey(UncertaintyField field)
{
    static constexpr std::array<std::string_view, uncertaintyFieldCount> keys{"burette_ml", "molarity_rel", "meter_rel",
                                                                              "thermometer_k", "pressure_kpa"};
    return keys[static_cast<std::size_t>(field)];
}

std::string uncertaintyHeading(const Language& language)
{
    return language
        .translate("Readings",
                   "Standard uncertainties of the readings, each of every reading of its kind; empty: none.")
        .str();
}

ReadingsForm formOf(const std::optional<series::Readings>& readings, const NumberLocale& locale)
{
    ReadingsForm form;
    if (!readings)
        return form;
    // The gas meters' conditions; the water meter's where it stands alone.
    const series::ReadingValues values = series::rowOfReadings(*readings);
    for (std::size_t i = 0; i < readingFieldCount; ++i)
        form.texts[i] = text(values[i], locale);
    const std::optional<series::MeterReading>* meters[] = {&readings->air, &readings->ammonia, &readings->water};
    for (std::size_t i = 0; i < 3; ++i) {
        if (const auto& meter = *meters[i])
            form.units[i] = meter->unit;
    }
    series::ReadingUncertainties u = readings->uncertainty;
    for (std::size_t i = 0; i < uncertaintyFieldCount; ++i)
        form.uncertainties[i] = uncertaintyText(uncertaintyOf(u, U(i)), U(i), locale);
    for (std::size_t i = 0; i < meterCount; ++i) {
        if (const auto& meter = *meters[i])
            form.calibrations[i] = calibrationText(meter->calibration, locale);
    }
    return form;
}

std::variant<std::optional<series::Readings>, std::string> readingsOf(const ReadingsForm& form,
                                                                      const std::optional<series::Readings>& before,
                                                                      const Language& language,
                                                                      const NumberLocale& locale)
{
    series::ReadingValues values;
    for (std::size_t i = 0; i < readingFieldCount; ++i) {
        if (blank(form.texts[i]))
            continue;
        const ParsedNumber number = parseNumber(form.texts[i], locale);
        if (!number) {
            return language.translate("Readings", "Type a number for \"%1\".")
                .arg(quotedLabel(readingLabel(F(i), language)))
                .str();
        }
        values[i] = *number;
    }
    // An uncertainty left as formOf shows it keeps its value to the bit.
    series::ReadingUncertainties uncertainty;
    series::ReadingUncertainties shown = before ? before->uncertainty : series::ReadingUncertainties{};
    bool anyUncertainty = false;
    for (std::size_t i = 0; i < uncertaintyFieldCount; ++i) {
        const std::string& typed = form.uncertainties[i];
        if (blank(typed))
            continue;
        anyUncertainty = true;
        if (typed == uncertaintyText(uncertaintyOf(shown, U(i)), U(i), locale)) {
            uncertaintyOf(uncertainty, U(i)) = uncertaintyOf(shown, U(i));
            continue;
        }
        const ParsedNumber number = parseNumber(typed, locale);
        if (!number || !(*number >= 0.0)) {
            return language.translate("Readings", "Type an uncertainty of 0 or more for \"%1\", or leave it empty.")
                .arg(quotedLabel(uncertaintyLabel(U(i), language)))
                .str();
        }
        uncertaintyOf(uncertainty, U(i)) = inPercent(U(i)) ? shifted(*number, -2) : *number;
    }
    std::array<std::vector<series::CalibrationPoint>, meterCount> calibrations;
    for (std::size_t i = 0; i < meterCount; ++i) {
        if (blank(form.calibrations[i]))
            continue;
        auto table = calibrationOf(form.calibrations[i], i, language, locale);
        if (auto* words = std::get_if<std::string>(&table))
            return std::move(*words);
        if (!values[std::size_t(meterField(i))]) {
            return language.translate("Readings", "Type the reading of \"%1\", or empty \"%2\".")
                .arg(quotedLabel(readingLabel(meterField(i), language)))
                .arg(calibrationTitle(i, language))
                .str();
        }
        calibrations[i] = std::move(std::get<std::vector<series::CalibrationPoint>>(table));
    }
    std::optional<series::Readings> read = series::readingsOfRow(values, form.units);
    if (!read) {
        if (anyUncertainty)
            return language.translate("Readings", "Type the readings the uncertainties belong to, or empty them.")
                .str();
        return std::optional<series::Readings>{};
    }
    series::Readings& readings = *read;
    std::optional<series::MeterReading>* meters[] = {&readings.air, &readings.ammonia, &readings.water};
    for (std::size_t i = 0; i < meterCount; ++i) {
        if (*meters[i])
            (*meters[i])->calibration = std::move(calibrations[i]);
    }
    readings.uncertainty = uncertainty;
    return std::optional<series::Readings>{readings};
}

std::string givenText(const series::Readings& readings, const std::string& flowUnit, const Language& language,
                      const NumberLocale& locale)
{
    const auto given = series::inputsFromReadings(readings, flowUnit);
    if (const auto* refused = std::get_if<series::Message>(&given))
        return seriesMessage(*refused, language, locale);
    const auto& inputs = std::get<series::InputsFromReadings>(given);
    std::string list;
    const auto add = [&](const Text& name, const std::optional<double>& v, const std::string& unit) {
        if (!v)
            return;
        list += (list.empty() ? "" : ", ") + name.str() + " = " + readInputText(*v, locale)
            + (unit.empty() ? "" : " " + unit);
    };
    add(language.translate("Readings", "y1"), inputs.y1, {});
    add(language.translate("Readings", "x1"), inputs.x1, {});
    add(language.translate("Readings", "gas flow"), inputs.gasFlow, flowUnit);
    add(language.translate("Readings", "water flow"), inputs.waterFlow, flowUnit);
    if (list.empty())
        return language.translate("Readings", "The readings give no input.").str();
    return language.translate("Readings", "Gives %1.").arg(list).str();
}

std::string readingTitle(ReadingField field, const Language& language)
{
    return quotedLabel(readingLabel(field, language));
}

std::string readingText(const std::optional<series::Readings>& readings, ReadingField field, const NumberLocale& locale)
{
    const ReadingsForm form = formOf(readings, locale);
    std::string text = form.texts[static_cast<std::size_t>(field)];
    const auto meter = std::size_t(field) - std::size_t(F::airMeter);
    if (!text.empty() && meter < form.units.size())
        text += ' ' + std::string(series::meterUnitName(form.units[meter]));
    return text;
}

std::string budgetReadingName(series::Reading reading, const Language& language)
{
    using R = series::Reading;
    switch (reading) {
    case R::sampleVolume:
        return language.translate("Readings", "Sample volume (mL)").str();
    case R::acidMolarity:
        return language.translate("Readings", "Acid molarity (mol/L)").str();
    case R::acidVolume:
        return language.translate("Readings", "Acid volume (mL)").str();
    case R::blankVolume:
        return language.translate("Readings", "Blank (mL)").str();
    case R::baseMolarity:
        return language.translate("Readings", "Base molarity (mol/L)").str();
    case R::baseVolume:
        return language.translate("Readings", "Base volume (mL)").str();
    case R::sampleTemperature:
        return language.translate("Readings", "Sample temperature (°C)").str();
    case R::airReading:
        return language.translate("Readings", "Air meter: reading").str();
    case R::airTemperature:
        return language.translate("Readings", "Air meter: temperature (°C)").str();
    case R::airPressure:
        return language.translate("Readings", "Air meter: pressure (kPa)").str();
    case R::ammoniaReading:
        return language.translate("Readings", "NH3 meter: reading").str();
    case R::ammoniaTemperature:
        return language.translate("Readings", "NH3 meter: temperature (°C)").str();
    case R::ammoniaPressure:
        return language.translate("Readings", "NH3 meter: pressure (kPa)").str();
    case R::waterReading:
        return language.translate("Readings", "Water meter: reading").str();
    case R::waterTemperature:
        return language.translate("Readings", "Water meter: temperature (°C)").str();
    case R::columnTemperature:
        return language.translate("Readings", "Column temperature (°C)").str();
    }
    return {};
}

}  // namespace present
