#pragma once

#include "core/absorber.h"
#include "present/columnsteps.h"

#include <QMainWindow>

#include <functional>
#include <optional>
#include <utility>

class QAction;
class QGroupBox;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;

// The values the main window keeps between clicks, all 0 at first.
struct ColumnState {
    double mtc = 0.0;
    double gasFlow = 0.0;
    double waterFlow = 0.0;
    double eqY = 0.0;
    double eqX = 0.0;
    double ntu = 0.0;
};

// The main window: the run's inputs and results around a drawing of the
// column, the two calculations, and the graph command.
class Form1 : public QMainWindow {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);

    // Runs before the window is first shown: centres it, then shows the
    // splash window until it closes.
    void Form_Load();
    // The program's start: the splash window first, and the main window
    // that `build` makes once the splash is on screen, centred as Form_Load
    // centres it; the splash's picture waits for nothing of the main window.
    // Returns the window built.
    static Form1& loadBehindSplash(const std::function<Form1&()>& build);

    const ColumnState& state() const { return columnState; }

    // Marks the result fields that show a value in a warning colour, with
    // the messages in their tips; no messages, no mark. The next result
    // shown in a field takes its mark away.
    void showFindings(const QStringList& messages);
    // The run on screen left the series (its Calculate undone, or deleted):
    // its coefficient goes, and Find MTC refuses as before any Calculate.
    void forgetRun();
    // The coefficient the run on screen holds now, or none (its Find MTC
    // undone): the field never shows one the series does not hold.
    void showCoefficient(std::optional<double> mtc);

    // The uncertainties' progress, done of so many runs, in a bar of the
    // window's own with Cancel; none hides the bar. For a series computing
    // while no other window shows its progress.
    void showUncertaintyProgress(std::optional<std::pair<std::size_t, std::size_t>> doneOf);

signals:
    // Cancel of the uncertainties' progress was clicked.
    void uncertaintiesCancelled();
    // A click of Calculate completed with this run.
    void runCompleted(const absorber::RunInputs& inputs, const absorber::Balance& balance, double ntu);
    // Find MTC completed for the last completed run.
    void coefficientFound(double packingHeight, double mtc);

private:
    void Command1_Click();
    void Command2_Click();
    void graph_start_Click();

    void calculateColumn();
    void findMtc();

    // What the window keeps, from its own values and those it shares.
    present::ColumnState kept() const;
    // Keeps what a step kept, shows its results and then its box.
    void finishStep(const present::ColumnStep& step);
    const QLineEdit* inputField(present::InputField field) const;
    void showResult(QLineEdit* field, const QString& text, const QString& full);
    void clearResult(QLineEdit* field);

    QLineEdit* addInput(QWidget* container, const char* name, const QString& accessibleName, QRect design);
    QLineEdit* addResult(QWidget* container, const char* name, const QString& accessibleName, QRect design);
    QGroupBox* addFrame(QWidget* container, const char* name, const QString& caption, QRect design);
    QPushButton* addButton(QWidget* container, const char* name, const QString& caption, QRect design);
    void buildControls(QWidget* client);
    static QString invalidDataTitle();

    ColumnState columnState;

    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
    QLineEdit* Text4 = nullptr;
    QLineEdit* Text5 = nullptr;
    QLineEdit* Text6 = nullptr;
    QLineEdit* Text7 = nullptr;
    QLineEdit* Text8 = nullptr;
    QLineEdit* Text9 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QProgressBar* uncertaintyBar = nullptr;
    QPushButton* uncertaintyCancel = nullptr;
    QMenu* graph = nullptr;
    QAction* graph_start = nullptr;
};
