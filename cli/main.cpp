// quillon-cli: the series library's results without a window.

#include "cli/commandline.h"
#include "cli/commands.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <array>
#include <cstdio>
#include <memory>
#include <string_view>

namespace {

struct Command {
    const char* name;
    const char* summary;
    int (*run)(const QStringList& arguments);
};

// A new command is a function in cli/commands.h and a row here.
constexpr std::array<Command, 6> commands{{
    {"compute", "Compute every run of series files; write the runs with their results as CSV or JSON.", cli::compute},
    {"check", "Compute series files again and list every result that differs from the stored one.", cli::check},
    {"fit", "Fit the power law MTC = a * G^m * L^n to a series' runs; write it as text or JSON.", cli::fit},
    {"report", "Write a series' PDF report.", cli::report},
    // Grading a class.
    {"summary", "Summarise a class's series, a row per file: runs, findings, fit, check; name the outliers.",
     cli::summary},
    {"exercise", "Make each group of a class its own runs to hand out, and their answer key.", cli::exercise},
}};

// The tool speaks for itself: Qt's own warnings (such as a missing
// XDG_RUNTIME_DIR when the report starts offscreen) are not its users'
// business; its critical and fatal messages still reach standard error.
void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fputs(message.toLocal8Bit().constData(), stderr);
        std::fputc('\n', stderr);
    }
}

}  // namespace

int main(int argc, char* argv[])
{
    qInstallMessageHandler(quietQtMessages);
    // Only the report draws, and it draws offscreen: no display is needed.
    const bool drawing = argc > 1 && std::string_view(argv[1]) == "report";
    if (drawing && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> app =
        drawing ? std::make_unique<QGuiApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
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
