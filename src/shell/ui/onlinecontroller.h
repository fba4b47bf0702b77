#pragma once

#include "online/core/resultsupdate.h"
#include "shell/ui/featureinterfaces.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>

class CommandButtons;
class DonorsFetch;
class DonorsPanel;
class Downloader;
class Launcher;
class NewsLine;
class Prompt;
class QColor;
class QLabel;
class QWidget;
class Session;
class StoreChanges;

// The online features: the results update from the author's web server with
// the version check and the line telling what it changed (`LabChangements`),
// and the donors list (`FraDon`) with its weekly refresh. Downloads run on
// the event loop: the window stays usable meanwhile, with the busy pointer
// and a status line (`LabEtat`) while one runs; the update's own guard keeps
// a second one from starting. The store replaces itself with a download.
class OnlineController : public QObject
{
    Q_OBJECT
public:
    struct Needs
    {
        Session &session;
        Prompt &prompt;
        Launcher &launcher;
        Downloader *downloader;      // null: no network, every download fails
        CommandButtons &buttons;     // makes the donors' close; rests the update's button
        Ranking &ranking;            // the table follows an update
        MatchDayNavigator &matchDay; // the grid follows an update and marks what it changed
        NewsLine &news;              // the news the update brought
        QWidget &window;             // where the donors and the status line stand,
        QWidget &matchDayArea;       // ...the donors over the match days
    };

    explicit OnlineController(const Needs &needs, QObject *parent = nullptr);
    ~OnlineController() override;

    // "Mise à Jour"; at most once a minute, and not over typed results unless
    // the volunteer lets them go.
    void runResultsUpdate();
    // For a minute after an update its button rests in grey.
    void markUpdateButtonResting();

    void toggleDonors();
    void closeDonors();
    void stopDonorsTicker();
    void restartDonorsTicker();
    // On a Friday start, the donors list when the last fetch is a day old.
    void refreshDonorsWeekly();

signals:
    // Announced so that tests can follow what start-up asked for.
    void resultsUpdateRequested();
    void donorsFetchRequested();
    // The volunteer took the newer version: the program ends at once.
    void newerVersionChosen();
    // The store's stamp after an update, and the colour telling whether it
    // brought newer, older or the same results.
    void stampShown(const QString &stamp);
    void stampColoured(const QColor &colour);

private:
    enum Activity { UpdateActivity = 1, DonorsActivity = 2 };

    void buildDonorsPanel();
    // A download the user should see working: busy pointer and a status line.
    void beginActivity(int id, const QString &text);
    void endActivity(int id);
    void setActivityText(int id, const QString &text);
    void showStatus();

    void updateFinished(const ResultsUpdate::Outcome &outcome);
    // Another program changed the store: its stamp and news, or a word
    // that the stored results changed while typed ones wait.
    void tellStoreChange();
    // What the update changed, in a line under the grid and marks in it.
    void showChanges(const StoreChanges &found);
    // False when the user takes the newer version: the program is ending.
    bool checkVersion();
    void colourStamp(const QString &previous, const QString &current);

    void openDonors();
    void showDonors();
    void loadDonors();
    void donorsFetched(bool ok);

    Needs m_needs;
    ResultsUpdate *m_update;
    DonorsFetch *m_donorsFetch;
    DonorsPanel *m_panel = nullptr;
    QPointer<QLabel> m_status;   // LabEtat
    QLabel *m_changes = nullptr; // LabChangements
    QList<QPair<int, QString>> m_activities;
    bool m_matchDayWasVisible = true;    // Frame7 before the donors panel covered it
    bool m_openDonorsAfterFetch = false; // the Friday refresh opens the panel once fetched
};
