#pragma once

#include "matchday/core/gridrow.h"
#include "season/core/matchrecord.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

class QValidator;

#include <array>
#include <utility>

class GridBox;
class InfoCell;
class QLineEdit;

// The 38 rows of boxes shared by the match-day view, the team season view and
// results entry: team names, scores, cards, the row's fixture key and a line
// of information. The rows show what a view computed and take what the
// volunteer types, following the entry rules as they type; the results store
// stays the owner of every result.
class MatchGrid : public QWidget
{
    Q_OBJECT
public:
    static constexpr int RowCount = 38;

    struct Row
    {
        QLineEdit *nm = nullptr; // fixture key of the row, never shown
        InfoCell *infoM = nullptr;
        GridBox *t1 = nullptr, *r1 = nullptr, *r2 = nullptr, *t2 = nullptr;
        GridBox *cr1 = nullptr, *cj1 = nullptr, *cj2 = nullptr, *cr2 = nullptr;
        QChar homeLetter, awayLetter;
    };

    explicit MatchGrid(QWidget *parent = nullptr);

    const Row &row(int k) const { return m_rows.at(k); }

    // Shows the rows of a view from the top; the rows below are emptied and
    // hidden, so nothing left from an earlier view can be saved by mistake.
    void showRows(const QList<GridRow> &rows);
    int shownRowCount() const { return m_shown; }
    // Bottom edge of the last row shown, in the grid's pixels.
    int shownBottom() const;

    // The fixture key and the record of every row on show, boxes as typed.
    QList<std::pair<QString, MatchRecord>> typedRows() const;
    // Only the rows whose boxes differ from what the grid last drew or saved.
    // The others are not the volunteer's: the store may have moved on under
    // them (another program's write while typed results waited).
    QList<std::pair<QString, MatchRecord>> editedRows() const;
    // After a save the card boxes come back to rest: a yellow card without a
    // red one in the outer slot, each box shown when it holds something. The
    // rows of `unsaved` (fixture keys) stay as they were typed.
    void layCardsAtRest(const QStringList &unsaved = {});
    // Marks the names of a second team where it appears, after taking the mark
    // off the previous second team.
    void markSecondTeam(const QString &team);
    // Notes on fixtures, by fixture key: their rows carry a mark on the
    // information cell in every view until the notes are replaced.
    void setFixtureNotes(const QHash<QString, QString> &notes);

signals:
    // A score or a card count was typed.
    void edited();
    // The pointer reached a team's name (`onName`) or score.
    void teamHovered(const QString &team, bool onName);
    // Enter in any box: save what was typed.
    void enterPressed();

protected:
    // Tab and Shift+Tab walk the boxes in reading order, row after row, and
    // leave the grid past its first and last box.
    bool focusNextPrevChild(bool next) override;

private:
    Row makeRow(int k);
    void connectRow(int k);
    void scoreEdited(int k);
    void cardEdited(GridBox *box);
    void openCards(int k);
    void applyCardLayout(int k, const entry::CardLayout &layout);
    void fitNames(int k);
    void applyLook(GridBox *name, const entry::NameLook &look);
    QList<GridBox *> tabOrder(int k) const;
    void nameBoxes(int k, const QString &home, const QString &away);

    std::array<Row, RowCount> m_rows;
    QValidator *m_storable = nullptr; // shared by every entry box
    int m_shown = 0;
    QHash<QString, MatchRecord> m_drawn; // each row's boxes as last drawn or saved, by fixture key
    QHash<QString, QString> m_notes;
    QList<GridBox *> m_secondTeamNames; // the names marked by markSecondTeam
};
