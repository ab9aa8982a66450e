#include "series/file.h"
#include "series/jsonpositions.h"
#include "series/readingsjson.h"
#include "series/textreading.h"

#include <fmt/format.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>

namespace series {
namespace {

// Ordered, so that unknown objects keep their members' order.
using Json = nlohmann::ordered_json;

constexpr int readableVersion = 1;

constexpr std::array<std::string_view, 10> seriesKeys{
    "format", "version", "title", "people", "date", "flow_unit", "notes", "uncertainty", "runs", "equilibrium",
};
constexpr std::array<std::string_view, 12> runKeys{
    "label",    "y1",       "x1",          "gas_flow", "water_flow",  "packing_height",
    "excluded", "included", "uncertainty", "results",  "temperature", "readings",
};
// ntu_colburn and findings follow from the rest and are computed again.
constexpr std::array<std::string_view, 8> resultKeys{"outcome", "eq_x", "eq_y",        "y2",
                                                     "ntu",     "mtc",  "ntu_colburn", "findings"};

using readingsjson::kindOf;

// An error of meaning: what is wrong, and where.
struct Fault {
    std::string pointer;
    Message message;
};

// A key this version does not know, counted over the runs it appears in.
struct UnknownKey {
    std::string_view where;  // "", "run" or "results"
    std::string key;
    std::string firstPointer;
    std::size_t count = 0;
};

// Reads the document into a series; the first error of meaning stops it.
class Reader {
public:
    std::optional<Fault> fault;
    std::vector<UnknownKey> unknown;

    bool readSeries(const Json& root, OpenedSeries& opened)
    {
        if (!root.is_object())
            return refuse("", {MessageKind::notASeriesObject, {kindOf(root)}});
        const Json* format = find(root, "format");
        if (!format || *format != "quillon-series") {
            return refuse(
                "/format",
                format ? Message{MessageKind::wrongFormat, {format->dump()}} : Message{MessageKind::noFormat});
        }
        const Json* version = find(root, "version");
        if (!version || !version->is_number_integer())
            return wrongKind("", "version", "integer", version);
        if (*version != readableVersion)
            return refuse("/version",
                          {*version > readableVersion ? MessageKind::newerVersion : MessageKind::wrongVersion,
                           {version->dump()},
                           {std::size_t{readableVersion}}});

        Series& series = opened.series;
        if (!text(root, "", "title", series.title) || !text(root, "", "people", series.people)
            || !text(root, "", "date", series.date) || !text(root, "", "flow_unit", series.flowUnit)
            || !text(root, "", "notes", series.notes) || !uncertainty(root, "", series.uncertainty)
            || !equilibrium(root, series.equilibrium))
            return false;
        flowUnit = series.flowUnit;
        const Json* runs = find(root, "runs");
        if (!runs || !runs->is_array())
            return wrongKind("", "runs", "array", runs);
        series.runs.resize(runs->size());
        opened.stored.resize(runs->size());
        for (std::size_t i = 0; i < runs->size(); ++i) {
            if (!readRun((*runs)[i], fmt::format("/runs/{}", i), series.runs[i], opened.stored[i]))
                return false;
        }
        series.unknownKeys = keep(root, "", seriesKeys, "");
        return true;
    }

private:
    std::string flowUnit;

    bool readRun(const Json& json, const std::string& at, Run& run, StoredResults& stored)
    {
        if (!json.is_object())
            return refuse(at, {MessageKind::runNotAnObject, {kindOf(json)}});
        InputsFromReadings given;
        if (!readings(json, at, run, given))
            return false;
        if (!text(json, at, "label", run.label) || !input(json, at, "y1", given.y1, run.inputs.y1, stored)
            || !input(json, at, "x1", given.x1, run.inputs.x1, stored)
            || !input(json, at, "gas_flow", given.gasFlow, run.inputs.gasFlow, stored)
            || !input(json, at, "water_flow", given.waterFlow, run.inputs.waterFlow, stored)
            || !number(json, at, "packing_height", run.packingHeight) || !flag(json, at, "excluded", run.excluded)
            || !flag(json, at, "included", run.included) || !uncertainty(json, at, run.uncertainty)
            || !number(json, at, "temperature", run.temperature))
            return false;
        run.unknownKeys = keep(json, at, runKeys, "run");

        const Json* results = find(json, "results");
        if (!results || results->is_null())
            return true;
        const std::string resultsAt = at + "/results";
        if (!results->is_object())
            return wrongKind(at, "results", "object", results);
        const Json* outcome = find(*results, "outcome");
        if (outcome && !outcome->is_null()) {
            stored.outcome = outcome->is_string() ? outcomeNamed(outcome->get<std::string>()) : std::nullopt;
            if (!stored.outcome)
                return refuse(resultsAt + "/outcome", {MessageKind::wrongOutcome, {outcome->dump()}});
        }
        keep(*results, resultsAt, resultKeys, "results");
        return number(*results, resultsAt, "eq_x", stored.eqX) && number(*results, resultsAt, "eq_y", stored.eqY)
            && number(*results, resultsAt, "y2", stored.y2) && number(*results, resultsAt, "ntu", stored.ntu)
            && number(*results, resultsAt, "mtc", stored.mtc);
    }

    // A run's readings, and the inputs they give in the series' flow unit.
    bool readings(const Json& json, const std::string& at, Run& run, InputsFromReadings& given)
    {
        const Json* value = find(json, "readings");
        if (!value || value->is_null())
            return true;
        auto read = readingsjson::read(*value, at + "/readings");
        if (auto* readingsFault = std::get_if<readingsjson::Fault>(&read))
            return refuse(std::move(readingsFault->pointer), std::move(readingsFault->message));
        run.readings = std::move(std::get<Readings>(read));
        auto inputs = inputsFromReadings(*run.readings, flowUnit);
        if (auto* refused = std::get_if<Message>(&inputs))
            return refuse(at + "/readings", std::move(*refused));
        given = std::get<InputsFromReadings>(inputs);
        return true;
    }

    // An input: required unless the readings give it; then what the file
    // holds is kept for comparing, and the readings' value taken.
    bool input(const Json& json, const std::string& at, std::string_view key, const std::optional<double>& given,
               double& out, StoredResults& stored)
    {
        if (!given)
            return number(json, at, key, out);
        std::optional<double> held;
        if (!number(json, at, key, held))
            return false;
        stored.readInputs.push_back({std::string(key), held, *given});
        out = *given;
        return true;
    }

    static const Json* find(const Json& object, std::string_view key)
    {
        const auto member = object.find(key);
        return member == object.end() ? nullptr : &*member;
    }

    bool refuse(std::string pointer, Message message)
    {
        fault = Fault{std::move(pointer), std::move(message)};
        return false;
    }

    // A member of the wrong kind, or missing when `value` is null; `expected`
    // is a kind as kindOf names it, "integer" or "boolean".
    bool wrongKind(const std::string& at, std::string_view key, std::string_view expected, const Json* value)
    {
        const MessageKind missing = at.empty() ? MessageKind::missingInFile
            : at.ends_with("/results")         ? MessageKind::missingInResults
                                               : MessageKind::missingInRun;
        Message message{value ? MessageKind::wrongKind : missing, {std::string(key), std::string(expected)}};
        if (value)
            message.texts.push_back(kindOf(*value));
        return refuse(at + '/' + json::pointerToken(key), std::move(message));
    }

    bool number(const Json& object, const std::string& at, std::string_view key, double& out)
    {
        const Json* value = find(object, key);
        if (!value || !value->is_number())
            return wrongKind(at, key, "number", value);
        out = value->get<double>();
        return true;
    }

    // Optional members: absent or null is none.
    bool number(const Json& object, const std::string& at, std::string_view key, std::optional<double>& out)
    {
        const Json* value = find(object, key);
        if (!value || value->is_null())
            return true;
        if (!value->is_number())
            return wrongKind(at, key, "number", value);
        out = value->get<double>();
        return true;
    }

    // Standard uncertainties: each a number, 0 or more; a key left out is none.
    bool uncertainty(const Json& object, const std::string& at, Uncertainties& out)
    {
        const Json* value = find(object, "uncertainty");
        if (!value || value->is_null())
            return true;
        if (!value->is_object())
            return wrongKind(at, "uncertainty", "object", value);
        const std::string where = at + "/uncertainty";
        for (const auto& member : value->items()) {
            const std::string& key = member.key();
            std::optional<double>* slot = key == "gas_flow_rel" ? &out.gasFlowRel
                : key == "water_flow_rel"                       ? &out.waterFlowRel
                : key == "y1"                                   ? &out.y1
                : key == "x1"                                   ? &out.x1
                : key == "packing_height"                       ? &out.packingHeight
                                                                : nullptr;
            if (!slot)
                return refuse(where + '/' + json::pointerToken(key), {MessageKind::unknownUncertainty, {key}});
            if (!number(*value, where, key, *slot))
                return false;
            if (*slot && !(**slot >= 0.0))
                return refuse(where + '/' + json::pointerToken(key),
                              {MessageKind::negativeUncertainty, {key, member.value().dump()}});
        }
        return true;
    }

    // {"at": "run_temperature", "van_t_hoff_k": 4200, "source": "..."}: the
    // constant must be the one this version computes with; the source is
    // for the reader.
    bool equilibrium(const Json& root, Equilibrium& out)
    {
        const Json* value = find(root, "equilibrium");
        if (!value || value->is_null())
            return true;
        if (!value->is_object())
            return wrongKind("", "equilibrium", "object", value);
        const Json* at = find(*value, "at");
        const std::optional<Equilibrium> named =
            at && at->is_string() ? equilibriumNamed(at->get<std::string>()) : std::nullopt;
        if (!named)
            return refuse(
                "/equilibrium/at",
                {MessageKind::wrongEquilibrium, {"at", "table_30c or run_temperature", at ? at->dump() : "nothing"}});
        const Json* constant = find(*value, "van_t_hoff_k");
        if (constant && !(constant->is_number() && constant->get<double>() == absorber::vanTHoffSlope))
            return refuse("/equilibrium/van_t_hoff_k",
                          {MessageKind::wrongEquilibrium, {"van_t_hoff_k", "4200", constant->dump()}});
        out = *named;
        return true;
    }

    bool text(const Json& object, const std::string& at, std::string_view key, std::string& out)
    {
        const Json* value = find(object, key);
        if (!value || value->is_null())
            return true;
        if (!value->is_string())
            return wrongKind(at, key, "string", value);
        out = value->get<std::string>();
        return true;
    }

    bool flag(const Json& object, const std::string& at, std::string_view key, bool& out)
    {
        const Json* value = find(object, key);
        if (!value || value->is_null())
            return true;
        if (!value->is_boolean())
            return wrongKind(at, key, "boolean", value);
        out = value->get<bool>();
        return true;
    }

    // The members a later version added, as raw JSON text in their order,
    // each counted once for the notices.
    template <std::size_t N>
    UnknownKeys keep(const Json& object, const std::string& at, const std::array<std::string_view, N>& known,
                     std::string_view where)
    {
        UnknownKeys kept;
        // Not a structured binding: clang 14 cannot capture one in a lambda.
        for (const auto& member : object.items()) {
            const std::string& key = member.key();
            if (std::find(known.begin(), known.end(), key) != known.end())
                continue;
            kept.emplace_back(key, member.value().dump());
            const auto seen = std::find_if(unknown.begin(), unknown.end(), [&](const UnknownKey& other) {
                return other.where == where && other.key == key;
            });
            if (seen != unknown.end())
                ++seen->count;
            else
                unknown.push_back({where, key, at + '/' + json::pointerToken(key), 1});
        }
        return kept;
    }
};

std::vector<Notice> noticesOf(std::string_view text, const std::vector<UnknownKey>& unknown)
{
    std::vector<std::string> pointers;
    for (const UnknownKey& key : unknown)
        pointers.push_back(key.firstPointer);
    const auto offsets = json::locate(text, pointers);

    std::vector<Notice> notices;
    for (std::size_t i = 0; i < unknown.size(); ++i) {
        const UnknownKey& key = unknown[i];
        const int line = offsets[i] ? text::positionAt(text, *offsets[i]).line : 0;
        const MessageKind kind = key.where.empty() ? MessageKind::unknownKeyKept
            : key.where == "run"                   ? MessageKind::unknownRunKeyKept
                                                   : MessageKind::unknownResultIgnored;
        notices.push_back({line, {kind, {key.key}, {key.count}}});
    }
    return notices;
}

// An error of meaning at its value, or at the nearest enclosing value when
// the pointer names a missing member.
ReadError placed(std::string_view text, Fault fault)
{
    std::vector<std::string> candidates{fault.pointer};
    while (!candidates.back().empty())
        candidates.push_back(candidates.back().substr(0, candidates.back().rfind('/')));
    const auto offsets = json::locate(text, candidates);
    const auto found = std::find_if(offsets.begin(), offsets.end(), [](const auto& offset) { return offset; });
    const text::Position at = text::positionAt(text, found != offsets.end() ? **found : 0);
    return ReadError{at.line, at.column, std::move(fault.pointer), std::move(fault.message)};
}

}  // namespace

ReadSeries readSeriesFile(std::string_view bytes)
{
    const std::string_view text = text::withoutBom(bytes);
    if (auto tooLarge = text::beyondFileLimit(text))
        return *tooLarge;
    // The walk is bounded; the document's dump() and the reading recurse,
    // so nothing past a limit reaches them.
    if (const auto error = json::findSyntaxError(text)) {
        const text::Position at = text::positionAt(text, error->offset);
        return ReadError{at.line, at.column, {}, error->message};
    }
    const Json root = Json::parse(text.begin(), text.end(), nullptr, false);
    if (root.is_discarded())
        return ReadError{1, 1, {}, {MessageKind::jsonNotJson}};
    Reader reader;
    OpenedSeries opened;
    if (!reader.readSeries(root, opened))
        return placed(text, std::move(*reader.fault));
    opened.notices = noticesOf(text, reader.unknown);
    return opened;
}

}  // namespace series
