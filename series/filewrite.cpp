#include "series/file.h"
#include "series/findings.h"
#include "series/readingsjson.h"

#include <nlohmann/json.hpp>

namespace series {
namespace {

// Keys in the order written, as a person reads them.
using Json = nlohmann::ordered_json;

Json resultsJson(const Run& run, const RunResult& result)
{
    Json json = Json::object();
    json["outcome"] = std::string(outcomeName(result.outcome));
    if (result.balance.point) {
        json["eq_x"] = result.balance.point->x;
        json["eq_y"] = result.balance.point->y;
    }
    if (result.balance.y2)
        json["y2"] = *result.balance.y2;
    if (result.ntu)
        json["ntu"] = *result.ntu;
    if (result.mtc)
        json["mtc"] = *result.mtc;
    if (result.ntuColburn)
        json["ntu_colburn"] = *result.ntuColburn;
    if (const std::string codes = findingCodes(findingsOf(run, result)); !codes.empty())
        json["findings"] = codes;
    return json;
}

// Keys a later version wrote go back as they came, after the ones this
// version knows; a known key is never overwritten, and text that is not JSON
// (which no reader keeps) is left out.
void addUnknownKeys(Json& object, const UnknownKeys& keys)
{
    for (const auto& [key, text] : keys) {
        if (object.contains(key))
            continue;
        Json value = Json::parse(text, nullptr, false);
        if (!value.is_discarded())
            object[key] = std::move(value);
    }
}

// The inputs that have an uncertainty; an empty object when none has.
Json uncertaintyJson(const Uncertainties& u)
{
    Json json = Json::object();
    const auto put = [&json](const char* key, const std::optional<double>& value) {
        if (value)
            json[key] = *value;
    };
    put("gas_flow_rel", u.gasFlowRel);
    put("water_flow_rel", u.waterFlowRel);
    put("y1", u.y1);
    put("x1", u.x1);
    put("packing_height", u.packingHeight);
    return json;
}

Json runJson(const Run& run, const RunResult* result)
{
    Json json = Json::object();
    json["label"] = run.label;
    json["y1"] = run.inputs.y1;
    json["x1"] = run.inputs.x1;
    json["gas_flow"] = run.inputs.gasFlow;
    json["water_flow"] = run.inputs.waterFlow;
    if (run.packingHeight)
        json["packing_height"] = *run.packingHeight;
    json["excluded"] = run.excluded;
    if (run.included)
        json["included"] = true;
    if (Json u = uncertaintyJson(run.uncertainty); !u.empty())
        json["uncertainty"] = std::move(u);
    if (run.temperature)
        json["temperature"] = *run.temperature;
    if (run.readings)
        json["readings"] = readingsjson::write(*run.readings);
    if (result)
        json["results"] = resultsJson(run, *result);
    addUnknownKeys(json, run.unknownKeys);
    return json;
}

}  // namespace

std::string writeSeriesFile(const Series& series, std::span<const RunResult> results)
{
    Json json = Json::object();
    json["format"] = "quillon-series";
    json["version"] = 1;
    json["title"] = series.title;
    json["people"] = series.people;
    json["date"] = series.date;
    json["flow_unit"] = series.flowUnit;
    json["notes"] = series.notes;
    if (Json u = uncertaintyJson(series.uncertainty); !u.empty())
        json["uncertainty"] = std::move(u);
    // Written only when not the default, so that today's files stay as they are.
    if (series.equilibrium != Equilibrium::table)
        json["equilibrium"] = {{"at", std::string(equilibriumName(series.equilibrium))},
                               {"van_t_hoff_k", absorber::vanTHoffSlope},
                               {"source", std::string(equilibriumSource)}};
    Json runs = Json::array();
    for (std::size_t i = 0; i < series.runs.size(); ++i)
        runs.push_back(runJson(series.runs[i], i < results.size() ? &results[i] : nullptr));
    json["runs"] = std::move(runs);
    addUnknownKeys(json, series.unknownKeys);
    // nlohmann writes doubles as the shortest text that reads back to the
    // same bits; text that is not UTF-8 (no reader makes any) would throw,
    // so it is replaced rather than lost with the whole file.
    return json.dump(2, ' ', false, Json::error_handler_t::replace) + '\n';
}

}  // namespace series
