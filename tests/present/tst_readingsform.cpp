#include "present/readingsform.h"

#include <gtest/gtest.h>

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
