#pragma once

#include "report/run.h"
#include "report/runpdf.h"

#include <QByteArray>
#include <QList>
#include <QString>

class QImage;
class QWidget;

namespace ui {

// Files leave the program only here, and only where the user says.

// Writes the bytes to path whole or not at all. On failure a modal box
// names the path and the reason, and the program goes on. True when written.
bool saveToPath(QWidget* parent, const QString& path, const QByteArray& bytes);

// Asks where to save, offering defaultName, then writes there as
// saveToPath does. False when the user cancels or the write fails.
bool saveAs(QWidget* parent, const QString& defaultName, const QString& filter, const QByteArray& bytes);

// What the report is written with: this program's version, the time now,
// and numbers as the main window shows them.
report::PdfDetails pdfDetails();

// quillon-run-3.pdf for run 3.
QString runReportFileName(int runNumber);

// The save commands of the menus, each asking for a file name first.
bool saveRunReport(QWidget* parent, const report::Run& run);
bool saveRunsCsv(QWidget* parent, const QList<report::Run>& runs);
bool saveChartPicture(QWidget* parent, const QImage& picture);

}  // namespace ui
