#pragma once

#include "season/core/resultstore.h"
#include "season/core/season.h"

#include <QString>

#include <memory>
#include <optional>

class QTextStream;

// What a command-line printer reads from a program folder: the season, the
// results store, its points adjustments and the last match day to count.
struct PrintSource
{
    std::optional<Season> season;
    std::unique_ptr<ResultStore> store;
    BonusMalus bonusMalus{};
    MatchDayNo upToMatchDay = 0; // 0: the whole season

    // Loads the folder. `matchDayArg` empty means the whole season, otherwise
    // 1..38. Returns 0, or 2 after writing the reason to `err` when the match
    // day or the season file is wrong.
    int load(const QString &programFolder, const QString &matchDayArg, QTextStream &err);
};
