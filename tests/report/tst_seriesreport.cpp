#include "present/readingsform.h"
#include "present/runstable.h"
#include "report/qtpresent.h"
#include "report/runpdf.h"
#include "report/seriespdf.h"
#include "tests/report/support.h"
#include "ui/numbertext.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTranslator>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// A lab's series as a student hands it in: a long German title, an x1
// given to five decimals, ten runs with their uncertainties and one without.
series::Series handIn()
{
    series::Series lab;
    lab.title = "Absorption von Ammoniak in Wasser in einer Füllkörperkolonne, Gruppe 3";
    lab.flowUnit = "kmol/h";
    for (int i = 0; i < 11; ++i) {
        const double gas = 1.0 + 0.5 * (i % 5);
        const double water = i < 5 ? 4.0 : 8.0;
        series::Run run;
        run.inputs = {0.02, i == 0 ? 0.00071 : 0.002 * gas / water * 4.0, gas, water};
        run.packingHeight = 2.0;
        run.label = u"G%1 L%2 Messung %3"_s.arg(gas).arg(water).arg(i + 1).toStdString();
        if (i < 10)
            run.uncertainty = {0.02, 0.02, 0.0005, 0.0005, 0.005};
        lab.runs.push_back(run);
    }
    return lab;
}

// A word pdftotext found, in points from the page's top left.
struct Word {
    double left, top, right, bottom;
    QString text;
};
using Pages = std::vector<std::vector<Word>>;

std::optional<Pages> wordsOf(const QByteArray& pdf)
{
    const std::optional<QString> words = popplerOutput(u"pdftotext"_s, {u"-bbox"_s, u"{pdf}"_s, u"-"_s}, pdf);
    if (!words)
        return std::nullopt;
    Pages pages;
    QXmlStreamReader xml(*words);
    while (xml.readNextStartElement() || !xml.atEnd()) {
        if (xml.isStartElement() && xml.name() == u"page")
            pages.emplace_back();
        if (xml.isStartElement() && xml.name() == u"word" && !pages.empty()) {
            const auto at = [&xml](const char* name) { return xml.attributes().value(QLatin1String(name)).toDouble(); };
            // In order: the text is read past the attributes.
            pages.back().push_back({at("xMin"), at("yMin"), at("xMax"), at("yMax"), xml.readElementText()});
        }
    }
    return pages;
}

QString textOf(const std::vector<Word>& page)
{
    QStringList words;
    for (const Word& word : page)
        words.append(word.text);
    return words.join(u' ');
}

constexpr double pointsPerMillimetre = 72.0 / 25.4;

// Digits from the first that is not 0 to the last, the decimal separator
// left out: 2 for 0.0025, 9.6 and 40.
int significantDigits(QString number)
{
    return int(number.remove(QRegularExpression(u"[^0-9]"_s)).remove(QRegularExpression(u"^0+"_s)).size());
}

struct LanguageRow {
    const char* name;
    const char* locale;
    const char* x1;
};

class SeriesReport : public testing::TestWithParam<LanguageRow> {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
            GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
        locale = std::make_unique<DefaultLocale>(QString::fromLatin1(GetParam().locale));
        if (QLocale().language() == QLocale::German) {
            ASSERT_TRUE(translator.load(QLocale(), u"quillon"_s, u"_"_s, u":/i18n"_s));
            QCoreApplication::installTranslator(&translator);
        }
    }
    void TearDown() override { QCoreApplication::removeTranslator(&translator); }

    std::optional<Pages> written(bool appendix, series::Equilibrium equilibrium = series::Equilibrium::table)
    {
        series::Series lab = handIn();
        lab.equilibrium = equilibrium;
        const report::PdfDetails details{u"9.8.7-test"_s, QDateTime(QDate(2026, 12, 8), QTime(14, 30)),
                                         report::numberTextsIn(QLocale())};
        return wordsOf(report::seriesPdf(lab, *series::computeRuns(lab.runs, lab.equilibrium, 2),
                                         *series::uncertaintiesOf(lab, 2), details, appendix)
                           .value_or(QByteArray()));
    }

    std::unique_ptr<DefaultLocale> locale;
    QTranslator translator;
};

TEST_P(SeriesReport, StaysWithinTheMarginsAndWritesNumbersAsALabReportDoes)
{
    const std::optional<Pages> pages = written(report::appendixByDefault(handIn().runs.size()));
    ASSERT_TRUE(pages && !pages->empty());

    // Everything within 15 mm of the sheet's edges but the page number,
    // which stands in the lower margin.
    const double left = 15.0 * pointsPerMillimetre - 0.5, top = left;
    const double right = 195.0 * pointsPerMillimetre + 0.5;
    const double bottom = 282.0 * pointsPerMillimetre;
    for (std::size_t p = 0; p < pages->size(); ++p) {
        QStringList footer;
        for (const Word& word : (*pages)[p]) {
            EXPECT_TRUE(word.left >= left && word.right <= right && word.top >= top)
                << "page " << p + 1 << ": " << word.text.toStdString();
            if (word.bottom > bottom)
                footer.append(word.text);
        }
        const QString number =
            QCoreApplication::translate("SeriesPdf", "Page %1").arg(QLocale().toString(qulonglong(p + 1)));
        EXPECT_EQ(footer.join(u' ').toStdString(), number.toStdString());
    }

    // The title whole, and x1 as given.
    const QString first = textOf(pages->front());
    EXPECT_TRUE(first.contains(u"Füllkörperkolonne, Gruppe 3"_s)) << first.toStdString();
    EXPECT_TRUE(first.contains(QString::fromUtf8(GetParam().x1))) << first.toStdString();

    // The table's U column: right-aligned under its header, two significant
    // digits each; the run without U has a mark to its footnote instead.
    // The last word of the header "U (k = 2)", in either language.
    const auto header = std::find_if(pages->front().begin(), pages->front().end(),
                                     [](const Word& word) { return word.text == u"2)"_s; });
    ASSERT_NE(header, pages->front().end());
    int shown = 0;
    for (const Word& word : pages->front()) {
        if (word.top <= header->bottom || std::abs(word.right - header->right) > 0.5)
            continue;
        if (word.text.startsWith(u"–"_s))
            continue;
        ++shown;
        EXPECT_EQ(significantDigits(word.text), 2) << word.text.toStdString();
    }
    EXPECT_EQ(shown, 10);
    EXPECT_TRUE(first.contains(u"– ¹"_s) || first.contains(u"–¹"_s)) << first.toStdString();

    // Every "± U" to two significant digits: the fit's standard errors and
    // the appendix's U.
    int pluses = 0;
    for (const std::vector<Word>& page : *pages) {
        for (std::size_t w = 0; w + 1 < page.size(); ++w) {
            if (page[w].text != u"±"_s || !page[w + 1].text.front().isDigit())
                continue;
            ++pluses;
            EXPECT_EQ(significantDigits(page[w + 1].text), 2) << page[w + 1].text.toStdString();
        }
    }
    EXPECT_EQ(pluses, 3 + 10);
}

// Table, charts and method; a page per run and one per budget only when
// asked, each run's page naming the page of its budget.
TEST_P(SeriesReport, HoldsAPagePerRunOnlyWhenAskedNamingThePageOfItsBudget)
{
    const std::optional<Pages> pages = written(true);
    const std::optional<Pages> without = written(false);
    ASSERT_TRUE(pages && without);
    EXPECT_EQ(without->size(), 3u);
    EXPECT_EQ(pages->size(), 3u + 11u + 10u);
    const QRegularExpression reference(u"\\((?:page|Seite) (\\d+)\\)"_s);
    const QRegularExpression runTitle(u"(?:run|Versuch) (\\d+)"_s);
    int references = 0;
    for (std::size_t p = 0; p < pages->size(); ++p) {
        const QString text = textOf((*pages)[p]);
        const QRegularExpressionMatch named = reference.match(text);
        if (!named.hasMatch())
            continue;
        ++references;
        const int target = named.captured(1).toInt();
        ASSERT_TRUE(target >= 1 && std::size_t(target) <= pages->size()) << target;
        const QString budget =
            QCoreApplication::translate("RunPdf", "Run %1: uncertainty").arg(runTitle.match(text).captured(1));
        EXPECT_TRUE(textOf((*pages)[std::size_t(target - 1)]).contains(budget))
            << "page " << p + 1 << " points to page " << target;
    }
    EXPECT_EQ(references, 10);
}

// The table's HOG and Colburn coefficient, and the method naming the
// equilibrium: the table's, or the scaling with its constant and source.
TEST_P(SeriesReport, NamesTheEquilibriumAndTheValuesBesideTheCoefficient)
{
    for (const series::Equilibrium equilibrium : {series::Equilibrium::table, series::Equilibrium::runTemperature}) {
        const std::optional<Pages> pages = written(false, equilibrium);
        ASSERT_TRUE(pages && pages->size() == 3u);
        const QString table = textOf((*pages)[0]);
        EXPECT_TRUE(table.contains(u"HOG (m)"_s) && table.contains(u"MTC C"_s)) << table.toStdString();
        const QString method = textOf((*pages)[2]);
        const bool scaled = equilibrium == series::Equilibrium::runTemperature;
        EXPECT_EQ(method.contains(u"4200 K"_s) && method.contains(u"Sander"_s), scaled) << method.toStdString();
        EXPECT_EQ(method.contains(u"30 °C."_s), !scaled) << method.toStdString();
    }
}

// The series' runs as the lab gives them: typed, from readings, with a
// column temperature; under either equilibrium.
struct TableCase {
    const char* name;
    bool readings;
    bool temperatures;
    series::Equilibrium equilibrium;
};
const TableCase tableCases[] = {
    {"typed", false, false, series::Equilibrium::table},
    {"readings", true, false, series::Equilibrium::table},
    {"readings at 30 C with temperatures", true, true, series::Equilibrium::table},
    {"readings at each run's temperature", true, true, series::Equilibrium::runTemperature},
};

// A rotameter's chart, longer than its column is wide.
const std::vector<series::CalibrationPoint> waterCalibration{{0.0, 0.0},   {1.0, 0.7},   {2.0, 1.5},   {3.0, 2.4},
                                                             {4.0, 3.5},   {5.0, 4.7},   {6.0, 6.05},  {7.0, 7.5},
                                                             {8.0, 9.125}, {9.0, 10.85}, {10.0, 12.75}};

series::Series labSeries(const TableCase& row)
{
    series::Series lab = handIn();
    lab.flowUnit = "mol/s";
    lab.equilibrium = row.equilibrium;
    for (std::size_t i = 0; i < lab.runs.size(); ++i) {
        series::Run& run = lab.runs[i];
        if (row.temperatures)
            run.temperature = 15.0 + 1.5 * double(i);
        if (!row.readings || i % 2 == 1)
            continue;
        series::Readings readings;
        readings.titration = series::Titration{10.0, 0.1, 12.4 + double(i), 0.0, 1, {}, {}, std::nullopt, 20.0};
        readings.air = series::MeterReading{20.0 + double(i), series::MeterUnit::litresPerMinute, 21.0, 99.5, {}};
        readings.water = series::MeterReading{3.0, series::MeterUnit::kilogramsPerHour, 21.0, 99.5, waterCalibration};
        series::replaceInputs(run.inputs,
                              std::get<series::InputsFromReadings>(series::inputsFromReadings(readings, lab.flowUnit)));
        run.readings = readings;
    }
    return lab;
}

// Every table on A4 within the margins with all its column titles, and no
// number to more digits than the window shows a result or an input the
// readings give to, but those typed.
TEST_P(SeriesReport, TablesFitTheSheetWithEveryColumnAndShownDigits)
{
    const QRegularExpression number(u"^-?[0-9]+[.,]([0-9]+)$"_s);
    for (const TableCase& row : tableCases) {
        SCOPED_TRACE(row.name);
        const series::Series lab = labSeries(row);
        const report::PdfDetails details{u"9.8.7-test"_s, QDateTime(QDate(2026, 12, 8), QTime(14, 30)),
                                         report::numberTextsIn(QLocale())};
        const std::optional<Pages> pages =
            wordsOf(report::seriesPdf(lab, *series::computeRuns(lab.runs, lab.equilibrium, 2),
                                      *series::uncertaintiesOf(lab, 2), details, false)
                        .value_or(QByteArray()));
        ASSERT_TRUE(pages && !pages->empty());
        const double left = 15.0 * pointsPerMillimetre - 0.5, right = 195.0 * pointsPerMillimetre + 0.5;
        for (const std::vector<Word>& page : *pages)
            for (const Word& word : page)
                EXPECT_TRUE(word.left >= left && word.right <= right) << word.text.toStdString();
        const QString table = textOf(pages->front());
        for (const char* title : {"Run", "Label", "y1", "x1", "G", "L", "z (m)", "T (°C)", "y2", "NTU", "NTU C", "MTC",
                                  "U (k = 2)", "HOG (m)", "MTC C", "HOG C (m)", "Notes"}) {
            const QString shown = QCoreApplication::translate("SeriesPdf", title);
            EXPECT_TRUE(table.contains(shown)) << shown.toStdString();
        }
        for (const Word& word : pages->front()) {
            const QRegularExpressionMatch decimals = number.match(word.text);
            if (decimals.hasMatch() && word.text != QString::fromUtf8(GetParam().x1)) {
                // A result to 4 decimals, or an input the readings give to 5 significant digits.
                QString digits = word.text;
                digits.remove(QRegularExpression(u"[^0-9]"_s)).remove(QRegularExpression(u"^0+"_s));
                EXPECT_TRUE(decimals.captured(1).size() <= 4 || digits.size() <= 5) << word.text.toStdString();
            }
        }
    }
}

// A run's own report: inputs as the window shows them, the column
// temperature with the option, and the readings on a page of their own.
struct RunCase {
    const char* name;
    std::size_t run;  // of labSeries: even runs have readings
    TableCase series;
};
const RunCase runCases[] = {
    {"typed", 1, tableCases[0]},
    {"readings", 0, tableCases[1]},
    {"temperature", 1, tableCases[3]},
};

TEST_P(SeriesReport, RunReportShowsItsReadingsTemperatureAndInputsAsShown)
{
    const QString fromReadings = QCoreApplication::translate("RunPdf", "%1 (from the readings)");
    for (const RunCase& row : runCases) {
        SCOPED_TRACE(row.name);
        const series::Series lab = labSeries(row.series);
        const std::vector<series::RunResult> results = *series::computeRuns(lab.runs, lab.equilibrium, 2);
        const std::optional<report::Run> run = report::seriesRun(lab, row.run, results[row.run], nullptr);
        ASSERT_TRUE(run);
        const report::PdfDetails details{u"9.8.7-test"_s, QDateTime(QDate(2026, 12, 8), QTime(14, 30)),
                                         report::numberTextsIn(QLocale())};
        const std::optional<Pages> pages = wordsOf(report::runPdf(*run, details).value_or(QByteArray()));
        ASSERT_TRUE(pages && !pages->empty());
        // The fonts' ligatures come out as one character each.
        const QString first = textOf(pages->front()).replace(u"ﬀ"_s, u"ff"_s).replace(u"ﬁ"_s, u"fi"_s);
        const series::Run& given = lab.runs[row.run];
        // x1 from a titration to 4 decimals, never in full; typed as typed.
        const bool readings = given.readings.has_value();
        EXPECT_TRUE(first.contains(ui::resultText(given.inputs.x1)));
        EXPECT_EQ(first.contains(ui::numberText(given.inputs.x1)), !readings) << first.toStdString();
        EXPECT_EQ(first.contains(fromReadings.arg(QString()).trimmed()), readings) << first.toStdString();
        // The temperature with the option.
        const QString temperature =
            QCoreApplication::translate("RunPdf", "Column temperature: %1 °C; equilibrium %2")
                .arg(ui::numberText(given.temperature.value_or(0.0)),
                     report::qstring(present::equilibriumText(lab.equilibrium, report::qtLanguage())));
        EXPECT_EQ(first.contains(temperature), given.temperature.has_value()) << first.toStdString();
        // The step width with a written power of ten, no "E-09".
        EXPECT_TRUE(first.contains(u" · 10⁻"_s) && !first.contains(u"E-0"_s)) << first.toStdString();
        // The readings' page: the titration and the meters with their units.
        ASSERT_EQ(pages->size(), readings ? 2u : 1u);
        if (!readings)
            continue;
        const QString page = textOf(pages->back()).replace(u"ﬂ"_s, u"fl"_s);
        // The water meter's calibration under it, wrapped within the margin.
        const present::NumberLocale numbers = report::numberLocaleOf(QLocale());
        for (const QString& expected :
             {QCoreApplication::translate("RunPdf", "Run %1: readings").arg(1),
              report::qstring(present::readingTitle(present::ReadingField::acidVolume, report::qtLanguage())),
              ui::numberText(12.4) + u' ', u"L/min"_s, u"kg/h"_s,
              report::qstring(present::calibrationTitle(2, report::qtLanguage())),
              report::qstring(present::calibrationText(waterCalibration, numbers))})
            EXPECT_TRUE(page.contains(expected)) << expected.toStdString() << " in " << page.toStdString();
        const double right = 195.0 * pointsPerMillimetre + 0.5;
        for (const Word& word : pages->back())
            EXPECT_LE(word.right, right) << word.text.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, SeriesReport,
                         testing::Values(LanguageRow{"english", "en_US", "0.00071"},
                                         LanguageRow{"german", "de_DE", "0,00071"}),
                         [](const testing::TestParamInfo<LanguageRow>& row) { return std::string(row.param.name); });

}  // namespace
