#include "series/orderstatistics.h"

#include "core/widevectors.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace series {
namespace {

std::array<double, 2> bySelection(std::span<const double> values, std::size_t first, std::size_t second)
{
    std::vector<double> copy(values.begin(), values.end());
    const auto firstAt = copy.begin() + static_cast<std::ptrdiff_t>(first);
    std::nth_element(copy.begin(), firstAt, copy.end());
    if (second == first)
        return {*firstAt, *firstAt};
    const auto secondAt = copy.begin() + static_cast<std::ptrdiff_t>(second);
    std::nth_element(firstAt + 1, secondAt, copy.end());
    return {*firstAt, *secondAt};
}

// The values between two of the sample's, which hold a rank unless the
// sample misled: then the caller selects over all values.
struct Bracket {
    double low;
    double high;
    std::size_t below = 0;
    std::size_t inside = 0;
    // Room for three times the values the bracket should hold; more means
    // the sample misled.
    std::span<double> kept;
};

Bracket bracketOf(const std::vector<double>& sorted, std::size_t rank, std::size_t count, std::vector<double>& room)
{
    const double m = static_cast<double>(sorted.size());
    const double p = static_cast<double>(rank) / static_cast<double>(count);
    // Four standard deviations of the rank's place in the sample, and two
    // more for the ends: the bracket misses about once in 10^4 calls.
    const double margin = 4.0 * std::sqrt(m * p * (1.0 - p)) + 2.0;
    const double at = p * m;
    const double lowAt = std::floor(at - margin);
    const double highAt = std::ceil(at + margin);
    constexpr double infinity = std::numeric_limits<double>::infinity();
    const double wanted = 3.0 * (highAt - lowAt + 1.0) / m * static_cast<double>(count) + 64.0;
    const std::size_t size = std::min(count, static_cast<std::size_t>(wanted));
    room.resize(std::max(room.size(), size));
    return {lowAt < 0.0 ? -infinity : sorted[static_cast<std::size_t>(lowAt)],
            highAt >= m ? infinity : sorted[static_cast<std::size_t>(highAt)], 0, 0, std::span(room).first(size)};
}

// The values below each bracket and inside it, counted in a loop that
// vectorises.
struct Counts {
    std::size_t below;
    std::size_t inside;
};

QUILLON_WIDE_VECTORS std::array<Counts, 2> countsOf(const double* __restrict values, std::size_t n,
                                                    std::array<double, 4> ends)
{
    std::size_t firstBelow = 0;
    std::size_t firstInside = 0;
    std::size_t secondBelow = 0;
    std::size_t secondInside = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double value = values[i];
        firstBelow += value < ends[0] ? 1 : 0;
        firstInside += static_cast<std::size_t>(value >= ends[0]) & static_cast<std::size_t>(value <= ends[1]);
        secondBelow += value < ends[2] ? 1 : 0;
        secondInside += static_cast<std::size_t>(value >= ends[2]) & static_cast<std::size_t>(value <= ends[3]);
    }
    return {{{firstBelow, firstInside}, {secondBelow, secondInside}}};
}

// Counts, then keeps the values inside each bracket where it has room for
// them and one more: each value is written at the next free place, which
// moves on only where the value is inside, so that no branch is taken.
void gather(std::array<Bracket, 2>& brackets, std::span<const double> values)
{
    auto& [first, second] = brackets;
    const auto counts = countsOf(values.data(), values.size(), {first.low, first.high, second.low, second.high});
    first.below = counts[0].below;
    first.inside = counts[0].inside;
    second.below = counts[1].below;
    second.inside = counts[1].inside;
    if (first.inside >= first.kept.size() || second.inside >= second.kept.size())
        return;
    double* const firstKept = first.kept.data();
    double* const secondKept = second.kept.data();
    std::size_t firstAt = 0;
    std::size_t secondAt = 0;
    for (const double value : values) {
        firstKept[firstAt] = value;
        firstAt += static_cast<std::size_t>(value >= first.low) & static_cast<std::size_t>(value <= first.high);
        secondKept[secondAt] = value;
        secondAt += static_cast<std::size_t>(value >= second.low) & static_cast<std::size_t>(value <= second.high);
    }
}

bool holds(const Bracket& bracket, std::size_t rank)
{
    return bracket.inside < bracket.kept.size() && bracket.below <= rank && rank < bracket.below + bracket.inside;
}

double selected(Bracket& bracket, std::size_t rank)
{
    const auto begin = bracket.kept.begin();
    const auto at = begin + static_cast<std::ptrdiff_t>(rank - bracket.below);
    std::nth_element(begin, at, begin + static_cast<std::ptrdiff_t>(bracket.inside));
    return *at;
}

}  // namespace

std::array<double, 2> valuesAtRanks(std::span<const double> values, std::size_t first, std::size_t second)
{
    const std::size_t n = values.size();
    // Below a few thousand values a selection over all is as quick.
    if (n < 4096)
        return bySelection(values, first, second);
    // A sorted sample of evenly spaced values brackets each rank; one pass
    // counts the values below each bracket and keeps those inside it.
    const std::size_t sampleSize = std::clamp<std::size_t>(n / 128, 64, 4096);
    const std::size_t stride = n / sampleSize;
    std::vector<double> sample(sampleSize);
    for (std::size_t j = 0; j < sampleSize; ++j)
        sample[j] = values[j * stride];
    std::sort(sample.begin(), sample.end());
    // Kept from call to call, neither allocated nor cleared each time.
    thread_local std::array<std::vector<double>, 2> rooms;
    std::array<Bracket, 2> brackets{bracketOf(sample, first, n, rooms[0]), bracketOf(sample, second, n, rooms[1])};
    gather(brackets, values);
    if (!holds(brackets[0], first) || !holds(brackets[1], second))
        return bySelection(values, first, second);
    return {selected(brackets[0], first), selected(brackets[1], second)};
}

}  // namespace series
