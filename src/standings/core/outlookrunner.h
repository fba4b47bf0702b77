#pragma once

#include "standings/core/outlook.h"

#include <QObject>

#include <atomic>
#include <memory>
#include <optional>
#include <vector>

// Answers the outlook questions of the window without ever making its thread
// wait for the solver: a kept answer comes back at once; otherwise the
// question is solved on a worker thread and its answer announced by solved()
// on the runner's own thread, provided it is still the question wanted. One
// question is solved at a time; a solve whose question is no longer wanted
// (another was asked, cancel(), the runner destroyed) is stopped at once and
// its unfinished answer neither announced nor kept. The runner owns its cache.
class OutlookRunner : public QObject
{
    Q_OBJECT
public:
    explicit OutlookRunner(int capacity = 40, QObject *parent = nullptr);
    // Stops the solve on its way: nothing waits for it.
    ~OutlookRunner() override;

    // The kept answer to `problem`, or nothing: then `problem` becomes the
    // question wanted and solved() will bring its answer (a later request or
    // cancel() replaces it).
    std::optional<std::vector<RankRange>> request(const OutlookProblem &problem);
    // No answer is wanted any more; the solve on its way stops and is dropped.
    void cancel();
    // A question is being solved on the worker.
    bool busy() const { return m_running.has_value(); }
    // Forgets the kept answers (the next request of each solves again).
    void clearKept();
    // How the next solves run (their allowance of work); the runner sets the cancel flag itself.
    void setSolveOptions(const OutlookSolveOptions &options) { m_options = options; }

signals:
    void solved(const OutlookProblem &problem, const std::vector<RankRange> &ranges);
    // An answer arrived for a question no longer wanted; the cache keeps it.
    void dropped(const OutlookProblem &problem);

private:
    struct Link;
    void start(const OutlookProblem &problem);
    void stopRunning();
    void finished(const OutlookProblem &problem, const std::vector<RankRange> &ranges);

    std::shared_ptr<OutlookCache> m_cache;
    std::shared_ptr<Link> m_link;                      // how a worker reaches the runner, if it still exists
    std::shared_ptr<std::atomic_bool> m_cancelRunning; // the cancel flag of the solve on its way
    OutlookSolveOptions m_options;
    std::optional<OutlookProblem> m_wanted;
    std::optional<OutlookProblem> m_running;
};
