#include "present/editing.h"

#include "series/csv.h"
#include "series/uncertainty.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <iterator>
#include <set>
#include <utility>

namespace present {
namespace {

// Bit for bit, so that -0 and 0 are two runs.
bool sameInputs(const absorber::RunInputs& a, const absorber::RunInputs& b)
{
    const auto bits = [](double value) { return std::bit_cast<std::uint64_t>(value); };
    return bits(a.y1) == bits(b.y1) && bits(a.x1) == bits(b.x1) && bits(a.gasFlow) == bits(b.gasFlow)
        && bits(a.waterFlow) == bits(b.waterFlow);
}

bool sameOptional(const std::optional<double>& a, const std::optional<double>& b)
{
    return a.has_value() == b.has_value()
        && (!a || std::bit_cast<std::uint64_t>(*a) == std::bit_cast<std::uint64_t>(*b));
}

ParsedNumber numberOf(double value)
{
    return {ParsedNumber::Kind::number, value};
}

double& inputOf(absorber::RunInputs& inputs, InputField field)
{
    switch (field) {
    case InputField::x1:
        return inputs.x1;
    case InputField::gasFlow:
        return inputs.gasFlow;
    case InputField::waterFlow:
        return inputs.waterFlow;
    case InputField::y1:
    case InputField::packingHeight:
        break;
    }
    return inputs.y1;
}

template <typename Series>
auto& fieldOf(Series& series, SeriesField field)
{
    switch (field) {
    case SeriesField::people:
        return series.people;
    case SeriesField::date:
        return series.date;
    case SeriesField::flowUnit:
        return series.flowUnit;
    case SeriesField::notes:
        return series.notes;
    case SeriesField::title:
        break;
    }
    return series.title;
}

// The items at the rows given (ascending, each in range) taken out in one
// pass, in order.
template <typename T>
std::vector<T> takeRows(std::vector<T>& items, const std::vector<std::size_t>& rows)
{
    std::vector<T> taken;
    if (rows.empty())
        return taken;
    taken.reserve(rows.size());
    auto next = rows.begin();
    std::size_t kept = rows.front();
    for (std::size_t at = rows.front(); at < items.size(); ++at) {
        if (next != rows.end() && *next == at) {
            taken.push_back(std::move(items[at]));
            ++next;
        } else {
            items[kept++] = std::move(items[at]);
        }
    }
    items.erase(items.begin() + std::ptrdiff_t(kept), items.end());
    return taken;
}

// The items given put at the rows given (ascending, where they end up), in
// one pass from the end: runs added at the end move nothing.
template <typename T>
void insertRows(std::vector<T>& items, const std::vector<std::size_t>& rows, std::vector<T>&& given)
{
    std::size_t from = items.size();
    items.resize(items.size() + rows.size());
    std::size_t left = rows.size();
    for (std::size_t at = items.size(); left > 0 && at-- > 0;) {
        if (rows[left - 1] == at) {
            --left;
            items[at] = std::move(given[left]);
        } else {
            items[at] = std::move(items[--from]);
        }
    }
}

// The series' own fields, without its runs.
series::Series fieldsOf(const series::Series& series)
{
    series::Series fields;
    fields.title = series.title;
    fields.people = series.people;
    fields.date = series.date;
    fields.flowUnit = series.flowUnit;
    fields.notes = series.notes;
    fields.uncertainty = series.uncertainty;
    fields.unknownKeys = series.unknownKeys;
    return fields;
}

std::vector<series::RunResult> computeAll(const series::Series& series, unsigned jobs)
{
    return series::computeRuns(series.runs, series.equilibrium, jobs).value_or(std::vector<series::RunResult>{});
}

// A result the main window's steps made, as the series computes it: they
// take the table's equilibrium, which is the series' own for a run without
// a temperature.
series::RunResult underSeries(const series::Run& run, series::RunResult result, series::Equilibrium equilibrium)
{
    if (equilibrium == series::Equilibrium::runTemperature && run.temperature)
        return series::computeRun(run, equilibrium);
    result.equilibrium = equilibrium;
    return result;
}

}  // namespace

Added SeriesEditor::addRun(const series::Run& run, const series::RunResult& result, int last)
{
    // Calculate pressed again on the same inputs is the same run again.
    if (const int row = indexOf(last); row >= 0 && sameInputs(now.series.runs[std::size_t(row)].inputs, run.inputs))
        return {last, false};
    change(EraseRuns{{size()}});
    now.series.runs.push_back(run);
    now.results.push_back(underSeries(run, result, now.series.equilibrium));
    now.ids.push_back(nextId);
    return {nextId++, true};
}

bool SeriesEditor::setMtc(int id, double packingHeight, double mtc)
{
    const int found = indexOf(id);
    if (found < 0)
        return false;
    const auto row = std::size_t(found);
    const series::RunResult& result = now.results[row];
    if (now.series.runs[row].packingHeight == packingHeight && result.coefficientOutcome == absorber::Outcome::completed
        && result.mtc == mtc)
        return false;
    change(keepRun(row));
    series::Run& run = now.series.runs[row];
    run.packingHeight = packingHeight;
    // HOG and the Colburn coefficient follow the height.
    if (result.ntu)
        now.results[row] = series::completedRun(run, result.balance, *result.ntu, result.equilibrium);
    now.results[row].coefficientOutcome = absorber::Outcome::completed;
    now.results[row].mtc = mtc;
    return true;
}

bool SeriesEditor::setLabel(std::size_t row, const std::string& label)
{
    if (row >= size() || now.series.runs[row].label == label)
        return false;
    change(keepRun(row));
    now.series.runs[row].label = label;
    return true;
}

InputEdit SeriesEditor::setInput(std::size_t row, InputField field, const std::optional<ParsedNumber>& value)
{
    if (row >= size())
        return {};
    // Only the height may be left empty; an empty input is no number, as
    // in the main window's field.
    if (!value && field != InputField::packingHeight)
        return {{Message::Kind::conversionError, field, ParsedNumber::Kind::notANumber}};
    if (value && !*value)
        return {{Message::Kind::conversionError, field, value->kind}};

    const series::Run& before = now.series.runs[row];
    series::Run run = before;
    if (field == InputField::packingHeight)
        run.packingHeight = value ? std::optional(**value) : std::nullopt;
    else
        inputOf(run.inputs, field) = **value;
    if (sameInputs(run.inputs, before.inputs) && sameOptional(run.packingHeight, before.packingHeight))
        return {};

    series::RunResult result = now.results[row];
    if (run.packingHeight || field != InputField::packingHeight) {
        const absorber::RunInputs& in = run.inputs;
        const ColumnStep calculated =
            calculateColumn({}, {numberOf(in.y1), numberOf(in.x1), numberOf(in.gasFlow), numberOf(in.waterFlow)}, {});
        if (!calculated.run)
            return {calculated.message};
        // A coefficient the run had may not be lost unseen; a height that
        // never gave one is checked once it is edited.
        const bool hadOne = result.coefficientOutcome == absorber::Outcome::completed;
        if (run.packingHeight && (hadOne || field == InputField::packingHeight)) {
            const ColumnStep found = findMtc(calculated.kept, numberOf(*run.packingHeight), true, {});
            if (!found.coefficient)
                return {found.message};
        }
        result = underSeries(run, series::completedRun(run, calculated.run->balance, calculated.run->ntu),
                             now.series.equilibrium);
    } else {
        result.coefficientOutcome.reset();
        result.mtc.reset();
        result.hog.reset();
        result.mtcColburn.reset();
        result.hogColburn.reset();
    }
    change(keepRun(row));
    now.series.runs[row] = std::move(run);
    now.results[row] = std::move(result);
    if (field != InputField::packingHeight)
        now.ids[row] = nextId++;
    return {{}, true};
}

bool SeriesEditor::setExcluded(std::size_t row, bool excluded)
{
    if (row >= size())
        return false;
    series::Run run = now.series.runs[row];
    run.excluded = excluded;
    if (!excluded && !series::findingsOf(run, now.results[row]).empty())
        run.included = true;
    if (run.excluded == now.series.runs[row].excluded && run.included == now.series.runs[row].included)
        return false;
    change(keepRun(row));
    now.series.runs[row] = std::move(run);
    return true;
}

bool SeriesEditor::remove(const std::vector<std::size_t>& rows)
{
    std::set<std::size_t> gone;
    std::copy_if(rows.begin(), rows.end(), std::inserter(gone, gone.end()),
                 [this](std::size_t row) { return row < size(); });
    if (gone.empty())
        return false;
    change(make(EraseRuns{{gone.begin(), gone.end()}}));
    return true;
}

bool SeriesEditor::setField(SeriesField field, const std::string& text)
{
    if (fieldOf(now.series, field) == text)
        return false;
    if (field == SeriesField::flowUnit)
        return setFlowUnit(text);
    change(SwapFields{fieldsOf(now.series)});
    fieldOf(now.series, field) = text;
    return true;
}

bool SeriesEditor::setTemperature(std::size_t row, std::optional<double> celsius)
{
    if (row >= size() || (celsius && !absorber::usableTemperature(*celsius))
        || sameOptional(now.series.runs[row].temperature, celsius))
        return false;
    change(keepRun(row));
    series::Run& run = now.series.runs[row];
    run.temperature = celsius;
    // Under the table's equilibrium the temperature changes no number.
    if (now.series.equilibrium == series::Equilibrium::runTemperature)
        now.results[row] = series::computeRun(run, now.series.equilibrium);
    return true;
}

bool SeriesEditor::setEquilibrium(series::Equilibrium equilibrium, unsigned jobs)
{
    if (now.series.equilibrium == equilibrium)
        return false;
    change(SwapEquilibrium{now.series.equilibrium, now.results});
    now.series.equilibrium = equilibrium;
    now.results = computeAll(now.series, jobs);
    return true;
}

bool SeriesEditor::setFlowUnit(const std::string& unit)
{
    // Between two units of the list the flows follow; a label only names them.
    std::vector<series::Run> runs = now.series.runs;
    const bool converted = series::convertFlows(runs, now.series.flowUnit, unit);
    const bool fromReadings = std::any_of(runs.begin(), runs.end(), [](const series::Run& run) {
        return run.readings && (run.readings->air || run.readings->water);
    });
    if (!converted && fromReadings)
        return false;
    if (converted)
        change(SwapWhole{now.series, now.results});
    else
        change(SwapFields{fieldsOf(now.series)});
    now.series.flowUnit = unit;
    if (converted) {
        now.series.runs = std::move(runs);
        now.results = computeAll(now.series, 1);
    }
    return true;
}

bool SeriesEditor::setUncertainties(const series::Uncertainties& uncertainties)
{
    if (now.series.uncertainty == uncertainties)
        return false;
    change(SwapFields{fieldsOf(now.series)});
    now.series.uncertainty = uncertainties;
    return true;
}

bool SeriesEditor::setRunUncertainties(std::size_t row, const series::Uncertainties& uncertainties)
{
    if (row >= size() || now.series.runs[row].uncertainty == uncertainties)
        return false;
    change(keepRun(row));
    now.series.runs[row].uncertainty = uncertainties;
    return true;
}

std::optional<series::Message> SeriesEditor::setReadings(std::size_t row,
                                                         const std::optional<series::Readings>& readings)
{
    if (row >= size() || now.series.runs[row].readings == readings)
        return std::nullopt;
    series::Run run = now.series.runs[row];
    run.readings = readings;
    if (readings) {
        auto given = series::inputsFromReadings(*readings, now.series.flowUnit);
        if (auto* refused = std::get_if<series::Message>(&given))
            return std::move(*refused);
        series::replaceInputs(run.inputs, std::get<series::InputsFromReadings>(given));
    }
    change(keepRun(row));
    now.results[row] = series::computeRun(run, now.series.equilibrium);
    now.series.runs[row] = std::move(run);
    return std::nullopt;
}

void SeriesEditor::replace(series::Series series, std::vector<series::RunResult> results, Origin origin)
{
    done.clear();
    undone.clear();
    inPlace.reset();
    now = {std::move(series), std::move(results), {}, ++revisions};
    for (std::size_t row = 0; row < now.series.runs.size(); ++row)
        now.ids.push_back(nextId++);
    savedRevision = now.revision;
    openedRevision = now.revision;
    neverSaved = origin == Origin::imported || origin == Origin::restored;
}

OpenOutcome SeriesEditor::open(std::string_view bytes, Origin origin, unsigned jobs)
{
    series::ReadSeries read = series::readSeriesFile(bytes);
    if (auto* error = std::get_if<series::ReadError>(&read))
        return std::move(*error);
    auto& file = std::get<series::OpenedSeries>(read);
    std::vector<series::RunResult> results = computeAll(file.series, jobs);
    Opened opened{std::move(file.notices), series::compareResults(file.stored, results)};
    replace(std::move(file.series), std::move(results), origin);
    return opened;
}

OpenOutcome SeriesEditor::importCsv(std::string_view bytes, unsigned jobs)
{
    series::ImportResult read = series::importCsv(bytes);
    if (auto* error = std::get_if<series::ReadError>(&read))
        return std::move(*error);
    auto& file = std::get<series::ImportedSeries>(read);
    std::vector<series::RunResult> results = computeAll(file.series, jobs);
    Opened opened{std::move(file.notices), {}};
    replace(std::move(file.series), std::move(results), Origin::imported);
    return opened;
}

std::variant<FileRuns, series::ReadError> readRuns(std::string_view bytes, RunsFile kind)
{
    if (kind == RunsFile::csv) {
        series::ImportResult read = series::importCsv(bytes);
        if (auto* error = std::get_if<series::ReadError>(&read))
            return std::move(*error);
        auto& file = std::get<series::ImportedSeries>(read);
        return FileRuns{std::move(file.series.runs), {}, std::move(file.notices)};
    }
    series::ReadSeries read = series::readSeriesFile(bytes);
    if (auto* error = std::get_if<series::ReadError>(&read))
        return std::move(*error);
    auto& file = std::get<series::OpenedSeries>(read);
    // The runs leave their series' standard uncertainties behind.
    for (series::Run& run : file.series.runs)
        run.uncertainty = series::merged(file.series.uncertainty, run.uncertainty);
    return FileRuns{std::move(file.series.runs), std::move(file.stored), std::move(file.notices),
                    std::move(file.series.flowUnit)};
}

bool intoFlowUnit(FileRuns& file, const std::string& seriesUnit)
{
    if (!file.flowUnit) {
        // A CSV file's typed flows name no unit and are taken as they are;
        // its readings gave mol/s, and give the series' unit instead.
        bool changed = false;
        for (series::Run& run : file.runs) {
            if (!run.readings)
                continue;
            const auto given = series::inputsFromReadings(*run.readings, seriesUnit);
            if (const auto* inputs = std::get_if<series::InputsFromReadings>(&given)) {
                const absorber::RunInputs before = run.inputs;
                series::replaceInputs(run.inputs, *inputs);
                changed = changed || before.gasFlow != run.inputs.gasFlow || before.waterFlow != run.inputs.waterFlow;
            }
        }
        return changed;
    }
    const std::string& from = *file.flowUnit;
    if (from == seriesUnit)
        return false;
    if (!series::convertFlows(file.runs, from, seriesUnit)) {
        file.notices.push_back({0, {series::MessageKind::flowsNotConverted, {from, seriesUnit}}});
        return false;
    }
    file.notices.push_back({0, {series::MessageKind::flowsConverted, {from, seriesUnit}}});
    return true;
}

bool SeriesEditor::appendRuns(std::vector<series::Run> runs, std::vector<series::RunResult> results)
{
    if (runs.empty() || results.size() != runs.size())
        return false;
    EraseRuns back;
    for (std::size_t row = 0; row < runs.size(); ++row)
        back.rows.push_back(size() + row);
    change(std::move(back));
    for (std::size_t row = 0; row < runs.size(); ++row) {
        now.series.runs.push_back(std::move(runs[row]));
        now.results.push_back(std::move(results[row]));
        now.ids.push_back(nextId++);
    }
    return true;
}

OpenOutcome SeriesEditor::importRuns(std::string_view bytes, RunsFile kind, unsigned jobs)
{
    auto read = readRuns(bytes, kind);
    if (auto* error = std::get_if<series::ReadError>(&read))
        return std::move(*error);
    auto& file = std::get<FileRuns>(read);
    std::vector<series::RunResult> results =
        series::computeRuns(file.runs, now.series.equilibrium, jobs).value_or(std::vector<series::RunResult>{});
    std::vector<series::Difference> differences = series::compareResults(file.stored, results);
    if (intoFlowUnit(file, now.series.flowUnit))
        results =
            series::computeRuns(file.runs, now.series.equilibrium, jobs).value_or(std::vector<series::RunResult>{});
    appendRuns(std::move(file.runs), std::move(results));
    return Opened{std::move(file.notices), std::move(differences)};
}

bool SeriesEditor::undo()
{
    if (done.empty())
        return false;
    undone.push_back(make(std::move(done.back())));
    done.pop_back();
    return true;
}

bool SeriesEditor::redo()
{
    if (undone.empty())
        return false;
    done.push_back(make(std::move(undone.back())));
    undone.pop_back();
    return true;
}

void SeriesEditor::markSaved(int revision)
{
    if (revision < openedRevision)
        return;
    savedRevision = revision;
    neverSaved = false;
}

const std::string& SeriesEditor::field(SeriesField field) const
{
    return fieldOf(now.series, field);
}

int SeriesEditor::indexOf(int id) const
{
    const auto found = std::find(now.ids.begin(), now.ids.end(), id);
    return found == now.ids.end() ? -1 : int(found - now.ids.begin());
}

std::vector<series::Finding> SeriesEditor::findings(std::size_t row) const
{
    return series::findingsOf(now.series.runs.at(row), now.results.at(row));
}

bool SeriesEditor::takenIn(std::size_t row) const
{
    return series::inAnalysis(now.series.runs.at(row), now.results.at(row));
}

bool SeriesEditor::inFit(std::size_t row) const
{
    return now.results.at(row).mtc && takenIn(row);
}

void SeriesEditor::change(Change back)
{
    inPlace = inPlaceOf(back);
    done.push_back({std::move(back), now.revision});
    undone.clear();
    now.revision = ++revisions;
}

SeriesEditor::SwapRuns SeriesEditor::keepRun(std::size_t row) const
{
    return {{row}, {{now.series.runs[row]}, {now.results[row]}, {now.ids[row]}}};
}

std::optional<std::vector<std::size_t>> SeriesEditor::inPlaceOf(const Change& made)
{
    if (const auto* swap = std::get_if<SwapRuns>(&made))
        return swap->rows;
    if (std::holds_alternative<SwapFields>(made))
        return std::vector<std::size_t>{};
    return std::nullopt;
}

SeriesEditor::Change SeriesEditor::make(Change made)
{
    inPlace = inPlaceOf(made);
    if (auto* swap = std::get_if<SwapRuns>(&made)) {
        for (std::size_t at = 0; at < swap->rows.size(); ++at) {
            const std::size_t row = swap->rows[at];
            std::swap(now.series.runs[row], swap->runs.runs[at]);
            std::swap(now.results[row], swap->runs.results[at]);
            std::swap(now.ids[row], swap->runs.ids[at]);
        }
        return made;
    }
    if (auto* insert = std::get_if<InsertRuns>(&made)) {
        insertRows(now.series.runs, insert->rows, std::move(insert->runs.runs));
        insertRows(now.results, insert->rows, std::move(insert->runs.results));
        insertRows(now.ids, insert->rows, std::move(insert->runs.ids));
        return EraseRuns{std::move(insert->rows)};
    }
    if (auto* erase = std::get_if<EraseRuns>(&made)) {
        Runs taken{takeRows(now.series.runs, erase->rows), takeRows(now.results, erase->rows),
                   takeRows(now.ids, erase->rows)};
        return InsertRuns{std::move(erase->rows), std::move(taken)};
    }
    if (auto* whole = std::get_if<SwapWhole>(&made)) {
        std::swap(now.series, whole->series);
        std::swap(now.results, whole->results);
        return made;
    }
    if (auto* equilibrium = std::get_if<SwapEquilibrium>(&made)) {
        std::swap(now.series.equilibrium, equilibrium->equilibrium);
        std::swap(now.results, equilibrium->results);
        return made;
    }
    series::Series& fields = std::get<SwapFields>(made).fields;
    for (const SeriesField field :
         {SeriesField::title, SeriesField::people, SeriesField::date, SeriesField::flowUnit, SeriesField::notes})
        std::swap(fieldOf(now.series, field), fieldOf(fields, field));
    std::swap(now.series.uncertainty, fields.uncertainty);
    std::swap(now.series.unknownKeys, fields.unknownKeys);
    return made;
}

SeriesEditor::Step SeriesEditor::make(Step step)
{
    Step back{make(std::move(step.change)), now.revision};
    now.revision = step.revision;
    return back;
}

}  // namespace present
