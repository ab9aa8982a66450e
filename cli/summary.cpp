#include "cli/checkrule.h"
#include "cli/commandline.h"
#include "cli/commands.h"
#include "cli/json.h"
#include "cli/outputs.h"
#include "present/classsummary.h"

#include <QString>

#include <string_view>

namespace cli {
namespace {

const char* const description =
    "Summarises a class's series FILEs, one row per FILE: its title and people, its runs,\n"
    "those completed, excluded and with findings, the fit MTC = a * G^m * L^n as fit\n"
    "gives it (the runs in it, a, m and n with their 95 % intervals, R², weighted or\n"
    "not) and what check finds (agrees, differs, no results; --as-shown and\n"
    "--tolerance as for check). Then the class's spread of each exponent over the\n"
    "files that have it (four at least): median, quartiles and range; a FILE whose\n"
    "exponent lies below the lower quartile or above the upper one by more than 1.5\n"
    "times their distance is named in the column outlier. Quartiles interpolate\n"
    "linearly between the sorted exponents, at position p (n - 1) counted from 0.\n"
    "The CSV holds the files' table, a blank line, and the spread's table; the JSON\n"
    "\"files\", \"class\" and \"outliers\". Numbers are written in full. weighted_reason says\n"
    "why a fit is unweighted. A FILE that cannot be read has a row all the same, its check\n"
    "saying \"unreadable: \" and why; it is named on standard error too, the table is\n"
    "written, -o OUT included, and the exit status is 3.";

// A cell as RFC 4180 quotes it, and never taken for a formula.
std::string csvCell(const std::string& text)
{
    const bool formula = !text.empty() && std::string_view("=+-@'").find(text.front()) != std::string_view::npos
        && text.find_first_not_of("0123456789.e+-") != std::string::npos;
    std::string cell = formula ? "'" : "";
    cell += text;
    if (cell.find_first_of(",\"\r\n") == std::string::npos)
        return cell;
    std::string quoted = "\"";
    for (const char c : cell)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + '"';
}

std::string csvLine(const std::vector<std::string>& cells)
{
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            line += ',';
        line += csvCell(cells[i]);
    }
    return line + "\r\n";
}

const char* exponentKey(series::Exponent exponent)
{
    return exponent == series::Exponent::gas ? "gas_exponent" : "water_exponent";
}

std::string summaryCsv(const present::ClassSummary& summary)
{
    std::string csv = csvLine(present::summaryKeys());
    for (std::size_t i = 0; i < summary.rows.size(); ++i)
        csv += csvLine(present::summaryCells(summary, i, true, present::Language(), present::NumberLocale()));
    csv += "\r\n" + csvLine({"exponent", "files", "median", "lower_quartile", "upper_quartile", "lowest", "highest"});
    for (const series::Exponent exponent : {series::Exponent::gas, series::Exponent::water}) {
        const auto& spread = exponent == series::Exponent::gas ? summary.gas : summary.water;
        if (spread)
            csv += csvLine({exponentKey(exponent), std::to_string(spread->files), series::exactText(spread->median),
                            series::exactText(spread->lowerQuartile), series::exactText(spread->upperQuartile),
                            series::exactText(spread->lowest), series::exactText(spread->highest)});
        else
            csv += csvLine({exponentKey(exponent), "", "", "", "", "", ""});
    }
    return csv;
}

std::string summaryJson(const present::ClassSummary& summary)
{
    const auto estimate = [](Json& json, const std::string& key, const std::optional<series::Estimate>& value) {
        json[key] = value ? Json(value->value) : Json();
        json[key + "_ci95"] = value ? Json{value->low, value->high} : Json();
    };
    Json files = Json::array();
    for (const present::SummaryRow& row : summary.rows) {
        // A file that could not be read has nothing but its name and why.
        const bool read = !row.unreadable;
        Json json{{"file", row.file},
                  {"title", read ? Json(row.title) : Json()},
                  {"people", read ? Json(row.people) : Json()},
                  {"runs", read ? Json(row.runs) : Json()},
                  {"completed", read ? Json(row.completed) : Json()},
                  {"excluded", read ? Json(row.excluded) : Json()},
                  {"with_findings", read ? Json(row.withFindings) : Json()}};
        const series::PowerLaw* law = row.law ? &*row.law : nullptr;
        json["fit_runs"] = law ? Json(law->runsUsed) : Json();
        estimate(json, "prefactor", law ? std::optional(law->prefactor) : std::nullopt);
        estimate(json, "gas_exponent", law ? law->gasExponent : std::nullopt);
        estimate(json, "water_exponent", law ? law->waterExponent : std::nullopt);
        json["r_squared"] = law ? Json(law->rSquared) : Json();
        json["weighted"] = law ? Json(law->weighted) : Json();
        json["weighted_reason"] = law && !law->weighted ? Json(row.unweightedReason) : Json();
        json["no_fit"] = law || !read ? Json() : Json(row.noFit);
        json["check"] = present::checkCell(row, present::Language());
        files.push_back(std::move(json));
    }
    Json spreads = Json::object();
    for (const series::Exponent exponent : {series::Exponent::gas, series::Exponent::water}) {
        const auto& spread = exponent == series::Exponent::gas ? summary.gas : summary.water;
        spreads[exponentKey(exponent)] = spread ? Json{{"files", spread->files},
                                                       {"median", spread->median},
                                                       {"lower_quartile", spread->lowerQuartile},
                                                       {"upper_quartile", spread->upperQuartile},
                                                       {"lowest", spread->lowest},
                                                       {"highest", spread->highest}}
                                                : Json();
    }
    Json outliers = Json::array();
    for (const present::Outlier& outlier : summary.outliers)
        outliers.push_back({{"file", summary.rows[outlier.row].file},
                            {"exponent", exponentKey(outlier.exponent)},
                            {"value", outlier.value}});
    return jsonText({{"format", "quillon-summary"},
                     {"version", 1},
                     {"files", std::move(files)},
                     {"class", std::move(spreads)},
                     {"outliers", std::move(outliers)}});
}

}  // namespace

int summary(const QStringList& arguments)
{
    CommandLine commandLine{
        {}, "summary [options] FILE...", description, "A series file (.quillon) or CSV; - for standard input."};
    QCommandLineParser& parser = commandLine.parser;
    const TableOutput table(parser);
    addCheckRuleOptions(parser);
    present::CheckRule rule;
    const auto started = start(commandLine, arguments, [&] {
        const QString refused = table.refusal();
        return refused.isEmpty() ? checkRuleOf(parser, rule) : refused;
    });
    if (const int* exit = std::get_if<int>(&started))
        return *exit;
    const Started& ran = std::get<Started>(started);

    // A row per FILE in the order given, one that could not be read saying
    // why: the table is whole with it, so -o writes it too.
    std::vector<present::SummaryRow> rows;
    auto input = ran.inputs.read.begin();
    auto failure = ran.inputs.failures.begin();
    for (std::size_t at = 0; at < std::size_t(ran.files.size()); ++at) {
        if (failure != ran.inputs.failures.end() && failure->argument == at) {
            rows.push_back(present::unreadableRow(ran.files[qsizetype(at)].toStdString(), failure->failure.message));
            ++failure;
            continue;
        }
        const Computed computed = computedOf(*input, ran.jobs);
        rows.push_back(present::summaryRowOf(
            input->name, input->series, input->stored,
            rule.asShown || rule.tolerance ? input->reported : std::vector<series::ReportedResults>(), computed.results,
            computed.uncertainties, rule));
        ++input;
    }
    const present::ClassSummary summary = present::summarise(std::move(rows));
    const QString path = parser.value(table.output);
    const auto failed = writeOutput(path, table.chosenFormat() == "json" ? summaryJson(summary) : summaryCsv(summary));
    if (failed)
        printError(*failed);
    if (!ran.inputs.unreadable.empty())
        return unreadable;
    return failed ? unwritable : success;
}

}  // namespace cli
