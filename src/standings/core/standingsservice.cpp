#include "standings/core/standingsservice.h"

#include "standings/core/standingsengine.h"

StandingsService::StandingsService(const Season &season, const ResultStore &store, const BonusMalus &bonusMalus,
                                   StandingsModel &model, QObject *parent)
    : QObject(parent)
    , m_season(season)
    , m_store(store)
    , m_bonusMalus(bonusMalus)
    , m_model(model)
{}

void StandingsService::computeStandings(MatchDayNo upTo, bool silent, const DisplayContext &context)
{
    const Standings standings = ::computeStandings(m_season, m_store, m_bonusMalus, upTo);
    m_model.setRankTags(standings);
    if (silent)
        return;
    // The ranking history measures its progress against the last ordinary
    // computation, which only this service has seen.
    DisplayContext shown = context;
    if (shown.historyInProgress && shown.referencePlayedSides == 0)
        shown.referencePlayedSides = m_referencePlayedSides;
    DisplayedStandings displayed = buildDisplayedStandings(standings, shown);
    displayed.stamp = m_store.stamp();
    if (!context.historyInProgress)
        m_referencePlayedSides = standings.playedSides;
    m_model.setDisplayed(displayed);
}
