#pragma once

#include "standings/core/outlooksearch.h"

// Real outcomes built quickly for a contenders question. Each count is that
// of an outcome that exists, so the exact answer is at least as good; when
// it already meets the bound no outcome can beat (nobody above, everybody
// level), no search is needed at all.
namespace outlookwitness {

// Contenders above their threshold in the best outcome found.
int fewestAboveFound(const ContendersQuestion &question);
// Contenders reaching their threshold in the best outcome found.
int mostReachingFound(const ContendersQuestion &question);

} // namespace outlookwitness
