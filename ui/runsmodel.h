#pragma once

#include "report/run.h"

#include <QAbstractTableModel>
#include <QList>

// The completed runs of this program run, oldest first, one row each. The
// main window adds a run when Calculate completes and fills in its packing
// height and coefficient when Find MTC completes; nothing is kept between
// program runs.
class RunsModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column {
        runColumn,
        y1Column,
        x1Column,
        gasFlowColumn,
        waterFlowColumn,
        eqXColumn,
        eqYColumn,
        y2Column,
        ntuColumn,
        packingHeightColumn,
        mtcColumn,
        numberOfColumns,
    };

    // The value itself, for sorting by number rather than by text; empty
    // for a coefficient not found yet.
    static constexpr int SortRole = Qt::UserRole;

    explicit RunsModel(QObject* parent = nullptr);

    // Appends a completed run and gives it the next number, which it returns.
    int addRun(const report::Run& run);

    // Find MTC completed for the run of that number: fills in its row, or
    // replaces what an earlier Find MTC for the same run left. A number no
    // run has is ignored.
    void setMtc(int runNumber, double height, double mtc);

    const QList<report::Run>& runs() const { return completed; }

    // The widest text a cell of the column shows for a run of the usual
    // ranges, in the current locale: for sizing the column.
    static QString widestText(int column);

    // A column's title on one line.
    static QString columnTitle(int column);

    // The rows as the table shows them, tab-separated under a header row,
    // one line each, in the order given: for the clipboard.
    QString tabText(const QList<int>& rows) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<report::Run> completed;
};
