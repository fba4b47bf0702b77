#pragma once

#include "season/core/resultstore.h"
#include "season/core/season.h"

#include <QString>
#include <QStringList>

#include <array>

// The cards given in the league, match day by match day, with the season's
// totals: a report rebuilt from the results store at each opening.
struct CardsReport
{
    std::array<int, MatchDayCount + 1> yellow{}; // by match day 1..38
    std::array<int, MatchDayCount + 1> red{};
    int totalYellow = 0;
    int totalRed = 0;

    // "Jour 03: Cj:7. CR:1" for each match day with a card, then the two
    // total lines.
    QStringList lines() const;
    QString text() const { return lines().join(QLatin1Char('\n')); }
};

CardsReport cardsPerMatchDay(const ResultStore &store);
