// quillon-cli: the series library's results without a window.

#include "cli/commandline.h"
#include "cli/commands.h"

#include <QCoreApplication>

#include <array>
#include <cstdio>

namespace {

struct Command {
    const char* name;
    const char* summary;
    int (*run)(const QStringList& arguments);
};

// A new command is a function in cli/commands.h and a row here.
constexpr std::array<Command, 2> commands{{
    {"compute", "Compute every run of series files; write the runs with their results as CSV or JSON.", cli::compute},
    {"check", "Compute series files again and list every result that differs from the stored one.", cli::check},
}};

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("quillon-cli");
    QCoreApplication::setApplicationVersion(QUILLON_VERSION);

    const QStringList arguments = QCoreApplication::arguments();
    const QString first = arguments.value(1);
    if (first == "-h" || first == "--help") {
        QList<QPair<QString, QString>> listed;
        for (const Command& command : commands)
            listed.append(qMakePair(QString(command.name), QString(command.summary)));
        std::fputs(cli::toolHelp(listed).toUtf8().constData(), stdout);
        return cli::success;
    }
    if (first == "--version") {
        std::puts(cli::versionText().toUtf8().constData());
        return cli::success;
    }
    for (const Command& command : commands) {
        if (first == command.name)
            return command.run(arguments.mid(1));
    }
    return cli::usageFailure(first.isEmpty() ? "no command given" : "unknown command '" + first + "'");
}
