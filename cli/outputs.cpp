#include "cli/outputs.h"

#include "atomicfile/atomicfile.h"
#include "cli/json.h"
#include "present/seriesmessages.h"
#include "series/csv.h"
#include "series/findings.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace cli {
namespace {

Json orNull(const std::optional<double>& value)
{
    return value ? Json(*value) : Json();
}

// Why a run has no u_mtc, in the series messages' words; empty with one.
std::string uncertaintyReason(const series::RunUncertainty* uncertainty)
{
    const auto* notGiven = uncertainty ? std::get_if<series::NotGiven>(&uncertainty->monteCarlo) : nullptr;
    return notGiven ? present::seriesMessage(notGiven->reason) : std::string();
}

// RFC 4180: a cell holding the delimiter, a quote or a line break is quoted.
std::string quoted(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string cell = "\"";
    for (const char c : text)
        cell += c == '"' ? std::string("\"\"") : std::string(1, c);
    return cell + '"';
}

// The export's table with a last column, u_mtc_reason, so that it stays
// the export's up to there. Records end at a CRLF outside quotes; a label
// may hold line breaks of its own.
std::string withReasons(const std::string& csv, std::span<const Computed> computed)
{
    std::vector<std::string> cells{"u_mtc_reason"};
    for (const Computed& one : computed)
        for (std::size_t i = 0; i < one.input->series.runs.size(); ++i)
            cells.push_back(quoted(uncertaintyReason(i < one.uncertainties.size() ? &one.uncertainties[i] : nullptr)));
    std::string table;
    std::size_t record = 0;
    bool inQuotes = false;
    for (std::size_t i = 0; i < csv.size(); ++i) {
        if (csv[i] == '"')
            inQuotes = !inQuotes;
        if (!inQuotes && csv.compare(i, 2, "\r\n") == 0 && record < cells.size())
            table += ',' + cells[record++];
        table += csv[i];
    }
    return table;
}

Json runJson(std::size_t index, const series::Run& run, const series::RunResult& result,
             const series::RunUncertainty* uncertainty)
{
    const auto& point = result.balance.point;
    const series::MonteCarlo* drawn = uncertainty ? std::get_if<series::MonteCarlo>(&uncertainty->monteCarlo) : nullptr;
    Json findings = Json::array();
    for (const series::Finding finding : series::findingsOf(run, result))
        findings.push_back(series::findingCode(finding));
    Json json;
    json["run"] = index + 1;
    json["label"] = run.label;
    json["y1"] = run.inputs.y1;
    json["x1"] = run.inputs.x1;
    json["gas_flow"] = run.inputs.gasFlow;
    json["water_flow"] = run.inputs.waterFlow;
    json["packing_height"] = orNull(run.packingHeight);
    json["excluded"] = run.excluded;
    json["outcome"] = series::outcomeName(result.outcome);
    json["eq_x"] = point ? Json(point->x) : Json();
    json["eq_y"] = point ? Json(point->y) : Json();
    json["y2"] = orNull(result.balance.y2);
    json["ntu"] = orNull(result.ntu);
    json["mtc"] = orNull(result.mtc);
    json["u_mtc"] = drawn ? Json(drawn->u) : Json();
    json["u_mtc_reason"] = drawn ? Json() : Json(uncertaintyReason(uncertainty));
    json["mtc_95_low"] = drawn ? Json(drawn->interval.low) : Json();
    json["mtc_95_high"] = drawn ? Json(drawn->interval.high) : Json();
    json["ntu_colburn"] = orNull(result.ntuColburn);
    json["findings"] = std::move(findings);
    json["temperature"] = orNull(run.temperature);
    json["hog"] = orNull(result.hog);
    json["mtc_colburn"] = orNull(result.mtcColburn);
    json["hog_colburn"] = orNull(result.hogColburn);
    return json;
}

}  // namespace

Computed computedOf(const Input& input, unsigned jobs)
{
    // Nothing asks them to stop, so both give every run.
    return {&input, std::move(*series::computeRuns(input.series.runs, input.series.equilibrium, jobs)),
            std::move(*series::uncertaintiesOf(input.series, jobs))};
}

std::string csvOf(std::span<const Computed> computed, bool fileColumn)
{
    if (!fileColumn && computed.size() == 1) {
        const Computed& one = computed.front();
        return withReasons(series::exportCsv(one.input->series, one.results, one.uncertainties), computed);
    }
    std::vector<series::FileRuns> files;
    for (const Computed& one : computed)
        files.push_back({one.input->name, &one.input->series, one.results, one.uncertainties});
    return withReasons(series::exportCsv(files), computed);
}

std::string jsonOf(std::span<const Computed> computed)
{
    Json files = Json::array();
    for (const Computed& one : computed) {
        const std::vector<series::Run>& runs = one.input->series.runs;
        Json listed = Json::array();
        for (std::size_t i = 0; i < runs.size() && i < one.results.size(); ++i)
            listed.push_back(
                runJson(i, runs[i], one.results[i], i < one.uncertainties.size() ? &one.uncertainties[i] : nullptr));
        files.push_back({{"file", one.input->name}, {"runs", std::move(listed)}});
    }
    return jsonText({{"format", "quillon-results"}, {"version", 1}, {"files", std::move(files)}});
}

std::optional<std::string> writeOutput(const QString& path, const std::string& bytes)
{
    if (path.isEmpty() || path == "-") {
        if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() || std::fflush(stdout) != 0)
            return std::string("standard output: cannot be written: ") + std::strerror(errno);
        return std::nullopt;
    }
    const QString reason =
        atomicfile::writeFileAtomically(path, QByteArray::fromRawData(bytes.data(), qsizetype(bytes.size())));
    if (!reason.isEmpty())
        return path.toStdString() + ": cannot be written: " + reason.toStdString();
    return std::nullopt;
}

}  // namespace cli
