// Times the statistics views on the bundled season: each computation the
// view and the command line share (aim: under 1 ms), then the "Statistiques"
// view offscreen from a user's choice to the repainted view (aim: under
// 16 ms, one frame). Each view iteration makes a choice that changes what is
// shown (two values in turn), so that every one recomputes and repaints.
#include "season/core/seasonfolder.h"
#include "standings/core/formguide.h"
#include "standings/core/rangetable.h"
#include "standings/core/resultsmatrix.h"
#include "standings/core/streaks.h"
#include "team/core/rankevolution.h"
#include "team/ui/statisticsview.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

// The program folder: a copy of the bundled season (or of KESTRANE_DATA_DIR).
std::unique_ptr<SeasonFolder> openCopy(const QTemporaryDir &folder)
{
    const QDir sample(qEnvironmentVariableIsSet("KESTRANE_DATA_DIR") ? qEnvironmentVariable("KESTRANE_DATA_DIR")
                                                                     : QStringLiteral(KESTRANE_SAMPLE_DATA));
    for (const QString &name : {QStringLiteral("2013.txt"), ResultStore::FileName})
        QFile::copy(sample.filePath(name), folder.filePath(name));
    QTextStream err(stderr);
    int status = 0;
    return SeasonFolder::open(folder.path(), QDateTime(QDate(2014, 6, 1), QTime(12, 0)), err, status);
}

// Registers a timing of one computation.
template <typename Compute>
void coreBenchmark(const char *name, Compute compute)
{
    benchmark::RegisterBenchmark(name, [compute](benchmark::State &state) {
        for (auto _ : state)
            benchmark::DoNotOptimize(compute());
    })->Unit(benchmark::kMicrosecond);
}

// Registers a timing of `choice` (called with 0, 1, 0, 1...) and the repaint it causes.
void viewBenchmark(const char *name, const std::function<void(int)> &choice)
{
    benchmark::RegisterBenchmark(name, [choice](benchmark::State &state) {
        int turn = 0;
        for (auto _ : state) {
            choice(turn ^= 1);
            QApplication::processEvents();
        }
    })->Unit(benchmark::kMillisecond);
}

template <typename T>
T *child(const QWidget &view, const char *name)
{
    return view.findChild<T *>(QLatin1String(name));
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir home;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toLocal8Bit());
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));

    QTemporaryDir folder;
    const std::unique_ptr<SeasonFolder> data = openCopy(folder);
    if (!data)
        return 1;
    const Season &season = data->season();
    const ResultStore &store = data->store();
    const BonusMalus &bonusMalus = data->bonusMalus();
    // The graph's history of all 38 match days, built once as the window keeps it.
    RankingHistory history;
    buildRankingHistory(history, season, store, bonusMalus, QDateTime(QDate(2014, 6, 1), QTime(12, 0)));

    coreBenchmark("Stats/PlayedMatches", [&] { return playedMatches(store, 1, MatchDayCount); });
    coreBenchmark("Stats/FormGuide", [&] { return formguide::compute(season, store, bonusMalus, MatchDayCount); });
    coreBenchmark("Stats/RangeTableAll", [&] { return rangetable::compute(season, store, 1, MatchDayCount); });
    coreBenchmark("Stats/RangeTableHomeSecondHalf",
                  [&] { return rangetable::compute(season, store, 20, 38, rangetable::Venue::Home); });
    coreBenchmark("Stats/ResultsMatrix", [&] { return resultsmatrix::compute(season, store, MatchDayCount); });
    coreBenchmark("Stats/Streaks", [&] { return streaks::compute(season, store, bonusMalus, MatchDayCount); });
    coreBenchmark("Stats/RankEvolution4", [&] { return rankevolution::compute(history, season, {0, 5, 10, 15}); });

    StatisticsView view({season, store, bonusMalus, [&history]() -> const RankingHistory & { return history; }});
    view.resize(1000, 640);
    view.show();
    QApplication::processEvents();
    using Page = StatisticsView::Page;
    viewBenchmark("StatsView/FormMatchDay", [&](int turn) {
        view.showPage(Page::Form);
        view.setMatchDay(turn ? 37 : 38);
    });
    viewBenchmark("StatsView/FormLast", [&](int turn) {
        view.showPage(Page::Form);
        child<QSpinBox>(view, "SpinLast")->setValue(turn ? 10 : 5);
    });
    viewBenchmark("StatsView/TablesVenueClick", [&](int turn) {
        view.showPage(Page::Tables);
        QTest::mouseClick(child<QRadioButton>(view, turn ? "RadioHome" : "RadioAll"), Qt::LeftButton);
    });
    viewBenchmark("StatsView/TablesHalfClick", [&](int turn) {
        view.showPage(Page::Tables);
        QTest::mouseClick(child<QPushButton>(view, turn ? "BtFirstHalf" : "BtSecondHalf"), Qt::LeftButton);
    });
    viewBenchmark("StatsView/MatrixMatchDay", [&](int turn) {
        view.showPage(Page::Matrix);
        view.setMatchDay(turn ? 37 : 38);
    });
    viewBenchmark("StatsView/RunsMatchDay", [&](int turn) {
        view.showPage(Page::Runs);
        view.setMatchDay(turn ? 37 : 38);
    });
    viewBenchmark("StatsView/EvolutionTeam", [&](int turn) {
        view.showPage(Page::Evolution);
        QComboBox *third = nullptr;
        for (QComboBox *combo : view.findChildren<QComboBox *>(QStringLiteral("ComboTeam"))) {
            if (combo->property("index").toInt() == 2)
                third = combo;
        }
        third->setCurrentIndex(turn ? 3 : 0);
        emit third->activated(third->currentIndex());
    });
    // Every page out of date (the results changed), then the page shown again.
    viewBenchmark("StatsView/PageAfterChange", [&](int turn) {
        view.showPage(turn ? Page::Matrix : Page::Form);
        view.refresh();
    });

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
