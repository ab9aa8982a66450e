#include "series/montecarlo.h"

#include "series/orderstatistics.h"
#include "series/random.h"

#include "core/widevectors.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace series {
namespace {

constexpr std::size_t lanes = 8;

// The sum of values[0 .. n) minus `from`, and of their squares, each added
// up in eight lanes (value j to lane j mod 8) that are then added pairwise:
// a fixed order whatever the vector width, so that the bits are the same.
struct Sums {
    double deviations;
    double squares;
};

QUILLON_WIDE_VECTORS Sums sumsOf(const double* __restrict values, std::size_t n, double from)
{
    double deviations[lanes] = {};
    double squares[lanes] = {};
    std::size_t i = 0;
    for (; i + lanes <= n; i += lanes) {
        for (std::size_t k = 0; k < lanes; ++k) {
            const double d = values[i + k] - from;
            deviations[k] += d;
            squares[k] += d * d;
        }
    }
    for (std::size_t k = 0; i + k < n; ++k) {
        const double d = values[i + k] - from;
        deviations[k] += d;
        squares[k] += d * d;
    }
    const auto pairwise = [](const double(&lane)[lanes]) {
        return ((lane[0] + lane[1]) + (lane[2] + lane[3])) + ((lane[4] + lane[5]) + (lane[6] + lane[7]));
    };
    return {pairwise(deviations), pairwise(squares)};
}

// Count, mean and sum of squared deviations from it of some values.
struct Moments {
    std::size_t count = 0;
    double mean = 0.0;
    double squares = 0.0;
};

// One pass about the first value, near enough to the mean that the sum of
// squares loses next to nothing when the deviations' sum is taken out.
Moments momentsOf(std::span<const double> values)
{
    const std::size_t n = values.size();
    if (n == 0)
        return {};
    const double shift = values[0];
    const Sums about = sumsOf(values.data(), n, shift);
    const double count = static_cast<double>(n);
    const double squares = about.squares - about.deviations * (about.deviations / count);
    return {n, shift + about.deviations / count, std::max(0.0, squares)};
}

// Chan, Golub and LeVeque's pairwise update: the moments of both sets of
// values together.
Moments combined(const Moments& a, const Moments& b)
{
    if (a.count == 0)
        return b;
    if (b.count == 0)
        return a;
    const double na = static_cast<double>(a.count);
    const double nb = static_cast<double>(b.count);
    const double n = na + nb;
    const double delta = b.mean - a.mean;
    return {a.count + b.count, a.mean + delta * (nb / n), a.squares + b.squares + delta * delta * (na * nb / n)};
}

double uncertaintyOf(const Moments& m)
{
    return m.count > 1 ? std::sqrt(m.squares / static_cast<double>(m.count - 1)) : 0.0;
}

// The estimate and u from the moments, and the interval by selection.
Summary summarise(std::span<const double> values, const Moments& moments)
{
    Summary summary;
    const std::size_t n = values.size();
    if (n == 0)
        return summary;
    summary.mean = moments.mean;
    summary.u = uncertaintyOf(moments);
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

// Both outputs of the given draws, in draw order. Kept from call to call
// on each thread, so that a run's draws neither fault fresh pages in nor
// copy them as they grow; more than `keptAtMost` draws are let go after.
class DrawnValues {
public:
    static DrawnValues& ofThisThread()
    {
        thread_local DrawnValues kept;
        kept.count_ = 0;
        kept.letGoOfMany();
        return kept;
    }

    ~DrawnValues() = default;
    DrawnValues(const DrawnValues&) = delete;
    DrawnValues& operator=(const DrawnValues&) = delete;

    // The given draws of a batch appended without a branch per draw;
    // returns how many were given.
    std::size_t append(const BatchValues& y, std::size_t batchSize)
    {
        if (values_[0].size() < count_ + batchSize) {
            const std::size_t size = std::max(2 * values_[0].size(), count_ + batchSize);
            for (std::vector<double>& output : values_)
                output.resize(size);
        }
        double* first = values_[0].data() + count_;
        double* second = values_[1].data() + count_;
        std::size_t n = 0;
        for (std::size_t draw = 0; draw < batchSize; ++draw) {
            first[n] = y.outputs[0][draw];
            second[n] = y.outputs[1][draw];
            n += y.given[draw] != 0 ? 1 : 0;
        }
        count_ += n;
        return n;
    }

    std::size_t size() const { return count_; }
    std::span<const double> output(std::size_t k) const { return std::span(values_[k]).first(count_); }

    void letGoOfMany()
    {
        if (values_[0].size() > keptAtMost)
            values_ = {};
    }

private:
    static constexpr std::size_t keptAtMost = std::size_t{1} << 21;

    DrawnValues() = default;

    std::array<std::vector<double>, 2> values_;
    std::size_t count_ = 0;
};

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
    // normal draw; each of the others takes the next batchSize draws in
    // input order, its own column of the batch.
    std::vector<std::vector<double>> columns;
    for (const NormalInput& input : inputs)
        columns.emplace_back(batchSize, input.mean);
    DrawnValues& values = DrawnValues::ofThisThread();
    // Per batch: the first output's mean, u, low and high ends.
    std::array<std::vector<double>, 4> batchStatistics;
    Propagation result;
    // Both outputs' moments over all draws so far, batch by batch.
    std::array<Moments, 2> totals;

    while (result.draws + batchSize <= settings.maxDraws) {
        if (cancel && cancel->load(std::memory_order_relaxed))
            return NotGiven{{MessageKind::cancelled}};
        for (std::size_t i = 0; i < inputs.size(); ++i) {
            if (inputs[i].standardDeviation == 0.0)
                continue;
            std::vector<double>& column = columns[i];
            normal.fill(column);
            for (double& x : column)
                x = inputs[i].mean + inputs[i].standardDeviation * x;
        }
        const BatchValues y = model(columns);
        const std::size_t batchStart = values.size();
        const std::size_t given = values.append(y, batchSize);
        result.failed += batchSize - given;
        result.draws += batchSize;
        if (drawn)
            drawn->store(result.draws, std::memory_order_relaxed);
        if (result.failed * 100 > result.draws) {
            return NotGiven{{MessageKind::tooManyFailedDraws, {}, {result.failed, result.draws}}};
        }

        std::array<Moments, 2> batch;
        for (std::size_t k = 0; k < batch.size(); ++k) {
            batch[k] = momentsOf(values.output(k).subspan(batchStart));
            totals[k] = combined(totals[k], batch[k]);
        }
        const Summary first = summarise(values.output(0).subspan(batchStart), batch[0]);
        batchStatistics[0].push_back(first.mean);
        batchStatistics[1].push_back(first.u);
        batchStatistics[2].push_back(first.low);
        batchStatistics[3].push_back(first.high);
        if (batchStatistics[0].size() < 2)
            continue;
        const double tolerance = numericalTolerance(uncertaintyOf(totals[0]), settings.significantDigits);
        const bool settled = std::all_of(batchStatistics.begin(), batchStatistics.end(),
                                         [tolerance](const auto& s) { return 2.0 * spreadOfAverage(s) <= tolerance; });
        if (settled) {
            result.stabilised = true;
            break;
        }
    }
    if (values.size() == 0)
        return NotGiven{{MessageKind::noDraw}};
    result.outputs[0] = summarise(values.output(0), totals[0]);
    result.outputs[1] = summarise(values.output(1), totals[1]);
    values.letGoOfMany();
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
