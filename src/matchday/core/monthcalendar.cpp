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

QList<CalendarLine> calendarLines(const Season &season, const QDate &month, const QDateTime &now, int maxLines)
{
    QList<CalendarLine> lines;
    if (!month.isValid())
        return lines;
    for (MatchDayNo day = 1; day <= MatchDayCount && lines.size() < maxLines; ++day) {
        const QDate date = season.matchDayDate(day);
        if (!date.isValid() || date.month() != month.month() || date.year() != month.year())
            continue;
        CalendarLine line;
        line.day = day;
        line.text = QStringLiteral("Journée ") + QString::number(day) + QStringLiteral(" : ")
                    + text::frenchLocale().toString(date, QStringLiteral("dd MMM"));
        const QDateTime start(date, QTime(0, 0));
        line.colour = now < start ? CalendarComing : CalendarPast;
        // The day itself is red from its midnight on, though "now" is past it.
        if (date == now.date())
            line.colour = CalendarToday;
        lines.append(line);
    }
    return lines;
}

std::optional<int> monthToPreview(const std::array<MonthLabel, MonthLabelCount> &labels, const QDateTime &now)
{
    std::optional<int> chosen;
    const QDate today = now.date();
    for (int k = 0; k < MonthLabelCount; ++k) {
        const QDate &date = labels[k].date;
        if (date.isValid() && date.month() == today.month() && date.year() == today.year())
            chosen = k;
    }
    const QDate &first = labels[0].date;
    if (first.isValid() && today.month() < first.month() && today.year() == first.year())
        chosen = 0;
    return chosen;
}
