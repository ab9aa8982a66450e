#include "series/file.h"

#include <bit>
#include <cstdint>

namespace series {
namespace {

std::string textOf(const std::optional<double>& value)
{
    return value ? exactText(*value) : std::string();
}

std::string textOf(const std::optional<absorber::Outcome>& outcome)
{
    return outcome ? std::string(outcomeName(*outcome)) : std::string();
}

bool same(const std::optional<double>& a, const std::optional<double>& b)
{
    return a.has_value() == b.has_value()
        && (!a || std::bit_cast<std::uint64_t>(*a) == std::bit_cast<std::uint64_t>(*b));
}

bool nothingStored(const StoredResults& stored)
{
    return !stored.outcome && !stored.eqX && !stored.eqY && !stored.y2 && !stored.ntu && !stored.mtc;
}

}  // namespace

std::vector<Difference> compareResults(std::span<const StoredResults> stored, std::span<const RunResult> computed)
{
    std::vector<Difference> differences;
    for (std::size_t run = 0; run < stored.size() && run < computed.size(); ++run) {
        const StoredResults& was = stored[run];
        const RunResult& now = computed[run];
        for (const StoredResults::ReadInput& input : was.readInputs) {
            if (input.stored && !same(input.stored, input.given))
                differences.push_back({run, input.field, textOf(input.stored), exactText(input.given), true});
        }
        if (nothingStored(was))
            continue;
        if (was.outcome != now.outcome)
            differences.push_back({run, "outcome", textOf(was.outcome), std::string(outcomeName(now.outcome)), false});
        const auto point = now.balance.point;
        const struct {
            const char* field;
            std::optional<double> stored, computed;
        } values[] = {
            {"eq_x", was.eqX, point ? std::optional(point->x) : std::nullopt},
            {"eq_y", was.eqY, point ? std::optional(point->y) : std::nullopt},
            {"y2", was.y2, now.balance.y2},
            {"ntu", was.ntu, now.ntu},
            {"mtc", was.mtc, now.mtc},
        };
        for (const auto& value : values) {
            if (!same(value.stored, value.computed))
                differences.push_back({run, value.field, textOf(value.stored), textOf(value.computed), false});
        }
    }
    return differences;
}

}  // namespace series
