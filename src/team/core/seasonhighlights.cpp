#include "team/core/seasonhighlights.h"

#include "season/core/textutil.h"
#include "standings/core/leaguepoints.h"
#include "team/core/resultrules.h"

#include <QStringList>

#include <algorithm>
#include <cstdlib>

namespace highlights {

namespace {

namespace texts {
const QString On = QStringLiteral(" le ");
const QString Colon = QStringLiteral(": ");
const QString To = QStringLiteral(" à ");
const QString Red = QStringLiteral(" Carton(s) Rouge(s) et ");
const QString Yellow = QStringLiteral(" Carton(s) jaune(s).");
const QString DayStart = QStringLiteral("Le ");
const QString DayGoals = QStringLiteral(" buts marqués");
const QString Matches = QStringLiteral(" matches.");
} // namespace texts

// A best value not reached yet compares as 0 and is written as nothing.
QString bestText(int value)
{
    return value > 0 ? QString::number(value) : QString();
}

QString runText(const std::array<int, TeamCount> &runs, const Season &season)
{
    const int best = *std::max_element(runs.begin(), runs.end());
    QString names;
    for (TeamNo team = 0; team < TeamCount; ++team) {
        if (runs[team] == best)
            names += QLatin1Char(' ') + season.teamName(team);
    }
    return names.trimmed() + texts::Colon + bestText(best) + texts::Matches;
}

using Runs = std::array<int, TeamCount>;

// Each team's current run without defeat and without win, after one match.
void extendRuns(Runs &unbeaten, Runs &winless, const MatchRecord &record, TeamNo home, TeamNo away)
{
    const QString &f3 = record[MatchRecord::HomeGoals];
    const QString &f4 = record[MatchRecord::AwayGoals];
    const int h = text::leadingCount(f3);
    const int a = text::leadingCount(f4);
    if (h > a) {
        ++unbeaten[home];
        unbeaten[away] = 0;
    }
    if (a > h) {
        ++unbeaten[away];
        unbeaten[home] = 0;
    }
    if (a > h) {
        ++winless[home];
        winless[away] = 0;
    }
    if (h > a) {
        ++winless[away];
        winless[home] = 0;
    }
    // The texts decide a draw here: "-" against "-" is one, 2 against 02 is not.
    if (!f3.isEmpty() && f3 == f4) {
        ++unbeaten[home];
        ++unbeaten[away];
        ++winless[home];
        ++winless[away];
    }
}

// The best single matches so far: most goals, most cards, largest difference.
struct MatchBests
{
    int goals = 0;
    int difference = 0;
    int cards = 0;
};

// Keeps the match when it beats a best so far; `prefix` names it.
void keepMatchBests(std::array<QString, Count> &values, MatchBests &bests, const MatchRecord &record,
                    const QString &prefix)
{
    const QString &f3 = record[MatchRecord::HomeGoals];
    const QString &f4 = record[MatchRecord::AwayGoals];
    const int h = text::leadingCount(f3);
    const int a = text::leadingCount(f4);
    if (h + a > bests.goals) {
        bests.goals = h + a;
        values[MostGoals] =
            prefix + QString::number(bests.goals) + QStringLiteral(" (") + f3 + texts::To + f4 + QLatin1Char(')');
    }

    const int homeRed = text::leadingCount(record[MatchRecord::HomeRed]);
    const int homeYellow = text::leadingCount(record[MatchRecord::HomeYellow]);
    const int awayYellow = text::leadingCount(record[MatchRecord::AwayYellow]);
    const int awayRed = text::leadingCount(record[MatchRecord::AwayRed]);
    // Weighed as fair play weighs them.
    const int cards =
        leaguepoints::RedCard * (homeRed + awayRed) + leaguepoints::YellowCard * (homeYellow + awayYellow);
    if (cards > bests.cards) {
        bests.cards = cards;
        values[MostCards] = prefix + QLatin1Char('\n') + QString::number(homeRed + awayRed) + texts::Red
                            + QString::number(homeYellow + awayYellow) + texts::Yellow;
    }

    if (std::abs(h - a) > bests.difference) {
        bests.difference = std::abs(h - a);
        values[LargestDifference] = prefix + f3 + texts::To + f4;
    }
}
} // namespace

const std::array<QString, Count> &headings()
{
    static const std::array<QString, Count> texts = {
        QStringLiteral("Le plus de buts marqués:"),         QStringLiteral("La plus grande différence de buts:"),
        QStringLiteral("Le plus de cartons pris:"),         QStringLiteral("Le plus de buts en une journée:"),
        QStringLiteral("Le plus de matches sans défaite:"), QStringLiteral("Le plus de matches sans victoire:"),
    };
    return texts;
}

std::array<QString, Count> compute(const Season &season, const ResultStore &store)
{
    std::array<QString, Count> values;
    MatchBests bests;
    int bestDayGoals = 0;
    Runs unbeaten{};
    Runs winless{};

    const IniFile::Hold hold(store.ini());
    for (MatchDayNo day = 1; day <= MatchDayCount; ++day) {
        const QString date = resultrules::shortDate(season.matchDayDate(day));
        int dayGoals = 0;
        for (int slot = 0; slot < FixturesPerMatchDay; ++slot) {
            const MatchRecord record = store.match(Season::fixtureKey(day, slot));
            // A letter outside the league would point at no team's runs.
            if (!record.namesLeagueTeams())
                continue;
            const TeamNo home = MatchRecord::teamOfLetterField(record[MatchRecord::HomeLetter]);
            const TeamNo away = MatchRecord::teamOfLetterField(record[MatchRecord::AwayLetter]);
            const QString prefix = season.teamNameOfLetter(record[MatchRecord::HomeLetter].at(0)) + QLatin1Char('-')
                                   + season.teamNameOfLetter(record[MatchRecord::AwayLetter].at(0)) + texts::On + date
                                   + texts::Colon;

            dayGoals +=
                text::leadingCount(record[MatchRecord::HomeGoals]) + text::leadingCount(record[MatchRecord::AwayGoals]);
            extendRuns(unbeaten, winless, record, home, away);
            keepMatchBests(values, bests, record, prefix);
        }
        if (dayGoals > bestDayGoals) {
            bestDayGoals = dayGoals;
            values[BestMatchDay] = texts::DayStart + date + texts::Colon + QString::number(dayGoals) + texts::DayGoals;
        }
    }

    values[Unbeaten] = runText(unbeaten, season);
    values[Winless] = runText(winless, season);
    return values;
}

} // namespace highlights
