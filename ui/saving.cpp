#include "ui/saving.h"

#include "report/csv.h"
#include "report/filewrite.h"
#include "report/runchart.h"
#include "ui/numbertext.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QMessageBox>

namespace ui {

namespace {

struct SavingText {
    Q_DECLARE_TR_FUNCTIONS(Saving)
};

// Large enough for a slide or a printed page.

}  // namespace

bool saveToPath(QWidget* parent, const QString& path, const QByteArray& bytes)
{
    const QString reason = report::writeFileAtomically(path, bytes);
    if (reason.isEmpty())
        return true;
    QMessageBox box(QMessageBox::Warning, SavingText::tr("Not saved"),
                    SavingText::tr("%1 could not be saved:\n%2").arg(QDir::toNativeSeparators(path), reason),
                    QMessageBox::Ok, parent);
    // A path or a system's reason is never markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
    return false;
}

bool saveAs(QWidget* parent, const QString& defaultName, const QString& filter, const QByteArray& bytes)
{
    const QString path = QFileDialog::getSaveFileName(parent, SavingText::tr("Save As"), defaultName, filter);
    if (path.isEmpty())
        return false;
    return saveToPath(parent, path, bytes);
}

report::PdfDetails pdfDetails()
{
    return {QStringLiteral(QUILLON_VERSION), QDateTime::currentDateTime(), {resultText, numberText}};
}

QString runReportFileName(int runNumber)
{
    return QStringLiteral("quillon-run-%1.pdf").arg(runNumber);
}

bool saveRunReport(QWidget* parent, const report::Run& run)
{
    return saveAs(parent, runReportFileName(run.number), SavingText::tr("PDF files (*.pdf)"),
                  report::runPdf(run, pdfDetails()));
}

bool saveRunsCsv(QWidget* parent, const QList<report::Run>& runs)
{
    return saveAs(parent, QStringLiteral("quillon-runs.csv"), SavingText::tr("CSV files (*.csv)"),
                  report::runsCsv(runs));
}

bool saveChartPicture(QWidget* parent, const QImage& picture)
{
    return saveAs(parent, QStringLiteral("quillon-chart.png"), SavingText::tr("PNG pictures (*.png)"),
                  report::pngBytes(picture));
}

}  // namespace ui
