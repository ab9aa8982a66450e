#include "series/montecarlo.h"

#include "series/random.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace series {
namespace {

// Sums in draw order, never in parallel, so that the digits do not depend
// on how many threads there were.
Summary summarise(std::span<const double> values)
{
    Summary summary;
    const std::size_t n = values.size();
    if (n == 0)
        return summary;
    double sum = 0.0;
    for (const double value : values)
        sum += value;
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
    std::vector<double> sorted(values.begin(), values.end());
    const auto lowAt = sorted.begin() + static_cast<std::ptrdiff_t>(r - 1);
    const auto highAt = sorted.begin() + static_cast<std::ptrdiff_t>(std::min(n, r + q) - 1);
    std::nth_element(sorted.begin(), lowAt, sorted.end());
    summary.low = *lowAt;
    std::nth_element(lowAt + 1, highAt, sorted.end());
    summary.high = *highAt;
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

std::variant<Propagation, NotGiven> propagate(std::span<const NormalInput> inputs, const Model& model,
                                              std::uint64_t seed, const AdaptiveSettings& settings,
                                              std::atomic<bool>* cancel, std::atomic<std::size_t>* drawn)
{
    NormalDraws normal(seed);
    std::vector<double> x(inputs.size());
    std::array<std::vector<double>, 2> values;
    // Per batch: the first output's mean, u, low and high ends.
    std::array<std::vector<double>, 4> batchStatistics;
    Propagation result;
    // Welford's running mean and sum of squares of the first output, for the
    // tolerance after each batch without going over all draws again.
    double runningMean = 0.0;
    double runningSquares = 0.0;

    while (result.draws + settings.batchSize <= settings.maxDraws) {
        if (cancel && cancel->load(std::memory_order_relaxed))
            return NotGiven{{MessageKind::cancelled}};
        const std::size_t batchStart = values[0].size();
        for (std::size_t draw = 0; draw < settings.batchSize; ++draw) {
            for (std::size_t i = 0; i < inputs.size(); ++i) {
                x[i] = inputs[i].mean;
                if (inputs[i].standardDeviation != 0.0)
                    x[i] = inputs[i].mean + inputs[i].standardDeviation * normal.next();
            }
            const std::optional<ModelOutputs> y = model(x);
            if (!y) {
                ++result.failed;
                continue;
            }
            values[0].push_back((*y)[0]);
            values[1].push_back((*y)[1]);
            const double delta = (*y)[0] - runningMean;
            runningMean += delta / static_cast<double>(values[0].size());
            runningSquares += delta * ((*y)[0] - runningMean);
        }
        result.draws += settings.batchSize;
        if (drawn)
            drawn->store(result.draws, std::memory_order_relaxed);
        if (result.failed * 100 > result.draws) {
            return NotGiven{{MessageKind::tooManyFailedDraws, {}, {result.failed, result.draws}}};
        }

        const Summary batch = summarise(std::span(values[0]).subspan(batchStart));
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
    result.outputs[0] = summarise(values[0]);
    result.outputs[1] = summarise(values[1]);
    return result;
}

}  // namespace series
