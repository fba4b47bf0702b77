#pragma once

#include <QWidget>

#include <array>

class QLabel;
class QLineEdit;

// The 38 rows of boxes shared by the match-day view, the team season view and
// results entry: team names, scores, cards, the row's fixture key and a line
// of information. The rows only show and take text; the results store stays
// the owner of every result.
class MatchGrid : public QWidget
{
    Q_OBJECT
public:
    static constexpr int RowCount = 38;

    struct Row
    {
        QLineEdit *nm = nullptr; // fixture key of the row, never shown
        QLabel *infoM = nullptr;
        QLineEdit *t1 = nullptr, *r1 = nullptr, *r2 = nullptr, *t2 = nullptr;
        QLineEdit *cr1 = nullptr, *cj1 = nullptr, *cj2 = nullptr, *cr2 = nullptr;
    };

    explicit MatchGrid(QWidget *parent = nullptr);

    const Row &row(int k) const { return m_rows.at(k); }

private:
    Row makeRow(int k);

    std::array<Row, RowCount> m_rows;
};
