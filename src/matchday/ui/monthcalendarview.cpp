#include "matchday/ui/monthcalendarview.h"

#include "season/core/twips.h"

#include <QLabel>

namespace {
constexpr int LabelPitch = 305; // twips between two month labels
const QColor PastMonth(0x00, 0xC0, 0x00);
const QColor CurrentOrComing(0xFF, 0xFF, 0x00);
} // namespace

MonthCalendarView::MonthCalendarView(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("MonthCalendar"));
    for (int k = 0; k < MonthLabelCount; ++k) {
        auto *label = new QLabel(this);
        label->setObjectName(QStringLiteral("LabMois"));
        label->setProperty("index", k);
        label->setTextFormat(Qt::PlainText);
        label->setCursor(Qt::PointingHandCursor);
        label->setGeometry(0, twips(LabelPitch * k), twips(1500), twips(LabelPitch - 30));
        m_labels[k] = label;
    }
    setFixedSize(twips(1500), twips(LabelPitch * MonthLabelCount));
}

void MonthCalendarView::showMonths(const std::array<MonthLabel, MonthLabelCount> &months)
{
    for (int k = 0; k < MonthLabelCount; ++k) {
        QLabel *label = m_labels[k];
        const MonthLabel &month = months[k];
        label->setText(month.caption);
        label->setProperty("monthDate", month.date);
        QPalette pal = label->palette();
        pal.setColor(QPalette::WindowText, month.past ? PastMonth : CurrentOrComing);
        label->setPalette(pal);
        label->setVisible(month.date.isValid());
    }
}
