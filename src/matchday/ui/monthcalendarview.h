#pragma once

#include "matchday/core/monthcalendar.h"

#include <QWidget>

#include <array>

class QLabel;

// The column of the ten season months (`LabMois`): past months in green, the
// current month and those to come in yellow.
class MonthCalendarView : public QWidget
{
    Q_OBJECT
public:
    explicit MonthCalendarView(QWidget *parent = nullptr);

    void showMonths(const std::array<MonthLabel, MonthLabelCount> &months);
    QLabel *label(int k) const { return m_labels.at(k); }

private:
    std::array<QLabel *, MonthLabelCount> m_labels{};
};
