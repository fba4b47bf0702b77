// Keyboard and screen readers: Escape closes the panel on top, a command
// that opens a panel from the keyboard takes the focus into it, and the
// panels, the table cells and the zones get names a screen reader can say.
#include "shell/ui/mainwindow.h"

#include "shell/core/session.h"
#include "shell/ui/commandbuttons.h"
#include "standings/core/tablereading.h"
#include "standings/ui/matchdaypicker.h"
#include "standings/ui/standingstable.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFont>
#include <QFocusEvent>
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
};

// Other areas of the window, named for screen readers.
constexpr std::array<std::pair<const char *, const char *>, 7> Areas = {{
    {"Frame7", "Journée"},
    {"MatchGrid", "Matches"},
    {"Frame5", "Nouvelle"},
    {"Frame3", "Résumé de l'équipe"},
    {"Frame10", "Écussons des équipes"},
    {"Frame8", "Classements par critère"},
    {"MatchDayPicker", "Choix de la journée"},
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

class MainWindow::AccessParts : public QObject
{
public:
    explicit AccessParts(MainWindow &window) : QObject(&window), w(window) {}

    QWidget *topPanel() const;
    void commandRan(Command command);
    void nameTable();
    void followFocus(QWidget *focused, Qt::FocusReason reason);

    MainWindow &w;
    QPointer<QWidget> lastTop;                       // the panel on top after the last command
    QHash<QWidget *, QPointer<QWidget>> openers;     // panel -> button that opened it from the keyboard
    std::array<QLabel *, TeamCount> zoneMarks{};     // ZoneMark: small text in each name cell
    QFrame *focusRing = nullptr;                     // drawn round the command that has the focus

protected:
    // Watches the application for the focus coming into this window, with
    // the reason it came.
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::FocusIn) {
            if (auto *widget = qobject_cast<QWidget *>(watched); widget && widget->window() == &w)
                followFocus(widget, static_cast<QFocusEvent *>(event)->reason());
        }
        return QObject::eventFilter(watched, event);
    }
};

void MainWindow::AccessParts::followFocus(QWidget *focused, Qt::FocusReason reason)
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
        focusRing->hide();
        return;
    }
    const QRect area(command->mapTo(&w, QPoint(0, 0)), command->size());
    focusRing->setGeometry(area.adjusted(-2, -2, 2, 2));
    focusRing->show();
    focusRing->raise();
}

QWidget *MainWindow::AccessParts::topPanel() const
{
    // The window's children are kept in stacking order: the last one is on top.
    const QObjectList &stack = w.children();
    for (auto it = stack.crbegin(); it != stack.crend(); ++it) {
        auto *widget = qobject_cast<QWidget *>(*it);
        if (widget && !widget->isHidden() && panelInfo(widget->objectName()))
            return widget;
    }
    return nullptr;
}

void MainWindow::AccessParts::commandRan(Command command)
{
    QWidget *top = topPanel();
    QPushButton *button = w.m_buttons->button(command);
    // A button that holds the focus was used from the keyboard: the panel it
    // opened takes the focus, and gives it back when Escape closes it.
    const bool fromKeyboard = button && button->hasFocus();
    if (top && top != lastTop && fromKeyboard) {
        if (QWidget *first = firstFocusable(top)) {
            openers.insert(top, button);
            first->setFocus(Qt::TabFocusReason);
        }
    }
    lastTop = top;
    // The match-day numbers come up with the focus on the match days due.
    auto *picker = w.findChild<MatchDayPicker *>();
    if (fromKeyboard && picker && picker->numbersShown()) {
        const int due = std::clamp(w.m_session.state().dueMatchDays(), 1, int(MatchDayPicker::Count));
        if (QLabel *number = picker->number(due))
            number->setFocus(Qt::TabFocusReason);
    }
}

void MainWindow::AccessParts::nameTable()
{
    const DisplayedStandings &shown = w.m_session.standings().displayed();
    StandingsTable &table = w.standingsTable();
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
        QLabel *&mark = zoneMarks[row];
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
            QPalette pal = mark->palette();
            pal.setColor(QPalette::WindowText, QColor(0x30, 0x30, 0x50));
            mark->setPalette(pal);
        }
        mark->setGeometry(nameCell->width() - 18, 0, 16, nameCell->height());
        mark->setText(tablereading::zoneMark(data.zone));
        mark->setVisible(!mark->text().isEmpty());
    }
}

void MainWindow::installAccess()
{
    m_access = new AccessParts(*this);
    AccessParts &parts = *m_access;

    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, [this] { closeTopPanel(); });
    connect(m_buttons, &CommandButtons::clicked, &parts, [&parts](Command command) { parts.commandRan(command); });

    parts.focusRing = new QFrame(this);
    parts.focusRing->setObjectName(QStringLiteral("FocusRing"));
    parts.focusRing->setFrameStyle(QFrame::Box | QFrame::Plain);
    parts.focusRing->setLineWidth(2);
    parts.focusRing->setAttribute(Qt::WA_TransparentForMouseEvents);
    QPalette ring = parts.focusRing->palette();
    ring.setColor(QPalette::WindowText, QColor(0xFF, 0xD7, 0x00));
    parts.focusRing->setPalette(ring);
    parts.focusRing->hide();
    qApp->installEventFilter(&parts);
    connect(qApp, &QApplication::focusChanged, &parts, [&parts](QWidget *, QWidget *now) {
        if (!now || now->window() != &parts.w)
            parts.focusRing->hide();
    });

    for (const PanelInfo &panel : Panels) {
        if (auto *widget = findChild<QWidget *>(QLatin1String(panel.objectName)))
            widget->setAccessibleName(QString::fromUtf8(panel.spokenName));
    }
    for (const auto &[objectName, spoken] : Areas) {
        if (auto *widget = findChild<QWidget *>(QLatin1String(objectName)))
            widget->setAccessibleName(QString::fromUtf8(spoken));
    }
    auto *exportButton = findChild<QWidget *>(QStringLiteral("BtExport"));
    if (exportButton)
        exportButton->setAccessibleDescription(exportButton->toolTip());

    // The exact calculation's box belongs with "Classement Possible !!!".
    if (auto *exact = findChild<QWidget *>(QStringLiteral("CheckExact")))
        setTabOrder(m_buttons->button(Command::ReachableRanks), exact);

    // Tab runs down the side column, through the match day's boxes and its
    // "Valider", then to the commands under the table.
    QList<QWidget *> underTable{exportButton};
    if (auto *sorts = findChild<QWidget *>(QStringLiteral("Frame8"))) {
        for (QPushButton *button : sorts->findChildren<QPushButton *>())
            underTable << button;
    }
    underTable << findChild<QWidget *>(QStringLiteral("Check2"));
    QWidget *previous = m_buttons->button(Command::Save);
    for (QWidget *next : underTable) {
        if (previous && next) {
            setTabOrder(previous, next);
            previous = next;
        }
    }

    connect(&m_session.standings(), &StandingsModel::displayedChanged, &parts, [&parts] { parts.nameTable(); });
    connect(&m_session.standings(), &StandingsModel::movementsChanged, &parts, [&parts] { parts.nameTable(); });
}

bool MainWindow::closeTopPanel()
{
    QWidget *top = m_access->topPanel();
    if (!top)
        return false;
    const QPointer<QWidget> opener = m_access->openers.take(top);
    const PanelInfo *panel = panelInfo(top->objectName());
    if (panel->closeCommand)
        runCommand(*panel->closeCommand);
    else
        top->hide();
    m_access->lastTop = m_access->topPanel();
    if (opener && opener->isVisible())
        opener->setFocus(Qt::OtherFocusReason);
    return true;
}
