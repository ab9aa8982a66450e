#include "germancatalogue.h"
#include "present/seriesmessages.h"
#include "series/csv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <variant>
#include <vector>

namespace {

using series::Message;
using series::MessageKind;

// A message of a kind with values in every slot any kind reads.
Message sample(MessageKind kind)
{
    return {kind, {"y1", "string", "number"}, {2, 3, 4}, {Message{MessageKind::skippedBlankLine}}};
}

class SeriesMessageWords : public testing::TestWithParam<std::size_t> {};

TEST_P(SeriesMessageWords, HaveEnglishWordsAndTheirGerman)
{
    static const auto catalogue = germanCatalogue();
    ASSERT_GT(catalogue.size(), 100U) << "no catalogue read from " << QUILLON_GERMAN_TS;
    std::set<std::string> looked;
    std::set<std::string> missing;
    const present::Language german([&](std::string_view context, std::string_view source) {
        const std::string key = std::string(context) + '\x04' + std::string(source);
        looked.insert(key);
        const auto found = catalogue.find(key);
        if (found == catalogue.end())
            missing.insert(std::string(source));
        return found == catalogue.end() ? std::string() : found->second;
    });
    const Message message = sample(static_cast<MessageKind>(GetParam()));
    const std::string english = present::seriesMessage(message);
    const std::string germanText = present::seriesMessage(message, german);
    EXPECT_FALSE(english.empty());
    EXPECT_EQ(std::adjacent_find(english.begin(), english.end(),
                                 [](char a, char b) { return a == '%' && b >= '0' && b <= '9'; }),
              english.end())
        << english;
    EXPECT_FALSE(looked.empty()) << english;
    EXPECT_TRUE(missing.empty()) << "no German for: " << *missing.begin();
    EXPECT_NE(germanText, english);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, SeriesMessageWords, testing::Range(std::size_t{0}, series::messageKindCount),
                         [](const auto& row) {
                             // Named by the kind's number and its first English words.
                             std::string name = std::to_string(row.param) + "_";
                             for (const char c : present::seriesMessage(sample(MessageKind(row.param))).substr(0, 32))
                                 name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

// Counts are numbers the locale writes; what the file holds stays as it is.
struct Digits {
    const char* name;
    Message message;
    const char* written;
};

class SeriesMessageNumbers : public testing::TestWithParam<Digits> {};

TEST_P(SeriesMessageNumbers, CountsInTheLocalesDigitsCellsAsTyped)
{
    present::NumberLocale arabic;
    arabic.zeroDigit = "\xD9\xA0";  // U+0660
    EXPECT_EQ(present::seriesMessage(GetParam().message, {}, arabic), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(
    Values, SeriesMessageNumbers,
    testing::Values(Digits{"draws", {MessageKind::tooManyFailedDraws, {}, {136, 10000}},
                           "the model has no value for \xD9\xA1\xD9\xA3\xD9\xA6 of "
                           "\xD9\xA1\xD9\xA0\xD9\xA0\xD9\xA0\xD9\xA0 draws, more than 1 %"},
                    Digits{"typed_cell", {MessageKind::skippedNotANumber, {"y1", "12"}}, "skipped: y1 \"12\" is not a number"},
                    Digits{"quoted_refusal",
                           {MessageKind::numberRefused, {"x1", "1,500"}, {}, {{MessageKind::numberAmbiguous, {"1500", "1.5"}}}},
                           "x1 \"1,500\" could mean 1500 or 1.5, and no other number in this file shows its decimal "
                           "separator; write the one you mean"}),
    [](const auto& row) { return std::string(row.param.name); });

// A message that names one of Quillon's columns by its key: English keeps
// the key, German the header name the CSV reader accepts.
struct ColumnNaming {
    const char* name;
    Message message;
    const char* english;
    const char* german;
};

class SeriesMessageColumns : public testing::TestWithParam<ColumnNaming> {};

TEST_P(SeriesMessageColumns, NameColumnsAsTheLanguageDoes)
{
    const auto german = present::Language::fromCatalogue(germanCatalogue());
    EXPECT_EQ(present::seriesMessage(GetParam().message), GetParam().english);
    EXPECT_EQ(present::seriesMessage(GetParam().message, german), GetParam().german);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, SeriesMessageColumns,
    testing::Values(
        ColumnNaming{"two_missing",
                     {MessageKind::missingColumns, {"gas_flow", "water_flow"}},
                     "the header has no gas_flow, water_flow columns; expected columns y1, x1, gas_flow and water_flow",
                     "der Kopfzeile fehlen die Spalten Gasstrom, Wasserstrom; "
                     "erwartet werden die Spalten y1, x1, Gasstrom und Wasserstrom"},
        ColumnNaming{"one_missing",
                     {MessageKind::missingColumns, {"y1"}},
                     "the header has no y1 column; expected columns y1, x1, gas_flow and water_flow",
                     "der Kopfzeile fehlt die Spalte y1; erwartet werden die Spalten y1, x1, Gasstrom und Wasserstrom"},
        ColumnNaming{"empty_file",
                     {MessageKind::emptyFile},
                     "the file is empty; expected a header naming y1, x1, gas_flow and water_flow",
                     "die Datei ist leer; erwartet wird eine Kopfzeile mit y1, x1, Gasstrom und Wasserstrom"},
        ColumnNaming{"number_refused",
                     {MessageKind::numberRefused, {"gas_flow", "1.500"}, {}, {{MessageKind::numberGroupedByPoint, {"1500"}}}},
                     "gas_flow \"1.500\" has a point as a group separator; write it without one, as 1500",
                     "Gasstrom \u201e1.500\u201c hat einen Punkt als Tausendertrennzeichen; schreiben Sie sie ohne, als 1500"},
        ColumnNaming{"missing_value", {MessageKind::skippedMissingValue, {"water_flow"}}, "skipped: no water_flow",
                     "übersprungen: Wasserstrom fehlt"},
        ColumnNaming{"not_a_number", {MessageKind::skippedNotANumber, {"packing_height", "2 m"}},
                     "skipped: packing_height \"2 m\" is not a number",
                     "übersprungen: Packungshöhe \u201e2 m\u201c ist keine Zahl"},
        ColumnNaming{"repeated_as_written",
                     {MessageKind::columnRepeated, {"Name", "label"}},
                     "column \"Name\" ignored: it repeats label",
                     "Spalte \u201eName\u201c übergangen: Sie wiederholt Bezeichnung"},
        ColumnNaming{"file_header_stays", {MessageKind::skippedNotANumber, {"gas_flow_rel", "x"}},
                     "skipped: gas_flow_rel \"x\" is not a number", "übersprungen: gas_flow_rel \u201ex\u201c ist keine Zahl"}),
    [](const auto& row) { return std::string(row.param.name); });

// The names the German message lists, written as a header, are read.
TEST(SeriesMessageColumns, GermanNamesReadBack)
{
    const auto german = present::Language::fromCatalogue(germanCatalogue());
    const std::string words = present::seriesMessage(
        {MessageKind::missingColumns, {"y1", "x1", "gas_flow", "water_flow", "packing_height", "label"}}, german);
    const std::string start = "die Spalten ";
    const std::size_t from = words.find(start) + start.size();
    std::string header = words.substr(from, words.find(';') - from);
    for (std::size_t at; (at = header.find(", ")) != std::string::npos;)
        header.replace(at, 2, ";");
    ASSERT_EQ(std::count(header.begin(), header.end(), ';'), 5) << words;
    const auto read = series::importCsv(header + "\n0,02;0,005;1,5;2,5;3,5;A\n");
    ASSERT_TRUE(std::holds_alternative<series::ImportedSeries>(read)) << header;
    const auto& imported = std::get<series::ImportedSeries>(read);
    EXPECT_TRUE(imported.notices.empty()) << header;
    ASSERT_EQ(imported.series.runs.size(), 1U);
    const series::Run& run = imported.series.runs.front();
    EXPECT_EQ(std::vector<double>({run.inputs.y1, run.inputs.x1, run.inputs.gasFlow, run.inputs.waterFlow,
                                   run.packingHeight.value_or(0)}),
              std::vector<double>({0.02, 0.005, 1.5, 2.5, 3.5}));
    EXPECT_EQ(run.label, "A");
}

// What opening a file found: the boxes in order, runs each once, long lists cut.
struct OpenedRow {
    const char* name;
    std::vector<series::Difference> differences;
    int notices;
    std::vector<std::string> english;  // each box as "title: text"
    std::string germanTitle;           // the first box's title in German
};

series::Difference differs(std::size_t run, const char* field, bool input)
{
    return {run, field, "1", "2", input};
}

std::vector<series::Difference> manyResults(std::size_t runs)
{
    std::vector<series::Difference> many;
    for (std::size_t run = 0; run < runs; ++run)
        many.push_back(differs(run, "ntu", false));
    return many;
}

class OpenedBoxes : public testing::TestWithParam<OpenedRow> {};

TEST_P(OpenedBoxes, TellInputsThenResultsThenNotes)
{
    const OpenedRow& row = GetParam();
    std::vector<series::Notice> notices;
    for (int line = 1; line <= row.notices; ++line)
        notices.push_back({line, {MessageKind::skippedBlankLine}});
    std::vector<std::string> english;
    for (const present::MessageBox& box : present::openedBoxes(row.differences, notices, "lab.quillon"))
        english.push_back(box.title + ": " + box.text);
    EXPECT_EQ(english, row.english);
    const auto german = present::openedBoxes(row.differences, notices, "lab.quillon",
                                             present::Language::fromCatalogue(germanCatalogue()));
    ASSERT_EQ(german.size(), row.english.size());
    if (!german.empty()) {
        EXPECT_EQ(german.front().title, row.germanTitle);
    }
}

const std::string resultsText =
    "Results recomputed: The results stored in lab.quillon differ from those Quillon "
    "computes now for run(s) %1: the file was edited, or written by another version. "
    "The runs show the results computed now.";

std::string resultsFor(const std::string& runs)
{
    return present::Text(resultsText).arg(runs).str();
}

INSTANTIATE_TEST_SUITE_P(
    Opened, OpenedBoxes,
    testing::Values(
        OpenedRow{"nothing", {}, 0, {}, ""},
        OpenedRow{"inputs_apart_from_results",
                  {differs(2, "x1", true), differs(2, "gas_flow", true), differs(0, "ntu", false)},
                  0,
                  {"Inputs taken from the readings: The inputs stored in lab.quillon differ from those their "
                   "readings give for run(s) 3: the file was edited, or written by another version. The runs take "
                   "the inputs their readings give.",
                   resultsFor("1")},
                  "Eingaben aus den Ablesungen übernommen"},
        OpenedRow{"runs_once_rising",
                  {differs(4, "y2", false), differs(1, "ntu", false), differs(4, "mtc", false)},
                  0,
                  {resultsFor("2, 5")},
                  "Ergebnisse neu berechnet"},
        OpenedRow{"twelve_runs_then_more", manyResults(13), 0, {resultsFor("1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, …")},
                  "Ergebnisse neu berechnet"},
        OpenedRow{"notes_after_results_twelve_then_more",
                  manyResults(1),
                  13,
                  {resultsFor("1"),
                   "Read with notes: lab.quillon:1: skipped: blank line\nlab.quillon:2: skipped: blank line\n"
                   "lab.quillon:3: skipped: blank line\nlab.quillon:4: skipped: blank line\nlab.quillon:5: "
                   "skipped: blank line\nlab.quillon:6: skipped: blank line\nlab.quillon:7: skipped: blank "
                   "line\nlab.quillon:8: skipped: blank line\nlab.quillon:9: skipped: blank line\nlab.quillon:10: "
                   "skipped: blank line\nlab.quillon:11: skipped: blank line\nlab.quillon:12: skipped: blank "
                   "line\n… and 1 more."},
                  "Ergebnisse neu berechnet"}),
    [](const auto& row) { return std::string(row.param.name); });

// A refused file's box names it as shown and the error's place by its name.
TEST(OpenedBoxes, RefusedNamesThePathAndThePlace)
{
    const present::MessageBox box = present::refusedBox({3, 7, "/runs/0/y1", {MessageKind::skippedBlankLine}},
                                                        "/home/lab/lab.quillon", "lab.quillon");
    EXPECT_EQ(box.title, "Not opened");
    EXPECT_EQ(
        box.text,
        "/home/lab/lab.quillon is not a series Quillon can read:\n"
            + present::describe(series::ReadError{3, 7, "/runs/0/y1", {MessageKind::skippedBlankLine}}, "lab.quillon"));
}

}  // namespace
