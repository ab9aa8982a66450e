#pragma once

#include "ui/runsmodel.h"

#include <QHash>
#include <QPointer>
#include <QWidget>

#include <utility>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QTimer;
class UncertaintyFields;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

// The series' editor: its own fields above, its runs below, one row each,
// sortable by any column. A label and the inputs are edited in place, a run excluded with
// its check box or deleted with Delete; every change can be undone. Rows are
// copied to the clipboard as tab-separated text with Ctrl+C and saved as CSV
// or as a run's report. The series' standard uncertainties and a run's own
// give each coefficient's U, computed in the background with a progress bar
// once it takes longer than half a second. Non-modal; it shows the main window's model and
// owns none of the runs.
class RunsWindow : public QWidget {
    Q_OBJECT

public:
    explicit RunsWindow(RunsModel& model, QWidget* parent = nullptr);
    ~RunsWindow() override;

    // The selected rows, or every row when none is selected, as the table
    // shows them in its order, under a header row.
    QString selectedText() const;

    // Puts selectedText() on the clipboard.
    void copySelection();

    // Deletes the selected rows.
    void deleteSelection();

    // Selects every row, the table taking the focus.
    void selectAll();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // The model's rows of the selection, in the table's order; every row
    // when none is selected and everyWhenNone says so.
    QList<int> selectedRows(bool everyWhenNone) const;
    void saveCsv();
    void saveReport();
    void editRunUncertainties();
    void editReadings();
    // The main window's box for an input the table refused.
    void refuse(const present::Message& message, const QString& text);
    // Shows or hides the bar and Cancel as the computing starts or ends.
    void followWork(bool busy);
    void showProgress();
    void updateButtons();
    void fitColumns();
    void showFields();
    QWidget* buildFields();
    // `focused`: the widget the keys go to, when not the line edit itself.
    void keepUndoKeys(QLineEdit* edit, RunsModel::Field field, QWidget* focused = nullptr);
    QAction* addShortcut(const QString& text, const QKeySequence& keys, void (RunsWindow::*slot)());

    RunsModel& model;
    QSortFilterProxyModel* sorted;
    QTableView* table;
    QPushButton* copyButton;
    QPushButton* csvButton;
    QPushButton* reportButton;
    QPushButton* deleteButton;
    QPushButton* uncertaintyButton;
    QPushButton* readingsButton;
    QProgressBar* progress;
    QPushButton* cancelButton;
    QTimer* progressTimer;
    UncertaintyFields* defaults = nullptr;
    QPointer<QWidget> beforeCancel;  // where the focus was before Cancel took it
    QLineEdit* title = nullptr;
    QLineEdit* people = nullptr;
    QLineEdit* date = nullptr;
    QComboBox* flowUnit = nullptr;
    QComboBox* equilibrium = nullptr;
    // Shows the column temperature, HOG and Colburn columns, hidden at first.
    QCheckBox* moreColumns = nullptr;
    // Shows the run's readings, read-only, hidden at first.
    QCheckBox* readingColumns = nullptr;
    // Fields whose Ctrl+Z is the series' once their text is taken.
    QHash<QObject*, std::pair<QLineEdit*, RunsModel::Field>> undoFields;
    QPlainTextEdit* notes = nullptr;
};
