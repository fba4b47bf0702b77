#include "team/core/creststrip.h"

void CrestStrip::arrange(const QList<TeamNo> &order, int crestWidth)
{
    m_crestLeft = filled();
    int x = 0;
    int lastLeft = 0;
    for (TeamNo team : order) {
        if (team < 0 || team >= TeamCount)
            continue;
        m_crestLeft[team] = x;
        lastLeft = x;
        x += crestWidth + Gap;
    }
    m_width = lastLeft + crestWidth + 10;
    m_left = StartLeft;
}

QList<TeamNo> CrestStrip::teamsInBand() const
{
    QList<TeamNo> teams;
    for (TeamNo team = 0; team < TeamCount; ++team) {
        if (!isPlaced(team))
            continue;
        const int x = m_left + m_crestLeft[team];
        if (x > BandLow && x < BandHigh)
            teams << team;
    }
    return teams;
}
