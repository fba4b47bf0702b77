#pragma once

#include "season/core/season.h"

#include <QString>

#include <array>

// The names of the team pages: "equipe-SLUG.html", where SLUG is the team's
// name in lower case, accents folded and every run of other characters made
// one "-". Links, the calendars and the JSON feed all take them from here.
namespace siteslug {

// "Étréville AC" -> "etreville-ac"; "equipe" when nothing is left.
QString of(const QString &name);

// The slug of every team by team number: two names giving the same slug get
// "-2", "-3"… in season order, so no two pages share a name.
std::array<QString, TeamCount> ofTeams(const Season &season);

} // namespace siteslug
