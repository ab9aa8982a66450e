#include "present/readingsform.h"

#include <gtest/gtest.h>

#include <iterator>
#include <optional>
#include <string>
#include <variant>

namespace {

using present::ReadingField;

const present::NumberLocale german{",", "-"};

present::ReadingsForm typed(std::initializer_list<std::pair<ReadingField, const char*>> texts)
{
    present::ReadingsForm form;
    for (const auto& [field, text] : texts)
        form.texts[static_cast<std::size_t>(field)] = text;
    return form;
}

struct FormCase {
    const char* name;
    present::ReadingsForm form;
    const char* gives;  // a part of givenText, or of the refusal's words
};

class ReadingsForms : public testing::TestWithParam<FormCase> {};

TEST_P(ReadingsForms, GiveTheInputsOrSayWhatToType)
{
    const auto read = present::readingsOf(GetParam().form, std::nullopt, {}, german);
    const std::string words = std::holds_alternative<std::string>(read)
        ? std::get<std::string>(read)
        : present::givenText(*std::get<std::optional<series::Readings>>(read), "mol/s", {}, german);
    EXPECT_NE(words.find(GetParam().gives), std::string::npos) << words;
}

INSTANTIATE_TEST_SUITE_P(Dialog, ReadingsForms, testing::Values(
    // The lab's check value in German digits.
    FormCase{"titration_in_german", typed({{ReadingField::sampleVolume, "10,00"}, {ReadingField::acidMolarity, "0,1"},
                                           {ReadingField::acidVolume, "12,40"}, {ReadingField::density, "997,0"}}),
             "x1 = 0,0022403"},
    FormCase{"a_point_is_no_german_number", typed({{ReadingField::sampleVolume, "10.5"}}),
             "Type a number for \"Sample volume (mL)\"."},
    FormCase{"acid_below_blank", typed({{ReadingField::sampleVolume, "10"}, {ReadingField::acidMolarity, "0,1"},
                                        {ReadingField::acidVolume, "1"}, {ReadingField::blankVolume, "2"}}),
             "less than the blank"},
    FormCase{"nh3_meter_alone", typed({{ReadingField::ammoniaMeter, "1"}}), "needs an air meter"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(ReadingsForm, ShowsARunsReadingsAsTheyReadBack)
{
    series::Readings readings;
    readings.titration = series::Titration{10.0, 0.1, 12.4, 0.4, 2, {}, {}, 997.0, 20.0};
    readings.water = series::MeterReading{3.0, series::MeterUnit::litresPerHour, 21.0, 99.5, {{0.0, 0.0}, {4.0, 5.0}}};
    readings.uncertainty = {0.02, 0.01, 0.2, {}, {}};
    const present::ReadingsForm form = present::formOf(readings, german);
    EXPECT_EQ(form.texts[static_cast<std::size_t>(ReadingField::acidMolarity)], "0,1");
    const auto back = present::readingsOf(form, readings, {}, german);
    ASSERT_TRUE(std::holds_alternative<std::optional<series::Readings>>(back));
    EXPECT_EQ(std::get<std::optional<series::Readings>>(back), readings);
    EXPECT_EQ(std::get<std::optional<series::Readings>>(present::readingsOf({}, readings, {}, german)), std::nullopt);
}

// The readings' uncertainties as typed, in the dialog's units: the value
// the file keeps and the text it shows again, or the refusal.
struct UncertaintyCase {
    const char* name;
    present::UncertaintyField field;
    const char* typed;
    std::optional<double> kept;  // in the file's unit; none: refused, or empty
    const char* says;            // the text shown again, or a part of the refusal
};

class ReadingUncertaintyFields : public testing::TestWithParam<UncertaintyCase> {};

TEST_P(ReadingUncertaintyFields, KeepTheFilesValueOrSayWhatToType)
{
    const auto& c = GetParam();
    present::ReadingsForm form = typed(
        {{ReadingField::sampleVolume, "10"}, {ReadingField::acidMolarity, "0,1"}, {ReadingField::acidVolume, "12,4"}});
    form.uncertainties[static_cast<std::size_t>(c.field)] = c.typed;
    const auto read = present::readingsOf(form, std::nullopt, {}, german);
    if (const auto* refused = std::get_if<std::string>(&read)) {
        EXPECT_FALSE(c.kept);
        EXPECT_NE(refused->find(c.says), std::string::npos) << *refused;
        return;
    }
    const auto& readings = std::get<std::optional<series::Readings>>(read);
    ASSERT_TRUE(readings);
    const series::ReadingUncertainties& u = readings->uncertainty;
    const std::optional<double> values[] = {u.burette, u.molarityRel, u.meterRel, u.thermometer, u.pressure};
    for (std::size_t i = 0; i < std::size(values); ++i)
        EXPECT_EQ(values[i], i == static_cast<std::size_t>(c.field) ? c.kept : std::nullopt) << i;
    EXPECT_EQ(present::formOf(readings, german).uncertainties[static_cast<std::size_t>(c.field)], c.says);
}

using UF = present::UncertaintyField;
INSTANTIATE_TEST_SUITE_P(Dialog, ReadingUncertaintyFields, testing::Values(
    UncertaintyCase{"burette_in_ml", UF::burette, "0,02", 0.02, "0,02"},
    // A percentage is the file's fraction of the same digits: 0.7 / 100 is not 0.007.
    UncertaintyCase{"molarity_in_percent", UF::molarity, "0,7", 0.007, "0,7"},
    UncertaintyCase{"meter_in_percent", UF::meter, "1,1", 0.011, "1,1"},
    UncertaintyCase{"meter_small_percent", UF::meter, "7E-5", 7e-7, "7E-05"},
    UncertaintyCase{"thermometer_in_k", UF::thermometer, "0,2", 0.2, "0,2"},
    UncertaintyCase{"pressure_in_kpa", UF::pressure, " 0 ", 0.0, "0"},
    UncertaintyCase{"empty_is_none", UF::meter, " ", std::nullopt, ""},
    UncertaintyCase{"negative_refused", UF::thermometer, "-0,1", std::nullopt,
                    "Type an uncertainty of 0 or more for \"Thermometer ± (K)\", or leave it empty."},
    UncertaintyCase{"a_point_is_no_german_number", UF::burette, "0.02", std::nullopt, "\"Burette ± (mL)\""},
    UncertaintyCase{"words_refused", UF::pressure, "viel", std::nullopt, "\"Barometer ± (kPa)\""}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(ReadingsForm, UncertaintiesNeedReadings)
{
    present::ReadingsForm form;
    form.uncertainties[static_cast<std::size_t>(UF::burette)] = "0,02";
    const auto read = present::readingsOf(form, std::nullopt, {}, german);
    ASSERT_TRUE(std::holds_alternative<std::string>(read));
    EXPECT_NE(std::get<std::string>(read).find("uncertainties belong to"), std::string::npos);
}

// The runs table's readings columns: a meter's reading with its unit, the
// dialog's number text otherwise, nothing for a run typed.
struct ColumnCase {
    const char* name;
    ReadingField field;
    bool typed;
    const char* title;
    const char* text;
};

class ReadingsColumns : public testing::TestWithParam<ColumnCase> {};

TEST_P(ReadingsColumns, TitleAndCell)
{
    series::Readings readings;
    readings.titration = series::Titration{10.0, 0.1, 12.4, 0.0, 1, {}, {}, {}, 20.0};
    readings.air = series::MeterReading{2.5, series::MeterUnit::cubicMetresPerHour, 20.0, 101.325, {}};
    const auto& c = GetParam();
    EXPECT_EQ(present::readingTitle(c.field, {}), c.title);
    EXPECT_EQ(present::readingText(c.typed ? std::nullopt : std::optional(readings), c.field, german), c.text);
}

INSTANTIATE_TEST_SUITE_P(Table, ReadingsColumns, testing::Values(
    ColumnCase{"acid_volume", ReadingField::acidVolume, false, "Acid to the end point (mL)", "12,4"},
    ColumnCase{"air_meter_with_its_unit", ReadingField::airMeter, false, "Air meter", "2,5 m3/h"},
    ColumnCase{"water_meter_not_read", ReadingField::waterMeter, false, "Water meter", ""},
    ColumnCase{"density_not_given", ReadingField::density, false, "Sample density (g/L, empty: water's)", ""},
    ColumnCase{"run_typed", ReadingField::sampleVolume, true, "Sample volume (mL)", ""}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
