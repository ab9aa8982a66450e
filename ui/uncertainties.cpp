#include "ui/uncertainties.h"

#include "present/editing.h"

#include <QThread>

#include <algorithm>

namespace {

// What the run's uncertainty depends on, for a batch under
// Equilibrium::runTemperature: the temperature only where the series takes
// the equilibrium there.
series::Run mergedRun(const series::Run& run, const series::Series& series)
{
    series::Run merged;
    merged.inputs = run.inputs;
    merged.packingHeight = run.packingHeight;
    merged.uncertainty = series::merged(series.uncertainty, run.uncertainty);
    merged.temperature = series::equilibriumTemperatureOf(run, series.equilibrium);
    merged.readings = run.readings;
    return merged;
}

std::string keyOf(const series::Run& run, const series::Series& series)
{
    return present::uncertaintyKey(run, series.uncertainty, series::equilibriumTemperatureOf(run, series.equilibrium),
                                   series.flowUnit);
}

}  // namespace

UncertaintyCache::UncertaintyCache(QObject* parent)
    : QObject(parent)
{
}

UncertaintyCache::~UncertaintyCache()
{
    // Before the members the worker writes to go.
    if (worker.joinable()) {
        worker.request_stop();
        worker.join();
    }
}

const series::RunUncertainty* UncertaintyCache::find(const series::Run& run, const series::Series& series) const
{
    const auto found = known.find(keyOf(run, series));
    return found == known.end() ? nullptr : &found->second;
}

std::optional<std::vector<series::RunUncertainty>> UncertaintyCache::findAll(const series::Series& series) const
{
    std::vector<series::RunUncertainty> all;
    for (const series::Run& run : series.runs) {
        const series::RunUncertainty* found = find(run, series);
        if (!found)
            return std::nullopt;
        all.push_back(*found);
    }
    return all;
}

bool UncertaintyCache::pending(const series::Run& run, const series::Series& series) const
{
    const std::string key = keyOf(run, series);
    return listed(waiting, key) || (runningOn() && listed(running, key));
}

bool UncertaintyCache::listed(const std::vector<std::pair<std::string, series::Run>>& list, const std::string& key)
{
    return std::any_of(list.begin(), list.end(), [&key](const auto& entry) { return entry.first == key; });
}

void UncertaintyCache::request(const series::Series& series)
{
    std::vector<std::pair<std::string, series::Run>> asked;
    bool runningAsked = false;
    for (const series::Run& run : series.runs) {
        std::string key = keyOf(run, series);
        if (runningOn() && listed(running, key)) {
            runningAsked = true;
            continue;
        }
        // A run whose computing was cancelled is asked for again.
        if (!known.contains(key) && !listed(asked, key))
            asked.emplace_back(std::move(key), mergedRun(run, series));
    }
    waiting = std::move(asked);
    waitingFlowUnit = series.flowUnit;
    if (runningOn() && !runningAsked)
        worker.request_stop();
    startSoon();
}

void UncertaintyCache::startSoon()
{
    // Running work starts the next when it ends.
    if (startQueued || busy())
        return;
    startQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            startQueued = false;
            if (!busy())
                startNext();
        },
        Qt::QueuedConnection);
}

void UncertaintyCache::remember(const series::Series& series, std::span<const series::RunUncertainty> results)
{
    for (std::size_t i = 0; i < series.runs.size() && i < results.size(); ++i) {
        std::string key = keyOf(series.runs[i], series);
        std::erase_if(waiting, [&key](const auto& entry) { return entry.first == key; });
        known[std::move(key)] = results[i];
    }
    emit computed();
}

void UncertaintyCache::cancel()
{
    waiting.clear();
    if (worker.joinable())
        worker.request_stop();
    emit computed();
}

void UncertaintyCache::startNext()
{
    if (waiting.empty())
        return;
    running = std::move(waiting);
    waiting.clear();
    // Each run carries the temperature of its equilibrium, none for the table's.
    series::Series batch;
    batch.equilibrium = series::Equilibrium::runTemperature;
    batch.flowUnit = waitingFlowUnit;
    for (const auto& entry : running)
        batch.runs.push_back(entry.second);
    finished = std::make_shared<std::atomic<std::size_t>>(0);
    worker = std::jthread([this, batch = std::move(batch), counter = finished](std::stop_token stop) {
        auto results = series::uncertaintiesOf(batch, unsigned(QThread::idealThreadCount()), counter.get(), stop);
        QMetaObject::invokeMethod(
            this, [this, results = std::move(results)]() mutable { finish(std::move(results)); }, Qt::QueuedConnection);
    });
    emit busyChanged(true);
    emit started(running.size());
}

void UncertaintyCache::finish(std::optional<std::vector<series::RunUncertainty>> results)
{
    worker.join();
    // Cancelled, the results are none.
    for (std::size_t i = 0; results && i < running.size(); ++i)
        known[running[i].first] = std::move((*results)[i]);
    running.clear();
    finished.reset();
    emit computed();
    startNext();
    if (!busy())
        emit busyChanged(false);
}
