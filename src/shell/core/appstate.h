#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

// What the user has chosen or the program has established during a run: the
// favourite team, the preference boxes, the number of match days already due
// and the moment start-up began. Panels read it and listen to its signals.
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

    bool autoUpdate() const { return m_autoUpdate; }
    void setAutoUpdate(bool on) { m_autoUpdate = on; }
    bool highlightFavourite() const { return m_highlight; }
    void setHighlightFavourite(bool on) { m_highlight = on; }
    bool trackingAid() const { return m_trackingAid; }
    void setTrackingAid(bool on);

    QDateTime startTime() const { return m_startTime; }
    void setStartTime(const QDateTime &moment) { m_startTime = moment; }

signals:
    void favouriteTeamChanged(const QString &team);
    void dueMatchDaysChanged(int due);
    void trackingAidChanged(bool on);

private:
    QString m_favourite;
    int m_due = InitialDueMatchDays;
    bool m_autoUpdate = false;
    bool m_highlight = false;
    bool m_trackingAid = false;
    QDateTime m_startTime;
};
