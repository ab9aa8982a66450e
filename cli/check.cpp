#include "cli/commandline.h"
#include "cli/commands.h"
#include "cli/inputs.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace cli {
namespace {

bool nothingStored(const series::StoredResults& stored)
{
    return !stored.outcome && !stored.eqX && !stored.eqY && !stored.y2 && !stored.ntu && !stored.mtc;
}

// The lines that name what could not be compared: the whole file when no
// run of it has stored results (a CSV file, a series saved without them),
// else each run without. A grader must not read silence as "all correct".
std::vector<std::string> unchecked(const Input& input)
{
    const auto& runs = input.series.runs;
    std::vector<std::size_t> missing;
    for (std::size_t run = 0; run < runs.size(); ++run) {
        if (run >= input.stored.size() || nothingStored(input.stored[run]))
            missing.push_back(run);
    }
    if (missing.size() == runs.size())
        return {input.name + ": no stored results\n"};
    std::vector<std::string> lines;
    for (const std::size_t run : missing)
        lines.push_back(input.name + ": run " + std::to_string(run + 1) + ": no stored results\n");
    return lines;
}

}  // namespace

int check(const QStringList& arguments)
{
    CommandLine commandLine{{},
                            "check [options] FILE...",
                            "Computes every run of each series FILE again and compares the results with those\n"
                            "stored in it, every number to the last bit. Prints one line per difference,\n"
                            "  FILE: run N: FIELD: stored VALUE, computed VALUE\n"
                            "(FIELD one of outcome, eq_x, eq_y, y2, ntu, mtc; \"none\" for a value on one side\n"
                            "only). What has nothing to compare counts as a difference too, unless\n"
                            "--allow-no-results is given: a FILE of which no run has stored results (a CSV\n"
                            "file, a series saved without them) as \"FILE: no stored results\", a run\n"
                            "without them in a FILE whose other runs have them as \"FILE: run N: no stored\n"
                            "results\". A FILE that cannot be read is named on standard error and the others\n"
                            "are still checked.",
                            "A series file (.quillon); - for standard input."};
    QCommandLineParser& parser = commandLine.parser;
    const QCommandLineOption allowNoResults(
        "allow-no-results", "Files and runs without stored results are expected: do not list or count them.");
    parser.addOption(allowNoResults);
    const auto started = start(commandLine, arguments);
    if (const int* exit = std::get_if<int>(&started))
        return *exit;
    const Inputs& inputs = std::get<Started>(started).inputs;
    const unsigned jobs = std::get<Started>(started).jobs;

    const auto shown = [](const std::string& value) { return value.empty() ? std::string("none") : value; };
    bool differ = false;
    for (const Input& input : inputs.read) {
        std::vector<std::string> lines;
        if (!parser.isSet(allowNoResults))
            lines = unchecked(input);
        const auto results = series::computeRuns(input.series.runs, input.series.equilibrium, jobs);
        for (const series::Difference& difference : series::compareResults(input.stored, *results)) {
            lines.push_back(input.name + ": run " + std::to_string(difference.run + 1) + ": " + difference.field
                            + ": stored " + shown(difference.stored) + ", computed " + shown(difference.computed)
                            + '\n');
        }
        for (const std::string& line : lines)
            std::fputs(line.c_str(), stdout);
        differ = differ || !lines.empty();
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
