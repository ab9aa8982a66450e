// The browser edition's window on the core and the series library: the
// page calls these through embind and computes nothing itself.

#include "core/absorber.h"
#include "document.h"
#include "jsvalues.h"
#include "pagelocale.h"
#include "present/columnsteps.h"
#include "present/fittext.h"
#include "present/methodtext.h"
#include "present/numbers.h"
#include "present/readingsform.h"
#include "present/runstable.h"
#include "present/seriesmessages.h"
#include "present/svg.h"
#include "present/words.h"
#include "series/findings.h"
#include "series/fit.h"
#include "series/series.h"
#include "series/uncertainty.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using emscripten::val;
using namespace web;

// Both uncertainties of a run's coefficient, as the desktop computes them
// for a run of its series: from its readings where they have uncertainties,
// else from its inputs with the series' uncertainties merged with its own,
// at its equilibrium under the series' option; the Monte Carlo drawn from
// the seed every front end uses. `job` is Document::uncertaintyJob's:
// {gum, monteCarlo}, each {reason} when not given; null for bytes that are
// no job.
val uncertaintyOfJob(const val& job)
{
    const std::optional<PackedSeries> packed = unpackSeries(stringOf(job));
    if (!packed || packed->series.runs.size() != 1)
        return val::null();
    const series::RunUncertainty found = series::uncertaintyOf(packed->series.runs.front(), packed->series);
    val shown = val::object();
    shown.set("gum", shownGum(found.gum));
    shown.set("monteCarlo", shownMonteCarlo(found.monteCarlo));
    return shown;
}

val findMtcOf(double packingHeight, double ntu, double gasFlow)
{
    const absorber::Coefficient coefficient = absorber::findMtc(packingHeight, ntu, gasFlow);
    val shown = val::object();
    shown.set("outcome", outcomeOf(coefficient.outcome));
    shown.set("mtc", coefficient.mtc);
    return shown;
}

}  // namespace

EMSCRIPTEN_BINDINGS(quillon)
{
    emscripten::function("setPageLocale", &web::setPageLocale);
    emscripten::function("roundResult", &absorber::roundResult);
    emscripten::function("findMtc", &findMtcOf);
    emscripten::function("uncertaintyOfJob", &uncertaintyOfJob);
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
        .function("besideCells", &Document::besideCells)
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
        .function("fileBytes", &Document::fileBytes)
        // Opening in two steps, the runs integrated by workers between them.
        .function("readFile", &Document::readFile)
        .function("takeFile", &Document::takeFile)
        // A series packed for a worker and back.
        .function("packed", &Document::packed)
        .function("takePacked", &Document::takePacked)
        .function("uncertaintyKeys", &Document::uncertaintyKeys)
        .function("uncertaintyJob", &Document::uncertaintyJob)
        .function("labels", &Document::labels)
        .function("revision", &Document::revision)
        .function("markSaved", &Document::markSaved)
        .function("exportCsv", &Document::exportCsv)
        .function("flowUnit", &Document::flowUnit)
        // The series report's footnote on a run without U.
        .function("missingUncertaintyReason", &Document::missingUncertaintyReason);
}

// The series charts, drawn by the same C++ as the window's.
namespace {

// The coefficient against the gas flow, then against the water flow, as SVG
// in the page's language, for the analysis analyse gives.
val seriesChartsOf(const Document& document, bool weighted, const val& monteCarlo)
{
    val charts = val::array();
    for (const std::string& svg : present::pageSeriesCharts(document.analysis(weighted, monteCarlo),
                                                            document.flowUnit(), language(), numberLocale()))
        charts.call<void>("push", svg);
    return charts;
}

}  // namespace

EMSCRIPTEN_BINDINGS(quillon_charts)
{
    emscripten::function("seriesCharts", &seriesChartsOf);
}

namespace {

// The words: boxes, outcomes, findings, the fit and Help, in the page's
// language and numbers. Outcomes and findings come as their codes.

absorber::Outcome outcomeFrom(const std::string& code)
{
    for (const absorber::Outcome outcome : {absorber::Outcome::invalidData, absorber::Outcome::divisionByZero,
                                            absorber::Outcome::overflow, absorber::Outcome::invalidOperation}) {
        if (series::outcomeName(outcome) == code)
            return outcome;
    }
    return absorber::Outcome::completed;
}

std::string quotedOf(const std::string& text)
{
    return present::quoted(text);
}

val boxOf(const present::MessageBox& box)
{
    val shown = val::object();
    shown.set("title", box.title);
    shown.set("text", box.text);
    return shown;
}

// Null for an uncertainty the field may hold, else {title, text}.
val uncertaintyRefusalOf(const std::string& typed)
{
    const present::ParsedNumber number = present::parseNumber(typed, numberLocale());
    const auto refusal = present::uncertaintyRefusal(language(), typed, number && *number >= 0.0);
    return refusal ? boxOf(*refusal) : val::null();
}

std::string outcomeNameOf(const std::string& code)
{
    return present::outcomeName(language(), outcomeFrom(code));
}

// An unknown code is shown as it is.
std::string findingMessageOf(const std::string& code)
{
    for (const series::Finding finding :
         {series::Finding::gasFlowNotPositive, series::Finding::waterFlowNotPositive, series::Finding::negativeFraction,
          series::Finding::noAbsorption, series::Finding::aboveEquilibrium, series::Finding::drivingForceChangesSign,
          series::Finding::temperatureMissing, series::Finding::temperatureOutsideRange}) {
        if (series::findingCode(finding) == code)
            return present::findingMessage(language(), finding);
    }
    return code;
}

// `kind` as parseNumber gives it: "tooLarge" or anything else.
val conversionErrorOf(const std::string& fieldName, const std::string& typed, const std::string& kind)
{
    return boxOf(present::conversionError(
        language(), fieldName, typed,
        kind == "tooLarge" ? present::NumberFault::tooLarge : present::NumberFault::notANumber));
}

val faultBoxOf(const std::string& code)
{
    return boxOf(present::faultBox(language(), outcomeFrom(code)));
}

// Null for a completed outcome.
val outcomeBoxOf(const std::string& code, const std::string& invalidDataTitle)
{
    const auto box = present::outcomeBox(language(), outcomeFrom(code), invalidDataTitle);
    return box ? boxOf(*box) : val::null();
}

// The fit's lines under the charts, for the analysis analyse gives.
val fitLinesOf(const Document& document, bool weighted, const val& monteCarlo)
{
    val lines = val::array();
    for (const std::string& line :
         present::fitLines(document.analysis(weighted, monteCarlo), document.flowUnit(), language(), numberLocale()))
        lines.call<void>("push", line);
    return lines;
}

// The page's Help; counts grouped as the browser's locale writes ten million
// with its group separator.
std::string methodTextOf(const std::string& tenMillion, const std::string& groupSeparator)
{
    return present::methodText(language(), numberLocale(), present::groupingOf(tenMillion, groupSeparator),
                               present::HelpEdition::page);
}

}  // namespace

EMSCRIPTEN_BINDINGS(quillon_words)
{
    emscripten::function("outcomeName", &outcomeNameOf);
    emscripten::function("findingMessage", &findingMessageOf);
    emscripten::function("quoted", &quotedOf);
    emscripten::function("uncertaintyRefusal", &uncertaintyRefusalOf);
    emscripten::function("conversionError", &conversionErrorOf);
    emscripten::function("faultBox", &faultBoxOf);
    emscripten::function("outcomeBox", &outcomeBoxOf);
    emscripten::function("fitLines", &fitLinesOf);
    emscripten::function("methodText", &methodTextOf);
}

// The main window's Calculate and Find MTC, and the page's number texts, as
// present/ defines them for the window too: column.js reads the fields,
// shows the box and writes what comes back.
namespace {

const char* numberKindName(present::ParsedNumber::Kind kind)
{
    switch (kind) {
    case present::ParsedNumber::Kind::number:
        return "number";
    case present::ParsedNumber::Kind::tooLarge:
        return "tooLarge";
    case present::ParsedNumber::Kind::notANumber:
        break;
    }
    return "notANumber";
}

// {kind, value}: kind 'number', 'notANumber' or 'tooLarge'.
val parseNumberOf(const std::string& text)
{
    const present::ParsedNumber number = present::parseNumber(text, numberLocale());
    val shown = val::object();
    shown.set("kind", numberKindName(number.kind));
    if (number)
        shown.set("value", *number);
    return shown;
}

std::string numberTextOf(double value)
{
    return present::exactText(value, numberLocale());
}

std::string resultTextOf(double value)
{
    return present::resultText(value, numberLocale());
}

std::string significantTextOf(double value, int digits)
{
    return present::significantText(value, digits, numberLocale());
}

// An uncertainty as a lab report writes it: two significant digits.
std::string uncertaintyTextOf(double uncertainty)
{
    return present::uncertaintyText(uncertainty, numberLocale());
}

// A value and its standard uncertainty as a lab report writes them: the
// uncertainty to two significant digits, the value to its last place.
val withUncertaintyOf(double value, double uncertainty)
{
    const present::ValueWithUncertainty shown = present::withUncertaintyText(value, uncertainty, numberLocale());
    val pair = val::object();
    pair.set("value", shown.value);
    pair.set("uncertainty", shown.uncertainty);
    return pair;
}

std::string decimalPointOf()
{
    return numberLocale().decimalPoint;
}

// The page's fields by their ids.
const char* fieldId(present::InputField field)
{
    switch (field) {
    case present::InputField::y1:
        return "y1";
    case present::InputField::x1:
        return "x1";
    case present::InputField::gasFlow:
        return "gasFlow";
    case present::InputField::waterFlow:
        return "waterFlow";
    case present::InputField::packingHeight:
        break;
    }
    return "height";
}

// null, or {kind: 'conversionError', field, number}, {kind: 'invalidData'}
// or {kind: 'fault', fault}.
val messageOf(const present::Message& message)
{
    val shown = val::object();
    switch (message.kind) {
    case present::Message::Kind::none:
        return val::null();
    case present::Message::Kind::conversionError:
        shown.set("kind", "conversionError");
        shown.set("field", fieldId(message.field));
        shown.set("number", numberKindName(message.number));
        break;
    case present::Message::Kind::invalidData:
        shown.set("kind", "invalidData");
        break;
    case present::Message::Kind::fault:
        shown.set("kind", "fault");
        shown.set("fault", outcomeOf(message.fault));
        break;
    }
    return shown;
}

// null for a field left as it is, {shown: false} for one emptied, or
// {shown: true, text, full}.
val resultChangeOf(const present::ResultChange& change)
{
    if (change.kind == present::ResultChange::Kind::unchanged)
        return val::null();
    val shown = val::object();
    shown.set("shown", change.kind == present::ResultChange::Kind::shown);
    shown.set("text", change.text);
    shown.set("full", change.full);
    return shown;
}

val stepOf(const present::ColumnStep& step)
{
    val shown = val::object();
    shown.set("message", messageOf(step.message));
    val results = val::object();
    results.set("eqY", resultChangeOf(step.results.eqY));
    results.set("y2", resultChangeOf(step.results.y2));
    results.set("ntu", resultChangeOf(step.results.ntu));
    results.set("mtc", resultChangeOf(step.results.mtc));
    shown.set("results", results);
    shown.set("completed", step.run.has_value() || step.coefficient.has_value());
    if (step.coefficient) {
        shown.set("packingHeight", step.coefficient->packingHeight);
        shown.set("mtc", step.coefficient->mtc);
    }
    return shown;
}

absorber::Outcome outcomeNamed(const val& name)
{
    using absorber::Outcome;
    for (const Outcome outcome : {Outcome::completed, Outcome::invalidData, Outcome::invalidOperation,
                                  Outcome::divisionByZero, Outcome::overflow}) {
        if (outcomeOf(outcome).strictlyEquals(name))
            return outcome;
    }
    return Outcome::invalidData;
}

// What the main window keeps between clicks, and its two steps. The
// document computes and holds the run, so Calculate comes in two halves:
// the fields read, then what the document's calculate answered.
class ColumnSteps {
public:
    // The texts of y1, x1, gasFlow and waterFlow: the step so far, with the
    // inputs for the document's calculate when all four read.
    val read(const val& texts)
    {
        const auto number = [&texts](const char* id) {
            return present::parseNumber(texts[id].as<std::string>(), numberLocale());
        };
        const present::ColumnReading reading =
            present::readColumnFields(kept, {number("y1"), number("x1"), number("gasFlow"), number("waterFlow")});
        kept = reading.step.kept;
        pending = reading.inputs;
        val shown = stepOf(reading.step);
        shown.set("inputs", val::null());
        if (reading.inputs) {
            val inputs = val::object();
            inputs.set("y1", reading.inputs->y1);
            inputs.set("x1", reading.inputs->x1);
            inputs.set("gasFlow", reading.inputs->gasFlow);
            inputs.set("waterFlow", reading.inputs->waterFlow);
            shown.set("inputs", inputs);
        }
        return shown;
    }

    // The rest of Calculate, from the document's answer for the inputs read.
    val calculated(const val& answer)
    {
        absorber::Balance balance;
        std::optional<absorber::Integration> integration;
        const bool balanced = answer["step"].as<std::string>() != "balance";
        balance.outcome = balanced ? absorber::Outcome::completed : outcomeNamed(answer["outcome"]);
        if (!answer["point"].isNull())
            balance.point =
                absorber::EquilibriumPoint{answer["point"]["x"].as<double>(), answer["point"]["y"].as<double>()};
        if (!answer["y2"].isNull())
            balance.y2 = answer["y2"].as<double>();
        if (balanced) {
            const absorber::Outcome outcome = outcomeNamed(answer["outcome"]);
            integration = absorber::Integration{
                outcome, outcome == absorber::Outcome::completed ? answer["ntu"].as<double>() : 0.0};
        }
        const present::ColumnStep step = present::calculatedColumn(kept, pending.value_or(absorber::RunInputs{}),
                                                                   balance, integration, numberLocale());
        kept = step.kept;
        pending.reset();
        return stepOf(step);
    }

    val findMtc(const std::string& height, bool runInSeries)
    {
        const present::ColumnStep step =
            present::findMtc(kept, present::parseNumber(height, numberLocale()), runInSeries, numberLocale());
        kept = step.kept;
        return stepOf(step);
    }

private:
    present::ColumnState kept;
    std::optional<absorber::RunInputs> pending;
};

}  // namespace

EMSCRIPTEN_BINDINGS(quillon_column)
{
    emscripten::function("parseNumber", &parseNumberOf);
    emscripten::function("numberText", &numberTextOf);
    emscripten::function("resultText", &resultTextOf);
    emscripten::function("significantText", &significantTextOf);
    emscripten::function("uncertaintyText", &uncertaintyTextOf);
    emscripten::function("withUncertainty", &withUncertaintyOf);
    emscripten::function("decimalPoint", &decimalPointOf);
    emscripten::class_<ColumnSteps>("ColumnSteps")
        .constructor<>()
        .function("read", &ColumnSteps::read)
        .function("calculated", &ColumnSteps::calculated)
        .function("findMtc", &ColumnSteps::findMtc);
}

// The page's series report: the words present/ has for what the page
// prints that the other bindings do not give.
namespace {

std::string notCompletedTextOf(const std::string& code)
{
    return present::notCompletedText(language(), outcomeFrom(code));
}

}  // namespace

namespace {

// A series message the page carried as its code (a worker's reason), in the
// page's words.
std::string seriesMessageOf(const val& message)
{
    return present::seriesMessage(web::messageOf(message), language(), numberLocale());
}

}  // namespace

// Why the fit cannot be weighted, for the analysis' weighting box.
namespace {

// Null while every run in the fit has an uncertainty.
val unweightedTextOf(const Document& document, const val& monteCarlo)
{
    const auto why = present::unweightedText(document.analysis(true, monteCarlo), language());
    return why ? val(*why) : val::null();
}

}  // namespace

namespace {

// A run's input corrected in its cell: null once made (or when it is the
// run's already), otherwise the main window's message for it.
val setRunInputOf(Document& document, int row, const std::string& field, const std::string& text)
{
    return messageOf(document.setInput(row, field, text).message);
}

}  // namespace

EMSCRIPTEN_BINDINGS(quillon_report)
{
    emscripten::function("notCompletedText", &notCompletedTextOf);
}

EMSCRIPTEN_BINDINGS(quillon_run_inputs)
{
    emscripten::function("setRunInput", &setRunInputOf);
}

EMSCRIPTEN_BINDINGS(quillon_weighting)
{
    emscripten::function("unweightedText", &unweightedTextOf);
}

EMSCRIPTEN_BINDINGS(quillon_series_messages)
{
    emscripten::function("seriesMessage", &seriesMessageOf);
}

// A class's series: the runs integrated in workers, and the analysis in one call.
namespace {

// {why, charts, lines}: the weighting box's reason (null when the fit can
// be weighted), both charts as SVG and the fit's lines, from one reading of
// the page's Monte Carlo results; a null result is still being computed,
// and the weighted fit waits for it.
val analysisViewOf(const Document& document, bool weighted, const val& monteCarlo)
{
    const std::vector<series::RunUncertainty> found = document.runUncertainties(monteCarlo);
    present::Computing computing{std::vector<bool>(found.size()), weighted};
    const auto given = monteCarlo["length"].as<std::size_t>();
    for (std::size_t row = 0; row < given && row < found.size(); ++row)
        computing.pending[row] = monteCarlo[row].isNull();
    const series::Analysis shown = present::analysisAsShown(document.analysis(weighted, found), computing);
    const auto why = present::unweightedText(weighted ? shown : document.analysis(true, found), language(), computing);
    val view = val::object();
    view.set("why", why ? val(*why) : val::null());
    val charts = val::array();
    for (const std::string& svg : present::pageSeriesCharts(shown, document.flowUnit(), language(), numberLocale()))
        charts.call<void>("push", svg);
    view.set("charts", charts);
    val lines = val::array();
    for (const std::string& line :
         present::fitLines(shown, document.flowUnit(), language(), numberLocale(), computing, false))
        lines.call<void>("push", line);
    view.set("lines", lines);
    // How many runs the fit takes while it waits, for the page to count on.
    const auto awaited = present::weightsAwaited(shown, computing);
    view.set("awaitedOf", awaited ? val(awaited->of) : val::null());
    return view;
}

}  // namespace

EMSCRIPTEN_BINDINGS(quillon_class_series)
{
    emscripten::function("integrateRuns", &web::integrateRuns);
    emscripten::function("analysisView", &analysisViewOf);
}

// A class's series edited in place: what the page redraws after a step, the
// run chooser's labels in one text, and whether the analysis must be drawn
// again.
namespace {

val changedRowsOf(const Document& document)
{
    return document.changedRows();
}

std::string choiceLabelsOf(const Document& document)
{
    return document.choiceLabels();
}

std::string analysisKeyOf(const Document& document)
{
    return document.analysisKey();
}

}  // namespace

EMSCRIPTEN_BINDINGS(quillon_in_place)
{
    emscripten::function("changedRows", &changedRowsOf);
    emscripten::function("choiceLabels", &choiceLabelsOf);
    emscripten::function("analysisKey", &analysisKeyOf);
}

// The lab's readings per run, the column temperature in its cell and the
// analysis' choice of coefficient, as the window has them.
namespace {

val readingsFormOf(const Document& document, int row)
{
    return document.readingsForm(row);
}

std::string readingsGivenOf(const Document& document, int row, const val& texts, const val& units)
{
    return document.readingsGiven(row, texts, units);
}

val setReadingsOf(Document& document, int row, const val& texts, const val& units)
{
    return document.setReadings(row, texts, units);
}

val readingTitlesOf(const Document& document)
{
    return document.readingTitles();
}

val readingCellsOf(const Document& document, int row)
{
    return document.readingCells(row);
}

val setRunTemperatureOf(Document& document, int row, const std::string& text)
{
    return document.setTemperature(row, text);
}

void setFittedOf(Document& document, const std::string& name)
{
    document.setFitted(name);
}

std::string fittedOf(const Document& document)
{
    return document.fitted();
}

// The choice as the Coefficient box words it.
std::string fittedTextOf(const Document& document)
{
    return present::fittedText(series::fittedNamed(document.fitted()).value_or(series::Fitted::quillon), language());
}

// The series' equilibrium option in the words the reports give it: the
// scaling with its constant and source, or the table's.
std::string equilibriumMethodOf(const Document& document)
{
    if (document.field("equilibrium") != series::equilibriumName(series::Equilibrium::runTemperature))
        return language().translate("RunPdf", "Equilibrium: as tabulated at 30 °C.").str();
    return language()
        .translate("RunPdf",
                   "Equilibrium at each run's temperature T: the table's y* × exp(%1 K · (1/303.15 K − 1/T)), the "
                   "van 't Hoff temperature dependence of NH3's Henry's-law solubility (%2).")
        .arg(present::exactText(absorber::vanTHoffSlope, numberLocale()))
        .arg(std::string(series::equilibriumSource))
        .str();
}

// A reading's line of a budget, with its unit, as the desktop's report names it.
std::string budgetReadingNameOf(int reading)
{
    return present::budgetReadingName(series::Reading(reading), language());
}

}  // namespace

EMSCRIPTEN_BINDINGS(quillon_readings)
{
    emscripten::function("readingsForm", &readingsFormOf);
    emscripten::function("readingsGiven", &readingsGivenOf);
    emscripten::function("setReadings", &setReadingsOf);
    emscripten::function("readingTitles", &readingTitlesOf);
    emscripten::function("readingCells", &readingCellsOf);
    emscripten::function("setRunTemperature", &setRunTemperatureOf);
    emscripten::function("setFitted", &setFittedOf);
    emscripten::function("fitted", &fittedOf);
    emscripten::function("fittedText", &fittedTextOf);
    emscripten::function("equilibriumMethod", &equilibriumMethodOf);
    emscripten::function("budgetReadingName", &budgetReadingNameOf);
}

// The analysis' waiting line for a count, rewritten as the progress advances.
namespace {

std::string weightsAwaitedLineOf(int done, int of)
{
    return present::weightsAwaitedLine({std::size_t(done), std::size_t(of)}, language());
}

}  // namespace

EMSCRIPTEN_BINDINGS(quillon_weights_awaited)
{
    emscripten::function("weightsAwaitedLine", &weightsAwaitedLineOf);
}
