#include "present/columnsteps.h"

#include <array>
#include <bit>
#include <cstdint>

namespace present {

namespace {

Message messageOf(absorber::Outcome outcome)
{
    if (outcome == absorber::Outcome::completed)
        return {};
    if (outcome == absorber::Outcome::invalidData)
        return {Message::Kind::invalidData};
    return {.kind = Message::Kind::fault, .fault = outcome};
}

ResultChange shown(double value, const NumberLocale& locale)
{
    return {ResultChange::Kind::shown, resultText(value, locale), exactText(value, locale)};
}

ColumnStep ended(ColumnStep step, absorber::Reached reached)
{
    step.kept.coherence = absorber::afterCalculate(step.kept.coherence, reached);
    return step;
}

}  // namespace

ColumnReading readColumnFields(ColumnState kept, const ColumnFields& fields)
{
    using absorber::Reached;
    const std::array<std::pair<InputField, const ParsedNumber*>, 4> order{{{InputField::y1, &fields.y1},
                                                                           {InputField::x1, &fields.x1},
                                                                           {InputField::gasFlow, &fields.gasFlow},
                                                                           {InputField::waterFlow, &fields.waterFlow}}};
    double* const keptAt[] = {&kept.y1, &kept.x1, &kept.gasFlow, &kept.waterFlow};
    for (std::size_t i = 0; i < order.size(); ++i) {
        const auto [field, number] = order[i];
        if (!*number) {
            ColumnStep step{kept, {Message::Kind::conversionError, field, number->kind}, {}, {}, {}};
            return {ended(step, i == 0 ? Reached::nothing : Reached::inputs), std::nullopt};
        }
        *keptAt[i] = **number;
    }
    return {{kept, {}, {}, {}, {}}, absorber::RunInputs{kept.y1, kept.x1, kept.gasFlow, kept.waterFlow}};
}

ColumnStep calculatedColumn(ColumnState kept, const absorber::RunInputs& inputs, const absorber::Balance& balance,
                            const std::optional<absorber::Integration>& integration, const NumberLocale& locale)
{
    using absorber::Reached;
    ColumnStep step{kept, {}, {}, {}, {}};
    if (balance.point) {
        step.kept.eqX = balance.point->x;
        step.kept.eqY = balance.point->y;
    }
    if (balance.y2)
        step.kept.y2 = *balance.y2;
    step.message = messageOf(balance.outcome);
    if (balance.outcome != absorber::Outcome::completed)
        return ended(step, balance.y2 ? Reached::fractions : Reached::inputs);
    step.results.eqY = shown(step.kept.eqY, locale);
    step.results.y2 = shown(step.kept.y2, locale);

    step.kept.ntu = 0.0;
    const absorber::Outcome integrated = integration ? integration->outcome : absorber::Outcome::invalidData;
    step.message = messageOf(integrated);
    if (integrated != absorber::Outcome::completed)
        return ended(step, Reached::fractions);
    step.kept.ntu = integration->ntu;
    step.results.ntu = shown(step.kept.ntu, locale);

    // The coefficient on screen always belongs to the NTU on screen.
    step.kept.mtc = 0.0;
    step.results.mtc.kind = ResultChange::Kind::cleared;
    step.run = CompletedRun{inputs, balance, step.kept.ntu};
    return ended(step, Reached::run);
}

ColumnStep calculateColumn(const ColumnState& kept, const ColumnFields& fields, const NumberLocale& locale)
{
    const ColumnReading read = readColumnFields(kept, fields);
    if (!read.inputs)
        return read.step;
    const absorber::Balance balance = absorber::closeBalance(*read.inputs);
    std::optional<absorber::Integration> integration;
    if (balance.outcome == absorber::Outcome::completed)
        integration = absorber::integrateNtu(balance.limits);
    return calculatedColumn(read.step.kept, *read.inputs, balance, integration, locale);
}

ColumnStep findMtc(ColumnState kept, const ParsedNumber& packingHeight, bool runInSeries, const NumberLocale& locale)
{
    ColumnStep step{kept, {}, {}, {}, {}};
    if (!packingHeight) {
        step.message = {Message::Kind::conversionError, InputField::packingHeight, packingHeight.kind};
        return step;
    }
    // Only the NTU and gas flow of one completed run make a coefficient.
    if (!kept.coherence.ntuAndGasFlow || !runInSeries) {
        step.message = {Message::Kind::invalidData};
        return step;
    }
    const absorber::Coefficient coefficient = absorber::findMtc(*packingHeight, kept.ntu, kept.gasFlow);
    step.message = messageOf(coefficient.outcome);
    if (coefficient.outcome != absorber::Outcome::completed)
        return step;
    step.kept.mtc = coefficient.mtc;
    step.results.mtc = shown(coefficient.mtc, locale);
    step.coefficient = FoundCoefficient{*packingHeight, coefficient.mtc};
    return step;
}

}  // namespace present
