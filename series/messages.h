#pragma once

// What the readers, the fit and the uncertainty methods have to tell the
// user, as a code and the values it names. The words live in present/
// (present/seriesmessages.h), one wording per code in every language.

#include <cstddef>
#include <string>
#include <vector>

namespace series {

enum class MessageKind {
    // Notices of the CSV reader; texts and counts as each names.
    columnUnnamed,        // counts {column, 1-based}: a header cell without a name
    columnIgnored,        // texts {name as the file writes it}: a column Quillon does not read
    columnRepeated,       // texts {name, column it repeats}: a second column for one input
    skippedBlankLine,     // a line with nothing on it
    skippedNoValues,      // a row whose cells are all blank
    skippedFieldCount,    // counts {fields, header's fields}
    skippedBeforeHeader,  // a title line above the header
    skippedMissingValue,  // texts {column}: the cell of a required input is blank
    skippedNotANumber,    // texts {column, cell}
    readAsWindows1252,    // a file that is not UTF-8, read as Excel's Western European encoding
    // Notices of the series file reader.
    unknownKeyKept,        // texts {key}: at the top of the file
    unknownRunKeyKept,     // texts {key}, counts {runs having it}
    unknownResultIgnored,  // texts {key}, counts {runs having it}
    // Notices of Import Runs.
    flowsConverted,     // texts {the file's flow unit, the series'}: the runs' flows converted
    flowsNotConverted,  // texts {the file's flow unit, the series'}: one only labels, the numbers taken as they are

    // Refusals of a CSV file.
    emptyFile,         // no record at all
    notText,           // a byte that is neither UTF-8 nor text in Windows-1252
    missingColumns,    // texts {each required column the best header lacks}
    numberRefused,     // texts {column, cell}, cause {why: one of the number* kinds below}
    noRunRowsSkipped,  // counts {first skipped row's line}, cause {that row's notice}
    noRunNoRows,       // a header and nothing after it
    unclosedQuote,     // a quoted field the file never closes
    tooManyRows,       // counts {maxCsvRecords}
    tooManyCells,      // counts {maxCsvColumns}
    cellTooLong,       // counts {maxTextBytes}
    // Why a CSV cell that is a number cannot be read without a guess.
    numberGroupedBySpace,         // texts {the number without it}
    numberGroupedByApostrophe,    // texts {the number without it}
    numberGroupedByComma,         // texts {the number without it}
    numberGroupedByPoint,         // texts {the number without it}
    numberPointAndCommaUseComma,  // texts {the number with a decimal comma}; the file's numbers use commas
    numberPointAndCommaUsePoint,  // texts {the number with a decimal point}
    numberAmbiguous,              // texts {as a whole number, as a decimal}: no other cell decides
    numberCommaAmongPoints,       // texts {what to write, or two choices}
    numberPointAmongCommas,       // texts {what to write, or two choices}

    // Refusals of either reader.
    fileTooLong,  // counts {maxFileBytes}
    tooManyRuns,  // counts {maxRuns}

    // Refusals of a series file: JSON syntax and the readers' limits.
    jsonEndOfInput,       // the text ends inside a value
    jsonInvalidLiteral,   // texts {what was read}
    jsonInvalidString,    // texts {what was read}
    jsonInvalidNumber,    // texts {what was read}
    jsonUnexpected,       // texts {the bracket, brace, colon or comma}: where another token was expected
    jsonUnexpectedValue,  // a value where a bracket, brace, colon or comma was expected
    jsonNotJson,          // any other syntax error
    numberTooLarge,       // texts {the number}
    tooManyMembers,       // counts {maxMembers}
    nestedTooDeep,        // counts {maxNesting}
    stringTooLong,        // counts {maxTextBytes}
    // Refusals of a series file: its meaning.
    notASeriesObject,     // texts {kind found}: the top is not an object
    wrongFormat,          // texts {"format" as found, JSON}
    noFormat,             // no "format" member
    newerVersion,         // texts {version found}, counts {version read}
    wrongVersion,         // texts {version found}, counts {version read}
    runNotAnObject,       // texts {kind found}
    wrongKind,            // texts {key, kind expected, kind found}
    missingInFile,        // texts {key, kind expected}
    missingInRun,         // texts {key, kind expected}
    missingInResults,     // texts {key, kind expected}
    wrongOutcome,         // texts {"outcome" as found, JSON}
    unknownUncertainty,   // texts {key}
    negativeUncertainty,  // texts {key, value as found}
    wrongEquilibrium,     // texts {key, what is expected, value as found}: the "equilibrium" object

    // Why the fit gives no law or leaves an exponent out.
    noRunHasCoefficient,  // the analysis holds no run with a coefficient
    everyRunExcluded,     // every run with a coefficient is left out
    noRunFits,            // no run has positive flows and coefficient
    oneGasAndWaterFlow,   // every run at one gas flow and one water flow
    tooFewRuns,           // counts {runs, parameters, runs needed}
    flowsCollinear,       // the gas and water flows are collinear in logarithms
    flowsVaryTooLittle,   // one flow varies, but too little for its exponent
    notFitted,            // least squares failed for another reason
    oneGasFlow,           // the gas exponent is left out
    oneWaterFlow,         // the water exponent is left out

    // Why a run's uncertainty is not given.
    notComputed,          // not yet asked for
    cancelled,            // the user cancelled the draws
    noPackingHeight,      // the run has no height
    runNotCompleted,      // texts {the outcome's name in files}
    drivingForceChanges,  // the driving force changes sign between the limits
    noCoefficient,        // the run has no coefficient
    noInputUncertainty,   // no input has an uncertainty
    noValueAroundInput,   // the coefficient has no value on either side of an input
    tooManyFailedDraws,   // counts {draws without a value, draws}: more than 1 %
    noDraw,               // the largest number of draws made none with a value

    // Why a run's readings give no inputs (series/readings.h); a key is the
    // reading's key in the series file.
    readingNotPositive,      // texts {key}: a sample volume, molarity, pressure or density not above 0
    readingNegative,         // texts {key}: a volume or a meter's reading below 0
    acidBelowBlank,          // the acid to the end point is less than the blank
    baseExceedsAcid,         // the base titrated all the acid added, or more
    baseHalfGiven,           // a back-titration's base molarity without its volume, or its volume alone
    protonsOutOfRange,       // counts {protons}: not 1, 2 or 3
    temperatureOutOfRange,   // texts {key}: outside 0 to 150 degrees Celsius, where the density is known
    sampleTooConcentrated,   // the NH3 found weighs as much as the sample
    calibrationTooShort,     // a calibration table of fewer than two rows
    calibrationNotRising,    // counts {row, 1-based}: its scale reading or flow does not rise over the row before
    outsideCalibration,      // the reading lies outside its meter's calibration table
    flowUnitNotConvertible,  // texts {the series' flow unit}: a label, not a unit readings convert to
    ammoniaWithoutAir,       // an NH3 meter without an air meter gives no y1
    unknownMeterUnit,        // texts {unit as found}
    unknownReadingKey,       // texts {key}: in a run's readings
};

// How many kinds there are: unknownReadingKey is the last.
inline constexpr std::size_t messageKindCount = static_cast<std::size_t>(MessageKind::unknownReadingKey) + 1;

// A message: its code, the values it names and, for one that quotes
// another (a refused number, a file whose every row was skipped), that one.
struct Message {
    MessageKind kind{};
    std::vector<std::string> texts{};   // as the file or the user wrote them
    std::vector<std::size_t> counts{};  // counts, lines, limits
    std::vector<Message> cause{};       // at most one

    bool is(MessageKind other) const { return kind == other; }
};

}  // namespace series
