#pragma once

#include <QWidget>

class QPushButton;
class QSortFilterProxyModel;
class QTableView;
class RunsModel;

// The session's runs side by side, for comparing them: one row per
// completed Calculate, sortable by any column, copied to the clipboard as
// tab-separated text with Ctrl+C, saved as CSV or as a run's report.
// Non-modal; it shows the main window's model and owns none of the runs.
class RunsWindow : public QWidget {
    Q_OBJECT

public:
    explicit RunsWindow(RunsModel& model, QWidget* parent = nullptr);

    // The selected rows, or every row when none is selected, as the table
    // shows them in its order, under a header row.
    QString selectedText() const;

    // Puts selectedText() on the clipboard.
    void copySelection();

private:
    // The model's rows of the selection, in the table's order.
    QList<int> selectedRows() const;
    void saveCsv();
    void saveReport();
    void updateButtons();
    void fitColumns();

    RunsModel& model;
    QSortFilterProxyModel* sorted;
    QTableView* table;
    QPushButton* copyButton;
    QPushButton* csvButton;
    QPushButton* reportButton;
};
