#include "standings/core/outlookrunner.h"

#include <QMutex>
#include <QMutexLocker>
#include <QThreadPool>

#include <utility>

// A worker may finish after the runner is gone (the window closed during a
// solve): it posts its answer only while the runner still exists, under the
// same lock the runner's destructor takes to say it is going.
struct OutlookRunner::Link
{
    QMutex mutex;
    OutlookRunner *runner = nullptr;
};

OutlookRunner::OutlookRunner(int capacity, QObject *parent)
    : QObject(parent)
    , m_cache(std::make_shared<OutlookCache>(capacity))
    , m_link(std::make_shared<Link>())
{
    m_link->runner = this;
}

OutlookRunner::~OutlookRunner()
{
    // The worker sees the flag at its next step and ends: the application,
    // which waits for the pool's threads before it ends, hardly waits.
    stopRunning();
    // Answers already posted are removed with the object's pending events.
    const QMutexLocker lock(&m_link->mutex);
    m_link->runner = nullptr;
}

std::optional<std::vector<RankRange>> OutlookRunner::request(const OutlookProblem &problem)
{
    const bool runningOther = m_running && *m_running != problem;
    if (std::optional<std::vector<RankRange>> kept = m_cache->find(problem)) {
        m_wanted.reset();
        if (runningOther)
            stopRunning();
        return kept;
    }
    m_wanted = problem;
    // Asked again while it is being solved: its answer is on its way. Another
    // question stops the solve on its way and is solved once the worker is free.
    if (!m_running)
        start(problem);
    else if (runningOther)
        stopRunning();
    return std::nullopt;
}

void OutlookRunner::cancel()
{
    m_wanted.reset();
    stopRunning();
}

void OutlookRunner::stopRunning()
{
    if (m_running && m_cancelRunning)
        m_cancelRunning->store(true);
}

void OutlookRunner::clearKept()
{
    m_cache->clear();
}

void OutlookRunner::start(const OutlookProblem &problem)
{
    m_running = problem;
    m_cancelRunning = std::make_shared<std::atomic_bool>(false);
    // The global pool: the application waits for it before it ends, so a
    // solve never outlives the program's objects it uses (the cache, the
    // link and the cancel flag are shared with the worker).
    QThreadPool::globalInstance()->start(
        [cache = m_cache, link = m_link, cancel = m_cancelRunning, options = m_options, problem]() mutable {
            options.cancel = cancel.get();
            std::vector<RankRange> ranges = cache->ranges(problem, options);
            const QMutexLocker lock(&link->mutex);
            if (OutlookRunner *runner = link->runner) {
                QMetaObject::invokeMethod(
                    runner, [runner, problem, ranges = std::move(ranges)] { runner->finished(problem, ranges); },
                    Qt::QueuedConnection);
            }
        });
}

void OutlookRunner::finished(const OutlookProblem &problem, const std::vector<RankRange> &ranges)
{
    m_running.reset();
    m_cancelRunning.reset();
    // A stopped solve may still be the question wanted: asked again after
    // cancel() before the worker saw the flag. It is solved again below.
    if (outlookComplete(ranges) && m_wanted && *m_wanted == problem) {
        m_wanted.reset();
        emit solved(problem, ranges);
        return;
    }
    emit dropped(problem);
    if (!m_wanted)
        return;
    // The question asked meanwhile: kept already, or the worker's next job.
    if (std::optional<std::vector<RankRange>> kept = m_cache->find(*m_wanted)) {
        const OutlookProblem wanted = *std::exchange(m_wanted, std::nullopt);
        emit solved(wanted, *kept);
    } else {
        start(*m_wanted);
    }
}
