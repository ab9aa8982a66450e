#pragma once

#include "present/editing.h"
#include "series/analysis.h"
#include "series/series.h"
#include "series/uncertainty.h"

#include <emscripten/val.h>

#include <optional>

#include <string>
#include <string_view>
#include <vector>

namespace web {

using emscripten::val;

// Each run's Calculate up to its NTU for y1, x1, gas and water flow four
// by four: its outcome code and NTU two by two, as takeFile takes them.
val integrateRuns(const val& inputs);

// A series and its results as bytes for another instance of the module (a
// worker), and back; nullopt for bytes that are not such.
struct PackedSeries {
    series::Series series;
    std::vector<series::RunResult> results;
};
std::string packSeries(const series::Series& series, const std::vector<series::RunResult>& results);
std::optional<PackedSeries> unpackSeries(std::string_view bytes);

// The series the page works on, as the window's runs table has it: the
// editor's commands with JavaScript values in and out.
class Document {
public:
    // Calculate: the balance, then the NTU sum; a completed run joins the
    // series, unless the run of identity `last` is still in it with the
    // very same inputs (`added` false, its identity given back). The answer
    // tells how far it got.
    val calculate(double y1, double x1, double gasFlow, double waterFlow, int last);

    // Find MTC completed for the run of that identity; an identity no run
    // has is ignored, and so is the coefficient the run has already.
    void setMtc(int id, double packingHeight, double mtc);

    int size() const { return int(editor.size()); }

    // The row of the run of that identity; -1 when no run has it.
    int indexOf(int id) const { return editor.indexOf(id); }

    // A run with its results, findings, whether the analysis takes it, its
    // own and its merged uncertainties, and the key its uncertainty is kept by.
    val run(int row) const;

    // The runs table's column titles with the series' flow unit, and the
    // row's cells from y1 to the coefficient as {text, tip}, in the page's
    // language and numbers.
    val columnTitles() const;
    val cells(int row) const;
    // The row's coefficient ± U and 95 % interval cells as {text, tip},
    // with `found` as the page's cache gives it (null while pending) and
    // the number of draws as the page writes counts.
    val uncertaintyCells(int row, const val& found, const std::string& draws) const;
    // The row's column temperature, HOG, Colburn coefficient and its HOG
    // cells as {text, tip}, the columns after the interval's.
    val besideCells(int row) const;
    // Why the row has no U, for the report's footnote, as the desktop's
    // series report words it; null when it has one or is still cancelled.
    val missingUncertaintyReason(int row, const val& found) const;

    void setLabel(int row, const std::string& label);

    // One of the run's inputs ("y1", "x1", "gasFlow", "waterFlow" or
    // "height") as its cell's text reads in the page's numbers; an empty
    // height is none. Refused with the main window's message, as the
    // desktop's runs table refuses it.
    present::InputEdit setInput(int row, const std::string& field, const std::string& text);

    // The Excluded mark as the desktop's runs table sets it: clearing it on
    // a run with findings takes the run in despite them.
    void setExcluded(int row, bool excluded);

    // Deletes the rows given, as one step.
    void remove(const val& rows);

    // The series' title, people, date, flowUnit or notes; setting one is a
    // step of its own.
    // A field by its name; "equilibrium" is the series' option as the file
    // names it (table_30c or run_temperature).
    std::string field(const std::string& name) const;
    void setField(const std::string& name, const std::string& text);

    // The series' standard uncertainties, and a run's own on top of them.
    val uncertainties() const;
    void setUncertainties(const val& given);
    void setRunUncertainties(int row, const val& given);

    // The runs with a coefficient and the power law over those the analysis
    // takes. `monteCarlo` holds each row's Monte Carlo result as the page
    // has it (null while unknown).
    val analyse(bool weighted, const val& monteCarlo) const;
    series::Analysis analysis(bool weighted, const val& monteCarlo) const;

    bool canUndo() const { return editor.canUndo(); }
    bool canRedo() const { return editor.canRedo(); }
    void undo() { editor.undo(); }
    void redo() { editor.redo(); }

    // Unsaved: changed since the last open or save, or imported from CSV
    // or restored and never saved.
    bool modified() const { return editor.modified(); }

    // What the series is at now; a save names it once it is written.
    int revision() const { return editor.revision(); }

    void newSeries() { editor.replace({}, {}, present::Origin::created); }

    // The .quillon file's bytes; nothing counts as saved until markSaved.
    val fileBytes() const;

    // The series as it was at that revision is written; a revision from
    // before the last New, Open or import is ignored.
    void markSaved(int revision) { editor.markSaved(revision); }

    // The CSV export, with each row's Monte Carlo result as for analyse.
    val exportCsv(const val& monteCarlo) const;

    std::string flowUnit() const { return editor.series().flowUnit; }

    // Opening in two steps, so that the runs are integrated off the page's
    // thread: readFile reads a file as `how` says ("open", "restore",
    // "csv" for a CSV file as a new series, "importSeries" or "importCsv"
    // for Import Runs) and gives {ok: false, error} or {ok: true, inputs:
    // y1, x1, gas and water flow of each run in a Float64Array}; nothing
    // changes yet. takeFile takes the file read last in, with each run's
    // outcome code and NTU as integrateRuns gives them (a run beyond those
    // given is computed here), and answers {ok, differences, notices} or
    // {ok: false, error}, differences numbered as in the file; Import Runs
    // appends the runs as one step and leaves the series' fields as they are.
    val readFile(const val& bytes, const std::string& name, const std::string& how);
    val takeFile(const val& integrated, const std::string& name);

    // The series and its results packed for a worker, and taken from one
    // as takeFile takes a file (`how` as for readFile): a worker reads and
    // writes files, the page's thread only copies. False for bytes that
    // are not a packed series, with nothing changed.
    val packed() const;
    bool takePacked(const val& bytes, const std::string& how);

    // Each run's uncertaintyKey, '' for a run with none to compute, one a
    // line; and each run's label: what the page needs of every run at once.
    std::string uncertaintyKeys() const;
    // What the worker computes a run's uncertainty from: the run (inputs,
    // readings, their uncertainties) in a series of its own with the
    // series' uncertainties, flow unit and equilibrium option, packed.
    val uncertaintyJob(int row) const;
    val labels() const;
    // Each run's label as the run chooser offers it, one a line: a line
    // break in a label shows as a space there.
    std::string choiceLabels() const;
    // The rows the last step, undo or redo changed in place (none for the
    // series' fields) when it added, removed and moved no run; else null.
    val changedRows() const;
    // Differs whenever what the series analysis draws from the series may
    // differ: each coefficient's run, flows, value and use, and the flow unit.
    std::string analysisKey() const;

    std::vector<series::RunUncertainty> runUncertainties(const val& monteCarlo) const;
    series::Analysis analysis(bool weighted, const std::vector<series::RunUncertainty>& found) const;

    // The lab's readings, the column temperature and the fitted coefficient.
    // The run's Readings… dialog as the window's: {fields: [{id, label,
    // text, unit, inputMode, heading}] in the dialog's order
    // (present::formLines: the readings, each meter's calibration under it,
    // then the uncertainties; unit null but for a meter, heading null but
    // for the words before the first uncertainty),
    // units: the meters' unit names, given: what the texts give}.
    val readingsForm(int row) const;
    // What the dialog's texts and meter units (arrays in the dialog's
    // order) give, or the words that say what to type.
    std::string readingsGiven(int row, const val& texts, const val& units) const;
    // The readings typed made the run's, with the inputs they give, as one
    // step: null, or the words that say why nothing changed.
    val setReadings(int row, const val& texts, const val& units);
    // The readings columns' titles, and a row's cells, as the runs table shows them.
    val readingTitles() const;
    val readingCells(int row) const;
    // The column temperature in °C as its cell reads, empty for none: null
    // once taken, or the window's box {title, text} for a text it refuses.
    val setTemperature(int row, const std::string& text);
    // Which coefficient the analysis fits, as the tool names it ("quillon"
    // or "colburn"): a choice of the view, not of the series.
    void setFitted(const std::string& name);
    std::string fitted() const { return std::string(series::fittedName(fittedCoefficient)); }

private:
    val read(const present::OpenOutcome& outcome, const std::string& name);
    val findingsAt(std::size_t row) const;
    // A series read as `how` says: its runs appended, or it replaces the series.
    void place(series::Series&& read, std::vector<series::RunResult>&& results, const std::string& how);

    present::SeriesEditor editor;
    series::Fitted fittedCoefficient = series::Fitted::quillon;

    // The file readFile read, until takeFile takes it in.
    struct ReadFile {
        std::string how;
        series::Series series;
        std::vector<series::StoredResults> stored;
        std::vector<series::Notice> notices;
    };
    std::optional<ReadFile> pending;
};

}  // namespace web
