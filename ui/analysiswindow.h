#pragma once

#include "present/fittext.h"
#include "series/analysis.h"
#include "ui/runsmodel.h"

#include <QWidget>

class ChartsView;
class QCheckBox;
class QComboBox;
class QLabel;
class QTimer;

// How the series' coefficients depend on the flows: two log–log charts, the
// coefficient against the gas flow and against the water flow, with the
// fitted power law and its numbers beside them. It follows the series as
// runs are added, excluded or deleted and as their uncertainties come in.
// Non-modal; it owns none of the runs.
class AnalysisWindow : public QWidget {
    Q_OBJECT

public:
    explicit AnalysisWindow(RunsModel& model, QWidget* parent = nullptr);

    // As shown: without a fit while the weighted fit waits for uncertainties.
    const series::Analysis& analysis() const { return current; }
    QString fitText() const;

    // Both charts as a picture, as Copy Picture and Save Picture give them.
    QImage picture() const;

private:
    void refresh();

    RunsModel& model;
    series::Analysis current;
    present::Computing computing;  // the runs still computing when last refitted
    ChartsView* charts;
    QLabel* text;
    QComboBox* coefficient;  // which coefficient is fitted
    QCheckBox* weighted;
    QLabel* unweighted;  // why the box is off while runs lack uncertainties
    // The user's choice, which the box shows whenever the runs allow weighting.
    bool weightingWanted = true;
    QTimer* pending;
};
