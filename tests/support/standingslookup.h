#pragma once

#include "standings/core/standingsengine.h"

#include <gtest/gtest.h>

#include <QString>

// Finds a team in a computed table by name, so that tests read as the table
// does ("Alpha is first") rather than by row index.
namespace standingslookup {

inline const StandingRow &row(const Standings &s, const QString &name)
{
    for (const StandingRow &r : s.rows) {
        if (r.name == name)
            return r;
    }
    static const StandingRow none;
    ADD_FAILURE() << "no row for " << qPrintable(name);
    return none;
}

// 1-based rank of the team, 0 when it is not in the table.
inline int rank(const Standings &s, const QString &name)
{
    for (int i = 0; i < TeamCount; ++i) {
        if (s.rows[i].name == name)
            return i + 1;
    }
    return 0;
}

} // namespace standingslookup
