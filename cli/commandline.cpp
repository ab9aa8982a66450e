#include "cli/commandline.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <thread>

namespace cli {
namespace {

const char* const exitCodes =
    "Exit codes:\n"
    "  0  success\n"
    "  1  check: a stored result differs from the one computed now, or there is none\n"
    "  2  usage error: unknown command or option, missing FILE, bad option value\n"
    "  3  an input could not be read or is not a series (file:line:column: what was expected)\n"
    "  4  an output could not be written (no partial file is left)\n"
    "When several apply, the first of 2, 3, 4, 1 gives the code.\n";

void printOut(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
}

// Parses a command's arguments. Prints the help or the version to standard
// output, or a usage error to standard error, and then gives the code to
// exit with; gives nothing when the command is to run.
std::optional<int> parse(CommandLine& commandLine, const QStringList& arguments)
{
    QCommandLineParser& parser = commandLine.parser;
    const QCommandLineOption help({"h", "help"}, "Show this help and exit.");
    const QCommandLineOption version("version", "Show the version and exit.");
    parser.addOption(help);
    parser.addOption(version);
    const QString command = commandLine.usage.section(' ', 0, 0);
    if (!parser.parse(arguments))
        return usageFailure(parser.errorText(), command);
    if (parser.isSet(help)) {
        // Qt's usage line names the program as it was started; ours names
        // the command too.
        const QString options = parser.helpText().section('\n', 1);
        printOut("Usage: quillon-cli " + commandLine.usage + '\n' + commandLine.description + '\n' + options + '\n'
                 + exitCodes);
        return success;
    }
    if (parser.isSet(version)) {
        printOut(versionText() + '\n');
        return success;
    }
    return std::nullopt;
}

// --jobs' value: std::thread::hardware_concurrency (at least 1) unless
// given; nothing (after a usage error is printed) when the value is not a
// positive integer.
std::optional<unsigned> jobsOf(const CommandLine& commandLine, const QString& command)
{
    if (!commandLine.parser.isSet("jobs"))
        return std::max(1u, std::thread::hardware_concurrency());
    const QString given = commandLine.parser.value("jobs");
    bool ok = false;
    const unsigned jobs = given.toUInt(&ok);
    if (!ok || jobs == 0) {
        usageFailure("--jobs wants a whole number of threads from 1 up, not '" + given + "'", command);
        return std::nullopt;
    }
    return jobs;
}

}  // namespace

std::variant<Started, int> start(CommandLine& commandLine, const QStringList& arguments,
                                 const std::function<QString()>& wrongOptions)
{
    QCommandLineParser& parser = commandLine.parser;
    const bool one = commandLine.files == Files::one;
    parser.addOption({{"j", "jobs"}, "Compute on N threads (default: every core).", "N"});
    parser.addPositionalArgument("FILE", commandLine.fileHelp, one ? "FILE" : "FILE...");
    if (const auto exit = parse(commandLine, arguments))
        return *exit;

    const QString command = commandLine.usage.section(' ', 0, 0);
    Started started{parser.positionalArguments(), {}, 1};
    if (one && started.files.size() != 1)
        return usageFailure(command + " takes one FILE", command);
    if (started.files.isEmpty())
        return usageFailure("no FILE given", command);
    if (started.files.count("-") > 1)
        return usageFailure("standard input (-) can be read only once", command);
    if (const QString wrong = wrongOptions ? wrongOptions() : QString(); !wrong.isEmpty())
        return usageFailure(wrong, command);
    const std::optional<unsigned> jobs = jobsOf(commandLine, command);
    if (!jobs)
        return usageError;
    started.jobs = *jobs;

    started.inputs = readInputs(started.files);
    if (one && started.inputs.read.empty())
        return unreadable;
    return started;
}

QString toolHelp(const QList<QPair<QString, QString>>& commands)
{
    qsizetype width = 0;
    for (const auto& [name, summary] : commands)
        width = std::max(width, name.size());
    QString text =
        "Usage: quillon-cli COMMAND [options] [FILE...]\n"
        "Computes series of packed-bed NH3 absorber runs without a window.\n\n"
        "Commands:\n";
    for (const auto& [name, summary] : commands)
        text += "  " + name.leftJustified(width + 2) + summary + '\n';
    text +=
        "\nOptions:\n"
        "  -h, --help  Show this help and exit.\n"
        "  --version   Show the version and exit.\n\n"
        "'quillon-cli COMMAND --help' shows a command's options.\n\n";
    return text + exitCodes;
}

QString versionText()
{
    return "quillon-cli " + QCoreApplication::applicationVersion();
}

int usageFailure(const QString& message, const QString& command)
{
    const QString name = command.isEmpty() ? "quillon-cli" : "quillon-cli " + command;
    printError((name + ": " + message + "\nTry '" + name + " --help'.").toStdString());
    return usageError;
}

void printError(std::string_view message)
{
    std::fwrite(message.data(), 1, message.size(), stderr);
    std::fputc('\n', stderr);
}

std::optional<int> parseWithoutFiles(CommandLine& commandLine, const QStringList& arguments)
{
    if (const auto exit = parse(commandLine, arguments))
        return exit;
    if (!commandLine.parser.positionalArguments().isEmpty())
        return usageFailure(commandLine.usage.section(' ', 0, 0) + " takes no FILE",
                            commandLine.usage.section(' ', 0, 0));
    return std::nullopt;
}

TableOutput::TableOutput(QCommandLineParser& commands)
    : parser(commands)
    , output({"o", "output"}, "Write to OUT, whole or not at all, instead of standard output.", "OUT")
    , format("format", "csv or json (default: json when OUT ends in .json, else csv).", "FORMAT")
{
    commands.addOption(output);
    commands.addOption(format);
}

QString TableOutput::chosenFormat() const
{
    return parser.isSet(format)                                       ? parser.value(format)
        : parser.value(output).endsWith(".json", Qt::CaseInsensitive) ? "json"
                                                                      : "csv";
}

QString TableOutput::refusal() const
{
    const QString chosen = chosenFormat();
    return chosen == "csv" || chosen == "json" ? QString() : "--format wants csv or json, not '" + chosen + "'";
}

}  // namespace cli
