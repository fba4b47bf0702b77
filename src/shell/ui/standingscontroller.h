#pragma once

#include "shell/ui/featureinterfaces.h"

#include <QObject>

class CommandButtons;
class ExactOverlay;
class MatchDayPicker;
class Pictures;
class Prompt;
class QCheckBox;
class QFrame;
class QWidget;
class Session;
class StandingsTable;

// The standings: the table with its league panels, the match-day picker, the
// sorts by one statistic (`Frame8`), the best reachable ranks with their exact
// variant, and the team row click with the lock of a second team (`Check2`).
// The session's standings model holds the table on display; this computes it
// and the table renders it.
class StandingsController : public QObject, public Ranking
{
    Q_OBJECT
public:
    struct Needs
    {
        Session &session;
        Prompt &prompt;
        Pictures &pictures;
        CommandButtons &buttons;     // makes the sorts' buttons; the reachable ranks' one is made
        CommandRunner &commands;     // a click on a rank opens the team card
        MatchDayNavigator &matchDay; // a team row lists the team's season
        TeamPanels &teams;           // the summary of the leader and of the row under the pointer
        QWidget &window;             // where the table and its panels stand
    };

    explicit StandingsController(const Needs &needs, QObject *parent = nullptr);

    StandingsTable &table() { return *m_table; }

    using Ranking::computeStandings;
    void computeStandings(MatchDayNo upTo, bool silent) override;
    void markRankMovement(int matchDay) override;
    // The ranking of every match day with the movements of the match days due.
    void showGeneralRanking();
    // The table sorted by one statistic ("BC", "BP", "FP", "GA", "MG", "MP", "MN").
    void sortByCriterion(const QString &code);
    // Shows the best reachable ranks beside the ranking on display, or takes them away.
    void showReachableRanks();
    void pickMatchDay(MatchDayNo day); // a click on the match-day picker
    void selectTeamRow(int row);       // a click on a team of the table
    void showMatchDayPicker();
    void hideMatchDayPicker();
    void resetPickerHover();
    void toggleClassifications();
    void hideClassifications();
    void unlockSecondTeam();
    void hideAheadBehind();

signals:
    // The match-day picker is about to open: the panels it would cover close.
    void pickerOpening();
    // A team row was chosen: the news line makes way.
    void teamRowChosen();

private:
    void buildClassifications();
    void buildExactOverlay();
    void showLeaderSummary(bool silent);
    // What every new ranking does to the rest of the window.
    void showNewRanking(bool silent);

    Needs m_needs;
    StandingsTable *m_table = nullptr;
    MatchDayPicker *m_picker = nullptr;
    QFrame *m_classifications = nullptr; // Frame8
    QCheckBox *m_lock = nullptr;         // Check2
    ExactOverlay *m_exact = nullptr;     // "Calcul exact" beside the reachable ranks command
    bool m_secondTeamLocked = false;     // Check2 ticked: a team row marks a second team
};
