#pragma once

// What a series' runs say of how the coefficient depends on the flows: the
// runs with a coefficient, which of them the fit takes, and the fit.

#include "series/fit.h"
#include "series/series.h"
#include "series/uncertainty.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <variant>
#include <vector>

namespace series {

// Which coefficient the analysis fits.
enum class Fitted {
    quillon,  // the coefficient of Quillon's NTU sum: the default
    colburn,  // the coefficient of the Colburn NTU, which has no uncertainty: its fit is unweighted
};

struct AnalysisRun {
    std::size_t run;  // 0-based, in the series
    FitPoint point;   // uMtc from the Monte Carlo result, when there is one
    bool used;        // in the analysis: not excluded, and no findings unless included
};

struct Analysis {
    std::vector<AnalysisRun> runs;  // every run with a coefficient, in order
    std::variant<PowerLaw, NotGiven> fit = NotGiven{{MessageKind::noRunHasCoefficient}};
    // The runs the fit takes (0-based, in order) that have no uncertainty:
    // any one of them keeps the fit unweighted, asked or not.
    std::vector<std::size_t> withoutUncertainty;
    Fitted fitted = Fitted::quillon;
    // Whether a run the fit takes has an uncertainty of Quillon's coefficient,
    // for either coefficient fitted: Colburn's fit says why it is unweighted.
    bool uncertaintyGiven = false;
};

// How many runs with a coefficient are in the analysis.
std::size_t runsInAnalysis(const Analysis& analysis);

// The runs with a coefficient and the power law fitted to those used,
// weighted when `weighted` is set and every run used has an uncertainty.
// `uncertainties` may be empty or shorter than the series.
Analysis analyse(const Series& series, std::span<const RunResult> results,
                 std::span<const RunUncertainty> uncertainties = {}, bool weighted = true,
                 Fitted fitted = Fitted::quillon);

// "quillon", "colburn"; and back.
std::string_view fittedName(Fitted fitted);
std::optional<Fitted> fittedNamed(std::string_view name);

}  // namespace series
