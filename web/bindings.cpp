// The browser edition's window on the core and the series library: the
// page calls these through embind and computes nothing itself.

#include "core/absorber.h"
#include "series/csv.h"
#include "series/file.h"
#include "series/findings.h"
#include "series/series.h"
#include "series/uncertainty.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace {

using emscripten::val;

val numberOrNull(const std::optional<double>& value)
{
    return value ? val(*value) : val::null();
}

val outcomeOf(absorber::Outcome outcome)
{
    return val(std::string(series::outcomeName(outcome)));
}

// A copy of the bytes as a Uint8Array, so that no view into the module's
// memory outlives a call.
val bytesOf(const std::string& text)
{
    const auto* data = reinterpret_cast<const unsigned char*>(text.data());
    return val::global("Uint8Array").new_(emscripten::typed_memory_view(text.size(), data));
}

std::string stringOf(const val& bytes)
{
    const auto size = bytes["length"].as<std::size_t>();
    std::string text(size, '\0');
    val(emscripten::typed_memory_view(size, reinterpret_cast<unsigned char*>(text.data()))).call<void>("set", bytes);
    return text;
}

template <typename T>
val arrayOf(const std::vector<T>& values)
{
    val array = val::array();
    for (const T& value : values)
        array.call<void>("push", val(value));
    return array;
}

val balanceOf(const absorber::Balance& balance)
{
    val shown = val::object();
    shown.set("point", val::null());
    if (balance.point) {
        val point = val::object();
        point.set("x", balance.point->x);
        point.set("y", balance.point->y);
        shown.set("point", point);
    }
    shown.set("slope", balance.slope);
    shown.set("y2", numberOrNull(balance.y2));
    return shown;
}

std::optional<double> optionalNumber(const val& object, const char* key)
{
    const val value = object[key];
    if (value.isNull() || value.isUndefined())
        return std::nullopt;
    return value.as<double>();
}

series::Uncertainties uncertaintiesOf(const val& given)
{
    return {optionalNumber(given, "gasFlowRel"), optionalNumber(given, "waterFlowRel"), optionalNumber(given, "y1"),
            optionalNumber(given, "x1"), optionalNumber(given, "packingHeight")};
}

series::Run runOf(double y1, double x1, double gasFlow, double waterFlow, double packingHeight)
{
    return {{y1, x1, gasFlow, waterFlow}, packingHeight, {}, false, {}};
}

val interval(series::Interval range)
{
    val shown = val::array();
    shown.call<void>("push", range.low);
    shown.call<void>("push", range.high);
    return shown;
}

val notGiven(const series::NotGiven& reason)
{
    val shown = val::object();
    shown.set("reason", reason.reason);
    return shown;
}

// The GUM's first-order uncertainty of a run's coefficient, or why there is none.
val gumOf(double y1, double x1, double gasFlow, double waterFlow, double packingHeight, const val& given)
{
    const auto found = series::gum(runOf(y1, x1, gasFlow, waterFlow, packingHeight), uncertaintiesOf(given));
    if (const auto* reason = std::get_if<series::NotGiven>(&found))
        return notGiven(*reason);
    const series::Gum& gum = std::get<series::Gum>(found);
    val shown = val::object();
    shown.set("mtc", gum.mtc);
    shown.set("u", gum.u);
    shown.set("ntu", gum.ntu);
    shown.set("uNtu", gum.uNtu);
    val budget = val::array();
    for (const series::BudgetLine& line : gum.budget) {
        val entry = val::object();
        entry.set("input", int(line.input));
        entry.set("value", line.value);
        entry.set("uncertainty", line.uncertainty);
        entry.set("sensitivity", line.sensitivity);
        entry.set("sharePercent", line.sharePercent);
        budget.call<void>("push", entry);
    }
    shown.set("budget", budget);
    return shown;
}

// The adaptive Monte Carlo uncertainty of a run's coefficient, or why there is none.
val monteCarloOf(double y1, double x1, double gasFlow, double waterFlow, double packingHeight, const val& given,
                 double seed)
{
    const auto found = series::monteCarlo(runOf(y1, x1, gasFlow, waterFlow, packingHeight), uncertaintiesOf(given),
                                          std::uint64_t(seed));
    if (const auto* reason = std::get_if<series::NotGiven>(&found))
        return notGiven(*reason);
    const series::MonteCarlo& mc = std::get<series::MonteCarlo>(found);
    val shown = val::object();
    shown.set("mtc", mc.mtc);
    shown.set("u", mc.u);
    shown.set("interval", interval(mc.interval));
    shown.set("ntu", mc.ntu);
    shown.set("uNtu", mc.uNtu);
    shown.set("ntuInterval", interval(mc.ntuInterval));
    shown.set("draws", double(mc.draws));
    shown.set("failedDraws", double(mc.failedDraws));
    shown.set("stabilised", mc.stabilised);
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
    const series::RunResult result = series::computeRun({{y1, x1, gasFlow, waterFlow}, std::nullopt, {}, false, {}});
    val shown = val::object();
    shown.set("outcome", outcomeOf(result.outcome));
    shown.set("ntu", numberOrNull(result.ntu));
    shown.set("ntuColburn", numberOrNull(result.ntuColburn));
    return shown;
}

// The series the page works on, with the undo history of its edits. Each
// run keeps an identity while it is in the series, whatever is deleted or
// undone around it, as the desktop's runs table does.
class Document {
public:
    // Calculate: the balance, then the NTU sum; a completed run joins the
    // series. The answer tells how far it got.
    val calculate(double y1, double x1, double gasFlow, double waterFlow)
    {
        const absorber::RunInputs inputs{y1, x1, gasFlow, waterFlow};
        const absorber::Balance balance = absorber::closeBalance(inputs);
        val shown = balanceOf(balance);
        shown.set("outcome", outcomeOf(balance.outcome));
        shown.set("step", "balance");
        if (balance.outcome != absorber::Outcome::completed)
            return shown;
        const absorber::Integration integration = absorber::integrateNtu(balance.limits);
        shown.set("outcome", outcomeOf(integration.outcome));
        shown.set("step", "integration");
        if (integration.outcome != absorber::Outcome::completed)
            return shown;
        shown.set("ntu", integration.ntu);

        const series::Run run{inputs, std::nullopt, {}, false, {}};
        const series::RunResult result = series::completedRun(run, balance, integration.ntu);
        change();
        now.series.runs.push_back(run);
        now.results.push_back(result);
        now.ids.push_back(nextId);
        shown.set("id", nextId++);
        shown.set("findings", findingsAt(now.results.size() - 1));
        return shown;
    }

    // Find MTC completed for the run of that identity; an identity no run
    // has is ignored.
    void setMtc(int id, double packingHeight, double mtc)
    {
        if (indexOf(id) < 0)
            return;
        const auto row = std::size_t(indexOf(id));
        change();
        now.series.runs[row].packingHeight = packingHeight;
        now.results[row].coefficientOutcome = absorber::Outcome::completed;
        now.results[row].mtc = mtc;
    }

    int size() const { return int(now.series.runs.size()); }

    // The row of the run of that identity; -1 when no run has it.
    int indexOf(int id) const
    {
        const auto found = std::find(now.ids.begin(), now.ids.end(), id);
        return found == now.ids.end() ? -1 : int(found - now.ids.begin());
    }

    val run(int row) const
    {
        const series::Run& run = now.series.runs.at(std::size_t(row));
        const series::RunResult& result = now.results.at(std::size_t(row));
        val shown = balanceOf(result.balance);
        shown.set("id", now.ids.at(std::size_t(row)));
        shown.set("label", run.label);
        shown.set("excluded", run.excluded);
        shown.set("y1", run.inputs.y1);
        shown.set("x1", run.inputs.x1);
        shown.set("gasFlow", run.inputs.gasFlow);
        shown.set("waterFlow", run.inputs.waterFlow);
        shown.set("packingHeight", numberOrNull(run.packingHeight));
        shown.set("outcome", outcomeOf(result.outcome));
        shown.set("ntu", numberOrNull(result.ntu));
        shown.set("ntuColburn", numberOrNull(result.ntuColburn));
        shown.set("coefficientOutcome",
                  result.coefficientOutcome ? outcomeOf(*result.coefficientOutcome) : val::null());
        shown.set("mtc", numberOrNull(result.mtc));
        shown.set("findings", findingsAt(std::size_t(row)));
        return shown;
    }

    void setLabel(int row, const std::string& label)
    {
        if (now.series.runs.at(std::size_t(row)).label == label)
            return;
        change();
        now.series.runs[std::size_t(row)].label = label;
    }

    void setExcluded(int row, bool excluded)
    {
        change();
        now.series.runs.at(std::size_t(row)).excluded = excluded;
    }

    // Deletes the rows given, as one step.
    void remove(const val& rows)
    {
        std::set<std::size_t> gone;
        for (const int row : emscripten::vecFromJSArray<int>(rows)) {
            if (row >= 0 && row < size())
                gone.insert(std::size_t(row));
        }
        if (gone.empty())
            return;
        change();
        for (auto row = gone.rbegin(); row != gone.rend(); ++row) {
            now.series.runs.erase(now.series.runs.begin() + std::ptrdiff_t(*row));
            now.results.erase(now.results.begin() + std::ptrdiff_t(*row));
            now.ids.erase(now.ids.begin() + std::ptrdiff_t(*row));
        }
    }

    bool canUndo() const { return !done.empty(); }
    bool canRedo() const { return !undone.empty(); }

    void undo()
    {
        if (done.empty())
            return;
        undone.push_back(std::move(now));
        now = std::move(done.back());
        done.pop_back();
    }

    void redo()
    {
        if (undone.empty())
            return;
        done.push_back(std::move(now));
        now = std::move(undone.back());
        undone.pop_back();
    }

    // Unsaved: changed since the last open or save, or imported from CSV
    // and never saved.
    bool modified() const { return importedUnsaved || now.revision != savedRevision; }

    void newSeries() { replace({}, {}, false); }

    // A .quillon file's series, computed again: {ok, differences, notices}
    // or {ok: false, error}. Nothing changes unless it is read.
    val open(const val& bytes, const std::string& name)
    {
        series::ReadSeries read = series::readSeriesFile(stringOf(bytes));
        if (const auto* error = std::get_if<series::ReadError>(&read))
            return refused(*error, name);
        series::OpenedSeries& opened = std::get<series::OpenedSeries>(read);
        std::vector<series::RunResult> results = computeAll(opened.series);
        val shown = accepted(opened.notices, name);
        std::set<std::size_t> differing;
        for (const series::Difference& difference : series::compareResults(opened.stored, results))
            differing.insert(difference.run + 1);
        shown.set("differences", arrayOf(std::vector<std::size_t>(differing.begin(), differing.end())));
        replace(std::move(opened.series), std::move(results), false);
        return shown;
    }

    // A CSV file's runs as a new series, not yet saved.
    val importCsv(const val& bytes, const std::string& name)
    {
        series::ImportResult read = series::importCsv(stringOf(bytes));
        if (const auto* error = std::get_if<series::ReadError>(&read))
            return refused(*error, name);
        series::ImportedSeries& imported = std::get<series::ImportedSeries>(read);
        std::vector<series::RunResult> results = computeAll(imported.series);
        val shown = accepted(imported.notices, name);
        shown.set("differences", val::array());
        replace(std::move(imported.series), std::move(results), true);
        return shown;
    }

    // The .quillon file's bytes; the series counts as saved from here on.
    val save()
    {
        savedRevision = now.revision;
        importedUnsaved = false;
        return bytesOf(series::writeSeriesFile(now.series, now.results));
    }

    val exportCsv() const { return bytesOf(series::exportCsv(now.series, now.results)); }

    std::string flowUnit() const { return now.series.flowUnit; }

private:
    struct State {
        series::Series series;
        std::vector<series::RunResult> results;
        std::vector<int> ids;
        int revision = 0;
    };

    // Before each edit: what undo goes back to.
    void change()
    {
        done.push_back(now);
        undone.clear();
        now.revision = ++revisions;
    }

    void replace(series::Series runs, std::vector<series::RunResult> results, bool fromCsv)
    {
        done.clear();
        undone.clear();
        now = {std::move(runs), std::move(results), {}, ++revisions};
        for (std::size_t row = 0; row < now.series.runs.size(); ++row)
            now.ids.push_back(nextId++);
        savedRevision = now.revision;
        importedUnsaved = fromCsv;
    }

    static std::vector<series::RunResult> computeAll(const series::Series& series)
    {
        // One job: the module has no threads.
        return series::computeRuns(series.runs, 1).value_or(std::vector<series::RunResult>{});
    }

    static val refused(const series::ReadError& error, const std::string& name)
    {
        val shown = val::object();
        shown.set("ok", false);
        shown.set("error", series::describe(error, name));
        return shown;
    }

    static val accepted(const std::vector<series::Notice>& notices, const std::string& name)
    {
        val shown = val::object();
        shown.set("ok", true);
        val lines = val::array();
        for (const series::Notice& notice : notices)
            lines.call<void>("push", series::describe(notice, name));
        shown.set("notices", lines);
        return shown;
    }

    val findingsAt(std::size_t row) const
    {
        val codes = val::array();
        for (const series::Finding finding : series::findingsOf(now.series.runs[row], now.results[row]))
            codes.call<void>("push", std::string(series::findingCode(finding)));
        return codes;
    }

    State now;
    std::vector<State> done;
    std::vector<State> undone;
    int revisions = 0;
    int savedRevision = 0;
    bool importedUnsaved = false;
    int nextId = 1;
};

}  // namespace

EMSCRIPTEN_BINDINGS(quillon)
{
    emscripten::function("roundResult", &absorber::roundResult);
    emscripten::function("findMtc", &findMtcOf);
    emscripten::function("afterCalculate", &afterCalculateOf);
    emscripten::function("equilibriumTable", &equilibriumTable);
    emscripten::function("computeRun", &computeRunOf);
    emscripten::function("gum", &gumOf);
    emscripten::function("monteCarlo", &monteCarloOf);
    emscripten::constant("maxGasFraction", absorber::maxGasFraction);
    emscripten::constant("ntuSteps", absorber::ntuSteps);
    emscripten::class_<Document>("Document")
        .constructor<>()
        .function("calculate", &Document::calculate)
        .function("setMtc", &Document::setMtc)
        .function("size", &Document::size)
        .function("indexOf", &Document::indexOf)
        .function("run", &Document::run)
        .function("setLabel", &Document::setLabel)
        .function("setExcluded", &Document::setExcluded)
        .function("remove", &Document::remove)
        .function("canUndo", &Document::canUndo)
        .function("canRedo", &Document::canRedo)
        .function("undo", &Document::undo)
        .function("redo", &Document::redo)
        .function("modified", &Document::modified)
        .function("newSeries", &Document::newSeries)
        .function("open", &Document::open)
        .function("importCsv", &Document::importCsv)
        .function("save", &Document::save)
        .function("exportCsv", &Document::exportCsv)
        .function("flowUnit", &Document::flowUnit);
}
