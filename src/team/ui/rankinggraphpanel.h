#pragma once

#include "team/core/rankinghistory.h"

#include <QFrame>
#include <QPixmap>
#include <QStringList>

#include <array>

class QCheckBox;
class QLabel;
class QListWidget;

// The ranking graph `Frame4`: one bar `LabGraph` per match day over the
// numbers `LabJR`, the team list `List4`, the title `Label13`, the crest
// `Image4` and the box `Check3` for the simulated match days. It draws the
// bars it is given and reports the user's choices.
class RankingGraphPanel : public QFrame
{
    Q_OBJECT
public:
    explicit RankingGraphPanel(QWidget *parent = nullptr);

    QCheckBox *simulated() const { return m_simulated; }
    // "Chargement..." in the title while the history is built.
    void showLoading();
    // Fills the team list unless it already holds the teams.
    void setTeams(const QStringList &teams);
    void selectTeam(int team); // without announcing it
    int selectedTeam() const;
    QString selectedName() const;
    // Draws the bars that have a value; the others keep what they show.
    void drawBars(const std::array<std::optional<GraphBar>, MatchDayCount> &bars, const QString &title,
                  const QPixmap &crest);

signals:
    void teamChosen(int team);
    void simulatedClicked();

private:
    QListWidget *m_teams = nullptr;
    QLabel *m_title = nullptr;
    QLabel *m_crest = nullptr;
    QCheckBox *m_simulated = nullptr;
    std::array<QLabel *, MatchDayCount> m_bars{};
    std::array<QLabel *, MatchDayCount> m_days{};
};
