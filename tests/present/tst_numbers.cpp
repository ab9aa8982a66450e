#include "present/language.h"
#include "present/numbers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct NumberCase {
    const char* name;
    double value;
    const char* exact;
    const char* significant4;
};

class Numbers : public testing::TestWithParam<NumberCase> {};

const present::NumberLocale german{",", "-"};

TEST_P(Numbers, WrittenAsTheWindowWritesThem)
{
    const NumberCase& c = GetParam();
    EXPECT_EQ(present::exactText(c.value, {}), c.exact);
    EXPECT_EQ(present::significantText(c.value, 4, {}), c.significant4);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Numbers,
    testing::Values(NumberCase{"zero", 0.0, "0", "0"}, NumberCase{"negativeZero", -0.0, "0", "0"},
                    NumberCase{"smallestPlain", 1e-4, "0.0001", "0.0001"},
                    NumberCase{"belowPlain", 5e-5, "5E-05", "5e-05"},
                    NumberCase{"shortestDigits", 0.1 + 0.2, "0.30000000000000004", "0.3"},
                    NumberCase{"largestPlain", 999999999999999.9, "999999999999999.9", "1e+15"},
                    NumberCase{"fromTenToTheFifteen", 1e15, "1E+15", "1e+15"},
                    NumberCase{"huge", -1.5e300, "-1.5E+300", "-1.5e+300"},
                    NumberCase{"roundsUpToNextDecade", 9.99996, "9.99996", "10"},
                    NumberCase{"fourDigitsExactly", 1234.0, "1234", "1234"},
                    NumberCase{"fifthDigitNeedsAPower", 12345.0, "12345", "1.234e+04"}),
    [](const testing::TestParamInfo<NumberCase>& row) { return std::string(row.param.name); });

TEST(Numbers, GermanWritesAComma)
{
    EXPECT_EQ(present::exactText(-0.25, german), "-0,25");
    EXPECT_EQ(present::significantText(1.5e-7, 4, german), "1,5e-07");
    EXPECT_EQ(present::resultText(0.123456, german), "0,1235");
}

TEST(Language, ArgFillsTheLowestPlaceHolderEverywhere)
{
    const present::Text text("%2 of %1, %1 again, 100 %");
    EXPECT_EQ(text.arg("a").str(), "%2 of a, a again, 100 %");
    EXPECT_EQ(text.arg("a").arg(3).str(), "3 of a, a again, 100 %");
    EXPECT_EQ(present::Text("no place holder").arg("a").str(), "no place holder");
}

TEST(Language, CatalogueTranslatesWhatItHasAndLeavesTheRest)
{
    const present::Language catalogue = present::Language::fromCatalogue({{"Messages\x04Overflow", "Überlauf"}});
    EXPECT_EQ(catalogue.translate("Messages", "Overflow").str(), "Überlauf");
    EXPECT_EQ(catalogue.translate("Messages", "Invalid Data").str(), "Invalid Data");
    EXPECT_EQ(present::Language().translate("Messages", "Overflow").str(), "Overflow");
}

}  // namespace
