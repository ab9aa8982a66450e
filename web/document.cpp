#include "document.h"

#include "series/analysis.h"
#include "series/csv.h"
#include "series/file.h"
#include "series/findings.h"
#include "series/uncertainty.h"
#include "jsvalues.h"

#include <emscripten/bind.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <set>
#include <utility>

namespace web {
namespace {

std::vector<series::RunResult> computeAll(const series::Series& series)
{
    // One job: the module has no threads.
    return series::computeRuns(series.runs, 1).value_or(std::vector<series::RunResult>{});
}

val refused(const series::ReadError& error, const std::string& name)
{
    val shown = val::object();
    shown.set("ok", false);
    shown.set("error", series::describe(error, name));
    return shown;
}

val accepted(const std::vector<series::Notice>& notices, const std::string& name)
{
    val shown = val::object();
    shown.set("ok", true);
    val lines = val::array();
    for (const series::Notice& notice : notices)
        lines.call<void>("push", series::describe(notice, name));
    shown.set("notices", lines);
    return shown;
}

// Bit for bit, so that -0 and 0 are two runs.
bool sameInputs(const absorber::RunInputs& a, const absorber::RunInputs& b)
{
    const auto bits = [](double value) { return std::bit_cast<std::uint64_t>(value); };
    return bits(a.y1) == bits(b.y1) && bits(a.x1) == bits(b.x1) && bits(a.gasFlow) == bits(b.gasFlow)
        && bits(a.waterFlow) == bits(b.waterFlow);
}

// The series' text field of that name, or null.
template <typename Series>
auto* fieldNamed(Series& series, const std::string& name)
{
    decltype(&series.title) found = nullptr;
    if (name == "title")
        found = &series.title;
    else if (name == "people")
        found = &series.people;
    else if (name == "date")
        found = &series.date;
    else if (name == "flowUnit")
        found = &series.flowUnit;
    else if (name == "notes")
        found = &series.notes;
    return found;
}

}  // namespace

val Document::calculate(double y1, double x1, double gasFlow, double waterFlow, int last)
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

    // Calculate pressed again on the same inputs shows the same run again.
    if (const int row = indexOf(last); row >= 0 && sameInputs(now.series.runs[std::size_t(row)].inputs, inputs)) {
        shown.set("id", last);
        shown.set("added", false);
        shown.set("findings", findingsAt(std::size_t(row)));
        return shown;
    }
    series::Run run;
    run.inputs = inputs;
    const series::RunResult result = series::completedRun(run, balance, integration.ntu);
    change();
    now.series.runs.push_back(run);
    now.results.push_back(result);
    now.ids.push_back(nextId);
    shown.set("id", nextId++);
    shown.set("added", true);
    shown.set("findings", findingsAt(now.results.size() - 1));
    return shown;
}

void Document::setMtc(int id, double packingHeight, double mtc)
{
    if (indexOf(id) < 0)
        return;
    const auto row = std::size_t(indexOf(id));
    const series::RunResult& result = now.results[row];
    if (now.series.runs[row].packingHeight == packingHeight && result.coefficientOutcome == absorber::Outcome::completed
        && result.mtc == mtc)
        return;
    change();
    now.series.runs[row].packingHeight = packingHeight;
    now.results[row].coefficientOutcome = absorber::Outcome::completed;
    now.results[row].mtc = mtc;
}

int Document::indexOf(int id) const
{
    const auto found = std::find(now.ids.begin(), now.ids.end(), id);
    return found == now.ids.end() ? -1 : int(found - now.ids.begin());
}

val Document::run(int row) const
{
    const series::Run& run = now.series.runs.at(std::size_t(row));
    const series::RunResult& result = now.results.at(std::size_t(row));
    val shown = balanceOf(result.balance);
    shown.set("id", now.ids.at(std::size_t(row)));
    shown.set("label", run.label);
    shown.set("excluded", run.excluded);
    shown.set("included", run.included);
    shown.set("inAnalysis", series::inAnalysis(run, result));
    shown.set("y1", run.inputs.y1);
    shown.set("x1", run.inputs.x1);
    shown.set("gasFlow", run.inputs.gasFlow);
    shown.set("waterFlow", run.inputs.waterFlow);
    shown.set("packingHeight", numberOrNull(run.packingHeight));
    shown.set("outcome", outcomeOf(result.outcome));
    shown.set("ntu", numberOrNull(result.ntu));
    shown.set("ntuColburn", numberOrNull(result.ntuColburn));
    shown.set("coefficientOutcome", result.coefficientOutcome ? outcomeOf(*result.coefficientOutcome) : val::null());
    shown.set("mtc", numberOrNull(result.mtc));
    shown.set("findings", findingsAt(std::size_t(row)));
    shown.set("uncertainty", shownUncertainties(run.uncertainty));
    shown.set("given", shownUncertainties(series::merged(now.series.uncertainty, run.uncertainty)));
    shown.set("hasUncertainty", series::hasUncertainty(run, now.series.uncertainty));
    return shown;
}

void Document::setLabel(int row, const std::string& label)
{
    if (now.series.runs.at(std::size_t(row)).label == label)
        return;
    change();
    now.series.runs[std::size_t(row)].label = label;
}

void Document::setExcluded(int row, bool excluded)
{
    series::Run run = now.series.runs.at(std::size_t(row));
    run.excluded = excluded;
    if (!excluded && !series::findingsOf(run, now.results[std::size_t(row)]).empty())
        run.included = true;
    change();
    now.series.runs[std::size_t(row)] = std::move(run);
}

void Document::remove(const val& rows)
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

std::string Document::field(const std::string& name) const
{
    const std::string* found = fieldNamed(now.series, name);
    return found ? *found : std::string();
}

void Document::setField(const std::string& name, const std::string& text)
{
    const std::string* found = fieldNamed(now.series, name);
    if (!found || *found == text)
        return;
    change();
    *fieldNamed(now.series, name) = text;
}

val Document::uncertainties() const
{
    return shownUncertainties(now.series.uncertainty);
}

void Document::setUncertainties(const val& given)
{
    const series::Uncertainties read = uncertaintiesOf(given);
    if (read == now.series.uncertainty)
        return;
    change();
    now.series.uncertainty = read;
}

void Document::setRunUncertainties(int row, const val& given)
{
    const series::Uncertainties read = uncertaintiesOf(given);
    if (read == now.series.runs.at(std::size_t(row)).uncertainty)
        return;
    change();
    now.series.runs[std::size_t(row)].uncertainty = read;
}

std::vector<series::RunUncertainty> Document::runUncertainties(const val& monteCarlo) const
{
    std::vector<series::RunUncertainty> found;
    const auto given = monteCarlo["length"].as<std::size_t>();
    for (std::size_t row = 0; row < now.series.runs.size(); ++row)
        found.push_back(row < given ? runUncertaintyOf(monteCarlo[row]) : series::RunUncertainty{});
    return found;
}

val Document::analyse(bool weighted, const val& monteCarlo) const
{
    return shownAnalysis(analysis(weighted, monteCarlo));
}

series::Analysis Document::analysis(bool weighted, const val& monteCarlo) const
{
    return series::analyse(now.series, now.results, runUncertainties(monteCarlo), weighted);
}

void Document::undo()
{
    if (done.empty())
        return;
    undone.push_back(std::move(now));
    now = std::move(done.back());
    done.pop_back();
}

void Document::redo()
{
    if (undone.empty())
        return;
    done.push_back(std::move(now));
    now = std::move(undone.back());
    undone.pop_back();
}

val Document::open(const val& bytes, const std::string& name)
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

val Document::importCsv(const val& bytes, const std::string& name)
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

val Document::restore(const val& bytes, const std::string& name)
{
    val shown = open(bytes, name);
    if (shown["ok"].as<bool>())
        neverSaved = true;
    return shown;
}

val Document::fileBytes() const
{
    return bytesOf(series::writeSeriesFile(now.series, now.results));
}

void Document::markSaved(int revision)
{
    if (revision < openedRevision)
        return;
    savedRevision = revision;
    neverSaved = false;
}

val Document::exportCsv(const val& monteCarlo) const
{
    return bytesOf(series::exportCsv(now.series, now.results, runUncertainties(monteCarlo)));
}

void Document::change()
{
    done.push_back(now);
    undone.clear();
    now.revision = ++revisions;
}

void Document::replace(series::Series runs, std::vector<series::RunResult> results, bool fromCsv)
{
    done.clear();
    undone.clear();
    now = {std::move(runs), std::move(results), {}, ++revisions};
    for (std::size_t row = 0; row < now.series.runs.size(); ++row)
        now.ids.push_back(nextId++);
    savedRevision = now.revision;
    openedRevision = now.revision;
    neverSaved = fromCsv;
}

val Document::findingsAt(std::size_t row) const
{
    val codes = val::array();
    for (const series::Finding finding : series::findingsOf(now.series.runs[row], now.results[row]))
        codes.call<void>("push", std::string(series::findingCode(finding)));
    return codes;
}

}  // namespace web
