// Grading a class through the built tool: a lab report's typed numbers
// checked as the window shows them.

#include "present/numbers.h"
#include "series/csv.h"
#include "series/file.h"
#include "series/findings.h"
#include "tests/series/samples.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <fmt/format.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Ran {
    int code = -1;
    std::string out;
    std::string err;
};

// The lab series' runs as a student's report types them: inputs, then y2,
// NTU and MTC as the window shows them, with the decimal `point`, cells
// apart by `delimiter`. `edit` may change a run's MTC text.
std::string typedReport(char delimiter, const std::string& point,
                        const std::function<void(std::size_t, std::string&)>& edit = {},
                        const std::string& mtcHeader = "MTC")
{
    const series::Series lab = labSeries();
    const present::NumberLocale locale{point};
    std::string csv = fmt::format("y1{0}x1{0}gas flow{0}water flow{0}height{0}y2{0}NTU{0}{1}\n", delimiter, mtcHeader);
    for (std::size_t i = 0; i < lab.runs.size(); ++i) {
        const series::Run& run = lab.runs[i];
        const series::RunResult result = series::computeRun(run);
        std::string mtc = present::resultText(*result.mtc, locale);
        if (edit)
            edit(i, mtc);
        for (const double input :
             {run.inputs.y1, run.inputs.x1, run.inputs.gasFlow, run.inputs.waterFlow, *run.packingHeight})
            csv += present::exactText(input, locale) + delimiter;
        csv += present::resultText(*result.balance.y2, locale) + delimiter + present::resultText(*result.ntu, locale)
            + delimiter + mtc + '\n';
    }
    return csv;
}

// The last shown digit of run 4's MTC one up, or down from a 9.
void lastDigitOff(std::size_t run, std::string& mtc)
{
    if (run == 3)
        mtc.back() = mtc.back() == '9' ? '8' : char(mtc.back() + 1);
}

// Every MTC typed "MTC +- U", as a report's table may.
void withPlusMinus(std::size_t, std::string& mtc)
{
    mtc += " +- 0.75";
}

// Run 4's last shown digit off, every MTC typed "MTC ± U" with decimal commas.
void offWithPlusMinusDe(std::size_t run, std::string& mtc)
{
    lastDigitOff(run, mtc);
    mtc += " \u00b1 0,75";
}

// Run 4's MTC left blank.
void leftBlank(std::size_t run, std::string& mtc)
{
    if (run == 3)
        mtc.clear();
}

// Run 4's MTC with one shown digit fewer.
void digitDropped(std::size_t run, std::string& mtc)
{
    if (run == 3)
        mtc.pop_back();
}

// A group's series: the lab's grid of flows, x1 growing with the gas flow
// to the power `growth`. Groups differ a little; the planted one a lot.
series::Series groupSeries(int group, double growth)
{
    series::Series lab;
    lab.title = fmt::format("Absorber, group {}", group);
    lab.people = fmt::format("Student {0}a, Student {0}b", group);
    for (const double water : {4.0, 8.0}) {
        for (const double gas : {1.0, 1.5, 2.0, 2.5, 3.0}) {
            series::Run run;
            run.inputs = {0.02, 0.008 * std::pow(gas, growth) / water + 0.0001 * gas, gas, water};
            run.packingHeight = 2.0;
            lab.runs.push_back(run);
        }
    }
    return lab;
}

// The class: thirty groups, group 17 planted far off.
constexpr int plantedGroup = 17;

QString groupFile(int group)
{
    return QString("class/group%1.quillon").arg(group, 2, 10, QChar('0'));
}

class Grading : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder = std::make_unique<QTemporaryDir>();
        const series::Series lab = labSeries();
        std::vector<series::RunResult> results;
        for (const series::Run& run : lab.runs)
            results.push_back(series::computeRun(run));
        // Run 1's MTC with its last full digit changed: the same as shown.
        std::string edited = series::writeSeriesFile(lab, results);
        const std::string mtc = series::exactText(*results[0].mtc);
        std::string other = mtc;
        other.back() = other.back() == '9' ? '8' : char(other.back() + 1);
        edited.replace(edited.find("\"mtc\": " + mtc) + 7, mtc.size(), other);
        const QMap<QString, std::string> files{
            {"lab.quillon", series::writeSeriesFile(lab, results)},
            {"lab_unstored.quillon", series::writeSeriesFile(lab, {})},
            {"edited_digit.quillon", edited},
            {"report.csv", typedReport(',', ".")},
            {"report_de.csv", typedReport(';', ",")},
            {"report_off.csv", typedReport(',', ".", lastDigitOff)},
            {"report_off_de.csv", typedReport(';', ",", lastDigitOff)},
            {"report_plus_minus.csv", typedReport(',', ".", withPlusMinus)},
            {"report_plus_minus_off_de.csv", typedReport(';', ",", offWithPlusMinusDe)},
            {"report_short.csv", typedReport(',', ".", digitDropped)},
            {"report_blank.csv", typedReport(',', ".", leftBlank)},
            {"report_unit.csv", typedReport(',', ".", lastDigitOff, "MTC (mol/(s·m³))")},
        };
        for (auto it = files.begin(); it != files.end(); ++it) {
            QFile out(folder->filePath(it.key()));
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(QByteArray::fromStdString(it.value()));
        }
        ASSERT_TRUE(QDir(folder->path()).mkdir("class"));
        QFile damaged(folder->filePath("class/damaged.quillon"));
        ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
        damaged.write("{\"format\": ");
        for (int group = 1; group <= 30; ++group) {
            const series::Series handedIn =
                groupSeries(group, group == plantedGroup ? 1.6 : 1.0 + 0.02 * double(group * 7 % 5 - 2));
            std::vector<series::RunResult> computed;
            for (const series::Run& run : handedIn.runs)
                computed.push_back(series::computeRun(run));
            QFile out(folder->filePath(groupFile(group)));
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(QByteArray::fromStdString(series::writeSeriesFile(handedIn, computed)));
        }
    }

    static QStringList classFiles()
    {
        QStringList files;
        for (int group = 1; group <= 30; ++group)
            files << groupFile(group);
        return files;
    }
    static void TearDownTestSuite() { folder.reset(); }

    static Ran run(const QStringList& arguments)
    {
        QProcess process;
        process.setWorkingDirectory(folder->path());
        process.start(QUILLON_CLI, arguments);
        if (!process.waitForFinished(300000) || process.exitStatus() != QProcess::NormalExit)
            return {};
        return {process.exitCode(), process.readAllStandardOutput().toStdString(),
                process.readAllStandardError().toStdString()};
    }

    static inline std::unique_ptr<QTemporaryDir> folder;
};

struct CheckCase {
    const char* name;
    QStringList arguments;
    int code;
    const char* output;  // a pattern standard output matches, or standard error from code 2 on
};

class Commands : public Grading, public testing::WithParamInterface<CheckCase> {};

TEST_P(Commands, GiveTheCodeAndTheOutput)
{
    const CheckCase& row = GetParam();
    const Ran ran = run(row.arguments);
    EXPECT_EQ(ran.code, row.code) << ran.err;
    const std::string& shown = row.code >= 2 ? ran.err : ran.out;
    EXPECT_TRUE(QString::fromStdString(shown).contains(QRegularExpression(row.output))) << shown;
}

INSTANTIATE_TEST_SUITE_P(CheckAsShown, Commands, testing::Values(
    CheckCase{"report_as_shown", {"check", "--as-shown", "report.csv"}, 0, "^report.csv: 10 runs compared, 0 differ\n$"},
    CheckCase{"report_decimal_comma", {"check", "--as-shown", "report_de.csv"}, 0, "^report_de.csv: 10 runs compared, 0 differ\n$"},
    CheckCase{"last_shown_digit_off", {"check", "--as-shown", "report.csv", "report_off.csv"}, 1,
              "^report.csv: 10 runs compared, 0 differ\nreport_off.csv: run 4: mtc: reported [0-9.]+, shown [0-9.]+\n"
              "report_off.csv: 10 runs compared, 1 differ\n$"},
    // The shown value is written as the file writes its numbers.
    CheckCase{"last_shown_digit_off_decimal_comma", {"check", "--as-shown", "report_off_de.csv"}, 1,
              "^report_off_de.csv: run 4: mtc: reported [0-9]+,[0-9]+, shown [0-9]+,[0-9]+\n"},
    CheckCase{"beyond_tolerance_decimal_comma", {"check", "--tolerance", "1e-12", "report_off_de.csv"}, 1,
              "^report_off_de.csv: run 1: y2: reported 0,[0-9]+, computed 0,[0-9]+\n"},
    // "MTC ± U" as the window shows it: the value before the sign is the MTC
    // (these runs have no U to compare the one after it with).
    CheckCase{"mtc_plus_minus_u", {"check", "--as-shown", "report_plus_minus.csv"}, 0,
              "^report_plus_minus.csv: 10 runs compared, 0 differ\n$"},
    CheckCase{"mtc_plus_minus_u_off_decimal_comma", {"check", "--as-shown", "report_plus_minus_off_de.csv"}, 1,
              "^report_plus_minus_off_de.csv: run 4: mtc: reported [0-9]+,[0-9]+, shown [0-9]+,[0-9]+\n"
              "report_plus_minus_off_de.csv: 10 runs compared, 1 differ\n$"},
    CheckCase{"fewer_digits_than_shown", {"check", "--as-shown", "report_short.csv"}, 1,
              "^report_short.csv: run 4: mtc: reported [0-9.]+, shown [0-9.]+\nreport_short.csv: 10 runs compared, 1 differ\n$"},
    // A value left out where the window shows one is a difference too.
    CheckCase{"left_blank", {"check", "--as-shown", "report_blank.csv"}, 1,
              "^report_blank.csv: run 4: mtc: reported none, shown [0-9.]+\nreport_blank.csv: 10 runs compared, 1 differ\n$"},
    // A unit with brackets of its own still names the column.
    CheckCase{"unit_in_brackets", {"check", "--as-shown", "report_unit.csv"}, 1,
              "^report_unit.csv: run 4: mtc: reported [0-9.]+, shown [0-9.]+\nreport_unit.csv: 10 runs compared, 1 differ\n$"},
    CheckCase{"within_tolerance", {"check", "--tolerance", "0.01", "report_off.csv"}, 0, "^report_off.csv: 10 runs compared, 0 differ\n$"},
    CheckCase{"beyond_tolerance", {"check", "--tolerance", "1e-12", "report.csv"}, 1, "^report.csv: run 1: y2: reported [^\n]*, computed "},
    // Bit for bit a CSV's columns are not read, as before.
    CheckCase{"csv_bit_for_bit", {"check", "report.csv"}, 1, "^report.csv: no stored results\n$"},
    CheckCase{"series_as_shown", {"check", "--as-shown", "lab.quillon"}, 0, "^lab.quillon: 10 runs compared, 0 differ\n$"},
    CheckCase{"edit_below_shown", {"check", "--as-shown", "edited_digit.quillon"}, 0, "^edited_digit.quillon: 10 runs compared, 0 differ\n$"},
    CheckCase{"edit_bit_for_bit", {"check", "edited_digit.quillon"}, 1, "^edited_digit.quillon: run 1: mtc: stored "},
    CheckCase{"nothing_stored", {"check", "--as-shown", "lab_unstored.quillon"}, 1,
              "^lab_unstored.quillon: no stored results\nlab_unstored.quillon: 0 runs compared, 0 differ\n$"},
    CheckCase{"tolerance_not_a_number", {"check", "--tolerance", "1%", "report.csv"}, 2, "--tolerance wants a relative difference"},
    CheckCase{"tolerance_negative", {"check", "--tolerance", "-0.1", "report.csv"}, 2, "--tolerance wants a relative difference"}),
    [](const auto& row) { return std::string(row.param.name); });

INSTANTIATE_TEST_SUITE_P(Usage, Commands, testing::Values(
    CheckCase{"summary_format", {"summary", "--format", "xml", "lab.quillon"}, 2, "csv or json, not 'xml'"},
    CheckCase{"summary_unwritable", {"summary", "lab.quillon", "-o", "missing/out.csv"}, 4, "^missing/out.csv: cannot be written: "},
    CheckCase{"summary_unreadable", {"summary", "lab.quillon", "missing.quillon"}, 3, "^missing.quillon: cannot be read: "},
    CheckCase{"exercise_no_folder", {"exercise", "--groups", "2", "--seed", "1"}, 2, "needs -o DIR"},
    CheckCase{"exercise_no_groups", {"exercise", "--groups", "0", "--seed", "1", "-o", "x"}, 2, "--groups wants a whole number from 1"},
    CheckCase{"exercise_negative_seed", {"exercise", "--groups", "2", "--seed", "-1", "-o", "x"}, 2, "--seed wants a whole number"},
    CheckCase{"exercise_noise", {"exercise", "--groups", "2", "--seed", "1", "--noise", "0.5", "-o", "x"}, 2, "--noise wants a relative size"},
    CheckCase{"exercise_file", {"exercise", "--groups", "2", "--seed", "1", "-o", "x", "lab.quillon"}, 2, "takes no FILE"},
    CheckCase{"exercise_unwritable", {"exercise", "--groups", "2", "--seed", "1", "-o", "lab.quillon/x"}, 4, "cannot be made"}),
    [](const auto& row) { return std::string(row.param.name); });

// Thirty groups' series: a row each, every one agreeing with its stored
// results, and the planted group alone named outside the class.
TEST_F(Grading, SummaryNamesThePlantedGroup)
{
    const Ran csv = run(QStringList{"summary"} + classFiles());
    ASSERT_EQ(csv.code, 0) << csv.err;
    const QStringList lines = QString::fromStdString(csv.out).split("\r\n");
    ASSERT_GE(lines.size(), 31);
    EXPECT_TRUE(lines[0].startsWith("file,title,people,runs,completed,excluded,with_findings,"))
        << lines[0].toStdString();
    for (int group = 1; group <= 30; ++group) {
        const QString& line = lines[group];
        SCOPED_TRACE(line.toStdString());
        EXPECT_TRUE(line.startsWith(groupFile(group) + ",\"Absorber, group " + QString::number(group) + "\","))
            << "row";
        EXPECT_TRUE(line.contains(",10,10,0,0,10,")) << "runs, completed, excluded, with findings, in the fit";
        EXPECT_TRUE(line.contains(",no,Unweighted because no run has an uncertainty.,agrees,"))
            << "unweighted and why, checked";
        EXPECT_EQ(line.endsWith(",gas exponent; water exponent"), group == plantedGroup) << "outlier";
    }
    EXPECT_TRUE(lines[31].isEmpty());
    EXPECT_TRUE(lines[32].startsWith("exponent,files,median,")) << lines[32].toStdString();

    const Ran json = run(QStringList{"summary", "--format", "json"} + classFiles());
    ASSERT_EQ(json.code, 0) << json.err;
    const QJsonObject root = QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).object();
    EXPECT_EQ(root["files"].toArray().size(), 30);
    const QJsonArray outliers = root["outliers"].toArray();
    ASSERT_EQ(outliers.size(), 2);
    EXPECT_EQ(outliers[0]["file"].toString().toStdString(), groupFile(plantedGroup).toStdString());
    EXPECT_EQ(outliers[0]["exponent"].toString().toStdString(), "gas_exponent");
    const QJsonObject gas = root["class"]["gas_exponent"].toObject();
    EXPECT_EQ(gas["files"].toInt(), 30);
    EXPECT_LE(gas["lowest"].toDouble(), gas["median"].toDouble());
    EXPECT_EQ(gas["highest"].toDouble(), outliers[0]["value"].toDouble());
    EXPECT_EQ(root["files"][0]["weighted_reason"].toString(), "Unweighted because no run has an uncertainty.");
}

// A damaged file among the class's: its row, in its place, says why; the
// others are summarised as ever, the table written, and the status is 3.
struct DamagedCase {
    const char* name;
    const char* format;
    const char* output;  // -o, or none for standard output
};

class DamagedFile : public Grading, public testing::WithParamInterface<DamagedCase> {};

TEST_P(DamagedFile, HasARowOfItsOwn)
{
    const DamagedCase& row = GetParam();
    QStringList files = classFiles();
    files.insert(4, "class/damaged.quillon");
    QStringList arguments{"summary", "--format", row.format};
    if (row.output)
        arguments << "-o" << row.output;
    const Ran ran = run(arguments + files);
    EXPECT_EQ(ran.code, 3) << ran.err;
    EXPECT_TRUE(ran.err.starts_with("class/damaged.quillon:1:")) << ran.err;
    QFile written(folder->filePath(row.output ? row.output : ""));
    const QByteArray out = row.output ? (written.open(QIODevice::ReadOnly) ? written.readAll() : QByteArray())
                                      : QByteArray::fromStdString(ran.out);
    QStringList named;
    QString damaged;
    if (std::string_view(row.format) == "json") {
        const QJsonObject root = QJsonDocument::fromJson(out).object();
        for (const QJsonValue file : root["files"].toArray())
            named << file["file"].toString();
        damaged = root["files"][4]["check"].toString();
        EXPECT_TRUE(root["files"][4]["runs"].isNull());
        EXPECT_EQ(root["outliers"][0]["file"].toString(), groupFile(plantedGroup));
    } else {
        const QStringList lines = QString::fromUtf8(out).split("\r\n");
        for (const QString& line : lines.mid(1, 31))
            named << line.section(',', 0, 0);
        damaged = lines.value(5).section(',', 20).remove('"');
        EXPECT_TRUE(lines.value(5).startsWith("class/damaged.quillon,,,,")) << lines.value(5).toStdString();
        EXPECT_TRUE(lines.value(plantedGroup + 1).endsWith(",gas exponent; water exponent"));
    }
    EXPECT_EQ(named, files);
    EXPECT_TRUE(damaged.startsWith("unreadable: class/damaged.quillon:1:")) << damaged.toStdString();
    if (row.output)
        QFile::remove(written.fileName());
}

INSTANTIATE_TEST_SUITE_P(Summary, DamagedFile, testing::Values(
    DamagedCase{"csv", "csv", nullptr},
    DamagedCase{"json", "json", nullptr},
    DamagedCase{"csv_to_file", "csv", "class.csv"}),
    [](const auto& row) { return std::string(row.param.name); });

// Every file under a folder with its bytes, by its path there.
QMap<QString, QByteArray> filesUnder(const QString& path)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(path, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly))
            files[QDir(path).relativeFilePath(file.fileName())] = file.readAll();
    }
    return files;
}

// One seed, the same files; every run completes without findings, as the
// library computes them; check confirms the key and the handout holds no
// results.
TEST_F(Grading, ExerciseIsRepeatableAndItsKeyChecks)
{
    const QStringList make{"exercise", "--groups", "12", "--seed", "2026", "-o"};
    ASSERT_EQ(run(make + QStringList{"first"}).code, 0);
    ASSERT_EQ(run(make + QStringList{"second"}).code, 0);
    ASSERT_EQ(run({"exercise", "--groups", "12", "--seed", "2027", "-o", "other"}).code, 0);
    const auto first = filesUnder(folder->filePath("first"));
    EXPECT_EQ(first.size(), 12 * 3 + 1);
    EXPECT_EQ(first, filesUnder(folder->filePath("second")));
    EXPECT_NE(first.value("handout/group01.quillon"),
              filesUnder(folder->filePath("other")).value("handout/group01.quillon"));

    QStringList keys;
    for (int group = 1; group <= 12; ++group) {
        const QString name = QString("group%1.quillon").arg(group, 2, 10, QChar('0'));
        keys << "first/key/" + name;
        const auto handout = series::readSeriesFile(first.value("handout/" + name).toStdString());
        const auto key = series::readSeriesFile(first.value("key/" + name).toStdString());
        ASSERT_TRUE(std::holds_alternative<series::OpenedSeries>(handout)
                    && std::holds_alternative<series::OpenedSeries>(key));
        const auto& given = std::get<series::OpenedSeries>(handout);
        EXPECT_EQ(given.series.runs.size(), 12u);
        // The key holds the handout's runs; its notes give the law.
        series::Series keyRuns = std::get<series::OpenedSeries>(key).series;
        keyRuns.notes = given.series.notes;
        EXPECT_TRUE(series::identical(keyRuns, given.series));
        for (std::size_t i = 0; i < given.series.runs.size(); ++i) {
            SCOPED_TRACE(name.toStdString() + " run " + std::to_string(i + 1));
            EXPECT_FALSE(given.stored[i].mtc) << "the handout gives no result";
            const series::RunResult result = series::computeRun(given.series.runs[i]);
            EXPECT_EQ(result.outcome, absorber::Outcome::completed);
            EXPECT_TRUE(result.mtc);
            EXPECT_TRUE(series::findingsOf(given.series.runs[i], result).empty());
        }
    }
    const Ran checked = run(QStringList{"check"} + keys);
    EXPECT_EQ(checked.code, 0) << checked.out;
    EXPECT_EQ(checked.out, "");
}

}  // namespace

// QProcess wants an application.
int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
