#include "team/core/teamcard.h"

#include "season/core/textutil.h"
#include "team/core/resultrules.h"

#include <QStringList>

#include <cmath>

namespace {

namespace texts {
const QString Rank = QStringLiteral("Classement: ");
const QString Points = QStringLiteral("Points: ");
const QString GoalsFor = QStringLiteral("Buts Marqués: ");
const QString GoalsAgainst = QStringLiteral("Buts Encaissés: ");
const QString PerMatch = QStringLiteral(" par match.");
const QString Red = QStringLiteral("Cartons Rouges: ");
const QString Yellow = QStringLiteral("Cartons Jaunes: ");
const QString Wins = QStringLiteral("Victoires: ");
const QString Draws = QStringLiteral("Nuls: ");
const QString Losses = QStringLiteral("Défaites: ");
const QString Won = QStringLiteral("victoire");
const QString Drawn = QStringLiteral("nul");
const QString Lost = QStringLiteral("défaite");
} // namespace texts

const QString LineBreak = QStringLiteral("\n");

QString goalsBox(const QString &stored)
{
    return stored == QLatin1String("-") ? QString() : stored;
}

CardOutcome outcomeOf(const CardRow &row)
{
    switch (resultrules::readScore(row.homeGoals, row.awayGoals)) {
    case resultrules::ScoreReading::NotPlayed:
        return CardOutcome::NotPlayed;
    case resultrules::ScoreReading::Incomplete:
        return CardOutcome::Incomplete;
    case resultrules::ScoreReading::Draw:
        return CardOutcome::Drawn;
    case resultrules::ScoreReading::HomeWin:
        return row.teamAtHome ? CardOutcome::Won : CardOutcome::Lost;
    case resultrules::ScoreReading::AwayWin:
        return row.teamAtHome ? CardOutcome::Lost : CardOutcome::Won;
    }
    return CardOutcome::NotPlayed;
}

void count(BarGroup &group, CardOutcome outcome)
{
    switch (outcome) {
    case CardOutcome::NotPlayed:
        ++group.unplayed;
        break;
    case CardOutcome::Won:
        ++group.wins;
        break;
    case CardOutcome::Drawn:
        ++group.draws;
        break;
    case CardOutcome::Lost:
        ++group.losses;
        break;
    case CardOutcome::Incomplete:
        break;
    }
}

void caption(BarGroup &group, const QString &win, const QString &draw, const QString &loss)
{
    group.winCaption = LineBreak + win + QString::number(group.wins);
    group.drawCaption = LineBreak + draw + QString::number(group.draws);
    group.lossCaption = LineBreak + loss + QString::number(group.losses);
}

} // namespace

QString CardRow::scoreText() const
{
    if (homeGoals.isEmpty() && awayGoals.isEmpty())
        return {};
    return homeGoals + QLatin1Char('-') + awayGoals;
}

QString CardRow::outcomeWord() const
{
    switch (outcome) {
    case CardOutcome::Won:
        return texts::Won;
    case CardOutcome::Drawn:
        return texts::Drawn;
    case CardOutcome::Lost:
        return texts::Lost;
    case CardOutcome::NotPlayed:
    case CardOutcome::Incomplete:
        break;
    }
    return {};
}

QString perMatchText(int goals, int matches)
{
    // "0.0#": rounded to two decimals, the second one dropped when it is 0.
    const qint64 hundredths = matches > 0 ? std::llround(100.0 * goals / matches) : 0;
    const qint64 whole = hundredths / 100;
    const qint64 cents = hundredths % 100;
    QString number = QString::number(whole) + text::frenchLocale().decimalPoint();
    if (cents % 10 == 0)
        number += QString::number(cents / 10);
    else
        number += QString::number(cents).rightJustified(2, QLatin1Char('0'));
    return number + texts::PerMatch;
}

QString TeamCard::rankText() const
{
    return texts::Rank + rankLabel;
}

QString TeamCard::pointsText() const
{
    return texts::Points + QString::number(points());
}

QString TeamCard::goalsForText() const
{
    return texts::GoalsFor + QString::number(goalsFor);
}

QString TeamCard::goalsAgainstText() const
{
    return texts::GoalsAgainst + QString::number(goalsAgainst);
}

QString TeamCard::averageForText() const
{
    return perMatchText(goalsFor, played());
}

QString TeamCard::averageAgainstText() const
{
    return perMatchText(goalsAgainst, played());
}

QString TeamCard::redCardsText() const
{
    return texts::Red + QString::number(redCards);
}

QString TeamCard::yellowCardsText() const
{
    return texts::Yellow + QString::number(yellowCards);
}

QStringList TeamCard::totalsLines() const
{
    const BarGroup &season = groups[SeasonGroup];
    return {rankText(),
            pointsText(),
            season.winCaption.mid(1),
            season.drawCaption.mid(1),
            season.lossCaption.mid(1),
            goalsForText(),
            averageForText(),
            goalsAgainstText(),
            averageAgainstText(),
            redCardsText(),
            yellowCardsText()};
}

namespace {

// The team's fixtures, home ones first, then away ones, each in calendar
// order; at most a card's rows.
std::vector<int> fixturesOf(const Season &season, QChar letter)
{
    std::vector<int> fixtures;
    for (int side = 0; side < 2; ++side) {
        for (int n = 1; n <= season.fixtureCount(); ++n) {
            const QString code = resultrules::fixtureCodeOf(season.calendarEntry(n));
            if (code.size() >= 2 && code.at(side) == letter)
                fixtures.push_back(n);
        }
    }
    if (fixtures.size() > std::size_t(TeamCard::RowCount))
        fixtures.resize(TeamCard::RowCount);
    return fixtures;
}

// The card's row `index`, showing calendar fixture `fixtureNo` and what the
// store holds for it.
CardRow cardRow(const Season &season, const ResultStore &store, int fixtureNo, int index, const TeamCard &card,
                const QString &favourite)
{
    const QString entry = season.calendarEntry(fixtureNo);
    const QString code = resultrules::fixtureCodeOf(entry);
    CardRow row;
    row.fixtureNo = fixtureNo;
    row.fixtureKey = resultrules::fixtureKeyOf(entry);
    row.matchDay = resultrules::matchDayOfKey(row.fixtureKey);
    row.homeLetter = code.at(0);
    row.awayLetter = code.at(1);
    row.homeName = season.teamNameOfLetter(row.homeLetter);
    row.awayName = season.teamNameOfLetter(row.awayLetter);
    row.teamAtHome = row.homeLetter == Season::teamLetter(card.team);
    row.awayColumn = index >= TeamCard::ColumnRows;
    row.secondHalf = row.matchDay > 19;
    row.dateText = season.matchDayDate(row.matchDay).toString(QStringLiteral("dd MM yy"));
    const QString &opponent = row.teamAtHome ? row.awayName : row.homeName;
    if (!favourite.isEmpty() && favourite != card.name && opponent == favourite)
        (row.teamAtHome ? row.awayFavourite : row.homeFavourite) = true;

    const MatchRecord record = store.match(row.fixtureKey);
    if (record.namesLeagueTeams()) {
        row.homeRed = record[MatchRecord::HomeRed];
        row.homeYellow = record[MatchRecord::HomeYellow];
        row.homeGoals = goalsBox(record[MatchRecord::HomeGoals]);
        row.awayGoals = goalsBox(record[MatchRecord::AwayGoals]);
        row.awayYellow = record[MatchRecord::AwayYellow];
        row.awayRed = record[MatchRecord::AwayRed];
    }
    row.outcome = outcomeOf(row);
    return row;
}

// The team's goals, cards and outcome counts with one more row.
void addToTotals(TeamCard &card, const CardRow &row)
{
    const int home = text::leadingCount(row.homeGoals);
    const int away = text::leadingCount(row.awayGoals);
    card.goalsFor += row.teamAtHome ? home : away;
    card.goalsAgainst += row.teamAtHome ? away : home;
    card.redCards += text::leadingCount(row.teamAtHome ? row.homeRed : row.awayRed);
    card.yellowCards += text::leadingCount(row.teamAtHome ? row.homeYellow : row.awayYellow);
    count(card.groups[row.block()], row.outcome);
}

// Each group's total and caption, and the season's bar summed from them.
void closeGroups(TeamCard &card)
{
    BarGroup &whole = card.groups[TeamCard::SeasonGroup];
    for (int g = 0; g < TeamCard::SeasonGroup; ++g) {
        BarGroup &group = card.groups[g];
        group.total = group.wins + group.draws + group.losses + group.unplayed;
        caption(group, QString(), QString(), QString());
        whole.wins += group.wins;
        whole.draws += group.draws;
        whole.losses += group.losses;
    }
    // Matches not played take no share of the season's bar.
    whole.total = whole.wins + whole.draws + whole.losses;
    caption(whole, texts::Wins, texts::Draws, texts::Losses);
}

} // namespace

TeamCard buildTeamCard(const Season &season, const ResultStore &store, TeamNo team, const DisplayedStandings &shown,
                       const QString &favourite)
{
    TeamCard card;
    if (team < 0 || team >= TeamCount)
        return card;
    card.team = team;
    card.name = season.teamName(team);

    for (const DisplayedRow &row : shown.rows) {
        if (row.data.name == card.name) {
            card.rankLabel = row.rankLabel;
            break;
        }
    }

    const std::vector<int> fixtures = fixturesOf(season, Season::teamLetter(team));
    const IniFile::Hold hold(store.ini());
    for (std::size_t i = 0; i < fixtures.size(); ++i) {
        CardRow row = cardRow(season, store, fixtures[i], int(i), card, favourite);
        addToTotals(card, row);
        card.rows.push_back(std::move(row));
    }
    closeGroups(card);
    return card;
}
