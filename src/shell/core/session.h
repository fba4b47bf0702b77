#pragma once

#include "season/core/clock.h"
#include "season/core/resultstore.h"
#include "season/core/season.h"
#include "season/core/usersettings.h"
#include "shell/core/appstate.h"
#include "standings/core/displayedstandings.h"

#include <QObject>
#include <QString>

#include <memory>

class StandingsService;

// The data of one run of the program: the season, the results store and its
// points adjustments, the standings on display and the application state.
// The main window and its panels render it; only these operations change it.
// Every change of the results store, whoever made it, recomputes the
// standings here once; the views redraw from resultsRefreshed().
class Session : public QObject
{
    Q_OBJECT
public:
    Session(QString programFolder, Clock &clock, UserSettings &settings);
    ~Session();

    static inline const QString &SeasonFileName = storefiles::Season;

    QString programFolder() const { return m_folder; }
    Clock &clock() { return m_clock; }
    UserSettings &settings() { return m_settings; }
    const Season &season() const { return m_season; }
    ResultStore &store() { return m_store; }
    const BonusMalus &bonusMalus() const { return m_bonusMalus; }
    StandingsModel &standings() { return m_standings; }
    AppState &state() { return m_state; }

    // False when the season file is missing or unusable: the program cannot
    // run then, and seasonProblem() tells why in French.
    [[nodiscard]] bool loadSeason();
    QString seasonProblem() const { return m_seasonProblem; }
    // Told once at start-up when the choice of the program folder has
    // something to say (two results stores that differ); empty otherwise.
    void setFolderNotice(const QString &notice) { m_folderNotice = notice; }
    QString folderNotice() const { return m_folderNotice; }
    void loadBonusMalus();
    // Recomputes the standings up to a match day (0 for the whole season);
    // silent keeps the table as it is and only refreshes who holds which rank.
    // A title, when given, replaces the table's own.
    void computeStandings(MatchDayNo upTo = 0, bool silent = false, const QString &title = {});
    // What the table needs to know beyond the results.
    DisplayContext displayContext() const;
    // Puts DueMatchDays in line with the clock.
    void refreshDueMatchDays();

signals:
    // The store changed and the whole season's standings are computed anew,
    // with the points adjustments it now holds.
    void resultsRefreshed();

private:
    QString m_folder;
    QString m_seasonProblem;
    QString m_folderNotice;
    Clock &m_clock;
    UserSettings &m_settings;
    Season m_season;
    ResultStore m_store;
    BonusMalus m_bonusMalus{};
    StandingsModel m_standings;
    AppState m_state;
    std::unique_ptr<StandingsService> m_service;
};
