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
                            "The CSV is the desktop's Export Runs as CSV, byte for byte; with several FILEs, one\n"
                            "table whose first column, file, names each row's FILE."};
    QCommandLineParser& parser = commandLine.parser;
    const QCommandLineOption output({"o", "output"}, "Write to OUT, whole or not at all, instead of standard output.",
                                    "OUT");
    const QCommandLineOption format("format", "csv or json (default: json when OUT ends in .json, else csv).",
                                    "FORMAT");
    parser.addOption(output);
    parser.addOption(format);
    parser.addOption(jobsOption());
    parser.addPositionalArgument(
        "FILE", "A series file: .quillon, or CSV as File > Open reads it; - for standard input.", "FILE...");
    if (const auto exit = parse(commandLine, arguments))
        return *exit;

    const QStringList files = parser.positionalArguments();
    if (files.isEmpty())
        return usageFailure("no FILE given", "compute");
    if (files.count("-") > 1)
        return usageFailure("standard input (-) can be read only once", "compute");
    const QString chosen = parser.isSet(format)                       ? parser.value(format)
        : parser.value(output).endsWith(".json", Qt::CaseInsensitive) ? "json"
                                                                      : "csv";
    if (chosen != "csv" && chosen != "json")
        return usageFailure("--format wants csv or json, not '" + chosen + "'", "compute");
    const std::optional<unsigned> jobs = jobsOf(commandLine, "compute");
    if (!jobs)
        return usageError;

    const std::optional<std::vector<Input>> inputs = readInputs(files);
    if (!inputs)
        return unreadable;
    std::vector<Computed> computed;
    for (const Input& input : *inputs)
        computed.push_back(computedOf(input, *jobs));
    const std::string bytes = chosen == "json" ? jsonOf(computed) : csvOf(computed);
    if (const auto failure = writeOutput(parser.value(output), bytes)) {
        printError(*failure);
        return unwritable;
    }
    return success;
}

}  // namespace cli
