#include "standings/core/outlookmip.h"

#include <glpk.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

enum class Goal { FewestAbove, MostReaching };

struct ProblemDeleter
{
    void operator()(glp_prob *p) const { glp_delete_prob(p); }
};

// Two binaries per game, "home wins" and "away wins"; neither means a draw.
// A team's gain is then its number of games plus, per game, twice its own
// win variable minus its opponent's (3 for a win, 1 for a draw, 0 for a
// loss). One binary per team says whether it is counted (above the team in
// question, or level with it); a big-M term frees its threshold when it is.
std::optional<int> solve(const OutlookMip::Question &question, Goal goal)
{
    const int teams = int(question.threshold.size());
    const int games = int(question.games.size());
    if (teams == 0)
        return 0;

    // GLPK keeps its state per thread; keep it quiet on every thread that solves.
    glp_term_out(GLP_OFF);
    std::unique_ptr<glp_prob, ProblemDeleter> lp(glp_create_prob());
    glp_set_obj_dir(lp.get(), goal == Goal::FewestAbove ? GLP_MIN : GLP_MAX);

    const auto winColumn = [](int game, bool home) { return 2 * game + (home ? 1 : 2); };
    const auto teamColumn = [games](int team) { return 2 * games + team + 1; };
    const auto gameRow = [](int game) { return game + 1; };
    const auto teamRow = [games](int team) { return games + team + 1; };

    glp_add_cols(lp.get(), 2 * games + teams);
    for (int col = 1; col <= 2 * games + teams; ++col)
        glp_set_col_kind(lp.get(), col, GLP_BV);
    for (int team = 0; team < teams; ++team)
        glp_set_obj_coef(lp.get(), teamColumn(team), 1.0);

    glp_add_rows(lp.get(), games + teams);
    std::vector<int> degree(teams, 0);
    // GLPK's arrays start at index 1.
    std::vector<int> rows(1, 0);
    std::vector<int> cols(1, 0);
    std::vector<double> values(1, 0.0);
    const auto put = [&](int row, int col, double value) {
        rows.push_back(row);
        cols.push_back(col);
        values.push_back(value);
    };
    for (int game = 0; game < games; ++game) {
        const LeagueFixture &f = question.games[game];
        glp_set_row_bnds(lp.get(), gameRow(game), GLP_UP, 0.0, 1.0);
        put(gameRow(game), winColumn(game, true), 1.0);
        put(gameRow(game), winColumn(game, false), 1.0);
        put(teamRow(f.home), winColumn(game, true), 2.0);
        put(teamRow(f.home), winColumn(game, false), -1.0);
        put(teamRow(f.away), winColumn(game, true), -1.0);
        put(teamRow(f.away), winColumn(game, false), 2.0);
        ++degree[f.home];
        ++degree[f.away];
    }
    for (int team = 0; team < teams; ++team) {
        const int threshold = question.threshold[team];
        if (goal == Goal::FewestAbove) {
            // gain <= threshold unless counted; the gain never passes 3 per game.
            const int bigM = std::max(0, 3 * degree[team] - threshold);
            glp_set_row_bnds(lp.get(), teamRow(team), GLP_UP, 0.0, double(threshold - degree[team]));
            put(teamRow(team), teamColumn(team), -double(bigM));
        } else {
            // gain >= threshold when counted.
            glp_set_row_bnds(lp.get(), teamRow(team), GLP_LO, double(-degree[team]), 0.0);
            put(teamRow(team), teamColumn(team), -double(threshold));
        }
    }
    glp_load_matrix(lp.get(), int(rows.size()) - 1, rows.data(), cols.data(), values.data());

    glp_iocp parameters;
    glp_init_iocp(&parameters);
    parameters.presolve = GLP_ON;
    parameters.msg_lev = GLP_MSG_OFF;
    if (glp_intopt(lp.get(), &parameters) != 0 || glp_mip_status(lp.get()) != GLP_OPT)
        return std::nullopt;
    return int(std::lround(glp_mip_obj_val(lp.get())));
}

} // namespace

std::optional<int> OutlookMip::fewestAbove(const Question &question)
{
    return solve(question, Goal::FewestAbove);
}

std::optional<int> OutlookMip::mostReaching(const Question &question)
{
    return solve(question, Goal::MostReaching);
}
