#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

// What the user has chosen or the program has established during a run: the
// favourite team, the preferences, the number of match days already due, the
// moment start-up began, the match day on display, whether typed results wait
// to be saved, the team the summary shows, the team the next team card opens
// on, whether sending the store is offered, the last results update and the
// server addresses. Panels read it and listen to its signals; the widgets
// render it and never hold it. The shell and the features set it.
class AppState : public QObject
{
    Q_OBJECT
public:
    // Until the match-day dates say otherwise, every match day counts as due.
    static constexpr int InitialDueMatchDays = 40;

    using QObject::QObject;

    QString favouriteTeam() const { return m_favourite; }
    void setFavouriteTeam(const QString &team);

    int dueMatchDays() const { return m_due; }
    void setDueMatchDays(int due);

    // The preferences of the configuration panel.
    bool autoUpdate() const { return m_autoUpdate; }
    void setAutoUpdate(bool on);
    bool highlightFavourite() const { return m_highlight; }
    void setHighlightFavourite(bool on);
    bool trackingAid() const { return m_trackingAid; }
    void setTrackingAid(bool on);

    QDateTime startTime() const { return m_startTime; }
    void setStartTime(const QDateTime &moment) { m_startTime = moment; }

    // The match day the match grid shows, 0 while it lists a team's season.
    int displayedMatchDay() const { return m_displayedMatchDay; }
    void setDisplayedMatchDay(int day) { m_displayedMatchDay = day; }

    // Results typed into the grid and not saved yet: "Valider" waits for them.
    bool unsavedEntries() const { return m_unsaved; }
    void setUnsavedEntries(bool waiting);

    // The team the summary panel shows; empty before the first one.
    QString summaryTeam() const { return m_summaryTeam; }
    void setSummaryTeam(const QString &team);

    // The team the next opening of the team card shows; empty for the
    // favourite team or, without one, the leader.
    QString cardRequest() const { return m_cardRequest; }
    void setCardRequest(const QString &team) { m_cardRequest = team; }

    // Whether the side column offers to send the store ("Expé Fichier"): after
    // a save that follows earlier changes, or by the title's switch.
    bool sendingOffered() const { return m_sendingOffered; }
    void setSendingOffered(bool offered);

    // When the last results update started; invalid before the first one.
    // The update button rests for a minute after it.
    QDateTime lastUpdate() const { return m_lastUpdate; }
    void setLastUpdate(const QDateTime &moment) { m_lastUpdate = moment; }

    // The author's web server ("http://host") and the download portal page.
    QString serverAddress() const { return m_server; }
    void setServerAddress(const QString &address) { m_server = address; }
    QString portalAddress() const { return m_portal; }
    void setPortalAddress(const QString &address) { m_portal = address; }

signals:
    void dueMatchDaysChanged(int due);
    void autoUpdateChanged(bool on);
    void highlightFavouriteChanged(bool on);
    void trackingAidChanged(bool on);
    void unsavedEntriesChanged(bool waiting);
    void summaryTeamChanged(const QString &team);
    void sendingOfferedChanged(bool offered);

private:
    QString m_favourite;
    int m_due = InitialDueMatchDays;
    bool m_autoUpdate = false;
    bool m_highlight = false;
    bool m_trackingAid = false;
    QDateTime m_startTime;
    int m_displayedMatchDay = 0;
    bool m_unsaved = false;
    QString m_summaryTeam;
    QString m_cardRequest;
    bool m_sendingOffered = false;
    QDateTime m_lastUpdate;
    QString m_server;
    QString m_portal;
};
