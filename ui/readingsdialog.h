#pragma once

#include "present/readingsform.h"

#include <QDialog>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class RunsModel;

// A run's titration and meter readings, the meters' calibrations and the
// readings' uncertainties, with the inputs they give shown as they are
// typed; OK makes them one undo step, or says why they give none.
class ReadingsDialog : public QDialog {
    Q_OBJECT

public:
    ReadingsDialog(RunsModel& model, int row, QWidget* parent = nullptr);

private:
    present::ReadingsForm form() const;
    void showGiven();
    void apply();

    RunsModel& model;
    int row;
    // In the dialog's order, present::formLines().
    std::array<QLineEdit*, present::formLineCount> edits{};
    std::array<QComboBox*, present::meterCount> units{};
    QLabel* given;
};
