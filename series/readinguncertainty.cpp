#include "series/readinguncertainty.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace series {
namespace {

// Where a reading or an input is in a run, so that it can be moved.
using Access = double& (*)(Run&);

struct Slot {
    std::string key;
    Access at;
    double u;
};

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
void addMeter(std::vector<Slot>& slots, const Readings& r, const char* name)
{
    const std::optional<MeterReading>& m = r.*meter;
    if (!m)
        return;
    if (r.uncertainty.meterRel)
        slots.push_back(
            {std::string(name) + "/reading", meterValue<meter>, *r.uncertainty.meterRel * std::fabs(m->value)});
    if (r.uncertainty.thermometer && m->unit != MeterUnit::kilogramsPerHour)
        slots.push_back({std::string(name) + "/temperature_c", meterTemperature<meter>, *r.uncertainty.thermometer});
}

std::vector<Slot> readingSlots(const Readings& r)
{
    std::vector<Slot> slots;
    const ReadingUncertainties& u = r.uncertainty;
    if (const auto& t = r.titration) {
        if (u.burette) {
            slots.push_back({"titration/sample_volume_ml",
                             [](Run& x) -> double& { return x.readings->titration->sampleVolume; }, *u.burette});
            slots.push_back({"titration/acid_volume_ml",
                             [](Run& x) -> double& { return x.readings->titration->acidVolume; }, *u.burette});
            if (t->baseMolarity && t->baseVolume)
                slots.push_back({"titration/base_volume_ml",
                                 [](Run& x) -> double& { return *x.readings->titration->baseVolume; }, *u.burette});
            else
                slots.push_back({"titration/blank_volume_ml",
                                 [](Run& x) -> double& { return x.readings->titration->blankVolume; }, *u.burette});
        }
        if (u.thermometer && !t->density)
            slots.push_back({"titration/temperature_c",
                             [](Run& x) -> double& { return x.readings->titration->temperature; }, *u.thermometer});
    }
    addMeter<&Readings::air>(slots, r, "air_meter");
    addMeter<&Readings::ammonia>(slots, r, "ammonia_meter");
    addMeter<&Readings::water>(slots, r, "water_meter");
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
    if (u.y1 && !given.y1)
        slots.push_back({"y1", [](Run& x) -> double& { return x.inputs.y1; }, *u.y1});
    if (u.x1 && !given.x1)
        slots.push_back({"x1", [](Run& x) -> double& { return x.inputs.x1; }, *u.x1});
    if (u.gasFlowRel && !given.gasFlow)
        slots.push_back({"gas_flow", [](Run& x) -> double& { return x.inputs.gasFlow; },
                         *u.gasFlowRel* std::fabs(run.inputs.gasFlow)});
    if (u.waterFlowRel && !given.waterFlow)
        slots.push_back({"water_flow", [](Run& x) -> double& { return x.inputs.waterFlow; },
                         *u.waterFlowRel* std::fabs(run.inputs.waterFlow)});
    if (u.packingHeight)
        slots.push_back({"packing_height", [](Run& x) -> double& { return *x.packingHeight; }, *u.packingHeight});
    return slots;
}

// The coefficient with the inputs the run's readings give.
std::optional<double> coefficientAt(const Run& run, std::string_view flowUnit)
{
    const auto given = givenBy(run, flowUnit);
    if (!given)
        return std::nullopt;
    absorber::RunInputs inputs = run.inputs;
    replaceInputs(inputs, *given);
    return coefficientOf(inputs, *run.packingHeight);
}

// d f / d slot by central differences, one-sided where one side has no value.
template <typename Model>
std::optional<double> derivative(const Run& run, const Slot& slot, double nominal, Model model)
{
    Run moved = run;
    const double x = slot.at(moved);
    const double h = 1e-6 * std::max(std::fabs(x), slot.u);
    slot.at(moved) = x + h;
    const std::optional<double> up = model(moved);
    slot.at(moved) = x - h;
    const std::optional<double> down = model(moved);
    if (up && down)
        return (*up - *down) / (2.0 * h);
    if (up)
        return (*up - nominal) / h;
    if (down)
        return (nominal - *down) / h;
    return std::nullopt;
}

}  // namespace

std::variant<ReadingsGum, NotGiven> readingsGum(const Run& run, const Uncertainties& uncertainties,
                                                std::string_view flowUnit)
{
    if (!run.packingHeight)
        return NotGiven{{MessageKind::noPackingHeight}};
    const auto given = givenBy(run, flowUnit);
    const std::optional<double> mtc = given ? coefficientAt(run, flowUnit) : std::nullopt;
    if (!mtc)
        return NotGiven{{MessageKind::noCoefficient}};
    std::vector<Slot> slots = run.readings ? readingSlots(*run.readings) : std::vector<Slot>{};
    for (Slot& slot : typedSlots(run, *given, uncertainties))
        slots.push_back(std::move(slot));
    if (slots.empty())
        return NotGiven{{MessageKind::noInputUncertainty}};

    ReadingsGum result{*mtc, 0.0, {}};
    double variance = 0.0;
    for (const Slot& slot : slots) {
        const auto c =
            derivative(run, slot, *mtc, [flowUnit](const Run& moved) { return coefficientAt(moved, flowUnit); });
        if (!c)
            return NotGiven{{MessageKind::noValueAroundInput}};
        Run copy = run;
        const double contribution = *c * slot.u;
        variance += contribution * contribution;
        result.budget.push_back({slot.key, slot.at(copy), slot.u, *c, contribution * contribution});
    }
    result.u = std::sqrt(variance);
    for (ReadingBudgetLine& line : result.budget)
        line.sharePercent = variance > 0.0 ? 100.0 * line.sharePercent / variance : 0.0;
    return result;
}

Uncertainties inputUncertaintiesFromReadings(const Run& run, const Uncertainties& typed, std::string_view flowUnit)
{
    const auto given = givenBy(run, flowUnit);
    if (!run.readings || !given)
        return typed;
    const std::vector<Slot> slots = readingSlots(*run.readings);
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
            const auto c = derivative(run, slot, *nominal, [&](const Run& moved) -> std::optional<double> {
                const auto at = givenBy(moved, flowUnit);
                return at ? (*at).*picks[i] : std::nullopt;
            });
            if (c)
                variance[i] += (*c * slot.u) * (*c * slot.u);
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
