#include "shell/ui/shellpanelscontroller.h"

#include "online/core/sendingtool.h"
#include "shared/ui/announcer.h"
#include "shared/ui/windowareas.h"
#include "shared/ui/windowstyle.h"
#include "shell/core/launcher.h"
#include "shell/core/programinfo.h"
#include "shell/core/prompt.h"
#include "shell/core/session.h"
#include "shell/core/storebackup.h"
#include "shell/core/webpages.h"
#include "shell/ui/aboutpanel.h"
#include "shell/ui/commandbuttons.h"
#include "shell/ui/configpanel.h"
#include "shell/ui/pictures.h"
#include "shell/ui/windowprinter.h"
#include "standings/core/standingsengine.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>

namespace {

const QColor StoreNameColour = windowstyle::colour(palette::window::StoreName);
constexpr int TitlePointSize = 14;
constexpr int StoreNamePointSize = 7;
// The close commands inside their panels.
constexpr QRect CloseConfiguration(206, 408, 96, 22);
constexpr QRect CloseAbout(312, 246, 96, 22);
// Switched on by the title, sending is counted as if the store had changed
// since start-up: a save offers it too.
constexpr int SendingOfferDays = 15;

QFrame *preparePanel(QFrame *panel, const QRect &where)
{
    panel->setGeometry(where);
    panel->setProperty("parkedLeft", where.x());
    panel->setFrameStyle(QFrame::Box | QFrame::Plain);
    panel->setLineWidth(2);
    windowstyle::setColours(panel, Qt::black, windowstyle::PanelBackground);
    panel->hide();
    return panel;
}

// An adjustment as the lists show it: a whole number plainly, a fraction
// with the decimal comma.
QString adjustmentText(float value)
{
    StandingRow row;
    row.points = value;
    return row.pointsText();
}

// A stored preference that does not read as a number leaves it as it is.
std::optional<bool> storedPreference(const UserSettings &settings, const QString &key)
{
    bool ok = false;
    const int value = settings.read(settingkeys::DataSection, key, QStringLiteral("0")).trimmed().toInt(&ok);
    return ok ? std::optional<bool>(value != 0) : std::nullopt;
}

// A list over the window, with a title above its lines when it has one. A
// click anywhere in it, on a line or below the last, puts it away.
class PanelList final : public QListWidget
{
public:
    PanelList(QWidget *window, const QString &title)
        : QListWidget(window)
    {
        if (title.isEmpty())
            return;
        m_title = new QLabel(title, this);
        m_title->setObjectName(QStringLiteral("LabListTitle"));
        m_title->setTextFormat(Qt::PlainText);
        m_title->setAlignment(Qt::AlignCenter);
        m_title->setAutoFillBackground(true);
        windowstyle::setColours(m_title, Qt::white, windowstyle::Navy);
        windowstyle::setBold(m_title);
        setViewportMargins(0, m_title->sizeHint().height() + 2, 0, 0);
    }

protected:
    void resizeEvent(QResizeEvent *event) override
    {
        QListWidget::resizeEvent(event);
        if (m_title)
            m_title->setGeometry(frameWidth(), frameWidth(), width() - 2 * frameWidth(), viewportMargins().top());
    }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        QListWidget::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton)
            hide();
    }

private:
    QLabel *m_title = nullptr;
};

QListWidget *hiddenList(QWidget *window, const char *name, const QRect &where, const QString &title = {})
{
    auto *list = new PanelList(window, title);
    list->setObjectName(QLatin1String(name));
    list->setGeometry(where);
    list->hide();
    return list;
}

} // namespace

ShellPanelsController::ShellPanelsController(const Needs &needs, QObject *parent)
    : QObject(parent)
    , m_needs(needs)
{
    buildSideColumnHead();
    buildConfiguration();
    buildAbout();
    m_adjustments =
        hiddenList(&needs.window, "List8", windowareas::AdjustmentsList, commands::caption(Command::Adjustments));
    m_workingList = hiddenList(&needs.window, "List2", windowareas::WorkingList);
}

void ShellPanelsController::buildSideColumnHead()
{
    QWidget *window = &m_needs.window;
    m_logo = new QLabel(window);
    m_logo->setObjectName(QStringLiteral("Image2"));
    m_logo->setGeometry(windowareas::Logo);

    m_title = new QLabel(QStringLiteral("Kestrane 1\n2013 - 2014."), window);
    m_title->setObjectName(QStringLiteral("Label8"));
    windowstyle::setColours(m_title, windowstyle::Gold);
    windowstyle::setBold(m_title, true, TitlePointSize);
    m_title->setGeometry(windowareas::Title);

    m_storeName = new QLabel(ResultStore::FileName, window);
    m_storeName->setObjectName(QStringLiteral("Label21"));
    windowstyle::setColours(m_storeName, StoreNameColour);
    QFont small = m_storeName->font();
    small.setPointSize(StoreNamePointSize);
    m_storeName->setFont(small);
    m_storeName->setGeometry(windowareas::StoreName);
    m_storeName->setCursor(Qt::PointingHandCursor);
    for (QLabel *label : {m_title, m_storeName, m_logo})
        label->installEventFilter(this);
}

void ShellPanelsController::buildConfiguration()
{
    m_config = new ConfigPanel(&m_needs.window);
    preparePanel(m_config, windowareas::Configuration);
    QPushButton *close = m_needs.buttons.create(Command::CloseConfiguration, m_config);
    close->setGeometry(CloseConfiguration);
    windowstyle::styleCommandButton(close);

    // The boxes render the preferences and change them.
    AppState &state = m_needs.session.state();
    const auto render = [](QCheckBox *box, bool on) { box->setChecked(on); };
    connect(&state, &AppState::autoUpdateChanged, m_config->autoUpdate(),
            [box = m_config->autoUpdate(), render](bool on) { render(box, on); });
    connect(&state, &AppState::highlightFavouriteChanged, m_config->highlightFavourite(),
            [box = m_config->highlightFavourite(), render](bool on) { render(box, on); });
    connect(&state, &AppState::trackingAidChanged, m_config->trackingAid(),
            [box = m_config->trackingAid(), render](bool on) { render(box, on); });
    connect(m_config->autoUpdate(), &QCheckBox::toggled, &state, &AppState::setAutoUpdate);
    connect(m_config->highlightFavourite(), &QCheckBox::toggled, &state, &AppState::setHighlightFavourite);
    connect(m_config->trackingAid(), &QCheckBox::toggled, &state, &AppState::setTrackingAid);
    connect(m_config, &ConfigPanel::favouriteChosen, this, &ShellPanelsController::chooseFavourite);
}

void ShellPanelsController::chooseFavourite(int position, const QString &text)
{
    Session &session = m_needs.session;
    m_config->setFavouriteCaption(text);
    session.settings().write(settingkeys::DataSection, settingkeys::FavouriteTeam, text);
    session.state().setFavouriteTeam(text);
    m_config->setCrest(QPixmap());
    // Position 0 is "Aucune".
    if (position > 0)
        m_config->setCrest(m_needs.pictures.crest(position - 1));
    session.state().setHighlightFavourite(position > 0);
    redrawMatchDay();
    m_needs.ranking.computeStandings();
}

void ShellPanelsController::buildAbout()
{
    m_about = new AboutPanel(programinfo::authorName(m_needs.session.settings()), &m_needs.window);
    preparePanel(m_about, windowareas::About);
    QPushButton *close = m_needs.buttons.create(Command::CloseAbout, m_about);
    close->setGeometry(CloseAbout);
    windowstyle::styleCommandButton(close);
    const AppState &state = m_needs.session.state();
    connect(m_about, &AboutPanel::authorClicked, this,
            [this, &state] { m_needs.launcher.openUrl(webpages::home(state.serverAddress())); });
    connect(m_about, &AboutPanel::contactClicked, this,
            [this, &state] { m_needs.launcher.openUrl(webpages::contact(state.serverAddress())); });
}

void ShellPanelsController::restorePreferences()
{
    const UserSettings &settings = m_needs.session.settings();
    AppState &state = m_needs.session.state();
    if (const std::optional<bool> on = storedPreference(settings, settingkeys::HighlightFavourite))
        state.setHighlightFavourite(*on);
    if (const std::optional<bool> on = storedPreference(settings, settingkeys::TrackingAid))
        state.setTrackingAid(*on);
    if (state.highlightFavourite()) {
        const QString favourite = settings.read(settingkeys::DataSection, settingkeys::FavouriteTeam);
        m_config->setFavouriteCaption(favourite);
        state.setFavouriteTeam(favourite);
    }
    if (const std::optional<bool> on = storedPreference(settings, settingkeys::AutoUpdate))
        state.setAutoUpdate(*on);
}

void ShellPanelsController::writePreferences()
{
    UserSettings &settings = m_needs.session.settings();
    const AppState &state = m_needs.session.state();
    settings.write(settingkeys::DataSection, settingkeys::AutoUpdate, QString::number(state.autoUpdate()));
    settings.write(settingkeys::DataSection, settingkeys::HighlightFavourite,
                   QString::number(state.highlightFavourite()));
    settings.write(settingkeys::DataSection, settingkeys::TrackingAid, QString::number(state.trackingAid()));
}

void ShellPanelsController::showLogo(const QPixmap &logo)
{
    m_logo->setPixmap(logo.scaled(m_logo->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void ShellPanelsController::parkPanels()
{
    for (QFrame *panel : {static_cast<QFrame *>(m_config), static_cast<QFrame *>(m_about)}) {
        const QVariant left = panel->property("parkedLeft");
        if (left.isValid())
            panel->move(left.toInt(), panel->y());
    }
}

void ShellPanelsController::toggleConfiguration()
{
    if (m_config->isVisible()) {
        m_config->hide();
        return;
    }
    m_config->clearFavouriteChanged();
    m_config->show();
    m_config->raise();
    QStringList teams;
    const Season &season = m_needs.session.season();
    for (TeamNo team = 0; team < TeamCount; ++team)
        teams << season.teamName(team);
    m_config->fillTeams(teams, m_needs.session.state().favouriteTeam(),
                        [this](int team) { return m_needs.pictures.crest(team); });
}

void ShellPanelsController::hideConfiguration()
{
    m_config->hide();
}

void ShellPanelsController::closeConfiguration()
{
    m_config->hide();
    if (m_config->favouriteChanged())
        redrawMatchDay();
}

void ShellPanelsController::redrawMatchDay()
{
    // The grid comes back from the store: typed results not validated are
    // saved or let go first, or the grid stays as it is until the next redraw.
    if (m_needs.matchDay.settleUnsavedEntries())
        m_needs.matchDay.showCurrentMatchDay();
}

void ShellPanelsController::toggleAbout()
{
    if (m_about->isVisible()) {
        m_about->hide();
        return;
    }
    m_about->showVersion(programinfo::fullVersionText());
    m_about->show();
    m_about->raise();
    emit aboutOpening();
}

void ShellPanelsController::hideAbout()
{
    m_about->hide();
}

void ShellPanelsController::toggleAdjustments()
{
    if (m_adjustments->isVisible()) {
        m_adjustments->hide();
        return;
    }
    m_adjustments->clear();
    const Session &session = m_needs.session;
    const BonusMalus &bonus = session.bonusMalus();
    for (TeamNo team = 0; team < TeamCount; ++team) {
        if (bonus[team] == 0)
            continue;
        const QString sign = bonus[team] > 0 ? QStringLiteral("+") : QString();
        m_adjustments->addItem(session.season().teamName(team) + QStringLiteral(": [ ") + sign
                               + adjustmentText(bonus[team]) + QStringLiteral(" ]"));
    }
    m_adjustments->show();
    m_adjustments->raise();
    emit adjustmentsShown();
}

void ShellPanelsController::showWorkingList()
{
    m_workingList->clear();
    // The rows as the ranking holds them, lowest key first.
    const DisplayedStandings &shown = m_needs.session.standings().displayed();
    for (int i = TeamCount - 1; i >= 0; --i)
        m_workingList->addItem(shown.rows[i].data.rowText());
    m_workingList->show();
    m_workingList->raise();
}

void ShellPanelsController::copyStoreAside()
{
    Session &session = m_needs.session;
    const QDate today = session.clock().now().date();
    const QString failure = storebackup::copyStore(session.programFolder(), today);
    if (!failure.isEmpty())
        m_needs.prompt.inform(QStringLiteral("Sauvegarde"), failure);
    else
        Announcer::say(&m_needs.window, QStringLiteral("Sauvegarde faite : %1.").arg(storebackup::copyName(today)));
}

void ShellPanelsController::printWindow()
{
    printWindowImage(m_needs.window, m_needs.printTarget);
}

void ShellPanelsController::openHelpPage()
{
    m_needs.launcher.openUrl(webpages::help(m_needs.session.state().serverAddress()));
}

void ShellPanelsController::openStoreFile()
{
    m_needs.launcher.openUrl(QUrl::fromLocalFile(m_needs.session.store().path()));
}

void ShellPanelsController::toggleSendingOffer()
{
    Session &session = m_needs.session;
    AppState &state = session.state();
    if (state.sendingOffered()) {
        state.setSendingOffered(false);
        return;
    }
    if (sendingtool::pathIn(session.programFolder()).isEmpty())
        return;
    state.setSendingOffered(true);
    state.setStartTime(session.clock().now().addDays(-SendingOfferDays));
}

bool ShellPanelsController::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        if (watched == m_title)
            toggleSendingOffer();
        else if (watched == m_storeName)
            openStoreFile();
        else if (watched == m_logo)
            showWorkingList();
    }
    return QObject::eventFilter(watched, event);
}
