#include "series/readingcolumns.h"

namespace series {
namespace {

using C = ReadingColumn;

std::optional<double>& at(ReadingValues& values, C column)
{
    return values[std::size_t(column)];
}

const std::optional<double>& at(const ReadingValues& values, C column)
{
    return values[std::size_t(column)];
}

// The meters in the order of their columns and of MeterUnits.
constexpr std::array<std::pair<std::optional<MeterReading> Readings::*, C>, 3> meters{{
    {&Readings::air, C::airMeter},
    {&Readings::ammonia, C::ammoniaMeter},
    {&Readings::water, C::waterMeter},
}};

}  // namespace

std::optional<Readings> readingsOfRow(const ReadingValues& v, const MeterUnits& units)
{
    Readings readings;
    if (at(v, C::sampleVolume) || at(v, C::acidMolarity) || at(v, C::acidVolume) || at(v, C::baseMolarity)
        || at(v, C::baseVolume)) {
        Titration t;
        t.sampleVolume = at(v, C::sampleVolume).value_or(0.0);
        t.acidMolarity = at(v, C::acidMolarity).value_or(0.0);
        t.acidVolume = at(v, C::acidVolume).value_or(0.0);
        t.blankVolume = at(v, C::blankVolume).value_or(0.0);
        t.baseMolarity = at(v, C::baseMolarity);
        t.baseVolume = at(v, C::baseVolume);
        // A count that is not 1, 2 or 3 is refused as 0.
        const double z = at(v, C::protons).value_or(1.0);
        t.protons = z == 1.0 ? 1 : z == 2.0 ? 2 : z == 3.0 ? 3 : 0;
        t.density = at(v, C::density);
        t.temperature = at(v, C::sampleTemperature).value_or(t.temperature);
        readings.titration = t;
    }
    for (std::size_t i = 0; i < meters.size(); ++i) {
        const auto& [member, column] = meters[i];
        if (!at(v, column))
            continue;
        MeterReading m;
        m.value = *at(v, column);
        m.unit = units[i];
        m.temperature = at(v, C::meterTemperature).value_or(m.temperature);
        m.pressure = at(v, C::meterPressure).value_or(m.pressure);
        readings.*member = m;
    }
    if (readings == Readings{})
        return std::nullopt;
    return readings;
}

ReadingValues rowOfReadings(const Readings& readings)
{
    ReadingValues v;
    if (const auto& t = readings.titration) {
        at(v, C::sampleVolume) = t->sampleVolume;
        at(v, C::acidMolarity) = t->acidMolarity;
        at(v, C::acidVolume) = t->acidVolume;
        at(v, C::blankVolume) = t->blankVolume;
        at(v, C::baseMolarity) = t->baseMolarity;
        at(v, C::baseVolume) = t->baseVolume;
        at(v, C::protons) = double(t->protons);
        at(v, C::density) = t->density;
        at(v, C::sampleTemperature) = t->temperature;
    }
    for (const auto& [member, column] : meters) {
        const std::optional<MeterReading>& m = readings.*member;
        if (!m)
            continue;
        at(v, column) = m->value;
        if (!at(v, C::meterTemperature)) {
            at(v, C::meterTemperature) = m->temperature;
            at(v, C::meterPressure) = m->pressure;
        }
    }
    return v;
}

bool rowHolds(const Readings& readings, const MeterUnits& units)
{
    const auto read = readingsOfRow(rowOfReadings(readings), units);
    Readings kept = readings;
    kept.uncertainty = {};
    return read && *read == kept && readings.uncertainty == ReadingUncertainties{};
}

}  // namespace series
