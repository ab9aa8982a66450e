#include "present/readingsform.h"

#include "present/seriesmessages.h"

namespace present {
namespace {

using F = ReadingField;

constexpr std::array<std::string_view, readingFieldCount> keys{
    "sample_volume_ml", "acid_molarity", "acid_volume_ml", "blank_volume_ml", "protons",       "density_g_per_l",
    "temperature_c",    "air_meter",     "ammonia_meter",  "water_meter",     "temperature_c", "pressure_kpa",
};

std::string text(const std::optional<double>& value, const NumberLocale& locale)
{
    return value ? exactText(*value, locale) : std::string();
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
    return keys[static_cast<std::size_t>(field)];
}

ReadingsForm formOf(const std::optional<series::Readings>& readings, const NumberLocale& locale)
{
    ReadingsForm form;
    if (!readings)
        return form;
    const auto put = [&form](F field, std::string value) { form.texts[static_cast<std::size_t>(field)] = value; };
    if (const auto& t = readings->titration) {
        put(F::sampleVolume, exactText(t->sampleVolume, locale));
        put(F::acidMolarity, exactText(t->acidMolarity, locale));
        put(F::acidVolume, exactText(t->acidVolume, locale));
        put(F::blankVolume, exactText(t->blankVolume, locale));
        put(F::protons, exactText(t->protons, locale));
        put(F::density, text(t->density, locale));
        put(F::sampleTemperature, exactText(t->temperature, locale));
    }
    const std::optional<series::MeterReading>* meters[] = {&readings->air, &readings->ammonia, &readings->water};
    for (std::size_t i = 0; i < 3; ++i) {
        if (const auto& meter = *meters[i]) {
            put(F(std::size_t(F::airMeter) + i), exactText(meter->value, locale));
            form.units[i] = meter->unit;
            // The gas meters' conditions; the water meter's where it stands alone.
            put(F::meterTemperature, exactText(meter->temperature, locale));
            put(F::meterPressure, exactText(meter->pressure, locale));
        }
    }
    return form;
}

std::variant<std::optional<series::Readings>, std::string> readingsOf(const ReadingsForm& form,
                                                                      const std::optional<series::Readings>& before,
                                                                      const Language& language,
                                                                      const NumberLocale& locale)
{
    std::array<std::optional<double>, readingFieldCount> values;
    for (std::size_t i = 0; i < readingFieldCount; ++i) {
        if (form.texts[i].find_first_not_of(" \t") == std::string::npos)
            continue;
        const ParsedNumber number = parseNumber(form.texts[i], locale);
        if (!number) {
            std::string label = readingLabel(F(i), language);
            std::erase(label, '&');
            if (label.ends_with(':'))
                label.pop_back();
            return language.translate("Readings", "Type a number for \"%1\".").arg(label).str();
        }
        values[i] = *number;
    }
    const auto value = [&values](F field) { return values[static_cast<std::size_t>(field)]; };
    series::Readings readings;
    if (value(F::sampleVolume) || value(F::acidMolarity) || value(F::acidVolume)) {
        series::Titration t;
        t.sampleVolume = value(F::sampleVolume).value_or(0.0);
        t.acidMolarity = value(F::acidMolarity).value_or(0.0);
        t.acidVolume = value(F::acidVolume).value_or(0.0);
        t.blankVolume = value(F::blankVolume).value_or(0.0);
        // A count that is not 1, 2 or 3 is refused as 0 by the conversion.
        const double z = value(F::protons).value_or(1.0);
        t.protons = z == 1.0 ? 1 : z == 2.0 ? 2 : z == 3.0 ? 3 : 0;
        t.density = value(F::density);
        t.temperature = value(F::sampleTemperature).value_or(t.temperature);
        readings.titration = t;
    }
    std::optional<series::MeterReading>* meters[] = {&readings.air, &readings.ammonia, &readings.water};
    const std::optional<series::MeterReading>* old[] = {
        before ? &before->air : nullptr, before ? &before->ammonia : nullptr, before ? &before->water : nullptr};
    for (std::size_t i = 0; i < 3; ++i) {
        const auto reading = value(F(std::size_t(F::airMeter) + i));
        if (!reading)
            continue;
        series::MeterReading m;
        m.value = *reading;
        m.unit = form.units[i];
        m.temperature = value(F::meterTemperature).value_or(m.temperature);
        m.pressure = value(F::meterPressure).value_or(m.pressure);
        if (old[i] && *old[i])
            m.calibration = (*old[i])->calibration;
        *meters[i] = m;
    }
    if (readings == series::Readings{})
        return std::optional<series::Readings>{};
    // The readings' uncertainties are not in the dialog; they stay.
    if (before)
        readings.uncertainty = before->uncertainty;
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
        list += (list.empty() ? "" : ", ") + name.str() + " = " + significantText(*v, 5, locale)
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
    std::string title = readingLabel(field, language);
    std::erase(title, '&');
    if (title.ends_with(':'))
        title.pop_back();
    return title;
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

}  // namespace present
