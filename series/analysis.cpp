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
                 std::span<const RunUncertainty> uncertainties, bool weighted)
{
    Analysis analysis;
    std::vector<FitPoint> used;
    for (std::size_t i = 0; i < series.runs.size() && i < results.size(); ++i) {
        const Run& run = series.runs[i];
        if (!results[i].mtc)
            continue;
        FitPoint point{run.inputs.gasFlow, run.inputs.waterFlow, *results[i].mtc, std::nullopt};
        if (i < uncertainties.size()) {
            if (const auto* drawn = std::get_if<MonteCarlo>(&uncertainties[i].monteCarlo))
                point.uMtc = drawn->u;
        }
        const bool inFit = inAnalysis(run, results[i]);
        analysis.runs.push_back({i, point, inFit});
        if (inFit)
            used.push_back(point);
        if (inFit && hasLogarithms(point) && !weighable(point))
            analysis.withoutUncertainty.push_back(i);
    }
    if (used.empty())
        analysis.fit =
            NotGiven{{analysis.runs.empty() ? MessageKind::noRunHasCoefficient : MessageKind::everyRunExcluded}};
    else
        analysis.fit = fitPowerLaw(used, weighted);
    return analysis;
}

}  // namespace series
