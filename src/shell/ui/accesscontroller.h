#pragma once

#include "shell/ui/featureinterfaces.h"

#include <QHash>
#include <QObject>
#include <QPointer>

#include <array>

class Announcer;
class CommandButtons;
class QFrame;
class QLabel;
class QWidget;
class Session;
class StandingsTable;

// Keyboard and screen readers: Escape closes the panel on top, a command
// that opens a panel from the keyboard takes the focus into it and gives it
// back when the panel closes, a gold ring shows the command the keyboard
// reached, Tab follows the order the window reads in, and the panels, the
// table's cells and the zones get names a screen reader can say, and what
// appears without a word ("Valider", "Expé Fichier") is announced. Built
// last, it orders and names what every feature has built in the window.
class AccessController : public QObject
{
    Q_OBJECT
public:
    struct Needs
    {
        Session &session;
        CommandButtons &buttons; // the commands, in the order Tab reaches them
        CommandRunner &commands; // a panel closes with its own close command
        StandingsTable &table;   // whose cells are named
        QWidget &window;         // whose panels and areas are named
    };

    explicit AccessController(const Needs &needs, QObject *parent = nullptr);

    // Closes the open panel on top, as its own close command would; false
    // when no panel is open.
    bool closeTopPanel();
    // The window's announcer, through which any feature speaks.
    Announcer &announcer() const { return *m_announcer; }

protected:
    // Watches the application for the focus coming into this window, with
    // the reason it came.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void nameAreas();
    void orderTab();
    QWidget *topPanel() const;
    void commandRan(Command command);
    void nameTable();
    void followFocus(QWidget *focused, Qt::FocusReason reason);

    Needs m_needs;
    QPointer<QWidget> m_lastTop;                   // the panel on top after the last command
    QHash<QWidget *, QPointer<QWidget>> m_openers; // panel -> button that opened it from the keyboard
    std::array<QLabel *, TeamCount> m_zoneMarks{}; // ZoneMark: small text in each name cell
    QFrame *m_focusRing = nullptr;                 // drawn round the command that has the focus
    Announcer *m_announcer = nullptr;
};
