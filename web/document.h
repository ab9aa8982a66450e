#pragma once

#include "series/analysis.h"
#include "series/series.h"
#include "series/uncertainty.h"

#include <emscripten/val.h>

#include <string>
#include <vector>

namespace web {

using emscripten::val;

// The series the page works on, with the undo history of its edits. Each
// run keeps an identity while it is in the series, whatever is deleted or
// undone around it, as the desktop's runs table does.
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

    int size() const { return int(now.series.runs.size()); }

    // The row of the run of that identity; -1 when no run has it.
    int indexOf(int id) const;

    // A run with its results, findings, whether the analysis takes it, and
    // its own and its merged uncertainties.
    val run(int row) const;

    void setLabel(int row, const std::string& label);

    // The Excluded mark as the desktop's runs table sets it: clearing it on
    // a run with findings takes the run in despite them.
    void setExcluded(int row, bool excluded);

    // Deletes the rows given, as one step.
    void remove(const val& rows);

    // The series' title, people, date, flowUnit or notes; setting one is a
    // step of its own.
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

    bool canUndo() const { return !done.empty(); }
    bool canRedo() const { return !undone.empty(); }
    void undo();
    void redo();

    // Unsaved: changed since the last open or save, or imported from CSV
    // or restored and never saved.
    bool modified() const { return neverSaved || now.revision != savedRevision; }

    // What the series is at now; a save names it once it is written.
    int revision() const { return now.revision; }

    void newSeries() { replace({}, {}, false); }

    // A .quillon file's series, computed again: {ok, differences, notices}
    // or {ok: false, error}. Nothing changes unless it is read.
    val open(const val& bytes, const std::string& name);

    // A CSV file's runs as a new series, not yet saved.
    val importCsv(const val& bytes, const std::string& name);

    // A .quillon file's series that the browser kept, as open reads it but
    // not yet saved.
    val restore(const val& bytes, const std::string& name);

    // The .quillon file's bytes; nothing counts as saved until markSaved.
    val fileBytes() const;

    // The series as it was at that revision is written; a revision from
    // before the last New, Open or import is ignored.
    void markSaved(int revision);

    // The CSV export, with each row's Monte Carlo result as for analyse.
    val exportCsv(const val& monteCarlo) const;

    std::string flowUnit() const { return now.series.flowUnit; }

private:
    struct State {
        series::Series series;
        std::vector<series::RunResult> results;
        std::vector<int> ids;
        int revision = 0;
    };

    // Before each edit: what undo goes back to.
    void change();
    void replace(series::Series runs, std::vector<series::RunResult> results, bool fromCsv);
    std::vector<series::RunUncertainty> runUncertainties(const val& monteCarlo) const;
    val findingsAt(std::size_t row) const;

    State now;
    std::vector<State> done;
    std::vector<State> undone;
    int revisions = 0;
    int savedRevision = 0;
    // The first revision of the series now open.
    int openedRevision = 0;
    bool neverSaved = false;
    int nextId = 1;
};

}  // namespace web
