#include "shell/ui/matchdaycontroller.h"

#include "matchday/core/matchdayview.h"
#include "matchday/core/monthcalendar.h"
#include "matchday/core/teamseasonview.h"
#include "matchday/ui/matchgrid.h"
#include "matchday/ui/monthcalendarview.h"
#include "online/core/saveentries.h"
#include "online/core/sendingtool.h"
#include "season/core/textutil.h"
#include "shared/ui/announcer.h"
#include "shared/ui/fittedtext.h"
#include "shared/ui/windowstyle.h"
#include "shell/core/prompt.h"
#include "shell/core/session.h"
#include "shell/ui/busypointer.h"
#include "shell/ui/commandbuttons.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {

// Inside the match-day area.
constexpr int GridTop = 70; // under the header and a news line of two lines
constexpr int HeaderHeight = 34;
// Points the header may lose to keep to one line, clear of the news line
// under it ("Dans 120 jours" wrapped on its own otherwise).
constexpr int HeaderShrink = 2;
constexpr int TotalsLeft = 4;
constexpr int TotalsHeight = 44;
constexpr int TotalsGap = 4; // between the last row and the day's totals
constexpr int FooterGap = 8; // between the grid and "Valider"
constexpr QRect SaveButton(0, 0, 100, 22);
constexpr QRect DueCaption(110, 2, 150, 18);
constexpr QRect DueNumber(264, 2, 30, 18);
const QColor GridBackground = windowstyle::colour(palette::entry::GridBackground);

// What screen readers hear of what changes without a word on screen.
const QString SavedText = QStringLiteral("Résultats enregistrés.");
const QString OpenedText = QStringLiteral("Journée %1 affichée : %2.");

QString openedText(const Season &season, MatchDayNo day)
{
    const QDate date = season.matchDayDate(day);
    const QString when = date.isValid() ? text::frenchLocale().toString(date, QStringLiteral("dddd d MMMM yyyy"))
                                        : QStringLiteral("date inconnue");
    return OpenedText.arg(QString::number(day), when);
}

// Once every date has passed the count runs on past the season (the rank
// marks read it as such); the reader is told the season's own length.
QString dueText(int dueMatchDays)
{
    return QString::number(std::min(dueMatchDays, int(MatchDayCount)));
}

} // namespace

MatchDayController::MatchDayController(const Needs &needs, QObject *parent)
    : QObject(parent)
    , m_needs(needs)
{
    m_months = new MonthCalendarView(&needs.sideColumn);
    m_months->move(needs.monthsAt);
    buildArea();

    AppState &state = needs.session.state();
    connect(&state, &AppState::dueMatchDaysChanged, m_due, [label = m_due](int due) { label->setText(dueText(due)); });
    // "Valider", its button and Ctrl+S alike, acts only while typed results wait.
    QAction *save = needs.buttons.action(Command::Save);
    save->setEnabled(state.unsavedEntries());
    connect(&state, &AppState::unsavedEntriesChanged, save, &QAction::setEnabled);
    connect(&state, &AppState::unsavedEntriesChanged, m_save, &QWidget::setVisible);
    connect(&needs.session.store(), &ResultStore::changedElsewhere, this, &MatchDayController::redrawFromStore);
    connect(m_grid, &MatchGrid::edited, &state, [&state] { state.setUnsavedEntries(true); });
    connect(m_grid, &MatchGrid::enterPressed, this, [this] {
        // Enter saves like "Valider", and only when something waits for it.
        if (m_needs.session.state().unsavedEntries())
            m_needs.commands.run(Command::Save);
    });
    connect(m_grid, &MatchGrid::teamHovered, this, &MatchDayController::summariseHovered);
    connect(m_months, &MonthCalendarView::monthHovered, this, &MatchDayController::previewMonth);
    connect(m_months, &MonthCalendarView::matchDayClicked, this, [this](MatchDayNo day) {
        if (!settleUnsavedEntries())
            return;
        showMatchDay(day);
        Announcer::say(&m_needs.area, openedText(m_needs.session.season(), day));
        emit calendarDayChosen();
    });
}

void MatchDayController::buildArea()
{
    QWidget &area = m_needs.area;
    // The header's colours (dark blue, green, red) need a light ground.
    m_header = new QLabel(&area);
    m_header->setObjectName(QStringLiteral("Label1"));
    m_header->setTextFormat(Qt::PlainText);
    m_header->setIndent(4);
    windowstyle::setBold(m_header);
    windowstyle::setColours(m_header, Qt::black, windowstyle::PanelBackground);
    m_header->setGeometry(0, 0, area.width(), HeaderHeight);

    m_grid = new MatchGrid(&area);
    m_grid->move(0, GridTop);
    m_grid->setAutoFillBackground(true);
    windowstyle::setColours(m_grid, Qt::black, GridBackground);

    m_dayTotals = new QLabel(&area);
    m_dayTotals->setObjectName(QStringLiteral("Label26"));
    m_dayTotals->setTextFormat(Qt::PlainText);
    // The totals stand on the grid's light fill, under its last row.
    windowstyle::setColours(m_dayTotals, Qt::black);
    m_dayTotals->setGeometry(TotalsLeft, GridTop, area.width() - TotalsLeft, TotalsHeight);
    m_dayTotals->hide();

    const int bottom = GridTop + m_grid->height() + FooterGap;
    m_save = m_needs.buttons.create(Command::Save, &area);
    m_save->setGeometry(SaveButton.translated(0, bottom));
    windowstyle::styleCommandButton(m_save);
    m_save->hide();

    // The number alone would mean nothing to the reader: it gets a caption.
    auto *dueCaption = new QLabel(QStringLiteral("Journées passées :"), &area);
    dueCaption->setObjectName(QStringLiteral("Label25Caption"));
    windowstyle::setColours(dueCaption, Qt::white);
    dueCaption->setGeometry(DueCaption.translated(0, bottom));
    dueCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_due = new QLabel(dueText(m_needs.session.state().dueMatchDays()), &area);
    m_due->setObjectName(QStringLiteral("Label25"));
    windowstyle::setColours(m_due, Qt::white);
    windowstyle::setBold(m_due);
    m_due->setGeometry(DueNumber.translated(0, bottom));
}

void MatchDayController::summariseHovered(const QString &team, bool onName)
{
    if (team.isEmpty())
        return;
    if (onName)
        m_needs.teams.parkCrestStrip();
    if (team != m_needs.session.state().summaryTeam())
        m_needs.teams.showTeamSummary(team);
}

// Lists the match days of month k unless the list is locked on another one,
// and marks the month under the pointer.
void MatchDayController::previewMonth(int k)
{
    if (m_months->locked())
        return;
    if (m_months->listedMonth() != k) {
        Session &session = m_needs.session;
        m_months->listMatchDays(k, calendarLines(session.season(), m_months->monthDate(k), session.clock().now()));
    }
    m_months->markMonth(k);
}

void MatchDayController::showMonths()
{
    Session &session = m_needs.session;
    m_months->showMonths(buildMonthLabels(session.season().matchDayDate(1), session.clock().now()));
}

void MatchDayController::showCurrentMatchDay()
{
    Session &session = m_needs.session;
    session.refreshDueMatchDays();
    const QDateTime now = session.clock().now();
    const Season &season = session.season();
    showMatchDay(matchday::currentMatchDay(season, now));
    if (const std::optional<int> k = monthToPreview(buildMonthLabels(season.matchDayDate(1), now), now))
        previewMonth(*k);
}

void MatchDayController::showMatchDay(MatchDayNo day)
{
    if (day < 1 || day > MatchDayCount)
        return;
    emit matchDayShowing();
    m_needs.area.show();
    drawMatchDay(day);
    m_dayTotals->show();
    m_needs.session.state().setDisplayedMatchDay(day);
    // A freshly shown match day has nothing to validate.
    m_needs.session.state().setUnsavedEntries(false);
}

void MatchDayController::drawMatchDay(MatchDayNo day)
{
    m_shownTeam.clear();
    Session &session = m_needs.session;
    const MatchDayView view =
        matchday::build(session.season(), session.store(), day, session.clock().now(), session.state().favouriteTeam());
    fittedtext::setText(m_header, view.header, HeaderShrink);
    windowstyle::setColours(m_header, windowstyle::colour(view.headerColour), windowstyle::PanelBackground);
    m_grid->showRows(view.rows);
    m_dayTotals->setText(view.dayTotals.join(QLatin1Char('\n')));
    m_dayTotals->move(m_dayTotals->x(), GridTop + m_grid->shownBottom() + TotalsGap);
}

void MatchDayController::redrawFromStore()
{
    Session &session = m_needs.session;
    if (session.state().unsavedEntries())
        return;
    // Drawn where it stands, no panel moved: the change was nobody's click.
    if (const MatchDayNo day = session.state().displayedMatchDay(); day > 0) {
        drawMatchDay(day);
        return;
    }
    if (m_shownTeam.isEmpty())
        return;
    const TeamSeasonView view = teamseason::build(session.season(), session.store(), m_shownTeam, session.clock().now(),
                                                  session.state().favouriteTeam());
    m_grid->showRows(view.rows);
}

void MatchDayController::showTeamSeason(const QString &team)
{
    BusyPointer busy;
    emit teamSeasonShowing();
    clearDayTotals();
    Session &session = m_needs.session;
    session.state().setDisplayedMatchDay(0);
    m_shownTeam.clear();
    const TeamSeasonView view = teamseason::build(session.season(), session.store(), team, session.clock().now(),
                                                  session.state().favouriteTeam());
    // An unknown name leaves the grid as it was.
    if (view.known) {
        m_grid->showRows(view.rows);
        m_shownTeam = team;
    }
    session.state().setUnsavedEntries(false);
}

void MatchDayController::markSecondTeam(const QString &team)
{
    m_grid->markSecondTeam(team);
}

void MatchDayController::setGridHeader(const QString &text)
{
    fittedtext::setText(m_header, text, HeaderShrink);
}

void MatchDayController::clearDayTotals()
{
    m_dayTotals->clear();
    m_dayTotals->hide();
}

bool MatchDayController::matchDayShown() const
{
    return m_needs.area.isVisible();
}

void MatchDayController::saveEnteredResults()
{
    Session &session = m_needs.session;
    AppState &state = session.state();
    saveentries::Outcome outcome;
    {
        BusyPointer busy;
        // Only what was typed: a row left as drawn must not put back a result
        // another program has written since.
        outcome = saveentries::save(session.store(), m_grid->editedRows(), session.clock().now(), state.startTime());
    }
    if (!outcome.saved) {
        // Nothing reached the store: the typed values stay for another try.
        state.setUnsavedEntries(true);
        m_needs.prompt.inform(saveentries::SaveFailedTitle, saveentries::SaveFailedText);
        return;
    }
    QStringList unsaved;
    for (const saveentries::Refusal &row : outcome.refused)
        unsaved << row.key;
    m_grid->layCardsAtRest(unsaved);
    Announcer::say(&m_needs.area, SavedText);
    // The rows left out still wait in the grid, with "Valider" for another try.
    state.setUnsavedEntries(!unsaved.isEmpty());
    state.setSendingOffered(outcome.changedSinceStart && !sendingtool::pathIn(session.programFolder()).isEmpty());

    // The save ranked the teams again (Session); the movements are the match day's.
    const int shownDay = state.displayedMatchDay();
    if (shownDay > 0)
        m_needs.ranking.markRankMovement(shownDay);
    if (!unsaved.isEmpty())
        m_needs.prompt.inform(saveentries::RefusedTitle, saveentries::refusedText(session.season(), outcome.refused));
}

bool MatchDayController::settleUnsavedEntries()
{
    if (!m_needs.session.state().unsavedEntries())
        return true;
    switch (m_needs.prompt.choose(saveentries::LeaveTitle, saveentries::leaveQuestion())) {
    case Prompt::Choice::Yes:
        // A save that fails or leaves rows out keeps the volunteer on the grid.
        saveEnteredResults();
        return !m_needs.session.state().unsavedEntries();
    case Prompt::Choice::No:
        return true;
    case Prompt::Choice::Cancel:
        break;
    }
    return false;
}

void MatchDayController::resetMonthHover()
{
    m_months->resetMonthHover();
}

void MatchDayController::markChangedFixtures(const QHash<QString, QString> &notes)
{
    m_grid->setFixtureNotes(notes);
}
