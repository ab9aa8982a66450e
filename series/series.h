#pragma once

// A lab experiment as a series of runs, and what the core makes of each run.
// The windows, quillon-cli and the browser edition read, compute and write
// series only through this library, so every front end gives the same
// numbers and the same bytes. No Qt, no locale, no platform calls.

#include "core/absorber.h"
#include "series/messages.h"
#include "series/readings.h"

#include <atomic>
#include <cstddef>
#include <optional>
#include <span>
#include <stop_token>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace series {

// Members a later version of the file may add: each key with its value as
// raw JSON text, in the order read, written back unchanged on save.
using UnknownKeys = std::vector<std::pair<std::string, std::string>>;

// Standard uncertainties of a run's inputs; empty = none for that input.
struct Uncertainties {
    std::optional<double> gasFlowRel;     // relative, e.g. 0.02
    std::optional<double> waterFlowRel;   // relative
    std::optional<double> y1;             // absolute
    std::optional<double> x1;             // absolute
    std::optional<double> packingHeight;  // absolute, metres

    bool operator==(const Uncertainties&) const = default;
};

// Where a series takes its equilibrium points.
enum class Equilibrium {
    table,           // the table at 30 degC whatever the column's temperature: the default
    runTemperature,  // y* scaled to each run's temperature; a run without one keeps the table's
};

// One run as the user gave it.
struct Run {
    absorber::RunInputs inputs{};  // y1, x1, gasFlow, waterFlow
    std::optional<double> packingHeight;
    std::string label;
    bool excluded = false;      // left out of the analysis by the user, still computed and kept
    bool included = false;      // taken into the analysis by the user although it has findings
    Uncertainties uncertainty;  // overrides of the series' defaults, key by key
    UnknownKeys unknownKeys;

    // The column's temperature, degC. Initialised, so that the runs written
    // as braces elsewhere need not name it.
    std::optional<double> temperature{};
    // The lab's readings that give some of the inputs; none for a run typed.
    std::optional<Readings> readings = std::nullopt;
};

// What the core makes of a run.
struct RunResult {
    absorber::Balance balance;                                   // as far as the balance got
    absorber::Outcome outcome = absorber::Outcome::invalidData;  // Calculate's outcome
    std::optional<double> ntu;                                   // when Calculate completed
    std::optional<absorber::Outcome> coefficientOutcome;         // a height was given and Calculate completed
    std::optional<double> mtc;                                   // when the coefficient completed
    std::optional<double> ntuColburn;  // the textbook's NTU for the same run, when Calculate completed

    // Beside the coefficient, with a height: packing height / ntu, and the
    // coefficient and HOG of the Colburn NTU (findMtc's and HOG's formulas).
    std::optional<double> hog;
    std::optional<double> mtcColburn;
    std::optional<double> hogColburn;
    // Where the balance took its equilibrium point, and at which
    // temperature (degC) when not the table's.
    Equilibrium equilibrium = Equilibrium::table;
    std::optional<double> equilibriumTemperature;
};

struct Series {
    std::string title;
    std::string people;
    std::string date;
    std::string flowUnit = "mol/s";
    std::string notes;
    Uncertainties uncertainty;  // every run's, unless the run overrides them
    std::vector<Run> runs;
    UnknownKeys unknownKeys;

    Equilibrium equilibrium = Equilibrium::table;
};

// closeBalance, integrateNtu, then findMtc(height, ntu, gasFlow) when the run
// has a height: the steps and values the main window's Calculate and Find MTC
// use.
// With Equilibrium::runTemperature and a run temperature, closeBalance takes
// the point at that temperature; otherwise the table's, as today.
RunResult computeRun(const Run& run, Equilibrium equilibrium = Equilibrium::table);

// computeRun with the integration of the run's limits made elsewhere (a
// worker of the page): the same steps in the same order, so the same bits.
RunResult computeRun(const Run& run, const absorber::Integration& integration,
                     Equilibrium equilibrium = Equilibrium::table);

// The temperature (degC) a run's equilibrium point is taken at: the run's
// under Equilibrium::runTemperature, none (the table's) otherwise.
std::optional<double> equilibriumTemperatureOf(const Run& run, Equilibrium equilibrium);

// closeBalance at that temperature, or the table's without one.
absorber::Balance balanceAt(const absorber::RunInputs& inputs, std::optional<double> celsius);

// The balance computeRun closes for a run.
absorber::Balance balanceOf(const Run& run, Equilibrium equilibrium);

// What computeRun gives for a run whose balance completed and whose NTU the
// caller has already integrated (the main window's Calculate): the Colburn
// NTU and, with a height, the coefficients and HOGs added.
RunResult completedRun(const Run& run, const absorber::Balance& balance, double ntu,
                       Equilibrium equilibrium = Equilibrium::table);

// computeRun for every run, in order, on `jobs` threads. With jobs <= 1 all
// runs are computed on the calling thread and no thread is made, as a
// single-threaded WebAssembly build needs; where threads cannot be made, the
// calling thread does the work alone. `done` (optional) counts finished runs
// for a progress bar. Once `stop` is requested no further run starts and the
// answer is std::nullopt.
std::optional<std::vector<RunResult>> computeRuns(std::span<const Run> runs, unsigned jobs,
                                                  std::atomic<std::size_t>* done = nullptr, std::stop_token stop = {});

// computeRuns with the series' choice of equilibrium.
std::optional<std::vector<RunResult>> computeRuns(std::span<const Run> runs, Equilibrium equilibrium, unsigned jobs,
                                                  std::atomic<std::size_t>* done = nullptr, std::stop_token stop = {});

// The option as files name it: "table_30c", "run_temperature"; and back.
std::string_view equilibriumName(Equilibrium equilibrium);
std::optional<Equilibrium> equilibriumNamed(std::string_view name);

// Where absorber::vanTHoffSlope comes from, as the file and the reports name it.
inline constexpr std::string_view equilibriumSource =
    "R. Sander, Compilation of Henry's law constants (version 4.0) for water as solvent, "
    "Atmos. Chem. Phys. 15, 4399-4981 (2015)";

// Whether two series hold the same values, every number compared bit for bit
// (so 0 and -0 differ): what a front end asks to know if a series changed
// since it was saved.
bool identical(const Series& a, const Series& b);

// The shortest text that reads back to the same double, with '.' as the
// decimal point whatever the locale: "0.02", "-0", "5e-324", "1e+308".
std::string exactText(double value);

// An outcome as files name it: "completed", "invalid_data",
// "invalid_operation", "division_by_zero", "overflow"; and back.
std::string_view outcomeName(absorber::Outcome outcome);
std::optional<absorber::Outcome> outcomeNamed(std::string_view name);

// Something a reader did that the user should know of but that did not stop
// it: a row skipped, a column or key ignored or kept.
struct Notice {
    int line = 0;  // 1-based; 0 when not tied to a line
    Message message;
};

// What the readers take at most: far beyond any lab series, near enough
// that a hostile or broken file is refused before it costs the stack or the
// memory or the time (nlohmann's ordered objects find a key in linear time).
// The tool, the window and the page name these in their help.
inline constexpr std::size_t maxFileBytes = std::size_t{64} * 1024 * 1024;  // a whole file, 64 MiB
inline constexpr std::size_t maxNesting = 64;                               // arrays and objects in a series file
inline constexpr std::size_t maxMembers = 256;                              // members of one object in a series file
inline constexpr std::size_t maxRuns = 100000;                              // runs in a file of either kind
inline constexpr std::size_t maxTextBytes = std::size_t{1024} * 1024;       // a string or a CSV cell, 1 MiB
inline constexpr std::size_t maxCsvColumns = 256;                           // cells in a CSV record
inline constexpr std::size_t maxCsvRecords = 200000;  // CSV records, header and skipped ones included

// Why a file could not be read. Line and column are 1-based and count
// characters of UTF-8; 0 when unknown.
struct ReadError {
    int line = 0;
    int column = 0;
    std::string pointer;  // JSON pointer like /runs/3/y1 for an error of meaning; empty otherwise
    Message message;      // says what was expected
};

}  // namespace series
