#include "cli/outputs.h"

#include "atomicfile/atomicfile.h"
#include "series/csv.h"
#include "series/findings.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace cli {
namespace {

// The records of CSV text, each with its line end; a line break inside
// quotes belongs to its record, as in a label that holds one.
std::vector<std::string_view> recordsOf(std::string_view csv)
{
    std::vector<std::string_view> records;
    bool quoted = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i < csv.size(); ++i) {
        if (csv[i] == '"') {
            quoted = !quoted;
        } else if (csv[i] == '\n' && !quoted) {
            records.push_back(csv.substr(start, i + 1 - start));
            start = i + 1;
        }
    }
    return records;
}

std::string csvField(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (const char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + '"';
}

}  // namespace

std::string jsonString(std::string_view text)
{
    constexpr std::string_view hexDigits = "0123456789abcdef";
    std::string json = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            json += "\\\"";
            break;
        case '\\':
            json += "\\\\";
            break;
        case '\n':
            json += "\\n";
            break;
        case '\r':
            json += "\\r";
            break;
        case '\t':
            json += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20)
                json += "\\u00" + std::string{hexDigits[c >> 4], hexDigits[c & 0xF]};
            else
                json += c;
        }
    }
    return json + '"';
}

// JSON has no infinity or NaN: those, like absent values, are null.
std::string jsonNumber(std::optional<double> value)
{
    return value && std::isfinite(*value) ? series::exactText(*value) : "null";
}

namespace {

void appendRun(std::string& json, std::size_t index, const series::Run& run, const series::RunResult& result,
               const series::RunUncertainty* uncertainty)
{
    const auto& point = result.balance.point;
    const series::MonteCarlo* drawn = uncertainty ? std::get_if<series::MonteCarlo>(&uncertainty->monteCarlo) : nullptr;
    std::string findings;
    for (const series::Finding finding : series::findingsOf(run, result))
        findings += (findings.empty() ? "" : ", ") + jsonString(series::findingCode(finding));
    const auto field = [&json](std::string_view key, std::string_view value) {
        json.append("          \"").append(key).append("\": ").append(value).append(",\n");
    };
    json += "        {\n";
    field("run", std::to_string(index + 1));
    field("label", jsonString(run.label));
    field("y1", jsonNumber(run.inputs.y1));
    field("x1", jsonNumber(run.inputs.x1));
    field("gas_flow", jsonNumber(run.inputs.gasFlow));
    field("water_flow", jsonNumber(run.inputs.waterFlow));
    field("packing_height", jsonNumber(run.packingHeight));
    field("excluded", run.excluded ? "true" : "false");
    field("outcome", jsonString(series::outcomeName(result.outcome)));
    field("eq_x", jsonNumber(point ? std::optional(point->x) : std::nullopt));
    field("eq_y", jsonNumber(point ? std::optional(point->y) : std::nullopt));
    field("y2", jsonNumber(result.balance.y2));
    field("ntu", jsonNumber(result.ntu));
    field("mtc", jsonNumber(result.mtc));
    field("u_mtc", jsonNumber(drawn ? std::optional(drawn->u) : std::nullopt));
    field("mtc_95_low", jsonNumber(drawn ? std::optional(drawn->interval.low) : std::nullopt));
    field("mtc_95_high", jsonNumber(drawn ? std::optional(drawn->interval.high) : std::nullopt));
    field("ntu_colburn", jsonNumber(result.ntuColburn));
    json += "          \"findings\": [" + findings + "]\n        }";
}

}  // namespace

Computed computedOf(const Input& input, unsigned jobs)
{
    // Nothing asks them to stop, so both give every run.
    return {&input, std::move(*series::computeRuns(input.series.runs, jobs)),
            std::move(*series::uncertaintiesOf(input.series, jobs))};
}

std::string csvOf(std::span<const Computed> computed, bool fileColumn)
{
    const auto exported = [](const Computed& one) {
        return series::exportCsv(one.input->series, one.results, one.uncertainties);
    };
    if (!fileColumn && computed.size() == 1)
        return exported(computed.front());
    std::string table;
    for (const Computed& one : computed) {
        const std::string csv = exported(one);
        const std::vector<std::string_view> records = recordsOf(csv);
        if (table.empty())
            table = "file," + std::string(records.front());
        const std::string file = csvField(one.input->name) + ',';
        for (std::size_t i = 1; i < records.size(); ++i)
            table += file + std::string(records[i]);
    }
    return table;
}

std::string jsonOf(std::span<const Computed> computed)
{
    std::string json = "{\n  \"format\": \"quillon-results\",\n  \"version\": 1,\n  \"files\": [";
    for (std::size_t f = 0; f < computed.size(); ++f) {
        const Computed& one = computed[f];
        const std::vector<series::Run>& runs = one.input->series.runs;
        json += std::string(f ? "," : "") + "\n    {\n      \"file\": " + jsonString(one.input->name)
            + ",\n      \"runs\": [";
        for (std::size_t i = 0; i < runs.size() && i < one.results.size(); ++i) {
            json += i ? ",\n" : "\n";
            appendRun(json, i, runs[i], one.results[i], i < one.uncertainties.size() ? &one.uncertainties[i] : nullptr);
        }
        json += runs.empty() ? "]\n    }" : "\n      ]\n    }";
    }
    json += computed.empty() ? "]\n}\n" : "\n  ]\n}\n";
    return json;
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
