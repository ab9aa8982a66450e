// Arbitrary bytes as a series file: reading never crashes and places an
// error within the text; a series that reads writes back, with its stored
// results, to a file that reads to the same series and the same results and
// that writes to the same bytes again.

#include "present/seriesmessages.h"
#include "series/file.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

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

// The stored results as the core's results, so that the writer writes them.
std::vector<series::RunResult> resultsOf(const std::vector<series::StoredResults>& stored)
{
    std::vector<series::RunResult> results(stored.size());
    for (std::size_t i = 0; i < stored.size(); ++i) {
        const series::StoredResults& from = stored[i];
        series::RunResult& to = results[i];
        to.outcome = from.outcome.value_or(absorber::Outcome::invalidData);
        if (from.eqX && from.eqY)
            to.balance.point = absorber::EquilibriumPoint{*from.eqX, *from.eqY};
        to.balance.y2 = from.y2;
        to.ntu = from.ntu;
        to.mtc = from.mtc;
    }
    return results;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const series::ReadSeries read = series::readSeriesFile(bytes);
    if (const auto* error = std::get_if<series::ReadError>(&read)) {
        const long lines = lineCount(bytes);
        check(error->line >= 1 && error->line <= lines && error->column >= 1
              && !present::seriesMessage(error->message).empty());
        return 0;
    }
    const series::OpenedSeries& opened = std::get<series::OpenedSeries>(read);
    check(opened.stored.size() == opened.series.runs.size());

    const std::vector<series::RunResult> results = resultsOf(opened.stored);
    const std::string written = series::writeSeriesFile(opened.series, results);
    const series::ReadSeries again = series::readSeriesFile(written);
    const auto* reopened = std::get_if<series::OpenedSeries>(&again);
    check(reopened != nullptr);
    check(series::identical(opened.series, reopened->series));
    check(series::compareResults(reopened->stored, results).empty());
    check(series::writeSeriesFile(reopened->series, results) == written);
    return 0;
}
