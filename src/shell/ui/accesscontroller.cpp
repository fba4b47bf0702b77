#include "shell/ui/accesscontroller.h"

#include "shared/ui/announcer.h"
#include "shared/ui/windowstyle.h"
#include "shell/core/session.h"
#include "shell/ui/commandbuttons.h"
#include "standings/core/tablereading.h"
#include "standings/ui/matchdaypicker.h"
#include "standings/ui/standingstable.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QFont>
#include <QFrame>
#include <QHash>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>

#include <algorithm>
#include <array>
#include <optional>

namespace {

const QColor ZoneMarkColour = windowstyle::colour(palette::window::ZoneMarkText);

// What is announced when a command appears without a word on screen.
const QString SaveOffered =
    QStringLiteral("« Valider » est apparu : Entrée ou « Valider » enregistre les résultats tapés.");
const QString SendingOffered =
    QStringLiteral("« Expé Fichier » est apparu : le fichier de résultats peut être envoyé.");

// The panels that slide in over the window, how each closes (the command of
// its own "Fermer", or none when it is simply hidden) and what it is called.
struct PanelInfo
{
    const char *objectName;
    std::optional<Command> closeCommand;
    const char *spokenName;
};

constexpr std::array Panels = {
    PanelInfo{"FraCon", Command::CloseConfiguration, "Configuration"},
    PanelInfo{"FraAP", Command::CloseAbout, "À propos"},
    PanelInfo{"FraDon", Command::CloseDonors, "Partenaires et donateurs"},
    PanelInfo{"FraPlus", Command::CloseHighlights, "Records de la saison"},
    PanelInfo{"Frame4", Command::CloseGraph, "Graphique de l'évolution du classement"},
    PanelInfo{"FraPlanning", Command::CloseTeamCard, "Fiche de l'équipe"},
    PanelInfo{"Frame6", Command::CloseSending, "Expédition du fichier de résultats"},
    PanelInfo{"List8", std::nullopt, "Ajustements de points"},
    PanelInfo{"Text4", std::nullopt, "Cartons par journée"},
    PanelInfo{"List2", std::nullopt, "Liste de travail du classement"},
    PanelInfo{"FraStats", std::nullopt, "Statistiques"},
};

// Other areas of the window, named for screen readers.
constexpr std::array<std::pair<const char *, const char *>, 10> Areas = {{
    {"Frame7", "Journée"},
    {"MatchGrid", "Matches"},
    {"Frame5", "Nouvelle"},
    {"Frame3", "Résumé de l'équipe"},
    {"Frame10", "Écussons des équipes"},
    {"Frame8", "Classements par critère"},
    {"MatchDayPicker", "Choix de la journée"},
    {"List9", "Choix de l'équipe de la fiche"},
    {"List4", "Choix de l'équipe du graphique"},
    {"List6", "Choix de l'équipe favorite"},
}};

const PanelInfo *panelInfo(const QString &objectName)
{
    for (const PanelInfo &panel : Panels) {
        if (objectName == QLatin1String(panel.objectName))
            return &panel;
    }
    return nullptr;
}

// The first widget Tab reaches inside `panel`, or nothing.
QWidget *firstFocusable(QWidget *panel)
{
    QWidget *w = panel;
    for (int guard = 0; guard < 10000; ++guard) {
        w = w->nextInFocusChain();
        if (!w || w == panel)
            return nullptr;
        if (panel->isAncestorOf(w) && w->isVisibleTo(panel) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus))
            return w;
    }
    return nullptr;
}

} // namespace

void AccessController::followFocus(QWidget *focused, Qt::FocusReason reason)
{
    // The buttons' own focus frame hardly shows on their dark blue: a gold
    // ring goes round the focused command, a button or one of the labels that
    // take the focus (months, match days), when the keyboard brought it
    // there; not for the focus a window gets as it opens. Boxes show their
    // text cursor.
    QWidget *command = qobject_cast<QAbstractButton *>(focused);
    if (!command)
        command = qobject_cast<QLabel *>(focused);
    const bool keyboard = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason
                          || reason == Qt::ShortcutFocusReason || reason == Qt::OtherFocusReason;
    if (!command || !keyboard || !command->isVisible()) {
        m_focusRing->hide();
        return;
    }
    const QRect area(command->mapTo(&m_needs.window, QPoint(0, 0)), command->size());
    m_focusRing->setGeometry(area.adjusted(-2, -2, 2, 2));
    m_focusRing->show();
    m_focusRing->raise();
}

QWidget *AccessController::topPanel() const
{
    // The window's children are kept in stacking order: the last one is on top.
    const QObjectList &stack = m_needs.window.children();
    for (auto it = stack.crbegin(); it != stack.crend(); ++it) {
        auto *widget = qobject_cast<QWidget *>(*it);
        if (widget && !widget->isHidden() && panelInfo(widget->objectName()))
            return widget;
    }
    return nullptr;
}

void AccessController::commandRan(Command command)
{
    QWidget *top = topPanel();
    QPushButton *button = m_needs.buttons.button(command);
    // A button that holds the focus was used from the keyboard: the panel it
    // opened takes the focus, and gives it back when Escape closes it.
    const bool fromKeyboard = button && button->hasFocus();
    if (top && top != m_lastTop && fromKeyboard) {
        if (QWidget *first = firstFocusable(top)) {
            m_openers.insert(top, button);
            first->setFocus(Qt::TabFocusReason);
        }
    }
    m_lastTop = top;
    // The match-day numbers come up with the focus on the match days due.
    auto *picker = m_needs.window.findChild<MatchDayPicker *>();
    if (fromKeyboard && picker && picker->numbersShown()) {
        const int due = std::clamp(m_needs.session.state().dueMatchDays(), 1, int(MatchDayPicker::Count));
        if (QLabel *number = picker->number(due))
            number->setFocus(Qt::TabFocusReason);
    }
}

void AccessController::nameTable()
{
    const DisplayedStandings &shown = m_needs.session.standings().displayed();
    StandingsTable &table = m_needs.table;
    for (int row = 0; row < TeamCount; ++row) {
        const DisplayedRow &data = shown.rows[row];
        const QString name = tablereading::rowName(data);
        const QString description = tablereading::rowDescription(data);
        for (const char *column : {"LabClass", "Tclass"}) {
            if (QLabel *cell = table.cell(QLatin1String(column), row)) {
                cell->setAccessibleName(name);
                cell->setAccessibleDescription(description);
            }
        }
        for (const auto &[column, spoken] : tablereading::cellNames(data)) {
            if (QLabel *cell = table.cell(column, row))
                cell->setAccessibleName(spoken);
        }
        if (QLabel *icon = table.movementIcon(row))
            icon->setAccessibleName(tablereading::movementName(data));

        // The zone told by a mark as well as by the colour, which the
        // favourite's yellow may cover.
        QLabel *nameCell = table.cell(QStringLiteral("Tclass"), row);
        if (!nameCell)
            continue;
        QLabel *&mark = m_zoneMarks[row];
        if (!mark) {
            mark = new QLabel(nameCell);
            mark->setObjectName(QStringLiteral("ZoneMark"));
            mark->setProperty("index", row);
            mark->setAttribute(Qt::WA_TransparentForMouseEvents);
            mark->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            QFont small = mark->font();
            small.setPointSize(6);
            small.setBold(false);
            mark->setFont(small);
            windowstyle::setTextColour(mark, ZoneMarkColour);
        }
        mark->setGeometry(nameCell->width() - 18, 0, 16, nameCell->height());
        mark->setText(tablereading::zoneMark(data.zone));
        mark->setVisible(!mark->text().isEmpty());
    }
}

AccessController::AccessController(const Needs &needs, QObject *parent)
    : QObject(parent)
    , m_needs(needs)
{
    QWidget *window = &needs.window;
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, [this] { closeTopPanel(); });
    connect(&needs.buttons, &CommandButtons::clicked, this, &AccessController::commandRan);

    m_focusRing = new QFrame(window);
    m_focusRing->setObjectName(QStringLiteral("FocusRing"));
    m_focusRing->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_focusRing->setLineWidth(2);
    m_focusRing->setAttribute(Qt::WA_TransparentForMouseEvents);
    windowstyle::setTextColour(m_focusRing, windowstyle::Gold);
    m_focusRing->hide();
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (!now || !m_needs.window.isAncestorOf(now))
            m_focusRing->hide();
    });

    m_announcer = new Announcer(window);
    AppState &state = needs.session.state();
    connect(&state, &AppState::unsavedEntriesChanged, this, [this](bool waiting) {
        if (waiting)
            m_announcer->announce(SaveOffered);
    });
    connect(&state, &AppState::sendingOfferedChanged, this, [this](bool offered) {
        if (offered)
            m_announcer->announce(SendingOffered);
    });

    nameAreas();
    orderTab();
    const StandingsModel &model = needs.session.standings();
    connect(&model, &StandingsModel::displayedChanged, this, &AccessController::nameTable);
    connect(&model, &StandingsModel::movementsChanged, this, &AccessController::nameTable);
}

bool AccessController::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        if (auto *widget = qobject_cast<QWidget *>(watched); widget && m_needs.window.isAncestorOf(widget))
            followFocus(widget, static_cast<QFocusEvent *>(event)->reason());
    }
    return QObject::eventFilter(watched, event);
}

void AccessController::nameAreas()
{
    QWidget &window = m_needs.window;
    for (const PanelInfo &panel : Panels) {
        if (auto *widget = window.findChild<QWidget *>(QLatin1String(panel.objectName)))
            widget->setAccessibleName(QString::fromUtf8(panel.spokenName));
    }
    for (const auto &[objectName, spoken] : Areas) {
        if (auto *widget = window.findChild<QWidget *>(QLatin1String(objectName)))
            widget->setAccessibleName(QString::fromUtf8(spoken));
    }
    if (auto *exportButton = window.findChild<QWidget *>(QStringLiteral("BtExport")))
        exportButton->setAccessibleDescription(exportButton->toolTip());
}

void AccessController::orderTab()
{
    QWidget &window = m_needs.window;
    // The exact calculation's box belongs with "Classement Possible !!!".
    if (auto *exact = window.findChild<QWidget *>(QStringLiteral("CheckExact")))
        QWidget::setTabOrder(m_needs.buttons.button(Command::ReachableRanks), exact);

    // Tab runs down the side column, through the match day's boxes and its
    // "Valider", then into the table, then to the commands under it.
    QList<QWidget *> underTable{m_needs.table.grid(), window.findChild<QWidget *>(QStringLiteral("BtStats")),
                                window.findChild<QWidget *>(QStringLiteral("BtExport"))};
    if (auto *sorts = window.findChild<QWidget *>(QStringLiteral("Frame8"))) {
        for (QPushButton *button : sorts->findChildren<QPushButton *>())
            underTable << button;
    }
    underTable << window.findChild<QWidget *>(QStringLiteral("Check2"));
    QWidget *previous = m_needs.buttons.button(Command::Save);
    for (QWidget *next : underTable) {
        if (previous && next) {
            QWidget::setTabOrder(previous, next);
            previous = next;
        }
    }
}

bool AccessController::closeTopPanel()
{
    QWidget *top = topPanel();
    if (!top)
        return false;
    const QPointer<QWidget> opener = m_openers.take(top);
    const PanelInfo *panel = panelInfo(top->objectName());
    if (panel->closeCommand)
        m_needs.commands.run(*panel->closeCommand);
    else
        top->hide();
    m_lastTop = topPanel();
    if (opener && opener->isVisible())
        opener->setFocus(Qt::OtherFocusReason);
    return true;
}
