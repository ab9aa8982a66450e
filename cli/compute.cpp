#include "cli/commandline.h"
#include "cli/commands.h"
#include "cli/inputs.h"
#include "cli/outputs.h"

namespace cli {

int compute(const QStringList& arguments)
{
    CommandLine commandLine{{},
                            "compute [options] FILE...",
                            "Computes every run of each series FILE, with its uncertainties where the series gives\n"
                            "them, and writes every run's inputs, results, Colburn NTU and findings as CSV or JSON.\n"
                            "The CSV is the desktop's Export Runs as CSV, byte for byte, with one column more at\n"
                            "the end, u_mtc_reason: why a run has no u_mtc. With several FILEs, one table whose\n"
                            "first column, file, names each row's FILE. A FILE that cannot be read\n"
                            "is named on standard error; the others are still written to standard output, but\n"
                            "OUT is then not written at all.",
                            "A series file: .quillon, or CSV as File > Open reads it; - for standard input."};
    QCommandLineParser& parser = commandLine.parser;
    const TableOutput table(parser);
    const auto started = start(commandLine, arguments, [&] { return table.refusal(); });
    if (const int* exit = std::get_if<int>(&started))
        return *exit;
    const auto& [files, inputs, jobs] = std::get<Started>(started);
    const QString chosen = table.chosenFormat();

    const QString path = parser.value(table.output);
    const bool toFile = !path.isEmpty() && path != "-";
    // A file is written whole or not at all: a table short of some inputs
    // would pass for the whole. Standard output gets what could be read,
    // the exit code saying that it is not everything.
    if (!inputs.unreadable.empty() && (toFile || inputs.read.empty())) {
        if (toFile) {
            std::string names;
            for (const std::string& name : inputs.unreadable)
                names += (names.empty() ? "" : ", ") + name;
            printError(path.toStdString() + ": not written, as " + names + " could not be read");
        }
        return unreadable;
    }
    std::vector<Computed> computed;
    for (const Input& input : inputs.read)
        computed.push_back(computedOf(input, jobs));
    // The table's shape follows the FILEs given, not how many could be read.
    const std::string bytes = chosen == "json" ? jsonOf(computed) : csvOf(computed, files.size() > 1);
    const auto failure = writeOutput(path, bytes);
    if (failure)
        printError(*failure);
    if (!inputs.unreadable.empty())
        return unreadable;
    if (failure)
        return unwritable;
    return success;
}

}  // namespace cli
