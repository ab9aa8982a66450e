// What the desktop makes of the browser tests' inputs, from the native core,
// series library and number texts: the page must show the same.
//   quillon_oracle texts LOCALE   stdin: JSON array of typed texts
//   quillon_oracle runs LOCALE    stdin: JSON array of runs typed as
//                                 [y1, x1, gas flow, water flow, height]
//   quillon_oracle write          stdin: JSON array of runs, or {uncertainty, runs}
//                                 with the series' standard uncertainties;
//                                 stdout: .quillon bytes
//   quillon_oracle analysis LOCALE [STRINGS]
//                                 stdin: {uncertainty, weighted, runs}; stdout:
//                                 the desktop's fit lines (in German with the
//                                 page's strings-de.json), every number of the
//                                 fit, and each run's MTC ± U and interval as
//                                 the runs table shows them
//   quillon_oracle charts LOCALE [STRINGS]
//                                 stdin: as analysis; stdout: the page's two
//                                 series charts as SVG
//   quillon_oracle read           stdin: .quillon bytes; stdout: its runs computed
//   quillon_oracle csv            stdin: .quillon bytes; stdout: the runs' CSV export
//   quillon_oracle pagewords      the texts only the page shows, as CONTEXT|SOURCE
//   quillon_oracle bench          the median time of one Calculate, in ms

#include "core/absorber.h"
#include "present/fittext.h"
#include "present/numbers.h"
#include "present/pagewords.h"
#include "present/seriesmessages.h"
#include "present/svg.h"
#include "report/qtpresent.h"
#include "report/seriescharts.h"
#include "series/analysis.h"
#include "series/csv.h"
#include "series/file.h"
#include "series/findings.h"
#include "series/series.h"
#include "series/uncertainty.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <string>
#include <variant>
#include <vector>

namespace {

using Json = nlohmann::ordered_json;

// Numbers as the page reads and writes them in the locale the oracle runs in.
present::NumberLocale locale()
{
    return report::numberLocaleOf(QLocale());
}

std::string kindName(present::ParsedNumber::Kind kind)
{
    switch (kind) {
    case present::ParsedNumber::Kind::number:
        return "number";
    case present::ParsedNumber::Kind::notANumber:
        return "not_a_number";
    case present::ParsedNumber::Kind::tooLarge:
        return "too_large";
    }
    return {};
}

Json parsed(const std::string& text)
{
    const present::ParsedNumber number = present::parseNumber(text, locale());
    Json shown{{"kind", kindName(number.kind)}};
    if (number) {
        shown["value"] = series::exactText(*number);
        shown["text"] = present::exactText(*number, locale());
    }
    return shown;
}

Json shownResult(std::optional<double> value)
{
    return value ? Json(present::resultText(*value, locale())) : Json();
}

// A typed run through the core, as Calculate and then Find MTC take it.
Json typedRun(const Json& texts)
{
    Json shown{{"fields", Json::array()}};
    std::vector<double> values;
    for (const Json& text : texts) {
        const present::ParsedNumber number = present::parseNumber(text.get<std::string>(), locale());
        shown["fields"].push_back(kindName(number.kind));
        values.push_back(number.value());
    }
    if (!std::all_of(shown["fields"].begin(), shown["fields"].end(), [](const Json& kind) { return kind == "number"; }))
        return shown;
    series::Run run;
    run.inputs = {values[0], values[1], values[2], values[3]};
    run.packingHeight = values.size() > 4 ? values[4] : 0.0;
    const series::RunResult result = series::computeRun(run);
    shown["outcome"] = series::outcomeName(result.outcome);
    shown["balance"] = series::outcomeName(result.balance.outcome);
    if (result.balance.point)
        shown["eqY"] = shownResult(result.balance.point->y);
    shown["y2"] = shownResult(result.balance.y2);
    shown["ntu"] = shownResult(result.ntu);
    shown["ntuColburn"] = shownResult(result.ntuColburn);
    if (result.coefficientOutcome)
        shown["coefficient"] = series::outcomeName(*result.coefficientOutcome);
    shown["mtc"] = shownResult(result.mtc);
    Json codes = Json::array();
    for (const series::Finding finding : series::findingsOf(run, result))
        codes.push_back(series::findingCode(finding));
    shown["findings"] = codes;
    return shown;
}

series::Uncertainties uncertaintiesOf(const Json& given)
{
    series::Uncertainties read;
    const auto take = [&given](const char* key) {
        return given.contains(key) && !given.at(key).is_null() ? std::optional(given.at(key).get<double>())
                                                               : std::nullopt;
    };
    read.gasFlowRel = take("gasFlowRel");
    read.waterFlowRel = take("waterFlowRel");
    read.y1 = take("y1");
    read.x1 = take("x1");
    read.packingHeight = take("packingHeight");
    return read;
}

// An array of runs, or {uncertainty, runs}.
series::Series seriesOf(const Json& given)
{
    series::Series made;
    const Json& runs = given.is_array() ? given : given.at("runs");
    if (given.is_object()) {
        if (given.contains("uncertainty"))
            made.uncertainty = uncertaintiesOf(given.at("uncertainty"));
        made.title = given.value("title", "");
        made.people = given.value("people", "");
        made.date = given.value("date", "");
        made.flowUnit = given.value("flowUnit", made.flowUnit);
        made.notes = given.value("notes", "");
        // The equilibrium as files name it, and each run's temperature.
        if (given.contains("equilibrium"))
            made.equilibrium = *series::equilibriumNamed(given.at("equilibrium").get<std::string>());
    }
    for (const Json& entry : runs) {
        series::Run run;
        run.inputs = {entry.at("y1"), entry.at("x1"), entry.at("gasFlow"), entry.at("waterFlow")};
        if (entry.contains("packingHeight"))
            run.packingHeight = entry.at("packingHeight").get<double>();
        run.label = entry.value("label", "");
        run.excluded = entry.value("excluded", false);
        run.included = entry.value("included", false);
        if (entry.contains("uncertainty"))
            run.uncertainty = uncertaintiesOf(entry.at("uncertainty"));
        if (entry.contains("temperature"))
            run.temperature = entry.at("temperature").get<double>();
        made.runs.push_back(run);
    }
    return made;
}

// The desktop's German texts as the page has them, keyed by context and source.
class PageTranslator : public QTranslator {
public:
    explicit PageTranslator(const Json& strings)
    {
        for (const auto& [key, text] : strings.items())
            texts[key] = text.get<std::string>();
    }

    bool isEmpty() const override { return false; }

    QString translate(const char* context, const char* source, const char*, int) const override
    {
        const auto found = texts.find(std::string(context) + '\x04' + source);
        return found == texts.end() ? QString() : QString::fromStdString(found->second);
    }

private:
    std::map<std::string, std::string> texts;
};

Json estimateOf(const std::optional<series::Estimate>& estimate)
{
    return estimate ? Json{estimate->value, estimate->standardError, estimate->low, estimate->high} : Json();
}

// Every number of the fit, exact, as the page's analysis gives them.
Json fitNumbers(const std::variant<series::PowerLaw, series::NotGiven>& fit)
{
    const auto* law = std::get_if<series::PowerLaw>(&fit);
    if (!law)
        return Json();
    return {{"prefactor", estimateOf(law->prefactor)},
            {"lnPrefactor", estimateOf(law->lnPrefactor)},
            {"gasExponent", estimateOf(law->gasExponent)},
            {"waterExponent", estimateOf(law->waterExponent)},
            {"rSquared", law->rSquared},
            {"residualSd", law->residualSd}};
}

// The fit lines of the series' analysis, every number of the fit, and each
// run's MTC, U = k u and 95 % interval from its Monte Carlo result as the
// runs table shows them.
Json analysed(const Json& given)
{
    const series::Series made = seriesOf(given);
    const auto results = *series::computeRuns(made.runs, made.equilibrium, 1);
    const auto uncertainties = *series::uncertaintiesOf(made, 2);
    // The coefficient fitted, as the tool names it; Quillon's unless given.
    const series::Fitted fitted =
        *series::fittedNamed(given.is_object() ? given.value("coefficient", "quillon") : "quillon");
    const series::Analysis analysis =
        series::analyse(made, results, uncertainties, given.value("weighted", true), fitted);
    // As the analysis window shows them: why the fit is unweighted stands
    // beside its box, not among the lines.
    Json lines = Json::array();
    for (const std::string& line :
         present::fitLines(analysis, made.flowUnit, report::qtLanguage(), report::numberLocaleOf(QLocale()), {}, false))
        lines.push_back(line);
    Json shown = Json::array();
    for (std::size_t i = 0; i < made.runs.size(); ++i) {
        const auto* drawn = std::get_if<series::MonteCarlo>(&uncertainties[i].monteCarlo);
        if (!results[i].mtc || !drawn) {
            shown.push_back(nullptr);
            continue;
        }
        // U to two significant digits, the coefficient and the ends to its place.
        const double expanded = series::coverageFactor * drawn->u;
        const present::ValueWithUncertainty both = present::withUncertaintyText(*results[i].mtc, expanded, locale());
        shown.push_back({both.value, both.uncertainty,
                         present::withUncertaintyText(drawn->interval.low, expanded, locale()).value,
                         present::withUncertaintyText(drawn->interval.high, expanded, locale()).value});
    }
    return {{"lines", lines}, {"fit", fitNumbers(analysis.fit)}, {"uncertainty", shown}};
}

// The page's series charts of the analysis, in the default locale's words
// and digits.
Json charts(const Json& given)
{
    const series::Series made = seriesOf(given);
    const auto results = *series::computeRuns(made.runs, made.equilibrium, 1);
    const auto uncertainties = *series::uncertaintiesOf(made, 2);
    const series::Analysis analysis = series::analyse(made, results, uncertainties, given.value("weighted", true));
    return present::pageSeriesCharts(analysis, made.flowUnit, report::qtLanguage(), report::numberLocaleOf(QLocale()));
}

Json computedRuns(const series::Series& read)
{
    Json shown = Json::array();
    for (const series::Run& run : read.runs) {
        const series::RunResult result = series::computeRun(run, read.equilibrium);
        const auto full = [](std::optional<double> value) {
            return value ? Json(present::exactText(*value, locale())) : Json();
        };
        shown.push_back({{"label", run.label},
                         {"excluded", run.excluded},
                         {"outcome", series::outcomeName(result.outcome)},
                         {"y2", full(result.balance.y2)},
                         {"ntu", full(result.ntu)},
                         {"mtc", full(result.mtc)}});
    }
    return shown;
}

// One Calculate: the balance, the NTU sum and the run's results, as the
// desktop's main window makes them.
double calculateMilliseconds(const absorber::RunInputs& inputs)
{
    const auto start = std::chrono::steady_clock::now();
    const absorber::Balance balance = absorber::closeBalance(inputs);
    const absorber::Integration integration = absorber::integrateNtu(balance.limits);
    series::Run run;
    run.inputs = inputs;
    const series::RunResult result = series::completedRun(run, balance, integration.ntu);
    const auto stop = std::chrono::steady_clock::now();
    if (!result.ntu)
        return -1.0;
    return std::chrono::duration<double, std::milli>(stop - start).count();
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (argc > 2)
        QLocale::setDefault(QLocale(QString::fromUtf8(argv[2])));
    const std::string input =
        command == "bench" ? std::string() : std::string(std::istreambuf_iterator<char>(std::cin), {});

    if (command == "pagewords") {
        Json sources = Json::array();
        for (const present::PageWord& word : present::pageWords())
            sources.push_back(std::string(word.context) + '|' + word.source);
        std::cout << sources.dump() << '\n';
    } else if (command == "texts") {
        Json shown = Json::array();
        for (const Json& text : Json::parse(input))
            shown.push_back(parsed(text.get<std::string>()));
        std::cout << shown.dump() << '\n';
    } else if (command == "runs") {
        Json shown = Json::array();
        for (const Json& texts : Json::parse(input))
            shown.push_back(typedRun(texts));
        std::cout << shown.dump() << '\n';
    } else if (command == "write") {
        const series::Series made = seriesOf(Json::parse(input));
        const auto results = series::computeRuns(made.runs, made.equilibrium, 1);
        std::cout << series::writeSeriesFile(made, *results);
    } else if (command == "read" || command == "csv") {
        const series::ReadSeries read = series::readSeriesFile(input);
        if (const auto* error = std::get_if<series::ReadError>(&read)) {
            std::cerr << present::describe(*error, "stdin") << '\n';
            return 1;
        }
        const series::Series& opened = std::get<series::OpenedSeries>(read).series;
        if (command == "read")
            std::cout << computedRuns(opened).dump() << '\n';
        else
            std::cout << series::exportCsv(opened, *series::computeRuns(opened.runs, opened.equilibrium, 1));
    } else if (command == "analysis" || command == "charts") {
        QCoreApplication application(argc, argv);
        std::optional<PageTranslator> german;
        if (argc > 3) {
            std::ifstream strings(argv[3]);
            german.emplace(Json::parse(strings));
            QCoreApplication::installTranslator(&*german);
        }
        const Json given = Json::parse(input);
        std::cout << (command == "analysis" ? analysed(given) : charts(given)).dump() << '\n';
    } else if (command == "bench") {
        // Example B, the median of many.
        std::vector<double> times;
        for (int i = 0; i < 101; ++i)
            times.push_back(calculateMilliseconds({0.045, 0.02, 2, 3}));
        std::nth_element(times.begin(), times.begin() + 50, times.end());
        std::cout << times[50] << '\n';
    } else {
        std::cerr << "usage: quillon_oracle texts|runs|analysis LOCALE, write, read, csv or bench\n";
        return 2;
    }
    return 0;
}
