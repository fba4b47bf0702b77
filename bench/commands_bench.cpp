// Times the window's commands on the bundled season, from the click to the
// end of the repaint, on the real main window (offscreen unless a platform is
// chosen): the general ranking, the sorts by one statistic, the reachable
// ranks (the quick overlay, and the exact one on the table of a match day), a click on the
// match-day picker, a team row click and the configuration panel. One frame
// is 16 ms.
#include "benchprogram.h"

#include "standings/core/outlookrunner.h"
#include "team/ui/statisticsview.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <string>

namespace {

// The program on a copy of the bundled season, started once for every run.
struct Program : BenchProgram
{
    Program()
        : BenchProgram(QDateTime(QDate(2014, 2, 20), QTime(20, 0)))
    {}

    // A click, then the window painted as the screen would show it: the
    // pending events run, among them the repaint of every part that changed.
    // KESTRANE_BENCH_FULL_REPAINT=1 repaints the whole window instead, the
    // worst case.
    void paint()
    {
        static const bool full = qEnvironmentVariableIntValue("KESTRANE_BENCH_FULL_REPAINT") != 0;
        if (full)
            window->repaint();
        else
            QCoreApplication::processEvents();
    }
    void clickAndPaint(QWidget *target)
    {
        QTest::mouseClick(target, Qt::LeftButton);
        paint();
    }
    void command(Command command)
    {
        window->runCommand(command);
        paint();
    }
};

Program *program = nullptr;

void Run(benchmark::State &state, Command command)
{
    QWidget *button = program->find(QStringLiteral("BtN"), commands::indexOf(command));
    for (auto _ : state) {
        if (button && button->isVisible())
            program->clickAndPaint(button);
        else
            program->command(command);
    }
}

// The ranking comes back over a sorted table, so the repaint has the
// whole table to redraw.
void ClassementGeneral(benchmark::State &state)
{
    QWidget *general = program->find(QStringLiteral("BtN"), commands::indexOf(Command::GeneralStandings));
    for (auto _ : state) {
        state.PauseTiming();
        program->window->standings().sortByCriterion(QStringLiteral("BC"));
        program->paint();
        state.ResumeTiming();
        program->clickAndPaint(general);
    }
}

// Each sort starts from the ranking, so its table really changes.
void Sort(benchmark::State &state, Command command)
{
    program->command(Command::Classifications); // the classification buttons
    QWidget *sort = program->find(QStringLiteral("BtN"), commands::indexOf(command));
    for (auto _ : state) {
        state.PauseTiming();
        program->window->standings().computeStandings();
        program->paint();
        state.ResumeTiming();
        program->clickAndPaint(sort);
    }
}

void ReachableRanks(benchmark::State &state)
{
    // Each click switches the overlay on or off; both are measured in turn.
    Run(state, Command::ReachableRanks);
}

// The exact ranges on the table of match day `day` ("Calcul exact" ticked).
// Each iteration times the click on the overlay's button until the window is
// painted: with no kept answer (the click paints "Calcul…", the window's
// share; the time until the worker's answer is painted too is the "filled"
// counter) or with the answer kept (the click paints the ranges).
void ExactRanges(benchmark::State &state, MatchDayNo day, bool kept)
{
    MainWindow &window = *program->window;
    auto *exact = window.findChild<QCheckBox *>(QStringLiteral("CheckExact"));
    auto *runner = window.findChild<OutlookRunner *>();
    QWidget *button = program->find(QStringLiteral("BtN"), commands::indexOf(Command::ReachableRanks));
    if (!exact || !runner || !button) {
        state.SkipWithError("no exact overlay in the window");
        return;
    }
    const auto settle = [&] {
        while (runner->busy())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        program->paint();
    };
    const auto hide = [&] {
        const QWidget *title = window.findChild<QWidget *>(QStringLiteral("LabPosPoss"));
        if (title && title->isVisible())
            program->command(Command::ReachableRanks);
    };
    hide();
    exact->setChecked(true);
    window.standings().pickMatchDay(day);
    hide();
    runner->clearKept();
    double filledMs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        hide();
        if (kept) {
            program->clickAndPaint(button);
            settle();
            hide();
        } else {
            runner->clearKept();
        }
        QElapsedTimer filled;
        filled.start();
        state.ResumeTiming();
        program->clickAndPaint(button);
        state.PauseTiming();
        settle();
        filledMs += double(filled.nsecsElapsed()) / 1e6;
        state.ResumeTiming();
    }
    state.counters["filled_ms"] = benchmark::Counter(filledMs, benchmark::Counter::kAvgIterations);
    hide();
    exact->setChecked(false);
}

void PickerClickAtDay20(benchmark::State &state)
{
    program->command(Command::PickMatchDay);
    for (auto _ : state) {
        QWidget *twenty = program->find(QStringLiteral("Label10"), 20);
        program->clickAndPaint(twenty);
    }
}

void TeamRowClick(benchmark::State &state)
{
    int row = 0;
    for (auto _ : state) {
        program->clickAndPaint(program->find(QStringLiteral("Tclass"), row));
        row = (row + 7) % 20;
    }
}

void Configuration(benchmark::State &state)
{
    Run(state, Command::Configuration);
}

// The statistics from their button, on the form guide; then a click on its
// "Évolution" tab (its ranking history is built once, then kept).
void OpenStatistics(benchmark::State &state, bool evolution)
{
    auto *button = program->window->findChild<QWidget *>(QStringLiteral("BtStats"));
    // The view is built at its first opening.
    auto *view = program->window->findChild<StatisticsView *>(QStringLiteral("FraStats"));
    if (!view) {
        program->clickAndPaint(button);
        view = program->window->findChild<StatisticsView *>(QStringLiteral("FraStats"));
    }
    for (auto _ : state) {
        state.PauseTiming();
        view->hide();
        view->showPage(StatisticsView::Page::Form);
        program->paint();
        state.ResumeTiming();
        program->clickAndPaint(button);
        if (evolution) {
            view->showPage(StatisticsView::Page::Evolution);
            program->paint();
        }
    }
    view->hide();
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir home;
    useBenchEnvironment(home);
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    Program started;
    if (!started.start()) {
        fprintf(stderr, "commands_bench: the bundled season cannot be started\n");
        return 1;
    }
    program = &started;

    benchmark::RegisterBenchmark("Command/ClassementGeneral", ClassementGeneral)->Unit(benchmark::kMillisecond);
    const std::pair<const char *, Command> sorts[] = {
        {"BestDefence", Command::SortBestDefence}, {"BestAttack", Command::SortBestAttack},
        {"FairPlay", Command::SortFairPlay},       {"GoalAverage", Command::SortGoalAverage},
        {"MostWins", Command::SortMostWins},       {"MostLosses", Command::SortMostLosses},
        {"MostDraws", Command::SortMostDraws}};
    for (const auto &[sortName, command] : sorts) {
        benchmark::RegisterBenchmark((std::string("Command/Sort/") + sortName).c_str(), Sort, command)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("Command/ReachableRanks", ReachableRanks)->Unit(benchmark::kMillisecond);
    for (MatchDayNo day : {10, 30, 37}) {
        for (bool kept : {false, true}) {
            const std::string name = "Command/ExactRanges/" + std::to_string(day) + (kept ? "/kept" : "/solved");
            benchmark::RegisterBenchmark(name.c_str(), [day, kept](benchmark::State &state) {
                ExactRanges(state, day, kept);
            })->Unit(benchmark::kMillisecond);
        }
    }
    benchmark::RegisterBenchmark("Command/PickerClickAtDay20", PickerClickAtDay20)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Command/TeamRowClick", TeamRowClick)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Command/Configuration", Configuration)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Window/OpenStatistics", OpenStatistics, false)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Window/OpenStatisticsOnEvolution", OpenStatistics, true)
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
