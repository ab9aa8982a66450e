// Arbitrary bytes as a CSV file: importing never crashes, places an error or
// a notice within the text, and the runs it imports export to CSV that
// imports to the same runs without a notice, and write to a series file that
// reads to the same series.

#include "present/seriesmessages.h"
#include "series/csv.h"
#include "series/file.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

// Lines as the readers count them: LF, CRLF and a lone CR each end one.
long lineCount(std::string_view bytes)
{
    long lines = 1;
    for (std::size_t i = 0; i < bytes.size(); ++i)
        lines += bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'));
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const long lines = lineCount(bytes);
    const series::ImportResult result = series::importCsv(bytes);
    if (const auto* error = std::get_if<series::ReadError>(&result)) {
        check(error->line >= 0 && error->line <= lines && error->column >= 0
              && !present::seriesMessage(error->message).empty());
        return 0;
    }
    const series::ImportedSeries& imported = std::get<series::ImportedSeries>(result);
    check(!imported.series.runs.empty());
    for (const series::Notice& notice : imported.notices)
        check(notice.line >= 1 && notice.line <= lines && !present::seriesMessage(notice.message).empty());

    const series::ImportResult again = series::importCsv(series::exportCsv(imported.series, {}));
    const auto* reimported = std::get_if<series::ImportedSeries>(&again);
    check(reimported != nullptr && reimported->notices.empty());
    check(series::identical(imported.series, reimported->series));

    const series::ReadSeries file = series::readSeriesFile(series::writeSeriesFile(imported.series, {}));
    const auto* opened = std::get_if<series::OpenedSeries>(&file);
    check(opened != nullptr && series::identical(imported.series, opened->series));
    return 0;
}
