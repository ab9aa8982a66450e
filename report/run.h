#pragma once

#include "core/absorber.h"
#include "series/readings.h"
#include "series/series.h"
#include "series/uncertainty.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace report {

// One completed Calculate of this program run, as the core left it. Nothing
// here is computed by the report: the main window copies every value from
// the core's results, so what leaves the program is what was shown.
struct Run {
    int number = 0;  // 1-based, in order of completion in this program run

    // The four inputs.
    double y1 = 0.0;
    double x1 = 0.0;
    double gasFlow = 0.0;
    double waterFlow = 0.0;

    // The equilibrium point used.
    double eqX = 0.0;
    double eqY = 0.0;

    // The balance.
    double slope = 0.0;
    double flowFactor = 0.0;
    double outletRatio = 0.0;
    double y2 = 0.0;

    // The integration.
    double upperLimit = 0.0;
    double lowerLimit = 0.0;
    double stepWidth = 0.0;
    int stepCount = 0;
    double ntu = 0.0;

    // Once Find MTC completes for this run.
    std::optional<double> packingHeight;
    std::optional<double> mtc;

    // The textbook's NTU for the same run (the Colburn equation), when it
    // has a value, and what says the run cannot describe an absorber.
    std::optional<double> ntuColburn;
    QStringList findings;

    // Beside the coefficient, once it is found: HOG and the Colburn
    // coefficient with its HOG. Where the equilibrium came from, with the
    // column temperature it was taken at when not the table's.
    std::optional<double> hog;
    std::optional<double> mtcColburn;
    std::optional<double> hogColburn;
    series::Equilibrium equilibrium = series::Equilibrium::table;
    std::optional<double> equilibriumTemperature;

    // The lab's readings, when the run was given as readings, with the
    // inputs they give (shown as results are, not in full); and the run's
    // column temperature (degC), when it has one.
    std::optional<series::Readings> readings;
    series::InputsFromReadings given;
    std::optional<double> temperature;

    // The unit of both flows, as the series names it; empty when it names
    // none. The coefficient's unit is this unit per cubic metre.
    QString flowUnit;

    // The coefficient's uncertainty, when the run has one: the first-order
    // budget and the Monte Carlo result.
    std::optional<series::Gum> gum;
    std::optional<series::MonteCarlo> monteCarlo;
    // Why a run with a coefficient has no Monte Carlo result, as the runs
    // table says it; empty where that is not known.
    QString missingUncertainty;
};

// A completed run as the core returned it: its inputs, its balance and the
// ntu its integration gave, under the given number (the Runs table numbers
// the runs it is given itself).
Run completedRun(int number, const absorber::RunInputs& inputs, const absorber::Balance& balance, double ntu);

// Run `index` of the series as its report shows it, numbered from 1, with
// its height and coefficient, Colburn NTU, findings and uncertainty where it
// has them; empty for a run that did not complete.
std::optional<Run> seriesRun(const series::Series& series, std::size_t index, const series::RunResult& result,
                             const series::RunUncertainty* uncertainty);

}  // namespace report
