#include "core/absorber.h"
#include "present/fittext.h"
#include "present/readingsform.h"
#include "report/qtpresent.h"
#include "report/runpdf.h"
#include "report/seriescharts.h"
#include "report/seriespdf.h"
#include "series/analysis.h"
#include "series/readinguncertainty.h"
#include "tests/report/corerun.h"
#include "tests/report/support.h"
#include "ui/numbertext.h"

#include <QBuffer>
#include <QLocale>
#include <QRegularExpression>
#include <QStandardPaths>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString version = u"9.8.7-test"_s;

report::PdfDetails details()
{
    return {version, QDateTime(QDate(2026, 12, 8), QTime(14, 30)), report::numberTextsIn(QLocale())};
}

struct Expected {
    const char* what;
    QString text;
};

// The step width as a lab report writes a tiny value: 4 significant
// digits times a power of ten, "8.682 · 10⁻⁹", in the locale's digits.
QString stepWidthText(double value)
{
    const QString scientific = QString::number(value, 'e', 3);  // "8.682e-09"
    const qsizetype e = scientific.indexOf(u'e');
    QString power = u"⁻"_s;
    for (const QChar digit : QString::number(-scientific.mid(e + 1).toInt()))
        power += u"⁰¹²³⁴⁵⁶⁷⁸⁹"_s.at(digit.digitValue());
    return scientific.left(e).replace(u'.', QLocale().decimalPoint()) + u" · 10"_s + power;
}

class RunPdf : public testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
            GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    }
};

TEST_P(RunPdf, ExampleAReadsAsShownAndInFull)
{
    const DefaultLocale locale(QString::fromLatin1(GetParam()));
    const std::optional<report::Run> run = runFromCore(3, 0.02, 0.01, 1.0, 1.0, 2.0);
    ASSERT_TRUE(run.has_value());
    const QByteArray pdf = report::runPdf(*run, details()).value_or(QByteArray());
    ASSERT_TRUE(pdf.startsWith("%PDF"));

    const std::optional<QString> text = popplerOutput(u"pdftotext"_s, {u"-layout"_s, u"{pdf}"_s, u"-"_s}, pdf);
    ASSERT_TRUE(text.has_value());

    std::vector<Expected> expected = {
        {"version", version},
        {"run number", u"run 3"_s},
        {"y1", ui::numberText(run->y1)},
        {"x1", ui::numberText(run->x1)},
        {"eqY shown", ui::resultText(run->eqY)},
        {"y2 shown", ui::resultText(run->y2)},
        {"ntu shown", ui::resultText(run->ntu)},
        {"mtc shown", ui::resultText(*run->mtc)},
        {"ntu in full", ui::numberText(run->ntu)},
        {"mtc in full", ui::numberText(*run->mtc)},
        {"eqX", ui::numberText(run->eqX)},
        {"eqY", ui::numberText(run->eqY)},
        {"slope", ui::numberText(run->slope)},
        {"flow factor", ui::numberText(run->flowFactor)},
        {"outlet ratio", ui::numberText(run->outletRatio)},
        {"y2 in full", ui::numberText(run->y2)},
        {"upper limit", ui::numberText(run->upperLimit)},
        {"lower limit", ui::numberText(run->lowerLimit)},
        {"step width", stepWidthText(run->stepWidth)},
        {"step count", QLocale().toString(run->stepCount)},
        {"chart legend, curve", u"Equilibrium curve"_s},
        {"chart legend, line", u"Operating line of run 3"_s},
        {"table source", u"30 °C"_s},
        {"assumption, dilute gas", u"dilute"_s},
        {"assumption, no recycling", u"recycled"_s},
    };
    for (const absorber::EquilibriumPoint& point : absorber::equilibriumPoints)
        expected.push_back({"table y*", ui::numberText(point.y)});

    for (const Expected& item : expected)
        EXPECT_TRUE(text->contains(item.text)) << item.what << ": " << item.text.toStdString();
}

TEST_P(RunPdf, OneA4Page)
{
    if (QStandardPaths::findExecutable(u"pdfinfo"_s).isEmpty())
        GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    const DefaultLocale locale(QString::fromLatin1(GetParam()));
    const std::optional<report::Run> run = runFromCore(1, 0.045, 0.02, 2.0, 3.0, 1.5);
    ASSERT_TRUE(run.has_value());

    const std::optional<QString> info =
        popplerOutput(u"pdfinfo"_s, {u"{pdf}"_s}, report::runPdf(*run, details()).value_or(QByteArray()));
    ASSERT_TRUE(info.has_value());
    EXPECT_TRUE(info->contains(QRegularExpression(u"Pages:\\s+1\\n"_s))) << info->toStdString();
    EXPECT_TRUE(info->contains(u"(A4)"_s)) << info->toStdString();
}

TEST_P(RunPdf, SaysWhenNoCoefficientWasFound)
{
    const DefaultLocale locale(QString::fromLatin1(GetParam()));
    const std::optional<report::Run> run = runFromCore(2, 0.045, 0.02, 2.0, 3.0);
    ASSERT_TRUE(run.has_value());

    const std::optional<QString> text = popplerOutput(u"pdftotext"_s, {u"-layout"_s, u"{pdf}"_s, u"-"_s},
                                                      report::runPdf(*run, details()).value_or(QByteArray()));
    ASSERT_TRUE(text.has_value());
    EXPECT_TRUE(text->contains(u"not found for this run"_s));
    EXPECT_TRUE(text->contains(ui::resultText(run->ntu)));
}

TEST_P(RunPdf, BoxesFindingsAndGivesTheColburnNtu)
{
    const DefaultLocale locale(QString::fromLatin1(GetParam()));
    std::optional<report::Run> run = runFromCore(1, 0.02, 0.01, 1.0, 1.0, 2.0);
    ASSERT_TRUE(run.has_value());
    // A Colburn NTU 70 % above the sum's, and a finding to box.
    run->ntuColburn = run->ntu * 1.7;
    run->findings = {u"Alpha note."_s, u"Beta note."_s};
    const std::optional<QString> text = popplerOutput(u"pdftotext"_s, {u"-layout"_s, u"{pdf}"_s, u"-"_s},
                                                      report::runPdf(*run, details()).value_or(QByteArray()));
    ASSERT_TRUE(text.has_value());
    EXPECT_TRUE(text->contains(u"Colburn"_s));
    EXPECT_TRUE(text->contains(u"+"_s + QLocale().toString(70.0, 'f', 1) + u" %"_s)) << text->toStdString();
    EXPECT_TRUE(text->contains(ui::resultText(*run->ntuColburn)));
    EXPECT_TRUE(text->contains(u"Alpha note."_s) && text->contains(u"Beta note."_s)) << text->toStdString();
}

INSTANTIATE_TEST_SUITE_P(Locales, RunPdf, testing::Values("en_US", "de_DE"),
                         [](const testing::TestParamInfo<const char*>& row) { return QString::fromLatin1(row.param).left(2).toStdString();
                         });

// A series at two water flows, `runs` long, the last with a finding; the
// first four with uncertainties.
struct LabSeries {
    series::Series series;
    std::vector<series::RunResult> results;
    std::vector<series::RunUncertainty> uncertainties;
};

LabSeries labSeries(std::size_t runs)
{
    LabSeries lab;
    lab.series.title = "Absorber Ü4";
    lab.series.people = "A. Lind";
    for (std::size_t i = 0; i < runs; ++i) {
        const double gas = 1.0 + 0.5 * double(i % 5);
        const double water = i % 10 < 5 ? 4.0 : 8.0;
        series::Run run;
        run.inputs = {0.02, 0.002 * gas / water * 4.0, gas, i + 1 == runs ? -1.5 : water};
        run.packingHeight = 2.0;
        run.label = u"G%1 row %2"_s.arg(gas).arg(i + 1).toStdString();
        lab.series.runs.push_back(run);
    }
    lab.results = *series::computeRuns(lab.series.runs, 2);
    const series::Uncertainties given{0.02, 0.02, 0.0005, 0.0005, 0.005};
    for (std::size_t i = 0; i < runs; ++i)
        lab.uncertainties.push_back(i < 4 ? series::uncertaintyOf(lab.series.runs[i], given)
                                          : series::RunUncertainty{});
    return lab;
}

TEST(SeriesPdf, HoldsEveryRunTheChartsTheFitAndAnAppendix)
{
    if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty()
        || QStandardPaths::findExecutable(u"pdfinfo"_s).isEmpty())
        GTEST_SKIP() << "poppler-utils are not installed";
    const DefaultLocale locale(u"en_US"_s);
    // 60 runs need two pages of the runs table; rows are never split, so the
    // second page repeats the header.
    for (const std::size_t runs : {10u, 60u}) {
        const LabSeries lab = labSeries(runs);
        const QByteArray pdf =
            report::seriesPdf(lab.series, lab.results, lab.uncertainties, details(), true).value_or(QByteArray());
        const std::optional<QString> info = popplerOutput(u"pdfinfo"_s, {u"{pdf}"_s}, pdf);
        std::optional<QString> text = popplerOutput(u"pdftotext"_s, {u"-layout"_s, u"{pdf}"_s, u"-"_s}, pdf);
        ASSERT_TRUE(info && text) << runs;
        // The fonts' ligatures come out as one character each.
        text->replace(u"ﬃ"_s, u"ffi"_s)
            .replace(u"ﬄ"_s, u"ffl"_s)
            .replace(u"ﬁ"_s, u"fi"_s)
            .replace(u"ﬂ"_s, u"fl"_s)
            .replace(u"ﬀ"_s, u"ff"_s);
        // Table, charts, method, then a page per completed run and one more
        // for each run's uncertainty.
        // 60 runs' table of the values beside the coefficient takes a third page.
        const std::size_t tablePages = runs > 40 ? 2 : 1;
        const std::size_t pages = (runs > 40 ? 3 : 1) + 2 + runs + 4;
        EXPECT_TRUE(info->contains(QRegularExpression(u"Pages:\\s+%1\\n"_s.arg(pages)))) << info->toStdString();
        EXPECT_TRUE(text->contains(u"Page %1"_s.arg(pages)));
        EXPECT_EQ(text->count(u"U (k = 2)"_s), qsizetype(tablePages + 4)) << runs;
        for (const series::Run& run : lab.series.runs)
            EXPECT_TRUE(text->contains(QString::fromStdString(run.label))) << run.label;
        const series::Analysis analysis = series::analyse(lab.series, lab.results, lab.uncertainties);
        for (const QString& line :
             report::qstrings(present::fitLines(analysis, {}, report::qtLanguage(), report::numberLocaleOf(QLocale()))))
            EXPECT_TRUE(text->simplified().contains(line.simplified())) << line.toStdString();
        for (const char* expected : {"Absorber Ü4", "A. Lind", "findings", "Equilibrium data", "The fit",
                                     "Error budget", "Gas flow G", "Water flow L"})
            EXPECT_TRUE(text->contains(QString::fromUtf8(expected))) << expected;
    }
}

// The report fits the coefficient the Series Analysis chose, and its words say which.
TEST(SeriesPdf, FitsTheChosenCoefficient)
{
    if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    const DefaultLocale locale(u"en_US"_s);
    const LabSeries lab = labSeries(10);
    for (const series::Fitted fitted : {series::Fitted::quillon, series::Fitted::colburn}) {
        const QByteArray pdf = report::seriesPdf(lab.series, lab.results, lab.uncertainties, details(), false, fitted)
                                   .value_or(QByteArray());
        std::optional<QString> text = popplerOutput(u"pdftotext"_s, {u"-layout"_s, u"{pdf}"_s, u"-"_s}, pdf);
        ASSERT_TRUE(text.has_value());
        // The fonts' ligatures come out as one character each.
        text->replace(u"ﬃ"_s, u"ffi"_s).replace(u"ﬁ"_s, u"fi"_s).replace(u"ﬂ"_s, u"fl"_s);
        const series::Analysis analysis = series::analyse(lab.series, lab.results, lab.uncertainties, true, fitted);
        for (const QString& line :
             report::qstrings(present::fitLines(analysis, {}, report::qtLanguage(), report::numberLocaleOf(QLocale()))))
            EXPECT_TRUE(text->simplified().contains(line.simplified())) << line.toStdString();
    }
}

// A run given as readings lists its readings in the budget.
TEST_P(RunPdf, ListsTheReadingsInTheBudget)
{
    const DefaultLocale locale(QString::fromLatin1(GetParam()));
    std::optional<report::Run> run = runFromCore(1, 0.02, 0.01, 1.0, 1.0, 2.0);
    ASSERT_TRUE(run.has_value());
    series::Run lab;
    lab.packingHeight = 0.5;
    series::Readings r;
    r.titration = series::Titration{10.0, 0.1, 12.4, 0.0, 1, {}, {}, 997.0, 20.0};
    r.air = series::MeterReading{20.0, series::MeterUnit::litresPerMinute, 21.0, 99.5, {}};
    r.ammonia = series::MeterReading{0.5, series::MeterUnit::litresPerMinute, 21.0, 99.5, {}};
    r.water = series::MeterReading{0.05, series::MeterUnit::litresPerMinute, 21.0, 99.5, {}};
    r.uncertainty = {0.02, 0.01, {}, {}, {}};
    lab.readings = r;
    series::replaceInputs(lab.inputs, std::get<series::InputsFromReadings>(series::inputsFromReadings(r, "mol/s")));
    const auto gum = series::readingsGum(lab, {}, "mol/s");
    ASSERT_TRUE(std::holds_alternative<series::Gum>(gum));
    run->gum = std::get<series::Gum>(gum);
    const std::optional<QString> text = popplerOutput(u"pdftotext"_s, {u"-layout"_s, u"{pdf}"_s, u"-"_s},
                                                      report::runPdf(*run, details()).value_or(QByteArray()));
    ASSERT_TRUE(text.has_value());
    for (const series::Reading reading :
         {series::Reading::sampleVolume, series::Reading::acidVolume, series::Reading::airReading,
          series::Reading::ammoniaReading, series::Reading::waterReading}) {
        const QString name = report::qstring(present::budgetReadingName(reading, report::qtLanguage()));
        EXPECT_TRUE(text->contains(name)) << name.toStdString();
    }
}

TEST(SeriesCharts, LabelDecadesReadably)
{
    const DefaultLocale locale(u"en_US"_s);
    const std::vector<double> small{0.0012, 0.5};
    const std::vector<double> large{3.0, 20000.0};
    const std::vector<double> within{2.0, 3.0, -1.0, 0.0};
    const report::Decades spans[] = {report::decadesOf({small}), report::decadesOf({large}),
                                     report::decadesOf({within})};
    EXPECT_EQ(spans[0].low, -3);
    EXPECT_EQ(spans[0].high, 0);
    EXPECT_EQ(spans[1].low, 0);
    EXPECT_EQ(spans[1].high, 5);
    // One decade at least, and values not above 0 left out.
    EXPECT_EQ(spans[2].low, 0);
    EXPECT_EQ(spans[2].high, 1);
    const QStringList texts{report::decadeText(-3), report::decadeText(0), report::decadeText(4),
                            report::decadeText(5)};
    EXPECT_EQ(texts, (QStringList{u"0.001"_s, u"1"_s, u"10000"_s, u"1e+5"_s}));
}

TEST(RunPdfDevice, RefusesADeviceNotOpenForWriting)
{
    const std::optional<report::Run> run = runFromCore(1, 0.02, 0.01, 1.0, 1.0);
    ASSERT_TRUE(run.has_value());
    QByteArray bytes;
    QBuffer buffer(&bytes);
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    EXPECT_FALSE(report::writeRunPdf(buffer, *run, details()));
    EXPECT_TRUE(bytes.isEmpty());
}

}  // namespace
