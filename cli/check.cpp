#include "cli/commandline.h"
#include "cli/commands.h"
#include "cli/inputs.h"

#include <cstdio>
#include <string>

namespace cli {

int check(const QStringList& arguments)
{
    CommandLine commandLine{{},
                            "check [options] FILE...",
                            "Computes every run of each series FILE again and compares the results with those\n"
                            "stored in it, every number to the last bit. Prints one line per difference,\n"
                            "  FILE: run N: FIELD: stored VALUE, computed VALUE\n"
                            "(FIELD one of outcome, eq_x, eq_y, y2, ntu, mtc; \"none\" for a value on one side\n"
                            "only). Runs stored without results, and CSV files, have nothing to compare."};
    QCommandLineParser& parser = commandLine.parser;
    parser.addOption(jobsOption());
    parser.addPositionalArgument("FILE", "A series file (.quillon); - for standard input.", "FILE...");
    if (const auto exit = parse(commandLine, arguments))
        return *exit;

    const QStringList files = parser.positionalArguments();
    if (files.isEmpty())
        return usageFailure("no FILE given", "check");
    if (files.count("-") > 1)
        return usageFailure("standard input (-) can be read only once", "check");
    const std::optional<unsigned> jobs = jobsOf(commandLine, "check");
    if (!jobs)
        return usageError;

    const std::optional<std::vector<Input>> inputs = readInputs(files);
    if (!inputs)
        return unreadable;
    const auto shown = [](const std::string& value) { return value.empty() ? std::string("none") : value; };
    bool differ = false;
    for (const Input& input : *inputs) {
        const auto results = series::computeRuns(input.series.runs, *jobs);
        for (const series::Difference& difference : series::compareResults(input.stored, *results)) {
            const std::string line = input.name + ": run " + std::to_string(difference.run + 1) + ": "
                + difference.field + ": stored " + shown(difference.stored) + ", computed " + shown(difference.computed)
                + '\n';
            std::fputs(line.c_str(), stdout);
            differ = true;
        }
    }
    if (std::fflush(stdout) != 0) {
        printError("standard output: cannot be written");
        return unwritable;
    }
    return differ ? differences : success;
}

}  // namespace cli
