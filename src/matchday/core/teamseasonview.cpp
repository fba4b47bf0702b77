#include "matchday/core/teamseasonview.h"

#include "season/core/resultstore.h"

namespace teamseason {

namespace {
constexpr int DaysBeforeOverdue = 5;
}

bool overdue(const QDate &date, const QDateTime &now)
{
    // From midnight of the fifth day after on: a match of the 10th is
    // flagged from the 15th at 00:00.
    return date.isValid() && QDateTime(date, QTime(0, 0)) <= now.addDays(-DaysBeforeOverdue);
}

TeamSeasonView build(const Season &season, const ResultStore &store, const QString &team, const QDateTime &now,
                     const QString &favouriteTeam)
{
    TeamSeasonView view;
    view.team = team;
    const TeamNo teamNo = season.teamNoOfName(team);
    if (teamNo == NoTeam)
        return view;
    view.known = true;
    const QChar letter = Season::teamLetter(teamNo);

    const IniFile::Hold hold(store.ini());
    for (int fixture = 1; fixture <= season.fixtureCount() && view.rows.size() < MatchDayCount; ++fixture) {
        const QString calendarEntry = season.calendarEntry(fixture);
        const QString code = calendarEntry.section(QLatin1Char('|'), 2);
        if (!code.contains(letter))
            continue;
        GridRow row;
        row.fixtureKey = calendarEntry.section(QLatin1Char('|'), 0, 0) + calendarEntry.section(QLatin1Char('|'), 1, 1);
        row.homeLetter = code.isEmpty() ? QChar() : code.front();
        row.awayLetter = code.isEmpty() ? QChar() : code.back();
        row.homeName = season.teamNameOfLetter(row.homeLetter);
        row.awayName = season.teamNameOfLetter(row.awayLetter);

        // This view shows the stored texts untrimmed, as it always has.
        const QString stored = store.ini().read(ResultStore::ResultsSection, row.fixtureKey);
        if (!stored.isEmpty()) {
            const MatchRecord record = MatchRecord::fromText(stored);
            const auto score = [](const QString &field) { return field == QLatin1String("-") ? QString() : field; };
            row.homeGoals = score(record[MatchRecord::HomeGoals]);
            row.awayGoals = score(record[MatchRecord::AwayGoals]);
            row.cards.homeRed = entry::cutCardCount(record[MatchRecord::HomeRed]);
            row.cards.homeYellow = entry::cutCardCount(record[MatchRecord::HomeYellow]);
            row.cards.awayYellow = entry::cutCardCount(record[MatchRecord::AwayYellow]);
            row.cards.awayRed = entry::cutCardCount(record[MatchRecord::AwayRed]);
            if (!record[MatchRecord::HomeGoals].isEmpty() || !record[MatchRecord::AwayGoals].isEmpty()) {
                const entry::ScoreLook look = entry::scoreLook(row.homeGoals, row.awayGoals);
                row.homeLook = look.home;
                row.awayLook = look.away;
            }
        }
        // Unlike a match day, cards show whether or not the score is known.
        row.cardLayout = entry::restingCards(row.cards, true);

        const bool hasFavourite = !favouriteTeam.isEmpty() && favouriteTeam != team;
        const auto back = [&](const QString &name) {
            if (name == team)
                return entry::colour::ShownTeam;
            if (hasFavourite && name == favouriteTeam)
                return entry::colour::Favourite;
            return entry::colour::White;
        };
        row.homeBack = back(row.homeName);
        row.awayBack = back(row.awayName);

        const QDate date = season.matchDayDate(calendarEntry.left(2).toInt());
        row.info = date.isValid() ? date.toString(QStringLiteral("dd MM yy")) : QString();
        if (overdue(date, now) && row.homeGoals.isEmpty() && row.awayGoals.isEmpty()) {
            row.infoColour = entry::colour::Overdue;
            row.infoBold = true;
        }
        view.rows.append(row);
    }
    return view;
}

} // namespace teamseason
