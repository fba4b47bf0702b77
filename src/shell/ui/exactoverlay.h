#pragma once

#include "standings/core/outlookrunner.h"
#include "standings/core/standingsengine.h"

#include <QObject>
#include <QString>

#include <vector>

class QCheckBox;
class QPushButton;
class Session;
class StandingsTable;

// The exact variant of the reachable-rank overlay, chosen with the "Calcul
// exact" check box beside the overlay's button: each team's best and worst
// final rank over the fixtures left, with what it has clinched or lost in the
// cell's tool tip. The window decides when the overlay shows; this fills it
// for the ranking on display, at once from a kept answer, or after a short
// "Calcul…" from the worker thread; a range the solver could not finish in
// its time shows its proven bounds, marked, with the reason in its tool tip.
// A solve stops as soon as its table is no longer on display, or the window
// goes. It owns no data: the question is read from the session each time.
class ExactOverlay : public QObject
{
    Q_OBJECT
public:
    // The check box takes the right end of `button`'s row, which shortens.
    ExactOverlay(Session &session, StandingsTable &table, QPushButton *button);

    bool enabled() const;
    // Fills the overlay for the ranking on display (not a sort by one statistic).
    void show();
    // The overlay shows something else or nothing: an answer on its way is dropped.
    void cancel();
    OutlookRunner &runner() { return *m_runner; }

signals:
    void toggled();
    // The exact answer makes the leader of the table on display champion.
    void championClinched(const QString &leader);

private:
    void fill(const OutlookProblem &problem, const std::vector<RankRange> &ranges);
    bool stillDisplayed() const;

    Session &m_session;
    StandingsTable &m_table;
    QCheckBox *m_check = nullptr;
    OutlookRunner *m_runner = nullptr;
    Standings m_asked; // the ranking whose question was asked last
};
