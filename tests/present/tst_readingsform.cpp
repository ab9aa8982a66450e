#include "germancatalogue.h"
#include "present/readingsform.h"

#include <gtest/gtest.h>

#include <cctype>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <variant>
#include <vector>

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
    FormCase{"nh3_meter_alone", typed({{ReadingField::ammoniaMeter, "1"}}), "needs an air meter"},
    // The same check as a back-titration: 25 mL of acid added, 12.6 mL of base back.
    FormCase{"back_titration_in_german",
             typed({{ReadingField::sampleVolume, "10,00"}, {ReadingField::acidMolarity, "0,1000"},
                    {ReadingField::acidVolume, "25,00"}, {ReadingField::baseMolarity, "0,1000"},
                    {ReadingField::baseVolume, "12,60"}, {ReadingField::density, "997,0"}}),
             "x1 = 0,0022403"},
    FormCase{"base_molarity_alone",
             typed({{ReadingField::sampleVolume, "10"}, {ReadingField::acidMolarity, "0,1"},
                    {ReadingField::acidVolume, "25"}, {ReadingField::baseMolarity, "0,1"}}),
             "a back-titration needs both the base's molarity and its volume"},
    FormCase{"base_volume_alone",
             typed({{ReadingField::sampleVolume, "10"}, {ReadingField::acidMolarity, "0,1"},
                    {ReadingField::acidVolume, "25"}, {ReadingField::baseVolume, "12,6"}}),
             "a back-titration needs both the base's molarity and its volume"},
    // Base typed without the sample is a titration all the same, refused.
    FormCase{"base_without_the_sample", typed({{ReadingField::baseMolarity, "0,1"}, {ReadingField::baseVolume, "1"}}),
             "\"sample_volume_ml\" must be greater than 0"},
    FormCase{"base_volume_words", typed({{ReadingField::baseVolume, "zwölf"}}),
             "Type a number for \"Base volume to the end point (mL)\"."}),
    [](const auto& row) { return std::string(row.param.name); });

// Each of the dialog's labels has its own accelerator, in English and in
// German, the base's two among them.
TEST(ReadingsForm, EveryLabelHasAnAcceleratorOfItsOwn)
{
    const std::pair<const char*, present::Language> languages[] = {
        {"English", {}}, {"German", present::Language::fromCatalogue(germanCatalogue())}};
    for (const auto& [name, language] : languages) {
        std::vector<std::string> labels;
        for (std::size_t i = 0; i < present::readingFieldCount; ++i)
            labels.push_back(present::readingLabel(ReadingField(i), language));
        for (std::size_t i = 0; i < present::uncertaintyFieldCount; ++i)
            labels.push_back(present::uncertaintyLabel(present::UncertaintyField(i), language));
        std::map<char, std::string> taken;
        for (const std::string& label : labels) {
            const std::size_t at = label.find('&');
            ASSERT_TRUE(at != std::string::npos && at + 1 < label.size()) << name << ": " << label;
            EXPECT_EQ(label.find('&', at + 1), std::string::npos) << name << ": " << label;
            const char key = char(std::tolower(static_cast<unsigned char>(label[at + 1])));
            const auto [before, added] = taken.emplace(key, label);
            EXPECT_TRUE(added) << name << ": " << label << " and " << before->second;
        }
    }
    EXPECT_NE(present::readingLabel(ReadingField::baseVolume, languages[1].second),
              present::readingLabel(ReadingField::baseVolume, {}));
}

// The lab's check typed both ways: c = 0.1240 mol/L, and the back-titration
// gives the direct titration's x1 to within the rounding of its terms.
TEST(ReadingsForm, BackTitrationGivesTheDirectChecksX1)
{
    const auto x1Of = [](const present::ReadingsForm& form) -> std::optional<double> {
        const auto read = present::readingsOf(form, std::nullopt, {}, german);
        const auto* readings = std::get_if<std::optional<series::Readings>>(&read);
        if (!readings || !*readings || !(*readings)->titration)
            return std::nullopt;
        const series::Converted c = series::titrationConcentration(*(*readings)->titration);
        EXPECT_NEAR(std::get<double>(c), 0.1240, 1e-15);
        return std::get<double>(series::liquidMoleFraction(*(*readings)->titration));
    };
    const auto direct = x1Of(typed({{ReadingField::sampleVolume, "10,00"},
                                    {ReadingField::acidMolarity, "0,1000"},
                                    {ReadingField::acidVolume, "12,40"},
                                    {ReadingField::blankVolume, "0"},
                                    {ReadingField::density, "997,0"}}));
    const auto back = x1Of(typed({{ReadingField::sampleVolume, "10,00"},
                                  {ReadingField::acidMolarity, "0,1000"},
                                  {ReadingField::acidVolume, "25,00"},
                                  {ReadingField::baseMolarity, "0,1000"},
                                  {ReadingField::baseVolume, "12,60"},
                                  {ReadingField::density, "997,0"}}));
    ASSERT_TRUE(direct && back);
    EXPECT_NEAR(*direct, 0.0022403, 0.5e-7);
    EXPECT_NEAR(*back, *direct, 1e-15);
}

TEST(ReadingsForm, ShowsARunsReadingsAsTheyReadBack)
{
    series::Readings readings;
    readings.titration = series::Titration{10.0, 0.1, 12.4, 0.4, 2, {}, {}, 997.0, 20.0};
    readings.water = series::MeterReading{3.0, series::MeterUnit::litresPerHour, 21.0, 99.5, {{0.0, 0.0}, {4.0, 5.0}}};
    readings.uncertainty = {0.02, 0.01, 0.2, {}, {}};
    const present::ReadingsForm form = present::formOf(readings, german);
    EXPECT_EQ(form.texts[static_cast<std::size_t>(ReadingField::acidMolarity)], "0,1");
    EXPECT_EQ(form.calibrations[2], "0=0; 4=5");
    const auto back = present::readingsOf(form, readings, {}, german);
    ASSERT_TRUE(std::holds_alternative<std::optional<series::Readings>>(back));
    EXPECT_EQ(std::get<std::optional<series::Readings>>(back), readings);
    EXPECT_EQ(std::get<std::optional<series::Readings>>(present::readingsOf({}, readings, {}, german)), std::nullopt);

    readings.titration = series::Titration{10.0, 0.1, 25.0, 0.0, 1, 0.1, 12.6, 997.0, 20.0};
    const present::ReadingsForm backTitrated = present::formOf(readings, german);
    EXPECT_EQ(backTitrated.texts[static_cast<std::size_t>(ReadingField::baseVolume)], "12,6");
    EXPECT_EQ(std::get<std::optional<series::Readings>>(present::readingsOf(backTitrated, readings, {}, german)),
              readings);
}

// A meter's calibration as the dialog shows it, in either locale, and read
// back to the bit.
struct CalibrationShown {
    const char* name;
    bool inGerman;
    std::vector<series::CalibrationPoint> table;
    const char* shown;
};

class CalibrationTexts : public testing::TestWithParam<CalibrationShown> {};

TEST_P(CalibrationTexts, ShowInFullAndReadBackToTheBit)
{
    const auto& c = GetParam();
    const present::NumberLocale locale = c.inGerman ? german : present::NumberLocale{};
    series::Readings readings;
    readings.air = series::MeterReading{1.0, series::MeterUnit::litresPerMinute, 20.0, 101.325, {}};
    readings.water = series::MeterReading{3.0, series::MeterUnit::litresPerHour, 20.0, 101.325, c.table};
    const present::ReadingsForm form = present::formOf(readings, locale);
    EXPECT_EQ(form.calibrations[2], c.shown);
    EXPECT_EQ(form.calibrations[0], "");
    const auto back = present::readingsOf(form, std::nullopt, {}, locale);
    ASSERT_TRUE(std::holds_alternative<std::optional<series::Readings>>(back)) << std::get<std::string>(back);
    EXPECT_EQ(std::get<std::optional<series::Readings>>(back), readings);
}

INSTANTIATE_TEST_SUITE_P(Dialog, CalibrationTexts, testing::Values(
    CalibrationShown{"english", false, {{0.0, 0.0}, {2.0, 1.5}, {4.0, 3.5}}, "0=0; 2=1.5; 4=3.5"},
    CalibrationShown{"german", true, {{0.0, 0.0}, {2.0, 1.5}, {4.0, 3.5}}, "0=0; 2=1,5; 4=3,5"},
    // Values no short decimal holds, shown in full.
    CalibrationShown{"thirds_in_full", false, {{1.0 / 3.0, 1e-7}, {2.0 / 3.0, 0.1 + 0.2}},
                     "0.3333333333333333=1E-07; 0.6666666666666666=0.30000000000000004"},
    CalibrationShown{"german_powers", true, {{-5.0, 2e-5}, {1e20, 3.25}}, "-5=2E-05; 1E+20=3,25"}),
    [](const auto& row) { return std::string(row.param.name); });

// A calibration as typed: the table it reads as, or a part of the words
// that say what to type.
struct CalibrationTyped {
    const char* name;
    const char* water;  // the water meter's reading
    const char* typed;
    std::vector<series::CalibrationPoint> table;  // empty: refused, or blank
    const char* says;
};

class CalibrationFields : public testing::TestWithParam<CalibrationTyped> {};

TEST_P(CalibrationFields, ReadTheTableOrSayWhatToType)
{
    const auto& c = GetParam();
    present::ReadingsForm form = typed({{ReadingField::airMeter, "1"}, {ReadingField::waterMeter, c.water}});
    form.calibrations[2] = c.typed;
    const auto read = present::readingsOf(form, std::nullopt, {}, german);
    if (const auto* refused = std::get_if<std::string>(&read)) {
        EXPECT_TRUE(c.table.empty());
        EXPECT_EQ(*refused, c.says);
        return;
    }
    EXPECT_EQ(std::string(c.says), "");
    const auto& readings = std::get<std::optional<series::Readings>>(read);
    ASSERT_TRUE(readings && readings->water);
    EXPECT_EQ(readings->water->calibration, c.table);
    EXPECT_TRUE(readings->air->calibration.empty());
}

INSTANTIATE_TEST_SUITE_P(Dialog, CalibrationFields, testing::Values(
    CalibrationTyped{"spaces_and_a_last_semicolon", "3", " 0 = 0 ;2=1,5;  4 =3,5 ; ",
                     {{0.0, 0.0}, {2.0, 1.5}, {4.0, 3.5}}, ""},
    CalibrationTyped{"blank_is_none", "3", " \t ", {}, ""},
    CalibrationTyped{"a_row_without_equals", "3", "0=0; 2 1,5", {},
                     "Type each row of \"Water meter calibration (scale = flow)\" as scale=flow, the rows separated "
                     "by \";\", as in 0=0; 2=1,5; 4=3,5: \"2 1,5\" has no \"=\"."},
    CalibrationTyped{"a_point_is_no_german_number", "3", "0=0; 2=1.5", {},
                     "Type a number on each side of \"=\" in \"Water meter calibration (scale = flow)\", as in "
                     "0=0; 2=1,5; 4=3,5; check \"2=1.5\"."},
    CalibrationTyped{"a_flow_missing", "3", "0=0; 2=", {},
                     "Type a number on each side of \"=\" in \"Water meter calibration (scale = flow)\", as in "
                     "0=0; 2=1,5; 4=3,5; check \"2=\"."},
    CalibrationTyped{"two_equals", "3", "0=0=1; 2=2", {},
                     "Type a number on each side of \"=\" in \"Water meter calibration (scale = flow)\", as in "
                     "0=0; 2=1,5; 4=3,5; check \"0=0=1\"."},
    CalibrationTyped{"one_row", "3", "3=2", {},
                     "Check \"Water meter calibration (scale = flow)\": a calibration table needs at least two rows."},
    CalibrationTyped{"scale_falls", "3", "0=0; 4=1; 2=2", {},
                     "Check \"Water meter calibration (scale = flow)\": row 3 of the calibration table must have a "
                     "higher reading and flow than the row before."},
    CalibrationTyped{"flow_stays", "3", "0=0; 2=1; 4=1", {},
                     "Check \"Water meter calibration (scale = flow)\": row 3 of the calibration table must have a "
                     "higher reading and flow than the row before."},
    CalibrationTyped{"no_reading_for_it", "", "0=0; 4=5", {},
                     "Type the reading of \"Water meter\", or empty \"Water meter calibration (scale = flow)\"."}),
    [](const auto& row) { return std::string(row.param.name); });

// The lab's check: a water meter at 3.0 on the table 0=0; 2=1.5; 4=3.5 reads
// 2.5 L/h and gives what a meter showing 2.5 L/h gives; beyond the table it
// is refused as the calculation refuses it.
TEST(ReadingsForm, CalibrationGivesTheFlowItsTableShows)
{
    present::ReadingsForm form = typed({{ReadingField::waterMeter, "3,0"}, {ReadingField::meterTemperature, "21"}});
    form.units[2] = series::MeterUnit::litresPerHour;
    form.calibrations[2] = "0=0; 2=1,5; 4=3,5";
    const auto read = present::readingsOf(form, std::nullopt, {}, german);
    ASSERT_TRUE(std::holds_alternative<std::optional<series::Readings>>(read));
    const series::Readings& readings = *std::get<std::optional<series::Readings>>(read);
    series::Readings shown;
    shown.water = series::MeterReading{2.5, series::MeterUnit::litresPerHour, 21.0, 101.325, {}};
    const auto given = series::inputsFromReadings(readings, "mol/s");
    ASSERT_TRUE(std::holds_alternative<series::InputsFromReadings>(given));
    EXPECT_EQ(std::get<series::InputsFromReadings>(given).waterFlow,
              std::get<series::InputsFromReadings>(series::inputsFromReadings(shown, "mol/s")).waterFlow);
    EXPECT_EQ(present::givenText(readings, "mol/s", {}, german), present::givenText(shown, "mol/s", {}, german));

    form.texts[static_cast<std::size_t>(ReadingField::waterMeter)] = "4,5";
    const auto beyond = present::readingsOf(form, std::nullopt, {}, german);
    ASSERT_TRUE(std::holds_alternative<std::optional<series::Readings>>(beyond));
    EXPECT_EQ(present::givenText(*std::get<std::optional<series::Readings>>(beyond), "mol/s", {}, german),
              "the reading lies outside its meter's calibration table");
}

// The dialog's lines: every field once, each calibration under its meter,
// names apart, and no accelerator twice.
TEST(ReadingsForm, LinesNameEveryFieldOnceWithItsOwnAccelerator)
{
    const auto lines = present::formLines();
    std::set<std::string> keys;
    std::set<char> accelerators;
    present::ReadingsForm form;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const present::FormLine line = lines[i];
        EXPECT_TRUE(keys.insert(present::formKey(line)).second) << present::formKey(line);
        const std::string label = present::formLabel(line, {});
        const auto amp = label.find('&');
        ASSERT_NE(amp, std::string::npos) << label;
        EXPECT_TRUE(accelerators.insert(char(std::tolower(label[amp + 1]))).second) << label;
        present::formText(form, line) = std::to_string(i);
        if (line.part == present::FormLine::Part::calibration) {
            ASSERT_GT(i, 0u);
            EXPECT_TRUE(present::isMeter(lines[i - 1]));
            EXPECT_EQ(ReadingField(lines[i - 1].index), present::meterField(line.index));
        }
    }
    EXPECT_EQ(keys.count("water_meter_calibration"), 1u);
    // Each text in its own place of the form.
    std::set<std::string> texts(form.texts.begin(), form.texts.end());
    texts.insert(form.calibrations.begin(), form.calibrations.end());
    texts.insert(form.uncertainties.begin(), form.uncertainties.end());
    EXPECT_EQ(texts.size(), present::formLineCount);
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
    if (c.field == ReadingField::baseMolarity)
        readings.titration = series::Titration{10.0, 0.1, 25.0, 0.0, 1, 0.1, 12.6, {}, 20.0};
    EXPECT_EQ(present::readingTitle(c.field, {}), c.title);
    EXPECT_EQ(present::readingText(c.typed ? std::nullopt : std::optional(readings), c.field, german), c.text);
}

INSTANTIATE_TEST_SUITE_P(Table, ReadingsColumns, testing::Values(
    ColumnCase{"acid_volume", ReadingField::acidVolume, false, "Acid to the end point (mL)", "12,4"},
    ColumnCase{"air_meter_with_its_unit", ReadingField::airMeter, false, "Air meter", "2,5 m3/h"},
    ColumnCase{"water_meter_not_read", ReadingField::waterMeter, false, "Water meter", ""},
    ColumnCase{"density_not_given", ReadingField::density, false, "Sample density (g/L, empty: water's)", ""},
    ColumnCase{"run_typed", ReadingField::sampleVolume, true, "Sample volume (mL)", ""},
    ColumnCase{"base_of_a_back_titration", ReadingField::baseMolarity, false, "Base molarity (mol/L)", "0,1"},
    ColumnCase{"no_base_in_a_direct_one", ReadingField::baseVolume, false, "Base volume to the end point (mL)", ""}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
