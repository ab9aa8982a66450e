#include "present/readingsform.h"

#include "present/seriesmessages.h"

#include <fmt/format.h>

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
    return form;
}

std::variant<std::optional<series::Readings>, std::string> readingsOf(const ReadingsForm& form,
                                                                      const std::optional<series::Readings>& before,
                                                                      const Language& language,
                                                                      const NumberLocale& locale)
{
    series::ReadingValues values;
    for (std::size_t i = 0; i < readingFieldCount; ++i) {
        if (form.texts[i].find_first_not_of(" \t") == std::string::npos)
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
        if (typed.find_first_not_of(" \t") == std::string::npos)
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
    std::optional<series::Readings> read = series::readingsOfRow(values, form.units);
    if (!read) {
        if (anyUncertainty)
            return language.translate("Readings", "Type the readings the uncertainties belong to, or empty them.")
                .str();
        return std::optional<series::Readings>{};
    }
    series::Readings& readings = *read;
    // A meter's calibration is not in the dialog; it stays.
    std::optional<series::MeterReading>* meters[] = {&readings.air, &readings.ammonia, &readings.water};
    const std::optional<series::MeterReading>* old[] = {
        before ? &before->air : nullptr, before ? &before->ammonia : nullptr, before ? &before->water : nullptr};
    for (std::size_t i = 0; i < 3; ++i) {
        if (*meters[i] && old[i] && *old[i])
            (*meters[i])->calibration = (*old[i])->calibration;
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
