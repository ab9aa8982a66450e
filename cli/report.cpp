#include "cli/commandline.h"
#include "cli/commands.h"
#include "cli/outputs.h"
#include "report/seriespdf.h"

#include <QDateTime>
#include <QLocale>

namespace cli {

int report(const QStringList& arguments)
{
    CommandLine commandLine{{},
                            "report [options] FILE -o OUT.pdf",
                            "Writes the series report of FILE as PDF, as the desktop's Save Series Report as PDF\n"
                            "does: the table of runs, both charts with the fit, the method, and each run's report\n"
                            "(for a series of up to 12 runs, unless --no-appendix; beyond, with --appendix).\n"
                            "The fit is of Quillon's coefficient, or with --coefficient colburn of the Colburn\n"
                            "NTU's, and says which. Numbers are written with '.' whatever the locale. Needs no\n"
                            "display.",
                            "A series file: .quillon, or CSV; - for standard input.",
                            Files::one};
    QCommandLineParser& parser = commandLine.parser;
    const QCommandLineOption output({"o", "output"}, "The PDF file, written whole or not at all.", "OUT.pdf");
    parser.addOption(output);
    const QCommandLineOption appendix("appendix", "Add each run's own report, whatever the number of runs.");
    const QCommandLineOption noAppendix("no-appendix", "Leave out each run's own report.");
    parser.addOption(appendix);
    parser.addOption(noAppendix);
    const QCommandLineOption coefficient(
        "coefficient", "quillon (the coefficient of Quillon's NTU, the default) or colburn.", "COEFFICIENT");
    parser.addOption(coefficient);
    const auto fitted = [&] {
        return series::fittedNamed(parser.isSet(coefficient) ? parser.value(coefficient).toStdString() : "quillon");
    };
    const auto started = start(commandLine, arguments, [&] {
        if (parser.isSet(appendix) && parser.isSet(noAppendix))
            return QString("--appendix and --no-appendix exclude each other");
        if (!fitted())
            return "--coefficient wants quillon or colburn, not '" + parser.value(coefficient) + "'";
        return parser.value(output).isEmpty() ? QString("report needs -o OUT.pdf") : QString();
    });
    if (const int* exit = std::get_if<int>(&started))
        return *exit;
    const Input& input = std::get<Started>(started).inputs.read.front();
    const Computed one = computedOf(input, std::get<Started>(started).jobs);

    QLocale::setDefault(QLocale::c());
    const report::PdfDetails details{QUILLON_VERSION, QDateTime::currentDateTime(),
                                     report::numberTextsIn(QLocale::c())};
    const std::optional<QByteArray> pdf = report::seriesPdf(
        input.series, one.results, one.uncertainties, details,
        parser.isSet(appendix) || (!parser.isSet(noAppendix) && report::appendixByDefault(input.series.runs.size())),
        *fitted());
    if (!pdf) {
        printError("the report could not be made");
        return unwritable;
    }
    if (const auto failure = writeOutput(parser.value(output), pdf->toStdString())) {
        printError(*failure);
        return unwritable;
    }
    return success;
}

}  // namespace cli
