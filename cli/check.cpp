#include "cli/checkrule.h"
#include "cli/commandline.h"
#include "cli/commands.h"
#include "cli/inputs.h"
#include "present/checking.h"

#include <cstdio>
#include <string>

namespace cli {
namespace {

const char* const description =
    "Computes every run of each FILE again and compares the results with those it gives,\n"
    "by default the results stored in a series file, every number to the last bit.\n"
    "Prints one line per difference,\n"
    "  FILE: run N: FIELD: stored VALUE, computed VALUE\n"
    "(FIELD one of outcome, eq_x, eq_y, y2, ntu, mtc; \"none\" for a value on one side\n"
    "only). What has nothing to compare counts as a difference too, unless\n"
    "--allow-no-results is given: a FILE of which no run has stored results (a CSV\n"
    "file, a series saved without them) as \"FILE: no stored results\", a run\n"
    "without them in a FILE whose other runs have them as \"FILE: run N: no stored\n"
    "results\". A FILE that cannot be read is named on standard error and the others\n"
    "are still checked.\n"
    "\n"
    "With --as-shown or --tolerance, a CSV's y2, NTU, MTC, u_mtc (standard) and U\n"
    "(expanded, k = 2) columns are checked too, as a lab report types them: a value\n"
    "agrees as shown when it rounds as the window rounds to the text the window shows\n"
    "for the computed one (results to 4 decimals, uncertainties to 2 significant\n"
    "digits); fewer digits than the window shows (1.75 for 1.7514) differ, and so does\n"
    "a blank cell in a column the CSV has, where the window shows a value. A line\n"
    "then reads \"FILE: run N: FIELD: reported VALUE, shown VALUE\", the shown value\n"
    "written with the CSV's decimal separator, and each FILE ends with\n"
    "\"FILE: N runs compared, M differ\". An MTC typed \"MTC ± U\" (or +-) gives the MTC\n"
    "before the sign, and the U after it is compared where the run has one.";

// The word for the file's side of a difference, and the computed one's.
std::string givenWord(const Input& input)
{
    return input.reported.empty() ? "stored" : "reported";
}

}  // namespace

int check(const QStringList& arguments)
{
    CommandLine commandLine{
        {}, "check [options] FILE...", description, "A series file (.quillon) or CSV; - for standard input."};
    QCommandLineParser& parser = commandLine.parser;
    const QCommandLineOption allowNoResults(
        "allow-no-results", "Files and runs without stored results are expected: do not list or count them.");
    parser.addOption(allowNoResults);
    // Grading: a report's numbers at the precision the window shows them.
    addCheckRuleOptions(parser);
    present::CheckRule rule;
    const auto started = start(commandLine, arguments, [&] { return checkRuleOf(parser, rule); });
    if (const int* exit = std::get_if<int>(&started))
        return *exit;
    const Inputs& inputs = std::get<Started>(started).inputs;
    const unsigned jobs = std::get<Started>(started).jobs;
    const bool grading = rule.asShown || rule.tolerance;

    const auto shown = [](const std::string& value) { return value.empty() ? std::string("none") : value; };
    bool differ = false;
    for (const Input& input : inputs.read) {
        std::vector<std::string> lines;
        const auto results = series::computeRuns(input.series.runs, input.series.equilibrium, jobs);
        std::vector<series::RunUncertainty> uncertainties;
        if (grading && present::reportsUncertainty(input.reported))
            uncertainties = *series::uncertaintiesOf(input.series, jobs);
        const present::FileCheck checked =
            present::checkResults(input.stored, input.reported, *results, uncertainties, rule);
        const std::string given = grading ? givenWord(input) : "stored";
        const std::string computed = rule.asShown ? "shown" : "computed";
        if (!parser.isSet(allowNoResults)) {
            // A grader must not read silence as "all correct".
            const std::string what = grading && !input.reported.empty() ? "no reported results" : "no stored results";
            if (checked.runsWithoutValues.size() == input.series.runs.size())
                lines.push_back(input.name + ": " + what + '\n');
            else
                for (const std::size_t run : checked.runsWithoutValues)
                    lines.push_back(input.name + ": run " + std::to_string(run + 1) + ": " + what + '\n');
        }
        for (const present::ValueDifference& difference : checked.differences) {
            lines.push_back(input.name + ": run " + std::to_string(difference.run + 1) + ": " + difference.field + ": "
                            + given + ' ' + shown(difference.given) + ", " + computed + ' ' + shown(difference.computed)
                            + '\n');
        }
        differ = differ || !lines.empty();
        if (grading)
            lines.push_back(input.name + ": " + std::to_string(checked.runsCompared) + " runs compared, "
                            + std::to_string(checked.runsDiffering) + " differ\n");
        for (const std::string& line : lines)
            std::fputs(line.c_str(), stdout);
    }
    const bool written = std::fflush(stdout) == 0;
    if (!written)
        printError("standard output: cannot be written");
    // The worst outcome decides, in the order the help lists: an input not
    // read, the output not written, a difference.
    if (!inputs.unreadable.empty())
        return unreadable;
    if (!written)
        return unwritable;
    return differ ? differences : success;
}

}  // namespace cli
