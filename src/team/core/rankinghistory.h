#pragma once

#include "season/core/resultstore.h"
#include "season/core/season.h"

#include <QDateTime>
#include <QString>

#include <array>
#include <functional>
#include <optional>

// The order of the league after each match day, for the ranking graph. An
// entry, once computed, stays for the whole run and is only overwritten: the
// match days beyond today computed with the simulated results remain after
// the simulated results are switched off again.
class RankingHistory
{
public:
    using Order = std::array<QString, TeamCount>; // team names from rank 1 down

    bool has(MatchDayNo day) const { return day >= 1 && day <= MatchDayCount && m_known[day]; }
    const Order &order(MatchDayNo day) const { return m_orders.at(day); }
    void set(MatchDayNo day, const Order &order);
    // The team's row number + 1 after the match day, 0 when unknown.
    int rankOf(MatchDayNo day, const QString &team) const;
    bool isEmpty() const;

private:
    std::array<Order, MatchDayCount + 1> m_orders;
    std::array<bool, MatchDayCount + 1> m_known{};
};

// Match days up to this moment count; with the simulated results, every
// match day up to 1000 days ahead.
QDateTime historyDateLimit(const QDateTime &now, bool simulated);

// Computes the order after each match day 1..38 whose date is not after
// `limit`. `carryOn` is asked after each match day; when it answers false
// the build stops there. Returns the last match day computed, 0 for none.
MatchDayNo buildRankingHistory(RankingHistory &history, const Season &season, const ResultStore &store,
                               const BonusMalus &bonusMalus, const QDateTime &limit,
                               const std::function<bool()> &carryOn = {});

// The entries of `history` for the match days whose date is not after
// `limit`: what stays of the graph's history once the simulated match days
// are left out.
RankingHistory historyUpTo(const RankingHistory &history, const Season &season, const QDateTime &limit);

// One bar of the graph, in twips inside the panel: every bar stands on the
// same line, rank 1 the tallest.
struct GraphBar
{
    static constexpr int BaseLine = 8800;
    static constexpr int Hidden = -1800; // top of a bar never drawn: out of sight

    int rank = 0;
    int height = 0;
    int top = 0;
    QString caption;
    quint32 colour = 0; // 0xAARRGGBB
};

GraphBar graphBar(int rank);
// Bar k is match day k + 1; no value for a match day without history.
std::array<std::optional<GraphBar>, MatchDayCount> graphBars(const RankingHistory &history, const QString &team);

// "Evolution du classement de : " followed by the team.
QString graphTitle(const QString &team);
