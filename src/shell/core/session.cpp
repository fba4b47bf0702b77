#include "shell/core/session.h"

#include "matchday/core/monthcalendar.h"
#include "standings/core/standingsservice.h"

#include <QDir>

Session::Session(QString programFolder, Clock &clock, UserSettings &settings)
    : m_folder(std::move(programFolder))
    , m_clock(clock)
    , m_settings(settings)
    , m_store(m_folder)
{
    m_service = std::make_unique<StandingsService>(m_season, m_store, m_bonusMalus, m_standings);
    connect(&m_store, &ResultStore::changed, this, [this](ResultStore::Change what) {
        // A send's stamp and news change no rank.
        if (what == ResultStore::Change::Publication)
            return;
        loadBonusMalus();
        computeStandings();
        emit resultsRefreshed();
    });
}

Session::~Session() = default;

bool Session::loadSeason()
{
    std::optional<Season> season = Season::load(QDir(m_folder).filePath(SeasonFileName), &m_seasonProblem);
    if (!season)
        return false;
    m_season = std::move(*season);
    return true;
}

void Session::loadBonusMalus()
{
    m_store.loadBonusMalus(m_bonusMalus);
}

DisplayContext Session::displayContext() const
{
    DisplayContext context;
    context.dueMatchDays = m_state.dueMatchDays();
    context.favouriteTeam = m_state.favouriteTeam();
    return context;
}

void Session::computeStandings(MatchDayNo upTo, bool silent, const QString &title)
{
    DisplayContext context = displayContext();
    context.title = title;
    m_service->computeStandings(upTo, silent, context);
}

void Session::refreshDueMatchDays()
{
    m_state.setDueMatchDays(m_season.dueMatchDays(m_clock.now(), m_state.dueMatchDays()));
}
