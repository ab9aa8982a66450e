#include "series/csv.h"
#include "series/csvnumbers.h"
#include "series/csvrecords.h"
#include "series/readingcolumns.h"
#include "series/textreading.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <string>
#include <utility>

namespace series {
namespace {

// What a column holds. The first four are the run's inputs, in the order of
// absorber::RunInputs.
// The lab's readings follow the label and the column's temperature: a
// titration and meter readings, each optional in a row, giving the inputs
// they replace. The reported results after them are read for check alone.
enum Column {
    y1,
    x1,
    gasFlow,
    waterFlow,
    packingHeight,
    label,
    temperature,
    // In the order of ReadingColumn.
    sampleVolume,
    acidMolarity,
    acidVolume,
    blankVolume,
    baseMolarity,
    baseVolume,
    protons,
    density,
    sampleTemperature,
    airMeter,
    ammoniaMeter,
    waterMeter,
    meterTemperature,
    meterPressure,
    y2,
    ntu,
    mtc,
    uMtc,
    expandedU,
    result
};
constexpr std::size_t columnCount = result;  // the columns read

constexpr std::array<std::string_view, columnCount> columnNames{
    "y1",
    "x1",
    "gas_flow",
    "water_flow",
    "packing_height",
    "label",
    "temperature",
    readingColumnNames[0],
    readingColumnNames[1],
    readingColumnNames[2],
    readingColumnNames[3],
    readingColumnNames[4],
    readingColumnNames[5],
    readingColumnNames[6],
    readingColumnNames[7],
    readingColumnNames[8],
    readingColumnNames[9],
    readingColumnNames[10],
    readingColumnNames[11],
    readingColumnNames[12],
    readingColumnNames[13],
    "y2",
    "ntu",
    "mtc",
    "u_mtc",
    "U",
};
static_assert(meterPressure - sampleVolume + 1 == readingColumnCount);

// The readings' column of a reading.
constexpr Column columnOf(ReadingColumn reading)
{
    return Column(sampleVolume + int(reading));
}

// The columns that give a run numbers: its inputs, height, temperature and readings.
constexpr std::array<Column, 20> numberColumns{
    y1,           x1,           gasFlow,      waterFlow,        packingHeight,
    temperature,  sampleVolume, acidMolarity, acidVolume,       blankVolume,
    baseMolarity, baseVolume,   protons,      density,          sampleTemperature,
    airMeter,     ammoniaMeter, waterMeter,   meterTemperature, meterPressure,
};

struct HeaderName {
    std::string_view normalised;
    Column column;
};

// Names as Export, the Runs window (in English and German) and people with a
// spreadsheet write them, after normalising; German ones with umlauts and
// as ASCII writes them (oe for ö).
constexpr auto headerNames = std::to_array<HeaderName>({
    {"y1", y1},
    {"yin", y1},
    {"yein", y1},
    {"gasmolefraction", y1},
    {"molefractiongas", y1},
    {"molenbruchgas", y1},
    {"gasmolenbruch", y1},
    {"stoffmengenanteilgas", y1},
    {"x1", x1},
    {"xout", x1},
    {"xaus", x1},
    {"watermolefraction", x1},
    {"molefractionwater", x1},
    {"liquidmolefraction", x1},
    {"molenbruchwasser", x1},
    {"wassermolenbruch", x1},
    {"molenbruchflüssigkeit", x1},
    {"stoffmengenanteilwasser", x1},
    {"gasflow", gasFlow},
    {"gasflowrate", gasFlow},
    {"airflow", gasFlow},
    {"airflowrate", gasFlow},
    {"gasstrom", gasFlow},
    {"gasdurchsatz", gasFlow},
    {"gasmengenstrom", gasFlow},
    {"luftstrom", gasFlow},
    {"waterflow", waterFlow},
    {"waterflowrate", waterFlow},
    {"h20flowrate", waterFlow},
    {"h2oflowrate", waterFlow},
    {"liquidflow", waterFlow},
    {"liquidflowrate", waterFlow},
    {"wasserstrom", waterFlow},
    {"wasserdurchsatz", waterFlow},
    {"wassermengenstrom", waterFlow},
    {"flüssigkeitsstrom", waterFlow},
    {"packingheight", packingHeight},
    {"height", packingHeight},
    {"heightofpacking", packingHeight},
    {"packedheight", packingHeight},
    {"bedheight", packingHeight},
    {"packedbedheight", packingHeight},
    {"füllkörperhöhe", packingHeight},
    {"fuellkoerperhoehe", packingHeight},
    {"packungshöhe", packingHeight},
    {"packungshoehe", packingHeight},
    {"höhe", packingHeight},
    {"hoehe", packingHeight},
    {"schütthöhe", packingHeight},
    {"schuetthoehe", packingHeight},
    {"füllhöhe", packingHeight},
    {"fuellhoehe", packingHeight},
    {"betthöhe", packingHeight},
    // The readings, as Export and lab sheets in either language name them.
    {"samplevolumeml", sampleVolume},
    {"samplevolume", sampleVolume},
    {"probenvolumen", sampleVolume},
    {"acidmolarity", acidMolarity},
    {"acidconcentration", acidMolarity},
    {"säurekonzentration", acidMolarity},
    {"saeurekonzentration", acidMolarity},
    {"säuremolarität", acidMolarity},
    {"acidvolumeml", acidVolume},
    {"acidvolume", acidVolume},
    {"säureverbrauch", acidVolume},
    {"saeureverbrauch", acidVolume},
    {"blankvolumeml", blankVolume},
    {"blank", blankVolume},
    {"blankvolume", blankVolume},
    {"blindwert", blankVolume},
    // A back-titration's base, by the Readings dialog's words too.
    {"basemolarity", baseMolarity},
    {"baseconcentration", baseMolarity},
    {"laugenkonzentration", baseMolarity},
    {"basenkonzentration", baseMolarity},
    {"basevolumeml", baseVolume},
    {"basevolume", baseVolume},
    {"basevolumetotheendpoint", baseVolume},
    {"laugenverbrauch", baseVolume},
    {"laugenverbrauchbiszumendpunkt", baseVolume},
    {"basenverbrauch", baseVolume},
    {"protons", protons},
    {"protonen", protons},
    {"densitygperl", density},
    {"density", density},
    {"dichte", density},
    {"sampletemperaturec", sampleTemperature},
    {"sampletemperature", sampleTemperature},
    {"probentemperatur", sampleTemperature},
    {"airmeter", airMeter},
    {"gasmeter", airMeter},
    {"gaszähler", airMeter},
    {"gaszaehler", airMeter},
    {"luftzähler", airMeter},
    {"luftzaehler", airMeter},
    {"ammoniameter", ammoniaMeter},
    {"nh3meter", ammoniaMeter},
    {"nh3zähler", ammoniaMeter},
    {"nh3zaehler", ammoniaMeter},
    {"ammoniakzähler", ammoniaMeter},
    {"ammoniakzaehler", ammoniaMeter},
    {"watermeter", waterMeter},
    {"wasserzähler", waterMeter},
    {"wasserzaehler", waterMeter},
    {"metertemperaturec", meterTemperature},
    {"metertemperature", meterTemperature},
    {"temperaturzähler", meterTemperature},
    {"temperaturzaehler", meterTemperature},
    {"zählertemperatur", meterTemperature},
    {"zaehlertemperatur", meterTemperature},
    {"meterpressurekpa", meterPressure},
    {"meterpressure", meterPressure},
    {"pressure", meterPressure},
    {"druck", meterPressure},
    {"luftdruck", meterPressure},
    {"label", label},
    {"name", label},
    {"bezeichnung", label},
    {"beschriftung", label},
    {"temperature", temperature},
    {"columntemperature", temperature},
    {"temp", temperature},
    {"temperatur", temperature},
    {"kolonnentemperatur", temperature},
    {"säulentemperatur", temperature},
    {"saeulentemperatur", temperature},
    // Results a grader checks; opening recomputes them.
    {"y2", y2},
    {"ntu", ntu},
    {"mtc", mtc},
    {"masstransfercoefficient", mtc},
    {"stoffübergangskoeffizient", mtc},
    {"umtc", uMtc},
    {"u", expandedU},
    // Results and the user's marks: opening recomputes, so they are not read.
    {"run", result},
    {"lauf", result},
    {"versuch", result},
    {"eqx", result},
    {"eqy", result},
    {"equilibriumx", result},
    {"equilibriumy", result},
    {"equilibriumy*", result},
    {"gleichgewichtsx", result},
    {"gleichgewichtsy", result},
    {"gleichgewichtsy*", result},
    {"outcome", result},
    {"excluded", result},
    {"findings", result},
    {"ntucolburn", result},
    {"mtc95low", result},
    {"mtc95high", result},
    {"hog", result},
    {"htu", result},
    {"mtccolburn", result},
    {"hogcolburn", result},
    {"umtcreason", result},  // quillon-cli compute's last column
    {"ergebnis", result},
});

// Lowercase (ASCII and the German umlauts), without a unit after it in
// parentheses or brackets or after " / ", and without spaces, '_' and '-'.
std::string normalised(std::string_view name)
{
    name = text::trimmed(name);
    // A unit may hold brackets of its own, "MTC (mol/(s·m³))": cut where
    // the bracket that ends the name opens.
    for (const auto& [open, close] : {std::pair('(', ')'), std::pair('[', ']')}) {
        int depth = 0;
        for (std::size_t i = name.ends_with(close) ? name.size() : 0; i-- > 0;) {
            depth += name[i] == close ? 1 : name[i] == open ? -1 : 0;
            if (depth == 0) {
                name = text::trimmed(name.substr(0, i));
                break;
            }
        }
    }
    // "Höhe / m", as German lab sheets write a quantity and its unit.
    if (const std::size_t slash = name.find(" / "); slash != std::string_view::npos && slash > 0)
        name = name.substr(0, slash);
    std::string result;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        if (c == ' ' || c == '\t' || c == '_' || c == '-')
            continue;
        if (c >= 'A' && c <= 'Z') {
            result += static_cast<char>(c - 'A' + 'a');
        } else if (c == '\xC3' && i + 1 < name.size()
                   && (name[i + 1] == '\x84' || name[i + 1] == '\x96' || name[i + 1] == '\x9C')) {
            // Ä, Ö, Ü are C3 84, C3 96, C3 9C; ä, ö, ü are 0x20 further on.
            result += c;
            result += static_cast<char>(name[++i] + 0x20);
        } else {
            result += c;
        }
    }
    return result;
}

// Where each column is, from the header, with a notice for each column left
// unread when asked for.
using Layout = std::array<std::optional<std::size_t>, columnCount>;

Layout layoutOf(const csv::Record& header, std::vector<Notice>* notices = nullptr)
{
    Layout layout;
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
        const std::string& name = header.fields[i];
        const std::string key = normalised(name);
        const auto known = std::find_if(headerNames.begin(), headerNames.end(),
                                        [&](const HeaderName& entry) { return entry.normalised == key; });
        if (known != headerNames.end() && known->column != result && !layout[known->column]) {
            layout[known->column] = i;
        } else if (notices && known == headerNames.end()) {
            notices->push_back({header.line,
                                key.empty() ? Message{MessageKind::columnUnnamed, {}, {i + 1}}
                                            : Message{MessageKind::columnIgnored, {name}}});
        } else if (notices && known->column != result && known->column < y2) {
            notices->push_back(
                {header.line, Message{MessageKind::columnRepeated, {name, std::string(columnNames[known->column])}}});
        }
    }
    return layout;
}

// Export puts an apostrophe before a label a spreadsheet would take for a
// formula, and before one that starts with an apostrophe; this undoes it.
std::string labelOf(std::string_view cell)
{
    const bool protectedLabel =
        cell.size() > 1 && cell[0] == '\'' && std::string_view("=+-@'").find(cell[1]) != std::string_view::npos;
    return std::string(protectedLabel ? cell.substr(1) : cell);
}

// A row that is not a run: why, for its notice.
struct Skipped {
    Message why;
};

// Whether the header has the readings that give an input.
bool readingsGive(const Layout& layout, Column input)
{
    switch (input) {
    case y1:
        return layout[airMeter] && layout[ammoniaMeter];
    case x1:
        return layout[sampleVolume] && layout[acidMolarity] && layout[acidVolume];
    case gasFlow:
        return layout[airMeter].has_value();
    case waterFlow:
        return layout[waterMeter].has_value();
    default:
        return false;
    }
}

// The meters' units, from their headers' units: "Gaszähler (L/min)".
std::variant<MeterUnits, ReadError> meterUnitsOf(const csv::Record& header, const Layout& layout)
{
    MeterUnits units{MeterUnit::litresPerMinute, MeterUnit::litresPerMinute, MeterUnit::litresPerMinute};
    const Column meters[] = {airMeter, ammoniaMeter, waterMeter};
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (!layout[meters[i]])
            continue;
        std::string_view name = text::trimmed(header.fields[*layout[meters[i]]]);
        std::string_view unit;
        if (const std::size_t slash = name.find(" / "); slash != std::string_view::npos)
            unit = text::trimmed(name.substr(slash + 3));
        else if (name.ends_with(')') || name.ends_with(']'))
            unit = text::trimmed(name.substr(name.find_last_of("([") + 1, name.size() - name.find_last_of("([") - 2));
        if (unit.empty())
            continue;
        const std::string written = unit == "m³/h" ? std::string("m3/h") : std::string(unit);
        const auto named = meterUnitNamed(written);
        if (!named)
            return ReadError{header.line, 0, {}, {MessageKind::unknownMeterUnit, {std::string(unit)}}};
        units[i] = *named;
    }
    return units;
}

using Values = std::array<std::optional<double>, columnCount>;

// The run in a row, why the row is none, or why the file cannot be read.
std::variant<Run, Skipped, ReadError> runOf(std::string_view text, const csv::Record& record, const Layout& layout,
                                            std::size_t headerFields, char decimal, const MeterUnits& units)
{
    if (std::all_of(record.fields.begin(), record.fields.end(),
                    [](const std::string& cell) { return text::trimmed(cell).empty(); }))
        return Skipped{{record.raw.empty() ? MessageKind::skippedBlankLine : MessageKind::skippedNoValues}};
    if (record.fields.size() != headerFields)
        return Skipped{{MessageKind::skippedFieldCount, {}, {record.fields.size(), headerFields}}};

    Values values;
    for (const Column column : numberColumns) {
        if (!layout[column])
            continue;
        const std::string& cell = record.fields[*layout[column]];
        const std::string name(columnNames[column]);
        // A blank input is missing unless readings may give it.
        if (text::trimmed(cell).empty() && column < packingHeight && !readingsGive(layout, column))
            return Skipped{{MessageKind::skippedMissingValue, {name}}};
        if (text::trimmed(cell).empty())
            continue;
        const csv::CellNumber number = csv::readCell(cell, decimal);
        if (number.refusal) {
            const text::Position at = text::positionAt(text, record.starts[*layout[column]]);
            return ReadError{
                at.line, at.column, {}, Message{MessageKind::numberRefused, {name, cell}, {}, {*number.refusal}}};
        }
        if (!number.value)
            return Skipped{{MessageKind::skippedNotANumber, {name, cell}}};
        values[column] = number.value;
    }

    Run run;
    run.packingHeight = values[packingHeight];
    run.temperature = values[temperature];
    ReadingValues readingValues;
    for (std::size_t i = 0; i < readingColumnCount; ++i)
        readingValues[i] = values[columnOf(ReadingColumn(i))];
    run.readings = readingsOfRow(readingValues, units);
    InputsFromReadings given;
    if (run.readings) {
        auto inputs = inputsFromReadings(*run.readings, Series{}.flowUnit);
        if (Message* refused = std::get_if<Message>(&inputs))
            return ReadError{record.line, 0, {}, std::move(*refused)};
        given = std::get<InputsFromReadings>(inputs);
    }
    const std::optional<double> inputs[] = {
        given.y1 ? given.y1 : values[y1],
        given.x1 ? given.x1 : values[x1],
        given.gasFlow ? given.gasFlow : values[gasFlow],
        given.waterFlow ? given.waterFlow : values[waterFlow],
    };
    for (const Column column : {y1, x1, gasFlow, waterFlow}) {
        if (!inputs[column])
            return Skipped{{MessageKind::skippedMissingValue, {std::string(columnNames[column])}}};
    }
    run.inputs = {*inputs[y1], *inputs[x1], *inputs[gasFlow], *inputs[waterFlow]};
    if (layout[label])
        run.label = labelOf(record.fields[*layout[label]]);
    return run;
}

// A reported cell as typed, with its number if it is one.
ReportedCell reportedCell(std::string_view text, char decimal)
{
    const csv::CellNumber number = csv::readCell(text, decimal);
    return ReportedCell{std::string(text), number.refusal ? std::nullopt : number.value};
}

// The results a run's row reports, each cell read by the file's decimal
// separator; a cell that needs a guess or is no number keeps its text alone.
ReportedResults reportedOf(const csv::Record& record, const Layout& layout, char decimal)
{
    ReportedResults reported;
    reported.decimal = decimal == ',' ? ',' : '.';
    const std::pair<Column, std::optional<ReportedCell>*> cells[] = {{y2, &reported.y2},
                                                                     {ntu, &reported.ntu},
                                                                     {mtc, &reported.mtc},
                                                                     {uMtc, &reported.uMtc},
                                                                     {expandedU, &reported.expandedU}};
    for (const auto& [column, cell] : cells) {
        if (!layout[column])
            continue;
        const std::string_view text = text::trimmed(record.fields[*layout[column]]);
        if (text.empty())
            continue;
        *cell = reportedCell(text, decimal);
    }
    // A report's table often types the coefficient as the window shows it.
    if (reported.mtc) {
        const std::string typed = reported.mtc->text;
        const std::string_view text = typed;
        for (const std::string_view sign : {"\u00b1", "+/-", "+-"}) {
            const std::size_t at = text.find(sign);
            if (at == std::string_view::npos)
                continue;
            const std::string_view u = text::trimmed(text.substr(at + sign.size()));
            if (!u.empty())
                reported.mtcU = reportedCell(u, decimal);
            reported.mtc = reportedCell(text::trimmed(text.substr(0, at)), decimal);
            break;
        }
    }
    return reported;
}

// The decimal separator of the rows' numbers, from every input cell of
// every row that could be a run.
char decimalOf(std::span<const csv::Record> rows, const Layout& layout, std::size_t headerFields, char delimiter)
{
    std::size_t points = 0;
    std::size_t commas = 0;
    for (const csv::Record& row : rows) {
        if (row.fields.size() != headerFields)
            continue;
        for (const Column column : numberColumns) {
            if (!layout[column])
                continue;
            const char vote = csv::voteOf(row.fields[*layout[column]]);
            points += vote == '.';
            commas += vote == ',';
        }
    }
    return csv::decimalOf(points, commas, delimiter);
}

// The required columns a header lacks; none for a header.
std::optional<Message> missingColumns(const Layout& layout)
{
    Message missing{MessageKind::missingColumns};
    for (const Column column : {y1, x1, gasFlow, waterFlow}) {
        if (!layout[column] && !readingsGive(layout, column))
            missing.texts.emplace_back(columnNames[column]);
    }
    if (missing.texts.empty())
        return std::nullopt;
    return missing;
}

// The records split at the delimiter that gives a header, and which one is
// the header: the first record naming the required columns.
struct Table {
    char delimiter = ',';
    std::vector<csv::Record> records;
    std::size_t header = 0;
};

// Why records hold no header: the one most like a header names what it
// lacks.
ReadError noHeader(const std::vector<csv::Record>& records)
{
    if (records.empty())
        return ReadError{1, 1, {}, {MessageKind::emptyFile}};
    std::size_t best = 0;
    std::size_t bestNamed = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const Layout layout = layoutOf(records[i]);
        const auto named = static_cast<std::size_t>(std::count_if(layout.begin(), layout.begin() + packingHeight,
                                                                  [](const auto& at) { return at.has_value(); }));
        if (named > bestNamed) {
            best = i;
            bestNamed = named;
        }
    }
    return ReadError{records[best].line, 0, {}, *missingColumns(layoutOf(records[best]))};
}

// Title lines may come before the header and use another delimiter than
// the header's, so each delimiter is tried, the first line's first.
std::variant<Table, ReadError> tableOf(std::string_view text)
{
    const char first = csv::detectDelimiter(text);
    std::optional<ReadError> lacking;  // the first line's delimiter's, if none gives a header
    for (const char delimiter : {first, '\t', ';', ','}) {
        if (lacking && delimiter == first)
            continue;
        auto split = csv::splitRecords(text, delimiter);
        if (ReadError* error = std::get_if<ReadError>(&split)) {
            if (!lacking)
                return std::move(*error);
            continue;
        }
        auto& records = std::get<std::vector<csv::Record>>(split);
        const auto header = std::find_if(records.begin(), records.end(),
                                         [&](const csv::Record& record) { return !missingColumns(layoutOf(record)); });
        if (header != records.end()) {
            const auto at = static_cast<std::size_t>(header - records.begin());
            return Table{delimiter, std::move(records), at};
        }
        if (!lacking)
            lacking = noHeader(records);
    }
    return *lacking;
}

// The notice of a file read as Windows-1252, on the line of its first text
// that is not UTF-8, and the refusal of one that is neither UTF-8 nor text
// in Windows-1252.
Notice readAs1252(int line)
{
    return {line, {MessageKind::readAsWindows1252}};
}

}  // namespace

ImportResult importCsv(std::string_view bytes)
{
    std::string_view text = text::withoutBom(bytes);
    if (auto tooLarge = text::beyondFileLimit(text))
        return *tooLarge;
    // Excel's "CSV (comma delimited)" is Windows-1252 where it is set up
    // for a Western language; a file that is not UTF-8 is read as that.
    std::string decoded;
    std::optional<Notice> decodedNotice;
    if (const auto notUtf8 = text::firstInvalidUtf8(text)) {
        if (const auto bad = text::firstNonText1252(text)) {
            const std::string before = text::fromWindows1252(text.substr(0, *bad));
            const text::Position at = text::positionAt(before, before.size());
            return ReadError{at.line, at.column, {}, {MessageKind::notText}};
        }
        decodedNotice = readAs1252(text::positionAt(text, *notUtf8).line);
        decoded = text::fromWindows1252(text);
        text = decoded;
    }
    auto found = tableOf(text);
    if (ReadError* error = std::get_if<ReadError>(&found))
        return std::move(*error);
    const Table& table = std::get<Table>(found);

    ImportedSeries imported;
    if (decodedNotice)
        imported.notices.push_back(std::move(*decodedNotice));
    for (std::size_t i = 0; i < table.header; ++i) {
        const csv::Record& record = table.records[i];
        imported.notices.push_back(
            {record.line, {record.raw.empty() ? MessageKind::skippedBlankLine : MessageKind::skippedBeforeHeader}});
    }
    const csv::Record& header = table.records[table.header];
    const Layout layout = layoutOf(header, &imported.notices);
    const std::span<const csv::Record> rows = std::span(table.records).subspan(table.header + 1);
    const char decimal = decimalOf(rows, layout, header.fields.size(), table.delimiter);
    auto meterUnits = meterUnitsOf(header, layout);
    if (ReadError* error = std::get_if<ReadError>(&meterUnits))
        return std::move(*error);

    std::optional<Notice> firstSkip;
    for (const csv::Record& record : rows) {
        auto row = runOf(text, record, layout, header.fields.size(), decimal, std::get<MeterUnits>(meterUnits));
        if (ReadError* error = std::get_if<ReadError>(&row))
            return std::move(*error);
        if (Run* run = std::get_if<Run>(&row)) {
            if (imported.series.runs.size() == maxRuns)
                return ReadError{record.line, 1, {}, {MessageKind::tooManyRuns, {}, {maxRuns}}};
            imported.series.runs.push_back(std::move(*run));
            imported.reported.push_back(reportedOf(record, layout, decimal));
        } else {
            imported.notices.push_back({record.line, std::move(std::get<Skipped>(row).why)});
            if (!firstSkip)
                firstSkip = imported.notices.back();
        }
    }
    if (imported.series.runs.empty()) {
        if (!firstSkip)
            return ReadError{0, 0, {}, {MessageKind::noRunNoRows}};
        return ReadError{0,
                         0,
                         {},
                         {MessageKind::noRunRowsSkipped,
                          {},
                          {static_cast<std::size_t>(firstSkip->line)},
                          {std::move(firstSkip->message)}}};
    }
    return imported;
}

}  // namespace series
