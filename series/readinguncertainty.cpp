#include "series/readinguncertainty.h"

#include "core/absorber.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <span>
#include <vector>

namespace series {
namespace {

// Where a reading or an input is in a run, so that it can be moved.
using Access = double& (*)(Run&);

struct Slot {
    Reading reading;  // for a typed input, unused
    std::optional<Input> input;
    Access at;
    double u;
};

Titration& titrationOf(Run& run)
{
    return *run.readings->titration;
}

template <std::optional<MeterReading> Readings::*meter>
double& meterValue(Run& run)
{
    return ((*run.readings).*meter)->value;
}

template <std::optional<MeterReading> Readings::*meter>
double& meterTemperature(Run& run)
{
    return ((*run.readings).*meter)->temperature;
}

template <std::optional<MeterReading> Readings::*meter>
double& meterPressure(Run& run)
{
    return ((*run.readings).*meter)->pressure;
}

// A meter's reading, temperature and pressure; a mass flow has only the first,
// and water's pressure is not used.
template <std::optional<MeterReading> Readings::*meter>
void addMeter(std::vector<Slot>& slots, const Readings& r, Reading first, bool gas)
{
    const std::optional<MeterReading>& m = r.*meter;
    if (!m)
        return;
    const ReadingUncertainties& u = r.uncertainty;
    const bool volumetric = m->unit != MeterUnit::kilogramsPerHour;
    if (u.meterRel)
        slots.push_back({first, {}, meterValue<meter>, *u.meterRel * std::fabs(m->value)});
    if (u.thermometer && volumetric)
        slots.push_back({Reading(int(first) + 1), {}, meterTemperature<meter>, *u.thermometer});
    if (u.pressure && volumetric && gas)
        slots.push_back({Reading(int(first) + 2), {}, meterPressure<meter>, *u.pressure});
}

// The readings with an uncertainty, in the order of Reading. `celsius`: the
// column's temperature where the equilibrium is taken at it.
std::vector<Slot> readingSlots(const Readings& r, std::optional<double> celsius)
{
    std::vector<Slot> slots;
    const ReadingUncertainties& u = r.uncertainty;
    if (const auto& t = r.titration) {
        const bool back = t->baseMolarity && t->baseVolume;
        if (u.burette)
            slots.push_back(
                {Reading::sampleVolume, {}, [](Run& x) -> double& { return titrationOf(x).sampleVolume; }, *u.burette});
        if (u.molarityRel)
            slots.push_back({Reading::acidMolarity,
                             {},
                             [](Run& x) -> double& { return titrationOf(x).acidMolarity; },
                             *u.molarityRel* std::fabs(t->acidMolarity)});
        if (u.burette)
            slots.push_back(
                {Reading::acidVolume, {}, [](Run& x) -> double& { return titrationOf(x).acidVolume; }, *u.burette});
        // A blank of 0 was not titrated: no reading to be uncertain of, and
        // drawn below 0 it would refuse half the draws.
        if (u.burette && !back && t->blankVolume > 0.0)
            slots.push_back(
                {Reading::blankVolume, {}, [](Run& x) -> double& { return titrationOf(x).blankVolume; }, *u.burette});
        if (u.molarityRel && back)
            slots.push_back({Reading::baseMolarity,
                             {},
                             [](Run& x) -> double& { return *titrationOf(x).baseMolarity; },
                             *u.molarityRel* std::fabs(*t->baseMolarity)});
        if (u.burette && back)
            slots.push_back(
                {Reading::baseVolume, {}, [](Run& x) -> double& { return *titrationOf(x).baseVolume; }, *u.burette});
        if (u.thermometer && !t->density)
            slots.push_back({Reading::sampleTemperature,
                             {},
                             [](Run& x) -> double& { return titrationOf(x).temperature; },
                             *u.thermometer});
    }
    addMeter<&Readings::air>(slots, r, Reading::airReading, true);
    addMeter<&Readings::ammonia>(slots, r, Reading::ammoniaReading, true);
    addMeter<&Readings::water>(slots, r, Reading::waterReading, false);
    if (u.thermometer && celsius)
        slots.push_back(
            {Reading::columnTemperature, {}, [](Run& x) -> double& { return *x.temperature; }, *u.thermometer});
    return slots;
}

// The inputs a run's readings give; none given when it has no readings.
std::optional<InputsFromReadings> givenBy(const Run& run, std::string_view flowUnit)
{
    if (!run.readings)
        return InputsFromReadings{};
    auto given = inputsFromReadings(*run.readings, flowUnit);
    if (!std::holds_alternative<InputsFromReadings>(given))
        return std::nullopt;
    return std::get<InputsFromReadings>(given);
}

// The typed inputs the readings leave, with their uncertainties.
std::vector<Slot> typedSlots(const Run& run, const InputsFromReadings& given, const Uncertainties& u)
{
    std::vector<Slot> slots;
    const Reading none{};
    if (u.y1 && !given.y1)
        slots.push_back({none, Input::y1, [](Run& x) -> double& { return x.inputs.y1; }, std::fabs(*u.y1)});
    if (u.x1 && !given.x1)
        slots.push_back({none, Input::x1, [](Run& x) -> double& { return x.inputs.x1; }, std::fabs(*u.x1)});
    if (u.gasFlowRel && !given.gasFlow)
        slots.push_back({none, Input::gasFlow, [](Run& x) -> double& { return x.inputs.gasFlow; },
                         std::fabs(*u.gasFlowRel * run.inputs.gasFlow)});
    if (u.waterFlowRel && !given.waterFlow)
        slots.push_back({none, Input::waterFlow, [](Run& x) -> double& { return x.inputs.waterFlow; },
                         std::fabs(*u.waterFlowRel * run.inputs.waterFlow)});
    if (u.packingHeight)
        slots.push_back({none, Input::packingHeight, [](Run& x) -> double& { return *x.packingHeight; },
                         std::fabs(*u.packingHeight)});
    return slots;
}

// The coefficient and NTU with the inputs the run's readings give; the
// column's temperature, in run.temperature, where the equilibrium is at it.
std::optional<ModelOutputs> modelOf(const Run& run, std::string_view flowUnit, bool atColumnTemperature)
{
    const auto given = givenBy(run, flowUnit);
    if (!given)
        return std::nullopt;
    absorber::RunInputs inputs = run.inputs;
    replaceInputs(inputs, *given);
    return coefficientAndNtuOf(inputs, *run.packingHeight,
                               atColumnTemperature ? run.temperature : std::optional<double>());
}

// d f / d slot by central differences, one-sided where one side has no value.
template <typename Value, typename Model>
std::optional<Value> derivative(const Run& run, const Slot& slot, const Value& nominal, Model model)
{
    Run moved = run;
    const double x = slot.at(moved);
    const double h = 1e-6 * std::max(std::fabs(x), slot.u);
    slot.at(moved) = x + h;
    const std::optional<Value> up = model(moved);
    slot.at(moved) = x - h;
    const std::optional<Value> down = model(moved);
    Value c{};
    for (std::size_t k = 0; k < std::size(c); ++k) {
        if (up && down)
            c[k] = ((*up)[k] - (*down)[k]) / (2.0 * h);
        else if (up)
            c[k] = ((*up)[k] - nominal[k]) / h;
        else if (down)
            c[k] = (nominal[k] - (*down)[k]) / h;
        else
            return std::nullopt;
    }
    return c;
}

// The run with the column's temperature where the model reads it, its
// quantities with uncertainties, and its coefficient and NTU.
struct Start {
    Run run;
    std::vector<Slot> slots;
    ModelOutputs y;
};

std::variant<Start, NotGiven> startOf(const Run& run, const Uncertainties& uncertainties, std::string_view flowUnit,
                                      std::optional<double> celsius)
{
    if (!run.packingHeight)
        return NotGiven{{MessageKind::noPackingHeight}};
    const auto given = givenBy(run, flowUnit);
    if (!given)
        return NotGiven{{MessageKind::noCoefficient}};
    Start start{run, {}, {}};
    start.run.temperature = celsius;
    absorber::RunInputs inputs = run.inputs;
    replaceInputs(inputs, *given);
    const absorber::Balance balance = balanceAt(inputs, celsius);
    if (balance.outcome != absorber::Outcome::completed)
        return NotGiven{{MessageKind::runNotCompleted, {std::string(outcomeName(balance.outcome))}}};
    if (absorber::drivingForceChangesSign(balance.limits))
        return NotGiven{{MessageKind::drivingForceChanges}};
    const std::optional<ModelOutputs> y = modelOf(start.run, flowUnit, celsius.has_value());
    if (!y)
        return NotGiven{{MessageKind::noCoefficient}};
    start.y = *y;
    if (run.readings)
        start.slots = readingSlots(*run.readings, celsius);
    for (Slot& slot : typedSlots(run, *given, uncertainties))
        start.slots.push_back(slot);
    if (std::none_of(start.slots.begin(), start.slots.end(), [](const Slot& s) { return s.u > 0.0; }))
        return NotGiven{{MessageKind::noInputUncertainty}};
    return start;
}

// The input a reading gives, for a front end that names only inputs.
Input inputOf(Reading reading)
{
    if (reading <= Reading::sampleTemperature)
        return Input::x1;
    if (reading <= Reading::airPressure)
        return Input::gasFlow;
    if (reading <= Reading::ammoniaPressure || reading == Reading::columnTemperature)
        return Input::y1;
    return Input::waterFlow;
}

}  // namespace

std::string_view readingKey(Reading reading)
{
    static constexpr std::array<std::string_view, 16> keys{"titration/sample_volume_ml", "titration/acid_molarity",
                                                           "titration/acid_volume_ml",   "titration/blank_volume_ml",
                                                           "titration/base_molarity",    "titration/base_volume_ml",
                                                           "titration/temperature_c",    "air_meter/reading",
                                                           "air_meter/temperature_c",    "air_meter/pressure_kpa",
                                                           "ammonia_meter/reading",      "ammonia_meter/temperature_c",
                                                           "ammonia_meter/pressure_kpa", "water_meter/reading",
                                                           "water_meter/temperature_c",  "temperature"};
    return keys[std::size_t(reading)];
}

std::variant<Gum, NotGiven> readingsGum(const Run& run, const Uncertainties& uncertainties, std::string_view flowUnit,
                                        std::optional<double> celsius)
{
    auto started = startOf(run, uncertainties, flowUnit, celsius);
    if (const auto* refused = std::get_if<NotGiven>(&started))
        return *refused;
    const Start& start = std::get<Start>(started);
    const auto model = [flowUnit, at = celsius.has_value()](const Run& moved) { return modelOf(moved, flowUnit, at); };

    Gum result{start.y[0], 0.0, {}, start.y[1], 0.0};
    double variance = 0.0;
    double ntuVariance = 0.0;
    for (const Slot& slot : start.slots) {
        const auto c = derivative(start.run, slot, start.y, model);
        if (!c)
            return NotGiven{{MessageKind::noValueAroundInput}};
        const double contribution = (*c)[0] * slot.u;
        variance += contribution * contribution;
        ntuVariance += ((*c)[1] * slot.u) * ((*c)[1] * slot.u);
        Run copy = start.run;
        BudgetLine line{slot.input.value_or(inputOf(slot.reading)), slot.at(copy), slot.u, (*c)[0],
                        contribution * contribution};
        if (!slot.input)
            line.reading = slot.reading;
        result.budget.push_back(line);
    }
    result.u = std::sqrt(variance);
    result.uNtu = std::sqrt(ntuVariance);
    for (BudgetLine& line : result.budget)
        line.sharePercent = variance > 0.0 ? 100.0 * line.sharePercent / variance : 0.0;
    return result;
}

std::variant<MonteCarlo, NotGiven> readingsMonteCarlo(const Run& run, const Uncertainties& uncertainties,
                                                      std::string_view flowUnit, std::uint64_t seed,
                                                      std::optional<double> celsius, std::atomic<bool>* cancel,
                                                      const AdaptiveSettings& settings)
{
    auto started = startOf(run, uncertainties, flowUnit, celsius);
    if (const auto* refused = std::get_if<NotGiven>(&started))
        return *refused;
    Start& start = std::get<Start>(started);

    std::vector<NormalInput> inputs;
    for (Slot& slot : start.slots)
        inputs.push_back({slot.at(start.run), slot.u});
    // One run moved draw by draw: propagate evaluates the draws in turn.
    Run& moved = start.run;
    const bool atColumn = celsius.has_value();
    const Model model = [&](std::span<const double> x) {
        for (std::size_t i = 0; i < x.size(); ++i)
            start.slots[i].at(moved) = x[i];
        return modelOf(moved, flowUnit, atColumn);
    };
    const auto propagated = propagate(inputs, model, seed, settings, cancel);
    return monteCarloOf(propagated);
}

Uncertainties inputUncertaintiesFromReadings(const Run& run, const Uncertainties& typed, std::string_view flowUnit)
{
    const auto given = givenBy(run, flowUnit);
    if (!run.readings || !given)
        return typed;
    const std::vector<Slot> slots = readingSlots(*run.readings, std::nullopt);
    if (slots.empty())
        return typed;
    // y1, x1, gas flow, water flow.
    using Pick = std::optional<double> InputsFromReadings::*;
    constexpr std::array<Pick, 4> picks{&InputsFromReadings::y1, &InputsFromReadings::x1, &InputsFromReadings::gasFlow,
                                        &InputsFromReadings::waterFlow};
    std::array<double, 4> variance{};
    for (const Slot& slot : slots) {
        for (std::size_t i = 0; i < picks.size(); ++i) {
            const std::optional<double>& nominal = (*given).*picks[i];
            if (!nominal)
                continue;
            const auto c = derivative(run, slot, std::array{*nominal}, [&](const Run& moved) {
                const auto at = givenBy(moved, flowUnit);
                return at && (*at).*picks[i] ? std::optional(std::array{*((*at).*picks[i])})
                                             : std::optional<std::array<double, 1>>();
            });
            if (c)
                variance[i] += ((*c)[0] * slot.u) * ((*c)[0] * slot.u);
        }
    }
    Uncertainties u = typed;
    if (given->y1)
        u.y1 = std::sqrt(variance[0]);
    if (given->x1)
        u.x1 = std::sqrt(variance[1]);
    if (given->gasFlow)
        u.gasFlowRel = std::sqrt(variance[2]) / std::fabs(*given->gasFlow);
    if (given->waterFlow)
        u.waterFlowRel = std::sqrt(variance[3]) / std::fabs(*given->waterFlow);
    return u;
}

}  // namespace series
