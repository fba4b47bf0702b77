#include "shell/ui/standingscontroller.h"

#include "shared/ui/fittedtext.h"
#include "shared/ui/windowareas.h"
#include "shared/ui/windowstyle.h"
#include "shell/core/prompt.h"
#include "shell/core/session.h"
#include "shell/ui/busypointer.h"
#include "shell/ui/commandbuttons.h"
#include "shell/ui/exactoverlay.h"
#include "shell/ui/pictures.h"
#include "standings/core/criterionsort.h"
#include "standings/core/rankmovement.h"
#include "standings/core/titlerace.h"
#include "standings/ui/matchdaypicker.h"
#include "standings/ui/standingstable.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {

const QColor SelectedTeam = windowstyle::colour(palette::entry::ShownTeam);
const QColor SecondTeam = windowstyle::colour(palette::entry::SecondTeam);
// The sorts' buttons, two to a row inside their panel.
constexpr int SortButtonPitch = 104;
constexpr int SortRowPitch = 24;
constexpr QSize SortButton(SortButtonPitch - 2, 22);
constexpr int SortCaptionShrink = 2; // points
constexpr std::array SortCommands = {Command::SortBestDefence, Command::SortBestAttack,      Command::SortFairPlay,
                                     Command::SortGoalAverage, Command::SortMostWins,        Command::SortMostLosses,
                                     Command::SortMostDraws,   Command::CloseClassifications};
const QString LockCaption = QStringLiteral("Verrouiller (Recherche d'une deuxième équipe)");
const QString RowHeaderStart = QStringLiteral(" Kestrane 1 (2013 - 2014)");

} // namespace

StandingsController::StandingsController(const Needs &needs, QObject *parent)
    : QObject(parent)
    , m_needs(needs)
{
    Session &session = needs.session;
    m_table = new StandingsTable(&needs.window);
    m_table->move(windowareas::Table);
    m_table->setCrestProvider([&session, &pictures = needs.pictures](const QString &team) {
        return pictures.crest(session.season().teamNoOfName(team));
    });
    // The league lines under the table stand on the window's dark background.
    for (const char *name : {"LabMaj", "Label12", "Label9", "Label19"}) {
        if (auto *label = m_table->findChild<QLabel *>(QLatin1String(name)))
            windowstyle::setColours(label, Qt::white);
    }
    StandingsModel &model = session.standings();
    connect(&model, &StandingsModel::displayedChanged, m_table,
            [this] { m_table->showStandings(m_needs.session.standings().displayed()); });
    connect(&model, &StandingsModel::movementsChanged, m_table,
            [this] { m_table->showMovements(m_needs.session.standings().displayed()); });
    // Whoever changed the store, the session has ranked the teams again.
    connect(&session, &Session::resultsRefreshed, this, [this] { showNewRanking(false); });
    // A change from another program is shown as an update's is, with the
    // movements of the last match day due.
    connect(&session.store(), &ResultStore::changedElsewhere, this,
            [this] { markRankMovement(m_needs.session.state().dueMatchDays()); });
    connect(&session.state(), &AppState::trackingAidChanged, m_table, &StandingsTable::setTrackingAid);
    connect(&session.state(), &AppState::summaryTeamChanged, m_table, &StandingsTable::setSummaryTeam);
    m_table->setMovementPictures({needs.pictures.movement(Pictures::Up), needs.pictures.movement(Pictures::Down),
                                  needs.pictures.movement(Pictures::Same)});

    m_picker = new MatchDayPicker(&needs.window);
    m_picker->move(windowareas::MatchDayPicker);
    connect(m_picker, &MatchDayPicker::picked, this, &StandingsController::pickMatchDay);

    buildClassifications();

    m_lock = new QCheckBox(LockCaption, &needs.window);
    m_lock->setObjectName(QStringLiteral("Check2"));
    windowstyle::setColours(m_lock, Qt::white);
    m_lock->setGeometry(windowareas::SecondTeamLock);
    m_lock->hide();
    connect(m_lock, &QCheckBox::toggled, this, [this](bool locked) { m_secondTeamLocked = locked; });

    buildExactOverlay();

    connect(m_table, &StandingsTable::nameClicked, this, &StandingsController::selectTeamRow);
    connect(m_table, &StandingsTable::rankClicked, this, [this](const QString &team) {
        m_needs.session.state().setCardRequest(team);
        m_needs.commands.run(Command::OpenTeamCard);
    });
    connect(m_table, &StandingsTable::teamHovered, this, [this](int, const QString &team) {
        m_needs.teams.parkCrestStrip();
        m_needs.teams.showTeamSummary(team);
    });
    connect(m_table, &StandingsTable::leaderClicked, this,
            [this] { m_needs.teams.showTeamSummary(m_needs.session.standings().displayed().rows[0].data.name); });
}

void StandingsController::buildClassifications()
{
    // The sorts by one statistic, two columns of buttons under the table,
    // as wide as the room left of the summary panel allows. The longest
    // captions take a smaller font rather than lose letters.
    auto *panel = new QFrame(&m_needs.window);
    panel->setObjectName(QStringLiteral("Frame8"));
    panel->setGeometry(windowareas::Classifications);
    panel->hide();
    m_classifications = panel;
    QList<QPushButton *> buttons;
    QFont font;
    for (int i = 0; i < int(SortCommands.size()); ++i) {
        QPushButton *button = m_needs.buttons.create(SortCommands[i], panel);
        button->setGeometry(QRect(QPoint((i % 2) * SortButtonPitch, (i / 2) * SortRowPitch), SortButton));
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
}

void StandingsController::buildExactOverlay()
{
    m_exact = new ExactOverlay(m_needs.session, *m_table, m_needs.buttons.button(Command::ReachableRanks));
    connect(m_exact, &ExactOverlay::toggled, this, [this] {
        // An overlay on show is drawn again the other way.
        if (m_table->reachableShown()) {
            m_table->hideReachable();
            showReachableRanks();
        }
    });
    connect(m_exact, &ExactOverlay::championClinched, this,
            [this](const QString &leader) { m_needs.prompt.inform(ChampionTitle, championMessage(leader)); });
}

void StandingsController::computeStandings(MatchDayNo upTo, bool silent)
{
    BusyPointer busy;
    m_needs.session.computeStandings(upTo, silent);
    showNewRanking(silent);
}

void StandingsController::showNewRanking(bool silent)
{
    // Any new ranking takes the reachable ranks away: they belong to the
    // table they were computed on.
    m_table->hideReachable();
    m_needs.matchDay.clearDayTotals();
    showLeaderSummary(silent);
}

void StandingsController::showLeaderSummary(bool silent)
{
    // A shown ranking with something played puts its leader in the summary.
    const DisplayedStandings &shown = m_needs.session.standings().displayed();
    if (!silent && shown.playedSides > 0)
        m_needs.teams.showTeamSummary(shown.rows[0].data.name);
}

void StandingsController::markRankMovement(int matchDay)
{
    // Once every date has passed the count of due match days runs past the
    // season; the marks then tell the last match day's movements.
    matchDay = std::min(matchDay, int(MatchDayCount));
    if (matchDay <= 1)
        return;
    m_table->hideReachable();
    Session &session = m_needs.session;
    session.computeStandings(matchDay - 1, true);
    const std::array<QString, TeamCount> previous = session.standings().rankTags();
    session.computeStandings(matchDay, true);
    const RankMovements moves = rankMovements(previous, session.standings().rankTags());
    session.standings().setMovements(moves.movement, moves.text);
}

void StandingsController::showGeneralRanking()
{
    computeStandings();
    markRankMovement(m_needs.session.state().dueMatchDays());
}

void StandingsController::sortByCriterion(const QString &code)
{
    m_table->hideReachable();
    StandingsModel &model = m_needs.session.standings();
    model.setDisplayed(criterion::sortByCriterion(model.displayed(), code));
}

void StandingsController::showReachableRanks()
{
    if (m_table->reachableShown()) {
        m_exact->cancel();
        m_table->hideReachable();
        return;
    }
    BusyPointer busy;
    // A table sorted by one statistic is not a ranking: the full ranking
    // comes back first. A ranking at a match day is used as it is.
    if (!m_needs.session.standings().displayed().sortCode.isEmpty())
        computeStandings();
    // The exact ranges announce the champion themselves, by their own rule.
    if (m_exact->enabled()) {
        m_exact->show();
        return;
    }
    m_exact->cancel();
    const ReachableRanks ranks = computeReachableRanks(m_needs.session.standings().displayed());
    m_table->showReachable(ranks);
    if (ranks.champion)
        m_needs.prompt.inform(ranks.championTitle, ranks.championMessage);
}

void StandingsController::showMatchDayPicker()
{
    emit pickerOpening();
    m_picker->showNumbers(m_needs.session.state().dueMatchDays());
    m_picker->raise();
}

void StandingsController::hideMatchDayPicker()
{
    m_picker->hideNumbers();
}

void StandingsController::resetPickerHover()
{
    if (m_picker->numbersShown())
        m_picker->resetHover();
}

void StandingsController::pickMatchDay(MatchDayNo day)
{
    MatchDayNavigator &matchDay = m_needs.matchDay;
    if (matchDay.matchDayShown() && !matchDay.settleUnsavedEntries())
        return;
    const bool reachableWasShown = m_table->reachableShown();
    if (matchDay.matchDayShown())
        matchDay.showMatchDay(day);
    m_classifications->show();
    {
        BusyPointer busy;
        m_table->hideReachable();
        matchDay.clearDayTotals();
        m_needs.session.computeStandings(day, false, matchDayTitle(day));
        showLeaderSummary(false);
    }
    markRankMovement(day);
    if (reachableWasShown)
        showReachableRanks();
}

void StandingsController::toggleClassifications()
{
    m_classifications->setVisible(!m_classifications->isVisible());
    if (m_classifications->isVisible())
        m_classifications->raise();
}

void StandingsController::hideClassifications()
{
    m_classifications->hide();
}

void StandingsController::selectTeamRow(int row)
{
    if (row < 0 || row >= TeamCount)
        return;
    Session &session = m_needs.session;
    const QString team = session.standings().displayed().rows[row].data.name;
    if (!m_secondTeamLocked) {
        if (!m_needs.matchDay.settleUnsavedEntries())
            return;
        // A save ranks the teams again: the team may stand on another row.
        const auto &rows = session.standings().displayed().rows;
        row = int(std::find_if(rows.begin(), rows.end(), [&](const DisplayedRow &r) { return r.data.name == team; })
                  - rows.begin());
        if (row >= TeamCount)
            return;
    }
    const DisplayedStandings &shown = session.standings().displayed();
    emit teamRowChosen();
    hideClassifications();
    m_table->hideAheadBehind();
    session.state().setCardRequest(team);
    m_lock->show();

    if (!m_secondTeamLocked) {
        m_needs.matchDay.showTeamSeason(team);
        m_table->paintNameCell(row, SelectedTeam, true);
        m_needs.matchDay.setGridHeader(RowHeaderStart + QLatin1Char(' ') + team + QStringLiteral(" N°")
                                       + QString::number(row + 1));
    } else {
        m_needs.matchDay.markSecondTeam(team);
        m_table->paintNameCell(row, SecondTeam, false);
    }
    // The zone colours come back over the selection, except on a table where
    // nothing is played yet.
    if (shown.rows[0].data.pointsText() != QLatin1String("0"))
        m_table->markQualificationRows();
}

void StandingsController::unlockSecondTeam()
{
    m_lock->setChecked(false);
}

void StandingsController::hideAheadBehind()
{
    m_table->hideAheadBehind();
}
