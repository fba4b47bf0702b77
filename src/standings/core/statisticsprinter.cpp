#include "standings/core/statisticsprinter.h"

#include "season/core/seasonfolder.h"
#include "standings/core/formguide.h"
#include "standings/core/rangetable.h"
#include "standings/core/resultsmatrix.h"
#include "standings/core/streaks.h"

#include <QTextStream>

namespace statisticsprinter {

namespace {

int write(const QStringList &lines, QTextStream &out)
{
    for (const QString &line : lines)
        out << line << '\n';
    out.flush();
    return 0;
}

// --last K: how many matches the form guide shows, 1..38.
int lastArgument(const QString &argument, QTextStream &err)
{
    return commandline::countArgument(argument, formguide::DefaultLast, MatchDayCount,
                                      QStringLiteral("Nombre de matches"), err);
}

} // namespace

int printForm(SeasonFolder &folder, const QString &matchDayArg, const QString &lastArg, QTextStream &out,
              QTextStream &err)
{
    const int upTo = commandline::matchDayArgument(matchDayArg, err);
    if (upTo < 0)
        return 2;
    const int last = lastArgument(lastArg, err);
    if (last < 0)
        return 2;
    return write(formguide::lines(formguide::compute(folder.season(), folder.store(), folder.bonusMalus(), upTo, last)),
                 out);
}

int printTable(SeasonFolder &folder, const QString &fromArg, const QString &toArg, bool home, bool away,
               QTextStream &out, QTextStream &err)
{
    if (home && away) {
        err << "--home et --away s'excluent : choisir l'un ou l'autre\n";
        err.flush();
        return 2;
    }
    const int from = commandline::matchDayArgument(fromArg, err);
    if (from < 0)
        return 2;
    const int to = commandline::matchDayArgument(toArg, err);
    if (to < 0)
        return 2;
    const MatchDayNo first = from == 0 ? 1 : from;
    const MatchDayNo last = to == 0 ? MatchDayCount : to;
    if (first > last) {
        err << "Plage de journées invalide : de " << first << " à " << last
            << " (la première journée ne peut suivre la dernière)\n";
        err.flush();
        return 2;
    }
    const rangetable::Venue venue = home   ? rangetable::Venue::Home
                                    : away ? rangetable::Venue::Away
                                           : rangetable::Venue::All;
    return write(rangetable::lines(rangetable::compute(folder.season(), folder.store(), first, last, venue)), out);
}

int printMatrix(SeasonFolder &folder, const QString &matchDayArg, QTextStream &out, QTextStream &err)
{
    const int upTo = commandline::matchDayArgument(matchDayArg, err);
    if (upTo < 0)
        return 2;
    return write(resultsmatrix::lines(resultsmatrix::compute(folder.season(), folder.store(), upTo)), out);
}

int printStreaks(SeasonFolder &folder, const QString &matchDayArg, QTextStream &out, QTextStream &err)
{
    const int upTo = commandline::matchDayArgument(matchDayArg, err);
    if (upTo < 0)
        return 2;
    return write(streaks::lines(streaks::compute(folder.season(), folder.store(), folder.bonusMalus(), upTo)), out);
}

} // namespace statisticsprinter
