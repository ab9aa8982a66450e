#include "ui/uncertainties.h"

#include "present/editing.h"

#include <QThread>

#include <algorithm>
#include <unordered_set>

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
    return !known.contains(key) && (listed(waiting, key) || (runningOn() && listed(running, key)));
}

std::vector<bool> UncertaintyCache::pendingRuns(const series::Series& series) const
{
    std::unordered_set<std::string> asked;
    for (const auto& entry : waiting)
        asked.insert(entry.first);
    if (runningOn()) {
        for (const auto& entry : running)
            asked.insert(entry.first);
    }
    std::vector<bool> pending;
    pending.reserve(series.runs.size());
    // A run without uncertainties has nothing to wait for.
    for (const series::Run& run : series.runs) {
        const std::string key = keyOf(run, series);
        pending.push_back(series::hasUncertainty(run, series.uncertainty) && !known.contains(key)
                          && asked.contains(key));
    }
    return pending;
}

UncertaintyCache::Progress UncertaintyCache::progress(const series::Series& series) const
{
    const std::vector<bool> pending = pendingRuns(series);
    Progress counted;
    for (std::size_t i = 0; i < series.runs.size(); ++i) {
        if (pending[i]) {
            ++counted.of;
        } else if (series::hasUncertainty(series.runs[i], series.uncertainty) && find(series.runs[i], series)) {
            ++counted.done;
            ++counted.of;
        }
    }
    return counted;
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
    std::vector<std::string> keys;
    for (const auto& entry : running)
        keys.push_back(entry.first);
    finished = std::make_shared<std::atomic<std::size_t>>(0);
    const bool wasBusy = busySince.isValid();
    worker = std::jthread([this, batch = std::move(batch), keys = std::move(keys),
                           counter = finished](std::stop_token stop) {
        // A few runs a core at a time, each part kept as it ends: the cells
        // and the analysis fill as the work goes, and a stop loses only the
        // part under way.
        const unsigned jobs = unsigned(QThread::idealThreadCount());
        const std::size_t part = std::max<std::size_t>({1, 4 * std::size_t(jobs), batch.runs.size() / 64});
        for (std::size_t first = 0; first < batch.runs.size() && !stop.stop_requested(); first += part) {
            const std::size_t end = std::min(batch.runs.size(), first + part);
            series::Series some;
            some.equilibrium = batch.equilibrium;
            some.runs.assign(batch.runs.begin() + std::ptrdiff_t(first), batch.runs.begin() + std::ptrdiff_t(end));
            auto results = series::uncertaintiesOf(some, jobs, counter.get(), stop);
            if (!results)
                break;
            std::vector<std::string> someKeys(keys.begin() + std::ptrdiff_t(first), keys.begin() + std::ptrdiff_t(end));
            QMetaObject::invokeMethod(
                this,
                [this, someKeys = std::move(someKeys), results = std::move(*results)]() mutable {
                    keep(someKeys, std::move(results));
                },
                Qt::QueuedConnection);
        }
        QMetaObject::invokeMethod(
            this, [this] { finish(); }, Qt::QueuedConnection);
    });
    // One busy stretch from the first batch to the last, for the progress.
    if (!wasBusy)
        busySince.start();
    emit busyChanged(true);
    emit started(running.size());
}

void UncertaintyCache::keep(const std::vector<std::string>& keys, std::vector<series::RunUncertainty> results)
{
    for (std::size_t i = 0; i < keys.size() && i < results.size(); ++i)
        known[keys[i]] = std::move(results[i]);
    emit computed();
}

void UncertaintyCache::finish()
{
    worker.join();
    running.clear();
    finished.reset();
    emit computed();
    startNext();
    if (!busy()) {
        busySince.invalidate();
        emit busyChanged(false);
    }
}
