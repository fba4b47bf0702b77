#pragma once

// The hard tables the exact outlook is checked on (outlook_test.cpp).
#include "season/core/season.h"
#include "standings/core/rankoutlook.h"

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

// Tables that were hard for an earlier search, on the bundled calendar:
// the points by team number after the cut, the fixtures after it still to
// play, and some fixtures of earlier match days postponed ("match day,slot"
// each). Each range ("best-worst", by team number) is the exact one:
// cross-checked with an integer program solved by an outside solver (and
// the first five with a search given minutes per team).
struct HardTable
{
    const char *what;
    MatchDayNo cut;
    std::vector<int> points;
    const char *postponed;
    const char *ranges;
};

inline const HardTable HardTables[] = {
    // Juliett's worst rank (60 points, every game lost): seventeen teams
    // can come level with it, not eighteen.
    {"staircase after match day 23",
     23,
     {48, 54, 26, 53, 31, 16, 31, 57, 40, 60, 16, 19, 31, 16, 49, 21, 39, 30, 43, 44},
     "",
     "1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-18 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20"},
    // The points of the worst table reported after match day 27 (62, 53,
    // 53, 53...), 126 fixtures left of which 16 postponed, as a search that
    // shuffles points and postponements made them hardest.
    {"62 53 53 53 after match day 27, leader's worst rank",
     27,
     {20, 17, 50, 30, 26, 53, 25, 53, 27, 62, 26, 53, 29, 25, 24, 50, 18, 21, 45, 39},
     "1,9 6,6 8,3 22,1 3,2 6,8 27,4 15,5 23,2 22,7 5,1 13,2 6,9 27,9 4,3 26,8",
     "1-20 5-20 1-20 1-20 1-20 1-18 1-20 1-18 1-20 1-12 1-20 1-18 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20"},
    {"62 53 53 53 after match day 27, other postponements",
     27,
     {29, 24, 45, 26, 18, 50, 25, 53, 27, 30, 20, 39, 26, 21, 53, 17, 62, 50, 53, 25},
     "4,7 4,6 9,6 6,9 8,4 6,6 2,1 26,4 11,3 13,4 10,6 20,8 27,6 25,3 3,6 19,2",
     "1-20 2-20 1-20 1-20 1-20 1-20 1-20 1-19 1-20 1-20 1-20 1-20 1-20 1-20 1-19 1-20 1-12 1-20 1-19 1-20"},
    // Points moved a little from those: one kept set's outcome took the
    // earlier search minutes to rule out.
    {"66 54 51 50 50 50 after match day 27",
     27,
     {8, 20, 30, 29, 50, 44, 50, 29, 54, 28, 24, 26, 50, 24, 51, 39, 22, 23, 66, 21},
     "7,7 13,7 7,4 15,0 10,8 1,8 12,6 6,6 2,0 10,7 17,9 27,3 10,6 19,5 3,9 14,7",
     "7-20 2-20 1-20 2-20 1-19 1-20 1-19 2-20 1-18 2-20 2-20 2-20 1-19 1-20 1-19 1-20 2-20 2-20 1-10 2-20"},
    {"62 54 54 50 50 after match day 27",
     27,
     {50, 7, 38, 30, 20, 50, 23, 25, 62, 23, 54, 24, 41, 41, 29, 27, 27, 25, 34, 54},
     "7,3 5,9 17,3 1,9 24,1 21,0 10,2 23,8 20,4 11,1 25,1 4,6 18,6 12,3 20,9 21,4",
     "1-19 6-20 1-20 1-20 1-20 1-19 1-20 1-20 1-13 1-20 1-18 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-18"},
    // Tables of the generated families that the first exact search left not
    // final: the best rank of a low team, where an outcome keeping every
    // rival under it is hard to find or to rule out.
    {"results at random after match day 26, team 15's best rank",
     26,
     {54, 24, 45, 39, 45, 27, 42, 42, 39, 42, 33, 48, 27, 42, 27, 15, 42, 36, 45, 36},
     "20,0 22,0 15,2 24,1 18,6 6,3 7,7 9,3 19,9 15,8",
     "1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20"},
    {"results at random after match day 31, team 4's best rank",
     31,
     {46, 49, 51, 30, 22, 46, 36, 43, 33, 50, 45, 37, 44, 36, 45, 29, 42, 34, 41, 40},
     "7,1 10,1 9,6 10,0 9,3 11,3 13,5 7,5 27,5 29,5 19,8 17,7 30,0 4,2 5,4 17,9 10,4 20,6 23,9 2,6",
     "1-20 1-20 1-20 1-20 2-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20"},
    {"results at random after match day 26, team 13's best rank",
     26,
     {27, 46, 45, 45, 28, 48, 26, 46, 39, 35, 38, 44, 31, 17, 16, 42, 12, 45, 28, 50},
     "19,4 4,0 23,7 12,4 19,3 16,8 22,0",
     "1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 2-20 1-20 3-20 1-20 1-20 1-19"},
    {"a tight band after match day 33, team 19's best rank",
     33,
     {48, 51, 48, 45, 55, 55, 43, 45, 54, 56, 55, 50, 51, 47, 52, 49, 53, 54, 55, 41},
     "26,8 25,6 27,4 24,3 27,6 6,9 18,7 23,9 30,0 9,3 7,8 24,9 17,9 4,8 22,7 23,6 33,9 21,9",
     "1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20"},
    {"even steps after match day 25, team 16's best rank",
     25,
     {32, 28, 30, 44, 20, 22, 48, 36, 18, 14, 42, 24, 16, 40, 50, 26, 12, 38, 34, 46},
     "16,5 18,8 20,9 10,9 3,7 9,4 23,8 11,6 18,4 8,0 23,7 13,0 14,4 17,9 22,9 17,3 22,2",
     "1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 2-20 1-20 1-20 1-20"},
    {"results at random after match day 28, team 8's best rank",
     28,
     {51, 27, 51, 48, 24, 51, 45, 39, 21, 45, 36, 57, 27, 36, 27, 30, 48, 36, 45, 42},
     "3,9 22,7 6,0 17,5 15,4 1,1 10,0 21,4 16,6 13,9 17,7 27,4 1,2 24,2 9,8 14,4 21,0 25,7",
     "1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 2-20 1-20 1-20 1-19 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20"},
    {"results at random after match day 28, team 17's best rank",
     28,
     {46, 44, 28, 46, 47, 19, 31, 53, 59, 46, 36, 48, 41, 41, 26, 40, 43, 21, 40, 24},
     "1,2 4,6 20,8 14,3 28,1 23,4 24,6 7,5 26,2 19,7 18,6 6,9 2,8",
     "1-20 1-20 1-20 1-20 1-20 5-20 1-20 1-18 1-17 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 4-20 1-20 1-20"},
    {"results at random after match day 25, team 10's best rank",
     25,
     {44, 28, 41, 27, 32, 22, 27, 39, 40, 37, 12, 31, 26, 39, 34, 45, 44, 44, 45, 48},
     "20,5 10,0 10,1 5,3 17,0",
     "1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 2-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20"},
    {"results at random after match day 30, team 15's best rank",
     30,
     {39, 24, 44, 42, 53, 47, 45, 39, 45, 60, 45, 39, 39, 45, 30, 27, 54, 39, 48, 42},
     "30,5 9,1 30,0 2,1 28,6 18,4 13,6 6,6 17,2 13,0 19,3 6,0 30,1 19,0 15,5 17,7 4,4 24,7",
     "1-20 2-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-17 1-20 1-20 1-20 1-20 2-20 2-20 1-20 1-20 1-20 1-20"},
    {"results at random after match day 27, team 11's best rank",
     27,
     {41, 52, 46, 50, 46, 49, 45, 36, 29, 31, 41, 21, 34, 27, 42, 43, 44, 29, 42, 16},
     "",
     "1-20 1-19 1-20 1-19 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 4-20"},
    {"results at random after match day 26, team 3's best rank",
     26,
     {27, 45, 42, 18, 15, 27, 24, 45, 45, 39, 27, 45, 39, 45, 39, 33, 33, 51, 39, 51},
     "4,7 23,8 23,3 12,9 8,4 11,4 11,1 23,9 24,2 12,7 6,5 18,7 14,2 24,7 24,0 21,4 21,8",
     "1-20 1-20 1-20 2-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20"},
    {"results at random after match day 29, team 11's best rank",
     29,
     {39, 51, 32, 47, 48, 33, 50, 49, 56, 46, 36, 26, 26, 36, 41, 36, 40, 24, 44, 42},
     "20,8 27,8 26,1 23,2 6,7 25,7 14,0 25,0 23,9 1,1 1,4 5,8 28,9 6,6 8,7 16,0 27,7 16,5 27,0",
     "1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-19 1-20 1-20 2-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20"},
    {"a staircase after match day 22, team 17's best rank",
     22,
     {28, 57, 15, 42, 38, 51, 18, 51, 29, 46, 24, 37, 29, 50, 41, 29, 45, 6, 20, 15},
     "14,3 16,3 1,1 1,0 15,9 19,4 13,2 14,4 5,2 8,1 10,7 1,2 11,1 6,1 7,0",
     "1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20"},
    {"results at random after match day 28, team 9's best rank",
     28,
     {27, 31, 42, 43, 43, 48, 51, 27, 36, 16, 48, 49, 45, 40, 46, 63, 31, 40, 33, 39},
     "10,5 27,5 9,6 6,9 4,0 25,9 18,0 1,0 11,3 18,3 5,3",
     "2-20 2-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 3-20 1-20 1-20 1-20 1-20 1-20 1-15 2-20 1-20 1-20 1-20"},
    {"results at random after match day 27, team 7's best rank",
     27,
     {32, 44, 40, 34, 42, 26, 37, 14, 34, 41, 44, 36, 38, 28, 44, 31, 40, 24, 59, 40},
     "17,1 27,6 27,5 20,6 4,3 13,7 7,6 6,1 27,0",
     "1-20 1-20 1-20 1-20 1-20 1-20 1-20 2-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 2-20 1-17 1-20"},
    // The generated tables that took most work since.
    {"clusters after match day 29",
     29,
     {43, 43, 43, 43, 21, 43, 43, 43, 21, 43, 43, 43, 43, 21, 43, 43, 43, 21, 21, 21},
     "6,6 6,5 15,4 12,5 17,2 21,7 26,1 26,4 22,6 14,9 5,1 11,5 6,7 27,7 15,6 17,3 9,5 15,3 21,6",
     "1-20 1-20 1-20 1-20 2-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 5-20"},
    {"even steps after match day 32",
     32,
     {49, 55, 45, 47, 58, 48, 60, 53, 59, 63, 62, 64, 56, 52, 61, 50, 51, 46, 57, 54},
     "7,6 2,1 32,8 26,6 2,0 4,9 22,7 5,9 8,3 22,0 12,6 17,9 1,8 11,3 29,0 23,6 13,8 27,3 24,6 31,9 24,3",
     "1-20 1-20 4-20 2-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-19 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20"},
    {"clusters after match day 37",
     37,
     {84, 84, 84, 87, 87, 84, 87, 87, 84, 84, 84, 84, 87, 84, 84, 84, 84, 84, 84, 87},
     "32,1 10,7 20,9 11,7 9,2 36,1 35,7 27,9 20,7 19,3 4,3 23,3 18,8 34,9 3,1 7,2 19,8 2,1 11,8 27,5 8,7 31,9 31,2 "
     "14,4",
     "1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 8-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20"},
    {"clusters after match day 27",
     27,
     {54, 54, 62, 62, 54, 34, 62, 54, 54, 34, 62, 54, 34, 62, 34, 54, 34, 54, 62, 54},
     "14,8 8,6 2,9 4,5 26,7 19,8 1,1 5,0",
     "1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 2-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20"},
    {"results at random after match day 27",
     27,
     {48, 51, 21, 42, 48, 42, 30, 42, 33, 48, 33, 51, 36, 36, 60, 39, 36, 48, 24, 42},
     "",
     "1-20 1-20 3-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-20 1-18 1-20 1-20 1-20 2-20 1-20"},
};

// "a,b c,d" or "a-b c-d" as pairs of numbers.
inline std::vector<std::pair<int, int>> pairsOf(const char *text, QChar separator)
{
    std::vector<std::pair<int, int>> pairs;
    for (const QString &item : QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList numbers = item.split(separator);
        pairs.push_back({numbers.value(0).toInt(), numbers.value(1).toInt()});
    }
    return pairs;
}

inline OutlookProblem hardProblem(const Season &season, const HardTable &table)
{
    OutlookProblem p;
    p.points = table.points;
    for (MatchDayNo day = table.cut + 1; day <= MatchDayCount; ++day) {
        for (const QString &code : season.fixtureCodes(day))
            p.remaining.push_back({Season::teamNoOfLetter(code[0]), Season::teamNoOfLetter(code[1])});
    }
    for (const auto &[day, slot] : pairsOf(table.postponed, QLatin1Char(','))) {
        const QString code = season.fixtureCodes(day).value(slot);
        p.remaining.push_back({Season::teamNoOfLetter(code[0]), Season::teamNoOfLetter(code[1])});
    }
    return p;
}
