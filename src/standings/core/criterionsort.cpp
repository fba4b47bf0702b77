#include "standings/core/criterionsort.h"

#include "standings/core/teamnameorder.h"

#include <algorithm>
#include <cmath>

namespace criterion {

namespace {

struct Criterion
{
    const char *code;
    const char *title;
    QStringList columns;
    int (*value)(const StandingRow &row);
};

const std::array<Criterion, 7> &criteria()
{
    static const std::array<Criterion, 7> table = {{
        {"BC",
         "Minimum de buts encaissés",
         {QStringLiteral("TBC")},
         [](const StandingRow &r) { return 1000 - int(r.goalsAgainst); }},
        {"BP",
         "Maximum de buts marqués",
         {QStringLiteral("TBP")},
         [](const StandingRow &r) { return int(r.goalsFor); }},
        {"FP",
         "Minimum de cartons reçus",
         {QStringLiteral("FP")},
         [](const StandingRow &r) { return 4000 - int(r.fairPlayPoints); }},
        {"GA",
         "Meilleur Goal Average",
         {QStringLiteral("TDelta")},
         [](const StandingRow &r) { return int(r.goalDifference) + 500; }},
        {"MG",
         "Maximum de matches Gagnés",
         {QStringLiteral("TME"), QStringLiteral("TMD")},
         [](const StandingRow &r) { return int(r.awayWins) + int(r.homeWins); }},
        {"MP",
         "Minimum de matches Perdus",
         {QStringLiteral("TMpE"), QStringLiteral("TMpD")},
         [](const StandingRow &r) { return 1000 - (int(r.awayLosses) + int(r.homeLosses)); }},
        {"MN", "Maximum de matches Nuls", {QStringLiteral("TMN")}, [](const StandingRow &r) { return int(r.draws); }},
    }};
    return table;
}

const Criterion *find(const QString &code)
{
    for (const Criterion &c : criteria()) {
        if (code == QLatin1String(c.code))
            return &c;
    }
    return nullptr;
}

// The points as the sort key carries them: whole, halves away from zero, so a
// fractional adjustment does not split teams the key holds equal.
qint64 pointsKey(const StandingRow &row)
{
    return std::llround(double(row.points) + 5);
}

} // namespace

QStringList codes()
{
    QStringList list;
    for (const Criterion &c : criteria())
        list << QString::fromLatin1(c.code);
    return list;
}

bool isCode(const QString &code)
{
    return find(code) != nullptr;
}

QString title(const QString &code)
{
    const Criterion *c = find(code);
    return c ? QString::fromUtf8(c->title) : QString();
}

DisplayedStandings sortByCriterion(const DisplayedStandings &shown, const QString &code)
{
    const Criterion *c = find(code);
    if (!c)
        return shown;

    std::array<int, TeamCount> order;
    for (int i = 0; i < TeamCount; ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](int x, int y) {
        const StandingRow &a = shown.rows[x].data;
        const StandingRow &b = shown.rows[y].data;
        const int va = c->value(a);
        const int vb = c->value(b);
        if (va != vb)
            return va > vb;
        const qint64 pa = pointsKey(a);
        const qint64 pb = pointsKey(b);
        if (pa != pb)
            return pa > pb;
        return TeamNameOrder::compare(a.name, b.name) > 0;
    });

    DisplayedStandings sorted = shown;
    for (int i = 0; i < TeamCount; ++i) {
        DisplayedRow &row = sorted.rows[i];
        row = shown.rows[order[i]];
        row.movement = Movement::None;
        row.movementText.clear();
        row.zone = ZoneMark::None;
        row.zoneToolTip.clear();
        // The tie-break explanations belong to the ranking's neighbours; here
        // the order is the statistic's, which the highlighted column shows.
        row.rankToolTip.clear();
        row.belowAverage = false;
    }

    // Standard competition ranking on the statistic alone: teams with the same
    // value share a number even when their points differ.
    int rank = 1;
    int run = 0;
    sorted.rows[0].rankLabel = QStringLiteral("1");
    for (int i = 1; i < TeamCount; ++i) {
        if (c->value(sorted.rows[i].data) == c->value(sorted.rows[i - 1].data)) {
            ++run;
        } else {
            rank += 1 + run;
            run = 0;
        }
        sorted.rows[i].rankLabel = QString::number(rank);
    }

    sorted.zonesMarked = false;
    sorted.aheadBehindText.clear();
    sorted.leader = sorted.rows[0].data.name;
    sorted.leaderNameOnly = true;
    sorted.title = title(code);
    sorted.sortCode = code;
    sorted.highlightedColumns = c->columns;
    return sorted;
}

} // namespace criterion
