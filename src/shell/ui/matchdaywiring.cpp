// The match-day view, results entry, the month calendar and the export panel,
// wired into the main window.
#include "shell/ui/mainwindow.h"

#include "matchday/core/matchdayview.h"
#include "matchday/core/monthcalendar.h"
#include "matchday/core/teamseasonview.h"
#include "matchday/ui/matchgrid.h"
#include "matchday/ui/monthcalendarview.h"
#include "online/core/exportdata.h"
#include "online/core/publishreview.h"
#include "online/core/saveentries.h"
#include "online/core/sendingtool.h"
#include "online/ui/exportpanel.h"
#include "shell/core/launcher.h"
#include "shell/core/programinfo.h"
#include "shell/core/prompt.h"
#include "shell/core/session.h"
#include "shell/ui/busypointer.h"
#include "shell/ui/commandbuttons.h"
#include "shared/ui/windowstyle.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

class MainWindow::MatchDayParts : public QObject
{
public:
    using QObject::QObject;
    MatchGrid *grid = nullptr;
    QLabel *header = nullptr;    // Label1
    QLabel *dayTotals = nullptr; // Label26
    QLabel *due = nullptr;       // Label25: the plain number of match days due
    QPushButton *save = nullptr; // "Valider"
    ExportPanel *exportPanel = nullptr; // Frame6
    QString summaryTeam; // last team the grid asked the summary panel for
    QByteArray storeAtStart; // the store file as start-up found it, reviewed before sending
};

namespace {

constexpr int GridTop = 70; // under the header and a news line of two lines
constexpr int HeaderHeight = 34;
constexpr int TotalsHeight = 44;
const QColor HeaderBackground(0xE8, 0xEC, 0xF8);
const QColor GridBackground(0xC4, 0xCE, 0xE4); // the white boxes stand out on it
constexpr int ExportLeft = 264;
constexpr int ExportTop = 8;
constexpr int ExportWidth = 296;
constexpr int ExportHeight = 714;

QColor colourOf(quint32 rgb)
{
    return QColor::fromRgb(QRgb(0xFF000000u | rgb));
}

// Once every date has passed the count runs on past the season (the rank
// marks read it as such); the reader is told the season's own length.
QString dueText(int dueMatchDays)
{
    return QString::number(std::min(dueMatchDays, int(MatchDayCount)));
}

QStringList teamNames(const Season &season)
{
    QStringList names;
    for (TeamNo team = 0; team < TeamCount; ++team)
        names << season.teamName(team);
    return names;
}

// Lists the match days of month k unless the list is locked on another one,
// and marks the month under the pointer.
void previewMonth(MonthCalendarView *months, const Session &session, const QDateTime &now, int k)
{
    if (months->locked())
        return;
    if (months->listedMonth() != k)
        months->listMatchDays(k, calendarLines(session.season(), months->monthDate(k), now));
    months->markMonth(k);
}

} // namespace

void MainWindow::installMatchDay()
{
    m_matchDay = new MatchDayParts(this);
    MatchDayParts &parts = *m_matchDay;
    QFrame *frame = m_matchDayFrame;

    // The header's colours (dark blue, green, red) need a light ground.
    parts.header = new QLabel(frame);
    parts.header->setObjectName(QStringLiteral("Label1"));
    parts.header->setTextFormat(Qt::PlainText);
    parts.header->setWordWrap(true);
    parts.header->setIndent(4);
    windowstyle::setBold(parts.header);
    windowstyle::setColours(parts.header, Qt::black, HeaderBackground);
    parts.header->setGeometry(0, 0, frame->width(), HeaderHeight);

    parts.grid = new MatchGrid(frame);
    parts.grid->move(0, GridTop);
    parts.grid->setAutoFillBackground(true);
    windowstyle::setColours(parts.grid, Qt::black, GridBackground);

    parts.dayTotals = new QLabel(frame);
    parts.dayTotals->setObjectName(QStringLiteral("Label26"));
    parts.dayTotals->setTextFormat(Qt::PlainText);
    // The totals stand on the grid's light fill, under its last row.
    windowstyle::setColours(parts.dayTotals, Qt::black);
    parts.dayTotals->setGeometry(4, GridTop, frame->width() - 4, TotalsHeight);
    parts.dayTotals->hide();

    const int bottom = GridTop + parts.grid->height() + 8;
    parts.save = m_buttons->create(Command::Save, frame);
    parts.save->setGeometry(0, bottom, 100, 22);
    windowstyle::styleCommandButton(parts.save);
    parts.save->hide();

    // The number alone would mean nothing to the reader: it gets a caption.
    auto *dueCaption = new QLabel(QStringLiteral("Journées passées :"), frame);
    dueCaption->setObjectName(QStringLiteral("Label25Caption"));
    windowstyle::setColours(dueCaption, Qt::white);
    dueCaption->setGeometry(110, bottom + 2, 150, 18);
    dueCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    parts.due = new QLabel(dueText(m_session.state().dueMatchDays()), frame);
    parts.due->setObjectName(QStringLiteral("Label25"));
    windowstyle::setColours(parts.due, Qt::white);
    windowstyle::setBold(parts.due);
    parts.due->setGeometry(264, bottom + 2, 30, 18);
    connect(&m_session.state(), &AppState::dueMatchDaysChanged, parts.due,
            [label = parts.due](int due) { label->setText(dueText(due)); });

    connect(parts.grid, &MatchGrid::edited, parts.save, &QWidget::show);
    connect(parts.grid, &MatchGrid::enterPressed, this, [this] {
        // Enter saves like "Valider", and only when something waits for it.
        if (hasUnsavedEntries())
            runCommand(Command::Save);
    });
    connect(parts.grid, &MatchGrid::teamHovered, this, [this](const QString &team, bool onName) {
        if (team.isEmpty())
            return;
        if (onName)
            parkCrestStrip();
        // The summary panel names its team in Label11(5); without it, the
        // last team asked for stands in.
        QString shown = m_matchDay->summaryTeam;
        for (QLabel *label : findChildren<QLabel *>(QStringLiteral("Label11"))) {
            if (label->property("index").toInt() == 5)
                shown = label->text();
        }
        if (team == shown)
            return;
        m_matchDay->summaryTeam = team;
        showTeamSummary(team);
    });

    connect(m_months, &MonthCalendarView::monthHovered, this,
            [this](int k) { previewMonth(m_months, m_session, m_session.clock().now(), k); });
    connect(m_months, &MonthCalendarView::matchDayClicked, this, [this](MatchDayNo day) {
        if (!settleUnsavedEntries())
            return;
        showMatchDay(day);
        unlockSecondTeam();
    });

    parts.exportPanel = new ExportPanel(this);
    parts.exportPanel->setGeometry(ExportLeft, ExportTop, ExportWidth, ExportHeight);
    parts.exportPanel->setFrameStyle(QFrame::Box | QFrame::Plain);
    parts.exportPanel->setLineWidth(2);
    windowstyle::setColours(parts.exportPanel, Qt::black, windowstyle::PanelBackground);
    QPushButton *send = m_buttons->create(Command::Send, parts.exportPanel);
    QPushButton *close = m_buttons->create(Command::CloseSending, parts.exportPanel);
    QPushButton *insert = m_buttons->create(Command::InsertAdjustment, parts.exportPanel);
    for (QPushButton *button : {send, close, insert})
        windowstyle::styleCommandButton(button);
    parts.exportPanel->placeButtons(send, close, insert);
    parts.exportPanel->hide();
    connect(parts.exportPanel, &ExportPanel::newsChanged, this, [this](const QString &published) {
        setNewsText(published);
        showNews();
    });
}

void MainWindow::selectCurrentMatchDay()
{
    m_session.refreshDueMatchDays();
    const QDateTime now = m_session.clock().now();
    const Season &season = m_session.season();
    showMatchDay(matchday::currentMatchDay(season, now));
    if (const std::optional<int> k = monthToPreview(buildMonthLabels(season.matchDayDate(1), now), now))
        previewMonth(m_months, m_session, now, *k);
}

void MainWindow::showMatchDay(MatchDayNo day)
{
    if (day < 1 || day > MatchDayCount)
        return;
    MatchDayParts &parts = *m_matchDay;
    hideClassifications();
    closeHighlights();
    // The export panel stands where the match day shows.
    parts.exportPanel->hide();
    m_matchDayFrame->show();

    const MatchDayView view = matchday::build(m_session.season(), m_session.store(), day, m_session.clock().now(),
                                              m_session.state().favouriteTeam());
    parts.header->setText(view.header);
    windowstyle::setColours(parts.header, colourOf(view.headerColour), HeaderBackground);
    parts.grid->showRows(view.rows);
    parts.dayTotals->setText(view.dayTotals.join(QLatin1Char('\n')));
    parts.dayTotals->move(parts.dayTotals->x(), GridTop + parts.grid->shownBottom() + 4);
    parts.dayTotals->show();
    m_session.state().setDisplayedMatchDay(day);
    // A freshly shown match day has nothing to validate.
    parts.save->hide();
}

void MainWindow::showTeamSeason(const QString &team)
{
    BusyPointer busy;
    MatchDayParts &parts = *m_matchDay;
    closeDonors();
    clearDayTotals();
    m_session.state().setDisplayedMatchDay(0);
    const TeamSeasonView view = teamseason::build(m_session.season(), m_session.store(), team,
                                                  m_session.clock().now(), m_session.state().favouriteTeam());
    // An unknown name leaves the grid as it was.
    if (view.known)
        parts.grid->showRows(view.rows);
    parts.save->hide();
}

void MainWindow::markSecondTeam(const QString &team)
{
    m_matchDay->grid->markSecondTeam(team);
}

void MainWindow::setGridHeader(const QString &text)
{
    m_matchDay->header->setText(text);
}

void MainWindow::clearDayTotals()
{
    m_matchDay->dayTotals->clear();
    m_matchDay->dayTotals->hide();
}

void MainWindow::saveEnteredResults()
{
    MatchDayParts &parts = *m_matchDay;
    const QString folder = m_session.programFolder();
    ResultStore &store = m_session.store();
    saveentries::Outcome outcome;
    {
        BusyPointer busy;
        outcome = saveentries::save(store, parts.grid->typedRows(), m_session.clock().now(),
                                    m_session.state().startTime());
    }
    if (!outcome.saved) {
        // Nothing reached the store: the typed values stay for another try.
        parts.save->show();
        m_services.prompt.inform(saveentries::SaveFailedTitle, saveentries::SaveFailedText);
        return;
    }
    QStringList unsaved;
    for (const saveentries::Refusal &row : outcome.refused)
        unsaved << row.key;
    parts.grid->layCardsAtRest(unsaved);
    // The rows left out still wait in the grid, with "Valider" for another try.
    parts.save->setVisible(!unsaved.isEmpty());
    m_buttons->button(Command::OpenSending)->setVisible(outcome.changedSinceStart && !sendingtool::pathIn(folder).isEmpty());

    computeStandings();
    const int shownDay = m_session.state().displayedMatchDay();
    if (shownDay > 0)
        markRankMovement(shownDay);
    if (!unsaved.isEmpty()) {
        m_services.prompt.inform(saveentries::RefusedTitle,
                                 saveentries::refusedText(m_session.season(), outcome.refused));
    }
}

bool MainWindow::hasUnsavedEntries() const
{
    return !m_matchDay->save->isHidden();
}

bool MainWindow::settleUnsavedEntries()
{
    if (!hasUnsavedEntries())
        return true;
    switch (m_services.prompt.choose(saveentries::LeaveTitle, saveentries::leaveQuestion())) {
    case Prompt::Choice::Yes:
        // A save that fails or leaves rows out keeps the volunteer on the grid.
        saveEnteredResults();
        return !hasUnsavedEntries();
    case Prompt::Choice::No:
        return true;
    case Prompt::Choice::Cancel:
        break;
    }
    return false;
}

void MainWindow::openExportPanel()
{
    ExportPanel *panel = m_matchDay->exportPanel;
    m_matchDayFrame->hide();
    const Season &season = m_session.season();
    const QString published = m_session.store().version(QStringLiteral("-"));
    panel->open(newsText(), published, programinfo::versionText(), teamNames(season),
                exportdata::adjustmentLines(season, m_session.bonusMalus()));
    panel->show();
    panel->raise();
    showNews();
}

void MainWindow::sendResults()
{
    ExportPanel *panel = m_matchDay->exportPanel;
    const QString news = exportdata::publishedNews(panel->news());
    panel->setNews(news);
    ResultStore &store = m_session.store();
    const ResultStore::Publication publication =
        exportdata::publication(news, panel->publishedVersion(), m_session.clock().now());

    // The volunteer sees what the published file changes before anything
    // is written; "Non" leaves the store and the panel as they are.
    // A store that cannot be read is reviewed as such, not as an empty one.
    QByteArray published;
    if (const std::optional<QByteArray> current = store.fileBytes())
        published = publishreview::publishedBytes(*current, ResultStore::entriesOf(publication));
    const QString review = publishreview::listing(m_session.season(), m_matchDay->storeAtStart, published);
    if (!m_services.prompt.ask(publishreview::Title, review))
        return;

    if (!store.publish(publication)) {
        m_services.prompt.inform(exportdata::SendFailedTitle, exportdata::SendFailedText);
        return;
    }
    setNewsText(news);

    // The store is complete and closed in the program folder: the tool may
    // take it. It runs on its own; the program does not wait for it.
    const QString folder = m_session.programFolder();
    const QString tool = sendingtool::pathIn(folder);
    if (tool.isEmpty()) {
        m_services.prompt.inform(exportdata::SendFailedTitle, exportdata::ToolMissingText);
        return;
    }
    if (!m_services.launcher.startProgram(tool, folder)) {
        m_services.prompt.inform(exportdata::SendFailedTitle, exportdata::ToolFailedText);
        return;
    }
    panel->hide();
    selectCurrentMatchDay();
    m_buttons->button(Command::OpenSending)->hide();
}

void MainWindow::closeExportPanel()
{
    // The match day comes back from the store, over what was typed before.
    if (!settleUnsavedEntries())
        return;
    m_matchDay->exportPanel->hide();
    selectCurrentMatchDay();
}

void MainWindow::insertAdjustment()
{
    ExportPanel *panel = m_matchDay->exportPanel;
    const QString typed = panel->adjustmentText();
    const QString team = panel->chosenTeam();
    if (const std::optional<int> whole = exportdata::wholeAdjustment(typed)) {
        const QString value = QString::number(*whole);
        panel->setAdjustmentText(value);
        if (!team.isEmpty()) {
            if (!m_session.store().setAdjustment(m_session.season().teamNoOfName(team), value))
                m_services.prompt.inform(exportdata::AdjustmentTitle, exportdata::AdjustmentFailedText);
        }
    } else if (!team.isEmpty() || !typed.trimmed().isEmpty()) {
        // Nothing is stored for a text that is not a number of points.
        m_services.prompt.inform(exportdata::AdjustmentTitle, exportdata::adjustmentRejectedText(typed));
    }
    m_session.loadBonusMalus();
    panel->showAdjustments(exportdata::adjustmentLines(m_session.season(), m_session.bonusMalus()));
    computeStandings();
}

void MainWindow::resetMonthHover()
{
    m_months->resetMonthHover();
}

void MainWindow::keepStoreAtStart()
{
    // A missing store reads as an empty one: everything sent is then new.
    m_matchDay->storeAtStart = m_session.store().fileBytes().value_or(QByteArray());
}

void MainWindow::markChangedFixtures(const QHash<QString, QString> &notes)
{
    m_matchDay->grid->setFixtureNotes(notes);
}
