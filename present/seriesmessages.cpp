#include "present/seriesmessages.h"

#include "present/words.h"

#include <algorithm>
#include <iterator>
#include <set>
#include <string>

namespace present {

namespace {

using series::MessageKind;

// The i-th value, or nothing where a message lacks it, so that a message
// made by hand is worded rather than refused.
std::string textAt(const series::Message& message, std::size_t i)
{
    return i < message.texts.size() ? message.texts[i] : std::string();
}

std::string countAt(const series::Message& message, std::size_t i, const NumberLocale& locale)
{
    return exactText(static_cast<double>(i < message.counts.size() ? message.counts[i] : 0), locale);
}

bool one(const series::Message& message, std::size_t i)
{
    return i < message.counts.size() && message.counts[i] == 1;
}

// A JSON value's kind as the reader names it: "string", "integer", "boolean"…
std::string kindText(const std::string& kind, const Language& language)
{
    if (kind == "string")
        return language.translate("Series", "a string").str();
    if (kind == "array")
        return language.translate("Series", "an array").str();
    if (kind == "object")
        return language.translate("Series", "an object").str();
    if (kind == "number")
        return language.translate("Series", "a number").str();
    if (kind == "integer")
        return language.translate("Series", "an integer").str();
    if (kind == "boolean")
        return language.translate("Series", "true or false").str();
    // null, true and false as JSON writes them
    return kind;
}

// One or two ways to write a number: "1500 or 1.5".
std::string choices(const series::Message& message, const Language& language)
{
    if (message.texts.size() < 2)
        return textAt(message, 0);
    return language.translate("Series", "%1 or %2").arg(message.texts[0]).arg(message.texts[1]).str();
}

// The required columns as the user's language names them, for the sentences
// that list them.
Text withRequiredColumns(const Text& sentence, const Language& language)
{
    return sentence.arg(columnWord("y1", language))
        .arg(columnWord("x1", language))
        .arg(columnWord("gas_flow", language))
        .arg(columnWord("water_flow", language));
}

std::string outcomeText(const std::string& name, const Language& language)
{
    const auto outcome = series::outcomeNamed(name);
    return outcome ? outcomeName(language, *outcome) : name;
}

// The CSV reader's and the notices' words; seriesFileText adds the series
// file's, seriesMessage the fit's and the uncertainties', each falling back
// on the one before. A kind none words is empty, which the tests refuse.
Text readerText(const series::Message& m, const Language& language, const NumberLocale& locale)
{
    const auto count = [&](std::size_t i) { return countAt(m, i, locale); };
    const auto text = [&](std::size_t i) { return textAt(m, i); };
    const auto column = [&](std::size_t i) { return columnWord(textAt(m, i), language); };
    switch (m.kind) {
    case MessageKind::columnUnnamed:
        return language.translate("Series", "column %1 has no name, ignored").arg(count(0));
    case MessageKind::columnIgnored:
        return language.translate("Series", "column \"%1\" ignored: Quillon does not read it").arg(text(0));
    case MessageKind::columnRepeated:
        return language.translate("Series", "column \"%1\" ignored: it repeats %2").arg(text(0)).arg(column(1));
    case MessageKind::skippedBlankLine:
        return language.translate("Series", "skipped: blank line");
    case MessageKind::skippedNoValues:
        return language.translate("Series", "skipped: no values");
    case MessageKind::skippedFieldCount:
        return language.translate("Series", "skipped: %1 fields where the header has %2").arg(count(0)).arg(count(1));
    case MessageKind::skippedBeforeHeader:
        return language.translate("Series", "skipped: a line before the header");
    case MessageKind::skippedMissingValue:
        return language.translate("Series", "skipped: no %1").arg(column(0));
    case MessageKind::skippedNotANumber:
        return language.translate("Series", "skipped: %1 \"%2\" is not a number").arg(column(0)).arg(text(1));
    case MessageKind::readAsWindows1252:
        return language.translate("Series",
                                  "not UTF-8; the file is read as Windows-1252 (Western European), as Excel saves CSV");
    case MessageKind::unknownKeyKept:
        return language.translate("Series", "unknown key \"%1\", kept as it is").arg(text(0));
    case MessageKind::unknownRunKeyKept:
        return one(m, 0)
            ? language.translate("Series", "unknown key \"%1\" in 1 run, kept as it is").arg(text(0))
            : language.translate("Series", "unknown key \"%1\" in %2 runs, kept as it is").arg(text(0)).arg(count(0));
    case MessageKind::flowsConverted:
        return language.translate("Series", "the runs' flows converted from %1 to the series' %2")
            .arg(text(0))
            .arg(text(1));
    case MessageKind::flowsNotConverted:
        return language
            .translate("Series",
                       "the runs' flows are in \"%1\", the series' in \"%2\": taken as they are, as "
                       "one of them names no unit Quillon converts")
            .arg(text(0))
            .arg(text(1));
    case MessageKind::unknownResultIgnored:
        return one(m, 0)
            ? language
                  .translate("Series", "unknown key \"%1\" in the results of 1 run, ignored: results are recomputed")
                  .arg(text(0))
            : language
                  .translate("Series", "unknown key \"%1\" in the results of %2 runs, ignored: results are recomputed")
                  .arg(text(0))
                  .arg(count(0));
    case MessageKind::emptyFile:
        return withRequiredColumns(
            language.translate("Series", "the file is empty; expected a header naming %1, %2, %3 and %4"), language);
    case MessageKind::notText:
        return language.translate("Series", "expected text in UTF-8 or Windows-1252; save the file as \"CSV UTF-8\"");
    case MessageKind::missingColumns: {
        std::string list;
        for (const std::string& key : m.texts)
            list += (list.empty() ? "" : ", ") + columnWord(key, language);
        return withRequiredColumns(
                   m.texts.size() == 1
                       ? language.translate("Series", "the header has no %5 column; expected columns %1, %2, %3 and %4")
                       : language.translate("Series",
                                            "the header has no %5 columns; expected columns %1, %2, %3 and %4"),
                   language)
            .arg(list);
    }
    case MessageKind::numberRefused:
        return language.translate("Series", "%1 \"%2\" %3")
            .arg(column(0))
            .arg(text(1))
            .arg(m.cause.empty() ? std::string() : seriesMessage(m.cause.front(), language, locale));
    case MessageKind::noRunRowsSkipped:
        return language.translate("Series", "no run in the file: every row was skipped, the first at line %1 (%2)")
            .arg(count(0))
            .arg(m.cause.empty() ? std::string() : seriesMessage(m.cause.front(), language, locale));
    case MessageKind::noRunNoRows:
        return language.translate("Series", "no run in the file: it has a header but no rows");
    case MessageKind::unclosedQuote:
        return language.translate("Series", "this quoted field is never closed; expected a \"");
    case MessageKind::tooManyRows:
        return language.translate("Series", "more than %1 rows; Quillon reads at most %1 rows of a CSV file")
            .arg(count(0));
    case MessageKind::tooManyCells:
        return language.translate("Series", "more than %1 cells in a line; Quillon reads at most %1 columns")
            .arg(count(0));
    case MessageKind::cellTooLong:
        return language.translate("Series", "a cell of more than %1 bytes; Quillon reads cells of at most 1 MiB")
            .arg(count(0));
    case MessageKind::numberGroupedBySpace:
        return language.translate("Series", "has a space as a group separator; write it without one, as %1")
            .arg(text(0));
    case MessageKind::numberGroupedByApostrophe:
        return language.translate("Series", "has an apostrophe as a group separator; write it without one, as %1")
            .arg(text(0));
    case MessageKind::numberGroupedByComma:
        return language.translate("Series", "has a comma as a group separator; write it without one, as %1")
            .arg(text(0));
    case MessageKind::numberGroupedByPoint:
        return language.translate("Series", "has a point as a group separator; write it without one, as %1")
            .arg(text(0));
    case MessageKind::numberPointAndCommaUseComma:
        return language
            .translate("Series",
                       "has a point and a comma; write it without a group separator and with a decimal comma, as %1")
            .arg(text(0));
    case MessageKind::numberPointAndCommaUsePoint:
        return language
            .translate("Series",
                       "has a point and a comma; write it without a group separator and with a decimal point, as %1")
            .arg(text(0));
    case MessageKind::numberAmbiguous:
        return language
            .translate("Series",
                       "could mean %1, and no other number in this file shows its decimal separator; "
                       "write the one you mean")
            .arg(choices(m, language));
    case MessageKind::numberCommaAmongPoints:
        return language.translate("Series", "has a comma, but this file's numbers use a decimal point; write %1")
            .arg(choices(m, language));
    case MessageKind::numberPointAmongCommas:
        return language.translate("Series", "has a point, but this file's numbers use a decimal comma; write %1")
            .arg(choices(m, language));
    case MessageKind::fileTooLong:
        return language.translate("Series", "the file goes on past %1 bytes; Quillon reads files of at most 64 MiB")
            .arg(count(0));
    case MessageKind::tooManyRuns:
        return language.translate("Series", "more than %1 runs; Quillon reads at most %1 runs in a file").arg(count(0));
    default:
        return Text(std::string());
    }
}

Text seriesFileText(const series::Message& m, const Language& language, const NumberLocale& locale)
{
    const auto count = [&](std::size_t i) { return countAt(m, i, locale); };
    const auto text = [&](std::size_t i) { return textAt(m, i); };
    const auto kind = [&](std::size_t i) { return kindText(textAt(m, i), language); };
    switch (m.kind) {
    case MessageKind::jsonEndOfInput:
        return language.translate("Series", "syntax error: unexpected end of input");
    case MessageKind::jsonInvalidLiteral:
        return language.translate("Series", "syntax error: invalid literal; last read: '%1'").arg(text(0));
    case MessageKind::jsonInvalidString:
        return language.translate("Series", "syntax error: invalid string; last read: '%1'").arg(text(0));
    case MessageKind::jsonInvalidNumber:
        return language.translate("Series", "syntax error: invalid number; last read: '%1'").arg(text(0));
    case MessageKind::jsonUnexpected:
        return language.translate("Series", "syntax error: unexpected '%1'").arg(text(0));
    case MessageKind::jsonUnexpectedValue:
        return language.translate("Series", "syntax error: unexpected value");
    case MessageKind::jsonNotJson:
        return language.translate("Series", "expected JSON text");
    case MessageKind::numberTooLarge:
        return language.translate("Series", "the number %1 is too large; expected a finite number").arg(text(0));
    case MessageKind::tooManyMembers:
        return language.translate("Series", "more than %1 members in an object; Quillon reads at most %1")
            .arg(count(0));
    case MessageKind::nestedTooDeep:
        return language
            .translate("Series", "arrays and objects nested more than %1 deep; Quillon reads at most %1 levels")
            .arg(count(0));
    case MessageKind::stringTooLong:
        return language.translate("Series", "a string of more than %1 bytes; Quillon reads strings of at most 1 MiB")
            .arg(count(0));
    case MessageKind::notASeriesObject:
        return language.translate("Series", "expected an object with \"format\", \"version\" and \"runs\", found %1")
            .arg(kind(0));
    case MessageKind::wrongFormat:
        return language.translate("Series", "expected \"quillon-series\" for \"format\", found %1").arg(text(0));
    case MessageKind::noFormat:
        return language.translate("Series", "expected \"quillon-series\" for \"format\", found no \"format\"");
    case MessageKind::newerVersion:
        return language.translate("Series", "written by a newer Quillon (format version %1); this one reads version %2")
            .arg(text(0))
            .arg(count(0));
    case MessageKind::wrongVersion:
        return language.translate("Series", "expected format version %1, found %2").arg(count(0)).arg(text(0));
    case MessageKind::runNotAnObject:
        return language.translate("Series", "expected an object for a run, found %1").arg(kind(0));
    case MessageKind::wrongKind:
        return language.translate("Series", "expected %1 for \"%2\", found %3").arg(kind(1)).arg(text(0)).arg(kind(2));
    case MessageKind::missingInFile:
        return language.translate("Series", "expected %1 for \"%2\", but the file has no \"%2\"")
            .arg(kind(1))
            .arg(text(0));
    case MessageKind::missingInRun:
        return language.translate("Series", "expected %1 for \"%2\", but the run has no \"%2\"")
            .arg(kind(1))
            .arg(text(0));
    case MessageKind::missingInResults:
        return language.translate("Series", "expected %1 for \"%2\", but the results have no \"%2\"")
            .arg(kind(1))
            .arg(text(0));
    case MessageKind::wrongOutcome:
        return language
            .translate("Series",
                       "expected completed, invalid_data, invalid_operation, division_by_zero or overflow "
                       "for \"outcome\", found %1")
            .arg(text(0));
    case MessageKind::unknownUncertainty:
        return language
            .translate(
                "Series",
                "expected gas_flow_rel, water_flow_rel, y1, x1 or packing_height in \"uncertainty\", found \"%1\"")
            .arg(text(0));
    case MessageKind::negativeUncertainty:
        return language.translate("Series", "expected an uncertainty of 0 or more for \"%1\", found %2")
            .arg(text(0))
            .arg(text(1));
    case MessageKind::wrongEquilibrium:
        return language.translate("Series", "expected %2 for \"%1\" of \"equilibrium\", found %3")
            .arg(text(0))
            .arg(text(1))
            .arg(text(2));
    default:
        return readerText(m, language, locale);
    }
}

// Why a run's readings give no inputs.
Text readingText(const series::Message& m, const Language& language, const NumberLocale& locale)
{
    const auto text = [&](std::size_t i) { return textAt(m, i); };
    switch (m.kind) {
    case MessageKind::readingNotPositive:
        return language.translate("Series", "the reading \"%1\" must be greater than 0").arg(text(0));
    case MessageKind::readingNegative:
        return language.translate("Series", "the reading \"%1\" must be 0 or more").arg(text(0));
    case MessageKind::acidBelowBlank:
        return language.translate("Series",
                                  "the acid to the end point is less than the blank; type the blank's "
                                  "volume or 0");
    case MessageKind::baseExceedsAcid:
        return language.translate("Series",
                                  "the base titrated all the acid added or more; check the back-titration's "
                                  "volumes");
    case MessageKind::baseHalfGiven:
        return language.translate("Series",
                                  "a back-titration needs both the base's molarity and its volume to the end point; "
                                  "give both, or neither for a direct titration");
    case MessageKind::protonsOutOfRange:
        return language.translate("Series", "protons per acid molecule must be 1 (HCl), 2 (H2SO4) or 3, not %1")
            .arg(countAt(m, 0, locale));
    case MessageKind::temperatureOutOfRange:
        return language.translate("Series", "the temperature \"%1\" must lie between 0 and 150 °C").arg(text(0));
    case MessageKind::sampleTooConcentrated:
        return language.translate("Series", "the NH3 found would weigh as much as the sample; check the titration");
    case MessageKind::calibrationTooShort:
        return language.translate("Series", "a calibration table needs at least two rows");
    case MessageKind::calibrationNotRising:
        return language
            .translate("Series",
                       "row %1 of the calibration table must have a higher reading and flow than "
                       "the row before")
            .arg(countAt(m, 0, locale));
    case MessageKind::outsideCalibration:
        return language.translate("Series", "the reading lies outside its meter's calibration table");
    case MessageKind::flowUnitNotConvertible:
        return language
            .translate("Series",
                       "the flow unit \"%1\" is a label only; choose mol/s, mmol/s, mol/min, "
                       "mol/h or kmol/h for flows from readings")
            .arg(text(0));
    case MessageKind::ammoniaWithoutAir:
        return language.translate("Series", "an NH3 meter needs an air meter to give y1");
    case MessageKind::unknownMeterUnit:
        return language
            .translate("Series",
                       "expected L/min, L/h, m3/h, mL/min or kg/h as a meter's unit, found "
                       "\"%1\"")
            .arg(text(0));
    default:
        return language.translate("Series", "unknown key \"%1\" in a run's readings").arg(text(0));
    }
}

}  // namespace

std::string columnWord(std::string_view key, const Language& language)
{
    // Literal sources, so that lupdate finds them; German gives a header
    // name the CSV reader accepts. y1 and x1 are every language's names.
    if (key == "gas_flow")
        return language.translate("Series", "gas_flow").str();
    if (key == "water_flow")
        return language.translate("Series", "water_flow").str();
    if (key == "packing_height")
        return language.translate("Series", "packing_height").str();
    if (key == "label")
        return language.translate("Series", "label").str();
    return std::string(key);
}

std::string seriesMessage(const series::Message& m, const Language& language, const NumberLocale& locale)
{
    const auto count = [&](std::size_t i) { return countAt(m, i, locale); };
    switch (m.kind) {
    case MessageKind::noRunHasCoefficient:
        return language.translate("Series", "no run has a coefficient").str();
    case MessageKind::everyRunExcluded:
        return language.translate("Series", "every run with a coefficient is excluded").str();
    case MessageKind::noRunFits:
        return language.translate("Series", "no run has positive flows and a positive coefficient").str();
    case MessageKind::oneGasAndWaterFlow:
        return language.translate("Series", "all runs have one gas flow and one water flow").str();
    case MessageKind::tooFewRuns:
        return language.translate("Series", "%1 runs are too few for %2 parameters: at least %3 are needed")
            .arg(count(0))
            .arg(count(1))
            .arg(count(2))
            .str();
    case MessageKind::flowsCollinear:
        return language.translate("Series", "the gas and water flows are collinear in logarithms").str();
    case MessageKind::flowsVaryTooLittle:
        return language.translate("Series", "the flows vary too little to fit an exponent").str();
    case MessageKind::notFitted:
        return language.translate("Series", "the logarithms of the runs cannot be fitted").str();
    case MessageKind::oneGasFlow:
        return language.translate("Series", "all runs have one gas flow").str();
    case MessageKind::oneWaterFlow:
        return language.translate("Series", "all runs have one water flow").str();
    case MessageKind::notComputed:
        return language.translate("Series", "not computed").str();
    case MessageKind::cancelled:
        return language.translate("Series", "cancelled").str();
    case MessageKind::noPackingHeight:
        return language.translate("Series", "the run has no packing height").str();
    case MessageKind::runNotCompleted:
        return language.translate("Series", "the run does not complete: %1")
            .arg(outcomeText(textAt(m, 0), language))
            .str();
    case MessageKind::drivingForceChanges:
        return language.translate("Series", "the driving force changes sign between the limits").str();
    case MessageKind::noCoefficient:
        return language.translate("Series", "the run has no coefficient").str();
    case MessageKind::noInputUncertainty:
        return language.translate("Series", "no input has an uncertainty").str();
    case MessageKind::noValueAroundInput:
        return language.translate("Series", "the coefficient has no value on either side of an input").str();
    case MessageKind::tooManyFailedDraws:
        return language.translate("Series", "the model has no value for %1 of %2 draws, more than 1 %")
            .arg(count(0))
            .arg(count(1))
            .str();
    case MessageKind::noDraw:
        return language.translate("Series", "no draw was made within the largest number of draws").str();
    case MessageKind::readingNotPositive:
    case MessageKind::readingNegative:
    case MessageKind::acidBelowBlank:
    case MessageKind::baseExceedsAcid:
    case MessageKind::baseHalfGiven:
    case MessageKind::protonsOutOfRange:
    case MessageKind::temperatureOutOfRange:
    case MessageKind::sampleTooConcentrated:
    case MessageKind::calibrationTooShort:
    case MessageKind::calibrationNotRising:
    case MessageKind::outsideCalibration:
    case MessageKind::flowUnitNotConvertible:
    case MessageKind::ammoniaWithoutAir:
    case MessageKind::unknownMeterUnit:
    case MessageKind::unknownReadingKey:
        return readingText(m, language, locale).str();
    default:
        return seriesFileText(m, language, locale).str();
    }
}

namespace {

// Where in a series file: a run as the window numbers it ("run 2:
// readings" for /runs/1/readings), anything else by its JSON pointer.
std::string placeText(std::string_view pointer, const Language& language)
{
    constexpr std::string_view runs = "/runs/";
    if (!pointer.starts_with(runs))
        return std::string(pointer);
    const std::string_view rest = pointer.substr(runs.size());
    const std::size_t digits = std::min(rest.find('/'), rest.size());
    if (digits == 0 || digits > 9
        || !std::all_of(rest.begin(), rest.begin() + long(digits), [](char c) { return c >= '0' && c <= '9'; }))
        return std::string(pointer);
    const std::string run =
        language.translate("Series", "run %1").arg(std::stoul(std::string(rest.substr(0, digits))) + 1).str();
    return digits < rest.size() ? run + ": " + std::string(rest.substr(digits + 1)) : run;
}

}  // namespace

std::string describe(const series::ReadError& error, std::string_view fileName, const Language& language,
                     const NumberLocale& locale)
{
    std::string text(fileName);
    if (error.line > 0)
        text += ':' + std::to_string(error.line);
    if (error.line > 0 && error.column > 0)
        text += ':' + std::to_string(error.column);
    text += ": ";
    if (!error.pointer.empty())
        text += placeText(error.pointer, language) + ": ";
    return text + seriesMessage(error.message, language, locale);
}

std::string describe(const series::Notice& notice, std::string_view fileName, const Language& language,
                     const NumberLocale& locale)
{
    return describe(series::ReadError{notice.line, 0, {}, notice.message}, fileName, language, locale);
}

MessageBox refusedBox(const series::ReadError& error, std::string_view shownName, std::string_view fileName,
                      const Language& language, const NumberLocale& locale)
{
    return {language.translate("SeriesFiles", "Not opened").str(),
            language.translate("SeriesFiles", "%1 is not a series Quillon can read:\n%2")
                .arg(shownName)
                .arg(describe(error, fileName, language, locale))
                .str()};
}

std::vector<std::size_t> differingRuns(std::span<const series::Difference> differences)
{
    std::set<std::size_t> runs;
    for (const series::Difference& difference : differences)
        runs.insert(difference.run + 1);
    return {runs.begin(), runs.end()};
}

namespace {

// A box lists at most this many runs or notes.
constexpr std::size_t longestList = 12;

std::string runList(std::span<const series::Difference> differences, bool inputs)
{
    std::vector<series::Difference> ofKind;
    std::copy_if(differences.begin(), differences.end(), std::back_inserter(ofKind),
                 [inputs](const series::Difference& difference) { return difference.input == inputs; });
    const std::vector<std::size_t> runs = differingRuns(ofKind);
    std::string list;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        if (i > 0)
            list += ", ";
        if (i == longestList)
            return list + "…";
        list += std::to_string(runs[i]);
    }
    return list;
}

}  // namespace

std::vector<MessageBox> openedBoxes(std::span<const series::Difference> differences,
                                    std::span<const series::Notice> notices, std::string_view fileName,
                                    const Language& language, const NumberLocale& locale)
{
    std::vector<MessageBox> boxes;
    if (const std::string runs = runList(differences, true); !runs.empty()) {
        boxes.push_back({language.translate("SeriesFiles", "Inputs taken from the readings").str(),
                         language
                             .translate("SeriesFiles",
                                        "The inputs stored in %1 differ from those their readings give for run(s) "
                                        "%2: the file was edited, or written by another version. The runs take the "
                                        "inputs their readings give.")
                             .arg(fileName)
                             .arg(runs)
                             .str()});
    }
    if (const std::string runs = runList(differences, false); !runs.empty()) {
        boxes.push_back({language.translate("SeriesFiles", "Results recomputed").str(),
                         language
                             .translate("SeriesFiles",
                                        "The results stored in %1 differ from those Quillon computes now for run(s) "
                                        "%2: the file was edited, or written by another version. The runs show the "
                                        "results computed now.")
                             .arg(fileName)
                             .arg(runs)
                             .str()});
    }
    if (!notices.empty()) {
        std::string lines;
        for (std::size_t i = 0; i < notices.size(); ++i) {
            if (i > 0)
                lines += '\n';
            if (i == longestList) {
                lines += language.translate("SeriesFiles", "… and %1 more.")
                             .arg(exactText(double(notices.size() - longestList), locale))
                             .str();
                break;
            }
            lines += describe(notices[i], fileName, language, locale);
        }
        boxes.push_back({language.translate("SeriesFiles", "Read with notes").str(), lines});
    }
    return boxes;
}

}  // namespace present
