#pragma once

#include "present/readingsform.h"

#include <QDialog>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class RunsModel;

// A run's titration and meter readings and their uncertainties, with the
// inputs they give shown as they are typed; OK makes them one undo step, or
// says why they give none.
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
    std::array<QLineEdit*, present::readingFieldCount> fields{};
    std::array<QComboBox*, 3> units{};
    std::array<QLineEdit*, present::uncertaintyFieldCount> uncertainties{};
    QLabel* given;
};
