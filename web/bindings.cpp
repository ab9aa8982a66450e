// The browser edition's window on the core and the series library: the
// page calls these through embind and computes nothing itself.

#include "core/absorber.h"
#include "document.h"
#include "series/fit.h"
#include "series/series.h"
#include "series/uncertainty.h"
#include "jsvalues.h"
#include "pagelocale.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <string>
#include <vector>

namespace {

using emscripten::val;
using namespace web;

series::Run runOf(double y1, double x1, double gasFlow, double waterFlow, double packingHeight)
{
    series::Run run;
    run.inputs = {y1, x1, gasFlow, waterFlow};
    run.packingHeight = packingHeight;
    return run;
}

// Both uncertainties of a run's coefficient with the uncertainties given
// (the series' merged with the run's own), the Monte Carlo drawn from the
// seed every front end uses: {gum, monteCarlo}, each {reason} when not given.
val uncertaintyOf(double y1, double x1, double gasFlow, double waterFlow, double packingHeight, const val& given)
{
    const series::RunUncertainty found =
        series::uncertaintyOf(runOf(y1, x1, gasFlow, waterFlow, packingHeight), uncertaintiesOf(given));
    val shown = val::object();
    shown.set("gum", shownGum(found.gum));
    shown.set("monteCarlo", shownMonteCarlo(found.monteCarlo));
    return shown;
}

// The power law over points {gasFlow, waterFlow, mtc, uMtc}, as shownFit gives it.
val fitPowerLawOf(const val& points, bool useUncertainties)
{
    std::vector<series::FitPoint> read;
    const auto count = points["length"].as<std::size_t>();
    for (std::size_t i = 0; i < count; ++i) {
        const val point = points[i];
        const val u = point["uMtc"];
        read.push_back({point["gasFlow"].as<double>(), point["waterFlow"].as<double>(), point["mtc"].as<double>(),
                        u.isNull() || u.isUndefined() ? std::nullopt : std::optional(u.as<double>())});
    }
    return shownFit(series::fitPowerLaw(read, useUncertainties));
}

// The flows' groups, each given by its smallest member.
val distinctFlowsOf(const val& flows)
{
    return arrayOf(series::distinctFlows(emscripten::vecFromJSArray<double>(flows)));
}

val findMtcOf(double packingHeight, double ntu, double gasFlow)
{
    const absorber::Coefficient coefficient = absorber::findMtc(packingHeight, ntu, gasFlow);
    val shown = val::object();
    shown.set("outcome", outcomeOf(coefficient.outcome));
    shown.set("mtc", coefficient.mtc);
    return shown;
}

// Reached is given as its enumerator's position: nothing, inputs, fractions, run.
val afterCalculateOf(bool fractions, bool ntuAndGasFlow, int reached)
{
    const absorber::Coherence after =
        absorber::afterCalculate({fractions, ntuAndGasFlow}, static_cast<absorber::Reached>(reached));
    val shown = val::object();
    shown.set("fractions", after.fractions);
    shown.set("ntuAndGasFlow", after.ntuAndGasFlow);
    return shown;
}

val equilibriumTable()
{
    val rows = val::array();
    for (const absorber::EquilibriumPoint& point : absorber::equilibriumPoints) {
        val row = val::object();
        row.set("x", point.x);
        row.set("y", point.y);
        rows.call<void>("push", row);
    }
    return rows;
}

// computeRun without a height: the Help's worked example.
val computeRunOf(double y1, double x1, double gasFlow, double waterFlow)
{
    series::Run run;
    run.inputs = {y1, x1, gasFlow, waterFlow};
    const series::RunResult result = series::computeRun(run);
    val shown = val::object();
    shown.set("outcome", outcomeOf(result.outcome));
    shown.set("ntu", numberOrNull(result.ntu));
    shown.set("ntuColburn", numberOrNull(result.ntuColburn));
    return shown;
}

}  // namespace

EMSCRIPTEN_BINDINGS(quillon)
{
    emscripten::function("setPageLocale", &web::setPageLocale);
    emscripten::function("roundResult", &absorber::roundResult);
    emscripten::function("findMtc", &findMtcOf);
    emscripten::function("afterCalculate", &afterCalculateOf);
    emscripten::function("equilibriumTable", &equilibriumTable);
    emscripten::function("computeRun", &computeRunOf);
    emscripten::function("uncertaintyOf", &uncertaintyOf);
    emscripten::function("fitPowerLaw", &fitPowerLawOf);
    emscripten::function("distinctFlows", &distinctFlowsOf);
    emscripten::function("sameFlow", &series::sameFlow);
    emscripten::constant("maxGasFraction", absorber::maxGasFraction);
    emscripten::constant("ntuSteps", absorber::ntuSteps);
    emscripten::constant("coverageFactor", series::coverageFactor);
    // The readers' limits, for Help.
    emscripten::constant("maxFileBytes", double(series::maxFileBytes));
    emscripten::constant("maxRuns", double(series::maxRuns));
    emscripten::constant("maxNesting", double(series::maxNesting));
    emscripten::constant("maxMembers", double(series::maxMembers));
    emscripten::constant("maxTextBytes", double(series::maxTextBytes));
    emscripten::constant("maxCsvRecords", double(series::maxCsvRecords));
    emscripten::constant("maxCsvColumns", double(series::maxCsvColumns));
    emscripten::class_<Document>("Document")
        .constructor<>()
        .function("calculate", &Document::calculate)
        .function("setMtc", &Document::setMtc)
        .function("size", &Document::size)
        .function("indexOf", &Document::indexOf)
        .function("run", &Document::run)
        .function("columnTitles", &Document::columnTitles)
        .function("cells", &Document::cells)
        .function("uncertaintyCells", &Document::uncertaintyCells)
        .function("setLabel", &Document::setLabel)
        .function("setExcluded", &Document::setExcluded)
        .function("remove", &Document::remove)
        .function("field", &Document::field)
        .function("setField", &Document::setField)
        .function("uncertainties", &Document::uncertainties)
        .function("setUncertainties", &Document::setUncertainties)
        .function("setRunUncertainties", &Document::setRunUncertainties)
        .function("analyse", &Document::analyse)
        .function("canUndo", &Document::canUndo)
        .function("canRedo", &Document::canRedo)
        .function("undo", &Document::undo)
        .function("redo", &Document::redo)
        .function("modified", &Document::modified)
        .function("newSeries", &Document::newSeries)
        .function("open", &Document::open)
        .function("importCsv", &Document::importCsv)
        .function("restore", &Document::restore)
        .function("fileBytes", &Document::fileBytes)
        .function("revision", &Document::revision)
        .function("markSaved", &Document::markSaved)
        .function("exportCsv", &Document::exportCsv)
        .function("flowUnit", &Document::flowUnit);
}
