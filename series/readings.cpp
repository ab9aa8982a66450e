#include "series/readings.h"
#include "series/series.h"

#include <array>
#include <limits>

namespace series {
namespace {

constexpr double celsiusZero = 273.15;
constexpr double infinity = std::numeric_limits<double>::infinity();

struct MeterUnitName {
    MeterUnit unit;
    std::string_view name;
};

constexpr std::array<MeterUnitName, 5> meterUnitNames{{
    {MeterUnit::litresPerMinute, "L/min"},
    {MeterUnit::litresPerHour, "L/h"},
    {MeterUnit::cubicMetresPerHour, "m3/h"},
    {MeterUnit::millilitresPerMinute, "mL/min"},
    {MeterUnit::kilogramsPerHour, "kg/h"},
}};

// A refusal naming the reading by its key in the file.
Message refusal(MessageKind kind, std::string_view key = {})
{
    return key.empty() ? Message{kind} : Message{kind, {std::string(key)}};
}

// Comparisons written so that NaN and infinity fail them too.
bool positive(double value)
{
    return value > 0.0 && value < infinity;
}

bool notNegative(double value)
{
    return value >= 0.0 && value < infinity;
}

// A volumetric reading in litres per second.
double litresPerSecond(double flow, MeterUnit unit)
{
    switch (unit) {
    case MeterUnit::litresPerMinute:
        return flow / 60.0;
    case MeterUnit::litresPerHour:
        return flow / 3600.0;
    case MeterUnit::cubicMetresPerHour:
        return flow * 1000.0 / 3600.0;
    case MeterUnit::millilitresPerMinute:
        return flow / 60000.0;
    case MeterUnit::kilogramsPerHour:
        break;
    }
    return flow;
}

// A mass flow in kg/h as mol/s.
double molesPerSecond(double kilogramsPerHour, double molarMass)
{
    return kilogramsPerHour * 1000.0 / 3600.0 / molarMass;
}

std::optional<Message> meterRefusal(const MeterReading& reading)
{
    if (!notNegative(reading.value))
        return refusal(MessageKind::readingNegative, "reading");
    if (reading.unit == MeterUnit::kilogramsPerHour)
        return std::nullopt;
    if (!(reading.temperature >= 0.0 && reading.temperature <= 150.0))
        return refusal(MessageKind::temperatureOutOfRange, "temperature_c");
    return std::nullopt;
}

}  // namespace

std::string_view meterUnitName(MeterUnit unit)
{
    for (const MeterUnitName& entry : meterUnitNames) {
        if (entry.unit == unit)
            return entry.name;
    }
    return "L/min";
}

std::optional<MeterUnit> meterUnitNamed(std::string_view name)
{
    for (const MeterUnitName& entry : meterUnitNames) {
        if (entry.name == name)
            return entry.unit;
    }
    return std::nullopt;
}

double waterDensity(double t)
{
    // Kell's rational function of the temperature t in degrees Celsius (IPTS-68).
    const double numerator = 999.83952
        + t * (16.945176 + t * (-7.9870401e-3 + t * (-46.170461e-6 + t * (105.56302e-9 + t * -280.54253e-12))));
    return numerator / (1.0 + 16.879850e-3 * t);
}

Converted titrationConcentration(const Titration& titration)
{
    if (!positive(titration.sampleVolume))
        return refusal(MessageKind::readingNotPositive, "sample_volume_ml");
    if (!positive(titration.acidMolarity))
        return refusal(MessageKind::readingNotPositive, "acid_molarity");
    if (!notNegative(titration.acidVolume))
        return refusal(MessageKind::readingNegative, "acid_volume_ml");
    if (titration.protons < 1 || titration.protons > 3)
        return Message{MessageKind::protonsOutOfRange, {}, {static_cast<std::size_t>(titration.protons)}};
    // Half a back-titration is no direct titration either.
    if (titration.baseMolarity.has_value() != titration.baseVolume.has_value())
        return refusal(MessageKind::baseHalfGiven);
    const double acid = titration.protons * titration.acidMolarity * titration.acidVolume;
    // Millimoles over millilitres: mol/L.
    if (titration.baseMolarity && titration.baseVolume) {
        if (!positive(*titration.baseMolarity))
            return refusal(MessageKind::readingNotPositive, "base_molarity");
        if (!notNegative(*titration.baseVolume))
            return refusal(MessageKind::readingNegative, "base_volume_ml");
        const double left = *titration.baseMolarity * *titration.baseVolume;
        if (!(left < acid))
            return refusal(MessageKind::baseExceedsAcid);
        return (acid - left) / titration.sampleVolume;
    }
    if (!notNegative(titration.blankVolume))
        return refusal(MessageKind::readingNegative, "blank_volume_ml");
    if (titration.acidVolume < titration.blankVolume)
        return refusal(MessageKind::acidBelowBlank);
    return titration.protons * titration.acidMolarity * (titration.acidVolume - titration.blankVolume)
        / titration.sampleVolume;
}

Converted liquidMoleFraction(const Titration& titration)
{
    const Converted concentration = titrationConcentration(titration);
    if (const Message* refused = std::get_if<Message>(&concentration))
        return *refused;
    const double c = std::get<double>(concentration);
    double density = 0.0;
    if (titration.density) {
        if (!positive(*titration.density))
            return refusal(MessageKind::readingNotPositive, "density_g_per_l");
        density = *titration.density;
    } else {
        if (!(titration.temperature >= 0.0 && titration.temperature <= 150.0))
            return refusal(MessageKind::temperatureOutOfRange, "temperature_c");
        density = waterDensity(titration.temperature);
    }
    // Grams of water in a litre of the sample, after its NH3.
    const double water = density - c * molarMassNh3;
    if (!(water > 0.0))
        return refusal(MessageKind::sampleTooConcentrated);
    return c / (c + water / molarMassWater);
}

std::optional<Message> calibrationRefusal(const std::vector<CalibrationPoint>& table)
{
    if (table.empty())
        return std::nullopt;
    if (table.size() < 2)
        return refusal(MessageKind::calibrationTooShort);
    for (std::size_t row = 1; row < table.size(); ++row) {
        if (!(table[row].scale > table[row - 1].scale && table[row].flow > table[row - 1].flow))
            return Message{MessageKind::calibrationNotRising, {}, {row + 1}};
    }
    return std::nullopt;
}

Converted meterFlow(const MeterReading& reading)
{
    if (auto refused = meterRefusal(reading))
        return *refused;
    const auto& table = reading.calibration;
    if (table.empty())
        return reading.value;
    if (auto refused = calibrationRefusal(table))
        return *refused;
    if (!(reading.value >= table.front().scale && reading.value <= table.back().scale))
        return refusal(MessageKind::outsideCalibration);
    std::size_t row = 1;
    while (reading.value > table[row].scale)
        ++row;
    const CalibrationPoint& low = table[row - 1];
    const CalibrationPoint& high = table[row];
    return low.flow + (reading.value - low.scale) * (high.flow - low.flow) / (high.scale - low.scale);
}

Converted gasMolarFlow(const MeterReading& reading, double molarMass)
{
    const Converted flow = meterFlow(reading);
    if (const Message* refused = std::get_if<Message>(&flow))
        return *refused;
    const double shown = std::get<double>(flow);
    if (reading.unit == MeterUnit::kilogramsPerHour)
        return molesPerSecond(shown, molarMass);
    if (!positive(reading.pressure))
        return refusal(MessageKind::readingNotPositive, "pressure_kpa");
    // Pa times m3/s over J/mol: mol/s.
    const double cubicMetresPerSecond = litresPerSecond(shown, reading.unit) / 1000.0;
    return reading.pressure * 1000.0 * cubicMetresPerSecond / (gasConstant * (reading.temperature + celsiusZero));
}

Converted waterMolarFlow(const MeterReading& reading)
{
    const Converted flow = meterFlow(reading);
    if (const Message* refused = std::get_if<Message>(&flow))
        return *refused;
    const double shown = std::get<double>(flow);
    if (reading.unit == MeterUnit::kilogramsPerHour)
        return molesPerSecond(shown, molarMassWater);
    // g/L times L/s over g/mol: mol/s.
    return waterDensity(reading.temperature) * litresPerSecond(shown, reading.unit) / molarMassWater;
}

std::optional<double> unitsPerMolePerSecond(std::string_view flowUnit)
{
    static constexpr std::array<double, 5> factors{1.0, 1000.0, 60.0, 3600.0, 3.6};
    for (std::size_t i = 0; i < factors.size(); ++i) {
        if (flowUnits[i] == flowUnit)
            return factors[i];
    }
    return std::nullopt;
}

std::variant<InputsFromReadings, Message> inputsFromReadings(const Readings& readings, std::string_view flowUnit)
{
    InputsFromReadings inputs;
    if (readings.titration) {
        const Converted x1 = liquidMoleFraction(*readings.titration);
        if (const Message* refused = std::get_if<Message>(&x1))
            return *refused;
        inputs.x1 = std::get<double>(x1);
    }
    if (readings.ammonia && !readings.air)
        return refusal(MessageKind::ammoniaWithoutAir);
    if (!readings.air && !readings.water)
        return inputs;
    const std::optional<double> perMolePerSecond = unitsPerMolePerSecond(flowUnit);
    if (!perMolePerSecond)
        return refusal(MessageKind::flowUnitNotConvertible, flowUnit);
    if (readings.air) {
        const Converted air = gasMolarFlow(*readings.air, molarMassAir);
        if (const Message* refused = std::get_if<Message>(&air))
            return *refused;
        const double airFlow = std::get<double>(air);
        inputs.gasFlow = airFlow * *perMolePerSecond;
        if (readings.ammonia) {
            const Converted ammonia = gasMolarFlow(*readings.ammonia, molarMassNh3);
            if (const Message* refused = std::get_if<Message>(&ammonia))
                return *refused;
            const double ammoniaFlow = std::get<double>(ammonia);
            inputs.y1 = ammoniaFlow / (ammoniaFlow + airFlow);
        }
    }
    if (readings.water) {
        const Converted water = waterMolarFlow(*readings.water);
        if (const Message* refused = std::get_if<Message>(&water))
            return *refused;
        inputs.waterFlow = std::get<double>(water) * *perMolePerSecond;
    }
    return inputs;
}

void replaceInputs(absorber::RunInputs& inputs, const InputsFromReadings& given)
{
    inputs.y1 = given.y1.value_or(inputs.y1);
    inputs.x1 = given.x1.value_or(inputs.x1);
    inputs.gasFlow = given.gasFlow.value_or(inputs.gasFlow);
    inputs.waterFlow = given.waterFlow.value_or(inputs.waterFlow);
}

bool convertFlows(std::vector<Run>& runs, std::string_view from, std::string_view to)
{
    const std::optional<double> was = unitsPerMolePerSecond(from);
    const std::optional<double> now = unitsPerMolePerSecond(to);
    if (!was || !now)
        return false;
    std::vector<Run> converted = runs;
    for (Run& run : converted) {
        // Through mol/s, as the readings' flows go.
        run.inputs.gasFlow = run.inputs.gasFlow / *was * *now;
        run.inputs.waterFlow = run.inputs.waterFlow / *was * *now;
        if (!run.readings)
            continue;
        const auto given = inputsFromReadings(*run.readings, to);
        if (!std::holds_alternative<InputsFromReadings>(given))
            return false;
        replaceInputs(run.inputs, std::get<InputsFromReadings>(given));
    }
    runs = std::move(converted);
    return true;
}

}  // namespace series
