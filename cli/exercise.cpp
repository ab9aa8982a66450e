#include "series/exercise.h"
#include "cli/commandline.h"
#include "cli/commands.h"
#include "cli/outputs.h"
#include "series/csv.h"
#include "series/file.h"

#include <QDir>

#include <fmt/format.h>

#include <limits>

namespace cli {
namespace {

const char* const description =
    "Makes a series of runs for each of N groups of a class, and its answer key, kept\n"
    "apart, in DIR:\n"
    "  handout/groupNN.quillon  the runs to hand out: y1, x1, the flows and the height\n"
    "  key/groupNN.quillon      the same runs with the results Quillon computes\n"
    "  key/groupNN.csv          those runs and results as Export Runs as CSV writes them\n"
    "  key/answers.csv          each group's law and the fit its runs give\n"
    "Each group's runs lie on a grid of gas flows (1 to 2.5 mol/s) and water flows\n"
    "(2 to 4 mol/s) scaled for the group by up to 10 %, with a packing height of 1 m;\n"
    "their coefficients follow a law MTC = a * G^m * L^n of the group's own (m from 0.6\n"
    "to 0.9, n from 0.15 to 0.4) with normal noise of the relative size --noise, and x1\n"
    "is what gives each run its coefficient. Every run completes with no findings. The\n"
    "same seed, groups and noise give the same files, byte for byte, on every machine.\n"
    "check confirms a key: quillon-cli check DIR/key/*.quillon.";

// Writes the bytes to DIR/name, whole or not at all; prints why not.
bool written(const QString& folder, const QString& name, const std::string& bytes)
{
    const QString path = QDir(folder).filePath(name);
    if (const auto failure = writeOutput(path, bytes)) {
        printError(*failure);
        return false;
    }
    return true;
}

std::string answersCsv(const std::vector<series::ExerciseGroup>& groups)
{
    std::string csv =
        "group,handout,key,runs,law_prefactor,law_gas_exponent,law_water_exponent,fit_prefactor,fit_prefactor_low,"
        "fit_prefactor_high,fit_gas_exponent,fit_gas_exponent_low,fit_gas_exponent_high,fit_water_exponent,"
        "fit_water_exponent_low,fit_water_exponent_high,fit_r_squared\r\n";
    const auto full = [](double value) { return series::exactText(value); };
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const series::ExerciseGroup& group = groups[i];
        csv += fmt::format("{0},handout/group{0:02}.quillon,key/group{0:02}.quillon,{1},{2},{3},{4}", i + 1,
                           group.handout.runs.size(), full(group.law.prefactor), full(group.law.gasExponent),
                           full(group.law.waterExponent));
        const auto* law = std::get_if<series::PowerLaw>(&group.analysis.fit);
        const auto estimate = [&](const std::optional<series::Estimate>& value) {
            csv += value ? fmt::format(",{},{},{}", full(value->value), full(value->low), full(value->high))
                         : std::string(",,,");
        };
        estimate(law ? std::optional(law->prefactor) : std::nullopt);
        estimate(law ? law->gasExponent : std::nullopt);
        estimate(law ? law->waterExponent : std::nullopt);
        csv += law ? ',' + full(law->rSquared) : std::string(",");
        csv += "\r\n";
    }
    return csv;
}

}  // namespace

int exercise(const QStringList& arguments)
{
    CommandLine commandLine{{}, "exercise --groups N --seed S -o DIR [options]", description, {}};
    QCommandLineParser& parser = commandLine.parser;
    const QCommandLineOption groupsOption("groups", "Make runs for N groups (1 to 1000).", "N");
    const QCommandLineOption seedOption("seed", "Start the generator from S, a whole number from 0 below 2^64.", "S");
    const QCommandLineOption noiseOption(
        "noise", "The relative standard deviation of the coefficients about the law (default 0.03).", "REL");
    const QCommandLineOption output({"o", "output"}, "Write into the folder DIR, made if missing.", "DIR");
    for (const auto& option : {groupsOption, seedOption, noiseOption, output})
        parser.addOption(option);
    if (const auto exit = parseWithoutFiles(commandLine, arguments))
        return *exit;

    series::ExerciseSettings settings;
    bool ok = false;
    settings.groups = parser.value(groupsOption).toULongLong(&ok);
    if (!ok || settings.groups == 0 || settings.groups > series::maxExerciseGroups)
        return usageFailure("--groups wants a whole number from 1 to 1000, not '" + parser.value(groupsOption) + "'",
                            "exercise");
    settings.seed = parser.value(seedOption).toULongLong(&ok);
    if (!ok)
        return usageFailure("--seed wants a whole number from 0 below 2^64, not '" + parser.value(seedOption) + "'",
                            "exercise");
    if (parser.isSet(noiseOption)) {
        settings.noise = parser.value(noiseOption).toDouble(&ok);
        if (!ok || !(settings.noise >= 0.0) || settings.noise > series::maxExerciseNoise)
            return usageFailure(
                "--noise wants a relative size from 0 to 0.2, such as 0.03, not '" + parser.value(noiseOption) + "'",
                "exercise");
    }
    const QString folder = parser.value(output);
    if (folder.isEmpty())
        return usageFailure("exercise needs -o DIR", "exercise");

    const std::vector<series::ExerciseGroup> groups = series::makeExercise(settings);
    for (const char* part : {"handout", "key"}) {
        if (!QDir().mkpath(QDir(folder).filePath(part))) {
            printError(QDir(folder).filePath(part).toStdString() + ": cannot be made");
            return unwritable;
        }
    }
    bool all = true;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const series::ExerciseGroup& group = groups[i];
        const QString name = QString("group%1").arg(i + 1, 2, 10, QChar('0'));
        series::Series key = group.handout;
        key.notes = fmt::format(
            "Answer key. Made by quillon-cli exercise --groups {} --seed {} --noise {}; the law: "
            "MTC = {} * G^{} * L^{}.",
            settings.groups, settings.seed, series::exactText(settings.noise), series::exactText(group.law.prefactor),
            series::exactText(group.law.gasExponent), series::exactText(group.law.waterExponent));
        all = written(folder, "handout/" + name + ".quillon", series::writeSeriesFile(group.handout, {})) && all;
        all = written(folder, "key/" + name + ".quillon", series::writeSeriesFile(key, group.results)) && all;
        all = written(folder, "key/" + name + ".csv", series::exportCsv(key, group.results)) && all;
    }
    all = written(folder, "key/answers.csv", answersCsv(groups)) && all;
    return all ? success : unwritable;
}

}  // namespace cli
