#include "series/analysis.h"
#include "cli/commandline.h"
#include "cli/commands.h"
#include "cli/inputs.h"
#include "cli/outputs.h"
#include "report/seriespdf.h"

#include <QDateTime>
#include <QLocale>

#include <cstdio>

namespace cli {
namespace {

// The one FILE's series, read; nothing (after the reason is printed) when
// it cannot be.
std::optional<Input> oneSeries(const QString& file)
{
    Inputs inputs = readInputs({file});
    return inputs.read.empty() ? std::nullopt : std::optional(std::move(inputs.read.front()));
}

std::string number(double value)
{
    return QString::number(value, 'g', 6).toStdString();
}

std::string estimateText(const series::Estimate& estimate)
{
    return number(estimate.value) + " (standard error " + number(estimate.standardError) + ", 95 % interval "
        + number(estimate.low) + " to " + number(estimate.high) + ")";
}

std::string fitText(const series::Analysis& analysis)
{
    const auto* law = std::get_if<series::PowerLaw>(&analysis.fit);
    if (!law)
        return "no fit: " + std::get<series::NotGiven>(analysis.fit).reason + "\n";
    std::string text = "MTC = a";
    text += law->gasExponent ? " * G^m" : "";
    text += law->waterExponent ? " * L^n" : "";
    text += "\nruns used: " + std::to_string(law->runsUsed) + (law->weighted ? ", weighted by their uncertainties" : "")
        + "\na = " + estimateText(law->prefactor) + "\n";
    if (law->gasExponent)
        text += "m (gas flow) = " + estimateText(*law->gasExponent) + "\n";
    if (law->waterExponent)
        text += "n (water flow) = " + estimateText(*law->waterExponent) + "\n";
    if (law->dropped)
        text += std::string(law->dropped->exponent == series::Exponent::gas ? "m" : "n")
            + " left out: " + law->dropped->reason + "\n";
    return text + "R^2 = " + number(law->rSquared) + " (of ln MTC)\n";
}

std::string fitJson(const series::Analysis& analysis)
{
    const auto* law = std::get_if<series::PowerLaw>(&analysis.fit);
    std::string json = "{\n";
    const auto field = [&json](const char* key, const std::string& value, bool last = false) {
        json += std::string("  \"") + key + "\": " + value + (last ? "\n" : ",\n");
    };
    const auto estimate = [&](const char* key, const char* seKey, const char* ciKey,
                              const std::optional<series::Estimate>& value) {
        field(key, jsonNumber(value ? std::optional(value->value) : std::nullopt));
        field(seKey, jsonNumber(value ? std::optional(value->standardError) : std::nullopt));
        std::string interval = "null";
        if (value) {
            interval = "[";
            interval += jsonNumber(value->low);
            interval += ", ";
            interval += jsonNumber(value->high);
            interval += "]";
        }
        field(ciKey, interval);
    };
    field("runs", std::to_string(law ? law->runsUsed : 0));
    field("prefactor", jsonNumber(law ? std::optional(law->prefactor.value) : std::nullopt));
    estimate("gas_exponent", "gas_exponent_se", "gas_exponent_ci95", law ? law->gasExponent : std::nullopt);
    estimate("water_exponent", "water_exponent_se", "water_exponent_ci95", law ? law->waterExponent : std::nullopt);
    field("r_squared", jsonNumber(law ? std::optional(law->rSquared) : std::nullopt));
    field("weighted", law && law->weighted ? "true" : "false");
    if (!law) {
        field("dropped", "null");
        field("no_fit", jsonString(std::get<series::NotGiven>(analysis.fit).reason), true);
    } else if (law->dropped) {
        const char* term = law->dropped->exponent == series::Exponent::gas ? "gas_exponent" : "water_exponent";
        field("dropped", "{\"term\": " + jsonString(term) + ", \"reason\": " + jsonString(law->dropped->reason) + "}",
              true);
    } else {
        field("dropped", "null", true);
    }
    return json + "}\n";
}

}  // namespace

int fit(const QStringList& arguments)
{
    CommandLine commandLine{{},
                            "fit [options] FILE",
                            "Fits MTC = a * G^m * L^n to the runs of the series FILE that are in its analysis (not\n"
                            "excluded, no findings unless included, a coefficient found), weighted by their\n"
                            "uncertainties where every such run has one, as the desktop's Series Analysis does.\n"
                            "An exponent whose flow has one value in every run is left out, and says so."};
    QCommandLineParser& parser = commandLine.parser;
    const QCommandLineOption format("format", "text or json (default: text).", "FORMAT");
    const QCommandLineOption unweighted("unweighted", "Fit without weights even where the runs have uncertainties.");
    parser.addOption(format);
    parser.addOption(unweighted);
    parser.addOption(jobsOption());
    parser.addPositionalArgument("FILE", "A series file: .quillon, or CSV; - for standard input.", "FILE");
    if (const auto exit = parse(commandLine, arguments))
        return *exit;
    if (parser.positionalArguments().size() != 1)
        return usageFailure("fit takes one FILE", "fit");
    const QString chosen = parser.isSet(format) ? parser.value(format) : "text";
    if (chosen != "text" && chosen != "json")
        return usageFailure("--format wants text or json, not '" + chosen + "'", "fit");
    const std::optional<unsigned> jobs = jobsOf(commandLine, "fit");
    if (!jobs)
        return usageError;
    const std::optional<Input> input = oneSeries(parser.positionalArguments().front());
    if (!input)
        return unreadable;
    const Computed one = computedOf(*input, *jobs);
    const series::Analysis analysis =
        series::analyse(input->series, one.results, one.uncertainties, !parser.isSet(unweighted));
    if (const auto failure = writeOutput({}, chosen == "json" ? fitJson(analysis) : fitText(analysis))) {
        printError(*failure);
        return unwritable;
    }
    return success;
}

int report(const QStringList& arguments)
{
    CommandLine commandLine{{},
                            "report [options] FILE -o OUT.pdf",
                            "Writes the series report of FILE as PDF, as the desktop's Save Series Report as PDF\n"
                            "does: the table of runs, both charts with the fit, the method, and each run's report.\n"
                            "Numbers are written with '.' whatever the locale. Needs no display."};
    QCommandLineParser& parser = commandLine.parser;
    const QCommandLineOption output({"o", "output"}, "The PDF file, written whole or not at all.", "OUT.pdf");
    parser.addOption(output);
    parser.addOption(jobsOption());
    parser.addPositionalArgument("FILE", "A series file: .quillon, or CSV; - for standard input.", "FILE");
    if (const auto exit = parse(commandLine, arguments))
        return *exit;
    if (parser.positionalArguments().size() != 1)
        return usageFailure("report takes one FILE", "report");
    if (parser.value(output).isEmpty())
        return usageFailure("report needs -o OUT.pdf", "report");
    const std::optional<unsigned> jobs = jobsOf(commandLine, "report");
    if (!jobs)
        return usageError;
    const std::optional<Input> input = oneSeries(parser.positionalArguments().front());
    if (!input)
        return unreadable;
    const Computed one = computedOf(*input, *jobs);

    QLocale::setDefault(QLocale::c());
    const report::PdfDetails details{QUILLON_VERSION, QDateTime::currentDateTime(),
                                     report::numberTextsIn(QLocale::c())};
    const std::optional<QByteArray> pdf = report::seriesPdf(input->series, one.results, one.uncertainties, details);
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
