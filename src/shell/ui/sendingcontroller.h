#pragma once

#include "shell/ui/featureinterfaces.h"

#include <QByteArray>
#include <QObject>

class CommandButtons;
class ExportPanel;
class Launcher;
class NewsLine;
class Prompt;
class QWidget;
class Session;

// Sending the store: the panel `Frame6` that takes the match-day area's place
// ("Expé Fichier"), where a volunteer types the news, the version and the
// points adjustments, reviews what the published file changes, and hands the
// store to the sending tool. The store writes the send and the adjustments;
// the store file as start-up found it is kept here, to review against.
class SendingController : public QObject
{
    Q_OBJECT
public:
    struct Needs
    {
        Session &session;
        Prompt &prompt;
        Launcher &launcher;          // starts the sending tool
        CommandButtons &buttons;     // makes the panel's commands
        MatchDayNavigator &matchDay; // the match day comes back when the panel closes
        Ranking &ranking;            // an adjustment ranks the teams again
        NewsLine &news;              // shows the news as it will be published
        QWidget &window;             // where the panel stands,
        QWidget &matchDayArea;       // ...in place of the match days
    };

    explicit SendingController(const Needs &needs, QObject *parent = nullptr);

    // The store file as start-up found it, which "Envoyer" reviews against.
    void keepStoreAtStart();
    void openPanel();
    // "Envoyer": the review, then the send written into the store, then the tool.
    void send();
    void closePanel();
    // The panel makes way for a match day.
    void hidePanel();
    void insertAdjustment();

private:
    bool reviewed(const QByteArray &published);
    void startSendingTool();

    Needs m_needs;
    ExportPanel *m_panel = nullptr; // Frame6
    QByteArray m_storeAtStart;
};
