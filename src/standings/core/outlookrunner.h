#pragma once

#include "standings/core/outlook.h"

#include <QObject>

#include <memory>
#include <optional>
#include <vector>

// Answers the outlook questions of the window without ever making its thread
// wait for the solver: a kept answer comes back at once; otherwise the
// question is solved on a worker thread and its answer announced by solved()
// on the runner's own thread, provided it is still the question wanted. One
// question is solved at a time, and one no longer wanted by the time the
// worker is free is never solved at all. The runner owns its cache.
class OutlookRunner : public QObject
{
    Q_OBJECT
public:
    explicit OutlookRunner(int capacity = 40, QObject *parent = nullptr);
    ~OutlookRunner() override;

    // The kept answer to `problem`, or nothing: then `problem` becomes the
    // question wanted and solved() will bring its answer (a later request or
    // cancel() replaces it).
    std::optional<std::vector<RankRange>> request(const OutlookProblem &problem);
    // No answer is wanted any more; one on its way is dropped.
    void cancel();
    // A question is being solved on the worker.
    bool busy() const { return m_running.has_value(); }
    // Forgets the kept answers (the next request of each solves again).
    void clearKept();

signals:
    void solved(const OutlookProblem &problem, const std::vector<RankRange> &ranges);
    // An answer arrived for a question no longer wanted; the cache keeps it.
    void dropped(const OutlookProblem &problem);

private:
    struct Link;
    void start(const OutlookProblem &problem);
    void finished(const OutlookProblem &problem, const std::vector<RankRange> &ranges);

    std::shared_ptr<OutlookCache> m_cache;
    std::shared_ptr<Link> m_link; // how a worker reaches the runner, if it still exists
    std::optional<OutlookProblem> m_wanted;
    std::optional<OutlookProblem> m_running;
};
