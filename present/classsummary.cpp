#include "present/classsummary.h"

#include "present/fittext.h"
#include "present/seriesmessages.h"
#include "series/findings.h"

#include <algorithm>
#include <cmath>

namespace present {
namespace {

// The value at fraction p of the sorted values, between the two nearest.
double quantile(std::span<const double> sorted, double p)
{
    const double at = p * double(sorted.size() - 1);
    const auto below = std::size_t(std::floor(at));
    const std::size_t above = std::min(below + 1, sorted.size() - 1);
    return sorted[below] + (at - double(below)) * (sorted[above] - sorted[below]);
}

std::optional<Spread> spreadOf(std::vector<double> values)
{
    if (values.size() < filesForSpread)
        return std::nullopt;
    std::sort(values.begin(), values.end());
    return Spread{values.size(),          quantile(values, 0.5), quantile(values, 0.25),
                  quantile(values, 0.75), values.front(),        values.back()};
}

const std::optional<series::Estimate>& exponentOf(const series::PowerLaw& law, series::Exponent exponent)
{
    return exponent == series::Exponent::gas ? law.gasExponent : law.waterExponent;
}

std::string exponentWord(series::Exponent exponent, const Language& language)
{
    return exponent == series::Exponent::gas ? language.translate("ClassSummary", "gas exponent").str()
                                             : language.translate("ClassSummary", "water exponent").str();
}

}  // namespace

SummaryRow summaryRowOf(const std::string& file, const series::Series& series,
                        std::span<const series::StoredResults> stored,
                        std::span<const series::ReportedResults> reported, std::span<const series::RunResult> results,
                        std::span<const series::RunUncertainty> uncertainties, const CheckRule& rule,
                        const Language& language)
{
    SummaryRow row;
    row.file = file;
    row.title = series.title;
    row.people = series.people;
    row.runs = series.runs.size();
    for (std::size_t i = 0; i < series.runs.size() && i < results.size(); ++i) {
        row.completed += results[i].outcome == absorber::Outcome::completed ? 1 : 0;
        row.excluded += series.runs[i].excluded ? 1 : 0;
        row.withFindings += series::findingsOf(series.runs[i], results[i]).empty() ? 0 : 1;
    }
    const series::Analysis analysis = series::analyse(series, results, uncertainties);
    if (const auto* law = std::get_if<series::PowerLaw>(&analysis.fit)) {
        row.law = *law;
        if (!law->weighted)
            row.unweightedReason = unweightedText(analysis, language).value_or(std::string());
    } else {
        row.noFit = seriesMessage(std::get<series::NotGiven>(analysis.fit).reason, language);
    }
    const FileCheck checked = checkResults(stored, reported, results, uncertainties, rule);
    row.check = checked.runsDiffering > 0   ? CheckResult::differs
        : checked.runsWithoutValues.empty() ? CheckResult::agrees
                                            : CheckResult::nothingGiven;
    return row;
}

SummaryRow unreadableRow(const std::string& file, const std::string& why)
{
    SummaryRow row;
    row.file = file;
    row.unreadable = why;
    return row;
}

ClassSummary summarise(std::vector<SummaryRow> rows)
{
    ClassSummary summary;
    summary.rows = std::move(rows);
    for (const series::Exponent exponent : {series::Exponent::gas, series::Exponent::water}) {
        std::vector<double> values;
        for (const SummaryRow& row : summary.rows)
            if (row.law && exponentOf(*row.law, exponent))
                values.push_back(exponentOf(*row.law, exponent)->value);
        (exponent == series::Exponent::gas ? summary.gas : summary.water) = spreadOf(values);
    }
    for (std::size_t i = 0; i < summary.rows.size(); ++i) {
        for (const series::Exponent exponent : {series::Exponent::gas, series::Exponent::water}) {
            const std::optional<Spread>& spread = exponent == series::Exponent::gas ? summary.gas : summary.water;
            const SummaryRow& row = summary.rows[i];
            if (!spread || !row.law || !exponentOf(*row.law, exponent))
                continue;
            const double value = exponentOf(*row.law, exponent)->value;
            const double fence = 1.5 * (spread->upperQuartile - spread->lowerQuartile);
            if (value < spread->lowerQuartile - fence || value > spread->upperQuartile + fence)
                summary.outliers.push_back({i, exponent, value});
        }
    }
    return summary;
}

std::vector<std::string> summaryKeys()
{
    return {"file",
            "title",
            "people",
            "runs",
            "completed",
            "excluded",
            "with_findings",
            "fit_runs",
            "prefactor",
            "prefactor_low",
            "prefactor_high",
            "gas_exponent",
            "gas_exponent_low",
            "gas_exponent_high",
            "water_exponent",
            "water_exponent_low",
            "water_exponent_high",
            "r_squared",
            "weighted",
            "weighted_reason",
            "check",
            "outlier"};
}

std::vector<std::string> summaryHeaders(const Language& language)
{
    // Each text a literal of its own, so that lupdate finds it.
    return {
        language.translate("ClassSummary", "File").str(),
        language.translate("ClassSummary", "Title").str(),
        language.translate("ClassSummary", "People").str(),
        language.translate("ClassSummary", "Runs").str(),
        language.translate("ClassSummary", "Completed").str(),
        language.translate("ClassSummary", "Excluded").str(),
        language.translate("ClassSummary", "With findings").str(),
        language.translate("ClassSummary", "Runs in fit").str(),
        language.translate("ClassSummary", "a").str(),
        language.translate("ClassSummary", "a, 95 % low").str(),
        language.translate("ClassSummary", "a, 95 % high").str(),
        language.translate("ClassSummary", "m").str(),
        language.translate("ClassSummary", "m, 95 % low").str(),
        language.translate("ClassSummary", "m, 95 % high").str(),
        language.translate("ClassSummary", "n").str(),
        language.translate("ClassSummary", "n, 95 % low").str(),
        language.translate("ClassSummary", "n, 95 % high").str(),
        language.translate("ClassSummary", "R²").str(),
        language.translate("ClassSummary", "Weighted").str(),
        language.translate("ClassSummary", "Why unweighted").str(),
        language.translate("ClassSummary", "Check").str(),
        language.translate("ClassSummary", "Outside the class").str(),
    };
}

std::string checkWord(CheckResult result, const Language& language)
{
    switch (result) {
    case CheckResult::agrees:
        return language.translate("ClassSummary", "agrees").str();
    case CheckResult::differs:
        return language.translate("ClassSummary", "differs").str();
    case CheckResult::nothingGiven:
        break;
    }
    return language.translate("ClassSummary", "no results").str();
}

std::string checkCell(const SummaryRow& row, const Language& language)
{
    return row.unreadable ? language.translate("ClassSummary", "unreadable: %1").arg(*row.unreadable).str()
                          : checkWord(row.check, language);
}

std::vector<std::string> summaryCells(const ClassSummary& summary, std::size_t index, bool full,
                                      const Language& language, const NumberLocale& locale)
{
    const SummaryRow& row = summary.rows[index];
    const auto number = [&](double value) {
        return full ? exactText(value, locale) : significantText(value, 4, locale);
    };
    const auto count = [](std::size_t value) { return std::to_string(value); };
    if (row.unreadable) {
        // Nothing is known of the file but its name and why.
        std::vector<std::string> cells(summaryKeys().size());
        cells.front() = row.file;
        cells[cells.size() - 2] = checkCell(row, language);
        return cells;
    }
    std::vector<std::string> cells{row.file,
                                   row.title,
                                   row.people,
                                   count(row.runs),
                                   count(row.completed),
                                   count(row.excluded),
                                   count(row.withFindings)};
    const auto estimate = [&](const std::optional<series::Estimate>& value) {
        for (const double part : {value ? value->value : 0.0, value ? value->low : 0.0, value ? value->high : 0.0})
            cells.push_back(value ? number(part) : std::string());
    };
    const series::PowerLaw* law = row.law ? &*row.law : nullptr;
    cells.push_back(law ? count(law->runsUsed) : std::string());
    estimate(law ? std::optional(law->prefactor) : std::nullopt);
    estimate(law ? law->gasExponent : std::nullopt);
    estimate(law ? law->waterExponent : std::nullopt);
    cells.push_back(law ? number(law->rSquared) : std::string());
    cells.push_back(!law                ? std::string()
                        : law->weighted ? language.translate("ClassSummary", "yes").str()
                                        : language.translate("ClassSummary", "no").str());
    cells.push_back(row.unweightedReason);
    cells.push_back(checkCell(row, language));
    std::string outside;
    for (const Outlier& outlier : summary.outliers)
        if (outlier.row == index)
            outside += (outside.empty() ? "" : "; ") + exponentWord(outlier.exponent, language);
    cells.push_back(outside);
    return cells;
}

}  // namespace present
