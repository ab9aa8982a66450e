#pragma once

// The standard uncertainty of a run's mass-transfer coefficient and NTU from
// those of its inputs: first-order propagation (JCGM 100, the GUM) and the
// adaptive Monte Carlo method (JCGM 101). Both evaluate the NTU in closed
// form, never the 1,000,000-step sum, which the closed form matches to
// about 1e-6.

#include "core/absorber.h"
#include "series/montecarlo.h"
#include "series/series.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <stop_token>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace series {

// A run's overrides on top of the series' defaults: each key the run has
// replaces the default.
Uncertainties merged(const Uncertainties& defaults, const Uncertainties& overrides);

// The integral the NTU sum approximates, of dY / |a Y + b| from lowerLimit
// to upperLimit with a = 1 - flowRatio flowFactor, b = lowerLimit flowFactor:
// |ln((a upper + b) / (a lower + b)) / a|, and |upper - lower| / |b| at a = 0.
// Empty where a Y + b changes sign between the limits or is 0 at one.
std::optional<double> closedFormNtu(const absorber::IntegrationLimits& limits);

// closeBalance, closedFormNtu, then findMtc: empty where any of them has no
// value. `celsius` is the temperature of the equilibrium point (balanceAt),
// none for the table's; the same for every function below that takes it.
std::optional<double> coefficientOf(const absorber::RunInputs& inputs, double packingHeight,
                                    std::optional<double> celsius = std::nullopt);

// The same, the coefficient first and the NTU second.
std::optional<ModelOutputs> coefficientAndNtuOf(const absorber::RunInputs& inputs, double packingHeight,
                                                std::optional<double> celsius);

enum class Input { y1, x1, gasFlow, waterFlow, packingHeight };

struct BudgetLine {
    Input input;  // meaningful only for a typed input, without `reading`
    double value;
    double uncertainty;                             // standard, absolute
    double sensitivity;                             // d mtc / d input
    double sharePercent;                            // of the coefficient's variance
    std::optional<Reading> reading = std::nullopt;  // a reading of the run's, carried through its conversions
};

// The coefficient and NTU at the run's values with their first-order
// standard uncertainties, and the coefficient's budget in the order of Input.
struct Gum {
    double mtc;
    double u;
    std::vector<BudgetLine> budget;
    double ntu;
    double uNtu;
};

// Not given when the run has no height, does not complete, its driving
// force changes sign, no input has an uncertainty, or the coefficient has
// no value on either side of an input.
std::variant<Gum, NotGiven> gum(const Run& run, const Uncertainties& uncertainties,
                                std::optional<double> celsius = std::nullopt);

struct Interval {
    double low;
    double high;
};

struct MonteCarlo {
    double mtc;  // the average of the draws
    double u;
    Interval interval;  // probabilistically symmetric, 95 %
    double ntu;
    double uNtu;
    Interval ntuInterval;
    std::size_t draws;
    std::size_t failedDraws;  // where the closed form or the coefficient had no value
    bool stabilised;          // false when the largest number of draws stopped them
};

// The coefficient's and the NTU's results of a propagation whose outputs
// are the coefficient and the NTU, in that order; a refusal as it came.
std::variant<MonteCarlo, NotGiven> monteCarloOf(const std::variant<Propagation, NotGiven>& propagated);

// Normal inputs, drawn by the adaptive method until u(mtc) is settled to
// two significant digits. Not given as for gum, when more than 1 % of the
// draws have no value, or once `cancel` is set (cancelled). The same run,
// uncertainties and seed give the same bits on every machine.
std::variant<MonteCarlo, NotGiven> monteCarlo(const Run& run, const Uncertainties& uncertainties, std::uint64_t seed,
                                              std::optional<double> celsius = std::nullopt,
                                              std::atomic<bool>* cancel = nullptr,
                                              std::atomic<std::size_t>* drawn = nullptr,
                                              const AdaptiveSettings& settings = {});

// What a series shows of a run's uncertainty: the budget of the first-order
// propagation, and the Monte Carlo result for U = 2 u and the interval.
struct RunUncertainty {
    std::variant<Gum, NotGiven> gum = NotGiven{{MessageKind::notComputed}};
    std::variant<MonteCarlo, NotGiven> monteCarlo = NotGiven{{MessageKind::notComputed}};
};

// U = k u for a coverage of about 95 %.
inline constexpr double coverageFactor = 2.0;

// The seed every front end draws a run's Monte Carlo result with, so that a
// run shows the same digits wherever and whenever it is computed.
inline constexpr std::uint64_t uncertaintySeed = 20261208;

// Both methods for a run, with the series' defaults under its overrides.
// Its readings' uncertainties are not looked at: see the overload below.
RunUncertainty uncertaintyOf(const Run& run, const Uncertainties& defaults,
                             std::optional<double> celsius = std::nullopt, std::atomic<bool>* cancel = nullptr);

// Both methods for a run of the series, at its equilibrium temperature under
// the series' option: from its readings where they have uncertainties
// (drawsReadings), from its inputs as above otherwise.
RunUncertainty uncertaintyOf(const Run& run, const Series& series, std::atomic<bool>* cancel = nullptr);

// What a run's uncertainty depends on, as text: its inputs, its height and
// its uncertainties merged with the series' and the temperature of its
// equilibrium point (equilibriumTemperatureOf), each bit for bit (0 and -0
// differ, an absent value differs from every number). Runs with the same key
// have the same uncertainty; the window's threads and the page's worker keep
// their results by it, so that undoing a change finds the earlier result.
// A run whose readings have uncertainties adds its readings and the flow
// unit they are converted to.
std::string uncertaintyKey(const Run& run, const Uncertainties& defaults, std::optional<double> celsius = std::nullopt,
                           std::string_view flowUnit = {});

// Whether the run's uncertainty comes from its readings': it has readings
// and an uncertainty of them is given.
bool drawsReadings(const Run& run);

// Whether any input of the run has an uncertainty, after merging, or its
// readings have one.
bool hasUncertainty(const Run& run, const Uncertainties& defaults);

// uncertaintyOf for every run of the series, in order, each at its
// equilibrium temperature under the series' option, on `jobs` threads as
// computeRuns does; `done` counts finished runs; std::nullopt once `stop` is
// requested.
std::optional<std::vector<RunUncertainty>> uncertaintiesOf(const Series& series, unsigned jobs,
                                                           std::atomic<std::size_t>* done = nullptr,
                                                           std::stop_token stop = {});

}  // namespace series
