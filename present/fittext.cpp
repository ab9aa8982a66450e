#include "present/fittext.h"

#include "present/seriesmessages.h"

#include <algorithm>
#include <iterator>

namespace present {

namespace {

std::string estimateText(const series::Estimate& estimate, const Language& language, const NumberLocale& locale)
{
    // The standard error to two significant digits, the rest to its place.
    const auto atItsPlace = [&](double value) {
        return withUncertaintyText(value, estimate.standardError, locale).value;
    };
    return language.translate("SeriesChart", "%1 ± %2 (95 %: %3 to %4)")
        .arg(atItsPlace(estimate.value))
        .arg(uncertaintyText(estimate.standardError, locale))
        .arg(atItsPlace(estimate.low))
        .arg(atItsPlace(estimate.high))
        .str();
}

bool isPending(const Computing& computing, std::size_t run)
{
    return run < computing.pending.size() && computing.pending[run];
}

std::size_t runsFitted(const series::Analysis& analysis)
{
    return std::size_t(std::count_if(analysis.runs.begin(), analysis.runs.end(), [](const series::AnalysisRun& run) {
        return run.used && series::hasLogarithms(run.point);
    }));
}

}  // namespace

std::optional<WeightsAwaited> weightsAwaited(const series::Analysis& analysis, const Computing& computing)
{
    const std::vector<std::size_t>& missing = analysis.withoutUncertainty;
    if (!computing.weightingWanted || analysis.fitted == series::Fitted::colburn || missing.empty())
        return std::nullopt;
    if (!std::all_of(missing.begin(), missing.end(), [&](std::size_t run) { return isPending(computing, run); }))
        return std::nullopt;
    const std::size_t of = runsFitted(analysis);
    return WeightsAwaited{of - missing.size(), of};
}

std::string weightsAwaitedLine(const WeightsAwaited& awaited, const Language& language)
{
    return language.translate("SeriesChart", "The weighted fit waits for the uncertainties: %1 of %2 runs done.")
        .arg(awaited.done)
        .arg(awaited.of)
        .str();
}

series::Analysis analysisAsShown(series::Analysis analysis, const Computing& computing)
{
    if (weightsAwaited(analysis, computing))
        analysis.fit = series::NotGiven{{series::MessageKind::notComputed}};
    return analysis;
}

std::optional<std::string> unweightedText(const series::Analysis& analysis, const Language& language,
                                          const Computing& computing)
{
    // Without any uncertainty, that is the reason, whichever coefficient is
    // fitted; a run still computing may yet have one.
    const bool computingAny =
        std::any_of(analysis.runs.begin(), analysis.runs.end(),
                    [&](const series::AnalysisRun& run) { return isPending(computing, run.run); });
    if (analysis.fitted == series::Fitted::colburn && !analysis.uncertaintyGiven && !computingAny)
        return language.translate("SeriesChart", "Unweighted because no run has an uncertainty.").str();
    if (analysis.fitted == series::Fitted::colburn)
        return language
            .translate("SeriesChart", "Unweighted because the uncertainties are those of Quillon's coefficient.")
            .str();
    // A run still computing will have its uncertainty: it is not named.
    std::vector<std::size_t> missing;
    std::copy_if(analysis.withoutUncertainty.begin(), analysis.withoutUncertainty.end(), std::back_inserter(missing),
                 [&](std::size_t run) { return !isPending(computing, run); });
    if (missing.empty())
        return std::nullopt;
    const std::size_t fitted = runsFitted(analysis);
    // Numbered as the runs table numbers them.
    const std::size_t first = missing.front() + 1;
    if (missing.size() > 1 && fitted == missing.size())
        return language.translate("SeriesChart", "Unweighted because no run has an uncertainty.").str();
    if (missing.size() == 1)
        return language.translate("SeriesChart", "Unweighted because run %1 has no uncertainty.").arg(first).str();
    if (missing.size() == 2)
        return language.translate("SeriesChart", "Unweighted because runs %1 and %2 have no uncertainty.")
            .arg(first)
            .arg(missing[1] + 1)
            .str();
    return language.translate("SeriesChart", "Unweighted because run %1 and %2 more runs have no uncertainty.")
        .arg(first)
        .arg(missing.size() - 1)
        .str();
}

std::vector<std::string> fitLines(const series::Analysis& analysis, const std::string& flowUnit,
                                  const Language& language, const NumberLocale& locale, const Computing& computing,
                                  bool sayWhyUnweighted)
{
    std::vector<std::string> lines;
    const std::size_t used = series::runsInAnalysis(analysis);
    const auto* law = std::get_if<series::PowerLaw>(&analysis.fit);
    // Said where no fit is shown, with the reason before it.
    const std::string runsInAnalysis =
        language.translate("SeriesChart", "Runs in the analysis: %1 of %2 with a coefficient.")
            .arg(used)
            .arg(analysis.runs.size())
            .str();
    // No figures until the weighted fit can be made: the unweighted ones
    // would differ from it.
    if (const auto awaited = weightsAwaited(analysis, computing)) {
        lines.push_back(weightsAwaitedLine(*awaited, language));
        lines.push_back(runsInAnalysis);
        return lines;
    }
    if (!law) {
        lines.push_back(language.translate("SeriesChart", "No fit: %1.")
                            .arg(seriesMessage(std::get<series::NotGiven>(analysis.fit).reason, language, locale))
                            .str());
        lines.push_back(runsInAnalysis);
        return lines;
    }
    // The default's words are today's; the textbook's coefficient says so.
    std::string form = analysis.fitted == series::Fitted::colburn
        ? language.translate("SeriesChart", "MTC (Colburn) = a").str()
        : language.translate("SeriesChart", "MTC = a").str();
    if (law->gasExponent)
        form += language.translate("SeriesChart", " · G^m").str();
    if (law->waterExponent)
        form += language.translate("SeriesChart", " · L^n").str();
    lines.push_back(form);
    lines.push_back(
        language.translate("SeriesChart", "a = %1").arg(estimateText(law->prefactor, language, locale)).str());
    if (law->gasExponent)
        lines.push_back(language.translate("SeriesChart", "m (gas flow) = %1")
                            .arg(estimateText(*law->gasExponent, language, locale))
                            .str());
    if (law->waterExponent)
        lines.push_back(language.translate("SeriesChart", "n (water flow) = %1")
                            .arg(estimateText(*law->waterExponent, language, locale))
                            .str());
    if (law->dropped) {
        const Text which = law->dropped->exponent == series::Exponent::gas
            ? language.translate("SeriesChart", "m (gas flow)")
            : language.translate("SeriesChart", "n (water flow)");
        lines.push_back(language.translate("SeriesChart", "%1 left out: %2.")
                            .arg(which)
                            .arg(seriesMessage(law->dropped->reason, language, locale))
                            .str());
    }
    lines.push_back(language.translate("SeriesChart", "R² = %1 (of ln MTC); residual SD %2")
                        .arg(significantText(law->rSquared, 4, locale))
                        .arg(significantText(law->residualSd, 4, locale))
                        .str());
    lines.push_back(language.translate("SeriesChart", "Runs used: %1 of %2 with a coefficient%3.")
                        .arg(law->runsUsed)
                        .arg(analysis.runs.size())
                        .arg(law->weighted
                                 ? language.translate("SeriesChart", ", weighted by their uncertainties").str()
                                 : std::string())
                        .str());
    if (!law->weighted && sayWhyUnweighted) {
        if (const auto why = unweightedText(analysis, language, computing))
            lines.push_back(*why);
    }
    if (!flowUnit.empty())
        lines.push_back(language.translate("SeriesChart", "G and L in %1, MTC in %1/m³.").arg(flowUnit).str());
    return lines;
}

}  // namespace present
