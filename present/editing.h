#pragma once

// The series being edited, once for the window and the page: its runs with
// identities that survive deletes and undo, what the core made of each, the
// series' fields and uncertainties, the commands that change them, their
// undo history and whether the series is saved. Values in, values out: the
// caller shows what changed and decides when.

#include "present/columnsteps.h"
#include "series/file.h"
#include "series/findings.h"
#include "series/series.h"
#include "series/uncertainty.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace present {

// The series' own text fields.
enum class SeriesField { title, people, date, flowUnit, notes };

// Where a whole series came from, which decides whether it counts as saved.
enum class Origin {
    created,   // New: nothing to save yet
    opened,    // read from its .quillon file: saved as it is
    imported,  // a CSV file's runs: never saved
    restored,  // a series the browser kept: never saved
};

// What Calculate did with a completed run.
struct Added {
    int id = 0;          // the run's identity, new or the last run's
    bool added = false;  // false when the last run had the very same inputs
};

// A file read into the editor: what the reader noticed, and where its
// stored inputs and results differ from what is computed now.
struct Opened {
    std::vector<series::Notice> notices;
    std::vector<series::Difference> differences;
};

using OpenOutcome = std::variant<Opened, series::ReadError>;

// Import Runs: which reader a file's bytes are for.
enum class RunsFile { series, csv };

// A file's runs as Open reads them, not yet computed: a series file's
// stored results, and what the reader noticed. A series file's standard
// uncertainties are merged into each run's own, as the runs leave it.
struct FileRuns {
    std::vector<series::Run> runs;
    std::vector<series::StoredResults> stored;
    std::vector<series::Notice> notices;
    // A series file's flow unit; a CSV file names none.
    std::optional<std::string> flowUnit = std::nullopt;
};

std::variant<FileRuns, series::ReadError> readRuns(std::string_view bytes, RunsFile kind);

// The file's runs in the series' flow unit, for Import Runs: a series
// file's flows converted from its unit where both are units Quillon
// converts, and every run's readings giving its inputs in the series' unit,
// with a notice that says so. True when a run's flows changed: its results
// must be computed again (after the file's stored ones were compared).
bool intoFlowUnit(FileRuns& file, const std::string& seriesUnit);

// What an edit of a run's input came to: the main window's box when the
// run's new inputs fail its Calculate or Find MTC, with nothing changed;
// otherwise no box, and whether the series changed.
struct InputEdit {
    Message message;
    bool changed = false;
};

using series::uncertaintyKey;

class SeriesEditor {
public:
    // Each command makes one step of the undo history and returns true, or
    // changes nothing and returns false: an edit to what is there already,
    // or a row or identity no run has.

    // A run whose Calculate completed joins the series, unless the run of
    // identity `last` is still in it with the very same inputs, bit for bit.
    Added addRun(const series::Run& run, const series::RunResult& result, int last);
    // Find MTC completed for the run of that identity.
    bool setMtc(int id, double packingHeight, double mtc);
    bool setLabel(std::size_t row, const std::string& label);
    // One of the run's inputs as its cell reads, none for an emptied cell:
    // the run is computed again by the main window's Calculate, then its
    // Find MTC when it has a height, and refused with their box when either
    // fails (Find MTC only for a height edited, or a coefficient the run
    // had). An emptied height takes the coefficient with it. A new y1, x1
    // or flow makes it another run, with a new identity: the main window's
    // Find MTC of the old inputs no longer reaches it.
    InputEdit setInput(std::size_t row, InputField field, const std::optional<ParsedNumber>& value);
    // Clearing Excluded on a run with findings takes it in despite them.
    bool setExcluded(std::size_t row, bool excluded);
    // The rows given, in any order, as one step.
    bool remove(const std::vector<std::size_t>& rows);
    // A flow unit of series::flowUnits, changed to another, converts every
    // run's flows in the same step; another text is a label and changes no
    // number, and is refused while a run's flows come from its readings.
    bool setField(SeriesField field, const std::string& text);
    // The run's column temperature (degC), none to clear it; a value
    // absorber::usableTemperature refuses changes nothing.
    bool setTemperature(std::size_t row, std::optional<double> celsius);
    // Every run computed again with the equilibrium chosen, on `jobs` threads.
    bool setEquilibrium(series::Equilibrium equilibrium, unsigned jobs = 1);
    bool setUncertainties(const series::Uncertainties& uncertainties);
    bool setRunUncertainties(std::size_t row, const series::Uncertainties& uncertainties);
    // The run's readings, none to type its inputs again: the inputs they give
    // in the series' flow unit replace the run's, and the run is computed
    // again, as one step. Readings that give no inputs change nothing and
    // say why.
    std::optional<series::Message> setReadings(std::size_t row, const std::optional<series::Readings>& readings);

    // A whole series as New, Open, import or restore give it: nothing to
    // undo, every run a new identity.
    void replace(series::Series series, std::vector<series::RunResult> results, Origin origin);
    // A .quillon or CSV file's series, computed again on `jobs` threads;
    // nothing changes unless it is read.
    OpenOutcome open(std::string_view bytes, Origin origin, unsigned jobs = 1);
    OpenOutcome importCsv(std::string_view bytes, unsigned jobs = 1);

    // Import Runs: runs of another file, with their results (computed
    // with the series' equilibrium), join the series after its last run as one step; the series' own fields and
    // uncertainties stay. No runs, or not one result per run: no step.
    bool appendRuns(std::vector<series::Run> runs, std::vector<series::RunResult> results);
    // A file's runs read, computed on `jobs` threads and appended as one
    // step; differences are numbered as in the file. Nothing changes
    // unless the file is read and holds a run.
    OpenOutcome importRuns(std::string_view bytes, RunsFile kind, unsigned jobs = 1);

    bool canUndo() const { return !done.empty(); }
    bool canRedo() const { return !undone.empty(); }
    bool undo();
    bool redo();
    // What the last step made, undone or redone changed, when it added,
    // removed and moved no run: the rows it changed in place, none for the
    // series' own fields. Nullopt after any other change.
    const std::optional<std::vector<std::size_t>>& changedInPlace() const { return inPlace; }

    // What the series is at now: each step a new number, undo and redo
    // going back to the number the state had.
    int revision() const { return now.revision; }
    // The series as it was at that revision is saved; a revision from
    // before the last replace is ignored.
    void markSaved(int revision);
    // Changed since it was opened or saved, or imported or restored and
    // never saved.
    bool modified() const { return neverSaved || now.revision != savedRevision; }

    const series::Series& series() const { return now.series; }
    const std::vector<series::RunResult>& results() const { return now.results; }
    const std::vector<int>& ids() const { return now.ids; }
    std::size_t size() const { return now.series.runs.size(); }
    const std::string& field(SeriesField field) const;
    // The row of the run of that identity; -1 when no run has it.
    int indexOf(int id) const;
    std::vector<series::Finding> findings(std::size_t row) const;
    // Whether the analysis takes the run: not excluded, and free of
    // findings unless taken in despite them. The Excluded mark shows the
    // opposite.
    bool takenIn(std::size_t row) const;
    // Whether the run is a point of the fit: taken in, with a coefficient.
    bool inFit(std::size_t row) const;

private:
    struct State {
        series::Series series;
        std::vector<series::RunResult> results;
        std::vector<int> ids;
        int revision = 0;
    };

    // Runs as the state keeps them, each with its result and identity.
    struct Runs {
        std::vector<series::Run> runs;
        std::vector<series::RunResult> results;
        std::vector<int> ids;
    };
    // A step of the history holds only what it changed: the runs to put
    // back in their rows, to insert at their rows, to take out of their
    // rows (rows ascending), or the series' own fields (a series without
    // runs). Making a step gives the step that makes it again.
    struct SwapRuns {
        std::vector<std::size_t> rows;
        Runs runs;
    };
    struct InsertRuns {
        std::vector<std::size_t> rows;
        Runs runs;
    };
    struct EraseRuns {
        std::vector<std::size_t> rows;
    };
    struct SwapFields {
        series::Series fields;
    };
    // The equilibrium the series is computed at, with every run's result.
    struct SwapEquilibrium {
        series::Equilibrium equilibrium;
        std::vector<series::RunResult> results;
    };
    // The whole series and its results, ids kept: a change of every run.
    struct SwapWhole {
        series::Series series;
        std::vector<series::RunResult> results;
    };
    using Change = std::variant<SwapRuns, InsertRuns, EraseRuns, SwapFields, SwapEquilibrium, SwapWhole>;
    struct Step {
        Change change;
        int revision = 0;  // of the state the step leads to
    };

    bool setFlowUnit(const std::string& unit);

    // Keeps the way back for undo, before an edit; a new revision.
    void change(Change back);
    // The row's run as it is, for the way back before it changes.
    SwapRuns keepRun(std::size_t row) const;
    Change make(Change made);
    static std::optional<std::vector<std::size_t>> inPlaceOf(const Change& made);
    // Makes the step; the step back to the state now.
    Step make(Step step);

    State now;
    std::vector<Step> done;
    std::vector<Step> undone;
    std::optional<std::vector<std::size_t>> inPlace;
    int revisions = 0;
    int savedRevision = 0;
    int openedRevision = 0;
    bool neverSaved = false;
    int nextId = 1;
};

}  // namespace present
