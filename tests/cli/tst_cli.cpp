// quillon-cli as a user runs it: the built program in a scratch folder, its
// output and exit code against the series library's own.

#include "present/numbers.h"
#include "series/analysis.h"
#include "series/csv.h"
#include "series/findings.h"
#include "tests/series/samples.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <span>

namespace {

struct Ran {
    int code = -1;
    std::string out;
    std::string err;
};

std::string textOf(const QByteArray& bytes)
{
    return bytes.toStdString();
}

// The lab series at 20 degC with the equilibrium at each run's
// temperature, saved with the results computed so.
std::string warmLabFile()
{
    series::Series warm = labSeries();
    warm.equilibrium = series::Equilibrium::runTemperature;
    for (series::Run& run : warm.runs)
        run.temperature = 20.0;
    return series::writeSeriesFile(warm, *series::computeRuns(warm.runs, warm.equilibrium, 1));
}

// Runs in one scratch folder holding every input the tests use.
class Cli : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder = std::make_unique<QTemporaryDir>();
        const std::string file = series::writeSeriesFile(sampleSeries(), sampleResults());
        // Run 2's NTU with its last digit one up.
        const std::string ntu = series::exactText(*sampleResults()[1].ntu);
        altered = ntu;
        altered.back() = altered.back() == '9' ? '8' : char(altered.back() + 1);
        std::string alteredFile = file;
        const std::size_t at = alteredFile.find("\"ntu\": " + ntu);
        ASSERT_NE(at, std::string::npos);
        alteredFile.replace(at + 7, ntu.size(), altered);
        series::Series uncertain = labSeries();
        uncertain.uncertainty = {0.02, 0.02, 0.0005, 0.0005, 0.005};
        series::Series thirdUncertain = uncertain;
        thirdUncertain.runs[2].uncertainty = {0.0, 0.0, 0.0, 0.0, 0.0};
        const QMap<QString, std::string> files{
            {"samples.quillon", file},
            {"samples.csv", series::exportCsv(sampleSeries(), sampleResults())},
            {"a \"b\", c.csv", series::exportCsv(sampleSeries(), sampleResults())},
            {"altered.quillon", alteredFile},
            {"damaged.quillon", file.substr(0, file.size() / 2)},
            {"empty.quillon", ""},
            {"notes.txt", "Column rinsed before run 2\n"},
            {"lab.quillon", series::writeSeriesFile(labSeries(), {})},
            {"lab_warm.quillon", warmLabFile()},
            {"lab_uncertain.quillon", series::writeSeriesFile(uncertain, {})},
            {"lab_third_certain.quillon", series::writeSeriesFile(thirdUncertain, {})},
            // The last run saved without its results.
            {"last_unstored.quillon",
             series::writeSeriesFile(sampleSeries(), std::span(sampleResults()).first(sampleResults().size() - 1))},
        };
        for (auto it = files.begin(); it != files.end(); ++it) {
            QFile out(folder->filePath(it.key()));
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(QByteArray::fromStdString(it.value()));
        }
        // A grader's folder: a file's name says what check should find in it.
        ASSERT_TRUE(QDir(folder->path()).mkdir("batch"));
        for (const QString& name : batch()) {
            const std::string& bytes = name.contains("altered") ? alteredFile
                : name.contains("damaged")                      ? files.value("damaged.quillon")
                : name.contains("no_results")                   ? files.value("lab.quillon")
                                                                : file;
            QFile out(folder->filePath(name));
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(QByteArray::fromStdString(bytes));
        }
    }

    // Thirty series files, one damaged and one saved without results among
    // them, every third altered as altered.quillon is.
    static QStringList batch()
    {
        QStringList names;
        for (int i = 1; i <= 30; ++i) {
            const QString kind = i == 11 ? "damaged" : i == 23 ? "no_results" : i % 3 == 0 ? "altered" : "as_stored";
            names << QString("batch/%1_%2.quillon").arg(i, 2, 10, QChar('0')).arg(kind);
        }
        return names;
    }
    static void TearDownTestSuite() { folder.reset(); }

    // LC_ALL=de_DE.UTF-8, compiled into a folder of its own (LOCPATH) so
    // that no system locale is needed; empty when it cannot be made.
    static const QStringList& german()
    {
        static const QTemporaryDir locales;
        static const QStringList environment = [] {
            const QString path = locales.filePath("de_DE.UTF-8");
            QProcess::execute("localedef", {"-i", "de_DE", "-f", "UTF-8", path});
            const QStringList set{"LOCPATH=" + locales.path(), "LC_ALL=de_DE.UTF-8"};
            // The C library must write 0,5 there, or the German runs would prove nothing.
            QProcess probe;
            probe.setEnvironment(QProcess::systemEnvironment() + set);
            probe.start("printf", {"%.1f", "0.5"});
            probe.waitForFinished();
            return probe.readAllStandardOutput() == "0,5" ? set : QStringList();
        }();
        return environment;
    }

    static Ran run(const QStringList& arguments, const QByteArray& input = {}, const QStringList& environment = {},
                   const QString& standardOutput = {})
    {
        QProcess process;
        process.setWorkingDirectory(folder->path());
        process.setEnvironment(QProcess::systemEnvironment() + environment);
        if (!standardOutput.isEmpty())
            process.setStandardOutputFile(standardOutput);
        process.start(QUILLON_CLI, arguments);
        process.write(input);
        process.closeWriteChannel();
        if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
            return {};
        return {process.exitCode(), textOf(process.readAllStandardOutput()), textOf(process.readAllStandardError())};
    }

    static std::string contents(const QString& name)
    {
        QFile file(folder->filePath(name));
        return file.open(QIODevice::ReadOnly) ? textOf(file.readAll()) : std::string();
    }

    static series::Series seriesIn(const QString& name)
    {
        const std::string bytes = contents(name);
        if (name.endsWith(".csv"))
            return std::get<series::ImportedSeries>(series::importCsv(bytes)).series;
        return std::get<series::OpenedSeries>(series::readSeriesFile(bytes)).series;
    }

    // compute's CSV without its last column, u_mtc_reason, which the
    // window's export does not have. Labels may hold commas and line breaks
    // in quotes; reasons hold neither.
    static std::string exportColumns(const std::string& csv)
    {
        std::string columns;
        std::size_t lastComma = 0;
        bool inQuotes = false;
        for (const char c : csv) {
            inQuotes = c == '"' ? !inQuotes : inQuotes;
            if (!inQuotes && c == '\n' && columns.ends_with('\r'))
                columns.erase(lastComma, columns.size() - 1 - lastComma);
            if (!inQuotes && c == ',')
                lastComma = columns.size();
            columns += c;
        }
        return columns;
    }

    // The window's Export Runs as CSV of the series in the file.
    static std::string exported(const QString& name)
    {
        const series::Series read = seriesIn(name);
        return series::exportCsv(read, *series::computeRuns(read.runs, 2), *series::uncertaintiesOf(read, 2));
    }

    // Every file in the folder with its bytes.
    static QMap<QString, std::string> snapshot()
    {
        QMap<QString, std::string> files;
        for (const QString& name : QDir(folder->path()).entryList(QDir::Files))
            files[name] = contents(name);
        return files;
    }

    static inline std::unique_ptr<QTemporaryDir> folder;
    static inline std::string altered;
};

struct ExitCase {
    const char* name;
    QStringList arguments;
    int code;
    const char* output;  // a pattern standard output matches, or for errors standard error
    QByteArray input = {};
    QString standardOutput = {};
};

class ExitCodes : public Cli, public testing::WithParamInterface<ExitCase> {};

// Every case leaves the folder as it was: no output, whole or partial.
TEST_P(ExitCodes, GiveTheCodeAndTheMessage)
{
    const auto before = snapshot();
    const Ran ran = run(GetParam().arguments, GetParam().input, {}, GetParam().standardOutput);
    EXPECT_EQ(ran.code, GetParam().code) << ran.err;
    const std::string& shown = GetParam().code == 0 || GetParam().code == 1 ? ran.out : ran.err;
    EXPECT_TRUE(QString::fromStdString(shown).contains(QRegularExpression(GetParam().output))) << shown;
    EXPECT_EQ(snapshot(), before);
}

INSTANTIATE_TEST_SUITE_P(Cli, ExitCodes, testing::Values(
    ExitCase{"help", {"--help"}, 0, "^Usage: quillon-cli COMMAND.*\n(.*\n)*  compute .*\n  check .*\n  fit .*\n  report .*\n(.*\n)*  4  an output"},
    ExitCase{"version", {"--version"}, 0, "^quillon-cli " QUILLON_VERSION "\n$"},
    ExitCase{"compute_help", {"compute", "--help"}, 0, "^Usage: quillon-cli compute (.*\n)*  --format"},
    ExitCase{"check_help", {"check", "-h"}, 0, "^Usage: quillon-cli check (.*\n)*  3  an input"},
    ExitCase{"check_version", {"check", "--version"}, 0, "^quillon-cli " QUILLON_VERSION "\n$"},
    ExitCase{"as_stored", {"check", "samples.quillon", "--jobs", "1"}, 0, "^$"},
    ExitCase{"csv_nothing_stored", {"check", "samples.csv"}, 1, "^samples.csv: no stored results\n$"},
    ExitCase{"csv_nothing_stored_allowed", {"check", "--allow-no-results", "samples.csv"}, 0, "^$"},
    ExitCase{"series_nothing_stored", {"check", "lab.quillon", "samples.quillon"}, 1, "^lab.quillon: no stored results\n$"},
    ExitCase{"one_run_unstored", {"check", "last_unstored.quillon"}, 1, "^last_unstored.quillon: run 5: no stored results\n$"},
    ExitCase{"one_run_unstored_allowed", {"check", "last_unstored.quillon", "--allow-no-results"}, 0, "^$"},
    ExitCase{"altered_digit", {"check", "samples.quillon", "altered.quillon"}, 1, "^altered.quillon: run 2: ntu: stored [^\n]*\n$"},
    ExitCase{"no_command", {}, 2, "no command given"},
    ExitCase{"unknown_command", {"plot", "samples.quillon"}, 2, "unknown command 'plot'"},
    ExitCase{"fit_text", {"fit", "lab.quillon"}, 0, "^MTC = a · G\\^m · L\\^n\na = [\\s\\S]*\nRuns used: 10 of 10 "},
    // Weighted where every run in the fit has an uncertainty, the last one too.
    ExitCase{"fit_weighted", {"fit", "--format", "json", "lab_uncertain.quillon"}, 0, "\n  \"weighted\": true,\n"},
    ExitCase{"fit_unweighted", {"fit", "--format", "json", "--unweighted", "lab_uncertain.quillon"}, 0, "\n  \"weighted\": false,\n"},
    ExitCase{"fit_too_few", {"fit", "samples.quillon"}, 0, "^No fit: "},
    // Without a fit, the runs in the analysis as the text counts them, not 0.
    ExitCase{"fit_too_few_json", {"fit", "--format", "json", "samples.quillon"}, 0, "^\\{\n  \"runs\": [1-9]"},
    // Run 3 without an uncertainty keeps the fit unweighted, and both formats say so.
    ExitCase{"fit_run_without_u", {"fit", "lab_third_certain.quillon"}, 0, "\nUnweighted because run 3 has no uncertainty.\n"},
    ExitCase{"fit_run_without_u_json", {"fit", "--format", "json", "lab_third_certain.quillon"}, 0,
             "\n  \"weighted\": false,\n  \"unweighted_reason\": \"Unweighted because run 3 has no uncertainty.\",\n  \"runs_without_uncertainty\": \\[3\\],\n"},
    ExitCase{"fit_unweighted_by_option", {"fit", "--format", "json", "--unweighted", "lab_uncertain.quillon"}, 0,
             "\n  \"unweighted_reason\": \"--unweighted was given.\",\n  \"runs_without_uncertainty\": \\[\\],\n"},
    ExitCase{"fit_two_files", {"fit", "lab.quillon", "samples.quillon"}, 2, "fit takes one FILE"},
    ExitCase{"fit_format", {"fit", "--format", "csv", "lab.quillon"}, 2, "text or json, not 'csv'"},
    ExitCase{"report_no_output", {"report", "lab.quillon"}, 2, "needs -o OUT.pdf"},
    ExitCase{"report_appendix_both_ways", {"report", "lab.quillon", "--appendix", "--no-appendix", "-o", "out.pdf"}, 2,
             "exclude each other"},
    ExitCase{"report_damaged", {"report", "damaged.quillon", "-o", "out.pdf"}, 3, "^damaged.quillon:[1-9][0-9]*:[1-9][0-9]*: "},
    ExitCase{"report_unwritable", {"report", "lab.quillon", "-o", "missing/out.pdf"}, 4, "^missing/out.pdf: cannot be written: "},
    ExitCase{"unknown_option", {"compute", "--fast", "samples.quillon"}, 2, "Unknown option 'fast'"},
    ExitCase{"no_file", {"check"}, 2, "no FILE given"},
    ExitCase{"format_xml", {"compute", "--format", "xml", "samples.quillon"}, 2, "csv or json, not 'xml'"},
    ExitCase{"no_jobs", {"compute", "-j", "0", "samples.quillon"}, 2, "not '0'"},
    ExitCase{"input_twice", {"compute", "-", "-"}, 2, "only once"},
    ExitCase{"damaged", {"compute", "damaged.quillon", "-o", "out.csv"}, 3, "^damaged.quillon:[1-9][0-9]*:[1-9][0-9]*: .*expected"},
    ExitCase{"empty", {"check", "empty.quillon"}, 3, "^empty.quillon:1:1: .*expected"},
    ExitCase{"empty_input", {"compute", "-"}, 3, "^-:1:1: the file is empty; expected a header"},
    // Past the readers' limits: refused where the limit is passed, never a crash.
    ExitCase{"nested_70000_deep", {"check", "-"}, 3, "^-:1:[0-9]+: arrays and objects nested more than 64 deep",
             "{\"format\": \"quillon-series\", \"version\": 1, \"x\": " + QByteArray(70000, '[')
                 + QByteArray(70000, ']') + ", \"runs\": []}"},
    ExitCase{"over_64_MiB", {"compute", "-"}, 3, "^-:[0-9]+:[0-9]+: the file goes on past 67108864 bytes",
             "y1,x1,gas_flow,water_flow\n" + QByteArray(65 << 20, '\n')},
    ExitCase{"group_of_a_thousand", {"compute", "-"}, 3, "^-:2:[0-9]+: gas_flow \"1.500\" ",
             "y1;x1;gas_flow;water_flow\n0,02;0,001;1.500;30.000\n"},
    ExitCase{"not_a_series", {"compute", "notes.txt", "-o", "samples.csv"}, 3, "^notes.txt:1: the header has no y1"},
    ExitCase{"missing", {"check", "samples.quillon", "missing.quillon"}, 3, "^missing.quillon: cannot be read: "},
    ExitCase{"folder", {"compute", "."}, 3, "^\\.: cannot be read: "},
    ExitCase{"no_such_folder", {"compute", "samples.quillon", "-o", "missing/out.csv"}, 4, "^missing/out.csv: cannot be written: "},
    ExitCase{"into_a_file", {"compute", "samples.quillon", "-o", "samples.csv/out.json"}, 4, "^samples.csv/out.json: cannot be written: "},
    ExitCase{"output_full", {"compute", "samples.quillon"}, 4, "^standard output: cannot be written: ", {}, "/dev/full"}),
    [](const auto& row) { return std::string(row.param.name); });

// Numbers nlohmann-json alone would write otherwise (100.0, -0.0).
const QByteArray edgeNumbers = "y1,x1,gas_flow,water_flow,packing_height\n5e-324,-0,100,30000,1e-05\n";
// A fit that leaves m out.
const QByteArray oneGasFlow =
    "y1,x1,gas_flow,water_flow,packing_height\n0.02,0.001,2,30,1\n0.021,0.0005,2,35,1\n0.022,0.0004,2,45,1\n"
    "0.02,0.0002,2,60,1\n";
const QStringList computeJson{"compute", "--format", "json", "-"};
const QByteArray windows1252Sheet =
    "Bezeichnung;y1;x1;Gasstrom (mol/s);Wasserstrom;Packungsh\xF6he / m\r\nS\xE4ule;0,02;0,01;1;1;2\r\n";

// What the JSON and the CSV hold, digit for digit and quote for quote:
// numbers as the shortest text that reads back, plain lists on one line,
// a file's name quoted as RFC 4180 wants and never taken for a formula.
INSTANTIATE_TEST_SUITE_P(CliWritten, ExitCodes, testing::Values(
    ExitCase{"json_whole_numbers", computeJson, 0, "\n          \"gas_flow\": 100,\n          \"water_flow\": 30000,\n", edgeNumbers},
    ExitCase{"json_negative_zero", computeJson, 0, "\n          \"x1\": -0,\n", edgeNumbers},
    ExitCase{"json_subnormal", computeJson, 0, "\n          \"y1\": 5e-324,\n", edgeNumbers},
    ExitCase{"json_exponent", computeJson, 0, "\n          \"packing_height\": 1e-05,\n", edgeNumbers},
    ExitCase{"json_interval_on_one_line", {"fit", "--format", "json", "-"}, 0, "\n  \"water_exponent_ci95\": \\[-?[0-9][^,\n]*, -?[0-9][^,\n]*\\],\n", oneGasFlow},
    ExitCase{"json_dropped_on_one_line", {"fit", "--format", "json", "-"}, 0, "\n  \"dropped\": \\{\"term\": \"gas_exponent\", \"reason\": \"all runs have one gas flow\"\\}\n\\}\n$", oneGasFlow},
    ExitCase{"csv_file_quoted", {"compute", "a \"b\", c.csv", "-"}, 0, "\r\n\"a \"\"b\"\", c.csv\",1,", edgeNumbers},
    ExitCase{"csv_standard_input_as_named", {"compute", "a \"b\", c.csv", "-"}, 0, "\r\n-,1,,5e-324,-0,100,30000,1e-05,0,", edgeNumbers},
    // A German sheet as Excel saves it: Windows-1252, read as such; bytes text in neither are refused where they are.
    ExitCase{"csv_windows1252", {"compute", "-"}, 0, "\r\n1,Säule,0.02,0.01,1,1,2,", windows1252Sheet},
    ExitCase{"csv_not_text", {"compute", "-"}, 3, "^-:3:2: expected text in UTF-8 or Windows-1252", windows1252Sheet + "S\x81;1;1;1;1;1\r\n"}),
    [](const auto& row) { return std::string(row.param.name); });

struct ManyCase {
    const char* name;
    QStringList options;  // before the batch's thirty files
    bool noResultsNamed;
};

class CheckMany : public Cli, public testing::WithParamInterface<ManyCase> {};

// One damaged file hides nothing of the other 29, and the worst outcome
// gives the code.
TEST_P(CheckMany, NamesEveryFileAndItsDifferences)
{
    const Ran ran = run(QStringList{"check"} + GetParam().options + batch());
    std::string expected;
    for (const QString& name : batch()) {
        const std::string file = name.toStdString();
        if (name.contains("altered"))
            expected += file + ": run 2: ntu: stored " + altered + ", computed "
                + series::exactText(*sampleResults()[1].ntu) + "\n";
        if (name.contains("no_results") && GetParam().noResultsNamed)
            expected += file + ": no stored results\n";
    }
    EXPECT_EQ(ran.code, 3);
    EXPECT_EQ(ran.out, expected);
    EXPECT_TRUE(QString::fromStdString(ran.err).contains(
        QRegularExpression("^batch/11_damaged.quillon:[1-9][0-9]*:[1-9][0-9]*: [^\n]*\n$")))
        << ran.err;
}

INSTANTIATE_TEST_SUITE_P(Cli, CheckMany, testing::Values(
    ManyCase{"no_results_named", {}, true},
    ManyCase{"no_results_allowed", {"--allow-no-results", "--jobs", "1"}, false}),
    [](const auto& row) { return std::string(row.param.name); });

struct DamagedCase {
    const char* name;
    QStringList arguments;
    const char* error;  // a pattern standard error matches
    bool toStandardOutput;
};

class ComputeDamaged : public Cli, public testing::WithParamInterface<DamagedCase> {};

// Standard output gets the table of the files that could be read, as if the
// damaged ones had not been given; a file OUT is not written at all.
TEST_P(ComputeDamaged, WritesTheReadableOrNothing)
{
    const DamagedCase& row = GetParam();
    const auto before = snapshot();
    const Ran ran = run(row.arguments);
    EXPECT_EQ(ran.code, 3);
    EXPECT_TRUE(QString::fromStdString(ran.err).contains(QRegularExpression(row.error))) << ran.err;
    EXPECT_EQ(snapshot(), before);
    if (!row.toStandardOutput) {
        EXPECT_EQ(ran.out, "");
        return;
    }
    QStringList readable = row.arguments;
    readable.removeIf(
        [](const QString& argument) { return argument == "damaged.quillon" || argument == "empty.quillon"; });
    const Ran whole = run(readable);
    ASSERT_EQ(whole.code, 0) << whole.err;
    EXPECT_EQ(ran.out, whole.out);
}

INSTANTIATE_TEST_SUITE_P(Cli, ComputeDamaged, testing::Values(
    DamagedCase{"csv", {"compute", "samples.quillon", "damaged.quillon", "samples.csv"}, "^damaged.quillon:[1-9][0-9]*:[1-9][0-9]*: ", true},
    DamagedCase{"json", {"compute", "--format", "json", "damaged.quillon", "samples.csv", "empty.quillon"}, "^damaged.quillon:[^\n]*\nempty.quillon:1:1: ", true},
    DamagedCase{"output_file", {"compute", "samples.quillon", "damaged.quillon", "-o", "out.csv"}, "\nout.csv: not written, as damaged.quillon could not be read\n$", false},
    DamagedCase{"output_file_kept", {"compute", "samples.csv", "damaged.quillon", "empty.quillon", "-o", "samples.csv"}, "\nsamples.csv: not written, as damaged.quillon, empty.quillon could not be read\n$", false}),
    [](const auto& row) { return std::string(row.param.name); });

// The table's shape follows the FILEs given: a script reading two files'
// table still finds its file column when one could not be read.
TEST_F(Cli, OneReadableFileKeepsTheFileColumn)
{
    const Ran ran = run({"compute", "damaged.quillon", "samples.quillon"});
    EXPECT_EQ(ran.code, 3);
    EXPECT_TRUE(ran.out.starts_with("file,run,label,")) << ran.out;
    const series::ImportResult read = series::importCsv(ran.out);
    const auto* table = std::get_if<series::ImportedSeries>(&read);
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->series.runs.size(), sampleSeries().runs.size());
    for (std::size_t i = 0; i < sampleSeries().runs.size(); ++i)
        EXPECT_EQ(table->series.runs[i].label, sampleSeries().runs[i].label);
}

TEST_F(Cli, CheckNamesTheAlteredDigitAlone)
{
    const Ran ran = run({"check", "altered.quillon"});
    EXPECT_EQ(ran.code, 1);
    EXPECT_EQ(ran.out,
              "altered.quillon: run 2: ntu: stored " + altered + ", computed "
                  + series::exactText(*sampleResults()[1].ntu) + "\n");
}

struct SameBytesCase {
    const char* name;
    QStringList arguments;
    const char* source;  // the series the expected bytes are exported from
    const char* input = nullptr;
    const char* outputFile = nullptr;
    bool inGerman = false;
};

class SameBytes : public Cli, public testing::WithParamInterface<SameBytesCase> {};

TEST_P(SameBytes, AsTheWindowExportsThem)
{
    const SameBytesCase& row = GetParam();
    if (row.inGerman && german().isEmpty())
        GTEST_SKIP() << "de_DE.UTF-8 cannot be made here";
    const QByteArray input = row.input ? QByteArray::fromStdString(contents(row.input)) : QByteArray();
    const Ran ran = run(row.arguments, input, row.inGerman ? german() : QStringList());
    ASSERT_EQ(ran.code, 0) << ran.err;
    EXPECT_EQ(exportColumns(row.outputFile ? contents(row.outputFile) : ran.out), exported(row.source));
    if (row.outputFile)
        QFile::remove(folder->filePath(row.outputFile));
}

INSTANTIATE_TEST_SUITE_P(Cli, SameBytes, testing::Values(
    SameBytesCase{"series_file", {"compute", "samples.quillon"}, "samples.quillon"},
    SameBytesCase{"one_job", {"compute", "--jobs", "1", "samples.quillon"}, "samples.quillon"},
    SameBytesCase{"csv_file", {"compute", "samples.csv"}, "samples.csv"},
    SameBytesCase{"standard_input", {"compute", "-"}, "samples.quillon", "samples.quillon"},
    SameBytesCase{"csv_by_content", {"compute", "-"}, "samples.csv", "samples.csv"},
    SameBytesCase{"output_file", {"compute", "samples.quillon", "-o", "out.csv"}, "samples.quillon", nullptr, "out.csv"},
    SameBytesCase{"german", {"compute", "samples.quillon"}, "samples.quillon", nullptr, nullptr, true}),
    [](const auto& row) { return std::string(row.param.name); });

// Why a run has no u_mtc, in the last column and under the JSON's key: the
// series messages' words, nothing where the run has one.
struct ReasonCase {
    const char* name;
    const char* file;
    std::vector<std::string> reasons;  // by run
};

class UncertaintyReasons : public Cli, public testing::WithParamInterface<ReasonCase> {};

TEST_P(UncertaintyReasons, NameWhyAnUncertaintyIsMissing)
{
    const ReasonCase& row = GetParam();
    const Ran csv = run({"compute", row.file});
    ASSERT_EQ(csv.code, 0) << csv.err;
    std::vector<std::string> cells;
    for (const QString& line : QString::fromStdString(csv.out).split("\r\n", Qt::SkipEmptyParts))
        cells.push_back(line.section(',', -1).toStdString());
    ASSERT_FALSE(cells.empty());
    EXPECT_EQ(cells.front(), "u_mtc_reason");
    EXPECT_EQ(std::vector(cells.begin() + 1, cells.end()), row.reasons);
    // Read back, the column is a result's, skipped without a notice.
    const series::ImportResult back = series::importCsv(csv.out);
    const auto* table = std::get_if<series::ImportedSeries>(&back);
    ASSERT_NE(table, nullptr);
    EXPECT_TRUE(table->notices.empty());

    const Ran json = run({"compute", "--format", "json", row.file});
    const QJsonArray runs = QJsonDocument::fromJson(QByteArray::fromStdString(json.out))["files"][0]["runs"].toArray();
    std::vector<std::string> named;
    for (const QJsonValue run : runs)
        named.push_back(run["u_mtc_reason"].isNull() ? "" : run["u_mtc_reason"].toString().toStdString());
    EXPECT_EQ(named, row.reasons);
}

const std::string none = "no input has an uncertainty";

INSTANTIATE_TEST_SUITE_P(Cli, UncertaintyReasons, testing::Values(
    ReasonCase{"none_given", "lab.quillon", std::vector(10, none)},
    ReasonCase{"all_given", "lab_uncertain.quillon", std::vector(10, std::string())},
    ReasonCase{"third_set_to_zero", "lab_third_certain.quillon", {"", "", none, "", "", "", "", "", "", ""}}),
    [](const auto& row) { return std::string(row.param.name); });

// Several files as one table: read back, it holds every run of each, in order.
TEST_F(Cli, SeveralFilesMakeOneTable)
{
    const Ran ran = run({"compute", "samples.quillon", "samples.csv"});
    ASSERT_EQ(ran.code, 0) << ran.err;
    EXPECT_TRUE(ran.out.starts_with("file,run,label,")) << ran.out;
    const series::ImportResult read = series::importCsv(ran.out);
    const auto* table = std::get_if<series::ImportedSeries>(&read);
    ASSERT_NE(table, nullptr);
    series::Series both = seriesIn("samples.quillon");
    for (const series::Run& run : seriesIn("samples.csv").runs)
        both.runs.push_back(run);
    ASSERT_EQ(table->series.runs.size(), both.runs.size());
    for (std::size_t i = 0; i < both.runs.size(); ++i) {
        EXPECT_EQ(table->series.runs[i].label, both.runs[i].label);
        EXPECT_EQ(bits(table->series.runs[i].inputs.y1), bits(both.runs[i].inputs.y1));
        EXPECT_EQ(bits(table->series.runs[i].inputs.waterFlow), bits(both.runs[i].inputs.waterFlow));
    }
}

// Every number of the JSON, read back, is the library's to the bit; in
// German too where that locale can be made.
TEST_F(Cli, JsonHoldsTheLibrarysNumbers)
{
    const Ran json = run({"compute", "--format", "json", "samples.quillon"}, {}, german());
    ASSERT_EQ(json.code, 0) << json.err;
    QJsonParseError error;
    const QJsonObject root = QJsonDocument::fromJson(QByteArray::fromStdString(json.out), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    EXPECT_EQ(root["format"].toString(), "quillon-results");
    const QJsonArray files = root["files"].toArray();
    ASSERT_EQ(files.size(), 1);
    EXPECT_EQ(files[0]["file"].toString(), "samples.quillon");
    const series::Series sample = sampleSeries();
    const auto uncertainties = *series::uncertaintiesOf(sample, 2);
    const QJsonArray runs = files[0]["runs"].toArray();
    ASSERT_EQ(runs.size(), qsizetype(sample.runs.size()));
    const auto same = [](const QJsonValue& value, std::optional<double> expected) {
        return value.isNull() ? !expected : expected && bits(value.toDouble()) == bits(*expected);
    };
    for (std::size_t i = 0; i < sample.runs.size(); ++i) {
        const QJsonObject run = runs[qsizetype(i)].toObject();
        const series::RunResult& result = sampleResults()[i];
        const auto* drawn = std::get_if<series::MonteCarlo>(&uncertainties[i].monteCarlo);
        SCOPED_TRACE(i);
        EXPECT_EQ(run["label"].toString().toStdString(), sample.runs[i].label);
        EXPECT_TRUE(same(run["y1"], sample.runs[i].inputs.y1));
        EXPECT_TRUE(same(run["packing_height"], sample.runs[i].packingHeight));
        EXPECT_EQ(run["outcome"].toString().toStdString(), series::outcomeName(result.outcome));
        EXPECT_TRUE(same(run["y2"], result.balance.y2));
        EXPECT_TRUE(same(run["ntu"], result.ntu));
        EXPECT_TRUE(same(run["mtc"], result.mtc));
        EXPECT_TRUE(same(run["ntu_colburn"], result.ntuColburn));
        EXPECT_TRUE(same(run["u_mtc"], drawn ? std::optional(drawn->u) : std::nullopt));
        EXPECT_TRUE(same(run["mtc_95_high"], drawn ? std::optional(drawn->interval.high) : std::nullopt));
        QStringList codes;
        for (const QJsonValue& code : run["findings"].toArray())
            codes << code.toString();
        EXPECT_EQ(codes.join(';').toStdString(), series::findingCodes(series::findingsOf(sample.runs[i], result)));
    }
}

// The fit's JSON holds the library's numbers to the bit, and the report is
// made without a display.
TEST_F(Cli, FitAndReportAreTheLibrarys)
{
    const Ran json = run({"fit", "--format", "json", "lab.quillon"});
    ASSERT_EQ(json.code, 0) << json.err;
    const QJsonObject root = QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).object();
    const series::Series lab = labSeries();
    const series::Analysis analysis =
        series::analyse(lab, *series::computeRuns(lab.runs, 2), *series::uncertaintiesOf(lab, 2));
    const auto& law = std::get<series::PowerLaw>(analysis.fit);
    EXPECT_EQ(root["runs"].toInt(), 10);
    EXPECT_EQ(bits(root["prefactor"].toDouble()), bits(law.prefactor.value));
    EXPECT_EQ(bits(root["gas_exponent"].toDouble()), bits(law.gasExponent->value));
    EXPECT_EQ(bits(root["gas_exponent_se"].toDouble()), bits(law.gasExponent->standardError));
    EXPECT_EQ(bits(root["water_exponent_ci95"].toArray()[1].toDouble()), bits(law.waterExponent->high));
    EXPECT_EQ(bits(root["r_squared"].toDouble()), bits(law.rSquared));
    EXPECT_TRUE(root["dropped"].isNull());
    // The prefactor's standard error is a times that of ln a (first order).
    const Ran text = run({"fit", "lab.quillon"});
    // The standard error to two significant digits, a to its place.
    const present::ValueWithUncertainty shown =
        present::withUncertaintyText(law.prefactor.value, law.prefactor.value * law.lnPrefactor.standardError, {});
    EXPECT_NE(text.out.find("\na = " + shown.value + " ± " + shown.uncertainty + " (95 %: "), std::string::npos)
        << text.out;

    const Ran report =
        run({"report", "lab.quillon", "-o", "lab.pdf"}, {}, {"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM="});
    ASSERT_EQ(report.code, 0) << report.err;
    const std::string pdf = contents("lab.pdf");
    EXPECT_TRUE(pdf.starts_with("%PDF") && pdf.find("%%EOF") != std::string::npos);
    QFile::remove(folder->filePath("lab.pdf"));
}

// The runs' pages: on for a series of ten runs unless left out.
struct AppendixCase {
    const char* name;
    QStringList options;
    int pages;  // table, charts and method; a page per run
};

// The equilibrium option, HOG and the Colburn coefficient through the tool.
INSTANTIATE_TEST_SUITE_P(Temperature, ExitCodes, testing::Values(
    // Stored under the option, checked under it.
    ExitCase{"check_at_run_temperature", {"check", "lab_warm.quillon"}, 0, "^$"},
    ExitCase{"compute_json_beside", {"compute", "--format", "json", "lab_warm.quillon"}, 0,
             "\"findings\": \\[\\],\n *\"temperature\": 20(\\.0)?,\n *\"hog\": [0-9.]+,\n *\"mtc_colburn\": [0-9.]+,\n *\"hog_colburn\": [0-9.]+\n"},
    ExitCase{"fit_colburn_text", {"fit", "--coefficient", "colburn", "lab_uncertain.quillon"}, 0,
             "^MTC \\(Colburn\\) = a · G\\^m · L\\^n\n[\\s\\S]*Unweighted because the uncertainties are those of Quillon's coefficient."},
    // Without any uncertainty, that is the reason.
    ExitCase{"fit_colburn_text_no_uncertainty", {"fit", "--coefficient", "colburn", "lab.quillon"}, 0,
             "^MTC \\(Colburn\\) = a · G\\^m · L\\^n\n[\\s\\S]*Unweighted because no run has an uncertainty."},
    ExitCase{"fit_colburn_json", {"fit", "--format", "json", "--coefficient", "colburn", "lab_uncertain.quillon"}, 0,
             "\n  \"coefficient\": \"colburn\",\n  \"weighted\": false,\n"},
    ExitCase{"fit_quillon_json", {"fit", "--format", "json", "--coefficient", "quillon", "lab_uncertain.quillon"}, 0,
             "\n  \"coefficient\": \"quillon\",\n  \"weighted\": true,\n"},
    ExitCase{"fit_coefficient_unknown", {"fit", "--coefficient", "textbook", "lab.quillon"}, 2,
             "quillon or colburn, not 'textbook'"}),
    [](const auto& row) { return std::string(row.param.name); });

class ReportAppendix : public Cli, public testing::WithParamInterface<AppendixCase> {};

TEST_P(ReportAppendix, HoldsAPagePerRunWhenAsked)
{
    const Ran report = run(QStringList{"report", "lab.quillon", "-o", "pages.pdf"} + GetParam().options);
    ASSERT_EQ(report.code, 0) << report.err;
    const std::string pdf = contents("pages.pdf");
    int pages = 0;
    for (std::size_t at = pdf.find("/Type /Page"); at != std::string::npos; at = pdf.find("/Type /Page", at + 1))
        pages += pdf.compare(at, 12, "/Type /Pages") == 0 ? 0 : 1;
    EXPECT_EQ(pages, GetParam().pages);
    QFile::remove(folder->filePath("pages.pdf"));
}

INSTANTIATE_TEST_SUITE_P(Options, ReportAppendix,
                         testing::Values(AppendixCase{"byDefault", {}, 3 + 10},
                                         AppendixCase{"asked", {"--appendix"}, 3 + 10},
                                         AppendixCase{"leftOut", {"--no-appendix"}, 3}),
                         [](const testing::TestParamInfo<AppendixCase>& row) { return std::string(row.param.name); });

// A lab sheet of readings: compute shows the inputs they give, and those
// inputs typed give the same coefficients, to the bit.
TEST_F(Cli, ReadingsGiveTheCoefficientOfTheirInputsTyped)
{
    ASSERT_TRUE(QFile::copy(QUILLON_READINGS_SHEET, folder->filePath("laborblatt.csv")));
    const Ran sheet = run({"compute", "--format", "json", "laborblatt.csv"});
    ASSERT_EQ(sheet.code, 0) << sheet.err;
    const QJsonArray runs =
        QJsonDocument::fromJson(QByteArray::fromStdString(sheet.out)).object()["files"][0]["runs"].toArray();
    ASSERT_EQ(runs.size(), 2);
    EXPECT_NEAR(runs[0]["x1"].toDouble(), 0.0022403, 0.5e-7);

    std::string typed = "y1,x1,gas_flow,water_flow,packing_height\n";
    for (const QJsonValue& row : runs) {
        for (const char* key : {"y1", "x1", "gas_flow", "water_flow"})
            typed += series::exactText(row[key].toDouble()) + ',';
        typed += series::exactText(row["packing_height"].toDouble()) + '\n';
    }
    const Ran typedRuns = run({"compute", "--format", "json", "-"}, QByteArray::fromStdString(typed));
    ASSERT_EQ(typedRuns.code, 0) << typedRuns.err;
    const QJsonArray typedRows =
        QJsonDocument::fromJson(QByteArray::fromStdString(typedRuns.out)).object()["files"][0]["runs"].toArray();
    ASSERT_EQ(typedRows.size(), 2);
    for (qsizetype i = 0; i < 2; ++i) {
        ASSERT_TRUE(runs[i]["mtc"].isDouble());
        EXPECT_EQ(bits(runs[i]["mtc"].toDouble()), bits(typedRows[i]["mtc"].toDouble()));
    }
}

}  // namespace

// QProcess wants an application.
int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
