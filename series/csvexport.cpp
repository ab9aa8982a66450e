#include "series/csv.h"
#include "series/findings.h"
#include "series/readingcolumns.h"

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

// The meters' units of the readings' columns: each meter's first run's, or
// none when no run has readings.
std::optional<MeterUnits> readingUnits(std::span<const Series* const> all)
{
    std::optional<MeterUnits> units;
    std::array<bool, 3> seen{};
    for (const Series* series : all) {
        for (const Run& run : series->runs) {
            if (!run.readings)
                continue;
            if (!units)
                units = MeterUnits{MeterUnit::litresPerMinute, MeterUnit::litresPerMinute, MeterUnit::litresPerMinute};
            const std::optional<MeterReading>* meters[] = {&run.readings->air, &run.readings->ammonia,
                                                           &run.readings->water};
            for (std::size_t i = 0; i < seen.size(); ++i) {
                if (*meters[i] && !seen[i]) {
                    (*units)[i] = (*meters[i])->unit;
                    seen[i] = true;
                }
            }
        }
    }
    return units;
}

// The readings' columns' names, a meter's with its unit as the import reads it.
std::string readingsHeader(const MeterUnits& units)
{
    std::string names;
    for (std::size_t i = 0; i < readingColumnCount; ++i) {
        names += ',';
        names += readingColumnNames[i];
        const std::size_t meter = i - std::size_t(ReadingColumn::airMeter);
        if (meter < units.size())
            fmt::format_to(std::back_inserter(names), " ({})", meterUnitName(units[meter]));
    }
    return names;
}

// A run's readings' cells; empty where a row cannot hold all its readings
// (a calibration, say), so that the import takes its inputs as they are.
void appendReadings(std::string& csv, const Run& run, const MeterUnits& units)
{
    const bool held = run.readings && rowHolds(*run.readings, units);
    const ReadingValues values = held ? rowOfReadings(*run.readings) : ReadingValues{};
    for (const std::optional<double>& value : values)
        fmt::format_to(std::back_inserter(csv), ",{}", optionalText(value));
}

// The rows of exportCsv, each after `prefix`; with the readings' columns
// where `units` are given.
void appendRows(std::string& csv, std::string_view prefix, const Series& series, std::span<const RunResult> results,
                std::span<const RunUncertainty> uncertainties, const std::optional<MeterUnits>& units)
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
        if (units)
            appendReadings(csv, run, *units);
        csv += "\r\n";
    }
}

}  // namespace

std::string exportCsv(const Series& series, std::span<const RunResult> results,
                      std::span<const RunUncertainty> uncertainties)
{
    const Series* const all[] = {&series};
    const std::optional<MeterUnits> units = readingUnits(all);
    std::string csv(header.substr(0, header.size() - 2));
    csv += (units ? readingsHeader(*units) : std::string()) + "\r\n";
    appendRows(csv, {}, series, results, uncertainties, units);
    return csv;
}

std::string exportCsv(std::span<const FileRuns> files)
{
    std::vector<const Series*> all;
    for (const FileRuns& file : files)
        all.push_back(file.series);
    const std::optional<MeterUnits> units = readingUnits(all);
    std::string csv = "file," + std::string(header.substr(0, header.size() - 2));
    csv += (units ? readingsHeader(*units) : std::string()) + "\r\n";
    for (const FileRuns& file : files)
        appendRows(csv, quoted(std::string(file.file)) + ',', *file.series, file.results, file.uncertainties, units);
    return csv;
}

}  // namespace series
