#include "report/run.h"

#include "present/runstable.h"
#include "present/words.h"
#include "report/qtpresent.h"
#include "series/findings.h"

namespace report {

Run completedRun(int number, const absorber::RunInputs& inputs, const absorber::Balance& balance, double ntu)
{
    Run run;
    run.number = number;
    run.y1 = inputs.y1;
    run.x1 = inputs.x1;
    run.gasFlow = inputs.gasFlow;
    run.waterFlow = inputs.waterFlow;
    run.eqX = balance.point.value_or(absorber::EquilibriumPoint{}).x;
    run.eqY = balance.point.value_or(absorber::EquilibriumPoint{}).y;
    run.slope = balance.slope;
    run.flowFactor = balance.limits.flowFactor;
    run.outletRatio = balance.outletRatio;
    run.y2 = balance.y2.value_or(0.0);
    run.upperLimit = balance.limits.upperLimit;
    run.lowerLimit = balance.limits.lowerLimit;
    run.stepWidth = balance.limits.stepWidth;
    run.stepCount = absorber::ntuSteps;
    run.ntu = ntu;
    return run;
}

std::optional<Run> seriesRun(const series::Series& series, std::size_t index, const series::RunResult& result,
                             const series::RunUncertainty* uncertainty)
{
    if (result.outcome != absorber::Outcome::completed || !result.ntu)
        return std::nullopt;
    const series::Run& run = series.runs[index];
    Run shown = completedRun(int(index) + 1, run.inputs, result.balance, *result.ntu);
    if (run.packingHeight && result.mtc) {
        shown.packingHeight = run.packingHeight;
        shown.mtc = result.mtc;
        shown.hog = result.hog;
        shown.mtcColburn = result.mtcColburn;
        shown.hogColburn = result.hogColburn;
    }
    shown.readings = run.readings;
    if (run.readings) {
        const auto converted = series::inputsFromReadings(*run.readings, series.flowUnit);
        if (const auto* given = std::get_if<series::InputsFromReadings>(&converted))
            shown.given = *given;
    }
    shown.temperature = run.temperature;
    shown.equilibrium = series.equilibrium;
    shown.equilibriumTemperature = result.equilibriumTemperature;
    shown.ntuColburn = result.ntuColburn;
    shown.findings = qstrings(present::findingMessages(qtLanguage(), series::findingsOf(run, result)));
    shown.flowUnit = QString::fromStdString(series.flowUnit);
    if (uncertainty) {
        if (const auto* gum = std::get_if<series::Gum>(&uncertainty->gum))
            shown.gum = *gum;
        if (const auto* drawn = std::get_if<series::MonteCarlo>(&uncertainty->monteCarlo))
            shown.monteCarlo = *drawn;
    }
    if (shown.mtc && !shown.monteCarlo) {
        const std::variant<series::MonteCarlo, series::NotGiven> none =
            uncertainty ? uncertainty->monteCarlo : series::NotGiven{{series::MessageKind::notComputed}};
        if (const auto reason = present::missingUncertaintyReason(run, result, series.uncertainty, none, qtLanguage(),
                                                                  numberLocaleOf(QLocale())))
            shown.missingUncertainty = qstring(*reason);
    }
    return shown;
}

}  // namespace report
