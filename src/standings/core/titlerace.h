#pragma once

#include "standings/core/displayedstandings.h"

#include <QString>

#include <array>

// The best rank each team of the table can still reach by winning every
// match it has left, measured against the other teams' current scores (not
// their own matches to come), and the leader's title once nobody else can
// reach first place.
struct ReachableRanks
{
    // Best reachable rank of the team on each row of the table, 1..20.
    std::array<int, TeamCount> rank{};
    bool champion = false;
    QString championTitle;   // "Félicitations !!!"
    QString championMessage; // "<leader> est champion de Kestrane 1 2014 !!!"
};

inline const QString ReachableTitle = QStringLiteral("Classement  encore accessible");
inline const QString ChampionTitle = QStringLiteral("Félicitations !!!");
// The announcement of the champion, whichever rule decided it.
QString championMessage(const QString &leader);

ReachableRanks computeReachableRanks(const DisplayedStandings &shown);
