#include "standings/core/teamnameorder.h"

#include "standings/core/standingsengine.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>

namespace {

// Opening a collator is costly and it is not safe to share across threads;
// one per thread, kept for the whole run.
const QCollator &frenchCollator()
{
    thread_local const QCollator collator = [] {
        QCollator c(QLocale(QLocale::French, QLocale::France));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        c.setNumericMode(false);
        c.setIgnorePunctuation(false);
        return c;
    }();
    return collator;
}

// The standings are computed again and again for the same twenty names (one
// computation per match day for the ranking history): remember the last order.
struct CachedOrder
{
    std::array<QString, TeamCount> names;
    std::array<int, TeamCount> rank{};
    bool valid = false;
};

std::array<QString, TeamCount> namesOf(const std::array<StandingRow, TeamCount> &rows)
{
    std::array<QString, TeamCount> names;
    for (TeamNo team = 0; team < TeamCount; ++team)
        names[team] = rows[team].name;
    return names;
}

} // namespace

int TeamNameOrder::compare(const QString &a, const QString &b)
{
    const int byCollation = frenchCollator().compare(a, b);
    if (byCollation != 0)
        return byCollation;
    return QString::compare(a, b, Qt::CaseSensitive);
}

TeamNameOrder::TeamNameOrder(const std::array<QString, TeamCount> &names)
{
    thread_local CachedOrder cache;
    if (cache.valid && cache.names == names) {
        m_rank = cache.rank;
        return;
    }

    std::array<TeamNo, TeamCount> sorted;
    for (TeamNo team = 0; team < TeamCount; ++team)
        sorted[team] = team;
    std::sort(sorted.begin(), sorted.end(), [&names](TeamNo x, TeamNo y) {
        const int c = compare(names[x], names[y]);
        return c != 0 ? c < 0 : x < y;
    });
    for (int pos = 0; pos < TeamCount; ++pos)
        m_rank[sorted[pos]] = pos;

    cache.names = names;
    cache.rank = m_rank;
    cache.valid = true;
}

TeamNameOrder::TeamNameOrder(const std::array<StandingRow, TeamCount> &rows)
    : TeamNameOrder(namesOf(rows))
{}
