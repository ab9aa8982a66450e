#pragma once

#include "series/uncertainty.h"

#include <QObject>

#include <atomic>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <thread>
#include <vector>

// The uncertainty of each run's coefficient, computed on all cores away from
// the windows' thread and kept by what it depends on (the run's inputs,
// height and uncertainties), so that undoing a change shows the earlier
// result at once. Nothing here blocks typing.
class UncertaintyCache : public QObject {
    Q_OBJECT

public:
    explicit UncertaintyCache(QObject* parent = nullptr);
    ~UncertaintyCache() override;

    // The run's result under the series' defaults; null while it is being
    // computed, or when it was never asked for or cancelled.
    const series::RunUncertainty* find(const series::Run& run, const series::Uncertainties& defaults) const;
    // Every run's result, in order; empty while any is not known.
    std::optional<std::vector<series::RunUncertainty>> findAll(const series::Series& series) const;
    // Whether the run's result is being computed or waits its turn.
    bool pending(const series::Run& run, const series::Uncertainties& defaults) const;

    // Starts computing every run's result that is not known or on its way.
    void request(std::span<const series::Run> runs, const series::Uncertainties& defaults);

    // Keeps the results computed elsewhere for the series' runs, in order,
    // as if computed here.
    void remember(const series::Series& series, std::span<const series::RunUncertainty> results);

    // Stops the computing. A cancelled result is no result: the runs it had
    // not finished are not known, and are computed when next requested.
    void cancel();

    bool busy() const { return worker.joinable(); }
    // Of the runs being computed now: how many are done, of how many.
    std::size_t done() const { return finished ? finished->load() : 0; }
    std::size_t total() const { return running.size(); }

signals:
    // New results are known.
    void computed();
    // Computing started or ended.
    void busyChanged(bool busy);

private:
    void startNext();
    static bool listed(const std::vector<std::pair<std::string, series::Run>>& list, const std::string& key);
    void finish(std::optional<std::vector<series::RunUncertainty>> results);
    // Whether the runs being computed will finish, that is, were not cancelled.
    bool runningOn() const { return worker.joinable() && !worker.get_stop_token().stop_requested(); }

    std::map<std::string, series::RunUncertainty> known;
    std::vector<std::pair<std::string, series::Run>> waiting;  // runs with their merged uncertainties
    std::vector<std::pair<std::string, series::Run>> running;
    std::shared_ptr<std::atomic<std::size_t>> finished;
    std::jthread worker;
};
