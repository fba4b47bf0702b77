#include "standings/core/outlookmip.h"

#include <glpk.h>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <map>

namespace {

enum class Goal { FewestAbove, MostReaching };

// The program as plain arrays, built before GLPK is touched.
struct Model
{
    int direction = GLP_MIN;
    int columns = 0;
    std::vector<double> objective{0.0}; // by column, from 1
    std::vector<int> rowType{0};
    std::vector<double> rowBound{0.0};
    // GLPK's arrays start at index 1.
    std::vector<int> rows{0};
    std::vector<int> cols{0};
    std::vector<double> values{0.0};

    int addRow(int type, double bound)
    {
        rowType.push_back(type);
        rowBound.push_back(bound);
        return int(rowType.size()) - 1;
    }
    void put(int row, int col, double value)
    {
        if (value == 0)
            return;
        rows.push_back(row);
        cols.push_back(col);
        values.push_back(value);
    }
};

enum class Outcome { Optimal, NoBetter, Failed };

struct ErrorTrap
{
    std::jmp_buf jump;
};

[[noreturn]] void leaveOnError(void *info)
{
    std::longjmp(static_cast<ErrorTrap *>(info)->jump, 1);
}

// Runs GLPK on the model. GLPK stops the whole program on an internal
// error unless a hook leaves first; the hook jumps back here, which is why
// nothing between the jump point and the end owns memory of its own.
Outcome run(const Model &m, double &value)
{
    ErrorTrap trap;
    if (setjmp(trap.jump) != 0) {
        // GLPK's state on this thread is unusable now: drop all of it.
        glp_free_env();
        return Outcome::Failed;
    }
    glp_error_hook(leaveOnError, &trap);
    // GLPK keeps its state per thread; keep it quiet on every thread that solves.
    glp_term_out(GLP_OFF);
    glp_prob *lp = glp_create_prob();
    glp_set_obj_dir(lp, m.direction);
    glp_add_cols(lp, m.columns);
    for (int col = 1; col <= m.columns; ++col) {
        glp_set_col_kind(lp, col, GLP_BV);
        glp_set_obj_coef(lp, col, m.objective[col]);
    }
    const int rowCount = int(m.rowType.size()) - 1;
    glp_add_rows(lp, rowCount);
    for (int row = 1; row <= rowCount; ++row) {
        const bool upper = m.rowType[row] == GLP_UP;
        glp_set_row_bnds(lp, row, m.rowType[row], upper ? 0.0 : m.rowBound[row], upper ? m.rowBound[row] : 0.0);
    }
    glp_load_matrix(lp, int(m.rows.size()) - 1, m.rows.data(), m.cols.data(), m.values.data());

    glp_iocp parameters;
    glp_init_iocp(&parameters);
    parameters.presolve = GLP_ON;
    parameters.msg_lev = GLP_MSG_OFF;
    // Pseudo-cost branching finds the good outcomes of these programs far
    // sooner than the default; GLPK's cover cuts stay off, as they fail on
    // some of the smallest programs.
    parameters.br_tech = GLP_BR_PCH;
    const int status = glp_intopt(lp, &parameters);
    Outcome outcome = Outcome::Failed;
    if (status == GLP_ENOPFS || (status == 0 && glp_mip_status(lp) == GLP_NOFEAS)) {
        outcome = Outcome::NoBetter;
    } else if (status == 0 && glp_mip_status(lp) == GLP_OPT) {
        outcome = Outcome::Optimal;
        value = glp_mip_obj_val(lp);
    }
    glp_delete_prob(lp);
    glp_error_hook(nullptr, nullptr);
    return outcome;
}

// Two binaries per game, "home wins" and "away wins"; neither means a draw.
// A team's gain is then its number of games plus, per game, twice its own
// win variable minus its opponent's (3 for a win, 1 for a draw, 0 for a
// loss). One binary per team says whether it is counted (above the team in
// question, or level with it); a big-M term frees its threshold when it is.
//
// The plain threshold rows leave the relaxation free to split results into
// fractions of wins, which makes the solver wander; rows on whole numbers
// of results close most of that gap:
//  - a team needing n = 3q + r points must not lose at least ceil(n / 3)
//    games, and when r > 0 it needs 2 wins + draws >= 2q + r (a win is worth
//    three draws in points but only two in this count, so it holds for every
//    mix of wins and draws that makes n);
//  - a team held to s points wins at most floor(s / 3) games.
// A last row asks for a better count than the one already found, so that a
// found outcome that is optimal ends the search at the root.
std::optional<int> solve(const OutlookMip::Question &question, Goal goal, int found)
{
    const int teams = int(question.threshold.size());
    const int games = int(question.games.size());
    if (goal == Goal::FewestAbove ? found <= 0 : found >= teams)
        return found;

    const auto winColumn = [](int game, bool home) { return 2 * game + (home ? 1 : 2); };
    const auto teamColumn = [games](int team) { return 2 * games + team + 1; };

    Model m;
    m.direction = goal == Goal::FewestAbove ? GLP_MIN : GLP_MAX;
    m.columns = 2 * games + teams;
    m.objective.assign(m.columns + 1, 0.0);
    for (int team = 0; team < teams; ++team)
        m.objective[teamColumn(team)] = 1.0;

    std::vector<std::vector<int>> gamesOf(teams);
    for (int game = 0; game < games; ++game) {
        const int row = m.addRow(GLP_UP, 1.0);
        m.put(row, winColumn(game, true), 1.0);
        m.put(row, winColumn(game, false), 1.0);
        gamesOf[question.games[game].home].push_back(game);
        gamesOf[question.games[game].away].push_back(game);
    }

    for (int team = 0; team < teams; ++team) {
        const int threshold = question.threshold[team];
        const int degree = int(gamesOf[team].size());
        // Per game of the team: coefficients of its wins and of its draws
        // (a draw is 1 - home win - away win).
        const auto row = [&](int type, double bound, double perWin, double perDraw, double counted) {
            std::map<int, double> coef;
            double constant = 0;
            for (int game : gamesOf[team]) {
                const bool home = question.games[game].home == team;
                coef[winColumn(game, home)] += perWin;
                coef[winColumn(game, true)] -= perDraw;
                coef[winColumn(game, false)] -= perDraw;
                constant += perDraw;
            }
            coef[teamColumn(team)] += counted;
            const int r = m.addRow(type, bound - constant);
            for (const auto &[col, value] : coef)
                m.put(r, col, value);
        };
        if (goal == Goal::FewestAbove) {
            // gain <= threshold unless counted; the gain never passes 3 per game.
            row(GLP_UP, threshold, 3, 1, -std::max(0, 3 * degree - threshold));
            const int maxWins = threshold / 3;
            if (maxWins < degree)
                row(GLP_UP, maxWins, 1, 0, -(degree - maxWins));
        } else if (threshold > 0) {
            // gain >= threshold when counted.
            row(GLP_LO, 0, 3, 1, -threshold);
            row(GLP_LO, 0, 1, 1, -((threshold + 2) / 3));
            if (threshold % 3 != 0)
                row(GLP_LO, 0, 2, 1, -(2 * (threshold / 3) + threshold % 3));
        }
    }

    const int better = goal == Goal::FewestAbove ? m.addRow(GLP_UP, found - 1) : m.addRow(GLP_LO, found + 1);
    for (int team = 0; team < teams; ++team)
        m.put(better, teamColumn(team), 1.0);

    double value = 0;
    switch (run(m, value)) {
    case Outcome::NoBetter:
        return found; // the outcome found is the answer
    case Outcome::Optimal:
        return int(std::lround(value));
    case Outcome::Failed:
        break;
    }
    return std::nullopt;
}

} // namespace

std::optional<int> OutlookMip::fewestAbove(const Question &question, int found)
{
    return solve(question, Goal::FewestAbove, found);
}

std::optional<int> OutlookMip::mostReaching(const Question &question, int found)
{
    return solve(question, Goal::MostReaching, found);
}

void OutlookMip::releaseThreadState()
{
    glp_free_env();
}
