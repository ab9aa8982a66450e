#include "ui/seriesfiles.h"

#include "present/editing.h"
#include "present/seriesmessages.h"
#include "report/qtpresent.h"
#include "series/csv.h"
#include "series/file.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <thread>
#include <variant>

namespace ui {
namespace {

struct FileText {
    Q_DECLARE_TR_FUNCTIONS(SeriesFiles)
};

void tell(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    // Names and texts from a file are never markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void tell(QWidget* parent, QMessageBox::Icon icon, const present::MessageBox& box)
{
    tell(parent, icon, QString::fromStdString(box.title), QString::fromStdString(box.text));
}

}  // namespace

namespace {

// work(done, stop) on a thread of its own; after half a second a progress
// dialog of `count` steps shows, whose Cancel stops the work and gives
// nothing. The windows stay responsive meanwhile.
template <typename Result, typename Work>
std::optional<Result> withProgress(QWidget* parent, const QString& label, std::size_t count, Work work)
{
    QProgressDialog progress(label, FileText::tr("Cancel"), 0, int(count), parent);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    progress.setAutoReset(false);

    std::atomic<std::size_t> done{0};
    std::optional<Result> results;
    QEventLoop loop;
    std::jthread worker([&](std::stop_token stop) {
        results = work(&done, stop);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    QTimer tick;
    tick.setInterval(50);
    QObject::connect(&tick, &QTimer::timeout, &progress, [&] { progress.setValue(int(done.load())); });
    QObject::connect(&progress, &QProgressDialog::canceled, &loop, [&] { worker.request_stop(); });
    tick.start();
    loop.exec();
    worker.join();
    if (progress.wasCanceled())
        return std::nullopt;
    return results;
}

}  // namespace

std::optional<std::vector<series::RunResult>> computeWithProgress(QWidget* parent, std::span<const series::Run> runs,
                                                                  series::Equilibrium equilibrium)
{
    return withProgress<std::vector<series::RunResult>>(
        parent, FileText::tr("Computing the runs…"), runs.size(),
        [runs, equilibrium](std::atomic<std::size_t>* done, std::stop_token stop) {
            return series::computeRuns(runs, equilibrium, unsigned(QThread::idealThreadCount()), done, stop);
        });
}

std::optional<std::vector<series::RunUncertainty>> uncertaintiesWithProgress(QWidget* parent,
                                                                             const series::Series& series)
{
    return withProgress<std::vector<series::RunUncertainty>>(
        parent, FileText::tr("Computing the uncertainties…"), series.runs.size(),
        [&series](std::atomic<std::size_t>* done, std::stop_token stop) {
            return series::uncertaintiesOf(series, unsigned(QThread::idealThreadCount()), done, stop);
        });
}

bool waitForUncertainties(QWidget* parent, UncertaintyCache& cache, const series::Series& asked)
{
    const auto waiting = [&cache, &asked] {
        return std::any_of(asked.runs.begin(), asked.runs.end(),
                           [&](const series::Run& run) { return cache.pending(run, asked); });
    };
    if (!waiting())
        return true;
    QProgressDialog progress(FileText::tr("Computing the uncertainties…"), FileText::tr("Cancel"), 0,
                             int(asked.runs.size()), parent);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    progress.setAutoReset(false);
    QEventLoop loop;
    const auto check = [&] {
        if (!waiting())
            loop.quit();
    };
    QTimer tick;
    tick.setInterval(50);
    // The count is of the runs asked, as the Runs window's bar counts them.
    QObject::connect(&tick, &QTimer::timeout, &progress, [&] {
        const UncertaintyCache::Progress counted = cache.progress(asked);
        if (counted.of > 0) {
            progress.setMaximum(int(counted.of));
            progress.setValue(int(counted.done));
        }
        check();
    });
    QObject::connect(&cache, &UncertaintyCache::computed, &loop, check);
    QObject::connect(&progress, &QProgressDialog::canceled, &loop, &QEventLoop::quit);
    tick.start();
    loop.exec();
    if (!progress.wasCanceled())
        return true;
    cache.cancel();
    return false;
}

namespace {

bool isCsv(const QString& path)
{
    return QFileInfo(path).suffix().compare(u"csv", Qt::CaseInsensitive) == 0;
}

// The file's bytes, or empty after a box that says why not.
std::optional<QByteArray> bytesOf(QWidget* parent, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        tell(parent, QMessageBox::Warning, FileText::tr("Not opened"),
             FileText::tr("%1 could not be opened:\n%2").arg(QDir::toNativeSeparators(path), file.errorString()));
        return std::nullopt;
    }
    return file.readAll();
}

void tellRefused(QWidget* parent, const QString& path, const series::ReadError& error)
{
    tell(parent, QMessageBox::Warning,
         present::refusedBox(error, QDir::toNativeSeparators(path).toStdString(),
                             QFileInfo(path).fileName().toStdString(), report::qtLanguage(),
                             report::numberLocaleOf(QLocale())));
}

// The runs computed, then what differs from the stored results and what the
// reader noticed told; empty when the computing is cancelled.
std::optional<std::vector<series::RunResult>> computeAndTell(QWidget* parent, const QString& path,
                                                             std::span<const series::Run> runs,
                                                             std::span<const series::StoredResults> stored,
                                                             const std::vector<series::Notice>& notices,
                                                             series::Equilibrium equilibrium)
{
    std::optional<std::vector<series::RunResult>> results = computeWithProgress(parent, runs, equilibrium);
    if (!results)
        return std::nullopt;
    for (const present::MessageBox& box : present::openedBoxes(series::compareResults(stored, *results), notices,
                                                               QFileInfo(path).fileName().toStdString(),
                                                               report::qtLanguage(), report::numberLocaleOf(QLocale())))
        tell(parent, QMessageBox::Information, box);
    return results;
}

}  // namespace

std::optional<OpenedSeries> openSeriesFile(QWidget* parent, const QString& path)
{
    const std::optional<QByteArray> bytes = bytesOf(parent, path);
    if (!bytes)
        return std::nullopt;
    const std::string_view text(bytes->constData(), std::size_t(bytes->size()));

    OpenedSeries opened;
    opened.imported = isCsv(path);
    std::vector<series::Notice> notices;
    std::vector<series::StoredResults> stored;
    std::optional<series::ReadError> error;
    if (opened.imported) {
        series::ImportResult read = series::importCsv(text);
        if (auto* imported = std::get_if<series::ImportedSeries>(&read)) {
            opened.series = std::move(imported->series);
            notices = std::move(imported->notices);
        } else {
            error = std::get<series::ReadError>(read);
        }
    } else {
        series::ReadSeries read = series::readSeriesFile(text);
        if (auto* fromFile = std::get_if<series::OpenedSeries>(&read)) {
            opened.series = std::move(fromFile->series);
            stored = std::move(fromFile->stored);
            notices = std::move(fromFile->notices);
        } else {
            error = std::get<series::ReadError>(read);
        }
    }
    if (error) {
        tellRefused(parent, path, *error);
        return std::nullopt;
    }
    std::optional<std::vector<series::RunResult>> results =
        computeAndTell(parent, path, opened.series.runs, stored, notices, opened.series.equilibrium);
    if (!results)
        return std::nullopt;
    opened.results = std::move(*results);
    return opened;
}

std::optional<ImportedRuns> importRunsFile(QWidget* parent, const QString& path, series::Equilibrium equilibrium,
                                           const std::string& flowUnit)
{
    const std::optional<QByteArray> bytes = bytesOf(parent, path);
    if (!bytes)
        return std::nullopt;
    auto read = present::readRuns(std::string_view(bytes->constData(), std::size_t(bytes->size())),
                                  isCsv(path) ? present::RunsFile::csv : present::RunsFile::series);
    if (const auto* error = std::get_if<series::ReadError>(&read)) {
        tellRefused(parent, path, *error);
        return std::nullopt;
    }
    auto& file = std::get<present::FileRuns>(read);
    // The stored results are compared in the file's unit, the runs join in the series'.
    present::FileRuns joining = file;
    const bool converted = present::intoFlowUnit(joining, flowUnit);
    std::optional<std::vector<series::RunResult>> results =
        computeAndTell(parent, path, file.runs, file.stored, joining.notices, equilibrium);
    if (results && converted)
        results = computeWithProgress(parent, joining.runs, equilibrium);
    if (!results)
        return std::nullopt;
    return ImportedRuns{std::move(joining.runs), std::move(*results)};
}

QByteArray seriesFileBytes(const series::Series& series, std::span<const series::RunResult> results)
{
    return QByteArray::fromStdString(series::writeSeriesFile(series, results));
}

}  // namespace ui
