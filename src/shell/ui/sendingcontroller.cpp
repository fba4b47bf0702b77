#include "shell/ui/sendingcontroller.h"

#include "online/core/exportdata.h"
#include "online/core/publishreview.h"
#include "online/core/sendingtool.h"
#include "online/ui/exportpanel.h"
#include "shared/ui/windowareas.h"
#include "shared/ui/windowstyle.h"
#include "shell/core/launcher.h"
#include "shell/core/programinfo.h"
#include "shell/core/prompt.h"
#include "shell/core/session.h"
#include "shell/ui/commandbuttons.h"
#include "shell/ui/newsline.h"

#include <QPushButton>

namespace {

QStringList teamNames(const Season &season)
{
    QStringList names;
    for (TeamNo team = 0; team < TeamCount; ++team)
        names << season.teamName(team);
    return names;
}

} // namespace

SendingController::SendingController(const Needs &needs, QObject *parent)
    : QObject(parent)
    , m_needs(needs)
{
    m_panel = new ExportPanel(&needs.window);
    m_panel->setGeometry(windowareas::SendingPanel);
    m_panel->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_panel->setLineWidth(2);
    windowstyle::setColours(m_panel, Qt::black, windowstyle::PanelBackground);
    QPushButton *send = needs.buttons.create(Command::Send, m_panel);
    QPushButton *close = needs.buttons.create(Command::CloseSending, m_panel);
    QPushButton *insert = needs.buttons.create(Command::InsertAdjustment, m_panel);
    for (QPushButton *button : {send, close, insert})
        windowstyle::styleCommandButton(button);
    m_panel->placeButtons(send, close, insert);
    m_panel->hide();
    connect(m_panel, &ExportPanel::newsChanged, this, [this](const QString &published) {
        m_needs.news.setText(published);
        m_needs.news.show();
    });
}

void SendingController::keepStoreAtStart()
{
    // A missing store reads as an empty one: everything sent is then new.
    m_storeAtStart = m_needs.session.store().fileBytes().value_or(QByteArray());
}

void SendingController::openPanel()
{
    Session &session = m_needs.session;
    m_needs.matchDayArea.hide();
    const Season &season = session.season();
    const QString published = session.store().version(QStringLiteral("-"));
    m_panel->open(m_needs.news.text(), published, programinfo::versionText(), teamNames(season),
                  exportdata::adjustmentLines(season, session.bonusMalus()));
    m_panel->show();
    m_panel->raise();
    m_needs.news.show();
}

void SendingController::send()
{
    // Results typed and not validated go out with this send only if the
    // volunteer saves them now; the match day comes back from the store after.
    if (!m_needs.matchDay.settleUnsavedEntries())
        return;
    const QString news = exportdata::publishedNews(m_panel->news());
    m_panel->setNews(news);
    Session &session = m_needs.session;
    ResultStore &store = session.store();
    const ResultStore::Publication publication =
        exportdata::publication(news, m_panel->publishedVersion(), session.clock().now());

    // A store that cannot be read is reviewed as such, not as an empty one.
    QByteArray published;
    if (const std::optional<QByteArray> current = store.fileBytes())
        published = publishreview::publishedBytes(*current, ResultStore::entriesOf(publication));
    if (!reviewed(published))
        return;
    if (!store.publish(publication)) {
        m_needs.prompt.inform(exportdata::SendFailedTitle, exportdata::SendFailedText);
        return;
    }
    m_needs.news.setText(news);
    startSendingTool();
}

// The volunteer sees what the published file changes before anything is
// written; "Non" leaves the store and the panel as they are.
bool SendingController::reviewed(const QByteArray &published)
{
    const QString review = publishreview::listing(m_needs.session.season(), m_storeAtStart, published);
    return m_needs.prompt.ask(publishreview::Title, review);
}

void SendingController::startSendingTool()
{
    // The store is complete and closed in the program folder: the tool may
    // take it. It runs on its own; the program does not wait for it.
    const QString folder = m_needs.session.programFolder();
    const QString tool = sendingtool::pathIn(folder);
    if (tool.isEmpty()) {
        m_needs.prompt.inform(exportdata::SendFailedTitle, exportdata::ToolMissingText);
        return;
    }
    // The tool sends this folder's store to the server this window uses.
    const QStringList arguments{QStringLiteral("--data-dir"), folder, QStringLiteral("--server"),
                                m_needs.session.state().serverAddress()};
    if (!m_needs.launcher.startProgram(tool, arguments, folder)) {
        m_needs.prompt.inform(exportdata::SendFailedTitle, exportdata::ToolFailedText);
        return;
    }
    m_panel->hide();
    m_needs.matchDay.showCurrentMatchDay();
    m_needs.session.state().setSendingOffered(false);
}

void SendingController::closePanel()
{
    // The match day comes back from the store, over what was typed before.
    if (!m_needs.matchDay.settleUnsavedEntries())
        return;
    m_panel->hide();
    m_needs.matchDay.showCurrentMatchDay();
}

void SendingController::hidePanel()
{
    m_panel->hide();
}

void SendingController::insertAdjustment()
{
    Session &session = m_needs.session;
    const QString typed = m_panel->adjustmentText();
    const QString team = m_panel->chosenTeam();
    if (const std::optional<int> whole = exportdata::wholeAdjustment(typed)) {
        const QString value = QString::number(*whole);
        m_panel->setAdjustmentText(value);
        if (!team.isEmpty() && !session.store().setAdjustment(session.season().teamNoOfName(team), value))
            m_needs.prompt.inform(exportdata::AdjustmentTitle, exportdata::AdjustmentFailedText);
    } else if (!team.isEmpty() || !typed.trimmed().isEmpty()) {
        // Nothing is stored for a text that is not a number of points.
        m_needs.prompt.inform(exportdata::AdjustmentTitle, exportdata::adjustmentRejectedText(typed));
    }
    // A stored adjustment has already reloaded the points and ranked the teams again (Session).
    m_panel->showAdjustments(exportdata::adjustmentLines(session.season(), session.bonusMalus()));
}
