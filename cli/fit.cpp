#include "cli/commandline.h"
#include "cli/commands.h"
#include "cli/json.h"
#include "cli/outputs.h"
#include "present/fittext.h"
#include "present/seriesmessages.h"
#include "series/analysis.h"

#include <QString>

namespace cli {
namespace {

// The fit in the words of the analysis window and the series report, in
// English with a decimal point.
std::string fitText(const series::Analysis& analysis, const std::string& flowUnit)
{
    std::string text;
    for (const std::string& line : present::fitLines(analysis, flowUnit, present::Language(), present::NumberLocale()))
        text += line + "\n";
    return text;
}

// The fit's JSON: every key always there, null where the fit gives
// nothing.
std::string fitJson(const series::Analysis& analysis)
{
    const auto* law = std::get_if<series::PowerLaw>(&analysis.fit);
    const auto orNull = [](const std::optional<double>& value) { return value ? Json(*value) : Json(); };
    Json json;
    const auto estimate = [&](const std::string& key, const std::optional<series::Estimate>& value) {
        json[key] = orNull(value ? std::optional(value->value) : std::nullopt);
        json[key + "_se"] = orNull(value ? std::optional(value->standardError) : std::nullopt);
        json[key + "_ci95"] = value ? Json{value->low, value->high} : Json();
    };
    // Without a fit, the runs it would have taken, as the text counts them.
    json["runs"] = law ? law->runsUsed : series::runsInAnalysis(analysis);
    json["prefactor"] = orNull(law ? std::optional(law->prefactor.value) : std::nullopt);
    estimate("gas_exponent", law ? law->gasExponent : std::nullopt);
    estimate("water_exponent", law ? law->waterExponent : std::nullopt);
    json["r_squared"] = orNull(law ? std::optional(law->rSquared) : std::nullopt);
    json["coefficient"] = series::fittedName(analysis.fitted);
    json["weighted"] = law && law->weighted;
    // Why a fit is unweighted: the runs without an uncertainty, or the option.
    json["unweighted_reason"] = nullptr;
    if (law && !law->weighted)
        json["unweighted_reason"] =
            present::unweightedText(analysis, present::Language()).value_or("--unweighted was given.");
    Json numbers = Json::array();
    for (const std::size_t run : analysis.withoutUncertainty)
        numbers.push_back(run + 1);
    json["runs_without_uncertainty"] = numbers;
    json["dropped"] = nullptr;
    if (!law) {
        json["no_fit"] = present::seriesMessage(std::get<series::NotGiven>(analysis.fit).reason);
    } else if (law->dropped) {
        json["dropped"] = {
            {"term", law->dropped->exponent == series::Exponent::gas ? "gas_exponent" : "water_exponent"},
            {"reason", present::seriesMessage(law->dropped->reason)}};
    }
    return jsonText(json);
}

}  // namespace

int fit(const QStringList& arguments)
{
    CommandLine commandLine{{},
                            "fit [options] FILE",
                            "Fits MTC = a * G^m * L^n to the runs of the series FILE that are in its analysis (not\n"
                            "excluded, no findings unless included, a coefficient found), weighted by their\n"
                            "uncertainties where every such run has one, as the desktop's Series Analysis does.\n"
                            "An exponent whose flow has one value in every run is left out, and says so.\n"
                            "--coefficient colburn fits the coefficient of the Colburn NTU instead, unweighted.",
                            "A series file: .quillon, or CSV; - for standard input.",
                            Files::one};
    QCommandLineParser& parser = commandLine.parser;
    const QCommandLineOption format("format", "text or json (default: text).", "FORMAT");
    const QCommandLineOption unweighted("unweighted", "Fit without weights even where the runs have uncertainties.");
    parser.addOption(format);
    parser.addOption(unweighted);
    const QCommandLineOption coefficient(
        "coefficient", "quillon (the coefficient of Quillon's NTU, the default) or colburn.", "COEFFICIENT");
    parser.addOption(coefficient);
    const auto chosenFormat = [&] { return parser.isSet(format) ? parser.value(format) : "text"; };
    const auto chosenCoefficient = [&] {
        return series::fittedNamed(parser.isSet(coefficient) ? parser.value(coefficient).toStdString() : "quillon");
    };
    const auto started = start(commandLine, arguments, [&] {
        const QString chosen = chosenFormat();
        if (chosen != "text" && chosen != "json")
            return "--format wants text or json, not '" + chosen + "'";
        if (!chosenCoefficient())
            return "--coefficient wants quillon or colburn, not '" + parser.value(coefficient) + "'";
        return QString();
    });
    if (const int* exit = std::get_if<int>(&started))
        return *exit;
    const Input& input = std::get<Started>(started).inputs.read.front();
    const Computed one = computedOf(input, std::get<Started>(started).jobs);
    const series::Analysis analysis =
        series::analyse(input.series, one.results, one.uncertainties, !parser.isSet(unweighted), *chosenCoefficient());
    if (const auto failure =
            writeOutput({}, chosenFormat() == "json" ? fitJson(analysis) : fitText(analysis, input.series.flowUnit))) {
        printError(*failure);
        return unwritable;
    }
    return success;
}

}  // namespace cli
