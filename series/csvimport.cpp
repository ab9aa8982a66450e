#include "series/csv.h"
#include "series/csvrecords.h"
#include "series/text.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <optional>

namespace series {
namespace {

// What a column holds. The first four are the run's inputs, in the order of
// absorber::RunInputs.
enum Column { y1, x1, gasFlow, waterFlow, packingHeight, label, result };
constexpr std::size_t columnCount = result;  // the columns read

constexpr std::array<std::string_view, columnCount> columnNames{
    "y1", "x1", "gas_flow", "water_flow", "packing_height", "label",
};

struct HeaderName {
    std::string_view normalised;
    Column column;
};

// Names as Export, the Runs window (in English and German) and people with a
// spreadsheet write them, after normalising.
constexpr std::array<HeaderName, 40> headerNames{{
    {"y1", y1},
    {"x1", x1},
    {"gasflow", gasFlow},
    {"gasflowrate", gasFlow},
    {"gasstrom", gasFlow},
    {"waterflow", waterFlow},
    {"waterflowrate", waterFlow},
    {"h20flowrate", waterFlow},
    {"h2oflowrate", waterFlow},
    {"wasserstrom", waterFlow},
    {"packingheight", packingHeight},
    {"height", packingHeight},
    {"heightofpacking", packingHeight},
    {"füllkörperhöhe", packingHeight},
    {"label", label},
    {"bezeichnung", label},
    // Results and the user's marks: opening recomputes, so they are not read.
    {"run", result},
    {"lauf", result},
    {"versuch", result},
    {"eqx", result},
    {"eqy", result},
    {"y2", result},
    {"ntu", result},
    {"mtc", result},
    {"equilibriumx", result},
    {"equilibriumy", result},
    {"equilibriumy*", result},
    {"gleichgewichtsx", result},
    {"gleichgewichtsy", result},
    {"gleichgewichtsy*", result},
    {"masstransfercoefficient", result},
    {"stoffübergangskoeffizient", result},
    {"outcome", result},
    {"excluded", result},
    {"findings", result},
    {"ntucolburn", result},
    {"umtc", result},
    {"mtc95low", result},
    {"mtc95high", result},
    {"ergebnis", result},
}};

// Lowercase (ASCII and the German umlauts), without a trailing part in
// parentheses such as a unit, and without spaces, '_' and '-'.
std::string normalised(std::string_view name)
{
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t'))
        name.remove_suffix(1);
    if (name.ends_with(')') && name.rfind('(') != std::string_view::npos)
        name = name.substr(0, name.rfind('('));
    std::string result;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        if (c == ' ' || c == '\t' || c == '_' || c == '-')
            continue;
        if (c >= 'A' && c <= 'Z') {
            result += static_cast<char>(c - 'A' + 'a');
        } else if (c == '\xC3' && i + 1 < name.size()
                   && (name[i + 1] == '\x84' || name[i + 1] == '\x96' || name[i + 1] == '\x9C')) {
            // Ä, Ö, Ü are C3 84, C3 96, C3 9C; ä, ö, ü are 0x20 further on.
            result += c;
            result += static_cast<char>(name[++i] + 0x20);
        } else {
            result += c;
        }
    }
    return result;
}

std::string_view trimmed(std::string_view cell)
{
    const std::size_t first = cell.find_first_not_of(" \t");
    return first == std::string_view::npos ? std::string_view()
                                           : cell.substr(first, cell.find_last_not_of(" \t") - first + 1);
}

// Where each column is, from the header, with a notice for each column left
// unread.
using Layout = std::array<std::optional<std::size_t>, columnCount>;

Layout layoutOf(const csv::Record& header, std::vector<Notice>& notices)
{
    Layout layout;
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
        const std::string& name = header.fields[i];
        const std::string key = normalised(name);
        const auto known = std::find_if(headerNames.begin(), headerNames.end(),
                                        [&](const HeaderName& entry) { return entry.normalised == key; });
        if (known == headerNames.end()) {
            notices.push_back({header.line,
                               key.empty() ? fmt::format("column {} has no name, ignored", i + 1)
                                           : fmt::format("column \"{}\" ignored: Quillon does not read it", name)});
        } else if (known->column != result && layout[known->column]) {
            notices.push_back(
                {header.line, fmt::format("column \"{}\" ignored: it repeats {}", name, columnNames[known->column])});
        } else if (known->column != result) {
            layout[known->column] = i;
        }
    }
    return layout;
}

// Export puts an apostrophe before a label a spreadsheet would take for a
// formula, and before one that starts with an apostrophe; this undoes it.
std::string labelOf(std::string_view cell)
{
    const bool protectedLabel =
        cell.size() > 1 && cell[0] == '\'' && std::string_view("=+-@'").find(cell[1]) != std::string_view::npos;
    return std::string(protectedLabel ? cell.substr(1) : cell);
}

// The run in a row, or why the row is none.
std::variant<Run, std::string> runOf(const csv::Record& record, const Layout& layout, std::size_t headerFields)
{
    if (std::all_of(record.fields.begin(), record.fields.end(),
                    [](const std::string& cell) { return trimmed(cell).empty(); }))
        return std::string(record.raw.empty() ? "skipped: blank line" : "skipped: no values");
    if (record.fields.size() != headerFields)
        return fmt::format("skipped: {} fields where the header has {}", record.fields.size(), headerFields);

    Run run;
    double* inputs[] = {&run.inputs.y1, &run.inputs.x1, &run.inputs.gasFlow, &run.inputs.waterFlow};
    for (const Column column : {y1, x1, gasFlow, waterFlow}) {
        const std::string& cell = record.fields[*layout[column]];
        const std::optional<double> value = text::readNumber(cell);
        if (!value && trimmed(cell).empty())
            return fmt::format("skipped: no {}", columnNames[column]);
        if (!value)
            return fmt::format("skipped: {} \"{}\" is not a number", columnNames[column], cell);
        *inputs[column] = *value;
    }
    if (layout[packingHeight] && !trimmed(record.fields[*layout[packingHeight]]).empty()) {
        const std::string& cell = record.fields[*layout[packingHeight]];
        run.packingHeight = text::readNumber(cell);
        if (!run.packingHeight)
            return fmt::format("skipped: packing_height \"{}\" is not a number", cell);
    }
    if (layout[label])
        run.label = labelOf(record.fields[*layout[label]]);
    return run;
}

std::string missingColumns(const Layout& layout)
{
    std::vector<std::string_view> missing;
    for (const Column column : {y1, x1, gasFlow, waterFlow}) {
        if (!layout[column])
            missing.push_back(columnNames[column]);
    }
    if (missing.empty())
        return {};
    return fmt::format("the header has no {} column{}; expected columns y1, x1, gas_flow and water_flow",
                       fmt::join(missing, ", "), missing.size() > 1 ? "s" : "");
}

}  // namespace

ImportResult importCsv(std::string_view bytes)
{
    const std::string_view text = text::withoutBom(bytes);
    if (const auto bad = text::firstInvalidUtf8(text)) {
        const text::Position at = text::positionAt(text, *bad);
        return ReadError{at.line, at.column, {}, "expected UTF-8 text; save the file as CSV in UTF-8"};
    }
    const auto split = csv::splitRecords(text, csv::detectDelimiter(text));
    if (const ReadError* error = std::get_if<ReadError>(&split))
        return *error;
    const std::vector<csv::Record>& records = std::get<std::vector<csv::Record>>(split);
    if (records.empty())
        return ReadError{1, 1, {}, "the file is empty; expected a header naming y1, x1, gas_flow and water_flow"};

    ImportedSeries imported;
    const csv::Record& header = records.front();
    const Layout layout = layoutOf(header, imported.notices);
    if (const std::string missing = missingColumns(layout); !missing.empty())
        return ReadError{header.line, 0, {}, missing};

    std::optional<Notice> firstSkip;
    for (std::size_t i = 1; i < records.size(); ++i) {
        auto row = runOf(records[i], layout, header.fields.size());
        if (Run* run = std::get_if<Run>(&row)) {
            imported.series.runs.push_back(std::move(*run));
        } else {
            imported.notices.push_back({records[i].line, std::move(std::get<std::string>(row))});
            if (!firstSkip)
                firstSkip = imported.notices.back();
        }
    }
    if (imported.series.runs.empty()) {
        const std::string why = firstSkip
            ? fmt::format("every row was skipped, the first at line {} ({})", firstSkip->line, firstSkip->message)
            : "it has a header but no rows";
        return ReadError{0, 0, {}, "no run in the file: " + why};
    }
    return imported;
}

}  // namespace series
