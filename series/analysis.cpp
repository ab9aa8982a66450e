#include "series/analysis.h"

#include "series/findings.h"

#include <algorithm>

namespace series {

std::size_t runsInAnalysis(const Analysis& analysis)
{
    return std::size_t(
        std::count_if(analysis.runs.begin(), analysis.runs.end(), [](const AnalysisRun& run) { return run.used; }));
}

Analysis analyse(const Series& series, std::span<const RunResult> results,
                 std::span<const RunUncertainty> uncertainties, bool weighted, Fitted fitted)
{
    Analysis analysis;
    analysis.fitted = fitted;
    const bool colburn = fitted == Fitted::colburn;
    std::vector<FitPoint> used;
    for (std::size_t i = 0; i < series.runs.size() && i < results.size(); ++i) {
        const Run& run = series.runs[i];
        const std::optional<double>& mtc = colburn ? results[i].mtcColburn : results[i].mtc;
        if (!mtc)
            continue;
        FitPoint point{run.inputs.gasFlow, run.inputs.waterFlow, *mtc, std::nullopt};
        const bool inFit = inAnalysis(run, results[i]);
        // The Monte Carlo draws Quillon's coefficient; Colburn's has no uncertainty.
        if (i < uncertainties.size()) {
            if (const auto* drawn = std::get_if<MonteCarlo>(&uncertainties[i].monteCarlo)) {
                if (!colburn)
                    point.uMtc = drawn->u;
                analysis.uncertaintyGiven = analysis.uncertaintyGiven || inFit;
            }
        }
        analysis.runs.push_back({i, point, inFit});
        if (inFit)
            used.push_back(point);
        if (inFit && !colburn && hasLogarithms(point) && !weighable(point))
            analysis.withoutUncertainty.push_back(i);
    }
    if (used.empty())
        analysis.fit =
            NotGiven{{analysis.runs.empty() ? MessageKind::noRunHasCoefficient : MessageKind::everyRunExcluded}};
    else
        analysis.fit = fitPowerLaw(used, weighted && !colburn);
    return analysis;
}

std::string_view fittedName(Fitted fitted)
{
    return fitted == Fitted::colburn ? "colburn" : "quillon";
}

std::optional<Fitted> fittedNamed(std::string_view name)
{
    if (name == "quillon")
        return Fitted::quillon;
    if (name == "colburn")
        return Fitted::colburn;
    return std::nullopt;
}

}  // namespace series
