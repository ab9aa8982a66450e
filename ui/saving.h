#pragma once

#include "report/run.h"
#include "report/runpdf.h"
#include "series/analysis.h"
#include "series/series.h"
#include "series/uncertainty.h"
#include "ui/runsmodel.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>
#include <span>

class QImage;
class QWidget;

namespace ui {

// Files leave the program only here, and only where the user says.

// Writes the bytes to path whole or not at all. On failure a modal box
// names the path and the reason, and the program goes on. True when written.
bool saveToPath(QWidget* parent, const QString& path, const QByteArray& bytes);

// Asks where to save, offering defaultName in the folder last chosen in
// this program run; a name typed without a suffix gets defaultName's.
// Empty when the user cancels.
std::optional<QString> askSavePath(QWidget* parent, const QString& defaultName, const QString& filter);

// Asks where to save, then writes there as saveToPath does. Bytes that
// could not be made (what names them, for the user) are reported in a
// box, and no file is asked for or written. False when nothing was saved.
bool saveAs(QWidget* parent, const QString& defaultName, const QString& filter, const std::optional<QByteArray>& bytes,
            const QString& what);

// What the report is written with: this program's version, the time now,
// and numbers as the main window shows them.
report::PdfDetails pdfDetails();

// quillon-run-3.pdf for run 3.
QString runReportFileName(int runNumber);

// The uncertainties of the runs of `asked`: as the model knows them, or
// computed now with a progress dialog and then kept by the model. Empty when
// the user cancels, after a box saying that nothing was saved.
std::optional<std::vector<series::RunUncertainty>> uncertaintiesToSave(QWidget* parent, RunsModel& model,
                                                                       const series::Series& asked);

// The save commands of the menus, each asking for a file name first. The
// uncertainties a file holds are computed first where they are not known;
// cancelled, nothing is saved. The series report's dialog asks whether to
// include a page per run, checked for a series of up to 12 runs, and fits
// the coefficient the Series Analysis shows.
bool saveRunReport(QWidget* parent, RunsModel& model, int row);
bool saveRunsCsv(QWidget* parent, RunsModel& model);
bool saveChartPicture(QWidget* parent, const QImage& picture);
bool saveSeriesReport(QWidget* parent, RunsModel& model, series::Fitted fitted = series::Fitted::quillon);

}  // namespace ui
