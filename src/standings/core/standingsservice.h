#pragma once

#include "season/core/resultstore.h"
#include "standings/core/displayedstandings.h"

#include <QObject>

class Season;

// Runs a standings computation on the program's season, results store and
// points adjustments, and hands the outcome to the model on display. It owns
// none of them; the main window keeps them alive for the whole run.
class StandingsService : public QObject
{
    Q_OBJECT
public:
    StandingsService(const Season &season, const ResultStore &store, const BonusMalus &bonusMalus,
                     StandingsModel &model, QObject *parent = nullptr);

    // Counts match days 1..upTo (0: the whole season). The rank tags are set
    // in both modes; unless silent the displayed standings are replaced too.
    void computeStandings(MatchDayNo upTo, bool silent, const DisplayContext &context);

    // Played sides of the last computation shown outside the ranking history,
    // the reference the history's progress bar is measured against.
    int referencePlayedSides() const { return m_referencePlayedSides; }

private:
    const Season &m_season;
    const ResultStore &m_store;
    const BonusMalus &m_bonusMalus;
    StandingsModel &m_model;
    int m_referencePlayedSides = 0;
};
