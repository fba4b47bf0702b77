#pragma once

#include "shell/ui/featureinterfaces.h"

#include <QObject>
#include <QPoint>

class CommandButtons;
class MatchGrid;
class MonthCalendarView;
class Prompt;
class QLabel;
class QPushButton;
class QWidget;
class Session;

// The match days and results entry: the match-day area (`Frame7`: header,
// match grid, the day's totals, "Valider" and the count of match days due)
// and the month calendar of the side column. It shows a match day or a
// team's season from the store, saves what the volunteer types through the
// store's save, and keeps typed results from being dropped unasked: whether
// some wait is the application state's (AppState::unsavedEntries), which
// "Valider" renders.
class MatchDayController : public QObject, public MatchDayNavigator
{
    Q_OBJECT
public:
    struct Needs
    {
        Session &session;
        Prompt &prompt;
        CommandButtons &buttons; // makes "Valider"
        CommandRunner &commands; // Enter saves as "Valider" does
        Ranking &ranking;        // marks the movements of the match day saved
        TeamPanels &teams;       // the summary of the team under the pointer
        QWidget &area;           // Frame7, which the controller fills
        QWidget &sideColumn;     // where the month calendar stands,
        QPoint monthsAt;         // ...and at which point
    };

    explicit MatchDayController(const Needs &needs, QObject *parent = nullptr);

    void showCurrentMatchDay() override;
    void showMatchDay(MatchDayNo day) override;
    void showTeamSeason(const QString &team) override;
    void markSecondTeam(const QString &team) override;
    void setGridHeader(const QString &text) override;
    void clearDayTotals() override;
    bool matchDayShown() const override;
    bool settleUnsavedEntries() override;
    void markChangedFixtures(const QHash<QString, QString> &notes) override;

    // "Valider": the typed rows with a home score go into the store.
    void saveEnteredResults();
    // The month captions, from the season's first match day to its end.
    void showMonths();
    void resetMonthHover();

signals:
    // A match day is about to replace whatever the area showed: the panels
    // over it and the table's sorts make way.
    void matchDayShowing();
    // A team's season is about to fill the grid.
    void teamSeasonShowing();
    // The volunteer chose a match day on the month calendar.
    void calendarDayChosen();

private:
    void buildArea();
    // The grid on display drawn again from the store, in place: another
    // program changed the results. Typed results waiting keep it as it is.
    void redrawFromStore();
    void drawMatchDay(MatchDayNo day);
    void previewMonth(int k);
    void summariseHovered(const QString &team, bool onName);

    Needs m_needs;
    MatchGrid *m_grid = nullptr;
    MonthCalendarView *m_months = nullptr;
    QLabel *m_header = nullptr;    // Label1
    QLabel *m_dayTotals = nullptr; // Label26
    QLabel *m_due = nullptr;       // Label25: the plain number of match days due
    QPushButton *m_save = nullptr; // "Valider"
    QString m_shownTeam;           // the team whose season the grid shows, if any
};
