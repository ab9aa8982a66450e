#include "present/seriesmessages.h"

#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <unordered_map>

namespace {

using series::Message;
using series::MessageKind;

// The German catalogue as the page builds it from the .ts: finished
// translations only, keyed by context and source.
std::unordered_map<std::string, std::string> germanCatalogue()
{
    std::ifstream file(QUILLON_GERMAN_TS);
    std::stringstream xml;
    xml << file.rdbuf();
    const auto decode = [](std::string text) {
        const std::pair<const char*, const char*> entities[] = {
            {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
        for (const auto& [entity, plain] : entities) {
            for (std::size_t at; (at = text.find(entity)) != std::string::npos;)
                text.replace(at, std::string_view(entity).size(), plain);
        }
        return text;
    };
    std::unordered_map<std::string, std::string> texts;
    const std::string all = xml.str();
    const std::regex context(R"(<context>\s*<name>([^<]*)</name>([\s\S]*?)</context>)");
    const std::regex message(R"(<source>([^<]*)</source>\s*<translation>([^<]*)</translation>)");
    for (std::sregex_iterator c(all.begin(), all.end(), context), end; c != end; ++c) {
        const std::string body = (*c)[2];
        for (std::sregex_iterator m(body.begin(), body.end(), message); m != end; ++m)
            texts[decode((*c)[1]) + '\x04' + decode((*m)[1])] = decode((*m)[2]);
    }
    return texts;
}

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
    EXPECT_FALSE(std::regex_search(english, std::regex("%[0-9]"))) << english;
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

}  // namespace
