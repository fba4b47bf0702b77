#pragma once

#include "season/core/resultstore.h"
#include "season/core/season.h"
#include "team/core/rankevolution.h"

#include <QFrame>

#include <array>
#include <functional>
#include <initializer_list>

class QComboBox;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QTableWidget;
class RankEvolutionChart;

// The "Statistiques" view: the form guide, the tables of a range of match
// days (all matches, home or away), the results matrix, the runs and the
// rank evolution of a few chosen teams. It owns its widgets and the user's
// choices, computes the page on display from the sources it is given (the
// same functions the command line prints) and renders it; it writes no data.
// A click on a matrix cell asks, through matchDayRequested, for that
// fixture's match day; Escape or "Fermer" hides the view (closed).
class StatisticsView : public QFrame
{
    Q_OBJECT
public:
    struct Sources
    {
        const Season &season;
        const ResultStore &store;
        const BonusMalus &bonusMalus;
        // The ranking history of the bar graph, brought up to date by its
        // owner when asked.
        std::function<const RankingHistory &()> history;
    };

    enum class Page { Form, Tables, Matrix, Runs, Evolution };

    explicit StatisticsView(Sources sources, QWidget *parent = nullptr);

    // The last match day counted by the form guide, the matrix and the runs;
    // the tables start again on match days 1 to it.
    void setMatchDay(MatchDayNo day);
    MatchDayNo matchDay() const;
    void showPage(Page page);
    Page page() const;
    // Computes the page on display again (the results may have changed).
    void refresh();

signals:
    void matchDayRequested(int matchDay);
    void closed();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildHeader();
    void buildFormPage();
    void buildTablesPage();
    void buildMatrixPage();
    void buildRunsPage();
    void buildEvolutionPage();

    void renderForm();
    void renderTables();
    void renderMatrix();
    void renderRuns();
    void renderEvolution();
    void fillTeamLists();
    void renderPage(int index);
    void pageStale(std::initializer_list<Page> pages);
    void matrixCellChosen(int row, int column);
    void setRange(MatchDayNo from, MatchDayNo to);
    void closeView();

    Sources m_sources;
    std::array<bool, 5> m_stale{true, true, true, true, true};

    QSpinBox *m_matchDay = nullptr;
    QPushButton *m_close = nullptr;
    QTabWidget *m_tabs = nullptr;

    QSpinBox *m_last = nullptr;
    QTableWidget *m_form = nullptr;

    QRadioButton *m_all = nullptr;
    QRadioButton *m_home = nullptr;
    QRadioButton *m_away = nullptr;
    QSpinBox *m_from = nullptr;
    QSpinBox *m_to = nullptr;
    QTableWidget *m_range = nullptr;

    QTableWidget *m_matrix = nullptr;
    std::array<std::array<MatchDayNo, TeamCount>, TeamCount> m_cellDays{}; // [home][away], 0 for none

    QTableWidget *m_runs = nullptr;

    std::array<QComboBox *, rankevolution::MaxTeams> m_teams{};
    bool m_teamsChosen = false;
    RankEvolutionChart *m_chart = nullptr;
};
