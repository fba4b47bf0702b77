#pragma once

#include "shell/ui/featureinterfaces.h"

#include <QObject>

class AboutPanel;
class CommandButtons;
class ConfigPanel;
class Launcher;
class Pictures;
class PrintTarget;
class Prompt;
class QLabel;
class QListWidget;
class QPixmap;
class QWidget;
class Session;

// The shell's own panels and small commands: the head of the side column
// (logo, title, store name, each a hidden command of its own), the
// configuration (`FraCon`) with the preferences, the about box (`FraAP`),
// the points adjustments (`List8`), the standings working list (`List2`),
// the help page, the dated copy of the store, printing and the switch that
// offers to send the store. The preferences are the application state's,
// read from and written to the user's settings here; the boxes render them.
class ShellPanelsController : public QObject
{
    Q_OBJECT
public:
    struct Needs
    {
        Session &session;
        Prompt &prompt;
        Pictures &pictures;
        Launcher &launcher;
        PrintTarget &printTarget;
        CommandButtons &buttons;     // makes the panels' close commands
        MatchDayNavigator &matchDay; // a new favourite shows the current match day in its colours
        Ranking &ranking;            // ...and the table
        QWidget &window;             // where the panels stand; what is printed
    };

    explicit ShellPanelsController(const Needs &needs, QObject *parent = nullptr);

    // The preferences from the user's settings, as start-up reads them, and
    // back into them when the program closes.
    void restorePreferences();
    void writePreferences();
    // The logo at the head of the side column, once the pictures are ready.
    void showLogo(const QPixmap &logo);
    // The panels that stand in the window's margin while closed come in.
    void parkPanels();

    void toggleConfiguration();
    void closeConfiguration();
    void hideConfiguration();
    void toggleAbout();
    void hideAbout();
    void toggleAdjustments();
    void showWorkingList();
    void copyStoreAside();
    void printWindow();
    void openHelpPage();
    void openStoreFile();
    void toggleSendingOffer();

signals:
    // The about box is about to open: the donors make way.
    void aboutOpening();
    // The adjustments cover part of the table: its row rules make way.
    void adjustmentsShown();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildSideColumnHead();
    void buildConfiguration();
    void buildAbout();
    void chooseFavourite(int position, const QString &text);
    void redrawMatchDay();

    Needs m_needs;
    QLabel *m_logo = nullptr;      // Image2
    QLabel *m_title = nullptr;     // Label8: the switch that offers to send the store
    QLabel *m_storeName = nullptr; // Label21: opens the store file
    ConfigPanel *m_config = nullptr;
    AboutPanel *m_about = nullptr;
    QListWidget *m_adjustments = nullptr; // List8
    QListWidget *m_workingList = nullptr; // List2
};
