// Times the league's website of the bundled season, in process: the whole
// site built in memory (pages, calendars, spreadsheet, PDF, JSON feed), the
// site without its PDF, and the site written into its folder (the swap
// included). The server makes it after each accepted send, so the answer to
// the volunteer waits for it: it must stay well under a second.
#include "season/core/seasonfolder.h"
#include "site/core/sitebuilder.h"
#include "site/core/sitefolder.h"
#include "standings/ui/tablepdf.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QGuiApplication>
#include <QLocale>
#include <QTemporaryDir>
#include <QTextStream>

#include <memory>

namespace {

struct Bundled
{
    QTemporaryDir folder;
    QTemporaryDir output;
    std::unique_ptr<SeasonFolder> season;

    Bundled()
    {
        for (const char *name : {"2013.txt", "Resultats2013.ini"}) {
            QFile::copy(QStringLiteral(KESTRANE_SAMPLE_DATA "/") + QLatin1String(name),
                        folder.filePath(QLatin1String(name)));
        }
        QString errors;
        QTextStream err(&errors);
        int status = 0;
        season = SeasonFolder::openForReading(folder.path(), err, status);
    }

    site::Files build(bool withPdf) const
    {
        const site::PdfMaker pdf = [](const DisplayedStandings &shown, const QDateTime &made) {
            return tablepdf::toPdf(shown, made);
        };
        return site::build(season->season(), season->store(), season->bonusMalus(), withPdf ? pdf : site::PdfMaker());
    }
};

Bundled &bundled()
{
    static Bundled data;
    return data;
}

void BM_SiteInMemory(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(bundled().build(true));
}
BENCHMARK(BM_SiteInMemory)->Unit(benchmark::kMillisecond);

void BM_SiteWithoutPdf(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(bundled().build(false));
}
BENCHMARK(BM_SiteWithoutPdf)->Unit(benchmark::kMillisecond);

void BM_SiteWrittenToItsFolder(benchmark::State &state)
{
    const QString target = bundled().output.filePath(QStringLiteral("site"));
    QString error;
    for (auto _ : state) {
        if (!sitefolder::write(target, bundled().build(true), error))
            state.SkipWithError(error.toUtf8().constData());
    }
}
BENCHMARK(BM_SiteWrittenToItsFolder)->Unit(benchmark::kMillisecond);

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
