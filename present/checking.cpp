#include "present/checking.h"

#include "present/numbers.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace present {
namespace {

// A value the file gives for a field, and the one computed.
struct Given {
    const char* field;
    Shown shown;
    std::string text;
    std::optional<double> value;  // none for a cell that is no number
    std::optional<double> computed;
    // How the file writes numbers: the computed value is written alike, so
    // the two read side by side.
    NumberLocale notation = {};
};

std::string shownText(double value, Shown shown, const NumberLocale& notation = {})
{
    return shown == Shown::result ? resultText(value, notation) : uncertaintyText(value, notation);
}

// The computed value in full, as the file would write it.
std::string fullText(double value, const NumberLocale& notation)
{
    return notation.decimalPoint == "." ? series::exactText(value) : exactText(value, notation);
}

bool agrees(const Given& given, const CheckRule& rule)
{
    if (!given.value || !given.computed)
        return false;
    const double value = *given.value;
    const double computed = *given.computed;
    if (rule.asShown && agreesAsShown(value, computed, given.shown))
        return true;
    return rule.tolerance && std::fabs(value - computed) <= *rule.tolerance * std::fabs(computed);
}

std::optional<double> drawnU(const series::RunUncertainty* uncertainty, double factor)
{
    const auto* drawn = uncertainty ? std::get_if<series::MonteCarlo>(&uncertainty->monteCarlo) : nullptr;
    return drawn ? std::optional(factor * drawn->u) : std::nullopt;
}

// Which result columns a report has: y2, NTU, MTC, u_mtc, U.
using Columns = std::array<bool, 5>;

Columns columnsOf(std::span<const series::ReportedResults> reported)
{
    Columns columns{};
    for (const series::ReportedResults& run : reported) {
        const Columns cells{run.y2.has_value(), run.ntu.has_value(), run.mtc.has_value(), run.uMtc.has_value(),
                            run.expandedU.has_value()};
        for (std::size_t at = 0; at < columns.size(); ++at)
            columns[at] = columns[at] || cells[at];
    }
    return columns;
}

// The values run `run` gives, stored and reported, with the computed ones.
// A blank cell in a column the report has is a value left out: it differs
// where one is computed.
std::vector<Given> givenOf(const series::StoredResults* stored, const series::ReportedResults* reported,
                           const Columns& columns, const series::RunResult& result,
                           const series::RunUncertainty* uncertainty)
{
    std::vector<Given> given;
    const auto point = result.balance.point;
    if (stored) {
        const auto add = [&](const char* field, const std::optional<double>& value, std::optional<double> computed) {
            if (value)
                given.push_back({field, Shown::result, series::exactText(*value), value, computed});
        };
        add("eq_x", stored->eqX, point ? std::optional(point->x) : std::nullopt);
        add("eq_y", stored->eqY, point ? std::optional(point->y) : std::nullopt);
        add("y2", stored->y2, result.balance.y2);
        add("ntu", stored->ntu, result.ntu);
        add("mtc", stored->mtc, result.mtc);
    }
    if (reported) {
        std::size_t column = 0;
        const NumberLocale notation{std::string(1, reported->decimal)};
        const auto add = [&](const char* field, Shown shown, const std::optional<series::ReportedCell>& cell,
                             std::optional<double> computed) {
            if (cell)
                given.push_back({field, shown, cell->text, cell->value, computed, notation});
            else if (columns[column] && computed)
                given.push_back({field, shown, std::string(), std::nullopt, computed, notation});
            ++column;
        };
        add("y2", Shown::result, reported->y2, result.balance.y2);
        add("ntu", Shown::result, reported->ntu, result.ntu);
        add("mtc", Shown::result, reported->mtc, result.mtc);
        add("u_mtc", Shown::uncertainty, reported->uMtc, drawnU(uncertainty, 1.0));
        add("U", Shown::uncertainty, reported->expandedU, drawnU(uncertainty, series::coverageFactor));
        // A U typed after MTC is compared where the run has one: a report may
        // show it for runs the file gives no uncertainty of.
        const std::optional<double> expandedU = drawnU(uncertainty, series::coverageFactor);
        if (reported->mtcU && expandedU)
            given.push_back(
                {"U", Shown::uncertainty, reported->mtcU->text, reported->mtcU->value, expandedU, notation});
    }
    return given;
}

}  // namespace

bool agreesAsShown(double given, double computed, Shown shown)
{
    return shownText(given, shown) == shownText(computed, shown);
}

bool reportsUncertainty(std::span<const series::ReportedResults> reported)
{
    return std::any_of(reported.begin(), reported.end(),
                       [](const series::ReportedResults& run) { return run.uMtc || run.expandedU || run.mtcU; });
}

FileCheck checkResults(std::span<const series::StoredResults> stored, std::span<const series::ReportedResults> reported,
                       std::span<const series::RunResult> results,
                       std::span<const series::RunUncertainty> uncertainties, const CheckRule& rule)
{
    FileCheck check;
    const bool exact = !rule.asShown && !rule.tolerance;
    // Bit for bit, a series file's results are compared as they always were:
    // a value computed now but not stored differs too.
    const std::vector<series::Difference> exactly =
        exact ? series::compareResults(stored, results) : std::vector<series::Difference>();
    const Columns columns = columnsOf(reported);
    auto next = exactly.begin();
    for (std::size_t run = 0; run < results.size(); ++run) {
        const series::StoredResults* was = run < stored.size() ? &stored[run] : nullptr;
        const series::RunResult& now = results[run];
        const std::size_t before = check.differences.size();
        const bool outcomeGiven = was && was->outcome;
        const std::vector<Given> given =
            givenOf(was, exact || run >= reported.size() ? nullptr : &reported[run], columns, now,
                    run < uncertainties.size() ? &uncertainties[run] : nullptr);
        if (given.empty() && !outcomeGiven) {
            check.runsWithoutValues.push_back(run);
            continue;
        }
        for (; next != exactly.end() && next->run == run; ++next)
            check.differences.push_back({run, next->field, next->stored, next->computed});
        if (!exact && outcomeGiven && *was->outcome != now.outcome)
            check.differences.push_back({run, "outcome", std::string(series::outcomeName(*was->outcome)),
                                         std::string(series::outcomeName(now.outcome))});
        for (const Given& value : exact ? std::vector<Given>() : given) {
            if (agrees(value, rule))
                continue;
            std::string computed;
            if (value.computed)
                computed = rule.asShown ? shownText(*value.computed, value.shown, value.notation)
                                        : fullText(*value.computed, value.notation);
            check.differences.push_back({run, value.field, value.text, computed});
        }
        ++check.runsCompared;
        check.runsDiffering += check.differences.size() > before ? 1 : 0;
    }
    return check;
}

}  // namespace present
