#pragma once

#include "season/core/resultstore.h"
#include "season/core/season.h"

#include <QString>

#include <array>

// Six records of the season so far, computed in one pass over the stored
// results in key order (match day, then slot): on equal values the first
// result in that order keeps the record.
namespace highlights {

enum Index { MostGoals, LargestDifference, MostCards, BestMatchDay, Unbeaten, Winless };
constexpr int Count = 6;

// The heading above each value.
const std::array<QString, Count> &headings();

// The six values as the panel shows them; a record nobody holds yet is empty.
std::array<QString, Count> compute(const Season &season, const ResultStore &store);

} // namespace highlights
