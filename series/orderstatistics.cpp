#include "series/orderstatistics.h"

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

// Counts and keeps without a branch per value, for both brackets in one
// pass: the comparisons are as often true as false near a bracket's ends.
void gather(std::array<Bracket, 2>& brackets, std::span<const double> values)
{
    auto& [first, second] = brackets;
    const std::size_t firstLast = first.kept.size() - 1;
    const std::size_t secondLast = second.kept.size() - 1;
    for (const double value : values) {
        first.below += value < first.low ? 1 : 0;
        first.kept[std::min(first.inside, firstLast)] = value;
        first.inside += value >= first.low && value <= first.high ? 1 : 0;
        second.below += value < second.low ? 1 : 0;
        second.kept[std::min(second.inside, secondLast)] = value;
        second.inside += value >= second.low && value <= second.high ? 1 : 0;
    }
}

bool holds(const Bracket& bracket, std::size_t rank)
{
    return bracket.inside <= bracket.kept.size() && bracket.below <= rank && rank < bracket.below + bracket.inside;
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
