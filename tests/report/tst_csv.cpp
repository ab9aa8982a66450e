#include "core/absorber.h"
#include "report/csv.h"
#include "tests/report/cases.h"
#include "tests/report/corerun.h"
#include "tests/report/support.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <tuple>

using namespace Qt::StringLiterals;

namespace {

// The bits a CSV cell reads back to, the way a spreadsheet or a script would.
std::optional<std::uint64_t> cellBits(const QString& cell)
{
    const QByteArray text = cell.toLatin1();
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.constData(), text.constData() + text.size(), value);
    if (error != std::errc() || end != text.constData() + text.size())
        return std::nullopt;
    return std::bit_cast<std::uint64_t>(value);
}

std::uint64_t bits(double value)
{
    return std::bit_cast<std::uint64_t>(value);
}

const QStringList columnNames{
    "run", "y1", "x1", "gas_flow", "water_flow", "eq_x", "eq_y", "y2", "ntu", "packing_height", "mtc",
};

struct QuotingCase {
    const char* name;
    const char* utf8;
    bool quoted;
};

void PrintTo(const QuotingCase& item, std::ostream* out)
{
    *out << item.name;
}

class CsvQuoting : public testing::TestWithParam<QuotingCase> {};

TEST_P(CsvQuoting, ReadsBackTheSameText)
{
    const QString text = QString::fromUtf8(GetParam().utf8);
    const QString field = report::csvField(text);
    EXPECT_EQ(field.startsWith(u'"'), GetParam().quoted) << field.toStdString();

    const std::optional<QList<QStringList>> records = readCsv(field + u",next\r\n"_s);
    ASSERT_TRUE(records.has_value()) << field.toStdString();
    ASSERT_EQ(records->size(), 1);
    EXPECT_EQ(records->first(), QStringList({text, u"next"_s}));
}

INSTANTIATE_TEST_SUITE_P(
    Text, CsvQuoting,
    testing::Values(QuotingCase{"plain", "packing_height", false}, QuotingCase{"empty", "", false},
                    QuotingCase{"spaces", "  gas flow ", false}, QuotingCase{"tab", "a\tb", false},
                    QuotingCase{"comma", "1,5", true}, QuotingCase{"quote", "the \"top\" end", true},
                    QuotingCase{"only_quotes", "\"\"", true}, QuotingCase{"cr", "a\rb", true},
                    QuotingCase{"lf", "a\nb", true}, QuotingCase{"crlf", "line\r\nnext", true},
                    QuotingCase{"non_ascii", "Ammoniak über Wasser, 30 °C, y* = p / 760", true},
                    QuotingCase{"non_ascii_plain", "NH₃ – Wasser", false},
                    QuotingCase{"everything", ",\"\r\n\"ä,", true}),
    [](const testing::TestParamInfo<QuotingCase>& row) { return std::string(row.param.name); });

class RunsCsv : public testing::TestWithParam<std::tuple<RunCase, const char*>> {};

TEST_P(RunsCsv, EveryValueReadsBackToTheCoresBits)
{
    const auto& [in, localeName] = GetParam();
    const DefaultLocale locale(QString::fromLatin1(localeName));
    const std::optional<report::Run> run = runFromCore(7, in.y1, in.x1, in.gasFlow, in.waterFlow, in.packingHeight);
    ASSERT_TRUE(run.has_value());

    // The inputs and the core's own results, not the run's copies of them.
    const absorber::Balance balance = absorber::closeBalance({in.y1, in.x1, in.gasFlow, in.waterFlow});
    ASSERT_TRUE(balance.point && balance.y2);
    const double ntu = absorber::integrateNtu(balance.limits).ntu;
    std::optional<double> mtc;
    if (in.packingHeight)
        mtc = absorber::findMtc(*in.packingHeight, ntu, in.gasFlow).mtc;
    const absorber::EquilibriumPoint point = *balance.point;
    const std::optional<double> expected[] = {7.0,     in.y1,       in.x1, in.gasFlow,       in.waterFlow, point.x,
                                              point.y, *balance.y2, ntu,   in.packingHeight, mtc};

    const QByteArray csv = report::runsCsv({*run});
    const std::optional<QList<QStringList>> records = readCsv(QString::fromUtf8(csv));
    ASSERT_TRUE(records.has_value()) << csv.toStdString();
    ASSERT_EQ(records->size(), 2);
    EXPECT_EQ(records->at(0), columnNames);
    const QStringList& row = records->at(1);
    ASSERT_EQ(row.size(), columnNames.size());
    for (qsizetype column = 0; column < row.size(); ++column) {
        const std::string name = columnNames.at(column).toStdString();
        if (expected[column]) {
            EXPECT_EQ(cellBits(row.at(column)), bits(*expected[column])) << name;
        } else {
            EXPECT_EQ(row.at(column), QString()) << name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Runs, RunsCsv, testing::Combine(testing::ValuesIn(allCases()), testing::Values("en", "de")),
                         [](const testing::TestParamInfo<RunsCsv::ParamType>& row) { return std::get<0>(row.param).name + "_" + std::get<1>(row.param);
                         });

// The working values the report prints follow from the run's other values
// as their labels say: "Slope y*/x", "Upper limit, 29/17 · y1" and so on.
class RunFields : public testing::TestWithParam<RunCase> {};

TEST_P(RunFields, FollowFromEachOtherAsTheReportSays)
{
    const RunCase& input = GetParam();
    const std::optional<report::Run> run = runFromCore(1, input.y1, input.x1, input.gasFlow, input.waterFlow);
    ASSERT_TRUE(run.has_value());
    const double massRatio = 29.0 / 17.0;
    EXPECT_EQ(run->slope, run->eqY / run->eqX);
    EXPECT_EQ(run->flowFactor, 1.0 - run->slope * (run->gasFlow / run->waterFlow));
    EXPECT_EQ(run->y2, run->outletRatio / (run->outletRatio + 1.0));
    EXPECT_EQ(run->upperLimit, massRatio * run->y1);
    EXPECT_EQ(run->lowerLimit, massRatio * run->y2);
    EXPECT_EQ(run->stepCount, absorber::ntuSteps);
    EXPECT_EQ(run->stepWidth, (run->upperLimit - run->lowerLimit) / run->stepCount);
}

INSTANTIATE_TEST_SUITE_P(Runs, RunFields, testing::ValuesIn(allCases()),
                         [](const testing::TestParamInfo<RunCase>& row) { return row.param.name; });

TEST(RunsCsvFile, HeaderOnlyWithoutRuns)
{
    EXPECT_EQ(readCsv(QString::fromUtf8(report::runsCsv({}))), QList<QStringList>{columnNames});
}

TEST(RunsCsvFile, OneRowPerRunInOrderWithCrlfLineEnds)
{
    QList<report::Run> runs;
    for (const RunCase& input : bandCases()) {
        const std::optional<report::Run> run =
            runFromCore(int(runs.size()) + 1, input.y1, input.x1, input.gasFlow, input.waterFlow);
        ASSERT_TRUE(run.has_value()) << input.name;
        runs.append(*run);
    }
    const QByteArray csv = report::runsCsv(runs);
    EXPECT_EQ(csv.count('\n'), csv.count("\r\n"));
    EXPECT_TRUE(csv.endsWith("\r\n"));

    const std::optional<QList<QStringList>> records = readCsv(QString::fromUtf8(csv));
    ASSERT_TRUE(records.has_value());
    ASSERT_EQ(records->size(), runs.size() + 1);
    for (qsizetype i = 0; i < runs.size(); ++i) {
        EXPECT_EQ(records->at(i + 1).at(0), QString::number(i + 1));
        EXPECT_EQ(cellBits(records->at(i + 1).at(8)), bits(runs.at(i).ntu));
    }
}

struct ExactCase {
    const char* name;
    double value;
};

void PrintTo(const ExactCase& item, std::ostream* out)
{
    *out << item.name;
}

class ExactText : public testing::TestWithParam<ExactCase> {};

TEST_P(ExactText, ReadsBackToTheSameBitsWithAPoint)
{
    const DefaultLocale locale(u"de_DE"_s);
    const QByteArray text = report::exactText(GetParam().value);
    EXPECT_FALSE(text.contains(','));
    EXPECT_EQ(cellBits(QString::fromLatin1(text)), bits(GetParam().value)) << text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Values, ExactText,
    testing::Values(ExactCase{"tenth", 0.1}, ExactCase{"one", 1.0}, ExactCase{"negative", -0.22115384615384626},
                    ExactCase{"negative_zero", -0.0}, ExactCase{"tiny", 1.6714235990254088e-08},
                    ExactCase{"subnormal", std::numeric_limits<double>::denorm_min()},
                    ExactCase{"largest", std::numeric_limits<double>::max()},
                    ExactCase{"million", 1e6}, ExactCase{"third", 1.0 / 3.0}),
    [](const testing::TestParamInfo<ExactCase>& row) { return std::string(row.param.name); });

}  // namespace
