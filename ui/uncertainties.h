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
    // computed or was never asked for.
    const series::RunUncertainty* find(const series::Run& run, const series::Uncertainties& defaults) const;

    // Starts computing every run's result that is not known or on its way.
    void request(std::span<const series::Run> runs, const series::Uncertainties& defaults);

    // Stops the computing: the runs it had not finished are given as
    // cancelled until their values or uncertainties change.
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
    void finish(std::optional<std::vector<series::RunUncertainty>> results);

    std::map<std::string, series::RunUncertainty> known;
    std::vector<std::pair<std::string, series::Run>> waiting;  // runs with their merged uncertainties
    std::vector<std::pair<std::string, series::Run>> running;
    std::shared_ptr<std::atomic<std::size_t>> finished;
    std::jthread worker;
};
