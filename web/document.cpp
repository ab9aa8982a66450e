#include "document.h"

#include "jsvalues.h"
#include "pagelocale.h"
#include "present/readingsform.h"
#include "present/runstable.h"
#include "present/seriesmessages.h"
#include "series/analysis.h"
#include "series/csv.h"
#include "series/findings.h"
#include "series/uncertainty.h"

#include <emscripten/bind.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <optional>
#include <string_view>
#include <type_traits>
#include <utility>

namespace web {
namespace {

val boxOf(const present::MessageBox& box)
{
    val shown = val::object();
    shown.set("title", box.title);
    shown.set("text", box.text);
    return shown;
}

val refused(const series::ReadError& error, const std::string& name)
{
    val shown = val::object();
    shown.set("ok", false);
    shown.set("boxes", val::array());
    shown["boxes"].call<void>("push", boxOf(present::refusedBox(error, name, name, language(), numberLocale())));
    return shown;
}

// The series' text field of that name.
std::optional<present::SeriesField> fieldNamed(const std::string& name)
{
    static const std::pair<const char*, present::SeriesField> names[] = {
        {"title", present::SeriesField::title}, {"people", present::SeriesField::people},
        {"date", present::SeriesField::date},   {"flowUnit", present::SeriesField::flowUnit},
        {"notes", present::SeriesField::notes},
    };
    for (const auto& [known, field] : names) {
        if (name == known)
            return field;
    }
    return std::nullopt;
}

// A meter's reading other than its calibration.
struct MeterValues {
    double value;
    series::MeterUnit unit;
    double temperature;
    double pressure;
};

// A series and its results as bytes, for another instance of the same
// module (a worker): plain values copied as they are, texts with their
// length before them.
class Packer {
public:
    template <typename T>
    void put(const T& value)
    {
        static_assert(std::is_trivially_copyable_v<T>);
        const auto* from = reinterpret_cast<const char*>(&value);
        bytes.append(from, sizeof(T));
    }

    void put(const std::string& text)
    {
        put(text.size());
        bytes += text;
    }

    // A meter's calibration has a length; the rest of the readings are values.
    void put(const std::optional<series::MeterReading>& meter)
    {
        put(meter.has_value());
        if (!meter)
            return;
        put(MeterValues{meter->value, meter->unit, meter->temperature, meter->pressure});
        put(meter->calibration.size());
        for (const series::CalibrationPoint& point : meter->calibration)
            put(point);
    }

    void put(const std::optional<series::Readings>& readings)
    {
        put(readings.has_value());
        if (!readings)
            return;
        put(readings->titration);
        put(readings->air);
        put(readings->ammonia);
        put(readings->water);
        put(readings->uncertainty);
    }

    void put(const series::UnknownKeys& keys)
    {
        put(keys.size());
        for (const auto& [key, value] : keys) {
            put(key);
            put(value);
        }
    }

    std::string bytes;
};

class Unpacker {
public:
    explicit Unpacker(std::string_view given)
        : bytes(given)
    {
    }

    // False once the bytes run out; the values read are then zero.
    template <typename T>
    bool get(T& value)
    {
        static_assert(std::is_trivially_copyable_v<T>);
        if (bytes.size() < sizeof(T))
            return false;
        std::memcpy(&value, bytes.data(), sizeof(T));
        bytes.remove_prefix(sizeof(T));
        return true;
    }

    bool get(std::string& text)
    {
        std::size_t size = 0;
        if (!get(size) || bytes.size() < size)
            return false;
        text.assign(bytes.substr(0, size));
        bytes.remove_prefix(size);
        return true;
    }

    bool get(std::optional<series::MeterReading>& meter)
    {
        bool has = false;
        if (!get(has))
            return false;
        meter.reset();
        if (!has)
            return true;
        MeterValues values{};
        std::size_t points = 0;
        if (!get(values) || !get(points) || points > bytes.size())
            return false;
        meter = series::MeterReading{values.value, values.unit, values.temperature, values.pressure, {}};
        meter->calibration.resize(points);
        for (series::CalibrationPoint& point : meter->calibration) {
            if (!get(point))
                return false;
        }
        return true;
    }

    bool get(std::optional<series::Readings>& readings)
    {
        bool has = false;
        if (!get(has))
            return false;
        readings.reset();
        if (!has)
            return true;
        readings.emplace();
        return get(readings->titration) && get(readings->air) && get(readings->ammonia) && get(readings->water)
            && get(readings->uncertainty);
    }

    bool get(series::UnknownKeys& keys)
    {
        std::size_t size = 0;
        if (!get(size) || size > bytes.size())
            return false;
        keys.resize(size);
        for (auto& [key, value] : keys) {
            if (!get(key) || !get(value))
                return false;
        }
        return true;
    }

private:
    std::string_view bytes;
};

// A run's values other than its texts.
struct RunValues {
    absorber::RunInputs inputs;
    std::optional<double> packingHeight;
    bool excluded;
    bool included;
    series::Uncertainties uncertainty;
};

}  // namespace

std::string packSeries(const series::Series& series, const std::vector<series::RunResult>& results)
{
    Packer packer;
    for (const std::string* text : {&series.title, &series.people, &series.date, &series.flowUnit, &series.notes})
        packer.put(*text);
    packer.put(series.uncertainty);
    packer.put(series.unknownKeys);
    packer.put(series.equilibrium);
    packer.put(series.runs.size());
    for (std::size_t row = 0; row < series.runs.size(); ++row) {
        const series::Run& run = series.runs[row];
        packer.put(RunValues{run.inputs, run.packingHeight, run.excluded, run.included, run.uncertainty});
        packer.put(run.label);
        packer.put(run.unknownKeys);
        packer.put(row < results.size() ? results[row] : series::RunResult{});
        packer.put(run.temperature);
        packer.put(run.readings);
    }
    return std::move(packer.bytes);
}

std::optional<PackedSeries> unpackSeries(std::string_view bytes)
{
    Unpacker unpacker(bytes);
    PackedSeries packed;
    series::Series& series = packed.series;
    for (std::string* text : {&series.title, &series.people, &series.date, &series.flowUnit, &series.notes}) {
        if (!unpacker.get(*text))
            return std::nullopt;
    }
    std::size_t runs = 0;
    if (!unpacker.get(series.uncertainty) || !unpacker.get(series.unknownKeys) || !unpacker.get(series.equilibrium)
        || !unpacker.get(runs) || runs > bytes.size())
        return std::nullopt;
    series.runs.resize(runs);
    packed.results.resize(runs);
    for (std::size_t row = 0; row < runs; ++row) {
        series::Run& run = series.runs[row];
        RunValues values{};
        if (!unpacker.get(values) || !unpacker.get(run.label) || !unpacker.get(run.unknownKeys)
            || !unpacker.get(packed.results[row]) || !unpacker.get(run.temperature))
            return std::nullopt;
        if (!unpacker.get(run.readings))
            return std::nullopt;
        run.inputs = values.inputs;
        run.packingHeight = values.packingHeight;
        run.excluded = values.excluded;
        run.included = values.included;
        run.uncertainty = values.uncertainty;
    }
    return packed;
}

val integrateRuns(const val& inputs)
{
    const std::vector<double> given = emscripten::convertJSArrayToNumberVector<double>(inputs);
    std::vector<double> integrated;
    integrated.reserve(given.size() / 2);
    for (std::size_t at = 0; at + 3 < given.size(); at += 4) {
        const absorber::Balance balance =
            absorber::closeBalance({given[at], given[at + 1], given[at + 2], given[at + 3]});
        absorber::Outcome outcome = balance.outcome;
        double ntu = 0.0;
        if (outcome == absorber::Outcome::completed) {
            const absorber::Integration integration = absorber::integrateNtu(balance.limits);
            outcome = integration.outcome;
            ntu = integration.ntu;
        }
        integrated.insert(integrated.end(), {double(int(outcome)), ntu});
    }
    return val::global("Float64Array").new_(emscripten::typed_memory_view(integrated.size(), integrated.data()));
}

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

    series::Run run;
    run.inputs = inputs;
    const present::Added added = editor.addRun(run, series::completedRun(run, balance, integration.ntu), last);
    shown.set("id", added.id);
    shown.set("added", added.added);
    shown.set("findings", findingsAt(std::size_t(editor.indexOf(added.id))));
    return shown;
}

void Document::setMtc(int id, double packingHeight, double mtc)
{
    editor.setMtc(id, packingHeight, mtc);
}

val Document::run(int row) const
{
    const series::Run& run = editor.series().runs.at(std::size_t(row));
    const series::RunResult& result = editor.results().at(std::size_t(row));
    const series::Uncertainties& defaults = editor.series().uncertainty;
    val shown = balanceOf(result.balance);
    shown.set("id", editor.ids().at(std::size_t(row)));
    shown.set("label", run.label);
    shown.set("excluded", run.excluded);
    shown.set("included", run.included);
    shown.set("inAnalysis", editor.takenIn(std::size_t(row)));
    shown.set("excludedTip", present::runsExcludedTip(run, result, language()));
    shown.set("runTip", arrayOf(present::runsRunTip(run, result, language())));
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
    shown.set("given", shownUncertainties(series::merged(defaults, run.uncertainty)));
    shown.set("hasUncertainty", series::hasUncertainty(run, defaults));
    const std::optional<double> celsius = series::equilibriumTemperatureOf(run, editor.series().equilibrium);
    shown.set("uncertaintyKey", present::uncertaintyKey(run, defaults, celsius, editor.series().flowUnit));
    return shown;
}

val Document::columnTitles() const
{
    val titles = val::array();
    for (int column = 0; column < present::runsColumnCount; ++column)
        titles.call<void>("push",
                          present::runsColumnTitle(present::RunsColumn(column), editor.series().flowUnit, language()));
    return titles;
}

val Document::cells(int row) const
{
    const series::Run& run = editor.series().runs.at(std::size_t(row));
    const series::RunResult& result = editor.results().at(std::size_t(row));
    val shown = val::array();
    for (auto column = int(present::RunsColumn::y1); column <= int(present::RunsColumn::mtc); ++column) {
        const present::RunsCell cell =
            present::runsNumberCell(run, result, present::RunsColumn(column), numberLocale(), language());
        val one = val::object();
        one.set("text", cell.text);
        one.set("tip", cell.tip);
        shown.call<void>("push", one);
    }
    return shown;
}

val Document::uncertaintyCells(int row, const val& found, const std::string& draws) const
{
    const series::Run& run = editor.series().runs.at(std::size_t(row));
    const series::RunResult& result = editor.results().at(std::size_t(row));
    auto status = present::UncertaintyStatus::known;
    series::RunUncertainty given;
    if (found.isNull() || found.isUndefined())
        status = present::UncertaintyStatus::pending;
    else if (found["monteCarlo"]["cancelled"].isTrue())
        status = present::UncertaintyStatus::cancelled;
    else
        given = runUncertaintyOf(found["monteCarlo"]);
    // A reason the page gave, when its worker failed, has no code to word.
    const val monteCarlo = found.isNull() || found.isUndefined() ? val::undefined() : found["monteCarlo"];
    const bool failed = !monteCarlo.isUndefined() && !monteCarlo["reason"].isUndefined()
        && monteCarlo["message"].isUndefined() && !monteCarlo["cancelled"].isTrue();
    val shown = val::array();
    for (const auto column : {present::RunsColumn::uncertainty, present::RunsColumn::interval}) {
        present::RunsCell cell = present::runsUncertaintyCell(column, run, result, editor.series().uncertainty, status,
                                                              given.monteCarlo, draws, numberLocale(), language());
        if (failed && !cell.text.empty()) {
            const std::string reason = monteCarlo["reason"].as<std::string>();
            cell.tip = language().translate("RunsModel", "Not given: %1").arg(reason).str();
            if (column == present::RunsColumn::uncertainty)
                cell.text = present::missingUncertaintyText(reason, language());
        }
        val one = val::object();
        one.set("text", cell.text);
        one.set("tip", cell.tip);
        shown.call<void>("push", one);
    }
    return shown;
}

val Document::missingUncertaintyReason(int row, const val& found) const
{
    const series::Run& run = editor.series().runs.at(std::size_t(row));
    const series::RunResult& result = editor.results().at(std::size_t(row));
    const val monteCarlo = found.isNull() || found.isUndefined() ? val::undefined() : found["monteCarlo"];
    if (!monteCarlo.isUndefined() && monteCarlo["cancelled"].isTrue())
        return val::null();
    const series::RunUncertainty given =
        monteCarlo.isUndefined() ? series::RunUncertainty{} : runUncertaintyOf(monteCarlo);
    const std::optional<std::string> reason = present::missingUncertaintyReason(
        run, result, editor.series().uncertainty, given.monteCarlo, language(), numberLocale());
    if (!reason)
        return val::null();
    // A reason the page gave, when its worker failed, has no code to word.
    const bool failed = !monteCarlo.isUndefined() && !monteCarlo["reason"].isUndefined()
        && monteCarlo["message"].isUndefined() && result.mtc
        && series::hasUncertainty(run, editor.series().uncertainty);
    return failed ? monteCarlo["reason"] : val(*reason);
}

void Document::setLabel(int row, const std::string& label)
{
    editor.setLabel(std::size_t(row), label);
}

present::InputEdit Document::setInput(int row, const std::string& field, const std::string& text)
{
    using present::InputField;
    const std::pair<const char*, InputField> fields[] = {{"y1", InputField::y1},
                                                         {"x1", InputField::x1},
                                                         {"gasFlow", InputField::gasFlow},
                                                         {"waterFlow", InputField::waterFlow},
                                                         {"height", InputField::packingHeight}};
    const auto* named = std::find_if(std::begin(fields), std::end(fields),
                                     [&field](const auto& candidate) { return field == candidate.first; });
    if (row < 0 || named == std::end(fields))
        return {};
    // Only an emptied cell is no value; spaces around a number are fine.
    const bool blank = text.find_first_not_of(" \t") == std::string::npos;
    return editor.setInput(std::size_t(row), named->second,
                           blank ? std::nullopt : std::optional(present::parseNumber(text, numberLocale())));
}

void Document::setExcluded(int row, bool excluded)
{
    editor.setExcluded(std::size_t(row), excluded);
}

void Document::remove(const val& rows)
{
    std::vector<std::size_t> given;
    for (const int row : emscripten::vecFromJSArray<int>(rows)) {
        if (row >= 0)
            given.push_back(std::size_t(row));
    }
    editor.remove(given);
}

std::string Document::field(const std::string& name) const
{
    if (name == "equilibrium")
        return std::string(series::equilibriumName(editor.series().equilibrium));
    const std::optional<present::SeriesField> found = fieldNamed(name);
    return found ? editor.field(*found) : std::string();
}

void Document::setField(const std::string& name, const std::string& text)
{
    if (const std::optional<present::SeriesField> found = fieldNamed(name))
        editor.setField(*found, text);
    // The equilibrium option as the file names it: every run computed again.
    if (const std::optional<series::Equilibrium> basis = series::equilibriumNamed(text); basis && name == "equilibrium")
        editor.setEquilibrium(*basis);
}

val Document::besideCells(int row) const
{
    const series::Run& run = editor.series().runs.at(std::size_t(row));
    const series::RunResult& result = editor.results().at(std::size_t(row));
    val shown = val::array();
    for (auto column = int(present::RunsColumn::temperature); column < present::runsColumnCount; ++column) {
        const present::RunsCell cell =
            present::runsNumberCell(run, result, present::RunsColumn(column), numberLocale(), language());
        val one = val::object();
        one.set("text", cell.text);
        one.set("tip", cell.tip);
        shown.call<void>("push", one);
    }
    return shown;
}

val Document::uncertainties() const
{
    return shownUncertainties(editor.series().uncertainty);
}

void Document::setUncertainties(const val& given)
{
    editor.setUncertainties(uncertaintiesOf(given));
}

void Document::setRunUncertainties(int row, const val& given)
{
    editor.setRunUncertainties(std::size_t(row), uncertaintiesOf(given));
}

series::Analysis Document::analysis(bool weighted, const std::vector<series::RunUncertainty>& found) const
{
    return series::analyse(editor.series(), editor.results(), found, weighted, fittedCoefficient);
}

std::vector<series::RunUncertainty> Document::runUncertainties(const val& monteCarlo) const
{
    std::vector<series::RunUncertainty> found;
    const auto given = monteCarlo["length"].as<std::size_t>();
    for (std::size_t row = 0; row < editor.size(); ++row)
        found.push_back(row < given ? runUncertaintyOf(monteCarlo[row]) : series::RunUncertainty{});
    return found;
}

val Document::analyse(bool weighted, const val& monteCarlo) const
{
    return shownAnalysis(analysis(weighted, monteCarlo));
}

series::Analysis Document::analysis(bool weighted, const val& monteCarlo) const
{
    return analysis(weighted, runUncertainties(monteCarlo));
}

val Document::read(const present::OpenOutcome& outcome, const std::string& name)
{
    if (const auto* error = std::get_if<series::ReadError>(&outcome))
        return refused(*error, name);
    const auto& opened = std::get<present::Opened>(outcome);
    val shown = val::object();
    shown.set("ok", true);
    val boxes = val::array();
    for (const present::MessageBox& box :
         present::openedBoxes(opened.differences, opened.notices, name, language(), numberLocale()))
        boxes.call<void>("push", boxOf(box));
    shown.set("boxes", boxes);
    return shown;
}

val Document::fileBytes() const
{
    return bytesOf(series::writeSeriesFile(editor.series(), editor.results()));
}

val Document::exportCsv(const val& monteCarlo) const
{
    return bytesOf(series::exportCsv(editor.series(), editor.results(), runUncertainties(monteCarlo)));
}

val Document::readFile(const val& bytes, const std::string& name, const std::string& how)
{
    pending.reset();
    const std::string text = stringOf(bytes);
    ReadFile file{how, {}, {}, {}};
    if (how == "csv") {
        series::ImportResult read = series::importCsv(text);
        if (const auto* error = std::get_if<series::ReadError>(&read))
            return refused(*error, name);
        auto& imported = std::get<series::ImportedSeries>(read);
        file.series = std::move(imported.series);
        file.notices = std::move(imported.notices);
    } else if (how == "importSeries" || how == "importCsv") {
        auto read = present::readRuns(text, how == "importCsv" ? present::RunsFile::csv : present::RunsFile::series);
        if (const auto* error = std::get_if<series::ReadError>(&read))
            return refused(*error, name);
        auto& runs = std::get<present::FileRuns>(read);
        file.series.runs = std::move(runs.runs);
        file.stored = std::move(runs.stored);
        file.notices = std::move(runs.notices);
    } else {
        series::ReadSeries read = series::readSeriesFile(text);
        if (const auto* error = std::get_if<series::ReadError>(&read))
            return refused(*error, name);
        auto& opened = std::get<series::OpenedSeries>(read);
        file.series = std::move(opened.series);
        file.stored = std::move(opened.stored);
        file.notices = std::move(opened.notices);
    }
    std::vector<double> inputs;
    inputs.reserve(4 * file.series.runs.size());
    for (const series::Run& run : file.series.runs)
        inputs.insert(inputs.end(), {run.inputs.y1, run.inputs.x1, run.inputs.gasFlow, run.inputs.waterFlow});
    pending = std::move(file);
    val shown = val::object();
    shown.set("ok", true);
    shown.set("inputs", val::global("Float64Array").new_(emscripten::typed_memory_view(inputs.size(), inputs.data())));
    return shown;
}

val Document::takeFile(const val& integrated, const std::string& name)
{
    if (!pending)
        return val::null();
    ReadFile file = std::move(*pending);
    pending.reset();
    const std::vector<double> given = emscripten::convertJSArrayToNumberVector<double>(integrated);
    std::vector<series::RunResult> results;
    results.reserve(file.series.runs.size());
    // Imported runs join the open series and take its equilibrium.
    const series::Equilibrium equilibrium =
        file.how == "importSeries" || file.how == "importCsv" ? editor.series().equilibrium : file.series.equilibrium;
    for (std::size_t row = 0; row < file.series.runs.size(); ++row) {
        const series::Run& run = file.series.runs[row];
        const std::size_t at = 2 * row;
        // The workers integrate the table's limits; a run at its own
        // temperature is computed here.
        const bool ownTemperature = equilibrium == series::Equilibrium::runTemperature && run.temperature;
        results.push_back(at + 1 < given.size() && !ownTemperature
                              ? series::computeRun(run, {absorber::Outcome(int(given[at])), given[at + 1]}, equilibrium)
                              : series::computeRun(run, equilibrium));
    }
    present::Opened opened{std::move(file.notices), series::compareResults(file.stored, results)};
    place(std::move(file.series), std::move(results), file.how);
    return read(opened, name);
}

void Document::place(series::Series&& read, std::vector<series::RunResult>&& results, const std::string& how)
{
    if (how == "importSeries" || how == "importCsv")
        editor.appendRuns(std::move(read.runs), std::move(results));
    else
        editor.replace(std::move(read), std::move(results),
                       how == "csv"           ? present::Origin::imported
                           : how == "restore" ? present::Origin::restored
                                              : present::Origin::opened);
}

val Document::packed() const
{
    return bytesOf(packSeries(editor.series(), editor.results()));
}

bool Document::takePacked(const val& bytes, const std::string& how)
{
    std::optional<PackedSeries> packed = unpackSeries(stringOf(bytes));
    if (!packed)
        return false;
    place(std::move(packed->series), std::move(packed->results), how);
    return true;
}

std::string Document::uncertaintyKeys() const
{
    std::string keys;
    for (std::size_t row = 0; row < editor.size(); ++row) {
        const series::Run& run = editor.series().runs[row];
        if (editor.results()[row].mtc && series::hasUncertainty(run, editor.series().uncertainty))
            keys += present::uncertaintyKey(run, editor.series().uncertainty,
                                            series::equilibriumTemperatureOf(run, editor.series().equilibrium),
                                            editor.series().flowUnit);
        keys += '\n';
    }
    return keys;
}

val Document::uncertaintyJob(int row) const
{
    series::Series one;
    one.flowUnit = editor.series().flowUnit;
    one.uncertainty = editor.series().uncertainty;
    one.equilibrium = editor.series().equilibrium;
    one.runs.push_back(editor.series().runs.at(std::size_t(row)));
    one.runs.back().label.clear();
    return bytesOf(packSeries(one, {}));
}

val Document::labels() const
{
    val shown = val::array();
    for (const series::Run& run : editor.series().runs)
        shown.call<void>("push", run.label);
    return shown;
}

std::string Document::choiceLabels() const
{
    std::string lines;
    for (std::size_t row = 0; row < editor.size(); ++row) {
        if (row > 0)
            lines += '\n';
        for (const char c : editor.series().runs[row].label)
            lines += c == '\n' || c == '\r' ? ' ' : c;
    }
    return lines;
}

val Document::changedRows() const
{
    const auto& rows = editor.changedInPlace();
    return rows ? arrayOf(*rows) : val::null();
}

std::string Document::analysisKey() const
{
    // FNV-1a over the bits: a key to compare, not to read.
    std::uint64_t hash = 14695981039346656037ULL;
    const auto mix = [&hash](const auto& value) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(&value);
        for (std::size_t at = 0; at < sizeof(value); ++at)
            hash = (hash ^ bytes[at]) * 1099511628211ULL;
    };
    for (std::size_t row = 0; row < editor.size(); ++row) {
        const std::optional<double>& mtc = editor.results()[row].mtc;
        if (!mtc)
            continue;
        const absorber::RunInputs& inputs = editor.series().runs[row].inputs;
        mix(row);
        mix(inputs.gasFlow);
        mix(inputs.waterFlow);
        mix(*mtc);
        mix(editor.takenIn(row));
    }
    for (const char c : editor.series().flowUnit)
        mix(c);
    mix(fittedCoefficient);
    return std::to_string(hash);
}

val Document::findingsAt(std::size_t row) const
{
    val codes = val::array();
    for (const series::Finding finding : series::findingsOf(editor.series().runs[row], editor.results()[row]))
        codes.call<void>("push", std::string(series::findingCode(finding)));
    return codes;
}

// The lab's readings, the column temperature and the fitted coefficient.
namespace {

constexpr series::MeterUnit meterUnits[] = {
    series::MeterUnit::litresPerMinute, series::MeterUnit::litresPerHour, series::MeterUnit::cubicMetresPerHour,
    series::MeterUnit::millilitresPerMinute, series::MeterUnit::kilogramsPerHour};

// The dialog's texts, in the order of its lines, and the meters' unit
// names, as the page's fields hold them.
present::ReadingsForm formFrom(const val& texts, const val& units)
{
    present::ReadingsForm form;
    const auto lines = present::formLines();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const val typed = texts[i];
        present::formText(form, lines[i]) = typed.isString() ? typed.as<std::string>() : std::string();
    }
    for (std::size_t i = 0; i < form.units.size(); ++i)
        form.units[i] = series::meterUnitNamed(units[i].as<std::string>()).value_or(form.units[i]);
    return form;
}

val nameOf(std::string_view name)
{
    return val(std::string(name));
}

}  // namespace

val Document::readingsForm(int row) const
{
    const auto& readings = editor.series().runs.at(std::size_t(row)).readings;
    const present::ReadingsForm form = present::formOf(readings, numberLocale());
    val fields = val::array();
    val texts = val::array();
    val units = val::array();
    for (const present::FormLine line : present::formLines()) {
        val one = val::object();
        one.set("id", present::formKey(line));
        one.set("label", present::formLabel(line, language()));
        const std::string& text = present::formText(form, line);
        one.set("text", text);
        const std::size_t meter = line.index - std::size_t(present::ReadingField::airMeter);
        one.set("unit", present::isMeter(line) ? nameOf(series::meterUnitName(form.units[meter])) : val::null());
        // A calibration's rows hold "=" and ";", which a number's keyboard lacks.
        one.set("inputMode", line.part == present::FormLine::Part::calibration ? "text" : "decimal");
        // The first uncertainty says what the uncertainties are.
        const bool firstUncertainty = line.part == present::FormLine::Part::uncertainty && line.index == 0;
        one.set("heading", firstUncertainty ? val(present::uncertaintyHeading(language())) : val::null());
        fields.call<void>("push", one);
        texts.call<void>("push", text);
    }
    for (const series::MeterUnit unit : meterUnits)
        units.call<void>("push", nameOf(series::meterUnitName(unit)));
    val shown = val::object();
    shown.set("fields", fields);
    shown.set("units", units);
    val meters = val::array();
    for (const series::MeterUnit unit : form.units)
        meters.call<void>("push", nameOf(series::meterUnitName(unit)));
    shown.set("given", readingsGiven(row, texts, meters));
    return shown;
}

std::string Document::readingsGiven(int row, const val& texts, const val& units) const
{
    const auto& before = editor.series().runs.at(std::size_t(row)).readings;
    const auto read = present::readingsOf(formFrom(texts, units), before, language(), numberLocale());
    if (const auto* words = std::get_if<std::string>(&read))
        return *words;
    const auto& readings = std::get<std::optional<series::Readings>>(read);
    return readings ? present::givenText(*readings, editor.series().flowUnit, language(), numberLocale())
                    : language().translate("ReadingsDialog", "No readings: the run's inputs are typed.").str();
}

val Document::setReadings(int row, const val& texts, const val& units)
{
    if (row < 0 || std::size_t(row) >= editor.size())
        return val::null();
    const auto& before = editor.series().runs[std::size_t(row)].readings;
    const auto read = present::readingsOf(formFrom(texts, units), before, language(), numberLocale());
    if (const auto* words = std::get_if<std::string>(&read))
        return val(*words);
    if (const auto refused = editor.setReadings(std::size_t(row), std::get<std::optional<series::Readings>>(read)))
        return val(present::seriesMessage(*refused, language(), numberLocale()));
    return val::null();
}

val Document::readingTitles() const
{
    val titles = val::array();
    for (std::size_t i = 0; i < present::readingFieldCount; ++i)
        titles.call<void>("push", present::readingTitle(present::ReadingField(i), language()));
    return titles;
}

val Document::readingCells(int row) const
{
    const auto& readings = editor.series().runs.at(std::size_t(row)).readings;
    val cells = val::array();
    for (std::size_t i = 0; i < present::readingFieldCount; ++i)
        cells.call<void>("push", present::readingText(readings, present::ReadingField(i), numberLocale()));
    return cells;
}

val Document::setTemperature(int row, const std::string& text)
{
    if (row < 0 || std::size_t(row) >= editor.size())
        return val::null();
    // An emptied cell clears the temperature.
    std::optional<double> celsius;
    if (text.find_first_not_of(" \t") != std::string::npos) {
        const present::ParsedNumber parsed = present::parseNumber(text, numberLocale());
        if (parsed)
            celsius = *parsed;
        if (const auto box = present::temperatureRefusal(language(), text, celsius)) {
            val shown = val::object();
            shown.set("title", box->title);
            shown.set("text", box->text);
            return shown;
        }
    }
    editor.setTemperature(std::size_t(row), celsius);
    return val::null();
}

void Document::setFitted(const std::string& name)
{
    fittedCoefficient = series::fittedNamed(name).value_or(series::Fitted::quillon);
}

}  // namespace web
