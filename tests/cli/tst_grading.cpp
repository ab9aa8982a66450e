// Grading a class through the built tool: a lab report's typed numbers
// checked as the window shows them.

#include "present/numbers.h"
#include "series/csv.h"
#include "series/file.h"
#include "tests/series/samples.h"

#include <QCoreApplication>
#include <QDir>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <fmt/format.h>
#include <gtest/gtest.h>

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
                        const std::function<void(std::size_t, std::string&)>& edit = {})
{
    const series::Series lab = labSeries();
    const present::NumberLocale locale{point};
    std::string csv = fmt::format("y1{0}x1{0}gas flow{0}water flow{0}height{0}y2{0}NTU{0}MTC\n", delimiter);
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

// Run 4's MTC with one shown digit fewer.
void digitDropped(std::size_t run, std::string& mtc)
{
    if (run == 3)
        mtc.pop_back();
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
            {"report_short.csv", typedReport(',', ".", digitDropped)},
        };
        for (auto it = files.begin(); it != files.end(); ++it) {
            QFile out(folder->filePath(it.key()));
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(QByteArray::fromStdString(it.value()));
        }
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
    const char* output;  // a pattern standard output matches, or standard error for a usage error
};

class CheckAsShown : public Grading, public testing::WithParamInterface<CheckCase> {};

TEST_P(CheckAsShown, FindsWhatTheWindowWouldShowDifferently)
{
    const CheckCase& row = GetParam();
    const Ran ran = run(row.arguments);
    EXPECT_EQ(ran.code, row.code) << ran.err;
    const std::string& shown = row.code == 2 ? ran.err : ran.out;
    EXPECT_TRUE(QString::fromStdString(shown).contains(QRegularExpression(row.output))) << shown;
}

INSTANTIATE_TEST_SUITE_P(Grading, CheckAsShown, testing::Values(
    CheckCase{"report_as_shown", {"check", "--as-shown", "report.csv"}, 0, "^report.csv: 10 runs compared, 0 differ\n$"},
    CheckCase{"report_decimal_comma", {"check", "--as-shown", "report_de.csv"}, 0, "^report_de.csv: 10 runs compared, 0 differ\n$"},
    CheckCase{"last_shown_digit_off", {"check", "--as-shown", "report.csv", "report_off.csv"}, 1,
              "^report.csv: 10 runs compared, 0 differ\nreport_off.csv: run 4: mtc: reported [0-9.]+, shown [0-9.]+\n"
              "report_off.csv: 10 runs compared, 1 differ\n$"},
    CheckCase{"fewer_digits_than_shown", {"check", "--as-shown", "report_short.csv"}, 1,
              "^report_short.csv: run 4: mtc: reported [0-9.]+, shown [0-9.]+\nreport_short.csv: 10 runs compared, 1 differ\n$"},
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

}  // namespace

// QProcess wants an application.
int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
