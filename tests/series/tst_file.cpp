#include "series/file.h"
#include "tests/series/samples.h"

#include <fmt/format.h>
#include <gtest/gtest.h>

#include <charconv>
#include <string>

namespace {

using absorber::Outcome;

// The shortest round-trip text by the standard library, beside {fmt}'s.
std::string shortestText(double value)
{
    char text[32];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

const series::OpenedSeries* opened(const series::ReadSeries& read)
{
    const auto* error = std::get_if<series::ReadError>(&read);
    EXPECT_EQ(error, nullptr) << (error ? present::describe(*error, "read") : "");
    return std::get_if<series::OpenedSeries>(&read);
}

class SeriesFile : public testing::Test {
protected:
    const series::Series sample = sampleSeries();
    const std::string written = series::writeSeriesFile(sample, sampleResults());
};

TEST_F(SeriesFile, ReadsBackWhatItWrote)
{
    const series::ReadSeries read = series::readSeriesFile(written);
    const series::OpenedSeries* file = opened(read);
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(identicalSeries(sample, file->series));
    ASSERT_EQ(file->stored.size(), sample.runs.size());
    for (std::size_t i = 0; i < sample.runs.size(); ++i)
        EXPECT_TRUE(storedAsComputed(file->stored[i], sampleResults()[i])) << "run " << i;
    EXPECT_TRUE(file->notices.empty());
    // Runs that did not complete keep their row and their outcome.
    EXPECT_EQ(file->stored[2].outcome, Outcome::invalidData);
    EXPECT_FALSE(file->stored[2].ntu.has_value());
    EXPECT_EQ(file->stored[3].outcome, Outcome::invalidData);
    EXPECT_FALSE(file->stored[3].eqX.has_value());
}

TEST_F(SeriesFile, IsIndentedJsonInTheDocumentedKeyOrder)
{
    EXPECT_TRUE(written.starts_with("{\n  \"format\": \"quillon-series\",\n  \"version\": 1,\n  \"title\": "));
    EXPECT_TRUE(written.ends_with("}\n"));
    std::size_t at = 0;
    for (const char* key :
         {"\"people\"",         "\"date\"",     "\"flow_unit\"",   "\"notes\"",   "\"uncertainty\"", "\"gas_flow_rel\"",
          "\"runs\"",           "\"label\"",    "\"y1\"",          "\"x1\"",      "\"gas_flow\"",    "\"water_flow\"",
          "\"packing_height\"", "\"excluded\"", "\"uncertainty\"", "\"results\"", "\"outcome\"",     "\"eq_x\"",
          "\"eq_y\"",           "\"y2\"",       "\"ntu\"",         "\"mtc\""}) {
        const std::size_t next = written.find(key, at);
        EXPECT_NE(next, std::string::npos) << key << " after offset " << at;
        at = next;
    }
    // Only the keys given are written: Example A's overrides, nothing for
    // a run without any.
    EXPECT_NE(written.find("\"uncertainty\": {\n        \"x1\": 0.0,\n        \"packing_height\": 0.005\n      },"),
              std::string::npos);
    EXPECT_NE(written.find("\"included\": true"), std::string::npos);
    EXPECT_EQ(written.find("\"included\": true"), written.rfind("\"included\": true"));
    // Example A's outlet fraction and coefficient in full.
    EXPECT_NE(written.find("\"y2\": 0.010201999591920018,"), std::string::npos);
    EXPECT_NE(written.find("\"mtc\": 40.455628854993435,\n"), std::string::npos);
}

TEST_F(SeriesFile, AcceptsAByteOrderMark)
{
    const series::ReadSeries read = series::readSeriesFile("\xEF\xBB\xBF" + written);
    const series::OpenedSeries* file = opened(read);
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(identicalSeries(sample, file->series));
}

TEST_F(SeriesFile, RefusesEveryTruncation)
{
    // Without its closing brace and newline no prefix is a whole document.
    for (std::size_t length = 0; length + 2 < written.size(); length += 37) {
        const series::ReadSeries read = series::readSeriesFile(std::string_view(written).substr(0, length));
        const auto* error = std::get_if<series::ReadError>(&read);
        ASSERT_NE(error, nullptr) << "length " << length;
        EXPECT_GE(error->line, 1) << "length " << length;
        EXPECT_GE(error->column, 1) << "length " << length;
    }
}

// Each error names the place: line and column of the value in question, or
// of the object that lacks a member.
struct ErrorCase {
    const char* name;
    const char* text;
    int line, column;
    const char* pointer;
    const char* message;
};

class SeriesFileErrors : public testing::TestWithParam<ErrorCase> {};

TEST_P(SeriesFileErrors, NameTheirPlace)
{
    const ErrorCase& c = GetParam();
    const series::ReadSeries read = series::readSeriesFile(c.text);
    const auto* error = std::get_if<series::ReadError>(&read);
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->line, c.line);
    EXPECT_EQ(error->column, c.column);
    EXPECT_EQ(error->pointer, c.pointer);
    EXPECT_NE(words(error->message).find(c.message), std::string::npos) << words(error->message);
}

#define HEAD "{\n  \"format\": \"quillon-series\",\n  \"version\": 1,\n"

// Columns count characters: "Füllkörper" is 10 of them in 12 bytes.
INSTANTIATE_TEST_SUITE_P(File, SeriesFileErrors, testing::Values(
    ErrorCase{"stray_character", HEAD "  \"runs\": [] @\n}", 4, 14, "", "invalid literal"},
    ErrorCase{"columns_in_characters", "{\"title\": \"Füllkörper\", @}", 1, 25, "", "invalid literal"},
    ErrorCase{"end_of_text", "{\"format\": \"quillon-series\"", 1, 28, "", "unexpected end of input"},
    ErrorCase{"number_too_large", HEAD "  \"runs\": [{\"y1\": 1e400}]}", 4, 19, "", "expected a finite number"},
    ErrorCase{"not_a_series", "{\"format\": \"quillon-session\", \"version\": 1}", 1, 12, "/format", "expected \"quillon-series\" for \"format\""},
    ErrorCase{"newer_version", "{\n  \"format\": \"quillon-series\",\n  \"version\": 2,\n  \"runs\": []\n}", 3, 14, "/version",
              "written by a newer Quillon (format version 2); this one reads version 1"},
    ErrorCase{"version_as_text", HEAD "  \"version\": \"1\"}", 4, 14, "/version", "expected an integer for \"version\", found a string"},
    ErrorCase{"no_runs", HEAD "  \"title\": \"t\"\n}", 1, 1, "/runs", "expected an array for \"runs\", but the file has no \"runs\""},
    ErrorCase{"y1_as_text", HEAD "  \"runs\": [\n    {\"y1\": \"0.02\", \"x1\": 0.01, \"gas_flow\": 1, \"water_flow\": 1}\n  ]\n}", 5, 12, "/runs/0/y1",
              "expected a number for \"y1\", found a string"},
    ErrorCase{"x1_missing", HEAD "  \"runs\": [\n    {\"y1\": 0.02, \"gas_flow\": 1, \"water_flow\": 1}\n  ]\n}", 5, 5, "/runs/0/x1",
              "expected a number for \"x1\", but the run has no \"x1\""},
    ErrorCase{"run_not_an_object", HEAD "  \"runs\": [[]]}", 4, 12, "/runs/0", "expected an object for a run, found an array"},
    ErrorCase{"unknown_outcome", HEAD "  \"runs\": [{\"y1\": 1, \"x1\": 1, \"gas_flow\": 1, \"water_flow\": 1,\n    \"results\": {\"outcome\": \"done\"}}]}",
              5, 28, "/runs/0/results/outcome", "expected completed, invalid_data"},
    ErrorCase{"excluded_as_number", HEAD "  \"runs\": [{\"y1\": 1, \"x1\": 1, \"gas_flow\": 1, \"water_flow\": 1, \"excluded\": 0}]}",
              4, 75, "/runs/0/excluded", "expected true or false for \"excluded\", found a number"},
    ErrorCase{"negative_uncertainty", HEAD "  \"uncertainty\": {\"y1\": -0.1}, \"runs\": []}", 4, 25, "/uncertainty/y1",
              "expected an uncertainty of 0 or more for \"y1\", found -0.1"},
    ErrorCase{"unknown_uncertainty", HEAD "  \"runs\": [{\"y1\": 1, \"x1\": 1, \"gas_flow\": 1, \"water_flow\": 1,\n    \"uncertainty\": {\"y2\": 0.1}}]}",
              5, 27, "/runs/0/uncertainty/y2", "expected gas_flow_rel, water_flow_rel, y1, x1 or packing_height in \"uncertainty\", found \"y2\""},
    ErrorCase{"uncertainty_as_number", HEAD "  \"uncertainty\": 0.02, \"runs\": []}", 4, 18, "/uncertainty",
              "expected an object for \"uncertainty\", found a number"}),
    [](const auto& row) { return std::string(row.param.name); });

// Past each limit a file is refused where it passes it, before anything
// recurses over it; at the limit it is read. The texts are built, most being
// too large to write out; the extras go on line 4, after HEAD.
struct LimitCase {
    const char* name;
    std::string (*text)();
    int line, column;  // where it is refused; 0 when read
    const char* message;
};

std::string nested(std::size_t depth)
{
    return std::string(depth, '[') + std::string(depth, ']');
}

const std::string oneRun = R"({"y1": 0.02, "x1": 0.01, "gas_flow": 1, "water_flow": 1)";

// HEAD, then `top` on line 4, then the runs with `inRun` in the first.
std::string withExtras(const std::string& top, const std::string& inRun)
{
    return HEAD + top + "\n  \"runs\": [" + oneRun + inRun + "}]}\n";
}

std::string runLines(std::size_t runs)
{
    std::string text = HEAD "  \"runs\": [\n";
    for (std::size_t i = 0; i < runs; ++i)
        text += "    " + oneRun + (i + 1 < runs ? "},\n" : "}\n");
    return text + "  ]\n}\n";
}

// An unknown object on line 4 with each member on a line of its own.
std::string members(std::size_t count)
{
    std::string text = "  \"extra\": {";
    for (std::size_t i = 0; i < count; ++i)
        text += fmt::format("\n    \"k{}\": 0{}", i, i + 1 < count ? "," : "");
    return withExtras(text + "},", "");
}

class SeriesFileLimits : public testing::TestWithParam<LimitCase> {};

TEST_P(SeriesFileLimits, AreNamedWhereTheyArePassed)
{
    const LimitCase& c = GetParam();
    const series::ReadSeries read = series::readSeriesFile(c.text());
    if (c.line == 0) {
        EXPECT_NE(opened(read), nullptr);
        return;
    }
    const auto* error = std::get_if<series::ReadError>(&read);
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->line, c.line);
    EXPECT_EQ(error->column, c.column);
    EXPECT_NE(words(error->message).find(c.message), std::string::npos) << words(error->message);
}

// Line 4 starts `  "extra": ` (11 characters); the root object is the first
// level, so the 64th '[' after it, at column 11 + 64, is the 65th. A run is
// the third level, after `  "runs": [` and 55 characters of inputs; the
// file without padding is 127 bytes on 7 lines.
INSTANTIATE_TEST_SUITE_P(File, SeriesFileLimits, testing::Values(
    LimitCase{"nesting_at_limit", [] { return withExtras("  \"extra\": " + nested(63) + ",", ""); }, 0, 0, ""},
    LimitCase{"nesting_past_limit", [] { return withExtras("  \"extra\": " + nested(64) + ",", ""); }, 4, 75,
              "nested more than 64 deep"},
    LimitCase{"deep_under_unknown_key", [] { return withExtras("  \"extra\": " + nested(70000) + ",", ""); }, 4, 75,
              "nested more than 64 deep"},
    LimitCase{"deep_in_run", [] { return withExtras("", ", \"extra\": " + nested(70000)); }, 5, 11 + 55 + 11 + 62,
              "nested more than 64 deep"},
    LimitCase{"deep_in_uncertainty", [] { return withExtras("  \"uncertainty\": {\"y1\": " + nested(70000) + "},", ""); },
              4, 24 + 63, "nested more than 64 deep"},
    LimitCase{"deep_format", [] { return HEAD "  \"format\": " + nested(70000) + "}"; }, 4, 12 + 64,
              "nested more than 64 deep"},
    LimitCase{"string_at_limit", [] { return withExtras("  \"title\": \"" + std::string(series::maxTextBytes, 'a') + "\",", ""); },
              0, 0, ""},
    LimitCase{"string_past_limit", [] { return withExtras("  \"title\": \"" + std::string(series::maxTextBytes + 1, 'a') + "\",", ""); },
              4, 12, "a string of more than 1048576 bytes"},
    LimitCase{"key_past_limit", [] { return withExtras("  \"" + std::string(series::maxTextBytes + 1, 'k') + "\": 1,", ""); },
              4, 3, "a string of more than 1048576 bytes"},
    LimitCase{"members_at_limit", [] { return members(series::maxMembers); }, 0, 0, ""},
    LimitCase{"members_past_limit", [] { return members(series::maxMembers + 1); }, 5 + 256, 5,
              "more than 256 members in an object"},
    LimitCase{"runs_at_limit", [] { return runLines(series::maxRuns); }, 0, 0, ""},
    LimitCase{"runs_past_limit", [] { return runLines(series::maxRuns + 1); }, 5 + 100000, 5, "more than 100000 runs"},
    LimitCase{"size_at_limit", [] { std::string text = runLines(1); return text + std::string(series::maxFileBytes - text.size(), ' '); },
              0, 0, ""},
    LimitCase{"size_past_limit", [] { std::string text = runLines(1); return text + std::string(series::maxFileBytes + 1 - text.size(), ' '); },
              8, 1 + 64 * 1024 * 1024 - 127, "the file goes on past 67108864 bytes"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(DescribeError, GivesFileLineColumnAndPointerAsFarAsKnown)
{
    using series::MessageKind;
    const series::Message wrongKind{MessageKind::wrongKind, {"y1", "number", "string"}};
    EXPECT_EQ(present::describe(series::ReadError{12, 7, "/runs/3/y1", wrongKind}, "runs.quillon"),
              "runs.quillon:12:7: run 4: y1: expected a number for \"y1\", found a string");
    // A run is named as the window numbers it, not by the 0-based pointer.
    EXPECT_EQ(present::describe(series::ReadError{83, 19, "/runs/1/readings", {MessageKind::outsideCalibration}},
                                "g2.quillon"),
              "g2.quillon:83:19: run 2: readings: the reading lies outside its meter's calibration table");
    EXPECT_EQ(
        present::describe(series::ReadError{4, 3, "/runs/0", {MessageKind::wrongKind, {"run", "object", "array"}}},
                          "runs.quillon"),
        "runs.quillon:4:3: run 1: expected an object for \"run\", found an array");
    EXPECT_EQ(present::describe(series::ReadError{2, 5, "/runsx/1", wrongKind}, "runs.quillon"),
              "runs.quillon:2:5: /runsx/1: expected a number for \"y1\", found a string");
    EXPECT_EQ(present::describe(series::ReadError{0, 0, "", {MessageKind::noRunNoRows}}, "runs.csv"),
              "runs.csv: no run in the file: it has a header but no rows");
    EXPECT_EQ(present::describe(series::Notice{3, {MessageKind::skippedMissingValue, {"y1"}}}, "runs.csv"),
              "runs.csv:3: skipped: no y1");
}

TEST(UnknownKeys, AreKeptInOrderWrittenBackAndNoted)
{
    const char* text = HEAD
        "  \"runs\": [\n"
        "    {\"y1\": 0.02, \"x1\": 0.01, \"gas_flow\": 1, \"water_flow\": 1, \"operator\": \"Kim\",\n"
        "     \"results\": {\"outcome\": \"completed\", \"tolerance\": 0.1}},\n"
        "    {\"y1\": 0.02, \"x1\": 0.01, \"gas_flow\": 1, \"water_flow\": 1, \"operator\": null}\n"
        "  ],\n"
        "  \"instrument\": {\"z\": 1, \"a\": [1, 2.5, {\"b/c\": true}]}\n"
        "}\n";
    const series::ReadSeries read = series::readSeriesFile(text);
    const series::OpenedSeries* file = opened(read);
    ASSERT_NE(file, nullptr);
    const series::UnknownKeys instrument{{"instrument", R"({"z":1,"a":[1,2.5,{"b/c":true}]})"}};
    EXPECT_EQ(file->series.unknownKeys, instrument);
    EXPECT_EQ(file->series.runs[0].unknownKeys, (series::UnknownKeys{{"operator", "\"Kim\""}}));
    EXPECT_EQ(file->series.runs[1].unknownKeys, (series::UnknownKeys{{"operator", "null"}}));

    ASSERT_EQ(file->notices.size(), 3u);
    EXPECT_EQ(file->notices[0].line, 5);
    EXPECT_EQ(words(file->notices[0].message), "unknown key \"operator\" in 2 runs, kept as it is");
    EXPECT_EQ(file->notices[1].line, 6);
    EXPECT_EQ(words(file->notices[1].message),
              "unknown key \"tolerance\" in the results of 1 run, ignored: results are recomputed");
    EXPECT_EQ(file->notices[2].line, 9);

    const std::string rewritten = series::writeSeriesFile(file->series, {});
    EXPECT_NE(rewritten.find("\"instrument\": {\n    \"z\": 1,\n    \"a\": ["), std::string::npos) << rewritten;
    const series::ReadSeries again = series::readSeriesFile(rewritten);
    ASSERT_NE(opened(again), nullptr);
    EXPECT_TRUE(identicalSeries(file->series, opened(again)->series));
}

class EdgeNumbers : public testing::TestWithParam<EdgeNumber> {};

TEST_P(EdgeNumbers, ReadBackFromTheFileBitForBit)
{
    const series::Series edge = edgeSeries(GetParam().value);
    const series::ReadSeries read = series::readSeriesFile(series::writeSeriesFile(edge, {}));
    ASSERT_NE(opened(read), nullptr);
    EXPECT_TRUE(identicalSeries(edge, opened(read)->series));
}

INSTANTIATE_TEST_SUITE_P(Doubles, EdgeNumbers, testing::ValuesIn(edgeNumbers), edgeName);

TEST_F(SeriesFile, ComparingFindsOneAlteredDigitOfNtu)
{
    // Example A's ntu with one digit in the middle changed: one difference, in ntu.
    std::string text = written;
    const std::size_t at = text.find("\"ntu\": ") + 7;
    text[at + 9] = text[at + 9] == '1' ? '2' : '1';
    const std::string altered = text.substr(at, text.find_first_of(",\n", at) - at);
    double alteredValue = 0.0;
    std::from_chars(altered.data(), altered.data() + altered.size(), alteredValue);

    const series::ReadSeries read = series::readSeriesFile(text);
    ASSERT_NE(opened(read), nullptr);
    const auto differences = series::compareResults(opened(read)->stored, sampleResults());
    ASSERT_EQ(differences.size(), 1u);
    EXPECT_EQ(differences[0].run, 0u);
    EXPECT_EQ(differences[0].field, "ntu");
    EXPECT_EQ(differences[0].stored, shortestText(alteredValue));
    EXPECT_EQ(differences[0].computed, shortestText(*sampleResults()[0].ntu));
}

TEST(CompareResults, AValueOnOneSideOnlyDiffersButNoStoredResultsDoNot)
{
    const series::RunResult& exampleA = sampleResults()[0];
    series::StoredResults stored{Outcome::completed, 0.0208, 0.0254, *exampleA.balance.y2, *exampleA.ntu, std::nullopt};
    const series::StoredResults nothing{};
    const std::vector<series::StoredResults> storedRuns{stored, nothing};
    const std::vector<series::RunResult> computed{exampleA, exampleA};
    const auto differences = series::compareResults(storedRuns, computed);
    ASSERT_EQ(differences.size(), 1u);
    EXPECT_EQ(differences[0].field, "mtc");
    EXPECT_EQ(differences[0].stored, "");
    EXPECT_EQ(differences[0].computed, "40.455628854993435");
}

}  // namespace
