#pragma once

#include "standings/core/displayedstandings.h"
#include "standings/core/outlook.h"
#include "standings/core/titlerace.h"
#include "standings/ui/standingscells.h"
#include "standings/ui/standingsgrid.h"

#include <QColor>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>
#include <functional>

class QFrame;
class QLabel;

// The standings table of the main window with the league panels around it:
// update stamp, ranking title, leader, goal totals, season progress and the
// teams ahead of or behind the calendar. It paints the DisplayedStandings it
// is given and reports what the user points at or clicks; the standings model
// owns the data, the copy kept here only answers "which team is on row i".
class StandingsTable : public QWidget
{
    Q_OBJECT
public:
    using CrestProvider = std::function<QPixmap(const QString &team)>;

    explicit StandingsTable(QWidget *parent = nullptr);

    void showStandings(const DisplayedStandings &standings);
    // Only the movement marks beside the rows, from the same value.
    void showMovements(const DisplayedStandings &standings);
    void setCrestProvider(CrestProvider provider);
    // Pictures of the movement marks: up, down, unchanged.
    void setMovementPictures(const std::array<QPixmap, 3> &pictures);

    // The best reachable rank beside each row, coloured like the name cell of
    // that rank, under its column title.
    void showReachable(const ReachableRanks &ranks);
    // The same cells showing each team's exact final-rank range ("2–7") with
    // what it has clinched or lost in the tool tip, coloured like the zone of
    // its best rank; and the cells while the ranges are being computed.
    void showRankRanges(const SeasonOutlook &outlook);
    void showRankRangesPending();
    void hideReachable();
    bool reachableShown() const;
    // The background the name cell of a row shows now.
    QColor nameCellColour(int row) const;

    void hideAheadBehind();
    // The stamp of the last update of the store, and the colour that tells
    // whether a download brought newer, older or the same results.
    void setStamp(const QString &text);
    void setStampColour(const QColor &colour);
    // The selection marks of the team row click: one name cell painted, the
    // others whitened or left as they are.
    void paintNameCell(int row, const QColor &colour, bool whitenOthers);
    // Paints the qualification and relegation rows and the favourite again.
    void markQualificationRows();

    // Default backgrounds of the statistic columns, which a sort by one
    // statistic paints over.
    void resetColumnColours();
    void paintColumns(const QStringList &objectNames, const QColor &colour);

    // The rank movement mark beside row 0..19, drawn by the movement marks;
    // nullptr outside the rows.
    QLabel *movementIcon(int row) const;
    QLabel *cell(const QString &column, int row) const { return m_cells.cell(column, row); }
    // The cells and their headers as one table the keyboard and screen
    // readers reach.
    StandingsGrid *grid() const { return m_grid; }

    // The tracking aid frames the hovered row with two rules and the hovered
    // column with a pair of markers.
    void setTrackingAid(bool enabled);
    bool trackingAid() const { return m_trackingAid; }
    void clearTrackingMarkers();
    // A panel that covers part of the table puts the row rules away.
    void hideRowRules();
    // The team the summary panel shows, so that hovering it does not ask again.
    void setSummaryTeam(const QString &team) { m_hoveredTeam = team; }

    QSize sizeHint() const override;

signals:
    void teamHovered(int row, const QString &team);
    void rankClicked(const QString &team);
    void nameClicked(int row);
    void leaderClicked();
    void goalsClicked();
    void stampClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void createPanels();
    void fillRow(int row, const DisplayedRow &shown);
    void prepareReachable();
    void setReachableCell(int row, const QString &text, const QColor &colour, const QString &toolTip);
    void markNameCells(const DisplayedStandings &standings);
    void showLeader(const QString &leader);
    void showProgress(double progress, const QString &text);
    void hoverRow(int row);
    void hoverColumn(QLabel *cell, StandingsCells::Kind kind);
    void hideMarkers();
    QString teamAt(int row) const;

    void cellActivated(int row, int column);

    StandingsGrid *m_grid = nullptr;
    StandingsCells &m_cells; // the grid's
    DisplayedStandings m_shown;
    CrestProvider m_crestProvider;

    QLabel *m_stamp = nullptr;
    QLabel *m_title = nullptr;
    QLabel *m_crest = nullptr;
    QLabel *m_leader = nullptr;
    QLabel *m_goals = nullptr;
    QFrame *m_progressFrame = nullptr;
    QLabel *m_progressBar = nullptr;
    QLabel *m_progressText = nullptr;
    QFrame *m_aheadBehindFrame = nullptr;
    QLabel *m_aheadBehind = nullptr;
    std::array<QFrame *, 2> m_rules{};
    std::array<QFrame *, 4> m_markers{};
    std::array<QLabel *, StandingsCells::Rows> m_reachable{}; // created when first shown
    QLabel *m_reachableTitle = nullptr;
    std::array<QPixmap, 3> m_movementPictures;

    bool m_trackingAid = false;
    QString m_hoveredTeam;  // last team sent to the summary panel
    QString m_markedColumn; // column the markers frame now
    int m_ruleWidth = 0;
};
