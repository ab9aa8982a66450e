#pragma once

// The series file, .quillon: JSON in UTF-8, the one form in which a series
// is kept. Reading is strict about meaning and kind about form.

#include "series/series.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace series {

// A run's results as the file holds them: what the program that wrote the
// file computed. Opening recomputes; these are for comparing.
struct StoredResults {
    std::optional<absorber::Outcome> outcome;
    std::optional<double> eqX, eqY, y2, ntu, mtc;

    // Each input the run's readings give: what the file holds beside them
    // (none when it holds nothing), and what the readings give now.
    struct ReadInput {
        std::string field;  // y1, x1, gas_flow or water_flow
        std::optional<double> stored;
        double given = 0.0;
    };
    std::vector<ReadInput> readInputs = {};
};

struct OpenedSeries {
    Series series;
    std::vector<StoredResults> stored;  // one per run
    std::vector<Notice> notices;        // unknown keys kept or ignored
};

using ReadSeries = std::variant<OpenedSeries, ReadError>;

// The file's bytes: pretty-printed with a 2-space indent, ending in a
// newline. Each run carries the results of its row in `results` when there
// is one; a run that did not complete keeps its inputs and its outcome.
// Every number reads back to the same bits. Inputs are finite in any series
// a reader made; a value that is not has no JSON form and is written as
// null, which reading then refuses.
std::string writeSeriesFile(const Series& series, std::span<const RunResult> results);

// The series in the bytes, or why there is none. Refused: anything not JSON,
// a "format" other than "quillon-series", a "version" that is not the integer
// 1, a missing "runs" or run input, a value of the wrong kind and a number
// too large for a double. Keys this version does not know are kept in
// unknownKeys and listed in the notices. A leading UTF-8 BOM is fine. A file
// past one of the limits in series.h is refused where it passes it.
ReadSeries readSeriesFile(std::string_view bytes);

// A stored result that is not what the core computes now.
struct Difference {
    std::size_t run;     // 0-based
    std::string field;   // outcome, eq_x, eq_y, y2, ntu or mtc; an input its readings give
    std::string stored;  // shortest round-trip text or an outcome's name; empty when absent
    std::string computed;
    bool input;  // an input its readings give, not a result
};

// Every field whose stored and computed values differ, numbers compared bit
// for bit; a value on one side only differs too. A run whose file holds no
// results at all, or that has no stored entry, is not compared. Inputs the
// file holds beside the readings that give them come first, compared alike.
std::vector<Difference> compareResults(std::span<const StoredResults> stored, std::span<const RunResult> computed);

}  // namespace series
