#pragma once

#include <QString>

class QTextStream;

// The check a store passes before anyone may take it as the league's
// results: the update's own rule (updaterules::storeProblem), run on a
// file for the league's server, which refuses to publish what a follower's
// update would refuse.
namespace storecheck {

// Checks the store `path`. Valid: prints "résultats=N" (the fixtures with a
// result), followed by " modifiés=M" when `previousPath` names the store it
// would replace (the fixtures whose result differs; every result counts when
// that file does not exist), and returns 0. Not valid or unreadable: the
// reason in French on `err`, and 1.
int command(const QString &path, const QString &previousPath, QTextStream &out, QTextStream &err);

} // namespace storecheck
