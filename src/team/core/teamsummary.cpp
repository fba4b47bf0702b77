#include "team/core/teamsummary.h"

#include "team/core/resultrules.h"

#include <QFileInfo>

namespace {
namespace texts {
const QString Rank = QStringLiteral("Classement: ");
const QString Wins = QStringLiteral("Matches Gagnés: ");
const QString Losses = QStringLiteral("Matches Perdus: ");
const QString Draws = QStringLiteral("Matches Nuls: ");
const QString Played = QStringLiteral("Matches Joués: ");
const QString Home = QStringLiteral(" (Dom:");
const QString Away = QStringLiteral(") (Ext:");
} // namespace texts

QString split(const QString &caption, int home, int away)
{
    return caption + QString::number(home + away) + texts::Home + QString::number(home) + texts::Away
           + QString::number(away) + QLatin1Char(')');
}
} // namespace

SeasonTally tallySeason(const Season &season, const ResultStore &store)
{
    SeasonTally tally{};
    const IniFile::Hold hold(store.ini());
    for (int n = 1; n <= season.fixtureCount(); ++n) {
        const QString entry = season.calendarEntry(n);
        const QString code = resultrules::fixtureCodeOf(entry);
        if (code.isEmpty())
            continue;
        const MatchRecord record = store.match(resultrules::fixtureKeyOf(entry));
        if (!record.namesLeagueTeams())
            continue;
        const TeamNo home = MatchRecord::teamOfLetterField(record[MatchRecord::HomeLetter]);
        const TeamNo away = MatchRecord::teamOfLetterField(record[MatchRecord::AwayLetter]);
        // The card's rule: a match counts once both scores are there, so a
        // home score against an empty box is neither a win nor a draw yet.
        using resultrules::ScoreReading;
        const ScoreReading score =
            resultrules::readScore(record[MatchRecord::HomeGoals], record[MatchRecord::AwayGoals]);
        // The result counts for a team only under one of its own fixtures.
        const auto inCode = [&code](TeamNo team) { return code.contains(Season::teamLetter(team)); };
        if (inCode(home)) {
            TeamTally &t = tally[home];
            t.homeWins += score == ScoreReading::HomeWin ? 1 : 0;
            t.homeLosses += score == ScoreReading::AwayWin ? 1 : 0;
            t.draws += score == ScoreReading::Draw ? 1 : 0;
        }
        if (inCode(away)) {
            TeamTally &t = tally[away];
            t.awayWins += score == ScoreReading::AwayWin ? 1 : 0;
            t.awayLosses += score == ScoreReading::HomeWin ? 1 : 0;
            t.draws += score == ScoreReading::Draw ? 1 : 0;
        }
    }
    return tally;
}

TeamSummary buildTeamSummary(const Season &season, const QString &team, const SeasonTally &tally,
                             const DisplayedStandings &shown)
{
    TeamSummary summary;
    summary.name = team;
    summary.team = season.teamNoOfName(team);
    summary.rankText = texts::Rank;
    for (const DisplayedRow &row : shown.rows) {
        if (row.data.name != team)
            continue;
        summary.rankText += row.rankLabel;
        summary.movement = row.movement;
        if (!row.movementText.isEmpty())
            summary.movementText = QStringLiteral(" (") + row.movementText + QLatin1Char(')');
        break;
    }
    const TeamTally counts = summary.team >= 0 && summary.team < TeamCount ? tally[summary.team] : TeamTally{};
    summary.winsText = split(texts::Wins, counts.homeWins, counts.awayWins);
    summary.lossesText = split(texts::Losses, counts.homeLosses, counts.awayLosses);
    summary.drawsText = texts::Draws + QString::number(counts.draws);
    summary.playedText = texts::Played + QString::number(counts.played());
    return summary;
}

const SeasonTally &TallyCache::tally(const Season &season, const ResultStore &store)
{
    const QFileInfo file(store.path());
    const QDateTime modified = file.exists() ? file.lastModified() : QDateTime();
    const qint64 size = file.exists() ? file.size() : -1;
    if (!m_valid || modified != m_modified || size != m_size) {
        m_tally = tallySeason(season, store);
        m_modified = modified;
        m_size = size;
        m_valid = true;
    }
    return m_tally;
}
