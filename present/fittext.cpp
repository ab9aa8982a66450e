#include "present/fittext.h"

#include "present/seriesmessages.h"

#include <algorithm>

namespace present {

namespace {

std::string estimateText(const series::Estimate& estimate, const Language& language, const NumberLocale& locale)
{
    const auto number = [&locale](double value) { return significantText(value, 4, locale); };
    return language.translate("SeriesChart", "%1 ± %2 (95 %: %3 to %4)")
        .arg(number(estimate.value))
        .arg(number(estimate.standardError))
        .arg(number(estimate.low))
        .arg(number(estimate.high))
        .str();
}

}  // namespace

std::vector<std::string> fitLines(const series::Analysis& analysis, const std::string& flowUnit,
                                  const Language& language, const NumberLocale& locale)
{
    std::vector<std::string> lines;
    const std::size_t used = std::size_t(
        std::count_if(analysis.runs.begin(), analysis.runs.end(), [](const auto& run) { return run.used; }));
    const auto* law = std::get_if<series::PowerLaw>(&analysis.fit);
    if (!law) {
        lines.push_back(language.translate("SeriesChart", "No fit: %1.")
                            .arg(seriesMessage(std::get<series::NotGiven>(analysis.fit).reason, language, locale))
                            .str());
        lines.push_back(language.translate("SeriesChart", "Runs in the analysis: %1 of %2 with a coefficient.")
                            .arg(used)
                            .arg(analysis.runs.size())
                            .str());
        return lines;
    }
    std::string form = language.translate("SeriesChart", "MTC = a").str();
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
    if (!flowUnit.empty())
        lines.push_back(language.translate("SeriesChart", "G and L in %1, MTC in %1/m³.").arg(flowUnit).str());
    return lines;
}

}  // namespace present
