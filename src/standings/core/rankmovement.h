#pragma once

#include "standings/core/displayedstandings.h"

#include <QString>

#include <array>

struct RankMovements
{
    std::array<Movement, TeamCount> movement{};
    std::array<QString, TeamCount> text; // "+2", "-1", "="
};

// How each team moved between two orders of the league (team names from rank
// 1 down), placed on the rows of the later order.
RankMovements rankMovements(const std::array<QString, TeamCount> &previous,
                            const std::array<QString, TeamCount> &current);
