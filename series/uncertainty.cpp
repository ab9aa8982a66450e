#include "series/uncertainty.h"

#include "core/portablemath.h"
#include "series/coefficients.h"
#include "series/parallel.h"
#include "series/random.h"
#include "series/readinguncertainty.h"

#include <fmt/format.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <map>
#include <string>

namespace series {
namespace {

using absorber::Outcome;

constexpr std::size_t inputCount = 5;
using Point = std::array<double, inputCount>;  // y1, x1, gasFlow, waterFlow, packingHeight

// The coefficient first, the NTU second.
// `celsius`: the temperature of the equilibrium point, none for the table's.
std::optional<ModelOutputs> modelAt(std::span<const double> x, std::optional<double> celsius)
{
    const absorber::Balance balance = balanceAt({x[0], x[1], x[2], x[3]}, celsius);
    if (balance.outcome != Outcome::completed)
        return std::nullopt;
    const std::optional<double> ntu = closedFormNtu(balance.limits);
    if (!ntu)
        return std::nullopt;
    const absorber::Coefficient coefficient = absorber::findMtc(x[4], *ntu, x[2]);
    if (coefficient.outcome != Outcome::completed)
        return std::nullopt;
    return ModelOutputs{coefficient.mtc, *ntu};
}

struct Nominal {
    Point x;
    Point u;
    ModelOutputs y;
    std::optional<double> celsius;
};

std::variant<Nominal, NotGiven> nominalOf(const Run& run, const Uncertainties& given, std::optional<double> celsius)
{
    if (!run.packingHeight)
        return NotGiven{{MessageKind::noPackingHeight}};
    const absorber::Balance balance = balanceAt(run.inputs, celsius);
    if (balance.outcome != Outcome::completed)
        return NotGiven{{MessageKind::runNotCompleted, {std::string(outcomeName(balance.outcome))}}};
    if (absorber::drivingForceChangesSign(balance.limits))
        return NotGiven{{MessageKind::drivingForceChanges}};
    const absorber::RunInputs& in = run.inputs;
    Nominal nominal{{in.y1, in.x1, in.gasFlow, in.waterFlow, *run.packingHeight}, {}, {}, celsius};
    const std::optional<ModelOutputs> y = modelAt(nominal.x, celsius);
    if (!y)
        return NotGiven{{MessageKind::noCoefficient}};
    nominal.y = *y;
    nominal.u = {std::fabs(given.y1.value_or(0.0)), std::fabs(given.x1.value_or(0.0)),
                 std::fabs(given.gasFlowRel.value_or(0.0) * in.gasFlow),
                 std::fabs(given.waterFlowRel.value_or(0.0) * in.waterFlow),
                 std::fabs(given.packingHeight.value_or(0.0))};
    bool any = false;
    for (const double u : nominal.u)
        any = any || u > 0.0;
    if (!any)
        return NotGiven{{MessageKind::noInputUncertainty}};
    return nominal;
}

std::optional<ModelOutputs> movedAlong(const Point& x, std::size_t input, double value, std::optional<double> celsius)
{
    Point moved = x;
    moved[input] = value;
    // The equilibrium point jumps at a band limit; the slope within the
    // run's own band is the one the first-order model stands for.
    if (input == 0 && absorber::lookupEquilibrium(value).x != absorber::lookupEquilibrium(x[0]).x)
        return std::nullopt;
    return modelAt(moved, celsius);
}

// d(mtc, ntu) / d x_i by central differences. A step of 1e-6 of the value
// (or of u where the value is smaller) leaves a truncation error near 1e-12
// and a rounding error near 1e-10 relative. Where one side has no value
// (a band limit, y1 at 0.3) the one-sided difference on the other is used.
std::optional<ModelOutputs> sensitivity(const Nominal& nominal, std::size_t input)
{
    const double x = nominal.x[input];
    const double h = 1e-6 * std::max(std::fabs(x), nominal.u[input]);
    const std::optional<ModelOutputs> up = movedAlong(nominal.x, input, x + h, nominal.celsius);
    const std::optional<ModelOutputs> down = movedAlong(nominal.x, input, x - h, nominal.celsius);
    ModelOutputs c{};
    for (std::size_t k = 0; k < c.size(); ++k) {
        if (up && down)
            c[k] = ((*up)[k] - (*down)[k]) / (2.0 * h);
        else if (up)
            c[k] = ((*up)[k] - nominal.y[k]) / h;
        else if (down)
            c[k] = (nominal.y[k] - (*down)[k]) / h;
        else
            return std::nullopt;
    }
    return c;
}

}  // namespace

Uncertainties merged(const Uncertainties& defaults, const Uncertainties& overrides)
{
    const auto pick = [](const std::optional<double>& over, const std::optional<double>& fallback) {
        return over ? over : fallback;
    };
    return {pick(overrides.gasFlowRel, defaults.gasFlowRel), pick(overrides.waterFlowRel, defaults.waterFlowRel),
            pick(overrides.y1, defaults.y1), pick(overrides.x1, defaults.x1),
            pick(overrides.packingHeight, defaults.packingHeight)};
}

std::optional<double> closedFormNtu(const absorber::IntegrationLimits& limits)
{
    if (absorber::drivingForceChangesSign(limits))
        return std::nullopt;
    const double a = 1.0 - limits.flowRatio * limits.flowFactor;
    const double b = limits.lowerLimit * limits.flowFactor;
    // (a upper + b) / (a lower + b) = 1 + a t: log1p keeps the digits where
    // a t is small, and t log1p(a t) / (a t) tends to t as a tends to 0.
    const double t = (limits.upperLimit - limits.lowerLimit) / (a * limits.lowerLimit + b);
    const double at = a * t;
    if (!(at > -1.0))
        return std::nullopt;
    const double ntu = at == 0.0 ? std::fabs(t) : std::fabs(t * (absorber::portableLog1p(at) / at));
    return std::isfinite(ntu) ? std::optional(ntu) : std::nullopt;
}

std::optional<double> coefficientOf(const absorber::RunInputs& inputs, double packingHeight,
                                    std::optional<double> celsius)
{
    const Point x{inputs.y1, inputs.x1, inputs.gasFlow, inputs.waterFlow, packingHeight};
    const std::optional<ModelOutputs> y = modelAt(x, celsius);
    return y ? std::optional((*y)[0]) : std::nullopt;
}

std::optional<ModelOutputs> coefficientAndNtuOf(const absorber::RunInputs& inputs, double packingHeight,
                                                std::optional<double> celsius)
{
    const Point x{inputs.y1, inputs.x1, inputs.gasFlow, inputs.waterFlow, packingHeight};
    return modelAt(x, celsius);
}

std::variant<Gum, NotGiven> gum(const Run& run, const Uncertainties& uncertainties, std::optional<double> celsius)
{
    const auto start = nominalOf(run, uncertainties, celsius);
    if (const auto* refused = std::get_if<NotGiven>(&start))
        return *refused;
    const Nominal& nominal = std::get<Nominal>(start);

    Gum result{nominal.y[0], 0.0, {}, nominal.y[1], 0.0};
    double variance = 0.0;
    double ntuVariance = 0.0;
    for (std::size_t i = 0; i < inputCount; ++i) {
        const std::optional<ModelOutputs> c = sensitivity(nominal, i);
        if (!c)
            return NotGiven{{MessageKind::noValueAroundInput}};
        const double contribution = (*c)[0] * nominal.u[i];
        variance += contribution * contribution;
        ntuVariance += ((*c)[1] * nominal.u[i]) * ((*c)[1] * nominal.u[i]);
        result.budget.push_back(
            {static_cast<Input>(i), nominal.x[i], nominal.u[i], (*c)[0], contribution * contribution});
    }
    result.u = std::sqrt(variance);
    result.uNtu = std::sqrt(ntuVariance);
    for (BudgetLine& line : result.budget)
        line.sharePercent = variance > 0.0 ? 100.0 * line.sharePercent / variance : 0.0;
    return result;
}

std::variant<MonteCarlo, NotGiven> monteCarloOf(const std::variant<Propagation, NotGiven>& propagated)
{
    if (const auto* refused = std::get_if<NotGiven>(&propagated))
        return *refused;
    const Propagation& p = std::get<Propagation>(propagated);
    const Summary& mtc = p.outputs[0];
    const Summary& ntu = p.outputs[1];
    return MonteCarlo{mtc.mean, mtc.u,    {mtc.low, mtc.high}, ntu.mean, ntu.u, {ntu.low, ntu.high},
                      p.draws,  p.failed, p.stabilised};
}

std::variant<MonteCarlo, NotGiven> monteCarlo(const Run& run, const Uncertainties& uncertainties, std::uint64_t seed,
                                              std::optional<double> celsius, std::atomic<bool>* cancel,
                                              std::atomic<std::size_t>* drawn, const AdaptiveSettings& settings)
{
    const auto start = nominalOf(run, uncertainties, celsius);
    if (const auto* refused = std::get_if<NotGiven>(&start))
        return *refused;
    const Nominal& nominal = std::get<Nominal>(start);

    std::array<NormalInput, inputCount> inputs{};
    for (std::size_t i = 0; i < inputCount; ++i)
        inputs[i] = {nominal.x[i], nominal.u[i]};
    const auto propagated = propagate(inputs, coefficientModel(celsius), seed, settings, cancel, drawn);
    return monteCarloOf(propagated);
}

RunUncertainty uncertaintyOf(const Run& run, const Uncertainties& defaults, std::optional<double> celsius,
                             std::atomic<bool>* cancel)
{
    const Uncertainties given = merged(defaults, run.uncertainty);
    return {gum(run, given, celsius), monteCarlo(run, given, uncertaintySeed, celsius, cancel)};
}

RunUncertainty uncertaintyOf(const Run& run, const Series& series, std::atomic<bool>* cancel)
{
    const std::optional<double> celsius = equilibriumTemperatureOf(run, series.equilibrium);
    if (!drawsReadings(run))
        return uncertaintyOf(run, series.uncertainty, celsius, cancel);
    const Uncertainties given = merged(series.uncertainty, run.uncertainty);
    return {readingsGum(run, given, series.flowUnit, celsius),
            readingsMonteCarlo(run, given, series.flowUnit, uncertaintySeed, celsius, cancel)};
}

std::string uncertaintyKey(const Run& run, const Uncertainties& defaults, std::optional<double> celsius,
                           std::string_view flowUnit)
{
    const Uncertainties u = merged(defaults, run.uncertainty);
    std::string key;
    for (const std::optional<double>& value :
         {std::optional(run.inputs.y1), std::optional(run.inputs.x1), std::optional(run.inputs.gasFlow),
          std::optional(run.inputs.waterFlow), run.packingHeight, u.gasFlowRel, u.waterFlowRel, u.y1, u.x1,
          u.packingHeight, celsius})
        key += value ? fmt::format("{:016x};", std::bit_cast<std::uint64_t>(*value)) : std::string("-;");
    if (!drawsReadings(run))
        return key;
    // The readings, bit for bit, and the unit they give the flows in.
    const auto add = [&key](std::optional<double> value) {
        key += value ? fmt::format("{:016x};", std::bit_cast<std::uint64_t>(*value)) : std::string("-;");
    };
    const Readings& r = *run.readings;
    key += "t;";
    if (const auto& t = r.titration) {
        for (const std::optional<double> value :
             {std::optional(t->sampleVolume), std::optional(t->acidMolarity), std::optional(t->acidVolume),
              std::optional(t->blankVolume), std::optional(double(t->protons)), t->baseMolarity, t->baseVolume,
              t->density, std::optional(t->temperature)})
            add(value);
    }
    for (const auto* meter : {&r.air, &r.ammonia, &r.water}) {
        key += "m;";
        if (!*meter)
            continue;
        const MeterReading& m = **meter;
        for (const double value : {m.value, double(int(m.unit)), m.temperature, m.pressure})
            add(value);
        for (const CalibrationPoint& point : m.calibration) {
            add(point.scale);
            add(point.flow);
        }
    }
    key += "u;";
    const ReadingUncertainties& ru = r.uncertainty;
    for (const std::optional<double> value : {ru.burette, ru.meterRel, ru.thermometer, ru.molarityRel, ru.pressure})
        add(value);
    key += flowUnit;
    return key;
}

bool drawsReadings(const Run& run)
{
    return run.readings && run.readings->uncertainty != ReadingUncertainties{};
}

bool hasUncertainty(const Run& run, const Uncertainties& defaults)
{
    if (drawsReadings(run))
        return true;
    const Uncertainties given = merged(defaults, run.uncertainty);
    for (const auto& u : {given.gasFlowRel, given.waterFlowRel, given.y1, given.x1, given.packingHeight}) {
        if (u.value_or(0.0) != 0.0)
            return true;
    }
    return false;
}

std::optional<std::vector<RunUncertainty>> uncertaintiesOf(const Series& series, unsigned jobs,
                                                           std::atomic<std::size_t>* done, std::stop_token stop)
{
    // A class's files repeat runs: each distinct run is computed once, and
    // `done` counts every run it stands for.
    std::vector<std::size_t> distinctOf(series.runs.size());
    std::vector<std::size_t> firsts;
    std::vector<std::size_t> counts;
    std::map<std::string, std::size_t> seen;
    for (std::size_t i = 0; i < series.runs.size(); ++i) {
        const Run& run = series.runs[i];
        const auto [at, added] = seen.emplace(
            uncertaintyKey(run, series.uncertainty, equilibriumTemperatureOf(run, series.equilibrium), series.flowUnit),
            firsts.size());
        if (added) {
            firsts.push_back(i);
            counts.push_back(0);
        }
        distinctOf[i] = at->second;
        ++counts[at->second];
    }
    std::vector<RunUncertainty> distinct(firsts.size());
    // A run's draws stop as soon as the stop is asked for, not only the
    // runs after it.
    std::atomic<bool> cancel{false};
    const std::stop_callback cancelDraws(stop, [&cancel] { cancel = true; });
    const bool finished = forEachIndex(firsts.size(), jobs, nullptr, stop, [&](std::size_t k) {
        const Run& run = series.runs[firsts[k]];
        distinct[k] = uncertaintyOf(run, series, &cancel);
        if (done)
            done->fetch_add(counts[k], std::memory_order_relaxed);
    });
    if (!finished)
        return std::nullopt;
    std::vector<RunUncertainty> results;
    results.reserve(series.runs.size());
    for (const std::size_t k : distinctOf)
        results.push_back(distinct[k]);
    return results;
}

}  // namespace series
