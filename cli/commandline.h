#pragma once

// What every command of quillon-cli shares: its exit codes, its help and
// version, --jobs, and reading its FILEs.

#include "cli/inputs.h"

#include <QCommandLineParser>
#include <QStringList>

#include <functional>
#include <optional>
#include <string_view>
#include <variant>

namespace cli {

// The tool's exit codes, as --help and the man page list them.
enum ExitCode : int {
    success = 0,      // everything done
    differences = 1,  // check: a stored result is not what the core computes now, or is missing
    usageError = 2,   // an unknown command or option, a missing FILE, a bad option value
    unreadable = 3,   // an input could not be read or is not a series
    unwritable = 4,   // the output could not be written; no partial file is left
};

// How many FILEs a command reads.
enum class Files { one, many };

// A command's parser with its own options, and `usage` (e.g.
// "compute [options] FILE...") and `description` for its help; `fileHelp`
// says what a FILE may be.
struct CommandLine {
    QCommandLineParser parser;
    QString usage;
    QString description;
    QString fileHelp;
    Files files = Files::many;
};

// What a command runs on: its FILEs as given, those read, and --jobs.
struct Started {
    QStringList files;
    Inputs inputs;
    unsigned jobs = 1;
};

// The steps every command starts with. Adds --jobs, --help, --version and
// FILE to the parser and parses `arguments` (the first is the command's
// name); checks the count of FILEs (one; or at least one, standard input
// at most once), then the command's own option values (`wrongOptions`
// gives a usage error's message, or nothing), then --jobs; and reads the
// FILEs, printing each failure and notice. Gives the code to exit with
// instead when the command is not to run: after its help or version, a
// usage error, or when its one FILE cannot be read.
std::variant<Started, int> start(CommandLine& commandLine, const QStringList& arguments,
                                 const std::function<QString()>& wrongOptions = {});

// The tool's help text, listing `commands` (name and summary, as rows).
QString toolHelp(const QList<QPair<QString, QString>>& commands);

// "quillon-cli VERSION".
QString versionText();

// Prints "quillon-cli: message" and the hint to ask for help, for a usage
// error; gives usageError.
int usageFailure(const QString& message, const QString& command = {});

// A message to standard error, followed by a line end.
void printError(std::string_view message);

// For a command that reads no FILE (exercise): adds --help and --version
// and parses `arguments`; gives the code to exit with after the help, the
// version or a usage error, or nothing when the command is to run.
std::optional<int> parseWithoutFiles(CommandLine& commandLine, const QStringList& arguments);

// -o OUT and --format csv|json, as compute and summary take them: JSON when
// OUT ends in .json, unless --format says otherwise.
struct TableOutput {
    explicit TableOutput(QCommandLineParser& commands);
    QString chosenFormat() const;
    // Why --format is refused; empty for csv or json.
    QString refusal() const;

    QCommandLineParser& parser;
    const QCommandLineOption output;
    const QCommandLineOption format;
};

}  // namespace cli
