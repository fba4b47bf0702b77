// The standings commands of the window: the ranking, the sorts by one
// statistic, the best reachable ranks, the table at a match day with its
// movement marks, and the team row click.
#include "shell/ui/mainwindow.h"

#include "shared/ui/fittedtext.h"
#include "shell/core/prompt.h"
#include "shell/core/session.h"
#include "shell/ui/matchdaycontroller.h"
#include "shell/ui/busypointer.h"
#include "shell/ui/commandbuttons.h"
#include "shell/ui/exactoverlay.h"
#include "shell/ui/pictures.h"
#include "shared/ui/windowstyle.h"
#include "standings/core/criterionsort.h"
#include "standings/core/rankmovement.h"
#include "standings/core/titlerace.h"
#include "standings/ui/matchdaypicker.h"
#include "standings/ui/standingstable.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QPushButton>

#include <algorithm>

class MainWindow::StandingsParts : public QObject
{
public:
    using QObject::QObject;
    QFrame *classifications = nullptr; // Frame8
    MatchDayPicker *picker = nullptr;
    QCheckBox *lock = nullptr;         // Check2
    ExactOverlay *exact = nullptr;     // "Calcul exact" beside the reachable ranks command
};

namespace {
const QColor SelectedTeam(0x80, 0xFF, 0x80);
const QColor SecondTeam(0xFF, 0xFF, 0x80);
constexpr int SortButtonPitch = 104;
constexpr int SortCaptionShrink = 2; // points

} // namespace

void MainWindow::installStandings()
{
    m_standings = new StandingsParts(this);
    m_table->setMovementPictures({m_services.pictures.movement(Pictures::Up),
                                  m_services.pictures.movement(Pictures::Down),
                                  m_services.pictures.movement(Pictures::Same)});

    m_standings->picker = new MatchDayPicker(this);
    m_standings->picker->move(564, 536);
    connect(m_standings->picker, &MatchDayPicker::picked, this, &MainWindow::pickMatchDay);

    // The sorts by one statistic, two columns of buttons under the table,
    // as wide as the room left of the summary panel allows. The longest
    // captions take a smaller font rather than lose letters.
    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Frame8"));
    panel->setGeometry(564, 560, 2 * SortButtonPitch, 96);
    panel->hide();
    m_standings->classifications = panel;
    constexpr std::array SortButtons = {Command::SortBestDefence, Command::SortBestAttack,  Command::SortFairPlay,
                                        Command::SortGoalAverage, Command::SortMostWins,    Command::SortMostLosses,
                                        Command::SortMostDraws,   Command::CloseClassifications};
    QList<QPushButton *> buttons;
    QFont font;
    for (int i = 0; i < int(SortButtons.size()); ++i) {
        QPushButton *button = m_buttons->create(SortButtons[i], panel);
        button->setGeometry((i % 2) * SortButtonPitch, (i / 2) * 24, SortButtonPitch - 2, 22);
        windowstyle::styleCommandButton(button);
        const QFont fitting = fittedtext::fittingFont(button, button->font(), button->text(), SortCaptionShrink);
        if (buttons.isEmpty() || fitting.pointSizeF() < font.pointSizeF())
            font = fitting;
        buttons << button;
    }
    // One size for the whole panel, that of the longest caption.
    for (QPushButton *button : buttons) {
        button->setFont(font);
        fittedtext::setText(button, button->text());
    }

    m_standings->lock = new QCheckBox(QStringLiteral("Verrouiller (Recherche d'une deuxième équipe)"), this);
    m_standings->lock->setObjectName(QStringLiteral("Check2"));
    windowstyle::setColours(m_standings->lock, Qt::white);
    m_standings->lock->setGeometry(564, 700, 330, 20);
    m_standings->lock->hide();

    installExactOverlay();

    connect(m_table, &StandingsTable::nameClicked, this, &MainWindow::selectTeamRow);
    connect(m_table, &StandingsTable::rankClicked, this, [this](const QString &team) {
        m_session.state().setCardRequest(team);
        runCommand(Command::OpenTeamCard);
    });
    connect(m_table, &StandingsTable::teamHovered, this, [this](int, const QString &team) {
        parkCrestStrip();
        showTeamSummary(team);
    });
    connect(m_table, &StandingsTable::leaderClicked, this,
            [this] { showTeamSummary(m_session.standings().displayed().rows[0].data.name); });
    connect(m_table, &StandingsTable::goalsClicked, this, &MainWindow::showCardsPerMatchDay);
    connect(m_table, &StandingsTable::stampClicked, this, [this] {
        startCrestTicker();
        showCrestStrip();
    });
}

void MainWindow::installExactOverlay()
{
    ExactOverlay *exact = new ExactOverlay(m_session, *m_table, m_buttons->button(Command::ReachableRanks));
    m_standings->exact = exact;
    connect(exact, &ExactOverlay::toggled, this, [this] {
        // An overlay on show is drawn again the other way.
        if (m_table->reachableShown()) {
            m_table->hideReachable();
            showReachableRanks();
        }
    });
    connect(exact, &ExactOverlay::championClinched, this,
            [this](const QString &leader) { m_services.prompt.inform(ChampionTitle, championMessage(leader)); });
}

void MainWindow::computeStandings(MatchDayNo upTo, bool silent)
{
    BusyPointer busy;
    // Any new ranking first takes the reachable ranks away: they belong to
    // the table they were computed on.
    m_table->hideReachable();
    m_matchDayFeature->clearDayTotals();
    m_session.computeStandings(upTo, silent);
    showLeaderSummary(silent);
}

void MainWindow::showLeaderSummary(bool silent)
{
    // A shown ranking with something played puts its leader in the summary.
    const DisplayedStandings &shown = m_session.standings().displayed();
    if (!silent && shown.playedSides > 0)
        showTeamSummary(shown.rows[0].data.name);
}

void MainWindow::markRankMovement(int matchDay)
{
    // Once every date has passed the count of due match days runs past the
    // season; the marks then tell the last match day's movements.
    matchDay = std::min(matchDay, int(MatchDayCount));
    if (matchDay <= 1)
        return;
    m_table->hideReachable();
    m_session.computeStandings(matchDay - 1, true);
    const std::array<QString, TeamCount> previous = m_session.standings().rankTags();
    m_session.computeStandings(matchDay, true);
    const RankMovements moves = rankMovements(previous, m_session.standings().rankTags());
    m_session.standings().setMovements(moves.movement, moves.text);
}

void MainWindow::sortByCriterion(const QString &code)
{
    m_table->hideReachable();
    StandingsModel &model = m_session.standings();
    model.setDisplayed(criterion::sortByCriterion(model.displayed(), code));
}

void MainWindow::showReachableRanks()
{
    if (m_table->reachableShown()) {
        m_standings->exact->cancel();
        m_table->hideReachable();
        return;
    }
    BusyPointer busy;
    // A table sorted by one statistic is not a ranking: the full ranking
    // comes back first. A ranking at a match day is used as it is.
    if (!m_session.standings().displayed().sortCode.isEmpty())
        computeStandings();
    // The exact ranges announce the champion themselves, by their own rule.
    if (m_standings->exact->enabled()) {
        m_standings->exact->show();
        return;
    }
    m_standings->exact->cancel();
    const ReachableRanks ranks = computeReachableRanks(m_session.standings().displayed());
    m_table->showReachable(ranks);
    if (ranks.champion)
        m_services.prompt.inform(ranks.championTitle, ranks.championMessage);
}

void MainWindow::showMatchDayPicker()
{
    closeHighlights();
    closeDonors();
    m_standings->picker->showNumbers(m_session.state().dueMatchDays());
    m_standings->picker->raise();
}

void MainWindow::hideMatchDayPicker()
{
    m_standings->picker->hideNumbers();
}

void MainWindow::resetPickerHover()
{
    if (m_standings->picker->numbersShown())
        m_standings->picker->resetHover();
}

void MainWindow::pickMatchDay(MatchDayNo day)
{
    if (m_matchDayFrame->isVisible() && !settleUnsavedEntries())
        return;
    const bool reachableWasShown = m_table->reachableShown();
    if (m_matchDayFrame->isVisible())
        showMatchDay(day);
    m_standings->classifications->show();
    {
        BusyPointer busy;
        m_table->hideReachable();
        m_matchDayFeature->clearDayTotals();
        m_session.computeStandings(day, false, matchDayTitle(day));
        showLeaderSummary(false);
    }
    markRankMovement(day);
    if (reachableWasShown)
        showReachableRanks();
}

void MainWindow::toggleClassifications()
{
    QFrame *panel = m_standings->classifications;
    panel->setVisible(!panel->isVisible());
    if (panel->isVisible())
        panel->raise();
}

void MainWindow::hideClassifications()
{
    m_standings->classifications->hide();
}

void MainWindow::selectTeamRow(int row)
{
    if (row < 0 || row >= TeamCount)
        return;
    const QString team = m_session.standings().displayed().rows[row].data.name;
    if (!m_standings->lock->isChecked()) {
        if (!settleUnsavedEntries())
            return;
        // A save ranks the teams again: the team may stand on another row.
        const auto &rows = m_session.standings().displayed().rows;
        row = int(std::find_if(rows.begin(), rows.end(), [&](const DisplayedRow &r) { return r.data.name == team; })
                  - rows.begin());
        if (row >= TeamCount)
            return;
    }
    const DisplayedStandings &shown = m_session.standings().displayed();
    hideNewsPanel();
    hideClassifications();
    m_table->hideAheadBehind();
    m_session.state().setCardRequest(team);
    m_standings->lock->show();

    if (!m_standings->lock->isChecked()) {
        showTeamSeason(team);
        m_table->paintNameCell(row, SelectedTeam, true);
        m_matchDayFeature->setGridHeader(QStringLiteral(" Kestrane 1 (2013 - 2014)") + QLatin1Char(' ') + team + QStringLiteral(" N°")
                      + QString::number(row + 1));
    } else {
        m_matchDayFeature->markSecondTeam(team);
        m_table->paintNameCell(row, SecondTeam, false);
    }
    // The zone colours come back over the selection, except on a table where
    // nothing is played yet.
    if (shown.rows[0].data.pointsText() != QLatin1String("0"))
        m_table->markQualificationRows();
}

void MainWindow::unlockSecondTeam()
{
    m_standings->lock->setChecked(false);
}
