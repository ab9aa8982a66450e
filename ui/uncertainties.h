#pragma once

#include "series/uncertainty.h"

#include <QElapsedTimer>
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
// height, uncertainties and equilibrium temperature), so that undoing a change shows the earlier
// result at once. Nothing here blocks typing.
class UncertaintyCache : public QObject {
    Q_OBJECT

public:
    explicit UncertaintyCache(QObject* parent = nullptr);
    ~UncertaintyCache() override;

    // The run's result under the series' defaults and choice of equilibrium;
    // null while it is being computed, or when it was never asked for or
    // cancelled.
    const series::RunUncertainty* find(const series::Run& run, const series::Series& series) const;
    // Every run's result, in order; empty while any is not known.
    std::optional<std::vector<series::RunUncertainty>> findAll(const series::Series& series) const;
    // Whether the run's result is being computed or waits its turn.
    bool pending(const series::Run& run, const series::Series& series) const;
    // pending() of every run of the series, in order; false for a run
    // without uncertainties, which has nothing to wait for.
    std::vector<bool> pendingRuns(const series::Series& series) const;

    // Of the series' runs with uncertainties whose result is known or pending, how many are
    // known: twins count as done with the run computed for both, and an
    // edit during the work puts its run back to pending, not the count to 0.
    struct Progress {
        std::size_t done = 0;
        std::size_t of = 0;
    };
    Progress progress(const series::Series& series) const;
    // How long the computing has gone on without a pause, in ms; 0 while idle.
    qint64 busyFor() const { return busy() && busySince.isValid() ? busySince.elapsed() : 0; }

    // Asks for every run's result that is not known or being computed, in
    // place of what was asked before and has not started: a value typed over
    // is not computed for what it was. Work under way none of whose runs is
    // asked for any more stops. The computing starts as the event loop next
    // turns, so that what one turn commits makes one computation.
    void request(const series::Series& series);

    // Keeps the results computed elsewhere for the series' runs, in order,
    // as if computed here.
    void remember(const series::Series& series, std::span<const series::RunUncertainty> results);

    // Stops the computing. A cancelled result is no result: the runs it had
    // not finished are not known, and are computed when next requested.
    void cancel();

    bool busy() const { return worker.joinable(); }
    // Of the runs of the batch being computed now: how many are done, of how many.
    std::size_t done() const { return finished ? finished->load() : 0; }
    std::size_t total() const { return running.size(); }

signals:
    // New results are known.
    void computed();
    // Computing started or ended.
    void busyChanged(bool busy);
    // A computation of this many runs started.
    void started(std::size_t runs);

private:
    void startSoon();
    void startNext();
    static bool listed(const std::vector<std::pair<std::string, series::Run>>& list, const std::string& key);
    void keep(const std::vector<std::string>& keys, std::vector<series::RunUncertainty> results);
    void finish();
    // Whether the runs being computed will finish, that is, were not cancelled.
    bool runningOn() const { return worker.joinable() && !worker.get_stop_token().stop_requested(); }

    std::map<std::string, series::RunUncertainty> known;
    std::vector<std::pair<std::string, series::Run>> waiting;  // runs with their merged uncertainties
    std::vector<std::pair<std::string, series::Run>> running;
    std::string waitingFlowUnit;  // the unit readings give the waiting runs' flows in
    std::shared_ptr<std::atomic<std::size_t>> finished;
    bool startQueued = false;
    QElapsedTimer busySince;
    std::jthread worker;
};
