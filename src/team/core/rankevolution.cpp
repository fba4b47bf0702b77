#include "team/core/rankevolution.h"

#include <algorithm>

namespace rankevolution {

std::vector<Series> compute(const RankingHistory &history, const Season &season, const QList<TeamNo> &teams)
{
    std::vector<Series> chart;
    for (const TeamNo team : teams) {
        if (team < 0 || team >= TeamCount || int(chart.size()) == MaxTeams)
            continue;
        if (std::any_of(chart.begin(), chart.end(), [team](const Series &s) { return s.team == team; }))
            continue;
        Series series;
        series.team = team;
        series.name = season.teamName(team);
        for (MatchDayNo day = 1; day <= MatchDayCount; ++day)
            series.ranks[day - 1] = history.rankOf(day, series.name);
        chart.push_back(series);
    }
    return chart;
}

MatchDayNo lastKnownMatchDay(const std::vector<Series> &series)
{
    MatchDayNo last = 0;
    for (const Series &s : series) {
        for (MatchDayNo day = MatchDayCount; day > last; --day) {
            if (s.ranks[day - 1] > 0) {
                last = day;
                break;
            }
        }
    }
    return last;
}

} // namespace rankevolution
