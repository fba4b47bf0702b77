#pragma once

#include "season/core/matchrecord.h"
#include "season/core/resultstore.h"
#include "season/core/season.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// One fixture whose result differs between two results stores.
struct FixtureChange
{
    enum class Kind {
        Added,          // played now, not before
        ScoreCorrected, // played in both, another score
        CardsCorrected, // played in both, same score, other cards
        Removed,        // played before, not any more
    };
    Kind kind = Kind::Added;
    QString fixtureKey;
    MatchDayNo matchDay = 0;
    QString home; // names as the season calendar has them
    QString away;
    MatchRecord before;
    MatchRecord after;
};

// A team whose rank in the whole-season table differs between two stores.
struct TeamMove
{
    QString team;
    int before = 0; // shared rank numbers, as the table shows them
    int after = 0;
};

// What a results update changed: the fixtures, the points adjustments and the
// teams that moved in the table. A value computed once from the store that was
// replaced and the one that replaced it; the window tells it in one French
// line and marks the fixtures, the command line prints the line.
struct StoreChanges
{
    QList<FixtureChange> fixtures; // in match-day order
    QList<TeamMove> moves;         // by new rank
    QStringList adjustedTeams;     // teams whose points adjustment changed

    bool isEmpty() const { return fixtures.isEmpty() && moves.isEmpty() && adjustedTeams.isEmpty(); }
    int count(FixtureChange::Kind kind) const;

    // "3 nouveaux résultats, 1 score corrigé ; Stade Bérange passe 3e"; empty
    // when nothing changed. Past `named` teams the others are only counted.
    QString summary(int named = 3) const;
    // Every change on its own line, for a tool tip or a screen reader.
    QString details() const;
    // The note each changed fixture carries in the match grid, by fixture key.
    QHash<QString, QString> fixtureNotes() const;

    // Compares two store files. The ranks come from the standings engine run
    // over the whole season on each store with its own adjustments. Bytes that
    // cannot be read give an empty comparison rather than a wrong one.
    static StoreChanges compare(const Season &season, const QByteArray &before, const QByteArray &after);
};

// The pieces shared with the review before publishing.
namespace storechanges {

// A result counts when the record names two teams of the league and holds a
// home score; a record whose letters name no team counts for nobody, as in
// the table, so replacing a result by one is a removal.
bool isPlayed(const MatchRecord &record);
// Played with the home score only: typed half-way.
bool isIncomplete(const MatchRecord &record);
// "2-1", "2-?" for a result without its away score, or "non joué".
QString scoreText(const MatchRecord &record);
// "jaunes 2-1, rouges 0-1"; empty when the match had no card.
QString cardsText(const MatchRecord &record);
// "1er", "2e", "17e".
QString ordinal(int rank);

// Every fixture of the season calendar whose result differs between the stores.
QList<FixtureChange> resultChanges(const Season &season, const ResultStore &before, const ResultStore &after);

} // namespace storechanges
