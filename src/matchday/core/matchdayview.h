#pragma once

#include "matchday/core/gridrow.h"
#include "season/core/season.h"
#include "shared/core/palette.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

class ResultStore;

// What the match-day view shows for one match day: the header naming the day
// and how far it is from now, the ten fixtures with their stored scores and
// cards, and the day's goals and cards. The window renders it; the command
// line prints it.
struct MatchDayView
{
    MatchDayNo day = 0;
    QString header;
    quint32 headerColour = 0;
    QList<GridRow> rows;
    int goals = 0;
    int yellowCards = 0;
    int redCards = 0;
    QStringList dayTotals; // the three lines under the grid
};

namespace matchday {

constexpr quint32 ComingColour = palette::calendar::Coming;
constexpr quint32 PastColour = palette::calendar::Past;
constexpr quint32 TodayColour = palette::calendar::Today;

struct Header
{
    QString text;
    quint32 colour = 0;
};

// "Journée N°12: Samedi 26 Octobre.  Dans 3 jours": the date in French with
// capitalised words, then how many days are left (halves to the even
// neighbour), nothing once it is past, " Aujourd'hui !" on the day itself.
Header header(MatchDayNo day, const QDate &date, const QDateTime &now);

// The match day the view opens on: the first one whose date plus four days
// is still ahead, so a match day stays on show until the end of its third
// day after; match day 38 once the season is over.
MatchDayNo currentMatchDay(const Season &season, const QDateTime &now);

// The return leg of a first-half fixture ("Retour le: 15 02 14"), or the
// first-leg score seen from the home side of a second-half one ("(1-2)").
QString returnLegInfo(const Season &season, const ResultStore &store, MatchDayNo day, QChar homeLetter,
                      QChar awayLetter);

QStringList dayTotalsText(int goals, int yellowCards, int redCards);

// Reads the match day's fixtures from the store. An out-of-range day gives
// an empty view (day 0).
MatchDayView build(const Season &season, const ResultStore &store, MatchDayNo day, const QDateTime &now,
                   const QString &favouriteTeam);

} // namespace matchday
