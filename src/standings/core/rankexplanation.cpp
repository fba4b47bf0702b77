#include "standings/core/rankexplanation.h"

#include <cmath>

namespace {

// Every phrase of the explanations, kept together.
struct Phrase
{
    RankCriterion criterion;
    QString name;
    QString reason; // follows "Devant X" or "Derrière X"
};

const Phrase Phrases[] = {
    {RankCriterion::Points, QStringLiteral("points"), QStringLiteral("aux points")},
    {RankCriterion::GoalDifference, QStringLiteral("différence de buts"), QStringLiteral("à la différence de buts")},
    {RankCriterion::GoalsFor, QStringLiteral("buts marqués"), QStringLiteral("au nombre de buts marqués")},
    {RankCriterion::HeadToHead, QStringLiteral("confrontations directes"),
     QStringLiteral("aux buts marqués dans leurs confrontations directes")},
    {RankCriterion::FairPlay, QStringLiteral("fair-play"), QStringLiteral("au fair-play (moins de cartons)")},
    {RankCriterion::Name, QStringLiteral("nom"), QStringLiteral("à égalité parfaite, départagés par le nom")},
};
const QString Ahead = QStringLiteral("Devant %1 %2");
const QString Behind = QStringLiteral("Derrière %1 %2");

const Phrase &phrase(RankCriterion criterion)
{
    for (const Phrase &p : Phrases) {
        if (p.criterion == criterion)
            return p;
    }
    return Phrases[0];
}

// The parts of a final key: points, goal difference and goals for as
// counted (before the head-to-head), the key once the head-to-head balance is
// added, and the whole key with the fair-play digits.
struct KeyParts
{
    qint64 base;
    qint64 adjusted;
    qint64 final;
};

KeyParts keyParts(const StandingRow &row)
{
    KeyParts k;
    k.base = qint64(row.keyPoints()) * 1000000 + (row.goalDifference + 200) * 1000 + row.goalsFor;
    k.final = std::llround(row.rankingKey);
    k.adjusted = (k.final - (999 - row.fairPlayPoints)) / 1000;
    return k;
}

} // namespace

RankCriterion separatingCriterion(const StandingRow &upper, const StandingRow &lower)
{
    const KeyParts u = keyParts(upper);
    const KeyParts l = keyParts(lower);
    if (u.final == l.final)
        return RankCriterion::Name;
    if (u.adjusted <= l.adjusted)
        return RankCriterion::FairPlay;
    // The upper row is ahead before the fair-play digits. If it was already
    // ahead on the counted numbers, the first of them that differs decided;
    // otherwise only the head-to-head balance can have put it there.
    if (u.base > l.base) {
        if (upper.keyPoints() != lower.keyPoints())
            return RankCriterion::Points;
        if (upper.goalDifference != lower.goalDifference)
            return RankCriterion::GoalDifference;
        return RankCriterion::GoalsFor;
    }
    return RankCriterion::HeadToHead;
}

QString criterionName(RankCriterion criterion)
{
    return phrase(criterion).name;
}

QString aheadText(RankCriterion criterion, const QString &lowerName)
{
    return Ahead.arg(lowerName, phrase(criterion).reason);
}

QString behindText(RankCriterion criterion, const QString &upperName)
{
    return Behind.arg(upperName, phrase(criterion).reason);
}

std::array<RowExplanation, TeamCount> explainStandings(const Standings &standings)
{
    std::array<RowExplanation, TeamCount> rows;
    for (int i = 0; i + 1 < TeamCount; ++i) {
        const RankCriterion c = separatingCriterion(standings.rows[i], standings.rows[i + 1]);
        rows[i].aheadOfNext = c;
        rows[i].ahead = aheadText(c, standings.rows[i + 1].name);
        rows[i + 1].behind = behindText(c, standings.rows[i].name);
    }
    for (RowExplanation &row : rows) {
        QStringList lines;
        for (const QString &line : {row.behind, row.ahead}) {
            if (!line.isEmpty())
                lines << line;
        }
        row.toolTip = lines.join(QLatin1Char('\n'));
    }
    return rows;
}
