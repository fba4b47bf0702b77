// A team's fixtures as an iCalendar file, read back as a calendar program
// reads it: the 38 events on their match days' dates, the score once played,
// stable identities, and the line rules of RFC 5545.
#include "team/core/teamcalendar.h"

#include "season/core/seasonfolder.h"
#include "seasonbuilder.h"
#include "testfolder.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QStringDecoder>
#include <QTextStream>

#include <algorithm>
#include <memory>

namespace {

const QDateTime Now(QDate(2013, 12, 5), QTime(20, 0), Qt::UTC);

using Event = QHash<QString, QString>; // property (with its parameters) -> raw value

struct Calendar
{
    QHash<QString, QString> header;
    QList<Event> events;
};

// Unfolds the content lines and collects the events; every physical line
// must end in CR LF, hold at most 75 octets and be whole UTF-8.
Calendar parse(const QByteArray &bytes)
{
    Calendar calendar;
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    QList<QByteArray> physical = bytes.split('\n');
    physical.removeLast(); // after the last line end
    QStringList lines;
    for (const QByteArray &raw : physical) {
        EXPECT_TRUE(raw.endsWith('\r')) << "a line ends without CR LF: " << raw.toStdString();
        const QByteArray line = raw.chopped(1);
        EXPECT_LE(line.size(), 75) << line.toStdString();
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString text = utf8(line);
        EXPECT_FALSE(utf8.hasError()) << "a fold cuts a character: " << line.toStdString();
        if (text.startsWith(u' '))
            lines.last() += text.mid(1);
        else
            lines << text;
    }
    Event *current = nullptr;
    for (const QString &line : lines) {
        const qsizetype colon = line.indexOf(u':');
        const QString name = line.left(colon);
        const QString value = line.mid(colon + 1);
        if (line == u"BEGIN:VEVENT") {
            calendar.events.append(Event());
            current = &calendar.events.last();
        } else if (line == u"END:VEVENT") {
            current = nullptr;
        } else if (current) {
            current->insert(name, value);
        } else {
            calendar.header.insert(name, value);
        }
    }
    return calendar;
}

// RFC 5545 text back to plain text.
QString unescaped(const QString &value)
{
    QString out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == u'\\' && i + 1 < value.size()) {
            const QChar next = value[++i];
            out += (next == u'n' || next == u'N') ? QChar(u'\n') : next;
        } else {
            out += value[i];
        }
    }
    return out;
}

class TeamCalendar : public ::testing::Test
{
protected:
    SeasonFolder &open()
    {
        QString errors;
        QTextStream err(&errors);
        int status = 0;
        opened = SeasonFolder::open(folder.path(), QDateTime::currentDateTime(), err, status);
        EXPECT_NE(opened, nullptr) << errors.toStdString();
        return *opened;
    }
    void write(const SeasonBuilder &season, const ResultsBuilder &results)
    {
        folder.write(QStringLiteral("2013.txt"), season.seasonFile());
        folder.write(QStringLiteral("Resultats2013.ini"), results.bytes());
    }

    TestFolder folder;
    std::unique_ptr<SeasonFolder> opened;
};

TEST_F(TeamCalendar, ThirtyEightAllDayEventsOnTheMatchDaysWithTheScoresPlayed)
{
    SeasonBuilder season;
    ResultsBuilder results;
    results.result(season.keyOf('A', 'B'), 'A', QStringLiteral(" 2"), QStringLiteral("1 "), 'B')
        .result(season.keyOf('C', 'A'), 'C', QStringLiteral("-"), QStringLiteral("-"), 'A')
        .result(season.keyOf('A', 'D'), 'A', QStringLiteral("  "), QStringLiteral(""), 'D')
        .result(season.keyOf('E', 'A'), 'E', QStringLiteral("0"), QStringLiteral("0"), 'A');
    write(season, results);
    SeasonFolder &f = open();
    const Calendar calendar = parse(teamcalendar::toICalendar(f.season(), f.store(), 0, Now));

    EXPECT_EQ(calendar.header.value(QStringLiteral("VERSION")), QStringLiteral("2.0"));
    EXPECT_FALSE(calendar.header.value(QStringLiteral("PRODID")).isEmpty());
    ASSERT_EQ(calendar.events.size(), 38);
    QSet<QString> uids;
    QHash<QString, QString> summaries; // by the fixture's key
    for (int i = 0; i < calendar.events.size(); ++i) {
        const Event &event = calendar.events[i];
        const MatchDayNo day = i + 1; // one match a match day, in order
        EXPECT_EQ(event.value(QStringLiteral("DTSTART;VALUE=DATE")),
                  f.season().matchDayDate(day).toString(QStringLiteral("yyyyMMdd")));
        EXPECT_EQ(event.value(QStringLiteral("DTEND;VALUE=DATE")),
                  f.season().matchDayDate(day).addDays(1).toString(QStringLiteral("yyyyMMdd")));
        EXPECT_EQ(event.value(QStringLiteral("DTSTAMP")), QStringLiteral("20131205T200000Z"));
        const QString description = unescaped(event.value(QStringLiteral("DESCRIPTION")));
        EXPECT_TRUE(description.endsWith(QStringLiteral("Journée %1").arg(day)));
        uids.insert(event.value(QStringLiteral("UID")));
        const QString uid = event.value(QStringLiteral("UID"));
        summaries.insert(uid.section(u'-', 2, 2), unescaped(event.value(QStringLiteral("SUMMARY"))));
    }
    EXPECT_EQ(uids.size(), 38);
    EXPECT_EQ(summaries.value(season.keyOf('A', 'B')), QStringLiteral("Alpha 2 - 1 Bravo"));
    EXPECT_EQ(summaries.value(season.keyOf('E', 'A')), QStringLiteral("Echo 0 - 0 Alpha"));
    // "-" and blanks are no score.
    EXPECT_EQ(summaries.value(season.keyOf('C', 'A')), QStringLiteral("Charlie - Alpha"));
    EXPECT_EQ(summaries.value(season.keyOf('A', 'D')), QStringLiteral("Alpha - Delta"));
    EXPECT_EQ(summaries.value(season.keyOf('A', 'F')), QStringLiteral("Alpha - Foxtrot"));
}

TEST_F(TeamCalendar, TheBundledSeasonGivesEachTeamItsThirtyEightMatches)
{
    for (const QString &name : {QStringLiteral("2013.txt"), QStringLiteral("Resultats2013.ini")}) {
        QFile f(QStringLiteral(KESTRANE_SAMPLE_DATA "/") + name);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        folder.write(name, f.readAll());
    }
    SeasonFolder &f = open();
    for (TeamNo team = 0; team < TeamCount; ++team) {
        const Calendar calendar = parse(teamcalendar::toICalendar(f.season(), f.store(), team, Now));
        EXPECT_EQ(calendar.events.size(), 38) << f.season().teamName(team).toStdString();
        int named = 0;
        for (const Event &event : calendar.events)
            named += unescaped(event.value(QStringLiteral("SUMMARY"))).contains(f.season().teamName(team)) ? 1 : 0;
        EXPECT_EQ(named, 38);
    }
}

TEST_F(TeamCalendar, UidsStayFromOneExportToTheNextAndAreSharedByBothTeams)
{
    SeasonBuilder season;
    write(season, ResultsBuilder());
    SeasonFolder &f = open();
    const Calendar first = parse(teamcalendar::toICalendar(f.season(), f.store(), 0, Now));
    const Calendar later = parse(teamcalendar::toICalendar(f.season(), f.store(), 0, Now.addDays(30)));
    const Calendar other = parse(teamcalendar::toICalendar(f.season(), f.store(), 1, Now));
    ASSERT_EQ(first.events.size(), later.events.size());
    for (int i = 0; i < first.events.size(); ++i)
        EXPECT_EQ(first.events[i].value(QStringLiteral("UID")), later.events[i].value(QStringLiteral("UID")));
    QSet<QString> alpha, bravo;
    for (const Event &event : first.events)
        alpha.insert(event.value(QStringLiteral("UID")));
    for (const Event &event : other.events)
        bravo.insert(event.value(QStringLiteral("UID")));
    EXPECT_EQ(alpha.intersect(bravo).size(), 2) << "Alpha and Bravo meet twice";
}

TEST_F(TeamCalendar, AControlCharacterFromTheSeasonFileNeverReachesTheFile)
{
    QStringList names = SeasonBuilder::defaultNames();
    names[0] = QStringLiteral("Alpha\x01\x7FNord");
    QByteArray bytes = SeasonBuilder(names).seasonFile();
    // The first fixture's code with a control character after the home letter.
    const qsizetype cal = bytes.indexOf("CAL|1|");
    bytes.replace(cal, bytes.indexOf("\r\n", cal) - cal, "CAL|1|A\x1B");
    folder.write(QStringLiteral("2013.txt"), bytes);
    folder.write(QStringLiteral("Resultats2013.ini"), ResultsBuilder().bytes());
    SeasonFolder &f = open();
    const QByteArray ics = teamcalendar::toICalendar(f.season(), f.store(), 0, Now);
    EXPECT_TRUE(ics.contains("UID:kestrane1-2013-0100-A%1B@kestrane\r\n"));
    const QString text = QString::fromUtf8(ics).remove(QStringLiteral("\r\n"));
    EXPECT_FALSE(std::any_of(text.begin(), text.end(), [](QChar c) {
        return c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F);
    }));
    EXPECT_EQ(parse(ics).events.size(), 38);
}

TEST_F(TeamCalendar, NamesAreEscapedAndLongLinesFoldedBetweenCharacters)
{
    QStringList names = SeasonBuilder::defaultNames();
    names[0] = QStringLiteral("Racing, Club; Nord\\Sud");
    names[1] = QStringLiteral("Association Sportive Étréville-Écâteaux-Bérange-Mézières-Châlons");
    SeasonBuilder season(names);
    write(season, ResultsBuilder());
    SeasonFolder &f = open();
    const QByteArray ics = teamcalendar::toICalendar(f.season(), f.store(), 0, Now);
    EXPECT_TRUE(ics.contains("Racing\\, Club\\; Nord\\\\Sud"));
    const Calendar calendar = parse(ics);
    bool folded = false;
    for (const Event &event : calendar.events) {
        const QString summary = unescaped(event.value(QStringLiteral("SUMMARY")));
        if (summary.contains(names[1])) {
            EXPECT_TRUE(summary.contains(names[0]));
            folded = true;
        }
    }
    EXPECT_TRUE(folded);
    EXPECT_TRUE(ics.contains("\r\n ")) << "the long summary was not folded";

    // Folding by itself: a line of two-octet characters is cut between them.
    const QByteArray line = teamcalendar::foldedLine(QStringLiteral("SUMMARY:") + QString(100, QChar(0xE9)));
    for (const QByteArray &piece : line.split('\n')) {
        if (piece.isEmpty())
            continue;
        EXPECT_LE(piece.size() - 1, 75);
        QStringDecoder utf8(QStringDecoder::Utf8);
        (void)utf8(piece);
        EXPECT_FALSE(utf8.hasError());
    }
    EXPECT_EQ(teamcalendar::escapedText(QStringLiteral("a\r\nb\nc\td")), QStringLiteral("a\\nb\\nc d"));
}

TEST_F(TeamCalendar, TeamsAreFoundByNameWhateverTheCaseButNeverByGuess)
{
    QStringList names = SeasonBuilder::defaultNames();
    names[2] = QStringLiteral("ALPHA");
    SeasonBuilder season(names);
    write(season, ResultsBuilder());
    SeasonFolder &f = open();
    EXPECT_EQ(teamcalendar::findTeam(f.season(), QStringLiteral("Bravo")), 1);
    EXPECT_EQ(teamcalendar::findTeam(f.season(), QStringLiteral("bravo")), 1);
    EXPECT_EQ(teamcalendar::findTeam(f.season(), QStringLiteral("ALPHA")), 2);
    EXPECT_EQ(teamcalendar::findTeam(f.season(), QStringLiteral("alpha")), NoTeam) << "two teams match";
    EXPECT_EQ(teamcalendar::findTeam(f.season(), QStringLiteral("Brav")), NoTeam);
    EXPECT_TRUE(teamcalendar::holdsScore(QStringLiteral("0")));
    EXPECT_FALSE(teamcalendar::holdsScore(QStringLiteral(" - ")));
    EXPECT_FALSE(teamcalendar::holdsScore(QStringLiteral("   ")));
}

TEST_F(TeamCalendar, TheCommandLineTellsAnUnknownTeamAndAnUnwritableFile)
{
    write(SeasonBuilder(), ResultsBuilder());
    SeasonFolder &f = open();
    QString errors;
    QTextStream err(&errors);
    EXPECT_EQ(teamcalendar::exportCommand(f, QStringLiteral("Nobody"), folder.file(QStringLiteral("a.ics")), Now, err),
              2);
    const QString alpha = QStringLiteral("Alpha");
    EXPECT_EQ(teamcalendar::exportCommand(f, alpha, folder.file(QStringLiteral("no/a.ics")), Now, err), 2);
    EXPECT_EQ(teamcalendar::exportCommand(f, alpha, folder.file(QStringLiteral("2013.txt")), Now, err), 2);
    err.flush();
    EXPECT_TRUE(errors.contains(QStringLiteral("Équipe inconnue : Nobody")));
    EXPECT_TRUE(errors.contains(QStringLiteral("Impossible d'écrire le fichier")));
    EXPECT_TRUE(errors.contains(QStringLiteral("fichier du programme")));
    EXPECT_EQ(teamcalendar::exportCommand(f, QStringLiteral("Alpha"), folder.file(QStringLiteral("a.ics")), Now, err),
              0);
    EXPECT_EQ(parse(folder.read(QStringLiteral("a.ics"))).events.size(), 38);
}

} // namespace
