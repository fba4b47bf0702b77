#pragma once

#include "season/core/season.h"

#include <QString>
#include <QStringView>

#include <array>

// One fixture's result as the results store keeps it: eight texts joined by
// "|" (home letter, home red, home yellow, home goals, away goals, away yellow,
// away red, away letter). Fields hold what the volunteer typed, untrimmed.
struct MatchRecord
{
    enum Field { HomeLetter, HomeRed, HomeYellow, HomeGoals, AwayGoals, AwayYellow, AwayRed, AwayLetter };
    static inline const QString EmptyText = QStringLiteral("|||||||");

    std::array<QString, 8> fields;

    static MatchRecord fromText(const QString &text); // missing fields stay empty
    QString toText() const;
    // No result: the empty record, or no home letter.
    bool isEmpty() const { return fields[HomeLetter].isEmpty(); }
    // The team a letter field names by its first character, as every count
    // of the league reads it; NoTeam when it names none of the 20.
    static TeamNo teamOfLetterField(QStringView field);
    // Whether a record names a team of the league on both sides. Anything
    // else (no result, a damaged line, a letter outside A..T) counts for
    // nobody, in every count of the league.
    static bool namesLeagueTeams(QStringView homeLetter, QStringView awayLetter);
    bool namesLeagueTeams() const { return namesLeagueTeams(fields[HomeLetter], fields[AwayLetter]); }
    const QString &operator[](Field f) const { return fields[f]; }
    QString &operator[](Field f) { return fields[f]; }
};
