#pragma once

#include "team/core/teamcard.h"

#include <QFrame>
#include <QPixmap>
#include <QStringList>

#include <array>
#include <vector>

class QLabel;
class QListWidget;

// The team card `FraPlanning`: the team list `List9`, the 38 match rows in
// two columns and two halves, the five win/draw/defeat bars and the totals.
// It renders a TeamCard and reports the team the user picks; it keeps no
// data of its own. The rows are built at the first opening.
class TeamCardPanel : public QFrame
{
    Q_OBJECT
public:
    explicit TeamCardPanel(QWidget *parent = nullptr);

    bool isBuilt() const { return !m_rows.empty(); }
    // Fills the team list and creates the match rows.
    void build(const QStringList &teams);
    // Selects a team in the list without announcing it.
    void selectTeam(int team);
    int selectedTeam() const;
    void showCard(const TeamCard &card, const QPixmap &crest);

signals:
    // The user picked another team in the list.
    void teamChosen(int team);

private:
    struct Row
    {
        QWidget *line = nullptr;  // holds the row's boxes, so a repaint handles a few siblings at a time
        QFrame *marker = nullptr; // ShaRes
        QLabel *home = nullptr, *homeRed = nullptr, *homeYellow = nullptr, *homeGoals = nullptr;
        QLabel *awayGoals = nullptr, *away = nullptr, *awayYellow = nullptr, *awayRed = nullptr;
        QLabel *date = nullptr, *key = nullptr;
    };
    struct Bars
    {
        QFrame *frame = nullptr; // Pic
        QLabel *wins = nullptr, *draws = nullptr, *losses = nullptr;
    };

    void createLabels();
    void createBars();
    Row createRow(int index);
    void showRow(Row &row, int index, const CardRow *data);
    void showGroup(int group, const BarGroup &counts);

    QListWidget *m_teams = nullptr;
    QLabel *m_crest = nullptr;
    std::array<QLabel *, 13> m_labels{}; // Label29
    std::array<Bars, 5> m_bars;
    std::vector<Row> m_rows;
};
