#pragma once

#include "core/absorber.h"

#include <QMainWindow>

class QAction;
class QLineEdit;
class QMenu;
class QPushButton;

// The main window: the run's inputs and results around a drawing of the
// column, the two calculations, and the graph command.
class Form1 : public QMainWindow {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);

    // Runs before the window is first shown: centres it, then shows the
    // splash window until it closes.
    void Form_Load();

    const absorber::ColumnState& state() const { return columnState; }

private:
    void Command1_Click();
    void Command2_Click();
    void graph_start_Click();

    // Converts a field's text into `value`; reports the field and false when
    // it does not hold a number.
    bool readField(const QLineEdit* field, double& value);
    void showResult(QLineEdit* field, double value);

    absorber::ColumnState columnState;

    QLineEdit* Text1;
    QLineEdit* Text2;
    QLineEdit* Text3;
    QLineEdit* Text4;
    QLineEdit* Text5;
    QLineEdit* Text6;
    QLineEdit* Text7;
    QLineEdit* Text8;
    QLineEdit* Text9;
    QPushButton* Command1;
    QPushButton* Command2;
    QMenu* graph;
    QAction* graph_start;
};
