#include "online/core/storechanges.h"

#include "online/core/storecopy.h"
#include "season/core/textutil.h"
#include "standings/core/displayedstandings.h"
#include "standings/core/standingsengine.h"

#include <QMap>

#include <algorithm>
#include <array>

namespace {

using Kind = FixtureChange::Kind;

// The one line and the notes, kept together so they read at a glance.
namespace texts {
const QString Separator = QStringLiteral(", ");
const QString MovesSeparator = QStringLiteral(" ; ");
const QString Moves = QStringLiteral("%1 passe %2");
const QString MoreMove = QStringLiteral(" et 1 autre équipe change de place");
const QString MoreMoves = QStringLiteral(" et %1 autres équipes changent de place");
const QString OnlyMove = QStringLiteral("1 équipe change de place");
const QString OnlyMoves = QStringLiteral("%1 équipes changent de place");
const QString MoveDetail = QStringLiteral("%1 passe de la %2 à la %3 place");
const QString NotPlayed = QStringLiteral("non joué");
const QString Cards = QStringLiteral("jaunes %1-%2, rouges %3-%4");
const QString AddedNote = QStringLiteral("Nouveau résultat à la dernière mise à jour");
const QString ScoreNote = QStringLiteral("Score corrigé à la dernière mise à jour (avant : %1)");
const QString CardsNote = QStringLiteral("Cartons corrigés à la dernière mise à jour (avant : %1)");
const QString RemovedNote = QStringLiteral("Résultat retiré à la dernière mise à jour (avant : %1)");
const QString NoCards = QStringLiteral("aucun carton");
const QString AddedLine = QStringLiteral("Nouveau résultat : J%1 %2 %3 %4");
const QString ScoreLine = QStringLiteral("Score corrigé : J%1 %2 - %3, %4 au lieu de %5");
const QString CardsLine = QStringLiteral("Cartons corrigés : J%1 %2 - %3, %4 au lieu de %5");
const QString RemovedLine = QStringLiteral("Résultat retiré : J%1 %2 - %3 (%4)");
const QString AdjustedLine = QStringLiteral("Ajustement de points modifié : %1");
} // namespace texts

// "1 nouveau résultat" / "3 nouveaux résultats".
QString counted(int count, const char *one, const char *many)
{
    return QString::number(count) + QLatin1Char(' ') + QString::fromUtf8(count > 1 ? many : one);
}

QString cardsOrNone(const MatchRecord &record)
{
    const QString cards = storechanges::cardsText(record);
    return cards.isEmpty() ? texts::NoCards : cards;
}

std::array<int, 2> goals(const MatchRecord &record)
{
    return {text::leadingInt(record[MatchRecord::HomeGoals]), text::leadingInt(record[MatchRecord::AwayGoals])};
}

std::array<int, 4> cards(const MatchRecord &record)
{
    return {text::leadingInt(record[MatchRecord::HomeYellow]), text::leadingInt(record[MatchRecord::AwayYellow]),
            text::leadingInt(record[MatchRecord::HomeRed]), text::leadingInt(record[MatchRecord::AwayRed])};
}

// Rank number of each team in the whole-season table of a store.
QMap<QString, int> ranksOf(const Season &season, const StoreCopy &copy)
{
    const DisplayedStandings shown =
        buildDisplayedStandings(computeStandings(season, copy.store(), copy.bonusMalus()), DisplayContext{});
    QMap<QString, int> ranks;
    for (const DisplayedRow &row : shown.rows)
        ranks.insert(row.data.name, row.rankLabel.toInt());
    return ranks;
}

} // namespace

namespace storechanges {

bool isPlayed(const MatchRecord &record)
{
    return record.namesLeagueTeams() && isPlayedScore(record[MatchRecord::HomeGoals]);
}

bool isIncomplete(const MatchRecord &record)
{
    return isPlayed(record) && !isPlayedScore(record[MatchRecord::AwayGoals]);
}

QString scoreText(const MatchRecord &record)
{
    if (!isPlayed(record))
        return texts::NotPlayed;
    const std::array<int, 2> g = goals(record);
    if (isIncomplete(record))
        return QStringLiteral("%1-?").arg(g[0]);
    return QStringLiteral("%1-%2").arg(g[0]).arg(g[1]);
}

QString cardsText(const MatchRecord &record)
{
    const std::array<int, 4> c = cards(record);
    if (c == std::array<int, 4>{})
        return {};
    return texts::Cards.arg(c[0]).arg(c[1]).arg(c[2]).arg(c[3]);
}

QString ordinal(int rank)
{
    return QString::number(rank) + (rank == 1 ? QStringLiteral("er") : QStringLiteral("e"));
}

QList<FixtureChange> resultChanges(const Season &season, const ResultStore &before, const ResultStore &after)
{
    // One parse of each file for the whole walk.
    const IniFile::Hold holdBefore(before.ini());
    const IniFile::Hold holdAfter(after.ini());
    QList<FixtureChange> changes;
    for (MatchDayNo day = 1; day <= MatchDayCount; ++day) {
        const QStringList codes = season.fixtureCodes(day);
        for (int index = 0; index < codes.size(); ++index) {
            const QString key = Season::fixtureKey(day, index);
            FixtureChange change;
            change.before = before.match(key);
            change.after = after.match(key);
            const bool wasPlayed = isPlayed(change.before);
            const bool played = isPlayed(change.after);
            if (!wasPlayed && !played)
                continue;
            if (!wasPlayed)
                change.kind = Kind::Added;
            else if (!played)
                change.kind = Kind::Removed;
            // "2-?" completed to "2-0" is a corrected score, though the goals read the same.
            else if (scoreText(change.before) != scoreText(change.after))
                change.kind = Kind::ScoreCorrected;
            else if (cards(change.before) != cards(change.after))
                change.kind = Kind::CardsCorrected;
            else
                continue;
            change.fixtureKey = key;
            change.matchDay = day;
            const QString &code = codes[index];
            change.home = season.teamNameOfLetter(code.at(0));
            change.away = code.size() > 1 ? season.teamNameOfLetter(code.at(1)) : QString();
            changes.append(change);
        }
    }
    return changes;
}

} // namespace storechanges

int StoreChanges::count(FixtureChange::Kind kind) const
{
    int n = 0;
    for (const FixtureChange &change : fixtures)
        n += change.kind == kind ? 1 : 0;
    return n;
}

QString StoreChanges::summary(int named) const
{
    QStringList parts;
    if (const int n = count(Kind::Added))
        parts << counted(n, "nouveau résultat", "nouveaux résultats");
    if (const int n = count(Kind::ScoreCorrected))
        parts << counted(n, "score corrigé", "scores corrigés");
    if (const int n = count(Kind::CardsCorrected))
        parts << QStringLiteral("cartons corrigés sur ") + counted(n, "match", "matches");
    if (const int n = count(Kind::Removed))
        parts << counted(n, "résultat retiré", "résultats retirés");
    if (const int n = int(adjustedTeams.size()))
        parts << counted(n, "ajustement de points modifié", "ajustements de points modifiés");
    QString line = parts.join(texts::Separator);

    if (!moves.isEmpty()) {
        QStringList names;
        for (qsizetype i = 0; i < moves.size() && i < named; ++i)
            names << texts::Moves.arg(moves[i].team, storechanges::ordinal(moves[i].after));
        QString movesText = names.join(texts::Separator);
        if (moves.size() > names.size()) {
            const qsizetype others = moves.size() - names.size();
            if (names.isEmpty())
                movesText += others == 1 ? texts::OnlyMove : texts::OnlyMoves.arg(others);
            else
                movesText += others == 1 ? texts::MoreMove : texts::MoreMoves.arg(others);
        }
        line += (line.isEmpty() ? QString() : texts::MovesSeparator) + movesText;
    }
    return line;
}

QString StoreChanges::details() const
{
    QStringList lines;
    for (const FixtureChange &c : fixtures) {
        switch (c.kind) {
        case Kind::Added:
            lines << texts::AddedLine.arg(c.matchDay).arg(c.home, storechanges::scoreText(c.after), c.away);
            break;
        case Kind::ScoreCorrected:
            lines << texts::ScoreLine.arg(c.matchDay)
                         .arg(c.home, c.away, storechanges::scoreText(c.after), storechanges::scoreText(c.before));
            break;
        case Kind::CardsCorrected:
            lines << texts::CardsLine.arg(c.matchDay).arg(c.home, c.away, cardsOrNone(c.after), cardsOrNone(c.before));
            break;
        case Kind::Removed:
            lines << texts::RemovedLine.arg(c.matchDay).arg(c.home, c.away, storechanges::scoreText(c.before));
            break;
        }
    }
    for (const QString &team : adjustedTeams)
        lines << texts::AdjustedLine.arg(team);
    for (const TeamMove &move : moves)
        lines << texts::MoveDetail.arg(move.team, storechanges::ordinal(move.before),
                                       storechanges::ordinal(move.after));
    return lines.join(QLatin1Char('\n'));
}

QHash<QString, QString> StoreChanges::fixtureNotes() const
{
    QHash<QString, QString> notes;
    for (const FixtureChange &c : fixtures) {
        switch (c.kind) {
        case Kind::Added:
            notes.insert(c.fixtureKey, texts::AddedNote);
            break;
        case Kind::ScoreCorrected:
            notes.insert(c.fixtureKey, texts::ScoreNote.arg(storechanges::scoreText(c.before)));
            break;
        case Kind::CardsCorrected:
            notes.insert(c.fixtureKey, texts::CardsNote.arg(cardsOrNone(c.before)));
            break;
        case Kind::Removed:
            notes.insert(c.fixtureKey, texts::RemovedNote.arg(storechanges::scoreText(c.before)));
            break;
        }
    }
    return notes;
}

StoreChanges StoreChanges::compare(const Season &season, const QByteArray &before, const QByteArray &after)
{
    StoreChanges changes;
    const StoreCopy old(before);
    const StoreCopy fresh(after);
    if (!old.isValid() || !fresh.isValid())
        return changes;
    changes.fixtures = storechanges::resultChanges(season, old.store(), fresh.store());

    const BonusMalus oldBonus = old.bonusMalus();
    const BonusMalus newBonus = fresh.bonusMalus();
    for (TeamNo team = 0; team < TeamCount; ++team) {
        if (oldBonus[team] != newBonus[team])
            changes.adjustedTeams << season.teamName(team);
    }

    // Identical results and adjustments rank identically: no need to run the engine.
    if (changes.fixtures.isEmpty() && changes.adjustedTeams.isEmpty())
        return changes;
    const QMap<QString, int> oldRanks = ranksOf(season, old);
    const QMap<QString, int> newRanks = ranksOf(season, fresh);
    for (auto it = newRanks.cbegin(); it != newRanks.cend(); ++it) {
        const int was = oldRanks.value(it.key());
        if (was != 0 && was != it.value())
            changes.moves.append({it.key(), was, it.value()});
    }
    std::sort(changes.moves.begin(), changes.moves.end(), [](const TeamMove &a, const TeamMove &b) {
        return a.after != b.after ? a.after < b.after : a.team < b.team;
    });
    return changes;
}
