// Times the exports on the bundled season: the table as a spreadsheet file,
// a web page and a PDF page (printed through QPrinter to a file), and a
// team's calendar. The window runs them on a click, so each should fit in a
// frame or come close (16 ms).
#include "season/core/seasonfolder.h"
#include "standings/core/tableexport.h"
#include "standings/core/tableprinter.h"
#include "standings/ui/tablepdf.h"
#include "team/core/teamcalendar.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLocale>
#include <QTemporaryDir>
#include <QTextStream>

#include <memory>

namespace {

const QDateTime Now(QDate(2014, 2, 20), QTime(20, 0));

struct Bundled
{
    QTemporaryDir folder;
    std::unique_ptr<SeasonFolder> season;
    DisplayedStandings shown;

    Bundled()
    {
        for (const char *name : {"2013.txt", "Resultats2013.ini"}) {
            QFile::copy(QStringLiteral(KESTRANE_SAMPLE_DATA "/") + QLatin1String(name),
                        folder.filePath(QLatin1String(name)));
        }
        QString errors;
        QTextStream err(&errors);
        int status = 0;
        season = SeasonFolder::open(folder.path(), QDateTime::currentDateTime(), err, status);
        shown = displayedStandingsOf(*season, 0, Now);
    }
};

Bundled &bundled()
{
    static Bundled data;
    return data;
}

void BM_Csv(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(tableexport::toCsv(bundled().shown));
}
BENCHMARK(BM_Csv)->Unit(benchmark::kMicrosecond);

void BM_Html(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(tableexport::toHtml(bundled().shown));
}
BENCHMARK(BM_Html)->Unit(benchmark::kMicrosecond);

void BM_PdfFile(benchmark::State &state)
{
    const QString path = bundled().folder.filePath(QStringLiteral("classement.pdf"));
    QString error;
    for (auto _ : state)
        benchmark::DoNotOptimize(tablepdf::writePdf(bundled().shown, path, error));
}
BENCHMARK(BM_PdfFile)->Unit(benchmark::kMillisecond);

void BM_TeamCalendar(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(
            teamcalendar::toICalendar(bundled().season->season(), bundled().season->store(), 0, Now));
}
BENCHMARK(BM_TeamCalendar)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
