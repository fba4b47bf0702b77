#pragma once

#include "matchday/core/monthcalendar.h"

#include <QFont>
#include <QWidget>

#include <array>

class QCheckBox;
class QLabel;

// The column of the ten season months (`LabMois`: past months in green, the
// current month and those to come in yellow) and, beside it, the match days
// of one month (`Label2`, five lines) with the lock box `Check1`. Pointing at
// a month asks for its preview; a click on a month locks the list so the
// pointer can travel to it, and reaching a line unlocks it. The label
// `Label3` (hidden) holds the number of the month listed.
class MonthCalendarView : public QWidget
{
    Q_OBJECT
public:
    explicit MonthCalendarView(QWidget *parent = nullptr);

    void showMonths(const std::array<MonthLabel, MonthLabelCount> &months);
    QLabel *label(int k) const { return m_labels.at(k); }
    // A day of the month label k stands for; invalid outside 0..9.
    QDate monthDate(int k) const;

    bool locked() const;
    // The month whose match days are listed; none before the first preview.
    int listedMonth() const;
    // Lists the match days of month k on the five lines (any beyond are not
    // listed) and empties and hides the lines left over.
    void listMatchDays(int k, const QList<CalendarLine> &lines);
    // Month k teal under the pointer, the others navy.
    void markMonth(int k);
    // Every month navy, as when the pointer leaves for the window background.
    void resetMonthHover();

signals:
    void monthHovered(int k);
    void matchDayClicked(MatchDayNo day);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::array<QLabel *, MonthLabelCount> m_labels{};
    QFont m_captionFont; // before any shrinking
    std::array<QLabel *, CalendarLineCount> m_lines{};
    QCheckBox *m_lock = nullptr; // Check1
    QLabel *m_listed = nullptr;  // Label3
};
