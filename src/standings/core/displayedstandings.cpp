#include "standings/core/displayedstandings.h"

#include "season/core/textutil.h"
#include "standings/core/rankexplanation.h"

#include <QStringList>

#include <cmath>

namespace {

// Texts shown around the table, kept together so they read at a glance.
namespace texts {
const QString Match = QStringLiteral(" Match");
const QString Plural = QStringLiteral("es");
const QString Ahead = QStringLiteral(" en avance pour: ");
const QString Behind = QStringLiteral(" en retard pour : ");
const QString ProgressSuffix = QStringLiteral("% des Matches joués");
const QString TotalGoals = QStringLiteral("Nombre de buts au total: ");
const QString AverageGoals = QStringLiteral("\r\nMoyenne de buts par match :");
const QString Title = QStringLiteral("Classement à la Journée N°");
} // namespace texts

constexpr int AllSides = FixtureCount * 2;

// Whole percentage as the "0" pattern writes it: halves away from zero.
QString wholeNumber(double value)
{
    return QString::number(static_cast<qint64>(std::round(value)));
}

// Number of matches concerned: two teams per match, so it may end in ",5".
QString matchCount(qsizetype teams)
{
    QString count = QString::number(teams / 2);
    if (teams % 2 != 0)
        count += QStringLiteral(",5");
    return count;
}

QString aheadBehindPart(const QStringList &names, const QString &what, const QString &end)
{
    const double count = names.size() / 2.0;
    if (names.isEmpty() || !(count < 10))
        return {};
    return matchCount(names.size()) + texts::Match + (count > 1 ? texts::Plural : QString()) + what
           + names.join(QStringLiteral(", ")) + end;
}

} // namespace

ZoneMark zoneOfRank(int rank)
{
    return leaguezones::zoneOfRank(rank);
}

QString zoneToolTip(ZoneMark zone)
{
    const leaguezones::Zone *z = leaguezones::zoneOf(zone);
    return z ? QString::fromUtf8(z->name) : QString();
}

namespace {

// The teams that have played more or fewer matches than the match days due.
// They only make sense for the season as it stands, not for the ranking at
// an earlier match day.
QString aheadBehindText(const Standings &standings, int dueMatchDays)
{
    if (standings.upToMatchDay != MatchDayCount)
        return {};
    QStringList ahead;
    QStringList behind;
    for (const StandingRow &row : standings.rows) {
        if (dueMatchDays < row.played)
            ahead.append(row.name);
        else if (dueMatchDays > row.played)
            behind.append(row.name);
    }
    return aheadBehindPart(ahead, texts::Ahead, QStringLiteral(". "))
           + aheadBehindPart(behind, texts::Behind, QStringLiteral("."));
}

// Standard competition ranking: a run of equal keys shares the number of
// its first row.
void labelRanks(DisplayedStandings &shown)
{
    shown.rows[0].rankLabel = QStringLiteral("1");
    for (int i = 1; i < TeamCount; ++i) {
        if (shown.rows[i].data.keyText() == shown.rows[i - 1].data.keyText())
            shown.rows[i].rankLabel = shown.rows[i - 1].rankLabel;
        else
            shown.rows[i].rankLabel = QString::number(i + 1);
    }
}

void setProgress(DisplayedStandings &shown, const Standings &standings, const DisplayContext &context)
{
    if (context.historyInProgress) {
        // While the ranking history is built the bar shows how far it has got
        // against the last ordinary computation; without one it stays as is.
        if (context.referencePlayedSides != 0) {
            const double share = double(standings.playedSides) / context.referencePlayedSides;
            shown.progress = share;
            shown.progressText = wholeNumber(100 * share) + QLatin1Char('%');
        }
    } else {
        const double share = double(standings.playedSides) / AllSides;
        shown.progress = share;
        shown.progressText = wholeNumber(100 * share) + texts::ProgressSuffix;
    }
}

QString goalsText(const Standings &standings)
{
    QString text = texts::TotalGoals + QString::number(standings.totalGoals);
    if (standings.playedSides > 0) {
        const double average = standings.totalGoals / (standings.playedSides / 2.0);
        text += texts::AverageGoals + text::formatDecimal(average, 2);
    }
    return text;
}

} // namespace

DisplayedStandings buildDisplayedStandings(const Standings &standings, const DisplayContext &context)
{
    DisplayedStandings shown;
    shown.upToMatchDay = standings.upToMatchDay;
    shown.totalGoals = standings.totalGoals;
    shown.playedSides = standings.playedSides;
    shown.zonesMarked = standings.playedSides > 0;
    if (!context.title.isEmpty())
        shown.title = context.title;
    else if (standings.upToMatchDay < MatchDayCount)
        shown.title = matchDayTitle(standings.upToMatchDay);

    const std::array<RowExplanation, TeamCount> explanations = explainStandings(standings);
    for (int i = 0; i < TeamCount; ++i) {
        DisplayedRow &row = shown.rows[i];
        row.data = standings.rows[i];
        row.belowAverage = !(row.data.played * 20 >= standings.playedSides);
        row.favourite = !context.favouriteTeam.isEmpty() && row.data.name == context.favouriteTeam;
        row.rankToolTip = explanations[i].toolTip;
        if (shown.zonesMarked) {
            row.zone = zoneOfRank(i + 1);
            row.zoneToolTip = zoneToolTip(row.zone);
        }
    }
    labelRanks(shown);
    shown.aheadBehindText = aheadBehindText(standings, context.dueMatchDays);
    setProgress(shown, standings, context);
    if (standings.rows[0].points > 0)
        shown.leader = standings.rows[0].name;
    shown.goalsText = goalsText(standings);
    return shown;
}

Standings standingsOf(const DisplayedStandings &shown)
{
    Standings standings;
    for (int i = 0; i < TeamCount; ++i)
        standings.rows[i] = shown.rows[i].data;
    standings.upToMatchDay = shown.upToMatchDay;
    standings.totalGoals = shown.totalGoals;
    standings.playedSides = shown.playedSides;
    return standings;
}

QString matchDayTitle(MatchDayNo day)
{
    return texts::Title + QString::number(day);
}

void StandingsModel::setDisplayed(const DisplayedStandings &displayed)
{
    m_displayed = displayed;
    emit displayedChanged();
}

void StandingsModel::setRankTags(const Standings &standings)
{
    for (int i = 0; i < TeamCount; ++i)
        m_rankTags[i] = standings.rows[i].name;
}

void StandingsModel::setMovements(const std::array<Movement, TeamCount> &movements,
                                  const std::array<QString, TeamCount> &texts)
{
    for (int i = 0; i < TeamCount; ++i) {
        m_displayed.rows[i].movement = movements[i];
        m_displayed.rows[i].movementText = texts[i];
    }
    emit movementsChanged();
}
