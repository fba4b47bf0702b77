#include "matchday/ui/monthcalendarview.h"

#include "shared/ui/fittedtext.h"
#include "shared/ui/twips.h"
#include "shared/ui/windowstyle.h"

#include <QCheckBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

namespace {
constexpr int LabelPitch = 305; // twips between two month labels
constexpr int MonthWidth = 1500;
constexpr int LinesLeft = 104; // pixels
constexpr int LinesWidth = 132;
constexpr int LinePitch = 20;
// Points a month's caption may lose to stay inside its box ("Septembre 2013").
constexpr int CaptionShrink = 2;
constexpr int CaptionPadding = 3; // pixels
// Matches no month, so the first preview always fills the list.
const QString NoMonthListed = QStringLiteral("11");

const QColor PastMonth = windowstyle::colour(palette::calendar::Gone);
const QColor CurrentOrComing = windowstyle::colour(palette::calendar::Ahead);

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
        label->setGeometry(0, twips(LabelPitch * k), twips(MonthWidth), twips(LabelPitch - 30));
        label->setAutoFillBackground(true);
        // The caption keeps clear of the box's edges.
        label->setContentsMargins(CaptionPadding, 0, CaptionPadding, 0);
        label->setFocusPolicy(Qt::TabFocus);
        windowstyle::setFillColour(label, windowstyle::Navy);
        label->installEventFilter(this);
        m_labels[k] = label;
    }
    m_captionFont = m_labels[0]->font();

    QFont small = font();
    small.setPointSize(8);
    for (int j = 0; j < CalendarLineCount; ++j) {
        auto *line = new QLabel(this);
        line->setObjectName(QStringLiteral("Label2"));
        line->setProperty("index", j);
        line->setTextFormat(Qt::PlainText);
        line->setFont(small);
        line->setCursor(Qt::PointingHandCursor);
        line->setGeometry(LinesLeft, j * LinePitch, LinesWidth, LinePitch - 2);
        line->setAutoFillBackground(true);
        line->setFocusPolicy(Qt::TabFocus);
        windowstyle::setFillColour(line, windowstyle::PanelBackground);
        line->installEventFilter(this);
        line->hide();
        m_lines[j] = line;
    }

    m_lock = new QCheckBox(QStringLiteral("Verrouillé"), this);
    m_lock->setObjectName(QStringLiteral("Check1"));
    m_lock->setFont(small);
    windowstyle::setTextColour(m_lock, Qt::white);
    m_lock->setGeometry(LinesLeft, CalendarLineCount * LinePitch + 2, LinesWidth, 18);

    m_listed = new QLabel(NoMonthListed, this);
    m_listed->setObjectName(QStringLiteral("Label3"));
    m_listed->hide();

    setFixedSize(LinesLeft + LinesWidth, twips(LabelPitch * MonthLabelCount));
}

void MonthCalendarView::showMonths(const std::array<MonthLabel, MonthLabelCount> &months)
{
    // One size for every caption, the one the longest needs ("Septembre 2013").
    QFont font = m_captionFont;
    for (int k = 0; k < MonthLabelCount; ++k) {
        const QFont fitting = fittedtext::fittingFont(m_labels[k], m_captionFont, months[k].caption, CaptionShrink);
        if (fitting.pointSizeF() < font.pointSizeF())
            font = fitting;
    }
    for (int k = 0; k < MonthLabelCount; ++k) {
        QLabel *label = m_labels[k];
        const MonthLabel &month = months[k];
        if (label->font() != font)
            label->setFont(font);
        fittedtext::setText(label, month.caption);
        label->setProperty("monthDate", month.date);
        windowstyle::setTextColour(label, month.past ? PastMonth : CurrentOrComing);
        label->setVisible(month.date.isValid());
    }
}

QDate MonthCalendarView::monthDate(int k) const
{
    if (k < 0 || k >= MonthLabelCount)
        return {};
    return m_labels[k]->property("monthDate").toDate();
}

bool MonthCalendarView::locked() const
{
    return m_lock->isChecked();
}

int MonthCalendarView::listedMonth() const
{
    bool ok = false;
    const int k = m_listed->text().toInt(&ok);
    return ok ? k : -1;
}

void MonthCalendarView::listMatchDays(int k, const QList<CalendarLine> &lines)
{
    for (int j = 0; j < CalendarLineCount; ++j) {
        QLabel *line = m_lines[j];
        if (j >= lines.size()) {
            // Its old tag may stay: a hidden line cannot be clicked.
            line->clear();
            line->hide();
            continue;
        }
        const CalendarLine &shown = lines[j];
        line->setText(shown.text);
        line->setProperty("tag", shown.day - 1);
        windowstyle::setTextColour(line, windowstyle::colour(shown.colour));
        line->show();
    }
    m_listed->setText(QString::number(k));
}

void MonthCalendarView::markMonth(int k)
{
    for (int x = 0; x < MonthLabelCount; ++x)
        windowstyle::setFillColour(m_labels[x], x == k ? windowstyle::Teal : windowstyle::Navy);
}

void MonthCalendarView::resetMonthHover()
{
    for (QLabel *label : m_labels)
        windowstyle::setFillColour(label, windowstyle::Navy);
}

bool MonthCalendarView::eventFilter(QObject *watched, QEvent *event)
{
    // From the keyboard the focus coming in stands for the pointer arriving,
    // Enter or Space for the click.
    const bool key =
        event->type() == QEvent::KeyPress
        && QList<int>{Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}.contains(static_cast<QKeyEvent *>(event)->key());
    const bool enter = event->type() == QEvent::Enter || event->type() == QEvent::FocusIn;
    const bool click = key
                       || (event->type() == QEvent::MouseButtonRelease
                           && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton);
    if (!enter && !click)
        return QWidget::eventFilter(watched, event);
    const int index = watched->property("index").toInt();
    if (watched->objectName() == QLatin1String("LabMois")) {
        if (enter) {
            emit monthHovered(index);
        } else {
            m_lock->setChecked(true);
            // The keyboard goes on to the month's match days.
            if (key && !m_lines[0]->isHidden())
                m_lines[0]->setFocus(Qt::TabFocusReason);
        }
    } else if (watched->objectName() == QLatin1String("Label2")) {
        if (enter)
            m_lock->setChecked(false);
        else
            emit matchDayClicked(watched->property("tag").toInt() + 1);
    }
    return key || QWidget::eventFilter(watched, event);
}
