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
    // Answers already posted are removed with the object's pending events.
    const QMutexLocker lock(&m_link->mutex);
    m_link->runner = nullptr;
}

std::optional<std::vector<RankRange>> OutlookRunner::request(const OutlookProblem &problem)
{
    if (std::optional<std::vector<RankRange>> kept = m_cache->find(problem)) {
        m_wanted.reset();
        return kept;
    }
    m_wanted = problem;
    // Asked again while it is being solved: its answer is on its way. Another
    // question waits for the worker to be free.
    if (!m_running)
        start(problem);
    return std::nullopt;
}

void OutlookRunner::cancel()
{
    m_wanted.reset();
}

void OutlookRunner::clearKept()
{
    m_cache->clear();
}

void OutlookRunner::start(const OutlookProblem &problem)
{
    m_running = problem;
    // The global pool: the application waits for it before it ends, so a
    // solve never outlives the program's objects it uses (the cache and the
    // link are shared with the worker).
    QThreadPool::globalInstance()->start([cache = m_cache, link = m_link, problem] {
        std::vector<RankRange> ranges = cache->ranges(problem);
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
    if (m_wanted && *m_wanted == problem) {
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
