#pragma once

#include "present/editing.h"
#include "report/run.h"
#include "series/series.h"
#include "ui/uncertainties.h"

#include <QAbstractTableModel>
#include <QList>
#include <QUndoStack>

#include <optional>
#include <vector>

// The series of runs the user works on, one row each in the order given:
// the runs of each completed Calculate, or of a file that was opened, with
// what the core made of them. The series editor holds them and their undo
// history; each of its steps is a command on the undo stack, for the
// window's Undo and Redo, their texts and the clean state.
class RunsModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column {
        runColumn,
        labelColumn,
        excludedColumn,
        y1Column,
        x1Column,
        gasFlowColumn,
        waterFlowColumn,
        eqXColumn,
        eqYColumn,
        y2Column,
        ntuColumn,
        ntuColburnColumn,
        packingHeightColumn,
        mtcColumn,
        uncertaintyColumn,
        intervalColumn,
        temperatureColumn,
        hogColumn,
        mtcColburnColumn,
        hogColburnColumn,
        numberOfColumns,
    };
    // The run's readings follow, read-only, one column each, in the order
    // of the Readings dialog's fields.
    static constexpr int firstReadingColumn = numberOfColumns;

    // The value itself, for sorting by number rather than by text; empty
    // for a value the run does not have.
    static constexpr int SortRole = Qt::UserRole;

    // The series' own fields, each changed as one undoable step.
    using Field = present::SeriesField;

    explicit RunsModel(QObject* parent = nullptr);

    // Appends a run with what the core made of it, unless the run of
    // identity `last` is in the series with the very same inputs; returns
    // the identity of the run added, or `last`. An identity stays with the
    // run while it is in the series, whatever is deleted or undone around it.
    int addRun(const series::Run& run, const series::RunResult& result, int last = 0);

    // Find MTC completed for the run of that identity: fills in its height
    // and coefficient, or replaces what an earlier Find MTC left. An
    // identity no run has is ignored.
    void setMtc(int id, double height, double mtc);

    // The row of the run of that identity; -1 when no run has it.
    int rowOf(int id) const;

    // Removes the rows, as one undoable step.
    void removeRuns(QList<int> rows);

    void setField(Field field, const QString& text);
    QString field(Field field) const;

    // Where the series takes its equilibrium; every run computed again, as
    // one undoable step.
    void setEquilibrium(series::Equilibrium equilibrium);

    // The series' standard uncertainties, and a run's own that override
    // them key by key; each change one undoable step.
    void setDefaultUncertainties(const series::Uncertainties& uncertainties);
    void setRunUncertainties(int row, const series::Uncertainties& uncertainties);
    // The run's readings as one undo step; the words of why they give no
    // inputs, changing nothing.
    std::optional<QString> setReadings(int row, const std::optional<series::Readings>& readings);

    // Every run's uncertainty as computed in the background; empty while
    // any is not known, being computed or cancelled.
    std::optional<std::vector<series::RunUncertainty>> knownUncertainties() const;
    // As far as they are known: a run still being computed has none given.
    // `complete` (optional) tells whether every run's is known.
    std::vector<series::RunUncertainty> uncertaintiesSoFar(bool* complete = nullptr) const;
    UncertaintyCache& uncertainties() { return uncertain; }
    // Asks for the uncertainty of every run not yet known, as every change
    // does; again after a cancel.
    void requestUncertainties();

    // Import Runs: runs of another file with their results join the series
    // after its last run, as one undoable step.
    void appendRuns(std::vector<series::Run> runs, std::vector<series::RunResult> results);

    // Replaces the whole series, as after New or Open: nothing to undo.
    void resetSeries(series::Series series, std::vector<series::RunResult> results);

    // The rows as the views know them: the editor's, but for the moments
    // while rows go and come one by one.
    const series::Series& series() const { return changing ? changing->series : editor.series(); }
    const std::vector<series::RunResult>& results() const { return changing ? changing->results : editor.results(); }
    QUndoStack& undoStack() { return undo; }
    const QUndoStack& undoStack() const { return undo; }

    // A completed run as the report shows it; empty for a run that did not
    // complete.
    std::optional<report::Run> reportRun(int row) const;

    // The rows as the table shows them, tab-separated under a header row,
    // one line each, in the order given: for the clipboard.
    QString tabText(const QList<int>& rows) const;

    // The widest text a cell of the column shows for a run of the usual
    // ranges, in the current locale: for sizing the column.
    static QString widestText(int column);

    // A column's title on one line, with the series' units.
    QString columnTitle(int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    // An input typed in a cell was refused, with the main window's box for
    // it and the text typed; the series is as it was.
    void inputRefused(const present::Message& message, const QString& text);
    // A column temperature typed in a cell was refused, with its box.
    void temperatureRefused(const QString& title, const QString& text);

private:
    // What an edit changed beyond rows added or removed, for the signals.
    struct Effect {
        std::vector<int> runs;       // identities of runs changed in place
        bool seriesFields = false;   // a field or the series' uncertainties
        bool uncertainties = false;  // every run's uncertainty cells
        int row = -1;                // a run changed where it is, whatever its identity
    };
    // The rows as the views know them while rows go and come one by one.
    struct Rows {
        series::Series series;
        std::vector<series::RunResult> results;
        std::vector<int> ids;
    };
    friend class EditorStep;

    const std::vector<int>& ids() const { return changing ? changing->ids : editor.ids(); }
    Rows copyOfEditor() const;
    // Makes an edit of the editor a step of the undo stack.
    void edit(bool changed, Rows before, const QString& text, Effect effect);
    // An undo or redo of the editor, as its step's command gives it.
    void move(bool forward, const Effect& effect);
    // Tells the views what changed from `before` to the editor's rows.
    void showChange(Rows before, const Effect& effect);
    bool setInput(std::size_t row, present::InputField field, const QString& text);
    bool setTemperature(std::size_t row, const QString& text);
    QVariant uncertaintyData(const series::Run& run, const series::RunResult& result, int column, int role) const;

    present::SeriesEditor editor;
    std::optional<Rows> changing;
    QUndoStack undo;
    UncertaintyCache uncertain;
};
