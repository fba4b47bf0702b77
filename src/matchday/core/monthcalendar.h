#pragma once

#include "season/core/season.h"

#include <QDate>
#include <QDateTime>
#include <QString>

#include <array>

// One label of the column of season months beside the match-day view.
struct MonthLabel
{
    QDate date;      // a day inside the month the label stands for
    QString caption; // "Août 2013"
    bool past = false; // a month already over, painted green
};

constexpr int MonthLabelCount = 10;

// The ten months of the season. The cursor starts 30 days before match day 1
// and moves on by 30 days per label, which is how the months were always
// stepped; an unset first match-day date gives no labels at all.
std::array<MonthLabel, MonthLabelCount> buildMonthLabels(const QDate &firstMatchDay, const QDateTime &now);
