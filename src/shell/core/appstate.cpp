#include "shell/core/appstate.h"

void AppState::setFavouriteTeam(const QString &team)
{
    if (team == m_favourite)
        return;
    m_favourite = team;
    emit favouriteTeamChanged(team);
}

void AppState::setDueMatchDays(int due)
{
    if (due == m_due)
        return;
    m_due = due;
    emit dueMatchDaysChanged(due);
}

void AppState::setTrackingAid(bool on)
{
    if (on == m_trackingAid)
        return;
    m_trackingAid = on;
    emit trackingAidChanged(on);
}
