#include "ui/saving.h"

#include "atomicfile/atomicfile.h"
#include "report/runchart.h"
#include "report/seriespdf.h"
#include "series/csv.h"
#include "ui/seriesfiles.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QImage>
#include <QMessageBox>

#include <utility>

namespace ui {

namespace {

struct SavingText {
    Q_DECLARE_TR_FUNCTIONS(Saving)
};

// The folder of the last file chosen in this program run; nothing of it is
// kept between runs.
QString& lastFolder()
{
    static QString folder;
    return folder;
}

void warn(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, SavingText::tr("Not saved"), text, QMessageBox::Ok, parent);
    // A path or a system's reason is never markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace

bool saveToPath(QWidget* parent, const QString& path, const QByteArray& bytes)
{
    const QString reason = atomicfile::writeFileAtomically(path, bytes);
    if (reason.isEmpty())
        return true;
    warn(parent, SavingText::tr("%1 could not be saved:\n%2").arg(QDir::toNativeSeparators(path), reason));
    return false;
}

namespace {

// The save dialog, with a check box below its file list when `option` has
// a text; the box's state comes back with the path.
std::optional<std::pair<QString, bool>> askPath(QWidget* parent, const QString& defaultName, const QString& filter,
                                                const QString& option, bool checked)
{
    const QString suffix = QFileInfo(defaultName).suffix();
    QFileDialog dialog(parent, SavingText::tr("Save As"), lastFolder(), filter);
    QCheckBox* box = nullptr;
    if (!option.isEmpty()) {
        // A desktop's own dialog takes no widget of ours.
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        box = new QCheckBox(option, &dialog);
        box->setObjectName(QStringLiteral("saveOption"));
        box->setChecked(checked);
        if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
            grid->addWidget(box, grid->rowCount(), 0, 1, -1);
    }
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // A name typed without a suffix gets the filter's, and the overwrite
    // question is asked about that name.
    dialog.setDefaultSuffix(suffix);
    dialog.selectFile(defaultName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    QString path = dialog.selectedFiles().constFirst();
    // Some desktops' own dialogs leave the suffix to the program.
    if (QFileInfo(path).suffix().isEmpty()) {
        path += u'.' + suffix;
        if (QFileInfo::exists(path)
            && QMessageBox::question(
                   parent, SavingText::tr("Save As"),
                   SavingText::tr("%1 already exists.\nDo you want to replace it?").arg(QDir::toNativeSeparators(path)))
                != QMessageBox::Yes)
            return std::nullopt;
    }
    lastFolder() = QFileInfo(path).absolutePath();
    return std::pair(path, box && box->isChecked());
}

}  // namespace

std::optional<QString> askSavePath(QWidget* parent, const QString& defaultName, const QString& filter)
{
    if (const auto chosen = askPath(parent, defaultName, filter, {}, false))
        return chosen->first;
    return std::nullopt;
}

bool saveAs(QWidget* parent, const QString& defaultName, const QString& filter, const std::optional<QByteArray>& bytes,
            const QString& what)
{
    if (!bytes) {
        warn(parent, SavingText::tr("%1 could not be made, so nothing was saved.").arg(what));
        return false;
    }
    const std::optional<QString> path = askSavePath(parent, defaultName, filter);
    return path && saveToPath(parent, *path, *bytes);
}

report::PdfDetails pdfDetails()
{
    return {QStringLiteral(QUILLON_VERSION), QDateTime::currentDateTime(), report::numberTextsIn(QLocale())};
}

QString runReportFileName(int runNumber)
{
    return QStringLiteral("quillon-run-%1.pdf").arg(runNumber);
}

std::optional<std::vector<series::RunUncertainty>> uncertaintiesToSave(QWidget* parent, RunsModel& model,
                                                                       const series::Series& asked)
{
    UncertaintyCache& cache = model.uncertainties();
    if (auto known = cache.findAll(asked))
        return known;
    // The work under way is waited for, not started a second time; what a
    // cancel left is asked for again.
    model.requestUncertainties();
    if (!waitForUncertainties(parent, cache, asked)) {
        warn(parent, SavingText::tr("The uncertainties were not computed, so nothing was saved."));
        return std::nullopt;
    }
    if (auto known = cache.findAll(asked))
        return known;
    // The series changed while it waited, and some of its runs are no longer
    // asked for: those alone are computed, not the runs known already.
    series::Series missing = asked;
    missing.runs.clear();
    for (const series::Run& run : asked.runs) {
        if (!cache.find(run, asked))
            missing.runs.push_back(run);
    }
    const std::optional<std::vector<series::RunUncertainty>> computed = uncertaintiesWithProgress(parent, missing);
    if (!computed) {
        warn(parent, SavingText::tr("The uncertainties were not computed, so nothing was saved."));
        return std::nullopt;
    }
    cache.remember(missing, *computed);
    return cache.findAll(asked);
}

// The series and results are copied first: the windows stay open while the
// uncertainties are computed, and may change the model meanwhile.

bool saveRunReport(QWidget* parent, RunsModel& model, int row)
{
    const series::Series series = model.series();
    const series::RunResult result = model.results().at(std::size_t(row));
    if (!report::seriesRun(series, std::size_t(row), result, nullptr))
        return false;
    // Only this run's uncertainty, under the series' defaults.
    series::Series one;
    one.uncertainty = series.uncertainty;
    one.runs = {series.runs.at(std::size_t(row))};
    const std::optional<std::vector<series::RunUncertainty>> uncertainty = uncertaintiesToSave(parent, model, one);
    if (!uncertainty)
        return false;
    const std::optional<report::Run> run = report::seriesRun(series, std::size_t(row), result, &uncertainty->front());
    return run
        && saveAs(parent, runReportFileName(run->number), SavingText::tr("PDF files (*.pdf)"),
                  report::runPdf(*run, pdfDetails()), SavingText::tr("The PDF report"));
}

bool saveRunsCsv(QWidget* parent, RunsModel& model)
{
    const series::Series series = model.series();
    const std::vector<series::RunResult> results = model.results();
    const std::optional<std::vector<series::RunUncertainty>> uncertainties = uncertaintiesToSave(parent, model, series);
    if (!uncertainties)
        return false;
    return saveAs(parent, QStringLiteral("quillon-runs.csv"), SavingText::tr("CSV files (*.csv)"),
                  QByteArray::fromStdString(series::exportCsv(series, results, *uncertainties)),
                  SavingText::tr("The table of runs"));
}

bool saveSeriesReport(QWidget* parent, RunsModel& model, series::Fitted fitted)
{
    const series::Series series = model.series();
    const std::vector<series::RunResult> results = model.results();
    const std::optional<std::vector<series::RunUncertainty>> uncertainties = uncertaintiesToSave(parent, model, series);
    if (!uncertainties)
        return false;
    const auto chosen =
        askPath(parent, QStringLiteral("quillon-series.pdf"), SavingText::tr("PDF files (*.pdf)"),
                SavingText::tr("Include a page per run"), report::appendixByDefault(series.runs.size()));
    if (!chosen)
        return false;
    const std::optional<QByteArray> bytes =
        report::seriesPdf(series, results, *uncertainties, pdfDetails(), chosen->second, fitted);
    if (!bytes) {
        warn(parent,
             SavingText::tr("%1 could not be made, so nothing was saved.").arg(SavingText::tr("The series report")));
        return false;
    }
    return saveToPath(parent, chosen->first, *bytes);
}

bool saveChartPicture(QWidget* parent, const QImage& picture)
{
    return saveAs(parent, QStringLiteral("quillon-chart.png"), SavingText::tr("PNG pictures (*.png)"),
                  report::pngBytes(picture), SavingText::tr("The picture"));
}

}  // namespace ui
