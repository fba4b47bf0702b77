#pragma once

// A program folder with a built season and a results store, for the tests
// of the team views' data.
#include "seasonbuilder.h"
#include "testfolder.h"

#include "season/core/resultstore.h"
#include "season/core/season.h"
#include "standings/core/displayedstandings.h"
#include "standings/core/standingsengine.h"

#include <gtest/gtest.h>

#include <memory>

class TeamData : public ::testing::Test
{
protected:
    // Writes the store and opens the season and the store on it.
    void load(const ResultsBuilder &results)
    {
        folder.write(ResultStore::FileName, results.bytes());
        season = Season::fromBytes(builder.seasonFile());
        store = std::make_unique<ResultStore>(folder.path());
    }
    DisplayedStandings table(MatchDayNo upTo = 0) const
    {
        return buildDisplayedStandings(computeStandings(season, *store, BonusMalus{}, upTo), DisplayContext{});
    }
    QString key(char home, char away) const { return builder.keyOf(QChar(home), QChar(away)); }
    QString name(char letter) const { return season.teamNameOfLetter(QChar(letter)); }
    static TeamNo team(char letter) { return Season::teamNoOfLetter(QChar(letter)); }

    SeasonBuilder builder;
    TestFolder folder;
    Season season;
    std::unique_ptr<ResultStore> store;
};
