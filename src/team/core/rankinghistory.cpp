#include "team/core/rankinghistory.h"

#include "shared/core/palette.h"
#include "standings/core/leaguezones.h"
#include "standings/core/standingsengine.h"

#include <algorithm>

namespace {
constexpr quint32 Opaque = 0xFF000000u;
constexpr quint32 Champion = Opaque | palette::graph::Champion;
constexpr quint32 Relegation = Opaque | palette::graph::Relegation;
constexpr quint32 Midtable = Opaque | palette::graph::Midtable;

bool dueBy(const Season &season, MatchDayNo day, const QDateTime &limit)
{
    const QDate date = season.matchDayDate(day);
    return date.isValid() && QDateTime(date, QTime(0, 0)) <= limit;
}
} // namespace

void RankingHistory::set(MatchDayNo day, const Order &order)
{
    if (day < 1 || day > MatchDayCount)
        return;
    m_orders[day] = order;
    m_known[day] = true;
}

int RankingHistory::rankOf(MatchDayNo day, const QString &team) const
{
    if (!has(day))
        return 0;
    const Order &order = m_orders[day];
    const auto at = std::find(order.begin(), order.end(), team);
    return at == order.end() ? 0 : int(at - order.begin()) + 1;
}

bool RankingHistory::isEmpty() const
{
    return std::none_of(m_known.begin(), m_known.end(), [](bool known) { return known; });
}

QDateTime historyDateLimit(const QDateTime &now, bool simulated)
{
    return simulated ? now.addDays(1000) : now;
}

MatchDayNo buildRankingHistory(RankingHistory &history, const Season &season, const ResultStore &store,
                               const BonusMalus &bonusMalus, const QDateTime &limit,
                               const std::function<bool()> &carryOn)
{
    MatchDayNo last = 0;
    // One look at the store's file for the whole build.
    const IniFile::Hold hold(store.ini());
    for (MatchDayNo day = 1; day <= MatchDayCount; ++day) {
        if (dueBy(season, day, limit)) {
            const Standings standings = computeStandings(season, store, bonusMalus, day);
            RankingHistory::Order order;
            for (int r = 0; r < TeamCount; ++r)
                order[r] = standings.rows[r].name;
            history.set(day, order);
            last = day;
        }
        if (carryOn && !carryOn())
            break;
    }
    return last;
}

RankingHistory historyUpTo(const RankingHistory &history, const Season &season, const QDateTime &limit)
{
    RankingHistory kept;
    for (MatchDayNo day = 1; day <= MatchDayCount; ++day) {
        if (history.has(day) && dueBy(season, day, limit))
            kept.set(day, history.order(day));
    }
    return kept;
}

GraphBar graphBar(int rank)
{
    GraphBar bar;
    bar.rank = rank;
    bar.height = 200 + 350 * (TeamCount - rank);
    bar.top = GraphBar::BaseLine - bar.height;
    bar.caption = QString::number(rank);
    bar.colour = rank == leaguezones::Champion ? Champion : leaguezones::relegated(rank) ? Relegation : Midtable;
    return bar;
}

std::array<std::optional<GraphBar>, MatchDayCount> graphBars(const RankingHistory &history, const QString &team)
{
    std::array<std::optional<GraphBar>, MatchDayCount> bars;
    for (MatchDayNo day = 1; day <= MatchDayCount; ++day) {
        const int rank = history.rankOf(day, team);
        if (rank > 0)
            bars[day - 1] = graphBar(rank);
    }
    return bars;
}

QString graphTitle(const QString &team)
{
    return QStringLiteral("Evolution du classement de : ") + team;
}
