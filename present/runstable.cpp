#include "present/runstable.h"

#include "present/seriesmessages.h"
#include "present/words.h"
#include "series/findings.h"
#include "series/readings.h"

#include <variant>

namespace present {

std::string runsColumnTitle(RunsColumn column, const std::string& flowUnit, const Language& language)
{
    const auto withUnit = [&](const Text& title, const std::string& unitText) {
        return flowUnit.empty() ? title.str()
                                : language.translate("RunsModel", "%1 (%2)").arg(title).arg(unitText).str();
    };
    switch (column) {
    case RunsColumn::run:
        return language.translate("RunsModel", "Run").str();
    case RunsColumn::label:
        return language.translate("RunsModel", "Label").str();
    case RunsColumn::excluded:
        return language.translate("RunsModel", "Excluded").str();
    case RunsColumn::y1:
        return language.translate("RunsModel", "y1 (gas in)").str();
    case RunsColumn::x1:
        return language.translate("RunsModel", "x1 (water out)").str();
    case RunsColumn::gasFlow:
        return withUnit(language.translate("RunsModel", "Gas flow"), flowUnit);
    case RunsColumn::waterFlow:
        return withUnit(language.translate("RunsModel", "Water flow"), flowUnit);
    case RunsColumn::eqX:
        return language.translate("RunsModel", "Equilibrium x").str();
    case RunsColumn::eqY:
        return language.translate("RunsModel", "Equilibrium y*").str();
    case RunsColumn::y2:
        return language.translate("RunsModel", "y2 (gas out)").str();
    case RunsColumn::ntu:
        return language.translate("RunsModel", "NTU").str();
    case RunsColumn::ntuColburn:
        return language.translate("RunsModel", "NTU (Colburn)").str();
    case RunsColumn::packingHeight:
        return language.translate("RunsModel", "Packing height (m)").str();
    case RunsColumn::mtc:
        // The coefficient's unit is the flow unit per cubic metre of packing.
        return withUnit(language.translate("RunsModel", "Mass-transfer coefficient"),
                        language.translate("RunsModel", "%1/m³").arg(flowUnit).str());
    case RunsColumn::uncertainty:
        return language.translate("RunsModel", "MTC ± U (k = 2)").str();
    case RunsColumn::interval:
        return language.translate("RunsModel", "MTC 95 % interval").str();
    case RunsColumn::temperature:
        return language.translate("RunsModel", "Column temperature (°C)").str();
    case RunsColumn::hog:
        return language.translate("RunsModel", "HOG (m)").str();
    case RunsColumn::mtcColburn:
        return withUnit(language.translate("RunsModel", "MTC (Colburn)"),
                        language.translate("RunsModel", "%1/m³").arg(flowUnit).str());
    case RunsColumn::hogColburn:
        return language.translate("RunsModel", "HOG (Colburn) (m)").str();
    }
    return {};
}

std::optional<double> runsColumnValue(const series::Run& run, const series::RunResult& result, RunsColumn column)
{
    const auto& point = result.balance.point;
    switch (column) {
    case RunsColumn::y1:
        return run.inputs.y1;
    case RunsColumn::x1:
        return run.inputs.x1;
    case RunsColumn::gasFlow:
        return run.inputs.gasFlow;
    case RunsColumn::waterFlow:
        return run.inputs.waterFlow;
    case RunsColumn::eqX:
        return point ? std::optional(point->x) : std::nullopt;
    case RunsColumn::eqY:
        return point ? std::optional(point->y) : std::nullopt;
    case RunsColumn::y2:
        return result.balance.y2;
    case RunsColumn::ntu:
        return result.ntu;
    case RunsColumn::ntuColburn:
        return result.ntuColburn;
    case RunsColumn::packingHeight:
        return run.packingHeight;
    case RunsColumn::mtc:
        return result.mtc;
    case RunsColumn::temperature:
        return run.temperature;
    case RunsColumn::hog:
        return result.hog;
    case RunsColumn::mtcColburn:
        return result.mtcColburn;
    case RunsColumn::hogColburn:
        return result.hogColburn;
    default:
        break;
    }
    return std::nullopt;
}

namespace {

// Whether the run's readings give the input of that column.
bool givenByReadings(const series::Run& run, RunsColumn column)
{
    if (!run.readings)
        return false;
    const auto converted = series::inputsFromReadings(*run.readings, series::flowUnits[0]);
    const auto* given = std::get_if<series::InputsFromReadings>(&converted);
    if (!given)
        return false;
    switch (column) {
    case RunsColumn::y1:
        return given->y1.has_value();
    case RunsColumn::x1:
        return given->x1.has_value();
    case RunsColumn::gasFlow:
        return given->gasFlow.has_value();
    case RunsColumn::waterFlow:
        return given->waterFlow.has_value();
    default:
        return false;
    }
}

}  // namespace

RunsCell runsNumberCell(const series::Run& run, const series::RunResult& result, RunsColumn column,
                        const NumberLocale& locale, const Language& language)
{
    const std::optional<double> value = runsColumnValue(run, result, column);
    RunsCell cell;
    // Inputs as they were typed, those the readings give as computed
    // inputs are shown; results rounded as the fields show them.
    const bool input = column == RunsColumn::y1 || column == RunsColumn::x1 || column == RunsColumn::gasFlow
        || column == RunsColumn::waterFlow || column == RunsColumn::packingHeight || column == RunsColumn::temperature;
    if (value) {
        cell.text = !input                 ? resultText(*value, locale)
            : givenByReadings(run, column) ? readInputText(*value, locale)
                                           : exactText(*value, locale);
        cell.tip = exactText(*value, locale);
    }
    if (column == RunsColumn::ntu && result.outcome != absorber::Outcome::completed)
        cell.text = outcomeName(language, result.outcome);
    if (column == RunsColumn::mtc && !value && result.coefficientOutcome)
        cell.tip = outcomeName(language, *result.coefficientOutcome);
    return cell;
}

std::vector<std::string> runsRunTip(const series::Run& run, const series::RunResult& result, const Language& language)
{
    std::vector<std::string> tip;
    if (result.outcome != absorber::Outcome::completed)
        tip.push_back(
            language.translate("RunsModel", "Not completed: %1").arg(outcomeName(language, result.outcome)).str());
    for (std::string& message : findingMessages(language, series::findingsOf(run, result)))
        tip.push_back(std::move(message));
    return tip;
}

std::string runsExcludedTip(const series::Run& run, const series::RunResult& result, const Language& language)
{
    if (run.excluded || run.included || series::findingsOf(run, result).empty())
        return {};
    return language.translate("RunsModel", "Left out of the analysis for its findings; clear the mark to take it in.")
        .str();
}

std::optional<std::string> missingUncertaintyReason(
    const series::Run& run, const series::RunResult& result, const series::Uncertainties& defaults,
    const std::variant<series::MonteCarlo, series::NotGiven>& monteCarlo, const Language& language,
    const NumberLocale& locale)
{
    if (!result.mtc)
        return language.translate("RunsModel", "no coefficient").str();
    if (!series::hasUncertainty(run, defaults))
        return language.translate("RunsModel", "no uncertainties given").str();
    if (const auto* notGiven = std::get_if<series::NotGiven>(&monteCarlo))
        return seriesMessage(notGiven->reason, language, locale);
    return std::nullopt;
}

RunsCell runsUncertaintyCell(RunsColumn column, const series::Run& run, const series::RunResult& result,
                             const series::Uncertainties& defaults, UncertaintyStatus status,
                             const std::variant<series::MonteCarlo, series::NotGiven>& monteCarlo,
                             const std::string& draws, const NumberLocale& locale, const Language& language)
{
    // A missing U says why where the U would be; the interval's cell shows
    // a dash, the reason in both tips.
    const auto missing = [&](const std::string& reason, const std::string& tip) {
        return column == RunsColumn::uncertainty ? RunsCell{missingUncertaintyText(reason, language), tip}
                                                 : RunsCell{"–", tip};
    };
    if (!result.mtc)
        return missing(*missingUncertaintyReason(run, result, defaults, monteCarlo, language, locale),
                       language.translate("RunsModel", "The run has no coefficient: give its packing height").str());
    if (!series::hasUncertainty(run, defaults))
        return missing(*missingUncertaintyReason(run, result, defaults, monteCarlo, language, locale),
                       language
                           .translate("RunsModel",
                                      "No input of this run has an uncertainty: give the series' uncertainties, or "
                                      "the run's own with Run Uncertainties…")
                           .str());
    switch (status) {
    case UncertaintyStatus::pending:
        return {"…", language.translate("RunsModel", "Being computed").str()};
    case UncertaintyStatus::cancelled:
        // Not computed yet, rather than not computed for good.
        return {language.translate("RunsModel", "not computed").str(),
                language
                    .translate("RunsModel",
                               "Cancelled: computed for the next export or report, or when the run or the "
                               "uncertainties change")
                    .str()};
    case UncertaintyStatus::known:
        break;
    }
    const auto* drawn = std::get_if<series::MonteCarlo>(&monteCarlo);
    if (!drawn) {
        const std::string reason = seriesMessage(std::get<series::NotGiven>(monteCarlo).reason, language, locale);
        return missing(reason, language.translate("RunsModel", "Not given: %1").arg(reason).str());
    }
    const double expanded = series::coverageFactor * drawn->u;
    const auto full = [&locale](double value) { return exactText(value, locale); };
    RunsCell cell;
    if (column == RunsColumn::uncertainty) {
        const ValueWithUncertainty shown = withUncertaintyText(*result.mtc, expanded, locale);
        cell.text = language.translate("RunsModel", "%1 ± %2").arg(shown.value).arg(shown.uncertainty).str();
    } else {
        // The ends to the last place of U.
        cell.text = language.translate("RunsModel", "%1 to %2")
                        .arg(withUncertaintyText(drawn->interval.low, expanded, locale).value)
                        .arg(withUncertaintyText(drawn->interval.high, expanded, locale).value)
                        .str();
    }
    cell.tip = language.translate("RunsModel", "Monte Carlo, %1 draws: u = %2, 95 % of the coefficients from %3 to %4")
                   .arg(draws)
                   .arg(full(drawn->u))
                   .arg(full(drawn->interval.low))
                   .arg(full(drawn->interval.high))
                   .str();
    return cell;
}

std::string missingUncertaintyText(const std::string& reason, const Language& language)
{
    return language.translate("RunsModel", "no U: %1").arg(reason).str();
}

std::string noUncertaintiesGivenText(const Language& language)
{
    return missingUncertaintyText(language.translate("RunsModel", "no uncertainties given").str(), language);
}

std::optional<InputField> runsColumnInput(RunsColumn column)
{
    switch (column) {
    case RunsColumn::y1:
        return InputField::y1;
    case RunsColumn::x1:
        return InputField::x1;
    case RunsColumn::gasFlow:
        return InputField::gasFlow;
    case RunsColumn::waterFlow:
        return InputField::waterFlow;
    case RunsColumn::packingHeight:
        return InputField::packingHeight;
    default:
        break;
    }
    return std::nullopt;
}

std::string equilibriumText(series::Equilibrium equilibrium, const Language& language)
{
    if (equilibrium == series::Equilibrium::runTemperature)
        return language.translate("RunsModel", "at each run's temperature (van 't Hoff, 4200 K)").str();
    return language.translate("RunsModel", "as tabulated at 30 °C").str();
}

std::string fittedText(series::Fitted fitted, const Language& language)
{
    if (fitted == series::Fitted::colburn)
        return language.translate("RunsModel", "Colburn coefficient").str();
    return language.translate("RunsModel", "Quillon's coefficient").str();
}

std::optional<MessageBox> temperatureRefusal(const Language& language, std::string_view typed,
                                             const std::optional<double>& value)
{
    if (value && absorber::usableTemperature(*value))
        return std::nullopt;
    return MessageBox{language.translate("RunsModel", "Column temperature").str(),
                      language
                          .translate("RunsModel",
                                     "%1 is not a column temperature. Type it in °C, above −273.15, "
                                     "or empty the cell for none.")
                          .arg(quoted(typed))
                          .str()};
}

}  // namespace present
