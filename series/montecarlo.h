#pragma once

// The adaptive Monte Carlo method of JCGM 101:2008 (7.9) over independent
// normal inputs, for any model of them. Reproducible: the same inputs,
// model and seed give the same bits on every machine.

#include "series/messages.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace series {

// Why an uncertainty or a fit could not be given.
struct NotGiven {
    Message reason;
};

struct NormalInput {
    double mean;
    double standardDeviation;  // 0 holds the input at its mean and draws nothing for it
};

// A model gives up to two outputs for one draw of the inputs, or nothing
// where it has no value there. The first output decides when the draws have
// stabilised; the second is summarised from the same draws.
using ModelOutputs = std::array<double, 2>;
using Model = std::function<std::optional<ModelOutputs>(std::span<const double> inputs)>;

// A model's values for a batch of draws: outputs[k][d] is output k of draw
// d, meaningful where given[d] is not 0.
struct BatchValues {
    std::array<std::vector<double>, 2> outputs;
    std::vector<unsigned char> given;
};

// A model evaluated for a whole batch at once, where a loop over the draws
// can vectorise: columns[i][d] is input i at draw d. Each draw's values must
// not depend on the batch it is in.
using BatchModel = std::function<BatchValues(std::span<const std::vector<double>> columns)>;

struct AdaptiveSettings {
    // JCGM 101 7.9.4 b): M = max(100 / (1 - p), 10^4) for p = 0.95.
    std::size_t batchSize = 10000;
    // Stops the draws even when not stabilised; all draws are kept, so this
    // also bounds the memory.
    std::size_t maxDraws = 10000000;
    // The significant digits of u that the draws must settle (7.9.2).
    int significantDigits = 2;
};

// An output's estimate, standard uncertainty and probabilistically
// symmetric 95 % coverage interval.
struct Summary {
    double mean = 0.0;
    double u = 0.0;
    double low = 0.0;
    double high = 0.0;
};

struct Propagation {
    std::array<Summary, 2> outputs{};
    std::size_t draws = 0;    // every draw made, those without a value included
    std::size_t failed = 0;   // draws where the model had no value
    bool stabilised = false;  // false when maxDraws stopped the draws first
};

// Draws batches until twice the standard deviation of the batches' means,
// standard uncertainties and interval ends of the first output is within
// the numerical tolerance of its u (7.9.4), then summarises all draws.
// Not given when more than 1 % of the draws so far have no value, judged
// after each batch, or once `cancel` is set (cancelled). `drawn`
// (optional) counts the draws made, for a progress bar.
std::variant<Propagation, NotGiven> propagate(std::span<const NormalInput> inputs, const BatchModel& model,
                                              std::uint64_t seed, const AdaptiveSettings& settings = {},
                                              std::atomic<bool>* cancel = nullptr,
                                              std::atomic<std::size_t>* drawn = nullptr);

// The same for a model of one draw, evaluated draw by draw.
std::variant<Propagation, NotGiven> propagate(std::span<const NormalInput> inputs, const Model& model,
                                              std::uint64_t seed, const AdaptiveSettings& settings = {},
                                              std::atomic<bool>* cancel = nullptr,
                                              std::atomic<std::size_t>* drawn = nullptr);

// JCGM 101 7.9.2: with u written as c x 10^l, c an integer of `digits`
// digits, the tolerance is 10^l / 2. 0 for u = 0 or u not finite.
double numericalTolerance(double u, int digits);

}  // namespace series
