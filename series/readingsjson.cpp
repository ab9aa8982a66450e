#include "series/readingsjson.h"
#include "series/jsonpositions.h"

#include <algorithm>
#include <array>
#include <optional>

namespace series::readingsjson {
namespace {

constexpr std::array<std::string_view, 5> readingsKeys{"titration", "air_meter", "ammonia_meter", "water_meter",
                                                       "uncertainty"};
constexpr std::array<std::string_view, 5> uncertaintyKeys{"burette_ml", "meter_rel", "thermometer_k", "molarity_rel",
                                                          "pressure_kpa"};
constexpr std::array<std::string_view, 9> titrationKeys{
    "sample_volume_ml", "acid_molarity",  "acid_volume_ml",  "blank_volume_ml", "protons",
    "base_molarity",    "base_volume_ml", "density_g_per_l", "temperature_c",
};
constexpr std::array<std::string_view, 5> meterKeys{"reading", "unit", "temperature_c", "pressure_kpa", "calibration"};

// Reads members of one object; the first fault stops it.
class Members {
public:
    Members(const Json& members, std::string pointer)
        : object(members)
        , at(std::move(pointer))
    {
    }

    std::optional<Fault> fault;

    // An object of known keys only.
    template <std::size_t N>
    bool known(const std::array<std::string_view, N>& keys)
    {
        for (const auto& member : object.items()) {
            if (std::find(keys.begin(), keys.end(), member.key()) == keys.end())
                return refuse(member.key(), {MessageKind::unknownReadingKey, {member.key()}});
        }
        return true;
    }

    const Json* find(std::string_view key) const
    {
        const auto member = object.find(key);
        return member == object.end() || member->is_null() ? nullptr : &*member;
    }

    bool number(std::string_view key, double& out)
    {
        const Json* value = find(key);
        if (!value || !value->is_number())
            return wrongKind(key, "number", value);
        out = value->get<double>();
        return true;
    }

    // An optional member: absent or null leaves `out` as it is.
    template <typename T>
    bool optional(std::string_view key, T& out)
    {
        if (!find(key))
            return true;
        double value = 0.0;
        if (!number(key, value))
            return false;
        out = value;
        return true;
    }

    bool integer(std::string_view key, int& out)
    {
        const Json* value = find(key);
        if (!value)
            return true;
        if (!value->is_number_integer() || *value < -1000 || *value > 1000)
            return wrongKind(key, "integer", value);
        out = value->get<int>();
        return true;
    }

    bool unit(MeterUnit& out)
    {
        const Json* value = find("unit");
        if (!value || !value->is_string())
            return wrongKind("unit", "string", value);
        const auto named = meterUnitNamed(value->get<std::string>());
        if (!named)
            return refuse("unit", {MessageKind::unknownMeterUnit, {value->get<std::string>()}});
        out = *named;
        return true;
    }

    // Rows of [scale reading, flow].
    bool calibration(std::vector<CalibrationPoint>& out)
    {
        const Json* value = find("calibration");
        if (!value)
            return true;
        if (!value->is_array())
            return wrongKind("calibration", "array", value);
        for (std::size_t i = 0; i < value->size(); ++i) {
            const Json& row = (*value)[i];
            if (!row.is_array() || row.size() != 2 || !row[0].is_number() || !row[1].is_number())
                return refuse("calibration/" + std::to_string(i),
                              {MessageKind::wrongKind, {"calibration", "array", kindOf(row)}});
            out.push_back({row[0].get<double>(), row[1].get<double>()});
        }
        return true;
    }

    bool wrongKind(std::string_view key, std::string_view expected, const Json* value)
    {
        Message message{value ? MessageKind::wrongKind : MessageKind::missingInRun,
                        {std::string(key), std::string(expected)}};
        if (value)
            message.texts.push_back(kindOf(*value));
        return refuse(json::pointerToken(key), std::move(message));
    }

    bool refuse(const std::string& key, Message message)
    {
        fault = Fault{at + '/' + key, std::move(message)};
        return false;
    }

private:
    const Json& object;
    std::string at;
};

std::variant<Titration, Fault> titration(const Json& value, const std::string& at)
{
    Members m(value, at);
    Titration t;
    if (m.known(titrationKeys) && m.number("sample_volume_ml", t.sampleVolume)
        && m.number("acid_molarity", t.acidMolarity) && m.number("acid_volume_ml", t.acidVolume)
        && m.optional("blank_volume_ml", t.blankVolume) && m.integer("protons", t.protons)
        && m.optional("base_molarity", t.baseMolarity) && m.optional("base_volume_ml", t.baseVolume)
        && m.optional("density_g_per_l", t.density) && m.optional("temperature_c", t.temperature))
        return t;
    return *m.fault;
}

std::variant<MeterReading, Fault> meter(const Json& value, const std::string& at)
{
    Members m(value, at);
    MeterReading r;
    if (m.known(meterKeys) && m.number("reading", r.value) && m.unit(r.unit)
        && m.optional("temperature_c", r.temperature) && m.optional("pressure_kpa", r.pressure)
        && m.calibration(r.calibration))
        return r;
    return *m.fault;
}

Json meterJson(const MeterReading& r)
{
    Json json = Json::object();
    json["reading"] = r.value;
    json["unit"] = std::string(meterUnitName(r.unit));
    json["temperature_c"] = r.temperature;
    json["pressure_kpa"] = r.pressure;
    if (!r.calibration.empty()) {
        Json rows = Json::array();
        for (const CalibrationPoint& point : r.calibration)
            rows.push_back(Json::array({point.scale, point.flow}));
        json["calibration"] = std::move(rows);
    }
    return json;
}

}  // namespace

std::variant<Readings, Fault> read(const Json& value, const std::string& at)
{
    Members m(value, at);
    if (!value.is_object()) {
        return Fault{at, {MessageKind::wrongKind, {"readings", "object", kindOf(value)}}};
    }
    if (!m.known(readingsKeys))
        return *m.fault;
    Readings readings;
    if (const Json* t = m.find("titration")) {
        if (!t->is_object())
            return Fault{at + "/titration", {MessageKind::wrongKind, {"titration", "object", kindOf(*t)}}};
        auto read = titration(*t, at + "/titration");
        if (auto* fault = std::get_if<Fault>(&read))
            return std::move(*fault);
        readings.titration = std::get<Titration>(read);
    }
    const std::pair<const char*, std::optional<MeterReading>*> meters[] = {
        {"air_meter", &readings.air}, {"ammonia_meter", &readings.ammonia}, {"water_meter", &readings.water}};
    for (const auto& [key, slot] : meters) {
        const Json* meterValue = m.find(key);
        if (!meterValue)
            continue;
        const std::string where = at + '/' + key;
        if (!meterValue->is_object())
            return Fault{where, {MessageKind::wrongKind, {key, "object", kindOf(*meterValue)}}};
        auto read = meter(*meterValue, where);
        if (auto* fault = std::get_if<Fault>(&read))
            return std::move(*fault);
        *slot = std::get<MeterReading>(read);
    }
    if (const Json* u = m.find("uncertainty")) {
        if (!u->is_object())
            return Fault{at + "/uncertainty", {MessageKind::wrongKind, {"uncertainty", "object", kindOf(*u)}}};
        Members members(*u, at + "/uncertainty");
        ReadingUncertainties& to = readings.uncertainty;
        if (!members.known(uncertaintyKeys) || !members.optional("burette_ml", to.burette)
            || !members.optional("meter_rel", to.meterRel) || !members.optional("thermometer_k", to.thermometer)
            || !members.optional("molarity_rel", to.molarityRel) || !members.optional("pressure_kpa", to.pressure))
            return *members.fault;
        for (const auto& [key, given] :
             {std::pair("burette_ml", to.burette), std::pair("meter_rel", to.meterRel),
              std::pair("thermometer_k", to.thermometer), std::pair("molarity_rel", to.molarityRel),
              std::pair("pressure_kpa", to.pressure)}) {
            if (given && !(*given >= 0.0))
                return Fault{at + "/uncertainty/" + key, {MessageKind::negativeUncertainty, {key, (*u)[key].dump()}}};
        }
    }
    return readings;
}

Json write(const Readings& readings)
{
    Json json = Json::object();
    if (const auto& t = readings.titration) {
        Json titration = Json::object();
        titration["sample_volume_ml"] = t->sampleVolume;
        titration["acid_molarity"] = t->acidMolarity;
        titration["acid_volume_ml"] = t->acidVolume;
        titration["blank_volume_ml"] = t->blankVolume;
        titration["protons"] = t->protons;
        if (t->baseMolarity)
            titration["base_molarity"] = *t->baseMolarity;
        if (t->baseVolume)
            titration["base_volume_ml"] = *t->baseVolume;
        if (t->density)
            titration["density_g_per_l"] = *t->density;
        titration["temperature_c"] = t->temperature;
        json["titration"] = std::move(titration);
    }
    if (readings.air)
        json["air_meter"] = meterJson(*readings.air);
    if (readings.ammonia)
        json["ammonia_meter"] = meterJson(*readings.ammonia);
    if (readings.water)
        json["water_meter"] = meterJson(*readings.water);
    const ReadingUncertainties& u = readings.uncertainty;
    if (u != ReadingUncertainties{}) {
        Json uncertainty = Json::object();
        if (u.burette)
            uncertainty["burette_ml"] = *u.burette;
        if (u.meterRel)
            uncertainty["meter_rel"] = *u.meterRel;
        if (u.thermometer)
            uncertainty["thermometer_k"] = *u.thermometer;
        if (u.molarityRel)
            uncertainty["molarity_rel"] = *u.molarityRel;
        if (u.pressure)
            uncertainty["pressure_kpa"] = *u.pressure;
        json["uncertainty"] = std::move(uncertainty);
    }
    return json;
}

std::string kindOf(const Json& value)
{
    switch (value.type()) {
    case Json::value_t::null:
        return "null";
    case Json::value_t::boolean:
        return value.get<bool>() ? "true" : "false";
    case Json::value_t::string:
        return "string";
    case Json::value_t::array:
        return "array";
    case Json::value_t::object:
        return "object";
    default:
        return "number";
    }
}

}  // namespace series::readingsjson
