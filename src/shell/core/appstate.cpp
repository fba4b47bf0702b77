#include "shell/core/appstate.h"

void AppState::setFavouriteTeam(const QString &team)
{
    m_favourite = team;
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

void AppState::setAutoUpdate(bool on)
{
    if (on == m_autoUpdate)
        return;
    m_autoUpdate = on;
    emit autoUpdateChanged(on);
}

void AppState::setHighlightFavourite(bool on)
{
    if (on == m_highlight)
        return;
    m_highlight = on;
    emit highlightFavouriteChanged(on);
}

void AppState::setUnsavedEntries(bool waiting)
{
    if (waiting == m_unsaved)
        return;
    m_unsaved = waiting;
    emit unsavedEntriesChanged(waiting);
}

void AppState::setSummaryTeam(const QString &team)
{
    if (team == m_summaryTeam)
        return;
    m_summaryTeam = team;
    emit summaryTeamChanged(team);
}

void AppState::setSendingOffered(bool offered)
{
    if (offered == m_sendingOffered)
        return;
    m_sendingOffered = offered;
    emit sendingOfferedChanged(offered);
}
