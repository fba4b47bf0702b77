// Times the team views on the real main window, offscreen, on the bundled
// season: each measure runs from the user's action to the painted window.
// The clock stands after the last match day, so the graph builds the whole
// history of 38 match days.
#include "fakeclock.h"
#include "fakelauncher.h"
#include "fakeprompt.h"
#include "pdfprinttarget.h"

#include "season/core/usersettings.h"
#include "shell/core/session.h"
#include "shell/ui/mainwindow.h"
#include "shell/ui/pictures.h"
#include "team/ui/crestticker.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QLocale>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

// The program as a user runs it, on a copy of the bundled season.
struct Program
{
    QTemporaryDir folder;
    QTemporaryDir settingsDir;
    FakeClock clock{QDateTime(QDate(2014, 6, 1), QTime(12, 0))};
    FakePrompt prompt;
    FakeLauncher launcher;
    PdfPrintTarget printTarget;
    std::unique_ptr<UserSettings> settings;
    std::unique_ptr<Session> session;
    std::unique_ptr<Pictures> pictures;
    std::unique_ptr<MainWindow> window;

    bool start(const QString &sampleFolder)
    {
        for (const QString &name : {QStringLiteral("2013.txt"), QStringLiteral("Resultats2013.ini")}) {
            if (!QFile::copy(QDir(sampleFolder).filePath(name), folder.filePath(name)))
                return false;
        }
        // A fresh store: no offer to download at start.
        QFile store(folder.filePath(QStringLiteral("Resultats2013.ini")));
        if (store.open(QIODevice::ReadWrite))
            store.setFileTime(clock.now().addDays(-1), QFileDevice::FileModificationTime);
        store.close();
        settings = UserSettings::atFile(settingsDir.filePath(QStringLiteral("kestrane.ini")));
        session = std::make_unique<Session>(folder.path(), clock, *settings);
        pictures = std::make_unique<Pictures>(folder.path());
        window = std::make_unique<MainWindow>(*session, WindowServices{prompt, *pictures, launcher, printTarget});
        if (!window->startUp())
            return false;
        settle();
        return true;
    }
    // Lets the window run until it has painted what is pending.
    static void settle() { QApplication::processEvents(); }
};

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
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));

    const QString sampleFolder = qEnvironmentVariableIsSet("KESTRANE_DATA_DIR")
                                     ? qEnvironmentVariable("KESTRANE_DATA_DIR")
                                     : QStringLiteral(KESTRANE_SAMPLE_DATA);
    Program program;
    if (!program.start(sampleFolder)) {
        std::fprintf(stderr, "Cannot start the program on %s\n", qPrintable(sampleFolder));
        return 1;
    }
    MainWindow &window = *program.window;

    benchmark::RegisterBenchmark("TeamCard/Refresh", [&](benchmark::State &state) {
        window.runCommand(33);
        Program::settle();
        auto *list = window.findChild<QListWidget *>(QStringLiteral("List9"));
        int team = 0;
        measure(state, [&] { list->setCurrentRow(team = (team + 7) % TeamCount); });
        window.runCommand(34);
    })->UseManualTime()->Unit(benchmark::kMillisecond);

    benchmark::RegisterBenchmark("TeamCard/Open", [&](benchmark::State &state) {
        measure(state, [&] { window.runCommand(33); }, [&] { window.runCommand(34); });
        window.runCommand(34);
    })->UseManualTime()->Unit(benchmark::kMillisecond);

    benchmark::RegisterBenchmark("TeamSummary/Show", [&](benchmark::State &state) {
        int team = 0;
        measure(state, [&] {
            team = (team + 7) % TeamCount;
            window.showTeamSummary(program.session->season().teamName(team));
        });
    })->UseManualTime()->Unit(benchmark::kMillisecond);

    benchmark::RegisterBenchmark("Highlights/Open", [&](benchmark::State &state) {
        measure(state, [&] { window.runCommand(25); }, [&] { window.runCommand(24); });
        window.runCommand(24);
    })->UseManualTime()->Unit(benchmark::kMillisecond);

    benchmark::RegisterBenchmark("Graph/Build38", [&](benchmark::State &state) {
        measure(state, [&] { window.runCommand(12); }, [&] { window.runCommand(11); });
        window.runCommand(11);
    })->UseManualTime()->Unit(benchmark::kMillisecond);

    benchmark::RegisterBenchmark("CrestTicker/Tick", [&](benchmark::State &state) {
        auto *ticker = window.findChild<CrestTicker *>(QStringLiteral("Frame10"));
        window.startCrestTicker();
        window.showCrestStrip();
        Program::settle();
        measure(state, [&] {
            if (!ticker->isRunning()) {
                window.startCrestTicker();
                window.showCrestStrip();
            }
            ticker->tick();
        });
    })->UseManualTime()->Unit(benchmark::kMicrosecond);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
