#include "series/csv.h"
#include "series/findings.h"

#include <fmt/format.h>

namespace series {
namespace {

constexpr std::string_view header =
    "run,label,y1,x1,gas_flow,water_flow,packing_height,excluded,outcome,eq_x,eq_y,y2,ntu,mtc,u_mtc,mtc_95_low,mtc_95_"
    "high,ntu_colburn,findings,temperature,hog,mtc_colburn,hog_colburn\r\n";

std::string optionalText(const std::optional<double>& value)
{
    return value ? exactText(*value) : std::string();
}

// RFC 4180: a field holding the delimiter, a quote or a line break is
// quoted, its quotes doubled.
std::string quoted(std::string text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string field = "\"";
    for (const char c : text)
        field += c == '"' ? std::string("\"\"") : std::string(1, c);
    return field + '"';
}

// A spreadsheet runs a cell starting with =, +, - or @ as a formula, which a
// label from somebody else's file must never be: an apostrophe before it
// keeps it text. A label starting with an apostrophe gets one too, so that
// importCsv can take exactly one off and give the label back unchanged.
std::string labelField(const std::string& label)
{
    return quoted(!label.empty() && std::string_view("=+-@'").find(label.front()) != std::string_view::npos
                      ? '\'' + label
                      : label);
}

// The rows of exportCsv, each after `prefix`.
void appendRows(std::string& csv, std::string_view prefix, const Series& series, std::span<const RunResult> results,
                std::span<const RunUncertainty> uncertainties)
{
    for (std::size_t i = 0; i < series.runs.size(); ++i) {
        const Run& run = series.runs[i];
        csv += prefix;
        // Numbers never need quoting: digits, '.', '-', 'e' and '+' only.
        fmt::format_to(std::back_inserter(csv), "{},{},{},{},{},{},{},{}", i + 1, labelField(run.label),
                       exactText(run.inputs.y1), exactText(run.inputs.x1), exactText(run.inputs.gasFlow),
                       exactText(run.inputs.waterFlow), optionalText(run.packingHeight), run.excluded ? 1 : 0);
        if (i < results.size()) {
            const RunResult& result = results[i];
            const auto& point = result.balance.point;
            // Codes hold letters and '_' only, and ';' is no delimiter here.
            const MonteCarlo* drawn =
                i < uncertainties.size() ? std::get_if<MonteCarlo>(&uncertainties[i].monteCarlo) : nullptr;
            fmt::format_to(std::back_inserter(csv), ",{},{},{},{},{},{},{},{},{},{},{}", outcomeName(result.outcome),
                           point ? exactText(point->x) : "", point ? exactText(point->y) : "",
                           optionalText(result.balance.y2), optionalText(result.ntu), optionalText(result.mtc),
                           drawn ? exactText(drawn->u) : "", drawn ? exactText(drawn->interval.low) : "",
                           drawn ? exactText(drawn->interval.high) : "", optionalText(result.ntuColburn),
                           findingCodes(findingsOf(run, result)));
        } else {
            csv += ",,,,,,,,,,,";
        }
        fmt::format_to(std::back_inserter(csv), ",{}", optionalText(run.temperature));
        if (i < results.size()) {
            const RunResult& result = results[i];
            fmt::format_to(std::back_inserter(csv), ",{},{},{}", optionalText(result.hog),
                           optionalText(result.mtcColburn), optionalText(result.hogColburn));
        } else {
            csv += ",,,";
        }
        csv += "\r\n";
    }
}

}  // namespace

std::string exportCsv(const Series& series, std::span<const RunResult> results,
                      std::span<const RunUncertainty> uncertainties)
{
    std::string csv(header);
    appendRows(csv, {}, series, results, uncertainties);
    return csv;
}

std::string exportCsv(std::span<const FileRuns> files)
{
    std::string csv = "file," + std::string(header);
    for (const FileRuns& file : files)
        appendRows(csv, quoted(std::string(file.file)) + ',', *file.series, file.results, file.uncertainties);
    return csv;
}

}  // namespace series
