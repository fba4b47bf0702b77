// The outlook questions answered off the asking thread: kept answers at once,
// others through solved() once the worker is done, and answers to questions
// no longer wanted dropped.
#include "standings/core/outlookrunner.h"

#include <gtest/gtest.h>

#include <QSemaphore>
#include <QTest>
#include <QThreadPool>

#include <atomic>
#include <memory>
#include <vector>

namespace {

// Six teams with two rounds of a league left: enough for the solver to work.
OutlookProblem league(int leaderPoints)
{
    OutlookProblem p;
    p.points = {leaderPoints, 20, 19, 15, 12, 8};
    p.remaining = {{0, 1}, {2, 3}, {4, 5}, {1, 2}, {3, 4}, {5, 0}};
    return p;
}

// Every answer the runner announces, in order.
struct Announcements
{
    explicit Announcements(OutlookRunner &runner)
    {
        QObject::connect(&runner, &OutlookRunner::solved, &runner,
                         [this](const OutlookProblem &p, const std::vector<RankRange> &r) {
                             solved.push_back(p);
                             ranges.push_back(r);
                         });
        QObject::connect(&runner, &OutlookRunner::dropped, &runner,
                         [this](const OutlookProblem &p) { dropped.push_back(p); });
    }
    std::vector<OutlookProblem> solved;
    std::vector<std::vector<RankRange>> ranges;
    std::vector<OutlookProblem> dropped;
};

void waitUntilIdle(const OutlookRunner &runner)
{
    ASSERT_TRUE(QTest::qWaitFor([&runner] { return !runner.busy(); }, 20000));
}

// Holds the worker threads of the global pool so that a solve asked for
// meanwhile waits in the queue: whatever happens to it before release() has
// happened before it starts.
class HeldPool
{
public:
    HeldPool()
        : m_threads(QThreadPool::globalInstance()->maxThreadCount())
    {
        QThreadPool::globalInstance()->setMaxThreadCount(1);
        QThreadPool::globalInstance()->start([this] { m_gate.acquire(); });
    }
    ~HeldPool()
    {
        release();
        QThreadPool::globalInstance()->waitForDone();
        QThreadPool::globalInstance()->setMaxThreadCount(m_threads);
    }
    void release()
    {
        if (!m_released)
            m_gate.release();
        m_released = true;
    }

private:
    int m_threads;
    QSemaphore m_gate;
    bool m_released = false;
};

TEST(OutlookRunner, SolvesOnAWorkerThenAnswersFromWhatItKept)
{
    OutlookRunner runner;
    Announcements heard(runner);
    const OutlookProblem p = league(22);
    EXPECT_FALSE(runner.request(p));
    EXPECT_TRUE(runner.busy());
    // The answer never comes within the request, only from the event loop.
    EXPECT_TRUE(heard.solved.empty());
    waitUntilIdle(runner);
    ASSERT_EQ(heard.solved.size(), 1u);
    EXPECT_EQ(heard.solved[0], p);
    EXPECT_EQ(heard.ranges[0], solveRankRanges(p));

    const std::optional<std::vector<RankRange>> kept = runner.request(p);
    ASSERT_TRUE(kept);
    EXPECT_EQ(*kept, solveRankRanges(p));
    EXPECT_FALSE(runner.busy());

    runner.clearKept();
    EXPECT_FALSE(runner.request(p));
    waitUntilIdle(runner);
    EXPECT_EQ(heard.solved.size(), 2u);
}

TEST(OutlookRunner, AQuestionReplacedWhileSolvedIsDroppedAndTheNewOneSolvedNext)
{
    OutlookRunner runner;
    Announcements heard(runner);
    const OutlookProblem first = league(22);
    const OutlookProblem second = league(30);
    const OutlookProblem third = league(25);
    HeldPool pool;
    EXPECT_FALSE(runner.request(first));
    EXPECT_FALSE(runner.request(second)); // the table changed: the first solve stops
    EXPECT_FALSE(runner.request(third));  // replaces the second before it starts
    pool.release();
    ASSERT_TRUE(QTest::qWaitFor([&heard] { return !heard.solved.empty(); }, 20000));
    waitUntilIdle(runner);
    ASSERT_EQ(heard.solved.size(), 1u);
    EXPECT_EQ(heard.solved[0], third);
    EXPECT_EQ(heard.ranges[0], solveRankRanges(third));
    ASSERT_EQ(heard.dropped.size(), 1u);
    EXPECT_EQ(heard.dropped[0], first);
    // The first solve was stopped, so nothing of it is kept; the second was
    // never solved.
    EXPECT_FALSE(runner.request(first));
    waitUntilIdle(runner);
    EXPECT_FALSE(runner.request(second));
    waitUntilIdle(runner);
}

TEST(OutlookRunner, AskingAgainWhileSolvingGetsTheOneAnswerOnce)
{
    OutlookRunner runner;
    Announcements heard(runner);
    const OutlookProblem p = league(22);
    EXPECT_FALSE(runner.request(p));
    // The worker may have finished already (then the answer is kept and
    // comes back at once) or not (then it is announced): either way once,
    // from a single solve.
    const bool keptAlready = runner.request(p).has_value();
    waitUntilIdle(runner);
    EXPECT_EQ(heard.solved.size(), keptAlready ? 0u : 1u);
    EXPECT_EQ(heard.dropped.size(), keptAlready ? 1u : 0u);
    EXPECT_TRUE(runner.request(p));
}

TEST(OutlookRunner, ACancelledSolveIsNeitherAnnouncedNorKeptAndAskedAgainIsSolvedAgain)
{
    OutlookRunner runner;
    Announcements heard(runner);
    const OutlookProblem p = league(22);
    {
        HeldPool pool;
        EXPECT_FALSE(runner.request(p));
        runner.cancel(); // before the solve has taken a single step
    }
    waitUntilIdle(runner);
    EXPECT_TRUE(heard.solved.empty());
    EXPECT_EQ(heard.dropped.size(), 1u);

    // Nothing was kept. Asked again, cancelled, and asked once more while
    // the stopped solve is still on its way: that one is no answer, so the
    // question is solved again, completely, and announced once.
    {
        HeldPool pool;
        EXPECT_FALSE(runner.request(p));
        runner.cancel();
        EXPECT_FALSE(runner.request(p));
    }
    waitUntilIdle(runner);
    EXPECT_EQ(heard.dropped.size(), 2u);
    ASSERT_EQ(heard.solved.size(), 1u);
    EXPECT_EQ(heard.ranges[0], solveRankRanges(p));
    EXPECT_TRUE(runner.request(p));
}

TEST(OutlookRunner, GoingAwayDuringASolveStopsTheWorkerAtItsNextStep)
{
    // The worker is held in the first step of its search while the runner
    // goes away; let go, it takes no other step and posts nothing.
    QSemaphore inStep;
    QSemaphore letGo;
    std::atomic_bool gone{false};
    std::atomic_int stepsAfter{0};
    auto runner = std::make_unique<OutlookRunner>();
    OutlookSolveOptions options{.shortcuts = false};
    options.onStep = [&] {
        if (gone) {
            ++stepsAfter;
            return;
        }
        inStep.release();
        letGo.acquire();
    };
    runner->setSolveOptions(options);
    EXPECT_FALSE(runner->request(league(22)));
    ASSERT_TRUE(inStep.tryAcquire(1, 20000));
    runner.reset();
    gone = true;
    letGo.release(1000);
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
    EXPECT_EQ(stepsAfter, 0);
}

} // namespace
