#include "standings/core/standingsprinter.h"

#include "testfolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTextStream>

#include <string>
#include <vector>

namespace {

// Each folder tests/data/standings_<case>/ is a program folder (2013.txt and,
// when the case has results, Resultats2013.ini) with the printed standings
// expected beside it in expected.txt; matchday.txt, when present, holds the
// match day asked for.
const QString CasePrefix = QStringLiteral("standings_");

std::vector<std::string> caseNames()
{
    std::vector<std::string> names;
    const QStringList dirs = QDir(QStringLiteral(KESTRANE_TEST_DATA))
                                 .entryList({CasePrefix + QLatin1Char('*')}, QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &dir : dirs)
        names.push_back(dir.mid(CasePrefix.size()).toStdString());
    return names;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct Printed
{
    int code = -1;
    QString out;
    QString err;
};

Printed print(const QString &folder, const QString &matchDay)
{
    Printed p;
    QTextStream out(&p.out);
    QTextStream err(&p.err);
    p.code = printStandings(folder, matchDay, out, err);
    return p;
}

class PrintStandingsCase : public ::testing::TestWithParam<std::string>
{
};

TEST_P(PrintStandingsCase, PrintsTheExpectedStandings)
{
    const QDir source(QStringLiteral(KESTRANE_TEST_DATA "/") + CasePrefix + QString::fromStdString(GetParam()));
    TestFolder folder;
    for (const QString &name : {QStringLiteral("2013.txt"), QStringLiteral("Resultats2013.ini")}) {
        if (source.exists(name))
            folder.write(name, readFile(source.filePath(name)));
    }
    const QString matchDay = QString::fromUtf8(readFile(source.filePath(QStringLiteral("matchday.txt")))).trimmed();

    const Printed p = print(folder.path(), matchDay);
    EXPECT_EQ(p.code, 0);
    EXPECT_TRUE(p.err.isEmpty()) << qPrintable(p.err);
    EXPECT_EQ(p.out.toStdString(), QString::fromUtf8(readFile(source.filePath(QStringLiteral("expected.txt")))).toStdString());
    // The store is only read.
    EXPECT_EQ(folder.read(QStringLiteral("Resultats2013.ini")), readFile(source.filePath(QStringLiteral("Resultats2013.ini"))));
}

INSTANTIATE_TEST_SUITE_P(Cases, PrintStandingsCase, ::testing::ValuesIn(caseNames()),
                         [](const ::testing::TestParamInfo<std::string> &info) { return info.param; });

TEST(PrintStandings, RefusesAMatchDayOutsideTheSeason)
{
    TestFolder folder;
    for (const QString &arg : {QStringLiteral("0"), QStringLiteral("39"), QStringLiteral("abc"), QStringLiteral("5.5"),
                              QStringLiteral("-1")}) {
        const Printed p = print(folder.path(), arg);
        EXPECT_EQ(p.code, 2) << qPrintable(arg);
        EXPECT_TRUE(p.out.isEmpty());
        EXPECT_EQ(p.err, QStringLiteral("Journée invalide : %1 (1 à 38 attendu)\n").arg(arg));
    }
}

TEST(PrintStandings, SaysWhenTheSeasonFileIsMissing)
{
    TestFolder folder;
    const Printed p = print(folder.path(), QString());
    EXPECT_EQ(p.code, 2);
    EXPECT_TRUE(p.out.isEmpty());
    EXPECT_EQ(p.err, "Absence du fichier 2013.txt\n");
}

TEST(PrintStandings, FindsItsCases)
{
    // A renamed data folder must not turn the data-driven tests into none.
    EXPECT_GE(caseNames().size(), 3u);
}

} // namespace
