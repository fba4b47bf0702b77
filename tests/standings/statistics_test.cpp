// The statistics views on small seasons built here: form guide, tables over
// a range, results matrix and runs. Records are stored under keys chosen by
// the test, whatever the calendar holds there: the views credit the teams
// the records name, in the order of the keys.
#include "standings/core/formguide.h"
#include "standings/core/rangetable.h"
#include "standings/core/resultsmatrix.h"
#include "standings/core/streaks.h"

#include "seasonbuilder.h"
#include "testfolder.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// One stored record: the key's match day and position, then the record's
// own letters and goals as typed.
struct Record
{
    int day;
    int index;
    char home;
    const char *homeGoals;
    const char *awayGoals;
    char away;
};

class Statistics : public ::testing::Test
{
protected:
    void load(std::initializer_list<Record> records, const QStringList &names = SeasonBuilder::defaultNames())
    {
        ResultsBuilder results;
        for (const Record &r : records)
            results.result(Season::fixtureKey(r.day, r.index), QChar(r.home), QString::fromUtf8(r.homeGoals),
                           QString::fromUtf8(r.awayGoals), QChar(r.away));
        loadResults(results, names);
    }
    void loadResults(const ResultsBuilder &results, const QStringList &names = SeasonBuilder::defaultNames())
    {
        builder = SeasonBuilder(names);
        folder.write(ResultStore::FileName, results.bytes());
        season = Season::fromBytes(builder.seasonFile());
        store = std::make_unique<ResultStore>(folder.path());
    }

    formguide::Guide form(MatchDayNo upTo = 0, int last = formguide::DefaultLast) const
    {
        return formguide::compute(season, *store, bonusMalus, upTo, last);
    }
    rangetable::Table table(MatchDayNo from = 1, MatchDayNo to = 38,
                            rangetable::Venue venue = rangetable::Venue::All) const
    {
        return rangetable::compute(season, *store, from, to, venue);
    }
    resultsmatrix::Matrix matrix(MatchDayNo upTo = 0) const { return resultsmatrix::compute(season, *store, upTo); }
    streaks::Streaks runs(MatchDayNo upTo = 0) const { return streaks::compute(season, *store, bonusMalus, upTo); }

    // The printed line of the team whose line starts with `name`.
    static QString lineOf(const QStringList &lines, const QString &name)
    {
        for (const QString &line : lines) {
            if (line.startsWith(name + QLatin1Char('|')) || line.section(QLatin1Char('|'), 1, 1) == name)
                return line;
        }
        ADD_FAILURE() << "no line for " << qPrintable(name);
        return {};
    }
    // The names of the lines, in their order (the name is field 0, or field 1
    // after a rank).
    static QStringList namesOf(const QStringList &lines, int field = 0)
    {
        QStringList names;
        for (const QString &line : lines)
            names << line.section(QLatin1Char('|'), field, field);
        return names;
    }

    SeasonBuilder builder;
    TestFolder folder;
    Season season;
    std::unique_ptr<ResultStore> store;
    BonusMalus bonusMalus{};
};

// Alpha's season in calendar order: V 2-1, N 0-0, D 0-3, V 2-1, N 1-1, D 0-3,
// then on match day 9 two records of its own, the one in position 1 (a
// defeat) before the one in position 3 (a win).
const std::initializer_list<Record> AlphaSeason = {
    {1, 0, 'A', "2", "1", 'B'}, {2, 4, 'C', "0", "0", 'A'}, {3, 2, 'A', "0", "3", 'D'}, {4, 0, 'E', "1", "2", 'A'},
    {5, 7, 'A', "1", "1", 'F'}, {6, 1, 'G', "3", "0", 'A'}, {9, 3, 'A', "4", "0", 'H'}, {9, 1, 'I', "1", "0", 'A'},
};

// --- Form guide -------------------------------------------------------------

TEST_F(Statistics, FormGuideKeepsTheLastMatchesOldestFirst)
{
    load(AlphaSeason);
    struct Case
    {
        MatchDayNo upTo;
        int last;
        const char *line;
    };
    const Case cases[] = {
        {0, 5, "Alpha|VNDDV|7"}, // match day 9: the defeat in position 1, then the win in position 3
        {6, 5, "Alpha|NDVND|5"}, // match days 2..6
        {4, 5, "Alpha|VNDV|7"},  // only four played
        {6, 2, "Alpha|ND|1"},    {38, 38, "Alpha|VNDVNDDV|11"}, {1, 1, "Alpha|V|3"}, // a range of one match day
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(lineOf(formguide::lines(form(c.upTo, c.last)), QStringLiteral("Alpha")), QString::fromUtf8(c.line));
    }
}

TEST_F(Statistics, FormGuideSkipsWhatIsNotAPlayedMatchOfTheLeague)
{
    load({
        {1, 0, 'A', "2", "0", 'B'},
        {2, 0, 'A', "3", "", 'C'},   // half-entered
        {2, 1, 'A', "-", "1", 'D'},  // "-" on one side
        {2, 2, 'A', "  ", "0", 'E'}, // blanks
        {3, 0, 'A', "0", "4", 'Z'},  // Z names no team
        {3, 1, 'A', "1", "5", 'A'},  // one team on both sides
    });
    const QStringList lines = formguide::lines(form());
    EXPECT_EQ(lineOf(lines, QStringLiteral("Alpha")), QStringLiteral("Alpha|V|3"));
    EXPECT_EQ(lineOf(lines, QStringLiteral("Bravo")), QStringLiteral("Bravo|D|0"));
    // No played match: no letter, no point.
    for (const char *name : {"Charlie", "Delta", "Echo", "Tango"})
        EXPECT_EQ(lineOf(lines, QString::fromUtf8(name)), QString::fromUtf8(name) + QStringLiteral("||0"));
}

TEST_F(Statistics, FormGuideListsTeamsInTheOrderOfTheMainTable)
{
    // Alpha beats Bravo; Charlie's adjustment of 5 points puts it first in the
    // main table, though its form has no point.
    load({{1, 0, 'A', "1", "0", 'B'}});
    bonusMalus[2] = 5;
    QStringList expected = {QStringLiteral("Charlie"), QStringLiteral("Alpha")};
    // The teams level on nothing played: the later name first, as the table ranks them.
    for (const char *name : {"Tango", "Sierra", "Romeo", "Quebec", "Papa", "Oscar", "November", "Mike", "Lima", "Kilo",
                             "Juliett", "India", "Hotel", "Golf", "Foxtrot", "Echo", "Delta"})
        expected << QString::fromUtf8(name);
    expected << QStringLiteral("Bravo");
    const QStringList lines = formguide::lines(form());
    EXPECT_EQ(namesOf(lines), expected);
    EXPECT_EQ(lines.first(), QStringLiteral("Charlie||0"));
}

// --- Tables over a range ----------------------------------------------------

// Alpha 2-0 Bravo, Bravo 1-1 Alpha, Charlie 3-1 Alpha, Alpha 1-0 Charlie on
// match day 20; a half-entered score and a record naming no team beside them.
const std::initializer_list<Record> TableSeason = {
    {1, 0, 'A', "2", "0", 'B'},  {2, 0, 'B', "1", "1", 'A'}, {3, 0, 'C', "3", "1", 'A'},
    {20, 0, 'A', "1", "0", 'C'}, {21, 0, 'A', "2", "", 'D'}, {22, 0, 'A', "5", "0", 'Z'},
};

TEST_F(Statistics, RangeTableCountsPlayedMatchesOfTheRangeAndVenue)
{
    load(TableSeason);
    using rangetable::Venue;
    struct Case
    {
        MatchDayNo from, to;
        Venue venue;
        const char *line;
    };
    const Case cases[] = {
        {1, 38, Venue::All, "1|Alpha|7|4|2|1|1|5|4|1"},
        {1, 38, Venue::All, "2|Charlie|3|2|1|0|1|3|2|1"},
        {1, 38, Venue::All, "3|Bravo|1|2|0|1|1|1|3|-2"},
        {1, 38, Venue::All, "4|Delta|0|0|0|0|0|0|0|0"}, // its half-entered match is no match
        {1, 38, Venue::All, "20|Tango|0|0|0|0|0|0|0|0"},
        {1, 38, Venue::Home, "1|Alpha|6|2|2|0|0|3|0|3"},
        {1, 38, Venue::Home, "2|Charlie|3|1|1|0|0|3|1|2"},
        {1, 38, Venue::Home, "3|Bravo|1|1|0|1|0|1|1|0"},
        {1, 38, Venue::Away, "1|Alpha|1|2|0|1|1|2|4|-2"},
        {1, 38, Venue::Away, "19|Charlie|0|1|0|0|1|0|1|-1"},
        {1, 38, Venue::Away, "20|Bravo|0|1|0|0|1|0|2|-2"},
        {3, 3, Venue::All, "1|Charlie|3|1|1|0|0|3|1|2"}, // a range of one match day
        {3, 3, Venue::All, "2|Bravo|0|0|0|0|0|0|0|0"},
        {3, 3, Venue::All, "20|Alpha|0|1|0|0|1|1|3|-2"},
        {20, 38, Venue::All, "1|Alpha|3|1|1|0|0|1|0|1"},
        {20, 38, Venue::All, "20|Charlie|0|1|0|0|1|0|1|-1"},
        {1, 19, Venue::All, "1|Alpha|4|3|1|1|1|4|4|0"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line);
        const QStringList lines = rangetable::lines(table(c.from, c.to, c.venue));
        const QString expected = QString::fromUtf8(c.line);
        EXPECT_EQ(lines.value(expected.section(QLatin1Char('|'), 0, 0).toInt() - 1), expected);
    }
}

TEST_F(Statistics, RangeTableHomePlusAwayIsTheWholeTable)
{
    load(TableSeason);
    using rangetable::Venue;
    const auto byTeam = [this](Venue venue) {
        std::array<rangetable::Row, TeamCount> rows;
        for (const rangetable::Row &row : table(1, 38, venue).rows)
            rows[row.team] = row;
        return rows;
    };
    const auto all = byTeam(Venue::All);
    const auto home = byTeam(Venue::Home);
    const auto away = byTeam(Venue::Away);
    for (TeamNo team = 0; team < TeamCount; ++team) {
        SCOPED_TRACE(team);
        EXPECT_EQ(home[team].points + away[team].points, all[team].points);
        EXPECT_EQ(home[team].played + away[team].played, all[team].played);
        EXPECT_EQ(home[team].won + away[team].won, all[team].won);
        EXPECT_EQ(home[team].drawn + away[team].drawn, all[team].drawn);
        EXPECT_EQ(home[team].lost + away[team].lost, all[team].lost);
        EXPECT_EQ(home[team].goalsFor + away[team].goalsFor, all[team].goalsFor);
        EXPECT_EQ(home[team].goalsAgainst + away[team].goalsAgainst, all[team].goalsAgainst);
    }
    EXPECT_EQ(all[0].points, 7);
}

TEST_F(Statistics, RangeTableRanksByPointsGoalDifferenceGoalsThenFrenchName)
{
    // Three wins: by 2-0 (best difference), by 3-2 (more goals) and by 1-0.
    load({{1, 0, 'A', "1", "0", 'B'}, {1, 1, 'C', "3", "2", 'D'}, {1, 2, 'E', "2", "0", 'F'}});
    const QStringList lines = rangetable::lines(table());
    const QStringList names = namesOf(lines, 1);
    EXPECT_EQ(names.mid(0, 3), (QStringList{"Echo", "Charlie", "Alpha"}));
    // Losers last: Delta scored two, Bravo none, Foxtrot lost by two.
    EXPECT_EQ(names.mid(17), (QStringList{"Delta", "Bravo", "Foxtrot"}));
    EXPECT_EQ(names.mid(3, 2), (QStringList{"Golf", "Hotel"})); // level on everything: A before Z
    for (int i = 0; i < TeamCount; ++i)
        EXPECT_EQ(lines[i].section(QLatin1Char('|'), 0, 0), QString::number(i + 1));

    // Accents and case do not count: É sorts with E, é with e, both before Z.
    QStringList accented = SeasonBuilder::defaultNames();
    accented[0] = QStringLiteral("Zèbres");
    accented[1] = QStringLiteral("Étoile");
    accented[2] = QStringLiteral("Alouettes");
    accented[3] = QStringLiteral("étang");
    load({}, accented);
    EXPECT_EQ(namesOf(rangetable::lines(table()), 1),
              (QStringList{"Alouettes", "Echo",    "étang", "Étoile", "Foxtrot", "Golf",     "Hotel",
                           "India",     "Juliett", "Kilo",  "Lima",   "Mike",    "November", "Oscar",
                           "Papa",      "Quebec",  "Romeo", "Sierra", "Tango",   "Zèbres"}));
}

// --- Results matrix ---------------------------------------------------------

TEST_F(Statistics, ResultsMatrixShowsEachPairOnceTheLaterRecordWinning)
{
    load({
        {3, 0, 'A', "1", "1", 'B'},
        {5, 6, 'A', "0", "2", 'B'}, // the same pair later: it wins
        {2, 0, 'B', "4", "3", 'A'}, // the other way round: its own cell
        {4, 0, 'A', "3", "", 'C'},  // half-entered
        {4, 1, 'A', "2", "2", 'Z'}, // names no team
        {6, 0, 'D', "0", "0", 'D'}, // one team on both sides
    });
    const QStringList lines = resultsmatrix::lines(matrix());
    ASSERT_EQ(lines.size(), 21);
    EXPECT_EQ(lines[0], QLatin1Char('|') + SeasonBuilder::defaultNames().join(QLatin1Char('|')));
    EXPECT_EQ(lines[1], QStringLiteral("Alpha|X|0-2") + QString(18, QLatin1Char('|')));
    EXPECT_EQ(lines[2], QStringLiteral("Bravo|4-3|X") + QString(18, QLatin1Char('|')));
    EXPECT_EQ(lines[4], QStringLiteral("Delta||||X") + QString(16, QLatin1Char('|')));
    EXPECT_EQ(lines[20], QStringLiteral("Tango") + QString(19, QLatin1Char('|')) + QStringLiteral("|X"));

    // Up to match day 4 the first of the two records stands.
    EXPECT_EQ(resultsmatrix::lines(matrix(4))[1], QStringLiteral("Alpha|X|1-1") + QString(18, QLatin1Char('|')));
    EXPECT_EQ(resultsmatrix::lines(matrix(1))[2], QStringLiteral("Bravo||X") + QString(18, QLatin1Char('|')));
}

TEST_F(Statistics, ResultsMatrixCellOpensItsFixtureMatchDay)
{
    load({{5, 6, 'A', "0", "2", 'B'}});
    const resultsmatrix::Matrix m = matrix();
    const auto team = [](char letter) { return Season::teamNoOfLetter(QChar(letter)); };
    // A played cell opens the match day of its record.
    EXPECT_EQ(m.cells[team('A')][team('B')].matchDay, 5);
    EXPECT_TRUE(m.cells[team('A')][team('B')].played);
    // An empty one the match day of the pair's fixture in the calendar.
    const resultsmatrix::Cell &open = m.cells[team('C')][team('A')];
    EXPECT_FALSE(open.played);
    EXPECT_TRUE(open.text.isEmpty());
    EXPECT_EQ(open.matchDay, builder.matchDayOf(QChar('C'), QChar('A')));
    EXPECT_EQ(m.cells[team('C')][team('C')].matchDay, 0);
    EXPECT_EQ(m.cells[team('C')][team('C')].text, QStringLiteral("X"));
}

// --- Runs -------------------------------------------------------------------

TEST_F(Statistics, RunsCountCurrentAndLongestOverPlayedMatches)
{
    // Alpha: V 2-0, V 1-0, N 0-0, V 3-1, D 0-2, D 1-2, N 2-2, then a
    // half-entered score and a record naming no team, both ignored.
    load({
        {1, 0, 'A', "2", "0", 'B'},
        {2, 0, 'C', "0", "1", 'A'},
        {3, 0, 'A', "0", "0", 'D'},
        {4, 0, 'A', "3", "1", 'E'},
        {5, 0, 'F', "2", "0", 'A'},
        {6, 0, 'A', "1", "2", 'G'},
        {7, 0, 'H', "2", "2", 'A'},
        {8, 0, 'A', "5", "", 'I'},
        {8, 1, 'A', "0", "3", 'Z'},
    });
    struct Case
    {
        MatchDayNo upTo;
        const char *line;
    };
    // Wins, unbeaten, losses, winless, scoring, clean sheets.
    const Case cases[] = {
        // Winless ends on the last match (3/3); unbeaten ended on match day 5 (1/4).
        {0, "Alpha|0/2|1/4|0/2|3/3|2/2|0/3"}, {7, "Alpha|0/2|1/4|0/2|3/3|2/2|0/3"},
        {4, "Alpha|1/2|4/4|0/0|0/1|1/2|0/3"}, {1, "Alpha|1/1|1/1|0/0|0/0|1/1|1/1"},
        {0, "Bravo|0/0|0/0|1/1|1/1|0/0|0/0"}, {0, "Hotel|0/0|1/1|0/0|1/1|1/1|0/0"},
        {0, "Tango|0/0|0/0|0/0|0/0|0/0|0/0"}, // no played match
        {0, "India|0/0|0/0|0/0|0/0|0/0|0/0"}, // only a half-entered one
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line);
        const QString expected = QString::fromUtf8(c.line);
        EXPECT_EQ(lineOf(streaks::lines(runs(c.upTo)), expected.section(QLatin1Char('|'), 0, 0)), expected);
    }
    // In the order of the main table: Alpha leads it.
    EXPECT_EQ(runs().rows[0].name, QStringLiteral("Alpha"));
}

} // namespace
