#pragma once

#include "series/series.h"
#include "series/uncertainty.h"
#include "ui/uncertainties.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <span>
#include <vector>

class QWidget;

namespace ui {

// A series as Open puts it in the windows: read, every run computed again.
struct OpenedSeries {
    series::Series series;
    std::vector<series::RunResult> results;
    bool imported = false;  // from a spreadsheet's CSV, so not yet saved as a series
};

// Reads a series file, or imports a CSV file (told by the suffix .csv), and
// computes every run again. Tells the user, naming the runs, where stored
// results differ from the computed ones (which are the ones kept), and
// which rows and columns an import skipped. Empty when the file cannot be
// read (a box names the file, the line and column or the JSON position, and
// what was expected) or when the user cancels the computing.
std::optional<OpenedSeries> openSeriesFile(QWidget* parent, const QString& path);

// Import Runs: the runs of a series or CSV file (told as Open tells them),
// computed again and told of as Open tells of them, for the open series.
struct ImportedRuns {
    std::vector<series::Run> runs;
    std::vector<series::RunResult> results;
};
// The runs are computed with the equilibrium of the series they join, and
// their flows converted to its flow unit (present::intoFlowUnit).
std::optional<ImportedRuns> importRunsFile(QWidget* parent, const QString& path, series::Equilibrium equilibrium,
                                           const std::string& flowUnit);

// Every run computed on all cores; after half a second a progress dialog
// shows, whose Cancel gives nothing. The windows stay responsive meanwhile.
std::optional<std::vector<series::RunResult>> computeWithProgress(QWidget* parent, std::span<const series::Run> runs,
                                                                  series::Equilibrium equilibrium);

// Every run's uncertainty, on all cores, as computeWithProgress does.
std::optional<std::vector<series::RunUncertainty>> uncertaintiesWithProgress(QWidget* parent,
                                                                             const series::Series& series);

// Waits for the uncertainties of `asked` that the cache is computing or is
// about to, with the progress dialog of uncertaintiesWithProgress; its Cancel
// cancels the cache's work and gives false.
bool waitForUncertainties(QWidget* parent, UncertaintyCache& cache, const series::Series& asked);

// The bytes of a series file.
QByteArray seriesFileBytes(const series::Series& series, std::span<const series::RunResult> results);

}  // namespace ui
