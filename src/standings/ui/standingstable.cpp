#include "standings/ui/standingstable.h"

#include "shared/ui/twips.h"
#include "shared/ui/windowstyle.h"
#include "standings/ui/standingspalette.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace {

namespace P = StandingsPalette;
using Kind = StandingsCells::Kind;

constexpr int PanelGap = 8;
constexpr int CrestSize = 48;
constexpr int MarkerWidth = 2;
constexpr int RuleHeight = 2;
const int OutOfSight = twips(-10000);

QLabel *panelLabel(QWidget *parent, const char *name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

QFrame *lineFrame(QWidget *parent, const char *name, int index, QRgb colour)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(QLatin1String(name));
    frame->setProperty("index", index);
    windowstyle::setFillColour(frame, QColor(colour));
    // The lines lie over the cells; the cells keep receiving the mouse.
    frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    frame->hide();
    return frame;
}

bool isLeftClick(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::MouseButtonRelease)
        return false;
    auto *mouse = static_cast<QMouseEvent *>(event);
    auto *widget = static_cast<QWidget *>(watched);
    return mouse->button() == Qt::LeftButton && widget->rect().contains(mouse->position().toPoint());
}

QString number(int value)
{
    return QString::number(value);
}

} // namespace

StandingsTable::StandingsTable(QWidget *parent)
    : QWidget(parent)
    , m_grid(new StandingsGrid(this))
    , m_cells(m_grid->cells())
{
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);
    for (const QString &column : m_cells.columnNames()) {
        for (int row = 0; row < StandingsCells::Rows; ++row)
            m_cells.cell(column, row)->installEventFilter(this);
    }
    createPanels();
    m_ruleWidth = m_cells.width();
    setMinimumSize(sizeHint());
    // The keyboard on a row is the pointer on it: the summary panel follows.
    connect(m_grid, &StandingsGrid::currentCellChanged, this, [this](int row) { hoverRow(row); });
    connect(m_grid, &StandingsGrid::cellActivated, this, &StandingsTable::cellActivated);
}

void StandingsTable::cellActivated(int row, int column)
{
    // Enter on the rank or the movement mark opens the team's card, as their
    // click does; anywhere else on the row it chooses the team, as a click
    // on its name does.
    const Kind kind = StandingsCells::kindOf(m_grid->columnName(column));
    if (kind == Kind::Rank || kind == Kind::Icon) {
        if (!teamAt(row).isEmpty())
            emit rankClicked(teamAt(row));
        return;
    }
    emit nameClicked(row);
}

void StandingsTable::createPanels()
{
    // The league information sits under the table: stamp and title, then the
    // leader, the goal totals and the season progress, then the ahead/behind
    // panel across the whole width.
    const int width = m_cells.width();
    int top = m_cells.gridRect().bottom() + PanelGap;

    m_stamp = panelLabel(this, "LabMaj");
    m_stamp->setGeometry(0, top, 220, 20);
    m_stamp->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_stamp->installEventFilter(this);
    m_title = panelLabel(this, "Label12");
    m_title->setGeometry(230, top, width - 230, 20);
    windowstyle::setBold(m_title, true);
    top += 26;

    m_crest = panelLabel(this, "Image1");
    m_crest->setGeometry(0, top, CrestSize, CrestSize);
    m_crest->setScaledContents(true);
    m_crest->installEventFilter(this);
    m_leader = panelLabel(this, "Label9");
    m_leader->setGeometry(CrestSize + 6, top, 170, CrestSize);
    windowstyle::setBold(m_leader, true);
    m_leader->installEventFilter(this);

    int left = CrestSize + 6 + 176;
    m_goals = panelLabel(this, "Label19");
    m_goals->setGeometry(left, top, 230, CrestSize);
    m_goals->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_goals->installEventFilter(this);
    left += 236;
    const int progressWidth = width - left;

    m_progressFrame = new QFrame(this);
    m_progressFrame->setObjectName(QStringLiteral("Picture1"));
    m_progressFrame->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_progressFrame->setAutoFillBackground(true);
    m_progressFrame->setGeometry(left, top + (CrestSize - 18) / 2, progressWidth, 18);
    m_progressBar = panelLabel(m_progressFrame, "Label5");
    m_progressBar->setAutoFillBackground(true);
    windowstyle::setFillColour(m_progressBar, QColor(P::ProgressBar));
    m_progressText = panelLabel(m_progressFrame, "Label6");
    m_progressText->setAlignment(Qt::AlignCenter);
    m_progressText->setGeometry(0, 0, progressWidth, 18);
    showProgress(0, QString());
    top += CrestSize + 8;

    m_aheadBehindFrame = new QFrame(this);
    m_aheadBehindFrame->setObjectName(QStringLiteral("Frame11"));
    m_aheadBehindFrame->setFrameStyle(QFrame::Box | QFrame::Plain);
    windowstyle::setFillColour(m_aheadBehindFrame, QColor(P::AheadBehind));
    m_aheadBehindFrame->setGeometry(0, top, width, 52);
    m_aheadBehind = panelLabel(m_aheadBehindFrame, "Label28");
    m_aheadBehind->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_aheadBehind->setGeometry(m_aheadBehindFrame->rect().adjusted(4, 4, -4, -4));
    m_aheadBehindFrame->hide();

    for (int i = 0; i < 2; ++i)
        m_rules[i] = lineFrame(this, "LinHor", i, P::RowRule);
    for (int i = 0; i < 4; ++i)
        m_markers[i] = lineFrame(this, "FraLIM", i, i < 2 ? P::SideColumnMark : P::MainColumnMark);
    hideRowRules();
    hideMarkers();
}

QSize StandingsTable::sizeHint() const
{
    return QSize(m_cells.width(), m_aheadBehindFrame->geometry().bottom() + 1);
}

void StandingsTable::setCrestProvider(CrestProvider provider)
{
    m_crestProvider = std::move(provider);
}

void StandingsTable::resetColumnColours()
{
    m_cells.resetColumnColours();
}

void StandingsTable::paintColumns(const QStringList &objectNames, const QColor &colour)
{
    m_cells.paintColumns(objectNames, colour);
}

QLabel *StandingsTable::movementIcon(int row) const
{
    return m_cells.cell(QStringLiteral("ImEvol"), row);
}

void StandingsTable::showStandings(const DisplayedStandings &standings)
{
    m_shown = standings;
    // A new ranking always starts from the plain colours: a statistic painted
    // by an earlier sort must not survive it.
    m_cells.resetColumnColours();
    m_cells.paintColumns(standings.highlightedColumns, QColor(P::Sorted));
    for (int row = 0; row < StandingsCells::Rows; ++row)
        fillRow(row, standings.rows[row]);
    markNameCells(standings);
    showMovements(standings);

    m_stamp->setText(standings.stamp);
    m_title->setText(standings.title);
    m_grid->setAccessibleDescription(standings.title);
    showLeader(standings.leader);
    m_goals->setText(standings.goalsText);
    showProgress(standings.progress, standings.progressText);
    m_aheadBehind->setText(standings.aheadBehindText);
    m_aheadBehindFrame->setVisible(!standings.aheadBehindText.isEmpty());
}

void StandingsTable::showMovements(const DisplayedStandings &standings)
{
    for (int row = 0; row < StandingsCells::Rows; ++row) {
        const DisplayedRow &shown = standings.rows[row];
        m_shown.rows[row].movement = shown.movement;
        m_shown.rows[row].movementText = shown.movementText;
        QLabel *icon = movementIcon(row);
        switch (shown.movement) {
        case Movement::None:
            icon->clear();
            break;
        case Movement::Up:
            icon->setPixmap(m_movementPictures[0]);
            break;
        case Movement::Down:
            icon->setPixmap(m_movementPictures[1]);
            break;
        case Movement::Same:
            icon->setPixmap(m_movementPictures[2]);
            break;
        }
        windowstyle::setPlainToolTip(icon, shown.movementText);
    }
}

void StandingsTable::setMovementPictures(const std::array<QPixmap, 3> &pictures)
{
    m_movementPictures = pictures;
}

void StandingsTable::fillRow(int row, const DisplayedRow &shown)
{
    const StandingRow &data = shown.data;
    const auto set = [&](const char *column, const QString &text) {
        m_cells.cell(QLatin1String(column), row)->setText(text);
    };

    set("LabClass", shown.rankLabel);
    windowstyle::setPlainToolTip(m_cells.cell(QStringLiteral("LabClass"), row), shown.rankToolTip);
    set("Tclass", data.name);

    const QString points = data.pointsText();
    set("TPTS", points);
    windowstyle::setTextColour(m_cells.cell(QStringLiteral("TPTS"), row),
                               QColor(points.contains(QLatin1Char('-')) ? P::NegativePoints : P::Text));

    set("TDelta", number(data.goalDifference));
    set("TBP", number(data.goalsFor));
    set("TBC", number(data.goalsAgainst));
    set("MJ", number(data.played));
    set("FP", number(data.fairPlayPoints));
    set("TBPD", number(data.homeGoalsFor));
    set("TBPE", number(data.awayGoalsFor));
    set("TBCD", number(data.homeGoalsAgainst));
    set("TBCE", number(data.awayGoalsAgainst));
    set("TPD", number(data.homePoints));
    set("TPE", number(data.awayPoints));
    set("TMD", number(data.homeWins));
    set("TME", number(data.awayWins));
    set("TMpD", number(data.homeLosses));
    set("TMpE", number(data.awayLosses));
    set("TMN", number(data.draws));
    windowstyle::setFillColour(m_cells.cell(QStringLiteral("MJ"), row),
                               QColor(shown.belowAverage ? P::Green : P::White));
}

QColor StandingsTable::nameCellColour(int row) const
{
    const QLabel *name = m_cells.cell(QStringLiteral("Tclass"), row);
    return name ? name->palette().color(QPalette::Window) : QColor(P::White);
}

void StandingsTable::showReachable(const ReachableRanks &ranks)
{
    prepareReachable();
    for (int row = 0; row < StandingsCells::Rows; ++row) {
        const int rank = ranks.rank[row];
        setReachableCell(row, QString::number(rank), nameCellColour(rank - 1), QString());
    }
}

void StandingsTable::showRankRanges(const SeasonOutlook &outlook)
{
    prepareReachable();
    for (int row = 0; row < StandingsCells::Rows; ++row) {
        const TeamOutlook &team = outlook.rows[row];
        // The colour the table gives the best rank for its zone, without the
        // favourite's or a selection's marks, which belong to a team.
        const QColor colour = m_shown.zonesMarked ? P::zoneColour(zoneOfRank(team.range.best)) : QColor(P::White);
        setReachableCell(row, team.rangeText, colour, team.toolTip);
    }
}

void StandingsTable::showRankRangesPending()
{
    prepareReachable();
    for (int row = 0; row < StandingsCells::Rows; ++row)
        setReachableCell(row, P::RangesPending, QColor(P::White), P::RangesPendingToolTip);
}

void StandingsTable::prepareReachable()
{
    if (!m_reachableTitle) {
        const QLabel *firstPlayed = m_cells.cell(QStringLiteral("TBPD"), 0);
        m_reachableTitle = panelLabel(this, "LabPosPoss");
        m_reachableTitle->setAlignment(Qt::AlignCenter);
        m_reachableTitle->setAutoFillBackground(true);
        windowstyle::setFillColour(m_reachableTitle, QColor(P::Header));
        windowstyle::setBold(m_reachableTitle, true);
        m_reachableTitle->setText(ReachableTitle);
        m_reachableTitle->setGeometry(firstPlayed->x(), 0, 4 * (firstPlayed->width() + 1) - 1,
                                      StandingsCells::HeaderHeight - 1);
        for (int row = 0; row < StandingsCells::Rows; ++row) {
            QLabel *cell = panelLabel(this, "TpoT");
            cell->setProperty("index", row);
            cell->setAlignment(Qt::AlignCenter);
            cell->setAutoFillBackground(true);
            windowstyle::setBold(cell, true);
            // At the height of the row's fair-play cell, over the home/away columns.
            const QLabel *fairPlay = m_cells.cell(QStringLiteral("FP"), row);
            cell->setGeometry(m_reachableTitle->x(), fairPlay->y(), m_reachableTitle->width(), fairPlay->height());
            m_reachable[row] = cell;
        }
    }
    m_reachableTitle->show();
    m_reachableTitle->raise();
}

void StandingsTable::setReachableCell(int row, const QString &text, const QColor &colour, const QString &toolTip)
{
    QLabel *cell = m_reachable[row];
    cell->setText(text);
    windowstyle::setFillColour(cell, colour);
    windowstyle::setPlainToolTip(cell, toolTip);
    cell->show();
    cell->raise();
}

void StandingsTable::hideReachable()
{
    if (!m_reachableTitle)
        return;
    m_reachableTitle->hide();
    for (QLabel *cell : m_reachable)
        cell->hide();
}

bool StandingsTable::reachableShown() const
{
    return m_reachableTitle && m_reachableTitle->isVisible();
}

void StandingsTable::paintNameCell(int row, const QColor &colour, bool whitenOthers)
{
    for (int i = 0; i < StandingsCells::Rows; ++i) {
        QLabel *name = m_cells.cell(QStringLiteral("Tclass"), i);
        if (i == row)
            windowstyle::setFillColour(name, colour);
        else if (whitenOthers)
            windowstyle::setFillColour(name, QColor(P::White));
    }
}

void StandingsTable::markQualificationRows()
{
    for (int row = 0; row < StandingsCells::Rows; ++row) {
        QLabel *name = m_cells.cell(QStringLiteral("Tclass"), row);
        const ZoneMark zone = zoneOfRank(row + 1);
        if (zone != ZoneMark::None) {
            windowstyle::setFillColour(name, P::zoneColour(zone));
            windowstyle::setPlainToolTip(name, zoneToolTip(zone));
        }
        if (m_shown.rows[row].favourite)
            windowstyle::setFillColour(name, QColor(P::Favourite));
    }
    windowstyle::setBold(m_cells.cell(QStringLiteral("Tclass"), 0), true);
}

void StandingsTable::setStamp(const QString &text)
{
    m_stamp->setText(text);
}

void StandingsTable::setStampColour(const QColor &colour)
{
    windowstyle::setTextColour(m_stamp, colour);
}

void StandingsTable::hideAheadBehind()
{
    m_aheadBehind->clear();
    m_aheadBehindFrame->hide();
}

void StandingsTable::markNameCells(const DisplayedStandings &standings)
{
    // Every name cell is painted from the value alone, so that marks of an
    // earlier display never linger on a table where no match is played yet.
    for (int row = 0; row < StandingsCells::Rows; ++row) {
        const DisplayedRow &shown = standings.rows[row];
        QLabel *name = m_cells.cell(QStringLiteral("Tclass"), row);
        QColor background(P::White);
        QString toolTip;
        if (standings.zonesMarked && shown.zone != ZoneMark::None) {
            background = P::zoneColour(shown.zone);
            toolTip = shown.zoneToolTip;
        }
        // The favourite team stays easy to find in every display.
        if (shown.favourite)
            background = QColor(P::Favourite);
        windowstyle::setFillColour(name, background);
        windowstyle::setPlainToolTip(name, toolTip);
        windowstyle::setBold(name, standings.zonesMarked && row == 0);
    }
}

void StandingsTable::showLeader(const QString &leader)
{
    if (leader.isEmpty())
        return;
    m_leader->setText(m_shown.leaderNameOnly ? leader : P::LeaderPrefix + leader);
    if (m_crestProvider)
        m_crest->setPixmap(m_crestProvider(leader));
}

void StandingsTable::showProgress(double progress, const QString &text)
{
    const double share = qBound(0.0, progress, 1.0);
    const int width = qRound(m_progressFrame->width() * share) + twips(15);
    m_progressBar->setGeometry(twips(-15), 0, width, m_progressFrame->height());
    m_progressText->setText(text);
    m_progressText->raise();
}

QString StandingsTable::teamAt(int row) const
{
    if (row < 0 || row >= StandingsCells::Rows)
        return QString();
    return m_shown.rows[row].data.name;
}

void StandingsTable::hoverRow(int row)
{
    const QString team = teamAt(row);
    if (team.isEmpty() || team == m_hoveredTeam)
        return;
    m_hoveredTeam = team;
    emit teamHovered(row, team);
    if (!m_trackingAid || row == 0)
        return;
    // The rules sit on the bottom edges of the row above and of the row itself.
    m_rules[0]->setGeometry(0, StandingsCells::rowBottom(row - 1) - twips(20), m_ruleWidth, RuleHeight);
    m_rules[1]->setGeometry(0, StandingsCells::rowBottom(row) - twips(20), m_ruleWidth, RuleHeight);
    for (QFrame *rule : m_rules) {
        rule->show();
        rule->raise();
    }
}

void StandingsTable::hoverColumn(QLabel *cell, Kind kind)
{
    if (!m_trackingAid) {
        hideMarkers();
        return;
    }
    hoverRow(cell->property("index").toInt());
    if (cell->objectName() == m_markedColumn)
        return;
    // Main columns and home/away columns have their own pair of markers.
    const bool main = kind == Kind::Main;
    QFrame *leftMarker = m_markers[main ? 2 : 0];
    QFrame *rightMarker = m_markers[main ? 3 : 1];
    const int height = m_cells.gridRect().height();
    leftMarker->setGeometry(cell->x(), 0, MarkerWidth, height);
    rightMarker->setGeometry(cell->x() + cell->width() - twips(15), 0, MarkerWidth, height);
    for (int i = 0; i < 4; ++i) {
        const bool shown = (i >= 2) == main;
        m_markers[i]->setVisible(shown);
        if (shown)
            m_markers[i]->raise();
    }
    m_markedColumn = cell->objectName();
}

void StandingsTable::hideMarkers()
{
    for (QFrame *marker : m_markers) {
        marker->move(OutOfSight, marker->y());
        marker->hide();
    }
}

void StandingsTable::clearTrackingMarkers()
{
    hideMarkers();
    m_markedColumn.clear();
}

void StandingsTable::setTrackingAid(bool enabled)
{
    m_trackingAid = enabled;
    if (!enabled) {
        clearTrackingMarkers();
        hideRowRules();
    }
}

void StandingsTable::hideRowRules()
{
    for (QFrame *rule : m_rules) {
        rule->setGeometry(0, twips(-1000), m_ruleWidth, RuleHeight);
        rule->hide();
    }
}

bool StandingsTable::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_crest || watched == m_leader) {
        if (isLeftClick(watched, event))
            emit leaderClicked();
        return false;
    }
    if (watched == m_goals) {
        if (isLeftClick(watched, event))
            emit goalsClicked();
        return false;
    }
    if (watched == m_stamp) {
        if (isLeftClick(watched, event))
            emit stampClicked();
        return false;
    }
    // Every event of every cell passes here (paints, moves, polish): only
    // the pointer's concern the cells, the rest leave at once.
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseMove && type != QEvent::Enter && type != QEvent::MouseButtonRelease)
        return false;
    auto *label = qobject_cast<QLabel *>(watched);
    if (!label || !label->property("index").isValid())
        return false;
    const int row = label->property("index").toInt();
    const Kind kind = StandingsCells::kindOf(label->objectName());
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::Enter:
        if (kind == Kind::Name || kind == Kind::Rank)
            hoverRow(row);
        else if (kind == Kind::Main || kind == Kind::HomeAway)
            hoverColumn(label, kind);
        break;
    case QEvent::MouseButtonRelease:
        // The rank and the movement mark both open the team's card.
        if ((kind == Kind::Rank || kind == Kind::Icon) && isLeftClick(watched, event) && !teamAt(row).isEmpty())
            emit rankClicked(teamAt(row));
        else if (kind == Kind::Name && isLeftClick(watched, event))
            emit nameClicked(row);
        break;
    default:
        break;
    }
    return false;
}

void StandingsTable::paintEvent(QPaintEvent *)
{
    // The grid lines are the gaps left between the cells.
    QPainter painter(this);
    painter.fillRect(m_cells.gridRect(), QColor(P::GridLine));
}
