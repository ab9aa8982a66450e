#include "present/fittext.h"
#include "present/methodtext.h"
#include "present/words.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using present::Language;

const present::NumberLocale pointLocale;
const present::NumberLocale commaLocale{",", "-"};

const Language inEnglish;

// A few of the German texts, as translations/quillon_de.ts has them.
const Language inGerman = Language::fromCatalogue({
    {"Messages\x04Not a number", "Keine Zahl"},
    {"Messages\x04%1 holds \"%2\", which is not a number.", "%1 enthält „%2“, das ist keine Zahl."},
    {"SeriesChart\x04%1 ± %2 (95 %: %3 to %4)", "%1 ± %2 (95 %: %3 bis %4)"},
    {"SeriesChart\x04No fit: %1.", "Keine Anpassung: %1."},
    {"SeriesChart\x04n (water flow)", "n (Wasserstrom)"},
    {"SeriesChart\x04%1 left out: %2.", "%1 weggelassen: %2."},
    {"SeriesChart\x04Runs used: %1 of %2 with a coefficient%3.",
     "Verwendete Versuche: %1 von %2 mit einem Koeffizienten%3."},
    {"SeriesChart\x04, weighted by their uncertainties", ", gewichtet nach ihren Unsicherheiten"},
    {"SeriesChart\x04G and L in %1, MTC in %1/m³.", "G und L in %1, MTC in %1/m³."},
    {"Series\x04"
     "all runs have one water flow",
     "alle Versuche haben denselben Wasserstrom"},
    {"Series\x04%1 runs are too few for %2 parameters: at least %3 are needed",
     "%1 Versuche sind zu wenige für %2 Parameter: Es werden mindestens %3 gebraucht"},
});

std::string repeated(const char* piece, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

struct QuoteCase {
    const char* name;
    std::string typed;
    std::string shown;
};

class Quoting : public testing::TestWithParam<QuoteCase> {};

TEST_P(Quoting, KeepsFortyUnitsAndWholeCharacters)
{
    EXPECT_EQ(present::quoted(GetParam().typed), GetParam().shown);
}

const std::string forty = repeated("x", 40);
const std::string emoji = "\U0001F600";

INSTANTIATE_TEST_SUITE_P(
    Edges, Quoting,
    testing::Values(QuoteCase{"empty", "", ""}, QuoteCase{"forty", forty, forty},
                    QuoteCase{"fortyOne", forty + "y", forty + "…"},
                    QuoteCase{"pairAcrossTheCut", repeated("x", 39) + emoji + "y", repeated("x", 39) + "…"},
                    QuoteCase{"pairEndsAtTheCut", repeated("x", 38) + emoji + "y", repeated("x", 38) + emoji + "…"},
                    QuoteCase{"fortyUmlautsAreFortyUnits", repeated("ä", 40), repeated("ä", 40)},
                    QuoteCase{"fortyOneUmlauts", repeated("ä", 41), repeated("ä", 40) + "…"},
                    QuoteCase{"twentyPairsFill", repeated(emoji.c_str(), 20), repeated(emoji.c_str(), 20)},
                    QuoteCase{"twentyOnePairs", repeated(emoji.c_str(), 21), repeated(emoji.c_str(), 20) + "…"}),
    [](const testing::TestParamInfo<QuoteCase>& row) { return std::string(row.param.name); });

struct BoxCase {
    const char* name;
    const Language* language;
    std::string typed;
    present::NumberFault fault;
    present::MessageBox box;
};

class ConversionBox : public testing::TestWithParam<BoxCase> {};

TEST_P(ConversionBox, NamesTheFieldAndQuotesIt)
{
    const BoxCase& c = GetParam();
    EXPECT_EQ(present::conversionError(*c.language, "Gas flow", c.typed, c.fault), c.box);
}

INSTANTIATE_TEST_SUITE_P(
    Words, ConversionBox,
    testing::Values(
        BoxCase{"blank", &inEnglish, " \t\u00a0\u3000", present::NumberFault::tooLarge,
                {"Not a number", "Gas flow is empty. Type a number."}},
        BoxCase{"words", &inEnglish, "abc", present::NumberFault::notANumber,
                {"Not a number", "Gas flow holds \"abc\", which is not a number."}},
        BoxCase{"tooLarge", &inEnglish, "1e999", present::NumberFault::tooLarge,
                {"Number too large", "Gas flow holds \"1e999\", which is too large a number."}},
        BoxCase{"placeHolderTypedStays", &inEnglish, "%1%2", present::NumberFault::notANumber,
                {"Not a number", "Gas flow holds \"%1%2\", which is not a number."}},
        BoxCase{"longQuoted", &inEnglish, forty + "9", present::NumberFault::notANumber,
                {"Not a number", "Gas flow holds \"" + forty + "…\", which is not a number."}},
        BoxCase{"german", &inGerman, "zwei", present::NumberFault::notANumber,
                {"Keine Zahl", "Gas flow enthält „zwei“, das ist keine Zahl."}}),
    [](const testing::TestParamInfo<BoxCase>& row) { return std::string(row.param.name); });

TEST(FaultBoxes, NameTheFaultOrAnArithmeticFault)
{
    EXPECT_EQ(present::faultBox(inEnglish, absorber::Outcome::overflow),
              (present::MessageBox{"Overflow", "Overflow. The calculation was stopped at that step."}));
    EXPECT_EQ(present::drawingFaultBox(inEnglish, absorber::Outcome::invalidData).title, "Arithmetic fault");
    EXPECT_FALSE(present::outcomeBox(inEnglish, absorber::Outcome::completed, "Calculate"));
    EXPECT_EQ(present::outcomeBox(inEnglish, absorber::Outcome::invalidData, "Calculate"),
              (present::MessageBox{"Calculate", "Invalid Data"}));
}

series::Estimate estimate(double value, double standardError, double low, double high)
{
    return {value, standardError, low, high};
}

const series::NotGiven tooFewRuns{{series::MessageKind::tooFewRuns, {}, {2, 2, 3}}};

series::Analysis analysisOf(std::variant<series::PowerLaw, series::NotGiven> fit)
{
    series::Analysis analysis;
    analysis.runs = {{0, {1.0, 2.0, 3.0, std::nullopt}, true},
                     {1, {2.0, 2.0, 4.0, std::nullopt}, false},
                     {2, {4.0, 2.0, 5.0, std::nullopt}, true}};
    analysis.fit = std::move(fit);
    return analysis;
}

series::PowerLaw law(bool gas, bool water, bool weighted)
{
    series::PowerLaw law;
    law.prefactor = estimate(0.012346, 0.0004, 0.0115, 0.01318);
    if (gas)
        law.gasExponent = estimate(0.5, 0.01, 0.4783, 0.5217);
    else
        law.dropped = series::DroppedTerm{series::Exponent::gas, {series::MessageKind::oneGasFlow}};
    if (water)
        law.waterExponent = estimate(-0.25, 0.125, -0.5, 1.5e-5);
    else
        law.dropped = series::DroppedTerm{series::Exponent::water, {series::MessageKind::oneWaterFlow}};
    law.rSquared = 0.99876;
    law.residualSd = 0.03214;
    law.runsUsed = 2;
    law.weighted = weighted;
    return law;
}

struct FitCase {
    const char* name;
    series::Analysis analysis;
    std::string unit;
    const Language* language;
    const present::NumberLocale* locale;
    std::vector<std::string> lines;
};

class FitText : public testing::TestWithParam<FitCase> {};

TEST_P(FitText, SaysTheLawInLines)
{
    const FitCase& c = GetParam();
    EXPECT_EQ(present::fitLines(c.analysis, c.unit, *c.language, *c.locale), c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Fits, FitText,
    testing::Values(
        FitCase{"bothExponents",
                analysisOf(law(true, true, false)),
                "",
                &inEnglish,
                &pointLocale,
                {"MTC = a · G^m · L^n", "a = 0.01235 ± 0.00040 (95 %: 0.01150 to 0.01318)",
                 "m (gas flow) = 0.500 ± 0.010 (95 %: 0.478 to 0.522)",
                 "n (water flow) = -0.25 ± 0.13 (95 %: -0.50 to 0.00)", "R² = 0.9988 (of ln MTC); residual SD 0.03214",
                 "Runs used: 2 of 3 with a coefficient."}},
        FitCase{"gasDroppedWeightedWithUnit",
                analysisOf(law(false, true, true)),
                "kg/h",
                &inEnglish,
                &pointLocale,
                {"MTC = a · L^n", "a = 0.01235 ± 0.00040 (95 %: 0.01150 to 0.01318)",
                 "n (water flow) = -0.25 ± 0.13 (95 %: -0.50 to 0.00)", "m (gas flow) left out: all runs have one gas flow.",
                 "R² = 0.9988 (of ln MTC); residual SD 0.03214",
                 "Runs used: 2 of 3 with a coefficient, weighted by their uncertainties.",
                 "G and L in kg/h, MTC in kg/h/m³."}},
        FitCase{"waterDroppedInGerman",
                analysisOf(law(true, false, true)),
                "mol/s",
                &inGerman,
                &commaLocale,
                {"MTC = a · G^m", "a = 0,01235 ± 0,00040 (95 %: 0,01150 bis 0,01318)",
                 "m (gas flow) = 0,500 ± 0,010 (95 %: 0,478 bis 0,522)",
                 "n (Wasserstrom) weggelassen: alle Versuche haben denselben Wasserstrom.", "R² = 0,9988 (of ln MTC); residual SD 0,03214",
                 "Verwendete Versuche: 2 von 3 mit einem Koeffizienten, gewichtet nach ihren Unsicherheiten.",
                 "G und L in mol/s, MTC in mol/s/m³."}},
        FitCase{"noFit",
                analysisOf(tooFewRuns),
                "kg/h",
                &inEnglish,
                &pointLocale,
                {"No fit: 2 runs are too few for 2 parameters: at least 3 are needed.", "Runs in the analysis: 2 of 3 with a coefficient."}},
        FitCase{"noFitInGerman",
                analysisOf(tooFewRuns),
                "",
                &inGerman,
                &commaLocale,
                {"Keine Anpassung: 2 Versuche sind zu wenige für 2 Parameter: Es werden mindestens 3 gebraucht.", "Runs in the analysis: 2 of 3 with a coefficient."}}),
    [](const testing::TestParamInfo<FitCase>& row) { return std::string(row.param.name); });

const present::Grouping threes{",", 3, 3};
const present::Grouping indian{",", 3, 2};

struct CountCase {
    const char* name;
    const char* tenMillion;
    const char* separator;
    present::Grouping grouping;
    std::size_t value;
    const char* text;
};

class Counts : public testing::TestWithParam<CountCase> {};

TEST_P(Counts, GroupAsTheLocaleDoes)
{
    const CountCase& c = GetParam();
    EXPECT_EQ(present::groupingOf(c.tenMillion, c.separator), c.grouping);
    EXPECT_EQ(present::countText(c.value, c.grouping), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Counts,
    testing::Values(CountCase{"zero", "10,000,000", ",", threes, 0, "0"},
                    CountCase{"threeDigits", "10,000,000", ",", threes, 256, "256"},
                    CountCase{"fourDigits", "10,000,000", ",", threes, 1000, "1,000"},
                    CountCase{"german", "10.000.000", ".", {".", 3, 3}, 200000, "200.000"},
                    CountCase{"narrowSpace", "10\u202f000\u202f000", "\u202f", {"\u202f", 3, 3}, 1000000,
                              "1\u202f000\u202f000"},
                    CountCase{"indianLakh", "1,00,00,000", ",", indian, 100000, "1,00,000"},
                    CountCase{"indianMillion", "1,00,00,000", ",", indian, 1000000, "10,00,000"},
                    CountCase{"separatorOmitted", "10000000", ",", {}, 1000000, "1000000"},
                    CountCase{"noSeparator", "10,000,000", "", {}, 1000000, "1000000"},
                    CountCase{"ownDigits", "\u0661\u0660\u066c\u0660\u0660\u0660\u066c\u0660\u0660\u0660", "\u066c",
                              {"\u066c", 3, 3}, 64000, "64\u066c000"}),
    [](const testing::TestParamInfo<CountCase>& row) { return std::string(row.param.name); });

TEST(MethodText, PageLeavesOutTheWindowsOwnSections)
{
    const std::string window = present::methodText(inEnglish, commaLocale, {".", 3, 3}, present::HelpEdition::window);
    const std::string page = present::methodText(inEnglish, commaLocale, {".", 3, 3}, present::HelpEdition::page);
    for (const std::string& text : {window, page}) {
        EXPECT_NE(text.find("type 0,02 for 2 % NH3"), std::string::npos);
        EXPECT_NE(text.find("over 1.000.000 equal steps"), std::string::npos);
        EXPECT_NE(text.find("<td align=right>0,0126</td>"), std::string::npos);
    }
    EXPECT_NE(window.find("<h3>Series analysis</h3>"), std::string::npos);
    // The readings' columns as the export names them, in its order.
    EXPECT_NE(window.find("sample_volume_ml, acid_molarity, acid_volume_ml"), std::string::npos);
    EXPECT_NE(window.find("meter_temperature_c, meter_pressure_kpa. German"), std::string::npos);
    EXPECT_EQ(page.find("<h3>Series analysis</h3>"), std::string::npos);
    EXPECT_EQ(page.find("Uncertainty of the coefficient"), std::string::npos);
}

}  // namespace
