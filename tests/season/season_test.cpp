#include "season/core/season.h"

#include "specialfiles.h"
#include "testfolder.h"

#include <gtest/gtest.h>

#include <QDir>

#include <functional>

namespace {

QByteArray lines(std::initializer_list<const char *> list, const char *eol = "\r\n")
{
    QByteArray bytes;
    for (const char *line : list)
        bytes += QByteArray(line) + eol;
    return bytes;
}

// A complete season: 20 teams, 38 dated match days of 10 fixtures.
QByteArray fullSeason(bool teamsLast = false)
{
    QByteArray teams;
    for (int t = 0; t < TeamCount; ++t)
        teams += "EQU|Equipe " + QByteArray::number(t + 1) + "\r\n";
    QByteArray rest;
    for (int d = 1; d <= MatchDayCount; ++d) {
        const QDate date = QDate(2013, 8, 10).addDays(7 * (d - 1));
        rest += "JOU|" + QByteArray::number(d) + "|" + date.toString("dd/MM/yyyy").toLatin1() + "\r\n";
    }
    for (int d = 1; d <= MatchDayCount; ++d) {
        for (int m = 0; m < FixturesPerMatchDay; ++m) {
            const char home = char('A' + (2 * m + d) % TeamCount);
            const char away = char('A' + (2 * m + d + 1) % TeamCount);
            rest += "CAL|" + QByteArray::number(d) + "|" + QByteArray(1, home) + QByteArray(1, away) + "\r\n";
        }
    }
    return teamsLast ? rest + teams : teams + rest;
}

} // namespace

TEST(Season, LoadsAFullSeason)
{
    const Season season = Season::fromBytes(fullSeason());
    EXPECT_EQ(season.teamCount(), TeamCount);
    EXPECT_EQ(season.fixtureCount(), FixtureCount);
    EXPECT_EQ(season.teamName(0), QStringLiteral("Equipe 1"));
    EXPECT_EQ(season.teamName(19), QStringLiteral("Equipe 20"));
    EXPECT_EQ(Season::teamLetter(0), QLatin1Char('A'));
    EXPECT_EQ(Season::teamLetter(19), QLatin1Char('T'));
    EXPECT_EQ(season.teamLetterOfName(QStringLiteral("Equipe 20")), QLatin1Char('T'));
    EXPECT_EQ(season.teamNameOfLetter(QLatin1Char('B')), QStringLiteral("Equipe 2"));
    EXPECT_EQ(season.matchDayDate(1), QDate(2013, 8, 10));
    EXPECT_EQ(season.matchDayDate(38), QDate(2013, 8, 10).addDays(7 * 37));
    EXPECT_EQ(season.calendarEntry(380).left(6), QStringLiteral("38|09|"));
    EXPECT_EQ(season.fixtureKey(380), QStringLiteral("3809"));
    EXPECT_EQ(season.fixtureCodes(38).size(), FixturesPerMatchDay);
}

TEST(Season, EachKindHasItsOwnCounter)
{
    const Season first = Season::fromBytes(fullSeason(false));
    const Season last = Season::fromBytes(fullSeason(true));
    for (TeamNo t = 0; t < TeamCount; ++t)
        EXPECT_EQ(first.teamName(t), last.teamName(t));
    for (int f = 1; f <= FixtureCount; ++f)
        EXPECT_EQ(first.calendarEntry(f), last.calendarEntry(f));
    for (MatchDayNo d = 1; d <= MatchDayCount; ++d)
        EXPECT_EQ(first.matchDayDate(d), last.matchDayDate(d));
}

TEST(Season, KindIsTheExactUpperCasePrefix)
{
    const Season season =
        Season::fromBytes(lines({"equ|Lower", "; EQU|Comment", "", "EQU|Nantes", "EQUIPE|Lens|x", " EQU|Indented"}));
    EXPECT_EQ(season.teamCount(), 2);
    EXPECT_EQ(season.teamName(0), QStringLiteral("Nantes"));
    // "EQUIPE" starts with EQU: its field 1 is the name; later fields are ignored.
    EXPECT_EQ(season.teamName(1), QStringLiteral("Lens"));
}

TEST(Season, TeamsBeyondTwentyAreIgnored)
{
    QByteArray bytes;
    for (int t = 0; t < 21; ++t)
        bytes += "EQU|Team" + QByteArray::number(t) + "\r\n";
    const Season season = Season::fromBytes(bytes);
    EXPECT_EQ(season.teamCount(), TeamCount);
    EXPECT_EQ(season.teamName(19), QStringLiteral("Team19"));
    EXPECT_EQ(season.teamName(20), QString());
    EXPECT_EQ(season.teamName(-1), QString());
    EXPECT_EQ(season.teamNoOfName(QStringLiteral("Team20")), NoTeam);
}

TEST(Season, TeamNamesAreStoredAndMatchedExactly)
{
    const Season season = Season::fromBytes(lines({"EQU| Paris SG ", "EQU|Lyon"}));
    EXPECT_EQ(season.teamName(0), QStringLiteral(" Paris SG "));
    EXPECT_EQ(season.teamNoOfName(QStringLiteral(" Paris SG ")), 0);
    EXPECT_EQ(season.teamNoOfName(QStringLiteral("Paris SG")), NoTeam);
    EXPECT_EQ(season.teamNoOfName(QStringLiteral("lyon")), NoTeam);
    EXPECT_EQ(season.teamNoOfName(QStringLiteral("Lyon")), 1);
    EXPECT_EQ(season.teamNoOfName(QString()), NoTeam);
}

TEST(Season, ReadsWindows1252Text)
{
    const Season season = Season::fromBytes(QByteArray("EQU|\xC9vian Thonon\r\nEQU|N\xEEmes \x80\r\n"));
    EXPECT_EQ(season.teamName(0), QStringLiteral("Évian Thonon"));
    EXPECT_EQ(season.teamName(1), QStringLiteral("Nîmes €"));
}

TEST(Season, MatchDayDates)
{
    const Season season = Season::fromBytes(
        lines({"JOU|1|10/08/2013", "JOU|2|1/9/2013", "JOU|2.5|14/09/2013", "JOU|3.5|21/09/2013", "JOU|5|31/02/2014",
               "JOU|5|pas de date", "JOU|39|01/06/2014", "JOU|0|01/06/2014", "JOU|x|02/06/2014"}));
    EXPECT_EQ(season.matchDayDate(1), QDate(2013, 8, 10));
    EXPECT_EQ(season.matchDayDate(2), QDate(2013, 9, 14)); // 2.5 rounds to the even 2
    EXPECT_EQ(season.matchDayDate(4), QDate(2013, 9, 21)); // 3.5 rounds to the even 4
    EXPECT_FALSE(season.matchDayDate(3).isValid());
    EXPECT_FALSE(season.matchDayDate(5).isValid());
    EXPECT_FALSE(season.matchDayDate(0).isValid());
    EXPECT_FALSE(season.matchDayDate(39).isValid());
}

TEST(Season, UnreadableDateKeepsTheEarlierOne)
{
    const Season season = Season::fromBytes(lines({"JOU|7|28/09/2013", "JOU|7|??"}));
    EXPECT_EQ(season.matchDayDate(7), QDate(2013, 9, 28));
}

TEST(Season, CalendarEntriesAndKeys)
{
    const Season season = Season::fromBytes(lines({"CAL|1|AB", "CAL|1|CD", "CAL|2|EF"}));
    EXPECT_EQ(season.fixtureCount(), 3);
    EXPECT_EQ(season.calendarEntry(1), QStringLiteral("01|00|AB"));
    EXPECT_EQ(season.calendarEntry(2), QStringLiteral("01|01|CD"));
    EXPECT_EQ(season.calendarEntry(3), QStringLiteral("02|00|EF"));
    EXPECT_EQ(season.fixtureKey(1), QStringLiteral("0100"));
    EXPECT_EQ(season.fixtureKey(2), QStringLiteral("0101"));
    EXPECT_EQ(season.fixtureKey(3), QStringLiteral("0200"));
    EXPECT_EQ(season.fixtureCodes(1), QStringList({QStringLiteral("AB"), QStringLiteral("CD")}));
    EXPECT_EQ(season.fixtureCodes(2), QStringList({QStringLiteral("EF")}));
    EXPECT_TRUE(season.fixtureCodes(3).isEmpty());
    EXPECT_EQ(season.calendarEntry(0), QString());
    EXPECT_EQ(season.calendarEntry(4), QString());
    EXPECT_EQ(season.fixtureKey(4), QString());
}

TEST(Season, MatchIndexFollowsTheTextOfTheMatchDay)
{
    const Season season = Season::fromBytes(lines({"CAL|1|AB", "CAL|01|CD", "CAL|01|EF", "CAL|1|GH"}));
    EXPECT_EQ(season.calendarEntry(1), QStringLiteral("01|00|AB"));
    EXPECT_EQ(season.calendarEntry(2), QStringLiteral("01|00|CD"));
    EXPECT_EQ(season.calendarEntry(3), QStringLiteral("01|01|EF"));
    EXPECT_EQ(season.calendarEntry(4), QStringLiteral("01|00|GH"));
    // All four still belong to match day 1.
    EXPECT_EQ(season.fixtureCodes(1).size(), 4);
}

TEST(Season, FixtureOfAnUnknownMatchDayJoinsNoList)
{
    const Season season = Season::fromBytes(lines({"CAL|40|AB", "CAL|2|CD"}));
    EXPECT_EQ(season.calendarEntry(1), QStringLiteral("40|00|AB"));
    EXPECT_EQ(season.calendarEntry(2), QStringLiteral("02|00|CD"));
    EXPECT_EQ(season.fixtureCodes(2), QStringList({QStringLiteral("CD")}));
}

TEST(Season, FixturesBeyond380AreIgnored)
{
    QByteArray bytes = fullSeason();
    bytes += "CAL|38|ZZ\r\n";
    const Season season = Season::fromBytes(bytes);
    EXPECT_EQ(season.fixtureCount(), FixtureCount);
    EXPECT_FALSE(season.fixtureCodes(38).contains(QStringLiteral("ZZ")));
}

TEST(Season, AnyLineEndingReadsAlike)
{
    const auto check = [](const Season &season) {
        EXPECT_EQ(season.teamName(0), QStringLiteral("Nantes"));
        EXPECT_EQ(season.teamName(1), QStringLiteral("Lens"));
        EXPECT_EQ(season.matchDayDate(1), QDate(2013, 8, 10));
        EXPECT_EQ(season.calendarEntry(1), QStringLiteral("01|00|AB"));
        EXPECT_EQ(season.calendarEntry(2), QStringLiteral("01|01|BA"));
    };
    const std::initializer_list<const char *> content = {"EQU|Nantes", "EQU|Lens", "JOU|1|10/08/2013", "CAL|1|AB",
                                                         "CAL|1|BA"};
    check(Season::fromBytes(lines(content, "\r\n")));
    check(Season::fromBytes(lines(content, "\n")));
    check(Season::fromBytes(lines(content, "\r")));
    // No final line break.
    check(Season::fromBytes(lines(content, "\r\n").chopped(2)));
}

TEST(Season, FixtureKeyOfMatchDayAndIndex)
{
    EXPECT_EQ(Season::fixtureKey(1, 0), QStringLiteral("0100"));
    EXPECT_EQ(Season::fixtureKey(38, 9), QStringLiteral("3809"));
    EXPECT_EQ(Season::fixtureKey(12, 10), QStringLiteral("1210"));
}

TEST(Season, LoadFromFile)
{
    TestFolder folder;
    folder.write("2013.txt", fullSeason());
    QString problem;
    const std::optional<Season> season = Season::load(folder.file("2013.txt"), &problem);
    ASSERT_TRUE(season.has_value());
    EXPECT_EQ(season->teamCount(), TeamCount);
    EXPECT_EQ(season->fixtureCount(), FixtureCount);
    EXPECT_TRUE(problem.isEmpty());
}

// Whatever stands at the season file's path, the load answers at once: a
// season (no problem told), or the reason it cannot make one, which the
// program shows before it stops.
TEST(Season, AFileThatCannotMakeASeasonIsRefusedWithItsReason)
{
    using namespace specialfiles;
    const QByteArray teamsOnly = lines({"EQU|Alpha", "EQU|Bravo", "JOU|1|10/08/2013"});
    const QByteArray fixturesOnly = lines({"JOU|1|10/08/2013", "CAL|1|AB"});
    // Comment lines carry a real season past 1 MB.
    const QByteArray oversized = fullSeason() + QByteArray(Season::MaxFileBytes, ';');
    const QByteArray atTheLimit = oversized.left(Season::MaxFileBytes);
    // Each row makes what stands at the path, or writes its bytes there.
    struct Row
    {
        const char *what;
        std::function<bool(const QString &path)> make;
        QByteArray bytes;
        const char *problem;
    };
    const Row rows[] = {
        {"missing", [](const QString &) { return true; }, {}, "Absence du fichier 2013.txt"},
        {"a folder",
         [](const QString &path) { return QDir().mkdir(path); },
         {},
         "Impossible de lire 2013.txt : c'est un dossier, pas un fichier."},
        {"a FIFO",
         [](const QString &path) { return makeFifo(path); },
         {},
         "Impossible de lire 2013.txt : ce n'est pas un fichier ordinaire."},
        {"a link to /dev/zero",
         [](const QString &path) { return makeLink("/dev/zero", path); },
         {},
         "Impossible de lire 2013.txt : ce n'est pas un fichier ordinaire."},
        {"a link to itself",
         [](const QString &path) { return makeLink(path, path); },
         {},
         "Impossible de lire 2013.txt : ses liens symboliques forment une boucle."},
        {"over 1 MB", nullptr, oversized, "Impossible de lire 2013.txt : le fichier dépasse 1 Mo."},
        {"exactly 1 MB, the limit itself", nullptr, atTheLimit, ""},
        {"empty", nullptr, QByteArray(), "2013.txt ne contient aucune équipe"},
        {"without fixtures", nullptr, teamsOnly, "2013.txt ne contient aucun match"},
        {"without teams", nullptr, fixturesOnly, "2013.txt ne contient aucune équipe"},
    };
    for (const Row &row : rows) {
        TestFolder folder;
        const QString path = folder.file("2013.txt");
        if (row.make)
            ASSERT_TRUE(row.make(path)) << row.what;
        else
            folder.write("2013.txt", row.bytes);
        QString problem;
        EXPECT_EQ(Season::load(path, &problem).has_value(), *row.problem == '\0') << row.what;
        EXPECT_EQ(problem, QString::fromUtf8(row.problem)) << row.what;
    }
}

TEST(Season, AFileItsReaderMayNotOpenIsUnreadableNotMissing)
{
    TestFolder folder;
    folder.write("2013.txt", fullSeason());
    ASSERT_TRUE(QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                         | QFileDevice::ExeOwner | QFileDevice::ReadOther
                                                         | QFileDevice::ExeOther));
    ASSERT_TRUE(QFile::setPermissions(folder.file("2013.txt"), {}));
    QString problem;
    {
        const specialfiles::AsUnprivilegedUser reader;
        if (!reader.active())
            GTEST_SKIP() << "running as root without the right to act as another user: root reads a file of mode "
                            "000, so the refusal cannot be seen";
        EXPECT_FALSE(Season::load(folder.file("2013.txt"), &problem).has_value());
    }
    EXPECT_EQ(problem, QStringLiteral("Impossible de lire 2013.txt : accès refusé."));
}

TEST(Season, AByteOrderMarkLosesNoTeam)
{
    // An editor that saves as UTF-8 puts the mark before the first EQU line;
    // that team must keep letter A or every result goes to the wrong team.
    const QByteArray utf8 =
        "\xEF\xBB\xBF"
        "EQU|\xC3\x89vian Thonon\r\nEQU|N\xC3\xAEmes \xE2\x82\xAC\r\nJOU|1|10/08/2013\r\nCAL|1|AB\r\n";
    const QByteArray windows = "EQU|\xC9vian Thonon\r\nEQU|N\xEEmes \x80\r\nJOU|1|10/08/2013\r\nCAL|1|AB\r\n";
    for (const QByteArray &bytes : {utf8, windows}) {
        const Season season = Season::fromBytes(bytes);
        EXPECT_EQ(season.teamCount(), 2);
        EXPECT_EQ(season.teamName(0), QStringLiteral("Évian Thonon"));
        EXPECT_EQ(season.teamName(1), QStringLiteral("Nîmes €"));
        EXPECT_EQ(season.teamLetterOfName(QStringLiteral("Évian Thonon")), QLatin1Char('A'));
        EXPECT_EQ(season.calendarEntry(1), QStringLiteral("01|00|AB"));
    }
    // A mark before any other first line is skipped as well.
    EXPECT_EQ(Season::fromBytes("\xEF\xBB\xBF"
                                "CAL|1|AB\r\n")
                  .calendarEntry(1),
              QStringLiteral("01|00|AB"));
    EXPECT_EQ(Season::fromBytes("\xEF\xBB\xBF"
                                "JOU|1|10/08/2013\r\n")
                  .matchDayDate(1),
              QDate(2013, 8, 10));
}
