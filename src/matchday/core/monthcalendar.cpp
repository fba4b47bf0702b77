#include "matchday/core/monthcalendar.h"

#include "season/core/textutil.h"

std::array<MonthLabel, MonthLabelCount> buildMonthLabels(const QDate &firstMatchDay, const QDateTime &now)
{
    std::array<MonthLabel, MonthLabelCount> labels;
    if (!firstMatchDay.isValid())
        return labels;
    QDate cursor = firstMatchDay.addDays(-30);
    const QDate today = now.date();
    for (MonthLabel &label : labels) {
        cursor = cursor.addDays(30);
        label.date = cursor;
        label.caption = text::capitalizeWords(text::frenchLocale().toString(cursor, QStringLiteral("MMMM yyyy")));
        const bool otherMonth = cursor.month() != today.month() || cursor.year() != today.year();
        label.past = otherMonth && now > QDateTime(cursor, QTime(0, 0));
    }
    return labels;
}
