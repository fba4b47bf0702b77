#include "standings/core/standingsprinter.h"

#include "testfolder.h"

#include "season/core/seasonfolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStringDecoder>
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
    const QStringList dirs =
        QDir(QStringLiteral(KESTRANE_TEST_DATA))
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

// The folder opened as the command line opens it, then the standings printed.
Printed print(const QString &folderPath, const QString &matchDay)
{
    Printed p;
    QTextStream out(&p.out);
    QTextStream err(&p.err);
    std::unique_ptr<SeasonFolder> folder =
        SeasonFolder::open(folderPath, QDateTime(QDate(2014, 6, 1), QTime(12, 0)), err, p.code);
    if (folder)
        p.code = printStandings(*folder, matchDay, false, out, err);
    return p;
}

class PrintStandingsCase : public ::testing::TestWithParam<std::string>
{};

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
    EXPECT_EQ(p.out.toStdString(),
              QString::fromUtf8(readFile(source.filePath(QStringLiteral("expected.txt")))).toStdString());
    // The store is only read.
    EXPECT_EQ(folder.read(QStringLiteral("Resultats2013.ini")),
              readFile(source.filePath(QStringLiteral("Resultats2013.ini"))));
}

INSTANTIATE_TEST_SUITE_P(Cases, PrintStandingsCase, ::testing::ValuesIn(caseNames()),
                         [](const ::testing::TestParamInfo<std::string> &info) { return info.param; });

TEST(PrintStandings, RefusesAMatchDayOutsideTheSeason)
{
    TestFolder folder;
    folder.write(QStringLiteral("2013.txt"),
                 readFile(QStringLiteral(KESTRANE_TEST_DATA "/") + CasePrefix + QStringLiteral("noresults/2013.txt")));
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

// The folder of one data case copied into a fresh program folder.
class CaseFolder : public TestFolder
{
public:
    explicit CaseFolder(const QString &name)
        : m_source(QStringLiteral(KESTRANE_TEST_DATA "/") + CasePrefix + name)
    {}
    QByteArray source(const QString &file) const { return readFile(m_source.filePath(file)); }
    QString expected() const { return QString::fromUtf8(source(QStringLiteral("expected.txt"))); }

private:
    QDir m_source;
};

TEST(PrintStandings, AStoreThatCannotBeReadFailsInsteadOfPrintingZeros)
{
    CaseFolder folder(QStringLiteral("tiebreaks"));
    folder.write(QStringLiteral("2013.txt"), folder.source(QStringLiteral("2013.txt")));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("Resultats2013.ini")));
    const Printed p = print(folder.path(), QString());
    EXPECT_EQ(p.code, 1);
    EXPECT_TRUE(p.out.isEmpty());
    EXPECT_EQ(p.err, "Impossible de lire Resultats2013.ini : c'est un dossier, pas un fichier.\n");
}

TEST(PrintStandings, PutsBackTheBackupOfAnInterruptedUpdateAsTheWindowDoes)
{
    CaseFolder folder(QStringLiteral("tiebreaks"));
    folder.write(QStringLiteral("2013.txt"), folder.source(QStringLiteral("2013.txt")));
    folder.write(QStringLiteral("Resultats2013.BU"), folder.source(QStringLiteral("Resultats2013.ini")));
    const Printed p = print(folder.path(), QString());
    EXPECT_EQ(p.code, 0);
    EXPECT_EQ(p.out, folder.expected());
    EXPECT_EQ(folder.read(QStringLiteral("Resultats2013.ini")), folder.source(QStringLiteral("Resultats2013.ini")));
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("Resultats2013.BU"))));
}

TEST(PrintStandings, FilesSavedWithAByteOrderMarkPrintTheSameStandings)
{
    CaseFolder folder(QStringLiteral("tiebreaks"));
    const QByteArray season = folder.source(QStringLiteral("2013.txt"));
    const QByteArray store = folder.source(QStringLiteral("Resultats2013.ini"));
    QStringDecoder windows1252("windows-1252");
    folder.write(QStringLiteral("2013.txt"), "\xEF\xBB\xBF" + QString(windows1252(season)).toUtf8());
    folder.write(QStringLiteral("Resultats2013.ini"), "\xEF\xBB\xBF" + store);
    const Printed p = print(folder.path(), QString());
    EXPECT_EQ(p.code, 0);
    EXPECT_EQ(p.out, folder.expected());
}

TEST(PrintStandings, HugeNumbersInTheStorePrintBoundedRows)
{
    CaseFolder folder(QStringLiteral("noresults"));
    folder.write(QStringLiteral("2013.txt"), folder.source(QStringLiteral("2013.txt")));
    folder.write(QStringLiteral("Resultats2013.ini"),
                 "[Resultats]\r\n0100=A|999999999|99999999999|40000|0|2147483648|0|B\r\n"
                 "[BonMal]\r\nC=99999999999999999999\r\nD=-99999999999999999999\r\n");
    const Printed p = print(folder.path(), QString());
    ASSERT_EQ(p.code, 0);
    const QStringList lines = p.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 20);
    EXPECT_TRUE(lines.first().startsWith(QLatin1String("1009200000999|"))) << qPrintable(lines.first());
    EXPECT_TRUE(lines.last().startsWith(QLatin1String("-988799999001|"))) << qPrintable(lines.last());
    for (const QString &line : lines) {
        const QStringList fields = line.split(QLatin1Char('|'));
        ASSERT_EQ(fields.size(), 19);
        EXPECT_FALSE(fields[0].startsWith(QLatin1String("--"))) << qPrintable(line);
        for (int i = 3; i < fields.size(); ++i) {
            const int value = fields[i].toInt();
            EXPECT_GE(value, -999) << qPrintable(line);
            EXPECT_LE(value, 3996) << qPrintable(line);
        }
    }
}

TEST(PrintStandings, FindsItsCases)
{
    // A renamed data folder must not turn the data-driven tests into none.
    EXPECT_GE(caseNames().size(), 3u);
}

} // namespace
