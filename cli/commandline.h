#pragma once

// What every command of quillon-cli shares: its exit codes, its help and
// version, and the options more than one command takes.

#include <QCommandLineParser>
#include <QStringList>

#include <optional>
#include <string_view>

namespace cli {

// The tool's exit codes, as --help and the man page list them.
enum ExitCode : int {
    success = 0,      // everything done
    differences = 1,  // check: a stored result is not what the core computes now, or is missing
    usageError = 2,   // an unknown command or option, a missing FILE, a bad option value
    unreadable = 3,   // an input could not be read or is not a series
    unwritable = 4,   // the output could not be written; no partial file is left
};

// A command's parser with --help and --version, and `usage` (e.g.
// "compute [options] FILE...") and `description` for its help.
struct CommandLine {
    QCommandLineParser parser;
    QString usage;
    QString description;
};

// Parses a command's arguments (the first is the program's name). Prints the
// help or the version to standard output, or a usage error to standard
// error, and then gives the code to exit with; gives nothing when the
// command is to run.
std::optional<int> parse(CommandLine& commandLine, const QStringList& arguments);

// The tool's help text, listing `commands` (name and summary, as rows).
QString toolHelp(const QList<QPair<QString, QString>>& commands);

// "quillon-cli VERSION".
QString versionText();

// Prints "quillon-cli: message" and the hint to ask for help, for a usage
// error; gives usageError.
int usageFailure(const QString& message, const QString& command = {});

// The --jobs option, and its value: std::thread::hardware_concurrency (at
// least 1) unless given; nothing (after a usage error is printed) when the
// value is not a positive integer.
QCommandLineOption jobsOption();
std::optional<unsigned> jobsOf(const CommandLine& commandLine, const QString& command);

// A message to standard error, followed by a line end.
void printError(std::string_view message);

}  // namespace cli
