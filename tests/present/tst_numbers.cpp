#include "present/language.h"
#include "present/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
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
                    NumberCase{"belowPlain", 5e-5, "5E-05", "5E-05"},
                    NumberCase{"shortestDigits", 0.1 + 0.2, "0.30000000000000004", "0.3"},
                    NumberCase{"largestPlain", 999999999999999.9, "999999999999999.9", "1E+15"},
                    NumberCase{"fromTenToTheFifteen", 1e15, "1E+15", "1E+15"},
                    NumberCase{"huge", -1.5e300, "-1.5E+300", "-1.5E+300"},
                    NumberCase{"sixteenDigitsWithAPower", 99999999999999990999999999999999.0, "9.999999999999999E+31",
                               "1E+32"},
                    NumberCase{"seventeenDigitsBelowPlain", 1.2345678901234567e-5, "1.2345678901234568E-05",
                               "1.235E-05"},
                    NumberCase{"roundsUpToNextDecade", 9.99996, "9.99996", "10"},
                    NumberCase{"fourDigitsExactly", 1234.0, "1234", "1234"},
                    NumberCase{"fifthDigitNeedsAPower", 12345.0, "12345", "1.234E+04"},
                    NumberCase{"notANumber", std::nan(""), "nan", "nan"},
                    NumberCase{"infinity", HUGE_VAL, "inf", "inf"},
                    NumberCase{"negativeInfinity", -HUGE_VAL, "-inf", "-inf"}),
    [](const testing::TestParamInfo<NumberCase>& row) { return std::string(row.param.name); });

TEST(Numbers, GermanWritesAComma)
{
    EXPECT_EQ(present::exactText(-0.25, german), "-0,25");
    EXPECT_EQ(present::significantText(1.5e-7, 4, german), "1,5E-07");
    EXPECT_EQ(present::resultText(0.123456, german), "0,1235");
}

// The power of ten after the locale's own symbol, as exactText writes it
// and as Qt 6's QLocale 'g' does: "1,5E-07" in German, "1,5×10^−07" in
// Swedish.
struct ExponentCase {
    const char* name;
    present::NumberLocale locale;
    const char* written;
};

class Exponents : public testing::TestWithParam<ExponentCase> {};

TEST_P(Exponents, FollowTheLocaleAsExactTextDoes)
{
    EXPECT_EQ(present::significantText(1.5e-7, 4, GetParam().locale), GetParam().written);
    EXPECT_EQ(present::exactText(1.5e-7, GetParam().locale), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(Locales, Exponents,
                         testing::Values(ExponentCase{"english", {}, "1.5E-07"},
                                         ExponentCase{"german", german, "1,5E-07"},
                                         ExponentCase{"swedish", {",", "\u2212", "+", "\u00d710^"}, "1,5\u00d710^\u221207"}),
                         [](const testing::TestParamInfo<ExponentCase>& row) { return std::string(row.param.name); });

struct ParseCase {
    const char* name;
    const char* text;
    bool german;
    present::ParsedNumber::Kind kind;
    double value;  // with its sign, for a number
};

class Parsing : public testing::TestWithParam<ParseCase> {};

TEST_P(Parsing, ReadsAsTheWindowReads)
{
    const ParseCase& c = GetParam();
    const present::ParsedNumber read = present::parseNumber(c.text, c.german ? german : present::NumberLocale{});
    EXPECT_EQ(read.kind, c.kind);
    EXPECT_EQ(read.value(), c.value);
    EXPECT_EQ(std::signbit(read.value()), std::signbit(c.value));
}

using Kind = present::ParsedNumber::Kind;

INSTANTIATE_TEST_SUITE_P(
    Texts, Parsing,
    testing::Values(ParseCase{"english", "0.02", false, Kind::number, 0.02},
                    ParseCase{"germanComma", "0,02", true, Kind::number, 0.02},
                    ParseCase{"germanRefusesThePoint", "0.02", true, Kind::notANumber, 0.0},
                    ParseCase{"englishRefusesTheComma", "0,02", false, Kind::notANumber, 0.0},
                    ParseCase{"surroundingSpaces", " \t0.5\u00a0 ", false, Kind::number, 0.5},
                    ParseCase{"empty", "", false, Kind::notANumber, 0.0},
                    ParseCase{"blank", "   ", false, Kind::notANumber, 0.0},
                    ParseCase{"groupSeparatorRefused", "1,000.5", false, Kind::notANumber, 0.0},
                    ParseCase{"germanGroupSeparatorRefused", "1.000,5", true, Kind::notANumber, 0.0},
                    ParseCase{"spaceInsideRefused", "1 000", false, Kind::notANumber, 0.0},
                    ParseCase{"wordMinus", "\u22120.25", false, Kind::number, -0.25},
                    ParseCase{"wordMinusInPower", "1e\u22122", false, Kind::number, 0.01},
                    ParseCase{"plus", "+3", false, Kind::number, 3.0},
                    ParseCase{"twoSigns", "+-1", false, Kind::notANumber, 0.0},
                    ParseCase{"tooLarge", "1e999", false, Kind::tooLarge, 0.0},
                    ParseCase{"tooLargeNegative", "-1e999", false, Kind::tooLarge, 0.0},
                    ParseCase{"longDigitsTooLarge", "1797693134862315900000000000000000000000000000000000000000000000000"
                                                    "0000000000000000000000000000000000000000000000000000000000000000"
                                                    "0000000000000000000000000000000000000000000000000000000000000000"
                                                    "0000000000000000000000000000000000000000000000000000000000000000"
                                                    "000000000000000000000000000000000000000000000000000",
                              false, Kind::tooLarge, 0.0},
                    ParseCase{"largestDouble", "1.7976931348623157e308", false, Kind::number, 1.7976931348623157e308},
                    ParseCase{"belowSubnormalIsZero", "1e-999", false, Kind::number, 0.0},
                    ParseCase{"belowSubnormalKeepsItsSign", "-1e-999", false, Kind::number, -0.0},
                    ParseCase{"smallFractionWithHugePower", "0.1e-400", false, Kind::number, 0.0},
                    ParseCase{"leastSubnormal", "5e-324", false, Kind::number, 5e-324},
                    ParseCase{"negativeZero", "-0", false, Kind::number, -0.0},
                    ParseCase{"pointAlone", ".", false, Kind::notANumber, 0.0},
                    ParseCase{"leadingPoint", ",5", true, Kind::number, 0.5},
                    ParseCase{"trailingPoint", "5.", false, Kind::number, 5.0},
                    ParseCase{"germanPower", "1,5E3", true, Kind::number, 1500.0},
                    ParseCase{"powerWithoutDigits", "1e", false, Kind::notANumber, 0.0},
                    ParseCase{"powerAlone", "e5", false, Kind::notANumber, 0.0},
                    ParseCase{"infinity", "inf", false, Kind::notANumber, 0.0},
                    ParseCase{"notANumber", "nan", false, Kind::notANumber, 0.0},
                    ParseCase{"hexadecimal", "0x10", false, Kind::notANumber, 0.0},
                    ParseCase{"otherDigits", "\u0663", false, Kind::notANumber, 0.0},
                    ParseCase{"brokenUtf8", "1\xff", false, Kind::notANumber, 0.0}),
    [](const testing::TestParamInfo<ParseCase>& row) { return std::string(row.param.name); });

// A locale with digits, signs and a power of its own, as Qt describes Arabic
// in Egypt: what it writes reads back, and ASCII digits read too.
TEST(Numbers, ArabicDigitsRoundTrip)
{
    const present::NumberLocale arabic{"\u066b", "\u061c-", "\u061c+", "\u0627\u0633", "\u0660"};
    const std::string written = present::exactText(-1.5e-5, arabic);
    EXPECT_EQ(written, "\u061c-\u0661\u066b\u0665\u0627\u0633\u061c-\u0660\u0665");
    EXPECT_EQ(*present::parseNumber(written, arabic), -1.5e-5);
    EXPECT_EQ(*present::parseNumber("12\u066b5", arabic), 12.5);
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

// Expected texts worked by hand: U to two significant digits, the value to
// U's last place, ties away from zero as the full text shows them.
struct UncertainCase {
    const char* name;
    double value;
    double uncertainty;
    bool german;
    const char* valueText;
    const char* uncertaintyText;
};

class UncertaintyRounding : public testing::TestWithParam<UncertainCase> {};

TEST_P(UncertaintyRounding, TwoSignificantDigitsAndTheValueToTheirPlace)
{
    const UncertainCase& c = GetParam();
    const present::NumberLocale locale = c.german ? german : present::NumberLocale{};
    EXPECT_EQ(present::withUncertaintyText(c.value, c.uncertainty, locale),
              (present::ValueWithUncertainty{c.valueText, c.uncertaintyText}));
    EXPECT_EQ(present::uncertaintyText(c.uncertainty, locale), c.uncertaintyText);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, UncertaintyRounding,
    testing::Values(UncertainCase{"valueLargerThanU", 2.4836, 1.3437, false, "2.5", "1.3"},
                    UncertainCase{"fourDecimals", 1.7048123, 0.0025193, false, "1.7048", "0.0025"},
                    UncertainCase{"seventeenDigitsU", 0.5, 0.12394931687521454, false, "0.50", "0.12"},
                    UncertainCase{"exactTieInU", 10.0, 0.125, false, "10.00", "0.13"},
                    UncertainCase{"tieAsTheFullTextShowsIt", 2.675, 0.5, false, "2.68", "0.50"},
                    UncertainCase{"uRoundsToAPowerOfTen", 1.0, 0.0999, false, "1.00", "0.10"},
                    UncertainCase{"uOfNinetyNineAndMore", 1234.5, 99.6, false, "1230", "100"},
                    UncertainCase{"valueCarriesADigit", 9.996, 0.5, false, "10.00", "0.50"},
                    UncertainCase{"uLargerThanValue", 0.07, 1.3, false, "0.1", "1.3"},
                    UncertainCase{"valueRoundsToZero", -0.03, 1.3, false, "0.0", "1.3"},
                    UncertainCase{"uInHundreds", 98765.4, 1234.0, false, "98800", "1200"},
                    UncertainCase{"smallestPlainU", 0.0123, 1e-4, false, "0.01230", "0.00010"},
                    UncertainCase{"verySmall", 1.70481e-7, 2.5193e-10, false, "1.7048E-07", "2.5E-10"},
                    UncertainCase{"veryLarge", 3.1e20, 4.56e17, false, "3.1000E+20", "4.6E+17"},
                    UncertainCase{"negativeValue", -2.4836, 1.3437, false, "-2.5", "1.3"},
                    UncertainCase{"zeroU", 2.48361, 0.0, false, "2.4836", "0"},
                    UncertainCase{"germanComma", 2.4836, 1.3437, true, "2,5", "1,3"},
                    UncertainCase{"germanPower", 1.70481e-7, 2.5193e-10, true, "1,7048E-07", "2,5E-10"}),
    [](const testing::TestParamInfo<UncertainCase>& row) { return std::string(row.param.name); });
