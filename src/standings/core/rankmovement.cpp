#include "standings/core/rankmovement.h"

RankMovements rankMovements(const std::array<QString, TeamCount> &previous,
                            const std::array<QString, TeamCount> &current)
{
    RankMovements moves;
    for (int j = 0; j < TeamCount; ++j) {
        for (int i = 0; i < TeamCount; ++i) {
            if (previous[i] != current[j])
                continue;
            if (j < i) {
                moves.movement[j] = Movement::Up;
                moves.text[j] = QLatin1Char('+') + QString::number(i - j);
            } else if (j > i) {
                moves.movement[j] = Movement::Down;
                moves.text[j] = QLatin1Char('-') + QString::number(j - i);
            } else {
                moves.movement[j] = Movement::Same;
                moves.text[j] = QStringLiteral("=");
            }
            break;
        }
    }
    return moves;
}
