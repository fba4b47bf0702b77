#include "team/ui/statisticscells.h"

#include "shared/ui/windowstyle.h"
#include "standings/core/displayedstandings.h"
#include "standings/core/tableexport.h"
#include "standings/core/tablereading.h"

#include <QEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableWidget>
#include <QTextDocument>

namespace statisticscells {

namespace {

namespace texts {
const QString Victory = QStringLiteral("victoire");
const QString Draw = QStringLiteral("nul");
const QString Defeat = QStringLiteral("défaite");
const QString AtHome = QStringLiteral("à domicile");
const QString AwayFrom = QStringLiteral("à l'extérieur");
const QString NoMatch = QStringLiteral("%1 : pas de match");
const QString FormMark = QStringLiteral("%1, journée %2 : %3 %4-%5 contre %6, %7");
const QString FormName = QStringLiteral("%1 : forme %2");
const QString FormPoints = QStringLiteral("%1 : %2 point%3 sur les %4 derniers matches");
const QString Team = QStringLiteral("Équipe");
const QString Points = QStringLiteral("Pts");
const QString NumberCell = QStringLiteral("%1 de %2 : %3");
const QString WithAdjustment = QStringLiteral("%1 ; avec les bonus - malus : %2");
const QString Played = QStringLiteral("%1 - %2 : %3, journée %4");
const QString NotPlayed = QStringLiteral("%1 - %2 : pas de résultat, journée %3");
const QString NoFixture = QStringLiteral("%1 - %2 : pas de match");
const QString RunCell = QStringLiteral("%1, %2 : série en cours %3, plus longue %4");
const QString Series = QStringLiteral("%1 : %2");
const QString Unknown = QStringLiteral("-");
const QString FormColumn = QStringLiteral("Match %1 sur %2");
const QString Oldest = QStringLiteral("Match %1 sur %2, le plus ancien");
const QString Newest = QStringLiteral("Match %1 sur %2, le plus récent");
const QString PointsColumn = QStringLiteral("Points");
} // namespace texts

// A table out of sight has no current cell: screen readers would take it
// for the focus, in a closed view or on a page in the background.
class ForgetCurrentWhenHidden final : public QObject
{
public:
    explicit ForgetCurrentWhenHidden(QTableWidget *table)
        : QObject(table)
        , m_table(table)
    {
        table->installEventFilter(this);
    }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_table && event->type() == QEvent::Hide && m_table->selectionModel())
            m_table->selectionModel()->clearCurrentIndex();
        return QObject::eventFilter(watched, event);
    }

private:
    QTableWidget *m_table;
};

const QColor White(palette::White);
const QColor Black(palette::Black);

// Changes what differs only: most cells keep their look from one choice to
// the next.
void setCell(QTableWidget *table, int row, int column, const QString &text, const QColor &background,
             const QColor &foreground, const QString &spoken, Qt::Alignment alignment = Qt::AlignCenter)
{
    QTableWidgetItem *item = table->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        table->setItem(row, column, item);
    }
    if (item->text() != text)
        item->setText(text);
    if (item->background().color() != background || item->background().style() != Qt::SolidPattern)
        item->setBackground(background);
    if (item->foreground().color() != foreground)
        item->setForeground(foreground);
    if (item->data(Qt::AccessibleTextRole).toString() != spoken) {
        item->setData(Qt::AccessibleTextRole, spoken);
        item->setToolTip(windowstyle::plainToolTip(spoken));
    }
    if (item->textAlignment() != int(alignment))
        item->setTextAlignment(alignment);
}

// The name screen readers give a column whose heading is short or empty.
void setSpokenHeader(QTableWidget *table, int column, const QString &spoken)
{
    QTableWidgetItem *header = table->horizontalHeaderItem(column);
    if (header && header->data(Qt::AccessibleTextRole).toString() != spoken)
        header->setData(Qt::AccessibleTextRole, spoken);
}

void setColumns(QTableWidget *table, const QStringList &headers)
{
    if (table->columnCount() != headers.size())
        table->setColumnCount(int(headers.size()));
    for (int c = 0; c < headers.size(); ++c) {
        QTableWidgetItem *header = table->horizontalHeaderItem(c);
        if (!header || header->text() != headers[c])
            table->setHorizontalHeaderItem(c, new QTableWidgetItem(headers[c]));
    }
}

QString outcomeWord(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Won:
        return texts::Victory;
    case Outcome::Drawn:
        return texts::Draw;
    case Outcome::Lost:
        break;
    }
    return texts::Defeat;
}

QColor outcomeColour(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Won:
        return QColor(Won);
    case Outcome::Drawn:
        return QColor(Drawn);
    case Outcome::Lost:
        break;
    }
    return QColor(Lost);
}

QString plural(int n)
{
    return qAbs(n) >= 2 ? QStringLiteral("s") : QString();
}

} // namespace

QTableWidget *table(QWidget *parent, const QString &name, int rows, const QStringList &headers)
{
    auto *table = new QTableWidget(rows, int(headers.size()), parent);
    table->setObjectName(name);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setTabKeyNavigation(false); // Tab leaves the table; the arrows move in it
    table->verticalHeader()->setVisible(false);
    table->verticalHeader()->setDefaultSectionSize(20);
    table->horizontalHeader()->setHighlightSections(false);
    table->setWordWrap(false);
    setColumns(table, headers);
    new ForgetCurrentWhenHidden(table);
    return table;
}

void fillForm(QTableWidget *table, const formguide::Guide &guide, const Season &season)
{
    QStringList headers{texts::Team};
    for (int k = 1; k <= guide.last; ++k)
        headers << QString();
    headers << texts::Points;
    setColumns(table, headers);
    // The marks' columns show no heading; they are told by their place.
    for (int k = 1; k <= guide.last; ++k) {
        const QString &spoken = guide.last > 1 && k == 1            ? texts::Oldest
                                : guide.last > 1 && k == guide.last ? texts::Newest
                                                                    : texts::FormColumn;
        setSpokenHeader(table, k, spoken.arg(QString::number(k), QString::number(guide.last)));
    }
    setSpokenHeader(table, guide.last + 1, texts::PointsColumn);
    for (int r = 0; r < TeamCount; ++r) {
        const formguide::Row &row = guide.rows[r];
        setCell(table, r, 0, row.name, White, Black, texts::FormName.arg(row.name, row.letters()),
                Qt::AlignLeft | Qt::AlignVCenter);
        // The newest mark stands in the last column, whatever the count.
        const int empty = guide.last - int(row.matches.size());
        for (int k = 0; k < guide.last; ++k) {
            if (k < empty) {
                setCell(table, r, 1 + k, QString(), White, Black, texts::NoMatch.arg(row.name));
                continue;
            }
            const formguide::Match &m = row.matches[std::size_t(k - empty)];
            // Names go in with the numbers in one step: a "%" in a name stays as it is.
            const QString spoken =
                texts::FormMark.arg(row.name, QString::number(m.day), outcomeWord(m.outcome),
                                    QString::number(m.goalsFor), QString::number(m.goalsAgainst),
                                    season.teamName(m.opponent), m.atHome ? texts::AtHome : texts::AwayFrom);
            setCell(table, r, 1 + k, QString(outcomeLetter(m.outcome)), outcomeColour(m.outcome), White, spoken);
        }
        setCell(table, r, guide.last + 1, QString::number(row.points), White, Black,
                texts::FormPoints.arg(row.name, QString::number(row.points), plural(row.points),
                                      QString::number(guide.last)));
    }
    table->resizeColumnsToContents();
}

void fillRange(QTableWidget *table, const rangetable::Table &ranking, const QStringList &titles,
               const BonusMalus *adjustments)
{
    // The zones are marked on the general table once some match counts, as
    // on the main table; elsewhere they would mean nothing.
    bool zones = false;
    for (const rangetable::Row &row : ranking.rows)
        zones = zones || (adjustments && row.played > 0);
    for (int r = 0; r < TeamCount; ++r) {
        const rangetable::Row &row = ranking.rows[r];
        const ZoneMark zone = zones ? zoneOfRank(row.rank) : ZoneMark::None;
        const QColor zoneColour(tableexport::zoneColour(zone));
        const QString rank = QString::number(row.rank);
        QString spoken = tablereading::rowName(rank, row.name, row.points, QString::number(row.points));
        if (zone != ZoneMark::None)
            spoken += QStringLiteral(". %1 (%2)").arg(zoneToolTip(zone), tablereading::zoneMark(zone));
        setCell(table, r, 0, rank, zoneColour, Black, spoken);
        setCell(table, r, 1, row.name, zoneColour, Black, spoken, Qt::AlignLeft | Qt::AlignVCenter);
        const int numbers[] = {row.points, row.played,   row.won,          row.drawn,
                               row.lost,   row.goalsFor, row.goalsAgainst, row.goalDifference()};
        for (int c = 0; c < int(std::size(numbers)); ++c) {
            if (r == 0)
                setSpokenHeader(table, 2 + c, titles.value(c));
            const QString value = QString::number(numbers[c]);
            QString cellSpoken = texts::NumberCell.arg(titles.value(c), row.name, value);
            if (c == 0 && adjustments && row.team >= 0 && row.team < TeamCount && (*adjustments)[row.team] != 0) {
                StandingRow adjusted;
                adjusted.points = float(row.points) + (*adjustments)[row.team];
                cellSpoken = texts::WithAdjustment.arg(cellSpoken, adjusted.pointsText());
            }
            setCell(table, r, 2 + c, value, White, Black, cellSpoken);
        }
    }
    table->resizeColumnsToContents();
}

void fillMatrix(QTableWidget *table, const resultsmatrix::Matrix &matrix)
{
    QStringList rows;
    for (TeamNo team = 0; team < TeamCount; ++team)
        rows << QString::number(team + 1) + QLatin1Char(' ') + matrix.names[team];
    table->setVerticalHeaderLabels(rows);
    for (TeamNo home = 0; home < TeamCount; ++home) {
        for (TeamNo away = 0; away < TeamCount; ++away) {
            const resultsmatrix::Cell &cell = matrix.cells[home][away];
            const QString &h = matrix.names[home];
            const QString &a = matrix.names[away];
            QString spoken;
            if (home == away)
                spoken = h;
            else if (cell.played)
                spoken = texts::Played.arg(h, a, cell.text, QString::number(cell.matchDay));
            else if (cell.matchDay > 0)
                spoken = texts::NotPlayed.arg(h, a, QString::number(cell.matchDay));
            else
                spoken = texts::NoFixture.arg(h, a);
            const QColor background = home == away ? QColor(palette::statistics::SameTeam) : White;
            setCell(table, home, away, cell.text, background, Black, spoken);
        }
        // The columns show numbers; they are read by the away team's name.
        if (QTableWidgetItem *header = table->horizontalHeaderItem(home))
            header->setToolTip(windowstyle::plainToolTip(matrix.names[home]));
        setSpokenHeader(table, home, matrix.names[home]);
    }
}

void fillRuns(QTableWidget *table, const streaks::Streaks &runs)
{
    for (int r = 0; r < TeamCount; ++r) {
        const streaks::Row &row = runs.rows[r];
        setCell(table, r, 0, row.name, White, Black, row.name, Qt::AlignLeft | Qt::AlignVCenter);
        for (int k = 0; k < streaks::KindCount; ++k) {
            const streaks::Run &run = row.runs[k];
            const QString spoken = texts::RunCell.arg(row.name, streaks::headings()[k].toLower(),
                                                      QString::number(run.current), QString::number(run.longest));
            const QString shown = QString::number(run.current) + QStringLiteral(" / ") + QString::number(run.longest);
            setCell(table, r, 1 + k, shown, White, Black, spoken);
        }
    }
    table->resizeColumnsToContents();
}

QString evolutionDescription(const std::vector<rankevolution::Series> &series)
{
    const MatchDayNo last = rankevolution::lastKnownMatchDay(series);
    QStringList parts;
    for (const rankevolution::Series &s : series) {
        QStringList ranks;
        for (MatchDayNo day = 1; day <= last; ++day) {
            const int rank = s.ranks[day - 1];
            ranks << (rank > 0 ? QString::number(rank) : texts::Unknown);
        }
        parts << texts::Series.arg(s.name, ranks.join(QStringLiteral(", ")));
    }
    return parts.join(QStringLiteral(" ; "));
}

} // namespace statisticscells
