#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// Team numbers 0..19 follow the order of the EQU lines; letters "A".."T"
// name the teams in fixture codes and in the results store.
constexpr int TeamCount = 20;
constexpr int MatchDayCount = 38;
constexpr int FixturesPerMatchDay = 10;
constexpr int FixtureCount = 380;
constexpr int NoTeam = 20; // what name lookups answer when no team matches

using TeamNo = int;
using MatchDayNo = int;

// The fixed frame of the season: team names, match-day dates and the fixture
// list in match-day order. Filled once at start-up from the season file and
// read-only afterwards; nothing writes it back.
class Season
{
public:
    // Parses the season file (Windows-1252, or UTF-8 after a byte-order mark;
    // any line ending). Lines that do not fit a table are skipped; loading
    // never fails on content.
    static Season fromBytes(const QByteArray &bytes);
    // A season file holds a few hundred short lines: a larger file is not one.
    static constexpr qint64 MaxFileBytes = 1024 * 1024;
    // Empty when the file cannot make a season: missing, not a regular file,
    // unreadable, larger than MaxFileBytes, or without a team or a fixture.
    // `problem`, when given, then receives the French reason: "Absence du
    // fichier 2013.txt", "Impossible de lire 2013.txt : ...", "2013.txt ne
    // contient aucune équipe"...
    [[nodiscard]] static std::optional<Season> load(const QString &path, QString *problem = nullptr);

    // The season's title line, the file's first line ("Kestrane 1, saison
    // 2013-2014"); empty when the file starts with a table.
    QString title() const { return m_title; }
    QString teamName(TeamNo team) const; // empty outside 0..19
    static QChar teamLetter(TeamNo team) { return QChar(65 + team); }
    static TeamNo teamNoOfLetter(QChar letter) { return letter.unicode() - 65; }
    TeamNo teamNoOfName(const QString &name) const; // NoTeam when none matches
    QChar teamLetterOfName(const QString &name) const { return teamLetter(teamNoOfName(name)); }
    QString teamNameOfLetter(QChar letter) const { return teamName(teamNoOfLetter(letter)); }
    int teamCount() const { return m_teamCount; }

    QDate matchDayDate(MatchDayNo day) const; // invalid when unset or out of range

    // CalendarEntry of fixture 1..380: "01|00|AB". Empty when out of range.
    QString calendarEntry(int fixtureNo) const;
    int fixtureCount() const { return m_fixtureCount; }
    // Fixture codes ("AB") of one match day, in file order.
    QStringList fixtureCodes(MatchDayNo day) const;

    // FixtureKey "0100": the match day's two digits then the match index's two.
    static QString fixtureKey(MatchDayNo day, int matchIndex);
    QString fixtureKey(int fixtureNo) const;

    // Number of match days whose date has passed: the first match day still
    // to come, minus one. When every date has passed the previous count
    // stays, as the program always kept its last value.
    int dueMatchDays(const QDateTime &now, int previous) const;

private:
    QString m_title;
    std::array<QString, TeamCount + 1> m_teams;
    std::array<QDate, MatchDayCount + 1> m_dates;
    std::array<QString, FixtureCount + 1> m_calendar;
    std::array<QStringList, MatchDayCount + 1> m_codes;
    int m_teamCount = 0;
    int m_fixtureCount = 0;
};
