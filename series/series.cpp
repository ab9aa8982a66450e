#include "series/series.h"

#include <fmt/format.h>

#include <array>
#include <bit>
#include <cstdint>

namespace series {
namespace {

bool sameBits(double a, double b)
{
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

bool sameBits(const std::optional<double>& a, const std::optional<double>& b)
{
    return a.has_value() == b.has_value() && (!a || sameBits(*a, *b));
}

bool sameBits(const Uncertainties& a, const Uncertainties& b)
{
    return sameBits(a.gasFlowRel, b.gasFlowRel) && sameBits(a.waterFlowRel, b.waterFlowRel) && sameBits(a.y1, b.y1)
        && sameBits(a.x1, b.x1) && sameBits(a.packingHeight, b.packingHeight);
}

bool identicalRuns(const Run& a, const Run& b)
{
    return sameBits(a.inputs.y1, b.inputs.y1) && sameBits(a.inputs.x1, b.inputs.x1)
        && sameBits(a.inputs.gasFlow, b.inputs.gasFlow) && sameBits(a.inputs.waterFlow, b.inputs.waterFlow)
        && sameBits(a.packingHeight, b.packingHeight) && a.label == b.label && a.excluded == b.excluded
        && a.included == b.included && sameBits(a.uncertainty, b.uncertainty) && a.unknownKeys == b.unknownKeys
        && sameBits(a.temperature, b.temperature) && a.readings == b.readings;
}

struct OutcomeName {
    absorber::Outcome outcome;
    std::string_view name;
};

constexpr std::array<OutcomeName, 5> outcomeNames{{
    {absorber::Outcome::completed, "completed"},
    {absorber::Outcome::invalidData, "invalid_data"},
    {absorber::Outcome::invalidOperation, "invalid_operation"},
    {absorber::Outcome::divisionByZero, "division_by_zero"},
    {absorber::Outcome::overflow, "overflow"},
}};

}  // namespace

bool identical(const Series& a, const Series& b)
{
    if (a.title != b.title || a.people != b.people || a.date != b.date || a.flowUnit != b.flowUnit || a.notes != b.notes
        || !sameBits(a.uncertainty, b.uncertainty) || a.unknownKeys != b.unknownKeys || a.runs.size() != b.runs.size()
        || a.equilibrium != b.equilibrium)
        return false;
    for (std::size_t i = 0; i < a.runs.size(); ++i) {
        if (!identicalRuns(a.runs[i], b.runs[i]))
            return false;
    }
    return true;
}

std::string exactText(double value)
{
    // {fmt} writes the shortest text that reads back to the same bits, and
    // never asks the locale.
    return fmt::format("{}", value);
}

std::string_view outcomeName(absorber::Outcome outcome)
{
    for (const OutcomeName& entry : outcomeNames) {
        if (entry.outcome == outcome)
            return entry.name;
    }
    return "invalid_data";
}

std::optional<absorber::Outcome> outcomeNamed(std::string_view name)
{
    for (const OutcomeName& entry : outcomeNames) {
        if (entry.name == name)
            return entry.outcome;
    }
    return std::nullopt;
}

}  // namespace series
