#pragma once

#include "season/core/season.h"
#include "shared/core/palette.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

#include <array>
#include <optional>

// One label of the column of season months beside the match-day view.
struct MonthLabel
{
    QDate date;        // a day inside the month the label stands for
    QString caption;   // "Août 2013"
    bool past = false; // a month already over, painted green
};

constexpr int MonthLabelCount = 10;

// The ten months of the season. The cursor starts 30 days before match day 1
// and moves on by 30 days per label, which is how the months were always
// stepped; an unset first match-day date gives no labels at all.
std::array<MonthLabel, MonthLabelCount> buildMonthLabels(const QDate &firstMatchDay, const QDateTime &now);

// One line of the list of a month's match days: "Journée 12 : 26 oct.",
// dark blue while to come, green once past, red on the day itself.
struct CalendarLine
{
    MatchDayNo day = 0;
    QString text;
    quint32 colour = 0;
};

constexpr int CalendarLineCount = 5;
constexpr quint32 CalendarComing = palette::calendar::Coming;
constexpr quint32 CalendarPast = palette::calendar::Past;
constexpr quint32 CalendarToday = palette::calendar::Today;

// The match days dated in the month and year of `month`, in order, at most
// `maxLines` of them (the list beside the months has five lines; a sixth
// match day in one month is left out rather than written past the list).
QList<CalendarLine> calendarLines(const Season &season, const QDate &month, const QDateTime &now,
                                  int maxLines = CalendarLineCount);

// The month label to preview at start-up: the one of the current month (the
// last such label, as each is previewed in turn), or the first one before the
// season starts in the same year; none otherwise.
std::optional<int> monthToPreview(const std::array<MonthLabel, MonthLabelCount> &labels, const QDateTime &now);
