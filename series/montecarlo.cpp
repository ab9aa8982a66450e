#include "series/montecarlo.h"

#include "series/orderstatistics.h"
#include "series/random.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace series {
namespace {

// Sums in draw order, never in parallel, so that the digits do not depend
// on how many threads there were. `sum` is the values' sum in that order,
// added up as they were drawn.
Summary summarise(std::span<const double> values, double sum)
{
    Summary summary;
    const std::size_t n = values.size();
    if (n == 0)
        return summary;
    summary.mean = sum / static_cast<double>(n);
    double squares = 0.0;
    for (const double value : values)
        squares += (value - summary.mean) * (value - summary.mean);
    summary.u = n > 1 ? std::sqrt(squares / static_cast<double>(n - 1)) : 0.0;

    // JCGM 101 7.7.2 with p = 0.95: q = pM rounded, the interval is
    // [y(r), y(r + q)] with r = (M - q) / 2, or (M - q + 1) / 2 when M - q
    // is odd. Counted in integers so that no rounding of p M enters.
    const std::size_t q = (n * 95 + 50) / 100;
    const std::size_t r = std::max<std::size_t>(1, (n - q + 1) / 2);
    const auto [low, high] = valuesAtRanks(values, r - 1, std::min(n, r + q) - 1);
    summary.low = low;
    summary.high = high;
    return summary;
}

// The standard deviation of the average of h batch values (7.9.4 f).
double spreadOfAverage(const std::vector<double>& values)
{
    const double h = static_cast<double>(values.size());
    double sum = 0.0;
    for (const double value : values)
        sum += value;
    const double mean = sum / h;
    double squares = 0.0;
    for (const double value : values)
        squares += (value - mean) * (value - mean);
    return std::sqrt(squares / (h * (h - 1.0)));
}

}  // namespace

double numericalTolerance(double u, int digits)
{
    if (!(u > 0.0) || !std::isfinite(u))
        return 0.0;
    double least = 1.0;
    for (int i = 1; i < digits; ++i)
        least *= 10.0;
    const double most = least * 10.0;
    int l = 0;
    double c = u;
    while (c >= most) {
        c /= 10.0;
        ++l;
    }
    while (c < least) {
        c *= 10.0;
        --l;
    }
    // 10^|l| is exact up to 10^22, so the tolerance rounds once.
    double power = 1.0;
    for (int i = 0; i < std::abs(l); ++i)
        power *= 10.0;
    return l >= 0 ? 0.5 * power : 0.5 / power;
}

std::variant<Propagation, NotGiven> propagate(std::span<const NormalInput> inputs, const BatchModel& model,
                                              std::uint64_t seed, const AdaptiveSettings& settings,
                                              std::atomic<bool>* cancel, std::atomic<std::size_t>* drawn)
{
    NormalDraws normal(seed);
    const std::size_t batchSize = settings.batchSize;
    // An input without spread keeps its mean in every draw and takes no
    // normal draw; the others take theirs in input order, draw by draw.
    std::vector<std::vector<double>> columns;
    std::vector<std::size_t> spread;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        columns.emplace_back(batchSize, inputs[i].mean);
        if (inputs[i].standardDeviation != 0.0)
            spread.push_back(i);
    }
    std::vector<double> normals(batchSize * spread.size());
    std::array<std::vector<double>, 2> values;
    // Per batch: the first output's mean, u, low and high ends.
    std::array<std::vector<double>, 4> batchStatistics;
    Propagation result;
    // Welford's running mean and sum of squares of the first output, for the
    // tolerance after each batch without going over all draws again.
    double runningMean = 0.0;
    double runningSquares = 0.0;
    // Both outputs' sums over all draws, in draw order.
    std::array<double, 2> totals{0.0, 0.0};

    while (result.draws + batchSize <= settings.maxDraws) {
        if (cancel && cancel->load(std::memory_order_relaxed))
            return NotGiven{{MessageKind::cancelled}};
        normal.fill(normals);
        for (std::size_t k = 0; k < spread.size(); ++k) {
            const NormalInput& input = inputs[spread[k]];
            std::vector<double>& column = columns[spread[k]];
            for (std::size_t draw = 0; draw < batchSize; ++draw)
                column[draw] = input.mean + input.standardDeviation * normals[draw * spread.size() + k];
        }
        const BatchValues y = model(columns);
        const std::size_t batchStart = values[0].size();
        double batchSum = 0.0;
        // The sums run beside Welford's division, which sets the pace.
        for (std::size_t draw = 0; draw < batchSize; ++draw) {
            if (!y.given[draw]) {
                ++result.failed;
                continue;
            }
            const double first = y.outputs[0][draw];
            const double second = y.outputs[1][draw];
            values[0].push_back(first);
            values[1].push_back(second);
            batchSum += first;
            totals[0] += first;
            totals[1] += second;
            const double delta = first - runningMean;
            runningMean += delta / static_cast<double>(values[0].size());
            runningSquares += delta * (first - runningMean);
        }
        result.draws += settings.batchSize;
        if (drawn)
            drawn->store(result.draws, std::memory_order_relaxed);
        if (result.failed * 100 > result.draws) {
            return NotGiven{{MessageKind::tooManyFailedDraws, {}, {result.failed, result.draws}}};
        }

        const Summary batch = summarise(std::span(values[0]).subspan(batchStart), batchSum);
        batchStatistics[0].push_back(batch.mean);
        batchStatistics[1].push_back(batch.u);
        batchStatistics[2].push_back(batch.low);
        batchStatistics[3].push_back(batch.high);
        if (batchStatistics[0].size() < 2)
            continue;
        const double u = std::sqrt(runningSquares / static_cast<double>(values[0].size() - 1));
        const double tolerance = numericalTolerance(u, settings.significantDigits);
        const bool settled = std::all_of(batchStatistics.begin(), batchStatistics.end(),
                                         [tolerance](const auto& s) { return 2.0 * spreadOfAverage(s) <= tolerance; });
        if (settled) {
            result.stabilised = true;
            break;
        }
    }
    if (values[0].empty())
        return NotGiven{{MessageKind::noDraw}};
    result.outputs[0] = summarise(values[0], totals[0]);
    result.outputs[1] = summarise(values[1], totals[1]);
    return result;
}

std::variant<Propagation, NotGiven> propagate(std::span<const NormalInput> inputs, const Model& model,
                                              std::uint64_t seed, const AdaptiveSettings& settings,
                                              std::atomic<bool>* cancel, std::atomic<std::size_t>* drawn)
{
    const BatchModel drawByDraw = [&model,
                                   batchSize = settings.batchSize](std::span<const std::vector<double>> columns) {
        BatchValues y{{std::vector<double>(batchSize), std::vector<double>(batchSize)},
                      std::vector<unsigned char>(batchSize)};
        std::vector<double> x(columns.size());
        for (std::size_t draw = 0; draw < batchSize; ++draw) {
            for (std::size_t i = 0; i < columns.size(); ++i)
                x[i] = columns[i][draw];
            if (const std::optional<ModelOutputs> outputs = model(x)) {
                y.outputs[0][draw] = (*outputs)[0];
                y.outputs[1][draw] = (*outputs)[1];
                y.given[draw] = 1;
            }
        }
        return y;
    };
    return propagate(inputs, drawByDraw, seed, settings, cancel, drawn);
}

}  // namespace series
