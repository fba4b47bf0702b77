#pragma once

// What a match is worth, wherever the program counts it: the table, the team
// card, the title race, the outlook and the statistics all read these.
namespace leaguepoints {

// Points for the side that wins, draws or loses a match.
inline constexpr int Win = 3;
inline constexpr int Draw = 1;
inline constexpr int Loss = 0;

// The outlook (outlooksearch.cpp, outlookwitness.cpp, rankoutlook.cpp) is
// written for 3/1/0, not merely with these names: it reasons on a game
// handing out Win + Loss to one side or Draw to each, so that a draw hands
// out less than a win; its flow network counts each game in units of those
// points (a whole win, 6 units of half a point when a team must reach a
// line; 2 for the points a game must hand out when teams must stay under
// one) and its bounds take "a team can still gain 0 to Win per game, all but
// Win - 1 of them" as given. Other values mean rewriting those.
static_assert(Win == 3 && Draw == 1 && Loss == 0, "the outlook's search and bounds are written for 3/1/0");

// Fair-play points a card costs; the fewer, the fairer.
inline constexpr int RedCard = 3;
inline constexpr int YellowCard = 1;

} // namespace leaguepoints
