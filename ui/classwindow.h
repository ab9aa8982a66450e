#pragma once

#include "present/classsummary.h"

#include <QStringList>
#include <QWidget>

class QLabel;
class QTableWidget;

// A class's series side by side, as quillon-cli summary --as-shown writes
// them: a row per file with its runs, its fit and what check finds, sortable
// by any column, then the spread of each exponent and the files far outside
// it.
// Copy (Ctrl+C) takes the selected rows, or all, as tab-separated text.
class ClassWindow : public QWidget {
    Q_OBJECT

public:
    explicit ClassWindow(QWidget* parent = nullptr);

    // Reads each file (CSV by the suffix .csv, else a series file), computes
    // its runs with a progress dialog and shows the table; a file that
    // cannot be read is named below it. False when the user cancels.
    bool showFiles(const QStringList& paths);

    const present::ClassSummary& summary() const { return current; }

    // The selected rows, or every row, under the headers, tab-separated.
    QString copiedText() const;

private:
    void fill();

    present::ClassSummary current;
    QStringList unread;
    QTableWidget* table;
    QLabel* spread;
};
