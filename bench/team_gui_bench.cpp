// Times the team views on the real main window, offscreen, on the bundled
// season: each measure runs from the user's action to the painted window.
// The clock stands after the last match day, so the graph builds the whole
// history of 38 match days.
#include "benchprogram.h"

#include "team/ui/crestticker.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QLocale>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace {

using Program = BenchProgram;

// Times `action` followed by the paint it causes; `between` runs untimed.
void measure(benchmark::State &state, const std::function<void()> &action, const std::function<void()> &between = {})
{
    QElapsedTimer timer;
    for (auto _ : state) {
        if (between) {
            between();
            Program::settle();
        }
        timer.start();
        action();
        Program::settle();
        state.SetIterationTime(double(timer.nsecsElapsed()) * 1e-9);
    }
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir home;
    useBenchEnvironment(home);
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));

    // The clock stands after the season: the graph builds all 38 match days.
    Program program(QDateTime(QDate(2014, 6, 1), QTime(12, 0)));
    if (!program.start()) {
        std::fprintf(stderr, "Cannot start the program on %s\n", qPrintable(Program::sampleFolder()));
        return 1;
    }
    MainWindow &window = *program.window;

    benchmark::RegisterBenchmark("TeamCard/Refresh",
                                 [&](benchmark::State &state) {
                                     window.runCommand(Command::OpenTeamCard);
                                     Program::settle();
                                     auto *list = window.findChild<QListWidget *>(QStringLiteral("List9"));
                                     int team = 0;
                                     measure(state, [&] { list->setCurrentRow(team = (team + 7) % TeamCount); });
                                     window.runCommand(Command::CloseTeamCard);
                                 })
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);

    benchmark::RegisterBenchmark("TeamCard/Open",
                                 [&](benchmark::State &state) {
                                     measure(
                                         state, [&] { window.runCommand(Command::OpenTeamCard); },
                                         [&] { window.runCommand(Command::CloseTeamCard); });
                                     window.runCommand(Command::CloseTeamCard);
                                 })
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);

    benchmark::RegisterBenchmark("TeamSummary/Show",
                                 [&](benchmark::State &state) {
                                     int team = 0;
                                     measure(state, [&] {
                                         team = (team + 7) % TeamCount;
                                         window.teamViews().showTeamSummary(program.session->season().teamName(team));
                                     });
                                 })
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);

    benchmark::RegisterBenchmark("Highlights/Open",
                                 [&](benchmark::State &state) {
                                     measure(
                                         state, [&] { window.runCommand(Command::Highlights); },
                                         [&] { window.runCommand(Command::CloseHighlights); });
                                     window.runCommand(Command::CloseHighlights);
                                 })
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);

    benchmark::RegisterBenchmark("Graph/Build38",
                                 [&](benchmark::State &state) {
                                     measure(
                                         state, [&] { window.runCommand(Command::OpenGraph); },
                                         [&] { window.runCommand(Command::CloseGraph); });
                                     window.runCommand(Command::CloseGraph);
                                 })
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);

    benchmark::RegisterBenchmark("CrestTicker/Tick",
                                 [&](benchmark::State &state) {
                                     auto *ticker = window.findChild<CrestTicker *>(QStringLiteral("Frame10"));
                                     window.teamViews().startCrestTicker();
                                     window.teamViews().showCrestStrip();
                                     Program::settle();
                                     measure(state, [&] {
                                         if (!ticker->isRunning()) {
                                             window.teamViews().startCrestTicker();
                                             window.teamViews().showCrestStrip();
                                         }
                                         ticker->tick();
                                     });
                                 })
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
